#pragma once
// Helpers shared by the tests.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevtest {

// A fresh folder below $TMPDIR, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder with a trailing '/'.
    const std::string& path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + std::string(name); }

private:
    std::string m_path;
};

// Sets an environment variable while alive.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_previous;
    bool m_hadPrevious = false;
};

// Points the user's registry store at a private, empty folder while alive. The machine's
// classes stay those the build ships beside the program (the calendar control is found, as
// for any user of an installed program), or are private and empty as well.
class ScopedRegistry {
public:
    enum class MachineClasses { Program, Private };
    explicit ScopedRegistry(MachineClasses machine = MachineClasses::Program);
    const std::string& folder() const { return m_dir.path(); }

private:
    TempDir m_dir;
    ScopedEnv m_user;
    std::optional<ScopedEnv> m_machine;
};

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, std::string_view bytes);
// The same, creating the folders above the file first.
bool WriteFileWithFolders(const std::string& path, std::string_view bytes);
// The text of a file the program wrote as UTF-16LE after a byte order mark, as UTF-8.
std::string Utf16FileText(const std::string& path);
// The bytes of such a file for UTF-8 `text`: the mark FF FE, then UTF-16LE.
std::string Utf16FileBytes(std::string_view text);
// The names in a folder, sorted; none when it cannot be read.
std::vector<std::string> SortedFileNames(const std::string& folder);
// How often `part` occurs in `text`, overlapping occurrences included.
std::size_t CountOf(std::string_view text, std::string_view part);
// The built program's folder (executable, modules, component folder), with trailing '/'.
std::string ProgramDir();
// The calendar component's descriptor in the built program's folder.
std::string BuiltComponentDescriptor();
// The source tree's root, with trailing '/'.
std::string SourceDir();
// The folder where tests of `area` (as "calendar") keep what they produce for people to
// look at, such as pictures of windows: build/tests/<area>/output/, made when missing.
std::string TestOutputDir(const std::string& area);

} // namespace tevtest
