// "FTP Window" as a user drives it, with events sent to its windows: a real FTP server on
// 127.0.0.1 (and a scripted one for a listing that never comes), real windows, and the
// "Publish" dialog that opens it with "&Browse...".
#include "designer/ftp/ConnectDlg.h"
#include "designer/ftp/FTPWindow.h"
#include "designer/ftp/TraceView.h"
#include "designer/ftp/WaitMessageDlg.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/AppProfile.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/WindowImage.h"
#include "resources/designer/FtpDialogs.h"
#include "tests/designer/ftp/FakeFtpServer.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/dnd.h>
#include <wx/listctrl.h>
#include <wx/treectrl.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;
using namespace tev::designer;
using tevtest::FtpTestServer;
using tevtest::ReadFileBytes;
using tevtest::TempDir;
using tevtest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 20000;

CFtpSite ProfileFor(const std::string& host, int port, const std::string& path = "") {
    CFtpSite site = CFtpSite::EditingDefaults();
    site.m_server = host;
    site.m_port = port;
    site.m_username = "tester";
    site.m_password = "secret";
    site.m_path = path;
    site.m_retries = 1;
    site.m_retryDelay = 1;
    return site;
}

CFtpSite ProfileFor(const FtpTestServer& server, const std::string& path = "") {
    return ProfileFor(server.Host(), server.Port(), path);
}

// Waits until the window is idle again after a step.
bool Settled(CFTPWindow& window) {
    return tev::PumpEventsUntil([&] { return !window.IsBusy() && window.IsConnected(); }, kWaitMs);
}

std::vector<std::string> ListNames(CFTPWindow& window) {
    std::vector<std::string> names;
    wxListCtrl* list = window.GetList();
    for (long i = 0; i < list->GetItemCount(); ++i)
        names.push_back(list->GetItemText(i).utf8_string());
    return names;
}

std::vector<std::string> TreeChildren(CFTPWindow& window, const wxTreeItemId& node) {
    std::vector<std::string> names;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = window.GetTree()->GetFirstChild(node, cookie); child.IsOk();
         child = window.GetTree()->GetNextChild(node, cookie))
        names.push_back(window.GetTree()->GetItemText(child).utf8_string());
    return names;
}

bool Traced(CFTPWindow& window, TraceKind kind, const std::string& part) {
    for (const CTraceLine& line : window.GetTraceView()->GetLog().Lines())
        if (line.kind == kind && line.text.find(part) != std::string::npos)
            return true;
    return false;
}

void Click(wxWindow* window, int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(window->FindWindow(id));
    window->FindWindow(id)->ProcessWindowEvent(event);
}

void SelectOnly(CFTPWindow& window, const std::string& name) {
    wxListCtrl* list = window.GetList();
    for (long i = 0; i < list->GetItemCount(); ++i)
        list->SetItemState(i,
                           list->GetItemText(i).utf8_string() == name ? wxLIST_STATE_SELECTED : 0,
                           wxLIST_STATE_SELECTED);
}

// Ends the list's in-place edit as the user does: the text typed, then Enter or Escape.
void FinishLabelEdit(CFTPWindow& window, const std::string& text, bool cancel = false) {
    wxTextCtrl* edit = window.GetList()->GetEditControl();
    ASSERT_NE(edit, nullptr);
    edit->SetValue(wxString::FromUTF8(text));
    window.GetList()->EndEditLabel(cancel);
}

// Answers the retry wait, as the countdown ending (OK) or the user's Cancel would.
class ExpectRetryWait : public wxExpectModalBase<CWaitMessageDlg, ExpectRetryWait> {
public:
    explicit ExpectRetryWait(int answer) : m_answer(answer) {}

protected:
    int OnInvoked(CWaitMessageDlg* wait) const override {
        EXPECT_EQ(wait->GetTitle(), "FTP Connect");
        EXPECT_EQ(wait->GetSecondsLeft(), 1);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "FTP Connect"; }

private:
    int m_answer;
};

class FTPWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.IsRunning()) << m_server.StartError();
        fs::create_directories(m_server.PathOf("site/images"));
        WriteFileBytes(m_server.PathOf("index.html"), std::string(1025, 'i'));
        WriteFileBytes(m_server.PathOf("site/data.xml"), "<data/>");
    }
    void TearDown() override { tev::PumpEventsFor(20); }

    tevtest::ScopedRegistry m_registry;
    FtpTestServer m_server;
};

} // namespace

