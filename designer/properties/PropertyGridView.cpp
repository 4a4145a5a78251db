#include "designer/properties/PropertyGridView.h"

#include "designer/properties/PropertyValues.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/MessageBox.h"
#include "resources/designer/DesignerStrings.h"

#include <wx/propgrid/advprops.h>
#include <wx/propgrid/props.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <utility>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;
using Kind = CTEVComponentPropertyGridView::Kind;

namespace {

constexpr const char* kDefaultPageName = "index.html";
constexpr int kMaxGroupDepth = 8;

wxString Wx(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

Kind KindOf(const std::string& dataType) {
    if (dataType == "number")
        return Kind::Number;
    if (dataType == "text")
        return Kind::Text;
    if (dataType == "color")
        return Kind::Color;
    if (dataType == "boolean")
        return Kind::Boolean;
    if (dataType == "list")
        return Kind::List;
    if (dataType == "group")
        return Kind::Group;
    return Kind::None;
}

// A number item takes whatever is typed and reads it as `atol` does, so that the range
// check sees the number the item would hold. The typed text is remembered for the view's
// own checks: an emptied box for the required check, and text that is no number, which
// always goes on to be checked even when it reads as the number the item holds.
class CNumberProperty : public wxIntProperty {
public:
    CNumberProperty(const wxString& label, const wxString& name, long value)
        : wxIntProperty(label, name, value) {}

    bool StringToValue(wxVariant& variant, const wxString& text, int) const override {
        const std::string typed = text.utf8_string();
        const long value = PropertyValues::EditTextToNumber(typed);
        if (!variant.IsNull() && variant.GetType() == wxPG_VARIANT_TYPE_LONG &&
            variant.GetLong() == value && (typed.empty() || PropertyValues::IsNumberText(typed)))
            return false;
        variant = value;
        m_typed = typed;
        return true;
    }
    bool ValidateValue(wxVariant&, wxPGValidationInfo&) const override { return true; }
    wxValidator* DoGetValidator() const override { return nullptr; }

    // The text last read from the box, once.
    std::optional<std::string> TakeTypedText() const { return std::exchange(m_typed, {}); }

private:
    mutable std::optional<std::string> m_typed;
};

long NumberOf(const wxPGProperty* item) {
    const wxVariant value = item->GetValue();
    if (value.IsNull())
        return 0;
    if (value.GetType() == wxPG_VARIANT_TYPE_LONG)
        return value.GetLong();
    long number = 0;
    return value.Convert(&number) ? number : 0;
}

ColorRef ColorOf(const wxPGProperty* item) {
    const wxVariant value = item->GetValue();
    wxColour colour;
    if (value.GetType() == wxS("wxColourPropertyValue")) {
        wxColourPropertyValue holder;
        holder << value;
        colour = holder.m_colour;
    } else if (value.GetType() == wxS("wxColour")) {
        colour << value;
    }
    return colour.IsOk() ? MakeColorRef(colour.Red(), colour.Green(), colour.Blue()) : 0;
}

wxVariant ColorVariant(ColorRef color) {
    wxVariant value;
    value << wxColour(RedOf(color), GreenOf(color), BlueOf(color));
    return value;
}

// The text content of a node and everything below it. The library's walk does not recurse,
// so any depth of nesting is read.
std::string TextContent(const pugi::xml_node& node) {
    struct TextCollector : pugi::xml_tree_walker {
        std::string text;
        bool for_each(pugi::xml_node& found) override {
            if (found.type() == pugi::node_pcdata || found.type() == pugi::node_cdata)
                text += found.value();
            return true;
        }
    } collector;
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return node.value();
    pugi::xml_node start = node;
    start.traverse(collector);
    return collector.text;
}

// The label of the choice whose data is `data`; "" when there is none.
std::string ChoiceLabel(const wxPGProperty* item, long data) {
    const wxPGChoices& choices = item->GetChoices();
    const int index = choices.Index(static_cast<int>(data));
    return index == wxNOT_FOUND ? std::string() : choices.GetLabel(index).utf8_string();
}

// The item's top-level item: itself, or the ancestor right below the root.
const wxPGProperty* TopLevelOf(const wxPGProperty* item) {
    while (item && item->GetParent() && !item->GetParent()->IsRoot())
        item = item->GetParent();
    return item;
}

// Chooses the option with the text `value`; another text leaves the choice as it is.
void SelectOption(wxPGProperty* item, const std::map<std::string, int>& options,
                  const std::string& value) {
    const auto chosen = options.find(value);
    if (chosen != options.end())
        item->SetChoiceSelection(chosen->second);
}

// A fixed project property: its caption is its name, and it needs a value.
CParamDefinition ProjectProperty(const std::string& name, const std::string& description,
                                 const std::string& value, const char* dataType,
                                 const char* lowerLimit = "", const char* upperLimit = "") {
    CParamDefinition param;
    param.name = name;
    param.description = description;
    param.value = value;
    param.dataType = dataType;
    param.lowerLimit = lowerLimit;
    param.upperLimit = upperLimit;
    param.required = true;
    return param;
}

// The grid covers the view, but never gets so small that its description pane leaves its
// scroll bars less than no room (the toolkit complains); a smaller view clips it.
wxSize GridSize(const wxSize& client) {
    constexpr int kMinWidth = 120;
    constexpr int kMinHeight = 160;
    return wxSize(std::max(client.x, kMinWidth), std::max(client.y, kMinHeight));
}

} // namespace

CTEVComponentPropertyGridView::CTEVComponentPropertyGridView() = default;

CTEVComponentPropertyGridView::~CTEVComponentPropertyGridView() = default;

bool CTEVComponentPropertyGridView::Create(wxWindow* parent, wxWindowID id) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxTAB_TRAVERSAL | wxBORDER_NONE))
        return false;
    // The look of the MFC property grid: a description pane under the items, the splitter
    // in the middle.
    m_pGrid = new wxPropertyGridManager(this, wxID_ANY, wxPoint(0, 0), GridSize(GetClientSize()),
                                        wxPG_SPLITTER_AUTO_CENTER | wxTAB_TRAVERSAL);
    m_pGrid->AddPage();
    // The description pane joins once the grid has taken in its size: added before, it is
    // laid out at width 0 and the toolkit complains.
    wxSizeEvent sized(m_pGrid->GetSize(), m_pGrid->GetId());
    sized.SetEventObject(m_pGrid);
    m_pGrid->GetEventHandler()->ProcessEvent(sized);
    m_pGrid->SetWindowStyleFlag(m_pGrid->GetWindowStyleFlag() | wxPG_DESCRIPTION);
    m_pGrid->SetDescBoxHeight(4 * GetCharHeight() + 12);
    Bind(wxEVT_SIZE, &CTEVComponentPropertyGridView::OnSize, this);
    m_pGrid->Bind(wxEVT_PG_CHANGING, &CTEVComponentPropertyGridView::OnGridChanging, this);
    m_pGrid->Bind(wxEVT_PG_CHANGED, &CTEVComponentPropertyGridView::OnGridChanged, this);
    return true;
}

