#include "designer/core/TEVComponentDesignerView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "host/AboutDlg.h"
#include "host/TEVCalendarDlg.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/ResizeLayout.h"
#include "platform/widgets/StatusBarEx.h"
#include "platform/widgets/TabControl.h"
#include "resources/host/HostResource.h"
#include "tests/support/DesignerDialogTesting.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include <filesystem>

using namespace tev::host;
using tevtest::ExpectFileDialog;
using tevtest::ExpectMessageBox;
using tevtest::ExpectTemplateName;
using tevtest::kProjectFilter;
using tevtest::ReadFileBytes;
using tevtest::TempDir;
using tevtest::Utf16FileText;

namespace {

const char* const kSaveQuestion = "Do you want to save the current project?";

ExpectFileDialog SaveDialog(const std::string& path, int answer = wxID_OK) {
    return ExpectFileDialog(ExpectFileDialog::Save, kProjectFilter, path, answer);
}
ExpectFileDialog OpenDialog(const std::string& path, int answer = wxID_OK) {
    return ExpectFileDialog(ExpectFileDialog::Open, kProjectFilter, path, answer);
}

// The question asked on closing: Yes, No and Cancel.
class ExpectSaveQuestion : public wxExpectModalBase<wxMessageDialog, ExpectSaveQuestion> {
public:
    explicit ExpectSaveQuestion(int answer) : m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage().utf8_string(), kSaveQuestion);
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "save question with Cancel"; }

private:
    int m_answer;
};

class ExpectAboutBox : public wxExpectModalBase<CAboutDlg, ExpectAboutBox> {
protected:
    int OnInvoked(CAboutDlg* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), "About Quorvane Web Calendar");
        auto* notice = dynamic_cast<wxStaticText*>(dialog->FindWindow(IDC_ABOUT_NOTICE));
        EXPECT_NE(notice, nullptr);
        if (notice) {
            const std::string text = notice->GetLabelText().utf8_string();
            EXPECT_NE(text.find("Version " + CAboutDlg::VersionText()), std::string::npos) << text;
            EXPECT_EQ(text.find("<version>"), std::string::npos);
        }
        EXPECT_NE(dialog->FindWindow(IDC_ABOUT_ICON), nullptr);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "About box"; }
};

struct MainWindow : tevtest::MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        Open("");
    }
    // A main window without a component, as the command line would open it.
    void Open(const std::string& startupFile) { OpenMainWindow("", startupFile); }
    TEVComponentDesignerAfx::CTEVComponentDesignerView* View() { return dlg->GetDesignerView(); }
    void EditProperties(const std::string& value) {
        View()->GetTemplateView()->SetPropertiesXml("<flash><UserDefined><Title>" + value +
                                                    "</Title></UserDefined></flash>");
    }
    std::string Title() { return dlg->GetTitle().utf8_string(); }
    // Saves the project as folder/name.kcd through Save As.
    void SaveAs(const std::string& folder, const std::string& name) {
        wxTEST_DIALOG(Command(ID_FILE_SAVE_AS), SaveDialog(folder + name + ".kcd"));
    }
    bool Destroyed() { return wxTopLevelWindows.Find(dlg) == nullptr || dlg->IsBeingDeleted(); }
};

} // namespace

