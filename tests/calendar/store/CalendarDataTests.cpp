#include "calendar/store/CalendarData.h"
#include "calendar/store/EventIdList.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <set>

using tevtest::At;

namespace {

class ReportLog : public ICalendarDataListener {
public:
    void OnEventAdded(const CCalendarEvent& e) override { Log("added", e.GetEventId()); }
    void OnEventDeleted(const CCalendarEvent& e) override { Log("deleted", e.GetEventId()); }
    void OnEventChanged(const CCalendarEvent& e) override { Log("changed", e.GetEventId()); }
    void OnPatternAdded(const CCalendarRecurrencePattern& p) override {
        Log("pattern added", p.GetPatternId());
    }
    void OnPatternDeleted(const CCalendarRecurrencePattern& p) override {
        Log("pattern deleted", p.GetPatternId());
    }
    void OnPatternChanged(const CCalendarRecurrencePattern& p) override {
        Log("pattern changed", p.GetPatternId());
    }
    void OnAllEventsRemoved() override { m_entries.push_back("all removed"); }

    std::vector<std::string> Take() { return std::move(m_entries); }

private:
    void Log(const char* what, uint32_t id) {
        m_entries.push_back(std::string(what) + " " + std::to_string(id));
    }
    std::vector<std::string> m_entries;
};

using Log = std::vector<std::string>;

CCalendarEventPtr Plain(CCalendarData& store, const char* start, const char* end,
                        const char* subject = "", uint32_t id = 0) {
    CCalendarEventPtr event = store.CreateNewEvent(id);
    event->SetStartTime(At(start));
    event->SetEndTime(At(end));
    event->SetSubject(subject);
    return event;
}

// A daily series from 1 May 2024 at 09:00 for an hour, `count` occurrences.
CCalendarEventPtr DailySeries(CCalendarData& store, int count, uint32_t id = 0) {
    CCalendarEventPtr master = Plain(store, "2024-05-01T09:00", "2024-05-01T10:00", "Stand-up", id);
    CCalendarRecurrencePatternPtr pattern = master->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
    pattern->SetEndAfterOccurrences(count);
    master->UpdateRecurrence(pattern);
    return master;
}

std::vector<std::string> Shown(const CCalendarData& store, const char* begin, const char* end) {
    std::vector<std::string> shown;
    for (const CCalendarEventPtr& event : store.RetrieveEvents(At(begin), At(end)))
        shown.push_back(event->GetStartTime().ToIsoString() + " " + event->GetSubject());
    return shown;
}

} // namespace

TEST(CalendarData, GivesFreshIdentifiersThatNeverCollide) {
    CCalendarData store;
    const CCalendarEventPtr first = store.CreateNewEvent();
    ASSERT_TRUE(store.AddEvent(first));
    EXPECT_EQ(first->GetEventId(), 1u);
    const CCalendarEventPtr loaded = store.CreateNewEvent(100);
    ASSERT_TRUE(store.AddEvent(loaded));
    EXPECT_EQ(loaded->GetEventId(), 100u);
    const CCalendarEventPtr next = store.CreateNewEvent();
    ASSERT_TRUE(store.AddEvent(next));
    EXPECT_EQ(next->GetEventId(), 101u); // past the loaded identifier
    const CCalendarEventPtr duplicate = store.CreateNewEvent(100);
    ASSERT_TRUE(store.AddEvent(duplicate));
    EXPECT_EQ(duplicate->GetEventId(), 102u);
    EXPECT_EQ(store.GetEvent(100), loaded);
    EXPECT_EQ(store.GetEventCount(), 4u);

    EXPECT_FALSE(store.AddEvent(loaded)); // already held
    EXPECT_FALSE(store.AddEvent(nullptr));
    const CCalendarEventPtr exception = store.CreateNewEvent();
    CCalendarRecurrencePattern(5).AddException(exception);
    EXPECT_FALSE(store.AddEvent(exception));
    EXPECT_EQ(store.GetEventCount(), 4u);
}

TEST(CalendarData, FindsAFreeIdentifierWhenTheCounterRunsOut) {
    CCalendarData store;
    ASSERT_TRUE(store.AddEvent(store.CreateNewEvent(1)));
    ASSERT_TRUE(store.AddEvent(store.CreateNewEvent(4294967295u)));
    const CCalendarEventPtr next = store.CreateNewEvent();
    ASSERT_TRUE(store.AddEvent(next));
    EXPECT_EQ(next->GetEventId(), 2u);
    const CCalendarEventPtr again = store.CreateNewEvent(4294967295u);
    ASSERT_TRUE(store.AddEvent(again));
    EXPECT_EQ(again->GetEventId(), 3u);
}

