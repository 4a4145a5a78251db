#pragma once
// iCalendar (RFC 5545) files for the calendar store: export of events, import of events.
// No window; libical reads and writes the text (parsing, folding, escaping).
//
// The mapping, both ways (store -> file on export, file -> store on import):
//
//   Subject / Location / Body   SUMMARY / LOCATION / DESCRIPTION
//   UID                         UID (the store keeps one per event; the exceptions of a
//                               series share their master's)
//   start, end                  DTSTART, DTEND. Export: DATE values for all-day events,
//                               else the local time with TZID of the computer's zone and
//                               its VTIMEZONE (UTC times with "Z" when that zone is UTC).
//                               Import: zoned and UTC times converted to the computer's
//                               zone, floating times as they are; DATE values give an
//                               all-day event from midnight to midnight; DURATION stands
//                               for DTEND; without either a timed event has no length and
//                               an all-day event lasts one day.
//   busy status                 TRANSP (TRANSPARENT for Free, else OPAQUE) and
//                               X-MICROSOFT-CDO-BUSYSTATUS FREE / TENTATIVE / BUSY / OOF;
//                               "Unknown" writes neither. Import: the X property when it is
//                               one of the four, else TRANSP (TRANSPARENT Free, OPAQUE
//                               Busy), else STATUS:TENTATIVE Tentative, else Unknown.
//   private                     CLASS:PRIVATE (import: PRIVATE or CONFIDENTIAL)
//   reminder                    VALARM ACTION:DISPLAY TRIGGER:-PT<minutes>M (relative to
//                               the start). Import: the first VALARM; a trigger relative to
//                               the end or an absolute one is turned into minutes before
//                               the start; one after the start becomes 0 and is reported.
//   label                       CATEGORIES with the label's name ("None" writes nothing).
//                               Import: the first category naming a label of the store.
//
// Recurrence, one RRULE (DTSTART is the series' first occurrence, as readers that do not
// count DTSTART otherwise disagree):
//
//   1 daily every N days              FREQ=DAILY;INTERVAL=N
//   1 daily every work day            FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR
//   2 weekly every N weeks, mask      FREQ=WEEKLY;INTERVAL=N;BYDAY=<mask>;WKST=<first day
//                                     of the week>
//   3 monthly day D every N months    FREQ=MONTHLY;INTERVAL=N;BYMONTHDAY=D, and for D of
//                                     29-31 BYMONTHDAY=28,...,D;BYSETPOS=-1 (the month's
//                                     last day when it is shorter, as the store shows it)
//   4 monthly Nth weekday             FREQ=MONTHLY;INTERVAL=N;BYDAY=<n><day> for one day,
//                                     BYDAY=<days>;BYSETPOS=<n> for several; "last" is -1
//   5 yearly on month M, day D        FREQ=YEARLY;BYMONTH=M;BYMONTHDAY=D (29-31 as above)
//   6 yearly Nth weekday of month M   FREQ=YEARLY;BYMONTH=M and BYDAY as for type 4
//   end after a count                 COUNT
//   end on a date                     UNTIL, the last day's start time in UTC (a DATE for
//                                     all-day series)
//   deleted occurrence                EXDATE with the occurrence's start
//   changed occurrence                a VEVENT with the series' UID and RECURRENCE-ID
//
// Import reads these forms and others with the same dates (BYDAY without BYSETPOS,
// BYMONTHDAY=-1, a missing BYDAY or BYMONTHDAY taken from DTSTART). Every series the store
// would show is checked against libical's own expansion of the rule; what the store cannot
// hold exactly (a BYMONTHDAY=31 that skips short months, BYHOUR, several months, RDATE,
// another zone's daylight saving moving the local time) is imported in the nearest exact
// form: the store's closest series, its occurrences that the rule lacks as deleted
// exceptions and the rule's dates the series lacks as separate events. A rule without end
// is then followed up to five years after today or its start, whichever is later, and at
// most kMaxExpandedOccurrences times; such events are reported as converted. A rule that
// repeats more often than hourly is not imported.
#include "calendar/store/CalendarEvent.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CCalendarData;

// The computer's time zone name (TZ, /etc/timezone or the /etc/localtime link); "UTC" when
// none can be found.
std::string CalendarLocalZoneName();

class CCalendarICalendarWriter {
public:
    // `zoneName`: the zone the store's times are local to (an Olson name such as
    // "Europe/Berlin"); "UTC", "Etc/UTC" and names libical does not know write UTC times.
    explicit CCalendarICalendarWriter(std::string zoneName);

    // The events of `ids` (plain events and masters; others skipped) as one VCALENDAR.
    std::string Write(const CCalendarData& store, const std::vector<uint32_t>& ids) const;

private:
    std::string m_zoneName;
};

// Why an event of a file did not come in as it was.
enum class CalendarImportNote {
    NoStart,         // not imported: no readable DTSTART
    RepeatsTooOften, // not imported: FREQ=SECONDLY or MINUTELY
    Converted,       // imported in the nearest exact form
    RepeatsCut,      // imported in the nearest exact form, repeats followed only so far
    ReminderMoved,   // a reminder after the start was moved to the start
};

struct CCalendarImportEntry {
    std::string m_subject;
    CalendarImportNote m_note;
};

struct CCalendarImportResult {
    // False when the text is no iCalendar data at all (nothing was read).
    bool m_readable = false;
    // Made by the store, not added yet: add them in one step.
    std::vector<CCalendarEventPtr> m_events;
    // Events of the file that came in (a series with its overrides counts once).
    int m_imported = 0;
    std::vector<CCalendarImportEntry> m_notes;
};

class CCalendarICalendarReader {
public:
    // Texts larger than this are refused unread.
    static constexpr size_t kMaxTextBytes = 32u << 20;
    // Repeats followed at most per rule when the store cannot hold it as a series.
    static constexpr int kMaxExpandedOccurrences = 2000;

    // `zoneName`: the computer's zone, into which zoned and UTC times are converted.
    explicit CCalendarICalendarReader(std::string zoneName);

    CCalendarImportResult Read(std::string_view text, CCalendarData& store) const;

private:
    std::string m_zoneName;
};
