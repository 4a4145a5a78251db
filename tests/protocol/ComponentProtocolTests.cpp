// The component protocol handler, loaded by file name from the program's folder as the
// designer loads it, and used through its interfaces only.
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

// A new instance from a new class object, asked for `iid`.
template <class T> CComPtr<T> NewInstance(REFIID iid) {
    CComPtr<IClassFactory> factory;
    CComPtr<T> instance;
    EXPECT_EQ(tev::GetClassObjectFromModule(ModulePath(), CLSID_TEVComponentProtocol,
                                            IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&instance)), S_OK);
    }
    return instance;
}

// Every push and every request uses an instance of its own, as the designer and the session do.
void Push(Method method, const std::string& text) {
    CComPtr<ITEVComponentProtocol> protocol =
        NewInstance<ITEVComponentProtocol>(IID_ITEVComponentProtocol);
    ASSERT_TRUE(protocol);
    EXPECT_EQ((protocol.p->*method)(CComBSTR(text)), S_OK);
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
    CComPtr<IInternetProtocolLite> handler =
        NewInstance<IInternetProtocolLite>(IID_IInternetProtocolLite);
    if (!handler)
        return served;
    CComBSTR type, body;
    served.result = handler->Serve(CComBSTR(url), &type, &body);
    served.type = type.ToUtf8();
    served.body.assign(reinterpret_cast<const char*>(body.m_str), SysStringByteLen(body));
    EXPECT_EQ(FAILED(served.result), !type.m_str && !body.m_str) << url;
    return served;
}

// The served properties document's root; fails the test when it is not well-formed.
pugi::xml_node ServedRoot(pugi::xml_document& doc) {
    const Served served = Serve("about:props.xml");
    EXPECT_EQ(served.result, S_OK);
    EXPECT_EQ(served.type, "text/xml");
    EXPECT_TRUE(tev::LoadXml(doc, served.body)) << served.body;
    return doc.document_element();
}

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const std::string kEmptyDocument = kDeclaration + "<flash><UserDefined/></flash>";

} // namespace

// The handler's state outlives its instances: every test starts from empty texts.
class ComponentProtocol : public ::testing::Test {
protected:
    void SetUp() override { PushAll("", "", "", ""); }
    void TearDown() override { PushAll("", "", "", ""); }
};

TEST_F(ComponentProtocol, ServesTheLastTextsPushedInThePublishedDataFileShape) {
    // Each push goes to its own instance; the instance that serves sees them all.
    PushAll("", "<Param name=\"Width\" value=\"300\"/><Param name=\"Title\" value=\"Club\"/>",
            "<Data><Events><Event Subject=\"Meeting\"/></Events></Data>",
            "<Param name=\"Extra\" value=\"on\"/>");
    EXPECT_EQ(Serve("about:props.xml").body,
              kDeclaration + "<flash><UserDefined><Param name=\"Width\" value=\"300\"/>"
                             "<Param name=\"Title\" value=\"Club\"/></UserDefined>"
                             "<Data><Events><Event Subject=\"Meeting\"/></Events></Data>"
                             "<Extended><Param name=\"Extra\" value=\"on\"/></Extended></flash>");

    Push(&ITEVComponentProtocol::SetUserDefinedXml, "<Param name=\"Title\" value=\"Choir\"/>");
    pugi::xml_document doc;
    EXPECT_STREQ(ServedRoot(doc).child("UserDefined").child("Param").attribute("value").value(),
                 "Choir");
}

TEST_F(ComponentProtocol, EmptyPushesServeAnEmptyDocument) {
    // A new project: empty data, no extended parameters; earlier texts must not linger.
    EXPECT_EQ(Serve("about:props.xml").body, kEmptyDocument);
    PushAll("", "<Param name=\"A\"/>", "<Data><Events/></Data>", "<Param name=\"B\"/>");
    PushAll("", "", "", "");
    EXPECT_EQ(Serve("about:props.xml").body, kEmptyDocument);
    PushAll("", " \r\n", "\n", "  ");
    EXPECT_EQ(Serve("about:props.xml").body, kEmptyDocument);
}

