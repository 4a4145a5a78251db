// The component protocol handler, loaded by file name from the program's folder as the
// designer loads it, and asked through its interfaces only.
#include "platform/com/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ModuleLoader.h"
#include "platform/web/InternetProtocolLite.h"
#include "platform/xml/XmlDom.h"
#include "protocol/TEVComponentProtocol.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

using Method = HRESULT (ITEVComponentProtocol::*)(BSTR);

std::string ModulePath() {
    return tevtest::ProgramDir() + kTEVComponentProtocolModule;
}

CComPtr<IClassFactory> GetFactory() {
    CComPtr<IClassFactory> factory;
    EXPECT_EQ(tev::GetClassObjectFromModule(ModulePath(), CLSID_TEVComponentProtocol,
                                            IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
}

// Each push and each request uses an instance of its own, as the designer and the session do.
void Push(Method method, const std::string& text) {
    CComPtr<IClassFactory> factory = GetFactory();
    ASSERT_TRUE(factory);
    CComPtr<ITEVComponentProtocol> protocol;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITEVComponentProtocol,
                                      reinterpret_cast<void**>(&protocol)),
              S_OK);
    CComBSTR argument(text);
    EXPECT_EQ((protocol.p->*method)(argument), S_OK);
}

void PushAll(const std::string& baseFolder, const std::string& userDefined, const std::string& data,
             const std::string& extended) {
    Push(&ITEVComponentProtocol::SetBaseFolder, baseFolder);
    Push(&ITEVComponentProtocol::SetUserDefinedXml, userDefined);
    Push(&ITEVComponentProtocol::SetDataXml, data);
    Push(&ITEVComponentProtocol::SetExtendedXmlText, extended);
}

struct Served {
    HRESULT result = E_FAIL;
    std::string type;
    std::string body;
};

Served Serve(const std::string& url) {
    Served served;
    CComPtr<IClassFactory> factory = GetFactory();
    if (!factory)
        return served;
    CComPtr<IInternetProtocolLite> handler;
    served.result = factory->CreateInstance(nullptr, IID_IInternetProtocolLite,
                                            reinterpret_cast<void**>(&handler));
    if (FAILED(served.result))
        return served;
    CComBSTR urlText(url);
    CComBSTR type, body;
    served.result = handler->Serve(urlText, &type, &body);
    served.type = type.ToUtf8();
    served.body.assign(reinterpret_cast<const char*>(body.m_str), SysStringByteLen(body));
    if (FAILED(served.result)) {
        EXPECT_EQ(type.m_str, nullptr) << url;
        EXPECT_EQ(body.m_str, nullptr) << url;
    }
    return served;
}

// The served properties document, parsed; fails the test when it is not well-formed.
pugi::xml_node ServedDocument(pugi::xml_document& doc) {
    const Served served = Serve("about:props.xml");
    EXPECT_EQ(served.result, S_OK);
    EXPECT_EQ(served.type, "text/xml");
    EXPECT_TRUE(tev::LoadXml(doc, served.body)) << served.body;
    return doc.document_element();
}

std::vector<std::string> ChildNames(const pugi::xml_node& node) {
    std::vector<std::string> names;
    for (const pugi::xml_node child : node.children())
        names.push_back(child.name());
    return names;
}

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

} // namespace

