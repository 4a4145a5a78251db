// Prints how long the calendar control takes to paint its month view and its week view of
// the 10,000-event sample calendar into an off-screen bitmap (median of many rounds, CPU
// time of the painting thread), the first paint of months not painted before, and checks that
// scrolling and resizing paint from the items already read, without asking the store again. Runs on
// a display of its own (see calendar_paint_bench). With `--pictures FOLDER` it also saves the
// month, week and day views as PNG files there, to compare the look of two builds pixel by pixel.
#include "bench/support/SampleCalendar.h"
#include "calendar/TEVCalendarControl.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 21;
constexpr double kTargetMs = 8.0;
const wxSize kSize(1200, 800);

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The time of one paint of the control's view into `bitmap`.
double OnePaintMilliseconds(CTEVCalendarControl& control, wxBitmap& bitmap) {
    wxMemoryDC memory(bitmap);
    wxGCDC dc(memory);
    const double start = ThreadMilliseconds();
    control.Draw(dc);
    return ThreadMilliseconds() - start;
}

// The median time of painting the control's view into a bitmap of its size.
double PaintMilliseconds(CTEVCalendarControl& control) {
    wxBitmap bitmap(kSize);
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round)
        times.push_back(OnePaintMilliseconds(control, bitmap));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The first paint of the month view of each month from April to December, which has
// measured none of the month's texts before: the median and the slowest.
void PrintFirstMonthPaints(CTEVCalendarControl& control) {
    control.SetSize(kSize);
    control.SwitchActiveView(kCalendarMonthView);
    wxBitmap bitmap(kSize);
    std::vector<double> times;
    for (int month = 4; month <= 12; ++month) {
        control.SelectDay(CCalendarDateTime(2024, month, 15).GetDayNumber());
        times.push_back(OnePaintMilliseconds(control, bitmap));
    }
    std::sort(times.begin(), times.end());
    std::printf("  first paint of another month  %6.2f ms (slowest of %zu: %.2f ms)\n",
                times[times.size() / 2], times.size(), times.back());
}

// The events the control shows still are the objects it read (occurrences are made anew
// by every query, so a second query would give other objects).
bool SameItems(const std::vector<CCalendarEventPtr>& before,
               const std::vector<CCalendarEventPtr>& after) {
    return before == after;
}

// Saves each view as the bench paints it: FOLDER/month.png, week.png, day.png.
void SavePictures(CTEVCalendarControl& control, const std::string& folder) {
    wxImage::AddHandler(new wxPNGHandler);
    const struct {
        const char* file;
        CalendarViewType type;
    } views[] = {{"month.png", kCalendarMonthView},
                 {"week.png", kCalendarWeekView},
                 {"day.png", kCalendarDayView}};
    for (const auto& view : views) {
        control.SwitchActiveView(view.type);
        wxBitmap bitmap(kSize);
        {
            wxMemoryDC memory(bitmap);
            wxGCDC dc(memory);
            control.Draw(dc);
        }
        const std::string path = folder + "/" + view.file;
        if (!bitmap.SaveFile(path, wxBITMAP_TYPE_PNG))
            std::fprintf(stderr, "Could not write %s\n", path.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    // wx would refuse an option it does not know, so it sees the program's name only.
    const std::string pictures = argc > 2 && std::strcmp(argv[1], "--pictures") == 0 ? argv[2] : "";
    int wxArgc = 1;
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "No display: run build/bench/bin/calendar_paint_bench.\n");
        return 1;
    }
    {
        CCalendarData store;
        FillSampleCalendar(store, 10000, CCalendarDateTime(2024, 1, 1, 8, 0), 366);
        auto* frame = new wxFrame(nullptr, wxID_ANY, "paint", wxDefaultPosition, kSize);
        auto* control = new CTEVCalendarControl;
        control->Create(frame, wxID_ANY);
        control->SetSize(kSize);
        control->SetToday(CCalendarDateTime(2024, 3, 13).GetDayNumber());
        control->SetDataProvider(&store);
        control->SelectDay(CCalendarDateTime(2024, 3, 13).GetDayNumber());

        std::printf("Painting the 10,000-event calendar into a %dx%d bitmap (median of %d)\n",
                    kSize.x, kSize.y, kRounds);
        const struct {
            const char* name;
            CalendarViewType type;
        } views[] = {{"month view", kCalendarMonthView}, {"week view ", kCalendarWeekView}};
        for (const auto& view : views) {
            control->SwitchActiveView(view.type);
            const double ms = PaintMilliseconds(*control);
            std::printf("  %s  %6.2f ms   %zu events and occurrences (under %.0f ms: %s)\n",
                        view.name, ms, control->GetVisibleEvents().size(), kTargetMs,
                        ms < kTargetMs ? "target met" : "TARGET MISSED");
        }
        const std::vector<CCalendarEventPtr> read = control->GetVisibleEvents();
        control->SetSize(wxSize(900, 600));
        control->ScrollToMinute(14 * 60);
        PaintMilliseconds(*control);
        std::printf("  resizing and scrolling ask the store again: %s\n",
                    SameItems(read, control->GetVisibleEvents()) ? "no" : "YES");
        if (!pictures.empty()) {
            control->SetSize(kSize);
            SavePictures(*control, pictures);
        }
        PrintFirstMonthPaints(*control);
        frame->Destroy();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
