// The listing parsers over lines of the forms real servers send, and the bounded collector.
#include "designer/ftp/FtpListing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;

namespace {

// 7 December 2026, 19:00 on the server's clock.
const std::int64_t kNow = CivilSeconds(2026, 12, 7, 19, 0, 0);

struct Expected {
    std::string name;
    bool folder;
    std::uint64_t size;
    std::int64_t time;
    bool link = false;
    std::string linkTarget = {};
};

void ExpectEntry(const CRemoteEntry& entry, const Expected& expected) {
    EXPECT_EQ(entry.name, expected.name);
    EXPECT_EQ(entry.folder, expected.folder);
    EXPECT_EQ(entry.size, expected.size);
    EXPECT_TRUE(entry.hasTime);
    EXPECT_EQ(entry.time, expected.time);
    EXPECT_EQ(entry.link, expected.link);
    EXPECT_EQ(entry.linkTarget, expected.linkTarget);
}

} // namespace

TEST(FtpListing, CivilSecondsCountFrom1970) {
    EXPECT_EQ(CivilSeconds(1970, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(CivilSeconds(2008, 3, 7, 0, 5, 0), 1204848300);
    EXPECT_EQ(CivilSeconds(2000, 2, 29, 23, 59, 59), 951868799);
}

TEST(FtpListing, UnixLinesOfSeveralServersAreUnderstood) {
    const struct {
        const char* server;
        const char* line;
        Expected expected;
    } cases[] = {
        {"vsftpd, numeric owners, time form",
         "drwxr-xr-x    2 1000     1000         4096 Mar 07 00:05 public_html",
         {"public_html", true, 0, CivilSeconds(2026, 3, 7, 0, 5, 0)}},
        {"ProFTPD, named owners, year form",
         "-rw-r--r--   1 alice    users      123456 Mar  7  2008 index.html",
         {"index.html", false, 123456, CivilSeconds(2008, 3, 7, 0, 0, 0)}},
        {"name with blanks",
         "-rw-r--r--   1 ftp ftp   10 Nov 30 12:01 my  holiday photo.jpg",
         {"my  holiday photo.jpg", false, 10, CivilSeconds(2026, 11, 30, 12, 1, 0)}},
        {"a date ahead of today is last year's",
         "-rw-r--r--   1 ftp ftp    1 Dec 25 10:00 xmas.txt",
         {"xmas.txt", false, 1, CivilSeconds(2025, 12, 25, 10, 0, 0)}},
        {"symbolic link",
         "lrwxrwxrwx    1 0        0              11 Jan 02  2020 www -> public_html",
         {"www", false, 11, CivilSeconds(2020, 1, 2, 0, 0, 0), true, "public_html"}},
        {"BusyBox, no group",
         "-rw-r--r--    1 root      2048 Feb  1 09:30 log.txt",
         {"log.txt", false, 2048, CivilSeconds(2026, 2, 1, 9, 30, 0)}},
        {"pyftpdlib",
         "-rw-r--r--   1 tester   tester          5 Jul 14 08:00 a.txt",
         {"a.txt", false, 5, CivilSeconds(2026, 7, 14, 8, 0, 0)}},
        {"ACL mark and a size beyond 32 bits",
         "-rw-r--r--+  1 bob staff 5000000000 Aug  9  2019 disk.img",
         {"disk.img", false, 5000000000ull, CivilSeconds(2019, 8, 9, 0, 0, 0)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.server);
        CRemoteEntry entry;
        ASSERT_TRUE(ParseUnixLine(c.line, kNow, entry));
        ExpectEntry(entry, c.expected);
        ASSERT_TRUE(ParseListLine(c.line, kNow, entry));
        EXPECT_EQ(entry.name, c.expected.name);
    }
}

TEST(FtpListing, DosLinesOfIisAreUnderstood) {
    const struct {
        const char* line;
        Expected expected;
    } cases[] = {
        {"03-07-08  12:05AM       <DIR>          aspnet_client",
         {"aspnet_client", true, 0, CivilSeconds(2008, 3, 7, 0, 5, 0)}},
        {"11-30-19  01:15PM                 1024 default.htm",
         {"default.htm", false, 1024, CivilSeconds(2019, 11, 30, 13, 15, 0)}},
        {"01-02-2021  12:00PM                  7 name with  blanks.txt",
         {"name with  blanks.txt", false, 7, CivilSeconds(2021, 1, 2, 12, 0, 0)}},
        {"12-31-99  11:59PM       <DIR>          old site",
         {"old site", true, 0, CivilSeconds(1999, 12, 31, 23, 59, 0)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CRemoteEntry entry;
        ASSERT_TRUE(ParseDosLine(c.line, entry));
        ExpectEntry(entry, c.expected);
        ASSERT_TRUE(ParseListLine(c.line, kNow, entry));
        EXPECT_EQ(entry.name, c.expected.name);
    }
}

TEST(FtpListing, MlsdFactsOfSeveralServersAreUnderstood) {
    const struct {
        const char* line;
        Expected expected;
    } cases[] = {
        {"type=dir;modify=20080307000500;perm=flcdmpe; calendar",
         {"calendar", true, 0, CivilSeconds(2008, 3, 7, 0, 5, 0)}},
        {"type=file;size=1025;modify=20191130131500;perm=adfrw;unix.mode=0644; My Page.html",
         {"My Page.html", false, 1025, CivilSeconds(2019, 11, 30, 13, 15, 0)}},
        {"Type=file;Size=3;Modify=20200102030405.123; upper.txt",
         {"upper.txt", false, 3, CivilSeconds(2020, 1, 2, 3, 4, 5)}},
        {"type=OS.unix=slink:/var/www;modify=20210101000000; www",
         {"www", false, 0, CivilSeconds(2021, 1, 1, 0, 0, 0), true, "/var/www"}},
        {"size=9;type=file;modify=20220202020202;  leading blank",
         {" leading blank", false, 9, CivilSeconds(2022, 2, 2, 2, 2, 2)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CRemoteEntry entry;
        ASSERT_TRUE(ParseMlsdLine(c.line, entry));
        ExpectEntry(entry, c.expected);
        EXPECT_TRUE(entry.utc);
    }
}

TEST(FtpListing, LinesThatAreNotEntriesAreSkippedNotGuessed) {
    const char* const listLines[] = {
        "total 48",
        "",
        "drwxr-xr-x   2 ftp ftp 4096 Mar  7 00:05 .",
        "drwxr-xr-x   2 ftp ftp 4096 Mar  7 00:05 ..",
        "-rw-r--r--   1 ftp ftp 12 Foo  7 00:05 unknown-month",
        "-rw-r--r--   1 ftp ftp 12 Mar 32 2008 bad-day",
        "-rw-r--r--   1 ftp ftp 12 Mar  7 25:00 bad-hour",
        "-rw-r--r--   1 ftp ftp 12 Mar  7 2008",
        "-rw-r--r--   1 ftp ftp 12 Mar  7 2008 a/b",
        "xrw-r--r--   1 ftp ftp 12 Mar  7 2008 bad-mode",
        "03-07-08  13:05AM       <DIR>          bad-hour",
        "03-07-08  12:05XM       <DIR>          bad-suffix",
        "03-07-08  12:05AM       12x            bad-size",
        "13-07-08  12:05AM       12             bad-month",
        "03-07-08  12:05AM       <DIR>",
        "226 Transfer complete",
    };
    const char* const mlsdLines[] = {
        "type=cdir;modify=20080307000500; /home/u",
        "type=pdir;modify=20080307000500; /home",
        "size=12;modify=20080307000500; no-type",
        "type=file;size=12",
        "type=file; ..",
        "type=file; a/b",
    };
    CRemoteEntry entry;
    for (const char* line : listLines) {
        EXPECT_FALSE(ParseListLine(line, kNow, entry)) << line;
    }
    for (const char* line : mlsdLines) {
        EXPECT_FALSE(ParseMlsdLine(line, entry)) << line;
    }
}

TEST(FtpListing, AListingKeepsItsUnderstoodEntriesInOrder) {
    const std::vector<std::string> lines = {
        "total 8",
        "drwxr-xr-x 2 1000 1000 4096 Mar  7  2008 b-folder",
        "garbage",
        "-rw-r--r-- 1 1000 1000 3 Mar  7  2008 a-file",
        "03-07-08  12:05AM       <DIR>          iis-folder",
    };
    const std::vector<CRemoteEntry> entries = ParseListing(lines, ListingFormat::List, kNow);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "b-folder");
    EXPECT_EQ(entries[1].name, "a-file");
    EXPECT_EQ(entries[2].name, "iis-folder");
    EXPECT_TRUE(ParseListing(lines, ListingFormat::Mlsd, kNow).empty());
}

TEST(FtpListing, TheCollectorSplitsLinesAndStaysBounded) {
    CListingCollector collector;
    const std::string bytes = "first\r\nsecond\nthi";
    for (char c : bytes)
        collector.Feed(&c, 1);
    collector.Feed("rd", 2);
    collector.Finish();
    EXPECT_EQ(collector.Lines(), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_FALSE(collector.IsTruncated());

    CListingCollector endless;
    const std::string chunk(65536, 'x');
    for (int i = 0; i < 64; ++i)
        endless.Feed(chunk.data(), chunk.size());
    EXPECT_LE(endless.HeldBytes(), CListingCollector::kMaxLineLength);
    EXPECT_TRUE(endless.IsTruncated());

    CListingCollector many;
    const std::string line = "type=file;size=1; f\r\n";
    for (std::size_t i = 0; i < CListingCollector::kMaxLines + 1000; ++i)
        many.Feed(line.data(), line.size());
    EXPECT_EQ(many.Lines().size(), CListingCollector::kMaxLines);
    EXPECT_TRUE(many.IsTruncated());
}
