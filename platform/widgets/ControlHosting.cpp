#include "platform/widgets/ControlHosting.h"

#include "platform/com/ClassRegistry.h"

namespace tev {

bool OleControlWnd::CreateControl(const std::string& progId, const char* name, bool visible,
                                  const wxRect& rect, wxWindow* parent, int id) {
    DestroyControl();
    m_createResult = Create(progId, name, visible, rect, parent, id);
    return SUCCEEDED(m_createResult);
}

HRESULT OleControlWnd::Create(const std::string& progId, const char* name, bool visible,
                              const wxRect& rect, wxWindow* parent, int id) {
    CComPtr<IUnknown> control;
    HRESULT hr = CreateInstanceByProgID(progId, IID_IUnknown, reinterpret_cast<void**>(&control));
    if (FAILED(hr) || !control)
        return FAILED(hr) ? hr : E_FAIL;
    CComPtr<IControlWindow> site;
    if (FAILED(control.QueryInterface(IID_IControlWindow, site)) || !site)
        return E_NOINTERFACE;
    wxWindow* window = nullptr;
    hr = site->CreateControlWindow(parent, id, name, rect, visible, &window);
    if (FAILED(hr) || !window)
        return FAILED(hr) ? hr : E_FAIL;
    m_control = control;
    return S_OK;
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
