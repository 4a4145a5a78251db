// The client against a scripted server, for replies and failures a real server will not
// produce.
#include "designer/ftp/FtpTransferClient.h"
#include "platform/text/StringUtil.h"
#include "tests/designer/ftp/FakeFtpServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace TEVComponentDesignerAfx;
using tevtest::FakeFtpServer;
using Session = FakeFtpServer::Session;

namespace {

void UseServer(CFtpTransferClient& client, const FakeFtpServer& server,
               const std::string& host = "127.0.0.1") {
    client.SetHostname(host);
    client.SetPort(server.Port());
    client.SetUsername("bob");
    client.SetPassword("hunter2");
    client.SetPassive(true);
    client.SetConnectTimeout(2);
    client.SetIdleTimeout(
        10000); // generous: a busy machine may hold the server's thread for seconds
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// How the scripted server answers one upload in passive mode; "{p1},{p2}" in the PASV
// reply stand for the data port.
struct UploadReplies {
    std::string type = "200 Type set to I";
    std::string pasv = "227 Entering Passive Mode (127,0,0,1,{p1},{p2})";
    std::string stor = "150 Ok to send data";
    std::string done = "226 Transfer complete";
};

bool ServePassiveUpload(Session& s, const UploadReplies& replies, std::string& received,
                        bool byteByByte = false) {
    auto answer = [&](const std::string& verb, const std::string& reply) {
        return s.Command().compare(0, verb.size(), verb) == 0 && s.Send(reply + "\r\n", byteByByte);
    };
    if (!answer("TYPE I", replies.type) || replies.type[0] != '2')
        return false;
    std::string pasv = replies.pasv;
    int port = s.ListenForData();
    tev::ReplaceAll(pasv, "{p1}", std::to_string(port / 256));
    tev::ReplaceAll(pasv, "{p2}", std::to_string(port % 256));
    if (!answer("PASV", pasv) || pasv.compare(0, 3, "227") != 0)
        return false;
    if (!answer("STOR", replies.stor) || replies.stor[0] != '1')
        return false;
    return s.ReceiveData(received) && s.Send(replies.done + "\r\n", byteByByte);
}

} // namespace

TEST(FtpClientLogin, ServerThatAcceptsTheUserAloneGetsNoPassword) {
    FakeFtpServer server([](Session& s) {
        s.Send("220 Ready\r\n") && s.Expect("USER", "230 Welcome, no password needed") &&
            s.Expect("SYST", "215 UNIX Type: L8") && s.Expect("FEAT", "211 No features") &&
            s.Expect("QUIT", "221 Bye");
    });
    ASSERT_TRUE(server.IsListening());
    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_EQ(client.GetServerSystem(), "215 UNIX Type: L8");
    EXPECT_TRUE(client.Disconnect());
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_EQ(server.Commands(), (std::vector<std::string>{"USER bob", "SYST", "FEAT", "QUIT"}));
}

TEST(FtpClientLogin, TheServersRepliesDecideTheOutcome) {
    using Dialogue = std::vector<std::pair<std::string, std::string>>;
    const Dialogue login = {{"USER", "331 Password required"},
                            {"PASS", "230 Logged in"},
                            {"SYST", "215 UNIX Type: L8"},
                            {"FEAT", "211-Features:\r\n EPSV\r\n211 End"}};
    const struct {
        const char* name;
        std::string greeting;
        Dialogue dialogue; // an empty reply closes the connection instead
        bool connects;
        std::vector<std::string> inError;
    } cases[] = {
        {"multi-line greeting",
         "220-Welcome\r\n 220 not the end\r\n220-still\r\n220 Ready",
         login,
         true,
         {}},
        {"greeting after a wait", "120 Ready in a moment\r\n220 Ready", login, true, {}},
        {"SYST and FEAT refused",
         "220 Ready",
         {{"USER", "331 Password"},
          {"PASS", "230 Logged in"},
          {"SYST", "500 Unknown command"},
          {"FEAT", "502 Not implemented"}},
         true,
         {}},
        {"greeting refused",
         "421 Too many users, try later",
         {},
         false,
         {"refused the connection", "421 Too many users, try later"}},
        {"not an FTP server",
         "SSH-2.0-OpenSSH_9.2",
         {},
         false,
         {"not an FTP reply", "SSH-2.0-OpenSSH_9.2"}},
        {"user refused",
         "220 Ready",
         {{"USER", "530 No such user"}},
         false,
         {"refused the user name (USER)", "530 No such user"}},
        {"password refused over several lines",
         "220 Ready",
         {{"USER", "331 Password"}, {"PASS", "530-Login incorrect.\r\n530 Three strikes left."}},
         false,
         {"refused the password (PASS)", "530-Login incorrect.\n530 Three strikes left."}},
        {"account required",
         "220 Ready",
         {{"USER", "331 Password"}, {"PASS", "332 Need account for login"}},
         false,
         {"account", "332 Need account for login"}},
        {"connection closed after USER",
         "220 Ready",
         {{"USER", ""}},
         false,
         {"closed the connection", "USER bob"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFtpServer server([&](Session& s) {
            s.Send(c.greeting + "\r\n");
            for (const auto& [verb, reply] : c.dialogue)
                if (reply.empty() ? (s.Command(), true) : !s.Expect(verb, reply))
                    break;
        });
        ASSERT_TRUE(server.IsListening());
        CFtpTransferClient client;
        UseServer(client, server);
        EXPECT_EQ(client.Connect(), c.connects);
        EXPECT_EQ(client.IsConnected(), c.connects);
        const std::string error = client.GetLastErrorText();
        if (c.connects) {
            EXPECT_EQ(error, "");
        }
        for (const std::string& part : c.inError)
            EXPECT_TRUE(Contains(error, part)) << error;
        EXPECT_FALSE(Contains(error, "hunter2")) << "the password must never show: " << error;
    }
}

TEST(FtpClientReplies, RepliesArrivingByteByByteCarryAWholeSession) {
    const std::string content(100000, 'b');
    std::string received;
    FakeFtpServer server([&](Session& s) {
        auto answer = [&](const char* verb, const std::string& reply) {
            return s.Command().compare(0, strlen(verb), verb) == 0 && s.Send(reply + "\r\n", true);
        };
        s.Send("220-Hello\r\n220 Ready\r\n", true) && answer("USER", "331 Password") &&
            answer("PASS", "230 Logged in") && answer("SYST", "215 UNIX Type: L8") &&
            answer("FEAT", "211-Features:\r\n EPSV\r\n UTF8\r\n211 End") &&
            answer("CWD", "250 Directory changed") &&
            ServePassiveUpload(s, UploadReplies(), received, true) && answer("QUIT", "221 Bye");
    });
    ASSERT_TRUE(server.IsListening());
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "page.html", content));

    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_EQ(client.GetServerFeatures(), "211-Features:\n EPSV\n UTF8\n211 End");
    ASSERT_TRUE(client.ChangeRemoteDir("site")) << client.GetLastErrorText();
    ASSERT_TRUE(client.PutFile(dir / "page.html", "page.html")) << client.GetLastErrorText();
    EXPECT_TRUE(client.Disconnect());
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_EQ(received, content);
    EXPECT_EQ(server.Commands(),
              (std::vector<std::string>{"USER bob", "PASS hunter2", "SYST", "FEAT", "CWD site",
                                        "TYPE I", "PASV", "STOR page.html", "QUIT"}));
}

TEST(FtpClientReplies, AnOverlongReplyIsQuotedCutShort) {
    FakeFtpServer server([](Session& s) {
        s.Send("220 Ready\r\n") && s.Expect("USER", "331 Password") &&
            s.Expect("PASS", "530 " + std::string(500000, 'x'));
    });
    ASSERT_TRUE(server.IsListening());
    CFtpTransferClient client;
    UseServer(client, server);
    EXPECT_FALSE(client.Connect());
    const std::string error = client.GetLastErrorText();
    EXPECT_TRUE(Contains(error, "refused the password (PASS)")) << error.substr(0, 200);
    EXPECT_TRUE(Contains(error, "530 xxxxxxxxxx")) << error.substr(0, 200);
    EXPECT_LT(error.size(), 4096u);
}

TEST(FtpClientReplies, RepliesThatNeverEndHitTheIdleTimeout) {
    const auto until = [](Session& s, const std::function<bool()>& sendMore) {
        // Bounded, so a client that never gives up still lets the test end.
        const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!s.Stopping() && std::chrono::steady_clock::now() < stop && sendMore()) {
        }
    };
    const struct {
        const char* name;
        std::function<void(Session&)> script;
    } cases[] = {
        {"endless lines at full speed",
         [&](Session& s) {
             std::string lines;
             for (int i = 0; i < 100; ++i)
                 lines += "220-and there is more to say\r\n";
             s.Send("220-Welcome\r\n");
             until(s, [&] { return s.Send(lines); });
         }},
        {"one endless line",
         [&](Session& s) {
             s.Send("220 ");
             until(s, [&] {
                 std::this_thread::sleep_for(std::chrono::milliseconds(5));
                 return s.Send("x");
             });
         }},
        {"silence", [](Session& s) { s.ClientClosed(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFtpServer server(c.script);
        ASSERT_TRUE(server.IsListening());
        CFtpTransferClient client;
        UseServer(client, server);
        client.SetIdleTimeout(400);
        EXPECT_FALSE(client.Connect());
        const std::string error = client.GetLastErrorText();
        EXPECT_TRUE(Contains(error, "the server's greeting did not arrive in full within 400 ms"))
            << error;
        EXPECT_FALSE(client.IsConnected());
    }
}

TEST(FtpClientPassive, TheDataConnectionGoesToTheControlPeerWhateverThe227Names) {
    const std::string content = "hostile servers do not pick our peers";
    std::string received;
    FakeFtpServer server([&](Session& s) {
        UploadReplies replies;
        // Nothing listens on 127.0.0.2: following the reply would fail the upload.
        replies.pasv = "227 Entering Passive Mode (127,0,0,2,{p1},{p2})";
        s.Login() && ServePassiveUpload(s, replies, received);
    });
    ASSERT_TRUE(server.IsListening());
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "a.txt", content));
    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_TRUE(client.PutFile(dir / "a.txt", "a.txt")) << client.GetLastErrorText();
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_EQ(received, content);
}

TEST(FtpClientUpload, RefusalsFailTheUploadQuoteTheServerAndKeepTheConnection) {
    const struct {
        const char* name;
        UploadReplies replies;
        std::vector<std::string> inError;
    } cases[] = {
        {"binary mode refused",
         {"504 Type not supported"},
         {"refused binary mode (TYPE I)", "504 Type not supported"}},
        {"passive mode refused",
         {"200 Ok", "425 No passive mode here"},
         {"refused passive mode (PASV)", "425 No passive mode here"}},
        {"passive reply without numbers",
         {"200 Ok", "227 Entering Passive Mode"},
         {"names no port", "227 Entering Passive Mode"}},
        {"store refused",
         {"200 Ok", UploadReplies().pasv, "553 Could not create file."},
         {"refused to store the file (STOR)", "553 Could not create file."}},
        {"upload not confirmed",
         {"200 Ok", UploadReplies().pasv, "150 Ok", "451 Local error in processing"},
         {"did not confirm the upload", "451 Local error in processing"}},
    };
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "a.txt", "some bytes"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string received;
        FakeFtpServer server([&](Session& s) {
            s.Login() && ServePassiveUpload(s, c.replies, received);
            s.ClientClosed();
        });
        ASSERT_TRUE(server.IsListening());
        CFtpTransferClient client;
        UseServer(client, server);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        EXPECT_FALSE(client.PutFile(dir / "a.txt", "a.txt"));
        const std::string error = client.GetLastErrorText();
        EXPECT_EQ(error.compare(0, 9, "Uploading"), 0) << error;
        for (const std::string& part : c.inError)
            EXPECT_TRUE(Contains(error, part)) << error;
        EXPECT_TRUE(client.IsConnected());
    }
}