TEST_F(ComponentProtocol, SpecialCharactersSurviveTheRoundTrip) {
    const std::string text = "A & B <c> \"q\" 'x' Caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x93\x85";
    PushAll("",
            "<Param name=\"Title\" value=\"A &amp; B &lt;c&gt; &quot;q&quot; &apos;x&apos; "
            "Caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x93\x85\"/>",
            "<Data><Event Subject=\"R&amp;D\">1 &lt; 2 &amp;&amp; 3 &gt; 2</Event></Data>",
            "<Param value=\"&#x41;&#66;\"/>");
    pugi::xml_document doc;
    const pugi::xml_node flash = ServedRoot(doc);
    EXPECT_EQ(flash.child("UserDefined").child("Param").attribute("value").value(), text);
    EXPECT_STREQ(flash.child("Data").child("Event").attribute("Subject").value(), "R&D");
    EXPECT_STREQ(flash.child("Data").child("Event").text().get(), "1 < 2 && 3 > 2");
    EXPECT_STREQ(flash.child("Extended").child("Param").attribute("value").value(), "AB");
}

TEST_F(ComponentProtocol, ABadTextIsLeftOutWithoutSpoilingTheOthers) {
    const std::string user = "<Param name=\"Title\"/>";
    const std::string data = "<Data><Event/></Data>";
    const std::string extended = "<Param name=\"X\"/>";
    struct Case {
        const char* what;
        std::string user, data, extended;
        bool userKept, dataKept, extendedKept;
    };
    const Case cases[] = {
        {"unclosed entry", "<Param name=\"Title\"", data, extended, false, true, true},
        {"entries closing their element early", "</UserDefined><Data><Event/></Data><UserDefined>",
         "", extended, false, false, true},
        {"entries closing whatever wraps them", user + "</content><Data><Event/></Data><content>",
         "", extended, false, false, true},
        {"mismatched data", user, "<Data><Events></Data>", extended, true, false, true},
        {"data with a document type", user, "<!DOCTYPE Data [<!ENTITY e \"x\">]><Data/>", extended,
         true, false, true},
        {"extended closing its element early", user, data, "</Extended><Data/><Extended>", true,
         true, false},
        {"not XML at all", "<<<>>>", data, "<", false, true, false},
        {"declarations and byte-order marks", "\xEF\xBB\xBF" + user,
         "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\r\n" + data,
         "<?xml version=\"1.0\"?>" + extended, true, true, true},
    };
    for (const Case& c : cases) {
        PushAll("", c.user, c.data, c.extended);
        pugi::xml_document doc;
        const pugi::xml_node flash = ServedRoot(doc);
        EXPECT_EQ(bool(flash.child("UserDefined").child("Param")), c.userKept) << c.what;
        EXPECT_EQ(bool(flash.child("Data").child("Event")), c.dataKept) << c.what;
        EXPECT_EQ(bool(flash.child("Extended")), c.extendedKept) << c.what;
        EXPECT_FALSE(flash.child("Data").next_sibling("Data")) << c.what;
    }
}

TEST_F(ComponentProtocol, DeeplyNestedTextsAreServedWithoutCrashing) {
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    for (int i = 0; i < 200000; ++i)
        deep += "</a>";
    PushAll("", "<Param name=\"A\"/>", "<Data>" + deep + "</Data>", deep);
    const Served served = Serve("about:props.xml");
    ASSERT_EQ(served.result, S_OK);
    EXPECT_GT(served.body.size(), 2 * deep.size());
    EXPECT_NE(served.body.find("<UserDefined><Param name=\"A\"/></UserDefined>"),
              std::string::npos);
}

