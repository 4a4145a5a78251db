#pragma once
// Undo and redo over the calendar store, without a window. The history follows the store's
// reports and keeps, for every step, the state before and after of each event the step
// touched (a plain event, or a master with its pattern and exceptions), as deep copies.
// Undoing puts the "before" copies back, redoing the "after" copies, with the same
// identifiers and time stamps, so a data document written after an undo is the one written
// before the change.
//
// One step is whatever the store reports while a Batch is alive (batches nest; the
// outermost one closes the step). Changes made outside any batch are gathered into one
// step that closes when the next batch opens or when undo or redo is asked for, so nothing
// a caller forgets to batch escapes the history. A step that changed nothing is dropped.
//
// With an event ID list, the list's order is put back too (it is the data document's
// order). The history holds at most `limit` steps; the oldest go first. When the store
// removes all its events at once (a load), the history starts over; call Restart after
// filling the store so that the load itself is not a step.
#include "calendar/store/CalendarDataListener.h"
#include "calendar/store/CalendarEvent.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

class CCalendarData;
class CEventIdList;

class CCalendarUndoHistory : private ICalendarDataListener {
public:
    static constexpr size_t kDefaultLimit = 100;

    explicit CCalendarUndoHistory(CCalendarData& store, CEventIdList* order = nullptr,
                                  size_t limit = kDefaultLimit);
    ~CCalendarUndoHistory() override;
    CCalendarUndoHistory(const CCalendarUndoHistory&) = delete;
    CCalendarUndoHistory& operator=(const CCalendarUndoHistory&) = delete;

    // Store changes made while one is alive are one step.
    class Batch {
    public:
        explicit Batch(CCalendarUndoHistory& history);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CCalendarUndoHistory& m_history;
    };

    bool CanUndo() const { return !m_undo.empty() || !m_pending.empty(); }
    bool CanRedo() const { return !m_redo.empty() && m_pending.empty(); }
    // False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();
    size_t GetUndoCount() const { return m_undo.size() + (m_pending.empty() ? 0 : 1); }
    size_t GetRedoCount() const { return CanRedo() ? m_redo.size() : 0; }

    // Forgets every step and takes the store as it is now as the starting point.
    void Restart();

private:
    struct Change {
        uint32_t eventId = 0;
        CCalendarEventPtr before; // null: the event did not exist
        CCalendarEventPtr after;
    };
    struct Step {
        std::vector<Change> changes;
        std::vector<uint32_t> orderBefore;
        std::vector<uint32_t> orderAfter;
    };

    void OnEventAdded(const CCalendarEvent& event) override { Touch(event.GetEventId()); }
    void OnEventDeleted(const CCalendarEvent& event) override { Touch(event.GetEventId()); }
    void OnEventChanged(const CCalendarEvent& event) override { Touch(event.GetEventId()); }
    void OnPatternAdded(const CCalendarRecurrencePattern& pattern) override;
    void OnPatternDeleted(const CCalendarRecurrencePattern& pattern) override;
    void OnPatternChanged(const CCalendarRecurrencePattern& pattern) override;
    void OnAllEventsRemoved() override;
    void OnStoreDestroyed() override { m_store = nullptr; }

    void TouchSeries(const CCalendarRecurrencePattern& pattern);
    void Touch(uint32_t eventId);
    // Closes the changes gathered so far into a step.
    void Flush();
    // Takes the last step of `from`, undoes or redoes it, and keeps it in `to`.
    bool Replay(std::deque<Step>& from, std::deque<Step>& to, bool undo);
    void Apply(const Step& step, bool undo);
    std::vector<uint32_t> CurrentOrder() const;
    CCalendarEventPtr Snapshot(uint32_t eventId) const;

    CCalendarData* m_store;
    CEventIdList* m_order;
    size_t m_limit;
    int m_batchDepth = 0;
    bool m_applying = false;
    // The events as the last closed step left them, and the order then.
    std::unordered_map<uint32_t, CCalendarEventPtr> m_shadow;
    std::vector<uint32_t> m_shadowOrder;
    // Events touched since then, in the order first touched, with their state before.
    std::vector<Change> m_pending;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
};
