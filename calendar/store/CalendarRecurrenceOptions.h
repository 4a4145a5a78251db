#pragma once
// The options record of a recurrence: its kind and three option words, stored in the data
// document as RecurrenceType and RecurrenceOpt_Data1..3 and edited by the recurrence dialog.
//
//   Type                          Data1                    Data2                Data3
//   1 daily                       1 every work day,        N, days between      -
//                                 0 every N days
//   2 weekly                      interval in weeks        day-of-week mask     -
//   3 monthly on a day number     interval in months       day of the month     -
//   4 monthly on the Nth weekday  interval in months       which (1-4, 5 last)  day-of-week mask
//   5 yearly on a date            month 1-12               day of the month     -
//   6 yearly on the Nth weekday   which (1-4, 5 last)      day-of-week mask     month 1-12
//
// Day-of-week mask bits: Sunday 1, Monday 2, Tuesday 4, Wednesday 8, Thursday 16, Friday 32,
// Saturday 64. The record is kept exactly as given; which dates it yields (and what an
// out-of-range word means) is the occurrence expander's business.

enum CalendarRecurrenceType {
    kCalendarRecurrenceDaily = 1,
    kCalendarRecurrenceWeekly = 2,
    kCalendarRecurrenceMonthly = 3,
    kCalendarRecurrenceMonthNth = 4,
    kCalendarRecurrenceYearly = 5,
    kCalendarRecurrenceYearNth = 6,
};

enum CalendarDayOfWeekMask {
    kCalendarSunday = 1,
    kCalendarMonday = 2,
    kCalendarTuesday = 4,
    kCalendarWednesday = 8,
    kCalendarThursday = 16,
    kCalendarFriday = 32,
    kCalendarSaturday = 64,
    kCalendarWorkDays = 62, // Monday to Friday
    kCalendarAllDays = 127,
};

// "which" values for the Nth-weekday kinds.
enum CalendarWeekOfMonth {
    kCalendarFirst = 1,
    kCalendarSecond = 2,
    kCalendarThird = 3,
    kCalendarFourth = 4,
    kCalendarLast = 5,
};

// The mask bit of a day of the week, 1 = Sunday ... 7 = Saturday; 0 outside 1-7.
inline int CalendarDayOfWeekBit(int dayOfWeek) {
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? 1 << (dayOfWeek - 1) : 0;
}

struct CCalendarRecurrenceOptions {
    int m_type = kCalendarRecurrenceDaily;
    int m_data1 = 0;
    int m_data2 = 1;
    int m_data3 = 0;

    CCalendarRecurrenceOptions() = default;
    CCalendarRecurrenceOptions(int type, int data1, int data2, int data3)
        : m_type(type), m_data1(data1), m_data2(data2), m_data3(data3) {}

    static CCalendarRecurrenceOptions Daily(int everyDays) {
        return {kCalendarRecurrenceDaily, 0, everyDays, 0};
    }
    static CCalendarRecurrenceOptions EveryWorkDay() { return {kCalendarRecurrenceDaily, 1, 1, 0}; }
    static CCalendarRecurrenceOptions Weekly(int everyWeeks, int dayMask) {
        return {kCalendarRecurrenceWeekly, everyWeeks, dayMask, 0};
    }
    static CCalendarRecurrenceOptions Monthly(int everyMonths, int dayOfMonth) {
        return {kCalendarRecurrenceMonthly, everyMonths, dayOfMonth, 0};
    }
    static CCalendarRecurrenceOptions MonthNth(int everyMonths, int which, int dayMask) {
        return {kCalendarRecurrenceMonthNth, everyMonths, which, dayMask};
    }
    static CCalendarRecurrenceOptions Yearly(int month, int dayOfMonth) {
        return {kCalendarRecurrenceYearly, month, dayOfMonth, 0};
    }
    static CCalendarRecurrenceOptions YearNth(int which, int dayMask, int month) {
        return {kCalendarRecurrenceYearNth, which, dayMask, month};
    }

    // A daily record repeats every work day when Data1 is not 0, whatever else it holds;
    // the expander and the recurrence dialog both read it so.
    bool IsEveryWorkDay() const { return m_type == kCalendarRecurrenceDaily && m_data1 != 0; }

    friend bool operator==(const CCalendarRecurrenceOptions& a,
                           const CCalendarRecurrenceOptions& b) {
        return a.m_type == b.m_type && a.m_data1 == b.m_data1 && a.m_data2 == b.m_data2 &&
               a.m_data3 == b.m_data3;
    }
    friend bool operator!=(const CCalendarRecurrenceOptions& a,
                           const CCalendarRecurrenceOptions& b) {
        return !(a == b);
    }
};
