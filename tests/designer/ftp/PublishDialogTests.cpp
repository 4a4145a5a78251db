// The "Publish" dialog as a user drives it: real windows, real events, sites.dat beside a
// private program folder, and uploads to a real FTP server on 127.0.0.1.
#include "designer/ftp/ConnectDlg.h"
#include "designer/ftp/FTPSiteListBox.h"
#include "designer/ftp/ProfileNameDlg.h"
#include "designer/ftp/ProgressDlg.h"
#include "designer/ftp/PublishDialog.h"
#include "designer/ftp/SitesFile.h"
#include "designer/ftp/UploadFolder.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/AppProfile.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/MaskedEdit.h"
#include "resources/designer/FtpDialogs.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/UploadTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/eventfilter.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/window.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include <unistd.h>

using namespace TEVComponentDesignerAfx;
using namespace tev::designer;
using tevtest::ExpectMessageBox;
using tevtest::FtpTestServer;
using tevtest::PatternBytes;
using tevtest::ReadFileBytes;
using tevtest::TempDir;
using tevtest::UploadRequestFor;
using tevtest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

const char* const kQuestion = "Do you want to save the changes you made?";

template <typename T> T* Control(wxWindow* dialog, int id) {
    auto* control = dynamic_cast<T*>(dialog->FindWindow(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

std::string Text(wxWindow* dialog, int id) {
    return Control<wxTextCtrl>(dialog, id)->GetValue().utf8_string();
}

bool Checked(wxWindow* dialog, int id) {
    return Control<wxCheckBox>(dialog, id)->GetValue();
}

bool Enabled(wxWindow* dialog, int id) {
    return dialog->FindWindow(id)->IsEnabled();
}

// A click as the user makes it: nothing happens on a disabled button.
bool Click(wxWindow* dialog, int id) {
    auto* button = Control<wxButton>(dialog, id);
    if (!button || !button->IsEnabled())
        return false;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
    return true;
}

void Toggle(wxWindow* dialog, int id) {
    auto* box = Control<wxCheckBox>(dialog, id);
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetInt(box->GetValue());
    event.SetEventObject(box);
    box->ProcessWindowEvent(event);
}

// Typing goes through the native entry, which sends the change events.
void Type(wxWindow* dialog, int id, const std::string& text) {
    Control<wxTextCtrl>(dialog, id)->SetValue(wxString::FromUTF8(text));
}

void SelectEntry(wxWindow* dialog, int position) {
    auto* list = Control<CFTPSiteListBox>(dialog, IDC_SITE_LIST);
    list->SetSelection(position);
    wxCommandEvent event(wxEVT_LISTBOX, IDC_SITE_LIST);
    event.SetInt(position);
    event.SetEventObject(list);
    list->ProcessWindowEvent(event);
}

// Enter as the toolkit sends it: to the focused control, from where the hook goes up to the
// dialog.
void PressEnter(wxWindow* dialog, int focusId) {
    wxWindow* focus = dialog->FindWindow(focusId);
    wxKeyEvent enter(wxEVT_CHAR_HOOK);
    enter.m_keyCode = WXK_RETURN;
    enter.SetEventObject(focus);
    focus->ProcessWindowEvent(enter);
}

std::vector<std::string> Entries(wxWindow* dialog) {
    auto* list = Control<CFTPSiteListBox>(dialog, IDC_SITE_LIST);
    std::vector<std::string> texts;
    for (size_t i = 0; i < list->GetItemCount(); ++i)
        texts.push_back(list->GetEntry(i).text);
    return texts;
}

bool PasswordMasked(wxWindow* dialog) {
    return Control<tev::MaskedEdit>(dialog, IDC_PASSWORD)->IsMasked();
}

CFtpSite Site(const std::string& name, const std::string& server, const std::string& user,
              const std::string& password = "secret") {
    CFtpSite site;
    site.m_profileName = name;
    site.m_server = server;
    site.m_username = user;
    site.m_password = password;
    site.m_path = "/www/" + name;
    site.m_port = 2121;
    site.m_retries = 4;
    site.m_retryDelay = 9;
    site.m_passive = false;
    site.m_logErrors = true;
    site.m_description = "about " + name;
    return site;
}

// Answers "Profile" with a name, as a user typing it and pressing OK would.
class ExpectProfileName : public wxExpectModalBase<CProfileNameDlg, ExpectProfileName> {
public:
    explicit ExpectProfileName(std::string name, int answer = wxID_OK)
        : m_name(std::move(name)), m_answer(answer) {}

protected:
    int OnInvoked(CProfileNameDlg* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), "Profile");
        dialog->SetProfileName(m_name);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "Profile"; }

private:
    std::string m_name;
    int m_answer;
};

// The progress dialog on screen, if any (one being destroyed does not count).
CProgressDlg* OpenProgressDialog() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<CProgressDlg*>(window);
        if (dialog && !dialog->IsBeingDeleted() && !wxPendingDelete.Member(dialog))
            return dialog;
    }
    return nullptr;
}

