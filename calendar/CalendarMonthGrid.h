#pragma once
// The month view's grid, without a window: where each visible day's cell lies, which days
// of the week a column's caption names, which days of a week row bars run along together,
// and which day lies under a point.
//
// Weeks are rows. With compressed weekend days Saturday and Sunday share one column, one
// above the other, each half a cell high; every other day has a whole cell. They share a
// column only where Saturday is followed by Sunday in the row (the view model starts the
// rows on Monday when a week that starts on Sunday is compressed, so that they do); else
// the grid keeps seven whole columns.
#include <cstdint>
#include <vector>

// A rectangle in pixels; x and y are included, x + width and y + height are not.
struct CCalendarGridRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    bool operator==(const CCalendarGridRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// Days of a week row whose cells stand side by side at one height, so that a bar can run
// across them: positions in the row (0 = the row's first day), first and last included.
struct CCalendarGridStrip {
    int first = 0;
    int last = 0;
    bool operator==(const CCalendarGridStrip& other) const {
        return first == other.first && last == other.last;
    }
};

class CCalendarMonthGrid {
public:
    static constexpr int kDaysPerWeek = 7;

    // Lays out `days` (whole weeks, day after day) in `width` x `height` pixels, under a
    // row of day captions `captionHeight` high.
    CCalendarMonthGrid(const std::vector<int64_t>& days, bool compressWeekend, int width,
                       int height, int captionHeight);

    // Whether Saturday and Sunday share a column.
    bool IsCompressed() const { return m_weekendPosition >= 0; }
    int ColumnCount() const { return IsCompressed() ? kDaysPerWeek - 1 : kDaysPerWeek; }
    int WeekCount() const { return m_weeks; }

    const CCalendarGridRect& CaptionRow() const { return m_captionRow; }
    CCalendarGridRect CaptionCell(int column) const;
    // The days of the week (1 = Sunday ... 7 = Saturday) a column holds, top first.
    std::vector<int> CaptionDays(int column) const;

    // One cell per visible day, in the order of the days.
    const std::vector<CCalendarGridRect>& Cells() const { return m_cells; }
    // The strips of a week row, left to right; every row has the same.
    std::vector<CCalendarGridStrip> Strips() const;
    // The days of a strip of week row `week` (from 0), left to right.
    std::vector<int64_t> StripDays(int week, const CCalendarGridStrip& strip) const;
    // The index of the day whose cell holds the point, or -1.
    int DayIndexAt(int x, int y) const;

private:
    int ColumnOfPosition(int position) const;
    int ColumnLeft(int column) const;
    void PlaceCells();

    std::vector<int64_t> m_days;
    std::vector<int> m_daysOfWeek; // of the first row's positions
    int m_weeks = 0;
    int m_width = 0;
    int m_height = 0;
    int m_captionHeight = 0;
    // The position of Saturday when it shares its column with Sunday, else -1.
    int m_weekendPosition = -1;
    CCalendarGridRect m_captionRow;
    std::vector<CCalendarGridRect> m_cells;
};
