// The keyboard in the calendar: a sequence of keys per view and the selection and shown day
// after each.
#include "calendar/CalendarNavigation.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

using tevtest::At;

namespace {

struct Press {
    CalendarNavigationKey key;
    bool shift;
    const char* begin; // the span after the key
    const char* end;
    const char* shown; // the shown day after the key
};

void RunKeys(CalendarViewType view, const std::vector<Press>& presses,
             bool compressWeekend = false) {
    CCalendarViewModel model;
    model.SetViewType(view);
    model.SetMonthCompressWeekendDays(compressWeekend);
    model.SetScale(30);
    model.SetSelectedDay(At("2026-12-07").GetDayNumber()); // a Monday
    CCalendarSelection selection;
    const int64_t today = At("2026-12-16").GetDayNumber();
    int step = 0;
    for (const Press& press : presses) {
        ++step;
        CCalendarNavigation::Navigate(model, selection, press.key, press.shift, today);
        ASSERT_TRUE(selection.HasSpan()) << step;
        EXPECT_EQ(selection.GetSpan().begin, At(press.begin)) << "view " << view << " key " << step;
        EXPECT_EQ(selection.GetSpan().end, At(press.end)) << "view " << view << " key " << step;
        EXPECT_EQ(model.GetSelectedDay(), At(press.shown).GetDayNumber())
            << "view " << view << " key " << step;
    }
}

TEST(CalendarNavigation, DayViewsMoveRowsAndDays) {
    RunKeys(kCalendarDayView,
            {
                // The first key picks the work day's first row.
                {kCalendarKeyDown, false, "2026-12-07T08:00", "2026-12-07T08:30", "2026-12-07"},
                {kCalendarKeyDown, false, "2026-12-07T08:30", "2026-12-07T09:00", "2026-12-07"},
                {kCalendarKeyDown, true, "2026-12-07T08:30", "2026-12-07T09:30", "2026-12-07"},
                {kCalendarKeyDown, true, "2026-12-07T08:30", "2026-12-07T10:00", "2026-12-07"},
                // Without Shift the grown span becomes its last row, one further.
                {kCalendarKeyDown, false, "2026-12-07T10:00", "2026-12-07T10:30", "2026-12-07"},
                {kCalendarKeyUp, false, "2026-12-07T09:30", "2026-12-07T10:00", "2026-12-07"},
                {kCalendarKeyRight, false, "2026-12-08T09:30", "2026-12-08T10:00", "2026-12-08"},
                {kCalendarKeyLeft, false, "2026-12-07T09:30", "2026-12-07T10:00", "2026-12-07"},
                {kCalendarKeyPageDown, false, "2026-12-08T09:30", "2026-12-08T10:00", "2026-12-08"},
                {kCalendarKeyPageUp, false, "2026-12-07T09:30", "2026-12-07T10:00", "2026-12-07"},
                {kCalendarKeyHome, false, "2026-12-16T08:00", "2026-12-16T08:30", "2026-12-16"},
            });
}

TEST(CalendarNavigation, TheFirstRowGoesUpIntoTheDayBefore) {
    CCalendarViewModel model;
    model.SetSelectedDay(At("2026-12-07").GetDayNumber());
    CCalendarSelection selection;
    selection.SelectSpan(At("2026-12-07T00:00"), At("2026-12-07T00:30"), false);
    CCalendarNavigation::Navigate(model, selection, kCalendarKeyUp, false, 0);
    EXPECT_EQ(selection.GetSpan().begin, At("2026-12-06T23:30"));
    EXPECT_EQ(model.GetSelectedDay(), At("2026-12-06").GetDayNumber());
}

TEST(CalendarNavigation, MonthViewMovesDaysAndWeeksAndPagesByMonths) {
    RunKeys(kCalendarMonthView,
            {
                {kCalendarKeyRight, false, "2026-12-07", "2026-12-08", "2026-12-07"},
                {kCalendarKeyRight, false, "2026-12-08", "2026-12-09", "2026-12-08"},
                {kCalendarKeyDown, false, "2026-12-15", "2026-12-16", "2026-12-15"},
                {kCalendarKeyDown, true, "2026-12-15", "2026-12-23", "2026-12-22"},
                {kCalendarKeyUp, false, "2026-12-08", "2026-12-09", "2026-12-08"},
                {kCalendarKeyPageDown, false, "2027-01-08", "2027-01-09", "2027-01-08"},
                {kCalendarKeyPageUp, false, "2026-12-08", "2026-12-09", "2026-12-08"},
            });
}

TEST(CalendarNavigation, UpAndDownWalkAStackedWeekendTopToBottom) {
    RunKeys(kCalendarMonthView,
            {
                {kCalendarKeyRight, false, "2026-12-07", "2026-12-08", "2026-12-07"},
                // Weekdays keep moving by weeks.
                {kCalendarKeyDown, false, "2026-12-14", "2026-12-15", "2026-12-14"},
                {kCalendarKeyLeft, false, "2026-12-13", "2026-12-14", "2026-12-13"},
                // Sunday sits under Saturday, and the next Saturday under Sunday.
                {kCalendarKeyUp, false, "2026-12-12", "2026-12-13", "2026-12-12"},
                {kCalendarKeyUp, false, "2026-12-06", "2026-12-07", "2026-12-06"},
                {kCalendarKeyDown, false, "2026-12-12", "2026-12-13", "2026-12-12"},
                {kCalendarKeyDown, false, "2026-12-13", "2026-12-14", "2026-12-13"},
                {kCalendarKeyUp, true, "2026-12-12", "2026-12-14", "2026-12-12"},
                {kCalendarKeyDown, false, "2026-12-19", "2026-12-20", "2026-12-19"},
            },
            true);
}

TEST(CalendarNavigation, WeekViewsPageByWeeks) {
    RunKeys(kCalendarWeekView,
            {
                {kCalendarKeyLeft, false, "2026-12-07", "2026-12-08", "2026-12-07"},
                {kCalendarKeyLeft, false, "2026-12-06", "2026-12-07", "2026-12-06"},
                {kCalendarKeyPageDown, false, "2026-12-13", "2026-12-14", "2026-12-13"},
            });
    RunKeys(kCalendarWorkWeekView,
            {
                {kCalendarKeyPageUp, false, "2026-11-30T08:00", "2026-11-30T08:30", "2026-11-30"},
            });
}

TEST(CalendarNavigation, KeysStartFromAPickedEvent) {
    CCalendarViewModel model;
    model.SetSelectedDay(At("2026-12-07").GetDayNumber());
    CCalendarSelection selection;
    auto event = std::make_shared<CCalendarEvent>();
    event->SetStartTime(At("2026-12-09T14:10"));
    event->SetEndTime(At("2026-12-09T15:00"));
    selection.SelectEvent(event);
    CCalendarNavigation::Navigate(model, selection, kCalendarKeyDown, false, 0);
    EXPECT_EQ(selection.GetSpan().begin, At("2026-12-09T14:00"));
    EXPECT_TRUE(selection.GetEvents().empty());
    EXPECT_EQ(model.GetSelectedDay(), At("2026-12-09").GetDayNumber());
}

} // namespace
