#include "designer/core/DesignerProject.h"
#include "platform/text/TextConvert.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

using TEVComponentDesignerAfx::CDesignerProject;
using tevtest::ReadFileBytes;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

const std::string kDeclaration = R"(<?xml version="1.0" encoding="UTF-16" standalone="no"?>)";

std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string FileOf(const std::string& text) {
    return "\xFF\xFE" + Utf16Le(tev::Utf8ToUtf16(text));
}

} // namespace

TEST(ProjectXml, PartsAreJoinedInTheFixedLayout) {
    EXPECT_EQ(CDesignerProject::AssemblePropertiesXml("<UserDefined><a>1</a></UserDefined>",
                                                      "<Data><e/></Data>"),
              kDeclaration + "\n\r<flash>\n<UserDefined><a>1</a></UserDefined>\n<Data><e/></Data>"
                             "</flash>");
    EXPECT_EQ(CDesignerProject::AssemblePropertiesXml("", ""),
              kDeclaration + "\n\r<flash>\n\n</flash>");
    EXPECT_EQ(CDesignerProject::AssembleTemplateXml("<UserDefined/>"),
              kDeclaration + "\n\r<flash>\n<UserDefined/>\n</flash>");
}

TEST(ProjectXml, LocationsJoinFolderNameAndExtension) {
    EXPECT_EQ(CDesignerProject::ProjectFilePath("/w/", "Cal1", "kcd"), "/w/Cal1.kcd");
    EXPECT_EQ(CDesignerProject::ProjectFilePath("/w", "Cal1", "kcd"), "/w/Cal1.kcd");
    EXPECT_EQ(CDesignerProject::PublishFolderPath("/w/", "Cal1"), "/w/Cal1");
}

TEST(ProjectFile, IsUtf16WithMarkAndEndsRightAfterTheRoot) {
    TempDir dir;
    const std::string xml = CDesignerProject::AssemblePropertiesXml(
        "<UserDefined>caf\xC3\xA9</UserDefined>", "<Data/>");
    ASSERT_TRUE(CDesignerProject::WriteProjectText(dir / "Cal1.kcd", xml));
    const std::string bytes = ReadFileBytes(dir / "Cal1.kcd");
    EXPECT_EQ(bytes, FileOf(xml));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    // The second line starts with a carriage return; nothing follows "</flash>".
    const size_t lineFeed = bytes.find(std::string("\n\0", 2));
    ASSERT_NE(lineFeed, std::string::npos);
    EXPECT_EQ(bytes.substr(lineFeed + 2, 2), std::string("\r\0", 2));
    EXPECT_EQ(bytes.substr(bytes.size() - 16), Utf16Le(u"</flash>"));
}

TEST(ProjectFile, ReadingJoinsLinesWithoutSeparators) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"a saved project", FileOf(kDeclaration + "\n\r<flash>\n<U/>\n<Data/></flash>"),
         kDeclaration + "\r<flash><U/><Data/></flash>"},
        {"CR LF line ends", FileOf("<a>\r\n<b/>\r\n</a>"), "<a><b/></a>"},
        {"a line break inside a value is lost", FileOf("<a t=\"x\ny\">p\nq</a>"),
         "<a t=\"xy\">pq</a>"},
        {"narrow text without a mark", "<flash>\n<UserDefined/>\r\n</flash>",
         "<flash><UserDefined/></flash>"},
        {"empty file", "", ""},
        {"only the mark", "\xFF\xFE", ""},
        {"truncated in the middle of a unit", "\xFF\xFE" + Utf16Le(u"<flash>") + "<", "<flash>"},
        {"unpaired surrogates read as '#'",
         "\xFF\xFE" + Utf16Le(u"<a>x") + std::string("\x00\xD8", 2) + Utf16Le(u"y") +
             std::string("\x00\xDC", 2) + Utf16Le(u"</a>"),
         "<a>x#y#</a>"},
        {"characters beyond the basic plane", FileOf("<a>\xF0\x9F\x98\x80</a>"),
         "<a>\xF0\x9F\x98\x80</a>"},
        {"not XML at all", std::string("\x00\x01\x02garbage\xFF", 11),
         std::string("\x00\x01\x02garbage\xFF", 11)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes(dir / "p.kcd", c.bytes));
        std::string text = "stale";
        EXPECT_TRUE(CDesignerProject::ReadProjectText(dir / "p.kcd", text)) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }
    std::string text = "untouched";
    EXPECT_FALSE(CDesignerProject::ReadProjectText(dir / "missing.kcd", text));
    EXPECT_EQ(text, "untouched");
}

