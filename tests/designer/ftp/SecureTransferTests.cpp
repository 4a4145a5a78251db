// FTP over TLS against pyftpdlib's TLS handler and SFTP against OpenSSH's sshd, both on
// 127.0.0.1: the same folder work over each, and the refusals that keep a login safe.
#include "designer/ftp/FolderUpload.h"
#include "designer/ftp/FtpTransferClient.h"
#include "designer/ftp/RemoteFileSystem.h"
#include "designer/ftp/SftpFileSystem.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/SshTestServer.h"
#include "tests/designer/ftp/UploadTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace TEVComponentDesignerAfx;
using tevtest::FtpTestServer;
using tevtest::SshTestServer;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Answers every question the same way and keeps what it was asked.
class ScriptedPrompt : public IRemoteTrustPrompt {
public:
    explicit ScriptedPrompt(TrustChoice answer) : m_answer(answer) {}
    TrustChoice Ask(const CRemoteIdentity& identity) override {
        asked.push_back(identity);
        return m_answer;
    }
    std::vector<CRemoteIdentity> asked;

private:
    TrustChoice m_answer;
};

// A trust store of its own in a temporary folder, asking through a scripted prompt.
struct TrustFixture {
    explicit TrustFixture(TrustChoice answer = TrustChoice::Always)
        : prompt(answer), trust(dir / "config/trusted", &prompt) {}
    tevtest::TempDir dir;
    ScriptedPrompt prompt;
    CStoredTrust trust;
};

FtpTestServer::Options TlsOptions(const std::string& name, bool expired = false) {
    FtpTestServer::Options options;
    options.tlsName = name;
    options.tlsExpired = expired;
    return options;
}

std::unique_ptr<IRemoteFileSystem> FtpsClientFor(const FtpTestServer& server, IRemoteTrust& trust) {
    auto client = CreateRemoteFileSystem("ftps://" + server.Host());
    CRemoteLogin login;
    login.host = server.Host();
    login.port = server.Port();
    login.username = server.User();
    login.password = server.Password();
    login.connectTimeoutSeconds = 10;
    login.idleTimeoutMilliseconds = 10000;
    client->SetLogin(login);
    client->SetTrust(&trust);
    return client;
}

std::unique_ptr<CSftpFileSystem> SftpClientFor(const SshTestServer& server, IRemoteTrust& trust,
                                               const std::string& password = {}) {
    auto client = std::make_unique<CSftpFileSystem>();
    CRemoteLogin login;
    login.host = server.Host();
    login.port = server.Port();
    login.username = server.User();
    login.password = password;
    login.connectTimeoutSeconds = 10;
    client->SetLogin(login);
    client->SetKeyFolder(server.KeyFolder());
    client->SetTrust(&trust);
    return client;
}

