#include "designer/publish/PublishFolder.h"
#include "platform/text/StdioFileEx.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TEVComponentDesignerAfx;
using tevtest::ReadFileBytes;
using tevtest::SortedFileNames;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace fs = std::filesystem;

namespace {

using Files = std::vector<std::string>;

const char* const kPropertiesXml =
    "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r<flash>\n<tev/>"
    "<UserDefined><Param name=\"Title\" value=\"Caf\xC3\xA9 \xE2\x82\xAC\"/></UserDefined>\n"
    "<Data/></flash>";
// An index page as the template has it: narrow bytes, CR LF, two no-break spaces (0xA0).
const char* const kIndexPage = "<html>\r\n<body>\xA0\xA0<div id=\"flashcontent\"></div>\r\n"
                               "</body>\r\n</html>\r\n";

// A component folder (movie, stylesheet) and the program's folder (swfobject.js), as the
// designer's asset list names them.
struct PublishFolderFixture : testing::Test {
    TempDir dir;
    std::string component = dir / "component/";
    std::string publish = dir / "Projects/Spring";
    CPublishFolder::Content content;

    void SetUp() override {
        fs::create_directories(component);
        fs::create_directories(dir / "program");
        fs::create_directories(dir / "Projects");
        ASSERT_TRUE(WriteFileBytes(component + "WebCalendar.js", "movie v1"));
        ASSERT_TRUE(WriteFileBytes(component + "WebCalendar.css", "css v1"));
        ASSERT_TRUE(WriteFileBytes(dir / "program/swfobject.js", "player v1"));
        content.name = "Spring";
        content.pageName = "MyCalendar.html";
        content.propertiesXml = kPropertiesXml;
        content.htmlCode = kIndexPage;
        content.moviePath = component + "WebCalendar.js";
        content.assets = {component + "WebCalendar.js", component + "WebCalendar.css",
                          dir / "program/swfobject.js"};
    }
    std::string Published(const std::string& name) { return ReadFileBytes(publish + "/" + name); }
    // The bytes the project file gets for the same text.
    std::string ProjectFileBytes() {
        CStdioFileEx file;
        const std::string path = dir / "Projects/Spring.kcd";
        EXPECT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                                        CStdioFileEx::modeWriteUnicode));
        file.WriteString(kPropertiesXml);
        file.Close();
        return ReadFileBytes(path);
    }
};

} // namespace

TEST_F(PublishFolderFixture, AnEmptyFolderGetsDataFilePageMovieAndAssets) {
    fs::create_directories(publish);
    const Files required = CPublishFolder::Write(publish, content);
    EXPECT_EQ(required, (Files{"WebCalendar.js", "WebCalendar.css", "swfobject.js", "Spring.xml",
                               "MyCalendar.html"}));
    EXPECT_EQ(SortedFileNames(publish), (Files{"MyCalendar.html", "Spring.xml", "WebCalendar.css",
                                               "WebCalendar.js", "swfobject.js"}));
    const std::string data = Published("Spring.xml");
    EXPECT_EQ(data.substr(0, 4), std::string("\xFF\xFE<\0", 4)) << "UTF-16LE with its mark";
    EXPECT_EQ(data, ProjectFileBytes()) << "byte for byte the project file";
    EXPECT_EQ(Published("MyCalendar.html"), kIndexPage) << "the page's bytes as they are";
    EXPECT_EQ(Published("WebCalendar.js"), "movie v1");
    EXPECT_EQ(Published("WebCalendar.css"), "css v1");
    EXPECT_EQ(Published("swfobject.js"), "player v1");
}

TEST_F(PublishFolderFixture, SavingAgainOverwritesEveryFileAndLeavesOthers) {
    fs::create_directories(publish);
    CPublishFolder::Write(publish, content);
    ASSERT_TRUE(WriteFileBytes(publish + "/MyCalendar.html", "<p>edited by hand</p>"));
    ASSERT_TRUE(WriteFileBytes(publish + "/Spring.xml", "edited"));
    ASSERT_TRUE(WriteFileBytes(publish + "/Old.html", "from an earlier page name"));
    ASSERT_TRUE(WriteFileBytes(component + "WebCalendar.css", "css v2"));
    content.htmlCode = "<html>second</html>";

    CPublishFolder::Write(publish, content);
    EXPECT_EQ(Published("MyCalendar.html"), "<html>second</html>");
    EXPECT_EQ(Published("Spring.xml"), ProjectFileBytes());
    EXPECT_EQ(Published("WebCalendar.css"), "css v2");
    EXPECT_EQ(Published("Old.html"), "from an earlier page name");
}

