// The calendar frame and view in real windows: toolbar, command rules, the date picker's
// link to the calendar, right-click menus, the week's first day and the options bar.
#include "calendar/DatePickerDialogBar.h"
#include "calendar/OptionsDialogBar.h"
#include "tests/calendar/CalendarFrameTesting.h"

#include <wx/button.h>
#include <wx/calctrl.h>
#include <wx/clipbrd.h>
#include <wx/generic/calctrlg.h>
#include <wx/menu.h>

using namespace tev::calendar;
using tevtest::At;
using tevtest::CalendarFrame;
using tevtest::Day;

TEST_F(CalendarFrame, PrintingAndEditingToolsFollowTheSelectionAndTheHistory) {
    LoadWeekOfMeetings();
    wxTheClipboard->Clear();
    // Printing is always there; undo waits for a change, cut and copy for a picked event,
    // paste for events on the clipboard and a place to put them.
    EXPECT_TRUE(Tool(ID_FILE_PRINT_PREVIEW).first);
    EXPECT_TRUE(Tool(ID_FILE_PRINT).first);
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(Tool(id).first) << id;
    calendar->Update();
    ASSERT_TRUE(calendar->SelectAt(EventPoint("Sprint planning"), false));
    EXPECT_TRUE(Tool(ID_EDIT_CUT).first);
    EXPECT_TRUE(Tool(ID_EDIT_COPY).first);
    EXPECT_FALSE(Tool(ID_EDIT_PASTE).first);
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(Tool(ID_EDIT_PASTE).first);
    calendar->GetSelection().Clear();
    EXPECT_FALSE(Tool(ID_EDIT_PASTE).first); // nowhere to put them
    EXPECT_FALSE(Tool(ID_EDIT_COPY).first);
    calendar->SelectAt(TimePoint(14 * 60), false);
    EXPECT_TRUE(Tool(ID_EDIT_PASTE).first);
    Command(ID_EDIT_PASTE);
    EXPECT_TRUE(Tool(ID_EDIT_UNDO).first);
    Command(ID_EDIT_UNDO);
    EXPECT_FALSE(Tool(ID_EDIT_UNDO).first);
    EXPECT_EQ(view->WriteData(), tevtest::WeekOfMeetingsData());
    // The view buttons show the view.
    EXPECT_EQ(Tool(ID_CALENDARVIEW_DAY), std::make_pair(true, true));
    EXPECT_EQ(Tool(ID_CALENDARVIEW_MONTH), std::make_pair(true, false));
    EXPECT_EQ(Tool(ID_VIEW_DATE_PICKER), std::make_pair(true, true));
}

TEST_F(CalendarFrame, ViewCommandsSwitchAndCheckTheirView) {
    struct Case {
        int command;
        CalendarViewType type;
    };
    const Case cases[] = {
        {ID_CALENDARVIEW_MONTH, kCalendarMonthView},
        {ID_CALENDARVIEW_WEEK, kCalendarWeekView},
        {ID_CALENDARVIEW_WORKWEEK, kCalendarWorkWeekView},
        {ID_CALENDARVIEW_DAY, kCalendarDayView},
        {ID_CALENDARVIEW_DAY, kCalendarDayView},
    };
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_EQ(calendar->GetActiveViewType(), c.type);
        for (int id = ID_CALENDARVIEW_DAY; id <= ID_CALENDARVIEW_MONTH; ++id) {
            EXPECT_EQ(Rule(id), std::make_pair(true, id == c.command)) << id;
            EXPECT_EQ(Tool(id), std::make_pair(true, id == c.command)) << id;
        }
    }
    // Commands the view does not know are left to others.
    bool enabled = false;
    bool checked = false;
    EXPECT_FALSE(view->OnUpdateCommand(ID_VIEW_DATE_PICKER, enabled, checked));
    EXPECT_FALSE(view->OnCommand(ID_VIEW_DATE_PICKER));
    // A new event can be added in every view.
    for (int id = ID_CALENDARVIEW_DAY; id <= ID_CALENDARVIEW_MONTH; ++id) {
        Command(id);
        EXPECT_EQ(Rule(ID_ADD_NEW_EVENT), std::make_pair(true, false)) << id;
    }
}

