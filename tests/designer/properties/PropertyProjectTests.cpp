// Property values in the real program, as a user meets them: the main window with the
// component found beside the program, edits made in the "Choose Style" page's grid, the
// file commands answered like their dialogs would be, and a second window that opens the
// saved project.
#include "designer/core/TEVComponentDesignerDataView.h"
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/SimpleSplitter.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "host/TEVCalendarApp.h"
#include "host/TEVCalendarDlg.h"
#include "platform/com/ClassRegistry.h"
#include "platform/shell/ShellPaths.h"
#include "platform/web/InternetSession.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "platform/xml/XmlDom.h"
#include "resources/host/HostResource.h"
#include "tests/support/DesignerDialogTesting.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/calctrl.h>
#include <wx/generic/calctrlg.h>

using namespace TEVComponentDesignerAfx;
using namespace tev::host;
using tevtest::ExpectFileDialog;
using tevtest::ExpectMessageBox;
using tevtest::ExpectTemplateName;
using tevtest::Utf16FileText;

namespace {

struct Program : tevtest::MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        Start();
    }
    // Starts the program's main window afresh, with the component beside the program.
    void Start() {
        CloseMainWindow();
        const std::string component = CTEVCalendarApp::FindComponentDescriptor();
        ASSERT_EQ(component, tevtest::BuiltComponentDescriptor());
        ASSERT_NO_FATAL_FAILURE(OpenMainWindow(component, ""));
        // The user goes to the style page.
        View()->GetTabControl()->SetActiveView(1);
        tev::PumpEventsFor(20);
    }
    CTEVComponentDesignerView* View() { return dlg->GetDesignerView(); }
    CTEVComponentDesignerTemplateView* Page() { return View()->GetTemplateView(); }
    CTEVComponentPropertyGridView& Grid() { return Page()->GetPropertyGridView(); }
    wxPGProperty* Item(const std::string& name) {
        wxPGProperty* item = Grid().FindItem(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    std::string Shown(const std::string& name) {
        return CTEVComponentPropertyGridView::DisplayedValue(Item(name));
    }
    wxColour ColourOf(const std::string& name) {
        wxColour colour;
        colour << Item(name)->GetValue();
        return colour;
    }
    // An edit in the grid, as the user commits it (changing, then changed).
    bool Edit(const std::string& name, const wxVariant& value) {
        bool taken = false;
        TEV_EXPECT_NO_DIALOG(taken = Grid().GetGrid()->ChangePropertyValue(Item(name), value));
        return taken;
    }
    bool EditColour(const std::string& name, unsigned char r, unsigned char g, unsigned char b) {
        wxVariant value;
        value << wxColour(r, g, b);
        return Edit(name, value);
    }
    void SaveAs(const std::string& path) {
        wxTEST_DIALOG(Command(ID_FILE_SAVE_AS),
                      ExpectFileDialog(ExpectFileDialog::Save, tevtest::kProjectFilter, path));
    }
    void Open(const std::string& path) {
        wxTEST_DIALOG(Command(ID_FILE_OPEN),
                      ExpectFileDialog(ExpectFileDialog::Open, tevtest::kProjectFilter, path));
    }
};

} // namespace

TEST_F(Program, TheStylePageShowsTheGridWithTheComponentsProperties) {
    wxWindow* gridWindow = &Grid();
    // The lower left pane, below the gallery.
    EXPECT_EQ(gridWindow->GetParent(), Page()->GetInnerSplitter());
    EXPECT_TRUE(gridWindow->IsShownOnScreen());
    EXPECT_EQ(gridWindow->GetRect(), Page()->GetInnerSplitter()->GetPaneRect(1));
    std::vector<std::string> captions;
    for (wxPGProperty* category : Grid().GetCategories())
        captions.push_back(category->GetLabel().utf8_string());
    EXPECT_EQ(captions, (std::vector<std::string>{"Properties", "Project Properties"}));
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html") << "the page name the program sets";
    EXPECT_EQ(Shown("Width"), "500");
    EXPECT_EQ(Grid().GetKind(Item("HeaderColor")), CTEVComponentPropertyGridView::Kind::Color);
    EXPECT_FALSE(View()->IsDirty());
    // The designer's asset list is the grid's.
    EXPECT_EQ(View()->GetAssets(), &Grid().GetAssets());
    EXPECT_EQ(View()->GetAssets()->back(), tevtest::ProgramDir() + "swfobject.js");
}

