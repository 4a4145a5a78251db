// The store's queries go through its index by date. These tests look where the index could
// give a wrong answer: series and events reaching over many of its week buckets (or too many
// to be filed), changes made after the index was built, and exceptions moved across days.
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarOccurrenceExpander.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <algorithm>

using tevtest::At;

namespace {

CCalendarEventPtr Plain(CCalendarData& store, const char* start, const char* end,
                        const char* subject) {
    CCalendarEventPtr event = store.CreateNewEvent();
    event->SetStartTime(At(start));
    event->SetEndTime(At(end));
    event->SetSubject(subject);
    return event;
}

// A series from `start` lasting `minutes` per occurrence; `count` 0 means no end.
CCalendarEventPtr Series(CCalendarData& store, const char* start, int minutes,
                         const CCalendarRecurrenceOptions& options, int count,
                         const char* subject) {
    CCalendarEventPtr master = store.CreateNewEvent();
    master->SetStartTime(At(start));
    master->SetEndTime(At(start).AddMinutes(minutes));
    master->SetSubject(subject);
    CCalendarRecurrencePatternPtr pattern = master->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(options);
    if (count > 0)
        pattern->SetEndAfterOccurrences(count);
    master->UpdateRecurrence(pattern);
    return master;
}

// What a day query shows: "start subject", in the query's order.
std::vector<std::string> Day(const CCalendarData& store, const char* day) {
    std::vector<std::string> shown;
    for (const CCalendarEventPtr& event : store.RetrieveDayEvents(At(day)))
        shown.push_back(event->GetStartTime().ToIsoString() + " " + event->GetSubject());
    return shown;
}

using Shown = std::vector<std::string>;

bool Overlaps(const CCalendarDateTime& start, const CCalendarDateTime& end,
              const CCalendarDateTime& dayStart) {
    const CCalendarDateTime dayEnd = dayStart.AddDays(1);
    if (end <= start)
        return start >= dayStart && start < dayEnd;
    return start < dayEnd && end > dayStart;
}

// What the day should show, worked out from the expander and the plain events alone.
std::vector<std::string> Expected(const CCalendarData& store, const CCalendarDateTime& day) {
    std::vector<std::pair<CCalendarDateTime, std::string>> items;
    for (const CCalendarEventPtr& event : store.GetAllEvents()) {
        const CCalendarRecurrencePatternPtr pattern = event->GetRecurrencePattern();
        if (!pattern) {
            if (Overlaps(event->GetStartTime(), event->GetEndTime(), day))
                items.emplace_back(event->GetStartTime(), event->GetSubject());
            continue;
        }
        const CCalendarOccurrenceExpander expander(*pattern, store.GetFirstDayOfWeek());
        for (const CCalendarOccurrence& occurrence : expander.Expand(day.AddDays(-15), day)) {
            if (Overlaps(occurrence.m_start, occurrence.m_end, day))
                items.emplace_back(occurrence.m_start, event->GetSubject());
        }
    }
    std::sort(items.begin(), items.end());
    std::vector<std::string> shown;
    for (const auto& item : items)
        shown.push_back(item.first.ToIsoString() + " " + item.second);
    return shown;
}

} // namespace