TEST_F(FTPWindowTest, ConnectsListsTheLoginFolderAndWalksIntoAFolder) {
    CFTPWindow window(nullptr, ProfileFor(m_server), "");
    window.Show();
    ASSERT_TRUE(Settled(window));
    EXPECT_EQ(window.GetTitle(), "FTP Window");
    EXPECT_EQ(window.GetCurrentFolder(), "/");
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"site", "index.html"}));
    wxListCtrl* list = window.GetList();
    EXPECT_EQ(list->GetItemText(1, 1), "2 KB");
    EXPECT_EQ(list->GetItemText(1, 2), "HTML File");
    EXPECT_EQ(list->GetItemText(0, 2), "Folder");
    const wxTreeItemId root = window.GetTree()->GetRootItem();
    EXPECT_EQ(window.GetTree()->GetItemText(root), "/");
    EXPECT_EQ(TreeChildren(window, root), (std::vector<std::string>{"site"}));
    EXPECT_EQ(tev::AppProfile::GetProfileInt("Settings", "ViewStyle", 0), ID_VIEW_DETAILS);
    EXPECT_TRUE(Traced(window, TraceKind::Success, "Successfully connected to: 127.0.0.1."));
    EXPECT_TRUE(Traced(window, TraceKind::Success, "Listing of \"/\" succesfully received."));

    // A double click on a folder opens it.
    wxListEvent open(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
    open.SetEventObject(list);
    open.m_itemIndex = 0;
    open.m_item.SetData(list->GetItemData(0));
    list->ProcessWindowEvent(open);
    ASSERT_TRUE(Settled(window));
    EXPECT_EQ(window.GetCurrentFolder(), "/site");
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"images", "data.xml"}));
    const wxTreeItemId site = window.GetTree()->GetSelection();
    EXPECT_EQ(window.GetTree()->GetItemText(site), "site");
    EXPECT_EQ(TreeChildren(window, site), (std::vector<std::string>{"images"}));

    // Sorting by name again reverses it; folders follow the files then.
    window.SortBy(0);
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"data.xml", "images"}));
    window.SetViewStyle(ID_VIEW_LIST);
    EXPECT_TRUE(list->HasFlag(wxLC_LIST));
    EXPECT_EQ(tev::AppProfile::GetProfileInt("Settings", "ViewStyle", 0), ID_VIEW_LIST);
    window.SetViewStyle(ID_VIEW_DETAILS);
    EXPECT_EQ(list->GetItemText(0, 2), "XML File");

    Click(&window, IDC_FTP_SELECT);
    EXPECT_EQ(window.GetReturnCode(), IDC_FTP_SELECT);
    EXPECT_EQ(window.GetChosenFolder(), "/site");
    EXPECT_FALSE(window.IsShown());
}

TEST_F(FTPWindowTest, TheStartFolderFollowsThePathAndListsThroughListWithoutMlsd) {
    FtpTestServer::Options options;
    options.mlsd = false;
    FtpTestServer server(options);
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    fs::create_directories(server.PathOf("www/calendar"));
    WriteFileBytes(server.PathOf("www/calendar/my page.html"), "x");

    CFTPWindow window(nullptr, ProfileFor(server, "www\\calendar"), "");
    window.Show();
    ASSERT_TRUE(Settled(window));
    EXPECT_EQ(window.GetCurrentFolder(), "/www/calendar");
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"my page.html"}));
    EXPECT_EQ(window.GetTree()->GetItemText(window.GetTree()->GetSelection()), "calendar");
    EXPECT_EQ(TreeChildren(window, window.GetTree()->GetRootItem()),
              (std::vector<std::string>{"www"}));
}

