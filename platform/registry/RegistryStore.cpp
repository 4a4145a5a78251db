#include "platform/registry/RegistryStore.h"

#include "platform/text/StringUtil.h"
#include "platform/text/TextEscaping.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tev {
namespace {

const char* HiveName(Hive hive) {
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_CLASSES_ROOT";
}

// What the user has comes first; the machine adds what the user lacks.
template <class T> std::optional<T> Overlay(std::optional<T> user, std::optional<T> machine) {
    return user ? user : machine;
}

bool Overlay(bool user, bool machine) {
    return user || machine;
}

std::vector<std::string> Overlay(std::vector<std::string> user,
                                 const std::vector<std::string>& machine) {
    for (const std::string& name : machine) {
        bool known = false;
        for (const std::string& mine : user)
            known = known || EqualsNoCase(mine, name);
        if (!known)
            user.push_back(name);
    }
    return user;
}

// "a\\b\\" and "a\b" name the same key; empty segments are dropped.
std::string NormalizeKey(std::string_view key) {
    std::string out;
    for (const std::string& part : Split(key, '\\')) {
        if (part.empty())
            continue;
        if (!out.empty())
            out += '\\';
        out += part;
    }
    return out;
}

bool ValidKeyName(std::string_view key) {
    for (const char c : key)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return !key.empty();
}

std::string Escape(std::string_view text) {
    return BackslashEscaped(text, DoubleQuote::Escaped);
}

// Reads a quoted, escaped text starting at `pos` (on the opening quote); advances past it.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
        out += c;
    }
    return false;
}

