#include "resources/calendar/CalendarStrings.h"

#include "platform/text/StringUtil.h"
#include "platform/text/Translation.h"

namespace tev::calendar {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDS_DELETE_EVENT_QUESTION, "Would you like to delete event: \"%s\" ?"},
    {IDS_END_BEFORE_START, "The end time you entered occurs before the start time."},
    {IDS_OPEN_RECURRING_ITEM,
     "Open Recurring item\nOpen this &occurrence.\nOpen the &series.\n\"%s\" is a recurring "
     "appointment. Do you want to open only this occurrence or the series?"},
    {IDS_DELETE_RECURRING_ITEM,
     "Confirm Delete\nDelete this &occurrence.\nDelete the &series.\nDo you want to delete all "
     "occurrences of the recurring appointment \"%s\", or just this one?"},
    {IDS_BUSY_FREE, "Free"},
    {IDS_BUSY_FREE + 1, "Tentative"},
    {IDS_BUSY_FREE + 2, "Busy"},
    {IDS_BUSY_FREE + 3, "Out of Office"},
    {IDS_WHICH_FIRST, "First"},
    {IDS_WHICH_FIRST + 1, "Second"},
    {IDS_WHICH_FIRST + 2, "Third"},
    {IDS_WHICH_FIRST + 3, "Fourth"},
    {IDS_WHICH_FIRST + 4, "Last"},
    {IDS_REMINDER_0, "0 minutes"},
    {IDS_REMINDER_0 + 1, "1 minute"},
    {IDS_REMINDER_0 + 2, "5 minutes"},
    {IDS_REMINDER_0 + 3, "10 minutes"},
    {IDS_REMINDER_0 + 4, "15 minutes"},
    {IDS_WRONG_VALUE, "Wrong value!"},
    {IDS_TIP_IMPORT_EVENTS, "Import events from iCalendar (.ics) files\nImport Events..."},
    {IDS_TIP_EXPORT_EVENTS, "Export the events to an iCalendar (.ics) file\nExport Events..."},
    {IDS_ICALENDAR_FILTER, "iCalendar Files (*.ics)|*.ics|All Files (*.*)|*.*||"},
    {IDS_IMPORTED_ONE, "1 event was imported."},
    {IDS_IMPORTED_MANY, "%d events were imported."},
    {IDS_NOT_IMPORTED, "These could not be imported:"},
    {IDS_CONVERTED, "These were changed to the nearest form the calendar can hold:"},
    {IDS_FILE_UNREADABLE, "%s: the file could not be read."},
    {IDS_FILE_NO_CALENDAR, "%s: the file holds no iCalendar data."},
    {IDS_FILE_TOO_LARGE, "%s: the file is larger than 32 MB."},
    {IDS_NOTE_NO_START, "\"%s\" has no start time."},
    {IDS_NOTE_TOO_OFTEN, "\"%s\" repeats more often than every hour."},
    {IDS_NOTE_CONVERTED, "\"%s\": its repeats are shown as the calendar's series with "
                         "separate or deleted occurrences."},
    {IDS_NOTE_REPEATS_CUT, "\"%s\": its repeats are shown for the next five years."},
    {IDS_NOTE_REMINDER_MOVED, "\"%s\": its reminder after the start now comes at the start."},
    {IDS_EXPORT_FAILED, "The events could not be written to %s."},
    {IDS_NO_SUBJECT, "(no subject)"},
    {IDS_EXCEPTIONS_LOST,
     "Any exceptions associated with this recurring appointment will be lost. If any of the "
     "exceptions are meetings, the attendees will not be notified. Is this OK?"},
    {IDS_VALUE_BETWEEN, "Please enter a value between %s and %s."},
    {IDS_TIP_OPTIONS_PANE, "Show/hide options pane\nShow/hide options pane"},
    {IDS_TIP_DATE_PICKER, "Show/hide date picker control \n Show/hide date picker control"},
    {IDS_TIP_DAY_VIEW, "Switch calendar to day view mode\nDay view"},
    {IDS_TIP_WORKWEEK_VIEW, "Switch calendar to work week view mode\nWork week view"},
    {IDS_TIP_WEEK_VIEW, "Switch calendar to week view mode\nWeek view"},
    {IDS_TIP_MONTH_VIEW, "Switch calendar to month view mode\nMonth view"},
    {IDS_TIP_PRINT, "Print the calendar\nPrint"},
    {IDS_TIP_PRINT_PREVIEW, "Display the calendar as it will be printed\nPrint Preview"},
    {IDS_TIP_UNDO, "Undo the last action\nUndo"},
    {IDS_TIP_CUT, "Cut the selected events and put them on the Clipboard\nCut"},
    {IDS_TIP_COPY, "Copy the selected events and put them on the Clipboard\nCopy"},
    {IDS_TIP_PASTE, "Insert Clipboard contents\nPaste"},
};

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

std::string CalendarString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return tev::Translate(entry.text);
    }
    return {};
}

std::string PromptOf(const std::string& tipText) {
    return Trimmed(tipText.substr(0, tipText.find('\n')));
}

std::string TipOf(const std::string& tipText) {
    const size_t lineFeed = tipText.find('\n');
    return lineFeed == std::string::npos ? Trimmed(tipText) : Trimmed(tipText.substr(lineFeed + 1));
}

std::string LineOf(const std::string& text, int index) {
    size_t begin = 0;
    for (int line = 0; line < index; ++line) {
        begin = text.find('\n', begin);
        if (begin == std::string::npos)
            return {};
        ++begin;
    }
    return text.substr(begin, text.find('\n', begin) - begin);
}

std::string DayName(int dayOfWeek) {
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? tev::Translate(kDayNames[dayOfWeek - 1]) : "";
}

// Languages shorten names their own way, so the short names are texts of their own.
std::string ShortDayName(int dayOfWeek) {
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? tev::Translate(kShortDayNames[dayOfWeek - 1]) : "";
}

std::string MonthName(int month) {
    return month >= 1 && month <= 12 ? tev::Translate(kMonthNames[month - 1]) : "";
}

std::string ShortMonthName(int month) {
    return month >= 1 && month <= 12 ? tev::Translate(kShortMonthNames[month - 1]) : "";
}

} // namespace tev::calendar
