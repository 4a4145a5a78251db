// The exported file read by another program: python-icalendar and dateutil expand it to the
// same occurrences the store shows, for every kind of series, end and first day of the week.
#include "tests/calendar/ical/ICalendarTesting.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace icaltest;

namespace {

using Options = CCalendarRecurrenceOptions;

const Options kKinds[] = {
    Options::Daily(1),
    Options::Daily(4),
    Options::EveryWorkDay(),
    Options::Weekly(1, kCalendarThursday),
    Options::Weekly(3, kCalendarSunday | kCalendarTuesday | kCalendarSaturday),
    Options::Monthly(1, 15),
    Options::Monthly(1, 31),
    Options::Monthly(2, 30),
    Options::Monthly(7, 29),
    Options::MonthNth(1, kCalendarFirst, kCalendarMonday),
    Options::MonthNth(3, kCalendarSecond, kCalendarWorkDays),
    Options::MonthNth(1, kCalendarFourth, kCalendarSaturday | kCalendarSunday),
    Options::MonthNth(1, kCalendarLast, kCalendarFriday),
    Options::MonthNth(2, kCalendarLast, kCalendarSaturday | kCalendarSunday),
    Options::Yearly(2, 29),
    Options::Yearly(4, 31),
    Options::Yearly(12, 31),
    Options::YearNth(kCalendarFirst, kCalendarSunday, 3),
    Options::YearNth(kCalendarLast, kCalendarWorkDays, 10),
    Options::YearNth(kCalendarThird, kCalendarAllDays, 2),
};

// Ends: 25 occurrences, a date in the middle of the five years, none.
void AddEveryKind(CCalendarData& store) {
    const char* const starts[] = {"2024-01-31", "2024-02-29", "2024-03-30"};
    int n = 0;
    for (const Options& options : kKinds) {
        for (CalendarPatternEnd end : {kCalendarPatternEndAfterOccurrences, kCalendarPatternEndDate,
                                       kCalendarPatternNoEndDate}) {
            const std::string subject = "series " + std::to_string(n);
            SeriesSetup setup{"", options, starts[n % 3], end, 25, "2026-08-15"};
            setup.startMinutes = (7 + n % 12) * 60 + (n % 4) * 15;
            setup.subject = subject.c_str();
            AddSeries(store, setup);
            ++n;
        }
    }
    // Deleted and moved occurrences, an all-day series, a plain event.
    const CCalendarEventPtr team = AddSeries(store, {"team", Options::Weekly(1, kCalendarTuesday),
                                                     "2024-03-01", kCalendarPatternNoEndDate});
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-03-26")).back());
    CCalendarEventPtr moved = store.RetrieveDayEvents(At("2024-10-29")).back()->CloneEvent();
    moved->SetStartTime(At("2024-10-30T11:00"));
    moved->SetEndTime(At("2024-10-30T12:00"));
    store.ChangeEvent(moved);
    AddSeries(store, {"all day", Options::MonthNth(1, kCalendarLast, kCalendarMonday), "2024-01-01",
                      kCalendarPatternEndDate, 0, "2027-01-01", 0, 1440, true});
    const CCalendarEventPtr plain = store.CreateNewEvent();
    plain->SetStartTime(At("2025-03-30T02:30")); // the hour that a spring night skips in Berlin
    plain->SetEndTime(At("2025-03-30T03:30"));
    plain->SetSubject("plain");
    store.AddEvent(plain);
}

std::vector<std::string> StoreStarts(const CCalendarData& store) {
    std::vector<std::string> lines;
    for (const CCalendarEventPtr& event : store.RetrieveEvents(At("2024-01-01"), At("2029-01-01")))
        lines.push_back(event->GetSubject() + "|" + event->GetStartTime().ToIsoString());
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> PythonStarts(const std::string& file, const std::string& zone) {
    const std::string command = "/usr/bin/python3 '" + tevtest::SourceDir() +
                                "tests/calendar/ical/expand_ics.py' '" + file + "' '" + zone +
                                "' 2024-01-01 2029-01-01";
    std::vector<std::string> lines;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return lines;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe.get())) {
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TEST(CalendarICalendarAgreement, PythonIcalendarAndDateutilExpandTheExportToTheStoresDates) {
    tevtest::TempDir folder;
    for (const char* zone : {"Europe/Berlin", "America/New_York"}) {
        for (int firstDay = 1; firstDay <= 7; ++firstDay) {
            SCOPED_TRACE(std::string(zone) + ", first day " + std::to_string(firstDay));
            CCalendarData store;
            store.SetFirstDayOfWeek(firstDay);
            AddEveryKind(store);
            const std::string file = folder / "export.ics";
            ASSERT_TRUE(tevtest::WriteFileBytes(
                file, CCalendarICalendarWriter(zone).Write(store, AllIds(store))));
            const std::vector<std::string> expected = StoreStarts(store);
            ASSERT_GT(expected.size(), 3000u);
            EXPECT_EQ(PythonStarts(file, zone), expected);
        }
    }
}

} // namespace