TEST_F(Program, SavedValuesComeBackInANewWindowAndTheProjectIsClean) {
    ASSERT_TRUE(EditColour("HeaderColor", 0x11, 0x22, 0x33));
    ASSERT_TRUE(Edit("FontSize", wxVariant(15L)));
    ASSERT_TRUE(Edit("Width", wxVariant(640L)));
    ASSERT_TRUE(Edit("Page Name", wxVariant(wxString("club.html"))));
    EXPECT_TRUE(View()->IsDirty());
    EXPECT_EQ(Page()->GetPageName(), "club.html");

    SaveAs(home / "Work/Cal1.kcd");
    EXPECT_FALSE(View()->IsDirty());
    const std::string text = Utf16FileText(home / "Work/Cal1.kcd");
    EXPECT_NE(text.find("<Param name=\"HeaderColor\" value=\"0x112233\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Param name=\"FontSize\" value=\"15\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Param name=\"Width\" value=\"640\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Param name=\"Page Name\" value=\"club.html\"/>"), std::string::npos);
    // The publish page lists the component's files, then the data file and the page under
    // its new name, and the events' feed, as saving wrote them.
    EXPECT_EQ(View()->GetPublishView()->GetRequiredFiles(),
              (std::vector<std::string>{"WebCalendar.js", "WebCalendar.css", "swfobject.js",
                                        "Cal1.xml", "club.html", "Cal1.ics"}));
    EXPECT_TRUE(tev::FileExists(home / "Work/Cal1/club.html"));

    // Start again: a new window shows the component's defaults.
    Start();
    EXPECT_EQ(Shown("FontSize"), "11");
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html");
    EXPECT_FALSE(View()->IsDirty());

    Open(home / "Work/Cal1.kcd");
    EXPECT_EQ(ColourOf("HeaderColor"), wxColour(0x11, 0x22, 0x33));
    EXPECT_EQ(Shown("FontSize"), "15");
    EXPECT_EQ(Shown("Width"), "640");
    EXPECT_EQ(Shown("Page Name"), "club.html");
    EXPECT_EQ(Page()->GetPageName(), "club.html");
    EXPECT_FALSE(View()->IsDirty());

    // A change makes it dirty; setting the value back makes it clean again.
    ASSERT_TRUE(Edit("FontSize", wxVariant(16L)));
    EXPECT_TRUE(View()->IsDirty());
    ASSERT_TRUE(Edit("FontSize", wxVariant(15L)));
    EXPECT_FALSE(View()->IsDirty());
    ASSERT_TRUE(Edit("WeekStartDay", wxVariant(false)));
    EXPECT_TRUE(View()->IsDirty());
    ASSERT_TRUE(Edit("WeekStartDay", wxVariant(true)));
    EXPECT_FALSE(View()->IsDirty());

    // New, after the page name changed: back to the program's page name and the defaults.
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));
    EXPECT_EQ(Page()->GetPageName(), "MyCalendar.html");
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html");
    EXPECT_EQ(ColourOf("HeaderColor"), wxColour(0x2F, 0x5D, 0x8C));
    ASSERT_TRUE(EditColour("BackgroundColor", 0, 0, 0));
    EXPECT_TRUE(View()->IsDirty());
    ASSERT_TRUE(EditColour("BackgroundColor", 0xFF, 0xFF, 0xFF));
    EXPECT_FALSE(View()->IsDirty());
}

TEST_F(Program, StylesApplyTheirValuesAndAUserStyleKeepsTheUsers) {
    // A style of the component, as the gallery applies it.
    Page()->ApplyTemplate(tevtest::ProgramDir() +
                          "component/Calendar/Templates/Midnight/props.xml");
    EXPECT_EQ(ColourOf("BackgroundColor"), wxColour(0x16, 0x1A, 0x23));
    EXPECT_EQ(Shown("FontFace"), "Tahoma");
    EXPECT_TRUE(View()->IsDirty());

    // The user's own style, saved with New Style and applied to a new project.
    ASSERT_TRUE(Edit("FontSize", wxVariant(18L)));
    wxTEST_DIALOG(Command(ID_FILE_NEW_STYLE), ExpectTemplateName("Big"));
    wxTEST_DIALOG(Command(ID_FILE_NEW),
                  ExpectMessageBox("Do you want to save the current project?", wxID_NO));
    EXPECT_EQ(Shown("FontSize"), "11");
    Page()->ApplyTemplate(home / "data/Quorvane/Quorvane Web Calendar/Templates/Big/props.xml");
    EXPECT_EQ(Shown("FontSize"), "18");
    EXPECT_EQ(ColourOf("BackgroundColor"), wxColour(0x16, 0x1A, 0x23));
    EXPECT_EQ(Shown("Page Name"), "MyCalendar.html");

    // The preview's size changes go through the grid quietly and on to the designer.
    Page()->SetPropertyFromPreview("Height", "Project Properties", CComVariant(int32_t(300)));
    EXPECT_EQ(Shown("Height"), "300");
    EXPECT_NE(View()->GetPropertiesXml().find("<Param name=\"Height\" value=\"300\"/>"),
              std::string::npos);
}

