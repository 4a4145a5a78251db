#pragma once
// The keyboard in the calendar, without a window: arrows move the selection (a row of the
// day views, a day of the week and month views, up and down a week in the month view or
// within its stacked weekend; with Shift they grow it), Page Up and Page Down show the
// previous or next range (a day, a week, a month) and take the selection along, Home goes
// to today. The shown day follows the selection.
#include "calendar/CalendarSelection.h"
#include "calendar/CalendarViewModel.h"

enum CalendarNavigationKey {
    kCalendarKeyUp,
    kCalendarKeyDown,
    kCalendarKeyLeft,
    kCalendarKeyRight,
    kCalendarKeyPageUp,
    kCalendarKeyPageDown,
    kCalendarKeyHome,
};

class CCalendarNavigation {
public:
    // Moves the selection and the shown day for `key`; `today` is the day Home goes to.
    static void Navigate(CCalendarViewModel& model, CCalendarSelection& selection,
                         CalendarNavigationKey key, bool extend, int64_t today);
    // The span the keyboard starts from when only events or nothing are selected: the
    // first event's row or day, else the work day's first row (a whole day in week and
    // month views) of the shown day.
    static CCalendarSelection::Span StartingSpan(const CCalendarViewModel& model,
                                                 const CCalendarSelection& selection);

private:
    static bool IsDayView(const CCalendarViewModel& model);
    static void Step(const CCalendarViewModel& model, CCalendarSelection& selection,
                     CalendarNavigationKey key, bool extend);
    static void Page(CCalendarViewModel& model, CCalendarSelection& selection, bool forward);
    // The days an up (-1) or down (+1) key moves from `day` in the month view.
    static int64_t WeekRowStep(const CCalendarViewModel& model, int64_t day, int sign);
};
