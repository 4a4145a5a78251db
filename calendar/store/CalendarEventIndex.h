#pragma once
// The store's index by date: which plain events and series may have something to show on
// given days, so that a query looks at those instead of at every event.
//
// - Days are grouped in weeks of seven day numbers (a bucket). A plain event is filed under
//   every bucket its time touches (an event without length under the bucket of its start);
//   a series under every bucket one of its occurrences touches, and under every bucket one
//   of its shown exceptions touches, wherever that was moved.
// - What would take more than kMaxBuckets buckets (a series without end, an event lasting
//   years) is kept in a list that every query takes whole.
// - An event without a valid start shows nowhere and is not filed.
//
// The answer is a superset: the caller checks every candidate against the time it asks for.
// The index also keeps, for each series, what a query would otherwise work out again each
// time: the occurrence expander and the exceptions that replace occurrences. It knows of a
// change only when told: the store tells it of every change it commits.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"
#include "calendar/store/CalendarOccurrenceExpander.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CCalendarEventIndex {
public:
    static constexpr int64_t kDaysPerBucket = 7;
    static constexpr size_t kMaxBuckets = 160;

    // A series as queries need it; the expander reads `pattern`, which the entry keeps.
    struct Series {
        Series(uint32_t id, CCalendarEventPtr masterEvent, CCalendarRecurrencePatternPtr rule,
               int firstDayOfWeek);

        uint32_t patternId;
        CCalendarEventPtr master;
        CCalendarRecurrencePatternPtr pattern;
        CCalendarOccurrenceExpander expander;
        // The exceptions that replace an occurrence (CCalendarOccurrenceExpander), in list
        // order, and the original starts they replace, sorted.
        std::vector<CCalendarEventPtr> exceptions;
        std::vector<CCalendarDateTime> replaced;

        bool Replaces(const CCalendarDateTime& originalStart) const;
    };

    // What may show between two days: each plain event and series once.
    struct Candidates {
        std::vector<CCalendarEventPtr> events;
        std::vector<const Series*> series;
    };

    // A plain event (not a master); it replaces what was filed under its identifier.
    void AddEvent(const CCalendarEventPtr& event);
    void RemoveEvent(uint32_t eventId);
    // A series under its pattern's identifier; it replaces what was filed under it.
    void AddSeries(uint32_t patternId, const CCalendarEventPtr& master,
                   const CCalendarRecurrencePatternPtr& pattern, int firstDayOfWeek);
    void RemoveSeries(uint32_t patternId);
    void Clear();

    // The candidates for the days from `firstDay` to `lastDay`, both included.
    Candidates Find(int64_t firstDay, int64_t lastDay) const;

private:
    struct Entry {
        CCalendarEventPtr event;        // a plain event, or
        std::unique_ptr<Series> series; // a series
        std::vector<int64_t> buckets;   // where it is filed, ascending
        bool everywhere = false;        // in the list every query takes
        mutable uint64_t lastQuery = 0; // the query that took it last
    };
    using Entries = std::unordered_map<uint32_t, Entry>;

    void File(Entry& entry);
    void Unfile(Entry& entry);
    void Remove(Entries& entries, uint32_t id);
    void Take(const Entry& entry, Candidates& candidates) const;

    Entries m_events; // by event identifier
    Entries m_series; // by pattern identifier
    std::unordered_map<int64_t, std::vector<Entry*>> m_buckets;
    std::vector<Entry*> m_everywhere;
    mutable uint64_t m_queries = 0;
};
