#include "designer/templates/AboutSchemeHandler.h"

#include "platform/text/StringUtil.h"
#include "platform/web/InternetSession.h"

#include <wx/filesys.h>
#include <wx/mstream.h>

namespace TEVComponentDesignerAfx {

std::string CAboutSchemeHandler::AboutUrlOf(std::string_view url) {
    const std::string prefix = std::string(kScheme) + ":";
    if (url.size() < prefix.size() || !tev::EqualsNoCase(url.substr(0, prefix.size()), prefix))
        return {};
    return "about:" + std::string(url.substr(prefix.size()));
}

wxFSFile* CAboutSchemeHandler::GetFile(const wxString& uri) {
    const std::string about = AboutUrlOf(uri.utf8_string());
    if (about.empty())
        return nullptr;
    tev::InternetResponse response;
    if (FAILED(tev::InternetSession::Instance().Resolve(about, response)))
        return nullptr;
    wxMemoryOutputStream body;
    body.Write(response.content.data(), response.content.size());
    return new wxFSFile(new wxMemoryInputStream(body), uri,
                        wxString::FromUTF8(response.contentType), wxString(), wxDateTime::Now());
}

} // namespace TEVComponentDesignerAfx
