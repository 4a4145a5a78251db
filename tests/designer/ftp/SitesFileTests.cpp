#include "designer/ftp/Archive.h"
#include "designer/ftp/SitesFile.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace TEVComponentDesignerAfx;
using namespace std::string_literals;

namespace {

// The header as the file holds it: 23 characters behind a one-byte length.
const std::string kHeaderBytes = "\x17Quorvane Components FTP"s;

CFtpSite HomeSite() {
    CFtpSite site;
    site.m_server = "ftp.example.com";
    site.m_retries = 3;
    site.m_username = "web";
    site.m_profileName = "Home";
    site.m_password = "pw";
    site.m_port = 21;
    site.m_path = "/htdocs";
    site.m_retryDelay = 10;
    return site;
}

// HomeSite() field by field.
const std::string kHomeSiteBytes = "\x0F"
                                   "ftp.example.com"
                                   "\x03\x00\x00\x00" // retries
                                   "\x00"             // description
                                   "\x00"             // local folder
                                   "\x03"
                                   "web"
                                   "\x04"
                                   "Home"
                                   "\x02"
                                   "pw"
                                   "\x15\x00\x00\x00" // port 21
                                   "\x07"
                                   "/htdocs"
                                   "\x0A\x00\x00\x00"   // retry delay
                                   "\x00\x00\x00\x00"   // reserved
                                   "\x01\x00\x00\x00"   // passive
                                   "\x00\x00\x00\x00"s; // log errors

CFtpSite OddSite() {
    CFtpSite site;
    site.m_server = "ftp://[::1]:2121";
    site.m_retries = -1;
    site.m_description = "line one\r\nline two";
    site.m_localFolder = "/home/me/Kalender \xC3\xA4";
    site.m_username = "anonymous";
    site.m_profileName = "Caf\xC3\xA9";
    site.m_password = "me@example.com";
    site.m_port = 65536;
    site.m_retryDelay = 0x7FFFFFFF;
    site.m_reserved = 0x12345678;
    site.m_passive = false;
    site.m_logErrors = true;
    return site;
}

const std::string kOddSiteBytes = "\x10"
                                  "ftp://[::1]:2121"
                                  "\xFF\xFF\xFF\xFF"
                                  "\x12"
                                  "line one\r\nline two"
                                  "\x14"
                                  "/home/me/Kalender \xC3\xA4"
                                  "\x09"
                                  "anonymous"
                                  "\x05"
                                  "Caf\xC3\xA9"
                                  "\x0E"
                                  "me@example.com"
                                  "\x00\x00\x01\x00"
                                  "\x00"
                                  "\xFF\xFF\xFF\x7F"
                                  "\x78\x56\x34\x12"
                                  "\x00\x00\x00\x00"
                                  "\x01\x00\x00\x00"s;

// Little-endian 4-byte integer, for hand-made files.
std::string Int(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// A record whose server field is given as raw bytes (prefix and characters) and whose other
// fields are short and known.
std::string RecordWithServerBytes(const std::string& serverBytes) {
    return serverBytes + Int(4) +
           "\x01"
           "d"s +    // description
           "\x00"s + // local folder
           "\x01u"s +
           "\x04Name"s + "\x00"s + Int(2121) + "\x01/"s + Int(7) + Int(0) + Int(1) + Int(1);
}

std::vector<CFtpSite> ReadAll(std::string_view bytes, SitesFileState* state = nullptr) {
    std::vector<CFtpSite> sites;
    const SitesFileState got = CSitesFile::Read(bytes, sites);
    if (state)
        *state = got;
    return sites;
}

int FileMode(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

// Runs `body` in a child process and returns its exit status (or -1 when it did not exit).
template <typename Body> int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST(SitesFileLayout, KnownRecordsGiveKnownBytes) {
    CFtpSite placeholder;
    placeholder.m_placeholder = true;
    placeholder.m_profileName = "New Profile";
    std::string bytes;
    ASSERT_TRUE(CSitesFile::Store({HomeSite(), placeholder, OddSite()}, bytes));
    EXPECT_EQ(bytes, kHeaderBytes + kHomeSiteBytes + kOddSiteBytes);

    ASSERT_TRUE(CSitesFile::Store({}, bytes));
    EXPECT_EQ(bytes, kHeaderBytes);
}

TEST(SitesFileLayout, KnownBytesGiveKnownRecords) {
    SitesFileState state{};
    const auto sites = ReadAll(kHeaderBytes + kHomeSiteBytes + kOddSiteBytes, &state);
    EXPECT_EQ(state, SitesFileState::Complete);
    EXPECT_EQ(sites, (std::vector<CFtpSite>{HomeSite(), OddSite()}));

    // Flags other than 0 read as on.
    std::string record = kHomeSiteBytes;
    record.replace(record.size() - 8, 8, Int(2) + Int(0xFFFFFFFF));
    const auto flags = ReadAll(kHeaderBytes + record);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_TRUE(flags[0].m_passive && flags[0].m_logErrors);
}

TEST(SitesFileStrings, EveryLengthPrefixFormIsWrittenAndRead) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "\x00"s},
        {1, "\x01"s},
        {254, "\xFE"s},
        {255, "\xFF\xFF\x00"s},
        {256, "\xFF\x00\x01"s},
        {0xFFFD, "\xFF\xFD\xFF"s},
        {0xFFFE, "\xFF\xFF\xFF\xFE\xFF\x00\x00"s},
        {0xFFFF, "\xFF\xFF\xFF\xFF\xFF\x00\x00"s},
        {70000, "\xFF\xFF\xFF\x70\x11\x01\x00"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CFtpSite site = HomeSite();
        site.m_server = std::string(c.length, 'x');
        std::string bytes;
        ASSERT_TRUE(CSitesFile::Store({site}, bytes));
        const std::string expected =
            kHeaderBytes + c.prefix + site.m_server + kHomeSiteBytes.substr(16);
        EXPECT_EQ(bytes, expected);

        SitesFileState state{};
        const auto sites = ReadAll(expected, &state);
        EXPECT_EQ(state, SitesFileState::Complete);
        ASSERT_EQ(sites.size(), 1u);
        EXPECT_EQ(sites[0], site);
    }
}

TEST(SitesFileStrings, LongerPrefixFormsAndUtf16TaggedStringsAreRead) {
    const std::string tag = "\xFF\xFE\xFF"s;
    std::string wide256;
    for (int i = 0; i < 256; ++i)
        wide256 += "\xE4\x00"s; // U+00E4
    std::string expected256;
    for (int i = 0; i < 256; ++i)
        expected256 += "\xC3\xA4";
    struct Case {
        const char* name;
        std::string serverBytes;
        std::string expected;
    };
    const Case cases[] = {
        {"two-byte form of a short length", "\xFF\x05\x00hello"s, "hello"},
        {"four-byte form of a short length", "\xFF\xFF\xFF\x05\x00\x00\x00hello"s, "hello"},
        {"short",
         tag + "\x04"
               "C\x00"
               "a\x00"
               "f\x00\xE9\x00"s,
         "Caf\xC3\xA9"},
        {"empty", tag + "\x00"s, ""},
        {"two-byte length", tag + "\xFF\x00\x01"s + wide256, expected256},
        {"four-byte length", tag + "\xFF\xFF\xFF\x00\x01\x00\x00"s + wide256, expected256},
        {"surrogate pair", tag + "\x02\x3D\xD8\xC5\xDC"s, "\xF0\x9F\x93\x85"},
        {"unpaired surrogate",
         tag + "\x02"
               "a\x00\x00\xD8"s,
         "a#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SitesFileState state{};
        const auto sites = ReadAll(kHeaderBytes + RecordWithServerBytes(c.serverBytes), &state);
        EXPECT_EQ(state, SitesFileState::Complete);
        ASSERT_EQ(sites.size(), 1u);
        EXPECT_EQ(sites[0].m_server, c.expected);
        EXPECT_EQ(sites[0].m_port, 2121);
    }
}

TEST(SitesFileStrings, OneByteWindows1252TextsReadAsWhatTheyAreAndGoBackUnchanged) {
    // Server, description, user, profile name and password as an older program stored them.
    const std::string record = "\x04"
                               "Caf\xE9"s +
                               Int(4) +
                               "\x06"
                               "\x93Hi\x94 \x80"s +
                               "\x00"s +
                               "\x06"
                               "J\xFCrgen"s +
                               "\x06"
                               "M\xFCller"s +
                               "\x05"
                               "p\x80\xA7s\xDF"s +
                               Int(21) + "\x01/"s + Int(7) + Int(0) + Int(1) + Int(0);
    const std::string file = kHeaderBytes + record + kHomeSiteBytes;
    std::vector<CFtpSite> sites = ReadAll(file);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].m_server, "Caf\xC3\xA9");
    EXPECT_EQ(sites[0].m_description, "\xE2\x80\x9CHi\xE2\x80\x9D \xE2\x82\xAC");
    EXPECT_EQ(sites[0].m_username, "J\xC3\xBCrgen");
    EXPECT_EQ(sites[0].m_profileName, "M\xC3\xBCller");
    EXPECT_EQ(sites[0].m_password, "p\xE2\x82\xAC\xC2\xA7s\xC3\x9F");
    EXPECT_EQ(sites[1], HomeSite());

