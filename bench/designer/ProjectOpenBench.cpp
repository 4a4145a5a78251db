// Prints how long opening takes to refuse 50 MB of random bytes (the start of the file gives
// it away), 50 MB of plain text without markup, and 50 MB of text that starts like XML but is
// no project, and how long a 50 MB project with 200,000 events takes to read and check.
#include "designer/core/DesignerProject.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using TEVComponentDesignerAfx::CDesignerProject;

namespace {

constexpr std::size_t kSize = 50u << 20;
constexpr int kRuns = 5;

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

std::string RandomBytes() {
    std::mt19937_64 random(1);
    std::string bytes(kSize, '\0');
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        const auto value = random();
        for (int b = 0; b < 8; ++b)
            bytes[i + b] = static_cast<char>(value >> (8 * b));
    }
    return bytes;
}

std::string Project() {
    std::string text = "<flash>\n<UserDefined/>\n<Data>\n\t<Events>\n";
    for (int id = 1; text.size() < kSize; ++id)
        text += "\t\t<Event EventID=\"" + std::to_string(id) +
                "\" StartTime=\"12:07:2026 09:00\" EndTime=\"12:07:2026 09:30\" "
                "Subject=\"Team stand-up\" Location=\"Room Vega\" Body=\"\"/>\n";
    return text + "\t\t</Events></Data></flash>";
}

// The median of several runs, in milliseconds, and what the check said.
double Milliseconds(const std::string& path, CDesignerProject::FileCheck& check) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        CDesignerProject::FileText file;
        const auto start = std::chrono::steady_clock::now();
        check = CDesignerProject::ReadProjectFile(path, file);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "project_open_bench";
    std::filesystem::create_directories(folder);
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"50 MB of random bytes", RandomBytes()},
        {"50 MB of text without markup", std::string(kSize, 'x')},
        {"50 MB of XML that is no project", "<html>" + std::string(kSize, 'x') + "</html>"},
        {"a 50 MB project", Project()},
    };
    for (const auto& file : files) {
        const std::string path = (folder / "file.kcd").string();
        Write(path, file.bytes);
        CDesignerProject::FileCheck check{};
        const double ms = Milliseconds(path, check);
        static const char* const kChecks[] = {"project", "missing",  "unreadable", "too large",
                                              "empty",   "not text", "not XML",    "no project"};
        std::printf("%-34s %9.2f ms  %s\n", file.what, ms, kChecks[static_cast<int>(check)]);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
