#include "host/CommandLine.h"
#include "host/TEVCalendarApp.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "tests/support/TestSupport.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using tevtest::ScopedEnv;
using tevtest::ScopedRegistry;
using tevtest::TempDir;

TEST(CommandLine, SwitchesAndTheFileToOpen) {
    struct Case {
        std::vector<std::string> args;
        CCommandLineInfo::ShellCommand command;
        std::string file;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"/Register"}, CCommandLineInfo::AppRegister, ""},
        {{"/Regserver"}, CCommandLineInfo::AppRegister, ""},
        {{"-register"}, CCommandLineInfo::AppRegister, ""},
        {{"/UNREGISTER"}, CCommandLineInfo::AppUnregister, ""},
        {{"-Unregserver"}, CCommandLineInfo::AppUnregister, ""},
        {{"/home/u/Cal1.kcd"}, CCommandLineInfo::FileOpen, "/home/u/Cal1.kcd"},
        {{"/Register.kcd"}, CCommandLineInfo::FileOpen, "/Register.kcd"},
        {{"Cal1"}, CCommandLineInfo::FileOpen, "Cal1"},
        {{"-x", "a.kcd", "b.kcd"}, CCommandLineInfo::FileOpen, "a.kcd"},
        {{"/dde", "a.kcd"}, CCommandLineInfo::FileOpen, "a.kcd"},
        {{"a.kcd", "/Unregister"}, CCommandLineInfo::AppUnregister, "a.kcd"},
        {{"", "-"}, CCommandLineInfo::FileNew, ""},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        CCommandLineInfo::Parse(c.args, info);
        std::string joined;
        for (const std::string& arg : c.args)
            joined += "[" + arg + "]";
        EXPECT_EQ(info.m_nShellCommand, c.command) << joined;
        EXPECT_EQ(info.m_strFileName, c.file) << joined;
    }
}

TEST(CommandLine, ProjectPathsBecomeFolderAndName) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Work");
    std::filesystem::create_directories(dir / "Links");
    tevtest::WriteFileBytes(dir / "Work/Cal1.kcd", "x");
    std::filesystem::create_symlink(dir / "Work/Cal1.kcd", dir / "Links/Shortcut to Cal1.kcd");
    const std::string cwd = std::filesystem::current_path().string() + "/";
    struct Case {
        std::string path;
        std::string folder;
        std::string name;
    };
    const Case cases[] = {
        {dir / "Work/Cal1.kcd", dir / "Work/", "Cal1"},
        {"\"" + dir / "Work/Cal1.kcd\"", dir / "Work/", "Cal1"},
        {"\"" + dir / "Work/My Cal.kcd\" trailing", dir / "Work/", "My Cal"},
        {dir / "Work/Cal1", dir / "Work/", "Cal1"},
        {dir / "Work/Cal.v2.kcd", dir / "Work/", "Cal.v2"},
        {dir / "Links/Shortcut to Cal1.kcd", dir / "Work/", "Cal1"},
        {"Relative.kcd", cwd, "Relative"},
    };
    for (const Case& c : cases) {
        const ProjectLocation location = ProjectLocationFromCommandLine(c.path);
        EXPECT_EQ(location.folder, c.folder) << c.path;
        EXPECT_EQ(location.name, c.name) << c.path;
    }
}

TEST(CommandLine, OverlongPathsAreCutWithoutBreakingCharacters) {
    // 2-byte characters across the cut: the result is still whole UTF-8.
    const std::string path = "/" + std::string(PATH_MAX, 'a') + "/\xC3\xA9\xC3\xA9.kcd";
    std::string odd = "/" + std::string(PATH_MAX - 3, 'b') + "\xC3\xA9\xC3\xA9\xC3\xA9";
    for (const std::string& p : {path, odd}) {
        const ProjectLocation location = ProjectLocationFromCommandLine(p);
        EXPECT_LE((location.folder + location.name).size(), static_cast<size_t>(PATH_MAX));
        EXPECT_NE(static_cast<unsigned char>((location.folder + location.name).back()), 0xC3);
    }
}

namespace {

// Runs the built program with `args` and no display; its exit code, or -1.
int RunProgramWithoutDisplay(const std::vector<std::string>& args) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("DISPLAY=", 0) != 0 &&
            std::string(*e).rfind("WAYLAND_DISPLAY=", 0) != 0)
            env.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = tevtest::ProgramDir() + "TEVCalendar";
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST(ProgramRegistration, SwitchesRegisterAndUnregisterWithoutADisplay) {
    ScopedRegistry registry;
    TempDir data;
    ScopedEnv xdg("XDG_DATA_HOME", data.path());
    auto& store = tev::RegistryStore::Instance();
    const std::string program =
        std::filesystem::canonical(tevtest::ProgramDir() + "TEVCalendar").string();

    ASSERT_EQ(RunProgramWithoutDisplay({"/Register"}), 0);
    EXPECT_EQ(store.GetString(tev::Hive::ClassesRoot, ".kcd", ""), "kcd.Document");
    EXPECT_EQ(store.GetString(tev::Hive::ClassesRoot, ".kcd\\DefaultIcon", ""), program + ",0");
    EXPECT_EQ(store.GetString(tev::Hive::ClassesRoot, ".kcd\\shell\\open\\command", ""),
              program + " \"%1\"");
    const std::string entry = tevtest::ReadFileBytes(data / "applications/quorvane-kcd.desktop");
    EXPECT_NE(entry.find("MimeType=application/x-quorvane-calendar;"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Icon=" + tev::FolderOf(program) + "TEVCalendar.png"), std::string::npos)
        << entry;
    EXPECT_TRUE(tev::FileExists(data / "mime/packages/quorvane-kcd.xml"));
    // The bundled calendar control is registered for this user as well.
    const std::string progId = "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1\\CLSID";
    EXPECT_TRUE(store.GetString(tev::Hive::UserClasses, progId, ""));

    ASSERT_EQ(RunProgramWithoutDisplay({"-Unregserver"}), 0);
    EXPECT_FALSE(store.KeyExists(tev::Hive::UserClasses, progId));
    EXPECT_FALSE(store.KeyExists(tev::Hive::ClassesRoot, ".kcd"));
    EXPECT_FALSE(tev::FileExists(data / "applications/quorvane-kcd.desktop"));
    EXPECT_FALSE(tev::FileExists(data / "mime/packages/quorvane-kcd.xml"));

    // Without a switch the program needs a display, and fails without one.
    EXPECT_NE(RunProgramWithoutDisplay({}), 0);
}

TEST(ProgramStart, TheDescriptorIsFoundBelowTheProgramFolder) {
    TempDir program;
    std::filesystem::create_directories(program / "component/Calendar/Templates");
    tevtest::WriteFileBytes(program / "component/Calendar/componentInfo.xml", "<Component/>");
    tev::OverrideProgramFolder(program.path());
    EXPECT_EQ(CTEVCalendarApp::FindComponentDescriptor(),
              program / "component/Calendar/componentInfo.xml");
    std::filesystem::remove(program / "component/Calendar/componentInfo.xml");
    EXPECT_EQ(CTEVCalendarApp::FindComponentDescriptor(), "");
    tev::OverrideProgramFolder("");
}
