#include "calendar/store/CalendarOccurrenceExpander.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <climits>

using tevtest::At;

namespace {

CCalendarRecurrencePatternPtr Pattern(const CCalendarRecurrenceOptions& options,
                                      const char* rangeStart, int startMinutes = 9 * 60,
                                      int duration = 60) {
    auto pattern = std::make_shared<CCalendarRecurrencePattern>(7);
    pattern->SetRecurrenceOptions(options);
    pattern->SetPatternStartDate(At(rangeStart));
    pattern->SetStartTime(startMinutes);
    pattern->SetDurationMinutes(duration);
    return pattern;
}

std::vector<std::string> Starts(const CCalendarRecurrencePattern& pattern, const char* from,
                                const char* to, int firstDayOfWeek = 1) {
    std::vector<std::string> starts;
    for (const CCalendarDateTime& start :
         CCalendarOccurrenceExpander(pattern, firstDayOfWeek).GetOccurrenceStarts(At(from), At(to)))
        starts.push_back(start.ToIsoString());
    return starts;
}

CCalendarEventPtr Exception(const char* originalStart, bool deleted, const char* start = nullptr,
                            const char* end = nullptr) {
    auto exception = std::make_shared<CCalendarEvent>();
    exception->SetRExceptionStartTimeOrig(At(originalStart));
    exception->SetRExceptionDeleted(deleted);
    if (start) {
        exception->SetStartTime(At(start));
        exception->SetEndTime(At(end));
    }
    return exception;
}

} // namespace

