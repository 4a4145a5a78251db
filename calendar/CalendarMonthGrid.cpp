#include "calendar/CalendarMonthGrid.h"

#include "calendar/CalendarViewModel.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int kSunday = 1;
constexpr int kSaturday = 7;

} // namespace

CCalendarMonthGrid::CCalendarMonthGrid(const std::vector<int64_t>& days, bool compressWeekend,
                                       int width, int height, int captionHeight)
    : m_days(days), m_weeks(static_cast<int>(days.size() / kDaysPerWeek)),
      m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_captionHeight(std::max(0, captionHeight)) {
    for (size_t i = 0; i < days.size() && i < kDaysPerWeek; ++i)
        m_daysOfWeek.push_back(CCalendarViewModel::DayOfWeek(days[i]));
    for (size_t position = 0; compressWeekend && position + 1 < m_daysOfWeek.size(); ++position) {
        if (m_daysOfWeek[position] == kSaturday && m_daysOfWeek[position + 1] == kSunday)
            m_weekendPosition = static_cast<int>(position);
    }
    m_captionRow = {0, 0, m_width, m_captionHeight};
    PlaceCells();
}

int CCalendarMonthGrid::ColumnOfPosition(int position) const {
    return IsCompressed() && position > m_weekendPosition ? position - 1 : position;
}

int CCalendarMonthGrid::ColumnLeft(int column) const {
    return column * m_width / ColumnCount();
}

CCalendarGridRect CCalendarMonthGrid::CaptionCell(int column) const {
    const int left = ColumnLeft(column);
    return {left, m_captionRow.y, ColumnLeft(column + 1) - left, m_captionRow.height};
}

std::vector<int> CCalendarMonthGrid::CaptionDays(int column) const {
    std::vector<int> daysOfWeek;
    for (size_t position = 0; position < m_daysOfWeek.size(); ++position) {
        if (ColumnOfPosition(static_cast<int>(position)) == column)
            daysOfWeek.push_back(m_daysOfWeek[position]);
    }
    return daysOfWeek;
}

void CCalendarMonthGrid::PlaceCells() {
    const int body = std::max(0, m_height - m_captionHeight);
    const int rows = std::max(1, m_weeks);
    for (int week = 0; week < m_weeks; ++week) {
        const int top = m_captionHeight + week * body / rows;
        const int bottom = m_captionHeight + (week + 1) * body / rows;
        const int middle = top + (bottom - top) / 2;
        for (int position = 0; position < kDaysPerWeek; ++position) {
            const int column = ColumnOfPosition(position);
            const int left = ColumnLeft(column);
            CCalendarGridRect cell{left, top, ColumnLeft(column + 1) - left, bottom - top};
            // Saturday takes the upper half of the shared column, Sunday the lower one.
            if (IsCompressed() && position == m_weekendPosition)
                cell.height = middle - top;
            else if (IsCompressed() && position == m_weekendPosition + 1)
                cell = {left, middle, cell.width, bottom - middle};
            m_cells.push_back(cell);
        }
    }
}

std::vector<CCalendarGridStrip> CCalendarMonthGrid::Strips() const {
    std::vector<CCalendarGridStrip> strips;
    if (m_cells.empty())
        return strips;
    strips.push_back({0, 0});
    for (int position = 1; position < kDaysPerWeek; ++position) {
        const CCalendarGridRect& previous = m_cells[position - 1];
        const CCalendarGridRect& cell = m_cells[position];
        const bool sideBySide = cell.y == previous.y && cell.height == previous.height &&
                                cell.x == previous.x + previous.width;
        if (sideBySide)
            strips.back().last = position;
        else
            strips.push_back({position, position});
    }
    return strips;
}

std::vector<int64_t> CCalendarMonthGrid::StripDays(int week,
                                                   const CCalendarGridStrip& strip) const {
    if (week < 0 || week >= m_weeks || strip.first < 0 || strip.last >= kDaysPerWeek ||
        strip.first > strip.last)
        return {};
    const auto weekStart = m_days.begin() + static_cast<std::ptrdiff_t>(week) * kDaysPerWeek;
    return std::vector<int64_t>(weekStart + strip.first, weekStart + strip.last + 1);
}

int CCalendarMonthGrid::DayIndexAt(int x, int y) const {
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i].Contains(x, y))
            return static_cast<int>(i);
    }
    return -1;
}