TEST(ComponentProtocol, PushesFromSeparateInstancesReachTheInstanceThatServes) {
    PushAll("", "", "", "");
    Push(&ITEVComponentProtocol::SetUserDefinedXml, "<Param name=\"Title\" value=\"Club\"/>");
    Push(&ITEVComponentProtocol::SetDataXml, "<Data><Events/></Data>");
    Push(&ITEVComponentProtocol::SetExtendedXmlText, "<Param name=\"X\" value=\"1\"/>");

    // A second class object from the module shares the same state.
    CComPtr<IClassFactory> one = GetFactory();
    CComPtr<IClassFactory> two = GetFactory();
    ASSERT_TRUE(one && two);
    EXPECT_NE(one.p, two.p);

    pugi::xml_document doc;
    const pugi::xml_node flash = ServedDocument(doc);
    EXPECT_STREQ(flash.child("UserDefined").child("Param").attribute("value").value(), "Club");
    EXPECT_TRUE(flash.child("Data").child("Events"));
    EXPECT_STREQ(flash.child("Extended").child("Param").attribute("name").value(), "X");

    // The last text pushed is the one served.
    Push(&ITEVComponentProtocol::SetUserDefinedXml, "<Param name=\"Title\" value=\"Choir\"/>");
    pugi::xml_document again;
    EXPECT_STREQ(
        ServedDocument(again).child("UserDefined").child("Param").attribute("value").value(),
        "Choir");
}

TEST(ComponentProtocol, ServedDocumentHasThePublishedDataFileShape) {
    PushAll("", "<Param name=\"Width\" value=\"300\"/><Param name=\"Height\" value=\"200\"/>",
            "<Data><Events><Event Subject=\"Meeting\"/></Events></Data>",
            "<Param name=\"Extra\" value=\"on\"/>");
    const Served served = Serve("about:props.xml");
    ASSERT_EQ(served.result, S_OK);
    EXPECT_EQ(served.body, std::string(kDeclaration) +
                               "<flash><UserDefined><Param name=\"Width\" value=\"300\"/>"
                               "<Param name=\"Height\" value=\"200\"/></UserDefined>"
                               "<Data><Events><Event Subject=\"Meeting\"/></Events></Data>"
                               "<Extended><Param name=\"Extra\" value=\"on\"/></Extended></flash>");

    pugi::xml_document doc;
    const pugi::xml_node flash = ServedDocument(doc);
    EXPECT_STREQ(flash.name(), "flash");
    EXPECT_EQ(ChildNames(flash), (std::vector<std::string>{"UserDefined", "Data", "Extended"}));
    EXPECT_EQ(ChildNames(flash.child("UserDefined")), (std::vector<std::string>{"Param", "Param"}));
}

TEST(ComponentProtocol, EmptyPushesServeAnEmptyDocument) {
    // A new project: empty data, no extended parameters; earlier texts must not linger.
    PushAll("", "<Param name=\"A\" value=\"1\"/>", "<Data><Events/></Data>", "<Param name=\"B\"/>");
    PushAll("", "", "", "");
    const Served served = Serve("about:props.xml");
    ASSERT_EQ(served.result, S_OK);
    EXPECT_EQ(served.body, std::string(kDeclaration) + "<flash><UserDefined/></flash>");

    // Blank texts count as empty too.
    PushAll("", " \r\n", "\n", "  ");
    pugi::xml_document doc;
    EXPECT_EQ(ChildNames(ServedDocument(doc)), (std::vector<std::string>{"UserDefined"}));
}

TEST(ComponentProtocol, SpecialCharactersSurviveTheRoundTrip) {
    const std::string value =
        "A & B <c> \"q\" 'x' Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x85";
    PushAll("",
            "<Param name=\"Title\" value=\"A &amp; B &lt;c&gt; &quot;q&quot; &apos;x&apos; "
            "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x85\"/>",
            "<Data><Events><Event Subject=\"R&amp;D\">1 &lt; 2 &amp;&amp; 3 &gt; 2</Event>"
            "</Events></Data>",
            "<Param name=\"Note\" value=\"&#x41;&#66;\"/>");
    pugi::xml_document doc;
    const pugi::xml_node flash = ServedDocument(doc);
    EXPECT_EQ(std::string(flash.child("UserDefined").child("Param").attribute("value").value()),
              value);
    const pugi::xml_node event = flash.child("Data").child("Events").child("Event");
    EXPECT_STREQ(event.attribute("Subject").value(), "R&D");
    EXPECT_STREQ(event.text().get(), "1 < 2 && 3 > 2");
    EXPECT_STREQ(flash.child("Extended").child("Param").attribute("value").value(), "AB");
}

