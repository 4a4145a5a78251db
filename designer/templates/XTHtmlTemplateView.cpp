#include "designer/templates/XTHtmlTemplateView.h"

#include "designer/templates/GalleryPage.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "designer/templates/TemplateResources.h"

namespace TEVComponentDesignerAfx {

CXTHtmlTemplateView::CXTHtmlTemplateView() {
    m_movie.width = 100;
    m_movie.height = 100;
    m_dispatch.Add("ChangeTemplate", [this](const tev::ExternalArgs& args) {
        if (!args.empty())
            ChangeTemplate(args.front().ToText());
    });
}

bool CXTHtmlTemplateView::Create(wxWindow* parent, wxWindowID id) {
    return CXTHtmlView::Create(parent, id, kWindowName);
}

void CXTHtmlTemplateView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    BuildGallery();
}

void CXTHtmlTemplateView::BuildGallery() {
    m_movie.Read(m_strComponentPath, CComponentMovie::Lookup::FirstChild);
    const std::string_view pageTemplate = TemplateResource(IDR_HTML_TEMPLATES);
    ClearDocument();
    if (pageTemplate.empty())
        return;
    static const std::vector<std::string> kNoRoots;
    WriteDocument(CGalleryPage::BuildPage(pageTemplate, m_movie,
                                          m_pTemplateRoots ? *m_pTemplateRoots : kNoRoots));
}

void CXTHtmlTemplateView::ChangeTemplate(const std::string& path) {
    // Paths keep '/' here: Windows turns them into '\', which Linux paths never need.
    if (m_pOwner)
        m_pOwner->ApplyTemplate(path);
}

} // namespace TEVComponentDesignerAfx
