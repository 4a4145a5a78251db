#include "designer/properties/PropertiesDocument.h"

#include "designer/properties/PropertyValues.h"
#include "platform/shell/InstallFolders.h"
#include "platform/text/StringUtil.h"
#include "platform/xml/XmlDom.h"

namespace TEVComponentDesignerAfx {
namespace {

constexpr const char* kFlashElement = "Flash";
constexpr const char* kUserDefinedElement = "UserDefined";
constexpr const char* kParamElement = "Param";
constexpr const char* kPropertiesFile = "props.xml";
constexpr const char* kPlayerScript = "swfobject.js";
constexpr int kDefaultWidth = 300;
constexpr int kDefaultHeight = 200;

std::vector<pugi::xml_node> Select(const pugi::xml_node& from, const std::string& query) {
    std::vector<pugi::xml_node> nodes;
    if (!from)
        return nodes;
    try {
        for (const pugi::xpath_node& found : from.select_nodes(query.c_str())) {
            if (found.node())
                nodes.push_back(found.node());
        }
    } catch (const pugi::xpath_exception&) {
        // A query the name made invalid finds nothing.
        nodes.clear();
    }
    return nodes;
}

int SizeAttribute(const pugi::xml_node& flash, const char* name, int absent) {
    const std::string text = tev::AttributeText(flash, name);
    int32_t value = 0;
    if (text.empty() || !PropertyValues::ParseNumber(text, value))
        return absent;
    return value;
}

} // namespace

CParamDefinition CParamDefinition::Read(const pugi::xml_node& node) {
    CParamDefinition definition;
    definition.type = tev::AttributeText(node, "type");
    definition.access = tev::AttributeText(node, "access");
    definition.dataType = tev::AttributeText(node, "dataType");
    definition.value = tev::AttributeText(node, "value");
    definition.caption = tev::AttributeText(node, "caption");
    definition.description = tev::AttributeText(node, "description");
    definition.name = tev::AttributeText(node, "name");
    definition.lowerLimit = tev::AttributeText(node, "lowerLimit");
    definition.upperLimit = tev::AttributeText(node, "upperLimit");
    definition.category = tev::AttributeText(node, "category");
    bool required = false;
    definition.required =
        PropertyValues::ParseBoolean(tev::AttributeText(node, "required"), required) && required;
    definition.node = node;
    return definition;
}

void CPropertiesDocument::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    m_descriptor.reset();
    m_properties.reset();
    m_arrAssets.clear();
}

std::string CPropertiesDocument::GetComponentFolder() const {
    return tev::FolderOf(m_strComponentPath);
}

bool CPropertiesDocument::LoadDescriptor() {
    m_arrAssets.clear();
    if (!tev::LoadXmlFile(m_descriptor, m_strComponentPath))
        m_descriptor.reset();
    const pugi::xml_node flash = GetFlashElement();
    if (flash) {
        const std::string folder = GetComponentFolder();
        if (const pugi::xml_attribute movie = flash.attribute("path"))
            m_arrAssets.push_back(folder + movie.value());
        for (const pugi::xml_node param : flash.children(kParamElement)) {
            if (tev::AttributeText(param, "access") == "private" &&
                tev::AttributeText(param, "dataType") == "asset")
                m_arrAssets.push_back(folder + tev::AttributeText(param, "value"));
        }
    }
    m_arrAssets.push_back(tev::DataFolder() + kPlayerScript);
    return flash;
}

pugi::xml_node CPropertiesDocument::GetFlashElement() const {
    return m_descriptor.document_element().child(kFlashElement);
}

std::vector<CParamDefinition> CPropertiesDocument::GetEnabledParams() const {
    std::vector<CParamDefinition> params;
    for (const pugi::xml_node param : GetFlashElement().children(kParamElement)) {
        if (tev::AttributeText(param, "access") == "enabled")
            params.push_back(CParamDefinition::Read(param));
    }
    return params;
}

CComponentSize CPropertiesDocument::GetComponentSize() const {
    const pugi::xml_node flash = GetFlashElement();
    CComponentSize size;
    size.width = SizeAttribute(flash, "width", kDefaultWidth);
    size.height = SizeAttribute(flash, "height", kDefaultHeight);
    bool sizeable = false;
    size.sizeable =
        PropertyValues::ParseBoolean(tev::AttributeText(flash, "sizeable"), sizeable) && sizeable;
    return size;
}