TEST(CalendarIndex, EveryDayOfFourYearsShowsWhatTheSeriesAndEventsReachInto) {
    CCalendarData store;
    // Buckets are weeks from Thursday to Wednesday: these cross their edges in every way.
    const auto weekend = kCalendarSaturday | kCalendarSunday;
    const auto tuesdayWednesday = kCalendarTuesday | kCalendarWednesday;
    store.AddEvent(Series(store, "2024-01-06T23:00", 180,
                          CCalendarRecurrenceOptions::Weekly(1, weekend), 300,
                          "a weekend night, near the most the index files"));
    store.AddEvent(Series(store, "2024-01-03T22:00", 26 * 60,
                          CCalendarRecurrenceOptions::Weekly(3, tuesdayWednesday), 40,
                          "26 hours over the edge of the week"));
    store.AddEvent(Series(store, "2024-01-02T07:00", 30, CCalendarRecurrenceOptions::Daily(2), 2000,
                          "every other day, too many weeks to file"));
    store.AddEvent(Series(store, "2024-02-29T12:00", 60, CCalendarRecurrenceOptions::Yearly(2, 29),
                          40, "yearly on a leap day, forty years"));
    store.AddEvent(Series(store, "2024-01-31T08:00", 10 * 1440,
                          CCalendarRecurrenceOptions::Monthly(1, 31), 30,
                          "ten days from the 31st"));
    store.AddEvent(Series(store, "2024-01-26T16:00", 90,
                          CCalendarRecurrenceOptions::MonthNth(1, kCalendarLast, kCalendarFriday),
                          0, "last Friday, no end"));
    store.AddEvent(Plain(store, "2024-05-01T00:00", "2025-06-04T00:00", "thirteen months"));
    store.AddEvent(Plain(store, "2023-06-01T09:00", "2029-01-01T00:00", "years long"));
    store.AddEvent(
        Plain(store, "2025-03-05T23:30", "2025-03-06T00:30", "over midnight and the edge"));
    store.AddEvent(Plain(store, "2026-07-09T00:00", "2026-07-09T00:00", "no length, at midnight"));

    int shown = 0;
    for (CCalendarDateTime day = At("2024-01-01"); day < At("2028-01-01"); day = day.AddDays(1)) {
        const std::vector<std::string> expected = Expected(store, day);
        ASSERT_EQ(Day(store, day.ToIsoString().substr(0, 10).c_str()), expected)
            << day.ToIsoString();
        shown += static_cast<int>(expected.size());
    }
    EXPECT_GT(shown, 3000);
}

TEST(CalendarIndex, ChangesMadeAfterTheFirstQueryAreFound) {
    CCalendarData store;
    const CCalendarEventPtr a = Plain(store, "2024-03-05T10:00", "2024-03-05T11:00", "A");
    store.AddEvent(a);
    const CCalendarEventPtr s =
        Series(store, "2024-03-05T08:00", 30,
               CCalendarRecurrenceOptions::Weekly(1, kCalendarTuesday), 4, "S");
    store.AddEvent(s);
    EXPECT_EQ(Day(store, "2024-03-05"), (Shown{"2024-03-05T08:00 S", "2024-03-05T10:00 A"}));

    // Added, then moved in place to another month, then through a copy to another year.
    const CCalendarEventPtr b = Plain(store, "2024-06-12T09:00", "2024-06-12T09:30", "B");
    store.AddEvent(b);
    EXPECT_EQ(Day(store, "2024-06-12"), (Shown{"2024-06-12T09:00 B"}));
    b->SetStartTime(At("2024-09-01T09:00"));
    b->SetEndTime(At("2024-09-01T09:30"));
    store.ChangeEvent(b);
    EXPECT_EQ(Day(store, "2024-06-12"), Shown{});
    EXPECT_EQ(Day(store, "2024-09-01"), (Shown{"2024-09-01T09:00 B"}));
    CCalendarEventPtr copy = b->CloneEvent();
    copy->SetStartTime(At("2025-01-02T09:00"));
    copy->SetEndTime(At("2025-01-02T09:30"));
    store.ChangeEvent(copy);
    EXPECT_EQ(Day(store, "2024-09-01"), Shown{});
    EXPECT_EQ(Day(store, "2025-01-02"), (Shown{"2025-01-02T09:00 B"}));

    // A series given another pattern leaves the days of the old one.
    copy = s->CloneEvent();
    CCalendarRecurrencePatternPtr pattern = copy->GetRecurrencePattern();
    pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Monthly(1, 20));
    pattern->SetEndAfterOccurrences(3);
    copy->UpdateRecurrence(pattern);
    store.ChangeEvent(copy);
    EXPECT_EQ(Day(store, "2024-03-12"), Shown{});
    EXPECT_EQ(Day(store, "2024-04-20"), (Shown{"2024-04-20T08:00 S"}));

    // A plain event made recurring and plain again.
    copy = a->CloneEvent();
    copy->MakeEventAsRecurrence()->SetEndAfterOccurrences(3);
    store.ChangeEvent(copy);
    EXPECT_EQ(Day(store, "2024-03-07"), (Shown{"2024-03-07T10:00 A"}));
    copy = a->CloneEvent();
    copy->RemoveRecurrence();
    store.ChangeEvent(copy);
    EXPECT_EQ(Day(store, "2024-03-07"), Shown{});
    EXPECT_EQ(Day(store, "2024-03-05"), (Shown{"2024-03-05T10:00 A"}));

    store.DeleteEvent(b);
    EXPECT_EQ(Day(store, "2025-01-02"), Shown{});
    store.DeleteEvent(s);
    EXPECT_EQ(Day(store, "2024-04-20"), Shown{});

    store.RemoveAllEvents();
    store.AddEvent(Plain(store, "2024-03-05T12:00", "2024-03-05T13:00", "C"));
    EXPECT_EQ(Day(store, "2024-03-05"), (Shown{"2024-03-05T12:00 C"}));
}

