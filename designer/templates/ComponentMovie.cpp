#include "designer/templates/ComponentMovie.h"

#include "platform/text/StringUtil.h"
#include "platform/xml/XmlDom.h"

#include <cctype>

namespace TEVComponentDesignerAfx {
namespace {

int SizeOf(const pugi::xml_node& element, const char* name) {
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        return CComponentMovie::kDefaultSize;
    const long value = tev::AtoL(attribute.value());
    return value > 0 && value <= 1000000 ? static_cast<int>(value) : CComponentMovie::kDefaultSize;
}

} // namespace

bool CComponentMovie::Read(const std::string& descriptorPath, Lookup lookup) {
    if (descriptorPath.empty())
        return false;
    pugi::xml_document doc;
    if (!tev::LoadXmlFile(doc, descriptorPath))
        return false;
    const pugi::xml_node root = doc.document_element();
    const pugi::xml_node flash =
        lookup == Lookup::FirstChild ? root.first_child() : root.child("Flash");
    if (!flash || flash.type() != pugi::node_element)
        return false;
    const std::string folder = tev::FolderOf(descriptorPath);
    const pugi::xml_attribute pathAttribute = flash.attribute("path");
    if (pathAttribute || lookup == Lookup::FirstChild)
        path = folder + pathAttribute.value();
    width = SizeOf(flash, "width");
    height = SizeOf(flash, "height");
    return true;
}

} // namespace TEVComponentDesignerAfx
