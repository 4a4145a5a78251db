#include "designer/core/TEVComponentDesignerDataView.h"
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/core/TemplateDialog.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/web/HtmlView.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "tests/support/DesignerDialogTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <filesystem>

using namespace TEVComponentDesignerAfx;
using tevtest::ExpectMessageBox;
using tevtest::ExpectTemplateName;
using tevtest::ReadFileBytes;
using tevtest::ScopedEnv;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

const char* const kSaveQuestion = "Do you want to save the current project?";
const char* const kProjectType = "Quorvane Web Calendar";

class CountingHost : public CTEVComponentDesignerHostBase {
public:
    void RequestSave() override { ++requests; }
    int requests = 0;
};

// A designer view in a frame, configured as a host configures it, with the user's
// documents in a private folder.
struct DesignerFixture : testing::Test {
    // No editor control is registered here: the data page stays empty.
    tevtest::ScopedRegistry registry{tevtest::ScopedRegistry::MachineClasses::Private};
    TempDir home;
    ScopedEnv documents{"XDG_DOCUMENTS_DIR", home / "docs"};
    ScopedEnv userData{"XDG_DATA_HOME", home / "data"};
    CountingHost host;
    wxFrame* frame = nullptr;
    CTEVComponentDesignerView* view = nullptr;

    void SetUp() override {
        tev::OverrideProgramFolder(tevtest::ProgramDir());
        frame = new wxFrame(nullptr, wxID_ANY, "designer", wxDefaultPosition, wxSize(800, 600));
        view = Make(true, true, "Create Events");
        frame->Show();
        view->CreateNew();
    }
    void TearDown() override {
        frame->Destroy();
        tev::PumpEventsFor(20);
        tev::OverrideProgramFolder("");
    }
    CTEVComponentDesignerView* Make(bool publish, bool online, const std::string& caption) {
        auto* v = new CTEVComponentDesignerView(publish, online);
        v->SetProgID("TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1");
        v->SetProjectExtension("kcd");
        v->SetProjectType(kProjectType);
        v->SetComponentPath(home / "component/Calendar/componentInfo.xml");
        v->SetTEVComponentDesignerHost(&host);
        v->SetIndexHtmlFileName("MyCalendar.html");
        v->SetDataTabCaption(caption);
        v->Create(frame, 101, wxRect(0, 0, 700, 500));
        return v;
    }
    // Stands in for a property edit: the user-defined values change.
    void EditProperties(const std::string& value) {
        view->GetTemplateView()->SetPropertiesXml("<flash><UserDefined><Title>" + value +
                                                  "</Title></UserDefined></flash>");
    }
    void ShowPage(int index) { view->GetTabControl()->SetActiveView(index); }
    std::string UserTemplates() const {
        return home / "data/Quorvane/Quorvane Web Calendar/Templates";
    }
};

std::vector<std::string> Captions(tev::TabControl* tabs) {
    std::vector<std::string> captions;
    for (int i = 0; i < tabs->GetViewCount(); ++i)
        captions.push_back(tabs->GetViewCaption(i));
    return captions;
}

} // namespace

TEST_F(DesignerFixture, PagesComeInOrderWithTheOnlineStripBelow) {
    tev::TabControl* tabs = view->GetTabControl();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetId(), 7519);
    EXPECT_EQ(Captions(tabs),
              (std::vector<std::string>{"Create Events", "Choose Style", "Publish"}));
    EXPECT_EQ(tabs->GetView(0), view->GetDataView());
    EXPECT_EQ(tabs->GetView(1), view->GetTemplateView());
    EXPECT_EQ(tabs->GetView(2), view->GetPublishView());
    EXPECT_EQ(tabs->GetActiveIndex(), 0);
    EXPECT_EQ(view->GetTemplateView()->GetDesignerView(), view);
    EXPECT_EQ(view->GetTemplateView()->GetTemplateRoots(), &view->GetTemplateFolders());
    EXPECT_EQ(view->GetDataView()->GetProgID(), "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1");
    EXPECT_FALSE(view->GetDataView()->HasControl());
    EXPECT_EQ(view->GetPublishView()->GetComponentPath(),
              home / "component/Calendar/componentInfo.xml");

    // A view 400 pixels high gives the tabs 310 and the strip 90.
    view->SetSize(0, 0, 640, 400);
    EXPECT_EQ(tabs->GetRect(), wxRect(0, 0, 640, 310));
    ASSERT_NE(view->GetOnlineView(), nullptr);
    EXPECT_EQ(view->GetOnlineView()->GetRect(), wxRect(0, 310, 640, 90));
}

