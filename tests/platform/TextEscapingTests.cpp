#include "platform/text/TextEscaping.h"

#include <gtest/gtest.h>

#include <string>

using namespace tev;

TEST(TextEscaping, MarkupEscapingReplacesTheMarkupCharactersOnly) {
    struct Case {
        const char* input;
        const char* kept;        // Apostrophe::Kept
        const char* asReference; // Apostrophe::AsReference
    };
    const Case cases[] = {
        {"", "", ""},
        {"Classic", "Classic", "Classic"},
        {"Tom & Jerry", "Tom &amp; Jerry", "Tom &amp; Jerry"},
        {"<b>", "&lt;b&gt;", "&lt;b&gt;"},
        {"say \"hi\"", "say &quot;hi&quot;", "say &quot;hi&quot;"},
        {"O'Brien", "O'Brien", "O&#39;Brien"},
        {"&amp;", "&amp;amp;", "&amp;amp;"}, // escaped once more, never taken as already done
        {"caf\xC3\xA9 \xFF", "caf\xC3\xA9 \xFF", "caf\xC3\xA9 \xFF"}, // other bytes as they are
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkupEscaped(c.input, Apostrophe::Kept), c.kept) << c.input;
        EXPECT_EQ(MarkupEscaped(c.input, Apostrophe::AsReference), c.asReference) << c.input;
    }
    // A zero byte inside the text is copied, not taken as its end.
    EXPECT_EQ(MarkupEscaped(std::string("a\0<", 3), Apostrophe::Kept), std::string("a\0&lt;", 6));
}

TEST(TextEscaping, HexDigitsReadInEitherCaseAndNothingElse) {
    const struct {
        char digit;
        int value;
    } cases[] = {
        {'0', 0},  {'9', 9},  {'a', 10}, {'f', 15}, {'A', 10}, {'F', 15}, {'g', -1},  {'G', -1},
        {'/', -1}, {':', -1}, {'@', -1}, {'`', -1}, {' ', -1}, {'%', -1}, {'\0', -1}, {'\xC3', -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexDigitValue(c.digit), c.value) << static_cast<int>(c.digit);
}
