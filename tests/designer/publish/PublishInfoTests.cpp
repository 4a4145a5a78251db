#include "designer/publish/PublishInfo.h"
#include "platform/text/StringUtil.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace TEVComponentDesignerAfx;
using tevtest::CountOf;
using tevtest::TempDir;
using tevtest::Utf16FileBytes;
using tevtest::WriteFileBytes;

namespace {

std::vector<std::string> Lines(const std::string& code) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = code.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(code.substr(start, end - start));
    EXPECT_EQ(start, code.size()) << "the last line ends with CR LF too";
    return lines;
}

} // namespace

TEST(EmbedCode, IsEightLinesEndingInCrLfWithPlayerSizeMovieAndDataFile) {
    const std::string code = CPublishInfo::FormatHtmlCode(500, 400, "WebCalendar.js", "Spring");
    const std::vector<std::string> expected = {
        "<script type=\"text/javascript\" src=\"swfobject.js\"></script>",
        "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" "
        "codebase=\"https://download.macromedia.com/pub/shockwave/cabs/flash/"
        "swflash.cab#version=8,0,0,0\" WIDTH=\"500\" HEIGHT=\"400\" id=\"component\">",
        "<PARAM NAME=\"movie\" VALUE=\"WebCalendar.js\">",
        "<PARAM NAME=\"quality\" VALUE=high>",
        "<PARAM NAME=\"FlashVars\" VALUE=\"tev_xmlConnectorURL=Spring.xml\">",
        "<EMBED src=\"WebCalendar.js\" FlashVars=\"tev_xmlConnectorURL=Spring.xml\" "
        "quality=\"high\" WIDTH=\"500\" HEIGHT=\"400\" NAME=\"component\" "
        "TYPE=\"application/x-shockwave-flash\" "
        "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">",
        "</EMBED>",
        "</OBJECT>",
    };
    EXPECT_EQ(Lines(code), expected);
    EXPECT_EQ(CountOf(code, "\n"), 8u) << "no line feed without its carriage return";
    EXPECT_EQ(CountOf(code, "\r"), 8u);
}

TEST(EmbedCode, NamesAndSizesGoInUnchanged) {
    struct Case {
        int width;
        int height;
        const char* movie;
        const char* project;
    };
    const Case cases[] = {
        {640, 480, "WebCalendar.js", "My Calendar"},
        {200, 200, "Movie & Co.swf", "Tom & Jerry"},
        {1, -5, "a\"b.js", "Say \"Hi\""},
        {0, 2147483647, "Kal\xC3\xA9nder.js", "Fr\xC3\xBChling <2>"},
        {300, 200, "", ""},
    };
    for (const Case& c : cases) {
        const std::string code =
            CPublishInfo::FormatHtmlCode(c.width, c.height, c.movie, c.project);
        std::vector<std::string> lines = Lines(code);
        ASSERT_EQ(lines.size(), 8u) << c.project;
        lines.erase(lines.begin()); // the player's line names no project
        const std::string size = tev::Format("WIDTH=\"%d\" HEIGHT=\"%d\"", c.width, c.height);
        EXPECT_NE(lines[0].find(size), std::string::npos) << lines[0];
        EXPECT_NE(lines[4].find(size), std::string::npos) << lines[4];
        EXPECT_EQ(lines[1], std::string("<PARAM NAME=\"movie\" VALUE=\"") + c.movie + "\">");
        const std::string dataFile = std::string("tev_xmlConnectorURL=") + c.project + ".xml\"";
        EXPECT_EQ(lines[3], "<PARAM NAME=\"FlashVars\" VALUE=\"" + dataFile + ">");
        EXPECT_EQ(lines[4].rfind(std::string("<EMBED src=\"") + c.movie + "\" FlashVars=\"" +
                                     dataFile + " quality=\"high\"",
                                 0),
                  0u)
            << lines[4];
        EXPECT_EQ(CountOf(code, "&amp;") + CountOf(code, "&quot;") + CountOf(code, "%20"), 0u)
            << "nothing escaped: " << code;
    }
}

TEST(EmbedCode, FilesBesideThePageAreTheRequiredFilesButPagesSortedAsTheList) {
    struct Case {
        std::vector<std::string> required;
        const char* beside;
    };
    const Case cases[] = {
        {{"swfobject.js", "WebCalendar.js", "WebCalendar.css", "Spring.xml", "MyCalendar.html"},
         "Spring.xml, swfobject.js, WebCalendar.css, WebCalendar.js"},
        {{"Index.HTM", "a.js", "page.html.xml", "B.css"}, "a.js, B.css, page.html.xml"},
        {{"MyCalendar.html"}, ""},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPublishInfo::FilesBesideThePage(c.required), c.beside) << c.beside;
}

// A component folder with a movie, and documents that describe it in different ways.
struct FlashNode : testing::Test {
    TempDir dir;
    std::string component = dir / "component/componentInfo.xml";

    void SetUp() override {
        std::filesystem::create_directories(dir / "component/movies");
        std::filesystem::create_directories(dir / "project");
        ASSERT_TRUE(WriteFileBytes(dir / "component/WebCalendar.js", "movie"));
        ASSERT_TRUE(WriteFileBytes(dir / "component/movies/Other.swf", "other movie"));
        ASSERT_TRUE(WriteFileBytes(dir / "project/Beside.js", "not the component's"));
        ASSERT_TRUE(WriteFileBytes(
            component, "<Component><Flash path=\"WebCalendar.js\" width=\"500\" height=\"400\"/>"
                       "</Component>"));
    }
    // The state after a new project read the component's own description.
    CPublishInfo Described() {
        CPublishInfo info;
        EXPECT_TRUE(info.ReadFlashNode(component, component));
        return info;
    }
};

