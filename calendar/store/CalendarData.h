#pragma once
// The calendar store: events, recurrence series with their exceptions, labels, schedules
// and the settings the recurrence arithmetic needs. It has no window; the calendar views
// read it through the queries below and follow it through ICalendarDataListener.
//
// Identifiers
// - Event identifiers (plain events, masters and exceptions) are unique among events;
//   pattern identifiers are unique among patterns. Both come from one counter that always
//   stays above every identifier the store has seen, so a fresh identifier never meets an
//   old one, and loading events with given identifiers moves the counter past them.
// - An event added with identifier 0, or with one another event already has, gets a fresh
//   identifier (reported with the addition). Exceptions are treated the same way.
// - A pattern made for an event takes the event's identifier when no other pattern has it,
//   so a series' master and pattern share one number and keep it across a save and a load.
//   A master added without a free identifier takes its pattern's when that one is free; a
//   pattern registered with the store takes its master's identifier unless another series
//   has it.
//
// Series
// - A master owns its pattern, the pattern its exceptions. Occurrences are not stored: the
//   queries make them, each a fresh event carrying the master's identifier and properties.
// - ChangeEvent or DeleteEvent on an occurrence or exception stores it as an exception of
//   its series (DeleteEvent marks it deleted); this is reported as a change of the pattern.
//   DeleteEvent on a master removes the whole series.
//
// UIDs: AddEvent gives a plain event or master without a UID, or with one another event
// already has (a pasted copy), a fresh one; ChangeEvent keeps the stored event's UID.
//
// Queries go through an index by date (CCalendarEventIndex), made by the first query and
// kept current by every change committed through AddEvent, ChangeEvent, DeleteEvent and
// RemoveAllEvents (a load builds nothing). Change an event or pattern the store holds only
// through ChangeEvent: until then the queries look for it where it was.
//
// Time stamps: CreateNewEvent sets creation and last modification time to the store's
// clock; ChangeEvent sets the last modification time. AddEvent changes neither.
#include "calendar/store/CalendarDataListener.h"
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"
#include "calendar/store/CalendarEventIndex.h"
#include "calendar/store/CalendarLabels.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "calendar/store/CalendarSchedule.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CCalendarData {
public:
    // Empty, with the default labels and Sunday as first day of the week.
    CCalendarData();
    // Tells the listeners still present (OnStoreDestroyed).
    ~CCalendarData();
    CCalendarData(const CCalendarData&) = delete;
    CCalendarData& operator=(const CCalendarData&) = delete;

    // Listeners are not owned; remove one before it goes.
    void AddListener(ICalendarDataListener* listener);
    void RemoveListener(ICalendarDataListener* listener);

    // 1 = Sunday ... 7 = Saturday; other values are ignored. Weekly patterns count their
    // weeks from this day.
    int GetFirstDayOfWeek() const { return m_firstDayOfWeek; }
    void SetFirstDayOfWeek(int dayOfWeek);

    // The clock for the time stamps; an empty function restores the machine's local time.
    void SetClock(std::function<CCalendarDateTime()> clock);
    CCalendarDateTime GetCurrentTime() const;

    // A new event linked to this store (not added yet): identifier as given, creation and
    // last modification time stamped, everything else empty or off.
    CCalendarEventPtr CreateNewEvent(uint32_t eventId = 0);
    // The same, stamped with `now` (for many events made at one moment, as by a load).
    CCalendarEventPtr CreateNewEvent(uint32_t eventId, const CCalendarDateTime& now);
    // Adds a plain event or a master (with its pattern and exceptions). False for null,
    // occurrences, exceptions and an event object the store already holds.
    bool AddEvent(const CCalendarEventPtr& event);
    // Commits a change. A plain event or master is found by identifier and takes every
    // property of `event` (which may be the store's own object or a copy); occurrences and
    // exceptions are stored as exceptions of their series. False when there is nothing to
    // change.
    bool ChangeEvent(const CCalendarEventPtr& event);
    // Removes a plain event or a whole series (found by identifier); an occurrence or
    // exception becomes a deleted exception of its series.
    bool DeleteEvent(const CCalendarEventPtr& event);
    // Removes every event and series (labels, schedules and settings stay); reported once,
    // with OnAllEventsRemoved.
    void RemoveAllEvents();
    // Makes room for that many plain events and masters, so that a load adding them one by
    // one does not regrow the store's tables on the way.
    void ReserveEvents(size_t count);

    // A plain event or master by identifier; null when there is none.
    CCalendarEventPtr GetEvent(uint32_t eventId) const;
    // Like GetEvent, but also finds exceptions.
    CCalendarEventPtr FindEvent(uint32_t eventId) const;
    CCalendarRecurrencePatternPtr GetRecurrencePattern(uint32_t patternId) const;
    CCalendarEventPtr GetMasterEvent(uint32_t patternId) const;
    // Plain events and masters, by identifier.
    std::vector<CCalendarEventPtr> GetAllEvents() const;
    size_t GetEventCount() const { return m_events.size(); }

    // What the views show between `begin` (included) and `end` (excluded): plain events,
    // occurrences and exceptions that overlap that time (an event without length counts
    // when it starts in it), deleted exceptions and masters themselves left out, sorted by
    // start, then identifier. Occurrences lasting longer than ten years are not looked for
    // further back than that.
    std::vector<CCalendarEventPtr> RetrieveEvents(const CCalendarDateTime& begin,
                                                  const CCalendarDateTime& end) const;
    // RetrieveEvents for the day of `day`, midnight to midnight.
    std::vector<CCalendarEventPtr> RetrieveDayEvents(const CCalendarDateTime& day) const;

    CCalendarLabels& GetLabels() { return m_labels; }
    const CCalendarLabels& GetLabels() const { return m_labels; }

    // Schedules in the order they were added; identifiers start at 1.
    size_t GetScheduleCount() const { return m_schedules.size(); }
    CCalendarSchedule& GetScheduleAt(size_t index) { return m_schedules[index]; }
    const CCalendarSchedule& GetScheduleAt(size_t index) const { return m_schedules[index]; }
    // Index of the schedule with that identifier, -1 when there is none.
    int FindScheduleIndex(int scheduleId) const;
    // The first schedule with exactly that name; null when there is none. References
    // stay valid until the schedule list is emptied.
    CCalendarSchedule* FindScheduleByName(const std::string& name);
    // The new schedule's identifier, or -1 when refused (an empty name).
    int AddSchedule(const std::string& name);
    void RemoveAllSchedules() { m_schedules.clear(); }