wxPropertyGrid* CTEVComponentPropertyGridView::GetGrid() const {
    return m_pGrid ? m_pGrid->GetGrid() : nullptr;
}

std::string CTEVComponentPropertyGridView::PropertiesCategory() {
    return DesignerString(IDS_PROPERTIES_CATEGORY);
}

std::string CTEVComponentPropertyGridView::ProjectPropertiesCategory() {
    return DesignerString(IDS_PROJECT_PROPERTIES_CATEGORY);
}

std::string CTEVComponentPropertyGridView::PageNameProperty() {
    return DesignerString(IDS_PROPERTY_PAGE_NAME);
}

// ---------------------------------------------------------------------------------------
// Window

void CTEVComponentPropertyGridView::OnSize(wxSizeEvent& event) {
    if (m_pGrid)
        m_pGrid->SetSize(GridSize(GetClientSize()));
    event.Skip();
}

void CTEVComponentPropertyGridView::OnGridChanging(wxPropertyGridEvent& event) {
    wxPGProperty* item = event.GetProperty();
    if (!item)
        return;
    wxVariant pending = event.GetValue();
    const auto* number = dynamic_cast<const CNumberProperty*>(item);
    const std::optional<std::string> typed =
        number ? number->TakeTypedText() : std::optional<std::string>();
    const std::string editText = typed ? *typed : item->ValueToString(pending).utf8_string();
    if (ValidateEdit(item, editText))
        return;
    event.Veto();
    // The message was ours; the grid is to show none and to keep the old value.
    event.SetValidationFailureBehavior(0);
    CallAfter([this] {
        if (wxPropertyGrid* grid = GetGrid())
            grid->RefreshEditor();
    });
}

