#pragma once
// A local wall-clock date and time for the calendar store.
//
// There are no time zones: every value is a civil date and time of day as the user sees it,
// counted in seconds on the proleptic Gregorian calendar. Besides a valid value a date-time
// can be null (never set; the data document writes it as an empty string) or invalid (a
// conversion that was refused; written as "Invalid DateTime"). Valid values lie between
// 1 January 100 00:00:00 and 31 December 9999 23:59:59; a construction or an arithmetic
// step that leaves that range gives an invalid value.
#include <cstdint>
#include <string>

class CCalendarDateTime {
public:
    enum class Status { Valid, Null, Invalid };

    static constexpr int kMinYear = 100;
    static constexpr int kMaxYear = 9999;

    // A null value.
    CCalendarDateTime() = default;
    // Invalid unless every field is in range: month 1-12, day 1 to the month's length,
    // hour 0-23, minute 0-59, second 0-59, year kMinYear-kMaxYear.
    CCalendarDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    static CCalendarDateTime Null() { return CCalendarDateTime(); }
    static CCalendarDateTime Invalid();
    // The local time of this machine, to the second.
    static CCalendarDateTime Now();
    // Midnight (plus secondOfDay) of the day that is `day` days after 1 January 1970.
    static CCalendarDateTime FromDayNumber(int64_t day, int64_t secondOfDay = 0);

    static bool IsLeapYear(int year);
    // 0 when the month is outside 1-12.
    static int DaysInMonth(int year, int month);
    // Days after 1 January 1970 of a civil date (no range check: any month 1-12 and day).
    static int64_t DayNumberOf(int64_t year, int month, int day);

    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }
    bool IsNull() const { return m_status == Status::Null; }
    bool IsInvalid() const { return m_status == Status::Invalid; }

    // The fields of a valid value; 0 for null and invalid ones.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // Year, month and day in one conversion; false (and zeros) when not valid.
    bool GetDateParts(int& year, int& month, int& day) const;
    // 1 = Sunday ... 7 = Saturday; 0 when not valid.
    int GetDayOfWeek() const;
    // Days after 1 January 1970 (negative before it).
    int64_t GetDayNumber() const;
    int GetMinuteOfDay() const;
    int GetSecondOfDay() const;

    // The same day at midnight.
    CCalendarDateTime GetDate() const;
    // Null and invalid values stay as they are.
    CCalendarDateTime AddDays(int64_t days) const;
    CCalendarDateTime AddMinutes(int64_t minutes) const;
    CCalendarDateTime AddSeconds(int64_t seconds) const;
    // Whole minutes from `from` to `to` (rounded towards zero); 0 unless both are valid.
    static int64_t MinutesBetween(const CCalendarDateTime& from, const CCalendarDateTime& to);

    // "YYYY-MM-DDTHH:MM" (seconds added when not zero), "" for null, "invalid" for invalid.
    std::string ToIsoString() const;

    // Valid values order by time; null and invalid values sort after every valid one.
    friend bool operator==(const CCalendarDateTime& a, const CCalendarDateTime& b) {
        return a.m_status == b.m_status &&
               (a.m_status != Status::Valid || a.m_seconds == b.m_seconds);
    }
    friend bool operator!=(const CCalendarDateTime& a, const CCalendarDateTime& b) {
        return !(a == b);
    }
    friend bool operator<(const CCalendarDateTime& a, const CCalendarDateTime& b) {
        if (a.m_status != b.m_status)
            return static_cast<int>(a.m_status) < static_cast<int>(b.m_status);
        return a.m_status == Status::Valid && a.m_seconds < b.m_seconds;
    }
    friend bool operator>(const CCalendarDateTime& a, const CCalendarDateTime& b) { return b < a; }
    friend bool operator<=(const CCalendarDateTime& a, const CCalendarDateTime& b) {
        return !(b < a);
    }
    friend bool operator>=(const CCalendarDateTime& a, const CCalendarDateTime& b) {
        return !(a < b);
    }

private:
    static CCalendarDateTime FromSeconds(int64_t seconds);

    Status m_status = Status::Null;
    int64_t m_seconds = 0; // after 1 January 1970 00:00:00, valid values only
};
