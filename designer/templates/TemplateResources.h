#pragma once
// The page templates and the script compiled into the designer library, by resource number.
#include <string_view>

namespace TEVComponentDesignerAfx {

constexpr int IDR_HTML_PREVIEW = 7506;   // the preview page ("Preview")
constexpr int IDR_JS_SWFOBJECT = 7510;   // swfobject.js, the player
constexpr int IDR_HTML_TEMPLATES = 7513; // the style gallery ("Templates")
constexpr int IDR_HTML_INDEX = 7518;     // the published index page ("Index"), ISO-8859-1

// The resource's bytes exactly as in its file; empty for an unknown number.
std::string_view TemplateResource(int id);

} // namespace TEVComponentDesignerAfx