bool ParseValueLine(std::string_view line, RegistryStore::Value& value) {
    size_t pos = 0;
    if (StartsWith(line, "@")) {
        value.name.clear();
        pos = 1;
    } else if (!ReadQuoted(line, pos, value.name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    const std::string_view rest = line.substr(pos);
    if (StartsWith(rest, "dword:")) {
        const std::string digits(rest.substr(6));
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        value.isInteger = true;
        value.number = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
        return true;
    }
    value.isInteger = false;
    return ReadQuoted(line, pos, value.text) && pos == line.size();
}

struct FileIdentity {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    long long mtimeNs = -1;
    bool operator==(const FileIdentity& o) const {
        return dev == o.dev && ino == o.ino && size == o.size && mtimeNs == o.mtimeNs;
    }
};

FileIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    return {st.st_dev, st.st_ino, st.st_size,
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

bool MakeFolders(const std::string& folder, mode_t mode) {
    std::string path;
    for (const std::string& part : Split(folder, '/')) {
        path += part + "/";
        if (part.empty())
            continue;
        if (mkdir(path.c_str(), mode) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, mode_t mode) {
    std::string temp = path + ".~XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, mode) == 0;
    ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && ok;
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

// Holds an exclusive lock on the store folder's lock file while alive. A reader never
// creates the lock file, so reading a folder writes nothing into it.
class StoreLock {
public:
    StoreLock(const std::string& folder, bool create) {
        const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0);
        m_fd = open((folder + ".lock").c_str(), flags, 0600);
        if (m_fd >= 0)
            flock(m_fd, LOCK_EX);
    }
    ~StoreLock() {
        if (m_fd >= 0) {
            flock(m_fd, LOCK_UN);
            close(m_fd);
        }
    }

private:
    int m_fd = -1;
};

} // namespace

std::vector<RegistryStore::Key> ParseHiveText(std::string_view text) {
    std::vector<RegistryStore::Key> keys;
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string path =
                NormalizeKey(std::string_view(line).substr(1, line.size() - 2));
            if (ValidKeyName(path))
                keys.push_back({path, {}});
            continue;
        }
        RegistryStore::Value value;
        if (!keys.empty() && ParseValueLine(line, value))
            keys.back().values.push_back(std::move(value));
    }
    return keys;
}

std::string PrintHiveText(const std::vector<RegistryStore::Key>& keys, std::string_view hiveName) {
    std::ostringstream out;
    out << "; Quorvane registry store: " << hiveName << "\n";
    for (const auto& key : keys) {
        out << "\n[" << key.path << "]\n";
        for (const auto& value : key.values) {
            out << (value.name.empty() ? std::string("@") : "\"" + Escape(value.name) + "\"")
                << '=';
            if (value.isInteger)
                out << Format("dword:%08x", value.number);
            else
                out << '"' << Escape(value.text) << '"';
            out << '\n';
        }
    }
    return out.str();
}

struct RegistryStore::HiveData {
    std::string file; // the file the cache holds; the folders may change (tests move them)
    FileIdentity identity;
    bool loaded = false;
    std::map<std::string, Key> keys; // by lower-case path

    void Load(const std::string& path) {
        const FileIdentity now = IdentityOf(path);
        if (loaded && now == identity)
            return;
        keys.clear();
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        for (auto& key : ParseHiveText(buffer.str())) {
            Key& slot = keys[ToLowerAscii(key.path)];
            slot.path = key.path;
            for (auto& value : key.values)
                SetValue(slot, std::move(value));
        }
        identity = now;
        loaded = true;
    }

    bool Save(const std::string& path, std::string_view hiveName, mode_t mode) {
        std::vector<Key> list;
        for (const auto& entry : keys)
            list.push_back(entry.second);
        if (!WriteFileAtomically(path, PrintHiveText(list, hiveName), mode))
            return false;
        identity = IdentityOf(path);
        return true;
    }

    static void SetValue(Key& key, Value value) {
        for (auto& existing : key.values)
            if (EqualsNoCase(existing.name, value.name)) {
                existing = std::move(value);
                return;
            }
        key.values.push_back(std::move(value));
    }

    Key* Find(std::string_view path) {
        auto it = keys.find(ToLowerAscii(path));
        return it == keys.end() ? nullptr : &it->second;
    }

    Key& Create(const std::string& path) {
        std::string prefix;
        Key* last = nullptr;
        for (const std::string& part : Split(path, '\\')) {
            prefix += (prefix.empty() ? "" : "\\") + part;
            Key& key = keys[ToLowerAscii(prefix)];
            if (key.path.empty())
                key.path = prefix;
            last = &key;
        }
        return *last;
    }

    bool HasSubKeys(std::string_view path) const {
        const std::string lower = ToLowerAscii(path) + "\\";
        auto it = keys.lower_bound(lower);
        return it != keys.end() && StartsWith(it->first, lower);
    }
};

RegistryStore::RegistryStore() {
    for (auto& hive : m_hives)
        hive = std::make_unique<HiveData>();
}

RegistryStore::~RegistryStore() = default;

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

std::string RegistryStore::StoreFolder() {
    if (const char* dir = std::getenv("TEV_REGISTRY_DIR"); dir && *dir)
        return WithTrailingSlash(dir);
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return WithTrailingSlash(config) + "quorvane/registry/";
    const char* home = std::getenv("HOME");
    return WithTrailingSlash(home ? home : "/tmp") + ".config/quorvane/registry/";
}

std::string RegistryStore::MachineFolder() {
    if (const char* dir = std::getenv("TEV_MACHINE_REGISTRY_DIR"); dir && *dir)
        return WithTrailingSlash(dir);
    // Beside this library, wherever the program's tree was built or installed.
    std::string library = "/proc/self/exe";
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&RegistryStore::MachineFolder), &info) &&
        info.dli_fname)
        library = info.dli_fname;
    char resolved[PATH_MAX];
    if (realpath(library.c_str(), resolved))
        library = resolved;
    return library.substr(0, library.rfind('/') + 1) + "registry/";
}

std::string RegistryStore::HiveFile(Hive hive) {
    const std::string folder = hive == Hive::MachineClasses ? MachineFolder() : StoreFolder();
    return folder + HiveName(hive) + ".reg";
}

// The file a write to `hive` goes to: the classes root writes into the user's classes.
RegistryStore::HiveFileIndex RegistryStore::FileFor(Hive hive) {
    switch (hive) {
    case Hive::CurrentUser:
        return kUserFile;
    case Hive::MachineClasses:
        return kMachineClassesFile;
    default:
        return kUserClassesFile;
    }
}

template <class Fn> auto RegistryStore::WithHive(HiveFileIndex index, bool modify, Fn&& fn) {
    const Hive hive = index == kUserFile          ? Hive::CurrentUser
                      : index == kUserClassesFile ? Hive::UserClasses
                                                  : Hive::MachineClasses;
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::string file = HiveFile(hive);
    const std::string folder = file.substr(0, file.rfind('/') + 1);
    // Every user reads the machine's classes; the user's own hives stay private.
    const bool shared = hive == Hive::MachineClasses;
    if (modify && MakeFolders(folder, shared ? 0755 : 0700) && shared)
        chmod(folder.c_str(), 0755);
    StoreLock lock(folder, modify);
    HiveData& data = *m_hives[index];
    if (data.file != file) {
        data.loaded = false;
        data.file = file;
    }
    data.Load(file);
    bool changed = false;
    auto result = fn(data, changed);
    if (modify && changed && !data.Save(file, HiveName(hive), shared ? 0644 : 0600)) {
        data.loaded = false;
        return decltype(result){};
    }
    return result;
}

