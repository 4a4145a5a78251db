#include "calendar/OptionsDialogBar.h"

#include "calendar/TEVCalendarControl.h"
#include "calendar/TEVCalendarView.h"
#include "platform/text/StringUtil.h"
#include "platform/text/Translation.h"
#include "platform/widgets/Translations.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/wrapsizer.h>

#include <algorithm>
#include <iterator>

using namespace tev::calendar;

namespace {

const int kDayBoxes[7] = {IDC_WORKWEEK_SU, IDC_WORKWEEK_MO, IDC_WORKWEEK_TU, IDC_WORKWEEK_WE,
                          IDC_WORKWEEK_TH, IDC_WORKWEEK_FR, IDC_WORKWEEK_SA};
constexpr int kHalfHours = 48;

} // namespace

bool COptionsDialogBar::Create(wxWindow* parent, CTEVCalendarView* view) {
    if (!wxPanel::Create(parent, IDD_OPTIONS_BAR, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                         kOptionsTitle))
        return false;
    Hide();
    SetLabel(kOptionsTitle);
    m_pView = view;
    // The groups wrap onto a second line when the frame is narrow.
    auto* row = new wxWrapSizer(wxHORIZONTAL);

    auto* workWeek = new wxStaticBoxSizer(wxVERTICAL, this, tev::Tr(kGroupWorkWeek));
    wxWindow* box = workWeek->GetStaticBox();
    auto* days = new wxBoxSizer(wxHORIZONTAL);
    for (int i = 0; i < 7; ++i) {
        m_pDays[i] = AddCheck(box, days, kDayBoxes[i], ShortDayName(i + 1).substr(0, 2).c_str());
        m_pDays[i]->Bind(wxEVT_CHECKBOX, &COptionsDialogBar::OnWorkWeekDay, this);
    }
    workWeek->Add(days);
    auto* times = new wxBoxSizer(wxHORIZONTAL);
    m_pFirstDay = AddChoice(box, times, IDC_FIRST_DAY_OF_WEEK, kLabelFirstDayOfWeek);
    for (int day = 1; day <= 7; ++day)
        m_pFirstDay->Append(wxString::FromUTF8(DayName(day)));
    m_pStart = AddChoice(box, times, IDC_START_TIME, kLabelStartTime);
    m_pEnd = AddChoice(box, times, IDC_END_TIME, kLabelEndTime);
    for (int entry = 0; entry < kHalfHours; ++entry) {
        const std::string text = tev::Format(kTimeItemFormat, entry / 2, entry % 2 * 30);
        m_pStart->Append(text);
        m_pEnd->Append(text);
    }
    workWeek->Add(times, 0, wxTOP, 4);
    m_pFirstDay->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnFirstDayOfWeek, this);
    m_pStart->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnStartTime, this);
    m_pEnd->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnEndTime, this);
    row->Add(workWeek, 0, wxALL, 4);

    auto* dayView = new wxStaticBoxSizer(wxVERTICAL, this, tev::Tr(kGroupDayView));
    m_pScale = AddChoice(dayView->GetStaticBox(), dayView, IDC_TIME_SCALE, kLabelTimeScale);
    for (int scale : CCalendarViewModel::kScales)
        m_pScale->Append(tev::Format(tev::Translate(kScaleItemFormat).c_str(), scale));
    m_pScale->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnTimeScale, this);
    // No time zones here: the button shows disabled.
    auto* zone = new wxButton(dayView->GetStaticBox(), IDC_TIME_ZONE, tev::Tr(kButtonTimeZone));
    zone->Disable();
    dayView->Add(zone, 0, wxTOP, 4);
    row->Add(dayView, 0, wxALL, 4);

    auto* weekView = new wxStaticBoxSizer(wxVERTICAL, this, tev::Tr(kGroupWeekView));
    AddCheck(weekView->GetStaticBox(), weekView, IDC_WEEK_CLOCKS, kCheckShowClocks);
    AddCheck(weekView->GetStaticBox(), weekView, IDC_WEEK_END_TIME, kCheckShowEndTime);
    row->Add(weekView, 0, wxALL, 4);

    auto* monthView = new wxStaticBoxSizer(wxVERTICAL, this, tev::Tr(kGroupMonthView));
    wxWindow* monthBox = monthView->GetStaticBox();
    AddCheck(monthBox, monthView, IDC_MONTH_CLOCKS, kCheckShowClocks);
    AddCheck(monthBox, monthView, IDC_MONTH_END_TIME, kCheckShowEndTime);
    AddCheck(monthBox, monthView, IDC_MONTH_COMPRESS_WEEKEND, kCheckCompressWeekend);
    m_pWeeks = AddChoice(monthBox, monthView, IDC_WEEKS_COUNT, kLabelWeeksCount);
    for (int weeks = 2; weeks <= 6; ++weeks)
        m_pWeeks->Append(std::to_string(weeks));
    m_pWeeks->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnWeeksCount, this);
    row->Add(monthView, 0, wxALL, 4);

    auto* other = new wxStaticBoxSizer(wxVERTICAL, this, tev::Tr(kGroupOther));
    m_pToolTips = AddChoice(other->GetStaticBox(), other, IDC_TOOLTIPS, kLabelToolTips);
    for (const char* mode : kToolTipModes)
        m_pToolTips->Append(mode);
    m_pToolTips->Bind(wxEVT_CHOICE, &COptionsDialogBar::OnToolTips, this);
    auto* advanced = new wxButton(other->GetStaticBox(), IDC_ADVANCED, tev::Tr(kButtonAdvanced));
    advanced->Disable();
    other->Add(advanced, 0, wxTOP, 4);
    row->Add(other, 0, wxALL, 4);

    for (int id : {IDC_WEEK_CLOCKS, IDC_WEEK_END_TIME, IDC_MONTH_CLOCKS, IDC_MONTH_END_TIME,
                   IDC_MONTH_COMPRESS_WEEKEND})
        FindWindow(id)->Bind(wxEVT_CHECKBOX, &COptionsDialogBar::OnViewCheck, this);
    Bind(wxEVT_UPDATE_UI, &COptionsDialogBar::OnUpdateUI, this, IDD_OPTIONS_BAR);
    SetSizer(row);
    ShowCalendarSettings();
    return true;
}

