// The calendar control on the designer's data page: created by ProgID through the registry
// store, fed and read by the designer view as projects are opened, created and saved.
#include "designer/core/TEVComponentDesignerDataView.h"
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/RegistryStore.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "resources/calendar/CalendarStrings.h"
#include "tests/calendar/CalendarTestProject.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <wx/calctrl.h>
#include <wx/datetime.h>
#include <wx/frame.h>
#include <wx/generic/calctrlg.h>
#include <wx/stattext.h>

using namespace TEVComponentDesignerAfx;
using namespace tev::calendar;
using tevtest::kEmptyCalendarData;
using tevtest::TempDir;

namespace {

class NoHost : public CTEVComponentDesignerHostBase {
public:
    void RequestSave() override {}
};

// Writes a project file as the designer does: UTF-16 with byte-order mark.
void WriteProject(const std::string& path, const std::string& text) {
    ASSERT_TRUE(tevtest::WriteFileBytes(path, tevtest::Utf16FileBytes(text)));
}

std::string ProjectWith(const std::string& inside) {
    return "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r<flash>\n"
           "<UserDefined/>\n" +
           inside + "</flash>";
}

// A designer view as the program configures it, with the calendar registered in a
// private registry (or not, for the cases without it).
struct DataPage : testing::Test {
    tevtest::ScopedRegistry registry{tevtest::ScopedRegistry::MachineClasses::Private};
    TempDir home;
    tevtest::ScopedEnv documents{"XDG_DOCUMENTS_DIR", home / "docs"};
    tevtest::ScopedEnv userData{"XDG_DATA_HOME", home / "data"};
    NoHost host;
    wxFrame* frame = nullptr;
    CTEVComponentDesignerView* view = nullptr;

    void SetUp() override { tev::OverrideProgramFolder(tevtest::ProgramDir()); }
    void TearDown() override {
        if (frame)
            frame->Destroy();
        tev::PumpEventsFor(20);
        tev::OverrideProgramFolder("");
    }
    void Open(bool registered) {
        if (registered) {
            ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath()), S_OK);
        }
        frame = new wxFrame(nullptr, wxID_ANY, "designer", wxDefaultPosition, wxSize(900, 700));
        view = new CTEVComponentDesignerView(true, false);
        view->SetProgID(tevtest::kCalendarProgId);
        view->SetProjectExtension("kcd");
        view->SetProjectType("Quorvane Web Calendar");
        view->SetComponentPath(home / "component/Calendar/componentInfo.xml");
        view->SetTEVComponentDesignerHost(&host);
        view->SetIndexHtmlFileName("MyCalendar.html");
        view->SetDataTabCaption("Create Events");
        view->Create(frame, 101, wxRect(0, 0, 860, 640));
        frame->Show();
        view->CreateNew();
        tev::PumpEventsFor(30);
    }
    CTEVComponentDesignerDataView* Page() const { return view->GetDataView(); }
};

// The calendar lives in its own module: the test reaches its windows by name and works
// them with the toolkit's own events and types, as the user's mouse and keys would.
using ExpectCalendarDialog = tevtest::ExpectDialog<wxDialog>;

void Send(wxWindow* window, wxEvent& event) {
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
}

void PressKey(wxWindow* calendar, int keyCode) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = keyCode;
    Send(calendar, key);
}

// Where the event with that subject is drawn, found as the mouse finds it: by its tip.
wxPoint PointOfEvent(wxWindow* calendar, const std::string& subject) {
    calendar->Refresh();
    calendar->Update();
    const wxSize size = calendar->GetClientSize();
    for (int y = 0; y < size.y; y += 4) {
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetPosition(wxPoint(size.x / 2, y));
        Send(calendar, motion);
        if (calendar->GetToolTipText().utf8_string().find(subject) != std::string::npos)
            return wxPoint(size.x / 2, y);
    }
    ADD_FAILURE() << "no event " << subject << " in sight";
    return wxPoint(-1, -1);
}

// Clicks the event and presses a key on it.
void PressKeyOnEvent(wxWindow* calendar, const std::string& subject, int keyCode) {
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(PointOfEvent(calendar, subject));
    Send(calendar, click);
    PressKey(calendar, keyCode);
}

int PressOK(wxDialog& dialog) {
    tevtest::Press(&dialog, wxID_OK);
    return tevtest::DialogResult(dialog);
}

