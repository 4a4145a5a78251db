#include "calendar/store/CalendarRecurrencePattern.h"

#include <algorithm>

CCalendarRecurrencePattern::CCalendarRecurrencePattern(uint32_t patternId)
    : m_patternId(patternId) {}

CCalendarRecurrencePatternPtr CCalendarRecurrencePattern::ClonePattern() const {
    auto copy = std::make_shared<CCalendarRecurrencePattern>(m_patternId);
    copy->m_masterEventId = m_masterEventId;
    copy->m_startMinutes = m_startMinutes;
    copy->m_durationMinutes = m_durationMinutes;
    copy->m_options = m_options;
    copy->m_startDate = m_startDate;
    copy->m_endMethod = m_endMethod;
    copy->m_endDate = m_endDate;
    copy->m_occurrences = m_occurrences;
    copy->m_exceptions.reserve(m_exceptions.size());
    for (const CCalendarEventPtr& exception : m_exceptions)
        copy->m_exceptions.push_back(exception->CloneEvent());
    return copy;
}

void CCalendarRecurrencePattern::SetPatternId(uint32_t patternId) {
    m_patternId = patternId;
    for (const CCalendarEventPtr& exception : m_exceptions)
        exception->m_patternId = patternId;
}

void CCalendarRecurrencePattern::SetStartTime(int minutesOfDay) {
    const int wrapped = minutesOfDay % 1440;
    m_startMinutes = wrapped < 0 ? wrapped + 1440 : wrapped;
}

void CCalendarRecurrencePattern::SetStartTime(const CCalendarDateTime& time) {
    if (time.IsValid())
        m_startMinutes = time.GetMinuteOfDay();
}

void CCalendarRecurrencePattern::SetPatternStartDate(const CCalendarDateTime& date) {
    m_startDate = date.GetDate();
}

void CCalendarRecurrencePattern::SetPatternEndDate(const CCalendarDateTime& date) {
    if (!date.IsValid())
        return;
    m_endDate = date.GetDate();
    m_endMethod = kCalendarPatternEndDate;
}

void CCalendarRecurrencePattern::SetEndAfterOccurrences(int count) {
    m_occurrences = count;
    m_endMethod = kCalendarPatternEndAfterOccurrences;
}

void CCalendarRecurrencePattern::AddException(const CCalendarEventPtr& exception) {
    if (!exception)
        return;
    exception->SetSeriesMember(kCalendarRecurrenceException, m_patternId);
    m_exceptions.push_back(exception);
}

CCalendarEventPtr
CCalendarRecurrencePattern::FindException(const CCalendarDateTime& originalStart) const {
    for (const CCalendarEventPtr& exception : m_exceptions) {
        if (exception->GetRExceptionStartTimeOrig() == originalStart)
            return exception;
    }
    return nullptr;
}

bool CCalendarRecurrencePattern::RemoveException(const CCalendarEventPtr& exception) {
    const auto found = std::find(m_exceptions.begin(), m_exceptions.end(), exception);
    if (found == m_exceptions.end())
        return false;
    m_exceptions.erase(found);
    return true;
}
