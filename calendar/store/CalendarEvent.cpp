#include "calendar/store/CalendarEvent.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarRecurrencePattern.h"

CCalendarEvent::CCalendarEvent(CCalendarData* data, uint32_t eventId)
    : m_data(data), m_eventId(eventId) {}

CCalendarEventPtr CCalendarEvent::CloneEvent() const {
    auto copy = std::make_shared<CCalendarEvent>(m_data, m_eventId);
    copy->CopyFrom(*this);
    return copy;
}

void CCalendarEvent::CopyFrom(const CCalendarEvent& other) {
    if (&other == this)
        return;
    CopyProperties(other);
    m_recurrenceState = other.m_recurrenceState;
    m_pattern = other.m_pattern ? other.m_pattern->ClonePattern() : nullptr;
    m_patternId = other.m_patternId;
    m_deleted = other.m_deleted;
    m_originalStart = other.m_originalStart;
    m_originalEnd = other.m_originalEnd;
}

void CCalendarEvent::CopyProperties(const CCalendarEvent& other) {
    m_eventId = other.m_eventId;
    m_start = other.m_start;
    m_end = other.m_end;
    m_subject = other.m_subject;
    m_location = other.m_location;
    m_body = other.m_body;
    m_creationTime = other.m_creationTime;
    m_lastModificationTime = other.m_lastModificationTime;
    m_meeting = other.m_meeting;
    m_private = other.m_private;
    m_allDay = other.m_allDay;
    m_labelId = other.m_labelId;
    m_busyStatus = other.m_busyStatus;
    m_reminder = other.m_reminder;
    m_reminderMinutes = other.m_reminderMinutes;
    m_scheduleId = other.m_scheduleId;
    m_uid = other.m_uid;
}

void CCalendarEvent::SetEventId(uint32_t eventId) {
    m_eventId = eventId;
    if (m_pattern)
        m_pattern->SetMasterEventId(eventId);
}

int64_t CCalendarEvent::GetDurationMinutes() const {
    return CCalendarDateTime::MinutesBetween(m_start, m_end);
}

CCalendarRecurrencePatternPtr CCalendarEvent::MakeEventAsRecurrence() {
    if (m_recurrenceState == kCalendarRecurrenceMaster)
        return m_pattern;
    if (m_recurrenceState != kCalendarNotRecurring)
        return nullptr;
    const uint32_t patternId = m_data ? m_data->ReservePatternId(m_eventId) : 0;
    auto pattern = std::make_shared<CCalendarRecurrencePattern>(patternId);
    if (m_start.IsValid()) {
        pattern->SetStartTime(m_start);
        pattern->SetPatternStartDate(m_start);
        const int64_t minutes = GetDurationMinutes();
        pattern->SetDurationMinutes(minutes < 0           ? 0
                                    : minutes > INT32_MAX ? INT32_MAX
                                                          : static_cast<int>(minutes));
    }
    pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
    pattern->SetNoEndDate();
    pattern->SetMasterEventId(m_eventId);
    m_pattern = pattern;
    m_recurrenceState = kCalendarRecurrenceMaster;
    return pattern;
}

bool CCalendarEvent::UpdateRecurrence(const CCalendarRecurrencePatternPtr& pattern) {
    if (!pattern || (m_recurrenceState != kCalendarNotRecurring &&
                     m_recurrenceState != kCalendarRecurrenceMaster))
        return false;
    m_pattern = pattern;
    m_recurrenceState = kCalendarRecurrenceMaster;
    pattern->SetMasterEventId(m_eventId);
    const CCalendarDateTime& startDate = pattern->GetPatternStartDate();
    if (startDate.IsValid()) {
        m_start = startDate.AddMinutes(pattern->GetStartTime());
        const int duration = pattern->GetDurationMinutes();
        m_end = m_start.AddMinutes(duration < 0 ? 0 : duration);
    }
    return true;
}

void CCalendarEvent::RemoveRecurrence() {
    if (m_recurrenceState != kCalendarRecurrenceMaster)
        return;
    m_pattern.reset();
    m_recurrenceState = kCalendarNotRecurring;
}

bool CCalendarEvent::MakeAsException() {
    if (m_recurrenceState == kCalendarRecurrenceException)
        return true;
    if (m_recurrenceState != kCalendarRecurrenceOccurrence)
        return false;
    m_recurrenceState = kCalendarRecurrenceException;
    return true;
}

void CCalendarEvent::SetSeriesMember(CalendarRecurrenceState state, uint32_t patternId) {
    m_recurrenceState = state;
    m_patternId = patternId;
    m_pattern.reset();
}
