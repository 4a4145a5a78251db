#pragma once
// "Import Events..." and "Export Events..." without a window: reading .ics files into events
// for the store, adding them in one step, the report the user reads afterwards, and writing
// the store's events (the export and the published feed).
#include "calendar/ical/CalendarICalendar.h"

#include <string>
#include <vector>

class CCalendarData;

// One file of an import.
struct CCalendarFileImport {
    enum class Problem { None, Unreadable, TooLarge, NoCalendar };

    std::string path;
    Problem problem = Problem::None;
    CCalendarImportResult result;
};

class CCalendarEventsTransfer {
public:
    // `zoneName`: the computer's time zone (CalendarLocalZoneName), into which times are
    // read and in which they are written.
    explicit CCalendarEventsTransfer(std::string zoneName);

    // Reads a file; its events are made by `store` but not added.
    CCalendarFileImport ReadFile(const std::string& path, CCalendarData& store) const;
    // Adds the events of every file to the store: the one change an import makes, so that
    // it can be taken back as one step.
    static void AddEvents(CCalendarData& store, const std::vector<CCalendarFileImport>& files);
    // What the user is told: how many came in, which could not, which were converted.
    static std::string ReportText(const std::vector<CCalendarFileImport>& files);

    // The events of `ids` as iCalendar text.
    std::string WriteText(const CCalendarData& store, const std::vector<uint32_t>& ids) const;
    // The same written to `path` (the old file gives way only to a complete new one).
    bool WriteFile(const std::string& path, const CCalendarData& store,
                   const std::vector<uint32_t>& ids) const;

private:
    std::string m_zoneName;
};
