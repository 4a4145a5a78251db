// Where a dragged event lands: snapping to the scale, other days, the all-day row, and
// resizing that never turns an event inside out.
#include "calendar/CalendarDrag.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

using tevtest::At;

namespace {

CCalendarEventPtr Event(const char* start, const char* end, bool allDay = false) {
    auto event = std::make_shared<CCalendarEvent>();
    event->SetStartTime(At(start));
    event->SetEndTime(At(end));
    event->SetAllDayEvent(allDay);
    return event;
}

CCalendarDragCell Row(const char* dayAndTime) {
    const CCalendarDateTime time = At(dayAndTime);
    return {time.GetDayNumber(), time.GetMinuteOfDay()};
}

CCalendarDragCell WholeDay(const char* day) {
    return {At(day).GetDayNumber(), -1};
}

TEST(CalendarDrag, EventsLandWhereTheyAreDropped) {
    struct Case {
        const char* what;
        CCalendarEventPtr event;
        CalendarDragMode mode;
        CCalendarDragCell grab;
        CCalendarDragCell drop;
        int scale;
        const char* start;
        const char* end;
        bool allDay;
    };
    const Case cases[] = {
        {"Monday 09:00 to Wednesday 14:00", Event("2026-12-07T09:00", "2026-12-07T10:00"),
         kCalendarDragMove, Row("2026-12-07T09:00"), Row("2026-12-09T14:00"), 30,
         "2026-12-09T14:00", "2026-12-09T15:00", false},
        {"grabbed in its second row", Event("2026-12-07T09:00", "2026-12-07T10:00"),
         kCalendarDragMove, Row("2026-12-07T09:30"), Row("2026-12-07T11:30"), 30,
         "2026-12-07T11:00", "2026-12-07T12:00", false},
        {"an odd start snaps to the scale", Event("2026-12-07T09:10", "2026-12-07T09:55"),
         kCalendarDragMove, Row("2026-12-07T09:00"), Row("2026-12-07T10:00"), 30,
         "2026-12-07T10:00", "2026-12-07T10:45", false},
        {"snaps at a finer scale", Event("2026-12-07T09:10", "2026-12-07T09:55"), kCalendarDragMove,
         Row("2026-12-07T09:00"), Row("2026-12-07T10:00"), 5, "2026-12-07T10:10",
         "2026-12-07T10:55", false},
        {"across midnight", Event("2026-12-07T23:00", "2026-12-08T00:00"), kCalendarDragMove,
         Row("2026-12-07T23:00"), Row("2026-12-07T23:30"), 30, "2026-12-07T23:30",
         "2026-12-08T00:30", false},
        {"week view: whole days, time kept", Event("2026-12-07T09:00", "2026-12-07T10:00"),
         kCalendarDragMove, WholeDay("2026-12-07"), WholeDay("2026-12-11"), 30, "2026-12-11T09:00",
         "2026-12-11T10:00", false},
        {"month view: back a week", Event("2026-12-10T00:00", "2026-12-12T00:00", true),
         kCalendarDragMove, WholeDay("2026-12-11"), WholeDay("2026-12-04"), 30, "2026-12-03T00:00",
         "2026-12-05T00:00", true},
        {"into the all-day row", Event("2026-12-07T09:00", "2026-12-07T10:00"), kCalendarDragMove,
         Row("2026-12-07T09:00"), WholeDay("2026-12-08"), 30, "2026-12-08T00:00",
         "2026-12-09T00:00", true},
        {"into the all-day row, over two days", Event("2026-12-07T22:00", "2026-12-08T02:00"),
         kCalendarDragMove, Row("2026-12-07T22:00"), WholeDay("2026-12-09"), 30, "2026-12-09T00:00",
         "2026-12-11T00:00", true},
        {"out of the all-day row", Event("2026-12-07T00:00", "2026-12-08T00:00", true),
         kCalendarDragMove, WholeDay("2026-12-07"), Row("2026-12-08T13:00"), 30, "2026-12-08T13:00",
         "2026-12-08T13:30", false},
        {"stretched by 30 minutes", Event("2026-12-09T14:00", "2026-12-09T15:00"),
         kCalendarDragResizeEnd, Row("2026-12-09T14:30"), Row("2026-12-09T15:00"), 30,
         "2026-12-09T14:00", "2026-12-09T15:30", false},
        {"top edge up an hour", Event("2026-12-09T14:00", "2026-12-09T15:00"),
         kCalendarDragResizeStart, Row("2026-12-09T14:00"), Row("2026-12-09T13:00"), 30,
         "2026-12-09T13:00", "2026-12-09T15:00", false},
        {"bottom edge above the start keeps one row", Event("2026-12-09T14:00", "2026-12-09T15:00"),
         kCalendarDragResizeEnd, Row("2026-12-09T14:30"), Row("2026-12-09T10:00"), 15,
         "2026-12-09T14:00", "2026-12-09T14:15", false},
        {"top edge below the end keeps one row", Event("2026-12-09T14:00", "2026-12-09T15:00"),
         kCalendarDragResizeStart, Row("2026-12-09T14:00"), Row("2026-12-09T18:00"), 30,
         "2026-12-09T14:30", "2026-12-09T15:00", false},
        {"bar end two days on", Event("2026-12-07T00:00", "2026-12-08T00:00", true),
         kCalendarDragResizeEnd, WholeDay("2026-12-07"), WholeDay("2026-12-09"), 30,
         "2026-12-07T00:00", "2026-12-10T00:00", true},
        {"bar end before its start keeps a day",
         Event("2026-12-07T00:00", "2026-12-09T00:00", true), kCalendarDragResizeEnd,
         WholeDay("2026-12-08"), WholeDay("2026-12-01"), 30, "2026-12-07T00:00", "2026-12-08T00:00",
         true},
        {"bar start a day earlier", Event("2026-12-07T00:00", "2026-12-09T00:00", true),
         kCalendarDragResizeStart, WholeDay("2026-12-07"), WholeDay("2026-12-06"), 30,
         "2026-12-06T00:00", "2026-12-09T00:00", true},
        {"bar start past its end keeps a day", Event("2026-12-07T00:00", "2026-12-09T00:00", true),
         kCalendarDragResizeStart, WholeDay("2026-12-07"), WholeDay("2026-12-20"), 30,
         "2026-12-08T00:00", "2026-12-09T00:00", true},
    };
    for (const Case& c : cases) {
        const CCalendarDragResult result =
            CCalendarDrag::Compute(*c.event, c.mode, c.grab, c.drop, c.scale);
        EXPECT_EQ(result.start, At(c.start)) << c.what;
        EXPECT_EQ(result.end, At(c.end)) << c.what;
        EXPECT_EQ(result.allDay, c.allDay) << c.what;
    }
}

TEST(CalendarDrag, AnEventWithoutValidTimesStaysAsItIs) {
    auto event = std::make_shared<CCalendarEvent>();
    event->SetStartTime(CCalendarDateTime::Invalid());
    event->SetEndTime(At("2026-12-07T10:00"));
    const CCalendarDragResult result = CCalendarDrag::Compute(
        *event, kCalendarDragResizeStart, WholeDay("2026-12-07"), WholeDay("2026-12-20"), 30);
    EXPECT_FALSE(result.start.IsValid());
    EXPECT_EQ(result.end, At("2026-12-07T10:00"));
}

} // namespace
