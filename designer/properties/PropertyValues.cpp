#include "designer/properties/PropertyValues.h"

#include "platform/com/Variant.h"
#include "platform/text/StringUtil.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>

namespace TEVComponentDesignerAfx::PropertyValues {
namespace {

// Two characters read as hexadecimal the way strtol reads them: leading blanks and a sign
// are taken, reading stops at the first character that is not a digit.
unsigned HexPair(std::string_view pair) {
    size_t i = 0;
    while (i < pair.size() && std::isspace(static_cast<unsigned char>(pair[i])))
        ++i;
    bool negative = false;
    if (i < pair.size() && (pair[i] == '+' || pair[i] == '-')) {
        negative = pair[i] == '-';
        ++i;
    }
    unsigned value = 0;
    for (; i < pair.size() && std::isxdigit(static_cast<unsigned char>(pair[i])); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(pair[i])));
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return negative ? (0u - value) & 0xFF : value & 0xFF;
}

} // namespace

ColorRef ParseColor(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && text[start] == '0')
        ++start;
    while (start < text.size() && text[start] == 'x')
        ++start;
    const std::string_view digits = text.substr(start);
    std::string_view red, green, blue;
    if (digits.size() >= 2)
        red = digits.substr(0, 2);
    green = digits.size() > 3 ? digits.substr(2, 2) : red;
    blue = digits.size() >= 6 ? digits.substr(4, 2) : green;
    return MakeColorRef(HexPair(red), HexPair(green), HexPair(blue));
}

std::string FormatColor(ColorRef color) {
    return tev::Format("0x%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
}

bool ParseNumber(std::string_view text, int32_t& out) {
    return CComVariant(text).ToInt(out);
}

std::string FormatNumber(int32_t value) {
    return std::to_string(value);
}

bool ParseBoolean(std::string_view text, bool& out) {
    return CComVariant(text).ToBool(out);
}

std::string FormatBoolean(bool value) {
    return value ? "true" : "false";
}

int32_t EditTextToNumber(std::string_view text) {
    const long value = tev::AtoL(text);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool IsNumberText(std::string_view text) {
    const std::string number = tev::Trimmed(text);
    const std::size_t digits = !number.empty() && (number[0] == '+' || number[0] == '-') ? 1 : 0;
    return number.size() > digits && std::all_of(number.begin() + digits, number.end(),
                                                 [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace TEVComponentDesignerAfx::PropertyValues
