#pragma once
// The application profile functions: integer and string values in a section below the
// application's settings key, Software\<company>\<application> of the current user.
#include <string>
#include <string_view>

namespace tev {

class AppProfile {
public:
    // Selects Software\<company>\<application> as the settings key of this process.
    static void SetRegistryKey(std::string_view company, std::string_view application);
    static std::string SettingsKey();

    static int GetProfileInt(std::string_view section, std::string_view entry, int defaultValue);
    static bool WriteProfileInt(std::string_view section, std::string_view entry, int value);
    static std::string GetProfileString(std::string_view section, std::string_view entry,
                                        std::string_view defaultValue = {});
    static bool WriteProfileString(std::string_view section, std::string_view entry,
                                   std::string_view value);
};

} // namespace tev
