#include "calendar/CalendarEventRecurrenceEditorDlg.h"

#include "calendar/CalendarDialogControls.h"
#include "calendar/store/CalendarDurations.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/NumberEdit.h"
#include "platform/widgets/Translations.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>

using namespace tev::calendar;
using namespace CalendarDialogControls;

namespace {

const int kKindIds[4] = {IDC_RECURRENCE_DAILY, IDC_RECURRENCE_WEEKLY, IDC_RECURRENCE_MONTHLY,
                         IDC_RECURRENCE_YEARLY};
const char* const kKindNames[4] = {kRadioDaily, kRadioWeekly, kRadioMonthly, kRadioYearly};
// The day boxes, Monday first, with their mask bits.
const int kDayBoxIds[7] = {IDC_WEEKLY_MONDAY,   IDC_WEEKLY_TUESDAY, IDC_WEEKLY_WEDNESDAY,
                           IDC_WEEKLY_THURSDAY, IDC_WEEKLY_FRIDAY,  IDC_WEEKLY_SATURDAY,
                           IDC_WEEKLY_SUNDAY};
const int kDayBoxBits[7] = {kCalendarMonday,   kCalendarTuesday, kCalendarWednesday,
                            kCalendarThursday, kCalendarFriday,  kCalendarSaturday,
                            kCalendarSunday};

int TimerIndex(int timerId) {
    return timerId == CCalendarEventRecurrenceEditorDlg::kStartTimer ? 0
           : timerId == CCalendarEventRecurrenceEditorDlg::kEndTimer ? 1
                                                                     : 2;
}

tev::NumberEdit* NumberField(wxWindow* parent, int id) {
    auto* edit = new tev::NumberEdit(parent, id);
    edit->SetMinSize(wxSize(edit->GetTextExtent("99999").x + parent->FromDIP(12), -1));
    return edit;
}

// A row of controls, centred on one line, with the usual gap between them.
wxBoxSizer* Row(std::initializer_list<wxWindow*> controls) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    bool first = true;
    for (wxWindow* control : controls) {
        row->Add(control, 0, wxALIGN_CENTER_VERTICAL | (first ? 0 : wxLEFT), control->FromDIP(6));
        first = false;
    }
    return row;
}

std::string ValueOf(const wxTextCtrl* edit) {
    return edit->GetValue().utf8_string();
}

} // namespace

