#include "bench/support/SampleCalendar.h"

#include "calendar/store/CalendarOccurrenceExpander.h"

#include <string>
#include <vector>

namespace {

CCalendarRecurrenceOptions OptionsFor(int n) {
    switch (n % 6) {
    case 0:
        return CCalendarRecurrenceOptions::Daily(1 + n % 3);
    case 1:
        return CCalendarRecurrenceOptions::Weekly(1 + n % 2, kCalendarMonday | kCalendarThursday);
    case 2:
        return CCalendarRecurrenceOptions::Monthly(1, 1 + n % 31);
    case 3:
        return CCalendarRecurrenceOptions::MonthNth(1, 1 + n % 5, CalendarDayOfWeekBit(1 + n % 7));
    case 4:
        return CCalendarRecurrenceOptions::Yearly(1 + n % 12, 1 + n % 28);
    default:
        return CCalendarRecurrenceOptions::YearNth(1 + n % 5, CalendarDayOfWeekBit(1 + n % 7),
                                                   1 + n % 12);
    }
}

} // namespace

void FillSampleCalendar(CCalendarData& store, int events, const CCalendarDateTime& first,
                        int days) {
    store.SetClock([] { return CCalendarDateTime(2024, 1, 1, 8, 0); });
    const int alice = store.AddSchedule("Alice");
    store.FindScheduleByName("Alice")->GetCustomProperties().SetProperty("Phone", "+1 555 0100");
    for (int n = 0; n < events; ++n) {
        CCalendarEventPtr event = store.CreateNewEvent();
        const CCalendarDateTime start = first.AddMinutes((n * 397LL) % (days * 24 * 60 / 15) * 15);
        event->SetStartTime(start);
        event->SetEndTime(start.AddMinutes(30 + n % 4 * 30));
        event->SetSubject("Meeting number " + std::to_string(n) + " & notes");
        event->SetLocation(n % 3 ? "Room " + std::to_string(n % 40) : "");
        event->SetBody(n % 5 ? "" : "Agenda:\n- item one\n- item two");
        event->SetLabelId(n % 11);
        event->SetBusyStatus(n % 4);
        event->SetMeeting(n % 2 == 0);
        if (n % 7 == 0)
            event->SetScheduleId(alice);
        const bool recurring = n % 10 == 0;
        if (recurring) {
            CCalendarRecurrencePatternPtr pattern = event->MakeEventAsRecurrence();
            pattern->SetRecurrenceOptions(OptionsFor(n / 10));
            if (n % 3 == 0)
                pattern->SetEndAfterOccurrences(20 + n % 50);
            else if (n % 3 == 1)
                pattern->SetPatternEndDate(start.AddDays(400));
            event->UpdateRecurrence(pattern);
        }
        store.AddEvent(event);
        if (recurring) {
            // Three exceptions: two moved, one deleted, on occurrences of the first months.
            const CCalendarOccurrenceExpander expander(*event->GetRecurrencePattern(),
                                                       store.GetFirstDayOfWeek());
            const std::vector<CCalendarDateTime> starts =
                expander.GetOccurrenceStarts(start, start.AddDays(400));
            for (size_t i = 1; i < starts.size() && i <= 3; ++i) {
                const std::vector<CCalendarEventPtr> day =
                    store.RetrieveEvents(starts[i], starts[i].AddMinutes(1));
                for (const CCalendarEventPtr& occurrence : day) {
                    if (occurrence->GetRecurrencePatternId() !=
                        event->GetRecurrencePattern()->GetPatternId())
                        continue;
                    if (i == 3) {
                        store.DeleteEvent(occurrence);
                    } else {
                        occurrence->SetStartTime(occurrence->GetStartTime().AddMinutes(60));
                        occurrence->SetEndTime(occurrence->GetEndTime().AddMinutes(60));
                        occurrence->SetSubject(occurrence->GetSubject() + " (moved)");
                        store.ChangeEvent(occurrence);
                    }
                    break;
                }
            }
        }
    }
}
