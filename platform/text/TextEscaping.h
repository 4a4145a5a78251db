#pragma once
// Escaping text for the places it is written into, and reading the digits of escapes back.
#include <string>
#include <string_view>

namespace tev {

// How MarkupEscaped treats the apostrophe: an XML file whose values sit in double quotes
// keeps it as it is; HTML that may put a value in single quotes needs it as a reference.
enum class Apostrophe { Kept, AsReference };

// Text for XML or HTML content or a double-quoted attribute value: & < > " become character
// references ("&amp;" "&lt;" "&gt;" "&quot;"), the apostrophe "&#39;" when asked for; every
// other byte is copied as it is.
std::string MarkupEscaped(std::string_view text, Apostrophe apostrophe);

// How BackslashEscaped treats the double quote: a value written between quotes escapes it.
enum class DoubleQuote { Kept, Escaped };

// Text for a one-line value of a settings file: backslash, line feed, carriage return and tab
// become \\ \n \r \t, and the double quote \" when asked for; every other byte is copied as
// it is.
std::string BackslashEscaped(std::string_view text, DoubleQuote quote);

// The value of one hexadecimal digit (either case), -1 for any other character.
int HexDigitValue(char c);

} // namespace tev
