#include "designer/core/TEVComponentApp.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/ShellPaths.h"
#include "tests/support/TestSupport.h"

#include <dirent.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using tev::Hive;
using TEVComponentDesigner::CTEVComponentApp;
using tevtest::ReadFileBytes;
using tevtest::ScopedEnv;
using tevtest::ScopedRegistry;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace fs = std::filesystem;

namespace {

std::string Search(const std::string& folder) {
    return CTEVComponentApp::SearchFile(folder.c_str(), "componentInfo.xml");
}

// Names in the order the file system lists them.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

std::optional<std::string> ClassesRootValue(const std::string& key) {
    return tev::RegistryStore::Instance().GetString(Hive::ClassesRoot, key, "");
}

} // namespace

TEST(SearchFile, FindsTheExactNameBelowTheFolder) {
    TempDir dir;
    fs::create_directories(dir / "component/Calendar/Templates/Blue");
    WriteFileBytes(dir / "component/Calendar/ComponentInfo.xml", "wrong case");
    WriteFileBytes(dir / "component/Calendar/componentInfo.xml.bak", "longer name");
    EXPECT_EQ(Search(dir.path()), "") << "a name differing in letter case is not found";

    WriteFileBytes(dir / "component/Calendar/componentInfo.xml", "d");
    EXPECT_EQ(Search(dir.path()), dir / "component/Calendar/componentInfo.xml");
    std::string withoutSlash = dir.path();
    withoutSlash.pop_back();
    EXPECT_EQ(Search(withoutSlash), dir / "component/Calendar/componentInfo.xml");
    EXPECT_EQ(Search(dir / "component/Calendar/Templates"), "");
    EXPECT_EQ(Search(dir / "does-not-exist"), "");
    EXPECT_EQ(CTEVComponentApp::SearchFile(nullptr, "componentInfo.xml"), "");
    EXPECT_EQ(CTEVComponentApp::SearchFile(dir.path().c_str(), ""), "");
}

TEST(SearchFile, IsDepthFirstInTheOrderTheFileSystemListsEntries) {
    TempDir dir;
    // Several sub-folders, each with a copy, and a copy in the folder itself: the first
    // listed entry decides, whether it is the file or a folder that holds one.
    for (const std::string sub : {"alpha", "beta", "gamma", "delta"}) {
        fs::create_directories(dir / (sub + "/deeper"));
        WriteFileBytes(dir / (sub + "/deeper/componentInfo.xml"), sub);
    }
    WriteFileBytes(dir / "componentInfo.xml", "top");
    const std::string first = Listing(dir.path()).front();
    const std::string expected = first == "componentInfo.xml"
                                     ? dir / "componentInfo.xml"
                                     : dir / first + "/deeper/componentInfo.xml";
    EXPECT_EQ(Search(dir.path()), expected);
}

TEST(SearchFile, LinksToFoldersAreNotFollowed) {
    TempDir dir;
    fs::create_directories(dir / "a");
    fs::create_directory_symlink(dir.path(), dir / "a/loop");
    fs::create_directories(dir / "elsewhere");
    WriteFileBytes(dir / "elsewhere/componentInfo.xml", "x");
    fs::create_directory_symlink(dir / "elsewhere", dir / "a/link");
    EXPECT_EQ(Search(dir / "a"), "") << "no endless descent and no search through links";
}

TEST(ShellFileTypes, RegistrationWritesTheKeysAndTheDesktopFiles) {
    ScopedRegistry registry;
    TempDir data;
    ScopedEnv xdg("XDG_DATA_HOME", data.path());
    const std::string program = CTEVComponentApp::ProgramFilePath();
    ASSERT_FALSE(program.empty());

    tev::DesktopFileType type;
    type.mimeType = "application/x-quorvane-calendar";
    type.comment = "Quorvane Web Calendar project";
    type.appName = "Quorvane Web Calendar";
    CTEVComponentApp::RegisterShellFileTypes(".kcd", "kcd.Document", type);

    EXPECT_EQ(ClassesRootValue(".kcd"), "kcd.Document");
    EXPECT_EQ(ClassesRootValue(".kcd\\DefaultIcon"), program + ",0");
    EXPECT_EQ(ClassesRootValue(".kcd\\shell\\open\\command"), program + " \"%1\"");
    EXPECT_NE(
        ReadFileBytes(data / "mime/packages/quorvane-kcd.xml").find("<glob pattern=\"*.kcd\"/>"),
        std::string::npos);

    CTEVComponentApp::UnRegisterShellFileTypes(".kcd");
    EXPECT_FALSE(tev::RegistryStore::Instance().KeyExists(Hive::ClassesRoot, ".kcd"));
    EXPECT_FALSE(tev::FileExists(data / "mime/packages/quorvane-kcd.xml"));
}

