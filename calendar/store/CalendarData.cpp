#include "calendar/store/CalendarData.h"

#include "calendar/store/CalendarOccurrenceExpander.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

namespace {

// How far back the queries look for occurrences that began before the time asked for.
constexpr int64_t kLongestLookBackMinutes = 3653LL * 1440;

bool Overlaps(const CCalendarDateTime& start, const CCalendarDateTime& end,
              const CCalendarDateTime& begin, const CCalendarDateTime& finish) {
    if (!start.IsValid())
        return false;
    if (!end.IsValid() || end <= start)
        return start >= begin && start < finish;
    return start < finish && end > begin;
}

// 128 random bits; the domain part keeps them apart from other programs' UIDs.
std::string NewEventUid() {
    static std::mt19937_64 generator{std::random_device{}()};
    char text[64];
    std::snprintf(text, sizeof text, "%016llx%016llx@quorvane-web-calendar",
                  static_cast<unsigned long long>(generator()),
                  static_cast<unsigned long long>(generator()));
    return text;
}

} // namespace

CCalendarData::CCalendarData() : m_labels(CCalendarLabels::Default()) {}

CCalendarData::~CCalendarData() {
    Notify([](ICalendarDataListener& listener) { listener.OnStoreDestroyed(); });
}

void CCalendarData::AddListener(ICalendarDataListener* listener) {
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void CCalendarData::RemoveListener(ICalendarDataListener* listener) {
    const auto found = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (found == m_listeners.end())
        return;
    // While a report is out the list keeps its shape; the gap is closed afterwards.
    if (m_reporting > 0)
        *found = nullptr;
    else
        m_listeners.erase(found);
}

template <typename Report> void CCalendarData::Notify(Report report) {
    // Those present when the change was made are told, unless they leave meanwhile.
    const size_t count = m_listeners.size();
    ++m_reporting;
    for (size_t i = 0; i < count; ++i) {
        if (m_listeners[i])
            report(*m_listeners[i]);
    }
    if (--m_reporting == 0)
        m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), nullptr),
                          m_listeners.end());
}

void CCalendarData::SetFirstDayOfWeek(int dayOfWeek) {
    if (dayOfWeek < 1 || dayOfWeek > 7 || dayOfWeek == m_firstDayOfWeek)
        return;
    m_firstDayOfWeek = dayOfWeek;
    // Weekly series fall on other days now.
    DropIndex();
}

void CCalendarData::SetClock(std::function<CCalendarDateTime()> clock) {
    m_clock = std::move(clock);
}

CCalendarDateTime CCalendarData::GetCurrentTime() const {
    return m_clock ? m_clock() : CCalendarDateTime::Now();
}

// --- identifiers ---

bool CCalendarData::IsEventIdTaken(uint32_t eventId) const {
    return m_events.count(eventId) != 0 || m_exceptionOwner.count(eventId) != 0;
}

bool CCalendarData::IsIdTaken(uint32_t id) const {
    return id == 0 || IsEventIdTaken(id) || m_series.count(id) != 0;
}

void CCalendarData::NoteId(uint32_t id) {
    if (id >= m_nextId)
        m_nextId = static_cast<uint64_t>(id) + 1;
}

uint32_t CCalendarData::AllocateId() {
    if (m_nextId <= UINT32_MAX)
        return static_cast<uint32_t>(m_nextId++);
    // The counter has run out (someone loaded identifier 4294967295): take the lowest free
    // number; the scan ends within one more step than there are identifiers in use.
    uint32_t candidate = 1;
    while (IsIdTaken(candidate))
        ++candidate;
    return candidate;
}

uint32_t CCalendarData::ReservePatternId(uint32_t wanted) {
    // Two patterns not yet added may get the same number; adding the second renumbers it.
    const uint32_t id = wanted != 0 && m_series.count(wanted) == 0 ? wanted : AllocateId();
    NoteId(id);
    return id;
}

// --- events ---

CCalendarEventPtr CCalendarData::CreateNewEvent(uint32_t eventId) {
    return CreateNewEvent(eventId, GetCurrentTime());
}

