// Publishing over FTP over TLS as a user does it: the question about the server's
// self-signed certificate on a real window, once, and the "Protocol" choice of the
// "Publish" dialog.
#include "designer/ftp/ConnectDlg.h"
#include "designer/ftp/TrustDlg.h"
#include "designer/ftp/UploadFolder.h"
#include "platform/com/ModuleLoader.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/WindowImage.h"
#include "resources/designer/FtpDialogs.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/UploadTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

using namespace TEVComponentDesignerAfx;
using namespace tev::designer;
using tevtest::ExpectMessageBox;
using tevtest::FtpTestServer;

namespace {

// The labels of the dialog's controls.
std::vector<std::string> Texts(wxWindow* dialog) {
    std::vector<std::string> texts;
    for (wxWindow* child : dialog->GetChildren())
        texts.push_back(child->GetLabel().utf8_string());
    return texts;
}

bool Shows(wxWindow* dialog, const std::string& text) {
    const std::vector<std::string> texts = Texts(dialog);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Shows the question on the screen, looks at what it says, keeps a picture of it for a
// person to look at, and trusts always.
class ExpectTrustQuestion : public wxExpectModalBase<CTrustDlg, ExpectTrustQuestion> {
public:
    explicit ExpectTrustQuestion(std::string screenshot) : m_screenshot(std::move(screenshot)) {}

protected:
    int OnInvoked(CTrustDlg* dialog) const override {
        dialog->Show();
        tev::PumpEventsFor(300);
        EXPECT_TRUE(tev::SaveWindowImage(dialog, m_screenshot));
        EXPECT_EQ(dialog->GetTitle(), kTrustCertificateCaption);
        EXPECT_TRUE(Shows(dialog, "CN = 127.0.0.1")); // subject and issuer alike
        const std::vector<std::string> texts = Texts(dialog);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
            return text.rfind("SHA256:", 0) == 0 && text.size() == 7 + 32 * 3 - 1;
        }));
        return IDC_TRUST_ALWAYS;
    }
    wxString GetDefaultDescription() const override { return kTrustCertificateCaption; }

private:
    std::string m_screenshot;
};

} // namespace

TEST(SecurePublish, ASelfSignedCertificateIsAskedAboutOnceThenTrustedAlways) {
    tevtest::TempDir config;
    tevtest::ScopedEnv home("XDG_DATA_HOME", config.path());
    FtpTestServer::Options options;
    options.tlsName = "127.0.0.1";
    FtpTestServer server(options);
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    tevtest::PublishFolder folder({{"index.html", tevtest::PatternBytes(5000, 'i')},
                                   {"TEVCalendar.swf", tevtest::PatternBytes(300000, 's')}});
    CUploadRequest request = tevtest::UploadRequestFor(server, folder.dir.path());
    request.server = "ftps://" + server.Host();
    const std::string done =
        "2 files uploaded to " + server.Host() + ":" + std::to_string(server.Port());

    bool uploaded = false;
    wxTEST_DIALOG(uploaded = UploadFolder(nullptr, request),
                  ExpectTrustQuestion(tevtest::TestOutputDir("ftp") + "trust-dialog.png"),
                  ExpectMessageBox(done, wxID_OK));
    EXPECT_TRUE(uploaded);
    for (const auto& [name, bytes] : folder.files)
        EXPECT_EQ(tevtest::ReadFileBytes(server.PathOf(name)), bytes) << name;
    EXPECT_TRUE(CTrustStore(DefaultTrustStorePath())
                    .Find(RemoteIdentityKind::Certificate, server.Host(), server.Port()));

    // Trusted always: the second upload asks nothing.
    wxTEST_DIALOG(uploaded = UploadFolder(nullptr, request), ExpectMessageBox(done, wxID_OK));
    EXPECT_TRUE(uploaded);
}

TEST(SecurePublish, TheTrustDialogShowsTheValidityAndRefusesOnEnter) {
    CRemoteIdentity identity;
    identity.host = "files.example";
    identity.port = 21;
    identity.subject = "CN = files.example";
    identity.issuer = "CN = files.example";
    identity.validFrom = "2026-01-01 00:00:00 UTC";
    identity.validUntil = "2027-01-01 00:00:00 UTC";
    identity.fingerprint = "SHA256:AB:CD";
    identity.reason = "self-signed certificate";
    CTrustDlg dialog(nullptr, identity);
    for (const char* expected : {"CN = files.example", "SHA256:AB:CD", kTrustAlwaysButton,
                                 "2026-01-01 00:00:00 UTC to 2027-01-01 00:00:00 UTC"})
        EXPECT_TRUE(Shows(&dialog, expected)) << expected;
    auto* refuse = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_CANCEL));
    ASSERT_NE(refuse, nullptr);
    EXPECT_EQ(dialog.GetDefaultItem(), refuse);
    EXPECT_EQ(CTrustDlg::ChoiceOf(IDC_TRUST_ALWAYS), TrustChoice::Always);
    EXPECT_EQ(CTrustDlg::ChoiceOf(IDC_TRUST_ONCE), TrustChoice::Once);
    EXPECT_EQ(CTrustDlg::ChoiceOf(wxID_CANCEL), TrustChoice::Refuse);
}

TEST(SecurePublish, TheProtocolChoiceEditsTheSchemeAndThePortFollows) {
    tevtest::TempDir program;
    tev::OverrideProgramFolder(program.path());
    {
        CConnectDlg dialog(nullptr);
        auto* server = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(IDC_SERVER));
        auto* port = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(IDC_PORT));
        auto* protocol = dynamic_cast<wxChoice*>(dialog.FindWindow(IDC_PROTOCOL));
        ASSERT_TRUE(server && port && protocol);
        server->SetValue("files.example/www");
        port->SetValue("21");
        EXPECT_EQ(protocol->GetSelection(), 0);
        const struct {
            int choice;
            const char* server;
            const char* port;
        } steps[] = {{2, "sftp://files.example/www", "22"},
                     {1, "ftps://files.example/www", "21"},
                     {0, "ftp://files.example/www", "21"}};
        for (const auto& step : steps) {
            protocol->SetSelection(step.choice);
            wxCommandEvent event(wxEVT_CHOICE, IDC_PROTOCOL);
            event.SetEventObject(protocol);
            protocol->ProcessWindowEvent(event);
            EXPECT_EQ(server->GetValue().utf8_string(), step.server);
            EXPECT_EQ(port->GetValue().utf8_string(), step.port);
            EXPECT_EQ(dialog.GetUploadRequest().server, step.server);
        }
        server->SetValue("sftp://other.example");
        EXPECT_EQ(protocol->GetSelection(), 2) << "the choice follows a typed scheme";
    }
    tev::OverrideProgramFolder("");
}