TEST_F(MainWindow, OpensWithMenusToolbarStatusBarAndTheDesigner) {
    EXPECT_EQ(Title(), "Quorvane Web Calendar");
    // The menus' commands are all available; the bars are there.
    wxMenuBar* bar = dlg->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    for (int id :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_NEW_STYLE, ID_APP_EXIT})
        EXPECT_TRUE(bar->IsEnabled(id)) << id;
    EXPECT_NE(dlg->GetToolBar(), nullptr);
    ASSERT_NE(dlg->GetStatusBarEx(), nullptr);
    EXPECT_EQ(dlg->GetStatusBar(), dlg->GetStatusBarEx());

    // The designer fills the window.
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetRect(), wxRect(wxPoint(0, 0), dlg->GetClientSize()));
    EXPECT_EQ(dlg->GetClientSize(), tev::DialogUnitsToPixels(dlg, 494, 329));
    // On a large screen it opens at its designed size; it can be made small enough for a
    // 1024 x 700 screen.
    EXPECT_LE(dlg->GetMinSize().x, 1024);
    EXPECT_LE(dlg->GetMinSize().y, 660);
    EXPECT_GT(dlg->GetMinSize().y, 0);
    EXPECT_EQ(View()->GetTabControl()->GetViewCaption(0), "Create Events");
    EXPECT_EQ(View()->GetProjectExtension(), "kcd");
    EXPECT_EQ(View()->GetTemplateView()->GetPageName(), "MyCalendar.html");
    EXPECT_FALSE(dlg->GetIcons().IsEmpty());
}

TEST_F(MainWindow, TheDesignerFollowsTheWindowsSize) {
    const wxSize start = dlg->GetClientSize();
    dlg->SetClientSize(start + wxSize(120, 80));
    ASSERT_TRUE(tev::PumpEventsUntil(
        [&] { return dlg->GetClientSize() == start + wxSize(120, 80); }, 3000));
    tev::PumpEventsFor(30);
    EXPECT_EQ(View()->GetSize(), dlg->GetClientSize());
}

TEST_F(MainWindow, SaveAsToANewFolderWritesTheProjectBesideItsPublishFolder) {
    EditProperties("Spring");
    SaveAs(home / "Work/", "Cal1");
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Cal1");
    EXPECT_EQ(dlg->GetProjectFolder(), home / "Work/");
    EXPECT_EQ(dlg->GetProjectName(), "Cal1");
    EXPECT_TRUE(tev::FolderExists(home / "Work/Cal1"));
    const std::string bytes = ReadFileBytes(home / "Work/Cal1.kcd");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::string text = Utf16FileText(home / "Work/Cal1.kcd");
    const size_t lineFeed = text.find('\n');
    ASSERT_NE(lineFeed, std::string::npos);
    EXPECT_EQ(text[lineFeed + 1], '\r') << "the second line starts with a carriage return";
    EXPECT_EQ(text.substr(text.size() - 8), "</flash>");
    EXPECT_NE(text.find("<Title>Spring</Title>"), std::string::npos);
    EXPECT_FALSE(View()->IsDirty());

    // A later Save goes to the same place without asking.
    EditProperties("Summer");
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_SAVE));
    EXPECT_NE(Utf16FileText(home / "Work/Cal1.kcd").find("<Title>Summer</Title>"),
              std::string::npos);
}

TEST_F(MainWindow, SaveOnAnUntitledProjectWithTheDialogCancelledWritesNothing) {
    EditProperties("Spring");
    wxTEST_DIALOG(Command(ID_FILE_SAVE), SaveDialog("", wxID_CANCEL));
    EXPECT_TRUE(
        std::filesystem::is_empty(home.path() + "data/Quorvane/Quorvane Web Calendar/Templates"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "only the documents folder is there";
    EXPECT_EQ(dlg->GetProjectFolder(), "");
    EXPECT_EQ(Title(), "Quorvane Web Calendar");
    EXPECT_TRUE(View()->IsDirty());
    wxTEST_DIALOG(Command(ID_FILE_SAVE_AS), SaveDialog("", wxID_CANCEL));
    EXPECT_EQ(dlg->GetProjectFolder(), "");
}

TEST_F(MainWindow, OpenReadsTheProjectBackAndItIsNotDirty) {
    EditProperties("Autumn");
    SaveAs(home.path(), "Cal1");
    const std::string saved = View()->GetPropertiesXml();
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));
    EXPECT_EQ(Title(), "Quorvane Web Calendar");
    EXPECT_NE(View()->GetPropertiesXml(), saved);

    wxTEST_DIALOG(Command(ID_FILE_OPEN), OpenDialog(home / "Cal1.kcd"));
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Cal1");
    EXPECT_EQ(View()->GetPropertiesXml(), saved);
    EXPECT_FALSE(View()->IsDirty());

    // Cancelling Open leaves the current project open.
    wxTEST_DIALOG(Command(ID_FILE_OPEN), OpenDialog("", wxID_CANCEL));
    EXPECT_EQ(dlg->GetProjectName(), "Cal1");
}

