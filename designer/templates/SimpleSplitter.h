#pragma once
// A splitter of a fixed number of panes, side by side or stacked, with bars of a fixed
// thickness between them. The panes keep their shares (CSimpleSplitterLayout) when the window
// is resized, never fall below the minimum size while there is room, and the user drags a
// bar to move it: a tracker shows where it will go and the bar moves there on release.
#include "designer/templates/SimpleSplitterLayout.h"

#include <wx/window.h>

#include <vector>

namespace TEVComponentDesignerAfx {

class CSimpleSplitter : public wxWindow {
public:
    // Orientation 1 places the panes side by side; any other value stacks them.
    static constexpr int kSideBySide = 1;
    static constexpr int kStacked = 0;
    // 0xE900 under MFC; wxWidgets takes control IDs below 32767 only.
    static constexpr wxWindowID kFirstPaneId = 0x6900;

    CSimpleSplitter(int paneCount, int orientation, int minimumPane, int barThickness);
    ~CSimpleSplitter() override;

    // Creates the splitter over the parent's client area and takes the client edge off the
    // parent.
    bool Create(wxWindow* parent, wxWindowID id);

    // The control ID a view created for pane i carries (kFirstPaneId + i).
    static wxWindowID PaneId(int i) { return kFirstPaneId + i; }
    // Places `window`, a child of this splitter, in pane i.
    void SetPane(int i, wxWindow* window);
    wxWindow* GetPane(int i) const;
    int GetPaneCount() const { return m_layout.PaneCount(); }
    bool IsSideBySide() const { return m_orientation == kSideBySide; }

    // Pixel sizes taken as relative weights; lays out again.
    void SetPaneSizes(const std::vector<int>& sizes);
    // Lays the panes out for the current size.
    void RecalcLayout();
    // Pane i's rectangle in client coordinates.
    wxRect GetPaneRect(int i) const;
    // The bar before pane i (i >= 1), in client coordinates.
    wxRect GetBarRect(int i) const;
    const CSimpleSplitterLayout& GetLayout() const { return m_layout; }

    // Gives the keyboard focus to pane i.
    virtual void SetActivePane(int i);

    // The tracker window while a bar is dragged, null otherwise.
    wxWindow* GetTracker() const { return m_pTracker; }

protected:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLButtonUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

private:
    int Along(const wxPoint& point) const { return IsSideBySide() ? point.x : point.y; }
    int Extent() const;
    void MovePanes();
    void DrawTracker(int position);
    void EraseTracker();
    void RemoveTracker();

    CSimpleSplitterLayout m_layout;
    int m_orientation;
    std::vector<wxWindow*> m_panes;
    wxWindow* m_pTracker = nullptr;
};

} // namespace TEVComponentDesignerAfx
