#pragma once
// Conversions between the narrow text of this platform (UTF-8, the "ANSI code page")
// and UTF-16, which appears only in project files, data files and BSTRs.
#include <string>
#include <string_view>

namespace tev {

// UTF-8 to UTF-16. Malformed bytes become U+FFFD, so nothing is silently dropped.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16 to UTF-8. A unit that has no equivalent (an unpaired surrogate) becomes
// `defaultChar`; `usedDefault`, when given, tells whether that happened.
std::string Utf16ToUtf8(std::u16string_view text, char defaultChar = '#',
                        bool* usedDefault = nullptr);

// ISO-8859-1 bytes to UTF-8 (every byte maps to the code point of the same value).
std::string Latin1ToUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8: ISO-8859-1 except 0x80 to 0x9F, which hold typographic
// characters (0x80 the euro sign, 0x93 and 0x94 quotation marks); the five bytes that
// code page leaves unassigned keep the code point of their own value, as Windows does.
std::string Windows1252ToUtf8(std::string_view bytes);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

} // namespace tev
