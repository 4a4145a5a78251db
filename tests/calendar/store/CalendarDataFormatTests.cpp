#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/EventIdList.h"
#include "platform/xml/XmlDom.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

using tevtest::At;

namespace {

const char kEmptyDocument[] = "<Data>\n\t<Events>\n\t\t</Events></Data>";

// A store with its event ID list, loaded and saved as the calendar view does it.
struct Calendar {
    CCalendarData store;
    CEventIdList ids{store};

    Calendar() {
        store.SetClock([] { return At("2024-06-01T12:00"); });
    }
    bool Load(const std::string& text) {
        pugi::xml_document document;
        if (!tev::LoadXml(document, text))
            return false;
        CCalendarDataFormat::Read(document, store, ids);
        return true;
    }
    std::string Save() const { return CCalendarDataFormat::Write(store, ids); }
};

std::string Doc(const std::string& events) {
    return "<Data>\n\t<Events>\n\t\t" + events + "</Events></Data>";
}

// Every property of an event, exceptions and schedule included, as one text.
std::string Describe(const CCalendarData& store, const CCalendarEvent& e) {
    std::string text =
        std::to_string(e.GetEventId()) + "|" + e.GetStartTime().ToIsoString() + "|" +
        e.GetEndTime().ToIsoString() + "|" + e.GetSubject() + "|" + e.GetLocation() + "|" +
        e.GetBody() + "|" + e.GetCreationTime().ToIsoString() + "|" +
        e.GetLastModificationTime().ToIsoString() + "|" + std::to_string(e.IsMeeting()) +
        std::to_string(e.IsAllDayEvent()) + "|label " + std::to_string(e.GetLabelId()) + "|busy " +
        std::to_string(e.GetBusyStatus()) + "|state " + std::to_string(e.GetRecurrenceState());
    if (e.GetRecurrenceState() == kCalendarRecurrenceException)
        text += "|of " + std::to_string(e.GetRecurrencePatternId()) + " deleted " +
                std::to_string(e.IsRExceptionDeleted()) + " " +
                e.GetRExceptionStartTimeOrig().ToIsoString() + "-" +
                e.GetRExceptionEndTimeOrig().ToIsoString();
    if (const CCalendarRecurrencePatternPtr p = e.GetRecurrencePattern()) {
        const CCalendarRecurrenceOptions& o = p->GetRecurrenceOptions();
        text += "|pattern " + std::to_string(p->GetPatternId()) + " at " +
                std::to_string(p->GetStartTime()) + " for " +
                std::to_string(p->GetDurationMinutes()) + " type " + std::to_string(o.m_type) +
                "/" + std::to_string(o.m_data1) + "/" + std::to_string(o.m_data2) + "/" +
                std::to_string(o.m_data3) + " from " + p->GetPatternStartDate().ToIsoString() +
                " end " + std::to_string(p->GetUseEndMethod()) + " " +
                p->GetPatternEndDate().ToIsoString();
        if (p->GetUseEndMethod() == kCalendarPatternEndAfterOccurrences)
            text += " x" + std::to_string(p->GetEndAfterOccurrences());
        for (const CCalendarEventPtr& exception : p->GetExceptions())
            text += "\n  " + Describe(store, *exception);
    }
    const int schedule = store.FindScheduleIndex(e.GetScheduleId());
    if (schedule >= 0) {
        const CCalendarSchedule& s = store.GetScheduleAt(static_cast<size_t>(schedule));
        text += "|schedule " + s.GetName();
        std::set<std::string> properties; // the bag's order is not carried
        for (const auto& [name, value] : s.GetCustomProperties().GetAll())
            properties.insert(name + "=" + value);
        for (const std::string& property : properties)
            text += " " + property;
    }
    return text;
}

std::vector<std::string> DescribeAll(const Calendar& calendar) {
    std::vector<std::string> all;
    for (uint32_t id : calendar.ids.GetIds())
        all.push_back(Describe(calendar.store, *calendar.store.GetEvent(id)));
    return all;
}

// A store holding every kind of content the format carries.
void Fill(CCalendarData& store) {
    const int alice = store.AddSchedule("Alice");
    CCalendarSchedule* aliceSchedule = store.FindScheduleByName("Alice");
    aliceSchedule->GetCustomProperties().SetProperty("Email", "alice@example.org");
    aliceSchedule->GetCustomProperties().SetProperty("Phone", "+1 555 0100");
    const int bob = store.AddSchedule("Bob & Co");

    CCalendarEventPtr plain = store.CreateNewEvent();
    plain->SetStartTime(At("2008-07-04T14:30"));
    plain->SetEndTime(At("2008-07-04T16:00"));
    plain->SetSubject("Fireworks <& \"friends\"> \xC3\xA9t\xC3\xA9");
    plain->SetLocation("Pier 39\tnorth");
    plain->SetBody("line one\r\nline two\n\tindented");
    plain->SetCreationTime(At("2008-06-01T08:00"));
    plain->SetLastModificationTime(At("2008-06-02T09:15"));
    plain->SetMeeting(true);
    plain->SetLabelId(2);
    plain->SetBusyStatus(kCalendarBusyTentative);
    plain->SetScheduleId(alice);
    store.AddEvent(plain);

    CCalendarEventPtr monthly = store.CreateNewEvent();
    monthly->SetSubject("Board");
    monthly->SetStartTime(At("2024-01-01T17:00"));
    monthly->SetEndTime(At("2024-01-01T18:30"));
    CCalendarRecurrencePatternPtr pattern = monthly->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(
        CCalendarRecurrenceOptions::MonthNth(1, kCalendarLast, kCalendarFriday));
    pattern->SetPatternEndDate(At("2024-12-31"));
    monthly->UpdateRecurrence(pattern);
    monthly->SetScheduleId(bob);
    monthly->SetLabelId(5);
    store.AddEvent(monthly);
    CCalendarEventPtr moved = store.RetrieveDayEvents(At("2024-02-23"))[0];
    moved->SetStartTime(At("2024-02-22T17:00"));
    moved->SetEndTime(At("2024-02-22T19:00"));
    moved->SetSubject("Board, moved");
    moved->SetBusyStatus(kCalendarBusyOutOfOffice);
    store.ChangeEvent(moved);
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-03-29"))[0]);

    CCalendarEventPtr counted = store.CreateNewEvent();
    counted->SetSubject("Course");
    counted->SetAllDayEvent(true);
    counted->SetStartTime(At("2024-09-02T00:00"));
    counted->SetEndTime(At("2024-09-03T00:00"));
    counted->MakeEventAsRecurrence()->SetRecurrenceOptions(
        CCalendarRecurrenceOptions::Weekly(2, 42));
    counted->GetRecurrencePattern()->SetEndAfterOccurrences(12);
    counted->SetBusyStatus(kCalendarBusyFree);
    store.AddEvent(counted);

    CCalendarEventPtr endless = store.CreateNewEvent();
    endless->SetSubject("Birthday");
    endless->SetStartTime(At("1980-02-29T00:00"));
    endless->SetEndTime(At("1980-02-29T00:00"));
    endless->MakeEventAsRecurrence()->SetRecurrenceOptions(
        CCalendarRecurrenceOptions::Yearly(2, 29));
    endless->SetLabelId(8);
    endless->SetScheduleId(alice);
    store.AddEvent(endless);

    store.AddEvent(store.CreateNewEvent());
}

} // namespace

