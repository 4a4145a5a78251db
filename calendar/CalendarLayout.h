#pragma once
// Where events go in the calendar views, without a window: which events run along the
// top as bars across days (all-day and multi-day events) and in which lane, which
// events land in which day's time column, at which rows of the time scale, and how
// overlapping events share a day side by side.
//
// Days are day numbers (CCalendarDateTime::GetDayNumber); the columns of a layout are the
// indexes of the days it was given, which need not follow each other (a work week may
// skip days).
#include "calendar/store/CalendarEvent.h"

#include <cstdint>
#include <vector>

// An event drawn as a bar across the days it covers.
struct CCalendarSpanItem {
    CCalendarEventPtr event;
    int firstColumn = 0;
    int lastColumn = 0;
    int lane = 0;
    // The event starts before the first visible day / ends after the last one.
    bool continuesBefore = false;
    bool continuesAfter = false;
};

// An event drawn in a day's time column.
struct CCalendarTimedItem {
    CCalendarEventPtr event;
    int column = 0;
    // The part of the event on that day, in minutes after midnight (end up to 1440).
    int startMinute = 0;
    int endMinute = 0;
    // Side by side with the events it overlaps: slot `slot` of `slotCount` equal slots.
    int slot = 0;
    int slotCount = 1;
};

class CCalendarLayout {
public:
    static constexpr int kMinutesPerDay = 24 * 60;

    // All-day events and events of a day or more run along the top; the rest are timed.
    static bool IsSpanEvent(const CCalendarEvent& event);
    // Whether the event touches that day: it overlaps it, or has no length and starts in it.
    static bool CoversDay(const CCalendarEvent& event, int64_t day);

    // Rows of a day at that scale (the last row may be shorter).
    static int RowsPerDay(int scale);
    // The row that holds a minute of the day.
    static int RowOfMinute(int minuteOfDay, int scale) { return minuteOfDay / scale; }
    // The minutes after midnight at which a row starts.
    static int RowStart(int row, int scale) { return row * scale; }

    // The span events among `events` on the given days, each in the first lane that is
    // free over all its columns; longer bars and earlier starts get the upper lanes.
    static std::vector<CCalendarSpanItem> LayoutSpans(const std::vector<CCalendarEventPtr>& events,
                                                      const std::vector<int64_t>& days);
    // One more than the highest lane used (0 without bars), over all columns or over one.
    static int LaneCount(const std::vector<CCalendarSpanItem>& spans);
    static int LaneCount(const std::vector<CCalendarSpanItem>& spans, int column);

    // The timed events among `events` on each of the given days, with their slots. For
    // overlap an event lasts at least one row of `scale`, as it is drawn.
    static std::vector<CCalendarTimedItem> LayoutTimed(const std::vector<CCalendarEventPtr>& events,
                                                       const std::vector<int64_t>& days, int scale);

    // The timed events of one day in the order the month and week views list them: by
    // start, then by subject.
    static std::vector<CCalendarEventPtr> DayList(const std::vector<CCalendarEventPtr>& events,
                                                  int64_t day);
    // DayList for each of the given days, in one pass over `events`.
    static std::vector<std::vector<CCalendarEventPtr>>
    DayLists(const std::vector<CCalendarEventPtr>& events, const std::vector<int64_t>& days);

    // How many items a month or week cell with room for `lines` lines cannot show, given
    // the bars crossing the cell (which keep their lanes) and the timed events below them.
    static int HiddenCount(const std::vector<CCalendarSpanItem>& spans, int column, int timedCount,
                           int lines);
    // The lines a row of cells (a week of the month view, or one cell of the week view)
    // gives its bars and events when `lines` fit in a cell: all of them when everything
    // shows, else one less, the last line of each cell then telling what is hidden. Bars
    // keep one lane across the row, so the row decides for all its cells.
    static int UsableLines(const std::vector<CCalendarSpanItem>& spans,
                           const std::vector<int>& timedCounts, int lines);

private:
    // By start, then by subject; equal events keep their order.
    static void SortDayList(std::vector<CCalendarEventPtr>& list);
};
