#include "designer/templates/XTHtmlPreviewView.h"

#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/templates/AboutSchemeHandler.h"
#include "designer/templates/ComponentMovie.h"
#include "designer/templates/PreviewPage.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "designer/templates/TemplateResources.h"
#include "platform/text/StringUtil.h"
#include "platform/web/InternetSession.h"

namespace TEVComponentDesignerAfx {
namespace {
constexpr const char* kAboutNameSpace = "about";
} // namespace

CXTHtmlPreviewView::CXTHtmlPreviewView() = default;

CXTHtmlPreviewView::~CXTHtmlPreviewView() {
    UnregisterAboutHandler();
}

bool CXTHtmlPreviewView::Create(wxWindow* parent, wxWindowID id) {
    if (!CXTHtmlView::Create(parent, id, kWindowName))
        return false;
    // The player asks for "about:" documents under this scheme; the session answers them.
    if (GetBrowser())
        GetBrowser()->RegisterSchemeHandler(wxSharedPtr<wxWebViewHandler>(new CAboutSchemeHandler));
    return true;
}

void CXTHtmlPreviewView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    LoadComponent();
    RebuildPreview();
}

void CXTHtmlPreviewView::LoadComponent() {
    CComponentMovie movie;
    movie.path = m_strMoviePath;
    if (movie.Read(m_strComponentPath, CComponentMovie::Lookup::FlashElement)) {
        m_strMoviePath = movie.path;
        m_size.Load(movie.width, movie.height);
        m_strComponentFolder = tev::FolderOf(m_strComponentPath);
    }
    if (m_pProtocol)
        m_pProtocol->Push(&ITEVComponentProtocol::SetBaseFolder, m_strComponentFolder);
}

void CXTHtmlPreviewView::RebuildPreview() {
    const std::string_view pageTemplate = TemplateResource(IDR_HTML_PREVIEW);
    ClearDocument();
    if (pageTemplate.empty())
        return;
    WriteDocument(
        CPreviewPage::BuildPreview(pageTemplate, m_strMoviePath, m_size.Width(), m_size.Height()));
}

void CXTHtmlPreviewView::RegisterAboutHandler() {
    if (m_pProtocol)
        return;
    auto binding = std::make_unique<CComponentProtocolBinding>();
    if (!binding->IsAvailable())
        return;
    if (FAILED(tev::InternetSession::Instance().RegisterNameSpace(binding->Factory(),
                                                                  kAboutNameSpace)))
        return;
    m_pProtocol = std::move(binding);
    // A component read before the registration still gets its folder to the handler.
    if (!m_strComponentFolder.empty())
        m_pProtocol->Push(&ITEVComponentProtocol::SetBaseFolder, m_strComponentFolder);
}

void CXTHtmlPreviewView::UnregisterAboutHandler() {
    if (!m_pProtocol)
        return;
    tev::InternetSession::Instance().UnregisterNameSpace(m_pProtocol->Factory(), kAboutNameSpace);
    m_pProtocol.reset();
}

IClassFactory* CXTHtmlPreviewView::GetAboutFactory() const {
    return m_pProtocol ? m_pProtocol->Factory() : nullptr;
}

void CXTHtmlPreviewView::OnPropertyInitialized(const std::string& name, const std::string&,
                                               const CComVariant& value) {
    m_size.OnPropertyInitialized(name, value);
}

void CXTHtmlPreviewView::OnPropertyChanged(const std::string& name, const std::string&,
                                           const CComVariant& value) {
    const CPreviewSize::Change change = m_size.OnPropertyChanged(name, value);
    if (change.setPartner && m_pOwner)
        m_pOwner->SetPropertyFromPreview(change.partnerName,
                                         CPreviewSize::ProjectPropertiesCategory(),
                                         CComVariant(static_cast<int32_t>(change.partnerValue)));
    if (change.rebuild)
        RebuildPreview();
}

std::string CXTHtmlPreviewView::GetHtmlCode() const {
    return CPreviewPage::BuildIndexPage(TemplateResource(IDR_HTML_INDEX), m_strMoviePath,
                                        m_strProjectName, m_size.Width(), m_size.Height());
}

} // namespace TEVComponentDesignerAfx
