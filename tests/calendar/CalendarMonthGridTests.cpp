// The month view's grid with and without stacked weekend days: cells for several first days
// of the week, the days under points, and a bar over a weekend.
#include "calendar/CalendarLayout.h"
#include "calendar/CalendarMonthGrid.h"
#include "calendar/CalendarViewModel.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using tevtest::At;

namespace {

// December 2026 in 700 x 524 pixels under captions 24 high: five rows of 100 pixels.
struct Month {
    std::vector<int64_t> days;
    CCalendarMonthGrid grid;

    Month(int firstDayOfWeek, bool compress)
        : days(Days(firstDayOfWeek, compress)), grid(days, compress, 700, 524, 24) {}
    static std::vector<int64_t> Days(int firstDayOfWeek, bool compress) {
        CCalendarViewModel model;
        model.SetViewType(kCalendarMonthView);
        model.SetFirstDayOfWeek(firstDayOfWeek);
        model.SetMonthCompressWeekendDays(compress);
        model.SetSelectedDay(At("2026-12-15").GetDayNumber());
        return model.GetVisibleDays();
    }
    CCalendarGridRect CellOf(const char* date) const {
        const auto found = std::find(days.begin(), days.end(), At(date).GetDayNumber());
        return found == days.end() ? CCalendarGridRect{} : grid.Cells()[found - days.begin()];
    }
    // The days of the week of the captions, "7/1" for a shared column.
    std::string Captions() const {
        std::string text;
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            const std::vector<int> daysOfWeek = grid.CaptionDays(column);
            for (size_t i = 0; i < daysOfWeek.size(); ++i)
                text += (i > 0 ? "/" : column > 0 ? " " : "") + std::to_string(daysOfWeek[i]);
        }
        return text;
    }
};

TEST(CalendarMonthGrid, WeekendDaysShareAColumnWhereverTheWeekStarts) {
    struct Case {
        int firstDayOfWeek;
        bool compress;
        const char* captions;
        CCalendarGridRect saturday; // 5 December
        CCalendarGridRect sunday;   // 6 December
    };
    const Case cases[] = {
        {2, false, "2 3 4 5 6 7 1", {500, 24, 100, 100}, {600, 24, 100, 100}},
        {2, true, "2 3 4 5 6 7/1", {583, 24, 117, 50}, {583, 74, 117, 50}},
        {1, false, "1 2 3 4 5 6 7", {600, 24, 100, 100}, {0, 124, 100, 100}},
        // A week from Sunday would part the weekend: its rows start on Monday instead.
        {1, true, "2 3 4 5 6 7/1", {583, 24, 117, 50}, {583, 74, 117, 50}},
        {7, true, "7/1 2 3 4 5 6", {0, 124, 116, 50}, {0, 174, 116, 50}},
        {4, true, "4 5 6 7/1 2 3", {350, 124, 116, 50}, {350, 174, 116, 50}},
    };
    for (const Case& c : cases) {
        const Month month(c.firstDayOfWeek, c.compress);
        const std::string what = std::to_string(c.firstDayOfWeek) + (c.compress ? " stacked" : "");
        EXPECT_EQ(month.Captions(), c.captions) << what;
        EXPECT_EQ(month.CellOf("2026-12-05"), c.saturday) << what;
        EXPECT_EQ(month.CellOf("2026-12-06"), c.sunday) << what;
        // The cells cover the area under the captions once.
        int64_t area = 0;
        for (const CCalendarGridRect& cell : month.grid.Cells())
            area += static_cast<int64_t>(cell.width) * cell.height;
        EXPECT_EQ(area, 700 * 500) << what;
    }
}

TEST(CalendarMonthGrid, PointsLandOnTheSaturdayOrTheSundayHalf) {
    const Month month(2, true); // from Monday 30 November
    struct Case {
        int x;
        int y;
        const char* day; // "" for none
    };
    const Case cases[] = {
        {600, 73, "2026-12-05"},
        {600, 74, "2026-12-06"},
        {699, 123, "2026-12-06"},
        {583, 124, "2026-12-12"},
        {582, 124, "2026-12-11"},
        {600, 523, "2027-01-03"},
        {600, 10, ""},
        {700, 50, ""},
    };
    for (const Case& c : cases) {
        const int index = month.grid.DayIndexAt(c.x, c.y);
        EXPECT_EQ(index < 0 ? -1 : month.days[index], *c.day ? At(c.day).GetDayNumber() : -1)
            << c.x << ", " << c.y;
    }
}

TEST(CalendarMonthGrid, ABarOverAWeekendGoesOnInBothHalves) {
    // Thursday 10 to Sunday 13 December, all day, in the second row: "<" and ">" mark the
    // ends of a piece that the bar goes on from.
    auto trip = std::make_shared<CCalendarEvent>();
    trip->SetStartTime(At("2026-12-10"));
    trip->SetEndTime(At("2026-12-14"));
    trip->SetAllDayEvent(true);
    for (const auto& [compress, expected] :
         {std::make_pair(false, "3-6 "), std::make_pair(true, "3-4> <0-0> <0-0 ")}) {
        const Month month(2, compress);
        std::string pieces;
        for (const CCalendarGridStrip& strip : month.grid.Strips()) {
            for (const CCalendarSpanItem& item :
                 CCalendarLayout::LayoutSpans({trip}, month.grid.StripDays(1, strip)))
                pieces += (item.continuesBefore ? "<" : "") + std::to_string(item.firstColumn) +
                          "-" + std::to_string(item.lastColumn) +
                          (item.continuesAfter ? "> " : " ");
        }
        EXPECT_EQ(pieces, expected) << compress;
    }
}

} // namespace
