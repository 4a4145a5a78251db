#include "calendar/store/CalendarEventIndex.h"

#include "calendar/store/CalendarRecurrencePattern.h"

#include <algorithm>

namespace {

const int64_t kLastDay = CCalendarDateTime::DayNumberOf(CCalendarDateTime::kMaxYear, 12, 31);

int64_t BucketOf(int64_t day) {
    const int64_t size = CCalendarEventIndex::kDaysPerBucket;
    return day >= 0 ? day / size : -((-day + size - 1) / size);
}

// The days a time from `start` to `end` touches; false when it shows nowhere. Without a
// length it touches the day of its start; an end at midnight does not touch that day.
bool DaysOf(const CCalendarDateTime& start, const CCalendarDateTime& end, int64_t& first,
            int64_t& last) {
    if (!start.IsValid())
        return false;
    first = start.GetDayNumber();
    last = end.IsValid() && end > start ? end.AddSeconds(-1).GetDayNumber() : first;
    return true;
}

// Appends the buckets of the days from `first` to `last` that lie past the last one held
// (callers go forward in time, or sort afterwards); false once there are too many.
bool AddBuckets(int64_t first, int64_t last, std::vector<int64_t>& buckets) {
    const int64_t from = BucketOf(first);
    const int64_t to = BucketOf(last);
    if (to - from >= static_cast<int64_t>(CCalendarEventIndex::kMaxBuckets))
        return false;
    for (int64_t bucket = from; bucket <= to; ++bucket) {
        if (buckets.empty() || buckets.back() < bucket)
            buckets.push_back(bucket);
    }
    return buckets.size() <= CCalendarEventIndex::kMaxBuckets;
}

// The buckets of a series' occurrences; false when they are too many to file.
bool OccurrenceBuckets(const CCalendarEventIndex::Series& series, std::vector<int64_t>& buckets) {
    const CCalendarOccurrenceExpander& expander = series.expander;
    if (!expander.HasOccurrences())
        return true;
    const int64_t lastDay = expander.GetLastOccurrenceDate().GetDayNumber();
    if (lastDay >= kLastDay)
        return false;
    const int64_t duration = std::max(0, series.pattern->GetDurationMinutes());
    // Days after its own that an occurrence reaches into.
    const int64_t reach = duration > 0 ? (series.pattern->GetStartTime() + duration - 1) / 1440 : 0;
    bool fits = true;
    expander.VisitOccurrenceDays(series.pattern->GetPatternStartDate().GetDayNumber(), lastDay,
                                 [&](int64_t day) {
                                     fits = AddBuckets(day, day + reach, buckets);
                                     return fits;
                                 });
    return fits;
}

// The buckets of the exceptions shown in place of occurrences, wherever they were moved.
bool ExceptionBuckets(const CCalendarEventIndex::Series& series, std::vector<int64_t>& buckets) {
    for (const CCalendarEventPtr& exception : series.exceptions) {
        int64_t first = 0;
        int64_t last = 0;
        if (exception->IsRExceptionDeleted() ||
            !DaysOf(exception->GetStartTime(), exception->GetEndTime(), first, last))
            continue;
        std::vector<int64_t> own;
        if (!AddBuckets(first, last, own))
            return false;
        buckets.insert(buckets.end(), own.begin(), own.end());
    }
    return true;
}

} // namespace

CCalendarEventIndex::Series::Series(uint32_t id, CCalendarEventPtr masterEvent,
                                    CCalendarRecurrencePatternPtr rule, int firstDayOfWeek)
    : patternId(id), master(std::move(masterEvent)), pattern(std::move(rule)),
      expander(*pattern, firstDayOfWeek), exceptions(expander.GetEffectiveExceptions()) {
    for (const CCalendarEventPtr& exception : exceptions)
        replaced.push_back(exception->GetRExceptionStartTimeOrig());
    std::sort(replaced.begin(), replaced.end());
}

bool CCalendarEventIndex::Series::Replaces(const CCalendarDateTime& originalStart) const {
    return std::binary_search(replaced.begin(), replaced.end(), originalStart);
}

