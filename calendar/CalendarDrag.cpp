#include "calendar/CalendarDrag.h"

#include <algorithm>

namespace {

constexpr int kMinutesPerDay = 24 * 60;

CCalendarDateTime TimeOf(const CCalendarDragCell& cell) {
    return CCalendarDateTime::FromDayNumber(cell.day).AddMinutes(std::max(0, cell.minute));
}

// The days an event touches, at least one.
int64_t DaysTouched(const CCalendarEvent& event) {
    const int64_t first = event.GetStartTime().GetDayNumber();
    const CCalendarDateTime& end = event.GetEndTime();
    int64_t last = end.GetDayNumber();
    if (end.GetMinuteOfDay() == 0 && last > first)
        --last;
    return std::max<int64_t>(1, last - first + 1);
}

} // namespace

CCalendarDateTime CCalendarDrag::Snap(const CCalendarDateTime& time, int scale) {
    const int step = std::clamp(scale, 1, kMinutesPerDay);
    const int minute = time.GetMinuteOfDay();
    const int snapped = std::min((minute + step / 2) / step * step, kMinutesPerDay);
    return time.GetDate().AddMinutes(snapped);
}

CCalendarDragResult CCalendarDrag::Compute(const CCalendarEvent& event, CalendarDragMode mode,
                                           const CCalendarDragCell& grab,
                                           const CCalendarDragCell& drop, int scale) {
    scale = std::clamp(scale, 1, kMinutesPerDay);
    if (!event.GetStartTime().IsValid() || !event.GetEndTime().IsValid())
        return {event.GetStartTime(), event.GetEndTime(), event.IsAllDayEvent()};
    if (mode == kCalendarDragMove)
        return Move(event, grab, drop, scale);
    return Resize(event, mode == kCalendarDragResizeStart, grab, drop, scale);
}

CCalendarDragResult CCalendarDrag::Move(const CCalendarEvent& event, const CCalendarDragCell& grab,
                                        const CCalendarDragCell& drop, int scale) {
    CCalendarDragResult result{event.GetStartTime(), event.GetEndTime(), event.IsAllDayEvent()};
    const int64_t length = event.GetDurationMinutes();
    if (!grab.IsWholeDay() && !drop.IsWholeDay()) {
        const int64_t shift = CCalendarDateTime::MinutesBetween(TimeOf(grab), TimeOf(drop));
        result.start = Snap(event.GetStartTime().AddMinutes(shift), scale);
        result.end = result.start.AddMinutes(length);
    } else if (grab.IsWholeDay() && drop.IsWholeDay()) {
        result.start = event.GetStartTime().AddDays(drop.day - grab.day);
        result.end = event.GetEndTime().AddDays(drop.day - grab.day);
    } else if (drop.IsWholeDay()) {
        result.allDay = true;
        result.start = CCalendarDateTime::FromDayNumber(drop.day);
        result.end = result.start.AddDays(DaysTouched(event));
    } else {
        result.allDay = false;
        result.start = TimeOf(drop);
        result.end = result.start.AddMinutes(event.IsAllDayEvent() ? scale : length);
    }
    return result;
}

CCalendarDragResult CCalendarDrag::Resize(const CCalendarEvent& event, bool atStart,
                                          const CCalendarDragCell& grab,
                                          const CCalendarDragCell& drop, int scale) {
    CCalendarDragResult result{event.GetStartTime(), event.GetEndTime(), event.IsAllDayEvent()};
    const bool byDays = grab.IsWholeDay() || drop.IsWholeDay();
    if (byDays) {
        const int64_t days = drop.day - grab.day;
        if (atStart) {
            result.start = event.GetStartTime().AddDays(days);
            // Kept a day (or the time of day) before the end.
            while (result.start >= result.end)
                result.start = result.start.AddDays(-1);
        } else {
            result.end = event.GetEndTime().AddDays(days);
            while (result.end <= result.start)
                result.end = result.end.AddDays(1);
        }
        return result;
    }
    const int64_t shift = CCalendarDateTime::MinutesBetween(TimeOf(grab), TimeOf(drop));
    if (atStart) {
        result.start = std::min(Snap(event.GetStartTime().AddMinutes(shift), scale),
                                result.end.AddMinutes(-scale));
    } else {
        result.end = std::max(Snap(event.GetEndTime().AddMinutes(shift), scale),
                              result.start.AddMinutes(scale));
    }
    return result;
}
