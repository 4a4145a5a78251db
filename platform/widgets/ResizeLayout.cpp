#include "platform/widgets/ResizeLayout.h"

#include <algorithm>
#include <cmath>

namespace tev {
namespace {

int Offset(double fraction, int growth) {
    return static_cast<int>(std::lround(fraction * growth));
}

ResizeRect ToResizeRect(const wxRect& rect) {
    return {rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(),
            rect.GetTop() + rect.GetHeight()};
}

} // namespace

ResizeRect AnchoredRect(const ResizeRect& initial, ResizePoint topLeft, ResizePoint bottomRight,
                        int growX, int growY) {
    ResizeRect rect{initial.left + Offset(topLeft.x, growX), initial.top + Offset(topLeft.y, growY),
                    initial.right + Offset(bottomRight.x, growX),
                    initial.bottom + Offset(bottomRight.y, growY)};
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

wxRect DialogUnitsToPixels(wxWindow* window, int x, int y, int width, int height) {
    const wxPoint origin = window->ConvertDialogToPixels(wxPoint(x, y));
    const wxPoint extent = window->ConvertDialogToPixels(wxPoint(width, height));
    return wxRect(origin.x, origin.y, extent.x, extent.y);
}

wxSize DialogUnitsToPixels(wxWindow* window, int width, int height) {
    return window->ConvertDialogToPixels(wxSize(width, height));
}

ResizeLayout::ResizeLayout(wxWindow* host) : m_host(host) {
    m_host->Bind(wxEVT_SIZE, &ResizeLayout::OnSize, this);
    m_host->Bind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
}

ResizeLayout::~ResizeLayout() {
    for (const Item& item : m_items)
        item.control->Unbind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
    if (m_host) {
        m_host->Unbind(wxEVT_SIZE, &ResizeLayout::OnSize, this);
        m_host->Unbind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
    }
}

void ResizeLayout::Anchor(wxWindow* control, ResizePoint topLeft, ResizePoint bottomRight) {
    if (!control || !m_host || control == m_host)
        return;
    Item item{control, ToResizeRect(control->GetRect()), m_host->GetClientSize(), topLeft,
              bottomRight};
    for (Item& existing : m_items) {
        if (existing.control == control) {
            existing = item;
            return;
        }
    }
    control->Bind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
    m_items.push_back(item);
}

bool ResizeLayout::Anchor(int controlId, ResizePoint topLeft, ResizePoint bottomRight) {
    wxWindow* control = m_host ? m_host->FindWindow(controlId) : nullptr;
    if (!control || control == m_host)
        return false;
    Anchor(control, topLeft, bottomRight);
    return true;
}

void ResizeLayout::Remove(wxWindow* control) {
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [control](const Item& item) { return item.control == control; });
    if (it == m_items.end())
        return;
    control->Unbind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
    m_items.erase(it);
}

void ResizeLayout::Relayout() {
    if (!m_host)
        return;
    const wxSize client = m_host->GetClientSize();
    for (const Item& item : m_items) {
        const ResizeRect rect =
            AnchoredRect(item.initial, item.topLeft, item.bottomRight, client.x - item.baseClient.x,
                         client.y - item.baseClient.y);
        item.control->SetSize(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              wxSIZE_ALLOW_MINUS_ONE);
    }
}

void ResizeLayout::SetMinTrackSize(const wxSize& size) {
    if (m_host)
        m_host->SetMinSize(size);
}

void ResizeLayout::SetMinTrackSizeToCurrent() {
    if (m_host)
        m_host->SetMinSize(m_host->GetSize());
}

void ResizeLayout::OnSize(wxSizeEvent& event) {
    Relayout();
    event.Skip();
}

void ResizeLayout::OnChildDestroyed(wxWindowDestroyEvent& event) {
    wxWindow* window = event.GetWindow();
    event.Skip();
    if (window == m_host) {
        // The host goes first when the layout outlives it: forget everything.
        for (const Item& item : m_items)
            item.control->Unbind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
        m_items.clear();
        m_host->Unbind(wxEVT_SIZE, &ResizeLayout::OnSize, this);
        m_host->Unbind(wxEVT_DESTROY, &ResizeLayout::OnChildDestroyed, this);
        m_host = nullptr;
        return;
    }
    Remove(window);
}

bool ResizeDialog::Create(wxWindow* parent, wxWindowID id, const wxString& title,
                          const wxSize& sizeInDialogUnits, long style) {
    if (!wxDialog::Create(parent, id, title, wxDefaultPosition, wxDefaultSize, style))
        return false;
    SetClientSize(DialogUnitsToPixels(this, sizeInDialogUnits.x, sizeInDialogUnits.y));
    return true;
}

} // namespace tev
