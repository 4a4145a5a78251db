#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "calendar/store/CalendarUndoHistory.h"
#include "calendar/store/EventIdList.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <functional>

using tevtest::At;

namespace {

struct UndoFixture : testing::Test {
    CCalendarData store;
    CEventIdList ids{store};
    CCalendarUndoHistory history{store, &ids};

    UndoFixture() {
        store.SetClock([] { return At("2026-12-01T12:00"); });
    }
    std::string Document() const { return CCalendarDataFormat::Write(store, ids); }
    CCalendarEventPtr Add(const char* subject, const char* start, const char* end) {
        CCalendarUndoHistory::Batch batch(history);
        CCalendarEventPtr event = store.CreateNewEvent();
        event->SetSubject(subject);
        event->SetStartTime(At(start));
        event->SetEndTime(At(end));
        EXPECT_TRUE(store.AddEvent(event));
        return event;
    }
    CCalendarEventPtr Named(const std::string& subject) const {
        for (const CCalendarEventPtr& event : store.GetAllEvents()) {
            if (event->GetSubject() == subject)
                return event;
        }
        return nullptr;
    }
    void Move(const std::string& subject, const char* start, const char* end) {
        CCalendarUndoHistory::Batch batch(history);
        CCalendarEventPtr copy = Named(subject)->CloneEvent();
        copy->SetStartTime(At(start));
        copy->SetEndTime(At(end));
        EXPECT_TRUE(store.ChangeEvent(copy));
    }
    void MakeDaily(const std::string& subject, int count) {
        CCalendarUndoHistory::Batch batch(history);
        CCalendarEventPtr copy = Named(subject)->CloneEvent();
        CCalendarRecurrencePatternPtr pattern = copy->MakeEventAsRecurrence();
        pattern->SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
        pattern->SetEndAfterOccurrences(count);
        copy->UpdateRecurrence(pattern);
        EXPECT_TRUE(store.ChangeEvent(copy));
    }
    // The second occurrence of a series moved an hour later: it becomes an exception.
    void MoveSecondOccurrence(const char* from, const char* to) {
        CCalendarUndoHistory::Batch batch(history);
        const std::vector<CCalendarEventPtr> shown = store.RetrieveEvents(At(from), At(to));
        ASSERT_GE(shown.size(), 2u);
        CCalendarEventPtr occurrence = shown[1];
        occurrence->SetStartTime(occurrence->GetStartTime().AddMinutes(60));
        occurrence->SetEndTime(occurrence->GetEndTime().AddMinutes(60));
        EXPECT_TRUE(store.ChangeEvent(occurrence));
    }
    void Delete(const std::string& subject) {
        CCalendarUndoHistory::Batch batch(history);
        EXPECT_TRUE(store.DeleteEvent(Named(subject)));
    }
};

TEST_F(UndoFixture, EveryActionIsUndoneAndRedoneToTheExactDocument) {
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"add", [&] { Add("Review", "2026-12-07T09:00", "2026-12-07T10:00"); }},
        {"add second", [&] { Add("Lunch", "2026-12-07T12:00", "2026-12-07T13:00"); }},
        {"add third", [&] { Add("Retro", "2026-12-08T15:00", "2026-12-08T16:00"); }},
        {"move", [&] { Move("Review", "2026-12-09T14:00", "2026-12-09T15:00"); }},
        {"resize", [&] { Move("Review", "2026-12-09T14:00", "2026-12-09T15:30"); }},
        {"make recurring", [&] { MakeDaily("Lunch", 5); }},
        {"move an occurrence",
         [&] { MoveSecondOccurrence("2026-12-07T00:00", "2026-12-12T00:00"); }},
        {"delete the middle one", [&] { Delete("Lunch"); }},
        {"delete", [&] { Delete("Retro"); }},
        {"batch of two adds",
         [&] {
             CCalendarUndoHistory::Batch batch(history);
             Add("Import 1", "2026-12-10T08:00", "2026-12-10T09:00");
             Add("Import 2", "2026-12-11T08:00", "2026-12-11T09:00");
         }},
    };
    std::vector<std::string> states{Document()};
    for (const auto& action : actions) {
        action.second();
        states.push_back(Document());
        EXPECT_NE(states.back(), states[states.size() - 2]) << action.first;
    }
    ASSERT_EQ(history.GetUndoCount(), actions.size());
    for (size_t i = actions.size(); i > 0; --i) {
        ASSERT_TRUE(history.Undo()) << actions[i - 1].first;
        EXPECT_EQ(Document(), states[i - 1]) << "undo " << actions[i - 1].first;
    }
    EXPECT_FALSE(history.Undo());
    EXPECT_FALSE(history.CanUndo());
    for (size_t i = 0; i < actions.size(); ++i) {
        ASSERT_TRUE(history.Redo()) << actions[i].first;
        EXPECT_EQ(Document(), states[i + 1]) << "redo " << actions[i].first;
    }
    EXPECT_FALSE(history.Redo());
}

