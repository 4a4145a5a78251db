#pragma once
// The calendar view of the control's frame: it shows the calendar control, owns the
// calendar store, the event ID list and the data document reader and writer, answers the
// view, scale and event commands and their update rules, shows the right-click menus, opens
// the event dialog (double click, Enter, "&Add new event", "Properties"), deletes events
// after asking (Delete, "Delete event"), and takes the component's property notifications.
#include "calendar/CalendarViewModel.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataListener.h"
#include "calendar/store/CalendarUndoHistory.h"
#include "calendar/store/EventIdList.h"
#include "platform/com/Variant.h"

#include <pugixml.hpp>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/weakref.h>

#include <functional>
#include <string>

class CTEVCalendarControl;
class CDatePickerDialogBar;
class wxMenu;
class wxUpdateUIEvent;

class CTEVCalendarView : public wxPanel, private ICalendarDataListener {
public:
    CTEVCalendarView();
    ~CTEVCalendarView() override;
    bool Create(wxWindow* parent, wxWindowID id);

    CTEVCalendarControl* GetCalendarCtrl() const { return m_pCalendar; }
    CCalendarData& GetDataProvider() { return m_data; }
    CEventIdList& GetEventIdList() { return m_idList; }

    // Undo and redo over every change made in the calendar. Store changes made inside
    // `change` are one step and are shown once; this is the way in for any batch of
    // changes made at once (an import, a paste).
    CCalendarUndoHistory& GetUndoHistory() { return m_history; }
    void ChangeAsOneStep(const std::function<void()>& change);
    bool Undo();
    bool Redo();

    // The clipboard: the picked events as a document and as text, and pasting at the
    // picked slot (the picked span's start, else the first picked event's start).
    bool CopySelection();
    bool CutSelection();
    bool Paste();
    bool CanPaste() const;

    // Printing the shown range, straight to the printer or in a preview window.
    bool Print(bool prompt = true);
    bool PrintPreview();
    bool IsPrintPreviewOpen() const { return m_pPreview != nullptr; }
    wxPreviewFrame* GetPrintPreview() const { return m_pPreview; }
    // Closes the preview (the close-preview command), before the data is handed out or
    // the frame goes.
    void ClosePrintPreview();

    // Links the date picker and the calendar: picking a day moves the calendar, and the
    // picker marks the calendar's visible days.
    void ConnectDatePicker(CDatePickerDialogBar* datePicker);
    // The framework's first update: day view at the configured scale.
    void OnInitialUpdate();

    // The data document: written from the store in event ID list order, and read into the
    // store replacing every event.
    std::string WriteData() const;
    void ReadData(const pugi::xml_document& document);

    // "WeekStartDay" (exact name): a value whose 16-bit payload is zero makes Monday the
    // first day of the week, any other Sunday. "FirstDayOfWeek" ("Sunday" ... "Saturday")
    // names the first day itself and outranks it; "Default" (or a value it does not know)
    // leaves the choice to "WeekStartDay", as the published page does. Other names and the
    // category are ignored.
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const VARIANT& value);

    // 1 = Sunday ... 7 = Saturday, for the store, the views and the date picker.
    void SetFirstDayOfWeek(int dayOfWeek);

    // The current day-view scale in minutes (-1 before the first update).
    int GetScale() const { return m_nScale; }
    void SetScale(int minutes);

    // Commands: views 7750-7753, scales 7754-7759, "&Add new event" 7761, "Delete event"
    // 7762, "Properties" 7763, "Go to This Day" 7764, import 7768, export 7769. True when
    // the command is the view's.
    bool OnCommand(int id);
    // Enabling and checking of the view's commands; false for commands it does not know.
    bool OnUpdateCommand(int id, bool& enabled, bool& checked) const;

    // The menu a right click at `point` (client coordinates of the calendar) shows: 7767 on
    // an event, 7765 on free time of the day view, 7766 on a day of the other views, or 0
    // for none. What lies under the point is picked unless the picked span holds it, and
    // its day is kept for "Go to This Day".
    int ContextMenuAt(const wxPoint& point);
    // The menu with that resource number, scale items checked as the rules say.
    wxMenu* CreateContextMenu(int menuId) const;

    // The event dialog for a new event at the calendar's selection, or for `event`.
    // True when the dialog stored its changes.
    bool OpenNewEventDialog();
    bool OpenEventDialog(const CCalendarEventPtr& event);
    // Deletes the picked events after asking: string 7701 for a plain event, whether the
    // occurrence or the series is meant for a recurring one.
    void DeleteSelectedEvents();
    // "Import Events...": asks for .ics files, adds their events in one step and reports.
    void ImportEvents();
    // "Export Events...": asks for a file and writes every event to it.
    void ExportEvents();
    // A double click at `point` of the calendar: opens the event there, or a new event for
    // the time or day there.
    void OnDoubleClickAt(const wxPoint& point);
    // A key pressed in the calendar: Enter opens the first picked event (or a new one),
    // Delete deletes the picked events, Ctrl+Z undoes, Ctrl+Y redoes, Ctrl+X, Ctrl+C and
    // Ctrl+V cut, copy and paste, arrows, Page Up, Page Down and Home move the selection,
    // F1 asks for help. False for other keys.
    bool OnCalendarKey(int keyCode, int modifiers = 0);

private:
    bool RunEventDialog(bool addNew, const CCalendarEventPtr& event);
    void OnContextMenu(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnSizeView(wxSizeEvent& event);
    // With TEV_REPORT_CALENDAR_PAINTS set in the environment, each paint of the calendar is
    // reported on standard error once it is done, as "TEVCalendar: calendar painted, N
    // events shown" (N: events and occurrences in the days it shows), so that a benchmark
    // can time a start to the first drawn event.
    void OnCalendarPaintReport(wxPaintEvent& event);
    void ApplyScale();
    void SwitchTo(CalendarViewType type);
    void SyncDatePicker();

    // Store reports: the calendar shows the change.
    void OnEventAdded(const CCalendarEvent&) override { RefreshCalendar(); }
    void OnEventDeleted(const CCalendarEvent&) override { RefreshCalendar(); }
    void OnEventChanged(const CCalendarEvent&) override { RefreshCalendar(); }
    void OnPatternAdded(const CCalendarRecurrencePattern&) override { RefreshCalendar(); }
    void OnPatternDeleted(const CCalendarRecurrencePattern&) override { RefreshCalendar(); }
    void OnPatternChanged(const CCalendarRecurrencePattern&) override { RefreshCalendar(); }
    void OnAllEventsRemoved() override { RefreshCalendar(); }
    void RefreshCalendar();

    bool OnEditKey(int keyCode, int modifiers);
    void DeleteEvents(const std::vector<CCalendarEventPtr>& events, bool series);

    CCalendarData m_data;
    CEventIdList m_idList;
    CCalendarUndoHistory m_history{m_data, &m_idList};
    // Gone by itself when its parent window goes first.
    wxWeakRef<wxPreviewFrame> m_pPreview;
    CTEVCalendarControl* m_pCalendar = nullptr;
    CDatePickerDialogBar* m_pDatePicker = nullptr;
    int m_nScale = -1;
    // What the two properties said: 1 = Sunday ... 7 = Saturday, 0 for "Default".
    int m_weekStartDay = 1;
    int m_firstDayOfWeek = 0;
    int64_t m_contextDay = 0;
};
