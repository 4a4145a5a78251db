#include "platform/widgets/Translations.h"

#include "platform/shell/InstallFolders.h"
#include "platform/text/Translation.h"

#include <wx/intl.h>
#include <wx/translation.h>

namespace tev {
namespace {

std::string TranslateWithCatalogs(const char* sourceText) {
    const wxTranslations* translations = wxTranslations::Get();
    const wxString* found =
        translations ? translations->GetTranslatedString(wxString::FromUTF8(sourceText)) : nullptr;
    return found ? std::string(found->utf8_str()) : std::string(sourceText);
}

} // namespace

wxString Tr(const char* sourceText) {
    return wxString::FromUTF8(Translate(sourceText));
}

wxString Tr(const std::string& sourceText) {
    return Tr(sourceText.c_str());
}

bool LoadTranslations(const std::string& domain) {
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(LocaleFolder()));
    wxTranslations* translations = wxTranslations::Get();
    if (!translations) {
        translations = new wxTranslations;
        wxTranslations::Set(translations);
    }
    translations->AddStdCatalog();
    const bool loaded = translations->AddCatalog(wxString::FromUTF8(domain));
    SetTranslator(&TranslateWithCatalogs);
    SetTranslationLanguage(
        loaded ? translations->GetBestTranslation(wxString::FromUTF8(domain)).utf8_string() : "");
    return loaded;
}

} // namespace tev
