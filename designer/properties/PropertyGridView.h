#pragma once
// CTEVComponentPropertyGridView: the property grid of the "Choose Style" page. It turns the
// descriptor's parameters, the extended fragment and the fixed project properties (Width,
// Height, Aspect ratio, Page Name) into editor items, validates edits before they are taken,
// writes every committed value into the properties document, reports initial and changed
// values to its owner and hands the user-defined values to the component protocol handler.
//
// The wx event handlers only forward: validation is ValidateEdit, committing is CommitEdit,
// so an edit made in the grid and one driven by a caller take the same path.
#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/properties/PropertiesDocument.h"
#include "platform/com/Variant.h"

#include <wx/panel.h>
#include <wx/propgrid/manager.h>

#include <map>
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

// The one who hears from the grid: the template view.
class CPropertyGridOwner {
public:
    // A value set by loading: an item was created or a stored value was applied to it.
    virtual void PropertyInitialized(const std::string& name, const std::string& category,
                                     const CComVariant& value) = 0;
    // A value the user committed.
    virtual void PropertyChanged(const std::string& name, const std::string& category,
                                 const CComVariant& value) = 0;
    // A committed edit asks for the preview to be rebuilt.
    virtual void RefreshPreview() = 0;
    // The page name the "Page Name" item starts from.
    virtual const std::string& GetPageName() const = 0;

protected:
    ~CPropertyGridOwner() = default;
};

class CTEVComponentPropertyGridView : public wxPanel {
public:
    // The editor kinds, by the definition's dataType.
    enum class Kind { None, Number, Text, Color, Boolean, List, Group };

    // Obtains the protocol handler's factory; the window comes with Create.
    CTEVComponentPropertyGridView();
    ~CTEVComponentPropertyGridView() override;

    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    // The framework's initial update: nothing to do.
    virtual void OnInitialUpdate() {}

    void SetOwner(CPropertyGridOwner* owner) { m_pOwner = owner; }

    // Stores the descriptor's path, starts fresh documents and loads the component.
    void SetComponentPath(const std::string& path);
    // Rebuilds the grid and the asset list from the descriptor, loads the component's own
    // props.xml and pushes its user-defined values. Without a path the grid and the
    // properties document are only emptied.
    void LoadComponent();
    // Replaces the properties document with a project's properties, applies them to the
    // grid, adds missing entries and pushes them. Text that does not parse changes nothing.
    void SetPropertiesXml(const std::string& xml);
    // Applies a template's props.xml to the grid and to the entries it names, adds missing
    // entries and pushes. A file that does not load changes nothing.
    void LoadTemplateValues(const std::string& path);
    // The XML of every child of the properties document's root, joined with "\n".
    std::string GetUserDefinedXml() const { return m_document.GetUserDefinedXml(); }
    // Full paths: movie, private assets, swfobject.js.
    const std::vector<std::string>& GetAssets() const { return m_document.GetAssets(); }
    // Replaces the extended items with the parameters of `fragment`.
    void SetExtendedXml(const std::string& fragment);
    void RemoveExtendedItems();
    // Sets a property from outside (the preview's Width and Height); neither reported nor
    // pushed: the caller does that.
    void SetPropertyValue(const std::string& name, const std::string& category,
                          const CComVariant& value);
    // Creates the item `param` defines below `parent`, or below the category `category`
    // (created when missing), or below "Properties", and reports its value with `category`.
    // Null when no item results.
    wxPGProperty* AddPropertyItem(wxPGProperty* parent, const std::string& category,
                                  const CParamDefinition& param);
    // Hands the inside of the UserDefined element to the protocol handler.
    void PushUserDefined();

    // Validation and commit, as the grid's changing and changed events run them.
    // False refuses the edit, after telling the user why.
    bool ValidateEdit(wxPGProperty* item, const std::string& editText);
    bool ValidateRange(wxPGProperty* item, const std::string& editText) const;
    // A literal limit, or the current value of the property it names; 0 when neither.
    long ResolveLimit(const std::string& text) const;
    void CommitEdit(wxPGProperty* item);

