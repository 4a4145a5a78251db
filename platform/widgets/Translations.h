#pragma once
// The program's catalogs in the toolkit: loads `domain`.mo for the user's language (LANGUAGE,
// then LC_ALL, LC_MESSAGES and LANG) from the installed locale folder, with the toolkit's own
// catalog for its stock texts, and lets every string table lookup translate through them.
#include <string>

class wxString;

namespace tev {

// True when a catalog of `domain` for the user's language was found.
bool LoadTranslations(const std::string& domain);
// The translation of a fixed text of the resources, for a window.
wxString Tr(const char* sourceText);
wxString Tr(const std::string& sourceText);

} // namespace tev
