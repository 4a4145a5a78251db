// Working on the calendar with mouse and keyboard in real windows: dragging and stretching
// events, undo and redo, the clipboard, typing a subject in place, the keys that move the
// selection, printing to a PDF file and the print preview.
#include "calendar/CalendarPrintout.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/CalendarRecurrencePattern.h"
#include "platform/com/ModuleLoader.h"
#include "platform/help/HtmlHelp.h"
#include "platform/widgets/PrintToFile.h"
#include "platform/widgets/WindowImage.h"
#include "tests/calendar/CalendarFrameTesting.h"

#include <wx/clipbrd.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace tev::calendar;
using tevtest::At;
using tevtest::CalendarFrame;
using tevtest::Day;

namespace {

struct DirectEditing : CalendarFrame {
    void SetUp() override {
        CalendarFrame::SetUp();
        LoadWeekOfMeetings();
        Command(ID_CALENDARVIEW_WORKWEEK);
        tev::PumpEventsFor(30);
        calendar->Update();
    }
    // The middle of the time row that starts at `minute` on `day`.
    wxPoint CellPoint(int64_t day, int minute) const {
        const wxSize size = calendar->GetClientSize();
        for (int y = 0; y < size.y; y += 3) {
            for (int x = kFreeX; x < size.x; x += 5) {
                CCalendarDragCell cell;
                if (calendar->CellAt(wxPoint(x, y), cell) && cell.day == day &&
                    cell.minute == minute && !calendar->HitTest(wxPoint(x, y)).event)
                    return wxPoint(x, y + 4);
            }
        }
        return wxPoint(-1, -1);
    }
    void Mouse(wxEventType type, const wxPoint& point, bool leftDown) {
        wxMouseEvent event(type);
        event.SetPosition(point);
        event.m_leftDown = leftDown;
        event.SetEventObject(calendar);
        calendar->GetEventHandler()->ProcessEvent(event);
    }
    // A press at `from`, moves on the way, and the release at `to`.
    void Drag(const wxPoint& from, const wxPoint& to) {
        Mouse(wxEVT_LEFT_DOWN, from, true);
        Mouse(wxEVT_MOTION, (from + to) / 2, true);
        Mouse(wxEVT_MOTION, to, true);
        Mouse(wxEVT_LEFT_UP, to, false);
        calendar->Update();
    }
    // A picture of the calendar as it shows now, for people to look at.
    void Picture(const std::string& name) {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        calendar->Refresh();
        tev::PumpEventsFor(100);
        EXPECT_TRUE(tev::SaveWindowImage(frame, tevtest::TestOutputDir("calendar") + name));
    }
    void Key(int keyCode, int modifiers = wxMOD_NONE) {
        EXPECT_TRUE(view->OnCalendarKey(keyCode, modifiers)) << keyCode;
        calendar->Update();
    }
    // Where the event with that subject is, as "MM:DD:YYYY HH:MM-MM:DD:YYYY HH:MM".
    std::string Times(const std::string& subject) const {
        std::string found;
        for (const CCalendarEventPtr& event : view->GetDataProvider().GetAllEvents()) {
            if (event->GetSubject() != subject)
                continue;
            found += (found.empty() ? "" : " | ") +
                     CCalendarDataFormat::FormatDateTime(event->GetStartTime()) + "-" +
                     CCalendarDataFormat::FormatDateTime(event->GetEndTime());
        }
        return found;
    }
};

TEST_F(DirectEditing, DragStretchUndoRedoAndPasteOnFriday) {
    ASSERT_EQ(Times("Team stand-up"), "12:07:2026 09:00-12:07:2026 09:30");
    const uint32_t id = view->GetDataProvider().GetAllEvents().front()->GetEventId();

    // Monday 09:00 to Wednesday 14:00, grabbed in the middle.
    const wxPoint from = EventPoint("Team stand-up");
    const wxPoint to = CellPoint(Day("2026-12-09"), 14 * 60);
    ASSERT_NE(from, wxPoint(-1, -1));
    ASSERT_NE(to, wxPoint(-1, -1));
    Drag(from, to);
    EXPECT_EQ(Times("Team stand-up"), "12:09:2026 14:00-12:09:2026 14:30");
    EXPECT_EQ(view->GetDataProvider().GetEvent(id)->GetSubject(), "Team stand-up");

    // Stretched by 30 minutes at its bottom edge; the cursor told what would happen.
    const wxPoint middle = EventPoint("Team stand-up");
    int bottom = middle.y;
    while (calendar->HitTest(wxPoint(middle.x, bottom + 1)).event)
        ++bottom;
    const wxPoint edge(middle.x, bottom - 1);
    CalendarDragMode mode = kCalendarDragMove;
    ASSERT_TRUE(calendar->DragModeAt(edge, mode));
    EXPECT_EQ(mode, kCalendarDragResizeEnd);
    EXPECT_EQ(calendar->CursorAt(edge), wxCURSOR_SIZENS);
    EXPECT_EQ(calendar->CursorAt(middle), wxCURSOR_SIZING);
    Drag(edge, CellPoint(Day("2026-12-09"), 14 * 60 + 30));
    EXPECT_EQ(Times("Team stand-up"), "12:09:2026 14:00-12:09:2026 15:00");
    Picture("calendar-dragged-and-stretched.png");

    // Undo twice: back in place, the data as it was loaded; redo once: moved again.
    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(Times("Team stand-up"), "12:09:2026 14:00-12:09:2026 14:30");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Times("Team stand-up"), "12:07:2026 09:00-12:07:2026 09:30");
    EXPECT_EQ(view->WriteData(), tevtest::WeekOfMeetingsData());
    Key('Y', wxMOD_CONTROL);
    EXPECT_EQ(Times("Team stand-up"), "12:09:2026 14:00-12:09:2026 14:30");

