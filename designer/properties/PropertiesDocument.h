#pragma once
// The documents behind the property grid: the component descriptor (componentInfo.xml), the
// properties document (props.xml: one UserDefined/Param entry per property) and the extended
// fragment the component's editor supplies. Plain documents, no window: the grid view owns
// one of these and does the item side of every operation.
//
// Entries are found with the query "//UserDefined/Param[@name='" + name + "']", the name put
// in unchanged. A name with an apostrophe therefore can never be found; it is not put into
// the query at all, so that such a name can neither break the query nor pick another entry.
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

// One parameter definition: a descriptor's Flash/Param, a group option's sub-parameter or an
// extended fragment's Param. Absent attributes read as "".
struct CParamDefinition {
    std::string type;
    std::string access;
    std::string dataType;
    std::string value;
    std::string caption;
    std::string description;
    std::string name;
    std::string lowerLimit;
    std::string upperLimit;
    std::string category;
    bool required = false;
    pugi::xml_node node;

    static CParamDefinition Read(const pugi::xml_node& node);
    // The caption, or the name when the caption is empty.
    const std::string& Label() const { return caption.empty() ? name : caption; }
};

// The movie's size from the descriptor's Flash element.
struct CComponentSize {
    int width = 300;
    int height = 200;
    bool sizeable = false;
};

class CPropertiesDocument {
public:
    // Stores the descriptor's path and starts with two empty documents and no assets.
    void SetComponentPath(const std::string& path);
    const std::string& GetComponentPath() const { return m_strComponentPath; }
    // The descriptor's folder with its trailing '/'.
    std::string GetComponentFolder() const;

    // Descriptor ------------------------------------------------------------------------
    // Reads the descriptor and rebuilds the asset list: the movie, the private assets in
    // document order, then the program folder's swfobject.js. A descriptor that does not
    // load or has no Flash element leaves an empty document and only swfobject.js. True
    // when there is a Flash element.
    bool LoadDescriptor();
    pugi::xml_node GetFlashElement() const;
    // The Flash/Param elements whose access is "enabled", in document order.
    std::vector<CParamDefinition> GetEnabledParams() const;
    CComponentSize GetComponentSize() const;
    const std::vector<std::string>& GetAssets() const { return m_arrAssets; }

    // Properties document ---------------------------------------------------------------
    // Loads the component folder's props.xml; a file that does not load leaves the document
    // empty.
    void LoadDefaultProperties();
    // Replaces the document with `xml`. Text that does not parse changes nothing (false).
    bool SetPropertiesXml(const std::string& xml);
    // Loads a template's props.xml into `doc`; false (and an empty `doc`) when it does not load.
    static bool LoadTemplate(const std::string& path, pugi::xml_document& doc);
    bool HasDocumentElement() const { return m_properties.document_element(); }
    const pugi::xml_document& GetDocument() const { return m_properties; }

    // The entries of `doc` named `name`, by the query above.
    static std::vector<pugi::xml_node> QueryParams(const pugi::xml_node& doc,
                                                   const std::string& name);
    // Every "//UserDefined/Param" of `doc`, in document order.
    static std::vector<pugi::xml_node> AllParams(const pugi::xml_node& doc);
    std::vector<pugi::xml_node> QueryParams(const std::string& name) const {
        return QueryParams(m_properties, name);
    }
    // The first entry named `name`, or a null node.
    pugi::xml_node FindParam(const std::string& name) const;
    // Appends Param(name, value) to the UserDefined element, which is added below the root
    // when the document has none. Null when the document has no root.
    pugi::xml_node AppendParam(const std::string& name, const std::string& value);
    // Writes a changed value: the first entry's value attribute, or a new entry when there is
    // none. An entry without a value attribute is left alone (false), as is a document
    // without a root.
    bool WriteValue(const std::string& name, const std::string& value);
    // Removes `param` when it is an entry of this document (true).
    bool RemoveParam(const pugi::xml_node& param);
    // True when `node` is one of this document's entries.
    bool OwnsParam(const pugi::xml_node& node) const;

    // The XML of every child of the root, joined with "\n"; "" without a root.
    std::string GetUserDefinedXml() const;
    // The XML inside the UserDefined element, as the protocol handler takes it; "" without one.
    std::string GetUserDefinedInnerXml() const;

    // Extended fragment -----------------------------------------------------------------
    // Parses "<Extended>" + fragment + "</Extended>" into `doc`; false when it does not parse.
    static bool ParseExtended(const std::string& fragment, pugi::xml_document& doc);
    // Its "//Param" definitions in document order.
    static std::vector<CParamDefinition> ExtendedParams(const pugi::xml_document& doc);

private:
    pugi::xml_node UserDefinedElement() const;

    std::string m_strComponentPath;
    pugi::xml_document m_descriptor;
    pugi::xml_document m_properties;
    std::vector<std::string> m_arrAssets;
};

} // namespace TEVComponentDesignerAfx
