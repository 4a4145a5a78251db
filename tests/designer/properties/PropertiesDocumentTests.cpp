// The properties document and the value encodings, over the real component's descriptor and
// over descriptors and props.xml files of the tests' own.
#include "designer/properties/PropertiesDocument.h"
#include "designer/properties/PropertyValues.h"
#include "platform/com/ModuleLoader.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>

using namespace TEVComponentDesignerAfx;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

struct ScopedProgramFolder {
    explicit ScopedProgramFolder(const std::string& folder) { tev::OverrideProgramFolder(folder); }
    ~ScopedProgramFolder() { tev::OverrideProgramFolder(""); }
};

std::string RealDescriptor() {
    return tevtest::SourceDir() + "component/Calendar/componentInfo.xml";
}

std::vector<std::string> Names(const std::vector<CParamDefinition>& params) {
    std::vector<std::string> names;
    for (const CParamDefinition& param : params)
        names.push_back(param.name);
    return names;
}

std::vector<std::string> ValuesOf(const std::vector<pugi::xml_node>& params) {
    std::vector<std::string> values;
    for (const pugi::xml_node& param : params)
        values.push_back(param.attribute("value").value());
    return values;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Value encodings

TEST(PropertyValues, ColoursParseByTheStrippingRule) {
    struct Case {
        const char* text;
        ColorRef color;
    };
    const Case cases[] = {
        {"0x00FF80", 0x80FF00}, // red 00, green FF, blue 80
        {"0xFFFFFF", 0xFFFFFF},
        {"0x000000", 0x000000},
        {"0x0000FF", 0xFF0000},
        {"0x2F5D8C", 0x8C5D2F},
        {"0xff8000", 0x0080FF}, // lower-case digits
        // Short forms: a missing pair repeats the one before.
        {"0xF00", 0xF0F0F0},
        {"0xABCD", 0xCDCDAB},
        {"0xABCDE", 0xCDCDAB},
        {"0xAB", 0xABABAB},
        {"0x1", 0x000000},
        {"0x", 0x000000},
        {"0", 0x000000},
        {"", 0x000000},
        // Without "0x" the leading zeros are part of what goes.
        {"00FF80", 0x8080FF},
        {"xxAB", 0xABABAB},
        {"0X00FF80", 0xF80F00}, // an upper-case X is not stripped and is no digit
        {"0xGG1122", 0x221100},
        {"0x1G2233", 0x332201},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PropertyValues::ParseColor(c.text), c.color) << '"' << c.text << '"';
    }
}

TEST(PropertyValues, EveryWrittenColourReadsBackUnchanged) {
    EXPECT_EQ(PropertyValues::FormatColor(0x80FF00), "0x00FF80");
    EXPECT_EQ(PropertyValues::FormatColor(MakeColorRef(0x2F, 0x5D, 0x8C)), "0x2F5D8C");
    for (unsigned red = 0; red < 256; red += 15) {
        for (unsigned green = 0; green < 256; green += 17) {
            for (unsigned blue = 0; blue < 256; blue += 51) {
                const ColorRef color = MakeColorRef(red, green, blue);
                const std::string text = PropertyValues::FormatColor(color);
                ASSERT_EQ(text.size(), 8u) << text;
                ASSERT_EQ(PropertyValues::ParseColor(text), color) << text;
            }
        }
    }
}

TEST(PropertyValues, StoredNumbersAndBooleansReadOnlyWhenTheyAreSo) {
    const std::pair<const char*, bool> numbers[] = {
        {"12", true}, {"-5", true},    {"abc", false},
        {"", false},  {"12px", false}, {"2147483648", false},
    };
    for (const auto& [text, ok] : numbers) {
        int32_t value = 4242;
        EXPECT_EQ(PropertyValues::ParseNumber(text, value), ok) << text;
        EXPECT_EQ(value, ok ? std::atoi(text) : 4242) << text;
    }
    bool flag = false;
    EXPECT_TRUE(PropertyValues::ParseBoolean("FALSE", flag) && !flag);
    EXPECT_TRUE(PropertyValues::ParseBoolean("1", flag) && flag);
    EXPECT_FALSE(PropertyValues::ParseBoolean("yes", flag));
    EXPECT_EQ(PropertyValues::FormatBoolean(false), "false");
    EXPECT_EQ(PropertyValues::FormatNumber(-12), "-12");
}