void CTEVComponentPropertyGridView::OnGridChanged(wxPropertyGridEvent& event) {
    if (wxPGProperty* item = event.GetProperty())
        CommitEdit(item);
}

// ---------------------------------------------------------------------------------------
// Items and bookkeeping

std::vector<wxPGProperty*> CTEVComponentPropertyGridView::GetCategories() const {
    std::vector<wxPGProperty*> categories;
    if (!m_pGrid || !m_pGrid->GetPageCount())
        return categories;
    const wxPGProperty* root = m_pGrid->GetPageRoot(0);
    for (unsigned i = 0; root && i < root->GetChildCount(); ++i) {
        if (root->Item(i)->IsCategory())
            categories.push_back(root->Item(i));
    }
    return categories;
}

wxPGProperty* CTEVComponentPropertyGridView::FindCategory(const std::string& caption) const {
    for (wxPGProperty* category : GetCategories()) {
        if (category->GetLabel().utf8_string() == caption)
            return category;
    }
    return nullptr;
}

std::vector<wxPGProperty*> CTEVComponentPropertyGridView::DirectItems() const {
    std::vector<wxPGProperty*> items;
    for (wxPGProperty* category : GetCategories()) {
        for (unsigned i = 0; i < category->GetChildCount(); ++i)
            items.push_back(category->Item(i));
    }
    return items;
}

std::vector<wxPGProperty*>
CTEVComponentPropertyGridView::GroupSubItems(const std::string& name) const {
    std::vector<wxPGProperty*> items;
    for (wxPGProperty* group : DirectItems()) {
        if (GetKind(group) != Kind::Group)
            continue;
        for (unsigned i = 0; i < group->GetChildCount(); ++i) {
            if (GetPropertyName(group->Item(i)) == name)
                items.push_back(group->Item(i));
        }
    }
    return items;
}

wxPGProperty* CTEVComponentPropertyGridView::FindItem(const std::string& name) const {
    for (wxPGProperty* item : DirectItems()) {
        if (GetPropertyName(item) == name)
            return item;
    }
    return nullptr;
}

wxPGProperty* CTEVComponentPropertyGridView::FindItemById(unsigned id) const {
    for (wxPGProperty* item : DirectItems()) {
        if (GetItemId(item) == id)
            return item;
    }
    return nullptr;
}

unsigned CTEVComponentPropertyGridView::GetItemId(const wxPGProperty* item) const {
    return item ? static_cast<unsigned>(reinterpret_cast<uintptr_t>(item->GetClientData())) : 0;
}

const CTEVComponentPropertyGridView::CItemRecord*
CTEVComponentPropertyGridView::RecordOf(const wxPGProperty* item) const {
    const auto found = m_items.find(GetItemId(item));
    return found == m_items.end() ? nullptr : &found->second;
}

CTEVComponentPropertyGridView::CItemRecord*
CTEVComponentPropertyGridView::RecordOf(const wxPGProperty* item) {
    const auto found = m_items.find(GetItemId(item));
    return found == m_items.end() ? nullptr : &found->second;
}

std::string CTEVComponentPropertyGridView::GetPropertyName(const wxPGProperty* item) const {
    const CItemRecord* record = RecordOf(item);
    return record ? record->name : std::string();
}

Kind CTEVComponentPropertyGridView::GetKind(const wxPGProperty* item) const {
    const CItemRecord* record = RecordOf(item);
    return record ? record->kind : Kind::None;
}

