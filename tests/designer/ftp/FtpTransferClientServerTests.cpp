// The client against a real FTP server on a loopback address.
#include "designer/ftp/FtpTransferClient.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

using namespace TEVComponentDesignerAfx;
using tevtest::FtpTestServer;

namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

long long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// The file's size once it stayed the same for 300 ms; -2 when it kept changing for `seconds`.
long long SettledSize(const std::string& path, int seconds) {
    const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    long long size = FileSize(path);
    while (std::chrono::steady_clock::now() < stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const long long now = FileSize(path);
        if (now == size)
            return size;
        size = now;
    }
    return -2;
}

// Waits, at most `seconds`, until `done` holds.
template <typename Done> bool WaitUntil(Done done, int seconds) {
    const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > stop)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

class FtpClientWithServer : public ::testing::Test {
protected:
    // One server for the suite, and a slow one for uploads that must last long enough to
    // be watched, destroyed or cancelled.
    static void SetUpTestSuite() {
        s_server = std::make_unique<FtpTestServer>();
        FtpTestServer::Options slow;
        slow.throttleBytesPerSecond = 2 << 20;
        s_slowServer = std::make_unique<FtpTestServer>(slow);
    }
    static void TearDownTestSuite() {
        s_server.reset();
        s_slowServer.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(s_server->IsRunning()) << s_server->StartError();
        ASSERT_TRUE(s_slowServer->IsRunning()) << s_slowServer->StartError();
    }

    static void Use(CFtpTransferClient& client, const FtpTestServer& server) {
        client.SetHostname(server.Host());
        client.SetPort(server.Port());
        client.SetUsername(server.User());
        client.SetPassword(server.Password());
        client.SetPassive(true);
        client.SetConnectTimeout(5);
        client.SetIdleTimeout(10000);
    }

    // A local file with `bytes`; returns its path.
    std::string Local(const std::string& name, const std::string& bytes) {
        std::string path = m_local / name;
        EXPECT_TRUE(tevtest::WriteFileBytes(path, bytes));
        return path;
    }

    static std::unique_ptr<FtpTestServer> s_server;
    static std::unique_ptr<FtpTestServer> s_slowServer;
    tevtest::TempDir m_local;
};

std::unique_ptr<FtpTestServer> FtpClientWithServer::s_server;
std::unique_ptr<FtpTestServer> FtpClientWithServer::s_slowServer;

