#include "tests/calendar/ical/ICalendarTesting.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace icaltest;

namespace {

const CalendarPatternEnd kCount = kCalendarPatternEndAfterOccurrences;
const CalendarPatternEnd kDate = kCalendarPatternEndDate;
const CalendarPatternEnd kNoEnd = kCalendarPatternNoEndDate;
using Options = CCalendarRecurrenceOptions;

// Every kind of series with every end, and the days that need care (29-31, "last").
const SeriesSetup kSeries[] = {
    {"daily", Options::Daily(3), "2024-01-02", kCount, 40},
    {"work days", Options::EveryWorkDay(), "2024-03-30", kDate, 0, "2024-11-03"},
    {"weekly", Options::Weekly(2, kCalendarMonday | kCalendarSaturday), "2024-01-03", kNoEnd},
    {"monthly 31", Options::Monthly(1, 31), "2024-01-31", kCount, 30, "", 18 * 60, 90},
    {"monthly 29", Options::Monthly(5, 29), "2024-02-01", kNoEnd},
    {"second weekday", Options::MonthNth(2, 2, kCalendarWorkDays), "2024-01-01", kDate, 0,
     "2027-06-30"},
    {"last friday", Options::MonthNth(1, kCalendarLast, kCalendarFriday), "2024-01-01", kNoEnd},
    {"yearly 31 apr", Options::Yearly(4, 31), "2024-01-01", kNoEnd},
    {"leap day", Options::Yearly(2, 29), "2024-01-01", kCount, 4},
    {"fourth thursday", Options::YearNth(4, kCalendarThursday, 11), "2024-01-01", kDate, 0,
     "2027-11-25"},
    {"last weekend day", Options::YearNth(kCalendarLast, kCalendarSaturday | kCalendarSunday, 3),
     "2024-01-01", kNoEnd},
    {"all-day weekly", Options::Weekly(1, kCalendarWednesday), "2024-01-01", kCount, 12, "", 0,
     2 * 1440, true},
};

void FillCalendar(CCalendarData& store) {
    for (const SeriesSetup& setup : kSeries)
        AddSeries(store, setup);
    const CCalendarEventPtr plain = store.CreateNewEvent();
    plain->SetStartTime(At("2024-05-06T14:30"));
    plain->SetEndTime(At("2024-05-06T16:00"));
    plain->SetSubject("Everything, set; \"quoted\"");
    plain->SetLocation("Großer Saal – 会議室");
    plain->SetBody("Line one\nline two, with a comma; and a semicolon\\");
    plain->SetBusyStatus(kCalendarBusyOutOfOffice);
    plain->SetPrivate(true);
    plain->SetLabelId(4);
    plain->SetReminder(true);
    plain->SetReminderMinutesBeforeStart(90);
    store.AddEvent(plain);
    const CCalendarEventPtr holiday = store.CreateNewEvent();
    holiday->SetStartTime(At("2024-07-29"));
    holiday->SetEndTime(At("2024-08-03"));
    holiday->SetAllDayEvent(true);
    holiday->SetSubject("holiday");
    holiday->SetBusyStatus(kCalendarBusyUnknown);
    store.AddEvent(holiday);
    for (int status = kCalendarBusyFree; status <= kCalendarBusyTentative; ++status) {
        const CCalendarEventPtr event = store.CreateNewEvent();
        event->SetStartTime(At("2024-09-0" + std::to_string(status + 2) + "T08:00"));
        event->SetEndTime(event->GetStartTime());
        event->SetSubject("busy " + std::to_string(status));
        event->SetBusyStatus(status);
        store.AddEvent(event);
    }

    // A series with a deleted and a moved, retitled occurrence.
    const CCalendarEventPtr series =
        AddSeries(store, {"team", Options::Weekly(1, kCalendarTuesday), "2024-01-01", kCount, 20});
    const CCalendarEventPtr deleted = store.RetrieveDayEvents(At("2024-01-16")).front();
    store.DeleteEvent(deleted);
    CCalendarEventPtr moved = store.RetrieveDayEvents(At("2024-01-23")).front()->CloneEvent();
    moved->SetStartTime(At("2024-01-24T15:00"));
    moved->SetEndTime(At("2024-01-24T15:45"));
    moved->SetSubject("team (moved)");
    store.ChangeEvent(moved);
}

TEST(CalendarICalendar, ExportedEventsImportIntoAnEmptyProjectAsTheSameEventsAndOccurrences) {
    for (const char* zone : {"Europe/Berlin", "UTC", "America/New_York", "Australia/Lord_Howe"}) {
        SCOPED_TRACE(zone);
        for (int firstDay : {1, 2, 7}) {
            CCalendarData original;
            original.SetFirstDayOfWeek(firstDay);
            FillCalendar(original);
            const std::string text =
                CCalendarICalendarWriter(zone).Write(original, AllIds(original));

            CCalendarData copy;
            copy.SetFirstDayOfWeek(firstDay);
            const CCalendarImportResult result = Import(copy, text, zone);
            EXPECT_TRUE(result.m_readable);
            EXPECT_EQ(result.m_imported, static_cast<int>(original.GetEventCount()));
            EXPECT_TRUE(result.m_notes.empty()) << result.m_notes.front().m_subject;
            EXPECT_EQ(Shown(copy), Shown(original));
            EXPECT_EQ(copy.GetEventCount(), original.GetEventCount());
            for (const CCalendarEventPtr& event : original.GetAllEvents()) {
                bool found = false;
                for (const CCalendarEventPtr& other : copy.GetAllEvents())
                    found = found || other->GetUid() == event->GetUid();
                EXPECT_TRUE(found) << event->GetSubject();
            }
            // And once more: what came in goes out the same way.
            const std::string again = CCalendarICalendarWriter(zone).Write(copy, AllIds(copy));
            EXPECT_EQ(again.size(), text.size()) << again;
        }
    }
}

TEST(CalendarICalendar, ExportWritesTheMappingsForms) {
    CCalendarData store;
    store.SetClock([] { return At("2024-06-01T12:00"); });
    store.SetFirstDayOfWeek(2); // Monday: WKST=MO, which readers take when it is left out
    FillCalendar(store);
    std::string text = CCalendarICalendarWriter("Europe/Berlin").Write(store, AllIds(store));
    for (size_t fold = text.find("\r\n "); fold != std::string::npos; fold = text.find("\r\n "))
        text.erase(fold, 3);
    for (const char* expected :
         {"BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin", "DTSTART;TZID=Europe/Berlin:20240131T180000",
          "RRULE:FREQ=MONTHLY;COUNT=30;BYMONTHDAY=28,29,30,31;BYSETPOS=-1",
          "RRULE:FREQ=DAILY;UNTIL=20241103T080000Z;BYDAY=MO,TU,WE,TH,FR",
          "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,SA\r\n", "BYDAY=-1FR", "BYDAY=MO,TU,WE,TH,FR;BYSETPOS=2",
          "BYDAY=SA,SU;BYMONTH=3;BYSETPOS=-1", "DTSTART;VALUE=DATE:20240729",
          "DTEND;VALUE=DATE:20240803", "CLASS:PRIVATE", "CATEGORIES:Vacation", "TRIGGER:-PT1H30M",
          "TRANSP:TRANSPARENT", "X-MICROSOFT-CDO-BUSYSTATUS:OOF",
          "EXDATE;TZID=Europe/Berlin:20240116T090000",
          "RECURRENCE-ID;TZID=Europe/Berlin:20240123T090000", "DTSTAMP:20240601T100000Z",
          "LOCATION:Großer Saal – 会議室"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

// Files in the forms common calendar programs write.
const char kDesktopFile[] =
    "BEGIN:VCALENDAR\r\nPRODID:-//Desktop Mail//EN\r\nVERSION:2.0\r\nMETHOD:PUBLISH\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\n"
    "BEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
    "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
    "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E008\r\n"
    "SUMMARY;LANGUAGE=de-DE:Wöchentliche Besprechung mit einem sehr langen Titel, der über "
    "die\r\n  Zeilengrenze hinaus geht\r\n"
    "DTSTART;TZID=W. Europe Standard Time:20240304T100000\r\n"
    "DTEND;TZID=W. Europe Standard Time:20240304T110000\r\n"
    "RRULE:FREQ=WEEKLY;UNTIL=20240415T080000Z;INTERVAL=1;BYDAY=MO,WE;WKST=SU\r\n"
    "EXDATE;TZID=W. Europe Standard Time:20240306T100000,20240311T100000\r\n"
    "CLASS:PUBLIC\r\nX-MICROSOFT-CDO-BUSYSTATUS:TENTATIVE\r\nTRANSP:OPAQUE\r\n"
    "BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E008\r\n"
    "RECURRENCE-ID;TZID=W. Europe Standard Time:20240401T100000\r\n"
    "SUMMARY:Besprechung (verschoben)\r\n"
    "DTSTART;TZID=W. Europe Standard Time:20240402T140000\r\n"
    "DTEND;TZID=W. Europe Standard Time:20240402T150000\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:holiday-1\r\nSUMMARY:Ferien\r\nDTSTART;VALUE=DATE:20240722\r\n"
    "DTEND;VALUE=DATE:20240727\r\nTRANSP:TRANSPARENT\r\nCATEGORIES:Holiday,Vacation\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

const char kWebFile[] =
    "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Web Calendar//EN\n"
    "BEGIN:VEVENT\nUID:abc@web\nDTSTART:20240105T080000Z\nDTEND:20240105T090000Z\n"
    "RRULE:FREQ=WEEKLY;BYDAY=FR;COUNT=15\nSUMMARY:Standup\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:floating@web\nDTSTART:20240610T070000\nDURATION:PT2H30M\n"
    "SUMMARY:Floating breakfast\nDESCRIPTION:Bring\\, please\\nfruit\nCLASS:CONFIDENTIAL\n"
    "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER;RELATED=END:-PT3H\nDESCRIPTION:x\nEND:VALARM\n"
    "END:VEVENT\nEND:VCALENDAR\n";

const char kShortMonthsFile[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:m31\r\nSUMMARY:Month end\r\n"
    "DTSTART:20240131T120000\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=31;COUNT=7\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:hours\r\nSUMMARY:Twice\r\nDTSTART:20240101T090000\r\n"
    "RRULE:FREQ=DAILY;BYHOUR=9,15;COUNT=4\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:forever\r\nSUMMARY:Birthday\r\nDTSTART;VALUE=DATE:19000310\r\n"
    "RRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:spring\r\nSUMMARY:Spring days\r\nDTSTART:20240301T080000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3,4;BYMONTHDAY=1\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:fast\r\nSUMMARY:Too often\r\nDTSTART:20240101T090000\r\n"
    "RRULE:FREQ=SECONDLY\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:nostart\r\nSUMMARY:No start\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

std::vector<std::string> StartsOf(const CCalendarData& store, const std::string& subject,
                                  const char* from = "2024-01-01", const char* to = "2029-01-01") {
    std::vector<std::string> starts;
    for (const CCalendarEventPtr& event : store.RetrieveEvents(At(from), At(to))) {
        if (event->GetSubject() == subject)
            starts.push_back(event->GetStartTime().ToIsoString());
    }
    return starts;
}

bool Noted(const CCalendarImportResult& result, const std::string& subject,
           CalendarImportNote note) {
    for (const CCalendarImportEntry& entry : result.m_notes) {
        if (entry.m_subject == subject && entry.m_note == note)
            return true;
    }
    return false;
}

TEST(CalendarICalendar, ImportsTheFormsDesktopProgramsWrite) {
    CCalendarData store;
    const CCalendarImportResult result = Import(store, kDesktopFile, "Europe/Berlin");
    EXPECT_EQ(result.m_imported, 2);
    EXPECT_TRUE(result.m_notes.empty());
    const std::string title =
        "Wöchentliche Besprechung mit einem sehr langen Titel, der über die Zeilengrenze "
        "hinaus geht";
    EXPECT_EQ(StartsOf(store, title),
              (std::vector<std::string>{"2024-03-04T10:00", "2024-03-13T10:00", "2024-03-18T10:00",
                                        "2024-03-20T10:00", "2024-03-25T10:00", "2024-03-27T10:00",
                                        "2024-04-03T10:00", "2024-04-08T10:00", "2024-04-10T10:00",
                                        "2024-04-15T10:00"}));
    EXPECT_EQ(StartsOf(store, "Besprechung (verschoben)"),
              std::vector<std::string>{"2024-04-02T14:00"});
    const CCalendarEventPtr master = store.GetAllEvents().front();
    EXPECT_EQ(master->GetRecurrencePattern()->GetRecurrenceOptions(),
              Options::Weekly(1, kCalendarMonday | kCalendarWednesday));
    EXPECT_EQ(master->GetBusyStatus(), kCalendarBusyTentative);
    EXPECT_TRUE(master->IsReminder());
    EXPECT_EQ(master->GetReminderMinutesBeforeStart(), 15);
    EXPECT_EQ(master->GetUid(), "040000008200E00074C5B7101A82E008");

    const std::vector<std::string> holiday = Shown(store, "2024-07-22", "2024-07-23");
    ASSERT_EQ(holiday.size(), 1u);
    EXPECT_EQ(holiday[0],
              "Ferien | 2024-07-22T00:00 - 2024-07-27T00:00 | 1 |  |  | 0 | 0 | 4 | 0 0");
}

TEST(CalendarICalendar, ImportsUtcAndFloatingTimesAsLocalTimes) {
    CCalendarData store;
    store.SetClock([] { return At("2024-01-01T00:00"); });
    const CCalendarImportResult result = Import(store, kWebFile, "Europe/Berlin");
    EXPECT_EQ(result.m_imported, 2);
    // 08:00 UTC is 09:00 in winter and 10:00 in summer: no weekly series shows that.
    const std::vector<std::string> standup = StartsOf(store, "Standup");
    ASSERT_EQ(standup.size(), 15u);
    EXPECT_EQ(standup.front(), "2024-01-05T09:00");
    EXPECT_EQ(standup[12], "2024-03-29T09:00");
    EXPECT_EQ(standup[13], "2024-04-05T10:00");
    EXPECT_TRUE(Noted(result, "Standup", CalendarImportNote::Converted));

    const std::vector<std::string> breakfast = Shown(store, "2024-06-10", "2024-06-11");
    ASSERT_EQ(breakfast.size(), 1u);
    EXPECT_EQ(breakfast[0], "Floating breakfast | 2024-06-10T07:00 - 2024-06-10T09:30 | 0 |  | "
                            "Bring, please\nfruit | -1 | 1 | 0 | 1 30");
}

TEST(CalendarICalendar, WhatTheStoreCannotHoldComesInAsTheNearestExactFormAndIsReported) {
    CCalendarData store;
    store.SetClock([] { return At("2024-01-01T00:00"); });
    const auto started = std::chrono::steady_clock::now();
    const CCalendarImportResult result = Import(store, kShortMonthsFile, "UTC");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    EXPECT_EQ(StartsOf(store, "Month end"),
              (std::vector<std::string>{"2024-01-31T12:00", "2024-03-31T12:00", "2024-05-31T12:00",
                                        "2024-07-31T12:00", "2024-08-31T12:00", "2024-10-31T12:00",
                                        "2024-12-31T12:00"}));
    EXPECT_TRUE(Noted(result, "Month end", CalendarImportNote::Converted));
    EXPECT_EQ(StartsOf(store, "Twice"),
              (std::vector<std::string>{"2024-01-01T09:00", "2024-01-01T15:00", "2024-01-02T09:00",
                                        "2024-01-02T15:00"}));
    EXPECT_EQ(StartsOf(store, "Spring days", "2024-01-01", "2025-01-01"),
              (std::vector<std::string>{"2024-03-01T08:00", "2024-04-01T08:00"}));
    EXPECT_TRUE(Noted(result, "Spring days", CalendarImportNote::RepeatsCut));
    // A yearly rule without end since 1900 is a series the store holds as it is.
    EXPECT_EQ(StartsOf(store, "Birthday", "2100-01-01", "2101-01-01"),
              std::vector<std::string>{"2100-03-10T00:00"});
    EXPECT_TRUE(Noted(result, "Too often", CalendarImportNote::RepeatsTooOften));
    EXPECT_TRUE(Noted(result, "No start", CalendarImportNote::NoStart));
    EXPECT_EQ(result.m_imported, 4);
}

TEST(CalendarICalendar, DamagedFilesGiveNothingOrTheirIntactEvents) {
    const std::string desktop = kDesktopFile;
    // Cut inside the last event, after its start: that event is left out.
    const std::string cut = desktop.substr(0, desktop.find("DTEND;VALUE=DATE:20240727"));
    const struct {
        std::string text;
        bool readable;
        int imported;
    } cases[] = {
        {"", false, 0},
        {"this is no calendar", false, 0},
        {std::string("BEGIN:VCALENDAR\r\n\0\xff\xfe garbage", 30), true, 0},
        {cut, true, 1},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2024XX01T\r\nEND:VEVENT\r\nEND:VCALENDAR",
         true, 0},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240101T100000\r\nRRULE:FREQ=DAILY;"
         "BYMONTH=2;BYMONTHDAY=30\r\nEND:VEVENT\r\nEND:VCALENDAR",
         true, 1},
        {std::string(CCalendarICalendarReader::kMaxTextBytes + 1, 'A'), false, 0},
    };
    for (const auto& c : cases) {
        CCalendarData store;
        const CCalendarImportResult result = Import(store, c.text, "UTC");
        EXPECT_EQ(result.m_readable, c.readable) << c.text.substr(0, 60);
        EXPECT_EQ(result.m_imported, c.imported) << c.text.substr(0, 60);
    }
}

TEST(CalendarICalendar, ARuleWithoutDatesShowsNothingEverAndItsExtraDatesStandAlone) {
    CCalendarData store;
    store.SetClock([] { return At("2024-01-01T00:00"); });
    Import(store,
           "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:never\r\nSUMMARY:Never\r\n"
           "DTSTART:20240101T100000\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n"
           "RDATE:20240301T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
           "UTC");
    EXPECT_EQ(StartsOf(store, "Never", "2024-01-01", "2200-01-01"),
              std::vector<std::string>{"2024-03-01T10:00"});
}

TEST(CalendarICalendar, ReimportingGivesTheSameEventsNewUids) {
    CCalendarData store;
    Import(store, kDesktopFile, "Europe/Berlin");
    Import(store, kDesktopFile, "Europe/Berlin");
    ASSERT_EQ(store.GetEventCount(), 4u);
    EXPECT_NE(store.GetAllEvents()[0]->GetUid(), store.GetAllEvents()[2]->GetUid());
}

} // namespace
