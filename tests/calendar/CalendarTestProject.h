#pragma once
// The project of a week of meetings (tests/calendar/data/WeekOfMeetings.kcd): its text and
// its Data element as the calendar writes it.
#include "platform/text/TextConvert.h"
#include "platform/xml/XmlDom.h"
#include "tests/support/TestSupport.h"

#include <string>

namespace tevtest {

inline std::string WeekOfMeetingsPath() {
    return SourceDir() + "tests/calendar/data/WeekOfMeetings.kcd";
}

// The project file's text (UTF-16 with byte-order mark) as UTF-8.
inline std::string WeekOfMeetingsText() {
    const std::string bytes = ReadFileBytes(WeekOfMeetingsPath());
    if (bytes.size() < 2)
        return {};
    return tev::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                                (bytes.size() - 2) / 2));
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
