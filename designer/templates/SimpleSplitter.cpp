#include "designer/templates/SimpleSplitter.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/settings.h>

namespace TEVComponentDesignerAfx {
namespace {

// The tracker: a strip painted with a halftone pattern, so that it shows on any colour.
class CSplitterTracker : public wxWindow {
public:
    CSplitterTracker(wxWindow* parent, const wxRect& rect)
        : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(HalftoneBitmap()));
            dc.DrawRectangle(wxPoint(0, 0), GetClientSize());
        });
    }

private:
    static wxBitmap HalftoneBitmap() {
        wxImage image(8, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const unsigned char level = (x + y) % 2 ? 0x20 : 0xC0;
                image.SetRGB(x, y, level, level, level);
            }
        }
        return wxBitmap(image);
    }
};

} // namespace

CSimpleSplitter::CSimpleSplitter(int paneCount, int orientation, int minimumPane, int barThickness)
    : m_layout(paneCount, minimumPane, barThickness), m_orientation(orientation),
      m_panes(m_layout.PaneCount(), nullptr) {}

CSimpleSplitter::~CSimpleSplitter() {
    if (HasCapture())
        ReleaseMouse();
}

bool CSimpleSplitter::Create(wxWindow* parent, wxWindowID id) {
    if (!wxWindow::Create(parent, id, wxPoint(0, 0), parent->GetClientSize(),
                          wxBORDER_NONE | wxCLIP_CHILDREN | wxFULL_REPAINT_ON_RESIZE))
        return false;
    parent->SetWindowStyleFlag(parent->GetWindowStyleFlag() & ~wxBORDER_SUNKEN);
    SetCursor(wxCursor(IsSideBySide() ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS));
    Bind(wxEVT_PAINT, &CSimpleSplitter::OnPaint, this);
    Bind(wxEVT_SIZE, &CSimpleSplitter::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &CSimpleSplitter::OnLButtonDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CSimpleSplitter::OnLButtonDown, this);
    Bind(wxEVT_MOTION, &CSimpleSplitter::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CSimpleSplitter::OnLButtonUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSimpleSplitter::OnCaptureLost, this);
    m_layout.Layout(Extent());
    return true;
}

int CSimpleSplitter::Extent() const {
    const wxSize client = GetClientSize();
    return IsSideBySide() ? client.x : client.y;
}

void CSimpleSplitter::SetPane(int i, wxWindow* window) {
    if (i < 0 || i >= GetPaneCount())
        return;
    m_panes[i] = window;
    if (window)
        window->SetSize(GetPaneRect(i));
}

wxWindow* CSimpleSplitter::GetPane(int i) const {
    return i >= 0 && i < GetPaneCount() ? m_panes[i] : nullptr;
}

void CSimpleSplitter::SetPaneSizes(const std::vector<int>& sizes) {
    m_layout.SetPaneSizes(sizes, Extent());
    MovePanes();
}

void CSimpleSplitter::RecalcLayout() {
    m_layout.Layout(Extent());
    MovePanes();
}

wxRect CSimpleSplitter::GetPaneRect(int i) const {
    const wxSize client = GetClientSize();
    const int start = m_layout.Start(i);
    const int length = std::max(0, m_layout.PaneSize(i));
    return IsSideBySide() ? wxRect(start, 0, length, client.y) : wxRect(0, start, client.x, length);
}

wxRect CSimpleSplitter::GetBarRect(int i) const {
    const wxSize client = GetClientSize();
    const int bar = m_layout.BarThickness();
    const int start = m_layout.Start(i) - bar;
    return IsSideBySide() ? wxRect(start, 0, bar, client.y) : wxRect(0, start, client.x, bar);
}

void CSimpleSplitter::MovePanes() {
    for (int i = 0; i < GetPaneCount(); ++i) {
        if (m_panes[i])
            m_panes[i]->SetSize(GetPaneRect(i));
    }
    Refresh();
}

void CSimpleSplitter::SetActivePane(int i) {
    if (wxWindow* pane = GetPane(i))
        pane->SetFocus();
}

void CSimpleSplitter::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(face));
    for (int i = 1; i < GetPaneCount(); ++i)
        dc.DrawRectangle(GetBarRect(i));
}

void CSimpleSplitter::OnSize(wxSizeEvent& event) {
    RecalcLayout();
    event.Skip();
}

void CSimpleSplitter::OnLButtonDown(wxMouseEvent& event) {
    if (m_layout.IsDragging() || !m_layout.BeginDrag(Along(event.GetPosition())))
        return;
    CaptureMouse();
    DrawTracker(m_layout.TrackerPos());
}

void CSimpleSplitter::OnMouseMove(wxMouseEvent& event) {
    if (!m_layout.IsDragging())
        return;
    EraseTracker();
    DrawTracker(m_layout.DragTo(Along(event.GetPosition())));
}

void CSimpleSplitter::OnLButtonUp(wxMouseEvent&) {
    if (!m_layout.IsDragging())
        return;
    RemoveTracker();
    if (HasCapture())
        ReleaseMouse();
    m_layout.EndDrag(Extent());
    MovePanes();
}

void CSimpleSplitter::OnCaptureLost(wxMouseCaptureLostEvent&) {
    RemoveTracker();
    m_layout.CancelDrag();
}

void CSimpleSplitter::DrawTracker(int position) {
    const wxSize client = GetClientSize();
    const int bar = std::max(1, m_layout.BarThickness());
    const wxRect rect =
        IsSideBySide() ? wxRect(position, 0, bar, client.y) : wxRect(0, position, client.x, bar);
    if (!m_pTracker)
        m_pTracker = new CSplitterTracker(this, rect);
    else
        m_pTracker->SetSize(rect);
    m_pTracker->Show();
    m_pTracker->Raise();
    m_pTracker->Refresh();
}

void CSimpleSplitter::EraseTracker() {
    if (m_pTracker)
        m_pTracker->Hide();
}

void CSimpleSplitter::RemoveTracker() {
    if (m_pTracker) {
        m_pTracker->Destroy();
        m_pTracker = nullptr;
    }
}

} // namespace TEVComponentDesignerAfx
