#pragma once
// The calendar data document: the `Data` element the calendar control hands to the designer
// and takes back, stored in the project file.
//
//   <Data>\n\t<Events>\n\t\t<Event .../>\n\t\t<Event ...><Pattern ...><Exception .../>
//   </Pattern><Schedule .../></Event>\n\t\t</Events></Data>
//
// Writing: one `Event` per identifier of the event ID list, in list order (identifiers the
// store no longer knows are skipped), each followed by the text "\n\t\t"; attributes in the
// fixed order below, every one written, empty strings included:
//   Event      EventID StartTime EndTime Subject CreationTime LastModificationTime Location
//              IsMeeting AllDayEvent Type Body BusyStatus UID [Private, only when 1]
//              [ReminderMinutes, only when the reminder is on]
//   Pattern    StartTime EndTime DurationMinutes RecurrenceType RecurrenceOpt_Data1
//              RecurrenceOpt_Data2 RecurrenceOpt_Data3 PatternStartDate PatternEndDate
//              UseEndMethod [EndAfterOccurrences, only when UseEndMethod is 1]
//   Exception  EventID RecurrencePatternID, the eleven Event properties from StartTime to
//              BusyStatus, RException_StartTimeOrig RException_EndTimeOrig RException_Deleted
//   Schedule   Name [Phone] [Email] [Company] [Location], each custom property only when
//              the schedule has it
//
// Encodings: date-times "MM:DD:YYYY HH:MM" (the year always four digits), "Invalid DateTime"
// for an invalid value, "" for a null one; dates "MM:DD:YYYY"; times of day "HH:MM";
// integers and flags (1/0) in decimal, EventID unsigned; Type is the name of the event's
// label ("" when the label number is not in the list); BusyStatus "Free", "Tentative",
// "Busy", "Out Of Office", else "Unknown". Line breaks and tabs inside texts are written as
// character references (&#13; &#10; &#09;), so a reader that joins the lines of a project
// file, as the designer's does, still reads them.
//
// UID, Private and ReminderMinutes came later: a document without a UID reads, and the
// store gives its events new UIDs, which the next save keeps.
//
// Reading replaces every event of the store (and its schedules) with those of the
// document, in document order; see Read.
#include "calendar/store/CalendarDateTime.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CCalendarData;
class CEventIdList;

class CCalendarDataFormat {
public:
    // The document's XML text (no declaration, no other whitespace than described above).
    static std::string Write(const CCalendarData& store, const CEventIdList& idList);
    static std::string Write(const CCalendarData& store, const std::vector<uint32_t>& ids);

    // Replaces the store's events with those of a parsed document (the caller parses and
    // calls this only on success). Empties the store's events, schedules and the event ID
    // list; then for every "Data/Events/Event" element, in document order, builds an event
    // (identifier, times, texts, flags; Type resolved against the store's labels by exact
    // name, the last label of that name winning, no match keeping label 0; a `Pattern`
    // child made into the event's pattern with its `Exception` children; a `Schedule` child
    // found by name or created with its non-empty custom properties, the series' exceptions
    // put in the same schedule, as the document has none for them) and adds it to the
    // store, whose report appends it to the list. Unknown elements and attributes are
    // ignored; absent or unreadable date-times leave the new object's value; absent integers
    // read as 0; unknown busy statuses as -1. If `idList` is not attached to `store`, the
    // reader appends the identifiers itself.
    static void Read(const pugi::xml_document& document, CCalendarData& store,
                     CEventIdList& idList);

    // The value encodings, one by one.
    static std::string FormatDateTime(const CCalendarDateTime& value);
    static std::string FormatDate(const CCalendarDateTime& value);
    static std::string FormatTime(int minutesOfDay);
    // "MM:DD:YYYY HH:MM" read by character positions (0-1 month, 3-4 day, 6-9 year, 11-12
    // hour, 14-15 minute), each with C atoi, separators ignored, missing parts 0. Null for
    // an empty text, invalid when the numbers are no date and time.
    static CCalendarDateTime ParseDateTime(std::string_view text);
    // "HH:MM" (0-1 hour, 3-4 minute) as that time on 1 January 1900; null or invalid as above.
    static CCalendarDateTime ParseTime(std::string_view text);
    // C atoi: leading blanks, a sign, digits; 0 when there are none. Values beyond the
    // range of a C long saturate and the result keeps the low 32 bits, as the C library does.
    static int ParseInteger(std::string_view text);
    static const char* BusyStatusText(int status);
    // -1 for anything but the four exact keywords.
    static int ParseBusyStatus(std::string_view text);
};
