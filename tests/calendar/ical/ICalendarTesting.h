#pragma once
// Calendars for the iCalendar tests: series of every kind, and what a store shows of them.
#include "calendar/ical/CalendarICalendar.h"
#include "calendar/store/CalendarData.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <sstream>
#include <string>
#include <vector>

namespace icaltest {

using tevtest::At;

struct SeriesSetup {
    const char* subject;
    CCalendarRecurrenceOptions options;
    const char* rangeStart;
    CalendarPatternEnd end;
    int count = 0;            // kCalendarPatternEndAfterOccurrences
    const char* endDate = ""; // kCalendarPatternEndDate
    int startMinutes = 9 * 60;
    int duration = 60;
    bool allDay = false;
};

// Adds a series as the recurrence dialog makes one.
inline CCalendarEventPtr AddSeries(CCalendarData& store, const SeriesSetup& setup) {
    const CCalendarEventPtr event = store.CreateNewEvent();
    const CCalendarDateTime start = At(setup.rangeStart).AddMinutes(setup.startMinutes);
    event->SetStartTime(start);
    event->SetEndTime(start.AddMinutes(setup.duration));
    event->SetSubject(setup.subject);
    event->SetAllDayEvent(setup.allDay);
    event->SetBusyStatus(kCalendarBusyBusy);
    const CCalendarRecurrencePatternPtr pattern = event->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(setup.options);
    if (setup.end == kCalendarPatternEndAfterOccurrences)
        pattern->SetEndAfterOccurrences(setup.count);
    else if (setup.end == kCalendarPatternEndDate)
        pattern->SetPatternEndDate(At(setup.endDate));
    else
        pattern->SetNoEndDate();
    event->UpdateRecurrence(pattern);
    store.AddEvent(event);
    return store.GetEvent(event->GetEventId());
}

// One line per shown event or occurrence over five years from 2024, sorted: what a user sees.
inline std::vector<std::string> Shown(const CCalendarData& store, const char* from = "2024-01-01",
                                      const char* to = "2029-01-01") {
    std::vector<std::string> lines;
    for (const CCalendarEventPtr& event : store.RetrieveEvents(At(from), At(to))) {
        std::ostringstream line;
        line << event->GetSubject() << " | " << event->GetStartTime().ToIsoString() << " - "
             << event->GetEndTime().ToIsoString() << " | " << event->IsAllDayEvent() << " | "
             << event->GetLocation() << " | " << event->GetBody() << " | " << event->GetBusyStatus()
             << " | " << event->IsPrivate() << " | " << event->GetLabelId() << " | "
             << event->IsReminder() << " "
             << (event->IsReminder() ? event->GetReminderMinutesBeforeStart() : 0);
        lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Imports `text` into `store` the way the control does: every made event added.
inline CCalendarImportResult Import(CCalendarData& store, const std::string& text,
                                    const std::string& zone) {
    CCalendarImportResult result = CCalendarICalendarReader(zone).Read(text, store);
    for (const CCalendarEventPtr& event : result.m_events)
        store.AddEvent(event);
    return result;
}

inline std::vector<uint32_t> AllIds(const CCalendarData& store) {
    std::vector<uint32_t> ids;
    for (const CCalendarEventPtr& event : store.GetAllEvents())
        ids.push_back(event->GetEventId());
    return ids;
}

} // namespace icaltest
