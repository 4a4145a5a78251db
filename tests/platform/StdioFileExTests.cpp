#include "platform/text/StdioFileEx.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using tevtest::ReadFileBytes;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

TEST(StdioFileEx, UnicodeWriteStartsWithByteOrderMarkAndWritesUtf16) {
    TempDir dir;
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "a.txt", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                             CStdioFileEx::modeWriteUnicode));
    EXPECT_TRUE(file.WriteString("A\n\r\xC3\xA9"));
    EXPECT_TRUE(file.WriteString("B"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(dir / "a.txt"),
              std::string("\xFF\xFE" "A\0\n\0\r\0\xE9\0B\0", 12));
}

TEST(StdioFileEx, Utf8CodePageWritesItsByteOrderMark) {
    TempDir dir;
    CStdioFileEx file;
    file.SetCodePage(CStdioFileEx::kUtf8CodePage);
    ASSERT_TRUE(file.Open(dir / "u.txt", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    file.WriteString("x");
    file.Close();
    EXPECT_EQ(ReadFileBytes(dir / "u.txt"), "\xEF\xBB\xBFx");
}

TEST(StdioFileEx, ReadsUnicodeLinesSkippingMarkAndOneCarriageReturn) {
    TempDir dir;
    // "a\r\n" "\rb\r\r\n" "c" in UTF-16LE with mark
    const std::string bytes("\xFF\xFE" "a\0\r\0\n\0\r\0b\0\r\0\r\0\n\0c\0", 20);
    WriteFileBytes(dir / "r.txt", bytes);
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "r.txt", CStdioFileEx::modeRead | CStdioFileEx::typeText));
    EXPECT_TRUE(file.IsFileUnicodeText());
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "\rb\r");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "c");
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFileEx, UnconvertibleUnitsReadAsHash) {
    TempDir dir;
    WriteFileBytes(dir / "s.txt", std::string("\xFF\xFEx\0\x00\xD8y\0", 8));
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "s.txt", CStdioFileEx::modeRead));
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "x#y");
}

TEST(StdioFileEx, NarrowFilesReadAsTheyAre) {
    TempDir dir;
    WriteFileBytes(dir / "n.txt", "first\r\nsecond");
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "n.txt", CStdioFileEx::modeRead));
    EXPECT_FALSE(file.IsFileUnicodeText());
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFileEx, EmptyAndMissingFiles) {
    TempDir dir;
    WriteFileBytes(dir / "empty.txt", "");
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "empty.txt", CStdioFileEx::modeRead));
    std::string line;
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_FALSE(file.Open(dir / "missing.txt", CStdioFileEx::modeRead));
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFileEx, AtomicReplaceKeepsTheOldFileUntilClose) {
    TempDir dir;
    const std::string path = dir / "p.kcd";
    WriteFileBytes(path, "old");
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                        CStdioFileEx::modeWriteUnicode |
                                        CStdioFileEx::modeAtomicReplace));
        file.WriteString("new");
        EXPECT_EQ(ReadFileBytes(path), "old");
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadFileBytes(path), std::string("\xFF\xFEn\0e\0w\0", 8));
}

TEST(StdioFileEx, AtomicReplaceInUnwritableFolderLosesNothing) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir / "p.kcd";
    WriteFileBytes(path, "precious");
    chmod(dir.path().c_str(), 0555);
    CStdioFileEx file;
    EXPECT_FALSE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                     CStdioFileEx::modeAtomicReplace));
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(path), "precious");
}

TEST(StdioFileEx, AtomicReplaceThatCannotTakeItsPlaceReportsFailureAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir / "busy";
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    WriteFileBytes(path + "/keep", "x"); // a non-empty folder cannot be replaced by a file
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                    CStdioFileEx::modeAtomicReplace));
    file.WriteString("data");
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadFileBytes(path + "/keep"), "x");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        entries += entry.path().filename() != "busy";
    EXPECT_EQ(entries, 0);
}