    std::string bytes;
    ASSERT_TRUE(CSitesFile::Store(sites, bytes));
    EXPECT_EQ(bytes, file) << "read and stored again, every byte stays";

    // An edited text is stored as this program writes text; the others keep their bytes.
    sites[0].m_password = "n\xE2\x82\xAC";
    ASSERT_TRUE(CSitesFile::Store(sites, bytes));
    EXPECT_NE(bytes.find("\x04n\xE2\x82\xAC"s), std::string::npos);
    EXPECT_EQ(bytes.find("p\x80\xA7s\xDF"s), std::string::npos);
    EXPECT_NE(bytes.find("\x04"
                         "Caf\xE9"s),
              std::string::npos);
    const auto again = ReadAll(bytes);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].m_password, "n\xE2\x82\xAC");
    EXPECT_EQ(again[0].m_profileName, "M\xC3\xBCller");
}

TEST(SitesFileStrings, WideStringsAreWrittenBackNarrow) {
    const auto sites = ReadAll(kHeaderBytes + RecordWithServerBytes("\xFF\xFE\xFF\x01\xE9\x00"s));
    ASSERT_EQ(sites.size(), 1u);
    std::string bytes;
    ASSERT_TRUE(CSitesFile::Store(sites, bytes));
    EXPECT_EQ(bytes, kHeaderBytes + RecordWithServerBytes("\x02\xC3\xA9"s));
}

