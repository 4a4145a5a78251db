#include "platform/shell/DesktopFileTypes.h"
#include "platform/shell/ShellPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using tevtest::ReadFileBytes;
using tevtest::ScopedEnv;
using tevtest::TempDir;

namespace {

tev::DesktopFileType SampleType(const std::string& program) {
    tev::DesktopFileType type;
    type.mimeType = "application/x-sample-doc";
    type.glob = "*.sdc";
    type.comment = "Sample <doc> & more";
    type.appName = "Sample";
    type.programPath = program;
    type.fileStem = "vendor-sdc";
    return type;
}

} // namespace

TEST(DesktopFileTypes, DataFolderFollowsTheEnvironment) {
    TempDir dir;
    {
        ScopedEnv data("XDG_DATA_HOME", dir.path() + "data");
        EXPECT_EQ(tev::UserDataFolder(), dir.path() + "data/");
        EXPECT_EQ(tev::DesktopEntryPath("x"), dir.path() + "data/applications/x.desktop");
        EXPECT_EQ(tev::MimePackagePath("x"), dir.path() + "data/mime/packages/x.xml");
    }
    ScopedEnv relative("XDG_DATA_HOME", "relative/path");
    ScopedEnv home("HOME", dir.path() + "home");
    EXPECT_EQ(tev::UserDataFolder(), dir.path() + "home/.local/share/");
}

TEST(DesktopFileTypes, ExecArgumentsAreQuotedForTheEntryFormat) {
    struct Case {
        const char* path;
        const char* quoted;
    };
    const Case cases[] = {
        {"/opt/app/TEVCalendar", R"("/opt/app/TEVCalendar")"},
        {"/opt/my app/TEVCalendar", R"("/opt/my app/TEVCalendar")"},
        {"/opt/$HOME/`x`/a\"b", R"("/opt/\$HOME/\`x\`/a\"b")"},
        {"/opt/back\\slash", R"("/opt/back\\slash")"},
        {"/opt/100%/app", R"("/opt/100%%/app")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tev::QuoteExecArgument(c.path), c.quoted) << c.path;
}

TEST(DesktopFileTypes, EntryAndPackageDescribeTheType) {
    const tev::DesktopFileType type = SampleType("/opt/a b/prog");
    const std::string entry = tev::DesktopEntryText(type);
    // The Exec value is escaped once more as an entry string: each '\' doubles.
    EXPECT_NE(entry.find("Exec=\"/opt/a b/prog\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-sample-doc;\n"), std::string::npos);
    EXPECT_EQ(entry.find("Icon="), std::string::npos);
    const std::string package = tev::MimePackageText(type);
    EXPECT_NE(package.find("<mime-type type=\"application/x-sample-doc\">"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.sdc\"/>"), std::string::npos);
    EXPECT_NE(package.find("Sample &lt;doc&gt; &amp; more"), std::string::npos) << package;

    tev::DesktopFileType odd = SampleType("/opt/back\\slash/prog");
    odd.iconPath = "/opt/icon.png";
    const std::string oddEntry = tev::DesktopEntryText(odd);
    EXPECT_NE(oddEntry.find("Exec=\"/opt/back\\\\\\\\slash/prog\" %f\n"), std::string::npos)
        << oddEntry;
    EXPECT_NE(oddEntry.find("Icon=/opt/icon.png\n"), std::string::npos);
}

TEST(DesktopFileTypes, RegisterWritesBothFilesAndUnregisterRemovesThem) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.path() + "share");
    const tev::DesktopFileType type = SampleType("/opt/app/prog");

    EXPECT_FALSE(tev::UnregisterDesktopFileType(type.fileStem)) << "nothing to remove yet";
    EXPECT_FALSE(tev::FolderExists(dir.path() + "share/mime"));

    ASSERT_TRUE(tev::RegisterDesktopFileType(type));
    EXPECT_EQ(ReadFileBytes(tev::MimePackagePath("vendor-sdc")), tev::MimePackageText(type));
    EXPECT_EQ(ReadFileBytes(tev::DesktopEntryPath("vendor-sdc")), tev::DesktopEntryText(type));
    if (tev::FileExists("/usr/bin/update-mime-database")) {
        // The shared MIME database now knows the type.
        EXPECT_TRUE(tev::FileExists(dir.path() + "share/mime/application/x-sample-doc.xml"));
    }

    EXPECT_TRUE(tev::UnregisterDesktopFileType(type.fileStem));
    EXPECT_FALSE(tev::FileExists(tev::MimePackagePath("vendor-sdc")));
    EXPECT_FALSE(tev::FileExists(tev::DesktopEntryPath("vendor-sdc")));
    EXPECT_FALSE(tev::FileExists(dir.path() + "share/mime/application/x-sample-doc.xml"));
}

TEST(DesktopFileTypes, RegistrationNeedsADataFolderAndATypeName) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.path() + "share");
    tev::DesktopFileType type = SampleType("/opt/prog");
    type.mimeType.clear();
    EXPECT_FALSE(tev::RegisterDesktopFileType(type));
    EXPECT_FALSE(tev::FolderExists(dir.path() + "share"));

    ScopedEnv noData("XDG_DATA_HOME", "");
    ScopedEnv noHome("HOME", "");
    EXPECT_FALSE(tev::RegisterDesktopFileType(SampleType("/opt/prog")));
}