TEST(OccurrenceExpander, ComputesTheLastDateOfACountedRangeForEveryKind) {
    struct Case {
        const char* name;
        CCalendarRecurrenceOptions options;
        const char* rangeStart;
        int count;
        const char* lastDate;
    };
    // Last dates worked out with a calendar, not by walking the pattern.
    const Case cases[] = {
        {"daily, a million days", CCalendarRecurrenceOptions::Daily(1), "2024-01-01", 1000000,
         "4761-11-27"},
        {"every 7 days", CCalendarRecurrenceOptions::Daily(7), "2024-01-01", 1000, "2043-02-23"},
        {"work days from a Monday", CCalendarRecurrenceOptions::EveryWorkDay(), "2024-01-01", 10,
         "2024-01-12"},
        {"fortnightly on Wednesday", CCalendarRecurrenceOptions::Weekly(2, kCalendarWednesday),
         "2024-01-03", 1000, "2062-04-19"},
        {"Mon+Wed+Fri from a Wednesday", CCalendarRecurrenceOptions::Weekly(1, 42), "2024-01-03",
         10, "2024-01-24"},
        {"monthly on day 31", CCalendarRecurrenceOptions::Monthly(1, 31), "2024-01-31", 1200,
         "2123-12-31"},
        {"last Friday", CCalendarRecurrenceOptions::MonthNth(1, kCalendarLast, kCalendarFriday),
         "2024-01-01", 12, "2024-12-27"},
        {"yearly on 29 February", CCalendarRecurrenceOptions::Yearly(2, 29), "2024-01-01", 100,
         "2123-02-28"},
        {"fourth Thursday of November",
         CCalendarRecurrenceOptions::YearNth(4, kCalendarThursday, 11), "2024-01-01", 3,
         "2026-11-26"},
        {"a count beyond the year 9999", CCalendarRecurrenceOptions::Daily(1), "2024-01-01",
         INT_MAX, "9999-12-31"},
        {"a huge interval", CCalendarRecurrenceOptions::Monthly(INT_MAX, 1), "2024-01-01", 2,
         "9999-12-31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CCalendarRecurrencePatternPtr pattern = Pattern(c.options, c.rangeStart);
        pattern->SetEndAfterOccurrences(c.count);
        const CCalendarOccurrenceExpander expander(*pattern, 1);
        ASSERT_TRUE(expander.HasOccurrences());
        EXPECT_EQ(expander.GetLastOccurrenceDate().ToIsoString(),
                  std::string(c.lastDate) + "T00:00");
    }
}

TEST(OccurrenceExpander, HostileRecordsYieldNothingAndNeverLoop) {
    const std::pair<const char*, CCalendarRecurrenceOptions> cases[] = {
        {"daily interval 0", {1, 0, 0, 0}},
        {"daily interval negative", {1, 0, -3, 0}},
        {"weekly interval 0", {2, 0, kCalendarMonday, 0}},
        {"weekly interval negative", {2, INT_MIN, kCalendarMonday, 0}},
        {"weekly empty mask", {2, 1, 0, 0}},
        {"weekly mask without day bits", {2, 1, 128, 0}},
        {"monthly interval 0", {3, 0, 15, 0}},
        {"monthly day 0", {3, 1, 0, 0}},
        {"monthly day 32", {3, 1, 32, 0}},
        {"monthly Nth which 0", {4, 1, 0, kCalendarMonday}},
        {"monthly Nth which 6", {4, 1, 6, kCalendarMonday}},
        {"monthly Nth empty mask", {4, 1, 1, 0}},
        {"yearly month 0", {5, 0, 1, 0}},
        {"yearly month 13", {5, 13, 1, 0}},
        {"yearly day negative", {5, 1, -1, 0}},
        {"yearly Nth month 13", {6, 1, kCalendarMonday, 13}},
        {"yearly Nth which 0", {6, 0, kCalendarMonday, 1}},
        {"type 0", {0, 1, 1, 1}},
        {"type 7", {7, 1, 1, 1}},
        {"type negative", {-1, 1, 1, 1}},
    };
    for (const auto& [name, options] : cases) {
        SCOPED_TRACE(name);
        const CCalendarRecurrencePatternPtr pattern = Pattern(options, "2024-01-01");
        const CCalendarOccurrenceExpander expander(*pattern, 1);
        EXPECT_FALSE(expander.HasOccurrences());
        EXPECT_TRUE(expander.GetLastOccurrenceDate().IsNull());
        EXPECT_TRUE(expander.Expand(At("0100-01-01"), At("9999-12-31")).empty());
    }
}

TEST(OccurrenceExpander, RangesThatCannotHoldAnOccurrenceYieldNothing) {
    const CCalendarRecurrencePatternPtr daily =
        Pattern(CCalendarRecurrenceOptions::Daily(1), "2024-05-10");
    daily->SetEndAfterOccurrences(0);
    EXPECT_TRUE(Starts(*daily, "2024-01-01", "2024-12-31").empty());
    daily->SetEndAfterOccurrences(-5);
    EXPECT_TRUE(Starts(*daily, "2024-01-01", "2024-12-31").empty());
    daily->SetPatternEndDate(At("2024-05-09"));
    EXPECT_TRUE(Starts(*daily, "2024-01-01", "2024-12-31").empty());
    daily->SetPatternEndDate(At("2024-05-10T23:59"));
    EXPECT_EQ(Starts(*daily, "2024-01-01", "2024-12-31"),
              std::vector<std::string>{"2024-05-10T09:00"});

    CCalendarRecurrencePattern noStart(1);
    noStart.SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
    EXPECT_FALSE(CCalendarOccurrenceExpander(noStart, 1).HasOccurrences());

    // Windows that are not dates, or run backwards, give nothing.
    const CCalendarRecurrencePatternPtr open =
        Pattern(CCalendarRecurrenceOptions::Daily(1), "2024-01-01");
    EXPECT_TRUE(CCalendarOccurrenceExpander(*open, 1)
                    .Expand(CCalendarDateTime(), At("2024-02-01"))
                    .empty());
    EXPECT_TRUE(Starts(*open, "2024-02-01", "2024-01-01").empty());
}

TEST(OccurrenceExpander, StopsAtTheEndOfTheYear9999) {
    const CCalendarRecurrencePatternPtr daily =
        Pattern(CCalendarRecurrenceOptions::Daily(1), "9999-12-29");
    EXPECT_EQ(
        Starts(*daily, "9999-01-01", "9999-12-31"),
        (std::vector<std::string>{"9999-12-29T09:00", "9999-12-30T09:00", "9999-12-31T09:00"}));
    const CCalendarRecurrencePatternPtr weekly =
        Pattern(CCalendarRecurrenceOptions::Weekly(1, kCalendarAllDays), "9999-12-30");
    EXPECT_EQ(Starts(*weekly, "9999-12-01", "9999-12-31"),
              (std::vector<std::string>{"9999-12-30T09:00", "9999-12-31T09:00"}));
    const CCalendarRecurrencePatternPtr yearly =
        Pattern(CCalendarRecurrenceOptions::Yearly(7, 4), "0100-01-01");
    const std::vector<std::string> all = Starts(*yearly, "0100-01-01", "9999-12-31");
    ASSERT_EQ(all.size(), 9900u);
    EXPECT_EQ(all.front(), "0100-07-04T09:00");
    EXPECT_EQ(all.back(), "9999-07-04T09:00");
}

TEST(OccurrenceExpander, WeeksAreCountedFromTheFirstDayOfTheWeek) {
    // Every 2 weeks on Monday, from Wednesday 3 January 2024.
    const CCalendarRecurrencePatternPtr pattern =
        Pattern(CCalendarRecurrenceOptions::Weekly(2, kCalendarMonday), "2024-01-03");
    const std::pair<int, const char*> firstMondays[] = {
        {1, "2024-01-15T09:00"}, {2, "2024-01-15T09:00"}, {3, "2024-01-08T09:00"},
        {4, "2024-01-08T09:00"}, {5, "2024-01-15T09:00"}, {6, "2024-01-15T09:00"},
        {7, "2024-01-15T09:00"}, {0, "2024-01-15T09:00"}, // outside 1-7: Sunday
    };
    for (const auto& [firstDay, first] : firstMondays)
        EXPECT_EQ(Starts(*pattern, "2024-01-01", "2024-01-20", firstDay).front(), first)
            << firstDay;
}

TEST(OccurrenceExpander, KnowsWhichStartsAreOccurrences) {
    const CCalendarRecurrencePatternPtr pattern =
        Pattern(CCalendarRecurrenceOptions::MonthNth(1, kCalendarLast, kCalendarFriday),
                "2024-01-01", 17 * 60);
    pattern->SetEndAfterOccurrences(3);
    const CCalendarOccurrenceExpander expander(*pattern, 1);
    EXPECT_TRUE(expander.IsOccurrenceStart(At("2024-01-26T17:00")));
    EXPECT_TRUE(expander.IsOccurrenceStart(At("2024-03-29T17:00")));
    EXPECT_FALSE(expander.IsOccurrenceStart(At("2024-04-26T17:00"))); // fourth: beyond the count
    EXPECT_FALSE(expander.IsOccurrenceStart(At("2024-01-26T17:01")));
    EXPECT_FALSE(expander.IsOccurrenceStart(At("2024-01-19T17:00")));
    EXPECT_FALSE(expander.IsOccurrenceStart(CCalendarDateTime(2024, 1, 26, 17, 0, 30)));
    EXPECT_FALSE(expander.IsOccurrenceStart(CCalendarDateTime()));
}

TEST(OccurrenceExpander, ExceptionsReplaceTheirOccurrenceOnce) {
    const CCalendarRecurrencePatternPtr pattern =
        Pattern(CCalendarRecurrenceOptions::Daily(1), "2024-05-01");
    pattern->SetEndAfterOccurrences(3);
    pattern->AddException(
        Exception("2024-05-02T09:00", false, "2024-05-02T15:00", "2024-05-02T16:00"));
    // A second exception for the same occurrence does not count.
    pattern->AddException(
        Exception("2024-05-02T09:00", false, "2024-05-02T18:00", "2024-05-02T19:00"));
    // A moved exception without a start shows nothing in its place.
    pattern->AddException(Exception("2024-05-03T09:00", false));
    const std::vector<CCalendarOccurrence> occurrences =
        CCalendarOccurrenceExpander(*pattern, 1).Expand(At("2024-05-01"), At("2024-05-31"));
    ASSERT_EQ(occurrences.size(), 2u);
    EXPECT_EQ(occurrences[0].m_start.ToIsoString(), "2024-05-01T09:00");
    EXPECT_FALSE(occurrences[0].m_exception);
    EXPECT_EQ(occurrences[1].m_start.ToIsoString(), "2024-05-02T15:00");
    EXPECT_EQ(occurrences[1].m_originalStart.ToIsoString(), "2024-05-02T09:00");
    EXPECT_EQ(occurrences[1].m_originalEnd.ToIsoString(), "2024-05-02T10:00");
    EXPECT_EQ(occurrences[1].m_exception, pattern->GetExceptions()[0]);
    EXPECT_EQ(CCalendarOccurrenceExpander(*pattern, 1).GetEffectiveExceptions().size(), 2u);
}

TEST(OccurrenceExpander, NegativeDurationsGiveOccurrencesWithoutLength) {
    const CCalendarRecurrencePatternPtr pattern =
        Pattern(CCalendarRecurrenceOptions::Daily(1), "2024-05-01", 9 * 60, -90);
    const std::vector<CCalendarOccurrence> occurrences =
        CCalendarOccurrenceExpander(*pattern, 1).Expand(At("2024-05-01"), At("2024-05-01"));
    ASSERT_EQ(occurrences.size(), 1u);
    EXPECT_EQ(occurrences[0].m_end, occurrences[0].m_start);
}
