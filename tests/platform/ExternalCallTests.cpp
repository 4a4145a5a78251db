#include "platform/text/StringUtil.h"
#include "platform/web/ExternalCall.h"

#include <gtest/gtest.h>

using tev::ExternalCall;

namespace {

// "s:text", "i:42", "d:1.5", "b:true", "null" for each argument.
std::string DescribeArgs(const tev::ExternalArgs& args) {
    std::string out;
    for (const CComVariant& arg : args) {
        if (!out.empty())
            out += " ";
        switch (arg.vt) {
        case VT_BSTR:
            out += "s:" + arg.ToText();
            break;
        case VT_I4:
            out += "i:" + std::to_string(arg.lVal);
            break;
        case VT_R8:
            out += "d:" + tev::Format("%.17g", arg.dblVal);
            break;
        case VT_BOOL:
            out += arg.boolVal ? "b:true" : "b:false";
            break;
        case VT_NULL:
            out += "null";
            break;
        default:
            out += "?";
        }
    }
    return out;
}

} // namespace

TEST(ExternalCall, CallsFromPageScriptAreRead) {
    struct Case {
        const char* json;
        const char* method;
        const char* args;
    };
    const Case cases[] = {
        {R"({"method":"ChangeTemplate","args":["C:/Templates/Blue/props.xml"]})", "ChangeTemplate",
         "s:C:/Templates/Blue/props.xml"},
        {R"({"method":"Ping","args":["a",2,false,null,"q\""]})", "Ping",
         "s:a i:2 b:false null s:q\""},
        {R"( { "args" : [ -7 , 2.5 , 3e2, true ] , "method" : "M" } )", "M",
         "i:-7 d:2.5 i:300 b:true"},
        {R"({"method":"Big","args":[4294967296]})", "Big", "d:4294967296"},
        {R"({"method":"Nested","args":[[1,{"a":[2]}],{"k":"v"}]})", "Nested",
         R"(s:[1,{"a":[2]}] s:{"k":"v"})"},
        {R"({"method":"NoArgs"})", "NoArgs", ""},
        {R"({"method":"Empty","args":[]})", "Empty", ""},
        {R"({"method":"Extra","other":{"x":[1,2]},"args":["y"]})", "Extra", "s:y"},
        {R"({"method":"Esc","args":["tab\there\nline \u00e9 \ud83d\ude00 \/"]})", "Esc",
         "s:tab\there\nline \xC3\xA9 \xF0\x9F\x98\x80 /"},
        {R"({"method":"Lone","args":["a\ud800b"]})", "Lone", "s:a#b"},
    };
    for (const Case& c : cases) {
        ExternalCall call;
        ASSERT_TRUE(tev::ParseExternalCall(c.json, call)) << c.json;
        EXPECT_EQ(call.method, c.method) << c.json;
        EXPECT_EQ(DescribeArgs(call.args), c.args) << c.json;
    }
}

TEST(ExternalCall, MalformedMessagesAreRefusedWithoutTouchingTheResult) {
    const std::string deep = std::string(200, '[') + std::string(200, ']');
    const std::string cases[] = {
        "",
        "null",
        "[]",
        "{}",
        R"({"args":[1]})",
        R"({"method":5})",
        R"({"method":"M","args":"x"})",
        R"({"method":"M","args":[1,]})",
        R"({"method":"M","args":[1})",
        R"({"method":"M"} trailing)",
        R"({"method":"M","args":["unterminated]})",
        R"({"method":"M","args":["bad \q escape"]})",
        R"({"method":"M","args":["\u12G4"]})",
        R"({"method":"M","args":[-]})",
        R"({"method":"M","args":[1e999]})",
        "{\"method\":\"M\",\"args\":[\"raw\ncontrol\"]}",
        R"({"method":"M","args":[)" + deep + "]}",
    };
    for (const std::string& json : cases) {
        ExternalCall call;
        call.method = "untouched";
        EXPECT_FALSE(tev::ParseExternalCall(json, call)) << json;
        EXPECT_EQ(call.method, "untouched") << json;
    }
}

TEST(DispatchTable, RunsKnownMethodsAndRefusesOthers) {
    tev::DispatchTable table;
    std::string seen;
    EXPECT_TRUE(table.Add("ChangeTemplate", [&](const tev::ExternalArgs& args) {
        seen = args.empty() ? "(none)" : args[0].ToText();
    }));
    for (const char* bad : {"", "1abc", "a-b", "a b", "x.y", "é"})
        EXPECT_FALSE(table.Add(bad, [](const tev::ExternalArgs&) {})) << bad;
    EXPECT_FALSE(table.Add("NoCallback", nullptr));
    EXPECT_EQ(table.Names(), std::vector<std::string>{"ChangeTemplate"});

    EXPECT_TRUE(table.Invoke("ChangeTemplate", {CComVariant("p/props.xml")}));
    EXPECT_EQ(seen, "p/props.xml");
    EXPECT_FALSE(table.Invoke("changetemplate", {}));
    EXPECT_EQ(seen, "p/props.xml");
}

TEST(DispatchTable, ScriptDefinesOneMethodPerName) {
    const std::string script =
        tev::ExternalObjectScript({"ChangeTemplate", "Ping", "bad name"}, "tevExternal");
    EXPECT_NE(script.find("[\"ChangeTemplate\",\"Ping\"]"), std::string::npos) << script;
    EXPECT_EQ(script.find("bad name"), std::string::npos);
    EXPECT_NE(script.find("messageHandlers.tevExternal"), std::string::npos);
    EXPECT_NE(tev::ExternalObjectScript({}, "tevExternal").find("var names=[];"),
              std::string::npos);
}