TEST(SitesFileDamage, BadLengthsStopAtTheRecordAndKeepTheOnesBefore) {
    struct Case {
        const char* name;
        std::string serverBytes;
    };
    const Case cases[] = {
        {"length beyond the file", "\xFE"
                                   "abc"s},
        {"four-byte length near 4 GiB", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
                                        "abc"s},
        {"wide length beyond the file", "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"
                                        "a\x00"s},
        {"wide length twice the rest", "\xFF\xFE\xFF\x40"s + std::string(64, 'a')},
        {"second wide tag", "\xFF\xFE\xFF\xFF\xFE\xFF\x01"
                            "a\x00"s},
        {"prefix cut short", "\xFF\xFF"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SitesFileState state{};
        // A whole record follows the bad string, so a reader that accepted it would show two.
        const auto sites =
            ReadAll(kHeaderBytes + kHomeSiteBytes + RecordWithServerBytes(c.serverBytes), &state);
        EXPECT_EQ(state, SitesFileState::Damaged);
        ASSERT_EQ(sites.size(), 1u);
        EXPECT_EQ(sites[0], HomeSite());
    }
}

TEST(SitesFileDamage, AHugeLengthIsNeverAllocated) {
    // Lengths of about 4 GiB in a small file: with the address space capped at 1 GiB, an
    // allocation of that size would throw.
    const std::string prefixes[] = {"\xFF\xFF\xFF\xF0\xFF\xFF\xFF"s,
                                    "\xFF\xFE\xFF\xFF\xFF\xFF\xF0\xFF\xFF\x7F"s};
    for (const std::string& prefix : prefixes) {
        const std::string bytes = kHeaderBytes + kHomeSiteBytes + prefix + std::string(100, 'x');
        const int status = InChild([&] {
            const rlimit limit{1u << 30, 1u << 30};
            if (::setrlimit(RLIMIT_AS, &limit) != 0)
                return 2;
            try {
                SitesFileState state{};
                const auto sites = ReadAll(bytes, &state);
                return sites.size() == 1 && state == SitesFileState::Damaged ? 0 : 1;
            } catch (...) {
                return 3;
            }
        });
        EXPECT_EQ(status, 0);
    }
}

TEST(SitesFileDamage, ACutAtAnyByteKeepsTheWholeRecordsBeforeIt) {
    const std::vector<CFtpSite> written = {HomeSite(), OddSite(), HomeSite()};
    std::string bytes;
    ASSERT_TRUE(CSitesFile::Store(written, bytes));
    const std::size_t recordEnds[] = {
        kHeaderBytes.size(), kHeaderBytes.size() + kHomeSiteBytes.size(),
        kHeaderBytes.size() + kHomeSiteBytes.size() + kOddSiteBytes.size(), bytes.size()};
    ASSERT_EQ(recordEnds[3], recordEnds[2] + kHomeSiteBytes.size());

    tevtest::TempDir dir;
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::size_t whole = 0;
        bool atBoundary = false;
        for (std::size_t r = 0; r < 4; ++r) {
            if (recordEnds[r] <= cut)
                whole = r;
            atBoundary = atBoundary || recordEnds[r] == cut;
        }
        const SitesFileState expectedState =
            atBoundary ? SitesFileState::Complete : SitesFileState::Damaged;

        SitesFileState state{};
        const auto fromMemory = ReadAll(std::string_view(bytes).substr(0, cut), &state);
        EXPECT_EQ(state, expectedState);
        ASSERT_EQ(fromMemory.size(), whole);
        for (std::size_t r = 0; r < whole; ++r)
            EXPECT_EQ(fromMemory[r], written[r]);

        ASSERT_TRUE(tevtest::WriteFileBytes(dir / "sites.dat", bytes.substr(0, cut)));
        std::vector<CFtpSite> fromFile;
        EXPECT_EQ(CSitesFile::Read(dir / "sites.dat", fromFile), expectedState);
        EXPECT_EQ(fromFile, fromMemory);
    }
}

