#include "calendar/store/CalendarUndoHistory.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "calendar/store/EventIdList.h"

#include <algorithm>

CCalendarUndoHistory::CCalendarUndoHistory(CCalendarData& store, CEventIdList* order, size_t limit)
    : m_store(&store), m_order(order), m_limit(std::max<size_t>(1, limit)) {
    store.AddListener(this);
    Restart();
}

CCalendarUndoHistory::~CCalendarUndoHistory() {
    if (m_store)
        m_store->RemoveListener(this);
}

CCalendarUndoHistory::Batch::Batch(CCalendarUndoHistory& history) : m_history(history) {
    if (m_history.m_batchDepth++ == 0)
        m_history.Flush();
}

CCalendarUndoHistory::Batch::~Batch() {
    if (--m_history.m_batchDepth == 0)
        m_history.Flush();
}

void CCalendarUndoHistory::Restart() {
    m_undo.clear();
    m_redo.clear();
    m_pending.clear();
    m_shadow.clear();
    if (m_store) {
        for (const CCalendarEventPtr& event : m_store->GetAllEvents())
            m_shadow[event->GetEventId()] = event->CloneEvent();
    }
    m_shadowOrder = CurrentOrder();
}

void CCalendarUndoHistory::OnPatternAdded(const CCalendarRecurrencePattern& pattern) {
    TouchSeries(pattern);
}

void CCalendarUndoHistory::OnPatternDeleted(const CCalendarRecurrencePattern& pattern) {
    TouchSeries(pattern);
}

void CCalendarUndoHistory::OnPatternChanged(const CCalendarRecurrencePattern& pattern) {
    TouchSeries(pattern);
}

void CCalendarUndoHistory::OnAllEventsRemoved() {
    // What was undone before refers to events that are gone.
    m_undo.clear();
    m_redo.clear();
    m_pending.clear();
    m_shadow.clear();
    m_shadowOrder.clear();
}

void CCalendarUndoHistory::TouchSeries(const CCalendarRecurrencePattern& pattern) {
    // A deleted series was reported as its master's deletion already.
    if (!m_store)
        return;
    if (const CCalendarEventPtr master = m_store->GetMasterEvent(pattern.GetPatternId()))
        Touch(master->GetEventId());
}

void CCalendarUndoHistory::Touch(uint32_t eventId) {
    if (m_applying)
        return;
    const bool known = std::any_of(m_pending.begin(), m_pending.end(),
                                   [&](const Change& change) { return change.eventId == eventId; });
    if (known)
        return;
    const auto shadow = m_shadow.find(eventId);
    m_pending.push_back({eventId, shadow == m_shadow.end() ? nullptr : shadow->second, nullptr});
}

void CCalendarUndoHistory::Flush() {
    if (m_pending.empty())
        return;
    Step step;
    for (Change& change : m_pending) {
        change.after = Snapshot(change.eventId);
        if (change.after)
            m_shadow[change.eventId] = change.after;
        else
            m_shadow.erase(change.eventId);
        if (change.before || change.after)
            step.changes.push_back(std::move(change));
    }
    m_pending.clear();
    step.orderBefore = std::move(m_shadowOrder);
    step.orderAfter = CurrentOrder();
    m_shadowOrder = step.orderAfter;
    if (step.changes.empty())
        return;
    m_redo.clear();
    m_undo.push_back(std::move(step));
    while (m_undo.size() > m_limit)
        m_undo.pop_front();
}

bool CCalendarUndoHistory::Undo() {
    return Replay(m_undo, m_redo, true);
}

bool CCalendarUndoHistory::Redo() {
    return Replay(m_redo, m_undo, false);
}

bool CCalendarUndoHistory::Replay(std::deque<Step>& from, std::deque<Step>& to, bool undo) {
    Flush();
    if (from.empty())
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    Apply(step, undo);
    to.push_back(std::move(step));
    return true;
}

void CCalendarUndoHistory::Apply(const Step& step, bool undo) {
    if (!m_store)
        return;
    m_applying = true;
    // Everything the step touched goes first, so that no identifier is taken when the
    // copies come back.
    for (const Change& change : step.changes) {
        if (const CCalendarEventPtr current = m_store->GetEvent(change.eventId))
            m_store->DeleteEvent(current);
        m_shadow.erase(change.eventId);
    }
    for (const Change& change : step.changes) {
        const CCalendarEventPtr& target = undo ? change.before : change.after;
        if (!target)
            continue;
        // The history's copy stays untouched for the next time.
        m_store->AddEvent(target->CloneEvent());
        m_shadow[change.eventId] = target;
    }
    m_shadowOrder = undo ? step.orderBefore : step.orderAfter;
    if (m_order)
        m_order->Assign(m_shadowOrder);
    m_applying = false;
}

std::vector<uint32_t> CCalendarUndoHistory::CurrentOrder() const {
    return m_order ? m_order->GetIds() : std::vector<uint32_t>();
}

CCalendarEventPtr CCalendarUndoHistory::Snapshot(uint32_t eventId) const {
    const CCalendarEventPtr event = m_store ? m_store->GetEvent(eventId) : nullptr;
    return event ? event->CloneEvent() : nullptr;
}