TEST(CalendarIndex, ExceptionsAreFoundWhereverTheyWereMoved) {
    CCalendarData store;
    const CCalendarEventPtr master =
        Series(store, "2024-04-01T09:00", 60,
               CCalendarRecurrenceOptions::Weekly(1, kCalendarMonday), 10, "Review");
    store.AddEvent(master);
    ASSERT_EQ(Day(store, "2024-04-08"), (Shown{"2024-04-08T09:00 Review"}));

    struct Move {
        const char* start;
        const char* end;
        const char* shownOn; // a day it must show on
        const char* goneFrom;
    };
    // Far out of the series' range, back into it, before its start, over the buckets' edge
    // (Wednesday night into Thursday), to another year.
    const Move moves[] = {
        {"2024-07-20T15:00", "2024-07-20T16:00", "2024-07-20", "2024-04-08"},
        {"2024-04-03T09:00", "2024-04-03T10:00", "2024-04-03", "2024-07-20"},
        {"2024-03-01T09:00", "2024-03-01T10:00", "2024-03-01", "2024-04-03"},
        {"2024-04-10T22:00", "2024-04-12T02:00", "2024-04-11", "2024-03-01"},
        {"2025-04-08T09:00", "2025-04-08T10:00", "2025-04-08", "2024-04-11"},
    };
    CCalendarEventPtr moved = store.RetrieveDayEvents(At("2024-04-08"))[0];
    for (const Move& move : moves) {
        moved->SetStartTime(At(move.start));
        moved->SetEndTime(At(move.end));
        ASSERT_TRUE(store.ChangeEvent(moved));
        const std::string shown = At(move.start).ToIsoString() + " Review";
        EXPECT_EQ(Day(store, move.shownOn), Shown{shown}) << move.start;
        EXPECT_EQ(Day(store, move.goneFrom), Shown{}) << move.start;
        // The stored exception is the one the next move commits.
        moved = store.RetrieveDayEvents(At(move.shownOn))[0];
    }
    EXPECT_EQ(Day(store, "2024-04-08"), Shown{});

    // Deleted, then restored in its own place.
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-04-15"))[0]);
    EXPECT_EQ(Day(store, "2024-04-15"), Shown{});
    CCalendarEventPtr deleted =
        master->GetRecurrencePattern()->FindException(At("2024-04-15T09:00"));
    ASSERT_TRUE(deleted);
    deleted->SetRExceptionDeleted(false);
    deleted->SetStartTime(At("2024-04-15T09:00"));
    deleted->SetEndTime(At("2024-04-15T10:00"));
    store.ChangeEvent(deleted);
    EXPECT_EQ(Day(store, "2024-04-15"), (Shown{"2024-04-15T09:00 Review"}));
}
