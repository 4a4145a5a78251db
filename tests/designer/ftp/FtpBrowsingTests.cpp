// The client's browsing operations against a real FTP server on 127.0.0.1 (with MLSD and,
// turned off, through LIST) and against a scripted one for what a real server will not do.
#include "designer/ftp/FtpTransferClient.h"
#include "tests/designer/ftp/FakeFtpServer.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/UploadTesting.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;
using tevtest::FakeFtpServer;
using tevtest::FtpTestServer;
namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void Login(CFtpTransferClient& client, const FtpTestServer& server, bool passive) {
    client.SetLogin(tevtest::RemoteLoginFor(server, passive));
}

// Name -> (folder, size) of a listing.
std::map<std::string, std::pair<bool, std::uint64_t>>
Summary(const std::vector<CRemoteEntry>& entries) {
    std::map<std::string, std::pair<bool, std::uint64_t>> summary;
    for (const CRemoteEntry& entry : entries)
        summary[entry.name] = {entry.folder, entry.size};
    return summary;
}

void MakeTree(const FtpTestServer& server) {
    fs::create_directories(server.PathOf("site/images"));
    tevtest::WriteFileBytes(server.PathOf("index.html"), "<html></html>");
    tevtest::WriteFileBytes(server.PathOf("name with blanks.txt"), "12345");
    tevtest::WriteFileBytes(server.PathOf("site/data.xml"), std::string(2000, 'x'));
    tevtest::WriteFileBytes(server.PathOf("site/images/a.png"), "png");
}

} // namespace