TEST_F(CalendarFrame, ScalesApplyInDayViewAndSurviveOtherViews) {
    EXPECT_EQ(view->GetScale(), 30); // the configured scale, taken at the first update
    EXPECT_EQ(calendar->GetTopRow(), 8 * 60 / 30); // the work day's start in sight
    struct Case {
        int command;
        int scale;
    };
    const Case cases[] = {{ID_TIMESCALE_60, 60}, {ID_TIMESCALE_15, 15}, {ID_TIMESCALE_10, 10},
                          {ID_TIMESCALE_6, 6},   {ID_TIMESCALE_5, 5},   {ID_TIMESCALE_30, 30}};
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_EQ(view->GetScale(), c.scale);
        EXPECT_EQ(calendar->GetScaleInterval(), c.scale);
        for (int id = ID_TIMESCALE_60; id <= ID_TIMESCALE_5; ++id)
            EXPECT_EQ(Rule(id), std::make_pair(true, id == c.command)) << id;
    }
    Command(ID_TIMESCALE_15);
    // The top of the day view keeps its time of day when the scale changes.
    EXPECT_EQ(calendar->GetTopRow() * 15, 8 * 60);

    Command(ID_CALENDARVIEW_WORKWEEK);
    EXPECT_EQ(Rule(ID_TIMESCALE_15), std::make_pair(false, false)); // day view only
    EXPECT_EQ(calendar->GetScaleInterval(), 15);
    Command(ID_CALENDARVIEW_MONTH);
    Command(ID_CALENDARVIEW_WEEK);
    EXPECT_EQ(Rule(ID_TIMESCALE_60), std::make_pair(false, false));
    Command(ID_CALENDARVIEW_DAY);
    EXPECT_EQ(calendar->GetScaleInterval(), 15);
    EXPECT_EQ(Rule(ID_TIMESCALE_15), std::make_pair(true, true));
}

TEST_F(CalendarFrame, TheDatePickerMovesTheCalendarAndMarksItsDays) {
    CDatePickerDialogBar* bar = frame->GetDatePickerBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetLabel(), "Date Picker");
    wxGenericCalendarCtrl* picker = bar->GetDatePicker();
    EXPECT_EQ(picker->GetId(), IDC_DATE_PICKER);
    EXPECT_EQ(bar->GetMarkedDays(), calendar->GetVisibleDays());

    Command(ID_CALENDARVIEW_WEEK);
    EXPECT_EQ(bar->GetMarkedDays().size(), 7u);
    EXPECT_EQ(bar->GetMarkedDays().front(), Day("2026-12-06"));
    EXPECT_TRUE(picker->GetAttr(9) && picker->GetAttr(9)->HasBackgroundColour());
    EXPECT_FALSE(picker->GetAttr(16) && picker->GetAttr(16)->HasBackgroundColour());

    // The user picks 16 December: the week view moves to that week.
    wxCalendarEvent picked(picker, wxDateTime(16, wxDateTime::Dec, 2026),
                           wxEVT_CALENDAR_SEL_CHANGED);
    picker->ProcessWindowEvent(picked);
    EXPECT_EQ(calendar->GetActiveViewType(), kCalendarWeekView);
    EXPECT_EQ(calendar->GetModel().GetSelectedDay(), Day("2026-12-16"));
    EXPECT_EQ(calendar->GetVisibleDays().front(), Day("2026-12-13"));
    EXPECT_EQ(bar->GetMarkedDays(), calendar->GetVisibleDays());
    EXPECT_TRUE(picker->GetAttr(16) && picker->GetAttr(16)->HasBackgroundColour());
    EXPECT_FALSE(picker->GetAttr(9) && picker->GetAttr(9)->HasBackgroundColour());

    // Command 7748 hides and shows the bar.
    Command(ID_VIEW_DATE_PICKER);
    EXPECT_FALSE(bar->IsShown());
    EXPECT_EQ(Tool(ID_VIEW_DATE_PICKER), std::make_pair(true, false));
    Command(ID_VIEW_DATE_PICKER);
    EXPECT_TRUE(bar->IsShown());
    EXPECT_EQ(Tool(ID_VIEW_DATE_PICKER), std::make_pair(true, true));
}