TEST_F(MainWindow, NewAsksToSaveOnlyWhenThereAreChanges) {
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));

    SaveAs(home.path(), "Cal1");
    EditProperties("changed");
    wxTEST_DIALOG(Command(ID_FILE_NEW), ExpectMessageBox(kSaveQuestion, wxID_NO));
    EXPECT_EQ(dlg->GetProjectFolder(), "");
    EXPECT_FALSE(View()->IsDirty());
    EXPECT_EQ(Utf16FileText(home / "Cal1.kcd").find("changed"), std::string::npos);

    // Yes on a titled project saves it first.
    SaveAs(home.path(), "Cal2");
    EditProperties("kept");
    wxTEST_DIALOG(Command(ID_FILE_NEW), ExpectMessageBox(kSaveQuestion, wxID_YES));
    EXPECT_NE(Utf16FileText(home / "Cal2.kcd").find("<Title>kept</Title>"), std::string::npos);

    // Yes on an untitled project, then Cancel: the changes go and the new project comes.
    EditProperties("dropped");
    wxTEST_DIALOG(Command(ID_FILE_NEW), ExpectMessageBox(kSaveQuestion, wxID_YES),
                  SaveDialog("", wxID_CANCEL));
    EXPECT_FALSE(View()->IsDirty());
    EXPECT_EQ(View()->GetPropertiesXml().find("dropped"), std::string::npos);
}

TEST_F(MainWindow, OpenAndExitAskFirstWhenThereAreChanges) {
    SaveAs(home.path(), "Cal1");
    EditProperties("unsaved");
    wxTEST_DIALOG(Command(ID_FILE_OPEN), ExpectMessageBox(kSaveQuestion, wxID_NO),
                  OpenDialog("", wxID_CANCEL));
    EXPECT_TRUE(View()->IsDirty());

    wxTEST_DIALOG(Command(ID_APP_EXIT), ExpectMessageBox(kSaveQuestion, wxID_YES));
    EXPECT_NE(Utf16FileText(home / "Cal1.kcd").find("unsaved"), std::string::npos);
    EXPECT_TRUE(tev::PumpEventsUntil([&] { return Destroyed(); }, 3000));
    dlg = nullptr;
}

TEST_F(MainWindow, AFailedSaveKeepsTheWindowTheChangesAndTheOldFile) {
    EditProperties("old");
    SaveAs(home.path(), "Cal1");
    const std::string before = ReadFileBytes(home / "Cal1.kcd");
    std::filesystem::create_directory(home / "Busy.kcd");
    const std::string failed = "The project could not be saved to " + home / "Busy.kcd" +
                               ". The file that was there before is unchanged.";
    wxTEST_DIALOG(Command(ID_FILE_SAVE_AS), SaveDialog(home / "Busy.kcd"),
                  ExpectMessageBox(failed, wxID_OK));
    EditProperties("precious");
    wxTEST_DIALOG(Command(ID_APP_EXIT), ExpectMessageBox(kSaveQuestion, wxID_YES),
                  ExpectMessageBox(failed, wxID_OK));
    tev::PumpEventsFor(50);
    EXPECT_FALSE(Destroyed()) << "Exit stops when the save it was asked for failed";
    wxTEST_DIALOG(Command(ID_FILE_NEW), ExpectMessageBox(kSaveQuestion, wxID_YES),
                  ExpectMessageBox(failed, wxID_OK));
    EXPECT_NE(View()->GetPropertiesXml().find("precious"), std::string::npos);
    EXPECT_EQ(dlg->GetProjectName(), "Busy");
    EXPECT_TRUE(View()->IsDirty());
    EXPECT_TRUE(std::filesystem::is_directory(home / "Busy.kcd"));
    EXPECT_EQ(ReadFileBytes(home / "Cal1.kcd"), before);
    // Declining to save still goes on.
    wxTEST_DIALOG(Command(ID_FILE_NEW), ExpectMessageBox(kSaveQuestion, wxID_NO));
    EXPECT_EQ(View()->GetPropertiesXml().find("precious"), std::string::npos);
}