    // Copied and pasted on Friday at 14:00: a second one, with its own identifier.
    ASSERT_TRUE(calendar->SelectAt(EventPoint("Team stand-up"), false));
    Key('C', wxMOD_CONTROL);
    Mouse(wxEVT_LEFT_DOWN, CellPoint(Day("2026-12-11"), 14 * 60), true);
    Mouse(wxEVT_LEFT_UP, CellPoint(Day("2026-12-11"), 14 * 60), false);
    Key('V', wxMOD_CONTROL);
    EXPECT_EQ(Times("Team stand-up"),
              "12:09:2026 14:00-12:09:2026 14:30 | 12:11:2026 14:00-12:11:2026 14:30");
    ASSERT_EQ(calendar->GetSelection().GetEvents().size(), 1u);
    EXPECT_NE(calendar->GetSelection().GetFirstEvent()->GetEventId(), id);
    Picture("calendar-pasted-on-friday.png");
    // The clipboard holds text for other programs too.
    wxTextDataObject text;
    {
        wxClipboardLocker locker;
        ASSERT_TRUE(wxTheClipboard->GetData(text));
    }
    EXPECT_EQ(text.GetText().utf8_string(), "Team stand-up\t2026-12-09\t14:00-14:30\n");
    // Cut takes it away again, as one step.
    Key('X', wxMOD_CONTROL);
    EXPECT_EQ(Times("Team stand-up"), "12:09:2026 14:00-12:09:2026 14:30");
    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(Times("Team stand-up"),
              "12:09:2026 14:00-12:09:2026 14:30 | 12:11:2026 14:00-12:11:2026 14:30");
}

TEST_F(DirectEditing, EventsMoveIntoTheAllDayRowAndAcrossTheMonth) {
    // Into the all-day row of Thursday.
    const wxPoint from = EventPoint("Vendor call");
    ASSERT_NE(from, wxPoint(-1, -1));
    CCalendarDragCell cell;
    wxPoint allDay(-1, -1);
    for (int y = 0; y < 120 && allDay.x < 0; y += 2) {
        for (int x = kFreeX; x < calendar->GetClientSize().x; x += 5) {
            if (calendar->CellAt(wxPoint(x, y), cell) && cell.IsWholeDay() &&
                cell.day == Day("2026-12-10") && !calendar->HitTest(wxPoint(x, y)).event) {
                allDay = wxPoint(x, y);
                break;
            }
        }
    }
    ASSERT_NE(allDay, wxPoint(-1, -1));
    Drag(from, allDay);
    EXPECT_EQ(Times("Vendor call"), "12:10:2026 00:00-12:11:2026 00:00");
    EXPECT_TRUE(view->GetDataProvider().GetEvent(6)->IsAllDayEvent());

    // In the month view a day cell takes it a week on, and an undo brings it back.
    Command(ID_CALENDARVIEW_MONTH);
    calendar->Update();
    const wxPoint demo = EventPoint("Customer demo");
    ASSERT_NE(demo, wxPoint(-1, -1));
    ASSERT_TRUE(calendar->DragEvent(demo, demo + wxPoint(0, calendar->GetClientSize().y / 5)));
    EXPECT_EQ(Times("Customer demo"), "12:18:2026 09:30-12:18:2026 10:30");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Times("Customer demo"), "12:11:2026 09:30-12:11:2026 10:30");
}

