#include "designer/ftp/FtpSiteList.h"
#include "designer/ftp/SitesFile.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/AppProfile.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace TEVComponentDesignerAfx;
using Result = CFtpSiteList::Result;

namespace {

CFtpSite Site(const std::string& name, const std::string& server, int port = 21) {
    CFtpSite site;
    site.m_profileName = name;
    site.m_server = server;
    site.m_username = "user-" + name;
    site.m_password = "secret-" + name;
    site.m_path = "/www/" + name;
    site.m_localFolder = "/publish/" + name;
    site.m_description = "about " + name;
    site.m_port = port;
    site.m_reserved = 7;
    return site;
}

// What a user typed into the controls.
CFtpSite Controls(const std::string& server, const std::string& username = "bob",
                  const std::string& password = "pw") {
    CFtpSite controls = CFtpSite::EditingDefaults();
    controls.m_server = server;
    controls.m_username = username;
    controls.m_password = password;
    controls.m_path = "/remote";
    controls.m_port = 2121;
    controls.m_retries = 5;
    controls.m_retryDelay = 30;
    controls.m_passive = false;
    controls.m_logErrors = true;
    controls.m_description = "typed";
    return controls;
}

std::vector<std::string> Texts(const CFtpSiteList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetText(i));
    return texts;
}

// The program's folder, the user's data folder and the registry are private to each test.
class FtpSiteListTest : public ::testing::Test {
protected:
    FtpSiteListTest() { tev::OverrideProgramFolder(m_programDir.path()); }
    ~FtpSiteListTest() override { tev::OverrideProgramFolder(""); }

    std::string SitesPath() const { return CSitesFile::Locate(); }

    void WriteSites(const std::vector<CFtpSite>& sites) {
        ASSERT_TRUE(CSitesFile::Write(SitesPath(), sites));
    }

    std::vector<CFtpSite> StoredSites() const {
        std::vector<CFtpSite> sites;
        CSitesFile::Read(SitesPath(), sites);
        return sites;
    }

    int LastSelected() const {
        return tev::AppProfile::GetProfileInt("Settings", "LastSelectedSite", -100);
    }

    CFtpSiteList OpenList() const {
        CFtpSiteList list;
        list.Open(SitesPath());
        return list;
    }

    tevtest::ScopedRegistry m_registry;
    tevtest::TempDir m_programDir;
    tevtest::ScopedEnv m_userData{"XDG_DATA_HOME", m_programDir / "data"};
};

} // namespace

TEST_F(FtpSiteListTest, FirstRunShowsOnlyNewProfileAndPlusGivesTheEditingDefaults) {
    CFtpSiteList list = OpenList();
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetText(0), "New Profile");
    EXPECT_TRUE(list.IsPlaceholder(0));
    // "LastSelectedSite" defaults to 0, which is the placeholder here, showing a new
    // record's values; "+" brings the dialog's editing defaults.
    EXPECT_EQ(list.GetSelection(), 0);
    EXPECT_EQ(list.GetValues().m_retries, 1);
    EXPECT_EQ(list.GetValues().m_retryDelay, 15);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_FALSE(list.CanSave());

    list.New();
    const CFtpSite& values = list.GetValues();
    EXPECT_EQ(values.m_retries, 3);
    EXPECT_EQ(values.m_port, 21);
    EXPECT_EQ(values.m_retryDelay, 10);
    EXPECT_TRUE(values.m_passive);
    EXPECT_FALSE(values.m_logErrors);
    EXPECT_TRUE(values.m_server.empty() && values.m_username.empty() && values.m_password.empty() &&
                values.m_path.empty());
    EXPECT_FALSE(list.IsAnonymous());
    EXPECT_TRUE(list.IsDirty());
    EXPECT_TRUE(list.CanSave());
    // Nothing is stored by "+".
    EXPECT_FALSE(tev::FileExists(SitesPath()));
}

