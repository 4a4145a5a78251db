#pragma once
// Registry store standing in for the Windows registry: keys with a default value and named
// string or integer values, in hives persisted as readable text files and rewritten
// atomically (temporary file, then rename) on every change. Several processes may share a
// store: each operation re-reads a hive file that changed and holds a file lock while it
// reads, modifies and writes.
//
// The user's hives (current user, the user's classes) live in the user's store folder:
// $TEV_REGISTRY_DIR when set, otherwise $XDG_CONFIG_HOME/quorvane/registry (default
// ~/.config/quorvane/registry). The machine's classes hive ships with the program, in the
// folder "registry" beside the library holding this store ($TEV_MACHINE_REGISTRY_DIR
// overrides it); users only read it. The classes root is the user's classes laid over the
// machine's: a value or key the user has wins, anything else comes from the machine;
// writes and deletions through it reach the user's classes only.
//
// Key paths use '\' between key names and compare without regard to letter case.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tev {

enum class Hive { CurrentUser, ClassesRoot, UserClasses, MachineClasses };

class RegistryStore {
public:
    static RegistryStore& Instance();
    // The user's store folder and the machine's classes folder, each with a trailing '/'.
    static std::string StoreFolder();
    static std::string MachineFolder();
    // The file that holds `hive` (the user's classes file for the classes root).
    static std::string HiveFile(Hive hive);

    bool CreateKey(Hive hive, std::string_view key);
    bool KeyExists(Hive hive, std::string_view key);
    // Deletes a key that has no sub-keys, with its values (sub-keys make it fail).
    bool DeleteKey(Hive hive, std::string_view key);
    // Deletes a key with everything below it.
    bool DeleteTree(Hive hive, std::string_view key);
    std::vector<std::string> SubKeyNames(Hive hive, std::string_view key);

    // An empty value name stands for the key's default value. Setting creates the key.
    bool SetString(Hive hive, std::string_view key, std::string_view name, std::string_view value);
    bool SetInteger(Hive hive, std::string_view key, std::string_view name, uint32_t value);
    std::optional<std::string> GetString(Hive hive, std::string_view key, std::string_view name);
    std::optional<uint32_t> GetInteger(Hive hive, std::string_view key, std::string_view name);
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name);
    std::vector<std::string> ValueNames(Hive hive, std::string_view key);

    struct Value {
        std::string name;
        bool isInteger = false;
        std::string text;
        uint32_t number = 0;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };

private:
    RegistryStore();
    ~RegistryStore();
    struct HiveData;
    // The hive files: the user's settings, the user's classes, the machine's classes.
    enum HiveFileIndex { kUserFile, kUserClassesFile, kMachineClassesFile, kHiveFileCount };
    static HiveFileIndex FileFor(Hive hive);
    template <class Fn> auto WithHive(HiveFileIndex file, bool modify, Fn&& fn);
    // Reads through one hive, or through both classes hives for the classes root.
    template <class Fn> auto ReadHive(Hive hive, Fn&& fn);

    std::mutex m_mutex;
    std::unique_ptr<HiveData> m_hives[kHiveFileCount];
};

// Parses and prints the text form of a hive; used by the store and its tests.
std::vector<RegistryStore::Key> ParseHiveText(std::string_view text);
std::string PrintHiveText(const std::vector<RegistryStore::Key>& keys, std::string_view hiveName);

} // namespace tev