TEST(CalendarDataFormat, WritesTheDocumentExactly) {
    Calendar calendar;
    CCalendarEventPtr event = calendar.store.CreateNewEvent(5);
    event->SetStartTime(At("2008-07-04T14:30"));
    event->SetEndTime(At("2008-07-04T15:00"));
    event->SetSubject("Meet & greet");
    event->SetCreationTime(At("2008-07-01T09:05"));
    event->SetLastModificationTime(CCalendarDateTime::Invalid());
    event->SetLocation("Room <1>");
    event->SetMeeting(true);
    event->SetLabelId(2);
    event->SetBody("Bring \"slides\"");
    event->SetBusyStatus(kCalendarBusyOutOfOffice);
    event->SetUid("one@example.org");
    calendar.store.AddEvent(event);

    CCalendarEventPtr series = calendar.store.CreateNewEvent(9);
    series->SetStartTime(At("2024-01-03T09:00"));
    series->SetEndTime(At("2024-01-03T10:30"));
    series->SetLastModificationTime(At("2024-01-02T08:00"));
    series->SetUid("two@example.org");
    CCalendarRecurrencePatternPtr pattern = series->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Weekly(2, 10));
    pattern->SetEndAfterOccurrences(6);
    CCalendarEventPtr exception = calendar.store.CreateNewEvent(11);
    exception->SetRExceptionStartTimeOrig(At("2024-01-15T09:00"));
    exception->SetRExceptionEndTimeOrig(At("2024-01-15T10:30"));
    exception->SetRExceptionDeleted(true);
    exception->SetBusyStatus(7);
    pattern->AddException(exception);
    series->SetScheduleId(calendar.store.AddSchedule("Room A"));
    calendar.store.FindScheduleByName("Room A")->GetCustomProperties().SetProperty("Location",
                                                                                   "2nd floor");
    calendar.store.AddEvent(series);

    EXPECT_EQ(
        calendar.Save(),
        "<Data>\n\t<Events>\n\t\t"
        "<Event EventID=\"5\" StartTime=\"07:04:2008 14:30\" EndTime=\"07:04:2008 15:00\" "
        "Subject=\"Meet &amp; greet\" CreationTime=\"07:01:2008 09:05\" "
        "LastModificationTime=\"Invalid DateTime\" Location=\"Room &lt;1>\" IsMeeting=\"1\" "
        "AllDayEvent=\"0\" Type=\"Business\" Body=\"Bring &quot;slides&quot;\" "
        "BusyStatus=\"Out Of Office\" UID=\"one@example.org\"/>\n\t\t"
        "<Event EventID=\"9\" StartTime=\"01:03:2024 09:00\" EndTime=\"01:03:2024 10:30\" "
        "Subject=\"\" "
        "CreationTime=\"06:01:2024 12:00\" LastModificationTime=\"01:02:2024 08:00\" Location=\"\" "
        "IsMeeting=\"0\" AllDayEvent=\"0\" Type=\"None\" Body=\"\" BusyStatus=\"Free\" "
        "UID=\"two@example.org\">"
        "<Pattern StartTime=\"09:00\" EndTime=\"10:30\" DurationMinutes=\"90\" "
        "RecurrenceType=\"2\" "
        "RecurrenceOpt_Data1=\"2\" RecurrenceOpt_Data2=\"10\" RecurrenceOpt_Data3=\"0\" "
        "PatternStartDate=\"01:03:2024\" PatternEndDate=\"\" UseEndMethod=\"1\" "
        "EndAfterOccurrences=\"6\">"
        "<Exception EventID=\"11\" RecurrencePatternID=\"9\" StartTime=\"\" EndTime=\"\" "
        "Subject=\"\" "
        "CreationTime=\"06:01:2024 12:00\" LastModificationTime=\"06:01:2024 12:00\" Location=\"\" "
        "IsMeeting=\"0\" AllDayEvent=\"0\" Type=\"None\" Body=\"\" BusyStatus=\"Unknown\" "
        "RException_StartTimeOrig=\"01:15:2024 09:00\" RException_EndTimeOrig=\"01:15:2024 10:30\" "
        "RException_Deleted=\"1\"/></Pattern>"
        "<Schedule Name=\"Room A\" Location=\"2nd floor\"/></Event>\n\t\t"
        "</Events></Data>");
}