CCalendarEventPtr CCalendarData::CreateNewEvent(uint32_t eventId, const CCalendarDateTime& now) {
    auto event = std::make_shared<CCalendarEvent>(this, eventId);
    event->SetCreationTime(now);
    event->SetLastModificationTime(now);
    return event;
}

void CCalendarData::RegisterException(Series& series, const CCalendarEventPtr& exception) {
    exception->m_data = this;
    exception->SetSeriesMember(kCalendarRecurrenceException, series.pattern->GetPatternId());
    if (IsEventIdTaken(exception->GetEventId()) || exception->GetEventId() == 0)
        exception->SetEventId(AllocateId());
    m_exceptionOwner[exception->GetEventId()] = series.pattern->GetPatternId();
    series.exceptionIds.push_back(exception->GetEventId());
    NoteId(exception->GetEventId());
}

void CCalendarData::RegisterSeries(const CCalendarEventPtr& master) {
    const CCalendarRecurrencePatternPtr pattern = master->GetRecurrencePattern();
    // The pattern takes its master's number when no other series has it.
    uint32_t patternId = master->GetEventId();
    if (m_series.count(patternId) != 0) {
        patternId = pattern->GetPatternId();
        if (patternId == 0 || m_series.count(patternId) != 0)
            patternId = AllocateId();
    }
    pattern->SetPatternId(patternId);
    NoteId(patternId);
    pattern->SetMasterEventId(master->GetEventId());
    m_patternOfMaster[master->GetEventId()] = patternId;
    Series& series = m_series[patternId];
    series.master = master;
    series.pattern = pattern;
    series.exceptionIds.clear();
    for (const CCalendarEventPtr& exception : pattern->GetExceptions())
        RegisterException(series, exception);
    IndexSeries(series);
}

void CCalendarData::UnregisterSeries(uint32_t patternId) {
    const auto found = m_series.find(patternId);
    if (found == m_series.end())
        return;
    for (uint32_t exceptionId : found->second.exceptionIds)
        m_exceptionOwner.erase(exceptionId);
    m_patternOfMaster.erase(found->second.master->GetEventId());
    m_series.erase(found);
    m_index.RemoveSeries(patternId);
}

CCalendarRecurrencePatternPtr
CCalendarData::RegisteredPatternOf(const CCalendarEventPtr& master) const {
    const auto patternId = m_patternOfMaster.find(master->GetEventId());
    if (patternId == m_patternOfMaster.end())
        return nullptr;
    const auto series = m_series.find(patternId->second);
    return series == m_series.end() ? nullptr : series->second.pattern;
}

bool CCalendarData::AddEvent(const CCalendarEventPtr& event) {
    if (!event)
        return false;
    const CalendarRecurrenceState state = event->GetRecurrenceState();
    if (state == kCalendarRecurrenceOccurrence || state == kCalendarRecurrenceException)
        return false;
    const bool master = state == kCalendarRecurrenceMaster && event->GetRecurrencePattern();
    if (state == kCalendarRecurrenceMaster && !master)
        event->m_recurrenceState = kCalendarNotRecurring;
    const uint32_t requested = event->GetEventId();
    const auto held = m_events.find(requested);
    if (held != m_events.end() && held->second == event)
        return false;

    if (requested == 0 || held != m_events.end() || m_exceptionOwner.count(requested) != 0) {
        // A master takes its pattern's number when it is free, so the two stay one number.
        const uint32_t patternId = master ? event->GetRecurrencePattern()->GetPatternId() : 0;
        const bool patternIdFree =
            patternId != 0 && !IsEventIdTaken(patternId) && m_series.count(patternId) == 0;
        event->SetEventId(patternIdFree ? patternId : AllocateId());
    }
    event->m_data = this;
    AssignUid(*event);
    m_events.emplace(event->GetEventId(), event);
    NoteId(event->GetEventId());
    if (master)
        RegisterSeries(event);
    else
        IndexPlainEvent(event);

    Notify([&](ICalendarDataListener& listener) { listener.OnEventAdded(*event); });
    if (master) {
        const CCalendarRecurrencePatternPtr pattern = event->GetRecurrencePattern();
        Notify([&](ICalendarDataListener& listener) { listener.OnPatternAdded(*pattern); });
    }
    return true;
}

