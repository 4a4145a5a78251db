#pragma once
// The browser's side of the "about" namespace. WebKit never hands "about:" URLs to a handler,
// so the player asks for "tevabout:<name>" instead; this handler turns the request back into
// "about:<name>" and has the URL-moniker session resolve it with whatever handler is
// registered for "about" there (the component protocol handler, while the preview lives).
// Nothing registered, or nothing at that URL: the request fails as not found.
#include <wx/webview.h>

#include <string>
#include <string_view>

namespace TEVComponentDesignerAfx {

class CAboutSchemeHandler : public wxWebViewHandler {
public:
    static constexpr const char* kScheme = "tevabout";

    CAboutSchemeHandler() : wxWebViewHandler(kScheme) {}

    wxFSFile* GetFile(const wxString& uri) override;

    // "tevabout:props.xml" -> "about:props.xml" (the scheme's letter case does not matter);
    // "" for a URL of another scheme.
    static std::string AboutUrlOf(std::string_view url);
};

} // namespace TEVComponentDesignerAfx