TEST(CalendarData, APatternTakesItsEventsIdentifierWhenFree) {
    CCalendarData store;
    const CCalendarEventPtr master = DailySeries(store, 3, 42);
    EXPECT_EQ(master->GetRecurrencePattern()->GetPatternId(), 42u);
    EXPECT_EQ(master->GetRecurrencePattern()->GetMasterEventId(), 42u);
    ASSERT_TRUE(store.AddEvent(master));
    EXPECT_EQ(store.GetRecurrencePattern(42), master->GetRecurrencePattern());
    EXPECT_EQ(store.GetMasterEvent(42), master);

    // Another series claiming the same number gets fresh ones, pattern and master alike.
    const CCalendarEventPtr other = DailySeries(store, 3, 42);
    const uint32_t otherPattern = other->GetRecurrencePattern()->GetPatternId();
    EXPECT_NE(otherPattern, 42u);
    ASSERT_TRUE(store.AddEvent(other));
    EXPECT_NE(other->GetEventId(), 42u);
    EXPECT_EQ(store.GetMasterEvent(otherPattern), other);

    // A plain event holding 7 and a series loaded as 7: the series moves, both keep one number.
    ASSERT_TRUE(store.AddEvent(store.CreateNewEvent(7)));
    const CCalendarEventPtr moved = DailySeries(store, 3, 7);
    EXPECT_EQ(moved->GetRecurrencePattern()->GetPatternId(), 7u);
    ASSERT_TRUE(store.AddEvent(moved));
    EXPECT_NE(moved->GetEventId(), 7u);
    EXPECT_EQ(moved->GetRecurrencePattern()->GetPatternId(), moved->GetEventId());
}

TEST(CalendarData, RenumbersExceptionsThatCollide) {
    CCalendarData store;
    ASSERT_TRUE(store.AddEvent(store.CreateNewEvent(5)));
    const CCalendarEventPtr master = DailySeries(store, 5, 10);
    for (const char* original : {"2024-05-02T09:00", "2024-05-03T09:00", "2024-05-04T09:00"}) {
        CCalendarEventPtr exception = store.CreateNewEvent(5); // 5 is taken, and repeated
        exception->SetRExceptionStartTimeOrig(At(original));
        exception->SetRExceptionDeleted(true);
        master->GetRecurrencePattern()->AddException(exception);
    }
    ASSERT_TRUE(store.AddEvent(master));
    std::set<uint32_t> ids{5, master->GetEventId()};
    for (const CCalendarEventPtr& exception : master->GetRecurrencePattern()->GetExceptions()) {
        EXPECT_TRUE(ids.insert(exception->GetEventId()).second) << exception->GetEventId();
        EXPECT_EQ(store.FindEvent(exception->GetEventId()), exception);
        EXPECT_EQ(exception->GetRecurrencePatternId(), 10u);
    }
    EXPECT_EQ(ids.size(), 5u);
}