TEST(PropertyValues, EditTextCountsAsAtolWithin32BitsAndOnlyDigitsAreANumber) {
    struct Case {
        const char* text;
        int32_t value;
        bool isNumber;
    };
    const Case cases[] = {
        {"5", 5, true},
        {"12abc", 12, false},
        {"abc", 0, false},
        {"", 0, false},
        {"  -7", -7, true},
        {"+3", 3, true},
        {" 42 ", 42, true},
        {"99999999999", INT32_MAX, true},
        {"-99999999999", INT32_MIN, true},
        {"1024", 1024, true},
        {"1 000", 1, false},
        {"1.5", 1, false},
        {"-", 0, false},
        {"0x10", 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PropertyValues::EditTextToNumber(c.text), c.value) << c.text;
        EXPECT_EQ(PropertyValues::IsNumberText(c.text), c.isNumber) << c.text;
    }
}

// ---------------------------------------------------------------------------------------
// Descriptor

TEST(PropertiesDocument, RealDescriptorGivesParametersSizeAndAssetsInOrder) {
    ScopedProgramFolder program("/opt/tev/");
    CPropertiesDocument document;
    document.SetComponentPath(RealDescriptor());
    ASSERT_TRUE(document.LoadDescriptor());
    const std::string folder = tevtest::SourceDir() + "component/Calendar/";
    EXPECT_EQ(document.GetComponentFolder(), folder);
    EXPECT_EQ(document.GetAssets(),
              (std::vector<std::string>{folder + "WebCalendar.js", folder + "WebCalendar.css",
                                        "/opt/tev/swfobject.js"}));
    const std::vector<CParamDefinition> params = document.GetEnabledParams();
    const std::vector<std::string> names = Names(params);
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names[0], "Title");
    EXPECT_EQ(names[1], "View");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Stylesheet"), 0) << "private";
    EXPECT_EQ(std::count(names.begin(), names.end(), "HeaderHeight"), 1);
    for (const CParamDefinition& param : params) {
        if (param.name == "HeaderHeight") {
            EXPECT_EQ(param.dataType, "number");
            EXPECT_EQ(param.lowerLimit, "20");
            EXPECT_EQ(param.upperLimit, "Height");
            EXPECT_TRUE(param.required);
            EXPECT_EQ(param.Label(), "Header height");
        }
    }
    const CComponentSize size = document.GetComponentSize();
    EXPECT_EQ(size.width, 500);
    EXPECT_EQ(size.height, 400);
    EXPECT_TRUE(size.sizeable);
}

TEST(PropertiesDocument, DescriptorFixturesGiveDefaultsAssetsAndNothingOnDamage) {
    TempDir dir;
    ScopedProgramFolder program(dir / "bin/");
    struct Case {
        const char* name;
        std::string xml;
        bool hasFlash;
        std::vector<std::string> assets; // relative to the descriptor's folder
        int width, height;
        bool sizeable;
    };
    const Case cases[] = {
        {"bare", "<C><Flash/></C>", true, {}, 300, 200, false},
        {"movie and assets",
         "<Anything><Flash path='m.js' width='640' sizeable='1'>"
         "<Param name='a' access='private' dataType='asset' value='one.css'/>"
         "<Param name='b' access='private' dataType='text' value='no.css'/>"
         "<Param name='c' access='enabled' dataType='asset' value='no2.css'/>"
         "<Param name='d' access='private' dataType='asset' value='sub/two.png'/>"
         "</Flash></Anything>",
         true,
         {"m.js", "one.css", "sub/two.png"},
         640,
         200,
         true},
        {"sizes that are no numbers",
         "<C><Flash width='wide' height='' sizeable='maybe'/></C>",
         true,
         {},
         300,
         200,
         false},
        {"Flash not first", "<C><Other/><Flash height='90'/></C>", true, {}, 300, 90, false},
        {"no Flash", "<C><flash path='m.js'/></C>", false, {}, 300, 200, false},
        {"not XML", "<C><Flash path='m.js'>", false, {}, 300, 200, false},
        {"empty file", "", false, {}, 300, 200, false},
    };
    for (const Case& c : cases) {
        const std::string path = dir / "component/componentInfo.xml";
        std::filesystem::create_directories(dir / "component");
        ASSERT_TRUE(WriteFileBytes(path, c.xml));
        CPropertiesDocument document;
        document.SetComponentPath(path);
        EXPECT_EQ(document.LoadDescriptor(), c.hasFlash) << c.name;
        std::vector<std::string> expected;
        for (const std::string& asset : c.assets)
            expected.push_back(dir / "component/" + asset);
        expected.push_back(dir / "bin/swfobject.js");
        EXPECT_EQ(document.GetAssets(), expected) << c.name;
        const CComponentSize size = document.GetComponentSize();
        EXPECT_EQ(size.width, c.width) << c.name;
        EXPECT_EQ(size.height, c.height) << c.name;
        EXPECT_EQ(size.sizeable, c.sizeable) << c.name;
        if (!c.hasFlash) {
            EXPECT_TRUE(document.GetEnabledParams().empty()) << c.name;
        }
    }
    // A descriptor that is not there at all.
    CPropertiesDocument missing;
    missing.SetComponentPath(dir / "nowhere/componentInfo.xml");
    EXPECT_FALSE(missing.LoadDescriptor());
    EXPECT_EQ(missing.GetAssets(), std::vector<std::string>{dir / "bin/swfobject.js"});
}