TEST(CalendarDataFormat, ADocumentReadsBackIntoTheSameCalendarAndWritesTheSameText) {
    Calendar original;
    Fill(original.store);
    const std::string text = original.Save();

    Calendar copy;
    ASSERT_TRUE(copy.Load(text));
    EXPECT_EQ(DescribeAll(copy), DescribeAll(original));
    EXPECT_EQ(copy.Save(), text);
    EXPECT_EQ(copy.store.GetScheduleCount(), 2u);

    // And the shown calendar is the same too.
    const auto shown = [](const Calendar& c) {
        std::vector<std::string> all;
        for (const CCalendarEventPtr& e :
             c.store.RetrieveEvents(At("2024-01-01T00:00"), At("2025-01-01T00:00")))
            all.push_back(e->GetStartTime().ToIsoString() + " " + e->GetSubject());
        return all;
    };
    EXPECT_EQ(shown(copy), shown(original));
    EXPECT_EQ(shown(copy).size(), 11u + 12u + 1u); // board (12 - 1 deleted), course, birthday

    // Loading into a calendar that already has events replaces them.
    ASSERT_TRUE(copy.Load(text));
    EXPECT_EQ(copy.Save(), text);
}

TEST(CalendarDataFormat, IdentifiersSurviveASaveAndALoad) {
    Calendar original;
    Fill(original.store);
    Calendar copy;
    ASSERT_TRUE(copy.Load(original.Save()));
    EXPECT_EQ(copy.ids.GetIds(), original.ids.GetIds());
    for (uint32_t id : original.ids.GetIds()) {
        const CCalendarEventPtr event = copy.store.GetEvent(id);
        ASSERT_TRUE(event);
        if (event->GetRecurrencePattern()) {
            EXPECT_EQ(event->GetRecurrencePattern()->GetPatternId(), id);
        }
    }
    // New events after a load never take a loaded number.
    const CCalendarEventPtr added = copy.store.CreateNewEvent();
    copy.store.AddEvent(added);
    EXPECT_GT(added->GetEventId(), 0u);
    EXPECT_EQ(copy.store.FindEvent(added->GetEventId()), added);
    for (uint32_t id : original.ids.GetIds())
        EXPECT_NE(added->GetEventId(), id);
}

TEST(CalendarDataFormat, AnEmptyDataElementGivesAnEmptyCalendar) {
    Calendar calendar;
    Fill(calendar.store);
    ASSERT_TRUE(calendar.Load("<Data/>"));
    EXPECT_EQ(calendar.store.GetEventCount(), 0u);
    EXPECT_EQ(calendar.ids.GetCount(), 0u);
    EXPECT_EQ(calendar.Save(), kEmptyDocument);
    ASSERT_TRUE(calendar.Load("<Data><Events/></Data>"));
    EXPECT_EQ(calendar.Save(), kEmptyDocument);
    ASSERT_TRUE(
        calendar.Load("<flash><Data><Events><Event EventID=\"3\"/></Events></Data></flash>"));
    EXPECT_EQ(calendar.Save(), kEmptyDocument);
}

TEST(CalendarDataFormat, ReadsDateTimesByCharacterPosition) {
    const std::pair<const char*, const char*> cases[] = {
        {"07:04:2008 14:30", "2008-07-04T14:30"},
        {"07-04-2008 14.30", "2008-07-04T14:30"},
        {" 7:04:2008 14:30", "2008-07-04T14:30"},
        {"07:04:2008 14:30:59", "2008-07-04T14:30"},
        {"07:04:2008", "2008-07-04T00:00"},
        {"02:29:2024 23:59", "2024-02-29T23:59"},
        {"12:31:9999 23:59", "9999-12-31T23:59"},
        {"01:01:0100 00:00", "0100-01-01T00:00"},
        {"07:04:2008 14:3x", "2008-07-04T14:03"},
        {"07:04:2x08 14:30", "invalid"},
        {"7/4/2008 2:30", "invalid"},
        {"Invalid DateTime", "invalid"},
        {"13:01:2024 10:00", "invalid"},
        {"00:10:2024 10:00", "invalid"},
        {"02:31:2024 10:00", "invalid"},
        {"02:29:2023 10:00", "invalid"},
        {"01:01:2024 24:00", "invalid"},
        {"01:01:2024 23:60", "invalid"},
        {"01:01:0099 10:00", "invalid"},
        {"-1:01:2024 10:00", "invalid"},
        {"99999999999999999999", "invalid"},
        {"x", "invalid"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CCalendarDataFormat::ParseDateTime(text).ToIsoString(), expected)
            << "'" << text << "'";
    EXPECT_EQ(CCalendarDataFormat::ParseTime("09:05").ToIsoString(), "1900-01-01T09:05");
    EXPECT_EQ(CCalendarDataFormat::ParseTime("9:30").ToIsoString(), "1900-01-01T09:00");
    EXPECT_TRUE(CCalendarDataFormat::ParseTime("25:00").IsInvalid());
    EXPECT_TRUE(CCalendarDataFormat::ParseTime("").IsNull());

    EXPECT_EQ(CCalendarDataFormat::FormatDateTime(At("2008-07-04T14:30")), "07:04:2008 14:30");
    EXPECT_EQ(CCalendarDataFormat::FormatDateTime(At("0100-01-02T03:04")), "01:02:0100 03:04");
    EXPECT_EQ(CCalendarDataFormat::FormatDateTime(CCalendarDateTime::Invalid()),
              "Invalid DateTime");
    EXPECT_EQ(CCalendarDataFormat::FormatDateTime(CCalendarDateTime()), "");
    EXPECT_EQ(CCalendarDataFormat::FormatDate(At("2008-07-04T14:30")), "07:04:2008");
    EXPECT_EQ(CCalendarDataFormat::FormatTime(9 * 60 + 5), "09:05");
}

TEST(CalendarDataFormat, ReadsIntegersAsTheCLibraryDoes) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"12", 12},
        {"  12", 12},
        {"+7", 7},
        {"-7", -7},
        {"12abc", 12},
        {"abc", 0},
        {"1e3", 1},
        {"4294967295", -1},
        {"4294967296", 0},
        {"2147483648", INT_MIN},
        {"99999999999999999999", -1},
        {"-99999999999999999999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(CCalendarDataFormat::ParseInteger(text), value) << "'" << text << "'";
}

