// Entering and changing events in the calendar frame: double click, Enter, Delete and the
// event menu; the event and recurrence dialogs worked through their controls; the questions
// for recurring events; and pictures of both dialogs for people to look at.
#include "calendar/CalendarEventEditorDlg.h"
#include "calendar/CalendarEventRecurrenceEditorDlg.h"
#include "calendar/CalendarOccurrenceSeriesChooseDlg.h"
#include "platform/widgets/WindowImage.h"
#include "tests/calendar/CalendarFrameTesting.h"

#include <wx/combobox.h>
#include <wx/image.h>

using namespace tev::calendar;
using tevtest::At;
using tevtest::Day;
using tevtest::DialogResult;
using tevtest::ExpectMessageBox;
using tevtest::Press;
using tevtest::TextOf;
using tevtest::Type;

namespace {

using ExpectEventDialog = tevtest::ExpectDialog<CCalendarEventEditorDlg>;
using ExpectRecurrenceDialog = tevtest::ExpectDialog<CCalendarEventRecurrenceEditorDlg>;
using ExpectQuestion = tevtest::ExpectDialog<CCalendarOccurrenceSeriesChooseDlg>;
constexpr const char* kEventCaption = "Appointment and Event Details";

// Answers the occurrence-or-series question with `choice`.
ExpectQuestion Answer(const char* caption, int choice) {
    return ExpectQuestion(caption,
                          [choice](CCalendarOccurrenceSeriesChooseDlg&) { return choice; });
}

struct EventEditing : tevtest::CalendarFrame {
    CCalendarData& Data() { return view->GetDataProvider(); }
    std::vector<std::string> Starts(const std::string& subject, const std::string& from,
                                    const std::string& to) {
        std::vector<std::string> starts;
        for (const CCalendarEventPtr& event : Data().RetrieveEvents(At(from), At(to))) {
            if (event->GetSubject() == subject)
                starts.push_back(event->GetStartTime().ToIsoString());
        }
        return starts;
    }
    CCalendarEventPtr Shown(const std::string& subject) {
        for (const CCalendarEventPtr& event : calendar->GetVisibleEvents()) {
            if (event->GetSubject() == subject)
                return event;
        }
        return nullptr;
    }
    // A new event by double click at 10:00 of `day`, with that subject.
    void AddAtTen(const std::string& day, const std::string& subject) {
        calendar->SelectDay(Day(day));
        wxTEST_DIALOG(view->OnDoubleClickAt(TimePoint(10 * 60)),
                      ExpectEventDialog(kEventCaption, [&](CCalendarEventEditorDlg& dialog) {
                          Type(&dialog, IDC_EVENT_SUBJECT, subject);
                          Press(&dialog, wxID_OK);
                          return DialogResult(dialog);
                      }));
    }
    // Makes the event repeat every two weeks on Tuesday and Thursday, six times.
    int MakeFortnightly(CCalendarEventEditorDlg& dialog) {
        wxTEST_DIALOG(Press(&dialog, IDC_EVENT_RECURRENCE),
                      ExpectRecurrenceDialog("Appointment Recurrence", [](auto& recurrence) {
                          EXPECT_FALSE(recurrence.FindWindow(IDC_REMOVE_RECURRENCE)->IsEnabled());
                          tevtest::Tick(&recurrence, IDC_RECURRENCE_WEEKLY, true);
                          Type(&recurrence, IDC_WEEKLY_INTERVAL, "2");
                          tevtest::Tick(&recurrence, IDC_WEEKLY_MONDAY, false);
                          tevtest::Tick(&recurrence, IDC_WEEKLY_TUESDAY, true);
                          tevtest::Tick(&recurrence, IDC_WEEKLY_THURSDAY, true);
                          tevtest::Tick(&recurrence, IDC_RANGE_END_AFTER, true);
                          Type(&recurrence, IDC_RANGE_OCCURRENCES, "6");
                          Press(&recurrence, wxID_OK);
                          return DialogResult(recurrence);
                      }));
        // The series is edited now: no dates to pick.
        EXPECT_FALSE(dialog.FindWindow(IDC_EVENT_START_DATE)->IsShown());
        Press(&dialog, wxID_OK);
        return DialogResult(dialog);
    }
};

} // namespace