std::vector<std::string> CTEVComponentPropertyGridView::GetExtendedItems() const {
    std::vector<std::string> names;
    for (const auto& [id, record] : m_items) {
        if (record.extended)
            names.push_back(record.name);
    }
    return names;
}

std::string CTEVComponentPropertyGridView::GetCategoryCaption(const wxPGProperty* item) const {
    const wxPGProperty* top = TopLevelOf(item);
    return top && top->IsCategory() ? top->GetLabel().utf8_string() : std::string();
}

std::string CTEVComponentPropertyGridView::DisplayedValue(const wxPGProperty* item) {
    return item ? item->GetValueAsString().utf8_string() : std::string();
}

std::string CTEVComponentPropertyGridView::EncodedValue(const wxPGProperty* item) const {
    switch (GetKind(item)) {
    case Kind::Number:
        return PropertyValues::FormatNumber(static_cast<int32_t>(NumberOf(item)));
    case Kind::Boolean:
        return PropertyValues::FormatBoolean(item->GetValue().GetBool());
    case Kind::Color:
        return PropertyValues::FormatColor(ColorOf(item));
    case Kind::List:
    case Kind::Group:
        return ChoiceLabel(item, NumberOf(item));
    case Kind::Text:
        return DisplayedValue(item);
    case Kind::None:
        break;
    }
    return {};
}

CComVariant CTEVComponentPropertyGridView::ReportedValue(const wxPGProperty* item) const {
    switch (GetKind(item)) {
    case Kind::Number:
        return CComVariant(static_cast<int32_t>(NumberOf(item)));
    case Kind::Boolean:
        return CComVariant(static_cast<int32_t>(item->GetValue().GetBool()));
    case Kind::Color:
    case Kind::List:
    case Kind::Group:
    case Kind::Text:
        return CComVariant(EncodedValue(item));
    case Kind::None:
        break;
    }
    return {};
}

void CTEVComponentPropertyGridView::ReportInitialized(const std::string& name,
                                                      const std::string& category,
                                                      const CComVariant& value) {
    if (m_pOwner)
        m_pOwner->PropertyInitialized(name, category, value);
}

void CTEVComponentPropertyGridView::ResetContent() {
    if (m_pGrid) {
        m_pGrid->ClearSelection(false);
        m_pGrid->ClearPage(0);
    }
    // No item survives, so neither does anything kept of them.
    m_items.clear();
}

wxPGProperty* CTEVComponentPropertyGridView::AddCategory(const std::string& caption) {
    if (!m_pGrid)
        return nullptr;
    // Internal names only need to be unique; captions may be anything.
    static unsigned serial = 0;
    return m_pGrid->Append(new wxPropertyCategory(Wx(caption), wxString::Format("c%u", ++serial)));
}

wxPGProperty* CTEVComponentPropertyGridView::CreateItem(Kind kind, const std::string& caption,
                                                        const std::string& value,
                                                        const pugi::xml_node& definition,
                                                        std::map<std::string, int>& options) {
    static unsigned serial = 0;
    const wxString label = Wx(caption);
    const wxString name = wxString::Format("p%u", ++serial);
    switch (kind) {
    case Kind::Number: {
        int32_t number = 0;
        PropertyValues::ParseNumber(value, number);
        return new CNumberProperty(label, name, number);
    }
    case Kind::Text:
        return new wxStringProperty(label, name, Wx(value));
    case Kind::Color: {
        const ColorRef color = PropertyValues::ParseColor(value);
        return new wxColourProperty(label, name,
                                    wxColour(RedOf(color), GreenOf(color), BlueOf(color)));
    }
    case Kind::Boolean: {
        bool flag = false;
        PropertyValues::ParseBoolean(value, flag);
        auto* item = new wxBoolProperty(label, name, flag);
        item->SetAttribute(wxPG_BOOL_USE_CHECKBOX, true);
        return item;
    }
    case Kind::List:
    case Kind::Group: {
        wxPGChoices choices;
        int index = 0;
        for (const pugi::xml_node option : definition.children()) {
            const std::string text = kind == Kind::List
                                         ? TextContent(option)
                                         : std::string(option.attribute("value").value());
            choices.Add(Wx(text), index);
            options[text] = index;
            ++index;
        }
        return new wxEnumProperty(label, name, choices, 0);
    }
    case Kind::None:
        break;
    }
    return nullptr;
}