TEST_F(MainWindow, ClosingAsksWithCancelWhenThereAreChanges) {
    const auto closed = [&] {
        const bool gone = tev::PumpEventsUntil([&] { return Destroyed(); }, 3000);
        if (gone)
            dlg = nullptr;
        return gone;
    };
    EditProperties("after");
    wxTEST_DIALOG(dlg->Close(), ExpectSaveQuestion(wxID_YES), SaveDialog("", wxID_CANCEL));
    tev::PumpEventsFor(50);
    EXPECT_FALSE(Destroyed()) << "Yes, then the Save dialog cancelled: nothing saved, so it stays";
    wxTEST_DIALOG(Command(ID_APP_EXIT), ExpectSaveQuestion(wxID_CANCEL));
    tev::PumpEventsFor(50);
    EXPECT_FALSE(Destroyed()) << "Exit asks the same question";

    EditProperties("before");
    SaveAs(home.path(), "Cal1");
    EditProperties("after");
    wxTEST_DIALOG(dlg->Close(), ExpectSaveQuestion(wxID_CANCEL));
    tev::PumpEventsFor(50);
    EXPECT_FALSE(Destroyed());
    EXPECT_TRUE(View()->IsDirty());
    wxTEST_DIALOG(dlg->Close(), ExpectSaveQuestion(wxID_NO));
    EXPECT_TRUE(closed());
    EXPECT_NE(Utf16FileText(home / "Cal1.kcd").find("before"), std::string::npos);

    Open("");
    SaveAs(home.path(), "Cal1");
    EditProperties("after");
    wxTEST_DIALOG(dlg->Close(), ExpectSaveQuestion(wxID_YES));
    EXPECT_TRUE(closed());
    EXPECT_NE(Utf16FileText(home / "Cal1.kcd").find("after"), std::string::npos);

    // Without changes nothing is asked.
    Open("");
    TEV_EXPECT_NO_DIALOG(dlg->Close());
    EXPECT_TRUE(closed());
}

TEST_F(MainWindow, EnterAndEscapeNeverCloseIt) {
    EditProperties("unsaved");
    // The keys as the toolkit delivers them to the focused tab control: the hook that goes up
    // to the window first, then the key itself.
    wxWindow* focus = View()->GetTabControl();
    TEV_EXPECT_NO_DIALOG({
        for (int key : {WXK_ESCAPE, WXK_RETURN, WXK_NUMPAD_ENTER}) {
            for (wxEventType type : {wxEVT_CHAR_HOOK, wxEVT_KEY_DOWN, wxEVT_CHAR}) {
                wxKeyEvent press(type);
                press.m_keyCode = key;
                press.SetEventObject(focus);
                focus->ProcessWindowEvent(press);
            }
        }
        tev::PumpEventsFor(300);
    });
    EXPECT_FALSE(Destroyed());
    EXPECT_TRUE(dlg->IsShown());
}

TEST_F(MainWindow, PublishTabOffersToSaveAndSavesThroughTheHost) {
    wxTEST_DIALOG(View()->GetTabControl()->SetActiveView(2),
                  ExpectMessageBox(kSaveQuestion, wxID_YES), SaveDialog(home / "Site/Cal3.kcd"));
    EXPECT_TRUE(tev::FileExists(home / "Site/Cal3.kcd"));
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Cal3");
    EXPECT_EQ(View()->GetPublishFolder(), home / "Site/Cal3");
    View()->GetTabControl()->SetActiveView(0);
    TEV_EXPECT_NO_DIALOG(View()->GetTabControl()->SetActiveView(2));
}

