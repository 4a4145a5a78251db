#pragma once
// The calendar frame in a real window for the view and dialog tests: a week of December
// 2026 in sight, commands sent as the toolbar sends them, the options bar's controls,
// points of the day view's time rows and the cells of the week and month views.
#include "calendar/OptionsDialogBar.h"
#include "calendar/TEVCalendarControl.h"
#include "calendar/TEVCalendarFrame.h"
#include "calendar/TEVCalendarView.h"
#include "platform/widgets/EventPump.h"
#include "resources/calendar/CalendarStrings.h"
#include "tests/calendar/CalendarTestProject.h"
#include "tests/calendar/store/CalendarTestDates.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/toolbar.h>

#include <string>
#include <utility>
#include <vector>

namespace tevtest {

inline int64_t Day(const std::string& date) {
    return At(date).GetDayNumber();
}

struct CalendarFrame : testing::Test {
    wxFrame* top = nullptr;
    CTEVCalendarFrame* frame = nullptr;
    CTEVCalendarView* view = nullptr;
    CTEVCalendarControl* calendar = nullptr;

    void SetUp() override {
        top = new wxFrame(nullptr, wxID_ANY, "calendar", wxDefaultPosition, wxSize(1000, 700));
        frame = new CTEVCalendarFrame;
        ASSERT_TRUE(frame->Create(top, wxRect(0, 0, 980, 660)));
        top->Show();
        view = frame->GetActiveView();
        ASSERT_NE(view, nullptr);
        calendar = view->GetCalendarCtrl();
        calendar->SetToday(Day("2026-12-07"));
        calendar->SelectDay(Day("2026-12-07"));
        tev::PumpEventsFor(30);
    }
    void TearDown() override {
        top->Destroy();
        tev::PumpEventsFor(20);
    }
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame->GetToolBar());
        frame->GetToolBar()->ProcessWindowEvent(event);
    }
    // The toolbar state of a command after a timer tick's updates.
    std::pair<bool, bool> Tool(int id) {
        frame->UpdateCommands();
        wxToolBar* bar = frame->GetToolBar();
        return {bar->GetToolEnabled(id), bar->GetToolState(id)};
    }
    std::pair<bool, bool> Rule(int id) const {
        bool enabled = false;
        bool checked = false;
        EXPECT_TRUE(view->OnUpdateCommand(id, enabled, checked)) << id;
        return {enabled, checked};
    }
    void LoadWeekOfMeetings() {
        pugi::xml_document document;
        ASSERT_TRUE(tev::LoadXml(document, tevtest::WeekOfMeetingsData()));
        view->ReadData(document);
    }
    std::vector<std::string> VisibleSubjects() const {
        std::vector<std::string> subjects;
        for (const CCalendarEventPtr& event : calendar->GetVisibleEvents())
            subjects.push_back(event->GetSubject());
        return subjects;
    }
    // A point of the time row that starts at `minute`, at the left edge of the first
    // column, where no event is drawn.
    wxPoint TimePoint(int minute) const {
        const wxSize size = calendar->GetClientSize();
        for (int y = 0; y < size.y; y += 2) {
            const auto hit = calendar->HitTest(wxPoint(kFreeX, y));
            if (hit.kind == CTEVCalendarControl::HitTestInfo::kTimeCell && hit.minute == minute)
                return wxPoint(kFreeX, y + 5);
        }
        return wxPoint(-1, -1);
    }
    static constexpr int kFreeX = 59; // just right of the time captions

    // The middle of the first place where the event with that subject is drawn.
    wxPoint EventPoint(const std::string& subject) const {
        const wxSize size = calendar->GetClientSize();
        for (int y = 0; y < size.y; y += 3) {
            for (int x = kFreeX; x < size.x; x += 7) {
                const auto hit = calendar->HitTest(wxPoint(x, y));
                if (hit.kind == CTEVCalendarControl::HitTestInfo::kEvent &&
                    hit.event->GetSubject() == subject) {
                    int bottom = y;
                    while (calendar->HitTest(wxPoint(x, bottom + 1)).event == hit.event)
                        ++bottom;
                    return wxPoint(x + 10, (y + bottom) / 2);
                }
            }
        }
        return wxPoint(-1, -1);
    }

    // The cell of `day` in the week or month view, as the hit tests find it.
    wxRect DayBox(int64_t day) const {
        auto on = [&](int x, int y) {
            const auto hit = calendar->HitTest(wxPoint(x, y));
            return hit.day == day && (hit.kind == CTEVCalendarControl::HitTestInfo::kDayCell ||
                                      hit.kind == CTEVCalendarControl::HitTestInfo::kEvent);
        };
        const wxSize size = calendar->GetClientSize();
        for (int y = 0; y < size.y; y += 4) {
            for (int x = 0; x < size.x; x += 4) {
                if (!on(x, y))
                    continue;
                int left = x, right = x, top = y, bottom = y;
                while (on(left - 1, y))
                    --left;
                while (on(right + 1, y))
                    ++right;
                while (on(x, top - 1))
                    --top;
                while (on(x, bottom + 1))
                    ++bottom;
                return wxRect(wxPoint(left, top), wxPoint(right, bottom));
            }
        }
        return wxRect();
    }
    template <class T> T* Control(int id) const {
        return dynamic_cast<T*>(frame->GetOptionsBar()->FindWindow(id));
    }
    // The user picks an entry of a list of the options bar, or ticks one of its boxes.
    void Choose(int id, int index) { tevtest::Choose(frame->GetOptionsBar(), id, index); }
    void Tick(int id, bool on) { tevtest::Tick(frame->GetOptionsBar(), id, on); }
    std::string Selected(int id) const {
        return Control<wxChoice>(id)->GetStringSelection().utf8_string();
    }
};

} // namespace tevtest
