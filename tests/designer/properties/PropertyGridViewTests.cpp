// The property grid as a real window: items built from the real component's descriptor and
// from fixture descriptors, validation, commits, stored values, templates, extended items,
// and the pushes that reach the protocol handler loaded from the program's folder.
#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/properties/PropertyGridView.h"
#include "platform/com/ModuleLoader.h"
#include "platform/web/InternetSession.h"
#include "platform/widgets/EventPump.h"
#include "platform/xml/XmlDom.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/propgrid/advprops.h>
#include <wx/textctrl.h>

#include <array>
#include <filesystem>
#include <ostream>

using namespace TEVComponentDesignerAfx;
using tevtest::ExpectMessageBox;
using tevtest::TempDir;
using tevtest::WriteFileBytes;
using Kind = CTEVComponentPropertyGridView::Kind;

namespace {

const std::string kOutOfRange =
    "Specified value was out of the range of valid values. Valid values are between ";
const char* const kRequired = "A value is required";
const char* const kEnterNumber = "Please enter a number.";

struct ScopedProgramFolder {
    explicit ScopedProgramFolder(const std::string& folder) { tev::OverrideProgramFolder(folder); }
    ~ScopedProgramFolder() { tev::OverrideProgramFolder(""); }
};

std::string RealDescriptor() {
    return tevtest::SourceDir() + "component/Calendar/componentInfo.xml";
}

// One notification as the owner heard it.
struct Report {
    std::string name;
    std::string category;
    VARTYPE vt;
    std::string text;
    bool operator==(const Report& other) const {
        return name == other.name && category == other.category && vt == other.vt &&
               text == other.text;
    }
};
std::ostream& operator<<(std::ostream& out, const Report& r) {
    return out << "{" << r.name << ", " << r.category << ", vt " << r.vt << ", " << r.text << "}";
}

class RecordingOwner : public CPropertyGridOwner {
public:
    void PropertyInitialized(const std::string& name, const std::string& category,
                             const CComVariant& value) override {
        inits.push_back({name, category, value.vt, value.ToText()});
    }
    void PropertyChanged(const std::string& name, const std::string& category,
                         const CComVariant& value) override {
        changes.push_back({name, category, value.vt, value.ToText()});
    }
    void RefreshPreview() override { ++refreshes; }
    const std::string& GetPageName() const override { return pageName; }
    void Clear() {
        inits.clear();
        changes.clear();
        refreshes = 0;
    }
    // The last initial value reported for `name`.
    const Report* Init(const std::string& name) const {
        for (auto it = inits.rbegin(); it != inits.rend(); ++it) {
            if (it->name == name)
                return &*it;
        }
        return nullptr;
    }

    std::vector<Report> inits;
    std::vector<Report> changes;
    int refreshes = 0;
    std::string pageName = "MyCalendar.html";
};

// A descriptor with every kind, limits that follow other properties, a group whose default
// is its second option and parameters that are never shown.
const char* const kKindsDescriptor = R"(<?xml version="1.0" encoding="UTF-8"?>
<Component>
  <Flash path="movie.js" width="320" height="240" sizeable="true">
    <Param name="Caption" type="String" access="enabled" dataType="text" value="Hello"
           caption="" description="Shown on top" required="true"/>
    <Param name="Count" access="enabled" dataType="number" value="5" caption="Count"
           lowerLimit="1" upperLimit="Width" required="true"/>
    <Param name="Offset" access="enabled" dataType="number" value="0" lowerLimit="-5"
           upperLimit="9"/>
    <Param name="Free" access="enabled" dataType="number" value="not a number"/>
    <Param name="Tint" access="enabled" dataType="color" value="0x00FF80"/>
    <Param name="Shown" access="enabled" dataType="boolean" value="false"/>
    <Param name="Size" access="enabled" dataType="list" value="Large">
      <O>Small</O><O>Medium</O><O>Large</O>
    </Param>
    <Param name="Layout" access="enabled" dataType="group" value="Column">
      <Option value="Row">
        <Param name="Gap" dataType="number" value="4" lowerLimit="0" upperLimit="10"/>
      </Option>
      <Option value="Column">
        <Param name="Align" dataType="list" value="b"><O>a</O><O>b</O></Param>
        <Param name="Stretch" dataType="boolean" value="true"/>
      </Option>
    </Param>
    <Param name="Odd" access="enabled" dataType="slider" value="3"/>
    <Param name="Secret" access="private" dataType="text" value="x"/>
    <Param name="Skin" access="private" dataType="asset" value="skin.css"/>
    <Param name="Late" access="enabled" dataType="text" value="last"/>
  </Flash>
</Component>)";

const char* const kKindsProps = R"(<flash><UserDefined>
  <Param name="Caption" value="Hello"/><Param name="Tint" value="0x00FF80"/>
  <Param name="Count" value="5"/></UserDefined></flash>)";