TEST(SitesFileDamage, MutatedFilesReadAlikeFromMemoryAndDiskAndStoreBack) {
    std::string valid;
    ASSERT_TRUE(CSitesFile::Store({HomeSite(), OddSite(), HomeSite()}, valid));
    tevtest::TempDir dir;
    std::mt19937 random(20240611);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = valid;
        for (std::size_t edits = 1 + below(3); edits > 0 && !bytes.empty(); --edits) {
            const std::size_t at = below(bytes.size() - 1);
            switch (below(3)) {
            case 0:
                bytes[at] = static_cast<char>(below(255));
                break;
            case 1:
                bytes.insert(at, 1, static_cast<char>(below(1) ? 0xFF : below(255)));
                break;
            case 2:
                bytes.erase(at, 1 + below(8));
                break;
            default:
                bytes.resize(at);
            }
        }
        SCOPED_TRACE(round);
        SitesFileState state{};
        const auto fromMemory = ReadAll(bytes, &state);
        ASSERT_TRUE(tevtest::WriteFileBytes(dir / "sites.dat", bytes));
        std::vector<CFtpSite> fromFile;
        ASSERT_EQ(CSitesFile::Read(dir / "sites.dat", fromFile), state);
        ASSERT_EQ(fromFile, fromMemory);
        std::string stored;
        ASSERT_TRUE(CSitesFile::Store(fromMemory, stored));
        SitesFileState storedState{};
        ASSERT_EQ(ReadAll(stored, &storedState), fromMemory);
        ASSERT_EQ(storedState, SitesFileState::Complete);
    }
}

TEST(SitesFileDamage, OnlyTheRightHeaderReadsRecords) {
    std::string wideHeader = "\xFF\xFE\xFF\x17"s;
    for (char c : std::string("Quorvane Components FTP"))
        wideHeader += std::string(1, c) + '\0';
    struct Case {
        std::string header;
        SitesFileState state;
    };
    const Case cases[] = {
        {"\x17Quorvane Components FTp"s, SitesFileState::Foreign},
        {"\x16Quorvane Components FT"s, SitesFileState::Foreign},
        {"\x18Quorvane Components FTP "s, SitesFileState::Foreign},
        {"\x09TEVCalFTP"s, SitesFileState::Foreign},
        {"\x00"s, SitesFileState::Foreign},
        {wideHeader, SitesFileState::Complete}, // the same text, only stored wide
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        SitesFileState state{};
        const auto sites = ReadAll(c.header + kHomeSiteBytes, &state);
        EXPECT_EQ(state, c.state);
        EXPECT_EQ(sites.size(), c.state == SitesFileState::Complete ? 1u : 0u);
    }
}

TEST(SitesFileOnDisk, TheFileBesideTheProgramIsReadOnlyWhenItIsARegularFile) {
    tevtest::TempDir dir;
    std::vector<CFtpSite> sites;
    EXPECT_EQ(CSitesFile::Read(dir / "sites.dat", sites), SitesFileState::Missing);
    ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0700), 0);
    EXPECT_EQ(CSitesFile::Read(dir / "folder", sites), SitesFileState::Missing);
    // A pipe with no writer would block a plain open for reading forever.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(CSitesFile::Read(dir / "pipe", sites), SitesFileState::Missing);
    EXPECT_TRUE(sites.empty());
}

