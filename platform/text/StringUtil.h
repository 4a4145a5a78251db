#pragma once
// Small text helpers in the manner of the class library's string type.
#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace tev {

// printf-style formatting into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

// Replaces every occurrence of `from` (not empty) by `to`; returns the number replaced.
int ReplaceAll(std::string& text, std::string_view from, std::string_view to);
std::string Replaced(std::string text, std::string_view from, std::string_view to);

std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
std::string Trimmed(std::string_view text);
std::vector<std::string> Split(std::string_view text, char separator);

// C `atol`/`atoi` semantics: leading blanks, optional sign, digits; 0 when none.
long AtoL(std::string_view text);

// Path pieces with '/' as separator: the folder up to and including the last '/',
// and the part after it.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);
// The file name without its last extension; a name without a dot stays whole.
std::string StemOf(std::string_view path);
// Adds a trailing '/' unless the text already ends with one.
std::string WithTrailingSlash(std::string_view folder);

} // namespace tev
