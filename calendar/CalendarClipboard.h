#pragma once
// What the calendar puts on the clipboard and takes from it, without a window. Copied
// events travel as a data document holding plain copies of them (an occurrence is copied
// as the appointment it shows) and as plain text for other programs, a line per event:
// subject, date and time separated by tabs. Pasted events get new identifiers and keep
// their lengths and the distances between them; the earliest one lands on the slot given
// (on its day, keeping its time of day, when the slot is a whole day).
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarEvent.h"

#include <string>
#include <vector>

class CCalendarData;

class CCalendarClipboard {
public:
    // The name the document is offered under on the system clipboard.
    static const char* const kFormatName;

    static std::string ToXml(const std::vector<CCalendarEventPtr>& events);
    static std::string ToText(const std::vector<CCalendarEventPtr>& events);
    // The events of a document, moved to `slot` and ready to add to `store` (new
    // identifiers, time stamps of now); empty for text that holds no events.
    static std::vector<CCalendarEventPtr> FromXml(const std::string& xml, CCalendarData& store,
                                                  const CCalendarDateTime& slot, bool wholeDay);
};
