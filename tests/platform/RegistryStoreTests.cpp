#include "platform/registry/AppProfile.h"
#include "platform/registry/RegistryStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tev;

TEST(RegistryStore, KeysAndValuesPersistInReadableFiles) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    auto& store = RegistryStore::Instance();
    EXPECT_TRUE(store.SetString(Hive::ClassesRoot, ".kcd", "", "kcd.Document"));
    EXPECT_TRUE(store.SetString(Hive::ClassesRoot, ".kcd\\shell\\open\\command", "",
                                "/opt/TEVCalendar \"%1\""));
    EXPECT_TRUE(
        store.SetInteger(Hive::CurrentUser, "Software\\Q\\Settings", "LastSelectedSite", 2));

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
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
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
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
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

    const auto damaged =
        ParseHiveText("\"orphan\"=\"x\"\n[K]\n\"a\"=dword:zz\n\"b\"=\"unterminated\n"
                      "\"c\"=\"ok\"\n[\x01]\n");
    ASSERT_EQ(damaged.size(), 1u);
    ASSERT_EQ(damaged[0].values.size(), 1u);
    EXPECT_EQ(damaged[0].values[0].name, "c");
}

TEST(RegistryStore, ChangesByAnotherWriterAreSeen) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    auto& store = RegistryStore::Instance();
    store.SetString(Hive::CurrentUser, "K", "v", "one");
    // Another process rewrites the file.
    tevtest::WriteFileBytes(RegistryStore::HiveFile(Hive::CurrentUser),
                            "[K]\n\"v\"=\"two, longer\"\n");
    EXPECT_EQ(store.GetString(Hive::CurrentUser, "K", "v"), "two, longer");
}

TEST(RegistryStore, TheUsersClassesOverlayTheMachinesAndOnlyTheUsersChange) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    auto& store = RegistryStore::Instance();
    ASSERT_TRUE(store.SetString(Hive::MachineClasses, "CLSID\\{M}\\InprocServer32", "", "../m.so"));
    ASSERT_TRUE(store.SetString(Hive::MachineClasses, "Shared", "who", "machine"));
    ASSERT_TRUE(store.SetString(Hive::MachineClasses, "Shared", "only", "machine"));
    ASSERT_TRUE(store.SetString(Hive::ClassesRoot, "Shared", "who", "user"));
    ASSERT_TRUE(store.CreateKey(Hive::ClassesRoot, "CLSID\\{U}"));

    EXPECT_EQ(store.GetString(Hive::ClassesRoot, "shared", "WHO"), "user");
    EXPECT_EQ(store.GetString(Hive::ClassesRoot, "Shared", "only"), "machine");
    EXPECT_EQ(store.GetString(Hive::UserClasses, "Shared", "only"), std::nullopt);
    EXPECT_EQ(store.ValueNames(Hive::ClassesRoot, "Shared"),
              (std::vector<std::string>{"who", "only"}));
    EXPECT_EQ(store.SubKeyNames(Hive::ClassesRoot, "CLSID"),
              (std::vector<std::string>{"{U}", "{M}"}));
    EXPECT_TRUE(store.KeyExists(Hive::ClassesRoot, "CLSID\\{M}\\InprocServer32"));

    // Deleting through the classes root never reaches the machine's classes.
    const std::string machineFile = RegistryStore::HiveFile(Hive::MachineClasses);
    const std::string machineText = tevtest::ReadFileBytes(machineFile);
    EXPECT_FALSE(store.DeleteTree(Hive::ClassesRoot, "CLSID\\{M}"));
    EXPECT_TRUE(store.DeleteValue(Hive::ClassesRoot, "Shared", "who"));
    EXPECT_EQ(store.GetString(Hive::ClassesRoot, "Shared", "who"), "machine");
    EXPECT_EQ(tevtest::ReadFileBytes(machineFile), machineText);
    EXPECT_EQ(tevtest::ReadFileBytes(RegistryStore::HiveFile(Hive::ClassesRoot)).find("only"),
              std::string::npos);
}

TEST(RegistryStore, TheMachinesClassesAreWrittenForEveryUserToReadAndTheUsersHivesPrivately) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    auto& store = RegistryStore::Instance();
    const mode_t oldMask = umask(022);
    ASSERT_EQ(mkdir(RegistryStore::MachineFolder().c_str(), 0700), 0); // left by an older build
    ASSERT_TRUE(store.SetString(Hive::MachineClasses, "CLSID\\{M}", "", "m"));
    ASSERT_TRUE(store.SetString(Hive::ClassesRoot, "CLSID\\{U}", "", "u"));
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\Q", "v", "1"));
    umask(oldMask);
    const auto mode = [](const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 01000u;
    };
    EXPECT_EQ(mode(RegistryStore::MachineFolder()), 0755u);
    EXPECT_EQ(mode(RegistryStore::HiveFile(Hive::MachineClasses)), 0644u);
    EXPECT_EQ(mode(RegistryStore::HiveFile(Hive::ClassesRoot)), 0600u);
    EXPECT_EQ(mode(RegistryStore::HiveFile(Hive::CurrentUser)), 0600u);
}

TEST(RegistryStore, ReadingTheMachinesClassesWritesNothingIntoTheirFolder) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    const std::string folder = RegistryStore::MachineFolder();
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_TRUE(tevtest::WriteFileBytes(folder + "HKEY_CLASSES_ROOT.reg", "[A]\n@=\"a\"\n"));
    EXPECT_EQ(RegistryStore::Instance().GetString(Hive::ClassesRoot, "A", ""), "a");
    EXPECT_EQ(tevtest::SortedFileNames(folder),
              (std::vector<std::string>{"HKEY_CLASSES_ROOT.reg"}));
}

TEST(AppProfile, IntegersAndStringsInASection) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
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
