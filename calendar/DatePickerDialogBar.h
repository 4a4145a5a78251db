#pragma once
// The date-picker bar docked on the left of the calendar frame: a month calendar that
// marks the days the calendar shows and moves the calendar to the day the user picks.
#include <wx/panel.h>

#include <cstdint>
#include <functional>
#include <vector>

class wxGenericCalendarCtrl;
class wxCalendarEvent;

class CDatePickerDialogBar : public wxPanel {
public:
    CDatePickerDialogBar() = default;
    bool Create(wxWindow* parent, wxWindowID id);

    wxGenericCalendarCtrl* GetDatePicker() const { return m_pDatePicker; }

    // Called with the picked day (a day number) when the user picks one.
    void SetDayPickedHandler(std::function<void(int64_t)> handler) {
        m_onDayPicked = std::move(handler);
    }
    // Marks these days and shows the month of the first of them (unless it is on show).
    void ShowVisibleDays(const std::vector<int64_t>& days, int64_t selectedDay);
    // 1 = Sunday; the picker can start its weeks on Sunday or Monday only, so any other
    // day is shown from Monday.
    void SetFirstDayOfWeek(int dayOfWeek);
    const std::vector<int64_t>& GetMarkedDays() const { return m_days; }
    // The width the bar wants beside the calendar.
    int GetBestWidth() const;

private:
    void OnSize(wxSizeEvent& event);
    void OnSelChanged(wxCalendarEvent& event);
    void OnPageChanged(wxCalendarEvent& event);
    void ApplyMarks();

    wxGenericCalendarCtrl* m_pDatePicker = nullptr;
    std::function<void(int64_t)> m_onDayPicked;
    std::vector<int64_t> m_days;
    bool m_updating = false;
};