TEST_F(FtpSiteListTest, SavingOnNewProfileAsksForANameAndListsItAboveNewProfile) {
    CFtpSiteList list = OpenList();
    list.New();
    const CFtpSite typed = Controls("ftp.one.example");
    EXPECT_EQ(list.Save(typed), Result::NeedsName);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.SaveAs(typed, "One"), Result::Saved);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"One", "New Profile"}));
    EXPECT_EQ(list.GetSelection(), 0);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(LastSelected(), 0);

    list.Select(1);
    EXPECT_EQ(list.Save(Controls("ftp.two.example")), Result::NeedsName);
    EXPECT_EQ(list.SaveAs(Controls("ftp.two.example"), "Two"), Result::Saved);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"One", "Two", "New Profile"}));
    EXPECT_EQ(list.GetSelection(), 1);
    EXPECT_FALSE(list.IsPlaceholder(1));
    EXPECT_TRUE(list.IsPlaceholder(2));

    const auto stored = StoredSites();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].m_profileName, "One");
    EXPECT_EQ(stored[0].m_server, "ftp.one.example");
    EXPECT_EQ(stored[0].m_port, 2121);
    EXPECT_EQ(stored[0].m_retries, 5);
    EXPECT_EQ(stored[0].m_retryDelay, 30);
    EXPECT_FALSE(stored[0].m_passive);
    EXPECT_TRUE(stored[0].m_logErrors);
    EXPECT_EQ(stored[0].m_description, "typed");
    EXPECT_EQ(stored[1].m_profileName, "Two");

    // Reopened, the list is the same.
    EXPECT_EQ(Texts(OpenList()), Texts(list));
}

TEST_F(FtpSiteListTest, NamesAreUniqueIgnoringCaseAndNotEmpty) {
    WriteSites({Site("Home", "h"), Site("Caf\xC3\xA9", "c")});
    struct Case {
        std::string name;
        Result expected;
    };
    const Case cases[] = {
        {"New Profile", Result::DuplicateName},
        {"new profile", Result::DuplicateName},
        {"NEW PROFILE", Result::DuplicateName},
        {"nEw PrOfIlE", Result::DuplicateName},
        {"home", Result::DuplicateName},
        {"HOME", Result::DuplicateName},
        {"CAF\xC3\x89", Result::DuplicateName},
        {"", Result::EmptyName},
        {"Home ", Result::Saved},
        {"New Profile 2", Result::Saved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFtpSiteList list = OpenList();
        const std::string before = tevtest::ReadFileBytes(SitesPath());
        EXPECT_EQ(list.SaveAs(Controls("x"), c.name), c.expected);
        if (c.expected == Result::Saved) {
            EXPECT_EQ(list.GetCount(), 4);
            EXPECT_EQ(list.GetText(2), c.name);
            WriteSites({Site("Home", "h"), Site("Caf\xC3\xA9", "c")});
        } else {
            EXPECT_EQ(list.GetCount(), 3);
            EXPECT_EQ(tevtest::ReadFileBytes(SitesPath()), before);
        }
    }
    EXPECT_STREQ(CFtpSiteList::MessageFor(Result::DuplicateName),
                 "A Profile with the specified name already exists.");
    EXPECT_STREQ(CFtpSiteList::MessageFor(Result::EmptyName),
                 "Please specify the name of the profile");
    EXPECT_EQ(CFtpSiteList::MessageFor(Result::Saved), nullptr);
}

TEST_F(FtpSiteListTest, DeletingTheSecondOfThreeKeepsTheThirdReachable) {
    WriteSites({Site("A", "a.example"), Site("B", "b.example"), Site("C", "c.example")});
    CFtpSiteList list = OpenList();
    ASSERT_TRUE(list.Select(1));
    EXPECT_EQ(list.Delete(), Result::Saved);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"A", "C", "New Profile"}));
    EXPECT_EQ(list.GetSelection(), 0);
    EXPECT_EQ(list.GetValues().m_server, "a.example");
    EXPECT_EQ(LastSelected(), 0);
    EXPECT_EQ(list.GetRecord(1).m_server, "c.example");
    ASSERT_TRUE(list.Select(1));
    EXPECT_EQ(list.GetValues().m_server, "c.example");
    EXPECT_EQ(list.GetValues().m_password, "secret-C");
    EXPECT_TRUE(list.GetRecord(2).m_placeholder);

    const auto stored = StoredSites();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], Site("A", "a.example"));
    EXPECT_EQ(stored[1], Site("C", "c.example"));
}