void CPropertiesDocument::LoadDefaultProperties() {
    if (!tev::LoadXmlFile(m_properties, GetComponentFolder() + kPropertiesFile))
        m_properties.reset();
}

bool CPropertiesDocument::SetPropertiesXml(const std::string& xml) {
    pugi::xml_document loaded;
    if (!tev::LoadXml(loaded, xml))
        return false;
    m_properties.reset(loaded);
    return true;
}

bool CPropertiesDocument::LoadTemplate(const std::string& path, pugi::xml_document& doc) {
    if (tev::LoadXmlFile(doc, path))
        return true;
    doc.reset();
    return false;
}

std::vector<pugi::xml_node> CPropertiesDocument::QueryParams(const pugi::xml_node& doc,
                                                             const std::string& name) {
    if (name.find('\'') != std::string::npos || name.find('\0') != std::string::npos)
        return {};
    return Select(doc, "//UserDefined/Param[@name='" + name + "']");
}

std::vector<pugi::xml_node> CPropertiesDocument::AllParams(const pugi::xml_node& doc) {
    return Select(doc, "//UserDefined/Param");
}

pugi::xml_node CPropertiesDocument::FindParam(const std::string& name) const {
    const std::vector<pugi::xml_node> found = QueryParams(name);
    return found.empty() ? pugi::xml_node() : found.front();
}

pugi::xml_node CPropertiesDocument::UserDefinedElement() const {
    const std::vector<pugi::xml_node> found = Select(m_properties, "//UserDefined");
    return found.empty() ? pugi::xml_node() : found.front();
}

pugi::xml_node CPropertiesDocument::AppendParam(const std::string& name, const std::string& value) {
    pugi::xml_node root = m_properties.document_element();
    if (!root)
        return {};
    pugi::xml_node userDefined = UserDefinedElement();
    // A document without the element would otherwise drop every edit.
    if (!userDefined)
        userDefined = root.append_child(kUserDefinedElement);
    pugi::xml_node param = userDefined.append_child(kParamElement);
    param.append_attribute("name") = name.c_str();
    param.append_attribute("value") = value.c_str();
    return param;
}

bool CPropertiesDocument::WriteValue(const std::string& name, const std::string& value) {
    if (!HasDocumentElement())
        return false;
    const pugi::xml_node entry = FindParam(name);
    if (!entry)
        return AppendParam(name, value);
    pugi::xml_attribute attribute = entry.attribute("value");
    return attribute && attribute.set_value(value.c_str());
}

bool CPropertiesDocument::OwnsParam(const pugi::xml_node& node) const {
    if (!node)
        return false;
    for (const pugi::xml_node param : AllParams(m_properties)) {
        if (param == node)
            return true;
    }
    return false;
}

bool CPropertiesDocument::RemoveParam(const pugi::xml_node& param) {
    if (!OwnsParam(param))
        return false;
    return param.parent().remove_child(param);
}

std::string CPropertiesDocument::GetUserDefinedXml() const {
    std::string xml;
    bool first = true;
    for (const pugi::xml_node child : m_properties.document_element().children()) {
        if (!first)
            xml += '\n';
        xml += tev::XmlOf(child);
        first = false;
    }
    return xml;
}

std::string CPropertiesDocument::GetUserDefinedInnerXml() const {
    std::string xml;
    for (const pugi::xml_node child : UserDefinedElement().children())
        xml += tev::XmlOf(child);
    return xml;
}

bool CPropertiesDocument::ParseExtended(const std::string& fragment, pugi::xml_document& doc) {
    // A fragment that closes the wrapper early would make a second root: refused as a whole.
    if (!tev::LoadXml(doc, "<Extended>" + fragment + "</Extended>") ||
        doc.first_child() != doc.document_element() || doc.document_element().next_sibling()) {
        doc.reset();
        return false;
    }
    return true;
}

std::vector<CParamDefinition> CPropertiesDocument::ExtendedParams(const pugi::xml_document& doc) {
    std::vector<CParamDefinition> params;
    for (const pugi::xml_node param : Select(doc, "//Param"))
        params.push_back(CParamDefinition::Read(param));
    return params;
}

} // namespace TEVComponentDesignerAfx
