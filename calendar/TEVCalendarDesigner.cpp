#include "calendar/TEVCalendarDesigner.h"

#include "calendar/CalendarEventsTransfer.h"
#include "calendar/TEVCalendarFrame.h"
#include "calendar/TEVCalendarView.h"
#include "platform/xml/XmlDom.h"

#include <wx/panel.h>

// The control's own window: it holds the frame, keeps it at its full size, and tells the
// control when it goes (also when it goes with its parent).
class CTEVCalendarDesigner::CControlWnd : public wxPanel {
public:
    explicit CControlWnd(CTEVCalendarDesigner* owner) : m_pOwner(owner) {}
    ~CControlWnd() override {
        if (m_pOwner)
            m_pOwner->OnWindowGone();
    }
    void Disown() { m_pOwner = nullptr; }

    void OnSize(wxSizeEvent& event) {
        if (m_pOwner && m_pOwner->m_pFrame) {
            const wxSize client = GetClientSize();
            m_pOwner->m_pFrame->SetSize(0, 0, client.x, client.y);
        }
        Refresh();
        event.Skip();
    }

private:
    CTEVCalendarDesigner* m_pOwner;
};

CTEVCalendarDesigner::~CTEVCalendarDesigner() {
    DestroyControlWindow();
}

HRESULT CTEVCalendarDesigner::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_ITEVComponentDesigner ||
        riid == IID_ITEVCalendarDesigner || riid == IID_IDispatch)
        *object = static_cast<ITEVCalendarDesigner*>(this);
    else if (riid == IID_IControlWindow)
        *object = static_cast<IControlWindow*>(this);
    else if (riid == IID_ITEVComponentFeed)
        *object = static_cast<ITEVComponentFeed*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT CTEVCalendarDesigner::GetFeedFileName(BSTR name, BSTR* fileName) {
    if (!fileName)
        return E_POINTER;
    *fileName = tev::AllocBstr(tev::BstrToUtf8(name) + ".ics");
    return *fileName ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTEVCalendarDesigner::WriteFeed(BSTR path) {
    if (!m_pFrame || !m_pFrame->GetActiveView())
        return S_FALSE;
    CTEVCalendarView& view = *m_pFrame->GetActiveView();
    const bool written = CCalendarEventsTransfer(CalendarLocalZoneName())
                             .WriteFile(tev::BstrToUtf8(path), view.GetDataProvider(),
                                        view.GetEventIdList().GetIds());
    return written ? S_OK : S_FALSE;
}

HRESULT CTEVCalendarDesigner::GetTypeInfoCount(uint32_t* count) {
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT CTEVCalendarDesigner::GetDesignerTag(BSTR* tag) {
    if (!tag)
        return E_POINTER;
    *tag = nullptr;
    if (m_bstrTag.m_str) {
        *tag = m_bstrTag.Copy();
        if (!*tag)
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CTEVCalendarDesigner::SetDesignerTag(BSTR tag) {
    BSTR copy = tag ? SysAllocStringLen(tag, SysStringLen(tag)) : nullptr;
    if (tag && !copy)
        return E_OUTOFMEMORY;
    m_bstrTag.Attach(copy);
    return S_OK;
}

HRESULT CTEVCalendarDesigner::GetDataSection(BSTR* xml) {
    if (!xml)
        return E_POINTER;
    if (!m_pFrame || !m_pFrame->GetActiveView())
        return S_OK;
    // The preview leaves first, as the close-preview command does.
    m_pFrame->GetActiveView()->ClosePrintPreview();
    BSTR text = tev::AllocBstr(m_pFrame->GetActiveView()->WriteData());
    if (!text)
        return E_OUTOFMEMORY;
    *xml = text;
    return S_OK;
}

HRESULT CTEVCalendarDesigner::SetDataSection(BSTR xml) {
    if (!m_pFrame || !m_pFrame->GetActiveView())
        return S_OK;
    pugi::xml_document document;
    // Text that does not parse (an empty one included) leaves the events as they are.
    if (tev::LoadXml(document, tev::BstrToUtf8(xml)))
        m_pFrame->GetActiveView()->ReadData(document);
    return S_OK;
}

HRESULT CTEVCalendarDesigner::OnPropertyChanged(BSTR name, BSTR category, VARIANT value) {
    if (m_pFrame && m_pFrame->GetActiveView())
        m_pFrame->GetActiveView()->OnPropertyChanged(tev::BstrToUtf8(name),
                                                     tev::BstrToUtf8(category), value);
    return S_OK;
}

HRESULT CTEVCalendarDesigner::OnPropertyInit(BSTR name, BSTR category, VARIANT value) {
    return OnPropertyChanged(name, category, value);
}

HRESULT CTEVCalendarDesigner::CreateControlWindow(wxWindow* parent, int id, const char* name,
                                                  const wxRect& rect, bool visible,
                                                  wxWindow** window) {
    if (window)
        *window = nullptr;
    if (m_pWindow)
        return E_UNEXPECTED;
    if (!parent)
        return E_INVALIDARG;
    auto* control = new CControlWnd(this);
    if (!control->Create(parent, id, rect.GetPosition(), rect.GetSize(),
                         wxBORDER_NONE | wxCLIP_CHILDREN, wxString::FromUTF8(name ? name : ""))) {
        control->Disown();
        delete control;
        return E_FAIL;
    }
    m_pWindow = control;
    if (!visible)
        control->Hide();
    control->Bind(wxEVT_SIZE, &CControlWnd::OnSize, control);
    auto* frame = new CTEVCalendarFrame;
    if (frame->Create(control, wxRect(wxPoint(0, 0), control->GetClientSize()))) {
        m_pFrame = frame;
    } else {
        // Without a frame the control keeps an empty window and ignores data calls.
        frame->Destroy();
    }
    if (window)
        *window = control;
    return S_OK;
}

HRESULT CTEVCalendarDesigner::GetControlWindow(wxWindow** window) {
    if (!window)
        return E_POINTER;
    *window = m_pWindow;
    return S_OK;
}

HRESULT CTEVCalendarDesigner::MoveControlWindow(const wxRect& rect) {
    if (!m_pWindow)
        return S_FALSE;
    m_pWindow->SetSize(rect);
    return S_OK;
}

HRESULT CTEVCalendarDesigner::DestroyControlWindow() {
    if (!m_pWindow)
        return S_FALSE;
    CControlWnd* window = m_pWindow;
    window->Disown();
    m_pWindow = nullptr;
    m_pFrame = nullptr;
    window->Destroy();
    return S_OK;
}

void CTEVCalendarDesigner::OnWindowGone() {
    m_pWindow = nullptr;
    m_pFrame = nullptr;
}
