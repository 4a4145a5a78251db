#pragma once
// Works out the occurrences of a recurrence pattern.
//
// Rules (the ones desktop calendars follow):
// - Every occurrence starts at the pattern's start time of day and lasts its duration (a
//   negative duration counts as 0). The range starts on the pattern's start date; the first
//   occurrence is the first date on or after it that the rule below yields.
// - Daily, every N days (Data1 0): the range start and every Nth day after it.
//   Every work day (Data1 non-zero): every Monday to Friday.
// - Weekly, every N weeks on the days of a mask: weeks begin on the store's first day of the
//   week (1 = Sunday ... 7 = Saturday). Week 0 is the week that holds the range start; the
//   pattern repeats in weeks 0, N, 2N, ... on the mask's days, skipping days of week 0 before
//   the range start.
// - Monthly on day D every N months: months are counted from the month that holds the range
//   start (months 0, N, 2N, ...); D beyond a month's length falls on its last day (day 31
//   gives 30 April and 28 or 29 February).
// - Monthly on the Nth weekday every N months: the same months; in each, the first, second,
//   third or fourth day whose weekday is in the mask, or for "last" (5) the last such day.
//   A mask of several days counts all of them ("the second weekday" with the mask of
//   Monday to Friday is the month's second working day).
// - Yearly on a date: every year on month and day, the day clamped as above (29 February
//   falls on 28 February in common years). Yearly on the Nth weekday: every year in the
//   given month, the day chosen as for the monthly kind.
// - The range ends on an end date (occurrences starting on that day still count), after a
//   number of occurrences, or never (no occurrence after 31 December 9999). The count is
//   of the pattern's occurrences: a deleted or moved exception still counts as the
//   occurrence it replaces.
// - An exception replaces the occurrence whose start equals its original start: a deleted
//   exception removes it, any other exception is shown at its own start and end. An
//   exception whose original start is no occurrence of the pattern replaces nothing and is
//   not shown; when several exceptions name the same occurrence, the first one counts.
// - A record that cannot yield dates yields none: an interval below 1, an empty day mask, a
//   day of the month outside 1-31, a month outside 1-12, a "which" outside 1-5, an unknown
//   type, a count below 1, a range that ends before it starts, or a range start that is not
//   a valid date.
//
// The work is arithmetic on periods (days, weeks, months): finding the occurrences of a
// window costs in proportion to the periods inside the window, never to the distance from
// the range start, and the end of a counted range is computed, not walked to.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"

#include <cstdint>
#include <functional>
#include <vector>

class CCalendarRecurrencePattern;

// One occurrence as a calendar shows it.
struct CCalendarOccurrence {
    CCalendarDateTime m_start;
    CCalendarDateTime m_end;
    // Start and end of the occurrence in the pattern (equal to the above unless moved).
    CCalendarDateTime m_originalStart;
    CCalendarDateTime m_originalEnd;
    // The exception shown in place of the occurrence, null for a plain occurrence.
    CCalendarEventPtr m_exception;
};

class CCalendarOccurrenceExpander {
public:
    // The pattern must outlive the expander; `firstDayOfWeek` outside 1-7 counts as Sunday.
    CCalendarOccurrenceExpander(const CCalendarRecurrencePattern& pattern, int firstDayOfWeek);

    // False when the record or the range yields no occurrence at all.
    bool HasOccurrences() const { return m_kind != Kind::None; }
    // The last day on which an occurrence may start: the end date, or the day of the last
    // counted occurrence; 31 December 9999 for a range without end; null without occurrences.
    CCalendarDateTime GetLastOccurrenceDate() const;

    // Starts of the pattern's own occurrences (exceptions not applied) whose dates lie from
    // the date of `fromDate` to the date of `toDate`, both included, in order.
    std::vector<CCalendarDateTime> GetOccurrenceStarts(const CCalendarDateTime& fromDate,
                                                       const CCalendarDateTime& toDate) const;
    // Calls `visit` with the day number of every occurrence day from `fromDay` to `toDay`,
    // both included, in order, until it returns false.
    void VisitOccurrenceDays(int64_t fromDay, int64_t toDay,
                             const std::function<bool(int64_t)>& visit) const;
    // True when an occurrence of the pattern starts exactly at `start`.
    bool IsOccurrenceStart(const CCalendarDateTime& start) const;
    // The exceptions that replace an occurrence, in list order (the first for each one).
    std::vector<CCalendarEventPtr> GetEffectiveExceptions() const;

    // The occurrences, exceptions applied, whose shown start date lies from the date of
    // `fromDate` to the date of `toDate`, sorted by start (then by original start).
    std::vector<CCalendarOccurrence> Expand(const CCalendarDateTime& fromDate,
                                            const CCalendarDateTime& toDate) const;

private:
    enum class Kind { None, Daily, Weekly, Monthly };
    static constexpr int64_t kBeyond = INT64_MAX / 4;

    void SetUpRecord(int firstDayOfWeek);
    void SetUpRange();
    // First day of period p, kBeyond past 31 December 9999.
    int64_t PeriodFirstDay(int64_t p) const;
    // The days of period p in order; returns how many (0 to 7) were written.
    int PeriodDays(int64_t p, int64_t days[7]) const;
    // The day of the month the monthly rule picks, or 0.
    int DayInMonth(int year, int month) const;
    int64_t FirstPeriodFor(int64_t day) const;
    // Visits occurrence days in order while `visit` returns true.
    template <typename Visit> void ForEachDay(int64_t fromDay, int64_t toDay, Visit visit) const;

    const CCalendarRecurrencePattern& m_pattern;
    Kind m_kind = Kind::None;
    int64_t m_startDay = 0;
    int64_t m_lastDay = 0;
    int64_t m_interval = 1; // days, weeks or months between periods
    int64_t m_origin = 0;   // first day of period 0 (daily, weekly) or its month index
    int m_offsets[7] = {};  // weekly: days after the week's first day, ascending
    int m_offsetCount = 0;
    bool m_byWeekday = false; // monthly: Nth weekday rather than day number
    int m_day = 0;
    int m_which = 0;
    int m_mask = 0;
    int m_startSeconds = 0;
    int m_duration = 0;
};
