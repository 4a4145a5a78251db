#pragma once
// The calendar on paper: one page with the range the calendar shows (a day, a work week, a
// week or a month) as the calendar draws it, the day views from 00:00 to 23:59:59, under a
// header that names the range. The control paints itself onto the page, scaled to fit.
#include <wx/print.h>

#include <string>

class CTEVCalendarControl;

class CCalendarPrintout : public wxPrintout {
public:
    explicit CCalendarPrintout(CTEVCalendarControl* calendar);

    bool OnPrintPage(int page) override;
    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

    // The header: the first and last shown day, or the one day.
    static std::string RangeText(int64_t firstDay, int64_t lastDay);

private:
    CTEVCalendarControl* m_pCalendar;
};