TEST_F(FtpClientWithServer, LogsInAndDisconnects) {
    CFtpTransferClient client;
    Use(client, *s_server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(client.GetLastErrorText(), "");
    EXPECT_EQ(client.GetServerSystem().compare(0, 4, "215 "), 0) << client.GetServerSystem();
    EXPECT_TRUE(Contains(client.GetServerFeatures(), "EPSV")) << client.GetServerFeatures();
    EXPECT_TRUE(client.Disconnect());
    EXPECT_FALSE(client.IsConnected());
    EXPECT_FALSE(client.ChangeRemoteDir("/"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "not connected"));
}

TEST_F(FtpClientWithServer, AWrongPasswordIsRefusedInTheServersWordsAndLogged) {
    CFtpTransferClient client;
    Use(client, *s_server);
    client.SetPassword("not the password");
    EXPECT_FALSE(client.Connect());
    EXPECT_FALSE(client.IsConnected());
    const std::string error = client.GetLastErrorText();
    EXPECT_TRUE(Contains(error, "refused the password (PASS)")) << error;
    EXPECT_TRUE(Contains(error, "Server reply: 530 Authentication failed.")) << error;
    EXPECT_FALSE(Contains(error, "not the password")) << error;

    // Each save adds the error to the log.
    const std::string log = m_local / "ftpLog.txt";
    ASSERT_TRUE(client.SaveLastError(log));
    ASSERT_TRUE(client.SaveLastError(log));
    const std::string logged = tevtest::ReadFileBytes(log);
    const std::size_t first = logged.find(error + "\n");
    ASSERT_NE(first, std::string::npos) << logged;
    EXPECT_NE(logged.find(error + "\n", first + 1), std::string::npos) << logged;
    EXPECT_EQ(logged[0], '[');

    // A new operation starts a new error text.
    client.SetPassword(s_server->Password());
    EXPECT_TRUE(client.Connect());
    EXPECT_EQ(client.GetLastErrorText(), "");
    EXPECT_FALSE(client.SaveLastError(m_local / "empty.txt"));
    EXPECT_EQ(FileSize(m_local / "empty.txt"), -1);
}

TEST_F(FtpClientWithServer, ChangesIntoExistingDirectoriesOnly) {
    ASSERT_EQ(mkdir(s_server->PathOf("site").c_str(), 0700), 0);
    CFtpTransferClient client;
    Use(client, *s_server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    EXPECT_FALSE(client.ChangeRemoteDir("missing"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "refused the directory (CWD)"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "Server reply: 550 "))
        << client.GetLastErrorText();
    EXPECT_TRUE(client.IsConnected());

    ASSERT_TRUE(client.ChangeRemoteDir("site")) << client.GetLastErrorText();
    EXPECT_EQ(client.GetLastErrorText(), "");
    // A bare remote name lands in the current remote directory.
    ASSERT_TRUE(client.PutFile(Local("index.html", "<html/>"), "index.html"))
        << client.GetLastErrorText();
    EXPECT_EQ(tevtest::ReadFileBytes(s_server->PathOf("site/index.html")), "<html/>");
    EXPECT_EQ(FileSize(s_server->PathOf("index.html")), -1);
}

TEST_F(FtpClientWithServer, UploadsArriveIntactInPassiveAndActiveMode) {
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty.txt", ""},
        // Line ends and NULs survive only in binary mode.
        {"small.bin", "line\r\nother line\nlast\r" + std::string(3, '\0') + RandomBytes(900, 1)},
        {"large.bin", RandomBytes(6 << 20, 2)},
    };
    for (bool passive : {true, false}) {
        CFtpTransferClient client;
        Use(client, *s_server);
        client.SetPassive(passive);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        for (const auto& file : files) {
            const std::string remote = std::string(passive ? "passive-" : "active-") + file.name;
            SCOPED_TRACE(remote);
            ASSERT_TRUE(client.PutFile(Local(file.name, file.bytes), remote))
                << client.GetLastErrorText();
            EXPECT_EQ(client.GetLastErrorText(), "");
            const std::string arrived = tevtest::ReadFileBytes(s_server->PathOf(remote));
            EXPECT_EQ(arrived.size(), file.bytes.size());
            EXPECT_TRUE(arrived == file.bytes);
        }
        EXPECT_TRUE(client.Disconnect());
    }
}

TEST_F(FtpClientWithServer, AnExistingRemoteFileIsReplaced) {
    CFtpTransferClient client;
    Use(client, *s_server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    ASSERT_TRUE(client.PutFile(Local("old.txt", std::string(5000, 'o')), "page.html"));
    ASSERT_TRUE(client.PutFile(Local("new.txt", "new and shorter"), "page.html"))
        << client.GetLastErrorText();
    EXPECT_EQ(tevtest::ReadFileBytes(s_server->PathOf("page.html")), "new and shorter");
}

TEST_F(FtpClientWithServer, AsynchronousUploadsRunOneAfterAnotherAsAFolderUploadDoes) {
    CFtpTransferClient client;
    EXPECT_TRUE(client.IsAsyncFinished());
    EXPECT_EQ(client.GetAsyncBytesSent(), 0);
    Use(client, *s_server);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();

    // Starts that fail leave the client finished, so a polling loop ends at once.
    EXPECT_FALSE(client.AsyncPutFileStart(m_local / "missing.txt", "missing.txt"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "cannot open the local file"));
    EXPECT_TRUE(client.IsAsyncFinished());
    EXPECT_FALSE(client.AsyncPutFileStart(m_local.path(), "folder"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "not a file"));
    EXPECT_TRUE(client.IsAsyncFinished());

    const std::vector<std::pair<std::string, std::string>> files = {
        {"a.txt", ""}, {"b.html", "<p>b</p>"}, {"c.bin", RandomBytes(1 << 20, 3)}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(client.AsyncPutFileStart(Local(name, bytes), name))
            << client.GetLastErrorText();
        ASSERT_TRUE(WaitUntil([&] { return client.IsAsyncFinished(); }, 30));
        EXPECT_TRUE(client.GetAsyncSucceeded()) << client.GetLastErrorText();
        EXPECT_EQ(client.GetAsyncBytesSent(), static_cast<std::int32_t>(bytes.size()));
        EXPECT_TRUE(tevtest::ReadFileBytes(s_server->PathOf(name)) == bytes);
    }
    EXPECT_TRUE(client.Disconnect());
}

TEST_F(FtpClientWithServer, PollingARunningUploadSeesItGrowToTheFileSize) {
    // Larger than what the slow server takes in at once plus what the system buffers on
    // the way, so the count is seen between 0 and the size.
    const std::string bytes = RandomBytes(11 << 20, 4);
    CFtpTransferClient client;
    Use(client, *s_slowServer);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    ASSERT_TRUE(client.AsyncPutFileStart(Local("movie.swf", bytes), "movie.swf"));

    std::vector<std::int32_t> seen;
    ASSERT_TRUE(WaitUntil(
        [&] {
            bool finished = client.IsAsyncFinished();
            if (!finished)
                seen.push_back(client.GetAsyncBytesSent());
            return finished;
        },
        60));
    EXPECT_TRUE(client.GetAsyncSucceeded()) << client.GetLastErrorText();
    EXPECT_EQ(client.GetAsyncBytesSent(), static_cast<std::int32_t>(bytes.size()));
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](std::int32_t sent) {
        return sent > 0 && sent < static_cast<std::int32_t>(bytes.size());
    }));
    EXPECT_TRUE(tevtest::ReadFileBytes(s_slowServer->PathOf("movie.swf")) == bytes);
}

