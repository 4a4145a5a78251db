#pragma once
// Where an event lands when it is dragged, without a window. A drag starts on a cell of
// the calendar (the grab) and ends on another; cells are a time row of a day view (a day
// and the row's first minute) or a whole day (the all-day row of the day views, a day of
// the week and month views).
//
// - Moving between time rows shifts the event by the time between the two rows and snaps
//   its start to the scale; its length stays.
// - Moving between whole days shifts it by whole days; its times of day stay.
// - Moving from a time row into the all-day row makes it an all-day event on that day,
//   over as many days as it touched; from the all-day row into a time row makes a timed
//   event starting at that row, one row long when it was an all-day event.
// - Resizing moves the start or the end by the distance dragged, snapped to the scale in
//   the time rows and by whole days elsewhere; an event never gets shorter than one row
//   (one day when it is all-day) nor turns inside out.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"

#include <cstdint>

struct CCalendarDragCell {
    int64_t day = 0;
    int minute = -1; // the row's first minute; -1 for a whole day

    bool IsWholeDay() const { return minute < 0; }
    bool operator==(const CCalendarDragCell& other) const {
        return day == other.day && minute == other.minute;
    }
    bool operator!=(const CCalendarDragCell& other) const { return !(*this == other); }
};

enum CalendarDragMode { kCalendarDragMove, kCalendarDragResizeStart, kCalendarDragResizeEnd };

struct CCalendarDragResult {
    CCalendarDateTime start;
    CCalendarDateTime end;
    bool allDay = false;
};

class CCalendarDrag {
public:
    // The times `event` gets when dragged from `grab` to `drop` at `scale` minutes a row.
    static CCalendarDragResult Compute(const CCalendarEvent& event, CalendarDragMode mode,
                                       const CCalendarDragCell& grab, const CCalendarDragCell& drop,
                                       int scale);
    // The time of day rounded to the nearest multiple of the scale (midnight after the
    // last row is the next day's).
    static CCalendarDateTime Snap(const CCalendarDateTime& time, int scale);

private:
    static CCalendarDragResult Move(const CCalendarEvent& event, const CCalendarDragCell& grab,
                                    const CCalendarDragCell& drop, int scale);
    static CCalendarDragResult Resize(const CCalendarEvent& event, bool atStart,
                                      const CCalendarDragCell& grab, const CCalendarDragCell& drop,
                                      int scale);
};
