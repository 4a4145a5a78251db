// Fuzzes the iCalendar import. For any bytes it must not crash or hang (libFuzzer's timeout
// catches a rule followed too far), every event it makes must go into a store, and what the
// store then holds must export to a file that imports again.
// Build and run with run-fuzzer.sh; a finding is written as crash-* / timeout-* / oom-* into
// the work folder.
#include "calendar/ical/CalendarICalendar.h"
#include "calendar/store/CalendarData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "iCalendar import misbehaved: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CCalendarData store;
    store.SetClock([] { return CCalendarDateTime(2026, 12, 7, 12, 0); });
    const CCalendarImportResult result = CCalendarICalendarReader("Europe/Berlin").Read(text, store);
    Check(result.m_readable || result.m_events.empty(), "events from an unreadable text");
    for (const CCalendarEventPtr& event : result.m_events)
        Check(store.AddEvent(event), "an imported event the store refused");
    store.RetrieveEvents(CCalendarDateTime(2026, 1, 1), CCalendarDateTime(2028, 1, 1));

    std::vector<uint32_t> ids;
    for (const CCalendarEventPtr& event : store.GetAllEvents())
        ids.push_back(event->GetEventId());
    const std::string exported = CCalendarICalendarWriter("Europe/Berlin").Write(store, ids);
    CCalendarData again;
    again.SetClock([] { return CCalendarDateTime(2026, 12, 7, 12, 0); });
    const CCalendarImportResult second = CCalendarICalendarReader("Europe/Berlin").Read(exported, again);
    Check(second.m_readable, "an export that does not import");
    return 0;
}
