#include "designer/templates/PageText.h"

#include "platform/text/TextConvert.h"
#include "platform/text/TextEscaping.h"

#include <cstdio>

namespace TEVComponentDesignerAfx {
namespace {

void AppendPercent(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

bool MisreadInUrl(unsigned char c) {
    if (c <= 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case '"':
    case '#':
    case '%':
    case '<':
    case '>':
    case '?':
    case '[':
    case '\\':
    case ']':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

// The length of the well-formed UTF-8 sequence that starts at text[i]; 0 when the bytes there
// are not one.
size_t Utf8SequenceAt(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    return tev::IsValidUtf8(text.substr(i, length)) ? length : 0;
}

// Percent-encodes what `encode` picks among ASCII bytes, and every byte that is not part of
// well-formed UTF-8 (a file name may hold any bytes; escaped, they still name the file).
template <class Pick> std::string PercentEncoded(std::string_view text, Pick encode) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceAt(text, i);
        const auto byte = static_cast<unsigned char>(text[i]);
        if (length == 0 || (length == 1 && encode(byte))) {
            AppendPercent(out, byte);
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace

std::string HtmlEscaped(std::string_view raw) {
    // Malformed UTF-8 becomes U+FFFD: the page is handed over as UTF-8 text, which bytes
    // that are not would empty as a whole.
    const std::string text =
        tev::IsValidUtf8(raw) ? std::string(raw) : tev::Utf16ToUtf8(tev::Utf8ToUtf16(raw));
    return tev::MarkupEscaped(text, tev::Apostrophe::AsReference);
}

std::string ScriptStringEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char escape[8];
    for (const char16_t unit : tev::Utf8ToUtf16(text)) {
        const bool plain = unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\'' &&
                           unit != '\\' && unit != '<' && unit != '>';
        if (plain) {
            out += static_cast<char>(unit);
        } else {
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
            out += escape;
        }
    }
    return out;
}

std::string UrlPathEncoded(std::string_view path) {
    return PercentEncoded(path, MisreadInUrl);
}

std::string FlashVarEncoded(std::string_view value) {
    return PercentEncoded(value, [](unsigned char c) { return c == '%' || c == '&' || c == '+'; });
}

std::string FileUrlOf(std::string_view path) {
    std::string url = "file://";
    if (path.empty() || path.front() != '/')
        url += '/';
    url += UrlPathEncoded(path);
    return url;
}

std::string FlashObjectStartTag(int width, int height, const std::string& id) {
    return std::string("<OBJECT classid=\"") + kFlashClassId + "\" codebase=\"" + kFlashCodebase +
           "\" WIDTH=\"" + std::to_string(width) + "\" HEIGHT=\"" + std::to_string(height) +
           "\" id=\"" + HtmlEscaped(id) + "\">";
}

} // namespace TEVComponentDesignerAfx