struct GridTest : testing::Test {
    ScopedProgramFolder program{tevtest::ProgramDir()};
    TempDir dir;
    RecordingOwner owner;
    wxFrame* frame = nullptr;
    CTEVComponentPropertyGridView* grid = nullptr;

    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(520, 760));
        grid = new CTEVComponentPropertyGridView;
        grid->SetOwner(&owner);
        ASSERT_TRUE(grid->Create(frame));
        frame->Show();
    }
    void TearDown() override {
        frame->Destroy();
        tev::PumpEventsFor(20);
    }
    void LoadReal() { grid->SetComponentPath(RealDescriptor()); }
    // A component folder of the test's own; no props.xml when `props` is null.
    void LoadFixture(const std::string& descriptor, const char* props) {
        std::filesystem::create_directories(dir / "c");
        ASSERT_TRUE(WriteFileBytes(dir / "c/componentInfo.xml", descriptor));
        std::filesystem::remove(dir / "c/props.xml");
        if (props) {
            ASSERT_TRUE(WriteFileBytes(dir / "c/props.xml", props));
        }
        grid->SetComponentPath(dir / "c/componentInfo.xml");
    }
    std::string WriteTemplate(const std::string& name, const std::string& props) {
        std::filesystem::create_directories(dir / name);
        EXPECT_TRUE(WriteFileBytes(dir / name + "/props.xml", props));
        return dir / name + "/props.xml";
    }
    wxPGProperty* Item(const std::string& name) {
        wxPGProperty* item = grid->FindItem(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    wxPGProperty* SubItem(const std::string& group, const std::string& name) {
        wxPGProperty* parent = Item(group);
        for (unsigned i = 0; parent && i < parent->GetChildCount(); ++i) {
            if (grid->GetPropertyName(parent->Item(i)) == name)
                return parent->Item(i);
        }
        ADD_FAILURE() << name << " is not below " << group;
        return nullptr;
    }
    std::string Shown(const std::string& name) {
        return CTEVComponentPropertyGridView::DisplayedValue(Item(name));
    }
    // The stored value of the first entry named `name`, "<none>" without one.
    std::string Entry(const std::string& name) const {
        const pugi::xml_node entry = grid->GetDocument().FindParam(name);
        return entry ? entry.attribute("value").value() : "<none>";
    }
    size_t EntryCount(const std::string& name) const {
        size_t count = 0;
        for (const pugi::xml_node& param :
             CPropertiesDocument::AllParams(grid->GetDocument().GetDocument()))
            count += name == param.attribute("name").value();
        return count;
    }
    // An edit through the grid's own entry point: changing event, then changed event.
    bool Edit(wxPGProperty* item, const wxVariant& value) {
        return grid->GetGrid()->ChangePropertyValue(item, value);
    }
    bool IsShown(wxPGProperty* item) { return grid->GetGrid()->IsPropertyShown(item); }
    std::vector<std::string> ChildNames(wxPGProperty* parent) {
        std::vector<std::string> names;
        for (unsigned i = 0; parent && i < parent->GetChildCount(); ++i)
            names.push_back(grid->GetPropertyName(parent->Item(i)));
        return names;
    }
    std::vector<std::string> CategoryCaptions() {
        std::vector<std::string> captions;
        for (wxPGProperty* category : grid->GetCategories())
            captions.push_back(category->GetLabel().utf8_string());
        return captions;
    }
};

wxVariant Colour(unsigned char r, unsigned char g, unsigned char b) {
    wxVariant value;
    value << wxColour(r, g, b);
    return value;
}

wxColour ColourOf(wxPGProperty* item) {
    wxColour colour;
    colour << item->GetValue();
    return colour;
}

// The document the protocol handler serves at "about:props.xml", as the preview reads it.
std::string ServedValue(const std::string& name) {
    tev::InternetResponse response;
    if (tev::InternetSession::Instance().Resolve("about:props.xml", response) != S_OK)
        return "<not served>";
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, response.content))
        return "<not XML>";
    for (const pugi::xml_node param : doc.child("flash").child("UserDefined").children("Param")) {
        if (name == param.attribute("name").value())
            return param.attribute("value").value();
    }
    return "<none>";
}

// The preview's registration of the handler for "about", for the life of a test.
struct ScopedAboutHandler {
    CComponentProtocolBinding preview;
    ScopedAboutHandler() {
        EXPECT_EQ(tev::InternetSession::Instance().RegisterNameSpace(preview.Factory(), "about"),
                  S_OK);
    }
    ~ScopedAboutHandler() {
        tev::InternetSession::Instance().UnregisterNameSpace(preview.Factory(), "about");
    }
};

} // namespace

// ---------------------------------------------------------------------------------------
// Building the items

