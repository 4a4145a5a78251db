#pragma once
// Putting names and paths into the pages the Choose Style tab builds. A folder name or a
// project name is user text: it may hold quotes, '<', '&', '#', '%', blanks or characters
// outside ASCII, and each place a text lands in a page misreads different characters.
#include <string>
#include <string_view>

namespace TEVComponentDesignerAfx {

// Text for HTML content or a double-quoted attribute value: & < > " ' as character
// references, malformed UTF-8 as U+FFFD.
std::string HtmlEscaped(std::string_view text);

// UTF-8 text for the inside of a script string literal (either quote): printable ASCII stays
// except " ' \ < >, which become \u escapes like every control character and every character
// outside ASCII (as UTF-16 units). The literal then survives any page encoding and cannot end
// the literal or the script element early. Malformed UTF-8 becomes U+FFFD.
std::string ScriptStringEscaped(std::string_view text);

// A path or file name as a URL path: the ASCII characters a URL would misread (blanks and
// control characters, " # % < > ? [ \ ] ^ ` { | }) become %XX escapes, and so do bytes that
// are not well-formed UTF-8; '/' and characters outside ASCII stay, the browser encodes the
// latter as UTF-8 like the file system names them.
std::string UrlPathEncoded(std::string_view path);

// A value for the FlashVars list "name=value&name=value", which the player splits at '&' and
// URL-decodes once: % & + (and bytes that are not well-formed UTF-8) become %XX escapes so
// that the value arrives unchanged.
std::string FlashVarEncoded(std::string_view value);

// The file: URL of an absolute path ("file:///folder/movie.js"); "file:///" for "".
std::string FileUrlOf(std::string_view path);

// The Flash OBJECT that the player plays in the gallery and the preview.
constexpr const char* kFlashClassId = "clsid:D27CDB6E-AE6D-11cf-96B8-444553540000";
constexpr const char* kFlashCodebase =
    "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=8,0,0,0";
// "<OBJECT classid=... codebase=... WIDTH="w" HEIGHT="h" id="id">"
std::string FlashObjectStartTag(int width, int height, const std::string& id);

} // namespace TEVComponentDesignerAfx
