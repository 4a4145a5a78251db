// The designer's binding to the protocol handler, with the real module found by file name in
// the program's folder, and the preview's use of it through the URL namespace session.
#include "designer/properties/ComponentProtocolBinding.h"
#include "platform/com/ModuleLoader.h"
#include "platform/web/InternetProtocolLite.h"
#include "platform/web/InternetSession.h"
#include "platform/xml/XmlDom.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using TEVComponentDesignerAfx::CComponentProtocolBinding;

namespace {

// Points tev::ProgramFolder() at another folder while alive.
class ScopedProgramFolder {
public:
    explicit ScopedProgramFolder(const std::string& folder) { tev::OverrideProgramFolder(folder); }
    ~ScopedProgramFolder() { tev::OverrideProgramFolder(""); }
};

// The bindings of the property grid, the template view and the preview, each with its own
// factory, as the designer holds them.
struct DesignerBindings {
    ScopedProgramFolder folder{tevtest::ProgramDir()};
    CComponentProtocolBinding grid;
    CComponentProtocolBinding templateView;
    CComponentProtocolBinding preview;
};

// Registers the preview's factory for "about" in the process's session while alive.
class ScopedAboutHandler {
public:
    explicit ScopedAboutHandler(IClassFactory* factory) : m_factory(factory) {
        result = tev::InternetSession::Instance().RegisterNameSpace(factory, "about");
    }
    ~ScopedAboutHandler() {
        tev::InternetSession::Instance().UnregisterNameSpace(m_factory, "about");
    }
    HRESULT result;

private:
    IClassFactory* m_factory;
};

tev::InternetResponse Resolve(const std::string& url, HRESULT expected = S_OK) {
    tev::InternetResponse response;
    EXPECT_EQ(tev::InternetSession::Instance().Resolve(url, response), expected) << url;
    return response;
}

} // namespace

TEST(ComponentProtocolBinding, PushesReachTheDocumentThePreviewSessionServes) {
    DesignerBindings designer;
    ASSERT_TRUE(designer.grid.IsAvailable());
    ASSERT_TRUE(designer.templateView.IsAvailable());
    ASSERT_TRUE(designer.preview.IsAvailable());
    EXPECT_NE(designer.grid.Factory(), designer.preview.Factory());

    tevtest::TempDir component;
    std::filesystem::create_directories(component / "Calendar");
    ASSERT_TRUE(tevtest::WriteFileBytes(component / "Calendar/WebCalendar.css", "td{}"));

    EXPECT_TRUE(designer.preview.Push(&ITEVComponentProtocol::SetBaseFolder, component.path()));
    EXPECT_TRUE(designer.grid.Push(&ITEVComponentProtocol::SetUserDefinedXml,
                                   "<Param name=\"Title\" value=\"Club &amp; Co\"/>"));
    EXPECT_TRUE(
        designer.templateView.Push(&ITEVComponentProtocol::SetDataXml,
                                   "<Data><Events><Event Subject=\"Choir\"/></Events></Data>"));
    EXPECT_TRUE(designer.templateView.Push(&ITEVComponentProtocol::SetExtendedXmlText, ""));
    EXPECT_FALSE(designer.grid.Push(nullptr, "ignored"));

    {
        ScopedAboutHandler about(designer.preview.Factory());
        ASSERT_EQ(about.result, S_OK);

        const tev::InternetResponse props = Resolve("about:props.xml");
        EXPECT_EQ(props.contentType, "text/xml");
        pugi::xml_document doc;
        ASSERT_TRUE(tev::LoadXml(doc, props.content)) << props.content;
        const pugi::xml_node flash = doc.document_element();
        EXPECT_STREQ(flash.name(), "flash");
        EXPECT_STREQ(flash.child("UserDefined").child("Param").attribute("value").value(),
                     "Club & Co");
        EXPECT_STREQ(
            flash.child("Data").child("Events").child("Event").attribute("Subject").value(),
            "Choir");
        EXPECT_FALSE(flash.child("Extended"));

        const tev::InternetResponse css = Resolve("about:Calendar/WebCalendar.css");
        EXPECT_EQ(css.contentType, "text/css");
        EXPECT_EQ(css.content, "td{}");
        Resolve("about:../etc/passwd", INET_E_INVALID_URL);

        // A new project: the template view pushes empty data; the next request shows it.
        EXPECT_TRUE(designer.templateView.Push(&ITEVComponentProtocol::SetDataXml, ""));
        pugi::xml_document fresh;
        ASSERT_TRUE(tev::LoadXml(fresh, Resolve("about:props.xml").content));
        EXPECT_FALSE(fresh.document_element().child("Data"));
        EXPECT_TRUE(fresh.document_element().child("UserDefined").child("Param"));
    }
    // The preview gone, "about:" URLs are no longer served.
    EXPECT_TRUE(Resolve("about:props.xml", INET_E_UNKNOWN_PROTOCOL).content.empty());
    designer.preview.Push(&ITEVComponentProtocol::SetBaseFolder, "");
}

TEST(ComponentProtocolBinding, WithoutAUsableHandlerTheFactoryIsNullAndPushesDoNothing) {
    // What the real handler holds before: none of the failed pushes below may change it.
    {
        DesignerBindings designer;
        designer.grid.Push(&ITEVComponentProtocol::SetUserDefinedXml, "<Param name=\"Kept\"/>");
    }
    tevtest::TempDir empty;
    tevtest::TempDir damaged;
    ASSERT_TRUE(tevtest::WriteFileBytes(damaged / kTEVComponentProtocolModule, "not a module"));
    const std::string fakes = TEV_FAKE_MODULES_DIR;
    ASSERT_TRUE(std::filesystem::exists(fakes + "without_export/" + kTEVComponentProtocolModule));
    ASSERT_TRUE(std::filesystem::exists(fakes + "other_class/" + kTEVComponentProtocolModule));

    const CComponentProtocolBinding::Method methods[] = {
        &ITEVComponentProtocol::SetBaseFolder, &ITEVComponentProtocol::SetUserDefinedXml,
        &ITEVComponentProtocol::SetDataXml, &ITEVComponentProtocol::SetExtendedXmlText};
    for (const std::string& folder :
         {empty.path(), damaged.path(), fakes + "without_export/", fakes + "other_class/"}) {
        ScopedProgramFolder programFolder(folder);
        const CComponentProtocolBinding binding;
        EXPECT_FALSE(binding.IsAvailable()) << folder;
        EXPECT_EQ(binding.Factory(), nullptr) << folder;
        for (const auto method : methods)
            EXPECT_FALSE(binding.Push(method, "<Param name=\"Lost\"/>")) << folder;
        // The preview then registers nothing.
        EXPECT_EQ(tev::InternetSession::Instance().RegisterNameSpace(binding.Factory(), "about"),
                  E_INVALIDARG);
        EXPECT_FALSE(tev::InternetSession::Instance().IsRegistered("about"));
    }

    DesignerBindings designer;
    ScopedAboutHandler about(designer.preview.Factory());
    const std::string props = Resolve("about:props.xml").content;
    EXPECT_NE(props.find("Kept"), std::string::npos) << props;
    EXPECT_EQ(props.find("Lost"), std::string::npos) << props;
    designer.grid.Push(&ITEVComponentProtocol::SetUserDefinedXml, "");
}