TEST(FtpClientUpload, RefusedActiveModeSuggestsPassiveMode) {
    FakeFtpServer server([](Session& s) {
        s.Login() && s.Expect("TYPE I", "200 Ok") &&
            s.Expect("PORT 127,0,0,1,", "500 Active mode is disabled");
        s.ClientClosed();
    });
    ASSERT_TRUE(server.IsListening());
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "a.txt", "x"));
    CFtpTransferClient client;
    UseServer(client, server);
    client.SetPassive(false);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_FALSE(client.PutFile(dir / "a.txt", "a.txt"));
    const std::string error = client.GetLastErrorText();
    EXPECT_TRUE(Contains(error, "try passive mode")) << error;
    EXPECT_TRUE(Contains(error, "500 Active mode is disabled")) << error;
}

TEST(FtpClientUpload, AServerClosingMidTransferFailsItAndLaterCallsFailFast) {
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "big.bin", std::string(16 << 20, 'z')));
    std::string received;
    FakeFtpServer server([&](Session& s) {
        s.Login() && s.Expect("TYPE I", "200 Ok");
        int port = s.ListenForData();
        s.Expect("PASV", "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) +
                             "," + std::to_string(port % 256) + ")") &&
            s.Expect("STOR", "150 Ok to send data") && s.ReceiveData(received, 64 * 1024);
        s.CloseControl();
    });
    ASSERT_TRUE(server.IsListening());
    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    ASSERT_TRUE(client.AsyncPutFileStart(dir / "big.bin", "big.bin")) << client.GetLastErrorText();
    for (int i = 0; i < 1000 && !client.IsAsyncFinished(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(client.IsAsyncFinished());
    EXPECT_FALSE(client.GetAsyncSucceeded());
    std::string error = client.GetLastErrorText();
    EXPECT_TRUE(
        Contains(error, "the data connection broke after") ||
        Contains(error,
                 "the server closed the connection instead of sending the final reply to STOR"))
        << error;
    EXPECT_FALSE(client.IsConnected());

    EXPECT_FALSE(client.ChangeRemoteDir("site"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "not connected")) << client.GetLastErrorText();
    EXPECT_FALSE(client.PutFile(dir / "big.bin", "again.bin"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "not connected")) << client.GetLastErrorText();
}

TEST(FtpClientUpload, AfterACancelTheLateAnswerForTheUploadIsNotTakenForTheNextOne) {
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "big.bin", std::string(64 << 20, 'c')));
    std::string received;
    FakeFtpServer server([&](Session& s) {
        s.Login() && s.Expect("TYPE I", "200 Ok");
        int port = s.ListenForData();
        // The data is left unread until the client gives up, and the answer for the cut-off
        // upload comes late.
        s.Expect("PASV", "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) +
                             "," + std::to_string(port % 256) + ")") &&
            s.Expect("STOR", "150 Ok to send data") && s.AcceptData();
        s.ReceiveData(received);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        s.Send("426 Connection closed; transfer aborted.\r\n") &&
            s.Expect("CWD", "250 Directory changed") && s.Expect("QUIT", "221 Bye");
    });
    ASSERT_TRUE(server.IsListening());
    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    ASSERT_TRUE(client.AsyncPutFileStart(dir / "big.bin", "big.bin"));
    const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (client.GetAsyncBytesSent() == 0 && std::chrono::steady_clock::now() < stop)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GT(client.GetAsyncBytesSent(), 0);
    client.AbortAsync();
    for (int i = 0; i < 500 && !client.IsAsyncFinished(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(client.IsAsyncFinished());
    EXPECT_FALSE(client.GetAsyncSucceeded());
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "cancelled by the user after"))
        << client.GetLastErrorText();
    EXPECT_TRUE(client.IsConnected());

    EXPECT_TRUE(client.ChangeRemoteDir("site")) << client.GetLastErrorText();
    EXPECT_TRUE(client.Disconnect());
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_LT(received.size(), std::size_t(64 << 20));
    EXPECT_EQ(server.Commands().back(), "QUIT");
}