std::vector<std::string> Names(const std::vector<CRemoteEntry>& entries, bool folders) {
    std::vector<std::string> names;
    for (const CRemoteEntry& entry : entries)
        if (entry.folder == folders)
            names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

// Folder work any protocol must do the same: make, enter, upload (on the calling thread and
// on the worker), list, rename, delete, remove. `home` is the local path of the remote
// folder `remoteHome`.
void ExerciseFolders(IRemoteFileSystem& fs, const std::string& remoteHome,
                     const std::string& home) {
    tevtest::PublishFolder site({{"index.html", tevtest::PatternBytes(70000, 'a')},
                                 {"data.xml", tevtest::PatternBytes(1500000, 'b')},
                                 {"empty.txt", ""}});
    ASSERT_TRUE(fs.ChangeRemoteDir(remoteHome)) << fs.GetLastErrorText();
    ASSERT_TRUE(fs.MakeDir("site")) << fs.GetLastErrorText();
    ASSERT_TRUE(fs.ChangeRemoteDir("site")) << fs.GetLastErrorText();
    bool async = false;
    for (const auto& [name, bytes] : site.files) {
        const std::string local = site.dir / name;
        if (async) {
            ASSERT_TRUE(fs.AsyncPutFileStart(local, name)) << fs.GetLastErrorText();
            for (int i = 0; i < 3000 && !fs.IsAsyncFinished(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ASSERT_TRUE(fs.GetAsyncSucceeded()) << fs.GetLastErrorText();
        } else {
            ASSERT_TRUE(fs.PutFile(local, name)) << fs.GetLastErrorText();
        }
        async = !async;
        EXPECT_EQ(tevtest::ReadFileBytes(home + "site/" + name), bytes) << name;
    }
    ASSERT_TRUE(fs.MakeDir("old"));
    ASSERT_TRUE(fs.Rename("old", "new")) << fs.GetLastErrorText();
    std::vector<CRemoteEntry> entries;
    ASSERT_TRUE(fs.ListCurrentDir(entries)) << fs.GetLastErrorText();
    EXPECT_EQ(Names(entries, false),
              (std::vector<std::string>{"data.xml", "empty.txt", "index.html"}));
    EXPECT_EQ(Names(entries, true), std::vector<std::string>{"new"});
    std::uint64_t size = 0;
    ASSERT_TRUE(fs.GetFileSize("data.xml", size)) << fs.GetLastErrorText();
    EXPECT_EQ(size, 1500000u);
    EXPECT_TRUE(fs.DeleteFile("empty.txt")) << fs.GetLastErrorText();
    EXPECT_TRUE(fs.RemoveDir("new")) << fs.GetLastErrorText();
    EXPECT_FALSE(fs.RemoveDir("new"));
    EXPECT_TRUE(Contains(fs.GetLastErrorText(), "Removing the remote directory \"new\" failed"))
        << fs.GetLastErrorText();
    ASSERT_TRUE(fs.ListCurrentDir(entries));
    EXPECT_EQ(Names(entries, true), std::vector<std::string>{});
    EXPECT_EQ(Names(entries, false), (std::vector<std::string>{"data.xml", "index.html"}));
    EXPECT_TRUE(fs.Disconnect());
}

} // namespace

TEST(RemoteProtocol, TheSchemeChoosesTheProtocolItsPortAndTheHost) {
    struct Case {
        const char* server;
        RemoteProtocol protocol;
        int port;
        const char* host;
    };
    const Case cases[] = {
        {"ftp.example.com", RemoteProtocol::Ftp, 21, "ftp.example.com"},
        {" FTP://user@host.example:2121/path ", RemoteProtocol::Ftp, 21, "host.example"},
        {"ftps://secure.example/", RemoteProtocol::Ftps, 21, "secure.example"},
        {"SFTP://[::1]:2222", RemoteProtocol::Sftp, 22, "::1"},
        {"http://web.example", RemoteProtocol::Unknown, 21, "http://web.example"},
        {"host/with://inside", RemoteProtocol::Ftp, 21, "host/with://inside"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProtocolOf(c.server), c.protocol) << c.server;
        EXPECT_EQ(DefaultPortOf(ProtocolOf(c.server)), c.port) << c.server;
        EXPECT_EQ(CFolderUpload::HostOf(c.server), c.host) << c.server;
        // The report names the port only where it is not the protocol's own.
        CUploadRequest request;
        request.server = c.server;
        request.port = c.port;
        EXPECT_EQ(CFolderUpload::DoneText(2, request), "2 files uploaded to " + std::string(c.host))
            << c.server;
    }
}

TEST(RemoteProtocol, AChosenProtocolRewritesOnlyTheScheme) {
    struct Case {
        const char* server;
        RemoteProtocol protocol;
        const char* expected;
    };
    const Case cases[] = {
        {"host.example", RemoteProtocol::Ftp, "host.example"}, // older profiles stay as they are
        {"host.example", RemoteProtocol::Ftps, "ftps://host.example"},
        {"ftps://host.example/www", RemoteProtocol::Sftp, "sftp://host.example/www"},
        {"sftp://host.example", RemoteProtocol::Ftp, "ftp://host.example"},
        {"", RemoteProtocol::Sftp, "sftp://"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithProtocol(c.server, c.protocol), c.expected) << c.server;
    // The port follows the protocol unless the user chose one of his own.
    EXPECT_EQ(PortAfterProtocolChange(21, RemoteProtocol::Ftp, RemoteProtocol::Sftp), 22);
    EXPECT_EQ(PortAfterProtocolChange(22, RemoteProtocol::Sftp, RemoteProtocol::Ftps), 21);
    EXPECT_EQ(PortAfterProtocolChange(0, RemoteProtocol::Ftp, RemoteProtocol::Sftp), 22);
    EXPECT_EQ(PortAfterProtocolChange(2121, RemoteProtocol::Ftp, RemoteProtocol::Sftp), 2121);
}

TEST(StoredTrust, AsksOnceRemembersAlwaysAndRefusesAChangedIdentity) {
    struct Case {
        TrustChoice answer;
        bool trusted;
        bool remembered;
    };
    const Case cases[] = {{TrustChoice::Always, true, true},
                          {TrustChoice::Once, true, false},
                          {TrustChoice::Refuse, false, false}};
    for (const Case& c : cases) {
        TrustFixture fixture(c.answer);
        CRemoteIdentity identity;
        identity.host = "files.example";
        identity.port = 990;
        identity.fingerprint = "SHA256:AA:BB";
        std::string refusal;
        EXPECT_EQ(fixture.trust.Trust(identity, refusal), c.trusted);
        EXPECT_EQ(fixture.trust.Trust(identity, refusal), c.trusted);
        // Once asks every time, Always only the first.
        EXPECT_EQ(fixture.prompt.asked.size(), c.remembered ? 1u : 2u);
        CTrustStore store(fixture.dir / "config/trusted");
        EXPECT_EQ(store.Find(identity.kind, "files.example", 990).has_value(), c.remembered);
        EXPECT_FALSE(store.Find(RemoteIdentityKind::HostKey, "files.example", 990));
        EXPECT_FALSE(store.Find(identity.kind, "files.example", 21));
        if (!c.remembered)
            continue;
        CRemoteIdentity changed = identity;
        changed.fingerprint = "SHA256:CC:DD";
        EXPECT_FALSE(fixture.trust.Trust(changed, refusal));
        EXPECT_TRUE(Contains(refusal, "CHANGED")) << refusal;
        EXPECT_EQ(fixture.prompt.asked.size(), 1u) << "a changed identity is never asked about";
    }
}

TEST(StoredTrust, WithoutAPromptANewIdentityIsRefused) {
    tevtest::TempDir dir;
    CStoredTrust trust(dir / "trusted");
    CRemoteIdentity identity;
    identity.kind = RemoteIdentityKind::HostKey;
    identity.host = "h";
    identity.fingerprint = "SHA256:01";
    std::string refusal;
    EXPECT_FALSE(trust.Trust(identity, refusal));
    EXPECT_TRUE(Contains(refusal, "host key of h:0 is not trusted")) << refusal;
}

TEST(Ftps, EveryFolderOperationWorksAndATrustedCertificateIsNotAskedForAgain) {
    FtpTestServer server(TlsOptions("127.0.0.1"));
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    TrustFixture fixture;
    auto client = FtpsClientFor(server, fixture.trust);
    ASSERT_TRUE(client->Connect()) << client->GetLastErrorText();
    ASSERT_EQ(fixture.prompt.asked.size(), 1u);
    const CRemoteIdentity& shown = fixture.prompt.asked.front();
    EXPECT_EQ(shown.subject, "CN = 127.0.0.1");
    EXPECT_EQ(shown.issuer, shown.subject);
    EXPECT_EQ(shown.fingerprint.size(), 7u + 32 * 3 - 1);
    EXPECT_TRUE(Contains(shown.reason, "self-signed")) << shown.reason;
    EXPECT_FALSE(shown.validUntil.empty());
    ExerciseFolders(*client, "/", server.Home());

    auto again = FtpsClientFor(server, fixture.trust);
    ASSERT_TRUE(again->Connect()) << again->GetLastErrorText();
    EXPECT_EQ(fixture.prompt.asked.size(), 1u);
}

TEST(Ftps, ThePasswordIsNotSentWhenTheCertificateIsRefused) {
    struct Case {
        FtpTestServer::Options options;
        TrustChoice answer;
        const char* expected;
        std::size_t asked;
    };
    const Case cases[] = {
        {FtpTestServer::Options(), TrustChoice::Always, "refused FTP over TLS (AUTH TLS)", 0},
        {TlsOptions("other.example"), TrustChoice::Always,
         "is made out to another host (CN = other.example), not to 127.0.0.1", 0},
        {TlsOptions("127.0.0.1", true), TrustChoice::Always, "expired on", 0},
        {TlsOptions("127.0.0.1"), TrustChoice::Refuse, "is not trusted (self-signed", 1},
    };
    for (const Case& c : cases) {
        FtpTestServer server(c.options);
        ASSERT_TRUE(server.IsRunning()) << server.StartError();
        TrustFixture fixture(c.answer);
        auto client = FtpsClientFor(server, fixture.trust);
        EXPECT_FALSE(client->Connect());
        const std::string error = client->GetLastErrorText();
        EXPECT_TRUE(Contains(error, "Connecting to 127.0.0.1 port")) << error;
        EXPECT_TRUE(Contains(error, c.expected)) << error;
        EXPECT_FALSE(client->IsConnected());
        EXPECT_EQ(fixture.prompt.asked.size(), c.asked) << c.expected;
        EXPECT_FALSE(Contains(tevtest::ReadFileBytes(server.LogPath()), "USER")) << c.expected;
    }
}

TEST(Ftps, ACertificateThatNoLongerMatchesTheTrustedOneIsRefused) {
    FtpTestServer server(TlsOptions("127.0.0.1"));
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    TrustFixture fixture;
    CRemoteIdentity earlier;
    earlier.host = server.Host();
    earlier.port = server.Port();
    earlier.fingerprint = "SHA256:00:11:22";
    ASSERT_TRUE(CTrustStore(fixture.dir / "config/trusted").Remember(earlier));
    auto client = FtpsClientFor(server, fixture.trust);
    EXPECT_FALSE(client->Connect());
    EXPECT_TRUE(Contains(client->GetLastErrorText(),
                         "certificate of 127.0.0.1:" + std::to_string(server.Port()) + " CHANGED"))
        << client->GetLastErrorText();
    EXPECT_TRUE(fixture.prompt.asked.empty());
}

TEST(Sftp, EveryFolderOperationWorksWithAKeyFileAndTheHostKeyIsAskedForOnce) {
    tevtest::ScopedEnv noAgent("SSH_AUTH_SOCK", "");
    SshTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    TrustFixture fixture;
    auto client = SftpClientFor(server, fixture.trust);
    ASSERT_TRUE(client->Connect()) << client->GetLastErrorText();
    ASSERT_EQ(fixture.prompt.asked.size(), 1u);
    EXPECT_EQ(fixture.prompt.asked[0].kind, RemoteIdentityKind::HostKey);
    EXPECT_EQ(fixture.prompt.asked[0].subject, "ssh-ed25519");
    ExerciseFolders(*client, server.Home(), server.Home());

    auto again = SftpClientFor(server, fixture.trust);
    ASSERT_TRUE(again->Connect()) << again->GetLastErrorText();
    EXPECT_EQ(fixture.prompt.asked.size(), 1u);

    ASSERT_TRUE(server.ReplaceHostKey()) << server.StartError();
    auto replaced = SftpClientFor(server, fixture.trust);
    EXPECT_FALSE(replaced->Connect());
    EXPECT_TRUE(Contains(replaced->GetLastErrorText(),
                         "host key of 127.0.0.1:" + std::to_string(server.Port()) + " CHANGED"))
        << replaced->GetLastErrorText();
    EXPECT_EQ(fixture.prompt.asked.size(), 1u);
}

TEST(Sftp, TheKeyComesFromTheSshAgentWhenNoKeyFileHasIt) {
    SshTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    tevtest::TempDir agentDir;
    const std::string socket = agentDir / "agent.sock";
    const std::string pidFile = agentDir / "agent.pid";
    // The agent's own pid, so that exactly this agent is ended.
    ASSERT_EQ(
        std::system(("ssh-agent -a '" + socket +
                     "' | sed -n 's/.*SSH_AGENT_PID=\\([0-9]*\\).*/\\1/p' > '" + pidFile + "'")
                        .c_str()),
        0);
    const std::string agentPid = tevtest::ReadFileBytes(pidFile);
    tevtest::ScopedEnv agent("SSH_AUTH_SOCK", socket);
    EXPECT_EQ(
        std::system(("ssh-add -q '" + server.KeyFolder() + "/id_ed25519' 2>/dev/null").c_str()), 0);
    TrustFixture fixture(TrustChoice::Once);
    auto client = SftpClientFor(server, fixture.trust);
    client->SetKeyFolder(fixture.dir / "no-keys");
    EXPECT_TRUE(client->Connect()) << client->GetLastErrorText();
    std::string folder;
    EXPECT_TRUE(client->GetCurrentDir(folder));
    EXPECT_FALSE(folder.empty());
    client->Disconnect();
    if (!agentPid.empty())
        std::system(("kill " + agentPid).c_str());
}

TEST(Sftp, AWrongPasswordWithoutKeysIsPermissionDeniedAndNeverShown) {
    tevtest::ScopedEnv noAgent("SSH_AUTH_SOCK", "");
    SshTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    TrustFixture fixture;
    const std::string password = "not-the-password-42";
    auto client = SftpClientFor(server, fixture.trust, password);
    client->SetKeyFolder(fixture.dir / "no-keys");
    EXPECT_FALSE(client->Connect());
    const std::string error = client->GetLastErrorText();
    EXPECT_TRUE(Contains(error, "permission denied for \"" + server.User() + "\"")) << error;
    EXPECT_FALSE(Contains(error, password));
    EXPECT_FALSE(Contains(client->GetLastReply(), password));
}
