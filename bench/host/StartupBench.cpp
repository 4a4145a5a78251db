// Prints how long the program takes from its start until its main window is mapped, against a
// bare wxWidgets frame holding one web view on about:blank (same machine, same run, rounds
// taken in turns, medians); how long it takes from its start with a project of 1000 events in
// the month it shows until the calendar has painted them, against the same with a project
// without events (the point measured: the first report of a finished paint of the calendar
// that showed the project's events, TEV_REPORT_CALENDAR_PAINTS, read from the program's
// standard error as it comes); and the program's resident memory once it has settled with an
// empty project and with a project of 10,000 events. Runs on a display of its own (see
// startup_bench); the machine's load is printed with the figures.
#include "bench/support/SampleCalendar.h"
#include "calendar/store/CalendarDataFormat.h"
#include "calendar/store/EventIdList.h"
#include "designer/core/DesignerProject.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using TEVComponentDesignerAfx::CDesignerProject;
namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 7;
constexpr double kStartTarget = 1.5;  // times the bare frame
constexpr double kOpenTarget = 1.3;   // times the project without events
constexpr double kMemoryTarget = 2.0; // times the empty program
constexpr int kMapTimeoutMs = 60000;
constexpr int kSettleTimeoutMs = 20000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A program started in a process group of its own, ended with that group. With `reportPaints`
// it reports the calendar's paints on its standard error, which is read through Errors().
class Started {
public:
    Started(const std::string& program, const std::vector<std::string>& arguments,
            const fs::path& home, bool reportPaints = false) {
        int errors[2] = {-1, -1};
        if (reportPaints && pipe(errors) != 0)
            errors[0] = errors[1] = -1;
        m_pid = fork();
        if (m_pid != 0) {
            if (errors[1] >= 0)
                close(errors[1]);
            m_errors = errors[0];
            return;
        }
        setpgid(0, 0);
        if (errors[1] >= 0) {
            dup2(errors[1], STDERR_FILENO);
            close(errors[0]);
            close(errors[1]);
            setenv("TEV_REPORT_CALENDAR_PAINTS", "1", 1);
        }
        setenv("TEV_REGISTRY_DIR", (home / "registry").c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", (home / "docs").c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ~Started() {
        if (m_errors >= 0)
            close(m_errors);
        if (m_pid <= 0)
            return;
        kill(-m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        // The web processes notice that their program is gone; let them go before the next.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    pid_t Pid() const { return m_pid; }
    int Errors() const { return m_errors; }

private:
    pid_t m_pid = -1;
    int m_errors = -1;
};

// Waits for the first top-level window mapped on the display; false after the timeout.
bool WaitForMappedWindow(Display* display, int timeoutMs) {
    const Clock::time_point start = Clock::now();
    const int fd = ConnectionNumber(display);
    while (MillisecondsSince(start) < timeoutMs) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        fd_set read;
        FD_ZERO(&read);
        FD_SET(fd, &read);
        timeval wait{0, 20000};
        select(fd + 1, &read, nullptr, nullptr, &wait);
    }
    return false;
}

// Milliseconds from the start of `program` until its main window is mapped; -1 if it never is.
double StartToMapped(Display* display, const std::string& program,
                     const std::vector<std::string>& arguments, const fs::path& home) {
    XSync(display, True);
    const Clock::time_point start = Clock::now();
    Started started(program, arguments, home);
    return WaitForMappedWindow(display, kMapTimeoutMs) ? MillisecondsSince(start) : -1;
}

// Reads the program's standard error until a paint report with at least `events` events shown
// arrives; false at the end of the output or after the timeout.
bool WaitForPaintReport(int errors, size_t events, int timeoutMs) {
    static const std::string kReport = "TEVCalendar: calendar painted, ";
    const Clock::time_point start = Clock::now();
    std::string pending;
    while (MillisecondsSince(start) < timeoutMs) {
        fd_set read;
        FD_ZERO(&read);
        FD_SET(errors, &read);
        timeval wait{0, 20000};
        if (select(errors + 1, &read, nullptr, nullptr, &wait) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::read(errors, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(got));
        for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            const size_t at = line.find(kReport);
            if (at != std::string::npos &&
                std::strtoul(line.c_str() + at + kReport.size(), nullptr, 10) >= events)
                return true;
        }
    }
    return false;
}

// Milliseconds from the start of the program with `project` until the calendar has finished
// a paint that showed at least `events` events; -1 if it never does.
double StartToDrawnEvents(Display* display, const std::string& project, size_t events,
                          const fs::path& home) {
    XSync(display, True);
    const Clock::time_point start = Clock::now();
    Started started(TEV_PROGRAM, {project}, home, true);
    if (started.Errors() < 0)
        return -1;
    return WaitForPaintReport(started.Errors(), events, kMapTimeoutMs) ? MillisecondsSince(start)
                                                                       : -1;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Resident kilobytes of one process (0 when it is gone).
long ResidentKb(pid_t pid) {
    const std::string status = ReadText("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? 0 : std::atol(status.c_str() + at + 6);
}

// The process and everything it started, with the processes' parents from /proc.
std::vector<pid_t> ProcessTree(pid_t root) {
    std::multimap<pid_t, pid_t> children;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = ReadText(entry.path() / "stat");
        const size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        children.emplace(parent, std::stoi(name));
    }
    std::vector<pid_t> tree{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        const auto range = children.equal_range(tree[i]);
        for (auto it = range.first; it != range.second; ++it)
            tree.push_back(it->second);
    }
    return tree;
}

// CPU ticks the process has used so far.
long CpuTicks(pid_t pid) {
    const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream rest(stat.substr(close + 2));
    std::string field;
    long user = 0, system = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            user = std::atol(field.c_str());
        if (i == 15)
            system = std::atol(field.c_str());
    }
    return user + system;
}

// Waits until the process has used (almost) no CPU for a second.
void WaitUntilSettled(pid_t pid) {
    const Clock::time_point start = Clock::now();
    long before = CpuTicks(pid);
    while (MillisecondsSince(start) < kSettleTimeoutMs) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long now = CpuTicks(pid);
        if (now - before <= 2)
            return;
        before = now;
    }
}

struct Memory {
    long programKb = 0; // the program's own process
    long treeKb = 0;    // with the web processes it started
};

Memory SettledMemory(Display* display, const std::vector<std::string>& arguments,
                     const fs::path& home) {
    XSync(display, True);
    Started started(TEV_PROGRAM, arguments, home);
    Memory memory;
    if (!WaitForMappedWindow(display, kMapTimeoutMs))
        return memory;
    WaitUntilSettled(started.Pid());
    memory.programKb = ResidentKb(started.Pid());
    for (pid_t pid : ProcessTree(started.Pid()))
        memory.treeKb += ResidentKb(pid);
    return memory;
}

// A project file named `name` holding the sample calendar of `events` events over `days` days
// from `first`; its path.
std::string WriteProject(const fs::path& folder, const std::string& name, int events,
                         const CCalendarDateTime& first, int days) {
    CCalendarData store;
    CEventIdList ids(store);
    FillSampleCalendar(store, events, first.AddMinutes(8 * 60), days);
    const std::string path = (folder / name).string();
    CDesignerProject::WriteProjectText(
        path, CDesignerProject::AssemblePropertiesXml("<UserDefined/>",
                                                      CCalendarDataFormat::Write(store, ids)));
    return path;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void PrintStartToMapped(Display* display, const fs::path& home) {
    std::vector<double> bare, program;
    for (int round = 0; round < kRounds; ++round) {
        bare.push_back(StartToMapped(display, TEV_BARE_PROGRAM, {}, home));
        program.push_back(StartToMapped(display, TEV_PROGRAM, {}, home));
    }
    const double ratio = Median(program) / Median(bare);
    std::printf("Start to mapped main window (median of %d, taken in turns)\n", kRounds);
    std::printf("  bare frame with one web view  %8.0f ms\n", Median(bare));
    std::printf("  TEVCalendar                   %8.0f ms   %.2fx (at most %.1fx: %s)\n",
                Median(program), ratio, kStartTarget,
                ratio <= kStartTarget ? "target met" : "TARGET MISSED");
}

void PrintOpenToDrawnEvents(Display* display, const fs::path& home) {
    // The calendar opens on today's month: the events fill its first four weeks.
    int year = 0, month = 0, day = 0;
    CCalendarDateTime::Now().GetDateParts(year, month, day);
    const CCalendarDateTime monthStart(year, month, 1);
    const std::string noEvents = WriteProject(home, "Empty.kcd", 0, monthStart, 28);
    const std::string monthOfEvents = WriteProject(home, "Month.kcd", 1000, monthStart, 28);
    std::vector<double> empty, full;
    for (int round = 0; round < kRounds; ++round) {
        empty.push_back(StartToDrawnEvents(display, noEvents, 0, home));
        full.push_back(StartToDrawnEvents(display, monthOfEvents, 1, home));
    }
    const double ratio = Median(full) / Median(empty);
    std::printf("Start with a project to the calendar's first paint of its events (median of %d, "
                "taken in turns)\n",
                kRounds);
    std::printf("  project without events        %8.0f ms\n", Median(empty));
    std::printf("  1000 events in this month     %8.0f ms   %.2fx (at most %.1fx: %s)\n",
                Median(full), ratio, kOpenTarget,
                ratio <= kOpenTarget ? "target met" : "TARGET MISSED");
}

void PrintMemory(Display* display, const fs::path& home) {
    const std::string project =
        WriteProject(home, "Big.kcd", 10000, CCalendarDateTime::Now().GetDate(), 366);
    const Memory empty = SettledMemory(display, {}, home);
    const Memory big = SettledMemory(display, {project}, home);
    const double memoryRatio = static_cast<double>(big.programKb) / std::max(1L, empty.programKb);
    std::printf("Resident memory once settled (the program; with its web processes)\n");
    std::printf("  empty project                 %8ld KiB   %8ld KiB\n", empty.programKb,
                empty.treeKb);
    std::printf("  10,000-event project          %8ld KiB   %8ld KiB   %.2fx (under %.1fx: %s)\n",
                big.programKb, big.treeKb, memoryRatio, kMemoryTarget,
                memoryRatio < kMemoryTarget ? "target met" : "TARGET MISSED");
}

} // namespace

// With an argument ("start", "open" or "memory") only that part is measured.
int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "No display: run build/bench/bin/startup_bench.\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const fs::path home = fs::temp_directory_path() / ("startup_bench_" + std::to_string(getpid()));
    fs::create_directories(home / "docs");
    const std::string only = argc > 1 ? argv[1] : "";

    std::printf("Load before: %s", ReadText("/proc/loadavg").c_str());
    if (only.empty() || only == "start")
        PrintStartToMapped(display, home);
    if (only.empty() || only == "open")
        PrintOpenToDrawnEvents(display, home);
    if (only.empty() || only == "memory")
        PrintMemory(display, home);
    std::printf("Load after: %s", ReadText("/proc/loadavg").c_str());
    XCloseDisplay(display);
    fs::remove_all(home);
    return 0;
}