TEST_F(Program, TheProtocolHandlerServesAnOpenedProjectsValuesAndData) {
    CComponentProtocolBinding preview;
    tev::InternetSession& session = tev::InternetSession::Instance();
    ASSERT_EQ(session.RegisterNameSpace(preview.Factory(), "about"), S_OK);
    // A project file as the designer writes it, with events in its data section.
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r<flash>\n<tev/>\n"
        "<UserDefined><Param name=\"FontSize\" value=\"13\"/></UserDefined>\n"
        "<Data><Event Subject=\"Choir\"/></Data></flash>";
    ASSERT_TRUE(tevtest::WriteFileBytes(home / "Cal2.kcd", tevtest::Utf16FileBytes(text)));
    Open(home / "Cal2.kcd");
    EXPECT_EQ(Shown("FontSize"), "13");
    EXPECT_FALSE(View()->IsDirty());
    tev::InternetResponse response;
    ASSERT_EQ(session.Resolve("about:props.xml", response), S_OK);
    session.UnregisterNameSpace(preview.Factory(), "about");
    pugi::xml_document doc;
    ASSERT_TRUE(tev::LoadXml(doc, response.content));
    std::string served;
    for (const pugi::xml_node param : doc.child("flash").child("UserDefined").children("Param")) {
        if (std::string(param.attribute("name").value()) == "FontSize")
            served = param.attribute("value").value();
    }
    EXPECT_EQ(served, "13");
    EXPECT_STREQ(doc.child("flash").child("Data").child("Event").attribute("Subject").value(),
                 "Choir");
    // A new project hands the handler empty data.
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));
    ASSERT_EQ(session.RegisterNameSpace(preview.Factory(), "about"), S_OK);
    ASSERT_EQ(session.Resolve("about:props.xml", response), S_OK);
    session.UnregisterNameSpace(preview.Factory(), "about");
    ASSERT_TRUE(tev::LoadXml(doc, response.content));
    EXPECT_FALSE(doc.child("flash").child("Data"));
}

TEST_F(Program, TheCalendarsWeekFollowsTheGridThroughSaveAndOpen) {
    // The calendar control registered, as the program's set-up leaves it.
    ASSERT_EQ(tev::RegisterModule(tevtest::ProgramDir() + "TEVCalendarAx.so"), S_OK);
    Start();
    ASSERT_TRUE(View()->GetDataView()->HasControl());
    wxGenericCalendarCtrl* picker =
        tevtest::FindWindowOfType<wxGenericCalendarCtrl>(View()->GetDataView()->GetControlWindow());
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->HasFlag(wxCAL_SUNDAY_FIRST)) << "the component's default";

    ASSERT_TRUE(Edit("WeekStartDay", wxVariant(false)));
    EXPECT_TRUE(picker->HasFlag(wxCAL_MONDAY_FIRST));
    SaveAs(home / "Week.kcd");
    const std::string text = Utf16FileText(home / "Week.kcd");
    EXPECT_NE(text.find("<Param name=\"WeekStartDay\" value=\"false\"/>"), std::string::npos);
    EXPECT_NE(text.find("<Data>"), std::string::npos) << "the calendar's data is saved with it";

    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));
    EXPECT_TRUE(picker->HasFlag(wxCAL_SUNDAY_FIRST));
    Open(home / "Week.kcd");
    EXPECT_TRUE(picker->HasFlag(wxCAL_MONDAY_FIRST)) << "the stored value reached the calendar";
    EXPECT_EQ(Shown("WeekStartDay"), "False");
    EXPECT_FALSE(View()->IsDirty());
}