bool CCalendarData::ChangeEvent(const CCalendarEventPtr& event) {
    if (!event)
        return false;
    const CalendarRecurrenceState state = event->GetRecurrenceState();
    if (state == kCalendarRecurrenceOccurrence || state == kCalendarRecurrenceException)
        return StoreSeriesMember(event, event->IsRExceptionDeleted());

    const auto found = m_events.find(event->GetEventId());
    if (found == m_events.end())
        return false;
    const CCalendarEventPtr stored = found->second;
    // The series as registered, which the caller may already have replaced on a shared object.
    const CCalendarRecurrencePatternPtr oldPattern = RegisteredPatternOf(stored);
    if (oldPattern)
        UnregisterSeries(oldPattern->GetPatternId());
    m_index.RemoveEvent(stored->GetEventId());

    if (stored != event) {
        std::string uid = stored->GetUid();
        stored->CopyFrom(*event);
        stored->SetUid(std::move(uid));
    }
    stored->SetLastModificationTime(GetCurrentTime());
    if (stored->GetRecurrenceState() == kCalendarRecurrenceMaster &&
        !stored->GetRecurrencePattern())
        stored->m_recurrenceState = kCalendarNotRecurring;
    const CCalendarRecurrencePatternPtr newPattern = stored->GetRecurrencePattern();
    if (newPattern)
        RegisterSeries(stored);
    else
        IndexPlainEvent(stored);

    Notify([&](ICalendarDataListener& listener) { listener.OnEventChanged(*stored); });
    if (oldPattern && newPattern && oldPattern->GetPatternId() == newPattern->GetPatternId()) {
        Notify([&](ICalendarDataListener& listener) { listener.OnPatternChanged(*newPattern); });
    } else {
        if (oldPattern)
            Notify(
                [&](ICalendarDataListener& listener) { listener.OnPatternDeleted(*oldPattern); });
        if (newPattern)
            Notify([&](ICalendarDataListener& listener) { listener.OnPatternAdded(*newPattern); });
    }
    return true;
}

bool CCalendarData::StoreSeriesMember(const CCalendarEventPtr& event, bool deleted) {
    const auto found = m_series.find(event->GetRecurrencePatternId());
    if (found == m_series.end())
        return false;
    Series& series = found->second;
    CCalendarRecurrencePattern& pattern = *series.pattern;
    event->MakeAsException();
    event->SetRExceptionDeleted(deleted);
    event->SetLastModificationTime(GetCurrentTime());

    // The exception standing for the same occurrence is replaced by this one.
    std::vector<CCalendarEventPtr>& exceptions = pattern.m_exceptions;
    auto same = std::find(exceptions.begin(), exceptions.end(), event);
    if (same == exceptions.end()) {
        same = std::find_if(exceptions.begin(), exceptions.end(), [&](const CCalendarEventPtr& ex) {
            return ex->GetRExceptionStartTimeOrig() == event->GetRExceptionStartTimeOrig();
        });
    }
    if (same != exceptions.end()) {
        if (*same != event) {
            const uint32_t replacedId = (*same)->GetEventId();
            m_exceptionOwner.erase(replacedId);
            series.exceptionIds.erase(
                std::remove(series.exceptionIds.begin(), series.exceptionIds.end(), replacedId),
                series.exceptionIds.end());
            *same = event;
            // The replacement keeps the number of the exception it replaces when it has none.
            if (event->GetEventId() == 0 || event->GetEventId() == series.master->GetEventId())
                event->SetEventId(replacedId);
            RegisterException(series, event);
        }
    } else {
        exceptions.push_back(event);
        if (event->GetEventId() == series.master->GetEventId())
            event->SetEventId(0);
        RegisterException(series, event);
    }
    IndexSeries(series);
    const CCalendarRecurrencePatternPtr patternPtr = series.pattern;
    Notify([&](ICalendarDataListener& listener) { listener.OnPatternChanged(*patternPtr); });
    return true;
}