TEST_F(DesignerFixture, TheOnlinePaneShowsThePageBesideTheProgram) {
    tev::HtmlView* online = view->GetOnlineView();
    ASSERT_NE(online, nullptr);
    std::string title;
    ASSERT_TRUE(tev::PumpEventsUntil(
        [&] {
            return online->LoadCount() > 0 && !online->IsBusy() &&
                   online->RunScript("document.querySelector('h1').textContent", &title) &&
                   !title.empty();
        },
        15000));
    EXPECT_EQ(title, "Welcome to Quorvane Web Calendar");
    EXPECT_NE(online->GetCurrentUrl().find("Quorvane%20System/Online/index.html"),
              std::string::npos);
}

TEST_F(DesignerFixture, WithoutFlagsTheTabsFillTheViewAndTheDataCaptionDefaults) {
    CTEVComponentDesignerView* plain = Make(false, false, "");
    plain->SetSize(0, 0, 500, 400);
    EXPECT_EQ(Captions(plain->GetTabControl()), (std::vector<std::string>{"Data", "Choose Style"}));
    EXPECT_EQ(plain->GetPublishView(), nullptr);
    EXPECT_EQ(plain->GetOnlineView(), nullptr);
    EXPECT_EQ(plain->GetTabControl()->GetRect(), wxRect(0, 0, 500, 400));
    // Publishing hand-overs are skipped without a publish page.
    plain->CreateNew();
    EXPECT_EQ(plain->GetPublishFolder(), "");
    plain->Destroy();
}

TEST_F(DesignerFixture, TemplateFoldersAreTheComponentsThenTheUsers) {
    EXPECT_EQ(view->GetTemplateFolders(),
              (std::vector<std::string>{home / "component/Calendar/Templates/", UserTemplates()}));
    EXPECT_TRUE(tev::FolderExists(UserTemplates())) << "created with the view";

    // The project type must come first: set after, the user folder misses it.
    CTEVComponentDesignerView late(false, false);
    late.SetComponentPath(home / "c/componentInfo.xml");
    late.SetProjectType(kProjectType);
    EXPECT_EQ(late.GetTemplateFolders()[1], home / "data/Quorvane//Templates");
}

TEST_F(DesignerFixture, NewProjectIsCleanUntitledAndUnpublished) {
    EXPECT_EQ(view->GetProjectName(), "project");
    EXPECT_EQ(view->GetPublishFolder(), "");
    EXPECT_FALSE(view->IsDirty());
    bool answer = true;
    TEV_EXPECT_NO_DIALOG(answer = view->PromptSave());
    EXPECT_FALSE(answer);
    // Without an editor control the page keeps the new project's empty data as it was given.
    EXPECT_EQ(view->GetPropertiesXml(),
              "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r<flash>\n\n<Data/>"
              "</flash>");
}

