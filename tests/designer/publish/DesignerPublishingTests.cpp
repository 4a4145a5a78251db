#include "designer/core/TEVComponentDesignerView.h"
#include "designer/publish/LinkCtrlEx.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "resources/designer/PublishResource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <filesystem>

using namespace TEVComponentDesignerAfx;
using tevtest::CountOf;
using tevtest::ReadFileBytes;
using tevtest::ScopedEnv;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

using Files = std::vector<std::string>;

// The designer view as the program configures it, for the component beside the program.
struct Publishing : testing::Test {
    TempDir home;
    ScopedEnv documents{"XDG_DOCUMENTS_DIR", home / "docs"};
    ScopedEnv userData{"XDG_DATA_HOME", home / "data"};
    wxFrame* frame = nullptr;
    CTEVComponentDesignerView* view = nullptr;

    void SetUp() override {
        tev::OverrideProgramFolder(tevtest::ProgramDir());
        frame = new wxFrame(nullptr, wxID_ANY, "designer", wxDefaultPosition, wxSize(900, 650));
        view = new CTEVComponentDesignerView(true, false);
        view->SetProgID("TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1");
        view->SetProjectExtension("kcd");
        view->SetProjectType("Quorvane Web Calendar");
        view->SetComponentPath(tevtest::ProgramDir() + "component/Calendar/componentInfo.xml");
        view->SetIndexHtmlFileName("MyCalendar.html");
        view->Create(frame, 101, wxRect(0, 0, 880, 620));
        frame->Show();
        view->CreateNew();
    }
    void TearDown() override {
        frame->Destroy();
        tev::PumpEventsFor(20);
        tev::OverrideProgramFolder("");
    }
    CTEVComponentDesignerPublishView* Page() { return view->GetPublishView(); }
    Files Listed() { return tevtest::ListBoxItems(Page()->GetRequiredFilesList()); }
    bool PublishingEnabled() {
        return Page()->IsPublishEnabled() && Page()->GetRequiredFilesList()->IsEnabled() &&
               Page()->GetHtmlEdit()->IsEnabled() && Page()->GetPublishFolderLink()->IsEnabled();
    }
    void EditProperties(const std::string& title) {
        view->GetTemplateView()->SetPropertiesXml("<flash><UserDefined><Param name=\"Title\" "
                                                  "value=\"" +
                                                  title + "\"/></UserDefined></flash>");
    }
};

} // namespace

TEST_F(Publishing, ANewProjectIsGreyedOutAndItsFirstSaveFillsTheTab) {
    EXPECT_FALSE(PublishingEnabled());
    EXPECT_FALSE(Page()->GetRequiredFilesList()->IsEnabled());
    EXPECT_EQ(Listed(), Files{});
    std::string code = Page()->GetHtmlCode();
    EXPECT_EQ(CountOf(code, "WIDTH=\"500\" HEIGHT=\"400\""), 2u) << "the component's own size";
    EXPECT_EQ(CountOf(code, "tev_xmlConnectorURL=project.xml\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "\"WebCalendar.js\""), 2u) << code;

    EditProperties("Spring &amp; summer");
    std::filesystem::create_directories(home / "Spring");
    ASSERT_TRUE(view->SaveProject(home.path(), "Spring"));
    EXPECT_TRUE(PublishingEnabled());
    EXPECT_EQ(Page()->GetPublishFolderLink()->GetTarget(), home / "Spring");
    code = Page()->GetHtmlCode();
    EXPECT_EQ(CountOf(code, "tev_xmlConnectorURL=Spring.xml\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "WIDTH=\"500\" HEIGHT=\"400\""), 2u) << "the size stays";
    const Files listed = Listed();
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
        return wxString::FromUTF8(a).CmpNoCase(wxString::FromUTF8(b)) < 0;
    }));
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Spring.xml"), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), "MyCalendar.html"), listed.end());

    const std::string project = ReadFileBytes(home / "Spring.kcd");
    ASSERT_GT(project.size(), 2u);
    EXPECT_EQ(ReadFileBytes(home / "Spring/Spring.xml"), project) << "byte for byte";
    EXPECT_EQ(ReadFileBytes(home / "Spring/MyCalendar.html"), view->GetHtmlCode());
}

