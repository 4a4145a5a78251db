#pragma once
// The options bar of the calendar frame, shown and hidden by the toolbar's options button:
// the work week, the first day of the week, the work day, the day view's scale, how the
// week and month views write times, whether the month view stacks its weekend days, the
// month view's weeks and the tool-tip mode. Every choice acts on the calendar at once.
#include <wx/panel.h>

class CTEVCalendarView;
class wxCheckBox;
class wxChoice;
class wxUpdateUIEvent;

class COptionsDialogBar : public wxPanel {
public:
    COptionsDialogBar() = default;
    // Created hidden.
    bool Create(wxWindow* parent, CTEVCalendarView* view);

    // Shows the calendar's current settings in the controls. While the bar is shown this
    // runs with every command update, as the calendar's settings change from outside too.
    void ShowCalendarSettings();

    // The work-week mask of the day boxes (Sunday 1 ... Saturday 64).
    int WorkWeekMaskOfBoxes() const;

private:
    wxCheckBox* AddCheck(wxWindow* parent, wxSizer* sizer, int id, const char* label);
    wxChoice* AddChoice(wxWindow* parent, wxSizer* sizer, int id, const char* label);

    void OnWorkWeekDay(wxCommandEvent& event);
    void OnFirstDayOfWeek(wxCommandEvent& event);
    void OnStartTime(wxCommandEvent& event);
    void OnEndTime(wxCommandEvent& event);
    void OnTimeScale(wxCommandEvent& event);
    void OnWeeksCount(wxCommandEvent& event);
    void OnViewCheck(wxCommandEvent& event);
    void OnToolTips(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    static void ShowCheck(wxCheckBox* check, bool on);
    void ShowCheck(int id, bool on);
    static void ShowChoice(wxChoice* choice, int index);
    void ApplyWorkDay();

    CTEVCalendarView* m_pView = nullptr;
    wxCheckBox* m_pDays[7] = {}; // Sunday first
    wxChoice* m_pFirstDay = nullptr;
    wxChoice* m_pStart = nullptr;
    wxChoice* m_pEnd = nullptr;
    wxChoice* m_pScale = nullptr;
    wxChoice* m_pWeeks = nullptr;
    wxChoice* m_pToolTips = nullptr;
};