TEST_F(CalendarFrame, RightClickMenusFollowTheView) {
    tev::PumpEventsFor(30);
    const wxPoint tenOClock = TimePoint(10 * 60);
    ASSERT_NE(tenOClock, wxPoint(-1, -1));
    EXPECT_EQ(view->ContextMenuAt(tenOClock), IDR_MENU_DAY_VIEW);
    EXPECT_EQ(view->ContextMenuAt(wxPoint(5, tenOClock.y)), 0); // the time captions
    EXPECT_EQ(view->ContextMenuAt(wxPoint(-5, -5)), 0);

    struct Case {
        int scale;
        const char* checked;
    };
    const Case cases[] = {{60, "6&0 Minutes"}, {45, "&30 Minutes"}, {30, "&30 Minutes"},
                          {12, "10 &Minutes"}, {5, "&5 Minutes"},   {4, nullptr}};
    for (const Case& c : cases) {
        calendar->SetScaleInterval(c.scale);
        std::unique_ptr<wxMenu> menu(view->CreateContextMenu(IDR_MENU_DAY_VIEW));
        ASSERT_TRUE(menu);
        ASSERT_EQ(menu->GetMenuItemCount(), 11u);
        std::string checked;
        for (const wxMenuItem* item : menu->GetMenuItems())
            if (item->IsCheckable() && item->IsChecked())
                checked += item->GetItemLabel().utf8_string();
        EXPECT_EQ(checked, c.checked ? c.checked : "") << c.scale;
    }

    Command(ID_CALENDARVIEW_MONTH);
    tev::PumpEventsFor(30);
    // The cell of 17 December in a five-week grid from 29 November: third row, fifth column.
    const wxSize size = calendar->GetClientSize();
    const wxPoint cell(size.x * 4 / 7 + size.x / 14, 24 + (size.y - 24) * 2 / 5 + 10);
    ASSERT_EQ(calendar->HitTest(cell).day, Day("2026-12-17"));
    EXPECT_EQ(view->ContextMenuAt(cell), IDR_MENU_OTHER_VIEWS);
    // Every menu as the user reads it, separators as "-".
    auto items = [&](int menuId) {
        std::unique_ptr<wxMenu> menu(view->CreateContextMenu(menuId));
        std::string text;
        for (const wxMenuItem* item : menu->GetMenuItems())
            text += item->IsSeparator() ? std::string("-|")
                                        : item->GetItemLabel().utf8_string() + " " +
                                              std::to_string(item->GetId()) + "|";
        return text;
    };
    EXPECT_EQ(items(IDR_MENU_DAY_VIEW),
              "6&0 Minutes 7754|&30 Minutes 7755|&15 Minutes 7756|10 &Minutes 7757|"
              "&6 Minutes 7758|&5 Minutes 7759|-|&Add new event 7761|-|"
              "&Import Events... 7768|E&xport Events... 7769|");
    EXPECT_EQ(items(IDR_MENU_OTHER_VIEWS), "Go to This &Day 7764|-|&Add new event 7761|-|"
                                           "&Import Events... 7768|E&xport Events... 7769|");
    EXPECT_EQ(items(IDR_MENU_EVENT), "Delete event 7762|-|Properties 7763|");
    Command(ID_GOTO_THIS_DAY);
    EXPECT_EQ(calendar->GetActiveViewType(), kCalendarDayView);
    EXPECT_EQ(calendar->GetVisibleDays(), std::vector<int64_t>{Day("2026-12-17")});
}

TEST_F(CalendarFrame, WeekStartDayMovesTheFirstColumnOfTheViews) {
    Command(ID_CALENDARVIEW_MONTH);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 1);
    view->OnPropertyChanged("WeekStartDay", "Properties", CComVariant(false));
    EXPECT_EQ(view->GetDataProvider().GetFirstDayOfWeek(), 2);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 2);
    EXPECT_TRUE(frame->GetDatePickerBar()->GetDatePicker()->HasFlag(wxCAL_MONDAY_FIRST));
    view->OnPropertyChanged("weekStartDay", "Properties", CComVariant(true));
    EXPECT_EQ(view->GetDataProvider().GetFirstDayOfWeek(), 2);
    view->OnPropertyChanged("WeekStartDay", "", CComVariant(true));
    EXPECT_EQ(view->GetDataProvider().GetFirstDayOfWeek(), 1);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 1);
    EXPECT_TRUE(frame->GetDatePickerBar()->GetDatePicker()->HasFlag(wxCAL_SUNDAY_FIRST));
}