// Expects the "Publish" dialog for `folder` and answers `answer`.
class ExpectPublishDialog : public wxExpectModalBase<CConnectDlg, ExpectPublishDialog> {
public:
    ExpectPublishDialog(std::string folder, int answer)
        : m_folder(std::move(folder)), m_answer(answer) {}

protected:
    int OnInvoked(CConnectDlg* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), "Publish");
        EXPECT_EQ(dialog->GetLocalFolder(), m_folder);
        EXPECT_EQ(dialog->GetUploadRequest().localFolder, m_folder);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "Publish"; }

private:
    std::string m_folder;
    int m_answer;
};

// Expects a message box whose text holds `part` (a server's reply, say) and answers OK.
class ExpectMessageHolding : public wxExpectModalBase<wxMessageDialog, ExpectMessageHolding> {
public:
    explicit ExpectMessageHolding(std::string part) : m_part(std::move(part)) {}
    mutable std::string shown;
    mutable bool progressOpen = false; // a progress dialog was on screen with the message

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        shown = box->GetMessage().utf8_string();
        progressOpen = OpenProgressDialog() != nullptr;
        EXPECT_NE(shown.find(m_part), std::string::npos) << shown;
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override {
        return "message box holding \"" + wxString::FromUTF8(m_part) + "\"";
    }

private:
    std::string m_part;
};

// Notes every progress dialog that appears, looks at it every few milliseconds while an
// upload runs (the upload dispatches timer events between its polls), remembers what it
// showed, and can press its "Cancel".
class ProgressWatcher : public wxEventFilter {
public:
    ProgressWatcher() {
        wxEvtHandler::AddFilter(this);
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Look(); });
        m_timer.Start(10);
    }
    ~ProgressWatcher() override {
        m_timer.Stop();
        wxEvtHandler::RemoveFilter(this);
    }
    int FilterEvent(wxEvent& event) override {
        if (event.GetEventType() == wxEVT_SHOW && static_cast<wxShowEvent&>(event).IsShown()) {
            if (auto* dialog = dynamic_cast<CProgressDlg*>(event.GetEventObject()))
                dialogs.insert(dialog);
        }
        return Event_Skip;
    }

    static CProgressDlg* Find() { return OpenProgressDialog(); }
    void Look() {
        CProgressDlg* dialog = Find();
        if (!dialog)
            return;
        dialogs.insert(dialog);
        titles.insert(dialog->GetTitle().utf8_string());
        statuses.insert(dialog->GetStatus());
        playing = playing || dialog->IsAnimationPlaying();
        if (onLook)
            onLook(*dialog);
    }
    // The byte counts shown for `file`.
    std::set<long> BytesShownFor(const std::string& file, long size) const {
        std::set<long> counts;
        const std::string tail = " of " + std::to_string(size) + "  bytes transferred)";
        for (const std::string& status : statuses) {
            if (status.rfind(file + " (", 0) == 0 && status.size() > tail.size() &&
                status.compare(status.size() - tail.size(), tail.size(), tail) == 0)
                counts.insert(std::stol(status.substr(file.size() + 2)));
        }
        return counts;
    }

    std::set<CProgressDlg*> dialogs;
    std::set<std::string> titles;
    std::set<std::string> statuses;
    bool playing = false;
    std::function<void(CProgressDlg&)> onLook;