TEST_F(GridTest, TheRealComponentShowsItsParametersWithTheirEditors) {
    LoadReal();
    EXPECT_EQ(CategoryCaptions(), (std::vector<std::string>{"Properties", "Project Properties"}));

    struct KindCase {
        const char* name;
        Kind kind;
        const char* caption;
        const char* shown;
    };
    const KindCase kinds[] = {
        {"Title", Kind::Text, "Title", "Events"},
        {"View", Kind::Group, "View", "Month"},
        {"WeekStartDay", Kind::Boolean, "Weeks start on Sunday", "True"},
        {"TimeFormat", Kind::List, "Time format", "12-hour"},
        {"FontFace", Kind::List, "Font", "Verdana"},
        {"FontSize", Kind::Number, "Font size", "11"},
        {"HeaderHeight", Kind::Number, "Header height", "44"},
        {"BackgroundColor", Kind::Color, "Background color", nullptr},
        {"Width", Kind::Number, "Width", "500"},
        {"Height", Kind::Number, "Height", "400"},
        {"Aspect ratio", Kind::Boolean, "Aspect ratio", "True"},
        {"Page Name", Kind::Text, "Page Name", "MyCalendar.html"},
    };
    for (const KindCase& c : kinds) {
        wxPGProperty* item = Item(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(grid->GetKind(item), c.kind) << c.name;
        EXPECT_EQ(item->GetLabel().utf8_string(), c.caption) << c.name;
        if (c.shown) {
            EXPECT_EQ(Shown(c.name), c.shown) << c.name;
        }
    }
    EXPECT_TRUE(Item("WeekStartDay")->HasFlag(wxPG_PROP_USE_CHECKBOX));
    EXPECT_EQ(ColourOf(Item("HeaderColor")), wxColour(0x2F, 0x5D, 0x8C));
    EXPECT_EQ(Item("FontFace")->GetChoices().GetCount(), 7u);
    EXPECT_EQ(Item("TimeFormat")->GetChoices().GetLabels(),
              (wxArrayString{2, std::array<wxString, 2>{"12-hour", "24-hour"}.data()}));
    EXPECT_EQ(grid->FindItem("Stylesheet"), nullptr) << "a private asset is never shown";

    // The fixed project properties, in their order, with their descriptions.
    EXPECT_EQ(ChildNames(grid->FindCategory("Project Properties")),
              (std::vector<std::string>{"Width", "Height", "Aspect ratio", "Page Name"}));
    EXPECT_EQ(Item("Width")->GetHelpString(), "Component width");
    EXPECT_EQ(Item("Height")->GetHelpString(), "Component height");
    EXPECT_EQ(Item("Aspect ratio")->GetHelpString(), "Maintain aspect ratio");
    EXPECT_EQ(Item("Page Name")->GetHelpString(), "Page Name");

    // Every item reported its initial value, with an empty category, typed by its kind.
    const Report expected[] = {
        {"Title", "", VT_BSTR, "Events"},
        {"View", "", VT_BSTR, "Month"},
        {"EventsPerDay", "", VT_I4, "3"},
        {"WeekStartDay", "", VT_BOOL, "True"},
        {"TimeFormat", "", VT_BSTR, "12-hour"},
        {"FontSize", "", VT_I4, "11"},
        {"BackgroundColor", "", VT_BSTR, "0xFFFFFF"},
        {"Width", "", VT_I4, "500"},
        {"Aspect ratio", "", VT_BOOL, "True"},
        {"Page Name", "", VT_BSTR, "MyCalendar.html"},
    };
    for (const Report& report : expected) {
        ASSERT_NE(owner.Init(report.name), nullptr) << report.name;
        EXPECT_EQ(*owner.Init(report.name), report);
    }
    EXPECT_EQ(owner.inits.size(), 34u) << "23 parameters, 7 sub-items, 4 project properties";
    EXPECT_TRUE(owner.changes.empty());

    // Sub-items carry smaller IDs than their group; IDs follow the order of creation.
    const unsigned view = grid->GetItemId(Item("View"));
    EXPECT_LT(grid->GetItemId(SubItem("View", "ShowEmptyDays")), view);
    EXPECT_EQ(grid->GetItemId(Item("Title")), 1u);
    EXPECT_EQ(grid->GetItemId(Item("ShowViewButtons")), view + 1);
    EXPECT_EQ(grid->GetItemId(Item("WeekStartDay")), view + 2);

    // The document is the component's own props.xml; the grid and it meet only later.
    EXPECT_EQ(Entry("FontSize"), "11");
    EXPECT_EQ(Entry("Width"), "<none>");
}

TEST_F(GridTest, FixtureKindsDefaultsAndParametersThatAreNeverShown) {
    owner.pageName = "index.html";
    LoadFixture(kKindsDescriptor, kKindsProps);
    EXPECT_EQ(ChildNames(grid->FindCategory("Properties")),
              (std::vector<std::string>{"Caption", "Count", "Offset", "Free", "Tint", "Shown",
                                        "Size", "Layout", "Late"}));
    EXPECT_EQ(Item("Caption")->GetLabel(), "Caption") << "an empty caption shows the name";
    EXPECT_EQ(Shown("Free"), "0") << "a default that is no number";
    EXPECT_EQ(ColourOf(Item("Tint")), wxColour(0x00, 0xFF, 0x80));
    EXPECT_EQ(Shown("Size"), "Large");
    EXPECT_EQ(Shown("Width"), "320");
    EXPECT_EQ(Shown("Page Name"), "index.html");
    // The unknown kind gets no item but uses an ID: the next item's ID skips it.
    EXPECT_EQ(grid->GetItemId(Item("Late")), grid->GetItemId(Item("Layout")) + 2);
    // A sub-parameter list takes its options from its own children.
    EXPECT_EQ(grid->GetKind(SubItem("Layout", "Align")), Kind::List);
    EXPECT_EQ(CTEVComponentPropertyGridView::DisplayedValue(SubItem("Layout", "Align")), "b");
    EXPECT_EQ(owner.Init("Tint")->text, "0x00FF80");
}

TEST_F(GridTest, GroupsShowOnlyTheChosenOptionsSubItems) {
    LoadReal();
    wxPGProperty* view = Item("View");
    const char* const month[] = {"ShowWeekNumbers", "ShowEventTimes", "EventsPerDay"};
    const char* const agenda[] = {"DaysToShow", "ShowEmptyDays"};
    for (const char* name : month)
        EXPECT_TRUE(IsShown(SubItem("View", name))) << name;
    for (const char* name : agenda)
        EXPECT_FALSE(IsShown(SubItem("View", name))) << name;

    owner.Clear();
    EXPECT_TRUE(Edit(view, wxVariant(3L))); // Month, Week, Day, Agenda
    for (const char* name : month)
        EXPECT_FALSE(IsShown(SubItem("View", name))) << name;
    for (const char* name : agenda)
        EXPECT_TRUE(IsShown(SubItem("View", name))) << name;
    EXPECT_EQ(Entry("View"), "Agenda");
    EXPECT_EQ(owner.changes, (std::vector<Report>{{"View", "Properties", VT_BSTR, "Agenda"}}));
    EXPECT_EQ(owner.refreshes, 1);

    // Editing a sub-item writes its own entry, which the component's props.xml lacks.
    EXPECT_TRUE(Edit(SubItem("View", "DaysToShow"), wxVariant(14L)));
    EXPECT_EQ(Entry("DaysToShow"), "14");
    EXPECT_EQ(owner.changes.back(), (Report{"DaysToShow", "Properties", VT_I4, "14"}));

    // A group whose default is its second option, and one whose default names none.
    LoadFixture(kKindsDescriptor, kKindsProps);
    EXPECT_EQ(Shown("Layout"), "Column");
    EXPECT_FALSE(IsShown(SubItem("Layout", "Gap")));
    EXPECT_TRUE(IsShown(SubItem("Layout", "Align")));
    EXPECT_TRUE(IsShown(SubItem("Layout", "Stretch")));
    std::string unknownDefault = kKindsDescriptor;
    unknownDefault.replace(unknownDefault.find("value=\"Column\""), 14, "value=\"Diagonal\"");
    LoadFixture(unknownDefault, kKindsProps);
    EXPECT_EQ(Shown("Layout"), "Row");
    EXPECT_TRUE(IsShown(SubItem("Layout", "Gap")));
    EXPECT_FALSE(IsShown(SubItem("Layout", "Align")));
}

// ---------------------------------------------------------------------------------------
// Validation

TEST_F(GridTest, OutOfRangeAndEmptyEditsAreRefusedAndKeepTheOldValue) {
    LoadReal();
    const std::string before = grid->GetUserDefinedXml();
    owner.Clear();
    bool taken = true;
    wxTEST_DIALOG(taken = Edit(Item("Width"), wxVariant(5L)),
                  ExpectMessageBox(kOutOfRange + "10 and 1024", wxID_OK));
    EXPECT_FALSE(taken);
    EXPECT_EQ(Shown("Width"), "500");
    wxTEST_DIALOG(taken = Edit(Item("Page Name"), wxVariant(wxString())),
                  ExpectMessageBox(kRequired, wxID_OK));
    EXPECT_FALSE(taken);
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html");
    wxTEST_DIALOG(Edit(Item("Height"), wxVariant(1025L)),
                  ExpectMessageBox(kOutOfRange + "10 and 1024", wxID_OK));
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_EQ(grid->GetUserDefinedXml(), before) << "nothing was written";

    // The limits themselves are valid values.
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item("Width"), wxVariant(10L))));
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item("Width"), wxVariant(1024L))));
    EXPECT_EQ(Entry("Width"), "1024");

    // An upper limit naming "Height" follows the Height item.
    wxTEST_DIALOG(Edit(Item("HeaderHeight"), wxVariant(401L)),
                  ExpectMessageBox(kOutOfRange + "20 and 400", wxID_OK));
    EXPECT_EQ(Shown("HeaderHeight"), "44");
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item("HeaderHeight"), wxVariant(400L))));
    TEV_EXPECT_NO_DIALOG(Edit(Item("Height"), wxVariant(600L)));
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item("HeaderHeight"), wxVariant(500L))));
    EXPECT_EQ(Entry("HeaderHeight"), "500");
    // A sub-item's limits apply too.
    wxTEST_DIALOG(Edit(SubItem("View", "EventsPerDay"), wxVariant(11L)),
                  ExpectMessageBox(kOutOfRange + "1 and 10", wxID_OK));
}