TEST_F(DesignerFixture, SavedProjectsOpenUnchangedAndClean) {
    EditProperties("Spring &amp; summer");
    ASSERT_TRUE(view->SaveProject(home.path(), "Cal1"));
    EXPECT_FALSE(view->IsDirty());
    EXPECT_EQ(view->GetProjectName(), "Cal1");
    EXPECT_EQ(view->GetPublishFolder(), home / "Cal1");
    // Without a descriptor the only asset is the player script beside the program; the data
    // file and the page follow the assets.
    EXPECT_EQ(view->GetPublishView()->GetRequiredFiles(),
              (std::vector<std::string>{"swfobject.js", "Cal1.xml", "MyCalendar.html"}));
    const std::string saved = view->GetPropertiesXml();
    const std::string bytes = ReadFileBytes(home / "Cal1.kcd");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");

    view->CreateNew();
    EXPECT_EQ(view->GetTemplateView()->GetUserDefinedXml(), "");
    view->OpenProject(home.path(), "Cal1");
    EXPECT_FALSE(view->IsDirty());
    EXPECT_EQ(view->GetPropertiesXml(), saved);
    EXPECT_EQ(view->GetPublishFolder(), home / "Cal1");
    EXPECT_EQ(view->GetProjectName(), "Cal1");
}

TEST_F(DesignerFixture, FilesThatAreNotProjectsAreRefusedAndChangeNothing) {
    EditProperties("kept");
    ASSERT_TRUE(view->SaveProject(home.path(), "Good"));
    const std::string goodXml = view->GetPropertiesXml();
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"Empty", "", "the file is empty."},
        {"Truncated", std::string("\xFF\xFE<\0?\0x\0m\0l\0 \0v\0e\0", 18) + "\x72",
         "the file's text is not XML."},
        {"Picture", std::string("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16),
         "the file is not a text file."},
        {"Surrogates", std::string("\xFF\xFE<\0a\0>\0\x00\xD8<\0/\0a\0>\0", 18),
         "the file's XML is not a project (its root element is not <flash>)."},
        {"Folder", "", "the file cannot be read."},
    };
    for (const Case& c : cases) {
        const std::string path = home / (std::string(c.name) + ".kcd");
        if (std::string(c.name) == "Folder") {
            std::filesystem::create_directory(path);
        } else {
            ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        }
        bool opened = true;
        wxTEST_DIALOG(opened = view->OpenProject(home.path(), c.name),
                      ExpectMessageBox(path + " cannot be opened as a project: " + c.reason +
                                           "\n\nThe project that was open stays open.",
                                       wxID_OK));
        EXPECT_FALSE(opened) << c.name;
        EXPECT_EQ(view->GetProjectName(), "Good") << c.name;
        EXPECT_EQ(view->GetPublishFolder(), home / "Good") << c.name;
        EXPECT_EQ(view->GetPropertiesXml(), goodXml) << c.name;
        EXPECT_FALSE(view->IsDirty()) << c.name;
        if (!c.bytes.empty()) {
            EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        }
    }

    // A missing file is a new name for what is open: nothing to refuse, nothing read.
    bool opened = false;
    TEV_EXPECT_NO_DIALOG(opened = view->OpenProject(home.path(), "Missing"));
    EXPECT_TRUE(opened);
    EXPECT_EQ(view->GetProjectName(), "Missing");
    EXPECT_EQ(view->GetPropertiesXml(), goodXml);
    EXPECT_EQ(view->GetPublishFolder(), home / "Good");
    EXPECT_FALSE(view->IsDirty());
}

TEST_F(DesignerFixture, ArrivingAtPublishAsksToSaveOnlyWhenNeeded) {
    // Fresh project: asked even without changes; No leaves it be.
    wxTEST_DIALOG(ShowPage(2), ExpectMessageBox(kSaveQuestion, wxID_NO));
    EXPECT_EQ(host.requests, 0);
    EXPECT_EQ(view->GetTabControl()->GetActiveIndex(), 2) << "the page change stands";
    ShowPage(0);
    wxTEST_DIALOG(ShowPage(2), ExpectMessageBox(kSaveQuestion, wxID_YES));
    EXPECT_EQ(host.requests, 1);

    // Saved and unchanged: no question.
    view->SaveProject(home.path(), "Cal1");
    ShowPage(1);
    TEV_EXPECT_NO_DIALOG(ShowPage(2));
    EXPECT_EQ(host.requests, 1);

    // Changed since: asked again.
    ShowPage(0);
    EditProperties("changed");
    wxTEST_DIALOG(ShowPage(2), ExpectMessageBox(kSaveQuestion, wxID_YES));
    EXPECT_EQ(host.requests, 2);
}

