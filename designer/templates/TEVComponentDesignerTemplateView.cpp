#include "designer/templates/TEVComponentDesignerTemplateView.h"

#include "designer/core/TEVComponentDesignerView.h"
#include "platform/xml/XmlDom.h"

namespace TEVComponentDesignerAfx {
namespace {
constexpr const char* kInitialPageName = "index.html";
constexpr const char* kPageNameProperty = "Page Name";
} // namespace

CTEVComponentDesignerTemplateView::CTEVComponentDesignerTemplateView()
    : m_strDefaultPageName(kInitialPageName), m_strPageName(kInitialPageName) {}

CTEVComponentDesignerTemplateView::~CTEVComponentDesignerTemplateView() = default;

bool CTEVComponentDesignerTemplateView::Create(wxWindow* parent, wxWindowID id,
                                               const wxString& name) {
    return wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                           wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name);
}

void CTEVComponentDesignerTemplateView::OnInitialUpdate() {}

void CTEVComponentDesignerTemplateView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
}

void CTEVComponentDesignerTemplateView::SetIndexHtmlFileName(const std::string& name) {
    m_strDefaultPageName = name;
    m_strPageName = name;
}

std::string CTEVComponentDesignerTemplateView::GetUserDefinedXml() const {
    return m_strUserDefinedXml;
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
    const pugi::xml_node userDefined = doc.document_element().child("UserDefined");
    if (userDefined)
        m_strUserDefinedXml = tev::XmlOf(userDefined);
}

void CTEVComponentDesignerTemplateView::SetDataXml(const std::string&) {}

void CTEVComponentDesignerTemplateView::SetExtendedXml(const std::string&) {}

void CTEVComponentDesignerTemplateView::RefreshPreview() {}

void CTEVComponentDesignerTemplateView::RefreshGallery() {}

void CTEVComponentDesignerTemplateView::ResetComponent() {
    m_strPageName = m_strDefaultPageName;
    m_strUserDefinedXml.clear();
}

void CTEVComponentDesignerTemplateView::PropertyInitialized(const std::string& name,
                                                            const std::string& category,
                                                            const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyInitNotify(name, category, value);
    if (name == kPageNameProperty)
        m_strPageName = value.ToText();
}

void CTEVComponentDesignerTemplateView::PropertyChanged(const std::string& name,
                                                        const std::string& category,
                                                        const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyChangeNotify(name, category, value);
    if (name == kPageNameProperty)
        m_strPageName = value.ToText();
}

} // namespace TEVComponentDesignerAfx
