#pragma once
// The project of a week of meetings (tests/calendar/data/WeekOfMeetings.kcd): its text and
// its Data element as the calendar writes it.
#include "platform/xml/XmlDom.h"
#include "tests/support/TestSupport.h"

#include <string>

namespace tevtest {

inline std::string WeekOfMeetingsPath() {
    return SourceDir() + "tests/calendar/data/WeekOfMeetings.kcd";
}

// The project file's text (UTF-16 with byte-order mark) as UTF-8.
inline std::string WeekOfMeetingsText() {
    return Utf16FileText(WeekOfMeetingsPath());
}

// The project's Data element as the file holds it, which is as the calendar writes it.
inline std::string WeekOfMeetingsData() {
    const std::string text = WeekOfMeetingsText();
    const size_t begin = text.find("<Data>");
    const size_t end = text.find("</Data>");
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return text.substr(begin, end + 7 - begin);
}

constexpr const char* kEmptyCalendarData = "<Data>\n\t<Events>\n\t\t</Events></Data>";
constexpr const char* kCalendarProgId = "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1";

inline std::string CalendarModulePath() {
    return ProgramDir() + "TEVCalendarAx.so";
}

} // namespace tevtest
