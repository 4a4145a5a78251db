// What the event and recurrence dialogs do, without a window: the selection a new event
// starts from, the event dialog's fields, shifts and checks, the recurrence dialog's lists
// kept in step, its records and refusals, and what reaches the store.
#include "calendar/CalendarEventEditorModel.h"
#include "calendar/CalendarRecurrenceEditorModel.h"
#include "calendar/CalendarSelection.h"
#include "calendar/store/CalendarData.h"
#include "resources/calendar/CalendarStrings.h"
#include "tests/calendar/store/CalendarTestDates.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tev::calendar;
using tevtest::At;

namespace {

struct Store : testing::Test {
    CCalendarData data;
    void SetUp() override {
        data.SetClock([] { return CCalendarDateTime(2026, 5, 4, 9, 17, 42); });
    }
    CCalendarEventPtr Add(const std::string& subject, const std::string& start,
                          const std::string& end, bool allDay = false) {
        CCalendarEventPtr event = data.CreateNewEvent();
        event->SetSubject(subject);
        event->SetStartTime(At(start));
        event->SetEndTime(At(end));
        event->SetAllDayEvent(allDay);
        EXPECT_TRUE(data.AddEvent(event));
        return event;
    }
    // A weekly series on Mondays from 4 May 2026, 10:00 to 11:00, with no end.
    CCalendarEventPtr AddWeekly(const std::string& subject) {
        CCalendarEventPtr event = data.CreateNewEvent();
        event->SetSubject(subject);
        event->SetStartTime(At("2026-05-04T10:00"));
        event->SetEndTime(At("2026-05-04T11:00"));
        event->MakeEventAsRecurrence()->SetRecurrenceOptions(
            CCalendarRecurrenceOptions::Weekly(1, kCalendarMonday));
        EXPECT_TRUE(data.AddEvent(event));
        return event;
    }
    CCalendarEventPtr OccurrenceOn(const std::string& day) {
        const std::vector<CCalendarEventPtr> shown = data.RetrieveDayEvents(At(day));
        return shown.empty() ? nullptr : shown.front();
    }
};

std::string Iso(const CCalendarDateTime& time) {
    return time.ToIsoString();
}

} // namespace

TEST_F(Store, SelectionSpansGrowFromWhereTheyWerePickedAndEventsFollowTheViews) {
    CCalendarSelection selection;
    selection.SelectSpan(At("2026-05-04T10:30"), At("2026-05-04T10:00"), false);
    EXPECT_EQ(Iso(selection.GetSpan().begin), "2026-05-04T10:00");
    selection.ExtendSpan(At("2026-05-04T11:00"), At("2026-05-04T11:30"));
    EXPECT_EQ(Iso(selection.GetSpan().end), "2026-05-04T11:30");
    // Growing the other way starts again from the row picked first.
    selection.ExtendSpan(At("2026-05-04T09:00"), At("2026-05-04T09:30"));
    EXPECT_EQ(Iso(selection.GetSpan().begin) + " " + Iso(selection.GetSpan().end),
              "2026-05-04T09:00 2026-05-04T10:30");
    selection.SelectSpan(At("2026-05-06"), At("2026-05-07"), true);
    selection.ExtendSpan(At("2026-05-04T13:00"), At("2026-05-04T13:30"));
    EXPECT_EQ(Iso(selection.GetSpan().begin) + " " + Iso(selection.GetSpan().end),
              "2026-05-04T00:00 2026-05-07T00:00");

    // Occurrences are made afresh by every query: the selection finds its own again.
    AddWeekly("Stand-up");
    const CCalendarEventPtr first = OccurrenceOn("2026-05-11");
    selection.SelectEvent(first);
    EXPECT_FALSE(selection.HasSpan());
    const std::vector<CCalendarEventPtr> again =
        data.RetrieveEvents(At("2026-05-01"), At("2026-06-01"));
    selection.Rebind(again);
    ASSERT_EQ(selection.GetEvents().size(), 1u);
    EXPECT_NE(selection.GetFirstEvent(), first);
    EXPECT_EQ(Iso(selection.GetFirstEvent()->GetStartTime()), "2026-05-11T10:00");
    ASSERT_TRUE(data.DeleteEvent(selection.GetFirstEvent()));
    selection.Rebind(data.RetrieveEvents(At("2026-05-01"), At("2026-06-01")));
    EXPECT_EQ(selection.GetFirstEvent(), nullptr);
}

