// Import and export of .ics files for the control's commands, without a window: files that
// cannot be used, the events added in one step, and the report the user reads.
#include "calendar/CalendarEventsTransfer.h"
#include "calendar/store/CalendarData.h"
#include "tests/calendar/store/CalendarTestDates.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using tevtest::At;

namespace {

const char kTwoEvents[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    "BEGIN:VEVENT\r\nUID:one\r\nSUMMARY:Yoga\r\nDTSTART:20261201T180000\r\n"
    "DTEND:20261201T190000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU;COUNT=6\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:two\r\nSUMMARY:Month end\r\nDTSTART:20261231T120000\r\n"
    "RRULE:FREQ=MONTHLY;COUNT=3\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:three\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

TEST(CalendarEventsTransfer, ReadsFilesAddsTheirEventsInOneStepAndReportsWhatHappened) {
    tevtest::TempDir folder;
    ASSERT_TRUE(tevtest::WriteFileBytes(folder / "two.ics", kTwoEvents));
    ASSERT_TRUE(tevtest::WriteFileBytes(folder / "notes.ics", "just some notes"));
    const CCalendarEventsTransfer transfer("UTC");
    CCalendarData store;
    store.SetClock([] { return At("2026-12-01T00:00"); });
    std::vector<CCalendarFileImport> files;
    for (const char* name : {"two.ics", "notes.ics", "gone.ics"})
        files.push_back(transfer.ReadFile(folder / name, store));
    EXPECT_EQ(files[0].problem, CCalendarFileImport::Problem::None);
    EXPECT_EQ(files[1].problem, CCalendarFileImport::Problem::NoCalendar);
    EXPECT_EQ(files[2].problem, CCalendarFileImport::Problem::Unreadable);
    EXPECT_EQ(store.GetEventCount(), 0u); // nothing added while reading

    CCalendarEventsTransfer::AddEvents(store, files);
    EXPECT_EQ(store.RetrieveEvents(At("2026-12-01"), At("2027-02-01")).size(),
              6u + 2u); // no 28 February for "Month end"
    EXPECT_EQ(CCalendarEventsTransfer::ReportText(files),
              "2 events were imported.\n\n"
              "These could not be imported:\n"
              "\"(no subject)\" has no start time.\n"
              "notes.ics: the file holds no iCalendar data.\n"
              "gone.ics: the file could not be read.\n\n"
              "These were changed to the nearest form the calendar can hold:\n"
              "\"Month end\": its repeats are shown as the calendar's series with separate or "
              "deleted occurrences.");
    EXPECT_EQ(CCalendarEventsTransfer::ReportText({files[0]}).substr(0, 24),
              "2 events were imported.\n");
}

TEST(CalendarEventsTransfer, TheExportIsWrittenWholeOrNotAtAll) {
    tevtest::TempDir folder;
    CCalendarData store;
    const CCalendarEventsTransfer transfer("Europe/Berlin");
    std::vector<CCalendarFileImport> files{transfer.ReadFile(
        (tevtest::WriteFileBytes(folder / "in.ics", kTwoEvents), folder / "in.ics"), store)};
    CCalendarEventsTransfer::AddEvents(store, files);
    std::vector<uint32_t> ids;
    for (const CCalendarEventPtr& event : store.GetAllEvents())
        ids.push_back(event->GetEventId());
    ASSERT_TRUE(transfer.WriteFile(folder / "out.ics", store, ids));
    const std::string text = tevtest::ReadFileBytes(folder / "out.ics");
    EXPECT_EQ(text, transfer.WriteText(store, ids));
    EXPECT_NE(text.find("UID:one\r\n"), std::string::npos);
    EXPECT_NE(text.find("RRULE:FREQ=WEEKLY;COUNT=6;BYDAY=TU"), std::string::npos);
    EXPECT_FALSE(transfer.WriteFile(folder / "no/such/folder/out.ics", store, ids));
}

} // namespace
