#include "calendar/store/CalendarDateTime.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

struct CivilDate {
    int64_t year;
    int month;
    int day;
};

// Days to civil date on the proleptic Gregorian calendar, in 400-year eras.
CivilDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The first and last second of the valid range.
const int64_t kFirstSecond =
    CCalendarDateTime::DayNumberOf(CCalendarDateTime::kMinYear, 1, 1) * kSecondsPerDay;
const int64_t kLastSecond =
    (CCalendarDateTime::DayNumberOf(CCalendarDateTime::kMaxYear, 12, 31) + 1) * kSecondsPerDay - 1;

// Longer steps than this always leave the valid range; refusing them first keeps the
// multiplications below from overflowing.
constexpr int64_t kSpanDays = 10000LL * 366;

} // namespace

int64_t CCalendarDateTime::DayNumberOf(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yoe = year - era * 400;
    const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool CCalendarDateTime::IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CCalendarDateTime::DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

CCalendarDateTime::CCalendarDateTime(int year, int month, int day, int hour, int minute,
                                     int second) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        m_status = Status::Invalid;
        return;
    }
    m_status = Status::Valid;
    m_seconds = DayNumberOf(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

CCalendarDateTime CCalendarDateTime::Invalid() {
    CCalendarDateTime value;
    value.m_status = Status::Invalid;
    return value;
}

CCalendarDateTime CCalendarDateTime::FromSeconds(int64_t seconds) {
    if (seconds < kFirstSecond || seconds > kLastSecond)
        return Invalid();
    CCalendarDateTime value;
    value.m_status = Status::Valid;
    value.m_seconds = seconds;
    return value;
}

CCalendarDateTime CCalendarDateTime::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return Invalid();
    return CCalendarDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
}

CCalendarDateTime CCalendarDateTime::FromDayNumber(int64_t day, int64_t secondOfDay) {
    // Far-off day numbers are refused before they can overflow the multiplication.
    const int64_t limit = kLastSecond / kSecondsPerDay + 2;
    if (day < -limit || day > limit || secondOfDay < -kSecondsPerDay * 2 ||
        secondOfDay > kSecondsPerDay * 2)
        return Invalid();
    return FromSeconds(day * kSecondsPerDay + secondOfDay);
}

int CCalendarDateTime::GetYear() const {
    return IsValid() ? static_cast<int>(CivilFromDays(GetDayNumber()).year) : 0;
}

int CCalendarDateTime::GetMonth() const {
    return IsValid() ? CivilFromDays(GetDayNumber()).month : 0;
}

int CCalendarDateTime::GetDay() const {
    return IsValid() ? CivilFromDays(GetDayNumber()).day : 0;
}

bool CCalendarDateTime::GetDateParts(int& year, int& month, int& day) const {
    if (!IsValid()) {
        year = month = day = 0;
        return false;
    }
    const CivilDate date = CivilFromDays(GetDayNumber());
    year = static_cast<int>(date.year);
    month = date.month;
    day = date.day;
    return true;
}

int CCalendarDateTime::GetHour() const {
    return GetSecondOfDay() / 3600;
}
int CCalendarDateTime::GetMinute() const {
    return GetSecondOfDay() / 60 % 60;
}
int CCalendarDateTime::GetSecond() const {
    return GetSecondOfDay() % 60;
}

int CCalendarDateTime::GetDayOfWeek() const {
    if (!IsValid())
        return 0;
    // 1 January 1970 was a Thursday (5 in 1 = Sunday numbering).
    const int64_t offset = (GetDayNumber() + 4) % 7;
    return static_cast<int>(offset < 0 ? offset + 7 : offset) + 1;
}

int64_t CCalendarDateTime::GetDayNumber() const {
    return IsValid() ? FloorDiv(m_seconds, kSecondsPerDay) : 0;
}

int CCalendarDateTime::GetSecondOfDay() const {
    return IsValid() ? static_cast<int>(m_seconds - GetDayNumber() * kSecondsPerDay) : 0;
}

int CCalendarDateTime::GetMinuteOfDay() const {
    return GetSecondOfDay() / 60;
}

CCalendarDateTime CCalendarDateTime::GetDate() const {
    return IsValid() ? FromSeconds(GetDayNumber() * kSecondsPerDay) : *this;
}

CCalendarDateTime CCalendarDateTime::AddDays(int64_t days) const {
    if (days > kSpanDays || days < -kSpanDays)
        return IsValid() ? Invalid() : *this;
    return AddSeconds(days * kSecondsPerDay);
}

CCalendarDateTime CCalendarDateTime::AddMinutes(int64_t minutes) const {
    if (minutes > kSpanDays * 1440 || minutes < -kSpanDays * 1440)
        return IsValid() ? Invalid() : *this;
    return AddSeconds(minutes * 60);
}

CCalendarDateTime CCalendarDateTime::AddSeconds(int64_t seconds) const {
    if (!IsValid())
        return *this;
    // Any step longer than the whole valid range leaves it.
    const int64_t span = kLastSecond - kFirstSecond + 1;
    if (seconds > span || seconds < -span)
        return Invalid();
    return FromSeconds(m_seconds + seconds);
}

int64_t CCalendarDateTime::MinutesBetween(const CCalendarDateTime& from,
                                          const CCalendarDateTime& to) {
    if (!from.IsValid() || !to.IsValid())
        return 0;
    return (to.m_seconds - from.m_seconds) / 60;
}

std::string CCalendarDateTime::ToIsoString() const {
    if (IsNull())
        return std::string();
    if (IsInvalid())
        return "invalid";
    const CivilDate date = CivilFromDays(GetDayNumber());
    char text[40];
    if (GetSecond() != 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d",
                      static_cast<int>(date.year), date.month, date.day, GetHour(), GetMinute(),
                      GetSecond());
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", static_cast<int>(date.year),
                      date.month, date.day, GetHour(), GetMinute());
    return text;
}
