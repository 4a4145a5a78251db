#pragma once
// The calendar control's string table, command and menu identifiers.
#include <string>

namespace tev::calendar {

// Commands of the frame, the view and their menus.
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_PREVIEW_CLOSE = 0xE300;
constexpr int ID_VIEW_OPTIONS_PANE = 7747;
constexpr int ID_VIEW_DATE_PICKER = 7748;
constexpr int ID_CALENDARVIEW_DAY = 7750;
constexpr int ID_CALENDARVIEW_WORKWEEK = 7751;
constexpr int ID_CALENDARVIEW_WEEK = 7752;
constexpr int ID_CALENDARVIEW_MONTH = 7753;
constexpr int ID_TIMESCALE_60 = 7754;
constexpr int ID_TIMESCALE_30 = 7755;
constexpr int ID_TIMESCALE_15 = 7756;
constexpr int ID_TIMESCALE_10 = 7757;
constexpr int ID_TIMESCALE_6 = 7758;
constexpr int ID_TIMESCALE_5 = 7759;
constexpr int ID_ADD_NEW_EVENT = 7761;
constexpr int ID_DELETE_EVENT = 7762;
constexpr int ID_EVENT_PROPERTIES = 7763;
constexpr int ID_GOTO_THIS_DAY = 7764;
constexpr int ID_IMPORT_EVENTS = 7768;
constexpr int ID_EXPORT_EVENTS = 7769;

// Menus, bars and windows.
constexpr int IDR_MENU_DAY_VIEW = 7765;
constexpr int IDR_MENU_OTHER_VIEWS = 7766;
constexpr int IDR_MENU_EVENT = 7767;
constexpr int IDR_TOOLBAR_STANDARD = 7707;
constexpr int IDD_DATE_PICKER_BAR = 7706;
constexpr int IDC_DATE_PICKER = 7710;
constexpr int IDD_OPTIONS_BAR = 7709;
constexpr int IDD_EVENT_EDITOR = 7704;
constexpr int IDD_RECURRENCE_EDITOR = 7705;
constexpr int IDD_OCCURRENCE_OR_SERIES = 7779;

// The options bar and its controls.
constexpr int IDC_WORKWEEK_SU = 7742;
constexpr int IDC_WORKWEEK_MO = 7721;
constexpr int IDC_WORKWEEK_TU = 7737;
constexpr int IDC_WORKWEEK_WE = 7738;
constexpr int IDC_WORKWEEK_TH = 7739;
constexpr int IDC_WORKWEEK_FR = 7740;
constexpr int IDC_WORKWEEK_SA = 7741;
constexpr int IDC_FIRST_DAY_OF_WEEK = 7714;
constexpr int IDC_START_TIME = 7719;
constexpr int IDC_END_TIME = 7720;
constexpr int IDC_TIME_SCALE = 7716;
constexpr int IDC_TIME_ZONE = 7733;
constexpr int IDC_WEEK_CLOCKS = 7717;
constexpr int IDC_WEEK_END_TIME = 7718;
constexpr int IDC_MONTH_CLOCKS = 7711;
constexpr int IDC_MONTH_END_TIME = 7712;
constexpr int IDC_MONTH_COMPRESS_WEEKEND = 7713;
constexpr int IDC_WEEKS_COUNT = 7715;
constexpr int IDC_TOOLTIPS = 7722;
constexpr int IDC_ADVANCED = 7728;
constexpr const char* kGroupWorkWeek = "Calendar work week ";
constexpr const char* kGroupDayView = "Day view";
constexpr const char* kGroupWeekView = "Week view";
constexpr const char* kGroupMonthView = "Month view";
constexpr const char* kGroupOther = "Other";
constexpr const char* kLabelFirstDayOfWeek = "First Day of week:";
constexpr const char* kLabelStartTime = "Start time:";
constexpr const char* kLabelEndTime = "End time:";
constexpr const char* kLabelTimeScale = "Time scale:";
constexpr const char* kButtonTimeZone = "Time zone ...";
constexpr const char* kCheckShowClocks = "Show time as clocks";
constexpr const char* kCheckShowEndTime = "Show end time";
constexpr const char* kCheckCompressWeekend = "Compress weekend days";
constexpr const char* kLabelWeeksCount = "Weeks count:";
constexpr const char* kLabelToolTips = "ToolTips:";
constexpr const char* kToolTipModes[] = {"Standard", "Custom", "Disabled"};
constexpr const char* kButtonAdvanced = "Advanced...";
constexpr const char* kScaleItemFormat = "%d minutes";
constexpr const char* kTimeItemFormat = "%02d:%02d";

// "Appointment and Event Details": its controls, visible ones first, then those kept hidden
// that carry their values through unchanged.
constexpr int IDC_EVENT_SUBJECT = 7851;
constexpr int IDC_EVENT_LOCATION = 7853;
constexpr int IDC_EVENT_START_DATE = 7855;
constexpr int IDC_EVENT_START_TIME = 7857;
constexpr int IDC_EVENT_END_DATE = 7858;
constexpr int IDC_EVENT_END_TIME = 7859;
constexpr int IDC_EVENT_ALL_DAY = 7860;
constexpr int IDC_EVENT_RECURRENCE = 7871;
constexpr int IDC_EVENT_BODY = 7873;
constexpr int IDC_EVENT_BUSY_STATUS = 7861;
constexpr int IDC_EVENT_LABEL = 7862;
constexpr int IDC_EVENT_PRIVATE = 7867;
constexpr int IDC_EVENT_MEETING = 7869;
constexpr int IDC_EVENT_REMINDER = 7865;
constexpr int IDC_EVENT_REMINDER_TIME = 7866;
constexpr int IDC_EVENT_SCHEDULE = 7863;
constexpr int IDC_EVENT_SCHEDULE_LABEL = 7864;
constexpr const char* kEventEditorCaption = "Appointment and Event Details";
constexpr const char* kLabelSubject = "Subject:";
constexpr const char* kLabelLocation = "Location:";
constexpr const char* kCheckAllDayEvent = "All da&y event";
constexpr const char* kButtonRecurrence = "Rec&urrence...";
constexpr const char* kLabelShowTimeAs = "Sho&w time as:";
constexpr const char* kLabelLabel = "La&bel:";
constexpr const char* kCheckPrivate = "&Private";
constexpr const char* kCheckMeeting = "&Meeting";
constexpr const char* kCheckReminder = "&Reminder:";
constexpr const char* kLabelScheduleId = "Schedule ID";

// "Appointment Recurrence".
constexpr int IDC_RECURRENCE_START = 7863;
constexpr int IDC_RECURRENCE_END = 7856;
constexpr int IDC_RECURRENCE_DURATION = 7868;
constexpr int IDC_RECURRENCE_DAILY = 7875;
constexpr int IDC_RECURRENCE_WEEKLY = 7876;
constexpr int IDC_RECURRENCE_MONTHLY = 7877;
constexpr int IDC_RECURRENCE_YEARLY = 7878;
constexpr int IDC_DAILY_EVERY = 7882;
constexpr int IDC_DAILY_INTERVAL = 7884;
constexpr int IDC_DAILY_DAYS_LABEL = 7879;
constexpr int IDC_DAILY_WORKDAYS = 7883;
constexpr int IDC_WEEKLY_RECUR_LABEL = 7892;
constexpr int IDC_WEEKLY_INTERVAL = 7881;
constexpr int IDC_WEEKLY_WEEKS_LABEL = 7893;
constexpr int IDC_WEEKLY_MONDAY = 7885;
constexpr int IDC_WEEKLY_TUESDAY = 7886;
constexpr int IDC_WEEKLY_WEDNESDAY = 7887;
constexpr int IDC_WEEKLY_THURSDAY = 7888;
constexpr int IDC_WEEKLY_FRIDAY = 7889;
constexpr int IDC_WEEKLY_SATURDAY = 7890;
constexpr int IDC_WEEKLY_SUNDAY = 7891;
constexpr int IDC_MONTHLY_DAY = 7894;
constexpr int IDC_MONTHLY_DAY_NUMBER = 7896;
constexpr int IDC_MONTHLY_DAY_OF_EVERY = 7901;
constexpr int IDC_MONTHLY_DAY_INTERVAL = 7897;
constexpr int IDC_MONTHLY_DAY_MONTHS = 7902;
constexpr int IDC_MONTHLY_THE = 7895;
constexpr int IDC_MONTHLY_WHICH = 7898;
constexpr int IDC_MONTHLY_WEEKDAY = 7899;
constexpr int IDC_MONTHLY_THE_OF_EVERY = 7903;
constexpr int IDC_MONTHLY_THE_INTERVAL = 7900;
constexpr int IDC_MONTHLY_THE_MONTHS = 7904;
constexpr int IDC_YEARLY_EVERY = 7905;
constexpr int IDC_YEARLY_MONTH = 7908;
constexpr int IDC_YEARLY_DAY = 7907;
constexpr int IDC_YEARLY_THE = 7906;
constexpr int IDC_YEARLY_WHICH = 7911;
constexpr int IDC_YEARLY_WEEKDAY = 7912;
constexpr int IDC_YEARLY_OF = 7910;
constexpr int IDC_YEARLY_THE_MONTH = 7909;
constexpr int IDC_RANGE_START = 7854;
constexpr int IDC_RANGE_NO_END = 7870;
constexpr int IDC_RANGE_END_AFTER = 7872;
constexpr int IDC_RANGE_OCCURRENCES = 7880;
constexpr int IDC_RANGE_END_BY = 7874;
constexpr int IDC_RANGE_END_DATE = 7916;
constexpr int IDC_REMOVE_RECURRENCE = 7852;
// What the recurrence dialog ends with after "Remove recurrence".
constexpr int ID_RECURRENCE_REMOVED = 103;
constexpr const char* kRecurrenceEditorCaption = "Appointment Recurrence";
constexpr const char* kGroupAppointmentTime = "Appointment time";
constexpr const char* kLabelRecurrenceStart = "S&tart:";
constexpr const char* kLabelRecurrenceEnd = "E&nd:";
constexpr const char* kLabelDuration = "D&uration:";
constexpr const char* kGroupRecurrencePattern = "Recurrence pattern";
constexpr const char* kRadioDaily = "Daily";
constexpr const char* kRadioWeekly = "Weekly";
constexpr const char* kRadioMonthly = "Monthly";
constexpr const char* kRadioYearly = "Yearly";
constexpr const char* kRadioDailyEvery = "Every";
constexpr const char* kLabelDays = "day(s)";
constexpr const char* kRadioWorkDays = "WorkDays";
constexpr const char* kLabelRecurEvery = "Re&cur every";
constexpr const char* kLabelWeeksOn = "week(s) on:";
constexpr const char* kRadioMonthlyDay = "D&ay";
constexpr const char* kLabelOfEvery = "of every";
constexpr const char* kLabelMonths = "month(s)";
constexpr const char* kRadioMonthlyThe = "Th&e";
constexpr const char* kRadioYearlyEvery = "E&very";
constexpr const char* kRadioYearlyThe = "The";
constexpr const char* kLabelOf = "of";
constexpr const char* kGroupRange = "Range of recurrence";
constexpr const char* kLabelRangeStart = "&Start";
constexpr const char* kRadioNoEndDate = "No end date";
constexpr const char* kRadioEndAfter = "End after:";
constexpr const char* kLabelOccurrences = "occurrences";
constexpr const char* kRadioEndBy = "End by:";
constexpr const char* kButtonRemoveRecurrence = "Remove recurrence";
constexpr const char* kButtonOK = "OK";
constexpr const char* kButtonCancel = "Cancel";

// What the event dialog says of a series in place of its dates: "Occurs", the rule, the
// times, the range.
constexpr const char* kOccursFormat = "Occurs %s%s%s.";
constexpr const char* kEveryDay = "every day";
constexpr const char* kEveryDays = "every %d days";
constexpr const char* kEveryWorkDay = "every work day";
constexpr const char* kEveryWeekOn = "every week on %s";
constexpr const char* kEveryWeeksOn = "every %d weeks on %s";
constexpr const char* kDayOfEveryMonth = "on day %d of every month";
constexpr const char* kDayOfEveryMonths = "on day %d of every %d months";
constexpr const char* kTheDayOfEveryMonth = "on the %s %s of every month";
constexpr const char* kTheDayOfEveryMonths = "on the %s %s of every %d months";
constexpr const char* kEveryYearOn = "every %s %d";
constexpr const char* kTheDayOfMonth = "on the %s %s of %s";
constexpr const char* kFromTo = " from %s to %s";
constexpr const char* kStarting = ", starting %s";
constexpr const char* kTimes = ", %d times";
constexpr const char* kUntil = " until %s";
constexpr const char* kAnd = " and ";

// The occurrence-or-series question: it ends with the identifier of the chosen button.
constexpr int IDC_CHOOSE_OCCURRENCE = 7797;
constexpr int IDC_CHOOSE_SERIES = 7798;

// Texts, keyed by their identifiers; tip texts hold the prompt, a line feed and the tip.
constexpr int IDS_DELETE_EVENT_QUESTION = 7701;
constexpr int IDS_END_BEFORE_START = 7702;
// Recurring events: caption, the two choices and the question, one per line.
constexpr int IDS_OPEN_RECURRING_ITEM = 7780;
constexpr int IDS_DELETE_RECURRING_ITEM = 7781;
constexpr int IDS_BUSY_FREE = 7783;   // to 7786, in list order
constexpr int IDS_WHICH_FIRST = 7787; // to 7791 "Last", in list order
constexpr int IDS_REMINDER_0 = 7792;  // to 7796, in list order
constexpr int IDS_WRONG_VALUE = 7824;
constexpr int IDS_EXCEPTIONS_LOST = 7825;
constexpr int IDS_VALUE_BETWEEN = 7846;
constexpr int IDS_TIP_OPTIONS_PANE = 7747;
constexpr int IDS_TIP_DATE_PICKER = 7748;
constexpr int IDS_TIP_DAY_VIEW = 7750;
constexpr int IDS_TIP_WORKWEEK_VIEW = 7751;
constexpr int IDS_TIP_WEEK_VIEW = 7752;
constexpr int IDS_TIP_MONTH_VIEW = 7753;
constexpr int IDS_TIP_IMPORT_EVENTS = 7768;
constexpr int IDS_TIP_EXPORT_EVENTS = 7769;
// iCalendar import and export: file filter, report parts, one line per event noted.
constexpr int IDS_ICALENDAR_FILTER = 7800;
constexpr int IDS_IMPORTED_ONE = 7801;
constexpr int IDS_IMPORTED_MANY = 7802;
constexpr int IDS_NOT_IMPORTED = 7803;
constexpr int IDS_CONVERTED = 7804;
constexpr int IDS_FILE_UNREADABLE = 7805;
constexpr int IDS_FILE_NO_CALENDAR = 7806;
constexpr int IDS_FILE_TOO_LARGE = 7807;
constexpr int IDS_NOTE_NO_START = 7808;
constexpr int IDS_NOTE_TOO_OFTEN = 7809;
constexpr int IDS_NOTE_CONVERTED = 7810;
constexpr int IDS_NOTE_REPEATS_CUT = 7811;
constexpr int IDS_NOTE_REMINDER_MOVED = 7812;
constexpr int IDS_EXPORT_FAILED = 7813;
constexpr int IDS_NO_SUBJECT = 7814;
constexpr int IDS_TIP_PRINT = 57607;
constexpr int IDS_TIP_PRINT_PREVIEW = 57609;
constexpr int IDS_TIP_UNDO = 57643;
constexpr int IDS_TIP_CUT = 57635;
constexpr int IDS_TIP_COPY = 57634;
constexpr int IDS_TIP_PASTE = 57637;

constexpr const char* kMessageCaption = "Quorvane Web Calendar";
constexpr const char* kToolBarName = "Standard";
constexpr const char* kFrameTitle = "Calendar";
// The help book beside the program, and its page about the calendar.
constexpr const char* kHelpBook = "TEVCalendar.htb";
constexpr const char* kHelpCalendarPage = "html/calendar_views.htm";
constexpr const char* kDatePickerTitle = "Date Picker";
constexpr const char* kOptionsTitle = "Options";

// Menu captions.
constexpr const char* kMenuScale60 = "6&0 Minutes";
constexpr const char* kMenuScale30 = "&30 Minutes";
constexpr const char* kMenuScale15 = "&15 Minutes";
constexpr const char* kMenuScale10 = "10 &Minutes";
constexpr const char* kMenuScale6 = "&6 Minutes";
constexpr const char* kMenuScale5 = "&5 Minutes";
constexpr const char* kMenuAddNewEvent = "&Add new event";
constexpr const char* kMenuGoToThisDay = "Go to This &Day";
constexpr const char* kMenuDeleteEvent = "Delete event";
constexpr const char* kMenuProperties = "Properties";
constexpr const char* kMenuImportEvents = "&Import Events...";
constexpr const char* kMenuExportEvents = "E&xport Events...";
constexpr const char* kExportFileName = "Events.ics";

// The text of a string table entry; "" for an unknown identifier.
std::string CalendarString(int id);
// The prompt of a tip text (before the line feed) and the tip itself (after it, trimmed).
std::string PromptOf(const std::string& tipText);
std::string TipOf(const std::string& tipText);
// Line `index` (from 0) of a text of several lines, as the recurring-item questions hold
// them; "" when there are fewer lines.
std::string LineOf(const std::string& text, int index);

// Names for the calendar's own captions: 1 = Sunday ... 7 = Saturday, 1 = January ...
// 12 = December; "" out of range.
std::string DayName(int dayOfWeek);
std::string ShortDayName(int dayOfWeek);
std::string MonthName(int month);
std::string ShortMonthName(int month);

} // namespace tev::calendar
