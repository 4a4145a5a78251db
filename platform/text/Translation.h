#pragma once
// Translation of the texts users see. The string tables keep their numbers and their English
// source texts; every lookup passes the source text through the translator, which the program
// sets to the toolkit's catalogs (gettext catalogs chosen by LANGUAGE and LANG). Without a
// translator, or for a text a catalog lacks, the source text stays.
#include <string>

namespace tev {

using Translator = std::string (*)(const char* sourceText);

// Sets the translator for the whole process (null: none).
void SetTranslator(Translator translator);
// The language the translator speaks ("de", "de_AT"; "" for the source texts), which the
// program sets with its translator.
void SetTranslationLanguage(const std::string& language);
std::string TranslationLanguage();
// The translated form of a whole file: folder/<language>/name (or folder/<base>/name for a
// language with a region) when it exists, otherwise `path` itself.
std::string LocalizedFile(const std::string& path);

// The translation of `sourceText` (UTF-8).
std::string Translate(const char* sourceText);
inline std::string Translate(const std::string& sourceText) {
    return Translate(sourceText.c_str());
}

} // namespace tev
