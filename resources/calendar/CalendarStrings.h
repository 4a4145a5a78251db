#pragma once
// The calendar control's string table, command and menu identifiers.
#include <string>

namespace tev::calendar {

// Commands of the frame, the view and their menus.
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_EDIT_UNDO = 57643;
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

// Menus, bars and windows.
constexpr int IDR_MENU_DAY_VIEW = 7765;
constexpr int IDR_MENU_OTHER_VIEWS = 7766;
constexpr int IDR_MENU_EVENT = 7767;
constexpr int IDR_TOOLBAR_STANDARD = 7707;
constexpr int IDD_DATE_PICKER_BAR = 7706;
constexpr int IDC_DATE_PICKER = 7710;
constexpr int IDD_OPTIONS_BAR = 7709;

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

// Texts, keyed by their identifiers; tip texts hold the prompt, a line feed and the tip.
constexpr int IDS_DELETE_EVENT_QUESTION = 7701;
constexpr int IDS_TIP_OPTIONS_PANE = 7747;
constexpr int IDS_TIP_DATE_PICKER = 7748;
constexpr int IDS_TIP_DAY_VIEW = 7750;
constexpr int IDS_TIP_WORKWEEK_VIEW = 7751;
constexpr int IDS_TIP_WEEK_VIEW = 7752;
constexpr int IDS_TIP_MONTH_VIEW = 7753;
constexpr int IDS_TIP_PRINT = 57607;
constexpr int IDS_TIP_PRINT_PREVIEW = 57609;
constexpr int IDS_TIP_UNDO = 57643;
constexpr int IDS_TIP_CUT = 57635;
constexpr int IDS_TIP_COPY = 57634;
constexpr int IDS_TIP_PASTE = 57637;

constexpr const char* kMessageCaption = "Quorvane Web Calendar";
constexpr const char* kToolBarName = "Standard";
constexpr const char* kFrameTitle = "Calendar";
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

// The text of a string table entry; "" for an unknown identifier.
std::string CalendarString(int id);
// The prompt of a tip text (before the line feed) and the tip itself (after it, trimmed).
std::string PromptOf(const std::string& tipText);
std::string TipOf(const std::string& tipText);

// Names for the calendar's own captions: 1 = Sunday ... 7 = Saturday, 1 = January ...
// 12 = December; "" out of range.
std::string DayName(int dayOfWeek);
std::string ShortDayName(int dayOfWeek);
std::string MonthName(int month);
std::string ShortMonthName(int month);

} // namespace tev::calendar
