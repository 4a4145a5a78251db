#pragma once
// The publish dialog's owner-drawn profile list: each entry's text in the dialog's font,
// italic for the "New Profile" placeholder, in the highlight colours when selected and in
// grey when the list is disabled. The list shows entries that the dialog hands it; it keeps
// no profiles of its own.
#include <wx/vlbox.h>

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CFTPSiteListBox : public wxVListBox {
public:
    struct Entry {
        std::string text;
        bool placeholder = false;
    };
    // How one entry is painted.
    struct EntryStyle {
        wxFont font;
        wxColour text;
        wxColour background; // invalid: the list's own background
    };

    CFTPSiteListBox(wxWindow* parent, wxWindowID id);

    // Replaces the entries and the selection (-1 for none); sends no selection event.
    void SetEntries(std::vector<Entry> entries, int selection);
    const Entry& GetEntry(size_t n) const { return m_entries.at(n); }

    EntryStyle GetEntryStyle(size_t n) const;
    // Paints entry `n` into `rect` of `dc` as the list does on screen.
    void DrawEntry(wxDC& dc, const wxRect& rect, size_t n) const;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

private:
    std::vector<Entry> m_entries;
};

} // namespace TEVComponentDesignerAfx
