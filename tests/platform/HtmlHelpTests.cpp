#include "platform/help/HtmlHelp.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/EventPump.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/filesys.h>
#include <wx/fs_zip.h>
#include <wx/html/helpdata.h>

namespace {
std::string BookPath() {
    return tevtest::ProgramDir() + "TEVCalendar.htb";
}
} // namespace

TEST(HtmlHelp, MissingBookMakesHelpDoNothingForGood) {
    tevtest::TempDir dir;
    const std::string path = dir / "TEVCalendar.htb";
    tev::HtmlHelp help(path);
    EXPECT_TRUE(help.IsAvailable());
    EXPECT_FALSE(help.DisplayContents());
    EXPECT_FALSE(help.IsAvailable());
    // The book turning up later changes nothing: help does not try again.
    ASSERT_TRUE(tev::CopyFileOver(BookPath(), path));
    EXPECT_FALSE(help.DisplayContents());
    EXPECT_FALSE(help.DisplayPage("html/welcome.htm"));
    EXPECT_EQ(help.GetHelpWindow(), nullptr);
}

TEST(HtmlHelp, DamagedBookMakesHelpDoNothing) {
    tevtest::TempDir dir;
    const std::string path = dir / "TEVCalendar.htb";
    ASSERT_TRUE(tevtest::WriteFileBytes(path, "PK\x03\x04 this is no zip archive"));
    tev::HtmlHelp help(path);
    EXPECT_FALSE(help.DisplayContents());
    EXPECT_FALSE(help.IsAvailable());
}

TEST(HelpBook, ContentsAndIndexLeadToPagesOfTheBook) {
    wxFileSystem::AddHandler(new wxZipFSHandler);
    wxHtmlHelpData data;
    ASSERT_TRUE(data.AddBook(wxString::FromUTF8(BookPath())));
    const wxHtmlHelpDataItems& contents = data.GetContentsArray();
    ASSERT_GE(contents.size(), 9u);
    // The book itself heads its contents.
    EXPECT_EQ(contents[0].name, "Quorvane Web Calendar Help");
    EXPECT_EQ(contents[1].name, "Welcome");
    std::vector<std::string> names;
    for (size_t i = 0; i < contents.size(); ++i)
        names.push_back(contents[i].name.utf8_string());
    for (const char* topic : {"Getting started", "Create Events", "Choose Style", "Publish",
                              "Saving and opening projects", "Publishing your calendar"})
        EXPECT_NE(std::find(names.begin(), names.end(), topic), names.end()) << topic;

    // Every entry with a page names a page the book holds.
    wxFileSystem fs;
    const wxString base = "file:" + wxString::FromUTF8(BookPath()) + "#zip:";
    for (size_t i = 0; i < contents.size(); ++i) {
        const wxHtmlHelpDataItem& item = contents[i];
        if (item.page.empty())
            continue;
        std::unique_ptr<wxFSFile> page(fs.OpenFile(base + item.page));
        EXPECT_TRUE(page) << item.page.utf8_string();
    }
    const wxHtmlHelpDataItems& index = data.GetIndexArray();
    EXPECT_GE(index.size(), 10u);
    for (size_t i = 0; i < index.size(); ++i) {
        const wxHtmlHelpDataItem& item = index[i];
        std::unique_ptr<wxFSFile> page(fs.OpenFile(base + item.page));
        EXPECT_TRUE(page) << item.name.utf8_string() << " -> " << item.page.utf8_string();
    }
}