TEST_F(FTPWindowTest, FoldersAreCreatedRenamedInPlaceAndDeletedWithTheirFiles) {
    CFTPWindow window(nullptr, ProfileFor(m_server), "");
    window.Show();
    ASSERT_TRUE(Settled(window));

    // The list's "New" "Folder": an item to name in place; the folder is made once named.
    window.StartNewFolderEdit();
    const long item = window.GetList()->GetItemCount() - 1;
    EXPECT_EQ(window.GetList()->GetItemText(item), "New Folder");
    FinishLabelEdit(window, "calendar");
    ASSERT_TRUE(Settled(window));
    EXPECT_TRUE(fs::is_directory(m_server.PathOf("calendar")));
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"calendar", "site", "index.html"}));
    EXPECT_EQ(TreeChildren(window, window.GetTree()->GetRootItem()),
              (std::vector<std::string>{"site", "calendar"}));

    // A cancelled edit of a new folder leaves nothing behind.
    window.StartNewFolderEdit();
    FinishLabelEdit(window, "ignored", true);
    tev::PumpEventsFor(50);
    EXPECT_EQ(window.GetList()->GetItemCount(), 3);

    // Renaming in place.
    window.GetList()->EditLabel(0);
    FinishLabelEdit(window, "events");
    ASSERT_TRUE(Settled(window));
    EXPECT_TRUE(fs::is_directory(m_server.PathOf("events")));
    EXPECT_EQ(TreeChildren(window, window.GetTree()->GetRootItem()),
              (std::vector<std::string>{"site", "events"}));

    // "site" holds a file and a folder: one question, then all of it goes.
    SelectOnly(window, "site");
    wxTEST_DIALOG(window.DeleteSelected(),
                  tevtest::ExpectMessageBox(
                      "Are you sure you want to remove the folder 'site' and all its contents?",
                      wxID_YES, "Confirm Folder Delete"));
    ASSERT_TRUE(Settled(window));
    EXPECT_FALSE(fs::exists(m_server.PathOf("site")));
    EXPECT_EQ(ListNames(window), (std::vector<std::string>{"events", "index.html"}));
    EXPECT_EQ(TreeChildren(window, window.GetTree()->GetRootItem()),
              (std::vector<std::string>{"events"}));

    // "No" keeps everything; several items are asked about together.
    SelectOnly(window, "index.html");
    wxTEST_DIALOG(window.DeleteSelected(),
                  tevtest::ExpectMessageBox("Are you sure you want to delete 'index.html'?",
                                            wxID_NO, "Confirm File Delete"));
    EXPECT_TRUE(fs::exists(m_server.PathOf("index.html")));
    window.GetList()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    window.GetList()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    wxTEST_DIALOG(window.DeleteSelected(),
                  tevtest::ExpectMessageBox("Are you sure you want to delete these 2 items?",
                                            wxID_YES, "Confirm Multiple File Delete"));
    ASSERT_TRUE(Settled(window));
    EXPECT_TRUE(fs::is_empty(m_server.Home()));
    EXPECT_TRUE(ListNames(window).empty());
}

TEST_F(FTPWindowTest, UploadAndDroppedFilesGoToTheCurrentFolder) {
    TempDir publish;
    WriteFileBytes(publish / "index.html", "<html/>");
    WriteFileBytes(publish / "MyCalendar.xml", "<flash/>");
    TempDir dropped;
    fs::create_directories(dropped.path() + "album/2008");
    WriteFileBytes(dropped / "album/2008/photo.jpg", "jpg");
    WriteFileBytes(dropped / "note.txt", "note");

    CFTPWindow window(nullptr, ProfileFor(m_server, "/site"), publish.path());
    window.Show();
    ASSERT_TRUE(Settled(window));
    window.UploadLocalFolder();
    ASSERT_TRUE(Settled(window));
    tev::PumpEventsUntil([&] { return ListNames(window).size() == 4; }, kWaitMs);
    ASSERT_TRUE(Settled(window));
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("site/index.html")), "<html/>");
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("site/MyCalendar.xml")), "<flash/>");

    wxArrayString files;
    files.Add(wxString::FromUTF8(dropped / "note.txt"));
    files.Add(wxString::FromUTF8(dropped / "album"));
    static_cast<wxFileDropTarget*>(window.GetList()->GetDropTarget())->OnDropFiles(5, 5, files);
    ASSERT_TRUE(Settled(window));
    tev::PumpEventsUntil([&] { return ListNames(window).size() == 6; }, kWaitMs);
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("site/note.txt")), "note");
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("site/album/2008/photo.jpg")), "jpg");
}

TEST_F(FTPWindowTest, AnHttpAddressIsRefusedAndTheWindowCloses) {
    CFTPWindow window(nullptr, ProfileFor("http://www.example.com", 21), "");
    window.Show();
    wxTEST_DIALOG(tev::PumpEventsUntil([&] { return !window.IsShown(); }, kWaitMs),
                  tevtest::ExpectMessageBox("Please enter a valid FTP URL", wxID_OK));
    EXPECT_EQ(window.GetReturnCode(), wxID_CANCEL);
    EXPECT_TRUE(Traced(window, TraceKind::Error, "Please enter a valid FTP URL."));
}