TEST_F(FtpSiteListTest, EntriesFindTheirRecordsAfterInsertsAndDeletes) {
    // A profile added in this run sits behind the placeholder in the record array, so list
    // positions and record indexes differ.
    WriteSites({Site("A", "a"), Site("B", "b")});
    CFtpSiteList list = OpenList();
    ASSERT_EQ(list.SaveAs(Controls("c"), "C"), Result::Saved);
    ASSERT_EQ(list.SaveAs(Controls("d"), "D"), Result::Saved);
    ASSERT_EQ(Texts(list), (std::vector<std::string>{"A", "B", "C", "D", "New Profile"}));
    EXPECT_EQ(list.GetEntry(4).m_record, 2);
    EXPECT_EQ(list.GetEntry(2).m_record, 3);

    const std::vector<std::pair<int, std::vector<std::string>>> steps = {
        {0, {"B", "C", "D", "New Profile"}},
        {1, {"B", "D", "New Profile"}},
        {1, {"B", "New Profile"}},
    };
    for (const auto& [position, texts] : steps) {
        ASSERT_TRUE(list.Select(position));
        EXPECT_EQ(list.Delete(), Result::Saved);
        ASSERT_EQ(Texts(list), texts);
        for (int i = 0; i < list.GetCount(); ++i) {
            const CFtpSite& record = list.GetRecord(i);
            EXPECT_EQ(record.m_profileName, list.GetText(i));
            EXPECT_EQ(record.m_placeholder, list.IsPlaceholder(i));
            if (!record.m_placeholder) {
                EXPECT_EQ(tev::ToLowerAscii(record.m_profileName), record.m_server);
            }
        }
        EXPECT_EQ(static_cast<int>(StoredSites().size()), list.GetCount() - 1);
    }
}

TEST_F(FtpSiteListTest, DeletingNewProfileOnlyResetsIt) {
    WriteSites({Site("A", "a")});
    const std::string before = tevtest::ReadFileBytes(SitesPath());
    CFtpSiteList list = OpenList();
    EXPECT_EQ(list.Delete(), Result::Saved); // "A" was selected: it goes.
    ASSERT_EQ(list.GetSelection(), 0);
    ASSERT_TRUE(list.IsPlaceholder(0));
    list.Edit(Controls("typed"));
    EXPECT_EQ(list.Delete(), Result::Reset);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"New Profile"}));
    EXPECT_EQ(list.GetValues().m_server, "");
    EXPECT_EQ(list.GetValues().m_retryDelay, 10);
    EXPECT_TRUE(list.IsPlaceholder(0));
    EXPECT_NE(tevtest::ReadFileBytes(SitesPath()), before);
    EXPECT_TRUE(StoredSites().empty());

    list.Select(-1);
    EXPECT_EQ(list.Delete(), Result::NoSelection);
    EXPECT_EQ(list.Save(Controls("x")), Result::NoSelection);
    EXPECT_EQ(list.SaveAs(Controls("x"), "X"), Result::NoSelection);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(FtpSiteListTest, SaveKeepsTheNameAndTheHiddenFieldsAndRewritesTheFile) {
    WriteSites({Site("A", "a"), Site("B", "b")});
    CFtpSiteList list = OpenList();
    ASSERT_TRUE(list.Select(1));
    list.Edit(Controls("b.changed"));
    EXPECT_TRUE(list.CanSave());
    EXPECT_EQ(list.Save(Controls("b.changed")), Result::Saved);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(list.GetSelection(), 1);
    EXPECT_EQ(list.GetText(1), "B");

    const auto stored = StoredSites();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], Site("A", "a"));
    CFtpSite expected = Controls("b.changed");
    expected.m_profileName = "B";
    expected.m_localFolder = "/publish/B";
    expected.m_reserved = 7;
    EXPECT_EQ(stored[1], expected);
}

