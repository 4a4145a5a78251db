#include "platform/xml/XmlDom.h"

#include <vector>

namespace tev {
namespace {

// Collects printed text in pieces and joins them once: a string or a string stream that
// grows with every piece copies a large document over and over into fresh memory.
class PiecesWriter : public pugi::xml_writer {
public:
    void write(const void* data, size_t size) override {
        m_pieces.emplace_back(static_cast<const char*>(data), size);
        m_size += size;
    }
    std::string Join() const {
        std::string text;
        text.reserve(m_size);
        for (const std::string& piece : m_pieces)
            text += piece;
        return text;
    }

private:
    std::vector<std::string> m_pieces;
    size_t m_size = 0;
};

} // namespace

bool LoadXml(pugi::xml_document& doc, std::string_view text) {
    const pugi::xml_parse_result result =
        doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    return result && doc.document_element();
}

bool LoadXmlFile(pugi::xml_document& doc, const std::string& path) {
    const pugi::xml_parse_result result = doc.load_file(path.c_str(), pugi::parse_default);
    return result && doc.document_element();
}

std::string XmlOf(const pugi::xml_node& node) {
    PiecesWriter out;
    const unsigned flags = pugi::format_raw | pugi::format_no_declaration;
    if (node.type() == pugi::node_document) {
        for (pugi::xml_node child : node.children())
            child.print(out, "", flags, pugi::encoding_utf8);
    } else {
        node.print(out, "", flags, pugi::encoding_utf8);
    }
    return out.Join();
}

std::string AttributeText(const pugi::xml_node& node, const char* name) {
    return node.attribute(name).value();
}

} // namespace tev
