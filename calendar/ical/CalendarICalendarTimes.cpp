#include "calendar/ical/CalendarICalendarTimes.h"

#include "calendar/ical/CalendarICalendar.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

bool IsUtcName(const std::string& name) {
    return name.empty() || name == "UTC" || name == "Etc/UTC" || name == "GMT" ||
           name == "Etc/GMT" || name == "Z" || name == "UCT" || name == "Zulu";
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

const char* const kDayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// "MO,TU" for a mask, in week order from Sunday; with `position`, "2MO" (one day only).
std::string DaysText(int mask, int position = 0) {
    std::string text;
    for (int day = 0; day < 7; ++day) {
        if (!(mask & (1 << day)))
            continue;
        if (!text.empty())
            text += ',';
        if (position != 0)
            text += std::to_string(position);
        text += kDayNames[day];
    }
    return text;
}

int PositionOf(int which) {
    return which == kCalendarLast ? -1 : which;
}

bool IsSingleDay(int mask) {
    return mask != 0 && (mask & (mask - 1)) == 0;
}

// "BYDAY=2MO" for one day, "BYDAY=MO,TU;BYSETPOS=2" for several.
std::string NthDayText(int which, int mask) {
    mask &= kCalendarAllDays;
    if (IsSingleDay(mask))
        return "BYDAY=" + DaysText(mask, PositionOf(which));
    return "BYDAY=" + DaysText(mask) + ";BYSETPOS=" + std::to_string(PositionOf(which));
}

// A day beyond the 28th falls on the month's last day when the month is shorter.
std::string MonthDayText(int day) {
    if (day <= 28)
        return "BYMONTHDAY=" + std::to_string(day);
    std::string text = "BYMONTHDAY=28";
    for (int d = 29; d <= day; ++d)
        text += "," + std::to_string(d);
    return text + ";BYSETPOS=-1";
}

template <size_t N> std::vector<short> Values(const short (&array)[N]) {
    std::vector<short> values;
    for (size_t i = 0; i < N && array[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        values.push_back(array[i]);
    return values;
}

// The mask of a BYDAY list without positions; -1 when a day has one.
int PlainDaysMask(const std::vector<short>& byDay) {
    int mask = 0;
    for (short day : byDay) {
        if (icalrecurrencetype_day_position(day) != 0)
            return -1;
        mask |= calendar_ical::MaskBitOf(icalrecurrencetype_day_day_of_week(day));
    }
    return mask;
}

// The day part of a rule: the store's (which, mask) for "Nth weekday", or nothing.
struct NthDay {
    int which = 0;
    int mask = 0;
};

std::optional<NthDay> NthDayOf(const std::vector<short>& byDay, const std::vector<short>& setPos) {
    NthDay nth;
    int position = 0;
    for (short day : byDay) {
        const int dayPosition = icalrecurrencetype_day_position(day);
        if (dayPosition != 0 && (byDay.size() != 1 || !setPos.empty()))
            return std::nullopt;
        position = dayPosition;
        nth.mask |= calendar_ical::MaskBitOf(icalrecurrencetype_day_day_of_week(day));
    }
    if (!setPos.empty()) {
        if (setPos.size() != 1 || position != 0)
            return std::nullopt;
        position = setPos[0];
    }
    if (position == -1)
        nth.which = kCalendarLast;
    else if (position >= 1 && position <= 4)
        nth.which = position;
    else
        return std::nullopt;
    return nth;
}

// The day of the month a rule without BYDAY names: D, "-1" (31), "28,...,D" with
// BYSETPOS=-1, or DTSTART's day when it names none; 0 when it is none of these.
int MonthDayOf(const std::vector<short>& byMonthDay, const std::vector<short>& setPos,
               int startDay) {
    if (byMonthDay.empty())
        return setPos.empty() ? startDay : 0;
    if (byMonthDay.size() == 1 && setPos.empty()) {
        const int day = byMonthDay[0];
        return day == -1 ? 31 : (day >= 1 && day <= 31 ? day : 0);
    }
    if (setPos.size() != 1 || setPos[0] != -1 || byMonthDay[0] != 28)
        return 0;
    for (size_t i = 1; i < byMonthDay.size(); ++i) {
        if (byMonthDay[i] != 28 + static_cast<int>(i))
            return 0;
    }
    return byMonthDay.back() >= 29 ? byMonthDay.back() : 0;
}

} // namespace

std::string CalendarLocalZoneName() {
    if (const char* tz = std::getenv("TZ"); tz && *tz)
        return *tz == ':' ? tz + 1 : tz;
    std::ifstream file("/etc/timezone");
    std::string name;
    if (std::getline(file, name) && !Trimmed(name).empty())
        return Trimmed(name);
    std::error_code error;
    const std::string target = std::filesystem::read_symlink("/etc/localtime", error).string();
    const size_t found = target.find("zoneinfo/");
    if (!error && found != std::string::npos)
        return target.substr(found + 9);
    return "UTC";
}

namespace calendar_ical {

LocalZone::LocalZone(const std::string& name) : m_name(name) {
    if (!IsUtcName(name))
        m_zone = icaltimezone_get_builtin_timezone(name.c_str());
    m_utc = m_zone == nullptr;
    if (m_utc) {
        m_zone = icaltimezone_get_utc_timezone();
        m_name = "UTC";
    }
}

icaltimetype LocalZone::ToIcal(const CCalendarDateTime& time, bool date) const {
    icaltimetype value = icaltime_null_time();
    value.year = time.GetYear();
    value.month = time.GetMonth();
    value.day = time.GetDay();
    value.is_date = date ? 1 : 0;
    if (!date) {
        value.hour = time.GetHour();
        value.minute = time.GetMinute();
        value.second = time.GetSecond();
        value.zone = m_zone;
    }
    return value;
}

icaltimetype LocalZone::ToUtc(const CCalendarDateTime& time) const {
    return icaltime_convert_to_zone(ToIcal(time, false), icaltimezone_get_utc_timezone());
}

CCalendarDateTime LocalZone::FromIcal(icaltimetype time) const {
    if (!time.is_date && time.zone)
        time = icaltime_convert_to_zone(time, m_zone);
    if (time.is_date)
        return CCalendarDateTime(time.year, time.month, time.day);
    return CCalendarDateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

std::string RuleTextOf(const CCalendarRecurrenceOptions& options, int firstDayOfWeek) {
    const std::string interval = ";INTERVAL=" + std::to_string(options.m_data1);
    switch (options.m_type) {
    case kCalendarRecurrenceDaily:
        if (options.IsEveryWorkDay())
            return "FREQ=DAILY;BYDAY=" + DaysText(kCalendarWorkDays);
        return "FREQ=DAILY;INTERVAL=" + std::to_string(options.m_data2);
    case kCalendarRecurrenceWeekly:
        return "FREQ=WEEKLY" + interval + ";BYDAY=" + DaysText(options.m_data2) +
               ";WKST=" + kDayNames[(firstDayOfWeek + 6) % 7];
    case kCalendarRecurrenceMonthly:
        return "FREQ=MONTHLY" + interval + ";" + MonthDayText(options.m_data2);
    case kCalendarRecurrenceMonthNth:
        return "FREQ=MONTHLY" + interval + ";" + NthDayText(options.m_data2, options.m_data3);
    case kCalendarRecurrenceYearly:
        return "FREQ=YEARLY;BYMONTH=" + std::to_string(options.m_data1) + ";" +
               MonthDayText(options.m_data2);
    case kCalendarRecurrenceYearNth:
        return "FREQ=YEARLY;BYMONTH=" + std::to_string(options.m_data3) + ";" +
               NthDayText(options.m_data1, options.m_data2);
    default:
        return std::string();
    }
}

std::optional<CCalendarRecurrenceOptions> OptionsOf(const icalrecurrencetype& rule,
                                                    const CCalendarDateTime& start) {
    if (Values(rule.by_year_day).size() || Values(rule.by_week_no).size() || rule.rscale)
        return std::nullopt;
    const std::vector<short> byDay = Values(rule.by_day);
    const std::vector<short> byMonthDay = Values(rule.by_month_day);
    const std::vector<short> byMonth = Values(rule.by_month);
    const std::vector<short> setPos = Values(rule.by_set_pos);
    const int interval = rule.interval < 1 ? 1 : rule.interval;
    const int startBit = CalendarDayOfWeekBit(start.GetDayOfWeek());
    const bool onlyDays = byMonthDay.empty() && byMonth.empty() && setPos.empty();

    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE: {
        if (!onlyDays)
            return std::nullopt;
        if (byDay.empty())
            return CCalendarRecurrenceOptions::Daily(interval);
        const int mask = PlainDaysMask(byDay);
        if (interval != 1 || mask <= 0)
            return std::nullopt;
        if (mask == kCalendarWorkDays)
            return CCalendarRecurrenceOptions::EveryWorkDay();
        return CCalendarRecurrenceOptions::Weekly(1, mask);
    }
    case ICAL_WEEKLY_RECURRENCE: {
        const int mask = PlainDaysMask(byDay);
        if (!onlyDays || mask < 0)
            return std::nullopt;
        return CCalendarRecurrenceOptions::Weekly(interval, mask ? mask : startBit);
    }
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE: {
        const bool yearly = rule.freq == ICAL_YEARLY_RECURRENCE;
        if (yearly ? (interval != 1 || byMonth.size() > 1) : !byMonth.empty())
            return std::nullopt;
        const int month = byMonth.empty() ? start.GetMonth() : byMonth[0];
        if (!byDay.empty()) {
            const std::optional<NthDay> nth =
                byMonthDay.empty() ? NthDayOf(byDay, setPos) : std::nullopt;
            if (!nth || nth->which == 0 || (yearly && byMonth.empty()))
                return std::nullopt;
            return yearly ? CCalendarRecurrenceOptions::YearNth(nth->which, nth->mask, month)
                          : CCalendarRecurrenceOptions::MonthNth(interval, nth->which, nth->mask);
        }
        const int day = MonthDayOf(byMonthDay, setPos, start.GetDay());
        if (day == 0 || month < 1 || month > 12)
            return std::nullopt;
        return yearly ? CCalendarRecurrenceOptions::Yearly(month, day)
                      : CCalendarRecurrenceOptions::Monthly(interval, day);
    }
    default:
        return std::nullopt;
    }
}

} // namespace calendar_ical
