#include "designer/templates/GalleryPage.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/TextConvert.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace TEVComponentDesignerAfx;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

std::vector<std::string> NamesOf(const std::vector<CGalleryPage::Template>& templates) {
    std::vector<std::string> names;
    for (const auto& t : templates)
        names.push_back(t.name);
    return names;
}

CComponentMovie Movie(const std::string& path, int width, int height) {
    CComponentMovie movie;
    movie.path = path;
    movie.width = width;
    movie.height = height;
    return movie;
}

void MakeStyle(const TempDir& dir, const std::string& root, const std::string& name,
               bool withThumbnail) {
    tev::CreateDirectoryTree(dir / (root + "/" + name));
    WriteFileBytes(dir / (root + "/" + name + "/props.xml"), "<flash><UserDefined/></flash>");
    if (withThumbnail)
        WriteFileBytes(dir / (root + "/" + name + "/" + name + ".png"), "png");
}

} // namespace

TEST(GalleryPage, ThumbnailsAre125WideInTheMoviesProportions) {
    const struct {
        int width, height, expected;
    } cases[] = {
        {300, 200, 83},  {500, 400, 100}, {200, 200, 125},
        {100, 100, 125}, {1024, 10, 1},   {10, 1024, 10000}, // a very tall movie is capped
        {0, 400, 125},                                       // no width to scale by: square
        {-20, 400, 125}, {500, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGalleryPage::ThumbnailHeight(c.width, c.height), c.expected)
            << c.width << " x " << c.height;
}

TEST(GalleryPage, ComponentStylesComeFirstThenTheUsersEachByName) {
    TempDir dir;
    MakeStyle(dir, "component/Templates", "Tropical", true);
    MakeStyle(dir, "component/Templates", "classic", true);
    MakeStyle(dir, "component/Templates", "Blossom", true);
    MakeStyle(dir, "user", "Autumn", false);
    MakeStyle(dir, "user", "Zebra", false);
    WriteFileBytes(dir / "user/notes.txt", "a file, not a style");
    tev::CreateDirectoryTree(dir / "user/Empty"); // a folder without props.xml is listed

    const auto found = CGalleryPage::FindTemplates(
        {dir / "component/Templates", dir / "missing/", "", dir / "user/"});
    EXPECT_EQ(NamesOf(found), (std::vector<std::string>{"Blossom", "classic", "Tropical", "Autumn",
                                                        "Empty", "Zebra"}));
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].folder, dir / "component/Templates/Blossom");
    EXPECT_EQ(found[0].propsPath, dir / "component/Templates/Blossom/props.xml");
    EXPECT_EQ(found[0].thumbnailPath, dir / "component/Templates/Blossom/Blossom.png");
    EXPECT_TRUE(found[0].hasThumbnail);
    EXPECT_FALSE(found[3].hasThumbnail);
    EXPECT_EQ(found[4].propsPath, dir / "user/Empty/props.xml");
}

TEST(GalleryPage, AStyleWithAPictureIsAClickableImage) {
    CGalleryPage::Template blue{"Blue", "/t/Blue", "/t/Blue/props.xml", "/t/Blue/Blue.png", true};
    EXPECT_EQ(CGalleryPage::BuildList({blue}, Movie("/c/WebCalendar.js", 500, 400)),
              "<li><a href=\"#\" onclick=\"jsTemplateClick('/t/Blue/props.xml');return "
              "false;\"><img src=\"/t/Blue/Blue.png\" border=0></a></li><p>Blue</p>");
}