TEST(SitesFileOnDisk, AFileBesideTheProgramIsMovedOnceIntoTheUsersDataFolder) {
    tevtest::TempDir dir;
    tevtest::ScopedEnv data("XDG_DATA_HOME", dir / "data");
    tev::OverrideProgramFolder(dir / "program");
    tev::CreateDirectoryTree(dir / "program");
    CFtpSite site;
    site.m_profileName = "Home";
    ASSERT_TRUE(CSitesFile::Write(dir / "program/sites.dat", {site}));
    EXPECT_EQ(CSitesFile::DefaultPath(), dir / "data/Quorvane/sites.dat");
    EXPECT_EQ(CSitesFile::Locate(), dir / "data/Quorvane/sites.dat");
    std::vector<CFtpSite> sites;
    EXPECT_EQ(CSitesFile::Read(CSitesFile::DefaultPath(), sites), SitesFileState::Complete);
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0].m_profileName, "Home");
    EXPECT_FALSE(tev::FileExists(dir / "program/sites.dat"));

    // Read once: an older file turning up again later does not replace the user's profiles.
    CFtpSite stale;
    stale.m_profileName = "Stale";
    ASSERT_TRUE(CSitesFile::Write(dir / "program/sites.dat", {stale}));
    CSitesFile::Locate();
    sites.clear();
    CSitesFile::Read(CSitesFile::DefaultPath(), sites);
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0].m_profileName, "Home");
    tev::OverrideProgramFolder("");
}

TEST(SitesFileOnDisk, AFileLargerThanTheReadBufferLoadsEveryRecord) {
    std::vector<CFtpSite> written;
    for (int i = 0; i < 500; ++i) {
        CFtpSite site = OddSite();
        site.m_profileName = "Profile " + std::to_string(i);
        site.m_description = std::string(static_cast<std::size_t>(i % 97), 'd');
        site.m_port = i;
        written.push_back(site);
    }
    // One string longer than the buffer, starting at an odd offset.
    written[250].m_description = std::string(3 * CArchive::kBufferSize + 7, 'L');
    tevtest::TempDir dir;
    ASSERT_TRUE(CSitesFile::Write(dir / "sites.dat", written));
    ASSERT_GT(tevtest::ReadFileBytes(dir / "sites.dat").size(), 20 * CArchive::kBufferSize);

    std::vector<CFtpSite> read;
    EXPECT_EQ(CSitesFile::Read(dir / "sites.dat", read), SitesFileState::Complete);
    EXPECT_EQ(read, written);
}

TEST(SitesFileOnDisk, WrittenFileIsPrivateAndReplacesTheOldOne) {
    tevtest::TempDir dir;
    const std::string path = dir / "sites.dat";
    ASSERT_TRUE(tevtest::WriteFileBytes(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    const mode_t previous = ::umask(0);
    const bool written = CSitesFile::Write(path, {HomeSite()});
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(FileMode(path), 0600);
    EXPECT_EQ(tevtest::ReadFileBytes(path), kHeaderBytes + kHomeSiteBytes);
    // The password is plain text in it.
    EXPECT_NE(tevtest::ReadFileBytes(path).find("\x02pw"), std::string::npos);
    // Nothing but the file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SitesFileOnDisk, AnUnwritableFolderKeepsTheOldFile) {
    tevtest::TempDir dir;
    const std::string folder = dir / "program/";
    const std::string path = folder + "sites.dat";
    const std::string old = kHeaderBytes + kOddSiteBytes;
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_TRUE(tevtest::WriteFileBytes(path, old));
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);

    // Root writes anywhere, so the write runs as an ordinary user in a child process.
    const int refused = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        return CSitesFile::Write(path, {HomeSite()}) ? 1 : 0;
    });
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(tevtest::ReadFileBytes(path), old);
    ::chmod(folder.c_str(), 0700);
}

TEST(SitesFileOnDisk, AWriteThatFailsHalfwayKeepsTheOldFile) {
    tevtest::TempDir dir;
    const std::string path = dir / "sites.dat";
    const std::string old = kHeaderBytes + kHomeSiteBytes;
    ASSERT_TRUE(tevtest::WriteFileBytes(path, old));
    CFtpSite big = OddSite();
    big.m_description = std::string(20000, 'x');

    // A file size limit makes the disk "full" after 4 KiB.
    const int failed = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        return CSitesFile::Write(path, {HomeSite(), big}) ? 1 : 0;
    });
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(tevtest::ReadFileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}