TEST_F(MainWindow, AboutBoxShowsTheVersion) {
    EXPECT_EQ(CAboutDlg::VersionText(), TEV_VERSION);
    wxTEST_DIALOG(Command(ID_APP_ABOUT_WEB_CALENDAR), ExpectAboutBox());
}

TEST_F(MainWindow, HelpShowsTheBookAndDoesNothingWithoutIt) {
    Command(ID_HELP);
    wxWindow* help = dlg->GetHelp().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(tev::PumpEventsUntil([&] { return help->IsShown(); }, 3000));
    help->Close(true);
    tev::PumpEventsFor(50);

    TempDir bare;
    tev::OverrideProgramFolder(bare.path());
    Open("");
    TEV_EXPECT_NO_DIALOG(Command(ID_HELP));
    EXPECT_FALSE(dlg->GetHelp().IsAvailable());
    EXPECT_EQ(dlg->GetHelp().GetHelpWindow(), nullptr);
}

TEST_F(MainWindow, NewStyleSavesAUserStyle) {
    EditProperties("Green");
    wxTEST_DIALOG(Command(ID_FILE_NEW_STYLE), ExpectTemplateName("Meadow"));
    const std::string props =
        home / "data/Quorvane/Quorvane Web Calendar/Templates/Meadow/props.xml";
    EXPECT_NE(Utf16FileText(props).find("<Title>Green</Title>"), std::string::npos);
}

TEST_F(MainWindow, ProjectsNamedAtStartOpenUnderTheirFolderAndName) {
    EditProperties("Start");
    SaveAs(home / "Work/", "Cal1");
    Open("\"" + home / "Work/Cal1.kcd\"");
    EXPECT_EQ(dlg->GetProjectFolder(), home / "Work/");
    EXPECT_EQ(dlg->GetProjectName(), "Cal1");
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Cal1");
    EXPECT_NE(View()->GetPropertiesXml().find("<Title>Start</Title>"), std::string::npos);
    EXPECT_FALSE(View()->IsDirty());
    // A missing file still gives the project its name, and no message.
    TEV_EXPECT_NO_DIALOG(Open(home / "Nowhere/Gone.kcd"));
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Gone");
}

TEST_F(MainWindow, AFileThatIsNoProjectIsRefusedAndNeverOverwritten) {
    EditProperties("mine");
    SaveAs(home.path(), "Cal1");
    EditProperties("mine, changed");
    const std::string picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    ASSERT_TRUE(tevtest::WriteFileBytes(home / "photo.kcd", picture));
    const std::string refusal = home / "photo.kcd" +
                                " cannot be opened as a project: the file is not a text file."
                                "\n\nThe project that was open stays open.";
    wxTEST_DIALOG(Command(ID_FILE_OPEN), ExpectMessageBox(kSaveQuestion, wxID_NO),
                  OpenDialog(home / "photo.kcd"), ExpectMessageBox(refusal, wxID_OK));
    EXPECT_EQ(Title(), "Quorvane Web Calendar - Cal1");
    EXPECT_EQ(dlg->GetProjectFolder(), home.path());
    EXPECT_EQ(View()->GetPublishFolder(), home / "Cal1");
    EXPECT_NE(View()->GetPropertiesXml().find("mine, changed"), std::string::npos);

    // Saving goes where the project came from; the picture stays as it was.
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_SAVE));
    EXPECT_EQ(ReadFileBytes(home / "photo.kcd"), picture);
    EXPECT_NE(Utf16FileText(home / "Cal1.kcd").find("mine, changed"), std::string::npos);

    // Named on the command line it is refused the same way: the window opens untitled.
    wxTEST_DIALOG(Open(home / "photo.kcd"), ExpectMessageBox(refusal, wxID_OK));
    EXPECT_EQ(Title(), "Quorvane Web Calendar");
    EXPECT_EQ(dlg->GetProjectFolder(), "");
    TEV_EXPECT_NO_DIALOG(Command(ID_FILE_NEW));
    EXPECT_EQ(ReadFileBytes(home / "photo.kcd"), picture);
}
