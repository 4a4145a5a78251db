// The program's publishing as a new user meets it: the real main window with the calendar
// component beside the program.
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/ftp/ConnectDlg.h"
#include "designer/publish/LinkCtrlEx.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "host/TEVCalendarDlg.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "resources/designer/PublishResource.h"
#include "resources/host/HostResource.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <filesystem>

using TEVComponentDesignerAfx::CTEVComponentDesignerPublishView;
using tevtest::CountOf;
using tevtest::ExpectFileDialog;
using tevtest::ExpectMessageBox;
using tevtest::kProjectFilter;
using tevtest::ReadFileBytes;
using tevtest::SortedFileNames;

namespace {

using Files = std::vector<std::string>;

struct Program : tevtest::MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenMainWindow(tevtest::BuiltComponentDescriptor(), "");
    }
    CTEVComponentDesignerPublishView* Page() { return dlg->GetDesignerView()->GetPublishView(); }
    Files Listed() { return tevtest::ListBoxItems(Page()->GetRequiredFilesList()); }
    bool AnyPublishingControlEnabled() {
        using namespace tev::designer;
        for (int id : {IDC_REQUIRED_FILES_GROUP, IDC_OPEN_PUBLISH_FOLDER, IDC_REQUIRED_FILES,
                       IDC_PUBLISH, IDC_HTML_GROUP, IDC_HTML_CODE, IDC_COPY_TO_CLIPBOARD}) {
            if (Page()->FindWindow(id)->IsEnabled())
                return true;
        }
        return false;
    }
};

} // namespace

namespace {

// Expects the "Publish" dialog for `folder` and cancels it.
class ExpectPublishDialog
    : public wxExpectModalBase<TEVComponentDesignerAfx::CConnectDlg, ExpectPublishDialog> {
public:
    explicit ExpectPublishDialog(std::string folder) : m_folder(std::move(folder)) {}

protected:
    int OnInvoked(TEVComponentDesignerAfx::CConnectDlg* dialog) const override {
        EXPECT_EQ(dialog->GetLocalFolder(), m_folder);
        return wxID_CANCEL;
    }
    wxString GetDefaultDescription() const override { return "Publish"; }

private:
    std::string m_folder;
};

} // namespace

TEST_F(Program, ANewUserSavesSpringFromThePublishTabAndSeesWhatToPublish) {
    tev::TabControl* tabs = dlg->GetDesignerView()->GetTabControl();
    ASSERT_NE(Page(), nullptr);
    EXPECT_EQ(tabs->GetViewCaption(2), "Publish");
    EXPECT_FALSE(AnyPublishingControlEnabled()) << "greyed out on a new project";

    const std::string sites = home / "Sites/";
    std::filesystem::create_directories(sites);
    wxTEST_DIALOG(tabs->SetActiveView(2),
                  ExpectMessageBox("Do you want to save the current project?", wxID_YES),
                  ExpectFileDialog(ExpectFileDialog::Save, kProjectFilter, sites + "Spring.kcd"));
    EXPECT_EQ(tabs->GetActiveView(), Page());
    EXPECT_EQ(dlg->GetTitle(), "Quorvane Web Calendar - Spring");
    EXPECT_TRUE(Page()->GetRequiredFilesList()->IsEnabled());
    EXPECT_TRUE(Page()->GetHtmlEdit()->IsEnabled());
    EXPECT_EQ(Page()->GetPublishFolderLink()->GetTarget(), sites + "Spring");

    const std::string project = ReadFileBytes(sites + "Spring.kcd");
    EXPECT_EQ(project.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadFileBytes(sites + "Spring/Spring.xml"), project);
    EXPECT_TRUE(tev::FileExists(sites + "Spring/MyCalendar.html"));
    std::string code = Page()->GetHtmlCode();
    EXPECT_EQ(CountOf(code, "tev_xmlConnectorURL=Spring.xml\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "WIDTH=\"500\" HEIGHT=\"400\""), 2u) << code;

    dlg->GetDesignerView()->GetTemplateView()->PropertyChanged("Width", "Project Properties",
                                                               CComVariant(640));
    code = Page()->GetHtmlCode();
    // The height may follow the width when the size keeps its aspect ratio.
    EXPECT_EQ(CountOf(code, "WIDTH=\"640\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "WIDTH=\"500\""), 0u) << code;

    const Files expected{"MyCalendar.html", "Spring.ics", "Spring.xml", "WebCalendar.css",
                         "WebCalendar.js", "swfobject.js"};
    EXPECT_EQ(SortedFileNames(sites + "Spring"), expected);
    EXPECT_EQ(Listed(), (Files{"MyCalendar.html", "Spring.ics", "Spring.xml", "swfobject.js",
                               "WebCalendar.css", "WebCalendar.js"}))
        << "sorted as the list box sorts, without regard to case";

    // "&Publish..." offers to upload exactly this folder.
    wxCommandEvent click(wxEVT_BUTTON, tev::designer::IDC_PUBLISH);
    click.SetEventObject(Page()->FindWindow(tev::designer::IDC_PUBLISH));
    wxTEST_DIALOG(Page()->FindWindow(tev::designer::IDC_PUBLISH)->ProcessWindowEvent(click),
                  ExpectPublishDialog(sites + "Spring"));
}

TEST_F(Program, NewGreysTheTabAgainAndOpenBringsItBack) {
    const std::string sites = home / "Sites/";
    std::filesystem::create_directories(sites);
    wxTEST_DIALOG(dlg->OnFileSaveAs(),
                  ExpectFileDialog(ExpectFileDialog::Save, kProjectFilter, sites + "Spring.kcd"));
    EXPECT_TRUE(Page()->IsPublishEnabled());

    TEV_EXPECT_NO_DIALOG(dlg->OnFileNew());
    EXPECT_FALSE(AnyPublishingControlEnabled());
    EXPECT_EQ(Page()->GetRequiredFilesList()->GetCount(), 0u);

    wxTEST_DIALOG(dlg->OnFileOpen(),
                  ExpectFileDialog(ExpectFileDialog::Open, kProjectFilter, sites + "Spring.kcd"));
    EXPECT_TRUE(Page()->GetRequiredFilesList()->IsEnabled());
    EXPECT_EQ(Page()->GetPublishFolder(), sites + "Spring");
    EXPECT_GE(Page()->GetRequiredFilesList()->GetCount(), 2u);
}