// Weekly on today's day of the week, three times.
int MakeWeeklyThreeTimes(wxDialog& recurrence) {
    const int todayBox[] = {IDC_WEEKLY_SUNDAY,    IDC_WEEKLY_MONDAY,   IDC_WEEKLY_TUESDAY,
                            IDC_WEEKLY_WEDNESDAY, IDC_WEEKLY_THURSDAY, IDC_WEEKLY_FRIDAY,
                            IDC_WEEKLY_SATURDAY};
    tevtest::Tick(&recurrence, IDC_RECURRENCE_WEEKLY, true);
    tevtest::Tick(&recurrence, IDC_WEEKLY_MONDAY, false);
    tevtest::Tick(&recurrence, todayBox[wxDateTime::Today().GetWeekDay()], true);
    tevtest::Tick(&recurrence, IDC_RANGE_END_AFTER, true);
    tevtest::Type(&recurrence, IDC_RANGE_OCCURRENCES, "3");
    return PressOK(recurrence);
}

} // namespace

TEST_F(DataPage, OpensTheProjectsEventsAndSavesTheSameDataBack) {
    Open(true);
    ASSERT_TRUE(Page()->HasControl());
    wxWindow* control = Page()->GetControlWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetName(), "ComponentData");
    EXPECT_EQ(control->GetParent(), Page());
    EXPECT_EQ(view->GetXmlDataSection(), kEmptyCalendarData);
    EXPECT_FALSE(view->IsDirty());

    ASSERT_TRUE(tevtest::WriteFileBytes(home / "Week.kcd",
                                        tevtest::ReadFileBytes(tevtest::WeekOfMeetingsPath())));
    view->OpenProject(home.path(), "Week");
    const std::string data = tevtest::WeekOfMeetingsData();
    EXPECT_EQ(view->GetXmlDataSection(), data);
    EXPECT_FALSE(view->IsDirty());

    ASSERT_TRUE(view->SaveProject(home.path(), "Saved"));
    // The feed beside the data file, listed among the files to upload.
    const std::string feed = tevtest::ReadFileBytes(home / "Saved/Saved.ics");
    EXPECT_EQ(tevtest::CountOf(feed, "BEGIN:VEVENT"), 14u);
    const std::vector<std::string>& required = view->GetPublishView()->GetRequiredFiles();
    EXPECT_EQ(std::count(required.begin(), required.end(), "Saved.ics"), 1);
    const std::string saved = tevtest::Utf16FileText(home / "Saved.kcd");
    const size_t begin = saved.find("<Data>");
    ASSERT_NE(begin, std::string::npos);
    EXPECT_EQ(saved.substr(begin, saved.find("</Data>") + 7 - begin), data);

    // Reopening what was saved gives the same events again.
    view->CreateNew();
    EXPECT_EQ(view->GetXmlDataSection(), kEmptyCalendarData);
    view->OpenProject(home.path(), "Saved");
    EXPECT_EQ(view->GetXmlDataSection(), data);
}

TEST_F(DataPage, ProjectsWithoutADataElementLeaveTheEventsAlone) {
    Open(true);
    Page()->LoadProjectData(ProjectWith(tevtest::WeekOfMeetingsData()));
    const std::string week = view->GetXmlDataSection();
    ASSERT_EQ(week, tevtest::WeekOfMeetingsData());

    const std::string others[] = {
        ProjectWith(""),
        ProjectWith("<Other><Data/></Other>"), // deeper than below the root
        "<flash><UserDefined/><Data/>",        // does not parse
        "",
    };
    for (const std::string& text : others) {
        Page()->LoadProjectData(text);
        EXPECT_EQ(view->GetXmlDataSection(), week) << text;
    }
    WriteProject(home / "NoData.kcd", ProjectWith(""));
    view->OpenProject(home.path(), "NoData");
    EXPECT_EQ(view->GetXmlDataSection(), week);

    // A new project starts empty.
    view->CreateNew();
    EXPECT_EQ(view->GetXmlDataSection(), kEmptyCalendarData);
}

TEST_F(DataPage, TheControlFillsThePageAndTakesPropertyNotifications) {
    Open(true);
    view->SetSize(0, 0, 780, 560);
    tev::PumpEventsFor(50);
    wxWindow* control = Page()->GetControlWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetRect(), wxRect(wxPoint(0, 0), Page()->GetClientSize()));
    EXPECT_GT(control->GetSize().x, 700);

    wxGenericCalendarCtrl* picker = tevtest::FindWindowOfType<wxGenericCalendarCtrl>(control);
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->HasFlag(wxCAL_SUNDAY_FIRST));
    view->PropertyChangeNotify("WeekStartDay", "Properties", CComVariant(false));
    EXPECT_TRUE(picker->HasFlag(wxCAL_MONDAY_FIRST));
    view->PropertyInitNotify("WeekStartDay", "Properties", CComVariant(true));
    EXPECT_TRUE(picker->HasFlag(wxCAL_SUNDAY_FIRST));
    view->PropertyChangeNotify("Title", "Properties", CComVariant(false));
    EXPECT_TRUE(picker->HasFlag(wxCAL_SUNDAY_FIRST));
    // The calendar adds no properties of its own.
    EXPECT_EQ(Page()->GetExtendedParams(), "");
}

