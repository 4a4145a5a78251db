#pragma once
// What the "Appointment Recurrence" dialog does, without a window: the lists it offers, the
// values its controls show for a pattern, the start, end and duration lists kept in step,
// OK's checks, the options record built from the chosen kind, and the writing of the
// pattern. CCalendarEventRecurrenceEditorDlg only moves values between its controls and
// this class.
//
// OK checks every field before anything changes: the times, then the numbers of the chosen
// kind, then the range. Only then is the new pattern built, on a copy of the event's
// pattern; the caller asks whether the exceptions may go (when the pattern has some and the
// new one differs) and hands the copy to the event, so a refused or cancelled OK leaves
// the event as it was.
#include "calendar/CalendarEventEditorModel.h"
#include "calendar/store/CalendarRecurrenceOptions.h"
#include "calendar/store/CalendarRecurrencePattern.h"

#include <string>
#include <string_view>
#include <vector>

enum class CalendarRecurrenceKind { Daily, Weekly, Monthly, Yearly };

// The values of the dialog's controls; edits as their texts, lists as their entries' data.
struct CRecurrenceEditorFields {
    std::string startTime;
    std::string endTime;
    std::string duration;
    CalendarRecurrenceKind kind = CalendarRecurrenceKind::Weekly;
    bool dailyWorkDays = false; // "WorkDays" rather than "Every"
    std::string dailyInterval = "1";
    std::string weeklyInterval = "1";
    int weekDays = kCalendarMonday; // mask of the checked day boxes
    bool monthlyNth = false;        // "Th&e" rather than "D&ay"
    std::string monthlyDay = "1";
    std::string monthlyInterval = "1";
    int monthlyWhich = kCalendarFirst;
    int monthlyWeekday = kCalendarMonday;
    std::string monthlyNthInterval = "1";
    bool yearlyNth = false; // "The" rather than "E&very"
    int yearlyMonth = 1;
    std::string yearlyDay;
    int yearlyWhich = kCalendarFirst;
    int yearlyWeekday = kCalendarMonday;
    int yearlyNthMonth = 1;
    CCalendarDateTime rangeStart;
    CalendarPatternEnd endMethod = kCalendarPatternNoEndDate;
    std::string occurrences = "10";
    CCalendarDateTime rangeEnd;
};

// The start, end and duration lists, kept in step: a new start moves the end, a new end
// changes the duration (an end before the start is taken as the next day's), a new duration
// moves the end. Times are minutes since midnight.
class CRecurrenceTimes {
public:
    CRecurrenceTimes(int startMinutes, int durationMinutes);

    int GetStart() const { return m_start; }
    int GetEnd() const { return m_end; }
    int GetDuration() const { return m_duration; }
    std::string StartText() const;
    std::string EndText() const;
    std::string DurationText() const;

    // Each takes the text of its list; false (and nothing changes) when it does not read.
    bool StartChanged(std::string_view text);
    bool EndChanged(std::string_view text);
    bool DurationChanged(std::string_view text);

private:
    int m_start;
    int m_end;
    int m_duration;
};

class CCalendarRecurrenceEditorModel {
public:
    struct Entry {
        std::string text;
        int value;
    };
    // "0 minutes" ... "2 weeks" with their minutes.
    static std::vector<Entry> DurationEntries();
    // 0:00 to 23:30 every half hour, with their minutes.
    static std::vector<Entry> TimeEntries();
    // Monday to Sunday with their day-of-week mask bits.
    static std::vector<Entry> WeekdayEntries();
    // "First" ... "Last" with 1 to 5.
    static std::vector<Entry> WhichEntries();
    // January to December with 1 to 12.
    static std::vector<Entry> MonthEntries();

    // `allDay`: the event is all-day, so its occurrences run from midnight for whole days.
    CCalendarRecurrenceEditorModel(CCalendarEventPtr event, bool allDay);

    const CCalendarEventPtr& GetEvent() const { return m_event; }
    bool IsAllDay() const { return m_allDay; }
    void SetAllDay(bool allDay) { m_allDay = allDay; }
    // Today by the clock of the event's store (the machine's without a store).
    CCalendarDateTime GetToday() const;

    // The controls' values for the event's pattern; `today` gives the defaults of the
    // yearly day, the month lists and the end date.
    CRecurrenceEditorFields LoadFields(const CCalendarDateTime& today) const;
    // The times the three lists start with.
    CRecurrenceTimes LoadTimes() const;

    // OK's checks, in order: the times, the chosen kind's numbers, the range.
    static CEditorRefusal Check(const CRecurrenceEditorFields& fields);
    // The options record of the chosen kind (after Check passed).
    static CCalendarRecurrenceOptions BuildOptions(const CRecurrenceEditorFields& fields);
    // The pattern the fields describe, built on a copy of the event's (after Check passed).
    CCalendarRecurrencePatternPtr BuildPattern(const CRecurrenceEditorFields& fields) const;
    // Whether taking `pattern` loses exceptions, so the user must agree first.
    bool LosesExceptions(const CCalendarRecurrencePattern& pattern) const;
    // The event takes `pattern` (its exceptions dropped when it differs from the old one).
    void Apply(const CCalendarRecurrencePatternPtr& pattern);
    // "Remove recurrence".
    void RemoveRecurrence();

    // The pattern in words, as the event dialog shows a series: "Occurs every 2 weeks on
    // Tuesday and Thursday from 10:00 to 10:30, starting December 1, 2026, 6 times."
    static std::string Describe(const CCalendarRecurrencePattern& pattern, bool allDay);

    // Whether two patterns yield the same occurrences (times, record and range).
    static bool SameOccurrences(const CCalendarRecurrencePattern& a,
                                const CCalendarRecurrencePattern& b);

private:
    CCalendarEventPtr m_event;
    bool m_allDay;
};