TEST(ComponentProtocol, BadPushedTextsAreLeftOutWithoutSpoilingTheRest) {
    const std::string goodUser = "<Param name=\"Title\" value=\"Club\"/>";
    const std::string goodData = "<Data><Events><Event Subject=\"S\"/></Events></Data>";
    const std::string goodExtended = "<Param name=\"X\"/>";
    struct Case {
        const char* what;
        std::string user, data, extended;
        bool userKept, dataKept, extendedKept;
    };
    const Case cases[] = {
        {"unclosed user-defined entry", "<Param name=\"Title\"", goodData, goodExtended, false,
         true, true},
        {"user-defined text closing its element early",
         "</UserDefined><Data><Events/></Data><UserDefined>", goodData, goodExtended, false, true,
         true},
        {"text closing whatever wraps it",
         "<Param name=\"A\"/></content><Data><Events><Event/></Events></Data><content>", "",
         goodExtended, false, false, true},
        {"mismatched data", goodUser, "<Data><Events></Data>", goodExtended, true, false, true},
        {"data with a document type", goodUser, "<!DOCTYPE Data [<!ENTITY e \"x\">]><Data/>",
         goodExtended, true, false, true},
        {"two elements closing the extended wrapper", goodUser, goodData,
         "</Extended><Data/><Extended>", true, true, false},
        {"mismatched extended entry", goodUser, goodData, "<Param name=\"a\"></Parm>", true, true,
         false},
        {"not XML at all", "<<<>>>", goodData, "<", false, true, false},
    };
    for (const Case& c : cases) {
        PushAll("", c.user, c.data, c.extended);
        pugi::xml_document doc;
        const pugi::xml_node flash = ServedDocument(doc);
        ASSERT_TRUE(flash) << c.what;
        EXPECT_EQ(bool(flash.child("UserDefined").child("Param")), c.userKept) << c.what;
        EXPECT_EQ(bool(flash.child("Data").child("Events").child("Event")), c.dataKept) << c.what;
        EXPECT_EQ(bool(flash.child("Extended")), c.extendedKept) << c.what;
        // Never a second Data element, whatever the texts held.
        EXPECT_LE(std::distance(flash.children("Data").begin(), flash.children("Data").end()), 1)
            << c.what;
    }
}

TEST(ComponentProtocol, StrayAmpersandsAreKeptAsTextAndEscaped) {
    PushAll("", "<Param name=\"Title\" value=\"Tom & Jerry\"/>", "<Data>R&D</Data>", "");
    const Served served = Serve("about:props.xml");
    EXPECT_EQ(served.body, std::string(kDeclaration) +
                               "<flash><UserDefined><Param name=\"Title\" value=\"Tom &amp; "
                               "Jerry\"/></UserDefined><Data>R&amp;D</Data></flash>");
}

TEST(ComponentProtocol, DeclarationsAndByteOrderMarksInPushedTextsAreDropped) {
    PushAll(
        "", "\xEF\xBB\xBF<Param name=\"A\" value=\"1\"/>",
        "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\r\n<Data><Events/></Data>",
        "<?xml version=\"1.0\"?><Param name=\"B\"/>");
    pugi::xml_document doc;
    const pugi::xml_node flash = ServedDocument(doc);
    EXPECT_STREQ(flash.child("UserDefined").child("Param").attribute("name").value(), "A");
    EXPECT_TRUE(flash.child("Data").child("Events"));
    EXPECT_STREQ(flash.child("Extended").child("Param").attribute("name").value(), "B");
}

TEST(ComponentProtocol, HugeAndDeeplyNestedTextsAreServedWithoutCrashing) {
    const int depth = 200000;
    std::string nested;
    for (int i = 0; i < depth; ++i)
        nested += "<a>";
    for (int i = 0; i < depth; ++i)
        nested += "</a>";
    PushAll("", "<Param name=\"A\" value=\"1\"/>", "<Data>" + nested + "</Data>", nested);
    const Served served = Serve("about:props.xml");
    ASSERT_EQ(served.result, S_OK);
    EXPECT_GT(served.body.size(), nested.size());
    EXPECT_NE(served.body.find("<UserDefined><Param name=\"A\" value=\"1\"/></UserDefined>"),
              std::string::npos);
}

