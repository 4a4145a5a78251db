#include "designer/templates/TEVComponentDesignerTemplateView.h"

#include "designer/core/TEVComponentDesignerView.h"
#include "designer/templates/SimpleSplitter.h"
#include "designer/templates/XTHtmlPreviewView.h"
#include "designer/templates/XTHtmlTemplateView.h"
#include "platform/xml/XmlDom.h"

namespace TEVComponentDesignerAfx {
namespace {
constexpr const char* kInitialPageName = "index.html";
// The document the grid takes a project's UserDefined element in.
constexpr const char* kGridDocumentStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><flash><tev></tev>";
constexpr const char* kGridDocumentEnd = "</flash>";

template <class Window> void DestroyPart(Window*& window) {
    if (window) {
        window->Destroy();
        window = nullptr;
    }
}
} // namespace

CTEVComponentDesignerTemplateView::CTEVComponentDesignerTemplateView()
    : m_strDefaultPageName(kInitialPageName), m_strPageName(kInitialPageName) {}

CTEVComponentDesignerTemplateView::~CTEVComponentDesignerTemplateView() {
    OnDestroy();
}

bool CTEVComponentDesignerTemplateView::Create(wxWindow* parent, wxWindowID id,
                                               const wxString& name) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name))
        return false;
    Bind(wxEVT_SIZE, &CTEVComponentDesignerTemplateView::OnSize, this);
    OnCreate();
    return true;
}

// ---------------------------------------------------------------------------------------
// Layout, gallery and preview

void CTEVComponentDesignerTemplateView::OnCreate() {
    m_pOuterSplitter =
        new CSimpleSplitter(2, CSimpleSplitter::kSideBySide, kOuterMinimumPane, kBarThickness);
    m_pOuterSplitter->Create(this, wxID_ANY);
    m_pInnerSplitter =
        new CSimpleSplitter(2, CSimpleSplitter::kStacked, kInnerMinimumPane, kBarThickness);
    m_pInnerSplitter->Create(m_pOuterSplitter, CSimpleSplitter::PaneId(0));

    m_pPreviewView = new CXTHtmlPreviewView;
    m_pPreviewView->Create(m_pOuterSplitter, CSimpleSplitter::PaneId(1));
    m_pPreviewView->SetProjectExtension(m_strProjectExtension);
    m_pPreviewView->SetProjectName(m_strProjectName);
    m_pPreviewView->SetOwner(this);

    m_pGalleryView = new CXTHtmlTemplateView;
    m_pGalleryView->Create(m_pInnerSplitter, CSimpleSplitter::PaneId(0));
    m_pGalleryView->SetOwner(this);
    m_pGalleryView->SetTemplateRoots(m_pTemplateRoots);

    m_wndPropertyGrid.SetOwner(this);
    m_wndPropertyGrid.Create(m_pInnerSplitter, CSimpleSplitter::PaneId(1));

    m_pOuterSplitter->SetPane(0, m_pInnerSplitter);
    m_pOuterSplitter->SetPane(1, m_pPreviewView);
    m_pInnerSplitter->SetPane(0, m_pGalleryView);
    m_pInnerSplitter->SetPane(1, &m_wndPropertyGrid);
}

void CTEVComponentDesignerTemplateView::OnInitialUpdate() {
    if (m_pOuterSplitter) {
        const int width = GetClientSize().x;
        // Before the page has a size the proportion is all there is to give.
        m_pOuterSplitter->SetPaneSizes(width > 0 ? std::vector<int>{width / 3, width}
                                                 : std::vector<int>{1, 3});
    }
    RefreshPreview();
    RefreshGallery();
    if (m_pPreviewView)
        m_pPreviewView->RegisterAboutHandler();
    m_wndPropertyGrid.LoadComponent();
}

void CTEVComponentDesignerTemplateView::OnSize(wxSizeEvent& event) {
    if (m_pOuterSplitter)
        m_pOuterSplitter->SetSize(GetClientSize());
    event.Skip();
}

