#include "calendar/store/EventIdList.h"

#include "calendar/store/CalendarData.h"

#include <algorithm>

void CEventIdList::Attach(CCalendarData& store) {
    Detach();
    m_store = &store;
    store.AddListener(this);
}

void CEventIdList::Detach() {
    if (m_store)
        m_store->RemoveListener(this);
    m_store = nullptr;
}

bool CEventIdList::RemoveFirst(uint32_t eventId) {
    const auto found = std::find(m_ids.begin(), m_ids.end(), eventId);
    if (found == m_ids.end())
        return false;
    m_ids.erase(found);
    return true;
}

void CEventIdList::OnEventAdded(const CCalendarEvent& event) {
    Append(event.GetEventId());
}

void CEventIdList::OnEventDeleted(const CCalendarEvent& event) {
    RemoveFirst(event.GetEventId());
}