TEST_F(DesignerFixture, NewStyleSavesTheCurrentValuesUnderTheGivenName) {
    EditProperties("Blue");
    wxTEST_DIALOG(view->CreateTemplate(), ExpectTemplateName("Spring"));
    const std::string props = UserTemplates() + "/Spring/props.xml";
    ASSERT_TRUE(tev::FileExists(props));
    EXPECT_EQ(ReadFileBytes(props).substr(0, 2), "\xFF\xFE");
    std::string text;
    ASSERT_TRUE(CDesignerProject::ReadProjectText(props, text));
    EXPECT_NE(text.find("<Title>Blue</Title>"), std::string::npos);
    EXPECT_EQ(text.find("<Data"), std::string::npos);

    wxTEST_DIALOG(view->CreateTemplate(), ExpectTemplateName("Autumn", wxID_CANCEL));
    EXPECT_FALSE(tev::FolderExists(UserTemplates() + "/Autumn"));

    // Names that would leave the templates folder are refused like names the file system
    // cannot hold.
    wxTEST_DIALOG(view->CreateTemplate("../Escaped"),
                  ExpectMessageBox(
                      "Failed to get directory " + UserTemplates() + "/../Escaped(123)", wxID_OK));
    EXPECT_FALSE(tev::FolderExists(home / "data/Quorvane/Quorvane Web Calendar/Escaped"));
}

TEST_F(DesignerFixture, NoDocumentsFolderIsReportedAndSavesNoStyle) {
    ScopedEnv noData("XDG_DATA_HOME", "");
    ScopedEnv noConfig("XDG_CONFIG_HOME", home / "no-config");
    ScopedEnv noHome("HOME", "");
    std::string folder = "unchanged";
    wxTEST_DIALOG(folder = view->GetUserTemplatesFolder(),
                  ExpectMessageBox("Failed to get directory ", wxID_OK));
    EXPECT_EQ(folder, "");
    wxTEST_DIALOG(view->CreateTemplate("Spring"),
                  ExpectMessageBox("Failed to get directory ", wxID_OK));
    // Configuring a view before its window exists reports it too, with no owner window.
    CTEVComponentDesignerView unborn(false, false);
    unborn.SetProjectType(kProjectType);
    wxTEST_DIALOG(unborn.SetComponentPath(home / "c/componentInfo.xml"),
                  ExpectMessageBox("Failed to get directory ", wxID_OK));
    EXPECT_EQ(unborn.GetTemplateFolders(), (std::vector<std::string>{home / "c/Templates/", ""}));
}

TEST(TemplateDialog, OkWithoutANameAsksForOneAndKeepsTheDialogOpen) {
    CTemplateDialog dialog;
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(7612));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(tevtest::RefusesAnEmptyNameThenTakes(
        dialog, edit, "Please specify the name of the style", "Winter"));
    EXPECT_EQ(dialog.GetTemplateName(), "Winter");
}

TEST(DataView, ProjectDataIsTheDataElementDirectlyBelowTheRoot) {
    struct Case {
        const char* xml;
        bool found;
        const char* data;
    };
    const Case cases[] = {
        {"<flash><UserDefined/><Data><E id=\"1\"/></Data></flash>", true,
         "<Data><E id=\"1\"/></Data>"},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r<flash><Data/></flash>", true, "<Data/>"},
        {"<flash><UserDefined><Data/></UserDefined></flash>", false, ""},
        {"<flash/>", false, ""},
        {"<flash><Data>", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        std::string data;
        EXPECT_EQ(CTEVComponentDesignerDataView::ExtractDataSection(c.xml, data), c.found) << c.xml;
        EXPECT_EQ(data, c.data) << c.xml;
    }
}
