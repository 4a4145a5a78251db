#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarDurations.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

using tevtest::At;

TEST(CalendarDateTime, RefusesWhatIsNoCivilDateAndTime) {
    struct Case {
        int year, month, day, hour, minute;
        bool valid;
    };
    const Case cases[] = {
        {2024, 2, 29, 0, 0, true},    {2023, 2, 29, 0, 0, false},   {1900, 2, 29, 0, 0, false},
        {2000, 2, 29, 0, 0, true},    {2024, 2, 31, 0, 0, false},   {2024, 4, 31, 0, 0, false},
        {2024, 12, 31, 23, 59, true}, {2024, 0, 10, 0, 0, false},   {2024, 13, 10, 0, 0, false},
        {2024, 1, 0, 0, 0, false},    {2024, 1, 32, 0, 0, false},   {2024, 1, 1, 24, 0, false},
        {2024, 1, 1, 0, 60, false},   {2024, 1, 1, -1, 0, false},   {99, 1, 1, 0, 0, false},
        {100, 1, 1, 0, 0, true},      {9999, 12, 31, 23, 59, true}, {10000, 1, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        const CCalendarDateTime value(c.year, c.month, c.day, c.hour, c.minute);
        EXPECT_EQ(value.IsValid(), c.valid)
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute;
        EXPECT_EQ(value.IsInvalid(), !c.valid);
    }
    EXPECT_TRUE(CCalendarDateTime().IsNull());
    EXPECT_FALSE(CCalendarDateTime().IsValid());
}

TEST(CalendarDateTime, GivesBackItsFieldsAndDayOfWeek) {
    struct Case {
        const char* text;
        int dayOfWeek;
    };
    // Days of the week as printed calendars give them.
    const Case cases[] = {{"1970-01-01T00:00", 5}, {"2024-07-04T14:30", 5}, {"1900-01-01T00:00", 2},
                          {"2000-01-01T23:59", 7}, {"2024-02-29T12:00", 5}, {"1969-12-31T08:15", 4},
                          {"0100-03-01T00:00", 2}, {"9999-12-31T23:59", 6}};
    for (const Case& c : cases) {
        const CCalendarDateTime value = At(c.text);
        ASSERT_TRUE(value.IsValid()) << c.text;
        EXPECT_EQ(value.ToIsoString(), c.text);
        EXPECT_EQ(value.GetDayOfWeek(), c.dayOfWeek) << c.text;
    }
    const CCalendarDateTime value(2008, 7, 4, 14, 30, 15);
    EXPECT_EQ(value.GetYear(), 2008);
    EXPECT_EQ(value.GetMonth(), 7);
    EXPECT_EQ(value.GetDay(), 4);
    EXPECT_EQ(value.GetHour(), 14);
    EXPECT_EQ(value.GetMinute(), 30);
    EXPECT_EQ(value.GetSecond(), 15);
    EXPECT_EQ(value.GetMinuteOfDay(), 14 * 60 + 30);
    EXPECT_EQ(value.GetDate().ToIsoString(), "2008-07-04T00:00");
    EXPECT_EQ(value.ToIsoString(), "2008-07-04T14:30:15");
}

TEST(CalendarDateTime, ArithmeticCrossesMonthAndLeapDaysAndStopsAtTheRange) {
    EXPECT_EQ(At("2024-02-28T22:00").AddMinutes(180).ToIsoString(), "2024-02-29T01:00");
    EXPECT_EQ(At("2023-02-28T22:00").AddMinutes(180).ToIsoString(), "2023-03-01T01:00");
    EXPECT_EQ(At("2024-03-01T00:00").AddDays(-1).ToIsoString(), "2024-02-29T00:00");
    EXPECT_EQ(At("2024-12-31T12:00").AddDays(366).ToIsoString(), "2026-01-01T12:00");
    EXPECT_EQ(At("1970-01-01T00:00").AddSeconds(-1).ToIsoString(), "1969-12-31T23:59:59");
    EXPECT_TRUE(At("9999-12-31T23:59").AddMinutes(1).IsInvalid());
    EXPECT_TRUE(At("0100-01-01T00:00").AddMinutes(-1).IsInvalid());
    EXPECT_TRUE(At("2024-01-01T00:00").AddDays(INT64_MAX).IsInvalid());
    EXPECT_TRUE(At("2024-01-01T00:00").AddMinutes(INT64_MIN).IsInvalid());
    EXPECT_TRUE(CCalendarDateTime().AddDays(1).IsNull());
    EXPECT_EQ(CCalendarDateTime::MinutesBetween(At("2024-03-30T23:00"), At("2024-03-31T01:30")),
              150);
    EXPECT_EQ(CCalendarDateTime::MinutesBetween(At("2024-03-31T01:30"), At("2024-03-30T23:00")),
              -150);
    EXPECT_EQ(CCalendarDateTime::MinutesBetween(CCalendarDateTime(), At("2024-03-30T23:00")), 0);
    EXPECT_EQ(CCalendarDateTime::FromDayNumber(0).ToIsoString(), "1970-01-01T00:00");
    EXPECT_TRUE(CCalendarDateTime::FromDayNumber(INT64_MAX).IsInvalid());
}

TEST(CalendarDateTime, OrdersValidValuesBeforeNullAndInvalidOnes) {
    EXPECT_LT(At("2024-01-01T09:00"), At("2024-01-01T09:01"));
    EXPECT_LT(At("2024-01-01T09:00"), CCalendarDateTime());
    EXPECT_LT(CCalendarDateTime(), CCalendarDateTime::Invalid());
    EXPECT_EQ(CCalendarDateTime::Invalid(), CCalendarDateTime(2024, 2, 30));
    EXPECT_NE(CCalendarDateTime(), CCalendarDateTime::Invalid());
    EXPECT_EQ(At("2024-01-01T09:00"), CCalendarDateTime(2024, 1, 1, 9, 0));
}

TEST(CalendarDurations, FormatsTheDurationListOfTheRecurrenceDialog) {
    const std::pair<int, const char*> list[] = {
        {0, "0 minutes"},   {1, "1 minute"},    {5, "5 minutes"},   {10, "10 minutes"},
        {15, "15 minutes"}, {30, "30 minutes"}, {60, "1 hour"},     {120, "2 hours"},
        {180, "3 hours"},   {240, "4 hours"},   {300, "5 hours"},   {360, "6 hours"},
        {420, "7 hours"},   {480, "8 hours"},   {540, "9 hours"},   {600, "10 hours"},
        {660, "11 hours"},  {720, "0.5 days"},  {1080, "18 hours"}, {1440, "1 day"},
        {2880, "2 days"},   {4320, "3 days"},   {10080, "1 week"},  {20160, "2 weeks"},
    };
    for (const auto& [minutes, text] : list) {
        EXPECT_EQ(CalendarDurations::FormatDuration(minutes), text);
        EXPECT_EQ(CalendarDurations::ParseDuration(text), minutes) << text;
    }
    EXPECT_EQ(CalendarDurations::FormatDuration(90), "1.5 hours");
    EXPECT_EQ(CalendarDurations::FormatDuration(95), "95 minutes");
    EXPECT_EQ(CalendarDurations::FormatDuration(2160), "1.5 days");
    EXPECT_EQ(CalendarDurations::FormatDuration(-20), "0 minutes");
}

TEST(CalendarDurations, ParsesTypedDurationsAndRefusesOthers) {
    const std::pair<const char*, int> cases[] = {
        {"45", 45},
        {" 45 ", 45},
        {"2h", 120},
        {"2 HOURS", 120},
        {"1.5 hours", 90},
        {"1,5 hours", 90},
        {"0.5 days", 720},
        {"3 Weeks", 30240},
        {"1 wk", 10080},
        {"10 mins", 10},
        {"0.1 min", 0},
        {"0.75 h", 45},
        {"", -1},
        {"abc", -1},
        {"-5", -1},
        {"5 parsecs", -1},
        {"h", -1},
        {"1.5.2 h", -1},
        {"99999999999999999999", -1},
        {"200000 weeks", -1},
    };
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(CalendarDurations::ParseDuration(text), minutes) << "'" << text << "'";
}

TEST(CalendarDurations, ParsesTimesOfDayInTwentyFourAndTwelveHourForms) {
    const std::pair<const char*, int> cases[] = {
        {"9:30", 570},      {"09:30", 570},  {"21:30", 1290},   {"9:30 PM", 1290}, {"9:30pm", 1290},
        {" 9:30 am ", 570}, {"12:00 AM", 0}, {"12:15 PM", 735}, {"9 AM", 540},     {"9", 540},
        {"0:00", 0},        {"23:59", 1439}, {"24:00", -1},     {"9:60", -1},      {"13:00 PM", -1},
        {"0:30 AM", -1},    {"9:3", -1},     {"930", -1},       {"", -1},          {"noon", -1},
        {"9:30 XM", -1},    {":30", -1},
    };
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(CalendarDurations::ParseTime(text), minutes) << "'" << text << "'";
    EXPECT_EQ(CalendarDurations::FormatTime(570), "09:30");
    EXPECT_EQ(CalendarDurations::FormatTime(1440 + 61), "01:01");
    EXPECT_EQ(CalendarDurations::FormatTime(-30), "23:30");
    EXPECT_EQ(CalendarDurations::FormatTime12(1290), "9:30 PM");
    EXPECT_EQ(CalendarDurations::FormatTime12(0), "12:00 AM");
    EXPECT_EQ(CalendarDurations::FormatTime12(720), "12:00 PM");
    for (int minutes = 0; minutes < 1440; minutes += 7) {
        EXPECT_EQ(CalendarDurations::ParseTime(CalendarDurations::FormatTime(minutes)), minutes);
        EXPECT_EQ(CalendarDurations::ParseTime(CalendarDurations::FormatTime12(minutes)), minutes);
    }
}
