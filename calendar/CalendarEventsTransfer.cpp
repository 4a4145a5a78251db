#include "calendar/CalendarEventsTransfer.h"

#include "calendar/store/CalendarData.h"
#include "platform/text/StdioFileEx.h"
#include "platform/text/StringUtil.h"
#include "resources/calendar/CalendarStrings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tev::calendar;

namespace {

int NoteText(CalendarImportNote note) {
    switch (note) {
    case CalendarImportNote::NoStart:
        return IDS_NOTE_NO_START;
    case CalendarImportNote::RepeatsTooOften:
        return IDS_NOTE_TOO_OFTEN;
    case CalendarImportNote::Converted:
        return IDS_NOTE_CONVERTED;
    case CalendarImportNote::RepeatsCut:
        return IDS_NOTE_REPEATS_CUT;
    case CalendarImportNote::ReminderMoved:
        return IDS_NOTE_REMINDER_MOVED;
    }
    return IDS_NOTE_CONVERTED;
}

bool IsFailure(CalendarImportNote note) {
    return note == CalendarImportNote::NoStart || note == CalendarImportNote::RepeatsTooOften;
}

int FileProblemText(CCalendarFileImport::Problem problem) {
    switch (problem) {
    case CCalendarFileImport::Problem::Unreadable:
        return IDS_FILE_UNREADABLE;
    case CCalendarFileImport::Problem::TooLarge:
        return IDS_FILE_TOO_LARGE;
    default:
        return IDS_FILE_NO_CALENDAR;
    }
}

std::string Line(int textId, const std::string& value) {
    return tev::Replaced(CalendarString(textId), "%s", value) + "\n";
}

} // namespace

CCalendarEventsTransfer::CCalendarEventsTransfer(std::string zoneName)
    : m_zoneName(std::move(zoneName)) {}

CCalendarFileImport CCalendarEventsTransfer::ReadFile(const std::string& path,
                                                      CCalendarData& store) const {
    CCalendarFileImport file;
    file.path = path;
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream stream(path, std::ios::binary);
    if (error || !stream) {
        file.problem = CCalendarFileImport::Problem::Unreadable;
        return file;
    }
    if (size > CCalendarICalendarReader::kMaxTextBytes) {
        file.problem = CCalendarFileImport::Problem::TooLarge;
        return file;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    file.result = CCalendarICalendarReader(m_zoneName).Read(text.str(), store);
    if (!file.result.m_readable)
        file.problem = CCalendarFileImport::Problem::NoCalendar;
    return file;
}

void CCalendarEventsTransfer::AddEvents(CCalendarData& store,
                                        const std::vector<CCalendarFileImport>& files) {
    for (const CCalendarFileImport& file : files) {
        for (const CCalendarEventPtr& event : file.result.m_events)
            store.AddEvent(event);
    }
}

std::string CCalendarEventsTransfer::ReportText(const std::vector<CCalendarFileImport>& files) {
    int imported = 0;
    std::string failed;
    std::string converted;
    for (const CCalendarFileImport& file : files) {
        imported += file.result.m_imported;
        if (file.problem != CCalendarFileImport::Problem::None)
            failed += Line(FileProblemText(file.problem), tev::FileNameOf(file.path));
        for (const CCalendarImportEntry& entry : file.result.m_notes) {
            const std::string subject =
                entry.m_subject.empty() ? CalendarString(IDS_NO_SUBJECT) : entry.m_subject;
            (IsFailure(entry.m_note) ? failed : converted) += Line(NoteText(entry.m_note), subject);
        }
    }
    std::string text = imported == 1 ? CalendarString(IDS_IMPORTED_ONE)
                                     : tev::Replaced(CalendarString(IDS_IMPORTED_MANY), "%d",
                                                     std::to_string(imported));
    for (const auto& [heading, lines] :
         {std::pair(IDS_NOT_IMPORTED, failed), std::pair(IDS_CONVERTED, converted)}) {
        if (!lines.empty())
            text += "\n\n" + CalendarString(heading) + "\n" + lines.substr(0, lines.size() - 1);
    }
    return text;
}

std::string CCalendarEventsTransfer::WriteText(const CCalendarData& store,
                                               const std::vector<uint32_t>& ids) const {
    return CCalendarICalendarWriter(m_zoneName).Write(store, ids);
}

bool CCalendarEventsTransfer::WriteFile(const std::string& path, const CCalendarData& store,
                                        const std::vector<uint32_t>& ids) const {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                             CStdioFileEx::typeBinary | CStdioFileEx::modeAtomicReplace))
        return false;
    const bool written = file.WriteString(WriteText(store, ids));
    return file.Close() && written;
}
