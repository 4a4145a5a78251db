#pragma once
// Resizable windows: every anchored control keeps its distances to the window's edges, with
// each corner moving by a fraction of the window's growth (0 = stays with the top or left
// edge, 1 = follows the bottom or right edge, 0.5 = moves half as far). A minimum tracking
// size keeps the window from being made smaller than it was laid out.
//
// Controls are positioned in dialog units, like the dialog templates the layouts come from:
//
//   auto* list = new wxListBox(this, 7533, ...);
//   list->SetSize(tev::DialogUnitsToPixels(this, 14, 41, 126, 154));
//   m_layout.Anchor(list, tev::kAnchorTopLeft, tev::ResizePoint{0.5, 1});
#include <wx/dialog.h>
#include <wx/panel.h>

#include <vector>

namespace tev {

struct ResizePoint {
    double x;
    double y;
};

constexpr ResizePoint kAnchorTopLeft{0, 0};
constexpr ResizePoint kAnchorTopCenter{0.5, 0};
constexpr ResizePoint kAnchorTopRight{1, 0};
constexpr ResizePoint kAnchorMiddleLeft{0, 0.5};
constexpr ResizePoint kAnchorCenter{0.5, 0.5};
constexpr ResizePoint kAnchorMiddleRight{1, 0.5};
constexpr ResizePoint kAnchorBottomLeft{0, 1};
constexpr ResizePoint kAnchorBottomCenter{0.5, 1};
constexpr ResizePoint kAnchorBottomRight{1, 1};

struct ResizeRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const ResizeRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// Where a control that sat at `initial` goes when the window grew by (growX, growY) pixels
// (negative when it shrank): each corner moves by its fraction of the growth, rounded to the
// nearest pixel. A control never gets a negative width or height.
ResizeRect AnchoredRect(const ResizeRect& initial, ResizePoint topLeft, ResizePoint bottomRight,
                        int growX, int growY);

// A rectangle given in dialog units of `window`, in pixels.
wxRect DialogUnitsToPixels(wxWindow* window, int x, int y, int width, int height);
wxSize DialogUnitsToPixels(wxWindow* window, int width, int height);

// The anchors of one window. It follows the window's size changes by itself.
class ResizeLayout {
public:
    explicit ResizeLayout(wxWindow* host);
    ~ResizeLayout();
    ResizeLayout(const ResizeLayout&) = delete;
    ResizeLayout& operator=(const ResizeLayout&) = delete;

    // Anchors `control` as it stands now, relative to the host's current client size.
    // Anchoring a control again replaces its anchors.
    void Anchor(wxWindow* control, ResizePoint topLeft, ResizePoint bottomRight);
    // The same for the host's child with this identifier; false when there is none.
    bool Anchor(int controlId, ResizePoint topLeft, ResizePoint bottomRight);
    void Remove(wxWindow* control);
    size_t Count() const { return m_items.size(); }

    // Moves every anchored control for the host's current client size.
    void Relayout();

    // The host (a top-level window) cannot be made smaller than `size`.
    void SetMinTrackSize(const wxSize& size);
    // Takes the host's current size as its minimum tracking size.
    void SetMinTrackSizeToCurrent();

private:
    struct Item {
        wxWindow* control;
        ResizeRect initial;
        wxSize baseClient;
        ResizePoint topLeft;
        ResizePoint bottomRight;
    };
    void OnSize(wxSizeEvent& event);
    void OnChildDestroyed(wxWindowDestroyEvent& event);

    wxWindow* m_host;
    std::vector<Item> m_items;
};

// A resizable dialog: a dialog with a sizing border whose controls follow their anchors.
class ResizeDialog : public wxDialog {
public:
    ResizeDialog() : m_layout(this) {}
    ResizeDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxSize& sizeInDialogUnits)
        : m_layout(this) {
        Create(parent, id, title, sizeInDialogUnits);
    }
    // The client area is `sizeInDialogUnits` dialog units.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& title,
                const wxSize& sizeInDialogUnits,
                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);

    // Anchors the control with this identifier; see ResizeLayout.
    bool SetResize(int controlId, ResizePoint topLeft, ResizePoint bottomRight) {
        return m_layout.Anchor(controlId, topLeft, bottomRight);
    }
    ResizeLayout& GetResizeLayout() { return m_layout; }

private:
    ResizeLayout m_layout;
};

// A resizable form: a page whose controls follow their anchors, for tabs and panes.
class ResizeFormView : public wxPanel {
public:
    ResizeFormView() : m_layout(this) {}
    ResizeFormView(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                   const wxString& name = wxASCII_STR(wxPanelNameStr))
        : m_layout(this) {
        Create(parent, id, pos, size, style, name);
    }

    bool SetResize(int controlId, ResizePoint topLeft, ResizePoint bottomRight) {
        return m_layout.Anchor(controlId, topLeft, bottomRight);
    }
    ResizeLayout& GetResizeLayout() { return m_layout; }

private:
    ResizeLayout m_layout;
};

} // namespace tev