TEST(ComponentProtocol, ThePropertiesDocumentAnswersItsNameInEveryForm) {
    PushAll("", "<Param name=\"A\"/>", "", "");
    for (const char* url : {"about:props.xml", "about:PROPS.XML", "about:props.xml?nocache=42",
                            "about:props.xml#top", "about:props%2Exml", "tevabout:props.xml"}) {
        const Served served = Serve(url);
        EXPECT_EQ(served.result, S_OK) << url;
        EXPECT_EQ(served.type, "text/xml") << url;
        EXPECT_NE(served.body.find("<Param name=\"A\"/>"), std::string::npos) << url;
    }
}

class ComponentFolder : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        base = root / "Calendar Component/";
        fs::create_directories(base + "Calendar");
        fs::create_directories(base + "images");
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "Calendar/WebCalendar.css", "td { x: 1 }"));
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "images/My Logo.png", png));
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "thumb.JPG", "jpeg"));
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "script.js", "var a;"));
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "README", "plain"));
        ASSERT_TRUE(tevtest::WriteFileBytes(base + "props.xml", "<the component's defaults/>"));
        ASSERT_TRUE(tevtest::WriteFileBytes(root / "secret.txt", "secret"));
        fs::create_directory_symlink(root.path(), base + "outside");
        fs::create_symlink(root / "secret.txt", base + "leak.txt");
        fs::create_symlink(base + "script.js", base + "alias.js");
        ASSERT_EQ(mkfifo((base + "pipe.png").c_str(), 0600), 0);
        PushAll(base, "", "", "");
    }
    void TearDown() override { PushAll("", "", "", ""); }

    tevtest::TempDir root;
    std::string base;
    const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0", 17);
};

TEST_F(ComponentFolder, FilesBelowTheBaseFolderAreServedWithTheirType) {
    struct Case {
        const char* url;
        const char* type;
        std::string body;
    };
    const Case cases[] = {
        {"about:Calendar/WebCalendar.css", "text/css", "td { x: 1 }"},
        {"about:Calendar\\WebCalendar.css", "text/css", "td { x: 1 }"},
        {"about:images/My%20Logo.png", "image/png", png},
        {"about:images%2FMy%20Logo.png?v=2", "image/png", png},
        {"about:./thumb.JPG", "image/jpeg", "jpeg"},
        {"about:Calendar//WebCalendar.css", "text/css", "td { x: 1 }"},
        {"about:script.js#x", "text/javascript", "var a;"},
        {"about:alias.js", "text/javascript", "var a;"}, // a link that stays inside
        {"about:README", "application/octet-stream", "plain"},
    };
    for (const Case& c : cases) {
        const Served served = Serve(c.url);
        EXPECT_EQ(served.result, S_OK) << c.url;
        EXPECT_EQ(served.type, c.type) << c.url;
        EXPECT_EQ(served.body, c.body) << c.url;
    }
    // The base folder also works without its trailing '/'.
    Push(&ITEVComponentProtocol::SetBaseFolder, base.substr(0, base.size() - 1));
    EXPECT_EQ(Serve("about:thumb.JPG").body, "jpeg");
}

TEST_F(ComponentFolder, ThePropertiesDocumentIsNeverReplacedByAFile) {
    const Served served = Serve("about:props.xml");
    ASSERT_EQ(served.result, S_OK);
    EXPECT_EQ(served.body, std::string(kDeclaration) + "<flash><UserDefined/></flash>");
}