TEST_F(GridTest, LimitsResolveToNumbersOrToOtherProperties) {
    LoadFixture(kKindsDescriptor, kKindsProps);
    const std::pair<const char*, long> limits[] = {
        {"10", 10},      {"12abc", 12},  {"Width", 320},
        {"Height", 240}, {"Count", 5},   {"-5", 0},
        {"Nowhere", 0},  {"", 0},        {"Gap", 0} /* sub-items are not seen */,
        {"Tint", 0},     {"Caption", 0},
    };
    for (const auto& [text, value] : limits) {
        EXPECT_EQ(grid->ResolveLimit(text), value) << text;
    }
    struct RangeCase {
        const char* item;
        const char* text;
        bool ok;
    };
    const RangeCase ranges[] = {
        {"Count", "1", true},
        {"Count", "320", true},
        {"Count", "321", false},
        {"Count", "0", false},
        {"Count", "abc", false},
        {"Count", "12abc", true},
        {"Offset", "-1", false} /* "-5" reads as 0 */,
        {"Offset", "9", true},
        {"Offset", "10", false},
        {"Free", "-99999", true},
        {"Caption", "", true},
        {"Tint", "", true},
        {"Size", "", true},
    };
    for (const RangeCase& c : ranges) {
        EXPECT_EQ(grid->ValidateRange(Item(c.item), c.text), c.ok) << c.item << " " << c.text;
    }
    wxTEST_DIALOG(EXPECT_FALSE(grid->ValidateEdit(Item("Offset"), "-1")),
                  ExpectMessageBox(kOutOfRange + "0 and 9", wxID_OK));
    // Numbers are asked for before their range; texts may hold anything.
    wxTEST_DIALOG(EXPECT_FALSE(grid->ValidateEdit(Item("Offset"), "-1x")),
                  ExpectMessageBox(kEnterNumber, wxID_OK));
    wxTEST_DIALOG(EXPECT_FALSE(grid->ValidateEdit(Item("Free"), "abc")),
                  ExpectMessageBox(kEnterNumber, wxID_OK));
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(grid->ValidateEdit(Item("Caption"), "abc")));
    // Required texts refuse an empty entry; other kinds and optional items take it.
    wxTEST_DIALOG(EXPECT_FALSE(grid->ValidateEdit(Item("Caption"), "")),
                  ExpectMessageBox(kRequired, wxID_OK));
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(grid->ValidateEdit(Item("Late"), "")));
    // An optional number given no value holds 0.
    TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item("Free"), wxVariant())));
    EXPECT_EQ(Shown("Free"), "0");
    EXPECT_EQ(Entry("Free"), "0");
}

// ---------------------------------------------------------------------------------------
// Committing