    // Document-side steps that also touch the items.
    void ApplyValues(const pugi::xml_document& doc);
    void AddMissingParams();
    // Shows the group's sub-items of `option` and hides the others.
    void ShowGroupOption(wxPGProperty* group, const std::string& option);

    // Lookups, for the owner and for tests.
    wxPropertyGridManager* GetGridManager() const { return m_pGrid; }
    wxPropertyGrid* GetGrid() const;
    const CPropertiesDocument& GetDocument() const { return m_document; }
    std::vector<wxPGProperty*> GetCategories() const;
    wxPGProperty* FindCategory(const std::string& caption) const;
    // The first item named `name` among the direct children of all categories.
    wxPGProperty* FindItem(const std::string& name) const;
    unsigned GetItemId(const wxPGProperty* item) const;
    std::string GetPropertyName(const wxPGProperty* item) const;
    Kind GetKind(const wxPGProperty* item) const;
    // The caption of the item's top-level category.
    std::string GetCategoryCaption(const wxPGProperty* item) const;
    // What the item shows, as text (UTF-8).
    static std::string DisplayedValue(const wxPGProperty* item);
    // The item's value as the properties document stores it.
    std::string EncodedValue(const wxPGProperty* item) const;
    // The names of the extended items, oldest first.
    std::vector<std::string> GetExtendedItems() const;

    // Names of the fixed items and categories (the string table's texts).
    static std::string PropertiesCategory();
    static std::string ProjectPropertiesCategory();
    static std::string PageNameProperty();

protected:
    void OnSize(wxSizeEvent& event);
    void OnGridChanging(wxPropertyGridEvent& event);
    void OnGridChanged(wxPropertyGridEvent& event);

private:
    // What the grid keeps of an item, under the item's ID.
    struct CItemRecord {
        std::string name;
        Kind kind = Kind::None;
        std::string lowerLimit; // "" when there is none
        std::string upperLimit;
        bool required = false;
        // A list's or group's option texts and their choice indexes.
        std::map<std::string, int> options;
        // A group's sub-item: the option it shows with.
        std::string groupOption;
        bool extended = false;
        // The properties document's entry the item was last applied from; such entries go
        // with their extended items.
        pugi::xml_node paramRef;
    };

    void ResetContent();
    void AddProjectProperties(const CComponentSize& size);
    wxPGProperty* AddCategory(const std::string& caption);
    // Where a new item goes: see AddPropertyItem.
    wxPGProperty* ParentFor(wxPGProperty* parent, const std::string& category);
    wxPGProperty* CreateItem(Kind kind, const std::string& caption, const std::string& value,
                             const pugi::xml_node& definition, std::map<std::string, int>& options);
    // Creates a group's sub-items, hidden, each recorded with the option it shows with.
    void AddGroupSubItems(wxPGProperty* group, const pugi::xml_node& definition);
    // The value reported for a new item.
    CComVariant InitialValue(const wxPGProperty* item, Kind kind, const std::string& value) const;
    const CItemRecord* RecordOf(const wxPGProperty* item) const;
    CItemRecord* RecordOf(const wxPGProperty* item);
    // Sets an item from a stored (encoded) value.
    void SetItemFromText(wxPGProperty* item, const std::string& value);
    // The value reported for the item on apply and commit.
    CComVariant ReportedValue(const wxPGProperty* item) const;
    std::vector<wxPGProperty*> DirectItems() const;
    std::vector<wxPGProperty*> GroupSubItems(const std::string& name) const;
    wxPGProperty* FindItemById(unsigned id) const;
    void ForgetParamRef(const pugi::xml_node& node);
    void ForgetParamRefs();
    void ReportInitialized(const std::string& name, const std::string& category,
                           const CComVariant& value);

    std::string m_strComponentPath;
    CPropertiesDocument m_document;
    CComponentProtocolBinding m_protocol;
    CPropertyGridOwner* m_pOwner = nullptr;

    std::map<unsigned, CItemRecord> m_items;
    unsigned m_nNextItemId = 1;
    int m_nGroupDepth = 0; // groups being built within groups

    wxPropertyGridManager* m_pGrid = nullptr;
};

} // namespace TEVComponentDesignerAfx
