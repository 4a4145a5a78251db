#pragma once
// What the user has picked in the calendar, without a window: a span of time (rows of the
// day views, or whole days) and the events picked. A new event takes the span as its time;
// Enter, Delete and the event menu act on the events.
//
// Picking an event clears the span and picking a span clears the events, as a click does.
// The events are kept as the views show them: occurrences of a series are made afresh
// every time the calendar reads the store, so after each read the selection looks its
// events up again among those shown (by identifier, series and original start) and drops
// the ones that are gone.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"

#include <vector>

class CCalendarSelection {
public:
    struct Span {
        CCalendarDateTime begin; // included
        CCalendarDateTime end;   // excluded
        bool allDay = false;
    };

    bool HasSpan() const { return m_hasSpan; }
    const Span& GetSpan() const { return m_span; }
    // Selects [begin, end) (the two put in order) and clears the events; ignored unless
    // both are valid.
    void SelectSpan(const CCalendarDateTime& begin, const CCalendarDateTime& end, bool allDay);
    // Grows the span from where it was first picked to take in [begin, end), as a click
    // with Shift does; selects [begin, end) when there is no span. An all-day span stays
    // whole days.
    void ExtendSpan(const CCalendarDateTime& begin, const CCalendarDateTime& end);
    bool SpanContains(const CCalendarDateTime& time) const;

    const std::vector<CCalendarEventPtr>& GetEvents() const { return m_events; }
    // The first picked event; null when none is.
    CCalendarEventPtr GetFirstEvent() const;
    // Picks `event` alone (clearing the span), or adds it to the picked events.
    void SelectEvent(const CCalendarEventPtr& event, bool add = false);
    bool IsSelected(const CCalendarEvent& event) const;

    void Clear();
    // The events of the selection as now shown: each picked event is replaced by the shown
    // one that stands for it; those not shown any more are dropped.
    void Rebind(const std::vector<CCalendarEventPtr>& shown);

    // Whether two event objects stand for the same event of the calendar (the same plain
    // event, the same exception, or the same occurrence of the same series).
    static bool SameEvent(const CCalendarEvent& a, const CCalendarEvent& b);

private:
    bool m_hasSpan = false;
    Span m_span;
    Span m_anchor; // the span picked first; Shift-clicks grow from it
    std::vector<CCalendarEventPtr> m_events;
};