void CCalendarEventIndex::AddEvent(const CCalendarEventPtr& event) {
    RemoveEvent(event->GetEventId());
    int64_t first = 0;
    int64_t last = 0;
    if (!DaysOf(event->GetStartTime(), event->GetEndTime(), first, last))
        return;
    Entry& entry = m_events[event->GetEventId()];
    entry.event = event;
    entry.everywhere = !AddBuckets(first, last, entry.buckets);
    File(entry);
}

void CCalendarEventIndex::RemoveEvent(uint32_t eventId) {
    Remove(m_events, eventId);
}

void CCalendarEventIndex::AddSeries(uint32_t patternId, const CCalendarEventPtr& master,
                                    const CCalendarRecurrencePatternPtr& pattern,
                                    int firstDayOfWeek) {
    RemoveSeries(patternId);
    Entry& entry = m_series[patternId];
    entry.series = std::make_unique<Series>(patternId, master, pattern, firstDayOfWeek);
    std::vector<int64_t>& buckets = entry.buckets;
    entry.everywhere =
        !OccurrenceBuckets(*entry.series, buckets) || !ExceptionBuckets(*entry.series, buckets);
    if (!entry.everywhere) {
        std::sort(buckets.begin(), buckets.end());
        buckets.erase(std::unique(buckets.begin(), buckets.end()), buckets.end());
        entry.everywhere = buckets.size() > kMaxBuckets;
    }
    File(entry);
}

void CCalendarEventIndex::RemoveSeries(uint32_t patternId) {
    Remove(m_series, patternId);
}

void CCalendarEventIndex::Clear() {
    m_buckets.clear();
    m_everywhere.clear();
    m_events.clear();
    m_series.clear();
}

void CCalendarEventIndex::File(Entry& entry) {
    if (entry.everywhere) {
        entry.buckets.clear();
        m_everywhere.push_back(&entry);
        return;
    }
    for (int64_t bucket : entry.buckets)
        m_buckets[bucket].push_back(&entry);
}

void CCalendarEventIndex::Unfile(Entry& entry) {
    const auto drop = [&entry](std::vector<Entry*>& list) {
        const auto found = std::find(list.begin(), list.end(), &entry);
        if (found == list.end())
            return;
        *found = list.back();
        list.pop_back();
    };
    if (entry.everywhere)
        drop(m_everywhere);
    for (int64_t bucket : entry.buckets) {
        const auto found = m_buckets.find(bucket);
        if (found == m_buckets.end())
            continue;
        drop(found->second);
        if (found->second.empty())
            m_buckets.erase(found);
    }
}

void CCalendarEventIndex::Remove(Entries& entries, uint32_t id) {
    const auto found = entries.find(id);
    if (found == entries.end())
        return;
    Unfile(found->second);
    entries.erase(found);
}

void CCalendarEventIndex::Take(const Entry& entry, Candidates& candidates) const {
    if (entry.lastQuery == m_queries)
        return;
    entry.lastQuery = m_queries;
    if (entry.series)
        candidates.series.push_back(entry.series.get());
    else
        candidates.events.push_back(entry.event);
}

CCalendarEventIndex::Candidates CCalendarEventIndex::Find(int64_t firstDay, int64_t lastDay) const {
    Candidates candidates;
    ++m_queries;
    for (const Entry* entry : m_everywhere)
        Take(*entry, candidates);
    const int64_t from = BucketOf(firstDay);
    const int64_t to = BucketOf(lastDay);
    if (to < from)
        return candidates;
    // A long time asked for: going through the buckets held is quicker than looking up each.
    if (static_cast<uint64_t>(to - from) >= m_buckets.size()) {
        for (const auto& bucket : m_buckets) {
            if (bucket.first >= from && bucket.first <= to) {
                for (const Entry* entry : bucket.second)
                    Take(*entry, candidates);
            }
        }
        return candidates;
    }
    for (int64_t bucket = from; bucket <= to; ++bucket) {
        const auto found = m_buckets.find(bucket);
        if (found == m_buckets.end())
            continue;
        for (const Entry* entry : found->second)
            Take(*entry, candidates);
    }
    return candidates;
}