TEST_F(GridTest, CommittedEditsAreWrittenReportedAndPushedToTheProtocolHandler) {
    ScopedAboutHandler about;
    LoadReal();
    EXPECT_EQ(ServedValue("FontSize"), "11") << "the component's values after loading";
    owner.Clear();
    struct Case {
        const char* name;
        wxVariant value;
        const char* stored;
        Report report;
    };
    const Case cases[] = {
        {"BackgroundColor",
         Colour(0x12, 0x34, 0x56),
         "0x123456",
         {"BackgroundColor", "Properties", VT_BSTR, "0x123456"}},
        {"FontSize", wxVariant(14L), "14", {"FontSize", "Properties", VT_I4, "14"}},
        {"WeekStartDay", wxVariant(false), "false", {"WeekStartDay", "Properties", VT_I4, "0"}},
        {"TimeFormat", wxVariant(1L), "24-hour", {"TimeFormat", "Properties", VT_BSTR, "24-hour"}},
        {"Title",
         wxVariant(wxString::FromUTF8("Club & Co \xE2\x82\xAC")),
         "Club & Co \xE2\x82\xAC",
         {"Title", "Properties", VT_BSTR, "Club & Co \xE2\x82\xAC"}},
        // Entries the component's props.xml lacks are created.
        {"Width", wxVariant(640L), "640", {"Width", "Project Properties", VT_I4, "640"}},
        {"Page Name",
         wxVariant(wxString("club.html")),
         "club.html",
         {"Page Name", "Project Properties", VT_BSTR, "club.html"}},
    };
    int commits = 0;
    for (const Case& c : cases) {
        TEV_EXPECT_NO_DIALOG(EXPECT_TRUE(Edit(Item(c.name), c.value)) << c.name);
        ++commits;
        EXPECT_EQ(Entry(c.name), c.stored) << c.name;
        EXPECT_EQ(EntryCount(c.name), 1u) << c.name;
        ASSERT_FALSE(owner.changes.empty());
        EXPECT_EQ(owner.changes.back(), c.report);
        EXPECT_EQ(ServedValue(c.name), c.stored) << "pushed after the edit: " << c.name;
        EXPECT_EQ(owner.refreshes, commits);
    }
    EXPECT_TRUE(owner.inits.empty()) << "edits are changes, not initial values";
}

TEST_F(GridTest, WithoutAPropsFileEditsStayInTheGridAndNothingIsWritten) {
    ScopedAboutHandler about;
    LoadFixture(kKindsDescriptor, nullptr);
    EXPECT_FALSE(grid->GetDocument().HasDocumentElement());
    EXPECT_EQ(grid->GetUserDefinedXml(), "");
    EXPECT_EQ(ServedValue("Caption"), "<none>");
    owner.Clear();
    EXPECT_TRUE(Edit(Item("Caption"), wxVariant(wxString("Kept"))));
    EXPECT_TRUE(Edit(Item("Layout"), wxVariant(0L)));
    EXPECT_EQ(Shown("Caption"), "Kept");
    EXPECT_TRUE(IsShown(SubItem("Layout", "Gap"))) << "the grid still follows the choice";
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_EQ(owner.refreshes, 0);
    EXPECT_EQ(grid->GetUserDefinedXml(), "");
    // Stored values have nowhere to go either, and nothing is added.
    grid->LoadTemplateValues(WriteTemplate("t", "<flash><UserDefined><Param name='Caption' "
                                                "value='From template'/></UserDefined></flash>"));
    EXPECT_EQ(Shown("Caption"), "From template");
    EXPECT_EQ(grid->GetUserDefinedXml(), "");
}

// ---------------------------------------------------------------------------------------
// Stored values, templates

TEST_F(GridTest, AProjectsValuesApplyAndMissingEntriesAreAdded) {
    LoadReal();
    owner.Clear();
    grid->SetPropertiesXml(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><flash><tev></tev>"
        "<UserDefined>"
        "<Param name=\"BackgroundColor\" value=\"0x00FF80\"/>"
        "<Param name=\"FontSize\" value=\"abc\"/>"
        "<Param name=\"View\" value=\"Agenda\"/>"
        "<Param name=\"DaysToShow\" value=\"12\"/>"
        "<Param name=\"TimeFormat\" value=\"Nonsense\"/>"
        "<Param name=\"WeekStartDay\" value=\"false\"/>"
        "<Param name=\"Title\" value=\"One\"/><Param name=\"Title\" value=\"Two\"/>"
        "<Param name=\"Unknown\" value=\"1\"/>"
        "<Param name=\"Page Name\" value=\"club.html\"/>"
        "</UserDefined></flash>");
    EXPECT_EQ(ColourOf(Item("BackgroundColor")), wxColour(0x00, 0xFF, 0x80));
    EXPECT_EQ(Shown("FontSize"), "11") << "a stored text that is no number changes nothing";
    EXPECT_EQ(Shown("View"), "Agenda");
    EXPECT_TRUE(IsShown(SubItem("View", "DaysToShow")));
    EXPECT_FALSE(IsShown(SubItem("View", "EventsPerDay")));
    EXPECT_EQ(CTEVComponentPropertyGridView::DisplayedValue(SubItem("View", "DaysToShow")), "12");
    EXPECT_EQ(Shown("TimeFormat"), "12-hour") << "an unknown option leaves the choice";
    EXPECT_EQ(Shown("WeekStartDay"), "False");
    EXPECT_EQ(Shown("Title"), "Two") << "applied in order";
    EXPECT_EQ(Shown("Page Name"), "club.html");

    // Initial values: stored colour text, numbers and booleans as integers, no list or group.
    EXPECT_EQ(*owner.Init("BackgroundColor"),
              (Report{"BackgroundColor", "Properties", VT_BSTR, "0x00FF80"}));
    EXPECT_EQ(*owner.Init("WeekStartDay"), (Report{"WeekStartDay", "Properties", VT_I4, "0"}));
    EXPECT_EQ(*owner.Init("DaysToShow"), (Report{"DaysToShow", "Properties", VT_I4, "12"}));
    EXPECT_EQ(*owner.Init("Page Name"),
              (Report{"Page Name", "Project Properties", VT_BSTR, "club.html"}));
    EXPECT_EQ(owner.Init("View"), nullptr);
    EXPECT_EQ(owner.Init("TimeFormat"), nullptr);
    EXPECT_EQ(owner.Init("Unknown"), nullptr);
    EXPECT_TRUE(owner.changes.empty());

    // Missing entries: every direct item, with its current value; sub-items are not added.
    EXPECT_EQ(Entry("Width"), "500");
    EXPECT_EQ(Entry("Height"), "400");
    EXPECT_EQ(Entry("Aspect ratio"), "true");
    EXPECT_EQ(Entry("CornerRadius"), "6");
    EXPECT_EQ(Entry("FontFace"), "Verdana");
    EXPECT_EQ(Entry("EventsPerDay"), "<none>");
    EXPECT_EQ(Entry("FontSize"), "abc") << "existing entries are not changed";
    EXPECT_EQ(EntryCount("Title"), 2u);
    EXPECT_EQ(EntryCount("Unknown"), 1u);
    // A stored colour is written back with the same six digits.
    grid->CommitEdit(Item("BackgroundColor"));
    EXPECT_EQ(Entry("BackgroundColor"), "0x00FF80");
    // The document holds only tev and UserDefined now.
    EXPECT_EQ(grid->GetUserDefinedXml().substr(0, 20), "<tev/>\n<UserDefined>");

    // Text that does not parse changes nothing.
    const std::string before = grid->GetUserDefinedXml();
    grid->SetPropertiesXml("<flash><UserDefined>");
    EXPECT_EQ(grid->GetUserDefinedXml(), before);
}