bool CCalendarData::DeleteEvent(const CCalendarEventPtr& event) {
    if (!event)
        return false;
    const CalendarRecurrenceState state = event->GetRecurrenceState();
    if (state == kCalendarRecurrenceOccurrence || state == kCalendarRecurrenceException)
        return StoreSeriesMember(event, true);

    const auto found = m_events.find(event->GetEventId());
    if (found == m_events.end())
        return false;
    const CCalendarEventPtr stored = found->second;
    const CCalendarRecurrencePatternPtr pattern = RegisteredPatternOf(stored);
    if (pattern)
        UnregisterSeries(pattern->GetPatternId());
    m_index.RemoveEvent(stored->GetEventId());
    m_events.erase(found);
    m_uids.erase(stored->GetUid());
    Notify([&](ICalendarDataListener& listener) { listener.OnEventDeleted(*stored); });
    if (pattern)
        Notify([&](ICalendarDataListener& listener) { listener.OnPatternDeleted(*pattern); });
    return true;
}

void CCalendarData::RemoveAllEvents() {
    m_events.clear();
    m_series.clear();
    m_exceptionOwner.clear();
    m_patternOfMaster.clear();
    m_uids.clear();
    m_nextId = 1;
    DropIndex();
    Notify([](ICalendarDataListener& listener) { listener.OnAllEventsRemoved(); });
}

void CCalendarData::ReserveEvents(size_t count) {
    m_events.reserve(count);
    m_uids.reserve(count);
}

void CCalendarData::AssignUid(CCalendarEvent& event) {
    while (event.GetUid().empty() || m_uids.count(event.GetUid()) != 0)
        event.SetUid(NewEventUid());
    m_uids.insert(event.GetUid());
}

CCalendarEventPtr CCalendarData::GetEvent(uint32_t eventId) const {
    const auto found = m_events.find(eventId);
    return found == m_events.end() ? nullptr : found->second;
}

CCalendarEventPtr CCalendarData::FindEvent(uint32_t eventId) const {
    if (CCalendarEventPtr event = GetEvent(eventId))
        return event;
    const auto owner = m_exceptionOwner.find(eventId);
    if (owner == m_exceptionOwner.end())
        return nullptr;
    const auto series = m_series.find(owner->second);
    if (series == m_series.end())
        return nullptr;
    for (const CCalendarEventPtr& exception : series->second.pattern->GetExceptions()) {
        if (exception->GetEventId() == eventId)
            return exception;
    }
    return nullptr;
}

CCalendarRecurrencePatternPtr CCalendarData::GetRecurrencePattern(uint32_t patternId) const {
    const auto found = m_series.find(patternId);
    return found == m_series.end() ? nullptr : found->second.pattern;
}

CCalendarEventPtr CCalendarData::GetMasterEvent(uint32_t patternId) const {
    const auto found = m_series.find(patternId);
    return found == m_series.end() ? nullptr : found->second.master;
}

std::vector<CCalendarEventPtr> CCalendarData::GetAllEvents() const {
    std::vector<CCalendarEventPtr> events;
    events.reserve(m_events.size());
    for (const auto& entry : m_events)
        events.push_back(entry.second);
    std::sort(events.begin(), events.end(),
              [](const CCalendarEventPtr& a, const CCalendarEventPtr& b) {
                  return a->GetEventId() < b->GetEventId();
              });
    return events;
}

// --- queries ---

CCalendarEventPtr CCalendarData::MakeOccurrence(const CCalendarEvent& master, uint32_t patternId,
                                                const CCalendarDateTime& start,
                                                const CCalendarDateTime& end) const {
    auto occurrence = std::make_shared<CCalendarEvent>(const_cast<CCalendarData*>(this));
    occurrence->CopyProperties(master);
    occurrence->SetSeriesMember(kCalendarRecurrenceOccurrence, patternId);
    occurrence->SetStartTime(start);
    occurrence->SetEndTime(end);
    occurrence->SetRExceptionStartTimeOrig(start);
    occurrence->SetRExceptionEndTimeOrig(end);
    return occurrence;
}

const CCalendarEventIndex& CCalendarData::Index() const {
    if (!m_indexed) {
        for (const auto& entry : m_events) {
            if (entry.second->GetRecurrenceState() != kCalendarRecurrenceMaster)
                m_index.AddEvent(entry.second);
        }
        for (const auto& entry : m_series)
            m_index.AddSeries(entry.first, entry.second.master, entry.second.pattern,
                              m_firstDayOfWeek);
        m_indexed = true;
    }
    return m_index;
}

