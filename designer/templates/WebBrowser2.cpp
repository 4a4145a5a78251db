#include "designer/templates/WebBrowser2.h"

#include "designer/templates/TemplateResources.h"
#include "platform/shell/InstallFolders.h"

#include <fstream>
#include <sstream>

namespace TEVComponentDesignerAfx {
namespace {

constexpr const char* kPlayerFileName = "swfobject.js";

} // namespace

bool CWebBrowser2::Create(const wxString& windowName, long style, const wxRect& rect,
                          wxWindow* parent, wxWindowID id) {
    if (!tev::HtmlView::Create(parent, id, windowName, nullptr, rect.GetPosition(), rect.GetSize(),
                               BrowserStart::WhenShown))
        return false;
    if (style & wxCLIP_CHILDREN)
        SetWindowStyleFlag(GetWindowStyleFlag() | wxCLIP_CHILDREN);
    if (!HasBrowser())
        return true;
    AddUserScript(PlayerScript());
    // The movie reads its document from a file or from the "about" scheme; the pages come
    // from text, so they need leave to read both.
    EnableFileAccessFromFileUrls(true);
    return true;
}

std::string CWebBrowser2::PlayerScript() {
    std::ifstream in(tev::DataFolder() + kPlayerFileName, std::ios::binary);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        if (!text.str().empty())
            return text.str();
    }
    return std::string(TemplateResource(IDR_JS_SWFOBJECT));
}

void CWebBrowser2::ClearDocument() {
    if (!HasBrowser())
        return;
    m_document.clear();
    m_open = true;
    SetPage(std::string(), kDocumentBase);
}

void CWebBrowser2::WriteDocument(const std::string& text) {
    if (!HasBrowser())
        return;
    if (!m_open) {
        m_document.clear();
        m_open = true;
    }
    m_document += text;
    SetPage(m_document, kDocumentBase);
}

} // namespace TEVComponentDesignerAfx