TEST_F(Store, NewEventsTakeTheSelectionOrTheNextHour) {
    struct Case {
        const char* begin; // none when null
        const char* end;
        bool allDay;
        const char* shownStart;
        const char* shownEnd;
        int busy;
    };
    const Case cases[] = {
        {nullptr, nullptr, false, "2026-05-04 09:17", "2026-05-04 10:17", kCalendarBusyBusy},
        {"2026-05-04T10:00", "2026-05-04T11:30", false, "2026-05-04 10:00", "2026-05-04 11:30",
         kCalendarBusyBusy},
        // Whole days show their last day as the end date.
        {"2026-05-03", "2026-05-05", true, "2026-05-03 00:00", "2026-05-04 00:00",
         kCalendarBusyFree},
    };
    for (const Case& c : cases) {
        CCalendarSelection selection;
        if (c.begin)
            selection.SelectSpan(At(c.begin), At(c.end), c.allDay);
        const CCalendarEventEditorModel model(data, selection, data.GetCurrentTime());
        EXPECT_TRUE(model.IsAddNew());
        const CEventEditorFields fields = model.LoadFields();
        EXPECT_EQ(Iso(fields.startDate).substr(0, 10) + " " + fields.startTime, c.shownStart);
        EXPECT_EQ(Iso(fields.endDate).substr(0, 10) + " " + fields.endTime, c.shownEnd);
        EXPECT_EQ(fields.allDay, c.allDay);
        EXPECT_EQ(fields.busyStatus, c.busy);
        EXPECT_EQ(fields.scheduleIndex, 0);
        EXPECT_EQ(data.GetEventCount(), 0u); // nothing is added before OK
    }
}

TEST_F(Store, AllDayEndDatesShiftButNeverBeforeTheStart) {
    // Stored from 3 May to the midnight after 4 May: the dialog shows 3 May to 4 May, and
    // OK unchanged stores the same again.
    CCalendarEventEditorModel model(data, Add("Fair", "2026-05-03", "2026-05-05", true));
    CEventEditorFields fields = model.LoadFields();
    EXPECT_EQ(Iso(fields.endDate), "2026-05-04T00:00");
    ASSERT_FALSE(model.Check(fields));
    model.Apply(fields);
    EXPECT_EQ(Iso(model.GetEvent()->GetStartTime()) + " " + Iso(model.GetEvent()->GetEndTime()),
              "2026-05-03T00:00 2026-05-05T00:00");

    struct Case {
        const char* start;
        const char* end;
        const char* endTime;
        bool allDayNow;
        const char* endDate;
    };
    const Case cases[] = {
        {"2026-05-03", "2026-05-04", "00:00", true, "2026-05-03T00:00"},
        {"2026-05-03", "2026-05-03", "00:00", true, "2026-05-03T00:00"}, // not before the start
        {"2026-05-03", "2026-05-03", "00:00", false, "2026-05-04T00:00"},
        {"2026-05-03", "2026-05-03", "10:30", true, "2026-05-03T00:00"}, // not at midnight
    };
    for (const Case& c : cases) {
        CEventEditorFields toggled;
        toggled.startDate = At(c.start);
        toggled.endDate = At(c.end);
        toggled.endTime = c.endTime;
        toggled.allDay = c.allDayNow;
        CCalendarEventEditorModel::OnAllDayChanged(toggled);
        EXPECT_EQ(Iso(toggled.endDate), c.endDate) << c.end << " " << c.endTime;
    }
}