TEST_F(FtpSiteListTest, LastSelectedSiteChoosesTheLoadedProfile) {
    WriteSites({Site("A", "a"), Site("B", "b"), Site("C", "c")});
    struct Case {
        int stored;
        int selection;
        std::string server;
    };
    const Case cases[] = {
        {0, 0, "a"}, {2, 2, "c"}, {3, 3, ""}, {4, -1, ""}, {-1, -1, ""}, {1000, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        tev::AppProfile::WriteProfileInt("Settings", "LastSelectedSite", c.stored);
        const CFtpSiteList list = OpenList();
        EXPECT_EQ(list.GetSelection(), c.selection);
        EXPECT_EQ(list.GetValues().m_server, c.server);
        if (c.selection < 0) {
            EXPECT_EQ(list.GetValues(), CFtpSite::EditingDefaults());
            EXPECT_FALSE(list.CanSave());
        }
    }
    CFtpSiteList list = OpenList();
    list.Select(1);
    EXPECT_EQ(LastSelected(), 1);
    EXPECT_EQ(OpenList().GetValues().m_server, "b");
}

TEST_F(FtpSiteListTest, AnonymousFillsTheEmailAddressAndUncheckingRestoresTheAccount) {
    tev::AppProfile::WriteProfileString("Settings", "EmailAddress", "me@example.com");
    CFtpSite anonymousSite = Site("Pub", "pub");
    anonymousSite.m_username = "AnonyMous";
    WriteSites({Site("A", "a"), anonymousSite});
    CFtpSiteList list = OpenList();
    EXPECT_FALSE(list.IsAnonymous());
    EXPECT_TRUE(list.IsPasswordMasked());

    list.ClickAnonymous(Controls("a"), true);
    EXPECT_TRUE(list.IsAnonymous());
    EXPECT_FALSE(list.IsPasswordMasked());
    EXPECT_EQ(list.GetValues().m_username, "anonymous");
    EXPECT_EQ(list.GetValues().m_password, "me@example.com");
    EXPECT_EQ(list.GetValues().m_port, 2121); // the other controls were read
    EXPECT_TRUE(list.IsDirty());

    list.ClickAnonymous(list.GetValues(), false);
    EXPECT_FALSE(list.IsAnonymous());
    EXPECT_TRUE(list.IsPasswordMasked());
    EXPECT_EQ(list.GetValues().m_username, "user-A");
    EXPECT_EQ(list.GetValues().m_password, "secret-A");

    list.Select(1);
    EXPECT_TRUE(list.IsAnonymous());
    EXPECT_FALSE(list.IsPasswordMasked());
    list.EditUsername(Controls("pub", "anonymous"));
    EXPECT_TRUE(list.IsAnonymous());
    list.EditUsername(Controls("pub", "anon"));
    EXPECT_FALSE(list.IsAnonymous());
    EXPECT_TRUE(list.IsPasswordMasked());

    // With nothing selected there is no account to restore.
    list.Select(-1);
    list.ClickAnonymous(Controls("x"), true);
    list.ClickAnonymous(list.GetValues(), false);
    EXPECT_EQ(list.GetValues().m_username, "anonymous");
    EXPECT_FALSE(list.IsAnonymous());
}

TEST_F(FtpSiteListTest, AnUnwritableFileKeepsTheChangesForThisRun) {
    CFtpSiteList list;
    list.Open(m_programDir / "missing-folder/sites.dat");
    list.New();
    EXPECT_EQ(list.SaveAs(Controls("x"), "X"), Result::NotWritten);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"X", "New Profile"}));
    EXPECT_EQ(list.GetValues().m_server, "x");
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(list.Save(Controls("y")), Result::NotWritten);
    EXPECT_EQ(list.GetRecord(0).m_server, "y");
}

TEST_F(FtpSiteListTest, ADamagedFileShowsTheProfilesBeforeTheDamage) {
    WriteSites({Site("A", "a"), Site("B", "b")});
    std::string bytes = tevtest::ReadFileBytes(SitesPath());
    bytes += "\x05tr";
    ASSERT_TRUE(tevtest::WriteFileBytes(SitesPath(), bytes));
    EXPECT_EQ(Texts(OpenList()), (std::vector<std::string>{"A", "B", "New Profile"}));

    ASSERT_TRUE(tevtest::WriteFileBytes(SitesPath(), "\x05Other" + bytes.substr(24)));
    EXPECT_EQ(Texts(OpenList()), (std::vector<std::string>{"New Profile"}));
}

TEST_F(FtpSiteListTest, AnOlderFilesProfileLoadedAndSavedLosesNothing) {
    // One record as an older program stored it: texts in Windows-1252, a password with a
    // euro sign and a section sign.
    using namespace std::string_literals;
    const auto text = [](const std::string& bytes) {
        return static_cast<char>(bytes.size()) + bytes;
    };
    const auto number = [](std::int32_t value) {
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        return bytes;
    };
    const std::string file = text("Quorvane Components FTP") + text("ftp.caf\xE9.example") +
                             number(3) + text("B\xFCro") + text("") + text("j\xFCrgen") +
                             text("B\xFCro") + text("p\x80\xA7") + number(21) + text("/www") +
                             number(10) + number(0) + number(1) + number(0);
    ASSERT_TRUE(tevtest::WriteFileBytes(SitesPath(), file));

    CFtpSiteList list = OpenList();
    ASSERT_EQ(list.GetSelection(), 0);
    EXPECT_EQ(list.GetText(0), "B\xC3\xBCro");
    EXPECT_EQ(list.GetValues().m_password, "p\xE2\x82\xAC\xC2\xA7");
    EXPECT_EQ(list.GetValues().m_username, "j\xC3\xBCrgen");
    EXPECT_EQ(list.Save(list.GetValues()), Result::Saved);
    EXPECT_EQ(tevtest::ReadFileBytes(SitesPath()), file);
}