TEST(FtpBrowsing, ListsTheLoginFolderAndASubfolderWithMlsdAndWithList) {
    const struct {
        const char* name;
        bool mlsd;
        bool passive;
    } cases[] = {
        {"MLSD, passive", true, true},
        {"MLSD, active", true, false},
        {"LIST, passive", false, true},
        {"LIST, active", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FtpTestServer::Options options;
        options.mlsd = c.mlsd;
        FtpTestServer server(options);
        ASSERT_TRUE(server.IsRunning()) << server.StartError();
        MakeTree(server);
        CFtpTransferClient client;
        Login(client, server, c.passive);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        EXPECT_EQ(client.UsesMlsd(), c.mlsd);

        std::string folder;
        ASSERT_TRUE(client.GetCurrentDir(folder)) << client.GetLastErrorText();
        EXPECT_EQ(folder, "/");
        std::vector<CRemoteEntry> entries;
        ASSERT_TRUE(client.ListCurrentDir(entries)) << client.GetLastErrorText();
        using Item = std::pair<bool, std::uint64_t>;
        EXPECT_EQ(Summary(entries),
                  (std::map<std::string, Item>{{"index.html", {false, 13}},
                                               {"name with blanks.txt", {false, 5}},
                                               {"site", {true, 0}}}));
        EXPECT_TRUE(std::all_of(entries.begin(), entries.end(),
                                [](const CRemoteEntry& e) { return e.hasTime; }));

        ASSERT_TRUE(client.ChangeRemoteDir("site"));
        ASSERT_TRUE(client.GetCurrentDir(folder));
        EXPECT_EQ(folder, "/site");
        ASSERT_TRUE(client.ListCurrentDir(entries)) << client.GetLastErrorText();
        EXPECT_EQ(Summary(entries), (std::map<std::string, Item>{{"data.xml", {false, 2000}},
                                                                 {"images", {true, 0}}}));
        EXPECT_TRUE(client.Disconnect());
    }
}

TEST(FtpBrowsing, CreatesRenamesAndRemovesFoldersAndFiles) {
    FtpTestServer server;
    ASSERT_TRUE(server.IsRunning()) << server.StartError();
    tevtest::TempDir local;
    const std::string file = local / "page.html";
    tevtest::WriteFileBytes(file, "hello");
    CFtpTransferClient client;
    Login(client, server, true);
    ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();

    ASSERT_TRUE(client.MakeDir("calendar")) << client.GetLastErrorText();
    EXPECT_TRUE(Contains(client.GetLastReply(), "257")) << client.GetLastReply();
    EXPECT_TRUE(fs::is_directory(server.PathOf("calendar")));
    ASSERT_TRUE(client.PutFile(file, "calendar/page.html")) << client.GetLastErrorText();

    std::uint64_t size = 0;
    ASSERT_TRUE(client.GetFileSize("calendar/page.html", size)) << client.GetLastErrorText();
    EXPECT_EQ(size, 5u);
    std::int64_t time = 0;
    ASSERT_TRUE(client.GetModifiedTime("calendar/page.html", time)) << client.GetLastErrorText();
    EXPECT_NEAR(static_cast<double>(time), static_cast<double>(std::time(nullptr)), 120.0);

    ASSERT_TRUE(client.Rename("calendar", "events")) << client.GetLastErrorText();
    EXPECT_TRUE(fs::exists(server.PathOf("events/page.html")));
    EXPECT_FALSE(fs::exists(server.PathOf("calendar")));

    // A folder with a file in it is refused; the file goes first.
    EXPECT_FALSE(client.RemoveDir("events"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "RMD")) << client.GetLastErrorText();
    EXPECT_TRUE(Contains(client.GetLastReply(), "550")) << client.GetLastReply();
    ASSERT_TRUE(client.DeleteFile("events/page.html")) << client.GetLastErrorText();
    ASSERT_TRUE(client.RemoveDir("events")) << client.GetLastErrorText();
    EXPECT_FALSE(fs::exists(server.PathOf("events")));

    // Failures quote the server and leave the connection usable.
    EXPECT_FALSE(client.DeleteFile("missing.txt"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "550")) << client.GetLastErrorText();
    EXPECT_FALSE(client.Rename("missing", "other"));
    EXPECT_TRUE(Contains(client.GetLastErrorText(), "RNFR")) << client.GetLastErrorText();
    EXPECT_FALSE(client.GetFileSize("missing.txt", size));
    EXPECT_FALSE(client.MakeDir("a\r\nDELE index.html"));
    EXPECT_TRUE(client.IsConnected());
    std::string folder;
    EXPECT_TRUE(client.GetCurrentDir(folder));
}

TEST(FtpBrowsing, PwdRepliesWithQuotesAndBlanksGiveTheFolder) {
    const struct {
        const char* reply;
        bool ok;
        const char* folder;
    } cases[] = {
        {"257 \"/home/u\" is the current directory", true, "/home/u"},
        {"257 \"/a \"\"b\"\" c\"", true, "/a \"b\" c"},
        {"257 \"/unterminated", false, ""},
        {"257 no quotes", false, ""},
        {"550 not allowed", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        FakeFtpServer server([&](FakeFtpServer::Session& s) {
            s.Login();
            s.Expect("PWD", c.reply);
            s.ClientClosed();
        });
        CFtpTransferClient client;
        client.SetHostname("127.0.0.1");
        client.SetPort(server.Port());
        client.SetIdleTimeout(10000);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        std::string folder;
        EXPECT_EQ(client.GetCurrentDir(folder), c.ok) << client.GetLastErrorText();
        if (c.ok) {
            EXPECT_EQ(folder, c.folder);
        }
        EXPECT_EQ(client.GetLastReply(), c.reply);
    }
}

TEST(FtpBrowsing, EndlessListingsEndAtTheIdleTimeoutWithBoundedMemory) {
    const struct {
        const char* name;
        std::string chunk;
    } cases[] = {
        {"one endless line", std::string(65536, 'x')},
        {"endless entries",
         [] {
             std::string lines;
             for (int i = 0; i < 2000; ++i)
                 lines += "-rw-r--r-- 1 u g 1 Mar  7  2008 file" + std::to_string(i) + "\r\n";
             return lines;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFtpServer server([&](FakeFtpServer::Session& s) {
            s.Login();
            s.Expect("TYPE A", "200 ok");
            const int port = s.ListenForData();
            s.Expect("PASV", "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) +
                                 "," + std::to_string(port % 256) + ")");
            s.Expect("LIST", "150 Here it comes");
            const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!s.Stopping() && std::chrono::steady_clock::now() < stop &&
                   s.SendData(c.chunk)) {
            }
            s.Send("426 Connection closed\r\n");
            s.ClientClosed();
        });
        CFtpTransferClient client;
        client.SetHostname("127.0.0.1");
        client.SetPort(server.Port());
        client.SetIdleTimeout(1500);
        ASSERT_TRUE(client.Connect()) << client.GetLastErrorText();
        std::vector<CRemoteEntry> entries;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(client.ListCurrentDir(entries));
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::seconds(10));
        EXPECT_TRUE(Contains(client.GetLastErrorText(), "did not arrive in full within 1500 ms"))
            << client.GetLastErrorText();
        EXPECT_TRUE(entries.empty());
    }
}
