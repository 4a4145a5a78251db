#pragma once
// The recurrence pattern of a series: when its occurrences start and how long they last,
// the options record saying which dates repeat, the range of recurrence, and the series'
// exceptions. Which dates a pattern yields is worked out by CCalendarOccurrenceExpander.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"
#include "calendar/store/CalendarRecurrenceOptions.h"

#include <cstdint>
#include <memory>
#include <vector>

// How the range of recurrence ends; the values are the data document's UseEndMethod.
enum CalendarPatternEnd {
    kCalendarPatternEndDate = 0,
    kCalendarPatternEndAfterOccurrences = 1,
    kCalendarPatternNoEndDate = 2,
};

class CCalendarRecurrencePattern {
public:
    explicit CCalendarRecurrencePattern(uint32_t patternId = 0);
    CCalendarRecurrencePattern(const CCalendarRecurrencePattern&) = delete;
    CCalendarRecurrencePattern& operator=(const CCalendarRecurrencePattern&) = delete;

    // A separate copy, exceptions copied too, identifiers kept.
    CCalendarRecurrencePatternPtr ClonePattern() const;

    uint32_t GetPatternId() const { return m_patternId; }
    // The exceptions follow the new identifier.
    void SetPatternId(uint32_t patternId);
    uint32_t GetMasterEventId() const { return m_masterEventId; }
    void SetMasterEventId(uint32_t eventId) { m_masterEventId = eventId; }

    // Time of day at which each occurrence starts, in minutes since midnight (0-1439).
    int GetStartTime() const { return m_startMinutes; }
    // Minutes outside a day wrap around midnight.
    void SetStartTime(int minutesOfDay);
    // Takes the time of day of a valid date-time; others are ignored.
    void SetStartTime(const CCalendarDateTime& time);
    // Length of each occurrence in whole minutes, kept as given; a negative length is
    // treated as 0 by the expander.
    int GetDurationMinutes() const { return m_durationMinutes; }
    void SetDurationMinutes(int minutes) { m_durationMinutes = minutes; }

    const CCalendarRecurrenceOptions& GetRecurrenceOptions() const { return m_options; }
    void SetRecurrenceOptions(const CCalendarRecurrenceOptions& options) { m_options = options; }

    // First day of the range (midnight); null until set.
    const CCalendarDateTime& GetPatternStartDate() const { return m_startDate; }
    // Keeps the date of `date`; a null or invalid value is kept as it is.
    void SetPatternStartDate(const CCalendarDateTime& date);

    CalendarPatternEnd GetUseEndMethod() const { return m_endMethod; }
    // The last day of the range. Kept whatever the end method, so it is always there to
    // write; it limits the range only while the end method is kCalendarPatternEndDate.
    const CCalendarDateTime& GetPatternEndDate() const { return m_endDate; }
    // Ends the range on the date of a valid `date` (other values are ignored).
    void SetPatternEndDate(const CCalendarDateTime& date);
    int GetEndAfterOccurrences() const { return m_occurrences; }
    // Ends the range after `count` occurrences (a count below 1 yields none).
    void SetEndAfterOccurrences(int count);
    void SetNoEndDate() { m_endMethod = kCalendarPatternNoEndDate; }

    // The series' exceptions in the order they were added.
    const std::vector<CCalendarEventPtr>& GetExceptions() const { return m_exceptions; }
    // Makes `exception` an exception of this pattern and appends it (null is ignored).
    void AddException(const CCalendarEventPtr& exception);
    // The first exception standing for the occurrence that starts at `originalStart`.
    CCalendarEventPtr FindException(const CCalendarDateTime& originalStart) const;
    bool RemoveException(const CCalendarEventPtr& exception);
    void RemoveAllExceptions() { m_exceptions.clear(); }

private:
    friend class CCalendarData;

    uint32_t m_patternId = 0;
    uint32_t m_masterEventId = 0;
    int m_startMinutes = 0;
    int m_durationMinutes = 0;
    CCalendarRecurrenceOptions m_options;
    CCalendarDateTime m_startDate;
    CalendarPatternEnd m_endMethod = kCalendarPatternNoEndDate;
    CCalendarDateTime m_endDate;
    int m_occurrences = 10;
    std::vector<CCalendarEventPtr> m_exceptions;
};