TEST(CalendarData, ReportsEveryKindOfChange) {
    CCalendarData store;
    ReportLog log;
    store.AddListener(&log);

    const CCalendarEventPtr plain = Plain(store, "2024-05-01T12:00", "2024-05-01T13:00", "Lunch");
    store.AddEvent(plain);
    EXPECT_EQ(log.Take(), (Log{"added 1"}));
    plain->SetSubject("Long lunch");
    store.ChangeEvent(plain);
    EXPECT_EQ(log.Take(), (Log{"changed 1"}));

    // Made recurring on a copy, then committed: the event changes and a pattern appears.
    CCalendarEventPtr copy = plain->CloneEvent();
    copy->MakeEventAsRecurrence()->SetEndAfterOccurrences(3);
    store.ChangeEvent(copy);
    EXPECT_EQ(log.Take(), (Log{"changed 1", "pattern added 1"}));
    EXPECT_EQ(store.GetEvent(1)->GetRecurrenceState(), kCalendarRecurrenceMaster);
    EXPECT_NE(store.GetEvent(1)->GetRecurrencePattern(), copy->GetRecurrencePattern());

    store.GetEvent(1)->GetRecurrencePattern()->SetEndAfterOccurrences(5);
    store.ChangeEvent(store.GetEvent(1));
    EXPECT_EQ(log.Take(), (Log{"changed 1", "pattern changed 1"}));

    // Occurrences: changes and deletions are changes of the pattern, never event deletions.
    std::vector<CCalendarEventPtr> day = store.RetrieveDayEvents(At("2024-05-02"));
    ASSERT_EQ(day.size(), 1u);
    day[0]->SetSubject("Moved lunch");
    day[0]->SetStartTime(At("2024-05-02T13:00"));
    day[0]->SetEndTime(At("2024-05-02T14:00"));
    store.ChangeEvent(day[0]);
    EXPECT_EQ(log.Take(), (Log{"pattern changed 1"}));
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-05-03"))[0]);
    EXPECT_EQ(log.Take(), (Log{"pattern changed 1"}));

    const CCalendarEventPtr master = store.GetEvent(1);
    master->RemoveRecurrence();
    store.ChangeEvent(master);
    EXPECT_EQ(log.Take(), (Log{"changed 1", "pattern deleted 1"}));

    const CCalendarEventPtr series = DailySeries(store, 2);
    store.AddEvent(series);
    const std::string id = std::to_string(series->GetEventId());
    EXPECT_EQ(log.Take(), (Log{"added " + id, "pattern added " + id}));
    store.DeleteEvent(series);
    EXPECT_EQ(log.Take(), (Log{"deleted " + id, "pattern deleted " + id}));

    store.RemoveAllEvents();
    EXPECT_EQ(log.Take(), (Log{"all removed"}));
    store.RemoveListener(&log);
    store.AddEvent(store.CreateNewEvent());
    EXPECT_TRUE(log.Take().empty());
}

TEST(CalendarData, NothingToChangeOrDeleteIsRefused) {
    CCalendarData store;
    EXPECT_FALSE(store.ChangeEvent(store.CreateNewEvent(3)));
    EXPECT_FALSE(store.DeleteEvent(store.CreateNewEvent(3)));
    EXPECT_FALSE(store.ChangeEvent(nullptr));
    EXPECT_FALSE(store.DeleteEvent(nullptr));
    // An occurrence of a series the store does not hold.
    const CCalendarEventPtr master = DailySeries(store, 3);
    ASSERT_TRUE(store.AddEvent(master));
    const CCalendarEventPtr occurrence = store.RetrieveDayEvents(At("2024-05-02"))[0];
    store.DeleteEvent(master);
    EXPECT_FALSE(store.ChangeEvent(occurrence));
    EXPECT_FALSE(store.DeleteEvent(occurrence));
}

TEST(CalendarData, TheEventIdListFollowsAdditionsAndDeletionsOnly) {
    CCalendarData store;
    CEventIdList ids(store);
    const CCalendarEventPtr a = Plain(store, "2024-05-01T08:00", "2024-05-01T09:00", "A");
    const CCalendarEventPtr b = DailySeries(store, 3);
    const CCalendarEventPtr c = Plain(store, "2024-05-01T10:00", "2024-05-01T11:00", "C");
    store.AddEvent(a);
    store.AddEvent(b);
    store.AddEvent(c);
    EXPECT_EQ(ids.GetIds(),
              (std::vector<uint32_t>{a->GetEventId(), b->GetEventId(), c->GetEventId()}));

    a->SetSubject("A again");
    store.ChangeEvent(a);
    // Deleting one occurrence must not take the series out of the list.
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-05-02"))[0]);
    EXPECT_EQ(ids.GetIds(),
              (std::vector<uint32_t>{a->GetEventId(), b->GetEventId(), c->GetEventId()}));

    store.DeleteEvent(b);
    EXPECT_EQ(ids.GetIds(), (std::vector<uint32_t>{a->GetEventId(), c->GetEventId()}));
    store.RemoveAllEvents();
    EXPECT_EQ(ids.GetCount(), 0u);

    ids.Append(9);
    ids.Append(4);
    ids.Append(9);
    EXPECT_TRUE(ids.RemoveFirst(9));
    EXPECT_FALSE(ids.RemoveFirst(5));
    EXPECT_EQ(ids.GetIds(), (std::vector<uint32_t>{4, 9}));
    ids.Detach();
    store.AddEvent(store.CreateNewEvent());
    EXPECT_EQ(ids.GetCount(), 2u);
}

