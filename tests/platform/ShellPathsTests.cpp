#include "platform/shell/ShellPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(ShellPaths, CreateDirectoryTreeReportsLikeTheShell) {
    tevtest::TempDir dir;
    EXPECT_EQ(tev::CreateDirectoryTree(dir / "a/b/c"), tev::kErrorSuccess);
    EXPECT_TRUE(tev::FolderExists(dir / "a/b/c"));
    EXPECT_EQ(tev::CreateDirectoryTree(dir / "a/b"), tev::kErrorAlreadyExists);
    tevtest::WriteFileBytes(dir / "file", "x");
    EXPECT_EQ(tev::CreateDirectoryTree(dir / "file"), tev::kErrorFileExists);
    EXPECT_NE(tev::CreateDirectoryTree(dir / "file/sub"), tev::kErrorSuccess);
}

TEST(ShellPaths, SymbolicLinksStandForShortcuts) {
    tevtest::TempDir dir;
    tevtest::WriteFileBytes(dir / "Cal1.kcd", "x");
    ASSERT_EQ(symlink((dir / "Cal1.kcd").c_str(), (dir / "link").c_str()), 0);
    EXPECT_EQ(tev::ResolveShortcut(dir / "link"), tev::ResolveShortcut(dir / "Cal1.kcd"));
    EXPECT_EQ(tev::ResolveShortcut(dir / "Cal1.kcd"), dir / "Cal1.kcd");
}

TEST(ShellPaths, DocumentsFolderFollowsXdgUserDirs) {
    tevtest::TempDir dir;
    tevtest::ScopedEnv home("HOME", dir.path().substr(0, dir.path().size() - 1));
    tevtest::ScopedEnv config("XDG_CONFIG_HOME", dir / "cfg");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(tev::DocumentsFolder(), dir / "Documents");
    tev::CreateDirectoryTree(dir / "cfg");
    tevtest::WriteFileBytes(dir / "cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(tev::DocumentsFolder(), dir / "Dokumente");
}
