#include "platform/widgets/ControlHosting.h"

#include "platform/com/ClassRegistry.h"

namespace tev {

bool OleControlWnd::CreateControl(const std::string& progId, const char* name, bool visible,
                                  const wxRect& rect, wxWindow* parent, int id) {
    DestroyControl();
    CComPtr<IUnknown> control;
    if (FAILED(CreateInstanceByProgID(progId, IID_IUnknown, reinterpret_cast<void**>(&control))) ||
        !control)
        return false;
    CComPtr<IControlWindow> site;
    if (FAILED(control.QueryInterface(IID_IControlWindow, site)) || !site)
        return false;
    wxWindow* window = nullptr;
    if (FAILED(site->CreateControlWindow(parent, id, name, rect, visible, &window)) || !window)
        return false;
    m_control = control;
    return true;
}

void OleControlWnd::DestroyControl() {
    if (!m_control)
        return;
    CComPtr<IControlWindow> site;
    if (SUCCEEDED(m_control.QueryInterface(IID_IControlWindow, site)) && site)
        site->DestroyControlWindow();
    m_control.Release();
}

wxWindow* OleControlWnd::GetControlWindow() const {
    if (!m_control)
        return nullptr;
    CComPtr<IControlWindow> site;
    wxWindow* window = nullptr;
    if (SUCCEEDED(m_control.QueryInterface(IID_IControlWindow, site)) && site)
        site->GetControlWindow(&window);
    return window;
}

void OleControlWnd::MoveWindow(const wxRect& rect) {
    if (!m_control)
        return;
    CComPtr<IControlWindow> site;
    if (SUCCEEDED(m_control.QueryInterface(IID_IControlWindow, site)) && site)
        site->MoveControlWindow(rect);
}

} // namespace tev
