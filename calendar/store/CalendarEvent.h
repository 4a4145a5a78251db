#pragma once
// One calendar event: a plain appointment, the master of a recurring series, one occurrence
// of a series, or an exception (an occurrence that was moved, edited or deleted).
//
// Events are shared objects (CCalendarEventPtr). The store hands out its own objects; a
// caller may change one in place or work on a copy (CloneEvent) and then commit it with
// CCalendarData::ChangeEvent, which takes over the copy's properties.
//
// A master owns its recurrence pattern, and the pattern owns the series' exceptions.
// Occurrences are made on demand by the store's queries: they carry the master's
// identifier and properties, their own start and end, the pattern's identifier and the
// start and end of the occurrence they stand for (its "original" times). An exception
// carries the same links plus the deleted flag.
#include "calendar/store/CalendarDateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class CCalendarData;
class CCalendarEvent;
class CCalendarRecurrencePattern;
using CCalendarEventPtr = std::shared_ptr<CCalendarEvent>;
using CCalendarRecurrencePatternPtr = std::shared_ptr<CCalendarRecurrencePattern>;

enum CalendarRecurrenceState {
    kCalendarNotRecurring = 0,
    kCalendarRecurrenceMaster = 1,
    kCalendarRecurrenceOccurrence = 2,
    kCalendarRecurrenceException = 3,
};

// Busy status values; the data document writes them as "Free", "Tentative", "Busy",
// "Out Of Office" and "Unknown".
enum CalendarBusyStatus {
    kCalendarBusyUnknown = -1,
    kCalendarBusyFree = 0,
    kCalendarBusyTentative = 1,
    kCalendarBusyBusy = 2,
    kCalendarBusyOutOfOffice = 3,
};

class CCalendarEvent {
public:
    // `data` is the store the event belongs to (it hands out pattern identifiers); an event
    // without a store gets its identifiers when it is added to one. The link is not owned:
    // an event must not be made recurring after its store is gone.
    explicit CCalendarEvent(CCalendarData* data = nullptr, uint32_t eventId = 0);
    CCalendarEvent(const CCalendarEvent&) = delete;
    CCalendarEvent& operator=(const CCalendarEvent&) = delete;

    // A separate copy with every property; a master's pattern and its exceptions are
    // copied too (same identifiers).
    CCalendarEventPtr CloneEvent() const;
    // Takes every property of `other` (a master's pattern deep-copied); keeps the store link.
    void CopyFrom(const CCalendarEvent& other);

    CCalendarData* GetDataProvider() const { return m_data; }

    uint32_t GetEventId() const { return m_eventId; }
    // A master's pattern is told its master's new identifier. The store files its events by
    // identifier: do not renumber an event it holds.
    void SetEventId(uint32_t eventId);

    const CCalendarDateTime& GetStartTime() const { return m_start; }
    void SetStartTime(const CCalendarDateTime& start) { m_start = start; }
    const CCalendarDateTime& GetEndTime() const { return m_end; }
    void SetEndTime(const CCalendarDateTime& end) { m_end = end; }
    // End minus start in whole minutes; 0 unless both are valid.
    int64_t GetDurationMinutes() const;

    const std::string& GetSubject() const { return m_subject; }
    void SetSubject(std::string subject) { m_subject = std::move(subject); }
    const std::string& GetLocation() const { return m_location; }
    void SetLocation(std::string location) { m_location = std::move(location); }
    const std::string& GetBody() const { return m_body; }
    void SetBody(std::string body) { m_body = std::move(body); }

    const CCalendarDateTime& GetCreationTime() const { return m_creationTime; }
    void SetCreationTime(const CCalendarDateTime& time) { m_creationTime = time; }
    const CCalendarDateTime& GetLastModificationTime() const { return m_lastModificationTime; }
    void SetLastModificationTime(const CCalendarDateTime& time) { m_lastModificationTime = time; }

    bool IsMeeting() const { return m_meeting; }
    void SetMeeting(bool meeting) { m_meeting = meeting; }
    bool IsPrivate() const { return m_private; }
    void SetPrivate(bool isPrivate) { m_private = isPrivate; }
    bool IsAllDayEvent() const { return m_allDay; }
    void SetAllDayEvent(bool allDay) { m_allDay = allDay; }

    // The number of a label in the store's label list (0 = "None").
    int GetLabelId() const { return m_labelId; }
    void SetLabelId(int labelId) { m_labelId = labelId; }
    // One of CalendarBusyStatus.
    int GetBusyStatus() const { return m_busyStatus; }
    void SetBusyStatus(int status) { m_busyStatus = status; }

