#include "designer/ftp/FTPSiteListBox.h"

#include <wx/dc.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace TEVComponentDesignerAfx {
namespace {

// Space left and right of the text, and above and below it, in pixels.
constexpr int kTextMarginX = 4;
constexpr int kTextMarginY = 2;

} // namespace

CFTPSiteListBox::CFTPSiteListBox(wxWindow* parent, wxWindowID id)
    : wxVListBox(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
}

void CFTPSiteListBox::SetEntries(std::vector<Entry> entries, int selection) {
    m_entries = std::move(entries);
    SetItemCount(m_entries.size());
    SetSelection(selection >= 0 && static_cast<size_t>(selection) < m_entries.size() ? selection
                                                                                     : wxNOT_FOUND);
    RefreshAll();
}

CFTPSiteListBox::EntryStyle CFTPSiteListBox::GetEntryStyle(size_t n) const {
    // The dialog's font stands in for the 8-point "MS Sans Serif" of the Windows list box.
    EntryStyle style{GetFont(), wxColour(), wxColour()};
    if (n < m_entries.size() && m_entries[n].placeholder)
        style.font.MakeItalic();
    if (!IsEnabled()) {
        style.text = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    } else if (IsSelected(n)) {
        style.text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
        style.background = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    } else {
        style.text = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    }
    return style;
}

void CFTPSiteListBox::DrawEntry(wxDC& dc, const wxRect& rect, size_t n) const {
    OnDrawBackground(dc, rect, n);
    OnDrawItem(dc, rect, n);
}

void CFTPSiteListBox::OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const {
    const EntryStyle style = GetEntryStyle(n);
    const wxColour fill = style.background.IsOk() ? style.background : GetBackgroundColour();
    dc.SetBrush(wxBrush(fill));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rect);
    // Keyboard users see which entry the arrow keys move from.
    if (HasFocus() && IsCurrent(n))
        wxRendererNative::Get().DrawFocusRect(const_cast<CFTPSiteListBox*>(this), dc, rect);
}

void CFTPSiteListBox::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    if (n >= m_entries.size())
        return;
    const EntryStyle style = GetEntryStyle(n);
    dc.SetFont(style.font);
    dc.SetTextForeground(style.text);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    wxDCClipper clip(dc, rect);
    const wxString text = wxString::FromUTF8(m_entries[n].text);
    const wxSize extent = dc.GetTextExtent(text.empty() ? wxString("Ag") : text);
    dc.DrawText(text, rect.x + kTextMarginX, rect.y + (rect.height - extent.y) / 2);
}

wxCoord CFTPSiteListBox::OnMeasureItem(size_t) const {
    return GetCharHeight() + 2 * kTextMarginY;
}

} // namespace TEVComponentDesignerAfx