wxPGProperty* CTEVComponentPropertyGridView::ParentFor(wxPGProperty* parent,
                                                       const std::string& category) {
    if (!parent && !category.empty()) {
        parent = FindCategory(category);
        if (!parent)
            parent = AddCategory(category);
    }
    return parent ? parent : FindCategory(PropertiesCategory());
}

wxPGProperty* CTEVComponentPropertyGridView::AddPropertyItem(wxPGProperty* parent,
                                                             const std::string& category,
                                                             const CParamDefinition& param) {
    if (!m_pGrid)
        return nullptr;
    parent = ParentFor(parent, category);
    if (!parent)
        return nullptr;
    const Kind kind = KindOf(param.dataType);
    CItemRecord record;
    record.name = param.name;
    record.kind = kind;
    record.lowerLimit = param.lowerLimit;
    record.upperLimit = param.upperLimit;
    record.required = param.required;
    wxPGProperty* item = CreateItem(kind, param.Label(), param.value, param.node, record.options);
    if (!item) {
        ++m_nNextItemId; // every definition takes an ID, also one that gives no item
        return nullptr;
    }
    m_pGrid->AppendIn(parent, item);
    if (kind == Kind::Group)
        AddGroupSubItems(item, param.node);
    SelectOption(item, record.options, param.value);
    // A group whose default names no option keeps the first one chosen; its sub-items show
    // with it rather than none at all.
    if (kind == Kind::Group)
        ShowGroupOption(item, ChoiceLabel(item, NumberOf(item)));
    ReportInitialized(param.name, category, InitialValue(item, kind, param.value));

    // The ID comes last, so a group's sub-items carry smaller ones.
    const unsigned id = m_nNextItemId++;
    m_items[id] = std::move(record);
    item->SetClientData(reinterpret_cast<void*>(static_cast<uintptr_t>(id)));
    item->SetHelpString(Wx(param.description));
    if (kind == Kind::Group)
        m_pGrid->Expand(item);
    m_pGrid->Expand(TopLevelOf(parent));
    return item;
}

void CTEVComponentPropertyGridView::AddGroupSubItems(wxPGProperty* group,
                                                     const pugi::xml_node& definition) {
    for (const pugi::xml_node option : definition.children()) {
        const std::string text = option.attribute("value").value();
        for (const pugi::xml_node sub : option.children()) {
            // Groups within groups end at a sane depth instead of the stack's.
            if (sub.type() != pugi::node_element || m_nGroupDepth >= kMaxGroupDepth)
                continue;
            ++m_nGroupDepth;
            wxPGProperty* subItem = AddPropertyItem(group, {}, CParamDefinition::Read(sub));
            --m_nGroupDepth;
            if (subItem) {
                subItem->Hide(true);
                RecordOf(subItem)->groupOption = text;
            }
        }
    }
}

CComVariant CTEVComponentPropertyGridView::InitialValue(const wxPGProperty* item, Kind kind,
                                                        const std::string& value) const {
    switch (kind) {
    case Kind::Number:
        return CComVariant(static_cast<int32_t>(NumberOf(item)));
    case Kind::Text:
    case Kind::Color:
        return CComVariant(value);
    case Kind::Boolean:
        return CComVariant(item->GetValue().GetBool());
    case Kind::List:
    case Kind::Group:
        return CComVariant(DisplayedValue(item));
    case Kind::None:
        break;
    }
    return {};
}

void CTEVComponentPropertyGridView::ShowGroupOption(wxPGProperty* group,
                                                    const std::string& option) {
    if (!group)
        return;
    for (unsigned i = 0; i < group->GetChildCount(); ++i) {
        wxPGProperty* child = group->Item(i);
        const CItemRecord* record = RecordOf(child);
        child->Hide(!record || record->groupOption != option);
    }
}

