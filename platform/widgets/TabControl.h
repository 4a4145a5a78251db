#pragma once
// Tab control whose pages are windows (views). Before a page change it sends
// wxEVT_NOTEBOOK_PAGE_CHANGING (the old page is still current; GetOldSelection() names the
// page being left), after it wxEVT_NOTEBOOK_PAGE_CHANGED, in that order, both for a click
// and for SetActiveView. A veto of the first stops a click but not SetActiveView, which
// always changes the page. The active page fills the control.
#include <wx/notebook.h>

#include <string>

namespace tev {

class TabControl : public wxNotebook {
public:
    TabControl() = default;
    TabControl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = 0,
               const wxString& name = wxASCII_STR("TabControl")) {
        Create(parent, id, pos, size, style, name);
    }
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR("TabControl"));

    // Adds `view` (a child of this control) as the last page; its index.
    int AddView(wxWindow* view, const std::string& caption);
    int GetViewCount() const { return static_cast<int>(GetPageCount()); }
    wxWindow* GetView(int index) const;
    // The index of `view`, or -1.
    int FindView(const wxWindow* view) const;
    std::string GetViewCaption(int index) const;

    // Shows page `index`, announcing the change before and after it (nothing happens when it
    // is already active or out of range).
    void SetActiveView(int index);
    // Shows page `index` silently, as when the pages are first put in place.
    void ActivateViewSilently(int index);
    int GetActiveIndex() const { return GetSelection(); }
    wxWindow* GetActiveView() const { return GetCurrentPage(); }

    // Room around each tab's caption, in pixels.
    void SetTabPadding(int horizontal, int vertical);
};

} // namespace tev