TEST(CalendarDataFormat, StartTimesThatAreNoDatesLeaveTheStartUntouched) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(
        Doc("<Event EventID=\"1\" StartTime=\"07:04:2008 14:30\"/>"
            "<Event EventID=\"2\" StartTime=\"7/4/2008 2:30\" EndTime=\"07:04:2008 15:00\"/>")));
    EXPECT_EQ(calendar.store.GetEvent(1)->GetStartTime().ToIsoString(), "2008-07-04T14:30");
    EXPECT_TRUE(calendar.store.GetEvent(2)->GetStartTime().IsNull());
    EXPECT_EQ(calendar.store.GetEvent(2)->GetEndTime().ToIsoString(), "2008-07-04T15:00");
    // A creation time the document lacks stays the one the new event was given.
    EXPECT_EQ(calendar.store.GetEvent(2)->GetCreationTime().ToIsoString(), "2024-06-01T12:00");
}

TEST(CalendarDataFormat, BusyStatusKeywordsAreExact) {
    const std::pair<const char*, int> cases[] = {
        {"Free", 0},
        {"Tentative", 1},
        {"Busy", 2},
        {"Out Of Office", 3},
        {"out of office", -1},
        {"Busy ", -1},
        {"Unknown", -1},
        {"", -1},
        {"2", -1},
    };
    for (const auto& [keyword, status] : cases) {
        Calendar calendar;
        ASSERT_TRUE(calendar.Load(
            Doc("<Event EventID=\"1\" BusyStatus=\"" + std::string(keyword) + "\"/>")));
        EXPECT_EQ(calendar.store.GetEvent(1)->GetBusyStatus(), status) << keyword;
        const std::string written = status < 0 ? "Unknown" : keyword;
        EXPECT_NE(calendar.Save().find("BusyStatus=\"" + written + "\""), std::string::npos)
            << keyword;
    }
    Calendar absent;
    ASSERT_TRUE(absent.Load(Doc("<Event EventID=\"1\"/>")));
    EXPECT_EQ(absent.store.GetEvent(1)->GetBusyStatus(), -1);
}

TEST(CalendarDataFormat, TypeNamesALabelAndTheLastOfThatNameWins) {
    Calendar calendar;
    calendar.store.GetLabels().Add(20, "Business", 0x123456);
    ASSERT_TRUE(calendar.Load(
        Doc("<Event EventID=\"1\" Type=\"Business\"/><Event EventID=\"2\" Type=\"Birthday\"/>"
            "<Event EventID=\"3\" Type=\"business\"/><Event EventID=\"4\"/>")));
    EXPECT_EQ(calendar.store.GetEvent(1)->GetLabelId(), 20);
    EXPECT_EQ(calendar.store.GetEvent(2)->GetLabelId(), 8);
    EXPECT_EQ(calendar.store.GetEvent(3)->GetLabelId(), 0);
    EXPECT_EQ(calendar.store.GetEvent(4)->GetLabelId(), 0);
    calendar.store.GetEvent(4)->SetLabelId(77);
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("EventID=\"2\" StartTime=\"\" EndTime=\"\" Subject=\"\" "
                        "CreationTime=\"06:01:2024 12:00\" "
                        "LastModificationTime=\"06:01:2024 12:00\" Location=\"\" IsMeeting=\"0\" "
                        "AllDayEvent=\"0\" Type=\"Birthday\""),
              std::string::npos);
    EXPECT_NE(text.find("EventID=\"4\" StartTime=\"\" EndTime=\"\" Subject=\"\" "
                        "CreationTime=\"06:01:2024 12:00\" "
                        "LastModificationTime=\"06:01:2024 12:00\" Location=\"\" IsMeeting=\"0\" "
                        "AllDayEvent=\"0\" Type=\"\""),
              std::string::npos);
}

TEST(CalendarDataFormat, ACountOfZeroLeavesThePatternWithoutEnd) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(
        Doc("<Event EventID=\"4\" StartTime=\"01:03:2024 09:00\" EndTime=\"01:03:2024 10:00\">"
            "<Pattern StartTime=\"09:00\" DurationMinutes=\"60\" RecurrenceType=\"1\" "
            "RecurrenceOpt_Data1=\"0\" "
            "RecurrenceOpt_Data2=\"1\" PatternStartDate=\"01:03:2024\" "
            "PatternEndDate=\"01:10:2024\" UseEndMethod=\"1\" "
            "EndAfterOccurrences=\"0\"/></Event>")));
    const CCalendarRecurrencePatternPtr pattern =
        calendar.store.GetEvent(4)->GetRecurrencePattern();
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->GetUseEndMethod(), kCalendarPatternNoEndDate);
    EXPECT_TRUE(pattern->GetPatternEndDate().IsNull()); // read only for end method 0
    EXPECT_NE(calendar.Save().find("UseEndMethod=\"2\"/>"), std::string::npos);
}

