#include "calendar/CalendarSelection.h"

#include <algorithm>

void CCalendarSelection::SelectSpan(const CCalendarDateTime& begin, const CCalendarDateTime& end,
                                    bool allDay) {
    if (!begin.IsValid() || !end.IsValid())
        return;
    m_span.begin = std::min(begin, end);
    m_span.end = std::max(begin, end);
    m_span.allDay = allDay;
    m_anchor = m_span;
    m_hasSpan = true;
    m_events.clear();
}

void CCalendarSelection::ExtendSpan(const CCalendarDateTime& begin, const CCalendarDateTime& end) {
    if (!m_hasSpan) {
        SelectSpan(begin, end, false);
        return;
    }
    if (!begin.IsValid() || !end.IsValid())
        return;
    m_span.begin = std::min({m_anchor.begin, begin, end});
    m_span.end = std::max({m_anchor.end, begin, end});
    if (m_span.allDay) {
        m_span.begin = m_span.begin.GetDate();
        if (m_span.end != m_span.end.GetDate())
            m_span.end = m_span.end.GetDate().AddDays(1);
    }
}

bool CCalendarSelection::SpanContains(const CCalendarDateTime& time) const {
    return m_hasSpan && time >= m_span.begin && time < m_span.end;
}

CCalendarEventPtr CCalendarSelection::GetFirstEvent() const {
    return m_events.empty() ? nullptr : m_events.front();
}

void CCalendarSelection::SelectEvent(const CCalendarEventPtr& event, bool add) {
    if (!event)
        return;
    if (!add)
        m_events.clear();
    m_hasSpan = false;
    if (!IsSelected(*event))
        m_events.push_back(event);
}

bool CCalendarSelection::IsSelected(const CCalendarEvent& event) const {
    return std::any_of(m_events.begin(), m_events.end(),
                       [&](const CCalendarEventPtr& picked) { return SameEvent(*picked, event); });
}

void CCalendarSelection::Clear() {
    m_hasSpan = false;
    m_events.clear();
}

void CCalendarSelection::Rebind(const std::vector<CCalendarEventPtr>& shown) {
    std::vector<CCalendarEventPtr> kept;
    for (const CCalendarEventPtr& picked : m_events) {
        const auto found =
            std::find_if(shown.begin(), shown.end(), [&](const CCalendarEventPtr& event) {
                return SameEvent(*picked, *event);
            });
        if (found != shown.end())
            kept.push_back(*found);
    }
    m_events = std::move(kept);
}

bool CCalendarSelection::SameEvent(const CCalendarEvent& a, const CCalendarEvent& b) {
    if (a.GetEventId() != b.GetEventId() || a.GetRecurrenceState() != b.GetRecurrenceState())
        return false;
    if (a.GetRecurrenceState() != kCalendarRecurrenceOccurrence)
        return true;
    return a.GetRecurrencePatternId() == b.GetRecurrencePatternId() &&
           a.GetRExceptionStartTimeOrig() == b.GetRExceptionStartTimeOrig();
}
