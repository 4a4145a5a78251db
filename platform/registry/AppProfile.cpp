#include "platform/registry/AppProfile.h"

#include "platform/registry/RegistryStore.h"

namespace tev {
namespace {

std::string& Key() {
    static std::string key = "Software\\Quorvane\\Quorvane Web Calendar";
    return key;
}

std::string SectionKey(std::string_view section) {
    return Key() + "\\" + std::string(section);
}

} // namespace

void AppProfile::SetRegistryKey(std::string_view company, std::string_view application) {
    Key() = "Software\\" + std::string(company) + "\\" + std::string(application);
}

std::string AppProfile::SettingsKey() { return Key(); }

int AppProfile::GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) {
    const auto value = RegistryStore::Instance().GetInteger(Hive::CurrentUser, SectionKey(section), entry);
    return value ? static_cast<int>(*value) : defaultValue;
}

bool AppProfile::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
    return RegistryStore::Instance().SetInteger(Hive::CurrentUser, SectionKey(section), entry,
                                                static_cast<uint32_t>(value));
}

std::string AppProfile::GetProfileString(std::string_view section, std::string_view entry,
                                         std::string_view defaultValue) {
    const auto value = RegistryStore::Instance().GetString(Hive::CurrentUser, SectionKey(section), entry);
    return value ? *value : std::string(defaultValue);
}

bool AppProfile::WriteProfileString(std::string_view section, std::string_view entry,
                                    std::string_view value) {
    return RegistryStore::Instance().SetString(Hive::CurrentUser, SectionKey(section), entry, value);
}

} // namespace tev