TEST_F(DirectEditing, MovingAnOccurrenceAsksNothingAndMakesItAnException) {
    Command(ID_CALENDARVIEW_MONTH);
    calendar->SelectDay(Day("2026-11-10"));
    calendar->Update();
    const size_t before = view->GetDataProvider().GetEventCount();
    // The weekly one-to-one of 10 November, a day later.
    std::vector<CCalendarEventPtr> shown = calendar->GetVisibleEvents();
    const auto found = std::find_if(shown.begin(), shown.end(), [](const CCalendarEventPtr& e) {
        return e->GetSubject() == "Weekly 1:1 with Sam" &&
               e->GetStartTime().GetDayNumber() == Day("2026-11-10");
    });
    ASSERT_NE(found, shown.end());
    ASSERT_TRUE((*found)->IsRecurring());
    CCalendarDragResult moved{At("2026-11-11T11:00"), At("2026-11-11T11:30"), false};
    calendar->ApplyDrag(*found, moved);
    EXPECT_EQ(view->GetDataProvider().GetEventCount(), before);
    const auto pattern = view->GetDataProvider().GetEvent(9)->GetRecurrencePattern();
    ASSERT_NE(pattern, nullptr);
    bool exception = false;
    for (const CCalendarEventPtr& e : pattern->GetExceptions())
        exception |= e->GetStartTime() == At("2026-11-11T11:00") &&
                     e->GetRExceptionStartTimeOrig() == At("2026-11-10T11:00");
    EXPECT_TRUE(exception);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(view->WriteData(), tevtest::WeekOfMeetingsData());
}

TEST_F(DirectEditing, TypingOnASpanOrAnEventEditsTheSubjectInPlace) {
    // Typing on a free span starts a new event there; Enter commits.
    calendar->SelectAt(CellPoint(Day("2026-12-08"), 16 * 60), false);
    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_uniChar = 'P';
    typed.m_keyCode = 'P';
    calendar->GetEventHandler()->ProcessEvent(typed);
    ASSERT_TRUE(calendar->IsInPlaceEditing());
    wxTextCtrl* editor = calendar->GetInPlaceEditor();
    EXPECT_EQ(editor->GetValue(), "P");
    editor->AppendText("lanning poker");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, editor->GetId());
    enter.SetEventObject(editor);
    editor->GetEventHandler()->ProcessEvent(enter);
    EXPECT_FALSE(calendar->IsInPlaceEditing());
    EXPECT_EQ(Times("Planning poker"), "12:08:2026 16:00-12:08:2026 16:30");
    ASSERT_NE(calendar->GetSelection().GetFirstEvent(), nullptr);
    EXPECT_EQ(calendar->GetSelection().GetFirstEvent()->GetSubject(), "Planning poker");
    Picture("calendar-typed-subject.png");

    // On the picked event the subject is edited; Escape leaves it as it was.
    ASSERT_TRUE(calendar->BeginInPlaceEdit("Poker"));
    wxKeyEvent escape(wxEVT_KEY_DOWN);
    escape.m_keyCode = WXK_ESCAPE;
    calendar->GetInPlaceEditor()->GetEventHandler()->ProcessEvent(escape);
    EXPECT_FALSE(calendar->IsInPlaceEditing());
    EXPECT_EQ(Times("Poker"), "");
    EXPECT_EQ(Times("Planning poker"), "12:08:2026 16:00-12:08:2026 16:30");

    // A click elsewhere commits.
    ASSERT_TRUE(calendar->BeginInPlaceEdit("Estimation"));
    Mouse(wxEVT_LEFT_DOWN, CellPoint(Day("2026-12-10"), 17 * 60), true);
    Mouse(wxEVT_LEFT_UP, CellPoint(Day("2026-12-10"), 17 * 60), false);
    EXPECT_FALSE(calendar->IsInPlaceEditing());
    EXPECT_EQ(Times("Estimation"), "12:08:2026 16:00-12:08:2026 16:30");

    // An empty subject makes no event; each edit is one step of the history.
    ASSERT_TRUE(calendar->BeginInPlaceEdit(""));
    calendar->EndInPlaceEdit(true);
    EXPECT_EQ(view->GetDataProvider().GetEventCount(), 14u);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Times("Planning poker"), "12:08:2026 16:00-12:08:2026 16:30");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(view->WriteData(), tevtest::WeekOfMeetingsData());
}

