#pragma once
// How property values are written into the `value` attribute of a UserDefined entry and how
// they are read back: decimal numbers, "true"/"false", colours as "0x%02X%02X%02X" (red,
// green, blue), list and group choices by their text, texts as they are.
#include <cstdint>
#include <string>
#include <string_view>

namespace TEVComponentDesignerAfx {

// A colour as red + green * 256 + blue * 65536, the way the component's colours are kept.
using ColorRef = uint32_t;

constexpr ColorRef MakeColorRef(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
constexpr unsigned RedOf(ColorRef color) {
    return color & 0xFF;
}
constexpr unsigned GreenOf(ColorRef color) {
    return color >> 8 & 0xFF;
}
constexpr unsigned BlueOf(ColorRef color) {
    return color >> 16 & 0xFF;
}

namespace PropertyValues {

// The limits of the project properties Width and Height, in pixels.
constexpr int32_t kProjectSizeLower = 10;
constexpr int32_t kProjectSizeUpper = 1024;

// Reads a stored colour. Leading '0' characters go, then leading 'x' characters; the first two
// characters left are red, the next two green (the red pair again when no more than three
// characters are left) and the next two blue (the previous pair again when fewer than six are
// left). Every text that FormatColor writes therefore reads back unchanged, while "00FF80"
// without its "0x" reads as the grey 0x8080FF.
ColorRef ParseColor(std::string_view text);
// "0x" + red, green and blue as two upper-case hexadecimal digits each.
std::string FormatColor(ColorRef color);

// A stored number: a decimal integer that fits 32 bits ("true" and "false" count as -1 and 0,
// fractions round), as the variant conversion reads it. False, leaving `out`, otherwise.
bool ParseNumber(std::string_view text, int32_t& out);
std::string FormatNumber(int32_t value);

// A stored boolean: "true"/"false" in any letter case, or a number (non-zero is true).
bool ParseBoolean(std::string_view text, bool& out);
std::string FormatBoolean(bool value);

// What an edit box's text counts as: C `atol` (leading blanks, sign, digits; 0 when there are
// none), kept within 32 bits the way the platform's 32-bit `long` saturates.
int32_t EditTextToNumber(std::string_view text);
// Whether an edit box's text is a whole number: an optional sign and digits, blanks around
// them allowed. "12px", "1.5" and "abc" are not.
bool IsNumberText(std::string_view text);

} // namespace PropertyValues
} // namespace TEVComponentDesignerAfx
