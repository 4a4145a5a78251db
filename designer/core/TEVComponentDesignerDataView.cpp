#include "designer/core/TEVComponentDesignerDataView.h"

#include "designer/core/DesignerProject.h"
#include "designer/core/TEVComponentDesignerAx.h"
#include "platform/com/ComPtr.h"
#include "platform/xml/XmlDom.h"

#include <new>

namespace TEVComponentDesignerAfx {

namespace {

// The designer interface of `control`, asked for one call; empty when there is none.
CComPtr<ITEVComponentDesigner> DesignerOf(IUnknown* control) {
    CComPtr<ITEVComponentDesigner> designer;
    if (control)
        control->QueryInterface(IID_ITEVComponentDesigner, reinterpret_cast<void**>(&designer));
    return designer;
}

// A string for an in parameter: never NULL, "" gives an empty BSTR.
CComBSTR InBstr(const std::string& text) {
    CComBSTR bstr(text);
    if (!bstr.m_str)
        throw std::bad_alloc();
    return bstr;
}

// Takes over a returned BSTR: its text, freed; NULL reads as "".
std::string TakeBstr(BSTR text) {
    CComBSTR owner;
    owner.Attach(text);
    return owner.ToUtf8();
}

// A copy of the notified value that is cleared when the call is over.
struct VariantArgument {
    explicit VariantArgument(const VARIANT& value) {
        VariantInit(&copy);
        if (VariantCopy(&copy, &value) == E_OUTOFMEMORY)
            throw std::bad_alloc();
    }
    ~VariantArgument() { VariantClear(&copy); }
    VARIANT copy;
};

} // namespace

CTEVComponentDesignerDataView::~CTEVComponentDesignerDataView() {
    OnDestroy();
}

bool CTEVComponentDesignerDataView::Create(wxWindow* parent, wxWindowID id, const wxString& name) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name))
        return false;
    Bind(wxEVT_SIZE, &CTEVComponentDesignerDataView::OnSize, this);
    OnCreate();
    return true;
}

void CTEVComponentDesignerDataView::OnCreate() {
    // The outcome is not examined: without a control the page stays empty.
    m_wndControl.CreateControl(m_strProgID, kControlWindowName, true, wxRect(), this, 0);
    const wxSize client = GetClientSize();
    if (client.x > 0 && client.y > 0)
        m_wndControl.MoveWindow(wxRect(wxPoint(0, 0), client));
}

void CTEVComponentDesignerDataView::OnSize(wxSizeEvent& event) {
    event.Skip();
    const wxSize client = GetClientSize();
    if (wxWindow* control = m_wndControl.GetControlWindow()) {
        m_wndControl.MoveWindow(wxRect(0, 0, client.x, client.y));
        control->Refresh();
    }
}

void CTEVComponentDesignerDataView::OnDestroy() {
    m_wndControl.DestroyControl();
}

bool CTEVComponentDesignerDataView::HasControl() const {
    return static_cast<bool>(DesignerOf(m_wndControl.GetControlUnknown()));
}

std::string CTEVComponentDesignerDataView::GetDataSection() {
    return GetText(&ITEVComponentDesigner::GetDataSection);
}

void CTEVComponentDesignerDataView::SetDataSection(const std::string& xml) {
    SetText(&ITEVComponentDesigner::SetDataSection, xml);
}

std::string CTEVComponentDesignerDataView::GetExtendedParams() {
    return GetText(&ITEVComponentDesigner::GetExtendedParams);
}

void CTEVComponentDesignerDataView::SetExtendedParams(const std::string& text) {
    SetText(&ITEVComponentDesigner::SetExtendedParams, text);
}

void CTEVComponentDesignerDataView::OnPropertyChanged(const std::string& name,
                                                      const std::string& category,
                                                      const CComVariant& value) {
    NotifyProperty(&ITEVComponentDesigner::OnPropertyChanged, name, category, value);
}

void CTEVComponentDesignerDataView::OnPropertyInit(const std::string& name,
                                                   const std::string& category,
                                                   const CComVariant& value) {
    NotifyProperty(&ITEVComponentDesigner::OnPropertyInit, name, category, value);
}

// Each forwarder follows the calling rules of the designer interface: the interface is
// asked for per call, strings go in as BSTRs and come back freed, results are ignored.

std::string CTEVComponentDesignerDataView::GetText(TextGetter method) {
    CComPtr<ITEVComponentDesigner> designer = DesignerOf(m_wndControl.GetControlUnknown());
    if (!designer)
        return {};
    BSTR text = nullptr;
    (designer.p->*method)(&text);
    return TakeBstr(text);
}

void CTEVComponentDesignerDataView::SetText(TextSetter method, const std::string& text) {
    CComPtr<ITEVComponentDesigner> designer = DesignerOf(m_wndControl.GetControlUnknown());
    if (!designer)
        return;
    CComBSTR argument = InBstr(text);
    (designer.p->*method)(argument);
}

void CTEVComponentDesignerDataView::NotifyProperty(PropertyNotification method,
                                                   const std::string& name,
                                                   const std::string& category,
                                                   const CComVariant& value) {
    CComPtr<ITEVComponentDesigner> designer = DesignerOf(m_wndControl.GetControlUnknown());
    if (!designer)
        return;
    CComBSTR nameArgument = InBstr(name);
    CComBSTR categoryArgument = InBstr(category);
    VariantArgument valueArgument(value);
    (designer.p->*method)(nameArgument, categoryArgument, valueArgument.copy);
}

bool CTEVComponentDesignerDataView::ExtractDataSection(const std::string& xml,
                                                       std::string& dataXml) {
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, xml))
        return false;
    const pugi::xml_node data = doc.document_element().child("Data");
    if (!data)
        return false;
    dataXml = tev::XmlOf(data);
    return true;
}

void CTEVComponentDesignerDataView::LoadProjectData(const std::string& xml) {
    std::string dataXml;
    if (ExtractDataSection(xml, dataXml))
        SetDataSection(dataXml);
}

void CTEVComponentDesignerDataView::ResetControlData() {
    LoadProjectData(CDesignerProject::kNewProjectXml);
    SetExtendedParams("");
}

} // namespace TEVComponentDesignerAfx