template <class Fn> auto RegistryStore::ReadHive(Hive hive, Fn&& fn) {
    auto read = [&](HiveData& data, bool&) { return fn(data); };
    if (hive != Hive::ClassesRoot)
        return WithHive(FileFor(hive), false, read);
    auto user = WithHive(kUserClassesFile, false, read);
    return Overlay(std::move(user), WithHive(kMachineClassesFile, false, read));
}

bool RegistryStore::CreateKey(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    if (!ValidKeyName(path))
        return false;
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        if (!data.Find(path)) {
            data.Create(path);
            changed = true;
        }
        return true;
    });
}

bool RegistryStore::KeyExists(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    return ReadHive(hive, [&](HiveData& data) { return data.Find(path) != nullptr; });
}

bool RegistryStore::DeleteKey(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        if (!data.Find(path) || data.HasSubKeys(path))
            return false;
        data.keys.erase(ToLowerAscii(path));
        changed = true;
        return true;
    });
}

bool RegistryStore::DeleteTree(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        if (!data.Find(path))
            return false;
        const std::string lower = ToLowerAscii(path);
        for (auto it = data.keys.begin(); it != data.keys.end();) {
            if (it->first == lower || StartsWith(it->first, lower + "\\"))
                it = data.keys.erase(it);
            else
                ++it;
        }
        changed = true;
        return true;
    });
}

std::vector<std::string> RegistryStore::SubKeyNames(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    return ReadHive(hive, [&](HiveData& data) {
        std::vector<std::string> names;
        const std::string lower = path.empty() ? "" : ToLowerAscii(path) + "\\";
        for (auto it = data.keys.lower_bound(lower);
             it != data.keys.end() && StartsWith(it->first, lower); ++it) {
            const std::string rest = it->second.path.substr(lower.size());
            if (rest.find('\\') == std::string::npos)
                names.push_back(rest);
        }
        return names;
    });
}

bool RegistryStore::SetString(Hive hive, std::string_view key, std::string_view name,
                              std::string_view value) {
    const std::string path = NormalizeKey(key);
    if (!ValidKeyName(path))
        return false;
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        HiveData::SetValue(data.Create(path), {std::string(name), false, std::string(value), 0});
        changed = true;
        return true;
    });
}

bool RegistryStore::SetInteger(Hive hive, std::string_view key, std::string_view name,
                               uint32_t value) {
    const std::string path = NormalizeKey(key);
    if (!ValidKeyName(path))
        return false;
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        HiveData::SetValue(data.Create(path), {std::string(name), true, {}, value});
        changed = true;
        return true;
    });
}

std::optional<std::string> RegistryStore::GetString(Hive hive, std::string_view key,
                                                    std::string_view name) {
    const std::string path = NormalizeKey(key);
    return ReadHive(hive, [&](HiveData& data) -> std::optional<std::string> {
        if (const Key* k = data.Find(path))
            for (const auto& value : k->values)
                if (EqualsNoCase(value.name, name) && !value.isInteger)
                    return value.text;
        return std::nullopt;
    });
}

std::optional<uint32_t> RegistryStore::GetInteger(Hive hive, std::string_view key,
                                                  std::string_view name) {
    const std::string path = NormalizeKey(key);
    return ReadHive(hive, [&](HiveData& data) -> std::optional<uint32_t> {
        if (const Key* k = data.Find(path))
            for (const auto& value : k->values)
                if (EqualsNoCase(value.name, name) && value.isInteger)
                    return value.number;
        return std::nullopt;
    });
}

bool RegistryStore::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    const std::string path = NormalizeKey(key);
    return WithHive(FileFor(hive), true, [&](HiveData& data, bool& changed) {
        Key* k = data.Find(path);
        if (!k)
            return false;
        for (auto it = k->values.begin(); it != k->values.end(); ++it)
            if (EqualsNoCase(it->name, name)) {
                k->values.erase(it);
                changed = true;
                return true;
            }
        return false;
    });
}

std::vector<std::string> RegistryStore::ValueNames(Hive hive, std::string_view key) {
    const std::string path = NormalizeKey(key);
    return ReadHive(hive, [&](HiveData& data) {
        std::vector<std::string> names;
        if (const Key* k = data.Find(path))
            for (const auto& value : k->values)
                names.push_back(value.name);
        return names;
    });
}

} // namespace tev
