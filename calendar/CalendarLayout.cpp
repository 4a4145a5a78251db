#include "calendar/CalendarLayout.h"

#include <algorithm>

namespace {

CCalendarDateTime DayStart(int64_t day) {
    return CCalendarDateTime::FromDayNumber(day);
}

} // namespace

bool CCalendarLayout::IsSpanEvent(const CCalendarEvent& event) {
    if (event.IsAllDayEvent())
        return true;
    return event.GetDurationMinutes() >= kMinutesPerDay;
}

bool CCalendarLayout::CoversDay(const CCalendarEvent& event, int64_t day) {
    const CCalendarDateTime& start = event.GetStartTime();
    const CCalendarDateTime& end = event.GetEndTime();
    if (!start.IsValid())
        return false;
    const CCalendarDateTime dayStart = DayStart(day);
    const CCalendarDateTime dayEnd = DayStart(day + 1);
    if (!end.IsValid() || end <= start)
        return start >= dayStart && start < dayEnd;
    return start < dayEnd && end > dayStart;
}

int CCalendarLayout::RowsPerDay(int scale) {
    if (scale <= 0)
        return 0;
    return (kMinutesPerDay + scale - 1) / scale;
}

std::vector<CCalendarSpanItem>
CCalendarLayout::LayoutSpans(const std::vector<CCalendarEventPtr>& events,
                             const std::vector<int64_t>& days) {
    std::vector<CCalendarSpanItem> spans;
    for (const CCalendarEventPtr& event : events) {
        if (!event || !IsSpanEvent(*event))
            continue;
        int first = -1;
        int last = -1;
        for (size_t column = 0; column < days.size(); ++column) {
            if (CoversDay(*event, days[column])) {
                if (first < 0)
                    first = static_cast<int>(column);
                last = static_cast<int>(column);
            }
        }
        if (first < 0)
            continue;
        CCalendarSpanItem item;
        item.event = event;
        item.firstColumn = first;
        item.lastColumn = last;
        item.continuesBefore = event->GetStartTime() < DayStart(days[first]);
        item.continuesAfter = event->GetEndTime() > DayStart(days[last] + 1);
        spans.push_back(item);
    }
    std::stable_sort(spans.begin(), spans.end(),
                     [](const CCalendarSpanItem& a, const CCalendarSpanItem& b) {
                         if (a.firstColumn != b.firstColumn)
                             return a.firstColumn < b.firstColumn;
                         const int lengthA = a.lastColumn - a.firstColumn;
                         const int lengthB = b.lastColumn - b.firstColumn;
                         if (lengthA != lengthB)
                             return lengthA > lengthB;
                         return a.event->GetStartTime() < b.event->GetStartTime();
                     });
    // lanes[l] = the last column taken in lane l.
    std::vector<int> laneEnd;
    for (CCalendarSpanItem& item : spans) {
        size_t lane = 0;
        while (lane < laneEnd.size() && laneEnd[lane] >= item.firstColumn)
            ++lane;
        if (lane == laneEnd.size())
            laneEnd.push_back(item.lastColumn);
        else
            laneEnd[lane] = item.lastColumn;
        item.lane = static_cast<int>(lane);
    }
    return spans;
}

int CCalendarLayout::LaneCount(const std::vector<CCalendarSpanItem>& spans) {
    int count = 0;
    for (const CCalendarSpanItem& item : spans)
        count = std::max(count, item.lane + 1);
    return count;
}

int CCalendarLayout::LaneCount(const std::vector<CCalendarSpanItem>& spans, int column) {
    int count = 0;
    for (const CCalendarSpanItem& item : spans) {
        if (item.firstColumn <= column && column <= item.lastColumn)
            count = std::max(count, item.lane + 1);
    }
    return count;
}

