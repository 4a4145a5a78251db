// The FTP browser without its window: list texts, folder rules, sorting, the trace's bound,
// and its steps against a real FTP server on 127.0.0.1.
#include "designer/ftp/FtpBrowser.h"
#include "designer/ftp/FtpTransferClient.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/UploadTesting.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;
using tevtest::FtpTestServer;
namespace fs = std::filesystem;

namespace {

CRemoteEntry File(const std::string& name, std::uint64_t size, std::int64_t time = 0) {
    CRemoteEntry entry;
    entry.name = name;
    entry.size = size;
    entry.time = time;
    entry.hasTime = true;
    return entry;
}

CRemoteEntry Folder(const std::string& name, std::int64_t time = 0) {
    CRemoteEntry entry = File(name, 0, time);
    entry.folder = true;
    return entry;
}

std::vector<std::string> Names(const std::vector<CRemoteEntry>& entries) {
    std::vector<std::string> names;
    for (const CRemoteEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

// Runs `body` with the local time zone set to `zone`.
template <typename Body> void InTimeZone(const char* zone, Body body) {
    {
        tevtest::ScopedEnv timeZone("TZ", zone);
        tzset();
        body();
    }
    tzset();
}

} // namespace

TEST(FtpBrowserTexts, SizeTypeAndCreatedColumns) {
    const struct {
        CRemoteEntry entry;
        const char* size;
        const char* type;
    } cases[] = {
        {File("a.txt", 0), "1 KB", "TXT File"},
        {File("index.html", 1), "1 KB", "HTML File"},
        {File("index.HTM", 1024), "1 KB", "HTM File"},
        {File("data.xml", 1025), "2 KB", "XML File"},
        {File("site.tar.gz", 1073741824ull), "1,048,576 KB", "GZ File"},
        {File("README", 5), "1 KB", "File"},
        {File("ends.", 5), "1 KB", "File"},
        {Folder("images"), "", "Folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.name);
        EXPECT_EQ(SizeText(c.entry), c.size);
        EXPECT_EQ(TypeText(c.entry), c.type);
    }
    EXPECT_EQ(SizeWithBytesText(File("big", 1234567)), "1,206 KB (1,234,567 bytes)");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_EQ(GroupedNumber(1000), "1,000");

    const struct {
        int hour, minute;
        const char* text;
    } times[] = {{0, 5, "3/07/08(12:05a)"},
                 {11, 59, "3/07/08(11:59a)"},
                 {12, 0, "3/07/08(12:00p)"},
                 {23, 1, "3/07/08(11:01p)"}};
    for (const auto& t : times) {
        CRemoteEntry entry = File("x", 1, CivilSeconds(2008, 3, 7, t.hour, t.minute, 0));
        EXPECT_EQ(CreatedText(entry), t.text);
        // A UTC time (MLSD) shows in local time.
        entry.utc = true;
        entry.time -= 3600;
        InTimeZone("CET-1", [&] { EXPECT_EQ(CreatedText(entry), t.text); });
    }
    CRemoteEntry timeless = File("x", 1);
    timeless.hasTime = false;
    EXPECT_EQ(CreatedText(timeless), "");
}

TEST(FtpBrowserTexts, SortingPutsFoldersFirstAndReversesOnRequest) {
    const std::vector<CRemoteEntry> entries = {File("b.txt", 30, 300), Folder("Zeta", 100),
                                               File("A.html", 10, 200), Folder("alpha", 400),
                                               File("c.TXT", 20, 50)};
    const struct {
        SortColumn column;
        bool ascending;
        std::vector<std::string> order;
    } cases[] = {
        {SortColumn::Name, true, {"alpha", "Zeta", "A.html", "b.txt", "c.TXT"}},
        {SortColumn::Name, false, {"c.TXT", "b.txt", "A.html", "Zeta", "alpha"}},
        {SortColumn::Size, true, {"Zeta", "alpha", "A.html", "c.TXT", "b.txt"}},
        {SortColumn::Size, false, {"b.txt", "c.TXT", "A.html", "Zeta", "alpha"}},
        {SortColumn::Type, true, {"Zeta", "alpha", "A.html", "b.txt", "c.TXT"}},
        {SortColumn::Type, false, {"Zeta", "alpha", "b.txt", "c.TXT", "A.html"}},
        {SortColumn::Created, true, {"c.TXT", "Zeta", "A.html", "b.txt", "alpha"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.column) * 2 + c.ascending);
        std::vector<CRemoteEntry> sorted = entries;
        SortEntries(sorted, c.column, c.ascending);
        EXPECT_EQ(Names(sorted), c.order);
    }
}

TEST(FtpBrowserFolders, ServerTextsStartFolderAndChosenFolder) {
    const struct {
        const char* server;
        bool valid;
        const char* host;
    } servers[] = {
        {"ftp.example.com", true, "ftp.example.com"},
        {"  ftp.example.com  ", true, "ftp.example.com"},
        {"FTP://user:pw@ftp.example.com:2121/www", true, "ftp.example.com"},
        {"http://www.example.com", false, ""},
        {"sftp://example.com", true, "example.com"},
        {"ftps://[::1]:990", true, "::1"},
        {"ftp://", false, ""},
        {"", false, ""},
        {"two words", false, ""},
    };
    for (const auto& s : servers) {
        SCOPED_TRACE(s.server);
        std::string host;
        EXPECT_EQ(ParseFtpServer(s.server, host), s.valid);
        if (s.valid) {
            EXPECT_EQ(host, s.host);
        }
    }
    const struct {
        const char* login;
        const char* path;
        const char* start;
    } starts[] = {
        {"/home/u", "", "/home/u"},           {"/home/u", "site", "/home/u/site"},
        {"/home/u", "/site", "/site"},        {"/", "site\\cal", "/site/cal"},
        {"/home/u/", "site", "/home/u/site"},
    };
    for (const auto& s : starts) {
        EXPECT_EQ(StartFolder(s.login, s.path), s.start) << s.login << " + " << s.path;
    }
    EXPECT_EQ(ChosenFolder("/home/u/site"), "/home/u/site");
    EXPECT_EQ(ChosenFolder("/x/u/y"), "/x/u/y");
    EXPECT_EQ(ChosenFolder("site"), "/site");
    EXPECT_EQ(ParentPath("/a/b/"), "/a");
    EXPECT_EQ(ParentPath("/a"), "/");
    EXPECT_EQ(PathComponents("/a//b/"), (std::vector<std::string>{"a", "b"}));
}

TEST(FtpBrowserTrace, ThePaneKeepsTheNewest256Lines) {
    CTraceLog log;
    for (int i = 0; i < 300; ++i)
        log.Add({TraceKind::Progress, std::to_string(i)});
    ASSERT_EQ(log.Lines().size(), CTraceLog::kMaxLines);
    EXPECT_EQ(log.Lines().front().text, "44");
    EXPECT_EQ(log.Lines().back().text, "299");
}

class FtpBrowserWithServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.IsRunning()) << m_server.StartError();
        m_client.SetLogin(tevtest::RemoteLoginFor(m_server));
        ASSERT_TRUE(m_browser.ConnectAttempt(m_server.Host(), 1, 1));
        ASSERT_TRUE(m_browser.ReadLoginFolder());
    }
    std::vector<CRemoteEntry> List(const std::string& folder) {
        std::vector<CRemoteEntry> entries;
        EXPECT_TRUE(m_browser.ListFolder(folder, entries, true));
        return entries;
    }