TEST_F(CalendarFrame, FirstDayOfWeekOutranksWeekStartDayUnlessDefault) {
    struct Case {
        const char* name;
        CComVariant value;
        int firstDay; // in force after the notification
    };
    const Case cases[] = {
        {"FirstDayOfWeek", CComVariant("Wednesday"), 4},
        {"WeekStartDay", CComVariant(false), 4},       // Wednesday still rules
        {"FirstDayOfWeek", CComVariant("Default"), 2}, // Monday, as WeekStartDay says
        {"FirstDayOfWeek", CComVariant("Saturday"), 7},
        {"WeekStartDay", CComVariant(true), 7},
        {"FirstDayOfWeek", CComVariant("Someday"), 1}, // unknown: as Default
        {"firstdayofweek", CComVariant("Friday"), 1},  // the name is exact
        {"FirstDayOfWeek", CComVariant("Friday"), 6},
    };
    Command(ID_CALENDARVIEW_MONTH);
    for (const Case& c : cases) {
        view->OnPropertyChanged(c.name, "Properties", c.value);
        EXPECT_EQ(view->GetDataProvider().GetFirstDayOfWeek(), c.firstDay) << c.name;
        EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), c.firstDay);
    }
    // The options bar shows the day in force.
    Command(ID_VIEW_OPTIONS_PANE);
    EXPECT_EQ(Selected(IDC_FIRST_DAY_OF_WEEK), "Friday");
}

TEST_F(CalendarFrame, TheViewsShowTheStoresEventsAndFollowItsChanges) {
    LoadWeekOfMeetings();
    EXPECT_EQ(view->GetEventIdList().GetCount(), 13u);
    EXPECT_EQ(VisibleSubjects(),
              (std::vector<std::string>{"Team stand-up", "Sprint planning", "Call with Ana"}));
    Command(ID_CALENDARVIEW_WEEK);
    EXPECT_EQ(VisibleSubjects().size(), 10u); // the moved one-to-one included
    Command(ID_CALENDARVIEW_MONTH);
    const std::vector<std::string> month = VisibleSubjects();
    EXPECT_EQ(std::count(month.begin(), month.end(), "Weekly 1:1 with Sam"), 3);
    EXPECT_EQ(std::count(month.begin(), month.end(), "Weekly 1:1 with Sam (moved)"), 1);

    // An event the store adds is listed and shown at once.
    CCalendarData& store = view->GetDataProvider();
    CCalendarEventPtr added = store.CreateNewEvent();
    added->SetSubject("Added");
    added->SetStartTime(At("2026-12-24T18:00"));
    added->SetEndTime(At("2026-12-24T22:00"));
    ASSERT_TRUE(store.AddEvent(added));
    EXPECT_EQ(view->GetEventIdList().GetCount(), 14u);
    EXPECT_EQ(view->GetEventIdList().GetIds().back(), added->GetEventId());
    const std::vector<std::string> with = VisibleSubjects();
    EXPECT_EQ(std::count(with.begin(), with.end(), "Added"), 1);
    ASSERT_TRUE(store.DeleteEvent(added));
    const std::vector<std::string> after = VisibleSubjects();
    EXPECT_EQ(std::count(after.begin(), after.end(), "Added"), 0);
    EXPECT_EQ(view->GetEventIdList().GetCount(), 13u);
    EXPECT_EQ(view->WriteData(), tevtest::WeekOfMeetingsData());
}