TEST_F(DirectEditing, KeysMoveTheSelectionAndTheShownRange) {
    calendar->SelectAt(CellPoint(Day("2026-12-07"), 9 * 60), false);
    Key(WXK_DOWN);
    Key(WXK_DOWN, wxMOD_SHIFT);
    Key(WXK_RIGHT);
    ASSERT_TRUE(calendar->GetSelection().HasSpan());
    EXPECT_EQ(calendar->GetSelection().GetSpan().begin, At("2026-12-08T10:00"));
    Key(WXK_PAGEDOWN);
    EXPECT_EQ(calendar->GetVisibleDays().front(), Day("2026-12-14"));
    EXPECT_EQ(calendar->GetSelection().GetSpan().begin, At("2026-12-15T10:00"));
    Key(WXK_HOME);
    EXPECT_EQ(calendar->GetVisibleDays().front(), Day("2026-12-07"));
    EXPECT_EQ(calendar->GetSelection().GetSpan().begin, At("2026-12-07T08:00"));
    // Ctrl+click adds events to the picked ones.
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(EventPoint("Team stand-up"));
    calendar->GetEventHandler()->ProcessEvent(click);
    click.SetPosition(EventPoint("Quarterly review"));
    click.SetControlDown(true);
    calendar->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(calendar->GetSelection().GetEvents().size(), 2u);
    // F1 opens the help book at the calendar's page.
    tev::OverrideProgramFolder(tevtest::ProgramDir());
    Key(WXK_F1);
    tev::OverrideProgramFolder("");
    ASSERT_NE(frame->GetHelp(), nullptr);
    EXPECT_NE(frame->GetHelp()->GetHelpWindow(), nullptr);
}

TEST_F(DirectEditing, TheWeekPrintsToAPdfWithItsSubjects) {
    Command(ID_CALENDARVIEW_WEEK);
    tevtest::TempDir folder;
    const std::string pdf = folder / "week.pdf";
    CCalendarPrintout printout(calendar);
    ASSERT_TRUE(tev::PrintToPdfFile(printout, pdf));
    const std::string command = "pdftotext '" + pdf + "' -";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[4096];
    while (size_t read = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, read);
    pclose(pipe);
    EXPECT_NE(text.find("Sunday, December 6, 2026 - Saturday, December 12, 2026"),
              std::string::npos)
        << text;
    for (const char* subject : {"Team stand-up", "Sprint planning", "Quarterly review",
                                "Company offsite", "Release retrospective"})
        EXPECT_NE(text.find(subject), std::string::npos) << subject << "\n" << text;
}

TEST_F(DirectEditing, ThePreviewClosesBeforeTheDataIsHandedOutOrTheFrameGoes) {
    Command(ID_CALENDARVIEW_WEEK);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(view->IsPrintPreviewOpen());
    EXPECT_FALSE(Tool(ID_FILE_PRINT).first);
    // A picture of the preview to look at: the week as a printed calendar.
    tev::PumpEventsFor(600);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    const std::string picture = tevtest::TestOutputDir("calendar") + "print-preview-week.png";
    EXPECT_TRUE(tev::SaveWindowImage(view->GetPrintPreview(), picture));
    Command(ID_PREVIEW_CLOSE);
    EXPECT_FALSE(view->IsPrintPreviewOpen());
    EXPECT_TRUE(Tool(ID_FILE_PRINT).first);
    // Open again and leave it open: destroying the frame closes it first.
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(view->IsPrintPreviewOpen());
}

} // namespace
