#pragma once
// What the calling code relies on from the MSXML DOM, over pugixml:
// loading from text (loadXML) and from files, and a node's XML text (the `xml` property).
// As there, whitespace-only text between elements is not kept when loading.
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace tev {

// Parses UTF-8 text; an encoding named in the declaration is ignored, as for text handed
// over in memory. False when the text is not well-formed or has no document element.
bool LoadXml(pugi::xml_document& doc, std::string_view text);
// Loads a file in UTF-8 or UTF-16 (byte-order mark or declaration decides).
bool LoadXmlFile(pugi::xml_document& doc, const std::string& path);
// The node's XML text, unformatted, in UTF-8 (for a document: its children, no declaration).
std::string XmlOf(const pugi::xml_node& node);
// The attribute's value, "" when it is absent.
std::string AttributeText(const pugi::xml_node& node, const char* name);

} // namespace tev
