#include "calendar/store/CalendarOccurrenceExpander.h"

#include "calendar/store/CalendarRecurrencePattern.h"

#include <algorithm>
#include <set>

namespace {

const int64_t kMaxDay = CCalendarDateTime::DayNumberOf(CCalendarDateTime::kMaxYear, 12, 31);
constexpr int64_t kMaxMonthIndex = CCalendarDateTime::kMaxYear * 12LL + 11;

// 1 = Sunday ... 7 = Saturday of a day number (1 January 1970 was a Thursday).
int DayOfWeekOf(int64_t day) {
    const int64_t offset = (day + 4) % 7;
    return static_cast<int>(offset < 0 ? offset + 7 : offset) + 1;
}

int64_t MonthIndexOf(int64_t day) {
    int year = 0, month = 0, dayOfMonth = 0;
    CCalendarDateTime::FromDayNumber(day).GetDateParts(year, month, dayOfMonth);
    return year * 12LL + (month - 1);
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

CCalendarOccurrenceExpander::CCalendarOccurrenceExpander(const CCalendarRecurrencePattern& pattern,
                                                         int firstDayOfWeek)
    : m_pattern(pattern) {
    const CCalendarDateTime& start = pattern.GetPatternStartDate();
    if (!start.IsValid())
        return;
    m_startDay = start.GetDayNumber();
    m_startSeconds = pattern.GetStartTime() * 60;
    m_duration = std::max(0, pattern.GetDurationMinutes());
    SetUpRecord(InRange(firstDayOfWeek, 1, 7) ? firstDayOfWeek : 1);
    if (m_kind != Kind::None)
        SetUpRange();
}

void CCalendarOccurrenceExpander::SetUpRecord(int firstDayOfWeek) {
    const CCalendarRecurrenceOptions& options = m_pattern.GetRecurrenceOptions();
    const auto setUpWeekly = [&](int interval, int mask) {
        m_kind = Kind::Weekly;
        m_interval = interval;
        const int startDayOfWeek = DayOfWeekOf(m_startDay);
        m_origin = m_startDay - (startDayOfWeek - firstDayOfWeek + 7) % 7;
        for (int offset = 0; offset < 7; ++offset) {
            const int dayOfWeek = (firstDayOfWeek - 1 + offset) % 7 + 1;
            if (mask & CalendarDayOfWeekBit(dayOfWeek))
                m_offsets[m_offsetCount++] = offset;
        }
    };
    const auto setUpMonthly = [&](int64_t originMonth, int interval) {
        m_kind = Kind::Monthly;
        m_origin = originMonth;
        m_interval = interval;
    };
    const int64_t startMonth = MonthIndexOf(m_startDay);
    const int64_t startYear = startMonth / 12;

    switch (options.m_type) {
    case kCalendarRecurrenceDaily:
        if (options.IsEveryWorkDay()) {
            setUpWeekly(1, kCalendarWorkDays);
        } else if (options.m_data2 >= 1) {
            m_kind = Kind::Daily;
            m_interval = options.m_data2;
            m_origin = m_startDay;
        }
        break;
    case kCalendarRecurrenceWeekly:
        if (options.m_data1 >= 1 && (options.m_data2 & kCalendarAllDays) != 0)
            setUpWeekly(options.m_data1, options.m_data2 & kCalendarAllDays);
        break;
    case kCalendarRecurrenceMonthly:
        if (options.m_data1 >= 1 && InRange(options.m_data2, 1, 31)) {
            setUpMonthly(startMonth, options.m_data1);
            m_day = options.m_data2;
        }
        break;
    case kCalendarRecurrenceMonthNth:
        if (options.m_data1 >= 1 && InRange(options.m_data2, 1, 5) &&
            (options.m_data3 & kCalendarAllDays) != 0) {
            setUpMonthly(startMonth, options.m_data1);
            m_byWeekday = true;
            m_which = options.m_data2;
            m_mask = options.m_data3 & kCalendarAllDays;
        }
        break;
    case kCalendarRecurrenceYearly:
        if (InRange(options.m_data1, 1, 12) && InRange(options.m_data2, 1, 31)) {
            setUpMonthly(startYear * 12 + options.m_data1 - 1, 12);
            m_day = options.m_data2;
        }
        break;
    case kCalendarRecurrenceYearNth:
        if (InRange(options.m_data1, 1, 5) && (options.m_data2 & kCalendarAllDays) != 0 &&
            InRange(options.m_data3, 1, 12)) {
            setUpMonthly(startYear * 12 + options.m_data3 - 1, 12);
            m_byWeekday = true;
            m_which = options.m_data1;
            m_mask = options.m_data2 & kCalendarAllDays;
        }
        break;
    default:
        break;
    }
}

void CCalendarOccurrenceExpander::SetUpRange() {
    m_lastDay = kMaxDay;
    switch (m_pattern.GetUseEndMethod()) {
    case kCalendarPatternEndDate:
        if (m_pattern.GetPatternEndDate().IsValid())
            m_lastDay = m_pattern.GetPatternEndDate().GetDayNumber();
        break;
    case kCalendarPatternEndAfterOccurrences: {
        const int64_t count = m_pattern.GetEndAfterOccurrences();
        if (count < 1) {
            m_kind = Kind::None;
            return;
        }
        // Period 0 may be cut by the range start; every later period holds the same number.
        int64_t days[7];
        const int firstCount = PeriodDays(0, days);
        int64_t inFirst = 0;
        for (int i = 0; i < firstCount; ++i) {
            if (days[i] >= m_startDay && ++inFirst == count) {
                m_lastDay = days[i];
                break;
            }
        }
        if (count > inFirst) {
            const int64_t perPeriod = m_kind == Kind::Weekly ? m_offsetCount : 1;
            const int64_t rest = count - inFirst - 1;
            const int64_t period = 1 + rest / perPeriod;
            const int index = static_cast<int>(rest % perPeriod);
            m_lastDay = index < PeriodDays(period, days) ? days[index] : kMaxDay;
        }
        break;
    }
    default:
        break;
    }
    m_lastDay = std::min(m_lastDay, kMaxDay);
    if (m_lastDay < m_startDay)
        m_kind = Kind::None;
}

int64_t CCalendarOccurrenceExpander::PeriodFirstDay(int64_t p) const {
    switch (m_kind) {
    case Kind::Daily:
        return p > (kMaxDay - m_origin) / m_interval ? kBeyond : m_origin + p * m_interval;
    case Kind::Weekly:
        return p > (kMaxDay - m_origin) / (7 * m_interval) ? kBeyond
                                                           : m_origin + p * 7 * m_interval;
    case Kind::Monthly: {
        if (p > (kMaxMonthIndex - m_origin) / m_interval)
            return kBeyond;
        const int64_t month = m_origin + p * m_interval;
        return CCalendarDateTime::DayNumberOf(month / 12, static_cast<int>(month % 12) + 1, 1);
    }
    default:
        return kBeyond;
    }
}

int CCalendarOccurrenceExpander::PeriodDays(int64_t p, int64_t days[7]) const {
    const int64_t first = PeriodFirstDay(p);
    if (first == kBeyond)
        return 0;
    switch (m_kind) {
    case Kind::Daily:
        days[0] = first;
        return 1;
    case Kind::Weekly: {
        int count = 0;
        for (int i = 0; i < m_offsetCount && first + m_offsets[i] <= kMaxDay; ++i)
            days[count++] = first + m_offsets[i];
        return count;
    }
    case Kind::Monthly: {
        const int64_t month = m_origin + p * m_interval;
        const int year = static_cast<int>(month / 12);
        const int dayOfMonth = DayInMonth(year, static_cast<int>(month % 12) + 1);
        if (dayOfMonth == 0)
            return 0;
        days[0] = first + dayOfMonth - 1;
        return 1;
    }
    default:
        return 0;
    }
}

int CCalendarOccurrenceExpander::DayInMonth(int year, int month) const {
    const int length = CCalendarDateTime::DaysInMonth(year, month);
    if (!m_byWeekday)
        return std::min(m_day, length);
    const int firstDayOfWeek = DayOfWeekOf(CCalendarDateTime::DayNumberOf(year, month, 1));
    int matches = 0;
    int last =
        0; // "last" counts no matches: with several days in the mask the fifth is not the last
    for (int day = 1; day <= length; ++day) {
        const int dayOfWeek = (firstDayOfWeek - 1 + day - 1) % 7 + 1;
        if (!(m_mask & CalendarDayOfWeekBit(dayOfWeek)))
            continue;
        last = day;
        if (m_which != kCalendarLast && ++matches == m_which)
            return day;
    }
    return m_which == kCalendarLast ? last : 0;
}

int64_t CCalendarOccurrenceExpander::FirstPeriodFor(int64_t day) const {
    switch (m_kind) {
    case Kind::Daily:
        return (day - m_origin + m_interval - 1) / m_interval;
    case Kind::Weekly:
        return (day - m_origin) / (7 * m_interval);
    case Kind::Monthly: {
        const int64_t months = MonthIndexOf(day) - m_origin;
        return months < 0 ? 0 : months / m_interval;
    }
    default:
        return 0;
    }
}

template <typename Visit>
void CCalendarOccurrenceExpander::ForEachDay(int64_t fromDay, int64_t toDay, Visit visit) const {
    if (m_kind == Kind::None)
        return;
    fromDay = std::max(fromDay, m_startDay);
    toDay = std::min(toDay, m_lastDay);
    if (fromDay > toDay)
        return;
    int64_t days[7];
    for (int64_t p = FirstPeriodFor(fromDay); PeriodFirstDay(p) <= toDay; ++p) {
        const int count = PeriodDays(p, days);
        for (int i = 0; i < count && days[i] <= toDay; ++i) {
            if (days[i] >= fromDay && !visit(days[i]))
                return;
        }
    }
}

void CCalendarOccurrenceExpander::VisitOccurrenceDays(
    int64_t fromDay, int64_t toDay, const std::function<bool(int64_t)>& visit) const {
    ForEachDay(fromDay, toDay, visit);
}

CCalendarDateTime CCalendarOccurrenceExpander::GetLastOccurrenceDate() const {
    if (m_kind == Kind::None)
        return CCalendarDateTime();
    return CCalendarDateTime::FromDayNumber(m_lastDay);
}

std::vector<CCalendarDateTime>
CCalendarOccurrenceExpander::GetOccurrenceStarts(const CCalendarDateTime& fromDate,
                                                 const CCalendarDateTime& toDate) const {
    std::vector<CCalendarDateTime> starts;
    if (!fromDate.IsValid() || !toDate.IsValid())
        return starts;
    ForEachDay(fromDate.GetDayNumber(), toDate.GetDayNumber(), [&](int64_t day) {
        starts.push_back(CCalendarDateTime::FromDayNumber(day, m_startSeconds));
        return true;
    });
    return starts;
}

bool CCalendarOccurrenceExpander::IsOccurrenceStart(const CCalendarDateTime& start) const {
    if (!start.IsValid() || start.GetSecondOfDay() != m_startSeconds)
        return false;
    bool found = false;
    ForEachDay(start.GetDayNumber(), start.GetDayNumber(), [&](int64_t) {
        found = true;
        return false;
    });
    return found;
}

std::vector<CCalendarEventPtr> CCalendarOccurrenceExpander::GetEffectiveExceptions() const {
    std::vector<CCalendarEventPtr> effective;
    std::set<CCalendarDateTime> replaced;
    for (const CCalendarEventPtr& exception : m_pattern.GetExceptions()) {
        const CCalendarDateTime& original = exception->GetRExceptionStartTimeOrig();
        if (IsOccurrenceStart(original) && replaced.insert(original).second)
            effective.push_back(exception);
    }
    return effective;
}

std::vector<CCalendarOccurrence>
CCalendarOccurrenceExpander::Expand(const CCalendarDateTime& fromDate,
                                    const CCalendarDateTime& toDate) const {
    std::vector<CCalendarOccurrence> occurrences;
    if (!fromDate.IsValid() || !toDate.IsValid() || m_kind == Kind::None)
        return occurrences;
    const std::vector<CCalendarEventPtr> exceptions = GetEffectiveExceptions();
    std::set<CCalendarDateTime> replaced;
    for (const CCalendarEventPtr& exception : exceptions)
        replaced.insert(exception->GetRExceptionStartTimeOrig());

    for (const CCalendarDateTime& start : GetOccurrenceStarts(fromDate, toDate)) {
        if (replaced.count(start))
            continue;
        const CCalendarDateTime end = start.AddMinutes(m_duration);
        occurrences.push_back({start, end, start, end, nullptr});
    }
    const int64_t fromDay = fromDate.GetDayNumber();
    const int64_t toDay = toDate.GetDayNumber();
    for (const CCalendarEventPtr& exception : exceptions) {
        const CCalendarDateTime& start = exception->GetStartTime();
        if (exception->IsRExceptionDeleted() || !start.IsValid() ||
            start.GetDayNumber() < fromDay || start.GetDayNumber() > toDay)
            continue;
        const CCalendarDateTime& original = exception->GetRExceptionStartTimeOrig();
        occurrences.push_back(
            {start, exception->GetEndTime(), original, original.AddMinutes(m_duration), exception});
    }
    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const CCalendarOccurrence& a, const CCalendarOccurrence& b) {
                         if (a.m_start != b.m_start)
                             return a.m_start < b.m_start;
                         return a.m_originalStart < b.m_originalStart;
                     });
    return occurrences;
}