namespace {

// The texts the data page shows, joined, with the line breaks of their wrapping as blanks.
std::string PageTexts(wxWindow* page) {
    std::string texts;
    for (wxWindow* child : page->GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            texts += text->GetLabel().utf8_string() + "\n";
    }
    std::replace(texts.begin(), texts.end(), '\n', ' ');
    return texts;
}

// The Data element of a project file as the file holds it.
std::string StoredData(const std::string& projectFile) {
    const std::string text = tevtest::Utf16FileText(projectFile);
    const size_t begin = text.find("<Data");
    const size_t end = text.find("</Data>");
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return text.substr(begin, end + 7 - begin);
}

} // namespace

// Without the control the page says why and how to fix it, and the events of a project pass
// through open and save untouched, to the byte.
struct DataPageWithoutControl : DataPage {
    void ExpectExplainedAndEveryEventKept(const std::string& why) {
        Open(false);
        EXPECT_FALSE(Page()->HasControl());
        EXPECT_EQ(Page()->GetControlWindow(), nullptr);
        const std::string texts = PageTexts(Page());
        EXPECT_NE(texts.find("The editor of this page could not be started."), std::string::npos)
            << texts;
        EXPECT_NE(texts.find(why), std::string::npos) << texts;
        EXPECT_NE(texts.find(" /Register  then start the program again."), std::string::npos)
            << texts;
        EXPECT_NE(texts.find("saving writes it back unchanged"), std::string::npos) << texts;
        EXPECT_EQ(view->GetXmlDataSection(), "<Data/>") << "a new project's data";

        ASSERT_TRUE(tevtest::WriteFileBytes(home / "Week.kcd",
                                            tevtest::ReadFileBytes(tevtest::WeekOfMeetingsPath())));
        const std::string events = StoredData(home / "Week.kcd");
        ASSERT_NE(events.find("\n\t\t<Event EventID=\"13\""), std::string::npos);
        ASSERT_TRUE(view->OpenProject(home.path(), "Week"));
        EXPECT_EQ(view->GetXmlDataSection(), events);
        EXPECT_FALSE(view->IsDirty());
        // Notifications and extended parameters have nowhere to go; the data stays.
        view->PropertyChangeNotify("WeekStartDay", "Properties", CComVariant(false));
        Page()->SetExtendedParams("<Param name=\"X\"/>");
        EXPECT_EQ(Page()->GetExtendedParams(), "");
        view->GetTabControl()->SetActiveView(1);
        view->GetTabControl()->SetActiveView(0);

        ASSERT_TRUE(view->SaveProject(home.path(), "Saved"));
        EXPECT_EQ(StoredData(home / "Saved.kcd"), events);
        EXPECT_EQ(StoredData(home / "Saved/Saved.xml"), events) << "the published data file";
        // Without a control there is no feed; the rest is published as ever.
        EXPECT_EQ(tevtest::SortedFileNames(home / "Saved"),
                  (std::vector<std::string>{"MyCalendar.html", "Saved.xml", "swfobject.js"}));
        EXPECT_EQ(view->GetPublishView()->GetRequiredFiles(),
                  (std::vector<std::string>{"swfobject.js", "Saved.xml", "MyCalendar.html"}));
        ASSERT_TRUE(view->OpenProject(home.path(), "Saved"));
        ASSERT_TRUE(view->SaveProject(home.path(), "Again"));
        EXPECT_EQ(StoredData(home / "Again.kcd"), events);

        // A project without a Data element leaves the kept data alone, as the control would.
        WriteProject(home / "NoData.kcd", ProjectWith(""));
        ASSERT_TRUE(view->OpenProject(home.path(), "NoData"));
        EXPECT_EQ(view->GetXmlDataSection(), events);
    }
};

TEST_F(DataPageWithoutControl, NotRegisteredItExplainsItselfAndKeepsEveryEvent) {
    ExpectExplainedAndEveryEventKept(std::string("Its control, ") + tevtest::kCalendarProgId +
                                     ", is not registered for you or on this computer.");
}