TEST_F(GridTest, TemplatesSetTheValuesTheyNameAndNothingElse) {
    ScopedAboutHandler about;
    LoadReal();
    EXPECT_EQ(Entry("Page Name"), "<none>");
    const std::string spring =
        WriteTemplate("Spring", "<flash><tev/><UserDefined><Param name='FontSize' value='16'/>"
                                "<Param name='Title' value='Spring'/><Param name='HeaderColor' "
                                "value='0x336699'/></UserDefined></flash>");
    owner.Clear();
    grid->LoadTemplateValues(spring);
    EXPECT_EQ(Shown("FontSize"), "16");
    EXPECT_EQ(Entry("FontSize"), "16");
    EXPECT_EQ(Entry("Title"), "Spring");
    EXPECT_EQ(Entry("HeaderColor"), "0x336699");
    EXPECT_EQ(Entry("TextColor"), "0x2B3340") << "entries the template does not name stay";
    EXPECT_EQ(Entry("Page Name"), "MyCalendar.html") << "added once a template is applied";
    EXPECT_EQ(ServedValue("Title"), "Spring");
    EXPECT_EQ(owner.inits.size(), 3u);
    EXPECT_EQ(*owner.Init("FontSize"), (Report{"FontSize", "Properties", VT_I4, "16"}));

    // A template that names only unknown properties changes nothing and adds nothing.
    const std::string before = grid->GetUserDefinedXml();
    owner.Clear();
    grid->LoadTemplateValues(WriteTemplate(
        "Odd", "<flash><UserDefined><Param name='NoSuch' value='1'/></UserDefined></flash>"));
    EXPECT_EQ(grid->GetUserDefinedXml(), before);
    EXPECT_TRUE(owner.inits.empty());
    EXPECT_EQ(Shown("FontSize"), "16");

    // Templates that are missing or damaged apply nothing.
    grid->LoadTemplateValues(dir / "Gone/props.xml");
    grid->LoadTemplateValues(WriteTemplate("Broken", "<flash><UserDefined><Param"));
    grid->LoadTemplateValues(WriteTemplate("Empty", ""));
    EXPECT_EQ(grid->GetUserDefinedXml(), before);
    EXPECT_TRUE(owner.inits.empty());
}

TEST_F(GridTest, SetPropertyValueSetsNumbersQuietly) {
    ScopedAboutHandler about;
    LoadReal();
    owner.Clear();
    // The component's document has no Width entry yet: the missing entries are added.
    grid->SetPropertyValue("Width", "Project Properties", CComVariant(int32_t(640)));
    EXPECT_EQ(Shown("Width"), "640");
    EXPECT_EQ(Entry("Width"), "640");
    EXPECT_EQ(Entry("Page Name"), "MyCalendar.html");
    grid->SetPropertyValue("Height", "Project Properties", CComVariant("480"));
    EXPECT_EQ(Entry("Height"), "480");
    // Wrong category, unknown name, no number: no change, and nothing reported or pushed.
    grid->SetPropertyValue("Width", "Properties", CComVariant(int32_t(1)));
    grid->SetPropertyValue("Depth", "Project Properties", CComVariant(int32_t(1)));
    grid->SetPropertyValue("Height", "Project Properties", CComVariant("tall"));
    EXPECT_EQ(Entry("Width"), "640");
    EXPECT_EQ(Entry("Height"), "480");
    EXPECT_TRUE(owner.inits.empty());
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_EQ(ServedValue("Width"), "<none>");
}

// ---------------------------------------------------------------------------------------
// Extended items

