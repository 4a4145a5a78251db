#include "designer/templates/AboutSchemeHandler.h"
#include "designer/templates/PageText.h"

#include <gtest/gtest.h>

using namespace TEVComponentDesignerAfx;

namespace {

struct Case {
    const char* input;
    const char* expected;
};

} // namespace

TEST(PageText, HtmlEscapingCoversTheCharactersThatEndTextOrAttributes) {
    const Case cases[] = {
        {"Classic", "Classic"},         {"Tom & Jerry", "Tom &amp; Jerry"},
        {"<script>", "&lt;script&gt;"}, {"say \"hi\"", "say &quot;hi&quot;"},
        {"O'Brien", "O&#39;Brien"},     {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlEscaped(c.input), c.expected) << c.input;
}

TEST(PageText, ScriptStringsKeepPlainAsciiAndEscapeEverythingElse) {
    const Case cases[] = {
        {"Spring.xml", "Spring.xml"},
        {"a\"b", "a\\u0022b"},
        {"a'b", "a\\u0027b"},
        {"back\\slash", "back\\u005Cslash"},
        {"</script>", "\\u003C/script\\u003E"},
        {"caf\xC3\xA9", "caf\\u00E9"},
        {"\xE2\x82\xAC", "\\u20AC"},
        {"\xF0\x9F\x98\x80", "\\uD83D\\uDE00"}, // outside the BMP: a surrogate pair
        {"line\nbreak\t", "line\\u000Abreak\\u0009"},
        {"\xE2\x80\xA8", "\\u2028"}, // a line separator would end the literal in older engines
        {"bad\xFF", "bad\\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScriptStringEscaped(c.input), c.expected) << c.input;
}

TEST(PageText, UrlPathsEscapeWhatAUrlWouldMisread) {
    const Case cases[] = {
        {"/work/component/WebCalendar.js", "/work/component/WebCalendar.js"},
        {"My Calendar.xml", "My%20Calendar.xml"},
        {"50%.xml", "50%25.xml"},
        {"a#b?c.xml", "a%23b%3Fc.xml"},
        {"x\"<>\\^`{|}[].js", "x%22%3C%3E%5C%5E%60%7B%7C%7D%5B%5D.js"},
        {"Tom&Jerry+1=2.xml", "Tom&Jerry+1=2.xml"},
        {"caf\xC3\xA9.xml", "caf\xC3\xA9.xml"},
        {"tab\there", "tab%09here"},
        {"bad\xFF\xC3.png", "bad%FF%C3.png"}, // bytes that are no UTF-8 still name the file
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlPathEncoded(c.input), c.expected) << c.input;
}

TEST(PageText, FlashVariablesSurviveThePlayersSplitAndDecode) {
    const Case cases[] = {
        {"/styles/Blue/props.xml", "/styles/Blue/props.xml"},
        {"Tom&Jerry", "Tom%26Jerry"},
        {"50%", "50%25"},
        {"a+b", "a%2Bb"},
        {"x=y", "x=y"},
        {"\xE2\x82\xAC\xE2\x82", "\xE2\x82\xAC%E2%82"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FlashVarEncoded(c.input), c.expected) << c.input;
}

TEST(PageText, FileUrlsOfAbsolutePathsHaveThreeSlashes) {
    EXPECT_EQ(FileUrlOf("/work/c/WebCalendar.js"), "file:///work/c/WebCalendar.js");
    EXPECT_EQ(FileUrlOf(""), "file:///");
    EXPECT_EQ(FileUrlOf("/a b/#1.js"), "file:///a%20b/%231.js");
}

TEST(AboutSchemeHandler, PrivateSchemeUrlsMapBackToTheAboutNamespace) {
    const Case cases[] = {
        {"tevabout:props.xml", "about:props.xml"},
        {"TEVABOUT:props.xml", "about:props.xml"},
        {"tevabout:WebCalendar.css?x=1", "about:WebCalendar.css?x=1"},
        {"tevabout:", "about:"},
        {"about:props.xml", ""},
        {"file:///props.xml", ""},
        {"tevabou", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CAboutSchemeHandler::AboutUrlOf(c.input), c.expected) << c.input;
}