TEST(FtpClientStop, AStopFromAnotherThreadCutsTheRunningCallShortAndEveryLaterOne) {
    bool closedByClient = false;
    // Takes the connection and never greets.
    FakeFtpServer server([&](Session& s) { closedByClient = s.ClientClosed(); });
    ASSERT_TRUE(server.IsListening());
    auto client = std::make_unique<CFtpTransferClient>();
    UseServer(*client, server);
    client->SetIdleTimeout(60000);
    std::atomic<bool> connected{true};
    std::thread caller([&] { connected = client->Connect(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    client->Stop();
    caller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(connected);
    EXPECT_TRUE(Contains(client->GetLastErrorText(), "cancelled by the user"))
        << client->GetLastErrorText();

    EXPECT_FALSE(client->Connect());
    EXPECT_FALSE(client->ChangeRemoteDir("site"));
    EXPECT_TRUE(Contains(client->GetLastErrorText(), "cancelled by the user"))
        << client->GetLastErrorText();
    client.reset();
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_TRUE(closedByClient);
    EXPECT_TRUE(server.Commands().empty());
}

TEST(FtpClientNames, NamesWithLineBreaksAreRefusedAndNothingOfThemIsSent) {
    FakeFtpServer server([](Session& s) { s.Login() && s.Expect("QUIT", "221 Bye"); });
    ASSERT_TRUE(server.IsListening());
    tevtest::TempDir dir;
    ASSERT_TRUE(tevtest::WriteFileBytes(dir / "a.txt", "x"));
    CFtpTransferClient client;
    UseServer(client, server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();

    using Call = std::function<bool(const std::string&)>;
    const Call changeDir = [&](const std::string& name) { return client.ChangeRemoteDir(name); };
    const Call put = [&](const std::string& name) { return client.PutFile(dir / "a.txt", name); };
    const Call start = [&](const std::string& name) {
        return client.AsyncPutFileStart(dir / "a.txt", name);
    };
    const struct {
        const Call& call;
        std::string name;
    } cases[] = {
        {changeDir, "docs\r\nDELE index.html"},
        {changeDir, "docs\nRMD /"},
        {changeDir, std::string("docs\0DELE x", 11)},
        {put, "a.txt\r\nDELE b.txt"},
        {put, "a\rb"},
        {start, "c.txt\nDELE d.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.call(c.name));
        const std::string error = client.GetLastErrorText();
        EXPECT_TRUE(Contains(error, "line break")) << error;
        EXPECT_EQ(error.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << error;
        EXPECT_TRUE(client.IsAsyncFinished());
        EXPECT_TRUE(client.IsConnected());
    }
    EXPECT_TRUE(client.Disconnect());
    ASSERT_TRUE(server.WaitForScript());
    EXPECT_EQ(server.Commands(),
              (std::vector<std::string>{"USER bob", "PASS hunter2", "SYST", "FEAT", "QUIT"}));

    // The account is refused before any connection is made.
    for (const char* which : {"user", "password"}) {
        CFtpTransferClient other;
        UseServer(other, server);
        if (std::string(which) == "user")
            other.SetUsername("bob\r\nDELE index.html");
        else
            other.SetPassword("hunter2\r\nDELE index.html");
        EXPECT_FALSE(other.Connect());
        EXPECT_TRUE(Contains(other.GetLastErrorText(), "line break")) << which;
    }
}

TEST(FtpClientIpv6, DataConnectionsUseTheExtendedCommands) {
    for (bool passive : {true, false}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        const std::string content = "sent over IPv6";
        std::string received;
        FakeFtpServer server("::1", [&](Session& s) {
            if (!s.Login() || !s.Expect("TYPE I", "200 Ok"))
                return;
            std::string command = s.Command();
            if (passive && command == "EPSV") {
                int port = s.ListenForData();
                s.Send("229 Entering Extended Passive Mode (|||" + std::to_string(port) + "|)\r\n");
                s.Expect("STOR", "150 Ok") && s.ReceiveData(received) && s.Send("226 Done\r\n");
            } else if (!passive && command.compare(0, 12, "EPRT |2|::1|") == 0) {
                int port = std::atoi(command.c_str() + 12);
                s.Send("200 EPRT ok\r\n");
                s.Expect("STOR", "150 Ok") && s.ConnectForData(port) && s.ReceiveData(received) &&
                    s.Send("226 Done\r\n");
            }
            s.ClientClosed();
        });
        if (!server.IsListening())
            GTEST_SKIP() << "no IPv6 loopback here";
        tevtest::TempDir dir;
        ASSERT_TRUE(tevtest::WriteFileBytes(dir / "a.txt", content));
        CFtpTransferClient client;
        UseServer(client, server, "::1");
        client.SetPassive(passive);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        EXPECT_TRUE(client.PutFile(dir / "a.txt", "a.txt")) << client.GetLastErrorText();
        EXPECT_EQ(received, content);
    }
}

TEST(FtpClientConnect, AnUnansweredOrRefusedConnectionFails) {
    // A port nobody listens on any more.
    int closedPort = 0;
    {
        FakeFtpServer gone([](Session&) {});
        closedPort = gone.Port();
    }
    // A listener whose backlog is full leaves new connections unanswered.
    int full = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(full, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(full, 0), 0);
    getsockname(full, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 2; ++i) {
        fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), length);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    const struct {
        int port;
        const char* inError;
    } cases[] = {
        {closedPort, "Connection refused"},
        {ntohs(address.sin_port), "within 1000 ms"},
    };
    for (const auto& c : cases) {
        CFtpTransferClient client;
        client.SetHostname("127.0.0.1");
        client.SetPort(c.port);
        client.SetConnectTimeout(1);
        EXPECT_FALSE(client.Connect());
        EXPECT_FALSE(client.IsConnected());
        EXPECT_TRUE(Contains(client.GetLastErrorText(), c.inError)) << client.GetLastErrorText();
    }
    for (int fd : fillers)
        close(fd);
    close(full);
}