private:
    wxTimer m_timer;
};

// A publish folder as the designer writes it.
struct PublishFolder : tevtest::PublishFolder {
    // With a movie larger than what the system buffers on the way to a slow server, so
    // the count of its bytes is seen between the first and the last.
    explicit PublishFolder(bool withMovie = false) : tevtest::PublishFolder(Files(withMovie)) {}

    static std::map<std::string, std::string> Files(bool withMovie) {
        std::map<std::string, std::string> files{
            {"MyCalendar.html", "<html><body><script src=\"swfobject.js\"></script></body></html>"},
            {"MyCalendar.xml", PatternBytes(240000, 'x')},
            {"swfobject.js", PatternBytes(30000, 's')},
            {"empty.txt", ""},
        };
        if (withMovie)
            files["TEVCalendar.swf"] = PatternBytes(12 << 20, 'm');
        return files;
    }
};

class PublishDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        tev::OverrideProgramFolder(m_programDir.path());
        m_oldDir = fs::current_path();
        fs::current_path(m_workDir.path());
    }
    void TearDown() override {
        fs::current_path(m_oldDir);
        tev::OverrideProgramFolder("");
        tev::PumpEventsFor(20);
    }
    std::string SitesPath() const { return CSitesFile::Locate(); }
    void WriteSites(const std::vector<CFtpSite>& sites) {
        ASSERT_TRUE(CSitesFile::Write(SitesPath(), sites));
    }
    std::vector<CFtpSite> StoredSites() const {
        std::vector<CFtpSite> sites;
        CSitesFile::Read(SitesPath(), sites);
        return sites;
    }
    std::string LogPath() const { return m_workDir / "state/Quorvane/ftpLog.txt"; }
    bool LogExists() const { return fs::exists(LogPath()); }
    std::string Log() const { return ReadFileBytes(LogPath()); }

    // A profile for `server` in sites.dat, loaded when the dialog opens.
    void StoreProfileFor(const FtpTestServer& server, bool passive = true, bool log = false,
                         const std::string& password = "") {
        CFtpSite site = Site("Test server", server.Host(), server.User(),
                             password.empty() ? server.Password() : password);
        site.m_port = server.Port();
        site.m_path = "";
        site.m_passive = passive;
        site.m_logErrors = log;
        site.m_retries = 1;
        WriteSites({site});
        tev::AppProfile::WriteProfileInt("Settings", "LastSelectedSite", 0);
    }

    TempDir m_programDir;
    TempDir m_workDir;
    // The user's profiles and the log go to the user's folders.
    tevtest::ScopedEnv m_userData{"XDG_DATA_HOME", m_workDir / "data"};
    tevtest::ScopedEnv m_userState{"XDG_STATE_HOME", m_workDir / "state"};
    tevtest::ScopedRegistry m_registry;
    fs::path m_oldDir;
};

} // namespace