TEST_F(FlashNode, TheDescriptorGivesMovieAndSizeAndMissingSizesAre200) {
    const CPublishInfo info = Described();
    EXPECT_EQ(info.GetMovieFileName(), "WebCalendar.js");
    EXPECT_EQ(info.GetWidth(), 500);
    EXPECT_EQ(info.GetHeight(), 400);

    struct Case {
        const char* name;
        std::string bytes;
        const char* movie;
        int width;
        int height;
    };
    const Case cases[] = {
        {"no size", "<c><Flash path=\"movies/Other.swf\"/></c>", "Other.swf", 200, 200},
        {"width only", "<c><Flash path=\"WebCalendar.js\" width=\"640\"/></c>", "WebCalendar.js",
         640, 200},
        {"no number", "<c><Flash path=\"WebCalendar.js\" width=\"wide\" height=\" 300\"/></c>",
         "WebCalendar.js", 200, 300},
        {"movie missing keeps the last one", "<c><Flash path=\"Gone.swf\" height=\"90\"/></c>",
         "WebCalendar.js", 200, 90},
        {"movie beside the document is not the component's",
         "<c><Flash path=\"Beside.js\" width=\"1\" height=\"2\"/></c>", "WebCalendar.js", 1, 2},
        {"UTF-16 with byte-order mark",
         Utf16FileBytes("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n\r<flash><Flash "
                        "path=\"movies/Other.swf\" width=\"320\" height=\"240\"/></flash>"),
         "Other.swf", 320, 240},
    };
    for (const Case& c : cases) {
        CPublishInfo read = Described();
        const std::string path = dir / "project/case.xml";
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        EXPECT_TRUE(read.ReadFlashNode(path, component)) << c.name;
        EXPECT_EQ(read.GetMovieFileName(), c.movie) << c.name;
        EXPECT_EQ(read.GetWidth(), c.width) << c.name;
        EXPECT_EQ(read.GetHeight(), c.height) << c.name;
    }

    CPublishInfo first;
    ASSERT_TRUE(WriteFileBytes(dir / "project/gone.xml", "<c><Flash path=\"Gone.swf\"/></c>"));
    EXPECT_TRUE(first.ReadFlashNode(dir / "project/gone.xml", component));
    EXPECT_EQ(first.GetMovieFileName(), "") << "nothing found yet";
}

TEST_F(FlashNode, DocumentsWithoutAUsableFlashNodeChangeNothing) {
    struct Case {
        const char* name;
        const char* bytes; // null: no file
    };
    const Case cases[] = {
        {"missing file", nullptr},
        {"empty file", ""},
        {"not XML", "<c><Flash path=\"WebCalendar.js\" width=\"9\">"},
        {"no Flash node", "<c><Movie path=\"WebCalendar.js\" width=\"9\"/></c>"},
        {"Flash below another element",
         "<c><x><Flash path=\"WebCalendar.js\" width=\"9\"/></x></c>"},
        {"Flash without path", "<c><Flash width=\"9\" height=\"9\"/></c>"},
        {"lower-case flash", "<c><flash path=\"WebCalendar.js\" width=\"9\"/></c>"},
        {"a saved project",
         "<?xml version=\"1.0\"?>\n\r<flash>\n<tev/><UserDefined><Param name=\"Width\" "
         "value=\"9\"/></UserDefined>\n<Data/></flash>"},
    };
    for (const Case& c : cases) {
        CPublishInfo info = Described();
        info.SetProjectName("Spring");
        const std::string before = info.GetHtmlCode();
        const std::string path = dir / "project/case.xml";
        std::filesystem::remove(path);
        if (c.bytes) {
            ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        }
        EXPECT_FALSE(info.ReadFlashNode(path, component)) << c.name;
        EXPECT_EQ(info.GetHtmlCode(), before) << c.name;
    }
    CPublishInfo info = Described();
    EXPECT_FALSE(info.ReadFlashNode("", component));
    EXPECT_FALSE(info.ReadFlashNode(dir / "project", component)) << "a folder";
    EXPECT_EQ(info.GetWidth(), 500);
}

TEST(PublishProperties, OnlyWidthAndHeightSpelledSoSetTheSize) {
    struct Case {
        const char* name;
        CComVariant value;
        bool taken;
        int width;
        int height;
    };
    const Case cases[] = {
        {"Width", CComVariant(640), true, 640, 400},
        {"Height", CComVariant("480"), true, 500, 480},
        {"width", CComVariant(640), false, 500, 400},
        {"HEIGHT", CComVariant(640), false, 500, 400},
        {"Width ", CComVariant(640), false, 500, 400},
        {"Page Name", CComVariant("Width"), false, 500, 400},
        {"Width", CComVariant("a lot"), false, 500, 400},
        {"Height", CComVariant::Error(-2147352571), false, 500, 400},
    };
    for (const Case& c : cases) {
        CPublishInfo info;
        ASSERT_TRUE(info.ApplyProperty("Width", CComVariant(500)));
        ASSERT_TRUE(info.ApplyProperty("Height", CComVariant(400)));
        EXPECT_EQ(info.ApplyProperty(c.name, c.value), c.taken) << c.name;
        EXPECT_EQ(info.GetWidth(), c.width) << c.name;
        EXPECT_EQ(info.GetHeight(), c.height) << c.name;
    }
}
