// Runs the recurrence vectors shared with the web calendar's own tests
// (tests/vectors/recurrence.json); both must produce the listed occurrences. A case marked
// "overlapping" lists what the views show for its window (occurrences that overlap it,
// found with the store's look-back), the others the occurrences that start in it.
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDurations.h"
#include "calendar/store/CalendarOccurrenceExpander.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "tests/calendar/store/CalendarTestDates.h"
#include "tests/calendar/store/JsonValue.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using tevtest::At;
using tevtest::JsonValue;

namespace {

JsonValue LoadVectors() {
    const std::string text =
        tevtest::ReadFileBytes(tevtest::SourceDir() + "tests/vectors/recurrence.json");
    JsonValue root;
    std::string error;
    EXPECT_TRUE(JsonValue::Parse(text, root, error)) << error;
    return root;
}

CCalendarRecurrencePatternPtr PatternOf(const JsonValue& json) {
    auto pattern = std::make_shared<CCalendarRecurrencePattern>(1);
    const int startTime = CalendarDurations::ParseTime(json["startTime"].AsString());
    EXPECT_GE(startTime, 0) << json["startTime"].AsString();
    pattern->SetStartTime(startTime);
    pattern->SetDurationMinutes(json["durationMinutes"].AsInt());
    pattern->SetRecurrenceOptions({json["type"].AsInt(), json["data1"].AsInt(),
                                   json["data2"].AsInt(), json["data3"].AsInt()});
    pattern->SetPatternStartDate(At(json["rangeStart"].AsString()));
    switch (json["endMethod"].AsInt()) {
    case 0:
        pattern->SetPatternEndDate(At(json["rangeEnd"].AsString()));
        break;
    case 1:
        pattern->SetEndAfterOccurrences(json["occurrences"].AsInt());
        break;
    default:
        pattern->SetNoEndDate();
        break;
    }
    for (const JsonValue& item : json["exceptions"].Items()) {
        auto exception = std::make_shared<CCalendarEvent>();
        const CCalendarDateTime original = At(item["originalStart"].AsString());
        exception->SetRExceptionStartTimeOrig(original);
        exception->SetRExceptionEndTimeOrig(original.AddMinutes(pattern->GetDurationMinutes()));
        exception->SetRExceptionDeleted(item["deleted"].AsBool());
        if (item.Has("start")) {
            exception->SetStartTime(At(item["start"].AsString()));
            exception->SetEndTime(At(item["end"].AsString()));
        }
        pattern->AddException(exception);
    }
    return pattern;
}

std::string Stamp(const CCalendarDateTime& start, const CCalendarDateTime& end) {
    return start.ToIsoString() + " - " + end.ToIsoString();
}

// The occurrences that start in the case's window, exceptions applied.
std::vector<std::string> StartingInWindow(const JsonValue& item) {
    const CCalendarRecurrencePatternPtr pattern = PatternOf(item["pattern"]);
    const CCalendarOccurrenceExpander expander(*pattern, item["firstDayOfWeek"].AsInt());
    std::vector<std::string> actual;
    for (const CCalendarOccurrence& occurrence : expander.Expand(
             At(item["window"]["from"].AsString()), At(item["window"]["to"].AsString())))
        actual.push_back(Stamp(occurrence.m_start, occurrence.m_end));
    return actual;
}

// What the store shows from the first day of the window to the end of its last day.
std::vector<std::string> OverlappingWindow(const JsonValue& item) {
    CCalendarData store;
    store.SetFirstDayOfWeek(item["firstDayOfWeek"].AsInt());
    CCalendarEventPtr master = store.CreateNewEvent();
    master->UpdateRecurrence(PatternOf(item["pattern"]));
    store.AddEvent(master);
    std::vector<std::string> actual;
    const CCalendarDateTime from = At(item["window"]["from"].AsString());
    const CCalendarDateTime to = At(item["window"]["to"].AsString()).AddMinutes(24 * 60);
    for (const CCalendarEventPtr& event : store.RetrieveEvents(from, to))
        actual.push_back(Stamp(event->GetStartTime(), event->GetEndTime()));
    return actual;
}

} // namespace

TEST(RecurrenceVectors, EveryCaseGivesItsListedOccurrences) {
    const JsonValue root = LoadVectors();
    const std::vector<JsonValue>& cases = root["cases"].Items();
    ASSERT_GE(cases.size(), 30u);
    for (const JsonValue& item : cases) {
        SCOPED_TRACE(item["name"].AsString());
        const bool overlapping = item.Has("overlapping") && item["overlapping"].AsBool();
        const std::vector<std::string> actual =
            overlapping ? OverlappingWindow(item) : StartingInWindow(item);
        std::vector<std::string> expected;
        for (const JsonValue& occurrence : item["expected"].Items())
            expected.push_back(occurrence["start"].AsString() + " - " +
                               occurrence["end"].AsString());
        EXPECT_EQ(actual, expected);
    }
}

TEST(RecurrenceVectors, CoverEveryKindEndAndFirstDayOfWeek) {
    const JsonValue root = LoadVectors();
    std::set<int> types, endMethods, firstDays;
    bool deleted = false, moved = false;
    for (const JsonValue& item : root["cases"].Items()) {
        types.insert(item["pattern"]["type"].AsInt());
        endMethods.insert(item["pattern"]["endMethod"].AsInt());
        if (item["pattern"]["type"].AsInt() == 2)
            firstDays.insert(item["firstDayOfWeek"].AsInt());
        for (const JsonValue& exception : item["pattern"]["exceptions"].Items())
            (exception["deleted"].AsBool() ? deleted : moved) = true;
    }
    EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(endMethods, (std::set<int>{0, 1, 2}));
    EXPECT_GE(firstDays.size(), 3u);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(moved);
}
