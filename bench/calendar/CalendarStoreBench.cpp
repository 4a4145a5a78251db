// Prints how long the calendar store takes to write and read a data document of 10,000
// events (a tenth of them recurring, with exceptions) compared with a plain parse and print
// of the same text, and how long its queries take: a year, a month, every day of a year.
// Times are the median of many rounds, in CPU time of the measuring thread, so that other
// work on the machine weighs less; the targets are printed beside them.
#include "bench/support/SampleCalendar.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/CalendarOccurrenceExpander.h"
#include "calendar/store/EventIdList.h"
#include "platform/xml/XmlDom.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 10000;
constexpr int kRuns = 21;
constexpr double kWriteReadTarget = 3.0; // times a plain parse and print
constexpr double kDayTargetMs = 0.3;
constexpr double kMonthTargetMs = 2.0;

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The median of kRuns runs, in milliseconds.
double Milliseconds(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = ThreadMilliseconds();
        work();
        times.push_back(ThreadMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const char* Verdict(bool met) {
    return met ? "target met" : "TARGET MISSED";
}

} // namespace

int main() {
    CCalendarData store;
    CEventIdList ids(store);
    FillSampleCalendar(store, kEvents, CCalendarDateTime(2024, 1, 1, 8, 0), 366);

    std::string text;
    const double write = Milliseconds([&] { text = CCalendarDataFormat::Write(store, ids); });
    size_t exceptions = 0;
    for (const CCalendarEventPtr& event : store.GetAllEvents()) {
        if (event->GetRecurrencePattern())
            exceptions += event->GetRecurrencePattern()->GetExceptions().size();
    }

    size_t printed = 0;
    const double parsePrint = Milliseconds([&] {
        pugi::xml_document document;
        if (!tev::LoadXml(document, text))
            std::abort();
        printed = tev::XmlOf(document).size();
    });
    const double parse = Milliseconds([&] {
        pugi::xml_document document;
        if (!tev::LoadXml(document, text))
            std::abort();
    });

    CCalendarData loaded;
    CEventIdList loadedIds(loaded);
    const double read = Milliseconds([&] {
        pugi::xml_document document;
        if (!tev::LoadXml(document, text))
            std::abort();
        CCalendarDataFormat::Read(document, loaded, loadedIds);
    });
    pugi::xml_document parsed;
    tev::LoadXml(parsed, text);
    const double readOnly =
        Milliseconds([&] { CCalendarDataFormat::Read(parsed, loaded, loadedIds); });
    const bool same = CCalendarDataFormat::Write(loaded, loadedIds) == text;

    std::printf("Calendar data document: %d events (%d recurring, %zu exceptions), %.1f KiB, round "
                "trip %s\n",
                kEvents, kEvents / 10, exceptions, text.size() / 1024.0,
                same ? "identical" : "DIFFERENT");
    std::printf(
        "  plain parse and print      %8.2f ms   (parse alone %.2f ms; %zu bytes printed)\n",
        parsePrint, parse, printed);
    std::printf("  write                      %8.2f ms   %.2fx parse and print\n", write,
                write / parsePrint);
    std::printf("  read (parse included)      %8.2f ms   %.2fx parse and print\n", read,
                read / parsePrint);
    std::printf("  read (parsed document)     %8.2f ms\n", readOnly);
    const double writeRead = (write + read) / parsePrint;
    std::printf(
        "  write + read               %8.2f ms   %.2fx parse and print (at most %.1fx: %s)\n",
        write + read, writeRead, kWriteReadTarget, Verdict(writeRead <= kWriteReadTarget));

    size_t yearCount = 0;
    const double year = Milliseconds([&] {
        yearCount =
            store.RetrieveEvents(CCalendarDateTime(2024, 1, 1), CCalendarDateTime(2025, 1, 1))
                .size();
    });
    size_t dayCount = 0;
    const double days = Milliseconds([&] {
        dayCount = 0;
        for (CCalendarDateTime day(2024, 1, 1); day < CCalendarDateTime(2025, 1, 1);
             day = day.AddDays(1))
            dayCount += store.RetrieveDayEvents(day).size();
    });
    size_t monthCount = 0;
    const double month = Milliseconds([&] {
        monthCount =
            store.RetrieveEvents(CCalendarDateTime(2024, 3, 1), CCalendarDateTime(2024, 4, 1))
                .size();
    });
    std::printf("Expansion over the same calendar:\n");
    std::printf("  one year in one query      %8.2f ms   %zu events and occurrences\n", year,
                yearCount);
    std::printf(
        "  one month (month view)     %8.2f ms   %zu events and occurrences (under %.1f ms: "
        "%s)\n",
        month, monthCount, kMonthTargetMs, Verdict(month < kMonthTargetMs));
    std::printf("  366 day queries (day view) %8.2f ms   %zu in all, %.3f ms a day (under %.1f ms: "
                "%s)\n",
                days, dayCount, days / 366, kDayTargetMs, Verdict(days / 366 < kDayTargetMs));

    CCalendarRecurrencePattern yearly(1);
    yearly.SetRecurrenceOptions(
        CCalendarRecurrenceOptions::YearNth(kCalendarLast, kCalendarMonday, 5));
    yearly.SetPatternStartDate(CCalendarDateTime(100, 1, 1));
    size_t yearlyCount = 0;
    const double allYears = Milliseconds([&] {
        yearlyCount = CCalendarOccurrenceExpander(yearly, 1)
                          .Expand(CCalendarDateTime(100, 1, 1), CCalendarDateTime(9999, 12, 31))
                          .size();
    });
    CCalendarRecurrencePattern daily(2);
    daily.SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
    daily.SetPatternStartDate(CCalendarDateTime(100, 1, 1));
    daily.SetEndAfterOccurrences(INT_MAX);
    CCalendarDateTime last;
    const double lastDate = Milliseconds([&] {
        const CCalendarOccurrenceExpander expander(daily, 1);
        last = CCalendarOccurrenceExpander(daily, 1).GetLastOccurrenceDate();
        expander.Expand(CCalendarDateTime(9999, 12, 1), CCalendarDateTime(9999, 12, 31));
    });
    std::printf("  yearly pattern, years 100-9999: %zu occurrences in %.2f ms\n", yearlyCount,
                allYears);
    std::printf(
        "  daily pattern counted to 2^31-1 from year 100, last month of 9999: %.3f ms (last %s)\n",
        lastDate, last.ToIsoString().c_str());
    return same ? 0 : 1;
}