TEST_F(Store, TheEndFollowsTheStartSoTheEventKeepsItsLength) {
    CCalendarEventEditorModel model(data, Add("Talk", "2026-05-04T10:00", "2026-05-04T10:30"));
    CEventEditorFields shown = model.LoadFields();
    struct Case {
        const char* startDate;
        const char* startTime;
        bool read;
        const char* end;
    };
    const Case cases[] = {
        {"2026-05-04", "14:00", true, "2026-05-04 14:30"},
        {"2026-05-06", "14:00", true, "2026-05-06 14:30"},
        {"2026-05-06", "23:45", true, "2026-05-07 00:15"},
        {"2026-05-06", "23:4", false, "2026-05-07 00:15"}, // typing on: nothing moves yet
        {"2026-05-06", "1", true, "2026-05-06 01:30"},
    };
    for (const Case& c : cases) {
        CEventEditorFields fields = shown;
        fields.startDate = At(c.startDate);
        fields.startTime = c.startTime;
        EXPECT_EQ(CCalendarEventEditorModel::KeepLength(fields, shown), c.read) << c.startTime;
        EXPECT_EQ(Iso(shown.endDate).substr(0, 10) + " " + shown.endTime, c.end) << c.startTime;
    }
    CEventEditorFields days =
        CCalendarEventEditorModel(data, Add("Fair", "2026-05-03", "2026-05-05", true)).LoadFields();
    CEventEditorFields moved = days;
    moved.startDate = At("2026-05-10");
    ASSERT_TRUE(CCalendarEventEditorModel::KeepLength(moved, days));
    EXPECT_EQ(Iso(moved.endDate), "2026-05-11T00:00");
}

TEST_F(Store, OkRefusesWithTheMessageAndTheControlInTheirOrder) {
    CCalendarEventEditorModel model(data, Add("Talk", "2026-05-04T10:00", "2026-05-04T11:00"));
    struct Case {
        std::function<void(CEventEditorFields&)> change;
        int message;
        int control;
    };
    const Case cases[] = {
        {[](CEventEditorFields& f) { f.reminderTime = "soon"; }, IDS_WRONG_VALUE,
         IDC_EVENT_REMINDER_TIME},
        {[](CEventEditorFields& f) { f.reminderTime = "soon", f.endTime = "09:00"; },
         IDS_WRONG_VALUE, IDC_EVENT_REMINDER_TIME},
        {[](CEventEditorFields& f) { f.startTime = "25:00"; }, IDS_WRONG_VALUE,
         IDC_EVENT_START_TIME},
        {[](CEventEditorFields& f) { f.endTime = "09:59"; }, IDS_END_BEFORE_START,
         IDC_EVENT_END_TIME},
        {[](CEventEditorFields& f) { f.allDay = true, f.endDate = At("2026-05-03"); },
         IDS_END_BEFORE_START, IDC_EVENT_END_DATE},
        {[](CEventEditorFields& f) { f.endTime = "10:00"; }, 0, 0},
        {[](CEventEditorFields& f) { f.allDay = true, f.endTime = "09:00"; }, 0, 0},
    };
    for (const Case& c : cases) {
        CEventEditorFields fields = model.LoadFields();
        c.change(fields);
        const CEditorRefusal refusal = model.Check(fields);
        EXPECT_EQ(refusal.messageId, c.message);
        EXPECT_EQ(refusal.controlId, c.control);
    }
}

TEST_F(Store, AnEditedOccurrenceBecomesAnExceptionAndASeriesEditChangesACopy) {
    const CCalendarEventPtr master = AddWeekly("Stand-up");
    CCalendarEventEditorModel occurrence(data, OccurrenceOn("2026-05-11"));
    EXPECT_TRUE(occurrence.AsksOccurrenceOrSeries());
    CEventEditorFields moved = occurrence.LoadFields();
    moved.startTime = "14:00";
    moved.endTime = "14:30";
    ASSERT_FALSE(occurrence.Check(moved));
    occurrence.Apply(moved);
    ASSERT_TRUE(occurrence.Commit());
    EXPECT_EQ(master->GetRecurrencePattern()->GetExceptions().size(), 1u);
    EXPECT_EQ(Iso(OccurrenceOn("2026-05-11")->GetStartTime()), "2026-05-11T14:00");
    EXPECT_EQ(Iso(OccurrenceOn("2026-05-18")->GetStartTime()), "2026-05-18T10:00");

    // The series: a copy of the master; the times are not the dialog's to change.
    CCalendarEventEditorModel series(data, OccurrenceOn("2026-05-18"));
    series.OpenSeries();
    EXPECT_FALSE(series.IsSingle());
    EXPECT_NE(series.GetEvent(), master);
    EXPECT_FALSE(series.GetVisibility(series.LoadFields()).dates);
    CEventEditorFields renamed = series.LoadFields();
    renamed.subject = "Daily sync";
    renamed.startTime = "23:00";
    renamed.endTime = "01:00";
    ASSERT_FALSE(series.Check(renamed));
    series.Apply(renamed);
    EXPECT_EQ(master->GetSubject(), "Stand-up"); // untouched until the commit
    ASSERT_TRUE(series.Commit());
    EXPECT_EQ(OccurrenceOn("2026-05-25")->GetSubject(), "Daily sync");
    EXPECT_EQ(Iso(OccurrenceOn("2026-05-25")->GetStartTime()), "2026-05-25T10:00");
}