TEST(CalendarDataFormat, ReadsEachEndMethod) {
    const std::string pattern =
        "<Event EventID=\"4\"><Pattern StartTime=\"09:00\" DurationMinutes=\"30\" "
        "RecurrenceType=\"1\" RecurrenceOpt_Data2=\"1\" PatternStartDate=\"01:03:2024\" "
        "PatternEndDate=\"01:10:2024\" EndAfterOccurrences=\"5\" UseEndMethod=";
    const std::pair<const char*, const char*> cases[] = {
        {"\"0\"", "2024-01-10T09:00"}, {"\"1\"", "2024-01-07T09:00"}, {"\"2\"", "2024-01-31T09:00"},
        {"\"7\"", "2024-01-31T09:00"}, {"\"\"", "2024-01-10T09:00"}, // absent reads as 0
    };
    for (const auto& [method, last] : cases) {
        Calendar calendar;
        ASSERT_TRUE(calendar.Load(Doc(pattern + method + "/></Event>")));
        const std::vector<CCalendarEventPtr> shown =
            calendar.store.RetrieveEvents(At("2024-01-01T00:00"), At("2024-02-01T00:00"));
        ASSERT_FALSE(shown.empty()) << method;
        EXPECT_EQ(shown.back()->GetStartTime().ToIsoString(), last) << method;
        EXPECT_EQ(calendar.store.GetEvent(4)->GetStartTime().ToIsoString(), "2024-01-03T09:00");
        EXPECT_EQ(calendar.store.GetEvent(4)->GetEndTime().ToIsoString(), "2024-01-03T09:30");
    }
}

TEST(CalendarDataFormat, EventsSharingAScheduleNameShareTheFirstOnesProperties) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(Doc(
        "<Event EventID=\"1\"><Schedule Name=\"Alice\" Phone=\"111\" Email=\"\" "
        "Company=\"Acme\"/></Event>"
        "<Event EventID=\"2\"><Schedule Name=\"Alice\" Phone=\"222\" Location=\"Home\"/></Event>"
        "<Event EventID=\"3\"><Schedule Name=\"\" Phone=\"333\"/></Event>")));
    ASSERT_EQ(calendar.store.GetScheduleCount(), 1u);
    const CCalendarSchedule& alice = calendar.store.GetScheduleAt(0);
    EXPECT_EQ(calendar.store.GetEvent(1)->GetScheduleId(), alice.GetId());
    EXPECT_EQ(calendar.store.GetEvent(2)->GetScheduleId(), alice.GetId());
    EXPECT_EQ(calendar.store.GetEvent(3)->GetScheduleId(), 0);
    EXPECT_EQ(
        alice.GetCustomProperties().GetAll(),
        (std::vector<std::pair<std::string, std::string>>{{"Phone", "111"}, {"Company", "Acme"}}));
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("<Schedule Name=\"Alice\" Phone=\"111\" "
                        "Company=\"Acme\"/></Event>\n\t\t<Event EventID=\"2\""),
              std::string::npos);
    EXPECT_LT(text.rfind("<Schedule"), text.find("EventID=\"3\"")); // event 3: no schedule
}

TEST(CalendarDataFormat, UidsSurviveSaveAndLoadAndOlderDocumentsGetDistinctOnes) {
    Calendar older;
    ASSERT_TRUE(older.Load(Doc("<Event EventID=\"1\"/><Event EventID=\"2\" UID=\"\"/>"
                               "<Event EventID=\"3\" UID=\"kept@example.org\"/>"
                               "<Event EventID=\"4\" UID=\"kept@example.org\"/>")));
    const std::string first = older.store.GetEvent(1)->GetUid();
    const std::string second = older.store.GetEvent(2)->GetUid();
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(older.store.GetEvent(3)->GetUid(), "kept@example.org");
    EXPECT_NE(older.store.GetEvent(4)->GetUid(), "kept@example.org"); // a copy gets its own

    Calendar reopened;
    ASSERT_TRUE(reopened.Load(older.Save()));
    for (uint32_t id : {1u, 2u, 3u, 4u})
        EXPECT_EQ(reopened.store.GetEvent(id)->GetUid(), older.store.GetEvent(id)->GetUid()) << id;
    EXPECT_EQ(reopened.Save(), older.Save());
}

TEST(CalendarDataFormat, PrivacyAndRemindersAreKeptAndWrittenOnlyWhenSet) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(Doc("<Event EventID=\"1\" UID=\"a\" Private=\"1\" "
                                  "ReminderMinutes=\"90\"/><Event EventID=\"2\" UID=\"b\"/>")));
    const CCalendarEventPtr first = calendar.store.GetEvent(1);
    EXPECT_TRUE(first->IsPrivate());
    EXPECT_TRUE(first->IsReminder());
    EXPECT_EQ(first->GetReminderMinutesBeforeStart(), 90);
    EXPECT_FALSE(calendar.store.GetEvent(2)->IsPrivate());
    EXPECT_FALSE(calendar.store.GetEvent(2)->IsReminder());
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("UID=\"a\" Private=\"1\" ReminderMinutes=\"90\"/>"), std::string::npos);
    EXPECT_NE(text.find("UID=\"b\"/>"), std::string::npos);
}