TEST_F(GridTest, ExtendedItemsReplaceTheOnesBeforeAndTakeTheirEntries) {
    LoadReal();
    owner.Clear();
    grid->SetExtendedXml("<Param type='B' dataType='boolean' value='true' caption='Holidays' "
                         "name='ShowHolidays' category='Calendar' description='d'/>"
                         "<Param dataType='text' value='hi' name='Note'/>");
    EXPECT_EQ(CategoryCaptions(),
              (std::vector<std::string>{"Properties", "Project Properties", "Calendar"}));
    EXPECT_EQ(ChildNames(grid->FindCategory("Calendar")), std::vector<std::string>{"ShowHolidays"});
    EXPECT_EQ(ChildNames(grid->FindCategory("Properties")).back(), "Note");
    EXPECT_EQ(*owner.Init("ShowHolidays"), (Report{"ShowHolidays", "Calendar", VT_BOOL, "True"}));
    EXPECT_EQ(*owner.Init("Note"), (Report{"Note", "", VT_BSTR, "hi"}));
    EXPECT_EQ(grid->GetExtendedItems().size(), 2u);

    // Stored values reach extended items like any other, and entries are added for them.
    grid->SetPropertiesXml("<flash><tev/><UserDefined><Param name='ShowHolidays' value='false'/>"
                           "</UserDefined></flash>");
    EXPECT_EQ(Shown("ShowHolidays"), "False");
    EXPECT_EQ(Entry("Note"), "hi");
    EXPECT_EQ(*owner.Init("ShowHolidays"), (Report{"ShowHolidays", "Calendar", VT_I4, "0"}));

    // The next fragment removes the items and the entries they were applied from.
    grid->SetExtendedXml("<Param dataType='number' value='3' name='Weeks'/>");
    EXPECT_EQ(grid->FindItem("ShowHolidays"), nullptr);
    EXPECT_EQ(grid->FindItem("Note"), nullptr);
    EXPECT_EQ(Entry("ShowHolidays"), "<none>");
    EXPECT_EQ(Entry("Note"), "hi") << "added, never applied: it stays";
    EXPECT_EQ(Shown("Weeks"), "3");
    EXPECT_EQ(Entry("FontSize"), "11");

    // A fragment that does not parse only removes.
    grid->SetExtendedXml("<Param name='Broken'");
    EXPECT_EQ(grid->FindItem("Weeks"), nullptr);
    EXPECT_EQ(grid->FindItem("Broken"), nullptr);
    EXPECT_TRUE(grid->GetExtendedItems().empty());
    // Two extended items of one name: the entry applied to them goes once.
    grid->SetExtendedXml(
        "<Param dataType='text' name='Twin'/><Param dataType='text' name='Twin'/>");
    grid->SetPropertiesXml(
        "<flash><tev/><UserDefined><Param name='Twin' value='x'/></UserDefined></flash>");
    grid->SetExtendedXml("");
    EXPECT_EQ(grid->FindItem("Twin"), nullptr);
    EXPECT_EQ(EntryCount("Twin"), 0u);
}

// ---------------------------------------------------------------------------------------
// Bad input

TEST_F(GridTest, DamagedDescriptorsLeaveTwoEmptyCategoriesAndOnlyThePlayerScript) {
    const char* const descriptors[] = {
        "<Component><Flash path='m.js'>",
        "<Component><NotFlash path='m.js'><Param name='A' access='enabled' "
        "dataType='text'/></NotFlash></Component>",
        "",
        "\x89PNG\r\n\x1a\n",
    };
    for (const char* descriptor : descriptors) {
        LoadFixture(descriptor, kKindsProps);
        EXPECT_EQ(CategoryCaptions(),
                  (std::vector<std::string>{"Properties", "Project Properties"}))
            << descriptor;
        for (wxPGProperty* category : grid->GetCategories())
            EXPECT_EQ(category->GetChildCount(), 0u) << descriptor;
        EXPECT_EQ(grid->GetAssets(),
                  std::vector<std::string>{tevtest::ProgramDir() + "swfobject.js"});
        EXPECT_EQ(Entry("Caption"), "Hello") << "props.xml is still loaded";
    }
    // No descriptor file at all.
    grid->SetComponentPath(dir / "missing/componentInfo.xml");
    EXPECT_EQ(grid->GetCategories().size(), 2u);
    EXPECT_FALSE(grid->GetDocument().HasDocumentElement());
}

