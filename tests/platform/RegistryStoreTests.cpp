#include "platform/registry/AppProfile.h"
#include "platform/registry/RegistryStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tev;

TEST(RegistryStore, KeysAndValuesPersistInReadableFiles) {
    tevtest::ScopedRegistry registry;
    auto& store = RegistryStore::Instance();
    EXPECT_TRUE(store.SetString(Hive::ClassesRoot, ".kcd", "", "kcd.Document"));
    EXPECT_TRUE(store.SetString(Hive::ClassesRoot, ".kcd\\shell\\open\\command", "",
                                "/opt/TEVCalendar \"%1\""));
    EXPECT_TRUE(store.SetInteger(Hive::CurrentUser, "Software\\Q\\Settings", "LastSelectedSite", 2));

    EXPECT_EQ(store.GetString(Hive::ClassesRoot, ".KCD", ""), "kcd.Document");
    EXPECT_TRUE(store.KeyExists(Hive::ClassesRoot, ".kcd\\shell"));
    EXPECT_EQ(store.GetInteger(Hive::CurrentUser, "software\\q\\settings", "lastselectedsite"), 2u);
    EXPECT_FALSE(store.GetString(Hive::CurrentUser, "Software\\Q\\Settings", "LastSelectedSite"));

    const std::string text = tevtest::ReadFileBytes(RegistryStore::HiveFile(Hive::ClassesRoot));
    EXPECT_NE(text.find("[.kcd\\shell\\open\\command]\n@=\"/opt/TEVCalendar \\\"%1\\\"\""),
              std::string::npos)
        << text;
}

TEST(RegistryStore, DeleteKeyRefusesKeysWithSubKeys) {
    tevtest::ScopedRegistry registry;
    auto& store = RegistryStore::Instance();
    store.CreateKey(Hive::ClassesRoot, "a\\b\\c");
    EXPECT_FALSE(store.DeleteKey(Hive::ClassesRoot, "a\\b"));
    EXPECT_TRUE(store.DeleteKey(Hive::ClassesRoot, "a\\b\\c"));
    EXPECT_TRUE(store.DeleteKey(Hive::ClassesRoot, "a\\b"));
    EXPECT_EQ(store.SubKeyNames(Hive::ClassesRoot, "a").size(), 0u);
    EXPECT_FALSE(store.DeleteKey(Hive::ClassesRoot, "missing"));
    store.CreateKey(Hive::ClassesRoot, "t\\u\\v");
    EXPECT_TRUE(store.DeleteTree(Hive::ClassesRoot, "t"));
    EXPECT_FALSE(store.KeyExists(Hive::ClassesRoot, "t\\u"));
}

TEST(RegistryStore, SubKeyNamesListOnlyDirectChildren) {
    tevtest::ScopedRegistry registry;
    auto& store = RegistryStore::Instance();
    store.CreateKey(Hive::ClassesRoot, "CLSID\\{A}\\InprocServer32");
    store.CreateKey(Hive::ClassesRoot, "CLSID\\{B}");
    const auto names = store.SubKeyNames(Hive::ClassesRoot, "CLSID");
    EXPECT_EQ(names, (std::vector<std::string>{"{A}", "{B}"}));
}

TEST(RegistryStore, TextSurvivesEscapingAndDamagedLinesAreSkipped) {
    const std::vector<RegistryStore::Key> keys = {
        {"K", {{"quote\"name", false, "line\nbreak \\ \"q\"\t", 0}, {"", true, {}, 0xDEADBEEF}}}};
    const auto parsed = ParseHiveText(PrintHiveText(keys, "HKEY_CURRENT_USER"));
    ASSERT_EQ(parsed.size(), 1u);
    ASSERT_EQ(parsed[0].values.size(), 2u);
    EXPECT_EQ(parsed[0].values[0].name, "quote\"name");
    EXPECT_EQ(parsed[0].values[0].text, "line\nbreak \\ \"q\"\t");
    EXPECT_EQ(parsed[0].values[1].number, 0xDEADBEEFu);

    const auto damaged = ParseHiveText("\"orphan\"=\"x\"\n[K]\n\"a\"=dword:zz\n\"b\"=\"unterminated\n"
                                       "\"c\"=\"ok\"\n[\x01]\n");
    ASSERT_EQ(damaged.size(), 1u);
    ASSERT_EQ(damaged[0].values.size(), 1u);
    EXPECT_EQ(damaged[0].values[0].name, "c");
}

TEST(RegistryStore, ChangesByAnotherWriterAreSeen) {
    tevtest::ScopedRegistry registry;
    auto& store = RegistryStore::Instance();
    store.SetString(Hive::CurrentUser, "K", "v", "one");
    // Another process rewrites the file.
    tevtest::WriteFileBytes(RegistryStore::HiveFile(Hive::CurrentUser), "[K]\n\"v\"=\"two, longer\"\n");
    EXPECT_EQ(store.GetString(Hive::CurrentUser, "K", "v"), "two, longer");
}

TEST(AppProfile, IntegersAndStringsInASection) {
    tevtest::ScopedRegistry registry;
    AppProfile::SetRegistryKey("Quorvane", "Quorvane Web Calendar");
    EXPECT_EQ(AppProfile::GetProfileInt("Settings", "ConnectionTimeout", 30), 30);
    EXPECT_TRUE(AppProfile::WriteProfileInt("Settings", "LastSelectedSite", 3));
    EXPECT_EQ(AppProfile::GetProfileInt("Settings", "LastSelectedSite", 0), 3);
    EXPECT_EQ(AppProfile::GetProfileString("Settings", "EmailAddress"), "");
    AppProfile::WriteProfileString("Settings", "EmailAddress", "me@example.org");
    EXPECT_EQ(RegistryStore::Instance().GetString(
                  Hive::CurrentUser, "Software\\Quorvane\\Quorvane Web Calendar\\Settings",
                  "EmailAddress"),
              "me@example.org");
}