void CTEVComponentPropertyGridView::SetItemFromText(wxPGProperty* item, const std::string& value) {
    switch (GetKind(item)) {
    case Kind::Number: {
        int32_t number = 0;
        // A stored text that is no number leaves the item as it was.
        if (PropertyValues::ParseNumber(value, number))
            item->SetValue(static_cast<long>(number));
        break;
    }
    case Kind::Boolean: {
        bool flag = false;
        if (PropertyValues::ParseBoolean(value, flag))
            item->SetValue(flag);
        break;
    }
    case Kind::Color:
        item->SetValue(ColorVariant(PropertyValues::ParseColor(value)));
        break;
    case Kind::List:
    case Kind::Group:
        SelectOption(item, RecordOf(item)->options, value);
        if (GetKind(item) == Kind::Group)
            ShowGroupOption(item, ChoiceLabel(item, NumberOf(item)));
        break;
    case Kind::Text:
        item->SetValue(Wx(value));
        break;
    case Kind::None:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Loading

void CTEVComponentPropertyGridView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    ForgetParamRefs();
    m_document.SetComponentPath(path);
    LoadComponent();
}

void CTEVComponentPropertyGridView::LoadComponent() {
    if (m_strComponentPath.empty()) {
        // Without a component there is nothing to load, but a new project must not keep the
        // values of the one before.
        if (m_document.HasDocumentElement() || !DirectItems().empty()) {
            ResetContent();
            m_document.SetComponentPath({});
        }
        return;
    }
    ResetContent();
    AddCategory(PropertiesCategory());
    AddCategory(ProjectPropertiesCategory());
    if (m_document.LoadDescriptor()) {
        for (const CParamDefinition& param : m_document.GetEnabledParams())
            AddPropertyItem(nullptr, {}, param);
        AddProjectProperties(m_document.GetComponentSize());
    }
    m_document.LoadDefaultProperties();
    PushUserDefined();
    for (wxPGProperty* category : GetCategories())
        m_pGrid->Expand(category);
}

void CTEVComponentPropertyGridView::AddProjectProperties(const CComponentSize& size) {
    wxPGProperty* project = FindCategory(ProjectPropertiesCategory());
    if (!project)
        return;
    if (size.sizeable) {
        const std::string lower = PropertyValues::FormatNumber(PropertyValues::kProjectSizeLower);
        const std::string upper = PropertyValues::FormatNumber(PropertyValues::kProjectSizeUpper);
        AddPropertyItem(project, {},
                        ProjectProperty(DesignerString(IDS_PROPERTY_WIDTH),
                                        DesignerString(IDS_PROPERTY_WIDTH_DESCRIPTION),
                                        PropertyValues::FormatNumber(size.width), "number",
                                        lower.c_str(), upper.c_str()));
        AddPropertyItem(project, {},
                        ProjectProperty(DesignerString(IDS_PROPERTY_HEIGHT),
                                        DesignerString(IDS_PROPERTY_HEIGHT_DESCRIPTION),
                                        PropertyValues::FormatNumber(size.height), "number",
                                        lower.c_str(), upper.c_str()));
        AddPropertyItem(project, {},
                        ProjectProperty(DesignerString(IDS_PROPERTY_ASPECT_RATIO),
                                        DesignerString(IDS_PROPERTY_ASPECT_RATIO_DESCRIPTION),
                                        PropertyValues::FormatBoolean(true), "boolean"));
    }
    const std::string pageName = m_pOwner ? m_pOwner->GetPageName() : kDefaultPageName;
    AddPropertyItem(project, {},
                    ProjectProperty(PageNameProperty(),
                                    DesignerString(IDS_PROPERTY_PAGE_NAME_DESCRIPTION), pageName,
                                    "text"));
}

void CTEVComponentPropertyGridView::SetPropertiesXml(const std::string& xml) {
    if (!m_document.SetPropertiesXml(xml))
        return;
    ForgetParamRefs();
    ApplyValues(m_document.GetDocument());
    AddMissingParams();
    PushUserDefined();
}

void CTEVComponentPropertyGridView::LoadTemplateValues(const std::string& path) {
    pugi::xml_document doc;
    if (!CPropertiesDocument::LoadTemplate(path, doc))
        return;
    ApplyValues(doc);
    AddMissingParams();
    PushUserDefined();
}

void CTEVComponentPropertyGridView::ApplyValues(const pugi::xml_document& doc) {
    const bool ownDocument = &doc == &m_document.GetDocument();
    for (const pugi::xml_node param : CPropertiesDocument::AllParams(doc)) {
        const std::string name = param.attribute("name").value();
        const std::string value = param.attribute("value").value();
        const std::vector<pugi::xml_node> entries = m_document.QueryParams(name);
        if (entries.size() == 1) {
            if (pugi::xml_attribute attribute = entries.front().attribute("value"))
                attribute.set_value(value.c_str());
        }
        std::vector<wxPGProperty*> items;
        if (wxPGProperty* item = FindItem(name)) {
            items.push_back(item);
            // Only an entry of the properties document can go with its extended item; one
            // from a template's document is gone with that document.
            if (CItemRecord* record = RecordOf(item))
                record->paramRef = ownDocument ? param : pugi::xml_node();
        } else {
            // A group's sub-item shows its stored value too, or reopening a project would
            // show the default while the stored value is what is published.
            items = GroupSubItems(name);
        }
        for (wxPGProperty* item : items) {
            SetItemFromText(item, value);
            const Kind kind = GetKind(item);
            if (kind == Kind::List || kind == Kind::Group)
                continue;
            ReportInitialized(name, GetCategoryCaption(item),
                              kind == Kind::Color ? CComVariant(value) : ReportedValue(item));
        }
    }
}

void CTEVComponentPropertyGridView::AddMissingParams() {
    if (!m_document.HasDocumentElement())
        return;
    for (wxPGProperty* item : DirectItems()) {
        const std::string name = GetPropertyName(item);
        if (!name.empty() && m_document.QueryParams(name).empty())
            m_document.AppendParam(name, EncodedValue(item));
    }
}

void CTEVComponentPropertyGridView::PushUserDefined() {
    m_protocol.Push(&ITEVComponentProtocol::SetUserDefinedXml, m_document.GetUserDefinedInnerXml());
}

// ---------------------------------------------------------------------------------------
// Extended items

void CTEVComponentPropertyGridView::ForgetParamRef(const pugi::xml_node& node) {
    for (auto& [id, record] : m_items) {
        if (record.paramRef == node)
            record.paramRef = pugi::xml_node();
    }
}

void CTEVComponentPropertyGridView::ForgetParamRefs() {
    for (auto& [id, record] : m_items)
        record.paramRef = pugi::xml_node();
}

void CTEVComponentPropertyGridView::RemoveExtendedItems() {
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (!it->second.extended) {
            ++it;
            continue;
        }
        if (wxPGProperty* item = FindItemById(it->first)) {
            const pugi::xml_node param = it->second.paramRef;
            if (param) {
                ForgetParamRef(param);
                m_document.RemoveParam(param);
            }
            if (m_pGrid)
                m_pGrid->DeleteProperty(item);
        }
        it = m_items.erase(it);
    }
}

