#pragma once
// The calendar designer control: the COM object that the designer creates by ProgID on its
// data page. It answers the component designer interface (through its own, identical
// ITEVCalendarDesigner) and the control window interface; inside its window it runs the
// calendar frame with the calendar view, which owns the events.
//
// Data and property calls take effect only while the window exists: before it, and after
// it is gone, SetDataSection and the property calls are dropped and GetDataSection leaves
// its out parameter untouched.
#include "designer/core/TEVComponentDesignerAx.h"
#include "designer/core/TEVComponentFeedAx.h"
#include "platform/com/ComObject.h"
#include "platform/widgets/ControlHosting.h"

#include <string>

class CTEVCalendarFrame;
class wxWindow;

// {19328147-F365-4AA9-B93A-A55E4872E3B9}
constexpr CLSID CLSID_TEVCalendarDesigner{
    0x19328147, 0xF365, 0x4AA9, {0xB9, 0x3A, 0xA5, 0x5E, 0x48, 0x72, 0xE3, 0xB9}};
// {AD1452BC-CB6E-4F63-9D15-27CAA4B063F9}
constexpr IID IID_ITEVCalendarDesigner{
    0xAD1452BC, 0xCB6E, 0x4F63, {0x9D, 0x15, 0x27, 0xCA, 0xA4, 0xB0, 0x63, 0xF9}};
// {93637495-E730-4519-8129-DB16C7115E15}: the event interface; it has no methods.
constexpr IID DIID__ITEVCalendarDesignerEvents{
    0x93637495, 0xE730, 0x4519, {0x81, 0x29, 0xDB, 0x16, 0xC7, 0x11, 0x5E, 0x15}};
// {8AE69C78-FC36-42A6-B5FF-EDB4E7287F3D}
constexpr GUID LIBID_TEVCalendarAxLib{
    0x8AE69C78, 0xFC36, 0x42A6, {0xB5, 0xFF, 0xED, 0xB4, 0xE7, 0x28, 0x7F, 0x3D}};
// {95CFB768-FC35-46A5-A71D-304A9B03432E}
constexpr GUID APPID_TEVCalendarAx{
    0x95CFB768, 0xFC35, 0x46A5, {0xA7, 0x1D, 0x30, 0x4A, 0x9B, 0x03, 0x43, 0x2E}};

// The calendar's own interface: the designer interface, no methods added.
struct ITEVCalendarDesigner : ITEVComponentDesigner {
protected:
    ~ITEVCalendarDesigner() = default;
};

class CTEVCalendarDesigner final : public ITEVCalendarDesigner,
                                   public ITEVComponentFeed,
                                   public IControlWindow,
                                   public tev::ComRefCount {
public:
    CTEVCalendarDesigner() = default;
    ~CTEVCalendarDesigner() override;

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override;
    TEV_IMPLEMENT_REFCOUNT

    // IDispatch: the host binds to the vtable; late binding is not offered.
    HRESULT GetTypeInfoCount(uint32_t* count) override;
    HRESULT GetTypeInfo(uint32_t, LCID, void**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR**, uint32_t, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, uint16_t, DISPPARAMS*, VARIANT*, void*,
                   uint32_t*) override {
        return E_NOTIMPL;
    }

    // ITEVComponentDesigner
    HRESULT GetDesignerTag(BSTR* tag) override;
    HRESULT SetDesignerTag(BSTR tag) override;
    HRESULT GetDataSection(BSTR* xml) override;
    HRESULT SetDataSection(BSTR xml) override;
    HRESULT Reserved() override { return S_OK; }
    HRESULT GetExtendedParams(BSTR*) override { return S_OK; }
    HRESULT SetExtendedParams(BSTR) override { return S_OK; }
    HRESULT OnPropertyChanged(BSTR name, BSTR category, VARIANT value) override;
    HRESULT OnPropertyInit(BSTR name, BSTR category, VARIANT value) override;

    // ITEVComponentFeed: the events as an iCalendar file, "<name>.ics".
    HRESULT GetFeedFileName(BSTR name, BSTR* fileName) override;
    HRESULT WriteFeed(BSTR path) override;

    // IControlWindow
    HRESULT CreateControlWindow(wxWindow* parent, int id, const char* name, const wxRect& rect,
                                bool visible, wxWindow** window) override;
    HRESULT GetControlWindow(wxWindow** window) override;
    HRESULT MoveControlWindow(const wxRect& rect) override;
    HRESULT DestroyControlWindow() override;

    // The frame while the window exists, else null.
    CTEVCalendarFrame* GetFrame() const { return m_pFrame; }

private:
    class CControlWnd;
    friend class CControlWnd;
    void OnWindowGone();

    CComBSTR m_bstrTag;
    CControlWnd* m_pWindow = nullptr;
    CTEVCalendarFrame* m_pFrame = nullptr;
};