// ---------------------------------------------------------------------------------------
// Properties document

struct PropsFixture : testing::Test {
    TempDir dir;
    CPropertiesDocument document;
    void Load(const std::string& props) {
        ASSERT_TRUE(WriteFileBytes(dir / "props.xml", props));
        document.SetComponentPath(dir / "componentInfo.xml");
        document.LoadDefaultProperties();
    }
};

TEST_F(PropsFixture, QueriesFindByExactNameAndNeverByAnApostrophe) {
    Load("<flash><UserDefined>"
         "<Param name='Title' value='1'/>"
         "<Param name=\"Bob's\" value='2'/>"
         "<Param name='a&quot;b' value='3'/>"
         "<Param name='&lt;tag&gt;' value='4'/>"
         "<Param name='x]' value='5'/>"
         "<Param name='' value='6'/>"
         "<Param name='Twice' value='7'/><Param name='Twice' value='8'/>"
         "</UserDefined><Other><UserDefined><Param name='Deep' value='9'/></UserDefined></Other>"
         "<Param name='Outside' value='10'/>"
         "</flash>");
    struct Case {
        std::string name;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"Title", {"1"}},
        {"title", {}},
        {"Bob's", {}}, // present, but a name with an apostrophe is never found
        {"x' or @name='Title", {}},
        {"Title' or '1'='1", {}},
        {"a\"b", {"3"}},
        {"<tag>", {"4"}},
        {"x]", {"5"}},
        {"", {"6"}},
        {"Twice", {"7", "8"}},
        {"Deep", {"9"}}, // "//UserDefined" is any UserDefined
        {"Outside", {}},
        {std::string("Ti\0tle", 6), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValuesOf(document.QueryParams(c.name)), c.values) << c.name;
    }
    EXPECT_EQ(ValuesOf(CPropertiesDocument::AllParams(document.GetDocument())).size(), 9u);
    EXPECT_STREQ(document.FindParam("Twice").attribute("value").value(), "7");
}

TEST_F(PropsFixture, WritingCreatesOrUpdatesAndLeavesEntriesWithoutAValue) {
    Load("<flash><tev/><UserDefined><Param name='Title' value='old'/>"
         "<Param name='Bare'/></UserDefined></flash>");
    EXPECT_TRUE(document.WriteValue("Title", "new & <improved>"));
    EXPECT_TRUE(document.WriteValue("Fresh", "1"));
    EXPECT_FALSE(document.WriteValue("Bare", "2"));
    EXPECT_EQ(document.GetUserDefinedXml(),
              "<tev/>\n<UserDefined><Param name=\"Title\" value=\"new &amp; &lt;improved>\"/>"
              "<Param name=\"Bare\"/><Param name=\"Fresh\" value=\"1\"/></UserDefined>");
    EXPECT_EQ(document.GetUserDefinedInnerXml(),
              "<Param name=\"Title\" value=\"new &amp; &lt;improved>\"/><Param name=\"Bare\"/>"
              "<Param name=\"Fresh\" value=\"1\"/>");
    // An apostrophe in the name is never found, so every write appends.
    EXPECT_TRUE(document.WriteValue("Bob's", "a"));
    EXPECT_TRUE(document.WriteValue("Bob's", "b"));
    size_t bobs = 0;
    for (const pugi::xml_node& param : CPropertiesDocument::AllParams(document.GetDocument()))
        bobs += std::string(param.attribute("name").value()) == "Bob's";
    EXPECT_EQ(bobs, 2u);
}

TEST_F(PropsFixture, ADocumentWithoutUserDefinedGainsOneForTheFirstEntry) {
    Load("<flash><tev/></flash>");
    EXPECT_EQ(document.GetUserDefinedInnerXml(), "");
    EXPECT_TRUE(document.WriteValue("Width", "640"));
    EXPECT_EQ(document.GetUserDefinedXml(),
              "<tev/>\n<UserDefined><Param name=\"Width\" value=\"640\"/></UserDefined>");
}