TEST_F(FtpClientWithServer, DestroyingTheClientMidUploadCutsItShortAndJoinsItsWorker) {
    const std::string bytes = RandomBytes(16 << 20, 5); // 8 s at the slow server's pace
    const std::string local = Local("big.bin", bytes);
    const std::string remote = s_slowServer->PathOf("orphan.bin");
    auto client = std::make_unique<CFtpTransferClient>();
    Use(*client, *s_slowServer);
    ASSERT_TRUE(client->Connect()) << client->GetLastErrorText();
    ASSERT_TRUE(client->AsyncPutFileStart(local, "orphan.bin"));
    ASSERT_TRUE(WaitUntil([&] { return client->GetAsyncBytesSent() > 0; }, 10));
    ASSERT_FALSE(client->IsAsyncFinished());
    const auto start = std::chrono::steady_clock::now();
    client.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
        << "the destruction waited for the transfer";
    // Nothing sends any more once the worker was joined: the file stops growing, cut short.
    const long long settled = SettledSize(remote, 5);
    EXPECT_GE(settled, 0) << "the file kept growing after the client was gone";
    EXPECT_LT(settled, static_cast<long long>(bytes.size()));
}

TEST_F(FtpClientWithServer, CancellingMidUploadStopsItPromptlyAsAFailure) {
    const std::string bytes = RandomBytes(64 << 20, 6); // 16 s at the slow server's pace
    CFtpTransferClient client;
    Use(client, *s_slowServer);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
    ASSERT_TRUE(client.AsyncPutFileStart(Local("huge.bin", bytes), "huge.bin"));
    // Cancel once the server is writing the file, so that it answers for the transfer.
    ASSERT_TRUE(WaitUntil([&] { return FileSize(s_slowServer->PathOf("huge.bin")) > 0; }, 10));
    client.AbortAsync();
    ASSERT_TRUE(WaitUntil([&] { return client.IsAsyncFinished(); }, 5));
    EXPECT_FALSE(client.GetAsyncSucceeded());
    EXPECT_LT(client.GetAsyncBytesSent(), static_cast<std::int32_t>(bytes.size()));
    const std::string error = client.GetLastErrorText();
    EXPECT_TRUE(Contains(error, "cancelled by the user after")) << error;
    EXPECT_FALSE(Contains(error, "Server reply")) << error;

    // The server answered for the broken transfer, so the connection is still good.
    ASSERT_TRUE(client.IsConnected()) << error;
    ASSERT_TRUE(client.PutFile(Local("after.txt", "after the cancel"), "after.txt"))
        << client.GetLastErrorText();
    EXPECT_EQ(tevtest::ReadFileBytes(s_slowServer->PathOf("after.txt")), "after the cancel");
}

TEST(FtpClientWithIpv6Server, UploadsInBothModes) {
    FtpTestServer::Options options;
    options.host = "::1";
    FtpTestServer server(options);
    if (!server.IsRunning())
        GTEST_SKIP() << "no IPv6 loopback here: " << server.StartError();
    tevtest::TempDir local;
    ASSERT_TRUE(tevtest::WriteFileBytes(local / "a.bin", RandomBytes(300000, 7)));
    for (bool passive : {true, false}) {
        CFtpTransferClient client;
        client.SetHostname(server.Host());
        client.SetPort(server.Port());
        client.SetUsername(server.User());
        client.SetPassword(server.Password());
        client.SetPassive(passive);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        const std::string remote = passive ? "passive.bin" : "active.bin";
        EXPECT_TRUE(client.PutFile(local / "a.bin", remote)) << client.GetLastErrorText();
        EXPECT_TRUE(tevtest::ReadFileBytes(server.PathOf(remote)) ==
                    tevtest::ReadFileBytes(local / "a.bin"));
    }
}