TEST(CalendarData, AListOutlivingItsStoreLetsGoOfIt) {
    CEventIdList ids;
    {
        CCalendarData store;
        ids.Attach(store);
        store.AddEvent(store.CreateNewEvent());
        EXPECT_TRUE(ids.IsAttachedTo(store));
    }
    EXPECT_EQ(ids.GetCount(), 1u);
    ids.Detach(); // must not touch the store that is gone
    CCalendarData other;
    ids.Attach(other);
    other.AddEvent(other.CreateNewEvent());
    EXPECT_EQ(ids.GetCount(), 2u);
}

TEST(CalendarData, AListenerMayLeaveWhileBeingTold) {
    CCalendarData store;
    struct Leaver : ICalendarDataListener {
        CCalendarData* store = nullptr;
        int told = 0;
        void OnEventAdded(const CCalendarEvent&) override {
            ++told;
            store->RemoveListener(this);
        }
    } first, second;
    first.store = second.store = &store;
    store.AddListener(&first);
    store.AddListener(&second);
    store.AddEvent(store.CreateNewEvent());
    store.AddEvent(store.CreateNewEvent());
    EXPECT_EQ(first.told, 1);
    EXPECT_EQ(second.told, 1);
}

TEST(CalendarData, RetrievesEventsAndOccurrencesThatOverlapATime) {
    CCalendarData store;
    store.AddEvent(Plain(store, "2024-05-02T07:00", "2024-05-02T08:00", "Before"));
    store.AddEvent(Plain(store, "2024-05-02T08:00", "2024-05-02T08:00", "Point at the start"));
    store.AddEvent(Plain(store, "2024-05-01T22:00", "2024-05-02T08:30", "Overnight"));
    store.AddEvent(Plain(store, "2024-05-02T12:00", "2024-05-02T12:00", "Point at the end"));
    store.AddEvent(Plain(store, "2024-05-02T11:59", "2024-05-02T13:00", "Late"));
    CCalendarEventPtr nowhere = store.CreateNewEvent();
    nowhere->SetSubject("No times");
    store.AddEvent(nowhere);
    const CCalendarEventPtr series = DailySeries(store, 5);
    store.AddEvent(series);

    EXPECT_EQ(Shown(store, "2024-05-02T08:00", "2024-05-02T12:00"),
              (std::vector<std::string>{"2024-05-01T22:00 Overnight",
                                        "2024-05-02T08:00 Point at the start",
                                        "2024-05-02T09:00 Stand-up", "2024-05-02T11:59 Late"}));

    const std::vector<CCalendarEventPtr> day = store.RetrieveDayEvents(At("2024-05-03T15:00"));
    ASSERT_EQ(day.size(), 1u);
    const CCalendarEvent& occurrence = *day[0];
    EXPECT_EQ(occurrence.GetRecurrenceState(), kCalendarRecurrenceOccurrence);
    EXPECT_EQ(occurrence.GetEventId(), series->GetEventId());
    EXPECT_EQ(occurrence.GetRecurrencePatternId(), series->GetRecurrencePattern()->GetPatternId());
    EXPECT_EQ(occurrence.GetSubject(), "Stand-up");
    EXPECT_EQ(occurrence.GetEndTime().ToIsoString(), "2024-05-03T10:00");
    EXPECT_EQ(occurrence.GetRExceptionStartTimeOrig().ToIsoString(), "2024-05-03T09:00");
    EXPECT_FALSE(occurrence.GetRecurrencePattern());

    EXPECT_TRUE(store.RetrieveEvents(At("2024-05-02T12:00"), At("2024-05-02T12:00")).empty());
    EXPECT_TRUE(store.RetrieveEvents(CCalendarDateTime(), At("2024-05-02T12:00")).empty());
}

TEST(CalendarData, OccurrencesStartedTheDayBeforeAreShown) {
    CCalendarData store;
    CCalendarEventPtr master = Plain(store, "2024-03-30T23:00", "2024-03-31T01:00", "Night shift");
    master->MakeEventAsRecurrence()->SetEndAfterOccurrences(3);
    store.AddEvent(master);
    EXPECT_EQ(
        Shown(store, "2024-03-31T00:00", "2024-04-01T00:00"),
        (std::vector<std::string>{"2024-03-30T23:00 Night shift", "2024-03-31T23:00 Night shift"}));
    EXPECT_EQ(Shown(store, "2024-04-02T00:00", "2024-04-03T00:00"),
              (std::vector<std::string>{"2024-04-01T23:00 Night shift"}));
    EXPECT_TRUE(Shown(store, "2024-04-02T01:00", "2024-04-03T00:00").empty());
}

