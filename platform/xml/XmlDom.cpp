#include "platform/xml/XmlDom.h"

namespace tev {
namespace {

// Collects printed text in a string: a string stream copies large documents over and over
// as it grows.
class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& text) : m_text(text) {}
    void write(const void* data, size_t size) override {
        m_text.append(static_cast<const char*>(data), size);
    }

private:
    std::string& m_text;
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
    std::string text;
    StringWriter out(text);
    const unsigned flags = pugi::format_raw | pugi::format_no_declaration;
    if (node.type() == pugi::node_document) {
        for (pugi::xml_node child : node.children())
            child.print(out, "", flags, pugi::encoding_utf8);
    } else {
        node.print(out, "", flags, pugi::encoding_utf8);
    }
    return text;
}

std::string AttributeText(const pugi::xml_node& node, const char* name) {
    return node.attribute(name).value();
}

} // namespace tev
