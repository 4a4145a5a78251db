#include "platform/shell/InstallFolders.h"
#include "platform/shell/ShellPaths.h"
#include "platform/shell/UserFolders.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using tevtest::ScopedEnv;
using tevtest::TempDir;

TEST(UserFolders, FollowTheXdgBaseDirectoriesOrTheirDefaults) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.path());
    struct Case {
        const char* dataHome;
        const char* stateHome;
        std::string data;
        std::string state;
    } cases[] = {
        {"", "", home / ".local/share/Quorvane/", home / ".local/state/Quorvane/"},
        {"/x/data", "/x/state", "/x/data/Quorvane/", "/x/state/Quorvane/"},
        // A relative folder is no XDG folder: the default holds.
        {"rel", "rel", home / ".local/share/Quorvane/", home / ".local/state/Quorvane/"},
    };
    for (const Case& c : cases) {
        ScopedEnv data("XDG_DATA_HOME", c.dataHome);
        ScopedEnv state("XDG_STATE_HOME", c.stateHome);
        EXPECT_EQ(tev::UserAppDataFolder(), c.data) << c.dataHome;
        EXPECT_EQ(tev::UserStateFolder(), c.state) << c.stateHome;
        EXPECT_EQ(tev::TrustedCertificatesFolder(), c.data + "certificates/");
    }
    ScopedEnv noHome("HOME", "");
    ScopedEnv noData("XDG_DATA_HOME", "");
    EXPECT_EQ(tev::UserAppDataFolder(), "");
    EXPECT_EQ(tev::TrustedCertificatesFolder(), "");
}

TEST(UserFolders, AreCreatedWithTheCertificatesPrivate) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.path());
    ScopedEnv data("XDG_DATA_HOME", "");
    ScopedEnv state("XDG_STATE_HOME", "");
    ASSERT_TRUE(tev::CreateUserFolders());
    EXPECT_TRUE(tev::FolderExists(home / ".local/state/Quorvane"));
    struct stat st {};
    ASSERT_EQ(stat((home / ".local/share/Quorvane/certificates").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(tev::CreateUserFolders()) << "a second start finds them there";

    tevtest::WriteFileWithFolders(home / "blocked", "x");
    ScopedEnv blocked("XDG_STATE_HOME", home / "blocked");
    EXPECT_FALSE(tev::CreateUserFolders());
}

TEST(UserFolders, MoveOverOnceTakesAnOlderFileOrFolderOnlyWhenTheNewPlaceIsFree) {
    TempDir dir;
    tevtest::WriteFileWithFolders(dir / "old/sites.dat", "older");
    EXPECT_TRUE(tev::MoveOverOnce(dir / "old/sites.dat", dir / "new/deep/sites.dat"));
    EXPECT_EQ(tevtest::ReadFileBytes(dir / "new/deep/sites.dat"), "older");
    EXPECT_FALSE(tev::FileExists(dir / "old/sites.dat"));

    // What the user has already is never replaced, and the older copy stays where it was.
    tevtest::WriteFileWithFolders(dir / "old/sites.dat", "stale");
    EXPECT_TRUE(tev::MoveOverOnce(dir / "old/sites.dat", dir / "new/deep/sites.dat"));
    EXPECT_EQ(tevtest::ReadFileBytes(dir / "new/deep/sites.dat"), "older");
    EXPECT_EQ(tevtest::ReadFileBytes(dir / "old/sites.dat"), "stale");

    tevtest::WriteFileWithFolders(dir / "old/Style/props.xml", "style");
    EXPECT_TRUE(tev::MoveOverOnce(dir / "old/Style", dir / "styles/Style"));
    EXPECT_EQ(tevtest::ReadFileBytes(dir / "styles/Style/props.xml"), "style");
    EXPECT_FALSE(tev::MoveOverOnce(dir / "old/missing", dir / "new/missing"));
    EXPECT_FALSE(tev::FileExists(dir / "new/missing"));
}

TEST(InstallFolders, AnInstalledTreeIsFoundRelativeToTheModulesAndABuildFolderKeepsAllTogether) {
    TempDir prefix;
    const std::string modules = prefix / "lib/x86_64-linux-gnu/quorvane-web-calendar/";
    tev::CreateDirectoryTree(modules);
    const std::string relative = "../../../share/quorvane-web-calendar";
    EXPECT_EQ(tev::InstalledOrModuleFolder(modules, relative), modules) << "a build folder";
    tev::CreateDirectoryTree(prefix / "share/quorvane-web-calendar");
    EXPECT_EQ(tev::InstalledOrModuleFolder(modules, relative),
              prefix / "share/quorvane-web-calendar/");
}