TEST_F(Store, TheRecurrenceDialogAlwaysWorksOnACopy) {
    const CCalendarEventPtr plain = Add("Review", "2026-05-04T10:00", "2026-05-04T11:30");
    CCalendarEventEditorModel model(data, plain);
    CEventEditorFields fields = model.LoadFields();
    const CCalendarEventEditorModel::RecurrenceTarget made = model.PrepareRecurrence(fields);
    ASSERT_TRUE(made.event);
    EXPECT_NE(made.event, plain);
    EXPECT_TRUE(made.newPattern);
    EXPECT_FALSE(plain->IsRecurring());
    const CCalendarRecurrencePatternPtr pattern = made.event->GetRecurrencePattern();
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->GetStartTime(), 600);
    EXPECT_EQ(pattern->GetDurationMinutes(), 90);
    EXPECT_EQ(Iso(pattern->GetPatternStartDate()), "2026-05-04T00:00");
    fields.endTime = "half past";
    EXPECT_EQ(model.PrepareRecurrence(fields).refusal.controlId, IDC_EVENT_END_TIME);

    const CCalendarEventPtr master = AddWeekly("Stand-up");
    CCalendarEventEditorModel occurrence(data, OccurrenceOn("2026-05-11"));
    const CCalendarEventEditorModel::RecurrenceTarget ofSeries =
        occurrence.PrepareRecurrence(occurrence.LoadFields());
    EXPECT_NE(ofSeries.event, master);
    EXPECT_EQ(ofSeries.event->GetEventId(), master->GetEventId());
    EXPECT_TRUE(ofSeries.reloadFields);
    occurrence.TakeRecurrence(ofSeries);
    EXPECT_FALSE(occurrence.IsSingle());
    // Now editing the series' copy, the dialog goes on with that very copy.
    EXPECT_EQ(occurrence.PrepareRecurrence(occurrence.LoadFields()).event, ofSeries.event);
}

// ---------------------------------------------------------------------------------------
// The recurrence dialog

TEST(CalendarRecurrenceTimes, StartEndAndDurationKeepInStep) {
    struct Case {
        int start;
        int duration;
        int list; // 1 start, 2 end, 4 duration, as the timers
        const char* text;
        bool read;
        const char* end;
        int newDuration;
    };
    const Case cases[] = {
        {22 * 60, 30, 2, "01:00", true, "01:00", 180}, // past midnight
        {10 * 60, 60, 2, "12:30", true, "12:30", 150},
        {10 * 60, 60, 2, "9:00 AM", true, "09:00", 1380},
        {10 * 60, 1500, 2, "12:00", true, "12:00", 1560},
        {10 * 60, 60, 1, "23:30", true, "00:30", 60},
        {10 * 60, -30, 1, "11:00", true, "11:00", -30},
        {10 * 60, 60, 4, "2 days", true, "10:00", 2880},
        {10 * 60, 60, 4, "1.5 hours", true, "11:30", 90},
        {10 * 60, 60, 4, "-5", false, "11:00", 60},
        {10 * 60, 60, 1, "25:00", false, "11:00", 60},
    };
    for (const Case& c : cases) {
        CRecurrenceTimes times(c.start, c.duration);
        const bool read = c.list == 1   ? times.StartChanged(c.text)
                          : c.list == 2 ? times.EndChanged(c.text)
                                        : times.DurationChanged(c.text);
        EXPECT_EQ(read, c.read) << c.text;
        EXPECT_EQ(times.EndText(), c.end) << c.text;
        EXPECT_EQ(times.GetDuration(), c.newDuration) << c.text;
    }
    EXPECT_EQ(CRecurrenceTimes(22 * 60, 180).DurationText(), "3 hours");
}

