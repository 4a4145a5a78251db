#include "platform/text/Translation.h"

#include <atomic>

namespace tev {
namespace {

std::atomic<Translator> g_translator{nullptr};

} // namespace

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
