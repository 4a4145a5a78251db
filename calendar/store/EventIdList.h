#pragma once
// The ordered list of event identifiers the calendar view keeps beside the store. It says
// which events the data document holds and in which order: an event the store reports as
// added is appended, one reported as deleted is removed (its first entry), and the list
// is emptied when the store removes all events. Changes do not move an entry.
//
// While attached the list follows the store's reports; it detaches itself when destroyed,
// and lets go of a store that is destroyed first.
#include "calendar/store/CalendarDataListener.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CCalendarData;

class CEventIdList : public ICalendarDataListener {
public:
    CEventIdList() = default;
    explicit CEventIdList(CCalendarData& store) { Attach(store); }
    ~CEventIdList() override { Detach(); }
    CEventIdList(const CEventIdList&) = delete;
    CEventIdList& operator=(const CEventIdList&) = delete;

    void Attach(CCalendarData& store);
    void Detach();
    bool IsAttachedTo(const CCalendarData& store) const { return m_store == &store; }

    const std::vector<uint32_t>& GetIds() const { return m_ids; }
    size_t GetCount() const { return m_ids.size(); }
    void Append(uint32_t eventId) { m_ids.push_back(eventId); }
    // Removes the first entry equal to `eventId`; false when there is none.
    bool RemoveFirst(uint32_t eventId);
    void RemoveAll() { m_ids.clear(); }
    // Puts back an order the list had before (undo and redo).
    void Assign(std::vector<uint32_t> ids) { m_ids = std::move(ids); }

    void OnEventAdded(const CCalendarEvent& event) override;
    void OnEventDeleted(const CCalendarEvent& event) override;
    void OnAllEventsRemoved() override { RemoveAll(); }
    void OnStoreDestroyed() override { m_store = nullptr; }

private:
    CCalendarData* m_store = nullptr;
    std::vector<uint32_t> m_ids;
};