TEST_F(Store, RecurrenceFieldsLoadForEachKindOfRecord) {
    struct Case {
        CCalendarRecurrenceOptions options;
        CalendarRecurrenceKind kind;
        std::string summary; // the fields of the kind that the record sets
    };
    auto summary = [](const CRecurrenceEditorFields& f) {
        switch (f.kind) {
        case CalendarRecurrenceKind::Daily:
            return (f.dailyWorkDays ? "workdays " : "every ") + f.dailyInterval;
        case CalendarRecurrenceKind::Weekly:
            return f.weeklyInterval + " " + std::to_string(f.weekDays);
        case CalendarRecurrenceKind::Monthly:
            return f.monthlyNth ? "the " + std::to_string(f.monthlyWhich) + " " +
                                      std::to_string(f.monthlyWeekday) + " " + f.monthlyNthInterval
                                : "day " + f.monthlyDay + " " + f.monthlyInterval;
        case CalendarRecurrenceKind::Yearly:
            return f.yearlyNth ? "the " + std::to_string(f.yearlyWhich) + " " +
                                     std::to_string(f.yearlyWeekday) + " " +
                                     std::to_string(f.yearlyNthMonth)
                               : "every " + std::to_string(f.yearlyMonth) + " " + f.yearlyDay;
        }
        return std::string();
    };
    const Case cases[] = {
        {CCalendarRecurrenceOptions::Daily(3), CalendarRecurrenceKind::Daily, "every 3"},
        // Any Data1 but 0 means every work day, as the store reads it.
        {{kCalendarRecurrenceDaily, 2, 5, 0}, CalendarRecurrenceKind::Daily, "workdays 1"},
        {CCalendarRecurrenceOptions::Weekly(2, kCalendarTuesday | kCalendarThursday),
         CalendarRecurrenceKind::Weekly, "2 20"},
        {CCalendarRecurrenceOptions::Monthly(1, 31), CalendarRecurrenceKind::Monthly, "day 31 1"},
        {CCalendarRecurrenceOptions::MonthNth(2, kCalendarLast, kCalendarSaturday),
         CalendarRecurrenceKind::Monthly, "the 5 64 2"},
        {CCalendarRecurrenceOptions::MonthNth(1, 9, 0), CalendarRecurrenceKind::Monthly,
         "the 1 2 1"},
        {CCalendarRecurrenceOptions::Yearly(7, 4), CalendarRecurrenceKind::Yearly, "every 7 4"},
        {CCalendarRecurrenceOptions::YearNth(2, kCalendarWorkDays, 11),
         CalendarRecurrenceKind::Yearly, "the 2 2 11"},
        {{9, 1, 1, 1}, CalendarRecurrenceKind::Weekly, "1 2"},
    };
    for (const Case& c : cases) {
        const CCalendarEventPtr event = AddWeekly("Series");
        event->GetRecurrencePattern()->SetRecurrenceOptions(c.options);
        const CCalendarRecurrenceEditorModel model(event, false);
        const CRecurrenceEditorFields fields = model.LoadFields(At("2026-05-04"));
        EXPECT_EQ(fields.kind, c.kind) << c.summary;
        EXPECT_EQ(summary(fields), c.summary);
    }
}

TEST_F(Store, RecurrenceRangeAndAllDayTimesLoad) {
    const CCalendarEventPtr event = AddWeekly("Series");
    CCalendarRecurrencePattern& pattern = *event->GetRecurrencePattern();
    pattern.SetEndAfterOccurrences(6);
    CRecurrenceEditorFields fields =
        CCalendarRecurrenceEditorModel(event, false).LoadFields(At("2026-05-20"));
    EXPECT_EQ(fields.endMethod, kCalendarPatternEndAfterOccurrences);
    EXPECT_EQ(fields.occurrences, "6");
    EXPECT_EQ(Iso(fields.rangeEnd), "2026-05-20T00:00"); // today by default
    EXPECT_EQ(fields.startTime + "-" + fields.endTime + " " + fields.duration,
              "10:00-11:00 1 hour");
    pattern.SetPatternEndDate(At("2026-06-30"));
    fields = CCalendarRecurrenceEditorModel(event, false).LoadFields(At("2026-05-20"));
    EXPECT_EQ(fields.endMethod, kCalendarPatternEndDate);
    EXPECT_EQ(Iso(fields.rangeEnd), "2026-06-30T00:00");
    EXPECT_EQ(fields.occurrences, "10");

    // All-day series run from midnight for whole days.
    EXPECT_EQ(CCalendarRecurrenceEditorModel(event, true).LoadTimes().DurationText(), "1 day");
    pattern.SetDurationMinutes(2880);
    const CRecurrenceTimes twoDays = CCalendarRecurrenceEditorModel(event, true).LoadTimes();
    EXPECT_EQ(twoDays.StartText() + " " + twoDays.DurationText(), "00:00 2 days");
}