    FtpTestServer m_server;
    CFtpTransferClient m_client;
    std::vector<CTraceLine> m_trace;
    CFtpBrowser m_browser{m_client, [this](TraceKind kind, const std::string& text) {
                              m_trace.push_back({kind, text});
                          }};
};

TEST_F(FtpBrowserWithServer, FoldersAreMadeRenamedAndDeletedWithEverythingInThem) {
    EXPECT_EQ(m_browser.LoginFolder(), "/");
    fs::create_directories(m_server.PathOf("old/sub/deeper"));
    tevtest::WriteFileBytes(m_server.PathOf("old/a.txt"), "a");
    tevtest::WriteFileBytes(m_server.PathOf("old/sub/b.txt"), "b");
    tevtest::WriteFileBytes(m_server.PathOf("old/sub/deeper/c.txt"), "c");
    tevtest::WriteFileBytes(m_server.PathOf("keep.txt"), "k");
    List("/");

    ASSERT_TRUE(m_browser.MakeFolder("calendar"));
    EXPECT_TRUE(fs::is_directory(m_server.PathOf("calendar")));
    EXPECT_FALSE(m_browser.MakeFolder("calendar"));
    EXPECT_FALSE(m_browser.MakeFolder("../escape"));
    ASSERT_TRUE(m_browser.RenameItem("calendar", "events"));
    EXPECT_TRUE(fs::is_directory(m_server.PathOf("events")));

    const std::vector<std::string> deleted =
        m_browser.DeleteItems({Folder("old"), File("keep.txt", 1), Folder("events")});
    EXPECT_EQ(deleted, (std::vector<std::string>{"old", "keep.txt", "events"}));
    EXPECT_TRUE(fs::is_empty(m_server.Home()));
    EXPECT_EQ(m_browser.CurrentFolder(), "/");

    // Every line begins with the thread's number and has the colour of its kind.
    const std::regex prefix(R"(\[\d+\] .*)");
    for (const CTraceLine& line : m_trace)
        EXPECT_TRUE(std::regex_match(line.text, prefix)) << line.text;
    auto traced = [&](TraceKind kind, const std::string& text) {
        for (const CTraceLine& line : m_trace)
            if (line.kind == kind && line.text.find(text) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(traced(TraceKind::Action, "Creating New Folder \"calendar\""));
    EXPECT_TRUE(traced(TraceKind::Success, "\"calendar\" folder successfully created"));
    EXPECT_TRUE(traced(TraceKind::Error, "An error occurred creating a new folder:: \"calendar\""));
    EXPECT_TRUE(traced(TraceKind::Success, "\"calendar\" successfully renamed"));
    EXPECT_TRUE(traced(TraceKind::Action, "Deleting file \"c.txt\""));
    EXPECT_TRUE(traced(TraceKind::Action, "Deleting Folder \"deeper\""));
    EXPECT_TRUE(traced(TraceKind::Success, "\"old\" successfully deleted"));
    EXPECT_TRUE(traced(TraceKind::Success, "Listing of \"/\" succesfully received."));
}

TEST_F(FtpBrowserWithServer, UploadsFilesAndFoldersIntoTheCurrentFolder) {
    fs::create_directories(m_server.PathOf("calendar"));
    tevtest::TempDir local;
    fs::create_directories(local.path() + "/site/assets");
    tevtest::WriteFileBytes(local / "index.html", "<html/>");
    tevtest::WriteFileBytes(local / "site/data.xml", "<data/>");
    tevtest::WriteFileBytes(local / "site/assets/a.png", "png");
    List("/calendar");
    EXPECT_EQ(m_browser.UploadPaths({local / "index.html", local / "site"}), 3);
    EXPECT_EQ(tevtest::ReadFileBytes(m_server.PathOf("calendar/index.html")), "<html/>");
    EXPECT_EQ(tevtest::ReadFileBytes(m_server.PathOf("calendar/site/data.xml")), "<data/>");
    EXPECT_EQ(tevtest::ReadFileBytes(m_server.PathOf("calendar/site/assets/a.png")), "png");
    EXPECT_EQ(m_browser.UploadPaths({local / "missing.txt"}), 0);
}

TEST_F(FtpBrowserWithServer, AFolderThatCannotBeEnteredIsTracedInRed) {
    std::vector<CRemoteEntry> entries;
    EXPECT_FALSE(m_browser.ListFolder("/missing", entries, true));
    ASSERT_GE(m_trace.size(), 2u);
    EXPECT_EQ(m_trace.back().kind, TraceKind::Error);
    EXPECT_NE(m_trace.back().text.find("An error occurred opening the folder: \"/missing\"."),
              std::string::npos);
    EXPECT_EQ(m_trace[m_trace.size() - 2].kind, TraceKind::Error);
    EXPECT_NE(m_trace[m_trace.size() - 2].text.find("550"), std::string::npos);
}
