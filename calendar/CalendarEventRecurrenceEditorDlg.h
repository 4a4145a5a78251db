#pragma once
// "Appointment Recurrence": the time of day and length of the occurrences, the kind of
// recurrence with a panel of choices per kind, and the range. The rules are
// CCalendarRecurrenceEditorModel's; this window shows and reads the controls.
//
// A change in the start, end or duration list starts a 100 ms one-shot timer (1 start,
// 2 end, 4 duration); when it fires the other lists follow. OK writes the pattern to the
// event and ends with OK; "Remove recurrence" makes the event a plain one again and ends
// with ID_RECURRENCE_REMOVED (103).
#include "calendar/CalendarRecurrenceEditorModel.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxDatePickerCtrl;
class wxRadioButton;
class wxSimplebook;
class wxTextCtrl;

class CCalendarEventRecurrenceEditorDlg : public wxDialog {
public:
    // `event` is the recurring event whose pattern is edited; it is changed on OK and on
    // "Remove recurrence" only.
    CCalendarEventRecurrenceEditorDlg(CCalendarEventPtr event, wxWindow* parent);

    // Set before showing: the pattern was made just now ("Remove recurrence" is disabled),
    // and the event is all-day (the time lists are disabled).
    void SetNewPattern(bool newPattern);
    void SetAllDay(bool allDay);

    // Timer identifiers of the three lists.
    static constexpr int kStartTimer = 1;
    static constexpr int kEndTimer = 2;
    static constexpr int kDurationTimer = 4;

private:
    wxSizer* CreateTimeGroup();
    wxSizer* CreatePatternGroup();
    wxWindow* CreateDailyPanel(wxWindow* parent);
    wxWindow* CreateWeeklyPanel(wxWindow* parent);
    wxWindow* CreateMonthlyPanel(wxWindow* parent);
    wxWindow* CreateYearlyPanel(wxWindow* parent);
    wxSizer* CreateRangeGroup();
    wxSizer* CreateButtons();

    void ShowFields(const CRecurrenceEditorFields& fields);
    CRecurrenceEditorFields ReadFields() const;
    void ShowKind(CalendarRecurrenceKind kind);
    CalendarRecurrenceKind CheckedKind() const;

    void OnTimeListChanged(wxCommandEvent& event);
    void OnTimeListLeft(wxFocusEvent& event);
    void StartTimer(int listId);
    void OnTimer(wxTimerEvent& event);
    void TimesChanged(int timerId);
    void OnKind(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnRemoveRecurrence(wxCommandEvent& event);

    CCalendarRecurrenceEditorModel m_model;
    CRecurrenceTimes m_times;
    wxTimer m_timers[3];

    wxComboBox* m_pStart = nullptr;
    wxComboBox* m_pEnd = nullptr;
    wxComboBox* m_pDuration = nullptr;
    wxRadioButton* m_pKinds[4] = {};
    wxSimplebook* m_pPanels = nullptr;
    wxRadioButton* m_pDailyEvery = nullptr;
    wxRadioButton* m_pDailyWorkDays = nullptr;
    wxTextCtrl* m_pDailyInterval = nullptr;
    wxTextCtrl* m_pWeeklyInterval = nullptr;
    wxCheckBox* m_pWeekDays[7] = {}; // Monday first
    wxRadioButton* m_pMonthlyDay = nullptr;
    wxRadioButton* m_pMonthlyThe = nullptr;
    wxTextCtrl* m_pMonthlyDayNumber = nullptr;
    wxTextCtrl* m_pMonthlyDayInterval = nullptr;
    wxChoice* m_pMonthlyWhich = nullptr;
    wxChoice* m_pMonthlyWeekday = nullptr;
    wxTextCtrl* m_pMonthlyTheInterval = nullptr;
    wxRadioButton* m_pYearlyEvery = nullptr;
    wxRadioButton* m_pYearlyThe = nullptr;
    wxChoice* m_pYearlyMonth = nullptr;
    wxTextCtrl* m_pYearlyDay = nullptr;
    wxChoice* m_pYearlyWhich = nullptr;
    wxChoice* m_pYearlyWeekday = nullptr;
    wxChoice* m_pYearlyTheMonth = nullptr;
    wxDatePickerCtrl* m_pRangeStart = nullptr;
    wxRadioButton* m_pNoEnd = nullptr;
    wxRadioButton* m_pEndAfter = nullptr;
    wxTextCtrl* m_pOccurrences = nullptr;
    wxRadioButton* m_pEndBy = nullptr;
    wxDatePickerCtrl* m_pEndDate = nullptr;
    wxButton* m_pRemove = nullptr;
};
