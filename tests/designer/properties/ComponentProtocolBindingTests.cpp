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
struct ScopedProgramFolder {
    explicit ScopedProgramFolder(const std::string& folder) { tev::OverrideProgramFolder(folder); }
    ~ScopedProgramFolder() { tev::OverrideProgramFolder(""); }
};

// The bindings of the property grid, the template view and the preview, each with its own
// factory, and the preview's registration for "about", as the designer holds them.
struct Designer {
    Designer() { about = session.RegisterNameSpace(preview.Factory(), "about"); }
    ~Designer() { session.UnregisterNameSpace(preview.Factory(), "about"); }
    ScopedProgramFolder folder{tevtest::ProgramDir()};
    CComponentProtocolBinding grid, templateView, preview;
    tev::InternetSession& session = tev::InternetSession::Instance();
    HRESULT about;
};

std::string Served(const std::string& url, HRESULT expected = S_OK) {
    tev::InternetResponse response;
    EXPECT_EQ(tev::InternetSession::Instance().Resolve(url, response), expected) << url;
    return response.content;
}

} // namespace

TEST(ComponentProtocolBinding, PushesReachTheDocumentThePreviewSessionServes) {
    tevtest::TempDir component;
    std::filesystem::create_directories(component / "Calendar");
    ASSERT_TRUE(tevtest::WriteFileBytes(component / "Calendar/WebCalendar.css", "td{}"));
    {
        Designer designer;
        ASSERT_TRUE(designer.grid.IsAvailable() && designer.templateView.IsAvailable());
        ASSERT_EQ(designer.about, S_OK);
        EXPECT_NE(designer.grid.Factory(), designer.preview.Factory());

        EXPECT_TRUE(designer.preview.Push(&ITEVComponentProtocol::SetBaseFolder, component.path()));
        EXPECT_TRUE(designer.grid.Push(&ITEVComponentProtocol::SetUserDefinedXml,
                                       "<Param name=\"Title\" value=\"Club &amp; Co\"/>"));
        EXPECT_TRUE(designer.templateView.Push(&ITEVComponentProtocol::SetDataXml,
                                               "<Data><Event Subject=\"Choir\"/></Data>"));
        EXPECT_TRUE(designer.templateView.Push(&ITEVComponentProtocol::SetExtendedXmlText, ""));
        EXPECT_FALSE(designer.grid.Push(nullptr, "ignored"));

        pugi::xml_document doc;
        ASSERT_TRUE(tev::LoadXml(doc, Served("about:props.xml")));
        const pugi::xml_node flash = doc.child("flash");
        EXPECT_STREQ(flash.child("UserDefined").child("Param").attribute("value").value(),
                     "Club & Co");
        EXPECT_STREQ(flash.child("Data").child("Event").attribute("Subject").value(), "Choir");
        EXPECT_FALSE(flash.child("Extended"));
        EXPECT_EQ(Served("about:Calendar/WebCalendar.css"), "td{}");
        Served("about:../etc/passwd", INET_E_INVALID_URL);

        // A new project: the template view pushes empty data; the next request shows it.
        EXPECT_TRUE(designer.templateView.Push(&ITEVComponentProtocol::SetDataXml, ""));
        ASSERT_TRUE(tev::LoadXml(doc, Served("about:props.xml")));
        EXPECT_FALSE(doc.child("flash").child("Data"));
        EXPECT_TRUE(doc.child("flash").child("UserDefined").child("Param"));
        designer.preview.Push(&ITEVComponentProtocol::SetBaseFolder, "");
        designer.grid.Push(&ITEVComponentProtocol::SetUserDefinedXml, "");
    }
    // The preview gone, "about:" URLs are no longer served.
    EXPECT_EQ(Served("about:props.xml", INET_E_UNKNOWN_PROTOCOL), "");
}

TEST(ComponentProtocolBinding, WithoutAUsableHandlerTheFactoryIsNullAndPushesDoNothing) {
    tevtest::TempDir empty, damaged;
    ASSERT_TRUE(tevtest::WriteFileBytes(damaged / kTEVComponentProtocolModule, "not a module"));
    const std::string fakes = TEV_FAKE_MODULES_DIR;
    const std::string folders[] = {empty.path(), damaged.path(), fakes + "without_export/",
                                   fakes + "other_class/"};
    for (const std::string& folder : folders) {
        ASSERT_TRUE(folder == empty.path() ||
                    std::filesystem::exists(folder + kTEVComponentProtocolModule));
        ScopedProgramFolder programFolder(folder);
        const CComponentProtocolBinding binding;
        EXPECT_FALSE(binding.IsAvailable()) << folder;
        EXPECT_EQ(binding.Factory(), nullptr) << folder;
        for (const auto method :
             {&ITEVComponentProtocol::SetBaseFolder, &ITEVComponentProtocol::SetUserDefinedXml,
              &ITEVComponentProtocol::SetDataXml, &ITEVComponentProtocol::SetExtendedXmlText})
            EXPECT_FALSE(binding.Push(method, "<Param name=\"Lost\"/>")) << folder;
        // The preview then registers nothing.
        EXPECT_EQ(tev::InternetSession::Instance().RegisterNameSpace(binding.Factory(), "about"),
                  E_INVALIDARG);
    }
    // The real handler never saw those pushes.
    Designer designer;
    EXPECT_EQ(Served("about:props.xml").find("Lost"), std::string::npos);
}
