#include "platform/text/StringUtil.h"
#include "platform/text/TextConvert.h"

#include <gtest/gtest.h>

using namespace tev;

TEST(TextConvert, RoundTripsEveryPlane) {
    const std::string text = "Kalender \xC3\xA4\xC3\xB6 \xE2\x82\xAC \xF0\x9F\x93\x85";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 16u); // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(TextConvert, UnpairedSurrogatesBecomeTheDefaultCharacter) {
    const std::u16string wide = {u'a', 0xD800, u'b', 0xDC00};
    bool used = false;
    EXPECT_EQ(Utf16ToUtf8(wide, '#', &used), "a#b#");
    EXPECT_TRUE(used);
}

TEST(TextConvert, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b\xC3"),
              (std::u16string{u'a', 0xFFFD, u'b', 0xFFFD}));
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80\x80"), (std::u16string{0xFFFD, 0xFFFD, 0xFFFD})); // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // encoded surrogate
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9"));
}

TEST(TextConvert, Latin1MapsBytesToCodePoints) {
    EXPECT_EQ(Latin1ToUtf8("caf\xE9\xA0"), "caf\xC3\xA9\xC2\xA0");
}

TEST(TextConvert, Windows1252HasTypographicCharactersWhereLatin1HasControls) {
    const std::pair<const char*, const char*> cases[] = {
        {"caf\xE9 M\xFCller", "caf\xC3\xA9 M\xC3\xBCller"},
        {"\x80", "\xE2\x82\xAC"},                                             // euro sign
        {"\x93q\x94", "\xE2\x80\x9Cq\xE2\x80\x9D"},                           // quotation marks
        {"\x8A\x9F", "\xC5\xA0\xC5\xB8"},                                     // S and Y with marks
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}, // unassigned
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"", ""},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(Windows1252ToUtf8(bytes), text) << bytes;
}

TEST(StringUtil, ReplaceFormatAndPaths) {
    std::string text = "{width}x{width}";
    EXPECT_EQ(ReplaceAll(text, "{width}", "500"), 2);
    EXPECT_EQ(text, "500x500");
    EXPECT_EQ(ReplaceAll(text, "", "x"), 0);
    EXPECT_EQ(Format("(%d)", 183), "(183)");
    EXPECT_EQ(FolderOf("/a/b/c.kcd"), "/a/b/");
    EXPECT_EQ(FileNameOf("/a/b/c.kcd"), "c.kcd");
    EXPECT_EQ(StemOf("/a/b/c.d.kcd"), "c.d");
    EXPECT_EQ(StemOf("/a/b/noext"), "noext");
    EXPECT_EQ(WithTrailingSlash("/a"), "/a/");
    EXPECT_EQ(AtoL("  -42abc"), -42);
    EXPECT_EQ(AtoL("abc"), 0);
    EXPECT_TRUE(EqualsNoCase("New Profile", "nEW pROFILE"));
}