TEST(CalendarDataFormat, NewEventsFollowTheLoadedOnesInCreationOrder) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(
        Doc("<Event EventID=\"30\" Subject=\"c\"/><Event EventID=\"10\" Subject=\"a\"/>"
            "<Event EventID=\"20\" Subject=\"b\"/>")));
    EXPECT_EQ(calendar.ids.GetIds(), (std::vector<uint32_t>{30, 10, 20}));
    calendar.store.DeleteEvent(calendar.store.GetEvent(10));
    CCalendarEventPtr first = calendar.store.CreateNewEvent();
    first->SetSubject("new 1");
    CCalendarEventPtr second = calendar.store.CreateNewEvent();
    second->SetSubject("new 2");
    calendar.store.AddEvent(first);
    calendar.store.AddEvent(second);
    // Changing a loaded event does not move it.
    calendar.store.GetEvent(30)->SetSubject("c changed");
    calendar.store.ChangeEvent(calendar.store.GetEvent(30));

    Calendar reloaded;
    ASSERT_TRUE(reloaded.Load(calendar.Save()));
    std::vector<std::string> subjects;
    for (uint32_t id : reloaded.ids.GetIds())
        subjects.push_back(reloaded.store.GetEvent(id)->GetSubject());
    EXPECT_EQ(subjects, (std::vector<std::string>{"c changed", "b", "new 1", "new 2"}));
    EXPECT_EQ(reloaded.ids.GetIds(), (std::vector<uint32_t>{30, 20, 31, 32}));
}

TEST(CalendarDataFormat, ASeriesWithoutExceptionsOrEndStillWritesItsPattern) {
    Calendar calendar;
    CCalendarEventPtr event = calendar.store.CreateNewEvent();
    event->SetStartTime(At("2024-01-03T09:00"));
    event->SetEndTime(At("2024-01-03T09:00"));
    event->MakeEventAsRecurrence();
    calendar.store.AddEvent(event);
    EXPECT_NE(calendar.Save().find(
                  "<Pattern StartTime=\"09:00\" EndTime=\"09:00\" DurationMinutes=\"0\" "
                  "RecurrenceType=\"1\" RecurrenceOpt_Data1=\"0\" RecurrenceOpt_Data2=\"1\" "
                  "RecurrenceOpt_Data3=\"0\" PatternStartDate=\"01:03:2024\" PatternEndDate=\"\" "
                  "UseEndMethod=\"2\"/></Event>"),
              std::string::npos);
    // An end date chosen once stays in the document when the range is opened again.
    event->GetRecurrencePattern()->SetPatternEndDate(At("2024-03-01"));
    event->GetRecurrencePattern()->SetNoEndDate();
    EXPECT_NE(calendar.Save().find("PatternEndDate=\"03:01:2024\" UseEndMethod=\"2\"/>"),
              std::string::npos);
}

TEST(CalendarDataFormat, ExceptionsBelongToThePatternTheyAreNestedIn) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(Doc(
        "<Event EventID=\"5\" StartTime=\"01:01:2024 09:00\"><Exception EventID=\"50\"/>"
        "<Pattern StartTime=\"09:00\" DurationMinutes=\"60\" RecurrenceType=\"1\" "
        "RecurrenceOpt_Data2=\"1\" "
        "PatternStartDate=\"01:01:2024\" UseEndMethod=\"2\">"
        "<Exception EventID=\"6\" RecurrencePatternID=\"999\" StartTime=\"01:02:2024 15:00\" "
        "EndTime=\"01:02:2024 16:00\" Subject=\"later\" RException_StartTimeOrig=\"01:02:2024 "
        "09:00\" "
        "RException_EndTimeOrig=\"01:02:2024 10:00\" RException_Deleted=\"0\"/>"
        "<Exception EventID=\"7\" RException_StartTimeOrig=\"01:03:2024 09:00\" "
        "RException_Deleted=\"1\"/>"
        "<Exception EventID=\"8\" RException_StartTimeOrig=\"garbage\" RException_Deleted=\"1\"/>"
        "</Pattern></Event>"
        "<Exception EventID=\"60\"/>")));
    EXPECT_EQ(calendar.ids.GetIds(), (std::vector<uint32_t>{5}));
    const CCalendarRecurrencePatternPtr pattern =
        calendar.store.GetEvent(5)->GetRecurrencePattern();
    ASSERT_EQ(pattern->GetExceptions().size(), 3u);
    for (const CCalendarEventPtr& exception : pattern->GetExceptions())
        EXPECT_EQ(exception->GetRecurrencePatternId(), 5u);
    EXPECT_FALSE(calendar.store.FindEvent(50));
    EXPECT_EQ(calendar.store.FindEvent(6)->GetSubject(), "later");

    std::vector<std::string> shown;
    for (const CCalendarEventPtr& e :
         calendar.store.RetrieveEvents(At("2024-01-01T00:00"), At("2024-01-05T00:00")))
        shown.push_back(e->GetStartTime().ToIsoString());
    EXPECT_EQ(shown, (std::vector<std::string>{"2024-01-01T09:00", "2024-01-02T15:00",
                                               "2024-01-04T09:00"}));
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("<Exception EventID=\"6\" RecurrencePatternID=\"5\""), std::string::npos);
    EXPECT_NE(
        text.find(
            "RException_StartTimeOrig=\"\" RException_EndTimeOrig=\"\" RException_Deleted=\"1\"/>"),
        std::string::npos);
}

TEST(CalendarDataFormat, ReadsEveryEventsElementInDocumentOrder) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(
        "<Data><Events><Event EventID=\"2\"/></Events><Junk><Event EventID=\"9\"/></Junk>"
        "<Events><Event EventID=\"1\"/></Events></Data>"));
    EXPECT_EQ(calendar.ids.GetIds(), (std::vector<uint32_t>{2, 1}));
}

