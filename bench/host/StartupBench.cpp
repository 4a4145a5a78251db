// Prints how long the program takes from its start until its main window is mapped, against a
// bare wxWidgets frame holding one web view on about:blank (same machine, same run, rounds
// taken in turns, medians), and the program's resident memory once it has settled with an
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
constexpr double kMemoryTarget = 2.0; // times the empty program
constexpr int kMapTimeoutMs = 60000;
constexpr int kSettleTimeoutMs = 20000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A program started in a process group of its own, ended with that group.
class Started {
public:
    Started(const std::string& program, const std::vector<std::string>& arguments,
            const fs::path& home) {
        m_pid = fork();
        if (m_pid != 0)
            return;
        setpgid(0, 0);
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

private:
    pid_t m_pid = -1;
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

// A project file holding the sample calendar of `events` events; its path.
std::string WriteProject(const fs::path& folder, int events) {
    CCalendarData store;
    CEventIdList ids(store);
    FillSampleCalendar(store, events, CCalendarDateTime::Now().GetDate().AddMinutes(8 * 60), 366);
    const std::string path = (folder / "Big.kcd").string();
    CDesignerProject::WriteProjectText(
        path, CDesignerProject::AssemblePropertiesXml("<UserDefined/>",
                                                      CCalendarDataFormat::Write(store, ids)));
    return path;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "No display: run build/bench/bin/startup_bench.\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const fs::path home = fs::temp_directory_path() / ("startup_bench_" + std::to_string(getpid()));
    fs::create_directories(home / "docs");

    std::printf("Load before: %s", ReadText("/proc/loadavg").c_str());
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

    const std::string project = WriteProject(home, 10000);
    const Memory empty = SettledMemory(display, {}, home);
    const Memory big = SettledMemory(display, {project}, home);
    const double memoryRatio = static_cast<double>(big.programKb) / std::max(1L, empty.programKb);
    std::printf("Resident memory once settled (the program; with its web processes)\n");
    std::printf("  empty project                 %8ld KiB   %8ld KiB\n", empty.programKb,
                empty.treeKb);
    std::printf("  10,000-event project          %8ld KiB   %8ld KiB   %.2fx (under %.1fx: %s)\n",
                big.programKb, big.treeKb, memoryRatio, kMemoryTarget,
                memoryRatio < kMemoryTarget ? "target met" : "TARGET MISSED");
    std::printf("Load after: %s", ReadText("/proc/loadavg").c_str());
    XCloseDisplay(display);
    fs::remove_all(home);
    return 0;
}