TEST(CalendarData, EditsOfOccurrencesBecomeExceptions) {
    CCalendarData store;
    const CCalendarEventPtr master = DailySeries(store, 4);
    store.AddEvent(master);

    CCalendarEventPtr second = store.RetrieveDayEvents(At("2024-05-02"))[0];
    second->SetSubject("Stand-up, late");
    second->SetStartTime(At("2024-05-02T11:00"));
    second->SetEndTime(At("2024-05-02T11:30"));
    ASSERT_TRUE(store.ChangeEvent(second));
    EXPECT_EQ(second->GetRecurrenceState(), kCalendarRecurrenceException);
    EXPECT_NE(second->GetEventId(), master->GetEventId());
    EXPECT_EQ(store.FindEvent(second->GetEventId()), second);
    EXPECT_FALSE(store.GetEvent(second->GetEventId())); // not one of the store's own events

    // Opened again, the shown object is the stored exception; committing it keeps one exception.
    CCalendarEventPtr again = store.RetrieveDayEvents(At("2024-05-02"))[0];
    EXPECT_EQ(again, second);
    again->SetEndTime(At("2024-05-02T12:00"));
    store.ChangeEvent(again);
    EXPECT_EQ(master->GetRecurrencePattern()->GetExceptions().size(), 1u);

    // A fresh occurrence object for the same slot replaces the exception and keeps its number.
    const uint32_t exceptionId = second->GetEventId();
    CCalendarEventPtr copy = second->CloneEvent();
    copy->SetSubject("Stand-up, later");
    store.ChangeEvent(copy);
    EXPECT_EQ(master->GetRecurrencePattern()->GetExceptions().size(), 1u);
    EXPECT_EQ(copy->GetEventId(), exceptionId);

    store.DeleteEvent(store.RetrieveDayEvents(At("2024-05-03"))[0]);
    EXPECT_EQ(
        Shown(store, "2024-05-01T00:00", "2024-05-10T00:00"),
        (std::vector<std::string>{"2024-05-01T09:00 Stand-up", "2024-05-02T11:00 Stand-up, later",
                                  "2024-05-04T09:00 Stand-up"}));

    // Restoring a deleted occurrence: the exception is committed undeleted.
    CCalendarEventPtr deleted =
        master->GetRecurrencePattern()->FindException(At("2024-05-03T09:00"));
    ASSERT_TRUE(deleted);
    EXPECT_TRUE(deleted->IsRExceptionDeleted());
    deleted->SetRExceptionDeleted(false);
    deleted->SetStartTime(At("2024-05-03T09:00"));
    deleted->SetEndTime(At("2024-05-03T10:00"));
    store.ChangeEvent(deleted);
    EXPECT_EQ(store.RetrieveDayEvents(At("2024-05-03")).size(), 1u);

    store.DeleteEvent(master);
    EXPECT_TRUE(Shown(store, "2024-05-01T00:00", "2024-05-10T00:00").empty());
    EXPECT_FALSE(store.FindEvent(exceptionId));
}

TEST(CalendarData, CommittingACopyOfAMasterReplacesTheSeries) {
    CCalendarData store;
    const CCalendarEventPtr master = DailySeries(store, 10);
    store.AddEvent(master);
    store.DeleteEvent(store.RetrieveDayEvents(At("2024-05-02"))[0]);

    CCalendarEventPtr copy = master->CloneEvent();
    CCalendarRecurrencePatternPtr pattern = copy->GetRecurrencePattern();
    pattern->RemoveAllExceptions();
    pattern->SetRecurrenceOptions(
        CCalendarRecurrenceOptions::Weekly(1, kCalendarMonday | kCalendarFriday));
    pattern->SetStartTime(8 * 60);
    pattern->SetEndAfterOccurrences(2);
    copy->UpdateRecurrence(pattern);
    ASSERT_TRUE(store.ChangeEvent(copy));

    EXPECT_EQ(store.GetEvent(master->GetEventId()), master);
    EXPECT_EQ(master->GetStartTime().ToIsoString(), "2024-05-01T08:00");
    EXPECT_EQ(Shown(store, "2024-05-01T00:00", "2024-06-01T00:00"),
              (std::vector<std::string>{"2024-05-03T08:00 Stand-up", "2024-05-06T08:00 Stand-up"}));
}