std::vector<CCalendarTimedItem>
CCalendarLayout::LayoutTimed(const std::vector<CCalendarEventPtr>& events,
                             const std::vector<int64_t>& days, int scale) {
    std::vector<CCalendarTimedItem> result;
    if (scale <= 0)
        return result;
    for (size_t column = 0; column < days.size(); ++column) {
        const CCalendarDateTime dayStart = DayStart(days[column]);
        std::vector<CCalendarTimedItem> day;
        for (const CCalendarEventPtr& event : events) {
            if (!event || IsSpanEvent(*event) || !CoversDay(*event, days[column]))
                continue;
            CCalendarTimedItem item;
            item.event = event;
            item.column = static_cast<int>(column);
            const int64_t from = CCalendarDateTime::MinutesBetween(dayStart, event->GetStartTime());
            const int64_t to =
                event->GetEndTime().IsValid()
                    ? CCalendarDateTime::MinutesBetween(dayStart, event->GetEndTime())
                    : from;
            item.startMinute = static_cast<int>(std::clamp<int64_t>(from, 0, kMinutesPerDay));
            item.endMinute =
                static_cast<int>(std::clamp<int64_t>(to, item.startMinute, kMinutesPerDay));
            day.push_back(item);
        }
        std::stable_sort(day.begin(), day.end(),
                         [](const CCalendarTimedItem& a, const CCalendarTimedItem& b) {
                             if (a.startMinute != b.startMinute)
                                 return a.startMinute < b.startMinute;
                             return a.endMinute > b.endMinute;
                         });
        // Events are drawn at least one row high; that is the extent that must not be
        // covered by another event.
        auto drawnEnd = [scale](const CCalendarTimedItem& item) {
            return std::max(item.endMinute, item.startMinute + scale);
        };
        size_t groupBegin = 0;
        int groupEnd = -1;
        std::vector<int> slotEnd;
        auto closeGroup = [&](size_t groupEndIndex) {
            for (size_t i = groupBegin; i < groupEndIndex; ++i)
                day[i].slotCount = static_cast<int>(slotEnd.size());
        };
        for (size_t i = 0; i < day.size(); ++i) {
            if (day[i].startMinute >= groupEnd && i > groupBegin) {
                closeGroup(i);
                groupBegin = i;
                slotEnd.clear();
            }
            size_t slot = 0;
            while (slot < slotEnd.size() && slotEnd[slot] > day[i].startMinute)
                ++slot;
            if (slot == slotEnd.size())
                slotEnd.push_back(drawnEnd(day[i]));
            else
                slotEnd[slot] = drawnEnd(day[i]);
            day[i].slot = static_cast<int>(slot);
            groupEnd = (i == groupBegin) ? drawnEnd(day[i]) : std::max(groupEnd, drawnEnd(day[i]));
        }
        closeGroup(day.size());
        result.insert(result.end(), day.begin(), day.end());
    }
    return result;
}

std::vector<CCalendarEventPtr>
CCalendarLayout::DayList(const std::vector<CCalendarEventPtr>& events, int64_t day) {
    std::vector<CCalendarEventPtr> list;
    for (const CCalendarEventPtr& event : events) {
        if (event && !IsSpanEvent(*event) && CoversDay(*event, day))
            list.push_back(event);
    }
    SortDayList(list);
    return list;
}

std::vector<std::vector<CCalendarEventPtr>>
CCalendarLayout::DayLists(const std::vector<CCalendarEventPtr>& events,
                          const std::vector<int64_t>& days) {
    // The columns of each day, looked up by day number.
    std::vector<std::pair<int64_t, size_t>> columns;
    for (size_t column = 0; column < days.size(); ++column)
        columns.emplace_back(days[column], column);
    std::sort(columns.begin(), columns.end());
    std::vector<std::vector<CCalendarEventPtr>> lists(days.size());
    for (const CCalendarEventPtr& event : events) {
        if (!event || IsSpanEvent(*event) || !event->GetStartTime().IsValid())
            continue;
        // Shorter than a day, a timed event touches no day but its first and the next.
        const int64_t first = event->GetStartTime().GetDayNumber();
        for (int64_t day = first; day <= first + 1; ++day) {
            if (!CoversDay(*event, day))
                continue;
            const auto range =
                std::equal_range(columns.begin(), columns.end(), std::make_pair(day, size_t{0}),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
            for (auto it = range.first; it != range.second; ++it)
                lists[it->second].push_back(event);
        }
    }
    for (std::vector<CCalendarEventPtr>& list : lists)
        SortDayList(list);
    return lists;
}

void CCalendarLayout::SortDayList(std::vector<CCalendarEventPtr>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const CCalendarEventPtr& a, const CCalendarEventPtr& b) {
                         if (a->GetStartTime() != b->GetStartTime())
                             return a->GetStartTime() < b->GetStartTime();
                         return a->GetSubject() < b->GetSubject();
                     });
}

int CCalendarLayout::HiddenCount(const std::vector<CCalendarSpanItem>& spans, int column,
                                 int timedCount, int lines) {
    lines = std::max(lines, 0);
    int hidden = 0;
    for (const CCalendarSpanItem& item : spans) {
        if (item.firstColumn <= column && column <= item.lastColumn && item.lane >= lines)
            ++hidden;
    }
    const int firstTimedLine = LaneCount(spans, column);
    const int room = std::max(0, lines - firstTimedLine);
    hidden += std::max(0, timedCount - room);
    return hidden;
}

int CCalendarLayout::UsableLines(const std::vector<CCalendarSpanItem>& spans,
                                 const std::vector<int>& timedCounts, int lines) {
    lines = std::max(lines, 0);
    for (size_t column = 0; column < timedCounts.size(); ++column) {
        if (HiddenCount(spans, static_cast<int>(column), timedCounts[column], lines) > 0)
            return std::max(0, lines - 1);
    }
    return lines;
}