void CTEVComponentDesignerTemplateView::OnDestroy() {
    // The preview goes first: it gives up the "about" namespace. The splitters go with the
    // page's window, once the grid (a member, in the inner splitter) has gone by itself.
    DestroyPart(m_pPreviewView);
    DestroyPart(m_pGalleryView);
}

void CTEVComponentDesignerTemplateView::SetTemplateRoots(const std::vector<std::string>* roots) {
    m_pTemplateRoots = roots;
    if (m_pGalleryView)
        m_pGalleryView->SetTemplateRoots(roots);
}

void CTEVComponentDesignerTemplateView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    if (m_pPreviewView)
        m_pPreviewView->SetComponentPath(path);
    if (m_pGalleryView)
        m_pGalleryView->SetComponentPath(path);
    m_wndPropertyGrid.SetComponentPath(path);
}

void CTEVComponentDesignerTemplateView::SetProjectExtension(const std::string& extension) {
    m_strProjectExtension = extension;
    if (m_pPreviewView)
        m_pPreviewView->SetProjectExtension(extension);
}

void CTEVComponentDesignerTemplateView::SetProjectName(const std::string& name) {
    m_strProjectName = name;
    if (m_pPreviewView)
        m_pPreviewView->SetProjectName(name);
}

std::string CTEVComponentDesignerTemplateView::GetFlashComponentPath() const {
    return m_pPreviewView ? m_pPreviewView->GetFlashComponentPath() : std::string();
}

std::string CTEVComponentDesignerTemplateView::GetHtmlCode() const {
    return m_pPreviewView ? m_pPreviewView->GetHtmlCode() : std::string();
}

void CTEVComponentDesignerTemplateView::RefreshPreview() {
    if (m_pPreviewView)
        m_pPreviewView->RebuildPreview();
}

void CTEVComponentDesignerTemplateView::RefreshGallery() {
    if (m_pGalleryView)
        m_pGalleryView->BuildGallery();
}

// ---------------------------------------------------------------------------------------
// Project values and the property grid

void CTEVComponentDesignerTemplateView::SetIndexHtmlFileName(const std::string& name) {
    m_strDefaultPageName = name;
    m_strPageName = name;
}

std::string CTEVComponentDesignerTemplateView::GetUserDefinedXml() const {
    return m_wndPropertyGrid.GetUserDefinedXml();
}

const std::vector<std::string>* CTEVComponentDesignerTemplateView::GetAssets() const {
    return &m_wndPropertyGrid.GetAssets();
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

void CTEVComponentDesignerTemplateView::ResetComponent() {
    m_strPageName = m_strDefaultPageName;
    m_protocol.Push(&ITEVComponentProtocol::SetDataXml, "");
    m_wndPropertyGrid.LoadComponent();
    if (m_pPreviewView) {
        m_pPreviewView->LoadComponent();
        m_pPreviewView->RebuildPreview();
    }
}

void CTEVComponentDesignerTemplateView::PropertyInitialized(const std::string& name,
                                                            const std::string& category,
                                                            const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyInitNotify(name, category, value);
    if (m_pPreviewView)
        m_pPreviewView->OnPropertyInitialized(name, category, value);
    if (name == CTEVComponentPropertyGridView::PageNameProperty())
        m_strPageName = value.ToText();
}

void CTEVComponentDesignerTemplateView::PropertyChanged(const std::string& name,
                                                        const std::string& category,
                                                        const CComVariant& value) {
    if (m_pDesignerView)
        m_pDesignerView->PropertyChangeNotify(name, category, value);
    if (m_pPreviewView)
        m_pPreviewView->OnPropertyChanged(name, category, value);
    if (name == CTEVComponentPropertyGridView::PageNameProperty())
        m_strPageName = value.ToText();
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

} // namespace TEVComponentDesignerAfx
