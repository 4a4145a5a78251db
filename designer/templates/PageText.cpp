#include "designer/templates/PageText.h"

#include "platform/text/TextConvert.h"

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

} // namespace

std::string HtmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
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
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && MisreadInUrl(byte))
            AppendPercent(out, byte);
        else
            out += c;
    }
    return out;
}

std::string FlashVarEncoded(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '%' || c == '&' || c == '+')
            AppendPercent(out, static_cast<unsigned char>(c));
        else
            out += c;
    }
    return out;
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