TEST_F(CalendarFrame, HitTestsFindEventsAndCells) {
    LoadWeekOfMeetings();
    tev::PumpEventsFor(50);
    calendar->Update();
    const wxPoint planning = TimePoint(10 * 60 + 30);
    ASSERT_NE(planning, wxPoint(-1, -1));
    // Sprint planning fills the left half of the column from 10:00, the call the right.
    const wxSize size = calendar->GetClientSize();
    const auto left = calendar->HitTest(wxPoint(size.x / 3, planning.y));
    ASSERT_EQ(left.kind, CTEVCalendarControl::HitTestInfo::kEvent);
    EXPECT_EQ(left.event->GetSubject(), "Sprint planning");
    const auto right = calendar->HitTest(wxPoint(size.x * 3 / 4, planning.y));
    ASSERT_EQ(right.kind, CTEVCalendarControl::HitTestInfo::kEvent);
    EXPECT_EQ(right.event->GetSubject(), "Call with Ana");
    EXPECT_EQ(calendar->ToolTipText(*right.event), "10:30-11:00 Call with Ana");
    calendar->SetToolTipMode(1);
    EXPECT_EQ(calendar->ToolTipText(*right.event),
              "[ID = 0x00000003] (Dec 7 10:30 - Dec 7 11:00) Call with Ana");
    // An event has its own menu, and a right click picks it.
    EXPECT_EQ(view->ContextMenuAt(wxPoint(size.x / 3, planning.y)), IDR_MENU_EVENT);
    ASSERT_NE(calendar->GetSelection().GetFirstEvent(), nullptr);
    EXPECT_EQ(calendar->GetSelection().GetFirstEvent()->GetSubject(), "Sprint planning");

    const auto free = calendar->HitTest(TimePoint(14 * 60));
    EXPECT_EQ(free.kind, CTEVCalendarControl::HitTestInfo::kTimeCell);
    EXPECT_EQ(free.day, Day("2026-12-07"));
    EXPECT_EQ(free.minute, 14 * 60);
}