TEST_F(PublishDialogTest, OpensWithTheProfilesReadBeforeTheDamageAndTheOneSelectedLast) {
    std::string bytes;
    ASSERT_TRUE(CSitesFile::Store({Site("Alpha", "alpha.example.com", "al"),
                                   Site("Beta", "ftp://beta.example.com", "be", "pw-beta"),
                                   Site("Gamma", "gamma.example.com", "ga")},
                                  bytes));
    // The third record is cut short.
    WriteFileBytes(SitesPath(), bytes.substr(0, bytes.size() - 30));
    tev::AppProfile::WriteProfileInt("Settings", "LastSelectedSite", 1);

    CConnectDlg dialog(nullptr);
    dialog.Show();
    EXPECT_EQ(dialog.GetTitle(), "Publish");
    EXPECT_EQ(dialog.GetId(), IDD_CONNECT_DIALOG);
    EXPECT_EQ(Entries(&dialog), (std::vector<std::string>{"Alpha", "Beta", "New Profile"}));
    auto* list = Control<CFTPSiteListBox>(&dialog, IDC_SITE_LIST);
    EXPECT_EQ(list->GetSelection(), 1);
    EXPECT_EQ(Text(&dialog, IDC_SERVER), "ftp://beta.example.com");
    EXPECT_EQ(Text(&dialog, IDC_USERNAME), "be");
    EXPECT_EQ(Text(&dialog, IDC_PASSWORD), "pw-beta");
    EXPECT_TRUE(PasswordMasked(&dialog));
    EXPECT_FALSE(Checked(&dialog, IDC_ANONYMOUS));
    EXPECT_EQ(Text(&dialog, IDC_PATH), "/www/Beta");
    EXPECT_EQ(Text(&dialog, IDC_PORT), "2121");
    EXPECT_EQ(Text(&dialog, IDC_RETRIES), "4");
    EXPECT_EQ(Text(&dialog, IDC_RETRY_DELAY), "9");
    EXPECT_FALSE(Checked(&dialog, IDC_PASSIVE));
    EXPECT_TRUE(Checked(&dialog, IDC_LOG_ERRORS));
    EXPECT_EQ(Text(&dialog, IDC_DESCRIPTION), "about Beta");
    // Loading is no change: nothing to save yet; the server can be browsed at once.
    EXPECT_FALSE(Enabled(&dialog, IDC_SAVE_SITE));
    EXPECT_TRUE(Enabled(&dialog, IDC_BROWSE));
    EXPECT_TRUE(Enabled(&dialog, IDC_PUBLISH));

    // Entries are drawn in the dialog's font, the placeholder in italics, the selected one
    // in the highlight colours, all in grey while the list is disabled.
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    EXPECT_EQ(list->GetEntryStyle(2).font.GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_EQ(list->GetEntryStyle(0).font.GetStyle(), wxFONTSTYLE_NORMAL);
    EXPECT_EQ(list->GetEntryStyle(1).background, highlight);
    EXPECT_EQ(list->GetEntryStyle(1).text, highlightText);
    EXPECT_FALSE(list->GetEntryStyle(0).background.IsOk());
    wxBitmap bitmap(120, 20, 24);
    {
        wxMemoryDC dc(bitmap);
        list->DrawEntry(dc, wxRect(0, 0, 120, 20), 1);
    }
    const wxImage painted = bitmap.ConvertToImage();
    EXPECT_EQ(wxColour(painted.GetRed(118, 1), painted.GetGreen(118, 1), painted.GetBlue(118, 1)),
              highlight);
    list->Disable();
    EXPECT_EQ(list->GetEntryStyle(1).text, wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
}

TEST_F(PublishDialogTest, AFirstRunShowsOnlyNewProfileAndPlusLoadsTheEditingDefaults) {
    CConnectDlg dialog(nullptr);
    dialog.Show();
    EXPECT_EQ(Entries(&dialog), std::vector<std::string>{"New Profile"});
    Type(&dialog, IDC_SERVER, "typed.example.com");
    Type(&dialog, IDC_RETRIES, "7");
    EXPECT_TRUE(Enabled(&dialog, IDC_SAVE_SITE));
    ASSERT_TRUE(Click(&dialog, IDC_NEW_SITE));
    EXPECT_EQ(Control<CFTPSiteListBox>(&dialog, IDC_SITE_LIST)->GetSelection(), 0);
    EXPECT_EQ(Text(&dialog, IDC_SERVER), "");
    EXPECT_EQ(Text(&dialog, IDC_PORT), "21");
    EXPECT_EQ(Text(&dialog, IDC_RETRIES), "3");
    EXPECT_EQ(Text(&dialog, IDC_RETRY_DELAY), "10");
    EXPECT_TRUE(Checked(&dialog, IDC_PASSIVE));
    EXPECT_FALSE(Checked(&dialog, IDC_LOG_ERRORS));
    EXPECT_FALSE(Checked(&dialog, IDC_ANONYMOUS));
    EXPECT_TRUE(dialog.GetSiteList().IsDirty());
    EXPECT_FALSE(fs::exists(SitesPath()));
}

TEST_F(PublishDialogTest, TheAccountFollowsAnonymousBothWays) {
    tev::AppProfile::WriteProfileString("Settings", "EmailAddress", "me@example.org");
    WriteSites({Site("Mine", "ftp.example.com", "bob", "s3cret"),
                Site("Open", "ftp.example.com", "AnonYmous", "guest@example.org")});
    CConnectDlg dialog(nullptr);
    dialog.Show();

    // Checking fills the anonymous account in clear; unchecking brings back the stored one.
    Toggle(&dialog, IDC_ANONYMOUS);
    EXPECT_EQ(Text(&dialog, IDC_USERNAME), "anonymous");
    EXPECT_EQ(Text(&dialog, IDC_PASSWORD), "me@example.org");
    EXPECT_FALSE(PasswordMasked(&dialog));
    EXPECT_TRUE(Enabled(&dialog, IDC_SAVE_SITE));
    Toggle(&dialog, IDC_ANONYMOUS);
    EXPECT_EQ(Text(&dialog, IDC_USERNAME), "bob");
    EXPECT_EQ(Text(&dialog, IDC_PASSWORD), "s3cret");
    EXPECT_TRUE(PasswordMasked(&dialog));

    // An anonymous profile loads checked and in clear; typing another name undoes both.
    SelectEntry(&dialog, 1);
    EXPECT_TRUE(Checked(&dialog, IDC_ANONYMOUS));
    EXPECT_FALSE(PasswordMasked(&dialog));
    EXPECT_EQ(tev::AppProfile::GetProfileInt("Settings", "LastSelectedSite", -1), 1);
    Type(&dialog, IDC_USERNAME, "anonymous");
    EXPECT_TRUE(Checked(&dialog, IDC_ANONYMOUS));
    Type(&dialog, IDC_USERNAME, "carol");
    EXPECT_FALSE(Checked(&dialog, IDC_ANONYMOUS));
    EXPECT_TRUE(PasswordMasked(&dialog));
    EXPECT_EQ(Text(&dialog, IDC_PASSWORD), "guest@example.org");
    EXPECT_EQ(dialog.ReadControls().m_username, "carol");
}

TEST_F(PublishDialogTest, TheSaveQuestionKeepsTheDialogDropsTheChangesOrSavesThem) {
    enum Way { CancelButton, CloseBox, Enter };
    struct Case {
        Way way;
        int answer;
        bool open;  // the dialog stays
        int result; // how it ended
        bool saved; // the change reached sites.dat
    };
    const Case cases[] = {
        {CancelButton, wxID_CANCEL, true, 0, false},
        {CancelButton, wxID_NO, false, wxID_CANCEL, false},
        {CancelButton, wxID_YES, false, wxID_CANCEL, true},
        {CloseBox, wxID_CANCEL, true, 0, false},
        {CloseBox, wxID_YES, false, wxID_CANCEL, true},
        {Enter, wxID_NO, false, wxID_OK, false},
        {Enter, wxID_YES, false, wxID_OK, true},
        {Enter, wxID_CANCEL, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "way " << c.way << ", answer " << c.answer);
        WriteSites({Site("Mine", "old.example.com", "bob")});
        CConnectDlg dialog(nullptr);
        dialog.Show();
        dialog.SetReturnCode(0);
        Type(&dialog, IDC_SERVER, "new.example.com");
        const auto close = [&] {
            if (c.way == CancelButton)
                Click(&dialog, wxID_CANCEL);
            else if (c.way == CloseBox)
                dialog.Close();
            else
                PressEnter(&dialog, IDC_SERVER);
        };
        wxTEST_DIALOG(close(), ExpectMessageBox(kQuestion, c.answer));
        EXPECT_EQ(dialog.IsShown(), c.open);
        EXPECT_EQ(dialog.GetReturnCode(), c.result);
        EXPECT_EQ(StoredSites().at(0).m_server, c.saved ? "new.example.com" : "old.example.com");
    }
}

TEST_F(PublishDialogTest, WithoutChangesTheDialogEndsWithoutAQuestion) {
    WriteSites({Site("Mine", "old.example.com", "bob")});
    CConnectDlg dialog(nullptr);
    dialog.Show();
    TEV_EXPECT_NO_DIALOG(PressEnter(&dialog, IDC_USERNAME));
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
    // Enter in the description is a new line, not the end of the dialog.
    CConnectDlg again(nullptr);
    again.Show();
    TEV_EXPECT_NO_DIALOG(PressEnter(&again, IDC_DESCRIPTION));
    EXPECT_TRUE(again.IsShown());
}

TEST_F(PublishDialogTest, SavingNewProfileAsksForANameAndACancelledNameKeepsTheDialogOpen) {
    CConnectDlg dialog(nullptr);
    dialog.Show();
    dialog.SetReturnCode(0);
    Click(&dialog, IDC_NEW_SITE);
    Type(&dialog, IDC_SERVER, "home.example.com");
    wxTEST_DIALOG(Click(&dialog, wxID_CANCEL), ExpectMessageBox(kQuestion, wxID_YES),
                  ExpectProfileName("", wxID_CANCEL));
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_FALSE(fs::exists(SitesPath()));

    wxTEST_DIALOG(Click(&dialog, wxID_CANCEL), ExpectMessageBox(kQuestion, wxID_YES),
                  ExpectProfileName("Home"));
    EXPECT_FALSE(dialog.IsShown());
    ASSERT_EQ(StoredSites().size(), 1u);
    EXPECT_EQ(StoredSites()[0].m_profileName, "Home");
    EXPECT_EQ(StoredSites()[0].m_server, "home.example.com");
}

TEST_F(PublishDialogTest, SaveAsRefusesTakenNamesInAnyCaseAndListsANewOneAboveNewProfile) {
    WriteSites({Site("Alpha", "alpha.example.com", "al")});
    CConnectDlg dialog(nullptr);
    dialog.Show();
    Type(&dialog, IDC_SERVER, "beta.example.com");
    for (const char* taken : {"new PROFILE", "ALPHA", "alpha"}) {
        wxTEST_DIALOG(
            Click(&dialog, IDC_SAVE_SITE_AS), ExpectProfileName(taken),
            ExpectMessageBox("A Profile with the specified name already exists.", wxID_OK));
        EXPECT_EQ(Entries(&dialog), (std::vector<std::string>{"Alpha", "New Profile"})) << taken;
    }
    wxTEST_DIALOG(Click(&dialog, IDC_SAVE_SITE_AS), ExpectProfileName("Beta"));
    EXPECT_EQ(Entries(&dialog), (std::vector<std::string>{"Alpha", "Beta", "New Profile"}));
    EXPECT_EQ(Control<CFTPSiteListBox>(&dialog, IDC_SITE_LIST)->GetSelection(), 1);
    const std::vector<CFtpSite> stored = StoredSites();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].m_server, "alpha.example.com");
    EXPECT_EQ(stored[1].m_server, "beta.example.com");
    EXPECT_FALSE(Enabled(&dialog, IDC_SAVE_SITE));

    // "-" removes it and goes back to the first profile.
    Click(&dialog, IDC_DELETE_SITE);
    EXPECT_EQ(Entries(&dialog), (std::vector<std::string>{"Alpha", "New Profile"}));
    EXPECT_EQ(Text(&dialog, IDC_SERVER), "alpha.example.com");
    EXPECT_EQ(StoredSites().size(), 1u);
}