TEST_F(ComponentProtocol, TheModuleAnswersOnlyItsClassAndInterfaces) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(tev::GetClassObjectFromModule(ModulePath(), IID_ITEVComponentProtocol,
                                            IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    CComPtr<IInternetProtocolLite> serving =
        NewInstance<IInternetProtocolLite>(IID_IInternetProtocolLite);
    ASSERT_TRUE(serving);
    CComPtr<IClassFactory> none;
    EXPECT_EQ(serving.QueryInterface(IID_IClassFactory, none), E_NOINTERFACE);
    EXPECT_EQ(serving->Serve(nullptr, nullptr, nullptr), E_POINTER);
}

TEST_F(ComponentProtocol, PushesAndRequestsFromSeveralThreadsStayWhole) {
    std::atomic<int> broken{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &broken] {
            for (int i = 0; i < 2000; ++i) {
                const std::string value(100 + (i * 37 + t * 911) % 4000, char('a' + t));
                Push(&ITEVComponentProtocol::SetUserDefinedXml, "<Param value=\"" + value + "\"/>");
                pugi::xml_document doc;
                const Served served = Serve("about:props.xml");
                broken += served.result != S_OK || !tev::LoadXml(doc, served.body) ||
                          !doc.document_element().child("UserDefined").child("Param");
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(broken.load(), 0);
}

class ComponentFolder : public ComponentProtocol {
protected:
    void SetUp() override {
        ComponentProtocol::SetUp();
        namespace fs = std::filesystem;
        base = root / "Calendar Component/";
        fs::create_directories(base + "Calendar");
        fs::create_directories(base + "images");
        for (const auto& [name, bytes] :
             {std::pair<std::string, std::string>{"Calendar/WebCalendar.css", "td{}"},
              {"images/My Logo.png", png},
              {"thumb.JPG", "jpeg"},
              {"script.js", "var a;"},
              {"README", "plain"},
              {"props.xml", "<the component's defaults/>"}})
            ASSERT_TRUE(tevtest::WriteFileBytes(base + name, bytes));
        ASSERT_TRUE(tevtest::WriteFileBytes(root / "secret.txt", "secret"));
        fs::create_directory_symlink(root.path(), base + "outside");
        fs::create_symlink(root / "secret.txt", base + "leak.txt");
        fs::create_symlink(base + "script.js", base + "alias.js");
        ASSERT_EQ(mkfifo((base + "pipe.png").c_str(), 0600), 0);
        Push(&ITEVComponentProtocol::SetBaseFolder, base);
    }

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
        {"about:Calendar/WebCalendar.css", "text/css", "td{}"},
        {"about:Calendar\\WebCalendar.css", "text/css", "td{}"},
        {"about:Calendar//WebCalendar.css", "text/css", "td{}"},
        {"about:images/My%20Logo.png", "image/png", png},
        {"about:images%2FMy%20Logo.png?v=2", "image/png", png},
        {"about:./thumb.JPG", "image/jpeg", "jpeg"},
        {"about:script.js#x", "text/javascript", "var a;"},
        {"about:alias.js", "text/javascript", "var a;"}, // a link that stays inside
        {"about:README", "application/octet-stream", "plain"},
        // The properties document always wins over a file of its name.
        {"about:props.xml", "text/xml", kEmptyDocument},
        {"about:PROPS.XML?nocache=42", "text/xml", kEmptyDocument},
        {"tevabout:props%2Exml#top", "text/xml", kEmptyDocument},
    };
    for (const Case& c : cases) {
        const Served served = Serve(c.url);
        EXPECT_EQ(served.result, S_OK) << c.url;
        EXPECT_EQ(served.type, c.type) << c.url;
        EXPECT_EQ(served.body, c.body) << c.url;
    }
    Push(&ITEVComponentProtocol::SetBaseFolder, base.substr(0, base.size() - 1));
    EXPECT_EQ(Serve("about:thumb.JPG").body, "jpeg"); // no trailing '/' needed
}

TEST_F(ComponentFolder, NamesOutsideTheBaseFolderAreRefusedAndUnknownNamesNotFound) {
    const HRESULT refused = INET_E_INVALID_URL;
    const HRESULT notFound = INET_E_OBJECT_NOT_FOUND;
    struct Case {
        const char* url;
        HRESULT result;
    };
    const Case cases[] = {
        {"about:../secret.txt", refused},
        {"about:..%2Fsecret.txt", refused},
        {"about:%2e%2e/secret.txt", refused},
        {"about:%2E%2E%5Csecret.txt", refused},
        {"about:..\\secret.txt", refused},
        {"about:Calendar/../../secret.txt", refused},
        {"about:Calendar/..", refused},
        {"about:/etc/passwd", refused},
        {"about:%2Fetc%2Fpasswd", refused},
        {"about:\\etc\\passwd", refused},
        {"about:outside/secret.txt", refused}, // links leading out
        {"about:leak.txt", refused},
        {"about:%zz", refused}, // broken escapes and zero bytes
        {"about:thumb.JPG%4", refused},
        {"about:thumb.JPG%00.png", refused},
        {"about:nothing.png", notFound},
        {"about:images/my logo.png", notFound},
        {"about:Calendar", notFound}, // folders, pipes and nothing at all
        {"about:.", notFound},
        {"about:", notFound},
        {"about:pipe.png", notFound},
        {"about:%252e%252e/secret.txt", notFound}, // decoded once: a plain name
    };
    for (const Case& c : cases) {
        const Served served = Serve(c.url);
        EXPECT_EQ(served.result, c.result) << c.url;
        EXPECT_TRUE(served.body.empty()) << c.url;
    }
    for (const std::string& folder : {std::string(), root / "no such folder/"}) {
        Push(&ITEVComponentProtocol::SetBaseFolder, folder);
        EXPECT_EQ(Serve("about:thumb.JPG").result, notFound) << folder;
    }
}
