#include "calendar/CalendarEventEditorDlg.h"

#include "calendar/CalendarDialogControls.h"
#include "calendar/CalendarEventRecurrenceEditorDlg.h"
#include "calendar/CalendarOccurrenceSeriesChooseDlg.h"
#include "calendar/TEVCalendarControl.h"
#include "calendar/store/CalendarData.h"
#include "platform/widgets/Translations.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace tev::calendar;
using namespace CalendarDialogControls;

namespace {

CCalendarEventEditorModel MakeModel(CTEVCalendarControl* control, bool addNew,
                                    CCalendarEventPtr event) {
    CCalendarData& data = *control->GetDataProvider();
    if (addNew)
        return CCalendarEventEditorModel(data, control->GetSelection(), data.GetCurrentTime());
    return CCalendarEventEditorModel(data, std::move(event));
}

Entries NumberedEntries(int firstId, int count) {
    Entries entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({CalendarString(firstId + i), i});
    return entries;
}

} // namespace

CCalendarEventEditorDlg::CCalendarEventEditorDlg(CTEVCalendarControl* control, bool addNew,
                                                 wxWindow* parent, CCalendarEventPtr event)
    : wxDialog(parent, IDD_EVENT_EDITOR, tev::Tr(kEventEditorCaption), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pControl(control), m_model(MakeModel(control, addNew, std::move(event))) {
    CreateControls();
    Bind(wxEVT_DATE_CHANGED, &CCalendarEventEditorDlg::OnStartChanged, this, IDC_EVENT_START_DATE);
    Bind(wxEVT_COMBOBOX, &CCalendarEventEditorDlg::OnStartChanged, this, IDC_EVENT_START_TIME);
    Bind(wxEVT_TEXT, &CCalendarEventEditorDlg::OnStartChanged, this, IDC_EVENT_START_TIME);
    Bind(wxEVT_DATE_CHANGED, &CCalendarEventEditorDlg::OnEndChanged, this, IDC_EVENT_END_DATE);
    Bind(wxEVT_COMBOBOX, &CCalendarEventEditorDlg::OnEndChanged, this, IDC_EVENT_END_TIME);
    Bind(wxEVT_TEXT, &CCalendarEventEditorDlg::OnEndChanged, this, IDC_EVENT_END_TIME);
    Bind(wxEVT_CHECKBOX, &CCalendarEventEditorDlg::OnAllDay, this, IDC_EVENT_ALL_DAY);
    Bind(wxEVT_CHECKBOX, &CCalendarEventEditorDlg::OnReminder, this, IDC_EVENT_REMINDER);
    Bind(wxEVT_BUTTON, &CCalendarEventEditorDlg::OnRecurrence, this, IDC_EVENT_RECURRENCE);
    Bind(wxEVT_BUTTON, &CCalendarEventEditorDlg::OnOK, this, wxID_OK);
}

// ---------------------------------------------------------------------------------------
// Layout: the texts on top, the times below them, the notes filling the rest.

void CCalendarEventEditorDlg::CreateControls() {
    const int gap = FromDIP(8);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(CreateTextRows(), 0, wxEXPAND | wxALL, FromDIP(12));
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(12));
    sizer->Add(CreateTimeRows(), 0, wxEXPAND | wxALL, FromDIP(12));
    m_pSeriesText = new wxStaticText(this, wxID_ANY, wxString());
    sizer->Add(m_pSeriesText, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    sizer->Add(CreateHiddenRow(), 0, wxEXPAND);
    m_pBody = new wxTextCtrl(this, IDC_EVENT_BODY, wxString(), wxDefaultPosition,
                             FromDIP(wxSize(-1, 150)), wxTE_MULTILINE | wxTE_WORDWRAP);
    sizer->Add(m_pBody, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(12));

    sizer->Add(CreateOkCancelButtons(this), 0, wxEXPAND | wxALL, gap + FromDIP(4));
    SetSizer(sizer);
    SetMinClientSize(wxSize(FromDIP(560), -1));
    Fit();
    m_pSubject->SetFocus();
}

wxSizer* CCalendarEventEditorDlg::CreateTextRows() {
    auto* grid = new wxFlexGridSizer(2, FromDIP(8), FromDIP(10));
    grid->AddGrowableCol(1);
    m_pSubject = new wxTextCtrl(this, IDC_EVENT_SUBJECT);
    m_pLocation = new wxTextCtrl(this, IDC_EVENT_LOCATION);
    grid->Add(Label(this, kLabelSubject), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_pSubject, 1, wxEXPAND);
    grid->Add(Label(this, kLabelLocation), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_pLocation, 1, wxEXPAND);
    return grid;
}

wxSizer* CCalendarEventEditorDlg::CreateTimeRows() {
    const int gap = FromDIP(8);
    auto* grid = new wxFlexGridSizer(3, gap, FromDIP(10));
    m_pStartLabel = Label(this, kLabelStartTime);
    m_pStartDate = CreateDatePicker(this, IDC_EVENT_START_DATE);
    m_pStartTime = CreateTimeList(this, IDC_EVENT_START_TIME);
    m_pAllDay = new wxCheckBox(this, IDC_EVENT_ALL_DAY, tev::Tr(kCheckAllDayEvent));
    m_pEndLabel = Label(this, kLabelEndTime);
    m_pEndDate = CreateDatePicker(this, IDC_EVENT_END_DATE);
    m_pEndTime = CreateTimeList(this, IDC_EVENT_END_TIME);
    auto* recurrence = new wxButton(this, IDC_EVENT_RECURRENCE, tev::Tr(kButtonRecurrence));
    const int flags = wxALIGN_CENTER_VERTICAL;
    grid->Add(m_pStartLabel, 0, flags);
    grid->Add(m_pStartDate, 0, flags);
    grid->Add(m_pStartTime, 0, flags);
    grid->Add(m_pEndLabel, 0, flags);
    grid->Add(m_pEndDate, 0, flags);
    grid->Add(m_pEndTime, 0, flags);
    // Beside the date rows, one above the other; on one row of their own when a series
    // hides the dates (UpdateVisibility turns the box).
    m_pSideBox = new wxBoxSizer(wxVERTICAL);
    m_pSideBox->Add(m_pAllDay);
    m_pSideBox->AddStretchSpacer();
    m_pSideBox->Add(recurrence, 0, wxALIGN_RIGHT);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(grid, 0, wxEXPAND);
    row->Add(m_pSideBox, 1, wxEXPAND | wxLEFT, gap);
    return row;
}

wxSizer* CCalendarEventEditorDlg::CreateHiddenRow() {
    // Kept out of sight; their values go from the event back into it unchanged.
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_pBusyStatus = CreateChoice(this, IDC_EVENT_BUSY_STATUS, NumberedEntries(IDS_BUSY_FREE, 4));
    Entries labels;
    for (const std::string& name : m_model.LabelNames())
        labels.push_back({name, static_cast<int>(labels.size())});
    m_pLabel = CreateChoice(this, IDC_EVENT_LABEL, labels);
    m_pPrivate = new wxCheckBox(this, IDC_EVENT_PRIVATE, tev::Tr(kCheckPrivate));
    m_pMeeting = new wxCheckBox(this, IDC_EVENT_MEETING, tev::Tr(kCheckMeeting));
    m_pReminder = new wxCheckBox(this, IDC_EVENT_REMINDER, tev::Tr(kCheckReminder));
    m_pReminderTime =
        CreateEditableList(this, IDC_EVENT_REMINDER_TIME, NumberedEntries(IDS_REMINDER_0, 5));
    Entries schedules;
    for (const CCalendarEventEditorModel::ScheduleEntry& entry : m_model.ScheduleEntries())
        schedules.push_back({entry.name, entry.scheduleId});
    m_pSchedule = CreateChoice(this, IDC_EVENT_SCHEDULE, schedules);
    m_pScheduleLabel = Label(this, kLabelScheduleId, IDC_EVENT_SCHEDULE_LABEL);
    m_pSchedule->Enable(m_model.HasSchedules());
    m_pScheduleLabel->Enable(m_model.HasSchedules());
    wxWindow* const hidden[] = {Label(this, kLabelShowTimeAs),
                                m_pBusyStatus,
                                Label(this, kLabelLabel),
                                m_pLabel,
                                m_pPrivate,
                                m_pMeeting,
                                m_pReminder,
                                m_pReminderTime,
                                m_pScheduleLabel,
                                m_pSchedule};
    for (wxWindow* control : hidden) {
        control->Hide();
        row->Add(control);
    }
    return row;
}

// ---------------------------------------------------------------------------------------
// Values

bool CCalendarEventEditorDlg::PrepareToShow() {
    if (m_model.AsksOccurrenceOrSeries()) {
        CCalendarOccurrenceSeriesChooseDlg question(GetParent(), IDS_OPEN_RECURRING_ITEM,
                                                    m_model.GetEvent()->GetSubject());
        const int choice = question.ShowModal();
        if (choice != IDC_CHOOSE_OCCURRENCE && choice != IDC_CHOOSE_SERIES)
            return false;
        if (choice == IDC_CHOOSE_SERIES)
            m_model.OpenSeries();
    }
    ShowFields(m_model.LoadFields());
    UpdateVisibility();
    return true;
}

int CCalendarEventEditorDlg::ShowModal() {
    return PrepareToShow() ? wxDialog::ShowModal() : wxID_CANCEL;
}

void CCalendarEventEditorDlg::ShowFields(const CEventEditorFields& fields) {
    m_pSubject->ChangeValue(Text(fields.subject));
    m_pLocation->ChangeValue(Text(fields.location));
    m_pBody->ChangeValue(Text(fields.body));
    ShowTimes(fields);
    m_pAllDay->SetValue(fields.allDay);
    m_pBusyStatus->SetSelection(fields.busyStatus);
    m_pLabel->SetSelection(fields.labelIndex);
    m_pPrivate->SetValue(fields.isPrivate);
    m_pMeeting->SetValue(fields.meeting);
    m_pReminder->SetValue(fields.reminder);
    m_pReminderTime->ChangeValue(Text(fields.reminderTime));
    m_pSchedule->SetSelection(fields.scheduleIndex);
}

void CCalendarEventEditorDlg::ShowTimes(const CEventEditorFields& fields) {
    const CCalendarDateTime today = m_pControl->GetDataProvider()->GetCurrentTime().GetDate();
    ShowDate(m_pStartDate, fields.startDate, today);
    m_pStartTime->ChangeValue(Text(fields.startTime));
    ShowEnd(fields);
}

void CCalendarEventEditorDlg::ShowEnd(const CEventEditorFields& fields) {
    const CCalendarDateTime today = m_pControl->GetDataProvider()->GetCurrentTime().GetDate();
    ShowDate(m_pEndDate, fields.endDate, today);
    m_pEndTime->ChangeValue(Text(fields.endTime));
    m_shownTimes = ReadFields();
}

CEventEditorFields CCalendarEventEditorDlg::ReadFields() const {
    CEventEditorFields fields;
    fields.subject = m_pSubject->GetValue().utf8_string();
    fields.location = m_pLocation->GetValue().utf8_string();
    fields.body = m_pBody->GetValue().utf8_string();
    fields.startDate = PickedDate(m_pStartDate);
    fields.startTime = m_pStartTime->GetValue().utf8_string();
    fields.endDate = PickedDate(m_pEndDate);
    fields.endTime = m_pEndTime->GetValue().utf8_string();
    fields.allDay = m_pAllDay->GetValue();
    fields.busyStatus = m_pBusyStatus->GetSelection();
    fields.labelIndex = m_pLabel->GetSelection();
    fields.isPrivate = m_pPrivate->GetValue();
    fields.meeting = m_pMeeting->GetValue();
    fields.reminder = m_pReminder->GetValue();
    fields.reminderTime = m_pReminderTime->GetValue().utf8_string();
    fields.scheduleIndex = m_pSchedule->GetSelection();
    return fields;
}

void CCalendarEventEditorDlg::TurnSideBox(wxOrientation orientation) {
    m_pSideBox->SetOrientation(orientation);
    // Across the box the two keep to its middle in a row, to the sides in a column.
    const bool row = orientation == wxHORIZONTAL;
    m_pSideBox->GetItem(m_pAllDay)->SetFlag(row ? wxALIGN_CENTER_VERTICAL : 0);
    m_pSideBox->GetItem(FindWindow(IDC_EVENT_RECURRENCE))
        ->SetFlag(row ? wxALIGN_CENTER_VERTICAL : wxALIGN_RIGHT);
}

void CCalendarEventEditorDlg::UpdateVisibility() {
    const CCalendarEventEditorModel::Visibility visibility = m_model.GetVisibility(ReadFields());
    wxWindow* const dates[] = {m_pStartLabel, m_pEndLabel, m_pStartDate, m_pEndDate};
    for (wxWindow* control : dates)
        control->Show(visibility.dates);
    m_pStartTime->Show(visibility.times);
    m_pEndTime->Show(visibility.times);
    TurnSideBox(visibility.dates ? wxVERTICAL : wxHORIZONTAL);
    m_pReminderTime->Enable(visibility.reminderTime);
    const CCalendarRecurrencePatternPtr pattern = m_model.GetEvent()->GetRecurrencePattern();
    m_pSeriesText->Show(!visibility.dates && pattern);
    if (pattern) {
        m_pSeriesText->SetLabel(
            Text(CCalendarRecurrenceEditorModel::Describe(*pattern, m_pAllDay->GetValue())));
        m_pSeriesText->Wrap(GetClientSize().x - FromDIP(24));
    }
    Layout();
}

// ---------------------------------------------------------------------------------------
// Handlers

void CCalendarEventEditorDlg::OnStartChanged(wxCommandEvent&) {
    CEventEditorFields fields = ReadFields();
    if (CCalendarEventEditorModel::KeepLength(fields, m_shownTimes))
        ShowEnd(fields);
}

void CCalendarEventEditorDlg::OnEndChanged(wxCommandEvent&) {
    m_shownTimes = ReadFields();
}

void CCalendarEventEditorDlg::OnAllDay(wxCommandEvent&) {
    CEventEditorFields fields = ReadFields();
    CCalendarEventEditorModel::OnAllDayChanged(fields);
    ShowTimes(fields);
    UpdateVisibility();
}

void CCalendarEventEditorDlg::OnReminder(wxCommandEvent&) {
    UpdateVisibility();
}

void CCalendarEventEditorDlg::OnRecurrence(wxCommandEvent&) {
    CEventEditorFields fields = ReadFields();
    const CCalendarEventEditorModel::RecurrenceTarget target = m_model.PrepareRecurrence(fields);
    if (Refuse(this, target.refusal) || !target.event)
        return;
    CCalendarEventRecurrenceEditorDlg recurrence(target.event, this);
    recurrence.SetNewPattern(target.newPattern);
    recurrence.SetAllDay(fields.allDay);
    const int result = recurrence.ShowModal();
    if (result != wxID_OK && result != ID_RECURRENCE_REMOVED)
        return;
    m_model.TakeRecurrence(target);
    if (target.reloadFields) {
        ShowFields(m_model.LoadFields());
    } else {
        m_model.LoadTimes(fields);
        ShowTimes(fields);
    }
    UpdateVisibility();
}

void CCalendarEventEditorDlg::OnOK(wxCommandEvent&) {
    const CEventEditorFields fields = ReadFields();
    if (Refuse(this, m_model.Check(fields)))
        return;
    m_model.Apply(fields);
    bool stored = false;
    {
        CTEVCalendarControl::UpdateContext update(m_pControl);
        stored = m_model.Commit();
    }
    // The result stays readable when a modal hook answered the dialog.
    SetReturnCode(stored ? wxID_OK : wxID_CANCEL);
    EndDialog(GetReturnCode());
}