TEST_F(PublishDialogTest, ThePublishTabOpensTheDialogForItsFolder) {
    const std::string folder = m_workDir / "Publish/My Calendar";
    int result = 0;
    wxTEST_DIALOG(result = RunPublishDialog(nullptr, folder),
                  ExpectPublishDialog(folder, wxID_CANCEL));
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(PublishDialogTest, TheProfileNameDialogWantsAName) {
    CProfileNameDlg dialog(nullptr);
    EXPECT_EQ(dialog.GetId(), IDD_PROFILE_NAME_DIALOG);
    auto* edit = Control<wxTextCtrl>(&dialog, IDC_PROFILE_NAME);
    EXPECT_TRUE(tevtest::RefusesAnEmptyNameThenTakes(
        dialog, edit, "Please specify the name of the profile", "Office"));
    EXPECT_EQ(dialog.GetProfileName(), "Office");
}

TEST_F(PublishDialogTest, ANewUserCreatesAProfileAndPublishesTheFolder) {
    FtpTestServer::Options options;
    options.throttleBytesPerSecond = 3 << 20;
    FtpTestServer server(options);
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    PublishFolder folder(true);
    ProgressWatcher watcher;

    CConnectDlg dialog(nullptr);
    dialog.SetLocalFolder(folder.dir.path());
    bool published = false;
    dialog.CallAfter([&] {
        Click(&dialog, IDC_NEW_SITE);
        Type(&dialog, IDC_SERVER, server.Host());
        Type(&dialog, IDC_PORT, std::to_string(server.Port()));
        Type(&dialog, IDC_USERNAME, server.User());
        Type(&dialog, IDC_PASSWORD, server.Password());
        EXPECT_TRUE(PasswordMasked(&dialog));
        wxTEST_DIALOG(Click(&dialog, IDC_SAVE_SITE), ExpectProfileName("My web space"));
        EXPECT_EQ(Entries(&dialog), (std::vector<std::string>{"My web space", "New Profile"}));
        // The dialog says what went where, then closes.
        wxTEST_DIALOG(published = Click(&dialog, IDC_PUBLISH),
                      ExpectMessageBox(std::to_string(folder.files.size()) + " files uploaded to " +
                                           server.Host() + ":" + std::to_string(server.Port()),
                                       wxID_OK));
        if (dialog.IsModal()) // a failure above must not leave the test waiting
            dialog.EndModal(wxID_ABORT);
    });
    tevtest::AllowRealDialogs realDialog;
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_TRUE(published);

    for (const auto& [name, bytes] : folder.files)
        EXPECT_EQ(ReadFileBytes(server.PathOf(name)), bytes) << name;
    EXPECT_TRUE(fs::exists(server.PathOf("empty.txt")));
    EXPECT_FALSE(fs::exists(server.PathOf("assets")));
    ASSERT_EQ(StoredSites().size(), 1u);
    EXPECT_EQ(StoredSites()[0].m_port, server.Port());
    EXPECT_FALSE(LogExists());

    // One progress dialog, animated, that counted the big file on its way up.
    EXPECT_EQ(watcher.dialogs.size(), 1u);
    EXPECT_TRUE(watcher.playing);
    const long movieSize = static_cast<long>(folder.files["TEVCalendar.swf"].size());
    const std::set<long> counts = watcher.BytesShownFor("TEVCalendar.swf", movieSize);
    EXPECT_TRUE(std::any_of(counts.begin(), counts.end(), [&](long n) {
        return n > 0 && n < movieSize;
    })) << "no count between the first and the last byte";

    int between = 0;
    for (const std::string& title : watcher.titles) {
        if (title.empty()) // before the first move
            continue;
        const int percent = std::atoi(title.c_str());
        EXPECT_EQ(title, std::to_string(percent) + "% Uploading");
        between += percent > 0 && percent < 100;
    }
    EXPECT_GT(between, 0);
    EXPECT_EQ(ProgressWatcher::Find(), nullptr);
}

TEST_F(PublishDialogTest, CancelStopsTheUploadReportsNothingAndTheDialogStaysOpen) {
    FtpTestServer::Options options;
    options.throttleBytesPerSecond = 100000;
    FtpTestServer server(options);
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    StoreProfileFor(server, true, true);
    PublishFolder folder;

    CConnectDlg dialog(nullptr);
    dialog.SetLocalFolder(folder.dir.path());
    ProgressWatcher watcher;
    std::map<int, bool> enabledDuringUpload;
    int secondPublishes = 0;
    watcher.onLook = [&](CProgressDlg& progress) {
        if (progress.IsCancelled() ||
            progress.GetStatus().find("bytes transferred") == std::string::npos)
            return;
        for (int id : {IDC_PUBLISH, IDC_SAVE_SITE_AS, IDC_NEW_SITE, IDC_DELETE_SITE, IDC_SITE_LIST,
                       static_cast<int>(wxID_CANCEL)})
            enabledDuringUpload[id] = Enabled(&dialog, id);
        // A second press (forced past the disabled button) starts nothing.
        wxCommandEvent again(wxEVT_BUTTON, IDC_PUBLISH);
        dialog.ProcessWindowEvent(again);
        ++secondPublishes;
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        progress.ProcessWindowEvent(cancel);
    };
    bool stayedOpen = false;
    dialog.CallAfter([&] {
        TEV_EXPECT_NO_DIALOG(Click(&dialog, IDC_PUBLISH));
        stayedOpen = dialog.IsModal();
        EXPECT_TRUE(Enabled(&dialog, IDC_PUBLISH));
        EXPECT_FALSE(dialog.IsUploading());
        Click(&dialog, wxID_CANCEL);
        if (dialog.IsModal())
            dialog.EndModal(wxID_ABORT);
    });
    tevtest::AllowRealDialogs realDialog;
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(secondPublishes, 1);
    EXPECT_EQ(watcher.dialogs.size(), 1u);
    for (const auto& [id, enabled] : enabledDuringUpload)
        EXPECT_FALSE(enabled) << "control " << id << " was enabled during the upload";
    EXPECT_EQ(enabledDuringUpload.size(), 6u);
    EXPECT_FALSE(LogExists());
    // It stopped within the first file.
    int arrived = 0;
    for (const auto& [name, bytes] : folder.files)
        arrived += ReadFileBytes(server.PathOf(name)) == bytes && !bytes.empty();
    EXPECT_LT(arrived, 3);
}

TEST_F(PublishDialogTest, AWrongPasswordShowsTheRefusalAndLogsItOnlyWhenAsked) {
    FtpTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    PublishFolder folder;
    for (bool log : {false, true}) {
        SCOPED_TRACE(log ? "logged" : "not logged");
        fs::remove(m_workDir / "ftpLog.txt");
        StoreProfileFor(server, true, log, "wrong-password");
        CConnectDlg dialog(nullptr);
        dialog.SetLocalFolder(folder.dir.path());
        dialog.Show();
        ExpectMessageHolding refusal("530");
        wxTEST_DIALOG(Click(&dialog, IDC_PUBLISH), refusal);
        EXPECT_FALSE(refusal.progressOpen);
        EXPECT_TRUE(dialog.IsShown());
        EXPECT_TRUE(Enabled(&dialog, IDC_PUBLISH));
        EXPECT_EQ(LogExists(), log);
        if (log) {
            EXPECT_NE(Log().find(refusal.shown), std::string::npos) << Log();
        }
        EXPECT_EQ(ProgressWatcher::Find(), nullptr);
    }
    EXPECT_TRUE(fs::is_empty(server.Home()));
}

TEST_F(PublishDialogTest, AnEmptyOrMissingFolderShowsTheProgressDialogAndSucceeds) {
    FtpTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    TempDir empty;
    for (const std::string& folder : {empty.path(), empty / "missing"}) {
        ProgressWatcher watcher;
        bool uploaded = false;
        wxTEST_DIALOG(uploaded = UploadFolder(nullptr, UploadRequestFor(server, folder)),
                      ExpectMessageBox("No files uploaded to " + server.Host() + ":" +
                                           std::to_string(server.Port()) +
                                           ": the publish folder is empty",
                                       wxID_OK));
        EXPECT_TRUE(uploaded) << folder;
        EXPECT_EQ(watcher.dialogs.size(), 1u);
        EXPECT_EQ(ProgressWatcher::Find(), nullptr);
    }
}

TEST_F(PublishDialogTest, AnUnreachableServerIsTriedAgainAfterTheDelayThenReported) {
    FtpTestServer server; // started and stopped, so its port is surely closed
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    CUploadRequest request = UploadRequestFor(server, m_workDir.path());
    {
        FtpTestServer other;
        request.port = other.Port();
    }
    request.retries = 2;
    request.retryDelay = 1;
    request.logErrors = true;
    ProgressWatcher watcher;
    bool uploaded = true;
    const auto start = std::chrono::steady_clock::now();
    wxTEST_DIALOG(uploaded = UploadFolder(nullptr, request),
                  ExpectMessageHolding("port " + std::to_string(request.port)));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(uploaded);
    EXPECT_GE(seconds, 0.95);
    EXPECT_LT(seconds, 10);
    EXPECT_TRUE(watcher.statuses.count("FTP retry to connect after 1 seconds..."));
    EXPECT_TRUE(LogExists());
    EXPECT_EQ(ProgressWatcher::Find(), nullptr);
}
