#include "protocol/ComponentProtocolState.h"

#include "platform/text/StringUtil.h"
#include "platform/xml/XmlDom.h"

#include <cctype>
#include <sstream>

namespace tevprotocol {
namespace {

// A text taken from a whole document may start with a byte-order mark and a declaration,
// which cannot stand inside an element.
std::string_view WithoutDeclaration(std::string_view text) {
    if (tev::StartsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    const std::string_view rest = text.substr(start);
    if (rest.size() > 5 && tev::StartsWith(rest, "<?xml") &&
        (rest[5] == '?' || std::isspace(static_cast<unsigned char>(rest[5])))) {
        const size_t end = rest.find("?>");
        if (end != std::string_view::npos)
            return rest.substr(end + 2);
    }
    return text;
}

// Parses `text` as the content of one element. A text that closes the wrapper early
// ("...</content><Data/><content>") is refused as a whole, like any other broken text.
bool ParseContent(std::string_view text, pugi::xml_document& holder) {
    std::string wrapped = "<content>";
    wrapped += WithoutDeclaration(text);
    wrapped += "</content>";
    if (!tev::LoadXml(holder, wrapped))
        return false;
    const pugi::xml_node root = holder.document_element();
    return holder.first_child() == root && !root.next_sibling();
}

void CopyChildren(const pugi::xml_node& from, pugi::xml_node to) {
    for (const pugi::xml_node child : from.children())
        to.append_copy(child);
}

} // namespace

ComponentProtocolState& ComponentProtocolState::Instance() {
    static ComponentProtocolState state;
    return state;
}

void ComponentProtocolState::Store(std::string PushedTexts::*field, std::string text) {
    std::lock_guard<std::mutex> guard(m_mutex);
    (m_texts.*field).swap(text);
}

PushedTexts ComponentProtocolState::Snapshot() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_texts;
}

std::string BuildPropsDocument(const PushedTexts& texts) {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node flash = doc.append_child("flash");

    pugi::xml_node userDefined = flash.append_child("UserDefined");
    pugi::xml_document piece;
    if (ParseContent(texts.userDefinedXml, piece))
        CopyChildren(piece.document_element(), userDefined);

    piece.reset();
    if (ParseContent(texts.dataXml, piece))
        CopyChildren(piece.document_element(), flash);

    piece.reset();
    if (ParseContent(texts.extendedXml, piece) && piece.document_element().first_child())
        CopyChildren(piece.document_element(), flash.append_child("Extended"));

    std::ostringstream out;
    doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

} // namespace tevprotocol
