#include "designer/templates/TEVComponentDesignerTemplateView.h"

#include "designer/core/TEVComponentDesignerView.h"
#include "platform/xml/XmlDom.h"

namespace TEVComponentDesignerAfx {
namespace {
constexpr const char* kInitialPageName = "index.html";
// The document the grid takes a project's UserDefined element in.
constexpr const char* kGridDocumentStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><flash><tev></tev>";
constexpr const char* kGridDocumentEnd = "</flash>";
} // namespace

CTEVComponentDesignerTemplateView::CTEVComponentDesignerTemplateView()
    : m_strDefaultPageName(kInitialPageName), m_strPageName(kInitialPageName) {}

CTEVComponentDesignerTemplateView::~CTEVComponentDesignerTemplateView() = default;

bool CTEVComponentDesignerTemplateView::Create(wxWindow* parent, wxWindowID id,
                                               const wxString& name) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name))
        return false;
    CreatePropertyGrid();
    return true;
}

void CTEVComponentDesignerTemplateView::OnInitialUpdate() {
    m_wndPropertyGrid.LoadComponent();
}

void CTEVComponentDesignerTemplateView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    m_wndPropertyGrid.SetComponentPath(path);
}

void CTEVComponentDesignerTemplateView::SetIndexHtmlFileName(const std::string& name) {
    m_strDefaultPageName = name;
    m_strPageName = name;
}

std::string CTEVComponentDesignerTemplateView::GetUserDefinedXml() const {
    return m_wndPropertyGrid.GetUserDefinedXml();
}

std::string CTEVComponentDesignerTemplateView::GetFlashComponentPath() const {
    return {};
}

std::string CTEVComponentDesignerTemplateView::GetHtmlCode() const {
    return {};
}

void CTEVComponentDesignerTemplateView::SetPropertiesXml(const std::string& xml) {
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, xml))
        return;
    const pugi::xml_node root = doc.document_element();
    if (const pugi::xml_node userDefined = root.child("UserDefined"))
        m_wndPropertyGrid.SetPropertiesXml(kGridDocumentStart + tev::XmlOf(userDefined) +
                                           kGridDocumentEnd);
    if (const pugi::xml_node data = root.child("Data"))
        SetDataXml(tev::XmlOf(data));
}

void CTEVComponentDesignerTemplateView::SetDataXml(const std::string& xml) {
    m_protocol.Push(&ITEVComponentProtocol::SetDataXml, xml);
}

void CTEVComponentDesignerTemplateView::SetExtendedXml(const std::string& fragment) {
    m_protocol.Push(&ITEVComponentProtocol::SetExtendedXmlText, fragment);
    m_wndPropertyGrid.SetExtendedXml(fragment);
}

void CTEVComponentDesignerTemplateView::RefreshPreview() {}

void CTEVComponentDesignerTemplateView::RefreshGallery() {}

void CTEVComponentDesignerTemplateView::ResetComponent() {
    m_strPageName = m_strDefaultPageName;
    m_protocol.Push(&ITEVComponentProtocol::SetDataXml, "");
    m_wndPropertyGrid.LoadComponent();
    // The preview reloads the descriptor and rebuilds here once it exists.
}

void CTEVComponentDesignerTemplateView::PropertyInitialized(const std::string& name,
                                                            const std::string& category,
                                                            const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyInitNotify(name, category, value);
    PreviewPropertyInitialized(name, value);
    if (name == CTEVComponentPropertyGridView::PageNameProperty())
        m_strPageName = value.ToText();
}

void CTEVComponentDesignerTemplateView::PropertyChanged(const std::string& name,
                                                        const std::string& category,
                                                        const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyChangeNotify(name, category, value);
    PreviewPropertyChanged(name, value);
    if (name == CTEVComponentPropertyGridView::PageNameProperty())
        m_strPageName = value.ToText();
}

// ---------------------------------------------------------------------------------------
// The property grid

void CTEVComponentDesignerTemplateView::CreatePropertyGrid() {
    m_wndPropertyGrid.SetOwner(this);
    m_wndPropertyGrid.Create(this);
    Bind(wxEVT_SIZE, &CTEVComponentDesignerTemplateView::OnSize, this);
}

void CTEVComponentDesignerTemplateView::OnSize(wxSizeEvent& event) {
    // Until the page has its panes, the grid takes the whole page.
    m_wndPropertyGrid.SetSize(GetClientSize());
    event.Skip();
}

const std::vector<std::string>* CTEVComponentDesignerTemplateView::GetAssets() const {
    return &m_wndPropertyGrid.GetAssets();
}

void CTEVComponentDesignerTemplateView::ApplyTemplate(const std::string& path) {
    m_wndPropertyGrid.LoadTemplateValues(path);
    RefreshPreview();
}

void CTEVComponentDesignerTemplateView::SetPropertyFromPreview(const std::string& name,
                                                               const std::string& category,
                                                               const CComVariant& value) {
    m_wndPropertyGrid.SetPropertyValue(name, category, value);
    if (m_pDesignerView)
        m_pDesignerView->PropertyChangeNotify(name, category, value);
}

// The preview's handling of property values goes here once the preview exists.
void CTEVComponentDesignerTemplateView::PreviewPropertyInitialized(const std::string&,
                                                                   const CComVariant&) {}

void CTEVComponentDesignerTemplateView::PreviewPropertyChanged(const std::string&,
                                                               const CComVariant&) {}

} // namespace TEVComponentDesignerAfx