void CTEVComponentPropertyGridView::SetExtendedXml(const std::string& fragment) {
    RemoveExtendedItems();
    pugi::xml_document doc;
    if (!CPropertiesDocument::ParseExtended(fragment, doc))
        return;
    for (CParamDefinition param : CPropertiesDocument::ExtendedParams(doc)) {
        // Extended items have no limits and need no value.
        param.lowerLimit.clear();
        param.upperLimit.clear();
        param.required = false;
        if (wxPGProperty* item = AddPropertyItem(nullptr, param.category, param))
            RecordOf(item)->extended = true;
    }
}

// ---------------------------------------------------------------------------------------
// Validation and commit

long CTEVComponentPropertyGridView::ResolveLimit(const std::string& text) const {
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return PropertyValues::EditTextToNumber(text);
    for (wxPGProperty* item : DirectItems()) {
        if (GetPropertyName(item) == text)
            return PropertyValues::EditTextToNumber(DisplayedValue(item));
    }
    return 0;
}

bool CTEVComponentPropertyGridView::ValidateRange(wxPGProperty* item,
                                                  const std::string& editText) const {
    const CItemRecord* record = RecordOf(item);
    if (!record || record->kind != Kind::Number)
        return true;
    const long value = PropertyValues::EditTextToNumber(editText);
    if (!record->lowerLimit.empty() && value < ResolveLimit(record->lowerLimit))
        return false;
    if (!record->upperLimit.empty() && ResolveLimit(record->upperLimit) < value)
        return false;
    return true;
}