TEST(ProjectFile, AFailedSaveLeavesTheOldFileAsItWas) {
    TempDir dir;
    const std::string path = dir / "Cal1.kcd";
    const std::string oldBytes = FileOf("<flash>old</flash>");
    ASSERT_TRUE(WriteFileBytes(path, oldBytes));

    // The disk fills up part-way through the new file.
    const std::string big = "<flash>" + std::string(64 * 1024, 'x') + "</flash>";
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool saved = CDesignerProject::WriteProjectText(path, big);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(path), oldBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST(ProjectFile, SavingWhereNoFileCanBeWrittenFails) {
    TempDir dir;
    std::filesystem::create_directory(dir / "Cal1.kcd");
    WriteFileBytes(dir / "plain", "x");
    EXPECT_FALSE(CDesignerProject::WriteProjectText(dir / "Cal1.kcd", "<flash/>"))
        << "a folder is in the way";
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Cal1.kcd"));
    EXPECT_FALSE(CDesignerProject::WriteProjectText(dir / "missing/Cal1.kcd", "<flash/>"));
    EXPECT_FALSE(CDesignerProject::WriteProjectText(dir / "plain/Cal1.kcd", "<flash/>"));
    EXPECT_EQ(ReadFileBytes(dir / "plain"), "x");
}

TEST(ProjectSnapshot, DirtyMeansAnyDifferenceFromTheSavedText) {
    CDesignerProject project;
    const std::string saved = CDesignerProject::AssemblePropertiesXml("<U a=\"1\"/>", "<Data/>");
    project.SetSavedXml(saved);
    EXPECT_FALSE(project.IsDirty(saved));
    for (const std::string& changed :
         {CDesignerProject::AssemblePropertiesXml("<U a=\"2\"/>", "<Data/>"),
          CDesignerProject::AssemblePropertiesXml("<U a=\"1\"/>", "<data/>"),
          CDesignerProject::AssemblePropertiesXml("<U a=\"1\" />", "<Data/>"), saved + " ",
          std::string()})
        EXPECT_TRUE(project.IsDirty(changed)) << changed;
    // Setting a value back makes the project clean again.
    EXPECT_FALSE(
        project.IsDirty(CDesignerProject::AssemblePropertiesXml("<U a=\"1\"/>", "<Data/>")));
}

TEST(ProjectSnapshot, ControlDataCountsAsChangedOnlyWhenItDiffers) {
    CDesignerProject project;
    project.Clear();
    // After New the stored copy is empty: an empty control reports no change ...
    EXPECT_FALSE(project.TakeDataXml(""));
    // ... the first real data does, and the same data again does not.
    EXPECT_TRUE(project.TakeDataXml("<Data/>"));
    EXPECT_FALSE(project.TakeDataXml("<Data/>"));
    EXPECT_TRUE(project.TakeDataXml("<Data><E/></Data>"));
    EXPECT_EQ(project.GetLastDataXml(), "<Data><E/></Data>");
    EXPECT_FALSE(project.TakeExtendedXml(""));
    EXPECT_TRUE(project.TakeExtendedXml("<Param/>"));
    EXPECT_FALSE(project.TakeExtendedXml("<Param/>"));

    project.SetSavedXml("x");
    project.Clear();
    EXPECT_EQ(project.GetSavedXml(), "");
    EXPECT_EQ(project.GetLastDataXml(), "");
    EXPECT_TRUE(project.TakeDataXml("<Data/>"));
}

TEST(ProjectRequiredFiles, DataFilePageThenTheAssetsThatExist) {
    TempDir dir;
    WriteFileBytes(dir / "calendar.swf", "m");
    WriteFileBytes(dir / "swfobject.js", "s");
    const std::vector<std::string> files = CDesignerProject::RequiredFiles(
        "Cal1", "MyCalendar.html",
        {dir / "calendar.swf", dir / "gone.png", dir / "swfobject.js", dir.path()});
    EXPECT_EQ(files, (std::vector<std::string>{"Cal1.xml", "MyCalendar.html", "calendar.swf",
                                               "swfobject.js"}));
}
