#pragma once
// Dates for the calendar store tests, written as "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM".
#include "calendar/store/CalendarDateTime.h"

#include <cstdio>
#include <string>

namespace tevtest {

// An invalid value when the text is not in one of the two forms.
inline CCalendarDateTime At(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    char tail = 0;
    const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%c", &year, &month, &day,
                                   &hour, &minute, &tail);
    if (fields != 3 && fields != 5)
        return CCalendarDateTime::Invalid();
    return CCalendarDateTime(year, month, day, hour, minute);
}

} // namespace tevtest