CCalendarEventRecurrenceEditorDlg::CCalendarEventRecurrenceEditorDlg(CCalendarEventPtr event,
                                                                     wxWindow* parent)
    : wxDialog(parent, IDD_RECURRENCE_EDITOR, tev::Tr(kRecurrenceEditorCaption)),
      m_model(std::move(event), false), m_times(m_model.LoadTimes()) {
    const int margin = FromDIP(12);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(CreateTimeGroup(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    sizer->Add(CreatePatternGroup(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    sizer->Add(CreateRangeGroup(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
    sizer->Add(CreateButtons(), 0, wxALIGN_CENTER_HORIZONTAL | wxALL, margin);
    SetSizerAndFit(sizer);
    CentreOnParent();

    for (int i = 0; i < 3; ++i)
        m_timers[i].SetOwner(this, i == 0 ? kStartTimer : i == 1 ? kEndTimer : kDurationTimer);
    Bind(wxEVT_TIMER, &CCalendarEventRecurrenceEditorDlg::OnTimer, this);
    for (wxComboBox* list : {m_pStart, m_pEnd, m_pDuration}) {
        list->Bind(wxEVT_COMBOBOX, &CCalendarEventRecurrenceEditorDlg::OnTimeListChanged, this);
        list->Bind(wxEVT_TEXT, &CCalendarEventRecurrenceEditorDlg::OnTimeListChanged, this);
        list->Bind(wxEVT_KILL_FOCUS, &CCalendarEventRecurrenceEditorDlg::OnTimeListLeft, this);
    }
    for (int id : kKindIds)
        Bind(wxEVT_RADIOBUTTON, &CCalendarEventRecurrenceEditorDlg::OnKind, this, id);
    Bind(wxEVT_BUTTON, &CCalendarEventRecurrenceEditorDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CCalendarEventRecurrenceEditorDlg::OnRemoveRecurrence, this,
         IDC_REMOVE_RECURRENCE);

    ShowFields(m_model.LoadFields(m_model.GetToday()));
}

void CCalendarEventRecurrenceEditorDlg::SetNewPattern(bool newPattern) {
    m_pRemove->Enable(!newPattern);
}

void CCalendarEventRecurrenceEditorDlg::SetAllDay(bool allDay) {
    m_model.SetAllDay(allDay);
    m_times = m_model.LoadTimes();
    m_pStart->ChangeValue(Text(m_times.StartText()));
    m_pEnd->ChangeValue(Text(m_times.EndText()));
    m_pDuration->ChangeValue(Text(m_times.DurationText()));
    for (wxComboBox* list : {m_pStart, m_pEnd, m_pDuration})
        list->Enable(!allDay);
}

// ---------------------------------------------------------------------------------------
// Layout

wxSizer* CCalendarEventRecurrenceEditorDlg::CreateTimeGroup() {
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, tev::Tr(kGroupAppointmentTime));
    wxWindow* box = group->GetStaticBox();
    m_pStart = CreateTimeList(box, IDC_RECURRENCE_START);
    m_pEnd = CreateTimeList(box, IDC_RECURRENCE_END);
    m_pDuration = CreateEditableList(box, IDC_RECURRENCE_DURATION,
                                     CCalendarRecurrenceEditorModel::DurationEntries());
    const int margin = FromDIP(6);
    group->Add(Row({Label(box, kLabelRecurrenceStart), m_pStart}), 0, wxALL, margin);
    group->AddStretchSpacer();
    group->Add(Row({Label(box, kLabelRecurrenceEnd), m_pEnd}), 0, wxALL, margin);
    group->AddStretchSpacer();
    group->Add(Row({Label(box, kLabelDuration), m_pDuration}), 0, wxALL, margin);
    return group;
}

wxSizer* CCalendarEventRecurrenceEditorDlg::CreatePatternGroup() {
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, tev::Tr(kGroupRecurrencePattern));
    wxWindow* box = group->GetStaticBox();
    auto* kinds = new wxBoxSizer(wxVERTICAL);
    for (int i = 0; i < 4; ++i) {
        m_pKinds[i] = new wxRadioButton(box, kKindIds[i], tev::Tr(kKindNames[i]), wxDefaultPosition,
                                        wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        kinds->Add(m_pKinds[i], 0, wxBOTTOM, FromDIP(6));
    }
    group->Add(kinds, 0, wxALL, FromDIP(6));
    group->Add(new wxStaticLine(box, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL), 0,
               wxEXPAND | wxTOP | wxBOTTOM, FromDIP(4));
    // One panel per kind in one place; only the chosen kind's shows.
    m_pPanels = new wxSimplebook(box);
    m_pPanels->AddPage(CreateDailyPanel(m_pPanels), wxString());
    m_pPanels->AddPage(CreateWeeklyPanel(m_pPanels), wxString());
    m_pPanels->AddPage(CreateMonthlyPanel(m_pPanels), wxString());
    m_pPanels->AddPage(CreateYearlyPanel(m_pPanels), wxString());
    group->Add(m_pPanels, 1, wxEXPAND | wxALL, FromDIP(8));
    return group;
}

wxWindow* CCalendarEventRecurrenceEditorDlg::CreateDailyPanel(wxWindow* parent) {
    auto* panel = new wxPanel(parent);
    m_pDailyEvery = new wxRadioButton(panel, IDC_DAILY_EVERY, tev::Tr(kRadioDailyEvery),
                                      wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_pDailyInterval = NumberField(panel, IDC_DAILY_INTERVAL);
    m_pDailyWorkDays = new wxRadioButton(panel, IDC_DAILY_WORKDAYS, tev::Tr(kRadioWorkDays));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(
        Row({m_pDailyEvery, m_pDailyInterval, Label(panel, kLabelDays, IDC_DAILY_DAYS_LABEL)}));
    sizer->Add(m_pDailyWorkDays, 0, wxTOP, FromDIP(8));
    panel->SetSizer(sizer);
    return panel;
}

wxWindow* CCalendarEventRecurrenceEditorDlg::CreateWeeklyPanel(wxWindow* parent) {
    auto* panel = new wxPanel(parent);
    m_pWeeklyInterval = NumberField(panel, IDC_WEEKLY_INTERVAL);
    auto* days = new wxGridSizer(4, FromDIP(6), FromDIP(12));
    const std::vector<CCalendarRecurrenceEditorModel::Entry> names =
        CCalendarRecurrenceEditorModel::WeekdayEntries();
    for (int i = 0; i < 7; ++i) {
        m_pWeekDays[i] = new wxCheckBox(panel, kDayBoxIds[i], Text(names[i].text));
        days->Add(m_pWeekDays[i]);
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(Row({Label(panel, kLabelRecurEvery, IDC_WEEKLY_RECUR_LABEL), m_pWeeklyInterval,
                    Label(panel, kLabelWeeksOn, IDC_WEEKLY_WEEKS_LABEL)}));
    sizer->Add(days, 0, wxTOP, FromDIP(8));
    panel->SetSizer(sizer);
    return panel;
}

wxWindow* CCalendarEventRecurrenceEditorDlg::CreateMonthlyPanel(wxWindow* parent) {
    auto* panel = new wxPanel(parent);
    m_pMonthlyDay = new wxRadioButton(panel, IDC_MONTHLY_DAY, tev::Tr(kRadioMonthlyDay),
                                      wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_pMonthlyDayNumber = NumberField(panel, IDC_MONTHLY_DAY_NUMBER);
    m_pMonthlyDayInterval = NumberField(panel, IDC_MONTHLY_DAY_INTERVAL);
    m_pMonthlyThe = new wxRadioButton(panel, IDC_MONTHLY_THE, tev::Tr(kRadioMonthlyThe));
    m_pMonthlyWhich =
        CreateChoice(panel, IDC_MONTHLY_WHICH, CCalendarRecurrenceEditorModel::WhichEntries());
    m_pMonthlyWeekday =
        CreateChoice(panel, IDC_MONTHLY_WEEKDAY, CCalendarRecurrenceEditorModel::WeekdayEntries());
    m_pMonthlyTheInterval = NumberField(panel, IDC_MONTHLY_THE_INTERVAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(Row({m_pMonthlyDay, m_pMonthlyDayNumber,
                    Label(panel, kLabelOfEvery, IDC_MONTHLY_DAY_OF_EVERY), m_pMonthlyDayInterval,
                    Label(panel, kLabelMonths, IDC_MONTHLY_DAY_MONTHS)}));
    sizer->Add(Row({m_pMonthlyThe, m_pMonthlyWhich, m_pMonthlyWeekday,
                    Label(panel, kLabelOfEvery, IDC_MONTHLY_THE_OF_EVERY), m_pMonthlyTheInterval,
                    Label(panel, kLabelMonths, IDC_MONTHLY_THE_MONTHS)}),
               0, wxTOP, FromDIP(8));
    panel->SetSizer(sizer);
    return panel;
}

wxWindow* CCalendarEventRecurrenceEditorDlg::CreateYearlyPanel(wxWindow* parent) {
    auto* panel = new wxPanel(parent);
    m_pYearlyEvery = new wxRadioButton(panel, IDC_YEARLY_EVERY, tev::Tr(kRadioYearlyEvery),
                                       wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_pYearlyMonth =
        CreateChoice(panel, IDC_YEARLY_MONTH, CCalendarRecurrenceEditorModel::MonthEntries());
    m_pYearlyDay = NumberField(panel, IDC_YEARLY_DAY);
    m_pYearlyThe = new wxRadioButton(panel, IDC_YEARLY_THE, tev::Tr(kRadioYearlyThe));
    m_pYearlyWhich =
        CreateChoice(panel, IDC_YEARLY_WHICH, CCalendarRecurrenceEditorModel::WhichEntries());
    m_pYearlyWeekday =
        CreateChoice(panel, IDC_YEARLY_WEEKDAY, CCalendarRecurrenceEditorModel::WeekdayEntries());
    m_pYearlyTheMonth =
        CreateChoice(panel, IDC_YEARLY_THE_MONTH, CCalendarRecurrenceEditorModel::MonthEntries());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(Row({m_pYearlyEvery, m_pYearlyMonth, m_pYearlyDay}));
    sizer->Add(Row({m_pYearlyThe, m_pYearlyWhich, m_pYearlyWeekday,
                    Label(panel, kLabelOf, IDC_YEARLY_OF), m_pYearlyTheMonth}),
               0, wxTOP, FromDIP(8));
    panel->SetSizer(sizer);
    return panel;
}

wxSizer* CCalendarEventRecurrenceEditorDlg::CreateRangeGroup() {
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, tev::Tr(kGroupRange));
    wxWindow* box = group->GetStaticBox();
    m_pRangeStart = CreateDatePicker(box, IDC_RANGE_START);
    m_pNoEnd = new wxRadioButton(box, IDC_RANGE_NO_END, tev::Tr(kRadioNoEndDate), wxDefaultPosition,
                                 wxDefaultSize, wxRB_GROUP);
    m_pEndAfter = new wxRadioButton(box, IDC_RANGE_END_AFTER, tev::Tr(kRadioEndAfter));
    m_pOccurrences = NumberField(box, IDC_RANGE_OCCURRENCES);
    m_pEndBy = new wxRadioButton(box, IDC_RANGE_END_BY, tev::Tr(kRadioEndBy));
    m_pEndDate = CreateDatePicker(box, IDC_RANGE_END_DATE);

    auto* ends = new wxFlexGridSizer(2, FromDIP(8), FromDIP(8));
    ends->Add(m_pNoEnd, 0, wxALIGN_CENTER_VERTICAL);
    ends->AddSpacer(0);
    ends->Add(m_pEndAfter, 0, wxALIGN_CENTER_VERTICAL);
    ends->Add(Row({m_pOccurrences, Label(box, kLabelOccurrences)}));
    ends->Add(m_pEndBy, 0, wxALIGN_CENTER_VERTICAL);
    ends->Add(m_pEndDate);
    group->Add(Row({Label(box, kLabelRangeStart), m_pRangeStart}), 0, wxALL, FromDIP(6));
    group->AddStretchSpacer();
    group->Add(ends, 0, wxALL, FromDIP(6));
    group->AddStretchSpacer();
    return group;
}

wxSizer* CCalendarEventRecurrenceEditorDlg::CreateButtons() {
    auto* ok = new wxButton(this, wxID_OK, tev::Tr(kButtonOK));
    auto* cancel = new wxButton(this, wxID_CANCEL, tev::Tr(kButtonCancel));
    m_pRemove = new wxButton(this, IDC_REMOVE_RECURRENCE, tev::Tr(kButtonRemoveRecurrence));
    ok->SetDefault();
    return Row({ok, cancel, m_pRemove});
}

// ---------------------------------------------------------------------------------------
// Values

void CCalendarEventRecurrenceEditorDlg::ShowFields(const CRecurrenceEditorFields& fields) {
    m_pStart->ChangeValue(Text(fields.startTime));
    m_pEnd->ChangeValue(Text(fields.endTime));
    m_pDuration->ChangeValue(Text(fields.duration));
    m_pKinds[static_cast<int>(fields.kind)]->SetValue(true);
    (fields.dailyWorkDays ? m_pDailyWorkDays : m_pDailyEvery)->SetValue(true);
    m_pDailyInterval->ChangeValue(Text(fields.dailyInterval));
    m_pWeeklyInterval->ChangeValue(Text(fields.weeklyInterval));
    for (int i = 0; i < 7; ++i)
        m_pWeekDays[i]->SetValue((fields.weekDays & kDayBoxBits[i]) != 0);
    (fields.monthlyNth ? m_pMonthlyThe : m_pMonthlyDay)->SetValue(true);
    m_pMonthlyDayNumber->ChangeValue(Text(fields.monthlyDay));
    m_pMonthlyDayInterval->ChangeValue(Text(fields.monthlyInterval));
    SelectValue(m_pMonthlyWhich, fields.monthlyWhich);
    SelectValue(m_pMonthlyWeekday, fields.monthlyWeekday);
    m_pMonthlyTheInterval->ChangeValue(Text(fields.monthlyNthInterval));
    (fields.yearlyNth ? m_pYearlyThe : m_pYearlyEvery)->SetValue(true);
    SelectValue(m_pYearlyMonth, fields.yearlyMonth);
    m_pYearlyDay->ChangeValue(Text(fields.yearlyDay));
    SelectValue(m_pYearlyWhich, fields.yearlyWhich);
    SelectValue(m_pYearlyWeekday, fields.yearlyWeekday);
    SelectValue(m_pYearlyTheMonth, fields.yearlyNthMonth);
    ShowDate(m_pRangeStart, fields.rangeStart, fields.rangeEnd);
    m_pNoEnd->SetValue(fields.endMethod == kCalendarPatternNoEndDate);
    m_pEndAfter->SetValue(fields.endMethod == kCalendarPatternEndAfterOccurrences);
    m_pEndBy->SetValue(fields.endMethod == kCalendarPatternEndDate);
    m_pOccurrences->ChangeValue(Text(fields.occurrences));
    ShowDate(m_pEndDate, fields.rangeEnd, fields.rangeEnd);
    ShowKind(fields.kind);
}

CRecurrenceEditorFields CCalendarEventRecurrenceEditorDlg::ReadFields() const {
    CRecurrenceEditorFields fields;
    fields.startTime = m_pStart->GetValue().utf8_string();
    fields.endTime = m_pEnd->GetValue().utf8_string();
    fields.duration = m_pDuration->GetValue().utf8_string();
    fields.kind = CheckedKind();
    fields.dailyWorkDays = m_pDailyWorkDays->GetValue();
    fields.dailyInterval = ValueOf(m_pDailyInterval);
    fields.weeklyInterval = ValueOf(m_pWeeklyInterval);
    fields.weekDays = 0;
    for (int i = 0; i < 7; ++i) {
        if (m_pWeekDays[i]->GetValue())
            fields.weekDays |= kDayBoxBits[i];
    }
    fields.monthlyNth = m_pMonthlyThe->GetValue();
    fields.monthlyDay = ValueOf(m_pMonthlyDayNumber);
    fields.monthlyInterval = ValueOf(m_pMonthlyDayInterval);
    fields.monthlyWhich = SelectedValue(m_pMonthlyWhich, kCalendarFirst);
    fields.monthlyWeekday = SelectedValue(m_pMonthlyWeekday, kCalendarMonday);
    fields.monthlyNthInterval = ValueOf(m_pMonthlyTheInterval);
    fields.yearlyNth = m_pYearlyThe->GetValue();
    fields.yearlyMonth = SelectedValue(m_pYearlyMonth, 1);
    fields.yearlyDay = ValueOf(m_pYearlyDay);
    fields.yearlyWhich = SelectedValue(m_pYearlyWhich, kCalendarFirst);
    fields.yearlyWeekday = SelectedValue(m_pYearlyWeekday, kCalendarMonday);
    fields.yearlyNthMonth = SelectedValue(m_pYearlyTheMonth, 1);
    fields.rangeStart = PickedDate(m_pRangeStart);
    fields.endMethod = m_pEndAfter->GetValue() ? kCalendarPatternEndAfterOccurrences
                       : m_pEndBy->GetValue()  ? kCalendarPatternEndDate
                                               : kCalendarPatternNoEndDate;
    fields.occurrences = ValueOf(m_pOccurrences);
    fields.rangeEnd = PickedDate(m_pEndDate);
    return fields;
}

CalendarRecurrenceKind CCalendarEventRecurrenceEditorDlg::CheckedKind() const {
    for (int i = 0; i < 4; ++i) {
        if (m_pKinds[i]->GetValue())
            return static_cast<CalendarRecurrenceKind>(i);
    }
    return CalendarRecurrenceKind::Weekly;
}

void CCalendarEventRecurrenceEditorDlg::ShowKind(CalendarRecurrenceKind kind) {
    m_pPanels->ChangeSelection(static_cast<size_t>(kind));
}

// ---------------------------------------------------------------------------------------
// Handlers

void CCalendarEventRecurrenceEditorDlg::OnTimeListChanged(wxCommandEvent& event) {
    const std::string text = event.GetString().utf8_string();
    const bool parses = event.GetId() == IDC_RECURRENCE_DURATION
                            ? CalendarDurations::ParseDuration(text) >= 0
                            : CalendarDurations::ParseTime(text) >= 0;
    if (event.GetEventType() == wxEVT_COMBOBOX || parses)
        StartTimer(event.GetId());
}

void CCalendarEventRecurrenceEditorDlg::OnTimeListLeft(wxFocusEvent& event) {
    if (auto* list = dynamic_cast<wxWindow*>(event.GetEventObject()))
        StartTimer(list->GetId());
    event.Skip();
}

void CCalendarEventRecurrenceEditorDlg::StartTimer(int listId) {
    const int timerId = listId == IDC_RECURRENCE_START ? kStartTimer
                        : listId == IDC_RECURRENCE_END ? kEndTimer
                                                       : kDurationTimer;
    m_timers[TimerIndex(timerId)].StartOnce(100);
}

void CCalendarEventRecurrenceEditorDlg::OnTimer(wxTimerEvent& event) {
    TimesChanged(event.GetId());
}

void CCalendarEventRecurrenceEditorDlg::TimesChanged(int timerId) {
    switch (timerId) {
    case kStartTimer:
        if (m_times.StartChanged(m_pStart->GetValue().utf8_string()))
            m_pEnd->ChangeValue(Text(m_times.EndText()));
        break;
    case kEndTimer:
        if (m_times.EndChanged(m_pEnd->GetValue().utf8_string()))
            m_pDuration->ChangeValue(Text(m_times.DurationText()));
        break;
    case kDurationTimer:
        if (m_times.DurationChanged(m_pDuration->GetValue().utf8_string()))
            m_pEnd->ChangeValue(Text(m_times.EndText()));
        break;
    }
}

void CCalendarEventRecurrenceEditorDlg::OnKind(wxCommandEvent&) {
    ShowKind(CheckedKind());
}

void CCalendarEventRecurrenceEditorDlg::OnOK(wxCommandEvent&) {
    // A change still waiting on its timer is taken first.
    for (int timerId : {kStartTimer, kEndTimer, kDurationTimer}) {
        wxTimer& timer = m_timers[TimerIndex(timerId)];
        if (timer.IsRunning()) {
            timer.Stop();
            TimesChanged(timerId);
        }
    }
    const CRecurrenceEditorFields fields = ReadFields();
    if (Refuse(this, CCalendarRecurrenceEditorModel::Check(fields)))
        return;
    const CCalendarRecurrencePatternPtr pattern = m_model.BuildPattern(fields);
    if (m_model.LosesExceptions(*pattern) &&
        tev::MessageBox(this, CalendarString(IDS_EXCEPTIONS_LOST), kMessageCaption,
                        wxOK | wxCANCEL | wxICON_WARNING) != wxID_OK)
        return;
    m_model.Apply(pattern);
    // The result stays readable when a modal hook answered the dialog.
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

void CCalendarEventRecurrenceEditorDlg::OnRemoveRecurrence(wxCommandEvent&) {
    m_model.RemoveRecurrence();
    // The result stays readable when a modal hook answered the dialog.
    SetReturnCode(ID_RECURRENCE_REMOVED);
    EndDialog(ID_RECURRENCE_REMOVED);
}
