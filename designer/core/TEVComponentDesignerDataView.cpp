#include "designer/core/TEVComponentDesignerDataView.h"

#include "designer/core/DesignerProject.h"
#include "designer/core/TEVComponentApp.h"
#include "designer/core/TEVComponentDesignerAx.h"
#include "designer/core/TEVComponentFeedAx.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/text/StringUtil.h"
#include "platform/xml/XmlDom.h"
#include "resources/designer/DesignerStrings.h"

#include <wx/artprov.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <new>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

namespace {

// Width of the explanation's lines, in dialog units.
constexpr int kNoticeWidthDu = 280;

// The designer interface of `control`, asked for one call; empty when there is none.
CComPtr<ITEVComponentDesigner> DesignerOf(IUnknown* control) {
    CComPtr<ITEVComponentDesigner> designer;
    if (control)
        control->QueryInterface(IID_ITEVComponentDesigner, reinterpret_cast<void**>(&designer));
    return designer;
}

// The optional feed interface of `control`, asked for one call; empty when there is none.
CComPtr<ITEVComponentFeed> FeedOf(IUnknown* control) {
    CComPtr<ITEVComponentFeed> feed;
    if (control)
        control->QueryInterface(IID_ITEVComponentFeed, reinterpret_cast<void**>(&feed));
    return feed;
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
    const bool created =
        m_wndControl.CreateControl(m_strProgID, kControlWindowName, true, wxRect(), this, 0);
    if (!created || !HasControl()) {
        // A control without the designer interface is of no use on this page.
        m_wndControl.DestroyControl();
        ShowMissingControlNotice(created ? E_NOINTERFACE : m_wndControl.GetCreateResult());
        return;
    }
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

std::string CTEVComponentDesignerDataView::MissingControlText(const std::string& progId,
                                                              HRESULT hr) {
    std::string reason;
    if (hr == CO_E_CLASSSTRING || hr == REGDB_E_CLASSNOTREG) {
        reason =
            tev::Format(DesignerString(IDS_DATA_EDITOR_NOT_REGISTERED).c_str(), progId.c_str());
    } else if (hr == CO_E_DLLNOTFOUND) {
        CLSID clsid;
        const std::string module =
            SUCCEEDED(CLSIDFromProgID(progId, &clsid)) ? tev::InprocServerPath(clsid) : progId;
        reason =
            tev::Format(DesignerString(IDS_DATA_EDITOR_MODULE_MISSING).c_str(), module.c_str());
    } else {
        reason = tev::Format(DesignerString(IDS_DATA_EDITOR_FAILED).c_str(), progId.c_str(),
                             static_cast<unsigned>(hr));
    }
    using TEVComponentDesigner::CTEVComponentApp;
    const std::string program =
        CTEVComponentApp::ShellProgramPath(CTEVComponentApp::ProgramFilePath());
    return reason + "\n\n" +
           tev::Format(DesignerString(IDS_DATA_EDITOR_FIX).c_str(), program.c_str()) + "\n\n" +
           DesignerString(IDS_DATA_EDITOR_DATA_KEPT);
}

void CTEVComponentDesignerDataView::ShowMissingControlNotice(HRESULT hr) {
    auto* icon = new wxStaticBitmap(this, wxID_ANY,
                                    wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX));
    auto* title = new wxStaticText(this, wxID_ANY,
                                   wxString::FromUTF8(DesignerString(IDS_DATA_EDITOR_MISSING)));
    title->SetFont(title->GetFont().Bold().Larger());
    auto* text =
        new wxStaticText(this, wxID_ANY, wxString::FromUTF8(MissingControlText(m_strProgID, hr)));
    const int width = ConvertDialogToPixels(wxSize(kNoticeWidthDu, 0)).x;
    title->Wrap(width);
    text->Wrap(width);

    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(title, 0, wxBOTTOM, FromDIP(12));
    lines->Add(text);
    auto* notice = new wxBoxSizer(wxHORIZONTAL);
    notice->Add(icon, 0, wxRIGHT, FromDIP(16));
    notice->Add(lines);
    auto* page = new wxBoxSizer(wxVERTICAL);
    page->AddStretchSpacer();
    page->Add(notice, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, FromDIP(24));
    page->AddStretchSpacer(2);
    SetSizer(page);
}

bool CTEVComponentDesignerDataView::HasControl() const {
    return static_cast<bool>(DesignerOf(m_wndControl.GetControlUnknown()));
}

std::string CTEVComponentDesignerDataView::GetDataSection() {
    if (!HasControl())
        return m_strKeptData;
    return GetText(&ITEVComponentDesigner::GetDataSection);
}

void CTEVComponentDesignerDataView::SetDataSection(const std::string& xml) {
    if (!HasControl()) {
        m_strKeptData = xml;
        return;
    }
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

std::string CTEVComponentDesignerDataView::GetFeedFileName(const std::string& name) {
    CComPtr<ITEVComponentFeed> feed = FeedOf(m_wndControl.GetControlUnknown());
    if (!feed)
        return {};
    CComBSTR argument = InBstr(name);
    BSTR fileName = nullptr;
    feed->GetFeedFileName(argument, &fileName);
    return TakeBstr(fileName);
}

bool CTEVComponentDesignerDataView::WriteFeed(const std::string& folder,
                                              const std::string& fileName) {
    CComPtr<ITEVComponentFeed> feed = FeedOf(m_wndControl.GetControlUnknown());
    if (!feed || fileName.empty())
        return false;
    CComBSTR path = InBstr(tev::WithTrailingSlash(folder) + fileName);
    return feed->WriteFeed(path) == S_OK;
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
    // Kept data stays as the text has it; the control gets the element as the parser
    // writes it.
    const bool found = HasControl() ? ExtractDataSection(xml, dataXml)
                                    : CDesignerProject::StoredDataSection(xml, dataXml);
    if (found)
        SetDataSection(dataXml);
}

void CTEVComponentDesignerDataView::KeepStoredData(const std::string& storedXml) {
    std::string dataXml;
    if (!HasControl() && CDesignerProject::StoredDataSection(storedXml, dataXml))
        m_strKeptData = dataXml;
}

void CTEVComponentDesignerDataView::ResetControlData() {
    LoadProjectData(CDesignerProject::kNewProjectXml);
    SetExtendedParams("");
}

} // namespace TEVComponentDesignerAfx