void CCalendarData::IndexPlainEvent(const CCalendarEventPtr& event) {
    if (m_indexed)
        m_index.AddEvent(event);
}

void CCalendarData::IndexSeries(const Series& series) {
    if (m_indexed)
        m_index.AddSeries(series.pattern->GetPatternId(), series.master, series.pattern,
                          m_firstDayOfWeek);
}

void CCalendarData::DropIndex() {
    m_index.Clear();
    m_indexed = false;
}

void CCalendarData::AddSeriesItems(const CCalendarEventIndex::Series& series,
                                   const CCalendarDateTime& begin, const CCalendarDateTime& end,
                                   std::vector<CCalendarEventPtr>& shown) const {
    if (!series.expander.HasOccurrences())
        return;
    const int64_t duration = std::max(0, series.pattern->GetDurationMinutes());
    CCalendarDateTime firstDay = begin.AddMinutes(-std::min(duration, kLongestLookBackMinutes));
    if (!firstDay.IsValid())
        firstDay = CCalendarDateTime(CCalendarDateTime::kMinYear, 1, 1);
    for (const CCalendarEventPtr& exception : series.exceptions) {
        if (!exception->IsRExceptionDeleted() &&
            Overlaps(exception->GetStartTime(), exception->GetEndTime(), begin, end))
            shown.push_back(exception);
    }
    for (const CCalendarDateTime& start :
         series.expander.GetOccurrenceStarts(firstDay, end.AddSeconds(-1))) {
        const CCalendarDateTime finish = start.AddMinutes(duration);
        if (!series.Replaces(start) && Overlaps(start, finish, begin, end))
            shown.push_back(MakeOccurrence(*series.master, series.patternId, start, finish));
    }
}

std::vector<CCalendarEventPtr> CCalendarData::RetrieveEvents(const CCalendarDateTime& begin,
                                                             const CCalendarDateTime& end) const {
    std::vector<CCalendarEventPtr> shown;
    if (!begin.IsValid() || !end.IsValid() || end <= begin)
        return shown;
    const CCalendarEventIndex::Candidates candidates =
        Index().Find(begin.GetDayNumber(), end.AddSeconds(-1).GetDayNumber());
    for (const CCalendarEventIndex::Series* series : candidates.series)
        AddSeriesItems(*series, begin, end, shown);
    for (const CCalendarEventPtr& event : candidates.events) {
        if (event->GetRecurrenceState() != kCalendarRecurrenceMaster &&
            Overlaps(event->GetStartTime(), event->GetEndTime(), begin, end))
            shown.push_back(event);
    }
    std::sort(shown.begin(), shown.end(),
              [](const CCalendarEventPtr& a, const CCalendarEventPtr& b) {
                  if (a->GetStartTime() != b->GetStartTime())
                      return a->GetStartTime() < b->GetStartTime();
                  if (a->GetEventId() != b->GetEventId())
                      return a->GetEventId() < b->GetEventId();
                  return a->GetRExceptionStartTimeOrig() < b->GetRExceptionStartTimeOrig();
              });
    return shown;
}

std::vector<CCalendarEventPtr>
CCalendarData::RetrieveDayEvents(const CCalendarDateTime& day) const {
    const CCalendarDateTime begin = day.GetDate();
    return RetrieveEvents(begin, begin.AddDays(1));
}

// --- schedules ---

int CCalendarData::FindScheduleIndex(int scheduleId) const {
    for (size_t i = 0; i < m_schedules.size(); ++i) {
        if (m_schedules[i].GetId() == scheduleId)
            return static_cast<int>(i);
    }
    return -1;
}

CCalendarSchedule* CCalendarData::FindScheduleByName(const std::string& name) {
    for (CCalendarSchedule& schedule : m_schedules) {
        if (schedule.GetName() == name)
            return &schedule;
    }
    return nullptr;
}

int CCalendarData::AddSchedule(const std::string& name) {
    if (name.empty())
        return -1;
    int scheduleId = 1;
    for (const CCalendarSchedule& schedule : m_schedules)
        scheduleId = std::max(scheduleId, schedule.GetId() + 1);
    m_schedules.emplace_back(scheduleId, name);
    return scheduleId;
}