TEST_F(CalendarFrame, TheOptionsBarShowsTheCalendarsSettingsAndAppliesChoices) {
    COptionsDialogBar* bar = frame->GetOptionsBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetLabel(), "Options");
    EXPECT_FALSE(bar->IsShown());
    EXPECT_EQ(Tool(ID_VIEW_OPTIONS_PANE), std::make_pair(true, false));
    view->OnPropertyChanged("WeekStartDay", "Properties", CComVariant(false));
    Command(ID_VIEW_OPTIONS_PANE);
    ASSERT_TRUE(bar->IsShown());
    EXPECT_EQ(Tool(ID_VIEW_OPTIONS_PANE), std::make_pair(true, true));

    // What the calendar has, not fixed texts: Monday came from the property just now.
    EXPECT_EQ(bar->WorkWeekMaskOfBoxes(), CCalendarViewModel::kMondayToFriday);
    EXPECT_EQ(Selected(IDC_FIRST_DAY_OF_WEEK), "Monday");
    EXPECT_EQ(Selected(IDC_START_TIME), "08:00");
    EXPECT_EQ(Selected(IDC_END_TIME), "17:00");
    EXPECT_EQ(Selected(IDC_TIME_SCALE), "30 minutes");
    EXPECT_EQ(Selected(IDC_WEEKS_COUNT), "5");
    EXPECT_EQ(Selected(IDC_TOOLTIPS), "Standard");
    EXPECT_EQ(Control<wxChoice>(IDC_START_TIME)->GetCount(), 48u);
    EXPECT_EQ(Control<wxChoice>(IDC_END_TIME)->GetString(47), "23:30");
    EXPECT_TRUE(Control<wxCheckBox>(IDC_WEEK_END_TIME)->GetValue());
    EXPECT_FALSE(Control<wxCheckBox>(IDC_MONTH_END_TIME)->GetValue());
    for (int id : {IDC_TIME_ZONE, IDC_ADVANCED})
        EXPECT_FALSE(Control<wxButton>(id)->IsEnabled()) << id;

    // First day of the week: Wednesday.
    Choose(IDC_FIRST_DAY_OF_WEEK, 3);
    EXPECT_EQ(view->GetDataProvider().GetFirstDayOfWeek(), 4);
    Command(ID_CALENDARVIEW_WEEK);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 4);

    // Clearing every work day brings Sunday back as the only one.
    for (int id :
         {IDC_WORKWEEK_MO, IDC_WORKWEEK_TU, IDC_WORKWEEK_WE, IDC_WORKWEEK_TH, IDC_WORKWEEK_FR})
        Tick(id, false);
    EXPECT_TRUE(Control<wxCheckBox>(IDC_WORKWEEK_SU)->GetValue());
    EXPECT_EQ(calendar->GetModel().GetWorkWeekMask(), 1);
    Tick(IDC_WORKWEEK_SA, true);
    EXPECT_EQ(calendar->GetModel().GetWorkWeekMask(), 1 | 64);
    Command(ID_CALENDARVIEW_WORKWEEK);
    EXPECT_EQ(calendar->GetVisibleDays().size(), 2u);

    // An end before the start moves the start to it, and the other way round.
    Choose(IDC_END_TIME, 10);
    EXPECT_EQ(Selected(IDC_START_TIME), "05:00");
    EXPECT_EQ(calendar->GetModel().GetWorkDayStart(), 5 * 60);
    EXPECT_EQ(calendar->GetModel().GetWorkDayEnd(), 5 * 60);
    Choose(IDC_START_TIME, 40);
    EXPECT_EQ(Selected(IDC_END_TIME), "20:00");
    Choose(IDC_END_TIME, 44);
    EXPECT_EQ(calendar->GetModel().GetWorkDayStart(), 20 * 60);
    EXPECT_EQ(calendar->GetModel().GetWorkDayEnd(), 22 * 60);

    // The scale list acts as the day view's menu does.
    Command(ID_CALENDARVIEW_DAY);
    Choose(IDC_TIME_SCALE, 2);
    EXPECT_EQ(view->GetScale(), 15);
    EXPECT_EQ(calendar->GetScaleInterval(), 15);

    // Weeks count applies in month view only.
    Choose(IDC_WEEKS_COUNT, 1);
    EXPECT_EQ(calendar->GetModel().GetMonthWeeksCount(), 5);
    Command(ID_CALENDARVIEW_MONTH);
    Choose(IDC_WEEKS_COUNT, 1);
    EXPECT_EQ(calendar->GetVisibleDays().size(), 21u);

    Tick(IDC_WEEK_END_TIME, false);
    Tick(IDC_MONTH_CLOCKS, true);
    EXPECT_FALSE(calendar->GetModel().GetWeekShowEndTime());
    EXPECT_TRUE(calendar->GetModel().GetMonthShowTimeAsClocks());

    Choose(IDC_TOOLTIPS, 1);
    EXPECT_EQ(calendar->GetToolTipMode(), 1);
    Choose(IDC_TOOLTIPS, 2);
    EXPECT_EQ(calendar->GetToolTipMode(), 2);

    Command(ID_VIEW_OPTIONS_PANE);
    EXPECT_FALSE(bar->IsShown());
}

TEST_F(CalendarFrame, OddEventsAreDrawnInEveryViewWithoutHarm) {
    std::string events;
    auto add = [&](int id, const std::string& start, const std::string& end, int allDay,
                   const std::string& subject) {
        events += "<Event EventID=\"" + std::to_string(id) + "\" StartTime=\"" + start +
                  "\" EndTime=\"" + end + "\" Subject=\"" + subject + "\" AllDayEvent=\"" +
                  std::to_string(allDay) + "\" Type=\"No such label\"/>";
    };
    add(1, "12:07:1900 00:00", "12:07:9999 00:00", 0, "a century and more");
    add(2, "12:07:2026 10:00", "12:07:2026 10:00", 0, "no length");
    add(3, "12:07:2026 11:00", "12:07:2026 09:00", 0, "ends before it starts");
    add(4, "13:45:2026 10:00", "12:07:2026 11:00", 0, "no start");
    add(5, "12:07:2026 23:59", "12:08:2026 00:01", 0, "over midnight");
    add(6, "12:07:2026 00:00", "12:07:2026 00:00", 1, "all day without length");
    for (int i = 0; i < 60; ++i)
        add(100 + i, "12:07:2026 09:00", "12:07:2026 17:00", 0,
            "crowd " + std::to_string(i) + std::string(200, 'x'));
    pugi::xml_document document;
    ASSERT_TRUE(tev::LoadXml(document, "<Data><Events>" + events + "</Events></Data>"));
    view->ReadData(document);
    EXPECT_EQ(view->GetEventIdList().GetCount(), 66u);

    for (int command : {ID_CALENDARVIEW_DAY, ID_CALENDARVIEW_WORKWEEK, ID_CALENDARVIEW_WEEK,
                        ID_CALENDARVIEW_MONTH}) {
        Command(command);
        for (int scale : CCalendarViewModel::kScales) {
            calendar->SetScaleInterval(scale);
            calendar->Refresh();
            calendar->Update();
        }
        const std::vector<std::string> shown = VisibleSubjects();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "a century and more"), 1) << command;
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "no start"), 0) << command;
        EXPECT_GE(shown.size(), 64u) << command;
    }
    // The narrowest frame the host may give.
    top->SetClientSize(120, 90);
    frame->SetSize(0, 0, 120, 90);
    calendar->Update();
    tev::PumpEventsFor(30);
    // Nothing was lost on the way: every event is written back.
    pugi::xml_document written;
    ASSERT_TRUE(tev::LoadXml(written, view->WriteData()));
    EXPECT_EQ(written.select_nodes("/Data/Events/Event").size(), 66u);
}