TEST_F(Publishing, TheFolderHoldsTheMovieAndEveryAssetOfTheComponent) {
    const std::vector<std::string>* assets = view->GetAssets();
    if (!assets || assets->empty() || view->GetFlashComponentPath().empty())
        GTEST_SKIP() << "needs the asset list of the property grid (GetAssets) and the movie "
                        "path of the preview (GetFlashComponentPath)";
    std::filesystem::create_directories(home / "Spring");
    ASSERT_TRUE(view->SaveProject(home.path(), "Spring"));
    EXPECT_EQ(Listed(), (Files{"MyCalendar.html", "Spring.ics", "Spring.xml", "swfobject.js",
                               "WebCalendar.css", "WebCalendar.js"}));
    const std::string component = tevtest::ProgramDir() + "component/Calendar/";
    EXPECT_EQ(ReadFileBytes(home / "Spring/WebCalendar.js"),
              ReadFileBytes(component + "WebCalendar.js"));
    EXPECT_EQ(ReadFileBytes(home / "Spring/WebCalendar.css"),
              ReadFileBytes(component + "WebCalendar.css"));
    EXPECT_EQ(ReadFileBytes(home / "Spring/swfobject.js"),
              ReadFileBytes(tevtest::ProgramDir() + "swfobject.js"));
}

TEST_F(Publishing, OpeningAProjectRefreshesTheTabAndWritesNothing) {
    std::filesystem::create_directories(home / "Spring");
    ASSERT_TRUE(view->SaveProject(home.path(), "Spring"));
    ASSERT_TRUE(WriteFileBytes(home / "Spring/Spring.xml", "edited outside"));
    std::filesystem::remove(home / "Spring/MyCalendar.html");

    view->CreateNew();
    EXPECT_FALSE(PublishingEnabled());
    EXPECT_EQ(Listed(), Files{});
    view->OpenProject(home.path(), "Spring");
    EXPECT_TRUE(PublishingEnabled());
    EXPECT_EQ(Page()->GetPublishFolder(), home / "Spring");
    const Files listed = Listed();
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Spring.xml"), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), "MyCalendar.html"), listed.end());
    EXPECT_EQ(CountOf(Page()->GetHtmlCode(), "tev_xmlConnectorURL=Spring.xml\""), 2u);
    EXPECT_EQ(ReadFileBytes(home / "Spring/Spring.xml"), "edited outside");
    EXPECT_FALSE(tev::FileExists(home / "Spring/MyCalendar.html"));
}

TEST_F(Publishing, AnUnwritablePublishFolderStillSavesTheProject) {
    // A file stands where the publish folder should be.
    ASSERT_TRUE(WriteFileBytes(home / "Spring", "in the way"));
    EditProperties("kept");
    bool saved = false;
    TEV_EXPECT_NO_DIALOG(saved = view->SaveProject(home.path(), "Spring"));
    EXPECT_TRUE(saved);
    EXPECT_FALSE(view->IsDirty());
    EXPECT_EQ(ReadFileBytes(home / "Spring"), "in the way");
    std::string text;
    ASSERT_TRUE(CDesignerProject::ReadProjectText(home / "Spring.kcd", text));
    EXPECT_NE(text.find("value=\"kept\""), std::string::npos) << text;
    EXPECT_TRUE(PublishingEnabled()) << "the project has its publish folder's name";
}

TEST_F(Publishing, OddProjectNamesAreSavedAndShownAsTheyAre) {
    const std::string names[] = {"My Calendar", "Tom & Jerry", "Say \"Hi\"",
                                 "Fr\xC3\xBChling \xE6\x98\xA5"};
    for (const std::string& name : names) {
        std::filesystem::create_directories(home / name);
        bool saved = false;
        TEV_EXPECT_NO_DIALOG(saved = view->SaveProject(home.path(), name));
        EXPECT_TRUE(saved) << name;
        EXPECT_EQ(ReadFileBytes(home / name + "/" + name + ".xml"),
                  ReadFileBytes(home / name + ".kcd"))
            << name;
        EXPECT_EQ(CountOf(Page()->GetHtmlCode(), "tev_xmlConnectorURL=" + name + ".xml\""), 2u)
            << Page()->GetHtmlCode();
        const Files listed = Listed();
        EXPECT_NE(std::find(listed.begin(), listed.end(), name + ".xml"), listed.end()) << name;
    }
}
