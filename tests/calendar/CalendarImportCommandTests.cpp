// "Import Events..." and "Export Events..." as the user reaches them: toolbar buttons, the
// file dialogs, the report, and the events in the month view.
#include "tests/calendar/CalendarFrameTesting.h"
#include "tests/support/TestSupport.h"

#include <wx/filedlg.h>

using namespace tevtest;
using namespace tev::calendar;

namespace {

const char kWeekly[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    "BEGIN:VEVENT\r\nUID:yoga@example.org\r\nSUMMARY:Yoga\r\nDTSTART:20261201T180000\r\n"
    "DTEND:20261201T190000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU;COUNT=6\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nSUMMARY:Broken\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

using ImportCommand = CalendarFrame;

TEST_F(ImportCommand, ImportsAWeeklySeriesShowsItInTheMonthAndExportsItAgain) {
    TempDir folder;
    const std::string in = folder / "yoga.ics";
    ASSERT_TRUE(WriteFileBytes(in, kWeekly));
    EXPECT_EQ(Tool(ID_IMPORT_EVENTS), std::make_pair(true, false));
    EXPECT_EQ(Tool(ID_EXPORT_EVENTS), std::make_pair(false, false)); // nothing to export

    wxTEST_DIALOG(Command(ID_IMPORT_EVENTS), wxExpectModal<wxFileDialog>(in),
                  ExpectMessageBox("1 event was imported.\n\nThese could not be imported:\n"
                                   "\"Broken\" has no start time.",
                                   wxID_OK, kMessageCaption));
    EXPECT_EQ(view->GetEventIdList().GetIds().size(), 1u);
    Command(ID_CALENDARVIEW_MONTH);
    tev::PumpEventsFor(30);
    const std::vector<std::string> subjects = VisibleSubjects();
    EXPECT_GE(std::count(subjects.begin(), subjects.end(), "Yoga"), 5);

    const std::string out = folder / "out.ics";
    EXPECT_EQ(Tool(ID_EXPORT_EVENTS), std::make_pair(true, false));
    wxTEST_DIALOG(Command(ID_EXPORT_EVENTS), wxExpectModal<wxFileDialog>(out));
    const std::string text = ReadFileBytes(out);
    EXPECT_NE(text.find("UID:yoga@example.org"), std::string::npos);
    EXPECT_NE(text.find("RRULE:FREQ=WEEKLY;COUNT=6;BYDAY=TU"), std::string::npos);
}

TEST_F(ImportCommand, AFileThatIsNoCalendarAddsNothingAndSaysSo) {
    TempDir folder;
    const std::string in = folder / "photo.ics";
    ASSERT_TRUE(WriteFileBytes(in, std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)));
    LoadWeekOfMeetings();
    const std::string before = view->WriteData();
    wxTEST_DIALOG(Command(ID_IMPORT_EVENTS), wxExpectModal<wxFileDialog>(in),
                  ExpectMessageBox("0 events were imported.\n\nThese could not be imported:\n"
                                   "photo.ics: the file holds no iCalendar data.",
                                   wxID_OK, kMessageCaption));
    EXPECT_EQ(view->WriteData(), before);
}

TEST_F(ImportCommand, OneUndoTakesTheWholeImportAwayAndOneRedoBringsItBack) {
    TempDir folder;
    const std::string in = folder / "two.ics";
    ASSERT_TRUE(WriteFileBytes(
        in, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
            "BEGIN:VEVENT\r\nUID:a@example.org\r\nSUMMARY:A\r\nDTSTART:20261201T090000\r\n"
            "DTEND:20261201T100000\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:b@example.org\r\nSUMMARY:B\r\nDTSTART:20261202T090000\r\n"
            "DTEND:20261202T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    LoadWeekOfMeetings();
    const std::string before = view->WriteData();
    wxTEST_DIALOG(Command(ID_IMPORT_EVENTS), wxExpectModal<wxFileDialog>(in),
                  ExpectMessageBox("2 events were imported.", wxID_OK, kMessageCaption));
    const std::string imported = view->WriteData();
    ASSERT_NE(imported, before);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(view->WriteData(), before);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(view->WriteData(), imported);
}

} // namespace
