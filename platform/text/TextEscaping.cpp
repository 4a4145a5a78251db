#include "platform/text/TextEscaping.h"

namespace tev {

std::string BackslashEscaped(std::string_view text, DoubleQuote quote) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += quote == DoubleQuote::Escaped ? "\\\"" : "\"";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string MarkupEscaped(std::string_view text, Apostrophe apostrophe) {
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
            out += apostrophe == Apostrophe::AsReference ? "&#39;" : "'";
            break;
        default:
            out += c;
        }
    }
    return out;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace tev