TEST_F(PublishFolderFixture, MissingMovieAndAssetsArePassedOverQuietly) {
    fs::remove(component + "WebCalendar.js");
    content.assets = {
        component + "WebCalendar.js",  component + "Missing.css", "",
        component + "WebCalendar.css", dir / "program",           dir / "program/swfobject.js"};
    const Files required = CPublishFolder::Write(publish, content);
    EXPECT_EQ(required,
              (Files{"WebCalendar.css", "swfobject.js", "Spring.xml", "MyCalendar.html"}));
    EXPECT_EQ(SortedFileNames(publish),
              (Files{"MyCalendar.html", "Spring.xml", "WebCalendar.css", "swfobject.js"}));
}

TEST_F(PublishFolderFixture, AFolderThatCannotBeWrittenLosesNothingElse) {
    // A file holds the publish folder's name, and another folder lies below a file.
    ASSERT_TRUE(WriteFileBytes(publish, "not a folder"));
    for (const std::string& folder : {publish, publish + "/below"}) {
        const Files required = CPublishFolder::Write(folder, content);
        EXPECT_EQ(required, (Files{"WebCalendar.js", "WebCalendar.css", "swfobject.js",
                                   "Spring.xml", "MyCalendar.html"}))
            << folder;
    }
    EXPECT_EQ(ReadFileBytes(publish), "not a folder");
    EXPECT_EQ(ReadFileBytes(component + "WebCalendar.js"), "movie v1");
    EXPECT_EQ(SortedFileNames(dir / "Projects"), (Files{"Spring"}));
}

TEST_F(PublishFolderFixture, AFolderThatWentMissingIsMadeAgain) {
    CPublishFolder::Write(publish, content);
    EXPECT_EQ(SortedFileNames(publish).size(), 5u);
}

TEST_F(PublishFolderFixture, PublishingIntoTheComponentFolderKeepsItsFiles) {
    // The movie and the stylesheet would be copied onto themselves.
    const Files required = CPublishFolder::Write(component, content);
    EXPECT_EQ(required.size(), 5u);
    EXPECT_EQ(ReadFileBytes(component + "WebCalendar.js"), "movie v1");
    EXPECT_EQ(ReadFileBytes(component + "WebCalendar.css"), "css v1");
    EXPECT_EQ(ReadFileBytes(component + "swfobject.js"), "player v1");
}

TEST_F(PublishFolderFixture, PageNamesThatLeaveTheFolderAreNotWritten) {
    ASSERT_TRUE(WriteFileBytes(dir / "Projects/Spring.kcd", "the project file"));
    fs::create_directories(publish + "/sub");
    const std::string pages[] = {"../Spring.kcd",          "", ".", "..", "sub/page.html",
                                 dir / "Projects/Abs.html"};
    for (const std::string& page : pages) {
        content.pageName = page;
        const Files required = CPublishFolder::Write(publish, content);
        EXPECT_EQ(required.back(), "Spring.xml") << "no page listed for \"" << page << "\"";
    }
    EXPECT_EQ(ReadFileBytes(dir / "Projects/Spring.kcd"), "the project file");
    EXPECT_EQ(SortedFileNames(dir / "Projects"), (Files{"Spring", "Spring.kcd"}));
    EXPECT_EQ(SortedFileNames(publish + "/sub"), Files{});
}

TEST_F(PublishFolderFixture, ThePageEndsAtAZeroByte) {
    content.htmlCode = std::string("<html>\0tail", 11);
    CPublishFolder::Write(publish, content);
    EXPECT_EQ(Published("MyCalendar.html"), "<html>");
}