TEST(GalleryPage, AStyleWithoutAPicturePlaysTheMovieWithItsValues) {
    CGalleryPage::Template mine{"Mine", "/u/Mine", "/u/Mine/props.xml", "/u/Mine/Mine.png", false};
    CGalleryPage::Template other{"Other", "/u/Other", "/u/Other/props.xml", "", false};
    const std::string list =
        CGalleryPage::BuildList({mine, other}, Movie("/c/WebCalendar.js", 300, 200));
    const std::string first =
        "<li><a href=\"#\" class=\"live\" onclick=\"jsTemplateClick('/u/Mine/props.xml');return "
        "false;\"><OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" "
        "codebase=\"http://download.macromedia.com/pub/shockwave/cabs/flash/"
        "swflash.cab#version=8,0,0,0\" WIDTH=\"125\" HEIGHT=\"83\" id=\"preview0\">"
        "<PARAM NAME=movie VALUE=\"file:///c/WebCalendar.js\"><PARAM NAME=quality VALUE=high>"
        "<PARAM NAME=FlashVars VALUE=\"tev_xmlConnectorURL=/u/Mine/props.xml&tev_orientation="
        "horizontal&tev_labelText=Calendar&tev_template=/u/Mine/props.xml\"></OBJECT></a></li>"
        "<p>Mine</p>";
    EXPECT_EQ(list.substr(0, first.size()), first);
    EXPECT_NE(list.find("id=\"preview1\"", first.size()), std::string::npos);
    EXPECT_NE(list.find("<p>Other</p>", first.size()), std::string::npos);
}

TEST(GalleryPage, OddFolderNamesStayInsideTheirStringsAndAttributes) {
    const std::string name = "Tom's \"<b>\" & 50% #1 caf\xC3\xA9";
    const std::string folder = "/u/" + name;
    CGalleryPage::Template odd{name, folder, folder + "/props.xml", folder + "/" + name + ".png",
                               true};
    const std::string picture = CGalleryPage::BuildList({odd}, Movie("/c/m.js", 500, 400));
    EXPECT_EQ(picture,
              "<li><a href=\"#\" onclick=\"jsTemplateClick('/u/Tom\\u0027s \\u0022\\u003Cb\\u003E"
              "\\u0022 &amp; 50% #1 caf\\u00E9/props.xml');return false;\"><img src=\"/u/"
              "Tom&#39;s%20%22%3Cb%3E%22%20&amp;%2050%25%20%231%20caf\xC3\xA9/"
              "Tom&#39;s%20%22%3Cb%3E%22%20&amp;%2050%25%20%231%20caf\xC3\xA9.png\" border=0></a>"
              "</li><p>Tom&#39;s &quot;&lt;b&gt;&quot; &amp; 50% #1 caf\xC3\xA9</p>");
    odd.hasThumbnail = false;
    const std::string live = CGalleryPage::BuildList({odd}, Movie("/c/m.js", 500, 400));
    EXPECT_NE(live.find("tev_xmlConnectorURL=/u/Tom&#39;s &quot;&lt;b&gt;&quot; %26 50%25 #1 "
                        "caf\xC3\xA9/props.xml&tev_orientation"),
              std::string::npos)
        << live;
}

TEST(GalleryPage, AFolderNameThatIsNoUtf8LeavesThePageUtf8) {
    TempDir dir;
    MakeStyle(dir, "T", "Blue", true);
    MakeStyle(dir, "T", "Bad\xFF", false);
    const std::string page =
        CGalleryPage::BuildPage("<ul>{Gallery}</ul>", Movie("/c/m.js", 500, 400), {dir / "T"});
    EXPECT_TRUE(tev::IsValidUtf8(page));
    EXPECT_NE(page.find("<p>Bad\xEF\xBF\xBD</p>"), std::string::npos);
    EXPECT_NE(page.find("<p>Blue</p>"), std::string::npos);
}

TEST(GalleryPage, ThePageTemplateGetsTheMovieAndTheList) {
    TempDir dir;
    MakeStyle(dir, "T", "Blue", true);
    const std::string page =
        CGalleryPage::BuildPage("<p>{ComponentPath}</p><ul>{Gallery}</ul><i>{ComponentPath}</i>",
                                Movie("/c d/WebCalendar.js", 500, 400), {dir / "T"});
    EXPECT_EQ(page, "<p>file:///c%20d/WebCalendar.js</p><ul><li><a href=\"#\" "
                    "onclick=\"jsTemplateClick('" +
                        dir / "T/Blue/props.xml" + "');return false;\"><img src=\"" +
                        dir / "T/Blue/Blue.png" +
                        "\" border=0></a></li><p>Blue</p></ul><i>file:///c%20d/WebCalendar.js</i>");
}