TEST_F(Store, OkBuildsTheRecordOrNamesTheFieldAndItsBounds) {
    const CCalendarEventPtr event = AddWeekly("Series");
    const CCalendarRecurrenceEditorModel model(event, false);
    const CRecurrenceEditorFields loaded = model.LoadFields(At("2026-05-04"));
    struct Case {
        std::function<void(CRecurrenceEditorFields&)> change;
        CCalendarRecurrenceOptions record; // when accepted
        CEditorRefusal refusal;
    };
    using K = CalendarRecurrenceKind;
    const CEditorRefusal accepted;
    const Case cases[] = {
        {[](auto& f) { f.kind = K::Daily, f.dailyInterval = "5"; }, {1, 0, 5, 0}, accepted},
        {[](auto& f) { f.kind = K::Daily, f.dailyWorkDays = true, f.dailyInterval = "7"; },
         {1, 1, 1, 0},
         accepted},
        {[](auto& f) { f.kind = K::Daily, f.dailyWorkDays = true, f.dailyInterval = "0"; },
         {},
         {IDS_VALUE_BETWEEN, IDC_DAILY_INTERVAL, 1, 999}},
        {[](auto& f) { f.weeklyInterval = "2", f.weekDays = 0; }, {2, 2, 0, 0}, accepted},
        {[](auto& f) { f.weeklyInterval = ""; },
         {},
         {IDS_VALUE_BETWEEN, IDC_WEEKLY_INTERVAL, 1, 999}},
        {[](auto& f) { f.kind = K::Monthly, f.monthlyDay = "31"; }, {3, 1, 31, 0}, accepted},
        {[](auto& f) { f.kind = K::Monthly, f.monthlyDay = "32"; },
         {},
         {IDS_VALUE_BETWEEN, IDC_MONTHLY_DAY_NUMBER, 1, 31}},
        {[](auto& f) { f.kind = K::Monthly, f.monthlyDay = "32", f.monthlyInterval = "1000"; },
         {},
         {IDS_VALUE_BETWEEN, IDC_MONTHLY_DAY_INTERVAL, 1, 999}},
        {[](auto& f) {
             f.kind = K::Monthly, f.monthlyNth = true, f.monthlyWhich = 5,
             f.monthlyWeekday = kCalendarSaturday, f.monthlyNthInterval = "2";
         },
         {4, 2, 5, 64},
         accepted},
        {[](auto& f) { f.kind = K::Yearly, f.yearlyMonth = 2, f.yearlyDay = "29"; },
         {5, 2, 29, 0},
         accepted},
        {[](auto& f) { f.kind = K::Yearly, f.yearlyDay = "x"; },
         {},
         {IDS_VALUE_BETWEEN, IDC_YEARLY_DAY, 1, 31}},
        {[](auto& f) {
             f.kind = K::Yearly, f.yearlyNth = true, f.yearlyDay = "x", f.yearlyWhich = 3,
             f.yearlyWeekday = kCalendarFriday, f.yearlyNthMonth = 9;
         },
         {6, 3, 32, 9},
         accepted},
        {[](auto& f) { f.endMethod = kCalendarPatternEndAfterOccurrences, f.occurrences = "0"; },
         {},
         {IDS_VALUE_BETWEEN, IDC_RANGE_OCCURRENCES, 1, 999}},
        {[](auto& f) { f.endMethod = kCalendarPatternEndDate, f.rangeEnd = At("2026-05-03"); },
         {},
         {IDS_WRONG_VALUE, IDC_RANGE_END_DATE}},
        {[](auto& f) { f.startTime = "seven"; }, {}, {IDS_WRONG_VALUE, IDC_RECURRENCE_START}},
        {[](auto& f) { f.duration = "-5 minutes"; },
         {},
         {IDS_WRONG_VALUE, IDC_RECURRENCE_DURATION}},
    };
    for (const Case& c : cases) {
        CRecurrenceEditorFields fields = loaded;
        c.change(fields);
        const CEditorRefusal refusal = CCalendarRecurrenceEditorModel::Check(fields);
        EXPECT_EQ(refusal.messageId, c.refusal.messageId);
        EXPECT_EQ(refusal.controlId, c.refusal.controlId);
        EXPECT_EQ(std::make_pair(refusal.low, refusal.high),
                  std::make_pair(c.refusal.low, c.refusal.high));
        if (!refusal) {
            const CCalendarRecurrenceOptions record =
                CCalendarRecurrenceEditorModel::BuildOptions(fields);
            EXPECT_EQ(record, c.record) << record.m_type << " " << record.m_data1 << " "
                                        << record.m_data2 << " " << record.m_data3;
        }
    }
}

