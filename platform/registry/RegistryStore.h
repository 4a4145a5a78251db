#pragma once
// Per-user registry store standing in for the Windows registry: two hives (current user
// and classes root), keys with a default value and named string or integer values.
// Each hive is persisted as a readable text file in the store folder and rewritten
// atomically (temporary file, then rename) on every change. Several processes may share
// a store: each operation re-reads a hive file that changed and holds a file lock while it
// reads, modifies and writes.
//
// Key paths use '\' between key names and compare without regard to letter case.
// The store folder is $TEV_REGISTRY_DIR when set, otherwise
// $XDG_CONFIG_HOME/quorvane/registry (default ~/.config/quorvane/registry).
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tev {

enum class Hive { CurrentUser, ClassesRoot };

class RegistryStore {
public:
    static RegistryStore& Instance();
    static std::string StoreFolder();
    // The file that holds `hive`.
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
    RegistryStore() = default;
    struct HiveData;
    template <class Fn> auto WithHive(Hive hive, bool modify, Fn&& fn);

    std::mutex m_mutex;
};

// Parses and prints the text form of a hive; used by the store and its tests.
std::vector<RegistryStore::Key> ParseHiveText(std::string_view text);
std::string PrintHiveText(const std::vector<RegistryStore::Key>& keys, std::string_view hiveName);

} // namespace tev
