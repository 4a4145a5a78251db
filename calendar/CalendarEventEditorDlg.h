#pragma once
// "Appointment and Event Details": subject, location, start and end, all day, the
// "Rec&urrence..." button and the notes, plus the controls kept hidden (show time as,
// label, private, meeting, reminder, schedule) that carry their values through. The
// rules are CCalendarEventEditorModel's; this window shows and reads the controls.
//
// Shown modally, it first asks whether an occurrence or its series is meant (Cancel ends
// it at once). OK checks, writes the event and adds it to the store or commits it in one
// update of the calendar, then ends with OK.
#include "calendar/CalendarEventEditorModel.h"

#include <wx/dialog.h>

class CTEVCalendarControl;
class wxBoxSizer;
class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxDatePickerCtrl;
class wxStaticText;
class wxTextCtrl;

class CCalendarEventEditorDlg : public wxDialog {
public:
    // `addNew`: a new event for the calendar's selection (`event` is not used); otherwise
    // `event` is edited (a store event, an occurrence or an exception).
    CCalendarEventEditorDlg(CTEVCalendarControl* control, bool addNew, wxWindow* parent,
                            CCalendarEventPtr event = nullptr);

    // Asks the occurrence-or-series question when it applies, then shows the event's
    // values; false when the question was cancelled.
    bool PrepareToShow();
    int ShowModal() override;

    const CCalendarEventEditorModel& GetModel() const { return m_model; }

private:
    void CreateControls();
    wxSizer* CreateTextRows();
    wxSizer* CreateTimeRows();
    wxSizer* CreateHiddenRow();
    void ShowFields(const CEventEditorFields& fields);
    void ShowTimes(const CEventEditorFields& fields);
    void ShowEnd(const CEventEditorFields& fields);
    CEventEditorFields ReadFields() const;
    void UpdateVisibility();
    // "All day event" and "Recurrence..." one above the other, or side by side.
    void TurnSideBox(wxOrientation orientation);

    void OnStartChanged(wxCommandEvent& event);
    void OnEndChanged(wxCommandEvent& event);
    void OnAllDay(wxCommandEvent& event);
    void OnReminder(wxCommandEvent& event);
    void OnRecurrence(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    CTEVCalendarControl* m_pControl;
    CCalendarEventEditorModel m_model;
    // The start and end as shown last, for the end to follow the start.
    CEventEditorFields m_shownTimes;

    wxTextCtrl* m_pSubject = nullptr;
    wxTextCtrl* m_pLocation = nullptr;
    wxStaticText* m_pStartLabel = nullptr;
    wxDatePickerCtrl* m_pStartDate = nullptr;
    wxComboBox* m_pStartTime = nullptr;
    wxStaticText* m_pEndLabel = nullptr;
    wxDatePickerCtrl* m_pEndDate = nullptr;
    wxComboBox* m_pEndTime = nullptr;
    wxCheckBox* m_pAllDay = nullptr;
    wxBoxSizer* m_pSideBox = nullptr;      // "All day event" and "Recurrence..."
    wxStaticText* m_pSeriesText = nullptr; // the series in words, in place of its dates
    wxTextCtrl* m_pBody = nullptr;
    wxChoice* m_pBusyStatus = nullptr;
    wxChoice* m_pLabel = nullptr;
    wxCheckBox* m_pPrivate = nullptr;
    wxCheckBox* m_pMeeting = nullptr;
    wxCheckBox* m_pReminder = nullptr;
    wxComboBox* m_pReminderTime = nullptr;
    wxChoice* m_pSchedule = nullptr;
    wxStaticText* m_pScheduleLabel = nullptr;
};