TEST(ShellFileTypes, UnregistrationKeepsKeysThatHoldOtherThings) {
    ScopedRegistry registry;
    TempDir data;
    ScopedEnv xdg("XDG_DATA_HOME", data.path());
    CTEVComponentApp::RegisterShellFileTypes(".kcd", "kcd.Document");
    CTEVComponentApp::_AfxSetRegKey(".kcd\\ShellNew", "", "NullFile");
    CTEVComponentApp::_AfxSetRegKey(".kcd\\shell\\print\\command", "print it");

    CTEVComponentApp::UnRegisterShellFileTypes(".kcd");
    auto& store = tev::RegistryStore::Instance();
    EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, ".kcd\\DefaultIcon"));
    EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, ".kcd\\shell\\open"));
    EXPECT_TRUE(store.KeyExists(Hive::ClassesRoot, ".kcd\\shell\\print\\command"));
    EXPECT_EQ(ClassesRootValue(".kcd"), "kcd.Document");
    EXPECT_EQ(store.GetString(Hive::ClassesRoot, ".kcd\\ShellNew", "NullFile"), "");
}

TEST(ShellFileTypes, UnregisteringWhatIsNotRegisteredChangesNothing) {
    ScopedRegistry registry;
    TempDir data;
    ScopedEnv xdg("XDG_DATA_HOME", data.path());
    CTEVComponentApp::_AfxSetRegKey(".txt", "txtfile");
    CTEVComponentApp::_AfxSetRegKey(".kcd\\Other", "kept");
    const std::string hive = tev::RegistryStore::HiveFile(Hive::ClassesRoot);
    const std::string before = ReadFileBytes(hive);

    CTEVComponentApp::UnRegisterShellFileTypes(".kcd");
    CTEVComponentApp::UnRegisterShellFileTypes(".none");
    EXPECT_EQ(ReadFileBytes(hive), before);
    EXPECT_TRUE(fs::is_empty(data.path())) << "no desktop files appear";
}

TEST(ShellFileTypes, ProgramPathsWithBlanksAreQuoted) {
    EXPECT_EQ(CTEVComponentApp::ShellProgramPath("/opt/q/TEVCalendar"), "/opt/q/TEVCalendar");
    EXPECT_EQ(CTEVComponentApp::ShellProgramPath("/opt/Quorvane Web/TEVCalendar"),
              "\"/opt/Quorvane Web/TEVCalendar\"");
    EXPECT_EQ(CTEVComponentApp::DesktopFileStem(".KCD"), "quorvane-kcd");
    const tev::DesktopFileType type =
        CTEVComponentApp::DefaultDesktopFileType(".kcd", "kcd.Document");
    EXPECT_EQ(type.mimeType, "application/x-kcd-document");
    EXPECT_EQ(type.glob, "*.kcd");
}

TEST(RegistryKeys, DeletingAKeyTakesItsEmptiedParentsAlong) {
    ScopedRegistry registry;
    auto& store = tev::RegistryStore::Instance();
    EXPECT_TRUE(CTEVComponentApp::_AfxSetRegKey("A\\B\\C", "c"));
    EXPECT_TRUE(CTEVComponentApp::_AfxSetRegKey("A\\B", "named", "Value"));
    EXPECT_EQ(store.GetString(Hive::ClassesRoot, "A\\B", "Value"), "named");
    EXPECT_TRUE(CTEVComponentApp::_AfxSetRegKey("A\\D", "d"));
    EXPECT_FALSE(CTEVComponentApp::_AfxSetRegKey(nullptr, "x"));

    // B is removed with C although it held a value: only sub-keys keep a key alive.
    EXPECT_TRUE(CTEVComponentApp::_AfxDeleteRegKey("A\\B\\C"));
    EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, "A\\B"));
    EXPECT_TRUE(store.KeyExists(Hive::ClassesRoot, "A\\D"));
    EXPECT_TRUE(CTEVComponentApp::_AfxDeleteRegKey("A\\D"));
    EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, "A"));
    // A key with sub-keys stays, and so do its parents.
    CTEVComponentApp::_AfxSetRegKey("X\\Y\\Z", "z");
    EXPECT_TRUE(CTEVComponentApp::_AfxDeleteRegKey("X\\Y"));
    EXPECT_TRUE(store.KeyExists(Hive::ClassesRoot, "X\\Y\\Z"));
    EXPECT_TRUE(CTEVComponentApp::_AfxDeleteRegKey("Never\\There"));
}