TEST_F(EventEditing, DoubleClickOnFreeTimeOpensANewEventForThatTime) {
    calendar->SelectAt(TimePoint(10 * 60), false);
    calendar->SelectAt(TimePoint(11 * 60), true);
    wxTEST_DIALOG(view->OnDoubleClickAt(TimePoint(10 * 60 + 30)),
                  ExpectEventDialog(kEventCaption, [](CCalendarEventEditorDlg& dialog) {
                      EXPECT_EQ(TextOf(&dialog, IDC_EVENT_START_TIME), "10:00");
                      EXPECT_EQ(TextOf(&dialog, IDC_EVENT_END_TIME), "11:30");
                      EXPECT_TRUE(dialog.FindWindow(IDC_EVENT_END_DATE)->IsShown());
                      EXPECT_FALSE(dialog.FindWindow(IDC_EVENT_BUSY_STATUS)->IsShown());
                      Type(&dialog, IDC_EVENT_SUBJECT, "Dentist");
                      Type(&dialog, IDC_EVENT_BODY, "Bring the card\nand the form");
                      Press(&dialog, wxID_OK);
                      return DialogResult(dialog);
                  }));
    const CCalendarEventPtr added = Shown("Dentist");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetStartTime().ToIsoString() + " " + added->GetEndTime().ToIsoString(),
              "2026-12-07T10:00 2026-12-07T11:30");
    EXPECT_EQ(added->GetBusyStatus(), kCalendarBusyBusy);
    EXPECT_EQ(added->GetBody(), "Bring the card\nand the form");
    EXPECT_EQ(view->GetEventIdList().GetIds(), std::vector<uint32_t>{added->GetEventId()});
    EXPECT_EQ(calendar->GetSelection().GetFirstEvent(), added);

    // Cancel adds nothing.
    wxTEST_DIALOG(Command(ID_ADD_NEW_EVENT),
                  ExpectEventDialog(kEventCaption, [](CCalendarEventEditorDlg& dialog) {
                      Type(&dialog, IDC_EVENT_SUBJECT, "Never");
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(Data().GetEventCount(), 1u);
}

TEST_F(EventEditing, ARefusedOkKeepsTheDialogOpenAndChangesNothing) {
    wxTEST_DIALOG(view->OnDoubleClickAt(TimePoint(14 * 60)),
                  ExpectEventDialog(kEventCaption,
                                    [&](CCalendarEventEditorDlg& dialog) {
                                        Type(&dialog, IDC_EVENT_SUBJECT, "Backwards");
                                        Type(&dialog, IDC_EVENT_END_TIME, "13:59");
                                        Press(&dialog,
                                              wxID_OK); // answered by the message box below
                                        EXPECT_EQ(DialogResult(dialog), 0);
                                        EXPECT_EQ(Data().GetEventCount(), 0u);
                                        Type(&dialog, IDC_EVENT_END_TIME, "15:00");
                                        Press(&dialog, wxID_OK);
                                        return DialogResult(dialog);
                                    }),
                  ExpectMessageBox("The end time you entered occurs before the start time.",
                                   wxID_OK, "Quorvane Web Calendar"));
    ASSERT_NE(Shown("Backwards"), nullptr);
    EXPECT_EQ(Shown("Backwards")->GetEndTime().ToIsoString(), "2026-12-07T15:00");
}

TEST_F(EventEditing, AFortnightlySeriesShowsItsSixOccurrencesAndOneCanBeMoved) {
    AddAtTen("2026-12-01", "Course");
    wxTEST_DIALOG(view->OnCalendarKey(WXK_RETURN),
                  ExpectEventDialog(kEventCaption, [&](CCalendarEventEditorDlg& dialog) {
                      EXPECT_EQ(TextOf(&dialog, IDC_EVENT_SUBJECT), "Course");
                      return MakeFortnightly(dialog);
                  }));
    Command(ID_CALENDARVIEW_MONTH);
    const std::vector<std::string> fortnightly = {"2026-12-01T10:00", "2026-12-03T10:00",
                                                  "2026-12-15T10:00", "2026-12-17T10:00",
                                                  "2026-12-29T10:00", "2026-12-31T10:00"};
    EXPECT_EQ(Starts("Course", "2026-11-29", "2027-03-01"), fortnightly);
    const std::vector<std::string> shown = VisibleSubjects();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Course"), 6);

    // This occurrence only: it moves, the others stay.
    Command(ID_CALENDARVIEW_DAY);
    calendar->SelectDay(Day("2026-12-15"));
    wxTEST_DIALOG(EXPECT_TRUE(view->OpenEventDialog(Shown("Course"))),
                  Answer("Open Recurring item", IDC_CHOOSE_OCCURRENCE),
                  ExpectEventDialog(kEventCaption, [](CCalendarEventEditorDlg& dialog) {
                      EXPECT_TRUE(dialog.FindWindow(IDC_EVENT_START_DATE)->IsShown());
                      Type(&dialog, IDC_EVENT_START_TIME, "14:00");
                      Type(&dialog, IDC_EVENT_END_TIME, "15:00");
                      Press(&dialog, wxID_OK);
                      return DialogResult(dialog);
                  }));
    EXPECT_EQ(Starts("Course", "2026-12-14", "2026-12-19"),
              (std::vector<std::string>{"2026-12-15T14:00", "2026-12-17T10:00"}));

    // The series: a new subject for all of it; a cancelled question opens nothing.
    wxTEST_DIALOG(EXPECT_FALSE(view->OpenEventDialog(Shown("Course"))),
                  Answer("Open Recurring item", wxID_CANCEL));
    calendar->SelectDay(Day("2026-12-17"));
    wxTEST_DIALOG(view->OpenEventDialog(Shown("Course")),
                  Answer("Open Recurring item", IDC_CHOOSE_SERIES),
                  ExpectEventDialog(kEventCaption, [](CCalendarEventEditorDlg& dialog) {
                      EXPECT_FALSE(dialog.FindWindow(IDC_EVENT_START_TIME)->IsShown());
                      Type(&dialog, IDC_EVENT_SUBJECT, "Course B");
                      Press(&dialog, wxID_OK);
                      return DialogResult(dialog);
                  }));
    EXPECT_EQ(Starts("Course B", "2026-12-16", "2027-01-01").size(), 3u);
}

TEST_F(EventEditing, DeleteAsksAndNoKeepsTheEventAndItsIdentifier) {
    AddAtTen("2026-12-07", "Dentist");
    const uint32_t id = Shown("Dentist")->GetEventId();
    wxTEST_DIALOG(view->OnCalendarKey(WXK_DELETE),
                  ExpectMessageBox("Would you like to delete event: \"Dentist\" ?", wxID_NO,
                                   "Quorvane Web Calendar"));
    EXPECT_EQ(view->GetEventIdList().GetIds(), std::vector<uint32_t>{id});
    wxTEST_DIALOG(Command(ID_DELETE_EVENT),
                  ExpectMessageBox("Would you like to delete event: \"Dentist\" ?", wxID_YES));
    EXPECT_EQ(Data().GetEventCount(), 0u);
    EXPECT_TRUE(view->GetEventIdList().GetIds().empty());

    // A recurring event: this occurrence, or the whole series.
    AddAtTen("2026-12-01", "Course");
    wxTEST_DIALOG(Command(ID_EVENT_PROPERTIES),
                  ExpectEventDialog(kEventCaption, [&](CCalendarEventEditorDlg& dialog) {
                      return MakeFortnightly(dialog);
                  }));
    calendar->Refresh();
    calendar->Update(); // events are found where they were drawn
    calendar->SelectAt(wxPoint(calendar->GetClientSize().x / 2, TimePoint(10 * 60).y), false);
    ASSERT_NE(calendar->GetSelection().GetFirstEvent(), nullptr);
    wxTEST_DIALOG(view->OnCalendarKey(WXK_DELETE), Answer("Confirm Delete", IDC_CHOOSE_OCCURRENCE));
    EXPECT_EQ(Starts("Course", "2026-11-29", "2027-01-03").size(), 5u);
    calendar->SelectDay(Day("2026-12-03"));
    calendar->GetSelection().SelectEvent(Shown("Course"));
    wxTEST_DIALOG(view->OnCalendarKey(WXK_DELETE), Answer("Confirm Delete", wxID_CANCEL));
    wxTEST_DIALOG(view->OnCalendarKey(WXK_DELETE), Answer("Confirm Delete", IDC_CHOOSE_SERIES));
    EXPECT_TRUE(Starts("Course", "2026-11-29", "2027-01-03").empty());
    EXPECT_EQ(Data().GetEventCount(), 0u);
}

TEST_F(EventEditing, TheRecurrenceDialogKeepsItsTimesInStepAndARefusedOkChangesNothing) {
    AddAtTen("2026-12-01", "Course");
    wxTEST_DIALOG(view->OnCalendarKey(WXK_RETURN),
                  ExpectEventDialog(kEventCaption, [&](CCalendarEventEditorDlg& dialog) {
                      return MakeFortnightly(dialog);
                  }));
    calendar->SelectDay(Day("2026-12-03"));
    ASSERT_TRUE(Data().DeleteEvent(Shown("Course"))); // an exception
    ASSERT_EQ(Data().GetEventCount(), 1u);
    const CCalendarEventPtr series = Data().GetAllEvents().front()->CloneEvent();
    auto* dialog = new CCalendarEventRecurrenceEditorDlg(series, top);
    dialog->SetNewPattern(false);
    dialog->SetAllDay(false);
    auto text = [&](int id) { return TextOf(dialog, id); };

    // The end follows the start, the duration the end: 22:00 to 01:00 lasts three hours.
    Type(dialog, IDC_RECURRENCE_START, "22:00");
    EXPECT_TRUE(tev::PumpEventsUntil([&] { return text(IDC_RECURRENCE_END) == "22:30"; }, 2000));
    Type(dialog, IDC_RECURRENCE_END, "01:00");
    EXPECT_TRUE(
        tev::PumpEventsUntil([&] { return text(IDC_RECURRENCE_DURATION) == "3 hours"; }, 2000));

    const CCalendarRecurrencePattern& before = *series->GetRecurrencePattern();
    tevtest::Tick(dialog, IDC_RECURRENCE_MONTHLY, true);
    Type(dialog, IDC_MONTHLY_DAY_NUMBER, "32");
    wxTEST_DIALOG(Press(dialog, wxID_OK),
                  ExpectMessageBox("Please enter a value between 1 and 31.", wxID_OK));
    Type(dialog, IDC_MONTHLY_DAY_NUMBER, "31");
    wxTEST_DIALOG(Press(dialog, wxID_OK),
                  ExpectMessageBox(CalendarString(IDS_EXCEPTIONS_LOST), wxID_CANCEL));
    // Neither refusal touched the pattern: same object, same record, times and exception.
    EXPECT_EQ(series->GetRecurrencePattern().get(), &before);
    EXPECT_EQ(before.GetRecurrenceOptions(),
              CCalendarRecurrenceOptions::Weekly(2, kCalendarTuesday | kCalendarThursday));
    EXPECT_EQ(before.GetStartTime(), 10 * 60);
    EXPECT_EQ(before.GetExceptions().size(), 1u);
    EXPECT_EQ(DialogResult(*dialog), 0);

    wxTEST_DIALOG(Press(dialog, wxID_OK),
                  ExpectMessageBox(CalendarString(IDS_EXCEPTIONS_LOST), wxID_OK));
    EXPECT_EQ(DialogResult(*dialog), wxID_OK);
    const CCalendarRecurrencePattern& after = *series->GetRecurrencePattern();
    EXPECT_EQ(after.GetRecurrenceOptions(), CCalendarRecurrenceOptions::Monthly(1, 31));
    EXPECT_EQ(after.GetStartTime() * 10000 + after.GetDurationMinutes(), 22 * 60 * 10000 + 180);
    EXPECT_TRUE(after.GetExceptions().empty());
    dialog->Destroy();

    // All day: the time lists are fixed to whole days. "Remove recurrence" ends with 103.
    dialog = new CCalendarEventRecurrenceEditorDlg(series, top);
    dialog->SetAllDay(true);
    EXPECT_EQ(text(IDC_RECURRENCE_DURATION), "1 day");
    EXPECT_FALSE(dialog->FindWindow(IDC_RECURRENCE_START)->IsEnabled());
    dialog->SetNewPattern(false);
    Press(dialog, IDC_REMOVE_RECURRENCE);
    EXPECT_EQ(DialogResult(*dialog), ID_RECURRENCE_REMOVED);
    EXPECT_FALSE(series->IsRecurring());
    dialog->Destroy();
}

TEST_F(EventEditing, ASeriesShowsAllDayAndRecurrenceOnOneRow) {
    AddAtTen("2026-12-01", "Stand-up");
    const CCalendarEventPtr master = Shown("Stand-up")->CloneEvent();
    master->MakeEventAsRecurrence()->SetRecurrenceOptions(CCalendarRecurrenceOptions::Daily(1));
    ASSERT_TRUE(view->GetDataProvider().ChangeEvent(master));
    // The series of the day's occurrence, as "Open the series" gives it.
    auto* dialog = new CCalendarEventEditorDlg(calendar, false, top, Shown("Stand-up"));
    bool prepared = false;
    wxTEST_DIALOG(prepared = dialog->PrepareToShow(),
                  Answer("Open Recurring item", IDC_CHOOSE_SERIES));
    ASSERT_TRUE(prepared);
    dialog->Show();
    tev::PumpEventsFor(100);
    wxWindow* allDay = dialog->FindWindow(IDC_EVENT_ALL_DAY);
    wxWindow* recurrence = dialog->FindWindow(IDC_EVENT_RECURRENCE);
    ASSERT_FALSE(dialog->FindWindow(IDC_EVENT_START_DATE)->IsShown());
    const wxRect box = allDay->GetRect();
    const wxRect button = recurrence->GetRect();
    // Side by side: their middles on one line, the button to the right of the box.
    EXPECT_LE(std::abs((box.y + box.height / 2) - (button.y + button.height / 2)), 2);
    EXPECT_GT(button.x, box.GetRight());
    dialog->Destroy();
}

TEST_F(EventEditing, PicturesOfBothDialogs) {
    AddAtTen("2026-12-01", "Team lunch");
    const CCalendarEventPtr event = Shown("Team lunch");
    event->SetLocation("Canteen, 2nd floor");
    event->SetBody("Booked for eight.\nAsk Sam about the vegetarian menu.");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    auto picture = [&](wxDialog* dialog, const std::string& name) {
        dialog->Show();
        tev::PumpEventsFor(300);
        const std::string path = tevtest::TestOutputDir("calendar") + name;
        ASSERT_TRUE(tev::SaveWindowImage(dialog, path));
        wxImage image(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(image.IsOk());
        EXPECT_GT(image.GetWidth(), 400);
        EXPECT_GT(image.GetHeight(), 200);
        dialog->Destroy();
    };
    auto* eventDialog = new CCalendarEventEditorDlg(calendar, false, top, event);
    ASSERT_TRUE(eventDialog->PrepareToShow());
    picture(eventDialog, "event-dialog.png");

    const CCalendarEventPtr series = event->CloneEvent();
    series->MakeEventAsRecurrence()->SetRecurrenceOptions(
        CCalendarRecurrenceOptions::Weekly(2, kCalendarTuesday | kCalendarThursday));
    series->GetRecurrencePattern()->SetEndAfterOccurrences(6);
    auto* recurrenceDialog = new CCalendarEventRecurrenceEditorDlg(series, top);
    recurrenceDialog->SetNewPattern(false);
    picture(recurrenceDialog, "recurrence-dialog.png");
}