TEST_F(ComponentFolder, NamesThatWouldLeaveTheBaseFolderAreRefused) {
    for (const char* url : {
             "about:../secret.txt",
             "about:..%2Fsecret.txt",
             "about:%2e%2e/secret.txt",
             "about:%2E%2E%5Csecret.txt",
             "about:..\\secret.txt",
             "about:Calendar/../../secret.txt",
             "about:Calendar/..",
             "about:/etc/passwd",
             "about:%2Fetc%2Fpasswd",
             "about:\\etc\\passwd",
             "about:outside/secret.txt",
             "about:leak.txt",
             "about:%zz",
             "about:thumb.JPG%",
             "about:thumb.JPG%4",
             "about:thumb.JPG%00.png",
         }) {
        const Served served = Serve(url);
        EXPECT_EQ(served.result, INET_E_INVALID_URL) << url;
        EXPECT_TRUE(served.body.empty()) << url;
    }
}

TEST_F(ComponentFolder, UnknownNamesAreNotFound) {
    for (const char* url :
         {"about:nothing.png", "about:Calendar", "about:Calendar/", "about:", "about:.",
          "about:pipe.png", "about:%252e%252e/secret.txt", "about:images/my logo.png"}) {
        const Served served = Serve(url);
        EXPECT_EQ(served.result, INET_E_OBJECT_NOT_FOUND) << url;
        EXPECT_TRUE(served.body.empty()) << url;
    }
    // Without a base folder no file is served at all.
    Push(&ITEVComponentProtocol::SetBaseFolder, "");
    EXPECT_EQ(Serve("about:thumb.JPG").result, INET_E_OBJECT_NOT_FOUND);
    Push(&ITEVComponentProtocol::SetBaseFolder, root / "no such folder/");
    EXPECT_EQ(Serve("about:thumb.JPG").result, INET_E_OBJECT_NOT_FOUND);
}

TEST(ComponentProtocol, TheModuleAnswersOnlyItsClassAndInterfaces) {
    CLSID other;
    ASSERT_TRUE(GuidFromString("{19328147-F365-4AA9-B93A-A55E4872E3B9}", other));
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(tev::GetClassObjectFromModule(ModulePath(), other, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    CComPtr<IClassFactory> factory = GetFactory();
    ASSERT_TRUE(factory);
    CComPtr<IUnknown> instance;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&instance)),
              S_OK);
    CComPtr<ITEVComponentProtocol> protocol;
    CComPtr<IInternetProtocolLite> serving;
    CComPtr<IClassFactory> none;
    EXPECT_EQ(instance.QueryInterface(IID_ITEVComponentProtocol, protocol), S_OK);
    EXPECT_EQ(instance.QueryInterface(IID_IInternetProtocolLite, serving), S_OK);
    EXPECT_EQ(instance.QueryInterface(IID_IClassFactory, none), E_NOINTERFACE);
    // Both interfaces lead back to the same object.
    CComPtr<IUnknown> viaServing;
    ASSERT_EQ(serving.QueryInterface(IID_IUnknown, viaServing), S_OK);
    EXPECT_EQ(viaServing.p, instance.p);

    EXPECT_EQ(serving->Serve(nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(factory->CreateInstance(instance, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    // A NULL argument reads as an empty text.
    EXPECT_EQ(protocol->SetDataXml(nullptr), S_OK);
}

TEST(ComponentProtocol, PushesAndRequestsFromSeveralThreadsStayWhole) {
    PushAll("", "", "", "");
    std::atomic<int> broken{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &broken] {
            const std::string user = "<Param name=\"T" + std::to_string(t) + "\" value=\"" +
                                     std::string(200, char('a' + t)) + "\"/>";
            for (int i = 0; i < 300; ++i) {
                Push(t % 2 ? &ITEVComponentProtocol::SetUserDefinedXml
                           : &ITEVComponentProtocol::SetDataXml,
                     t % 2 ? user : "<Data><E n=\"" + std::to_string(i) + "\"/></Data>");
                pugi::xml_document doc;
                const Served served = Serve("about:props.xml");
                if (served.result != S_OK || !tev::LoadXml(doc, served.body))
                    ++broken;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(broken.load(), 0);
    PushAll("", "", "", "");
}
