#include "calendar/DatePickerDialogBar.h"

#include "calendar/store/CalendarDateTime.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/calctrl.h>
#include <wx/generic/calctrlg.h>

using namespace tev::calendar;

namespace {

wxDateTime WxDateOf(int64_t day) {
    const CCalendarDateTime date = CCalendarDateTime::FromDayNumber(day);
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(date.GetDay()),
                      static_cast<wxDateTime::Month>(date.GetMonth() - 1), date.GetYear());
}

int64_t DayOf(const wxDateTime& date) {
    return CCalendarDateTime::DayNumberOf(date.GetYear(), date.GetMonth() + 1, date.GetDay());
}

} // namespace

bool CDatePickerDialogBar::Create(wxWindow* parent, wxWindowID id) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                         kDatePickerTitle))
        return false;
    SetLabel(kDatePickerTitle);
    SetBackgroundColour(wxColour(246, 248, 250));
    m_pDatePicker = new wxGenericCalendarCtrl(this, IDC_DATE_PICKER, wxDefaultDateTime,
                                              wxPoint(4, 6), wxDefaultSize,
                                              wxCAL_SUNDAY_FIRST | wxCAL_SHOW_SURROUNDING_WEEKS |
                                                  wxCAL_SEQUENTIAL_MONTH_SELECTION | wxBORDER_NONE);
    m_pDatePicker->SetHeaderColours(wxColour(26, 115, 232), wxColour(246, 248, 250));
    m_pDatePicker->SetHighlightColours(*wxWHITE, wxColour(26, 115, 232));
    m_pDatePicker->SetHolidayColours(wxColour(95, 99, 104), wxNullColour);
    m_pDatePicker->Bind(wxEVT_CALENDAR_SEL_CHANGED, &CDatePickerDialogBar::OnSelChanged, this);
    m_pDatePicker->Bind(wxEVT_CALENDAR_PAGE_CHANGED, &CDatePickerDialogBar::OnPageChanged, this);
    Bind(wxEVT_SIZE, &CDatePickerDialogBar::OnSize, this);
    return true;
}

int CDatePickerDialogBar::GetBestWidth() const {
    return m_pDatePicker ? m_pDatePicker->GetBestSize().x + 8 : 0;
}

void CDatePickerDialogBar::OnSize(wxSizeEvent& event) {
    // The picker keeps its top-left corner and takes the rest of the bar.
    if (m_pDatePicker) {
        const wxPoint corner = m_pDatePicker->GetPosition();
        const wxSize client = GetClientSize();
        const wxSize best = m_pDatePicker->GetBestSize();
        m_pDatePicker->SetSize(corner.x, corner.y, std::max(best.x, client.x - corner.x - 4),
                               best.y);
    }
    event.Skip();
}

void CDatePickerDialogBar::SetFirstDayOfWeek(int dayOfWeek) {
    if (!m_pDatePicker)
        return;
    long style = m_pDatePicker->GetWindowStyleFlag() & ~(wxCAL_SUNDAY_FIRST | wxCAL_MONDAY_FIRST);
    style |= dayOfWeek == 1 ? wxCAL_SUNDAY_FIRST : wxCAL_MONDAY_FIRST;
    if (style != m_pDatePicker->GetWindowStyleFlag()) {
        m_pDatePicker->SetWindowStyleFlag(style);
        m_pDatePicker->Refresh();
    }
}

void CDatePickerDialogBar::ShowVisibleDays(const std::vector<int64_t>& days, int64_t selectedDay) {
    m_days = days;
    if (!m_pDatePicker)
        return;
    m_updating = true;
    m_pDatePicker->SetDate(WxDateOf(selectedDay));
    m_updating = false;
    ApplyMarks();
}

void CDatePickerDialogBar::ApplyMarks() {
    const wxDateTime shown = m_pDatePicker->GetDate();
    for (int day = 1; day <= 31; ++day)
        m_pDatePicker->ResetAttr(day);
    for (int64_t day : m_days) {
        const wxDateTime date = WxDateOf(day);
        if (date.GetMonth() != shown.GetMonth() || date.GetYear() != shown.GetYear())
            continue;
        auto* attr = new wxCalendarDateAttr(wxColour(32, 33, 36), wxColour(210, 227, 252));
        m_pDatePicker->SetAttr(date.GetDay(), attr);
    }
    m_pDatePicker->Refresh();
}

void CDatePickerDialogBar::OnSelChanged(wxCalendarEvent& event) {
    if (m_updating)
        return;
    if (m_onDayPicked)
        m_onDayPicked(DayOf(event.GetDate()));
}

void CDatePickerDialogBar::OnPageChanged(wxCalendarEvent& event) {
    ApplyMarks();
    event.Skip();
}