TEST_F(DataPageWithoutControl, WithItsModuleGoneItExplainsItselfAndKeepsEveryEvent) {
    ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath()), S_OK);
    const std::string gone = home / "gone/TEVCalendarAx.so";
    ASSERT_TRUE(tev::RegistryStore::Instance().SetString(
        tev::Hive::UserClasses, "CLSID\\{19328147-F365-4AA9-B93A-A55E4872E3B9}\\InprocServer32", "",
        gone));
    ExpectExplainedAndEveryEventKept("Its module, " + gone + ", is missing or cannot be loaded.");
}

TEST(DataPageNotice, AControlThatDidNotStartIsNamedWithItsError) {
    const std::string text =
        CTEVComponentDesignerDataView::MissingControlText("X.Y.1", E_NOINTERFACE);
    EXPECT_EQ(
        text.rfind("Its control, X.Y.1, is installed but did not start (error 0x80004002).", 0), 0u)
        << text;
}

TEST_F(DataPage, EventsEnteredOnThePageAreSavedAndOpenAgain) {
    Open(true);
    wxWindow* calendar = wxWindow::FindWindowByName("CalendarControl", Page());
    wxWindow* frame = wxWindow::FindWindowByName("Calendar", Page());
    ASSERT_NE(calendar, nullptr);
    ASSERT_NE(frame, nullptr);
    const char* const details = "Appointment and Event Details";

    // Add: "&Add new event", today from 10:00 to 11:00, with two lines of notes.
    wxCommandEvent addNew(wxEVT_MENU, ID_ADD_NEW_EVENT);
    wxTEST_DIALOG(Send(frame, addNew), ExpectCalendarDialog(details, [](wxDialog& dialog) {
                      tevtest::Type(&dialog, IDC_EVENT_SUBJECT, "Review");
                      tevtest::Type(&dialog, IDC_EVENT_START_TIME, "10:00");
                      tevtest::Type(&dialog, IDC_EVENT_END_TIME, "11:00");
                      tevtest::Type(&dialog, IDC_EVENT_BODY, "First line\nSecond line");
                      return PressOK(dialog);
                  }));
    EXPECT_TRUE(view->IsDirty());

    // Edit: Enter on the event.
    wxTEST_DIALOG(PressKeyOnEvent(calendar, "Review", WXK_RETURN),
                  ExpectCalendarDialog(details, [](wxDialog& dialog) {
                      EXPECT_EQ(tevtest::TextOf(&dialog, IDC_EVENT_SUBJECT), "Review");
                      tevtest::Type(&dialog, IDC_EVENT_LOCATION, "Room 2");
                      return PressOK(dialog);
                  }));

    // Make it recurring: weekly on today's day, three times.
    wxTEST_DIALOG(PressKeyOnEvent(calendar, "Review", WXK_RETURN),
                  ExpectCalendarDialog(details,
                                       [](wxDialog& dialog) {
                                           tevtest::Press(&dialog, IDC_EVENT_RECURRENCE);
                                           return PressOK(dialog);
                                       }),
                  ExpectCalendarDialog("Appointment Recurrence", MakeWeeklyThreeTimes));

    // Delete today's occurrence only.
    wxTEST_DIALOG(
        PressKeyOnEvent(calendar, "Review", WXK_DELETE),
        ExpectCalendarDialog("Confirm Delete", [](wxDialog&) { return IDC_CHOOSE_OCCURRENCE; }));

    const std::string data = view->GetXmlDataSection();
    for (const char* part :
         {"Subject=\"Review\"", "Location=\"Room 2\"", "Body=\"First line&#10;Second line\"",
          "RecurrenceType=\"2\"", "EndAfterOccurrences=\"3\"", "RException_Deleted=\"1\""})
        EXPECT_NE(data.find(part), std::string::npos) << part;

    // Saved in the project and its data file; opened again, the same events.
    ASSERT_TRUE(view->SaveProject(home.path(), "Events"));
    EXPECT_FALSE(view->IsDirty());
    // Undone after saving, the project is changed again; redone, it is as saved.
    wxCommandEvent undo(wxEVT_MENU, ID_EDIT_UNDO);
    Send(frame, undo);
    EXPECT_TRUE(view->IsDirty());
    wxCommandEvent redo(wxEVT_MENU, ID_EDIT_REDO);
    Send(frame, redo);
    EXPECT_FALSE(view->IsDirty());
    const std::string saved = tevtest::Utf16FileText(home / "Events.kcd");
    EXPECT_NE(saved.find(data), std::string::npos);
    EXPECT_EQ(tevtest::Utf16FileText(home / "Events/Events.xml"), saved);
    view->CreateNew();
    EXPECT_EQ(view->GetXmlDataSection(), kEmptyCalendarData);
    view->OpenProject(home.path(), "Events");
    EXPECT_EQ(view->GetXmlDataSection(), data);
    EXPECT_FALSE(view->IsDirty());
}
