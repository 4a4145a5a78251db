#pragma once
// What the handler's instances share: the last texts pushed into any of them, and the
// document built from them for "about:props.xml".
#include <mutex>
#include <string>

namespace tevprotocol {

// The name of the properties document the movie reads.
constexpr const char* kPropsDocumentName = "props.xml";

struct PushedTexts {
    std::string baseFolder;
    std::string userDefinedXml;
    std::string dataXml;
    std::string extendedXml;
};

// One state for the whole class, guarded for instances used from several threads.
class ComponentProtocolState {
public:
    static ComponentProtocolState& Instance();

    void Store(std::string PushedTexts::*field, std::string text);
    PushedTexts Snapshot() const;

private:
    mutable std::mutex m_mutex;
    PushedTexts m_texts;
};

// The properties document in the shape of the published data file, as UTF-8 with a
// declaration: a `flash` root holding `UserDefined` with the user-defined entries, then what
// was pushed as data (the `Data` element), then `Extended` with the extended fragment when
// there is one. A pushed text that is not well-formed on its own is left out, so one bad
// text never spoils the others or the document.
std::string BuildPropsDocument(const PushedTexts& texts);

} // namespace tevprotocol