    bool IsReminder() const { return m_reminder; }
    void SetReminder(bool reminder) { m_reminder = reminder; }
    int GetReminderMinutesBeforeStart() const { return m_reminderMinutes; }
    void SetReminderMinutesBeforeStart(int minutes) { m_reminderMinutes = minutes; }

    // The event's lasting name in iCalendar feeds (UID), so a subscribed calendar updates an
    // event instead of adding it again. The store gives every plain event and master one.
    const std::string& GetUid() const { return m_uid; }
    void SetUid(std::string uid) { m_uid = std::move(uid); }

    // The identifier of the schedule the event belongs to; 0 for none.
    int GetScheduleId() const { return m_scheduleId; }
    void SetScheduleId(int scheduleId) { m_scheduleId = scheduleId; }

    CalendarRecurrenceState GetRecurrenceState() const { return m_recurrenceState; }
    bool IsRecurring() const { return m_recurrenceState != kCalendarNotRecurring; }

    // The pattern of a master; null for every other event.
    CCalendarRecurrencePatternPtr GetRecurrencePattern() const { return m_pattern; }
    // Makes a plain event the master of a new series and returns its pattern (a master
    // returns the pattern it has; an occurrence or exception gets none). The pattern takes
    // the event's time of day, length and date as start time, duration and range start;
    // it repeats daily with no end. Its identifier is the event's own when the store has
    // not given that one to another pattern, else a fresh one.
    CCalendarRecurrencePatternPtr MakeEventAsRecurrence();
    // Gives a master (or a plain event, which becomes one) `pattern`, and sets the start to
    // the pattern's range start date at its start time and the end to start plus duration.
    // False for occurrences, exceptions and a null pattern.
    bool UpdateRecurrence(const CCalendarRecurrencePatternPtr& pattern);
    // A master becomes a plain event again; its pattern and exceptions are dropped.
    void RemoveRecurrence();

    // Occurrences and exceptions: the owning pattern's identifier (0 for other events).
    uint32_t GetRecurrencePatternId() const { return m_patternId; }
    void SetRecurrencePatternId(uint32_t patternId) { m_patternId = patternId; }
    // Exceptions: the occurrence is deleted, not moved.
    bool IsRExceptionDeleted() const { return m_deleted; }
    void SetRExceptionDeleted(bool deleted) { m_deleted = deleted; }
    // Occurrences and exceptions: start and end of the occurrence in the pattern.
    const CCalendarDateTime& GetRExceptionStartTimeOrig() const { return m_originalStart; }
    void SetRExceptionStartTimeOrig(const CCalendarDateTime& time) { m_originalStart = time; }
    const CCalendarDateTime& GetRExceptionEndTimeOrig() const { return m_originalEnd; }
    void SetRExceptionEndTimeOrig(const CCalendarDateTime& time) { m_originalEnd = time; }

    // An occurrence becomes an exception (it is stored by CCalendarData::ChangeEvent or
    // DeleteEvent); an exception stays one. False for other events.
    bool MakeAsException();

private:
    friend class CCalendarData;
    friend class CCalendarRecurrencePattern;
    friend class CCalendarOccurrenceExpander;

    // Identifier and every property but the recurrence links.
    void CopyProperties(const CCalendarEvent& other);
    // Makes this event an occurrence or exception of the pattern `patternId`.
    void SetSeriesMember(CalendarRecurrenceState state, uint32_t patternId);

    CCalendarData* m_data = nullptr;
    uint32_t m_eventId = 0;
    CCalendarDateTime m_start;
    CCalendarDateTime m_end;
    std::string m_subject;
    std::string m_location;
    std::string m_body;
    CCalendarDateTime m_creationTime;
    CCalendarDateTime m_lastModificationTime;
    bool m_meeting = false;
    bool m_private = false;
    bool m_allDay = false;
    int m_labelId = 0;
    int m_busyStatus = kCalendarBusyFree;
    bool m_reminder = false;
    int m_reminderMinutes = 15;
    int m_scheduleId = 0;
    std::string m_uid;

    CalendarRecurrenceState m_recurrenceState = kCalendarNotRecurring;
    CCalendarRecurrencePatternPtr m_pattern;
    uint32_t m_patternId = 0;
    bool m_deleted = false;
    CCalendarDateTime m_originalStart;
    CCalendarDateTime m_originalEnd;
};