TEST_F(UndoFixture, ANewChangeDropsWhatCouldBeRedone) {
    Add("A", "2026-12-07T09:00", "2026-12-07T10:00");
    Add("B", "2026-12-07T11:00", "2026-12-07T12:00");
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.CanRedo());
    Add("C", "2026-12-07T13:00", "2026-12-07T14:00");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(Named("B"), nullptr);
    // The identifier B had is not given again: a fresh one is above every one seen.
    EXPECT_NE(Named("C")->GetEventId(), Named("A")->GetEventId());
}

TEST_F(UndoFixture, ChangesOutsideABatchGatherIntoOneStep) {
    Add("A", "2026-12-07T09:00", "2026-12-07T10:00");
    const std::string before = Document();
    // Two changes made without a batch, as code that does not know the history makes them.
    CCalendarEventPtr a = Named("A");
    a->SetSubject("A, renamed");
    ASSERT_TRUE(store.ChangeEvent(a));
    CCalendarEventPtr b = store.CreateNewEvent();
    b->SetStartTime(At("2026-12-07T11:00"));
    b->SetEndTime(At("2026-12-07T12:00"));
    ASSERT_TRUE(store.AddEvent(b));
    EXPECT_EQ(history.GetUndoCount(), 2u);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(Document(), before);
    // The object changed in place is the store's own; the history's copy came back.
    EXPECT_EQ(Named("A")->GetSubject(), "A");
}

TEST_F(UndoFixture, TheHistoryIsBounded) {
    CCalendarData small;
    CCalendarUndoHistory bounded(small, nullptr, 3);
    for (int i = 0; i < 5; ++i) {
        CCalendarUndoHistory::Batch batch(bounded);
        CCalendarEventPtr event = small.CreateNewEvent();
        event->SetStartTime(At("2026-12-07T09:00"));
        event->SetEndTime(At("2026-12-07T10:00"));
        small.AddEvent(event);
    }
    EXPECT_EQ(bounded.GetUndoCount(), 3u);
    while (bounded.Undo()) {
    }
    EXPECT_EQ(small.GetEventCount(), 2u);
}

TEST_F(UndoFixture, ALoadStartsTheHistoryOver) {
    Add("A", "2026-12-07T09:00", "2026-12-07T10:00");
    const std::string document = Document();
    pugi::xml_document parsed;
    ASSERT_TRUE(parsed.load_string(document.c_str()));
    CCalendarDataFormat::Read(parsed, store, ids);
    history.Restart();
    EXPECT_FALSE(history.CanUndo());
    Delete("A");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(Document(), document);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoFixture, AnEmptyBatchOrAnAddUndoneInsideItIsNoStep) {
    { CCalendarUndoHistory::Batch batch(history); }
    {
        CCalendarUndoHistory::Batch batch(history);
        CCalendarEventPtr event = store.CreateNewEvent();
        event->SetStartTime(At("2026-12-07T09:00"));
        event->SetEndTime(At("2026-12-07T10:00"));
        store.AddEvent(event);
        store.DeleteEvent(event);
    }
    EXPECT_FALSE(history.CanUndo());
}

} // namespace