private:
    friend class CCalendarEvent;

    // For an event made recurring: `wanted` when no pattern has it, else a fresh number.
    uint32_t ReservePatternId(uint32_t wanted);

    struct Series {
        CCalendarEventPtr master;
        CCalendarRecurrencePatternPtr pattern;
        std::vector<uint32_t> exceptionIds;
    };

    bool IsEventIdTaken(uint32_t eventId) const;
    bool IsIdTaken(uint32_t id) const;
    uint32_t AllocateId();
    void NoteId(uint32_t id);
    // Registers a master's pattern and exceptions, renumbering what collides.
    void RegisterSeries(const CCalendarEventPtr& master);
    void UnregisterSeries(uint32_t patternId);
    CCalendarRecurrencePatternPtr RegisteredPatternOf(const CCalendarEventPtr& master) const;
    void RegisterException(Series& series, const CCalendarEventPtr& exception);
    bool StoreSeriesMember(const CCalendarEventPtr& event, bool deleted);
    CCalendarEventPtr MakeOccurrence(const CCalendarEvent& master, uint32_t patternId,
                                     const CCalendarDateTime& start,
                                     const CCalendarDateTime& end) const;
    // The index, made from the events and series on first use.
    const CCalendarEventIndex& Index() const;
    void IndexPlainEvent(const CCalendarEventPtr& event);
    void IndexSeries(const Series& series);
    void DropIndex();
    // The exceptions and occurrences of a series that overlap the time from `begin` to `end`.
    void AddSeriesItems(const CCalendarEventIndex::Series& series, const CCalendarDateTime& begin,
                        const CCalendarDateTime& end, std::vector<CCalendarEventPtr>& shown) const;

    template <typename Report> void Notify(Report report);
    void AssignUid(CCalendarEvent& event);

    std::vector<ICalendarDataListener*> m_listeners;
    int m_reporting = 0; // reports under way
    int m_firstDayOfWeek = 1;
    std::function<CCalendarDateTime()> m_clock;
    CCalendarLabels m_labels;
    std::deque<CCalendarSchedule> m_schedules;

    std::unordered_map<uint32_t, CCalendarEventPtr> m_events; // plain events and masters
    std::unordered_map<uint32_t, Series> m_series;            // by pattern identifier
    std::unordered_map<uint32_t, uint32_t> m_exceptionOwner;  // exception id -> pattern id
    std::unordered_map<uint32_t, uint32_t> m_patternOfMaster; // master id -> pattern id
    uint64_t m_nextId = 1;                                    // above every id seen
    std::unordered_set<std::string> m_uids;                   // of plain events and masters

    // Derived from the above on the first query; queries are const, so these are mutable.
    mutable CCalendarEventIndex m_index;
    mutable bool m_indexed = false;
};