TEST(CalendarRecurrenceEditor, DescribesASeriesInWords) {
    struct Case {
        CCalendarRecurrenceOptions options;
        bool allDay;
        CalendarPatternEnd end;
        const char* text;
    };
    const Case cases[] = {
        {CCalendarRecurrenceOptions::Weekly(2, kCalendarTuesday | kCalendarThursday), false,
         kCalendarPatternEndAfterOccurrences,
         "Occurs every 2 weeks on Tuesday and Thursday from 10:00 to 10:30, starting December 1, "
         "2026, 6 times."},
        {CCalendarRecurrenceOptions::Daily(1), false, kCalendarPatternEndDate,
         "Occurs every day from 10:00 to 10:30, starting December 1, 2026 until December 31, "
         "2026."},
        {{kCalendarRecurrenceDaily, 3, 3, 0},
         true,
         kCalendarPatternNoEndDate,
         "Occurs every work day, starting December 1, 2026."},
        {CCalendarRecurrenceOptions::MonthNth(3, kCalendarLast, kCalendarFriday | kCalendarMonday),
         true, kCalendarPatternNoEndDate,
         "Occurs on the last Monday and Friday of every 3 months, starting December 1, 2026."},
        {CCalendarRecurrenceOptions::YearNth(2, kCalendarMonday, 11), true,
         kCalendarPatternNoEndDate,
         "Occurs on the second Monday of November, starting December 1, 2026."},
    };
    for (const Case& c : cases) {
        CCalendarRecurrencePattern pattern;
        pattern.SetStartTime(10 * 60);
        pattern.SetDurationMinutes(30);
        pattern.SetRecurrenceOptions(c.options);
        pattern.SetPatternStartDate(At("2026-12-01"));
        if (c.end == kCalendarPatternEndAfterOccurrences)
            pattern.SetEndAfterOccurrences(6);
        if (c.end == kCalendarPatternEndDate)
            pattern.SetPatternEndDate(At("2026-12-31"));
        EXPECT_EQ(CCalendarRecurrenceEditorModel::Describe(pattern, c.allDay), c.text);
    }
}

TEST_F(Store, ExceptionsGoOnlyWhenThePatternChanges) {
    const CCalendarEventPtr master = AddWeekly("Stand-up");
    ASSERT_TRUE(data.DeleteEvent(OccurrenceOn("2026-05-11")));
    const CCalendarEventPtr copy = master->CloneEvent();
    CCalendarRecurrenceEditorModel model(copy, false);
    CRecurrenceEditorFields fields = model.LoadFields(At("2026-05-04"));
    const CCalendarRecurrencePatternPtr same = model.BuildPattern(fields);
    EXPECT_FALSE(model.LosesExceptions(*same));
    model.Apply(same);
    EXPECT_EQ(copy->GetRecurrencePattern()->GetExceptions().size(), 1u);

    fields.weeklyInterval = "2";
    fields.endMethod = kCalendarPatternEndAfterOccurrences;
    fields.occurrences = "6";
    const CCalendarRecurrencePatternPtr changed = model.BuildPattern(fields);
    EXPECT_TRUE(model.LosesExceptions(*changed));
    EXPECT_EQ(copy->GetRecurrencePattern()->GetRecurrenceOptions().m_data1, 1); // not yet
    model.Apply(changed);
    EXPECT_TRUE(copy->GetRecurrencePattern()->GetExceptions().empty());
    EXPECT_EQ(copy->GetRecurrencePattern()->GetEndAfterOccurrences(), 6);
    EXPECT_EQ(master->GetRecurrencePattern()->GetExceptions().size(), 1u); // the store's own

    model.RemoveRecurrence();
    EXPECT_FALSE(copy->IsRecurring());
    EXPECT_TRUE(master->IsRecurring());
}
