#include "designer/templates/PreviewPage.h"
#include "designer/templates/TemplateResources.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace TEVComponentDesignerAfx;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

std::string IndexPage(const std::string& moviePath, const std::string& project, int width,
                      int height) {
    return CPreviewPage::BuildIndexPage(TemplateResource(IDR_HTML_INDEX), moviePath, project, width,
                                        height);
}

// The script line that follows `start` in the page ("" when missing).
std::string LineWith(const std::string& page, const std::string& start) {
    const size_t at = page.find(start);
    if (at == std::string::npos)
        return {};
    return page.substr(at, page.find("\r\n", at) - at);
}

} // namespace

TEST(PreviewPage, ThePreviewCentresTheMovieAtItsSize) {
    const std::string page = CPreviewPage::BuildPreview(TemplateResource(IDR_HTML_PREVIEW),
                                                        "/c/WebCalendar.js", 300, 201);
    EXPECT_NE(page.find("<title>Preview</title>"), std::string::npos);
    EXPECT_NE(page.find("margin-top: -100px;"), std::string::npos) << "half of 201 is 100";
    EXPECT_NE(page.find("width: 300px; height: 201px;"), std::string::npos);
    EXPECT_NE(page.find("WIDTH=\"300\" HEIGHT=\"201\" id=\"preview\" VIEWASTEXT"),
              std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=movie VALUE=\"file:///c/WebCalendar.js\">"),
              std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=scale VALUE=exactFit>"), std::string::npos);
    EXPECT_NE(page.find("VALUE=\"tev_xmlConnectorURL=about:props.xml&tev_orientation=horizontal"
                        "&tev_labelText=Calendar\""),
              std::string::npos);
    for (const char* placeholder :
         {"{ComponentPath}", "{PreviewPath}", "{width}", "{height}", "{halfheight}"})
        EXPECT_EQ(page.find(placeholder), std::string::npos) << placeholder;
}

TEST(PreviewPage, AnOddMoviePathStaysOneUrlInItsAttribute) {
    const std::string page = CPreviewPage::BuildPreview(TemplateResource(IDR_HTML_PREVIEW),
                                                        "/my \"files\"/#1/movie.js", 500, 400);
    EXPECT_NE(page.find("VALUE=\"file:///my%20%22files%22/%231/movie.js\""), std::string::npos);
    EXPECT_EQ(CPreviewPage::BuildPreview("{ComponentPath}", "", 0, 0), "file:///");
}

TEST(PreviewPage, TheIndexTemplateIsIsoLatin1WithCrLfLineEnds) {
    const std::string_view page = TemplateResource(IDR_HTML_INDEX);
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(std::count(page.begin(), page.end(), '\xA0'), 2);
    for (size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\n') {
            ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "bare line feed at " << i;
        }
        if (page[i] == '\r') {
            ASSERT_TRUE(i + 1 < page.size() && page[i + 1] == '\n') << "bare return at " << i;
        }
    }
    const std::string_view start =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n<html lang=\"en\">\r\n";
    EXPECT_EQ(page.substr(0, start.size()), start);
    EXPECT_NE(page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                        "charset=ISO-8859-1\">\r\n<title>Index</title>\r\n"
                        "<script type=\"text/javascript\" src=\"swfobject.js\"></script>\r\n"),
              std::string_view::npos);
    EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
}

TEST(PreviewPage, TheIndexPageNamesTheMovieAndTheDataFileRelatively) {
    TempDir dir;
    WriteFileBytes(dir / "WebCalendar.js", "movie");
    const std::string page = IndexPage(dir / "WebCalendar.js", "Spring", 300, 401);
    const std::string script =
        "<script type=\"text/javascript\">\r\n"
        "  var so = new SWFObject(\"WebCalendar.js\", \"flash\", \"300\", \"401\", \"8\", "
        "\"#ffffff\");\r\n"
        "  so.addParam(\"allowScriptAccess\", \"always\");\r\n"
        "\xA0 so.addParam(\"scale\", \"exactFit\");\r\n"
        "  so.addParam(\"quality\", \"high\");\r\n"
        "  so.addParam(\"menu\", \"false\");\r\n"
        "  so.addVariable(\"tev_xmlConnectorURL\", \"Spring.xml\");\r\n"
        "\xA0 so.addVariable(\"tev_orientation\", \"horizontal\");\r\n"
        "  so.write(\"flashcontent\");\r\n"
        "</script>\r\n";
    EXPECT_NE(page.find(script), std::string::npos) << page;
    // The box takes the movie's size, narrower windows narrow it, and the page scrolls
    // rather than cutting off a movie taller than the window.
    EXPECT_NE(page.find("#flashcontent {\r\n  flex: 0 0 auto;\r\n  width: 100%;\r\n  max-width: "
                        "300px;\r\n  height: 401px;\r\n  text-align: left;\r\n}"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("overflow"), std::string::npos) << page;
    EXPECT_NE(page.find("min-height: 100%;"), std::string::npos) << "centred in the window";
    EXPECT_EQ(page.find('{', page.find("<body>")), std::string::npos) << "no placeholder left";
}

TEST(PreviewPage, AMissingMovieLeavesItsPlaceholder) {
    TempDir dir;
    for (const std::string& movie : {dir / "WebCalendar.js", std::string()}) {
        const std::string page = IndexPage(movie, "Spring", 500, 400);
        EXPECT_EQ(LineWith(page, "  var so"),
                  "  var so = new SWFObject(\"{ComponentPath}\", \"flash\", \"500\", \"400\", "
                  "\"8\", \"#ffffff\");")
            << "movie " << movie;
    }
}

TEST(PreviewPage, OddNamesReachTheBrowserIntactFromALatin1Page) {
    TempDir dir;
    WriteFileBytes(dir / "my movie#2.js", "movie");
    const struct {
        const char* project;
        const char* dataUrl; // as it stands in the script's string literal
    } cases[] = {
        {"Spring", "Spring.xml"},
        {"My Calendar", "My%2520Calendar.xml"},
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\\u00E9%2520\\u20AC.xml"},
        {"Say \"Hi\"", "Say%2520%2522Hi%2522.xml"},
        {"a\\b</script>", "a%255Cb%253C/script%253E.xml"},
        {"50% & more", "50%2525%2520%26%2520more.xml"},
        {"x?y#z", "x%253Fy%2523z.xml"},
        {"O'Brien+Co", "O\\u0027Brien%2BCo.xml"},
    };
    for (const auto& c : cases) {
        const std::string page = IndexPage(dir / "my movie#2.js", c.project, 500, 400);
        EXPECT_EQ(LineWith(page, "  so.addVariable(\"tev_xmlConnectorURL\""),
                  std::string("  so.addVariable(\"tev_xmlConnectorURL\", \"") + c.dataUrl + "\");")
            << c.project;
        EXPECT_NE(page.find("new SWFObject(\"my%20movie%232.js\""), std::string::npos);
        // Nothing outside ISO-8859-1's ASCII part but the template's own bytes.
        EXPECT_EQ(std::count_if(page.begin(), page.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }),
                  2)
            << c.project;
    }
}