wxCheckBox* COptionsDialogBar::AddCheck(wxWindow* parent, wxSizer* sizer, int id,
                                        const char* label) {
    auto* check = new wxCheckBox(parent, id, tev::Tr(label));
    sizer->Add(check, 0, wxRIGHT | wxBOTTOM, 4);
    return check;
}

wxChoice* COptionsDialogBar::AddChoice(wxWindow* parent, wxSizer* sizer, int id,
                                       const char* label) {
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    line->Add(new wxStaticText(parent, wxID_ANY, tev::Tr(label)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    auto* choice = new wxChoice(parent, id);
    line->Add(choice, 0, wxRIGHT, 8);
    sizer->Add(line, 0, wxBOTTOM, 4);
    return choice;
}

void COptionsDialogBar::ShowCalendarSettings() {
    if (!m_pView || !m_pView->GetCalendarCtrl())
        return;
    const CTEVCalendarControl& calendar = *m_pView->GetCalendarCtrl();
    const CCalendarViewModel& model = calendar.GetModel();
    for (int i = 0; i < 7; ++i)
        ShowCheck(m_pDays[i], (model.GetWorkWeekMask() & (1 << i)) != 0);
    ShowChoice(m_pFirstDay, m_pView->GetDataProvider().GetFirstDayOfWeek() - 1);
    ShowChoice(m_pStart, std::min(kHalfHours - 1, model.GetWorkDayStart() / 30));
    ShowChoice(m_pEnd, std::min(kHalfHours - 1, model.GetWorkDayEnd() / 30));
    const int* scales = std::begin(CCalendarViewModel::kScales);
    const int* scale =
        std::find(scales, std::end(CCalendarViewModel::kScales), calendar.GetScaleInterval());
    ShowChoice(m_pScale,
               scale == std::end(CCalendarViewModel::kScales) ? wxNOT_FOUND : scale - scales);
    ShowCheck(IDC_WEEK_CLOCKS, model.GetWeekShowTimeAsClocks());
    ShowCheck(IDC_WEEK_END_TIME, model.GetWeekShowEndTime());
    ShowCheck(IDC_MONTH_CLOCKS, model.GetMonthShowTimeAsClocks());
    ShowCheck(IDC_MONTH_END_TIME, model.GetMonthShowEndTime());
    ShowCheck(IDC_MONTH_COMPRESS_WEEKEND, model.GetMonthCompressWeekendDays());
    ShowChoice(m_pWeeks, model.GetMonthWeeksCount() - 2);
    ShowChoice(m_pToolTips, calendar.GetToolTipMode());
}

void COptionsDialogBar::ShowCheck(wxCheckBox* check, bool on) {
    // Set only on a change, so that a box the user is working with is left alone.
    if (check->GetValue() != on)
        check->SetValue(on);
}

void COptionsDialogBar::ShowCheck(int id, bool on) {
    ShowCheck(static_cast<wxCheckBox*>(FindWindow(id)), on);
}

void COptionsDialogBar::ShowChoice(wxChoice* choice, int index) {
    if (choice->GetSelection() != index)
        choice->SetSelection(index);
}

void COptionsDialogBar::OnUpdateUI(wxUpdateUIEvent&) {
    // The calendar's settings change from outside too (the first day of the week from the
    // component's properties, the scale from the day view's menu): an open bar follows.
    if (IsShown())
        ShowCalendarSettings();
}

int COptionsDialogBar::WorkWeekMaskOfBoxes() const {
    int mask = 0;
    for (int i = 0; i < 7; ++i)
        if (m_pDays[i]->GetValue())
            mask |= 1 << i;
    return mask;
}

void COptionsDialogBar::OnWorkWeekDay(wxCommandEvent&) {
    int mask = WorkWeekMaskOfBoxes();
    if (mask == 0) {
        // A week without work days is not kept: Sunday comes back.
        m_pDays[0]->SetValue(true);
        mask = 1;
    }
    CTEVCalendarControl* calendar = m_pView->GetCalendarCtrl();
    calendar->GetModel().SetWorkWeekMask(mask);
    calendar->Populate();
}

void COptionsDialogBar::OnFirstDayOfWeek(wxCommandEvent&) {
    m_pView->SetFirstDayOfWeek(m_pFirstDay->GetSelection() + 1);
}

void COptionsDialogBar::OnStartTime(wxCommandEvent&) {
    if (m_pEnd->GetSelection() < m_pStart->GetSelection())
        m_pEnd->SetSelection(m_pStart->GetSelection());
    ApplyWorkDay();
}

void COptionsDialogBar::OnEndTime(wxCommandEvent&) {
    if (m_pStart->GetSelection() > m_pEnd->GetSelection())
        m_pStart->SetSelection(m_pEnd->GetSelection());
    ApplyWorkDay();
}

void COptionsDialogBar::ApplyWorkDay() {
    CTEVCalendarControl* calendar = m_pView->GetCalendarCtrl();
    calendar->GetModel().SetWorkDay(m_pStart->GetSelection() * 30, m_pEnd->GetSelection() * 30);
    calendar->Populate();
}

void COptionsDialogBar::OnTimeScale(wxCommandEvent&) {
    const int index = m_pScale->GetSelection();
    if (index >= 0 && index < static_cast<int>(std::size(CCalendarViewModel::kScales)))
        m_pView->SetScale(CCalendarViewModel::kScales[index]);
}

void COptionsDialogBar::OnWeeksCount(wxCommandEvent&) {
    CTEVCalendarControl* calendar = m_pView->GetCalendarCtrl();
    if (calendar->GetActiveViewType() != kCalendarMonthView)
        return;
    calendar->GetModel().SetMonthWeeksCount(m_pWeeks->GetSelection() + 2);
    calendar->Populate();
}

void COptionsDialogBar::OnViewCheck(wxCommandEvent& event) {
    CCalendarViewModel& model = m_pView->GetCalendarCtrl()->GetModel();
    const bool on = event.IsChecked();
    switch (event.GetId()) {
    case IDC_WEEK_CLOCKS:
        model.SetWeekShowTimeAsClocks(on);
        break;
    case IDC_WEEK_END_TIME:
        model.SetWeekShowEndTime(on);
        break;
    case IDC_MONTH_CLOCKS:
        model.SetMonthShowTimeAsClocks(on);
        break;
    case IDC_MONTH_END_TIME:
        model.SetMonthShowEndTime(on);
        break;
    case IDC_MONTH_COMPRESS_WEEKEND:
        model.SetMonthCompressWeekendDays(on);
        break;
    }
    m_pView->GetCalendarCtrl()->Populate();
}

void COptionsDialogBar::OnToolTips(wxCommandEvent&) {
    m_pView->GetCalendarCtrl()->SetToolTipMode(std::max(0, m_pToolTips->GetSelection()));
}