TEST_F(CalendarFrame, CompressWeekendDaysStacksSaturdayAndSundayInTheMonthView) {
    view->OnPropertyChanged("WeekStartDay", "Properties", CComVariant(false)); // Monday first
    Command(ID_CALENDARVIEW_MONTH);
    EXPECT_TRUE(Control<wxCheckBox>(IDC_MONTH_COMPRESS_WEEKEND)->IsEnabled());
    const int64_t saturday = Day("2026-12-12");
    const int64_t sunday = Day("2026-12-13");
    EXPECT_EQ(DayBox(saturday).y, DayBox(sunday).y);

    Tick(IDC_MONTH_COMPRESS_WEEKEND, true);
    EXPECT_TRUE(calendar->GetModel().GetMonthCompressWeekendDays());
    const wxRect fri = DayBox(Day("2026-12-11"));
    const wxRect sat = DayBox(saturday);
    const wxRect sun = DayBox(sunday);
    // One column, Saturday above Sunday, the two as high as a weekday together.
    EXPECT_EQ(sun, wxRect(sat.x, sat.GetBottom() + 1, sat.width, sun.height));
    EXPECT_EQ(sat.height + sun.height, fri.height);

    // A week from Sunday would part the weekend: the rows start on Monday while stacked.
    view->OnPropertyChanged("WeekStartDay", "Properties", CComVariant(true));
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 2);
    Tick(IDC_MONTH_COMPRESS_WEEKEND, false);
    EXPECT_EQ(CCalendarViewModel::DayOfWeek(calendar->GetVisibleDays().front()), 1);
    EXPECT_EQ(DayBox(sunday).x, 0);
}

TEST_F(CalendarFrame, AnOpenOptionsBarFollowsSettingsChangedElsewhere) {
    Command(ID_VIEW_OPTIONS_PANE);
    // The component's properties, the day view's menu and the calendar itself change
    // settings while the bar is open; the next command update shows them.
    view->OnPropertyChanged("FirstDayOfWeek", "Properties", CComVariant("Thursday"));
    Command(ID_TIMESCALE_15);
    calendar->GetModel().SetMonthCompressWeekendDays(true);
    calendar->GetModel().SetWorkDay(9 * 60, 18 * 60 + 30);
    frame->UpdateCommands();
    EXPECT_EQ(Selected(IDC_FIRST_DAY_OF_WEEK), "Thursday");
    EXPECT_EQ(Selected(IDC_TIME_SCALE), "15 minutes");
    EXPECT_EQ(Selected(IDC_END_TIME), "18:30");
    EXPECT_TRUE(Control<wxCheckBox>(IDC_MONTH_COMPRESS_WEEKEND)->GetValue());
    // The frame's own timer brings the same.
    view->OnPropertyChanged("FirstDayOfWeek", "Properties", CComVariant("Saturday"));
    tev::PumpEventsFor(300);
    EXPECT_EQ(Selected(IDC_FIRST_DAY_OF_WEEK), "Saturday");
}
