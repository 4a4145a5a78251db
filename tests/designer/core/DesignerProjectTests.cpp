#include "designer/core/DesignerProject.h"
#include "platform/text/TextConvert.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

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

TEST(ProjectFile, OpeningTakesOnlyProjectsAndKeepsTheirLineBreaksAside) {
    using Check = CDesignerProject::FileCheck;
    TempDir dir;
    std::mt19937 random(7);
    std::string noise(256 * 1024, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    const std::string saved = kDeclaration + "\n\r<flash>\n<U/>\n<Data>\n\t<E/></Data></flash>";
    struct Case {
        const char* what;
        std::string bytes;
        Check check;
        std::string text; // the joined text of a project
    };
    const Case cases[] = {
        {"a saved project", FileOf(saved), Check::Project,
         kDeclaration + "\r<flash><U/><Data>\t<E/></Data></flash>"},
        {"narrow text with CR LF", "<flash>\r\n<U/>\r\n</flash>", Check::Project,
         "<flash><U/></flash>"},
        {"narrow text with a UTF-8 mark", "\xEF\xBB\xBF<flash/>", Check::Project,
         "\xEF\xBB\xBF<flash/>"},
        {"blank lines first", "\n\n  \t<flash/>", Check::Project, "  \t<flash/>"},
        {"empty", "", Check::Empty, ""},
        {"only the mark", "\xFF\xFE", Check::Empty, ""},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), Check::NotText, ""},
        {"random bytes", noise, Check::NotText, ""},
        {"UTF-16 without its mark", std::string("<\0f\0/\0>\0", 8), Check::NotText, ""},
        {"a control character far in", "<flash>" + std::string(9000, 'x') + "\x01</flash>",
         Check::NotText, ""},
        {"plain words", "Dear diary,\nnothing happened.", Check::NotXml, ""},
        {"cut short", FileOf("<flash><U>"), Check::NotXml, ""},
        {"other XML", FileOf("<html><body/></html>"), Check::NotProject, ""},
        {"flash deeper down", "<project><flash/></project>", Check::NotProject, ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes(dir / "p.kcd", c.bytes));
        CDesignerProject::FileText file{"stale", "stale"};
        EXPECT_EQ(CDesignerProject::ReadProjectFile(dir / "p.kcd", file), c.check) << c.what;
        EXPECT_EQ(file.text, c.check == Check::Project ? c.text : "stale") << c.what;
    }
    CDesignerProject::FileText file;
    ASSERT_TRUE(WriteFileBytes(dir / "p.kcd", FileOf(saved)));
    ASSERT_EQ(CDesignerProject::ReadProjectFile(dir / "p.kcd", file), Check::Project);
    EXPECT_EQ(file.stored, saved) << "the stored text keeps every line break";
}

TEST(ProjectFile, WhatIsNoFileOrTooLargeIsRefusedWithoutReadingIt) {
    using Check = CDesignerProject::FileCheck;
    TempDir dir;
    CDesignerProject::FileText file;
    EXPECT_EQ(CDesignerProject::ReadProjectFile(dir / "missing.kcd", file), Check::Missing);
    std::filesystem::create_directory(dir / "folder.kcd");
    EXPECT_EQ(CDesignerProject::ReadProjectFile(dir / "folder.kcd", file), Check::Unreadable);
    // A pipe nobody writes to would keep a reader waiting.
    ASSERT_EQ(mkfifo((dir / "pipe.kcd").c_str(), 0600), 0);
    EXPECT_EQ(CDesignerProject::ReadProjectFile(dir / "pipe.kcd", file), Check::Unreadable);
    // Sparse: only the size is real, so nothing but the size can have refused it.
    for (const std::uintmax_t size :
         {CDesignerProject::kMaxProjectFileSize + 1, std::uintmax_t{1} << 40}) {
        ASSERT_TRUE(WriteFileBytes(dir / "big.kcd", "<flash/>"));
        std::filesystem::resize_file(dir / "big.kcd", size);
        EXPECT_EQ(CDesignerProject::ReadProjectFile(dir / "big.kcd", file), Check::TooLarge)
            << size;
    }
}

TEST(ProjectFile, TheStoredDataSectionIsTakenAsTheTextHasIt) {
    struct Case {
        const char* what;
        std::string xml;
        std::string data; // "" when none is found
    };
    const Case cases[] = {
        {"line breaks and tabs",
         kDeclaration + "\n\r<flash>\n<U/>\n<Data>\n\t<E/>\r\n</Data></flash>",
         "<Data>\n\t<E/>\r\n</Data>"},
        {"an empty element", "<flash><Data/></flash>", "<Data/>"},
        {"a blank before the slash", "<flash><Data  /><Data>x</Data></flash>", "<Data  />"},
        {"quotes holding > and />", "<flash><Data a=\"x>y\" b='/>'><E c=\"/>\"/></Data></flash>",
         "<Data a=\"x>y\" b='/>'><E c=\"/>\"/></Data>"},
        {"markup that names the end tag",
         "<flash><Data><!-- </Data> --><![CDATA[</Data>]]><?p </Data>?><E/></Data></flash>",
         "<Data><!-- </Data> --><![CDATA[</Data>]]><?p </Data>?><E/></Data>"},
        {"Data inside Data", "<flash><Data><Data/><Data>a</Data></Data><X/></flash>",
         "<Data><Data/><Data>a</Data></Data>"},
        {"references stay written as they were", "<flash><Data>&#x20AC;&amp;&#8364;</Data></flash>",
         "<Data>&#x20AC;&amp;&#8364;</Data>"},
        {"after a deeper Data", "<flash><Other><Data>no</Data></Other><Data>yes</Data></flash>",
         "<Data>yes</Data>"},
        {"a UTF-8 mark first", "\xEF\xBB\xBF<flash><Data>m</Data></flash>", "<Data>m</Data>"},
        {"only deeper down", "<flash><Other><Data/></Other></flash>", ""},
        {"none", "<flash><UserDefined/></flash>", ""},
        {"not XML", "<flash><Data>", ""},
    };
    for (const Case& c : cases) {
        std::string data = "stale";
        EXPECT_EQ(CDesignerProject::StoredDataSection(c.xml, data), !c.data.empty()) << c.what;
        EXPECT_EQ(data, c.data.empty() ? "stale" : c.data) << c.what;
    }
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