TEST_F(PropsFixture, MissingOrDamagedPropsLeaveAnEmptyDocumentThatTakesNoWrites) {
    const char* damaged[] = {"<flash><UserDefined>", "just text"};
    for (const char* bytes : damaged) {
        Load("<flash><UserDefined><Param name='Left' value='over'/></UserDefined></flash>");
        ASSERT_TRUE(document.HasDocumentElement());
        Load(bytes);
        EXPECT_FALSE(document.HasDocumentElement()) << bytes;
        EXPECT_EQ(document.GetUserDefinedXml(), "") << bytes;
        EXPECT_EQ(document.GetUserDefinedInnerXml(), "") << bytes;
        EXPECT_FALSE(document.WriteValue("Title", "x")) << bytes;
        EXPECT_FALSE(document.AppendParam("Title", "x")) << bytes;
        EXPECT_TRUE(document.QueryParams("Left").empty()) << bytes;
    }
    document.SetComponentPath(dir / "gone/componentInfo.xml");
    document.LoadDefaultProperties();
    EXPECT_FALSE(document.HasDocumentElement());
}

TEST_F(PropsFixture, TheUserDefinedXmlIsEveryRootChildJoinedWithLineFeeds) {
    // The component's own props.xml may carry more than UserDefined; it all travels.
    Load("<?xml version='1.0' encoding='UTF-8'?>\n<flash>\n\t<Extra a='1'>t</Extra>\n"
         "\t<UserDefined>\n\t\t<Param name='A' value='1'/>\n\t</UserDefined>\n</flash>\n");
    EXPECT_EQ(document.GetUserDefinedXml(), "<Extra a=\"1\">t</Extra>\n<UserDefined><Param "
                                            "name=\"A\" value=\"1\"/></UserDefined>");
    // A project's properties replace it; text that does not parse changes nothing.
    EXPECT_TRUE(document.SetPropertiesXml(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><flash><tev></tev>"
        "<UserDefined><Param name=\"B\" value=\"2\"/></UserDefined></flash>"));
    const std::string replaced = document.GetUserDefinedXml();
    EXPECT_EQ(replaced, "<tev/>\n<UserDefined><Param name=\"B\" value=\"2\"/></UserDefined>");
    EXPECT_FALSE(document.SetPropertiesXml("<flash><UserDefined></flash>"));
    EXPECT_FALSE(document.SetPropertiesXml(""));
    EXPECT_EQ(document.GetUserDefinedXml(), replaced);
}

TEST_F(PropsFixture, RemovingAnEntryTakesOnlyThisDocumentsEntries) {
    Load("<flash><UserDefined><Param name='A' value='1'/><Param name='B' value='2'/>"
         "</UserDefined></flash>");
    pugi::xml_document other;
    other.load_string("<flash><UserDefined><Param name='A' value='1'/></UserDefined></flash>");
    EXPECT_FALSE(document.RemoveParam(CPropertiesDocument::AllParams(other).front()));
    EXPECT_FALSE(document.RemoveParam(pugi::xml_node()));
    const pugi::xml_node a = document.FindParam("A");
    EXPECT_TRUE(document.OwnsParam(a));
    EXPECT_TRUE(document.RemoveParam(a));
    EXPECT_EQ(document.GetUserDefinedInnerXml(), "<Param name=\"B\" value=\"2\"/>");
}

TEST(PropertiesDocument, ExtendedFragmentsParseWrappedAndRefuseEscapes) {
    struct Case {
        std::string fragment;
        bool parses;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"<Param name='Holidays' dataType='boolean' value='true' category='Calendar'/>"
         "<Group><Param name='Nested' dataType='text'/></Group>",
         true,
         {"Holidays", "Nested"}},
        {"", true, {}},
        {"plain text", true, {}},
        {"<Param name='a'>", false, {}},
        {"</Extended><Extended><Param name='b'/>", false, {}},
        {"</Extended><Param name='c'/><Extended>", false, {}},
    };
    for (const Case& c : cases) {
        pugi::xml_document doc;
        EXPECT_EQ(CPropertiesDocument::ParseExtended(c.fragment, doc), c.parses) << c.fragment;
        EXPECT_EQ(Names(CPropertiesDocument::ExtendedParams(doc)), c.names) << c.fragment;
    }
    pugi::xml_document doc;
    ASSERT_TRUE(CPropertiesDocument::ParseExtended(cases[0].fragment, doc));
    const CParamDefinition first = CPropertiesDocument::ExtendedParams(doc).front();
    EXPECT_EQ(first.category, "Calendar");
    EXPECT_EQ(first.Label(), "Holidays");
    EXPECT_FALSE(first.required);
}