TEST(CalendarDataFormat, AReaderWithADetachedListFillsItItself) {
    CCalendarData store;
    CEventIdList ids;
    pugi::xml_document document;
    ASSERT_TRUE(tev::LoadXml(document, Doc("<Event EventID=\"4\"/><Event EventID=\"4\"/>")));
    ids.Append(77);
    CCalendarDataFormat::Read(document, store, ids);
    ASSERT_EQ(ids.GetCount(), 2u);
    EXPECT_EQ(ids.GetIds()[0], 4u);
    EXPECT_EQ(store.GetEventCount(), 2u);
    EXPECT_TRUE(store.GetEvent(ids.GetIds()[1]));
}

TEST(CalendarDataFormat, DamagedDocumentsNeverCrashAndKeepWhatTheyCan) {
    struct Case {
        const char* name;
        std::string events;
        size_t count;
    };
    const Case cases[] = {
        {"missing attributes", "<Event/>", 1},
        {"empty attributes",
         "<Event EventID=\"\" StartTime=\"\" EndTime=\"\" Subject=\"\" IsMeeting=\"\" "
         "BusyStatus=\"\">"
         "<Pattern StartTime=\"\" DurationMinutes=\"\" RecurrenceType=\"\" PatternStartDate=\"\" "
         "UseEndMethod=\"\"><Exception/></Pattern><Schedule/></Event>",
         1},
        {"non-numeric numbers",
         "<Event EventID=\"abc\" IsMeeting=\"yes\" AllDayEvent=\"true\"><Pattern "
         "DurationMinutes=\"long\" "
         "RecurrenceType=\"daily\" RecurrenceOpt_Data1=\"x\" UseEndMethod=\"one\"/></Event>",
         1},
        {"dates out of range",
         "<Event EventID=\"1\" StartTime=\"13:45:2024 99:99\" EndTime=\"02:31:2024 10:00\" "
         "CreationTime=\"01:01:2024 24:00\"><Pattern StartTime=\"24:61\" "
         "PatternStartDate=\"00:00:0000\" "
         "PatternEndDate=\"02:30:2024\" UseEndMethod=\"0\" RecurrenceType=\"1\" "
         "RecurrenceOpt_Data2=\"1\"/></Event>",
         1},
        {"huge numbers",
         "<Event EventID=\"99999999999999999999\"><Pattern StartTime=\"09:00\" "
         "DurationMinutes=\"99999999999\" "
         "RecurrenceType=\"2\" RecurrenceOpt_Data1=\"2147483647\" RecurrenceOpt_Data2=\"-1\" "
         "PatternStartDate=\"01:01:2024\" UseEndMethod=\"1\" "
         "EndAfterOccurrences=\"2147483647\"/></Event>"
         "<Event EventID=\"5\"><Pattern StartTime=\"09:00\" DurationMinutes=\"-2147483648\" "
         "RecurrenceType=\"1\" "
         "RecurrenceOpt_Data2=\"1\" PatternStartDate=\"01:01:2024\" UseEndMethod=\"2\"/></Event>",
         2},
        {"duplicate identifiers",
         "<Event EventID=\"7\"/><Event EventID=\"7\"><Pattern RecurrenceType=\"1\" "
         "RecurrenceOpt_Data2=\"1\" "
         "PatternStartDate=\"01:01:2024\"><Exception EventID=\"7\"/><Exception "
         "EventID=\"7\"/></Pattern></Event>"
         "<Event EventID=\"7\"/>",
         3},
        {"exceptions without a pattern",
         "<Exception EventID=\"1\"/><Event EventID=\"2\"><Exception/></Event>", 1},
        {"unknown elements and attributes",
         "<Event EventID=\"3\" Colour=\"red\"><Note>hi</Note><Pattern><Pattern/></Pattern>"
         "<Schedule Name=\"A\"><Schedule Name=\"B\"/></Schedule></Event><Evento/>",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Calendar calendar;
        ASSERT_TRUE(calendar.Load(Doc(c.events)));
        EXPECT_EQ(calendar.store.GetEventCount(), c.count);
        EXPECT_EQ(calendar.ids.GetCount(), c.count);
        std::set<uint32_t> distinct(calendar.ids.GetIds().begin(), calendar.ids.GetIds().end());
        EXPECT_EQ(distinct.size(), c.count);
        calendar.store.RetrieveEvents(At("2023-12-01T00:00"), At("2025-01-01T00:00"));
        // What was read writes and reads back to the same text.
        const std::string text = calendar.Save();
        Calendar again;
        ASSERT_TRUE(again.Load(text));
        EXPECT_EQ(again.Save(), text);
    }
}

TEST(CalendarDataFormat, RandomlyDamagedDocumentsReadAndSettle) {
    Calendar original;
    Fill(original.store);
    const std::string text = original.Save();
    std::mt19937 random(20240601);
    const char pieces[] = "<>/=\" 0123456789:-&;EventPatternExceptionSchedule";
    int readable = 0;
    for (int round = 0; round < 1000; ++round) {
        std::string damaged = text;
        for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
            const size_t at = random() % damaged.size();
            switch (random() % 3) {
            case 0:
                damaged[at] = pieces[random() % (sizeof pieces - 1)];
                break;
            case 1:
                damaged.erase(at, 1 + random() % 12);
                break;
            default:
                damaged.insert(at, damaged.substr(random() % damaged.size(), random() % 40));
                break;
            }
        }
        Calendar calendar;
        if (!calendar.Load(damaged))
            continue;
        ++readable;
        calendar.store.RetrieveEvents(At("2024-01-01T00:00"), At("2025-01-01T00:00"));
        const std::string settled = calendar.Save();
        Calendar again;
        ASSERT_TRUE(again.Load(settled));
        ASSERT_EQ(again.Save(), settled) << "round " << round;
    }
    EXPECT_GT(readable, 120);
}