TEST_F(GridTest, HostileNamesAndValuesNeverBreakTheGrid) {
    LoadFixture(R"(<C><Flash sizeable="false">
        <Param name="Bob's" access="enabled" dataType="text" value="1"/>
        <Param name="x' or @name='Caption" access="enabled" dataType="text" value="2"/>
        <Param name='a"b &lt;c&gt; &amp;' access="enabled" dataType="number" value="9999999999"
               caption="&lt;b&gt;bold&lt;/b&gt;" lowerLimit="'"/>
        <Param access="enabled" dataType="text" value="nameless"/>
        <Param name="Caption" access="enabled" dataType="text" value="c"/>
        <Param name="EmptyList" access="enabled" dataType="list" value="x"/>
        <Param name="EmptyGroup" access="enabled" dataType="group" value="x"/>
        <Param name="Texty" access="enabled" dataType="list" value="b">a<O>b</O>
          <O><I>c</I>d</O></Param>
        <Param name="Colour" access="enabled" dataType="color" value="red"/>
        <Param name="Page Name" access="enabled" dataType="text" value="twin"/>
      </Flash></C>)",
                "<flash><UserDefined><Param name='Caption' value='c'/></UserDefined></flash>");
    EXPECT_EQ(ChildNames(grid->FindCategory("Project Properties")),
              std::vector<std::string>{"Page Name"})
        << "not sizeable: only the page name";
    EXPECT_EQ(Item("a\"b <c> &")->GetLabel(), "<b>bold</b>");
    EXPECT_EQ(Shown("a\"b <c> &"), "0") << "too big for 32 bits: no number";
    EXPECT_EQ(Item("Texty")->GetChoices().GetLabels(),
              (wxArrayString{3, std::array<wxString, 3>{"a", "b", "cd"}.data()}));
    EXPECT_EQ(Shown("Texty"), "b");
    EXPECT_EQ(ColourOf(Item("Colour")), wxColour(0, 0, 0));
    EXPECT_EQ(Item("EmptyList")->GetChoices().GetCount(), 0u);

    // An apostrophe: never found, so every commit appends; the other entries stay untouched.
    TEV_EXPECT_NO_DIALOG({
        EXPECT_TRUE(Edit(Item("Bob's"), wxVariant(wxString("one"))));
        EXPECT_TRUE(Edit(Item("Bob's"), wxVariant(wxString("two"))));
        EXPECT_TRUE(Edit(Item("x' or @name='Caption"), wxVariant(wxString("hijack"))));
        EXPECT_TRUE(Edit(Item("a\"b <c> &"), wxVariant(7L)));
    });
    EXPECT_EQ(EntryCount("Bob's"), 2u);
    EXPECT_EQ(EntryCount("x' or @name='Caption"), 1u);
    EXPECT_EQ(Entry("Caption"), "c");
    EXPECT_EQ(Entry("a\"b <c> &"), "7");
    // Limits that are no numbers and name nothing resolve to 0.
    wxTEST_DIALOG(Edit(Item("a\"b <c> &"), wxVariant(-1L)),
                  ExpectMessageBox(kOutOfRange + "0 and 0", wxID_OK));
    // The nameless item's entry is written under the empty name; missing entries skip it.
    EXPECT_TRUE(Edit(grid->FindCategory("Properties")->Item(3), wxVariant(wxString("n"))));
    EXPECT_EQ(EntryCount(""), 1u);
    grid->SetPropertiesXml(
        "<flash><UserDefined><Param name=\"Bob's\" value='stored'/></UserDefined></flash>");
    EXPECT_EQ(Shown("Bob's"), "stored");
    EXPECT_EQ(EntryCount(""), 0u);
    EXPECT_EQ(EntryCount("Bob's"), 2u) << "the stored one, and one added as missing";

    // The whole user-defined XML still parses, whatever the names.
    pugi::xml_document doc;
    EXPECT_TRUE(tev::LoadXml(doc, "<flash>" + grid->GetUserDefinedXml() + "</flash>"));

    // Deep nesting: option texts far below a list, groups within groups within groups.
    std::string deep = "<C><Flash><Param name='Deep' access='enabled' dataType='list' value=''><O>";
    for (int i = 0; i < 100000; ++i)
        deep += "<i>";
    deep += "x";
    for (int i = 0; i < 100000; ++i)
        deep += "</i>";
    deep += "</O></Param>";
    std::string nested = "<Param name='G' access='enabled' dataType='group' value='o'>";
    for (int i = 0; i < 200; ++i)
        nested += "<Option value='o'><Param name='G' dataType='group' value='o'>";
    for (int i = 0; i < 200; ++i)
        nested += "</Param></Option>";
    deep += nested + "</Param></Flash></C>";
    LoadFixture(deep, nullptr);
    EXPECT_EQ(Shown("Deep"), "x");
    wxPGProperty* level = Item("G");
    int depth = 0;
    while (level && level->GetChildCount()) {
        level = level->Item(0);
        ++depth;
    }
    EXPECT_EQ(depth, 8) << "groups within groups stop at a fixed depth";
}

// ---------------------------------------------------------------------------------------
// Typing into the real grid

TEST_F(GridTest, TypedEditsAreValidatedBeforeTheyAreTaken) {
    LoadReal();
    wxPropertyGrid* pg = grid->GetGrid();
    // Opens the item's editor, as a click on its value does, puts `text` into its box and
    // presses Enter there. The box's own events carry it, not the display's keyboard focus,
    // which window tests running side by side on one display take from each other.
    const auto typeInto = [&](const char* name, const char* text) {
        ASSERT_TRUE(pg->SelectProperty(Item(name), true));
        tev::PumpEventsFor(20);
        auto* box = dynamic_cast<wxTextCtrl*>(pg->GetEditorControl());
        ASSERT_NE(box, nullptr) << name;
        box->SetValue(wxString::FromUTF8(text));
        wxCommandEvent enter(wxEVT_TEXT_ENTER, box->GetId());
        enter.SetEventObject(box);
        enter.SetString(box->GetValue());
        box->GetEventHandler()->ProcessEvent(enter);
        tev::PumpEventsFor(20);
    };
    wxTEST_DIALOG(typeInto("Width", "5"), ExpectMessageBox(kOutOfRange + "10 and 1024", wxID_OK));
    EXPECT_EQ(Shown("Width"), "500");
    ASSERT_TRUE(tev::PumpEventsUntil(
        [&] {
            auto* box = dynamic_cast<wxTextCtrl*>(pg->GetEditorControl());
            return box && box->GetValue() == "500";
        },
        2000))
        << "the editor shows the old value again";
    // An emptied number box counts as 0.
    wxTEST_DIALOG(typeInto("Width", ""), ExpectMessageBox(kOutOfRange + "10 and 1024", wxID_OK));
    EXPECT_EQ(Shown("Width"), "500");
    wxTEST_DIALOG(typeInto("Page Name", ""), ExpectMessageBox(kRequired, wxID_OK));
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html");
    // Text that is no number says so, also where it would read as the number held.
    const std::string entry = Entry("Width");
    for (const char* text : {"abc", "12px", "500 px", "5.0"}) {
        wxTEST_DIALOG(typeInto("Width", text), ExpectMessageBox(kEnterNumber, wxID_OK));
        EXPECT_EQ(Shown("Width"), "500") << text;
        EXPECT_EQ(Entry("Width"), entry) << text;
    }

    owner.Clear();
    TEV_EXPECT_NO_DIALOG(typeInto("FontSize", "14"));
    EXPECT_EQ(Shown("FontSize"), "14");
    EXPECT_EQ(Entry("FontSize"), "14");
    EXPECT_EQ(owner.changes, (std::vector<Report>{{"FontSize", "Properties", VT_I4, "14"}}));
}
