#include "platform/text/Translation.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <atomic>
#include <mutex>

namespace tev {
namespace {

std::atomic<Translator> g_translator{nullptr};
std::mutex g_mutex;
std::string g_language;

} // namespace

void SetTranslationLanguage(const std::string& language) {
    std::lock_guard<std::mutex> guard(g_mutex);
    g_language = language;
}

std::string TranslationLanguage() {
    std::lock_guard<std::mutex> guard(g_mutex);
    return g_language;
}

std::string LocalizedFile(const std::string& path) {
    const std::string language = TranslationLanguage();
    const std::string base = language.substr(0, language.find('_'));
    for (const std::string& folder : {language, base}) {
        const std::string localized = FolderOf(path) + folder + "/" + FileNameOf(path);
        if (!folder.empty() && FileExists(localized))
            return localized;
    }
    return path;
}

void SetTranslator(Translator translator) {
    g_translator = translator;
}

std::string Translate(const char* sourceText) {
    if (!sourceText)
        return {};
    const Translator translator = g_translator;
    return translator && *sourceText ? translator(sourceText) : std::string(sourceText);
}

} // namespace tev
