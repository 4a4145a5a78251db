#pragma once
// What the calendar shows, without a window: the kind of view, the day it is anchored to,
// the days that are visible, and the settings the views are drawn with (first day of the
// week, work week, work day, day-view scale, weeks of the month view).
//
// Days are day numbers (days after 1 January 1970, as CCalendarDateTime::GetDayNumber);
// days of the week are 1 = Sunday ... 7 = Saturday; times of day are minutes after midnight.
#include <cstdint>
#include <vector>

enum CalendarViewType {
    kCalendarDayView = 0,
    kCalendarWorkWeekView = 1,
    kCalendarWeekView = 2,
    kCalendarMonthView = 3,
};

class CCalendarViewModel {
public:
    // The scales the day views offer, in minutes, coarsest first.
    static constexpr int kScales[] = {60, 30, 15, 10, 6, 5};
    // Day-of-week mask bits as the recurrence options use them: Sunday 1 ... Saturday 64.
    static constexpr int kMondayToFriday = 2 | 4 | 8 | 16 | 32;

    CalendarViewType GetViewType() const { return m_viewType; }
    void SetViewType(CalendarViewType type) { m_viewType = type; }

    int64_t GetSelectedDay() const { return m_selectedDay; }
    void SetSelectedDay(int64_t day) { m_selectedDay = day; }

    // 1 = Sunday ... 7 = Saturday; other values are ignored.
    int GetFirstDayOfWeek() const { return m_firstDayOfWeek; }
    void SetFirstDayOfWeek(int dayOfWeek);

    // An empty mask is ignored.
    int GetWorkWeekMask() const { return m_workWeekMask; }
    void SetWorkWeekMask(int mask);

    int GetWorkDayStart() const { return m_workDayStart; }
    int GetWorkDayEnd() const { return m_workDayEnd; }
    // Clamped to the day; an end before the start is moved to the start.
    void SetWorkDay(int startMinutes, int endMinutes);

    // Minutes per row of the day views; values outside 1..1440 are ignored.
    int GetScale() const { return m_scale; }
    void SetScale(int minutes);

    // 2 to 6; other values are clamped.
    int GetMonthWeeksCount() const { return m_monthWeeksCount; }
    void SetMonthWeeksCount(int count);

    // How the week and month views write the times of their events: the end time too, and
    // clock faces instead of digits.
    bool GetWeekShowEndTime() const { return m_weekShowEndTime; }
    void SetWeekShowEndTime(bool show) { m_weekShowEndTime = show; }
    bool GetWeekShowTimeAsClocks() const { return m_weekShowClocks; }
    void SetWeekShowTimeAsClocks(bool show) { m_weekShowClocks = show; }
    bool GetMonthShowEndTime() const { return m_monthShowEndTime; }
    void SetMonthShowEndTime(bool show) { m_monthShowEndTime = show; }
    bool GetMonthShowTimeAsClocks() const { return m_monthShowClocks; }
    void SetMonthShowTimeAsClocks(bool show) { m_monthShowClocks = show; }

    // Whether the month view stacks Saturday and Sunday in one column, each half a cell
    // high. They must follow each other in a row for that, and in a week that starts on
    // Sunday they sit at both ends: such a month view starts its rows on Monday instead,
    // as desktop calendars do, rather than leave the weekend apart.
    bool GetMonthCompressWeekendDays() const { return m_monthCompressWeekend; }
    void SetMonthCompressWeekendDays(bool compress) { m_monthCompressWeekend = compress; }
    // True in the month view while its weekend days are stacked.
    bool IsWeekendCompressed() const;
    // The day the month view's rows start with (1 = Sunday ... 7 = Saturday).
    int GetMonthFirstDayOfWeek() const;

    // The visible days, in order:
    // - day view: the selected day;
    // - work-week view: the work days of the week that holds the selected day (the
    //   selected day alone when the week has none);
    // - week view: the seven days of the week that holds the selected day;
    // - month view: weeks-count whole weeks, from the week that holds the first of the
    //   selected day's month, moved on so that the selected day stays visible; its weeks
    //   start on the month view's first day of the week.
    std::vector<int64_t> GetVisibleDays() const;

    bool IsWorkDay(int64_t day) const;
    // Work time: a work day, between the work day's start (included) and end (excluded).
    bool IsWorkTime(int64_t day, int minuteOfDay) const;

    // 1 = Sunday ... 7 = Saturday.
    static int DayOfWeek(int64_t day);
    // The mask bit of a day.
    static int DayMask(int64_t day) { return 1 << (DayOfWeek(day) - 1); }
    // The first day of the week that holds `day`.
    static int64_t WeekStart(int64_t day, int firstDayOfWeek);
    // The first day of the month of `day`.
    static int64_t MonthStart(int64_t day);
    // The scale the day view's menu shows checked for a scale: the largest offered scale
    // not above it; 0 below the smallest.
    static int MenuScaleFor(int scale);

private:
    CalendarViewType m_viewType = kCalendarDayView;
    int64_t m_selectedDay = 0;
    int m_firstDayOfWeek = 1;
    int m_workWeekMask = kMondayToFriday;
    int m_workDayStart = 8 * 60;
    int m_workDayEnd = 17 * 60;
    int m_scale = 30;
    int m_monthWeeksCount = 5;
    bool m_weekShowEndTime = true;
    bool m_weekShowClocks = false;
    bool m_monthShowEndTime = false;
    bool m_monthShowClocks = false;
    bool m_monthCompressWeekend = false;
};