TEST(CalendarData, WeeklySeriesFollowTheFirstDayOfTheWeek) {
    CCalendarData store;
    CCalendarEventPtr master = Plain(store, "2024-01-03T11:00", "2024-01-03T12:00", "Review");
    CCalendarRecurrencePatternPtr pattern = master->MakeEventAsRecurrence();
    pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Weekly(2, kCalendarMonday));
    store.AddEvent(master);
    EXPECT_EQ(Shown(store, "2024-01-01T00:00", "2024-01-20T00:00"),
              (std::vector<std::string>{"2024-01-15T11:00 Review"}));
    store.SetFirstDayOfWeek(4);
    EXPECT_EQ(Shown(store, "2024-01-01T00:00", "2024-01-20T00:00"),
              (std::vector<std::string>{"2024-01-08T11:00 Review"}));
    store.SetFirstDayOfWeek(8); // ignored
    EXPECT_EQ(store.GetFirstDayOfWeek(), 4);
}

TEST(CalendarData, StampsCreationAndModificationTimes) {
    CCalendarData store;
    CCalendarDateTime now = At("2024-05-01T08:00");
    store.SetClock([&] { return now; });
    const CCalendarEventPtr event = store.CreateNewEvent();
    EXPECT_EQ(event->GetCreationTime(), now);
    EXPECT_EQ(event->GetLastModificationTime(), now);
    now = At("2024-05-01T09:00");
    store.AddEvent(event);
    EXPECT_EQ(event->GetLastModificationTime().ToIsoString(), "2024-05-01T08:00");
    store.ChangeEvent(event);
    EXPECT_EQ(event->GetCreationTime().ToIsoString(), "2024-05-01T08:00");
    EXPECT_EQ(event->GetLastModificationTime().ToIsoString(), "2024-05-01T09:00");
    store.SetClock(nullptr);
    EXPECT_TRUE(store.GetCurrentTime().IsValid());
}

TEST(CalendarData, SchedulesAreNumberedFromOneAndFoundByName) {
    CCalendarData store;
    EXPECT_EQ(store.AddSchedule("Alice"), 1);
    EXPECT_EQ(store.AddSchedule("Bob"), 2);
    EXPECT_EQ(store.AddSchedule(""), -1);
    EXPECT_EQ(store.GetScheduleCount(), 2u);
    CCalendarSchedule* bob = store.FindScheduleByName("Bob");
    ASSERT_TRUE(bob);
    bob->GetCustomProperties().SetProperty("Phone", "555");
    store.AddSchedule("Carol");
    EXPECT_EQ(store.FindScheduleByName("Bob"), bob); // stays put as the list grows
    EXPECT_FALSE(store.FindScheduleByName("bob"));
    EXPECT_EQ(store.FindScheduleIndex(2), 1);
    EXPECT_EQ(store.FindScheduleIndex(0), -1);
    std::string phone;
    EXPECT_TRUE(store.GetScheduleAt(1).GetCustomProperties().GetProperty("Phone", phone));
    EXPECT_EQ(phone, "555");
    store.RemoveAllSchedules();
    EXPECT_EQ(store.AddSchedule("Dave"), 1);
}

TEST(CalendarData, StartsWithTheDesktopLabels) {
    const CCalendarData store;
    const char* names[] = {"None",     "Important",   "Business",        "Personal",
                           "Vacation", "Must Attend", "Travel Required", "Needs Preparation",
                           "Birthday", "Anniversary", "Phone Call"};
    ASSERT_EQ(store.GetLabels().GetCount(), 11u);
    std::set<uint32_t> colours;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(store.GetLabels().GetAt(i).m_labelId, i);
        EXPECT_EQ(store.GetLabels().GetAt(i).m_name, names[i]);
        colours.insert(store.GetLabels().GetAt(i).m_colour);
    }
    EXPECT_EQ(colours.size(), 11u);
    EXPECT_EQ(store.GetLabels().Find(8)->m_name, "Birthday");
    EXPECT_FALSE(store.GetLabels().Find(11));
}
