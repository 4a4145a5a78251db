// What the calendar keeps from one paint to the next (measured texts, stamped marks, the
// events it read and their day lists) never shows stale content: after a change, the
// calendar paints exactly what a calendar that never painted before paints.
#include "calendar/store/CalendarData.h"
#include "tests/calendar/CalendarFrameTesting.h"

#include <wx/dcgraph.h>
#include <wx/dcmemory.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace tev::calendar;
using namespace tevtest;

namespace {

wxImage Painted(CTEVCalendarControl& control) {
    wxBitmap bitmap(control.GetClientSize());
    {
        wxMemoryDC memory(bitmap);
        wxGCDC dc(memory);
        control.Draw(dc);
    }
    return bitmap.ConvertToImage();
}

// The largest difference of one colour channel between two pictures of the same size.
int LargestDifference(const wxImage& a, const wxImage& b) {
    if (a.GetSize() != b.GetSize())
        return 256;
    const size_t bytes = static_cast<size_t>(a.GetWidth()) * a.GetHeight() * 3;
    int largest = 0;
    for (size_t i = 0; i < bytes; ++i)
        largest = std::max(largest, std::abs(a.GetData()[i] - b.GetData()[i]));
    return largest;
}

// A meeting with a reminder, first in its day's list.
bool AddMarkedEvent(CCalendarData& store, const std::string& subject, const std::string& start,
                    const std::string& end) {
    CCalendarEventPtr marked = store.CreateNewEvent();
    marked->SetSubject(subject);
    marked->SetStartTime(At(start));
    marked->SetEndTime(At(end));
    marked->SetMeeting(true);
    marked->SetReminder(true);
    return store.AddEvent(marked);
}

struct CalendarPaint : CalendarFrame {
    CCalendarData& Store() { return view->GetDataProvider(); }

    void SetUp() override {
        CalendarFrame::SetUp();
        LoadWeekOfMeetings();
        ASSERT_TRUE(
            AddMarkedEvent(Store(), "Marked & reminded", "2026-12-09T06:00", "2026-12-09T07:00"));
    }

    // A calendar that never painted, showing what `calendar` shows.
    wxImage PaintedAfresh() {
        auto* fresh = new CTEVCalendarControl;
        fresh->Create(top, wxID_ANY);
        fresh->SetFont(calendar->GetFont());
        fresh->SetSize(calendar->GetSize());
        fresh->SetToday(calendar->GetToday());
        fresh->GetModel() = calendar->GetModel();
        fresh->SetDataProvider(&Store());
        fresh->SelectDay(calendar->GetModel().GetSelectedDay());
        fresh->ScrollToMinute(calendar->GetTopRow() * calendar->GetScaleInterval());
        const wxImage image = Painted(*fresh);
        fresh->Destroy();
        return image;
    }

    CCalendarEventPtr Shown(const std::string& subject) const {
        for (const CCalendarEventPtr& event : calendar->GetVisibleEvents())
            if (event->GetSubject() == subject)
                return event;
        return nullptr;
    }
};

TEST_F(CalendarPaint, ChangesAfterAPaintShowOnTheNextPaintInTheMonthAndWeekViews) {
    const struct {
        const char* name;
        std::function<void(CalendarPaint&)> change;
    } changes[] = {
        {"subject edited",
         [](CalendarPaint& t) {
             const CCalendarEventPtr changed = t.Shown("Sprint planning")->CloneEvent();
             changed->SetSubject("Planning the sprint");
             t.calendar->RunChange([&] { t.Store().ChangeEvent(changed); });
         }},
        {"edit undone", [](CalendarPaint& t) { t.Command(ID_EDIT_UNDO); }},
        {"event added",
         [](CalendarPaint& t) {
             CCalendarEventPtr added = t.Store().CreateNewEvent();
             added->SetSubject("Added late");
             added->SetStartTime(At("2026-12-08T07:00"));
             added->SetEndTime(At("2026-12-08T07:30"));
             t.calendar->RunChange([&] { t.Store().AddEvent(added); });
         }},
        {"event deleted",
         [](CalendarPaint& t) {
             ASSERT_NE(t.Shown("Added late"), nullptr);
             t.calendar->RunChange([&] { t.Store().DeleteEvent(t.Shown("Added late")); });
         }},
        {"meeting mark taken off or put back",
         [](CalendarPaint& t) {
             const CCalendarEventPtr changed = t.Shown("Marked & reminded")->CloneEvent();
             changed->SetMeeting(!changed->IsMeeting());
             t.calendar->RunChange([&] { t.Store().ChangeEvent(changed); });
         }},
        {"larger font",
         [](CalendarPaint& t) { t.calendar->SetFont(t.calendar->GetFont().Larger().Larger()); }},
        {"narrower", [](CalendarPaint& t) { t.calendar->SetSize(wxSize(610, 470)); }},
    };
    const wxFont font = calendar->GetFont();
    for (int command : {ID_CALENDARVIEW_MONTH, ID_CALENDARVIEW_WEEK}) {
        Command(command);
        calendar->SetFont(font);
        calendar->SetSize(wxSize(1000, 900));
        wxImage before = Painted(*calendar);
        for (const auto& change : changes) {
            change.change(*this);
            const wxImage after = Painted(*calendar);
            EXPECT_GT(LargestDifference(before, after), 0) << change.name << ", view " << command;
            EXPECT_EQ(LargestDifference(after, PaintedAfresh()), 0)
                << change.name << ", view " << command;
            before = after;
        }
    }
}

TEST(CalendarPaintForPrint, DrawsTheMarksTheScreenStamps) {
    // A printed page draws every mark in place; on a bitmap of the same size the screen's
    // paint stamps them. Nothing else differs in these views when no day is picked or today.
    CCalendarData store;
    ASSERT_TRUE(AddMarkedEvent(store, "Marked", "2026-12-09T06:00", "2026-12-09T07:00"));
    ASSERT_TRUE(AddMarkedEvent(store, "Marked too", "2026-12-10T06:00", "2026-12-11T05:00"));
    auto* top = new wxFrame(nullptr, wxID_ANY, "calendar");
    auto* calendar = new CTEVCalendarControl;
    calendar->Create(top, wxID_ANY);
    calendar->SetSize(wxSize(800, 600));
    calendar->SetToday(Day("2030-01-01"));
    calendar->GetModel().SetSelectedDay(Day("2026-12-09"));
    calendar->SetDataProvider(&store);
    for (CalendarViewType type : {kCalendarMonthView, kCalendarWeekView}) {
        calendar->SwitchActiveView(type);
        const wxImage screen = Painted(*calendar);
        wxBitmap bitmap(calendar->GetClientSize());
        {
            wxMemoryDC memory(bitmap);
            wxGCDC dc(memory);
            calendar->PaintForPrint(dc, calendar->GetClientSize());
        }
        // Soft edges are rounded once more when a stamp is laid down.
        EXPECT_LE(LargestDifference(screen, bitmap.ConvertToImage()), 2) << type;
    }
    top->Destroy();
}

} // namespace
