#include "calendar/CalendarLayout.h"
#include "calendar/CalendarViewModel.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/EventIdList.h"
#include "platform/xml/XmlDom.h"
#include "tests/calendar/store/CalendarTestDates.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

using tevtest::At;

namespace {

int64_t Day(const std::string& date) {
    return At(date).GetDayNumber();
}

std::string DateOf(int64_t day) {
    return CCalendarDateTime::FromDayNumber(day).ToIsoString().substr(0, 10);
}

std::vector<std::string> Dates(const std::vector<int64_t>& days) {
    std::vector<std::string> dates;
    for (int64_t day : days)
        dates.push_back(DateOf(day));
    return dates;
}

CCalendarEventPtr Event(const std::string& subject, const std::string& start,
                        const std::string& end, bool allDay = false) {
    auto event = std::make_shared<CCalendarEvent>();
    event->SetSubject(subject);
    event->SetStartTime(At(start));
    event->SetEndTime(At(end));
    event->SetAllDayEvent(allDay);
    return event;
}

// subject -> "column/slot/slotCount start-end"
std::map<std::string, std::string> Placement(const std::vector<CCalendarTimedItem>& items) {
    std::map<std::string, std::string> placed;
    for (const CCalendarTimedItem& item : items)
        placed[item.event->GetSubject()] =
            std::to_string(item.column) + "/" + std::to_string(item.slot) + "/" +
            std::to_string(item.slotCount) + " " + std::to_string(item.startMinute) + "-" +
            std::to_string(item.endMinute);
    return placed;
}

// subject -> "first-last lane"
std::map<std::string, std::string> Lanes(const std::vector<CCalendarSpanItem>& spans) {
    std::map<std::string, std::string> lanes;
    for (const CCalendarSpanItem& item : spans)
        lanes[item.event->GetSubject()] =
            std::to_string(item.firstColumn) + "-" + std::to_string(item.lastColumn) + " lane " +
            std::to_string(item.lane) + (item.continuesBefore ? " <" : "") +
            (item.continuesAfter ? " >" : "");
    return lanes;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Which days show

TEST(CalendarViewModel, VisibleDaysFollowTheViewAndTheFirstDayOfTheWeek) {
    struct Case {
        CalendarViewType view;
        int firstDayOfWeek;
        const char* selected;
        std::vector<std::string> expected;
    };
    // 9 December 2026 is a Wednesday.
    const Case cases[] = {
        {kCalendarDayView, 1, "2026-12-09", {"2026-12-09"}},
        {kCalendarWeekView,
         1,
         "2026-12-09",
         {"2026-12-06", "2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11",
          "2026-12-12"}},
        {kCalendarWeekView,
         2,
         "2026-12-09",
         {"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11", "2026-12-12",
          "2026-12-13"}},
        // Selected on the first day of the week itself, and on the day before it.
        {kCalendarWeekView,
         2,
         "2026-12-06",
         {"2026-11-30", "2026-12-01", "2026-12-02", "2026-12-03", "2026-12-04", "2026-12-05",
          "2026-12-06"}},
        {kCalendarWeekView,
         4,
         "2026-12-08",
         {"2026-12-02", "2026-12-03", "2026-12-04", "2026-12-05", "2026-12-06", "2026-12-07",
          "2026-12-08"}},
        {kCalendarWorkWeekView,
         1,
         "2026-12-12",
         {"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}},
        // Monday first: Sunday the 13th belongs to the week of the 7th.
        {kCalendarWorkWeekView,
         2,
         "2026-12-13",
         {"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}},
        {kCalendarWorkWeekView,
         1,
         "2026-12-13",
         {"2026-12-14", "2026-12-15", "2026-12-16", "2026-12-17", "2026-12-18"}},
    };
    for (const Case& c : cases) {
        CCalendarViewModel model;
        model.SetViewType(c.view);
        model.SetFirstDayOfWeek(c.firstDayOfWeek);
        model.SetSelectedDay(Day(c.selected));
        EXPECT_EQ(Dates(model.GetVisibleDays()), c.expected)
            << "view " << c.view << " first day " << c.firstDayOfWeek << " on " << c.selected;
    }
}

TEST(CalendarViewModel, MonthGridStartsWithTheWeekOfTheFirstAndKeepsTheSelectedDayInSight) {
    struct Case {
        int firstDayOfWeek;
        int weeks;
        const char* selected;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        // 1 December 2026 is a Tuesday.
        {1, 5, "2026-12-15", "2026-11-29", "2027-01-02"},
        {2, 5, "2026-12-15", "2026-11-30", "2027-01-03"},
        {2, 6, "2026-12-01", "2026-11-30", "2027-01-10"},
        {1, 2, "2026-12-02", "2026-11-29", "2026-12-12"},
        // Two weeks cannot hold the 20th from the week of the first: the grid ends with
        // the selected day's week instead.
        {1, 2, "2026-12-20", "2026-12-13", "2026-12-26"},
        // Five weeks from Sunday 29 November end on 2 January: the 31st stays visible.
        {1, 5, "2026-12-31", "2026-11-29", "2027-01-02"},
        // Monday first, August 2027 needs six weeks: the last day pushes the grid on.
        {2, 5, "2027-08-31", "2027-08-02", "2027-09-05"},
        // A month whose first is the first day of the week starts with it.
        {3, 4, "2026-12-01", "2026-12-01", "2026-12-28"},
    };
    for (const Case& c : cases) {
        CCalendarViewModel model;
        model.SetViewType(kCalendarMonthView);
        model.SetFirstDayOfWeek(c.firstDayOfWeek);
        model.SetMonthWeeksCount(c.weeks);
        model.SetSelectedDay(Day(c.selected));
        const std::vector<int64_t> days = model.GetVisibleDays();
        ASSERT_EQ(days.size(), static_cast<size_t>(c.weeks * 7)) << c.selected;
        EXPECT_EQ(DateOf(days.front()), c.first) << c.selected << " weeks " << c.weeks;
        EXPECT_EQ(DateOf(days.back()), c.last) << c.selected << " weeks " << c.weeks;
        EXPECT_EQ(CCalendarViewModel::DayOfWeek(days.front()), c.firstDayOfWeek);
        for (size_t i = 1; i < days.size(); ++i)
            ASSERT_EQ(days[i], days[i - 1] + 1);
    }
}

TEST(CalendarViewModel, SettingsStayWithinTheirRanges) {
    CCalendarViewModel model;
    EXPECT_EQ(model.GetScale(), 30);
    EXPECT_EQ(model.GetMonthWeeksCount(), 5);
    EXPECT_EQ(model.GetWorkWeekMask(), CCalendarViewModel::kMondayToFriday);

    for (int bad : {0, 8, -1})
        model.SetFirstDayOfWeek(bad);
    EXPECT_EQ(model.GetFirstDayOfWeek(), 1);
    model.SetMonthWeeksCount(9);
    EXPECT_EQ(model.GetMonthWeeksCount(), 6);
    model.SetMonthWeeksCount(1);
    EXPECT_EQ(model.GetMonthWeeksCount(), 2);
    model.SetScale(0);
    model.SetScale(2000);
    EXPECT_EQ(model.GetScale(), 30);
    model.SetWorkWeekMask(0);
    EXPECT_EQ(model.GetWorkWeekMask(), CCalendarViewModel::kMondayToFriday);
    model.SetWorkDay(9 * 60, 7 * 60);
    EXPECT_EQ(model.GetWorkDayStart(), 9 * 60);
    EXPECT_EQ(model.GetWorkDayEnd(), 9 * 60);

    // A work week without a single work day in it still shows the selected day.
    model.SetWorkWeekMask(1); // Sunday only
    model.SetViewType(kCalendarWorkWeekView);
    model.SetFirstDayOfWeek(2);
    model.SetSelectedDay(Day("2026-12-09"));
    EXPECT_EQ(Dates(model.GetVisibleDays()), std::vector<std::string>{"2026-12-13"});
}

TEST(CalendarViewModel, WorkTimeIsWorkDaysBetweenStartAndEnd) {
    CCalendarViewModel model;
    model.SetWorkDay(8 * 60, 17 * 60);
    const int64_t wednesday = Day("2026-12-09");
    const int64_t saturday = Day("2026-12-12");
    struct Case {
        int64_t day;
        int minute;
        bool work;
    };
    const Case cases[] = {
        {wednesday, 8 * 60, true},       {wednesday, 8 * 60 - 1, false},
        {wednesday, 16 * 60 + 59, true}, {wednesday, 17 * 60, false},
        {saturday, 10 * 60, false},      {wednesday, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.IsWorkTime(c.day, c.minute), c.work) << DateOf(c.day) << " " << c.minute;
}

TEST(CalendarViewModel, DayOfWeekAndMenuScale) {
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(0), 5); // 1 January 1970, a Thursday
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(-1), 4);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(Day("2026-12-06")), 1);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(Day("2026-12-12")), 7);
    EXPECT_EQ(DateOf(CCalendarViewModel::MonthStart(Day("2024-02-29"))), "2024-02-01");

    const std::pair<int, int> scales[] = {{120, 60}, {60, 60}, {45, 30}, {30, 30}, {20, 15},
                                          {15, 15},  {12, 10}, {10, 10}, {7, 6},   {6, 6},
                                          {5, 5},    {4, 0},   {1, 0}};
    for (const auto& [scale, checked] : scales)
        EXPECT_EQ(CCalendarViewModel::MenuScaleFor(scale), checked) << scale;
}

// ---------------------------------------------------------------------------------------
// Where events go

TEST(CalendarLayout, RowsOfTheTimeScale) {
    const std::pair<int, int> rows[] = {{60, 24}, {30, 48}, {15, 96}, {10, 144}, {6, 240},
                                        {5, 288}, {45, 32}, {7, 206}, {0, 0}};
    for (const auto& [scale, count] : rows)
        EXPECT_EQ(CCalendarLayout::RowsPerDay(scale), count) << scale;
    EXPECT_EQ(CCalendarLayout::RowOfMinute(9 * 60 + 29, 30), 18);
    EXPECT_EQ(CCalendarLayout::RowOfMinute(9 * 60 + 30, 30), 19);
    EXPECT_EQ(CCalendarLayout::RowOfMinute(9 * 60 + 5, 6), 90);
    EXPECT_EQ(CCalendarLayout::RowStart(19, 30), 9 * 60 + 30);
}

TEST(CalendarLayout, SpanEventsAndTheDaysEventsTouch) {
    struct Case {
        CCalendarEventPtr event;
        bool span;
        std::vector<std::string> days; // of 2026-12-08 .. 2026-12-11
    };
    const Case cases[] = {
        {Event("meeting", "2026-12-09T10:00", "2026-12-09T11:00"), false, {"2026-12-09"}},
        {Event("all day", "2026-12-09", "2026-12-10", true), true, {"2026-12-09"}},
        {Event("two days", "2026-12-09", "2026-12-11", true), true, {"2026-12-09", "2026-12-10"}},
        {Event("night", "2026-12-09T22:00", "2026-12-10T02:00"),
         false,
         {"2026-12-09", "2026-12-10"}},
        {Event("ends at midnight", "2026-12-09T23:00", "2026-12-10T00:00"), false, {"2026-12-09"}},
        {Event("24 hours", "2026-12-09T12:00", "2026-12-10T12:00"),
         true,
         {"2026-12-09", "2026-12-10"}},
        {Event("no length", "2026-12-10T00:00", "2026-12-10T00:00"), false, {"2026-12-10"}},
        {Event("end before start", "2026-12-10T09:00", "2026-12-10T08:00"), false, {"2026-12-10"}},
        {Event("no start", "", "2026-12-10T08:00"), false, {}},
    };
    const int64_t first = Day("2026-12-08");
    for (const Case& c : cases) {
        EXPECT_EQ(CCalendarLayout::IsSpanEvent(*c.event), c.span) << c.event->GetSubject();
        std::vector<std::string> touched;
        for (int64_t day = first; day < first + 4; ++day)
            if (CCalendarLayout::CoversDay(*c.event, day))
                touched.push_back(DateOf(day));
        EXPECT_EQ(touched, c.days) << c.event->GetSubject();
    }
}

TEST(CalendarLayout, BarsTakeTheFirstFreeLaneAcrossTheirDays) {
    const std::vector<int64_t> week = {Day("2026-12-07"), Day("2026-12-08"), Day("2026-12-09"),
                                       Day("2026-12-10"), Day("2026-12-11")};
    const std::vector<CCalendarEventPtr> events = {
        Event("offsite", "2026-12-10", "2026-12-11", true),
        Event("conference", "2026-12-08", "2026-12-11", true),
        Event("holiday", "2026-12-04", "2026-12-08", true),
        Event("trip", "2026-12-11", "2026-12-15", true),
        Event("timed", "2026-12-09T09:00", "2026-12-09T10:00"),
        Event("elsewhere", "2026-12-20", "2026-12-21", true),
        Event("short", "2026-12-07", "2026-12-08", true),
    };
    const std::vector<CCalendarSpanItem> spans = CCalendarLayout::LayoutSpans(events, week);
    const std::map<std::string, std::string> expected = {
        {"holiday", "0-0 lane 0 <"},  // from last week, ends Monday night
        {"short", "0-0 lane 1"},      // Monday, under the holiday
        {"conference", "1-3 lane 0"}, // Tuesday to Thursday
        {"offsite", "3-3 lane 1"},    // Thursday, under the conference
        {"trip", "4-4 lane 0 >"},     // Friday on, into next week
    };
    EXPECT_EQ(Lanes(spans), expected);
    EXPECT_EQ(CCalendarLayout::LaneCount(spans), 2);
    EXPECT_EQ(CCalendarLayout::LaneCount(spans, 2), 1);
    EXPECT_EQ(CCalendarLayout::LaneCount(spans, 3), 2);
    EXPECT_EQ(CCalendarLayout::LaneCount(spans, 4), 1);
}

TEST(CalendarLayout, BarsSkipDaysAWorkWeekLeavesOut) {
    // Monday, Wednesday and Friday only: a bar from Tuesday to Thursday lands on Wednesday.
    const std::vector<int64_t> days = {Day("2026-12-07"), Day("2026-12-09"), Day("2026-12-11")};
    const std::vector<CCalendarEventPtr> events = {
        Event("middle", "2026-12-08", "2026-12-11", true),
        Event("tuesday", "2026-12-08", "2026-12-09", true),
    };
    EXPECT_EQ(Lanes(CCalendarLayout::LayoutSpans(events, days)),
              (std::map<std::string, std::string>{{"middle", "1-1 lane 0 < >"}}));
}

TEST(CalendarLayout, OverlappingEventsShareTheirDaySideBySide) {
    struct Case {
        const char* name;
        std::vector<CCalendarEventPtr> events;
        std::map<std::string, std::string> expected;
    };
    const std::vector<int64_t> days = {Day("2026-12-07"), Day("2026-12-08")};
    const Case cases[] = {
        {"apart",
         {Event("a", "2026-12-07T09:00", "2026-12-07T10:00"),
          Event("b", "2026-12-07T10:00", "2026-12-07T11:00")},
         {{"a", "0/0/1 540-600"}, {"b", "0/0/1 600-660"}}},
        {"two overlapping",
         {Event("planning", "2026-12-07T10:00", "2026-12-07T11:30"),
          Event("call", "2026-12-07T10:30", "2026-12-07T11:00")},
         {{"planning", "0/0/2 600-690"}, {"call", "0/1/2 630-660"}}},
        {"a slot freed in the group is used again",
         {Event("review", "2026-12-07T14:00", "2026-12-07T16:00"),
          Event("vendor", "2026-12-07T15:00", "2026-12-07T15:30"),
          Event("one-to-one", "2026-12-07T15:30", "2026-12-07T16:00")},
         {{"review", "0/0/2 840-960"},
          {"vendor", "0/1/2 900-930"},
          {"one-to-one", "0/1/2 930-960"}}},
        {"three at once, then alone",
         {Event("x", "2026-12-07T09:00", "2026-12-07T12:00"),
          Event("y", "2026-12-07T09:00", "2026-12-07T10:00"),
          Event("z", "2026-12-07T09:30", "2026-12-07T10:30"),
          Event("later", "2026-12-07T12:00", "2026-12-07T13:00")},
         {{"x", "0/0/3 540-720"},
          {"y", "0/1/3 540-600"},
          {"z", "0/2/3 570-630"},
          {"later", "0/0/1 720-780"}}},
        {"a chain makes one group",
         {Event("p", "2026-12-07T09:00", "2026-12-07T10:00"),
          Event("q", "2026-12-07T09:45", "2026-12-07T11:00"),
          Event("r", "2026-12-07T10:30", "2026-12-07T12:00")},
         {{"p", "0/0/2 540-600"}, {"q", "0/1/2 585-660"}, {"r", "0/0/2 630-720"}}},
        // Without length an event is still drawn one row (30 minutes) high.
        {"short events take a row",
         {Event("reminder", "2026-12-07T09:00", "2026-12-07T09:00"),
          Event("next", "2026-12-07T09:10", "2026-12-07T09:20")},
         {{"reminder", "0/0/2 540-540"}, {"next", "0/1/2 550-560"}}},
        {"across midnight on both days",
         {Event("night shift", "2026-12-07T22:00", "2026-12-08T02:00"),
          Event("early", "2026-12-08T01:00", "2026-12-08T03:00")},
         {{"night shift", "1/0/2 0-120"}, {"early", "1/1/2 60-180"}}},
        {"all-day events stay out",
         {Event("holiday", "2026-12-07", "2026-12-08", true),
          Event("work", "2026-12-07T09:00", "2026-12-07T17:00")},
         {{"work", "0/0/1 540-1020"}}},
    };
    for (const Case& c : cases) {
        const std::vector<CCalendarTimedItem> items =
            CCalendarLayout::LayoutTimed(c.events, days, 30);
        std::map<std::string, std::string> placed = Placement(items);
        if (std::string(c.name) == "across midnight on both days") {
            // The night shift also shows on Monday from 22:00, alone there.
            int mondays = 0;
            for (const CCalendarTimedItem& item : items)
                if (item.column == 0) {
                    ++mondays;
                    EXPECT_EQ(item.startMinute, 22 * 60);
                    EXPECT_EQ(item.endMinute, 24 * 60);
                    EXPECT_EQ(item.slotCount, 1);
                }
            EXPECT_EQ(mondays, 1);
        }
        EXPECT_EQ(placed, c.expected) << c.name;
    }
}

TEST(CalendarLayout, NoTwoEventsOfADayOverlapInOneSlot) {
    // A crowded day at every offered scale: events that overlap as drawn never share a slot,
    // and each slot index stays below its count.
    std::vector<CCalendarEventPtr> events;
    for (int i = 0; i < 40; ++i) {
        const int start = (i * 37) % (20 * 60);
        const int length = 5 + (i * 53) % 180;
        auto event = std::make_shared<CCalendarEvent>();
        event->SetSubject("e" + std::to_string(i));
        event->SetStartTime(At("2026-12-07").AddMinutes(start));
        event->SetEndTime(At("2026-12-07").AddMinutes(start + length));
        events.push_back(event);
    }
    for (int scale : CCalendarViewModel::kScales) {
        const std::vector<CCalendarTimedItem> items =
            CCalendarLayout::LayoutTimed(events, {Day("2026-12-07")}, scale);
        ASSERT_EQ(items.size(), events.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_LT(items[i].slot, items[i].slotCount);
            for (size_t j = i + 1; j < items.size(); ++j) {
                const int endI = std::max(items[i].endMinute, items[i].startMinute + scale);
                const int endJ = std::max(items[j].endMinute, items[j].startMinute + scale);
                const bool overlap = items[i].startMinute < endJ && items[j].startMinute < endI;
                if (overlap) {
                    EXPECT_NE(items[i].slot, items[j].slot)
                        << items[i].event->GetSubject() << " and " << items[j].event->GetSubject()
                        << " at scale " << scale;
                    EXPECT_EQ(items[i].slotCount, items[j].slotCount);
                }
            }
        }
    }
}

TEST(CalendarLayout, DayListsAndWhatACellCannotShow) {
    const std::vector<CCalendarEventPtr> events = {
        Event("b", "2026-12-07T09:00", "2026-12-07T10:00"),
        Event("a", "2026-12-07T09:00", "2026-12-07T09:30"),
        Event("early", "2026-12-07T07:00", "2026-12-07T08:00"),
        Event("allday", "2026-12-07", "2026-12-08", true),
        Event("tuesday", "2026-12-08T07:00", "2026-12-08T08:00"),
    };
    std::vector<std::string> subjects;
    for (const CCalendarEventPtr& event : CCalendarLayout::DayList(events, Day("2026-12-07")))
        subjects.push_back(event->GetSubject());
    EXPECT_EQ(subjects, (std::vector<std::string>{"early", "a", "b"}));

    const std::vector<CCalendarSpanItem> spans =
        CCalendarLayout::LayoutSpans(events, {Day("2026-12-07"), Day("2026-12-08")});
    struct Case {
        int column;
        int timed;
        int lines;
        int hidden;
    };
    const Case cases[] = {
        {0, 3, 4, 0}, // one bar and three events fit in four lines
        {0, 3, 3, 1}, {0, 3, 1, 3}, {0, 3, 0, 4}, {1, 1, 1, 0}, {1, 2, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCalendarLayout::HiddenCount(spans, c.column, c.timed, c.lines), c.hidden)
            << "column " << c.column << " lines " << c.lines;

    // A row where one cell overflows keeps its last line for the count, in every cell, so
    // that no bar runs under it; the count is then taken over the lines left.
    struct Row {
        std::vector<int> timed;
        int lines;
        int usable;
    };
    const Row rows[] = {
        {{3, 1}, 4, 4}, // everything fits
        {{3, 1}, 3, 2}, // Monday's third event does not
        {{0, 3}, 2, 1}, // Tuesday's three events do not fit in two lines
        {{1, 0}, 1, 0}, // one line: the bar alone already fills it, the event is hidden
        {{0, 0}, 1, 1}, // the bar alone
        {{0, 0}, 0, 0},
    };
    for (const Row& row : rows) {
        const int usable = CCalendarLayout::UsableLines(spans, row.timed, row.lines);
        EXPECT_EQ(usable, row.usable) << row.lines << " lines";
        for (size_t column = 0; column < row.timed.size(); ++column) {
            const int hidden = CCalendarLayout::HiddenCount(spans, static_cast<int>(column),
                                                            row.timed[column], usable);
            // What is shown plus what is counted is everything the cell has.
            const int bars = CCalendarLayout::LaneCount(spans, static_cast<int>(column));
            const int shown = std::max(0, std::min(usable, bars + row.timed[column]));
            EXPECT_EQ(shown + hidden, bars + row.timed[column])
                << row.lines << " lines, column " << column;
        }
    }
}

TEST(CalendarLayout, DayListsOfManyDaysInOnePassListWhatEachDayLists) {
    std::vector<CCalendarEventPtr> events = {
        Event("late", "2026-12-07T23:59", "2026-12-08T00:01"),
        Event("to midnight", "2026-12-07T10:00", "2026-12-08T00:00"),
        Event("almost a day", "2026-12-07T00:01", "2026-12-08T00:00"),
        Event("no length", "2026-12-08T00:00", "2026-12-08T00:00"),
        Event("backwards", "2026-12-08T11:00", "2026-12-08T09:00"),
        Event("b", "2026-12-08T09:00", "2026-12-08T10:00"),
        Event("a", "2026-12-08T09:00", "2026-12-08T09:30"),
        Event("a", "2026-12-08T09:00", "2026-12-08T11:30"),
        Event("allday", "2026-12-08", "2026-12-09", true),
        Event("two days", "2026-12-07T12:00", "2026-12-09T12:00"),
        Event("friday", "2026-12-11T08:00", "2026-12-11T09:00"),
        nullptr,
    };
    events.push_back(std::make_shared<CCalendarEvent>()); // no times at all
    auto objects = [](const std::vector<CCalendarEventPtr>& list) {
        std::vector<const CCalendarEvent*> shown;
        for (const CCalendarEventPtr& event : list)
            shown.push_back(event.get());
        return shown;
    };
    // Days out of order, one missing, one twice.
    const std::vector<int64_t> days = {Day("2026-12-09"), Day("2026-12-07"), Day("2026-12-08"),
                                       Day("2026-12-11"), Day("2026-12-08")};
    const auto lists = CCalendarLayout::DayLists(events, days);
    ASSERT_EQ(lists.size(), days.size());
    for (size_t i = 0; i < days.size(); ++i)
        EXPECT_EQ(objects(lists[i]), objects(CCalendarLayout::DayList(events, days[i])))
            << DateOf(days[i]);
    std::vector<std::string> monday;
    for (const CCalendarEventPtr& event : lists[1])
        monday.push_back(event->GetSubject());
    EXPECT_EQ(monday, (std::vector<std::string>{"almost a day", "to midnight", "late"}));
    EXPECT_EQ(lists[2].size(), 6u); // late, no length, a, a, b, backwards
    EXPECT_TRUE(lists[0].empty());
    EXPECT_TRUE(CCalendarLayout::DayLists(events, {}).empty());
}

TEST(CalendarLayout, RecurringEventsAreExpandedForTheVisibleDays) {
    // The project of a week of meetings: a weekly one-to-one on Tuesdays, deleted on
    // 1 December and moved from 8 December to Wednesday afternoon.
    CCalendarData store;
    CEventIdList ids(store);
    const std::string path = tevtest::SourceDir() + "tests/calendar/data/WeekOfMeetings.kcd";
    ASSERT_GT(tevtest::ReadFileBytes(path).size(), 2u);
    const std::string text = tevtest::Utf16FileText(path);
    pugi::xml_document project;
    ASSERT_TRUE(tev::LoadXml(project, text));
    pugi::xml_document data;
    data.append_copy(project.document_element().child("Data"));
    CCalendarDataFormat::Read(data, store, ids);
    ASSERT_EQ(store.GetEventCount(), 13u);

    CCalendarViewModel model;
    model.SetViewType(kCalendarMonthView);
    model.SetSelectedDay(Day("2026-12-07"));
    const std::vector<int64_t> days = model.GetVisibleDays();
    const std::vector<CCalendarEventPtr> events =
        store.RetrieveEvents(CCalendarDateTime::FromDayNumber(days.front()),
                             CCalendarDateTime::FromDayNumber(days.back() + 1));
    std::vector<std::string> oneToOnes;
    for (int64_t day : days)
        for (const CCalendarEventPtr& event : CCalendarLayout::DayList(events, day))
            if (event->GetSubject().rfind("Weekly 1:1", 0) == 0)
                oneToOnes.push_back(DateOf(day) + " " +
                                    std::to_string(event->GetStartTime().GetMinuteOfDay()));
    EXPECT_EQ(oneToOnes, (std::vector<std::string>{"2026-12-09 930", "2026-12-15 660",
                                                   "2026-12-22 660", "2026-12-29 660"}));

    // In the work week of 7 December the moved one-to-one shares Wednesday afternoon.
    model.SetViewType(kCalendarWorkWeekView);
    const std::vector<int64_t> week = model.GetVisibleDays();
    const std::vector<CCalendarEventPtr> weekEvents =
        store.RetrieveEvents(CCalendarDateTime::FromDayNumber(week.front()),
                             CCalendarDateTime::FromDayNumber(week.back() + 1));
    const auto placed = Placement(CCalendarLayout::LayoutTimed(weekEvents, week, 30));
    EXPECT_EQ(placed.at("Quarterly review"), "2/0/2 840-960");
    EXPECT_EQ(placed.at("Vendor call"), "2/1/2 900-930");
    EXPECT_EQ(placed.at("Weekly 1:1 with Sam (moved)"), "2/1/2 930-960");
    EXPECT_EQ(placed.at("Sprint planning"), "0/0/2 600-690");
    EXPECT_EQ(placed.count("Company offsite"), 0u);
    EXPECT_EQ(Lanes(CCalendarLayout::LayoutSpans(weekEvents, week)),
              (std::map<std::string, std::string>{{"Company offsite", "3-3 lane 0"}}));
}
