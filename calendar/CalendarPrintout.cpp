#include "calendar/CalendarPrintout.h"

#include "calendar/TEVCalendarControl.h"
#include "platform/text/StringUtil.h"
#include "resources/calendar/CalendarStrings.h"

#include <algorithm>

using namespace tev::calendar;

namespace {

constexpr int kPrintWidth = 1000; // the width the calendar is laid out at before scaling
constexpr int kMonthHeight = 760;
constexpr int kHeaderHeight = 60;
constexpr int kMargin = 40; // around the header and the calendar, in the same units

std::string DateText(int64_t day) {
    const CCalendarDateTime date = CCalendarDateTime::FromDayNumber(day);
    return tev::Format("%s, %s %d, %d", DayName(date.GetDayOfWeek()).c_str(),
                       MonthName(date.GetMonth()).c_str(), date.GetDay(), date.GetYear());
}

} // namespace

CCalendarPrintout::CCalendarPrintout(CTEVCalendarControl* calendar)
    : wxPrintout(wxString::FromUTF8(kFrameTitle)), m_pCalendar(calendar) {}

void CCalendarPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    *minPage = *maxPage = *pageFrom = *pageTo = 1;
}

std::string CCalendarPrintout::RangeText(int64_t firstDay, int64_t lastDay) {
    if (firstDay == lastDay)
        return DateText(firstDay);
    return DateText(firstDay) + " - " + DateText(lastDay);
}

bool CCalendarPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (page != 1 || !dc || !m_pCalendar || m_pCalendar->GetVisibleDays().empty())
        return false;
    const bool dayView = m_pCalendar->GetActiveViewType() == kCalendarDayView ||
                         m_pCalendar->GetActiveViewType() == kCalendarWorkWeekView;
    // The week and month views take the page's shape, the day views every row of the day.
    int pageWidth = 0, pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    const int pageShaped =
        pageWidth > 0 && pageHeight > 0
            ? (kPrintWidth + 2 * kMargin) * pageHeight / pageWidth - kHeaderHeight - 2 * kMargin
            : kMonthHeight;
    const wxSize body(kPrintWidth, dayView ? m_pCalendar->FullDayHeight() : pageShaped);
    // The header and the calendar below it, with margins, scaled to the page.
    FitThisSizeToPage(wxSize(body.x + 2 * kMargin, body.y + kHeaderHeight + 2 * kMargin));
    const std::vector<int64_t>& days = m_pCalendar->GetVisibleDays();
    wxFont font(wxFontInfo(16).Bold().Family(wxFONTFAMILY_SWISS));
    dc->SetFont(font);
    dc->SetTextForeground(*wxBLACK);
    dc->DrawText(wxString::FromUTF8(RangeText(days.front(), days.back())), kMargin, kMargin + 12);
    dc->SetPen(wxPen(*wxBLACK, 2));
    dc->DrawLine(kMargin, kMargin + kHeaderHeight - 8, kMargin + body.x,
                 kMargin + kHeaderHeight - 8);
    dc->SetDeviceOrigin(dc->LogicalToDeviceX(kMargin),
                        dc->LogicalToDeviceY(kMargin + kHeaderHeight));
    dc->SetFont(m_pCalendar->GetFont());
    m_pCalendar->PaintForPrint(*dc, body);
    return true;
}