TEST_F(FTPWindowTest, FailedAttemptsWaitThenReportAndACancelledWaitStops) {
    // A port nobody listens on.
    int freePort = 0;
    {
        FtpTestServer gone;
        freePort = gone.Port();
    }
    const struct {
        const char* name;
        int waitAnswer;
        int attemptsMade;
    } cases[] = {{"every attempt", wxID_OK, 3}, {"cancelled countdown", wxID_CANCEL, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFtpSite profile = ProfileFor("127.0.0.1", freePort);
        profile.m_retries = 3;
        CFTPWindow window(nullptr, profile, "");
        window.Show();
        if (c.waitAnswer == wxID_OK) {
            wxTEST_DIALOG(tev::PumpEventsUntil([&] { return !window.IsShown(); }, kWaitMs),
                          ExpectRetryWait(wxID_OK), ExpectRetryWait(wxID_OK),
                          wxExpectModal<wxMessageDialog>(wxID_OK));
        } else {
            wxTEST_DIALOG(tev::PumpEventsUntil([&] { return !window.IsShown(); }, kWaitMs),
                          ExpectRetryWait(wxID_CANCEL));
        }
        EXPECT_EQ(window.GetReturnCode(), wxID_CANCEL);
        EXPECT_EQ(Traced(window, TraceKind::Progress, "(Attempt 3 of 3)"), c.attemptsMade == 3);
        EXPECT_TRUE(Traced(window, TraceKind::Progress, "(Attempt 1 of 3)"));
        EXPECT_TRUE(Traced(window, TraceKind::Error, "FTP connection could not be made."));
    }
}

TEST_F(FTPWindowTest, TheRetryWaitCountsDownAndEndsWithOk) {
    CWaitMessageDlg wait(nullptr, "Error connecting", 3);
    EXPECT_EQ(wait.GetSecondsLeft(), 3);
    wait.Advance();
    wait.Advance();
    EXPECT_EQ(wait.GetSecondsLeft(), 1);
    wait.Advance();
    EXPECT_EQ(wait.GetSecondsLeft(), 0);
    EXPECT_EQ(wait.GetReturnCode(), wxID_OK);
}

TEST_F(FTPWindowTest, CancelEndsTheWindowDuringAListingThatNeverComes) {
    tevtest::FakeFtpServer slow([](tevtest::FakeFtpServer::Session& s) {
        s.Login();
        s.Expect("PWD", "257 \"/\" is current");
        s.Expect("PWD", "257 \"/\" is current");
        s.Expect("CWD", "250 ok");
        s.Expect("TYPE A", "200 ok");
        const int port = s.ListenForData();
        s.Expect("PASV", "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) +
                             "," + std::to_string(port % 256) + ")");
        s.Expect("LIST", "150 Here it comes, slowly");
        s.ClientClosed();
    });
    ASSERT_TRUE(slow.IsListening());
    CFTPWindow window(nullptr, ProfileFor("127.0.0.1", slow.Port()), "");
    window.Show();
    ASSERT_TRUE(tev::PumpEventsUntil(
        [&] { return Traced(window, TraceKind::Action, "Receiving listing of \"/\""); }, kWaitMs));
    tev::PumpEventsFor(200);
    EXPECT_TRUE(window.IsBusy());
    EXPECT_FALSE(window.FindWindow(IDC_FTP_SELECT)->IsEnabled());
    const auto start = std::chrono::steady_clock::now();
    Click(&window, IDC_FTP_CANCEL);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(window.GetReturnCode(), wxID_CANCEL);
    EXPECT_FALSE(window.IsShown());
}

TEST_F(FTPWindowTest, TheTracePaneHoldsAtMost256ColouredLines) {
    CTraceView* pane = nullptr;
    CFTPWindow window(nullptr, ProfileFor(m_server), "");
    window.Show();
    ASSERT_TRUE(Settled(window));
    pane = window.GetTraceView();
    for (int i = 0; i < 300; ++i)
        pane->AddLine(static_cast<TraceKind>(i % 4), "line " + std::to_string(i));
    EXPECT_EQ(pane->GetItemCount(), 256u);
    EXPECT_EQ(pane->GetSelection(), 255);
    EXPECT_EQ(CTraceView::ColourOf(TraceKind::Success), wxColour(0, 130, 0));
    EXPECT_EQ(CTraceView::ColourOf(TraceKind::Action), wxColour(0, 0, 255));
    EXPECT_EQ(CTraceView::ColourOf(TraceKind::Error), wxColour(255, 0, 0));
    EXPECT_EQ(CTraceView::ColourOf(TraceKind::Progress), wxColour(0, 0, 0));
}

namespace {

// Drives the FTP window the publish dialog opens: waits for the listing, makes "calendar",
// opens it and presses `button`.
class ExpectBrowserChoosing : public wxExpectModalBase<CFTPWindow, ExpectBrowserChoosing> {
public:
    explicit ExpectBrowserChoosing(int button, std::string screenshot = {})
        : m_button(button), m_screenshot(std::move(screenshot)) {}

protected:
    int OnInvoked(CFTPWindow* window) const override {
        window->Show();
        EXPECT_TRUE(Settled(*window));
        window->NewFolder("calendar");
        EXPECT_TRUE(Settled(*window));
        if (!m_screenshot.empty()) {
            window->SetSize(900, 640);
            tev::PumpEventsFor(300);
            EXPECT_TRUE(tev::SaveWindowImage(window, m_screenshot));
        }
        window->OpenFolder("calendar");
        EXPECT_TRUE(Settled(*window));
        EXPECT_EQ(window->GetCurrentFolder(), "/calendar");
        Click(window, m_button);
        return window->GetReturnCode();
    }
    wxString GetDefaultDescription() const override { return "FTP Window"; }

private:
    int m_button;
    std::string m_screenshot;
};

} // namespace

TEST_F(FTPWindowTest, BrowsePicksANewFolderAndPublishSendsTheFilesThere) {
    TempDir program;
    TempDir work;
    TempDir publish;
    WriteFileBytes(publish / "index.html", "<html/>");
    WriteFileBytes(publish / "MyCalendar.xml", "<flash/>");
    tev::OverrideProgramFolder(program.path());
    const fs::path oldDir = fs::current_path();
    fs::current_path(work.path());
    {
        CConnectDlg dialog(nullptr);
        dialog.SetLocalFolder(publish.path());
        dialog.Show();
        wxTextCtrl* server = static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_SERVER));
        server->SetValue(m_server.Host());
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PORT))
            ->SetValue(std::to_string(m_server.Port()));
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_USERNAME))->SetValue(m_server.User());
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PASSWORD))->SetValue(m_server.Password());
        // A picture of the window for a person to look at, beside the test's output.
        const std::string screenshot = (oldDir / "ftp-window.png").string();
        wxTEST_DIALOG(
            Click(&dialog, IDC_BROWSE), ExpectBrowserChoosing(IDC_FTP_PUBLISH, screenshot),
            tevtest::ExpectMessageBox(
                "2 files uploaded to 127.0.0.1:" + std::to_string(m_server.Port()) + "/calendar",
                wxID_OK),
            tevtest::ExpectMessageBox("Do you want to save the changes you made?", wxID_NO));
        EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PATH))->GetValue(), "/calendar");
    }
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("calendar/index.html")), "<html/>");
    EXPECT_EQ(ReadFileBytes(m_server.PathOf("calendar/MyCalendar.xml")), "<flash/>");
    fs::current_path(oldDir);
    tev::OverrideProgramFolder("");
}

TEST_F(FTPWindowTest, SelectPutsTheFolderIntoPathAndMarksTheProfileChanged) {
    TempDir program;
    tev::OverrideProgramFolder(program.path());
    {
        CConnectDlg dialog(nullptr);
        dialog.Show();
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_SERVER))->SetValue(m_server.Host());
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PORT))
            ->SetValue(std::to_string(m_server.Port()));
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_USERNAME))->SetValue(m_server.User());
        static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PASSWORD))->SetValue(m_server.Password());
        wxTEST_DIALOG(Click(&dialog, IDC_BROWSE), ExpectBrowserChoosing(IDC_FTP_SELECT));
        EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PATH))->GetValue(), "/calendar");
        EXPECT_TRUE(dialog.GetSiteList().IsDirty());
        EXPECT_TRUE(fs::is_directory(m_server.PathOf("calendar")));
        // Cancel leaves the path alone.
        dialog.ApplyBrowseResult(wxID_CANCEL, "/elsewhere");
        EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PATH))->GetValue(), "/calendar");
        dialog.Hide();
    }
    tev::OverrideProgramFolder("");
}
