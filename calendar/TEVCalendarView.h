#pragma once
// The calendar view of the control's frame: it shows the calendar control, owns the
// calendar store, the event ID list and the data document reader and writer, answers the
// view and scale commands and their update rules, shows the right-click menus, and takes
// the component's property notifications.
#include "calendar/CalendarViewModel.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataListener.h"
#include "calendar/store/EventIdList.h"
#include "platform/com/Variant.h"

#include <pugixml.hpp>
#include <wx/panel.h>

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
    // first day of the week, any other Sunday. Other names and the category are ignored.
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const VARIANT& value);

    // 1 = Sunday ... 7 = Saturday, for the store, the views and the date picker.
    void SetFirstDayOfWeek(int dayOfWeek);

    // The current day-view scale in minutes (-1 before the first update).
    int GetScale() const { return m_nScale; }
    void SetScale(int minutes);

    // Commands: views 7750-7753, scales 7754-7759, "Go to This Day" 7764. True when the
    // command is the view's.
    bool OnCommand(int id);
    // Enabling and checking of the view's commands; false for commands it does not know.
    bool OnUpdateCommand(int id, bool& enabled, bool& checked) const;

    // The menu a right click at `point` (client coordinates of the calendar) shows: 7765,
    // 7766, or 0 for none. The day under the point is kept for "Go to This Day".
    int ContextMenuAt(const wxPoint& point);
    // The menu with that resource number, scale items checked as the rules say.
    wxMenu* CreateContextMenu(int menuId) const;

private:
    void OnContextMenu(wxMouseEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnSizeView(wxSizeEvent& event);
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

    CCalendarData m_data;
    CEventIdList m_idList;
    CTEVCalendarControl* m_pCalendar = nullptr;
    CDatePickerDialogBar* m_pDatePicker = nullptr;
    int m_nScale = -1;
    int64_t m_contextDay = 0;
    bool m_loading = false;
};
