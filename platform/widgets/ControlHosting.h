#pragma once
// Hosting a component's control window inside a window of the host. The control answers
// IControlWindow; the host's holder (tev::OleControlWnd) creates the control by ProgID,
// asks it for its window as a child of one of the host's windows, sizes it and destroys it.
// Host and control share one process and one toolkit, so windows pass as wxWindow*.
#include "platform/com/ComPtr.h"
#include "platform/com/ComTypes.h"

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <string>

class wxWindow;

// {C2717FF5-0A43-4C08-A3F5-4C94835D26DD}
constexpr IID IID_IControlWindow{
    0xC2717FF5, 0x0A43, 0x4C08, {0xA3, 0xF5, 0x4C, 0x94, 0x83, 0x5D, 0x26, 0xDD}};

struct IControlWindow : IUnknown {
    // Creates the control's window as a child of `parent` with that identifier, name and
    // rectangle, shown or not; E_UNEXPECTED when the window exists already, E_FAIL when it
    // cannot be created. `window` (optional) receives the new window.
    virtual HRESULT CreateControlWindow(wxWindow* parent, int id, const char* name,
                                        const wxRect& rect, bool visible, wxWindow** window) = 0;
    // The control's window; null while there is none.
    virtual HRESULT GetControlWindow(wxWindow** window) = 0;
    // Moves and sizes the window within its parent (S_FALSE when there is no window).
    virtual HRESULT MoveControlWindow(const wxRect& rect) = 0;
    // Destroys the window (S_FALSE when there is none); the control object lives on until
    // its last reference goes.
    virtual HRESULT DestroyControlWindow() = 0;

protected:
    ~IControlWindow() = default;
};

namespace tev {

// Creates and holds one hosted control: the control object (one reference) and its
// window. Nothing is kept when creation fails at any step.
class OleControlWnd {
public:
    OleControlWnd() = default;
    ~OleControlWnd() { DestroyControl(); }
    OleControlWnd(const OleControlWnd&) = delete;
    OleControlWnd& operator=(const OleControlWnd&) = delete;

    // Creates the control registered under `progId` (through the registry store) and its
    // window inside `parent`. False when the ProgID is unknown, the module or the class is
    // missing, the control has no window interface or its window cannot be made.
    bool CreateControl(const std::string& progId, const char* name, bool visible,
                       const wxRect& rect, wxWindow* parent, int id);
    // What the last CreateControl found: S_OK, or the failure of its first step that failed
    // (CO_E_CLASSSTRING or REGDB_E_CLASSNOTREG: not registered; CO_E_DLLNOTFOUND: the module
    // is missing or cannot be loaded; anything else: the control failed to start).
    HRESULT GetCreateResult() const { return m_createResult; }
    // Destroys the control's window and lets go of the control.
    void DestroyControl();

    bool HasControl() const { return static_cast<bool>(m_control); }
    // The control's IUnknown without a new reference; null when there is no control.
    IUnknown* GetControlUnknown() const { return m_control; }
    // The control's window, null when there is none (or it went with its parent).
    wxWindow* GetControlWindow() const;
    void MoveWindow(const wxRect& rect);

private:
    HRESULT Create(const std::string& progId, const char* name, bool visible, const wxRect& rect,
                   wxWindow* parent, int id);

    CComPtr<IUnknown> m_control;
    HRESULT m_createResult = S_OK;
};

} // namespace tev
