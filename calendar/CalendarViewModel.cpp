#include "calendar/CalendarViewModel.h"

#include "calendar/store/CalendarDateTime.h"

#include <algorithm>

void CCalendarViewModel::SetFirstDayOfWeek(int dayOfWeek) {
    if (dayOfWeek >= 1 && dayOfWeek <= 7)
        m_firstDayOfWeek = dayOfWeek;
}

void CCalendarViewModel::SetWorkWeekMask(int mask) {
    mask &= 0x7F;
    if (mask != 0)
        m_workWeekMask = mask;
}

void CCalendarViewModel::SetWorkDay(int startMinutes, int endMinutes) {
    m_workDayStart = std::clamp(startMinutes, 0, 24 * 60);
    m_workDayEnd = std::clamp(endMinutes, m_workDayStart, 24 * 60);
}

void CCalendarViewModel::SetScale(int minutes) {
    if (minutes >= 1 && minutes <= 24 * 60)
        m_scale = minutes;
}

void CCalendarViewModel::SetMonthWeeksCount(int count) {
    m_monthWeeksCount = std::clamp(count, 2, 6);
}

bool CCalendarViewModel::IsWeekendCompressed() const {
    return m_viewType == kCalendarMonthView && m_monthCompressWeekend;
}

int CCalendarViewModel::GetMonthFirstDayOfWeek() const {
    constexpr int kSunday = 1;
    constexpr int kMonday = 2;
    return m_monthCompressWeekend && m_firstDayOfWeek == kSunday ? kMonday : m_firstDayOfWeek;
}

int CCalendarViewModel::DayOfWeek(int64_t day) {
    // 1 January 1970 was a Thursday.
    return static_cast<int>(((day + 4) % 7 + 7) % 7) + 1;
}

int64_t CCalendarViewModel::WeekStart(int64_t day, int firstDayOfWeek) {
    const int back = (DayOfWeek(day) - firstDayOfWeek + 7) % 7;
    return day - back;
}

int64_t CCalendarViewModel::MonthStart(int64_t day) {
    const CCalendarDateTime date = CCalendarDateTime::FromDayNumber(day);
    return day - (date.GetDay() - 1);
}

int CCalendarViewModel::MenuScaleFor(int scale) {
    for (int offered : kScales) {
        if (scale >= offered)
            return offered;
    }
    return 0;
}

bool CCalendarViewModel::IsWorkDay(int64_t day) const {
    return (m_workWeekMask & DayMask(day)) != 0;
}

bool CCalendarViewModel::IsWorkTime(int64_t day, int minuteOfDay) const {
    return IsWorkDay(day) && minuteOfDay >= m_workDayStart && minuteOfDay < m_workDayEnd;
}

std::vector<int64_t> CCalendarViewModel::GetVisibleDays() const {
    std::vector<int64_t> days;
    switch (m_viewType) {
    case kCalendarDayView:
        days.push_back(m_selectedDay);
        break;
    case kCalendarWorkWeekView: {
        const int64_t start = WeekStart(m_selectedDay, m_firstDayOfWeek);
        for (int64_t day = start; day < start + 7; ++day) {
            if (IsWorkDay(day))
                days.push_back(day);
        }
        if (days.empty())
            days.push_back(m_selectedDay);
        break;
    }
    case kCalendarWeekView: {
        const int64_t start = WeekStart(m_selectedDay, m_firstDayOfWeek);
        for (int64_t day = start; day < start + 7; ++day)
            days.push_back(day);
        break;
    }
    case kCalendarMonthView: {
        const int64_t count = static_cast<int64_t>(m_monthWeeksCount) * 7;
        const int firstDay = GetMonthFirstDayOfWeek();
        int64_t start = WeekStart(MonthStart(m_selectedDay), firstDay);
        if (m_selectedDay >= start + count)
            start = WeekStart(m_selectedDay, firstDay) - (m_monthWeeksCount - 1) * 7;
        for (int64_t day = start; day < start + count; ++day)
            days.push_back(day);
        break;
    }
    }
    return days;
}
