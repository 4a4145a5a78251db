#include "calendar/CalendarNavigation.h"

namespace {

CCalendarDateTime DayStart(int64_t day) {
    return CCalendarDateTime::FromDayNumber(day);
}

// The same day of the month `months` on, the last day when that month is shorter.
int64_t SameDayMonthsOn(int64_t day, int months) {
    const CCalendarDateTime date = DayStart(day);
    int year = 0, month = 0, dayOfMonth = 0;
    date.GetDateParts(year, month, dayOfMonth);
    int index = year * 12 + (month - 1) + months;
    year = index / 12;
    month = index % 12 + 1;
    dayOfMonth = std::min(dayOfMonth, CCalendarDateTime::DaysInMonth(year, month));
    return CCalendarDateTime(year, month, dayOfMonth, 0, 0).GetDayNumber();
}

} // namespace

bool CCalendarNavigation::IsDayView(const CCalendarViewModel& model) {
    return model.GetViewType() == kCalendarDayView || model.GetViewType() == kCalendarWorkWeekView;
}

CCalendarSelection::Span CCalendarNavigation::StartingSpan(const CCalendarViewModel& model,
                                                           const CCalendarSelection& selection) {
    if (selection.HasSpan())
        return selection.GetSpan();
    const int scale = model.GetScale();
    CCalendarSelection::Span span;
    if (const CCalendarEventPtr first = selection.GetFirstEvent()) {
        const CCalendarDateTime start = first->GetStartTime();
        span.allDay = !IsDayView(model) || first->IsAllDayEvent();
        span.begin = span.allDay
                         ? start.GetDate()
                         : start.GetDate().AddMinutes(start.GetMinuteOfDay() / scale * scale);
    } else {
        span.allDay = !IsDayView(model);
        span.begin = DayStart(model.GetSelectedDay());
        if (!span.allDay)
            span.begin = span.begin.AddMinutes(model.GetWorkDayStart() / scale * scale);
    }
    span.end = span.allDay ? span.begin.AddDays(1) : span.begin.AddMinutes(scale);
    return span;
}

void CCalendarNavigation::Navigate(CCalendarViewModel& model, CCalendarSelection& selection,
                                   CalendarNavigationKey key, bool extend, int64_t today) {
    switch (key) {
    case kCalendarKeyPageUp:
    case kCalendarKeyPageDown:
        Page(model, selection, key == kCalendarKeyPageDown);
        break;
    case kCalendarKeyHome: {
        model.SetSelectedDay(today);
        selection.Clear();
        const CCalendarSelection::Span span = StartingSpan(model, selection);
        selection.SelectSpan(span.begin, span.end, span.allDay);
        break;
    }
    default:
        Step(model, selection, key, extend);
        break;
    }
    if (selection.HasSpan()) {
        const CCalendarSelection::Span& span = selection.GetSpan();
        const bool towardsEnd = key == kCalendarKeyDown || key == kCalendarKeyRight;
        const CCalendarDateTime focus = towardsEnd ? span.end.AddMinutes(-1) : span.begin;
        model.SetSelectedDay(focus.GetDayNumber());
    }
}

void CCalendarNavigation::Step(const CCalendarViewModel& model, CCalendarSelection& selection,
                               CalendarNavigationKey key, bool extend) {
    const CCalendarSelection::Span span = StartingSpan(model, selection);
    const bool rows = IsDayView(model) && !span.allDay;
    const bool vertical = key == kCalendarKeyUp || key == kCalendarKeyDown;
    const int sign = key == kCalendarKeyUp || key == kCalendarKeyLeft ? -1 : 1;
    if (!selection.HasSpan()) {
        selection.SelectSpan(span.begin, span.end, span.allDay);
        return;
    }
    // The cell the key moves from: the first one going back, the last one going on.
    const CCalendarDateTime from =
        sign < 0 ? span.begin
                 : (span.allDay ? span.end.AddDays(-1) : span.end.AddMinutes(-model.GetScale()));
    // Rows move a row up or down, days a day sideways; the month view's rows are weeks.
    int64_t minutes = 0;
    int64_t days = 0;
    if (rows && vertical)
        minutes = sign * model.GetScale();
    else if (vertical && model.GetViewType() == kCalendarMonthView)
        days = WeekRowStep(model, from.GetDayNumber(), sign);
    else
        days = sign;
    if (extend) {
        const CCalendarDateTime edge = sign < 0 ? span.begin : span.end;
        const CCalendarDateTime moved = edge.AddDays(days).AddMinutes(minutes);
        selection.ExtendSpan(sign < 0 ? moved : span.begin, sign < 0 ? span.end : moved);
        return;
    }
    // Without Shift a grown span collapses to one cell at the end it moves from.
    const CCalendarDateTime begin = from.AddDays(days).AddMinutes(minutes);
    selection.SelectSpan(begin, span.allDay ? begin.AddDays(1) : begin.AddMinutes(model.GetScale()),
                         span.allDay);
}

int64_t CCalendarNavigation::WeekRowStep(const CCalendarViewModel& model, int64_t day, int sign) {
    // A stacked weekend is walked top to bottom: Saturday, Sunday under it, then the next
    // Saturday under that.
    constexpr int kSunday = 1;
    constexpr int kSaturday = 7;
    const int dayOfWeek = CCalendarViewModel::DayOfWeek(day);
    if (!model.IsWeekendCompressed() || (dayOfWeek != kSaturday && dayOfWeek != kSunday))
        return sign * 7;
    const bool towardsSunday = (sign > 0) == (dayOfWeek == kSaturday);
    return towardsSunday ? sign : sign * 6;
}

void CCalendarNavigation::Page(CCalendarViewModel& model, CCalendarSelection& selection,
                               bool forward) {
    const int64_t day = model.GetSelectedDay();
    int64_t target = day;
    switch (model.GetViewType()) {
    case kCalendarDayView:
        target = day + (forward ? 1 : -1);
        break;
    case kCalendarWorkWeekView:
    case kCalendarWeekView:
        target = day + (forward ? 7 : -7);
        break;
    case kCalendarMonthView:
        target = SameDayMonthsOn(day, forward ? 1 : -1);
        break;
    }
    const CCalendarSelection::Span span = StartingSpan(model, selection);
    const int64_t shift = target - day;
    selection.SelectSpan(span.begin.AddDays(shift), span.end.AddDays(shift), span.allDay);
    model.SetSelectedDay(target);
}