bool CTEVComponentPropertyGridView::ValidateEdit(wxPGProperty* item, const std::string& editText) {
    const CItemRecord* record = RecordOf(item);
    if (GetKind(item) == Kind::Number && !editText.empty() &&
        !PropertyValues::IsNumberText(editText)) {
        tev::MessageBox(this, DesignerString(IDS_ENTER_NUMBER), {}, wxOK | wxICON_WARNING);
        return false;
    }
    if (!ValidateRange(item, editText)) {
        const long low = record->lowerLimit.empty() ? 0 : ResolveLimit(record->lowerLimit);
        const long high = record->upperLimit.empty() ? 0 : ResolveLimit(record->upperLimit);
        tev::MessageBox(this,
                        tev::Format(DesignerString(IDS_VALUE_OUT_OF_RANGE).c_str(),
                                    static_cast<int>(low), static_cast<int>(high)),
                        {}, wxOK | wxICON_WARNING);
        return false;
    }
    if (record && record->required && editText.empty()) {
        tev::MessageBox(this, DesignerString(IDS_VALUE_REQUIRED), {}, wxOK | wxICON_WARNING);
        return false;
    }
    return true;
}

void CTEVComponentPropertyGridView::CommitEdit(wxPGProperty* item) {
    if (!item)
        return;
    const Kind kind = GetKind(item);
    // A number given no value holds what `atol` makes of nothing.
    if (kind == Kind::Number && item->GetValue().IsNull())
        item->SetValue(0L);
    const std::string name = GetPropertyName(item);
    const std::string category = GetCategoryCaption(item);
    const std::string encoded = EncodedValue(item);
    // The grid shows the chosen option's sub-items even when there is no document to write.
    if (kind == Kind::Group)
        ShowGroupOption(item, encoded);
    if (!m_document.HasDocumentElement())
        return;
    const CComVariant reported = kind == Kind::Color ? CComVariant(encoded) : ReportedValue(item);
    const pugi::xml_node entry = m_document.FindParam(name);
    if (!entry) {
        m_document.AppendParam(name, encoded);
        if (m_pOwner)
            m_pOwner->PropertyChanged(name, category, reported);
    } else if (pugi::xml_attribute attribute = entry.attribute("value")) {
        if (m_pOwner)
            m_pOwner->PropertyChanged(name, category, reported);
        attribute.set_value(encoded.c_str());
    }
    PushUserDefined();
    if (m_pOwner)
        m_pOwner->RefreshPreview();
}

void CTEVComponentPropertyGridView::SetPropertyValue(const std::string& name,
                                                     const std::string& category,
                                                     const CComVariant& value) {
    wxPGProperty* item = nullptr;
    for (wxPGProperty* candidate : GetCategories()) {
        if (candidate->GetLabel().utf8_string() != category)
            continue;
        for (unsigned i = 0; !item && i < candidate->GetChildCount(); ++i) {
            if (GetPropertyName(candidate->Item(i)) == name)
                item = candidate->Item(i);
        }
        if (item)
            break;
    }
    if (item) {
        const pugi::xml_node entry = m_document.FindParam(name);
        pugi::xml_attribute attribute = entry.attribute("value");
        bool set = false;
        if (GetKind(item) == Kind::Number) {
            int32_t number = 0;
            if ((set = value.ToInt(number)))
                item->SetValue(static_cast<long>(number));
        } else if (GetKind(item) != Kind::None) {
            SetItemFromText(item, value.ToText());
            set = true;
        }
        if (set && attribute)
            attribute.set_value(EncodedValue(item).c_str());
    }
    AddMissingParams();
}

} // namespace TEVComponentDesignerAfx