TEST(CalendarDataFormat, HugeIdentifiersAndValuesKeepTheirMeaning) {
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(Doc("<Event EventID=\"4294967295\" Subject=\"last\"/>"
                                  "<Event EventID=\"-2\" Subject=\"wrapped\"/>")));
    EXPECT_EQ(calendar.store.GetEvent(4294967295u)->GetSubject(), "last");
    EXPECT_EQ(calendar.store.GetEvent(4294967294u)->GetSubject(), "wrapped");
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("EventID=\"4294967295\""), std::string::npos);
    EXPECT_NE(text.find("EventID=\"4294967294\""), std::string::npos);
    CCalendarEventPtr added = calendar.store.CreateNewEvent();
    ASSERT_TRUE(calendar.store.AddEvent(added));
    EXPECT_EQ(added->GetEventId(), 1u);
}

TEST(CalendarDataFormat, DeeplyNestedJunkIsSkipped) {
    std::string junk;
    for (int i = 0; i < 50000; ++i)
        junk += "<x>";
    junk += "<Event EventID=\"9\"/>";
    for (int i = 0; i < 50000; ++i)
        junk += "</x>";
    Calendar calendar;
    ASSERT_TRUE(calendar.Load(Doc("<Event EventID=\"1\">" + junk + "</Event>" + junk)));
    EXPECT_EQ(calendar.ids.GetIds(), (std::vector<uint32_t>{1}));
}

TEST(CalendarDataFormat, WhatTheFormatCannotCarrySettlesAfterOneLoad) {
    Calendar calendar;
    CCalendarEventPtr event = calendar.store.CreateNewEvent();
    event->SetStartTime(CCalendarDateTime::Invalid());
    event->SetEndTime(At("2024-01-01T10:00"));
    event->SetCreationTime(CCalendarDateTime());
    event->SetLabelId(99);
    calendar.store.AddEvent(event);
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("StartTime=\"Invalid DateTime\" EndTime=\"01:01:2024 10:00\" Subject=\"\" "
                        "CreationTime=\"\""),
              std::string::npos);
    EXPECT_NE(text.find("Type=\"\""), std::string::npos);
    Calendar again;
    again.store.SetClock([] { return At("2025-01-01T00:00"); });
    ASSERT_TRUE(again.Load(text));
    const CCalendarEventPtr loaded = again.store.GetEvent(event->GetEventId());
    EXPECT_TRUE(loaded->GetStartTime().IsNull());
    EXPECT_EQ(loaded->GetCreationTime().ToIsoString(), "2025-01-01T00:00");
    EXPECT_EQ(loaded->GetLabelId(), 0);
    const std::string settled = again.Save();
    Calendar third;
    ASSERT_TRUE(third.Load(settled));
    EXPECT_EQ(third.Save(), settled);
}

TEST(CalendarDataFormat, LineBreaksInTextsSurviveAReaderThatJoinsLines) {
    Calendar calendar;
    CCalendarEventPtr event = calendar.store.CreateNewEvent();
    event->SetSubject("Two\nlines");
    event->SetBody("First line\r\nSecond line\nThird\tline");
    ASSERT_TRUE(calendar.store.AddEvent(event));
    const std::string text = calendar.Save();
    EXPECT_NE(text.find("Body=\"First line&#13;&#10;Second line&#10;Third&#09;line\""),
              std::string::npos);
    // A project file is read line by line and joined; the texts hold no line of their own.
    std::string joined;
    for (char c : text)
        if (c != '\n' && c != '\r')
            joined += c;
    Calendar reopened;
    ASSERT_TRUE(reopened.Load(joined));
    const CCalendarEventPtr read = reopened.store.GetAllEvents().front();
    EXPECT_EQ(read->GetSubject(), "Two\nlines");
    EXPECT_EQ(read->GetBody(), "First line\r\nSecond line\nThird\tline");
}

TEST(CalendarDataFormat, TextsAreEscapedAsTheXmlLibraryPrintsThemAndReadBackWhole) {
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    // What the library prints for the same value, so that texts saved before stay the same.
    pugi::xml_document reference;
    reference.append_child("E").append_attribute("Subject").set_value(every.c_str());
    const std::string printed = tev::XmlOf(reference);
    const std::string escaped = printed.substr(3, printed.size() - 5); // Subject="..."

    struct Case {
        std::string subject;
        std::string written; // the attribute as written
        std::string readBack;
    };
    const Case cases[] = {
        {every, escaped, every},
        {"Tom & \"Jerry\" <3 'em>", "Subject=\"Tom &amp; &quot;Jerry&quot; &lt;3 'em>\"",
         "Tom & \"Jerry\" <3 'em>"},
        {std::string("cut\0here", 8), "Subject=\"cut\"", "cut"},
    };
    for (const Case& c : cases) {
        Calendar calendar;
        CCalendarEventPtr event = calendar.store.CreateNewEvent();
        event->SetSubject(c.subject);
        calendar.store.AddEvent(event);
        const std::string text = calendar.Save();
        EXPECT_NE(text.find(" " + c.written + " "), std::string::npos) << c.written;
        Calendar loaded;
        ASSERT_TRUE(loaded.Load(text));
        ASSERT_EQ(loaded.store.GetEventCount(), 1u);
        EXPECT_EQ(loaded.store.GetAllEvents()[0]->GetSubject(), c.readBack);
    }
}
