#include "platform/shell/UserFolders.h"

#include "platform/shell/DesktopFileTypes.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace tev {
namespace {

constexpr char kCompanyFolder[] = "Quorvane/";

bool CreatePrivateFolder(const std::string& folder) {
    const int code = CreateDirectoryTree(folder);
    return (code == kErrorSuccess || code == kErrorAlreadyExists) &&
           ::chmod(folder.c_str(), 0700) == 0;
}

bool CopyOver(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::copy(from, to, fs::copy_options::recursive, error);
    if (error)
        fs::remove_all(to, error);
    return fs::exists(to, error);
}

} // namespace

std::string UserAppDataFolder() {
    const std::string data = UserDataFolder();
    return data.empty() ? std::string() : data + kCompanyFolder;
}

std::string UserStateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return WithTrailingSlash(state) + kCompanyFolder;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return WithTrailingSlash(home) + ".local/state/" + kCompanyFolder;
}

std::string TrustedCertificatesFolder() {
    const std::string data = UserAppDataFolder();
    return data.empty() ? std::string() : data + "certificates/";
}

bool CreateUserFolders() {
    bool made = true;
    for (const std::string& folder : {UserAppDataFolder(), UserStateFolder()}) {
        const int code = CreateDirectoryTree(folder);
        made = made && (code == kErrorSuccess || code == kErrorAlreadyExists);
    }
    return CreatePrivateFolder(TrustedCertificatesFolder()) && made;
}

bool MoveOverOnce(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::exists(to, error))
        return true;
    if (from.empty() || to.empty() || !fs::exists(from, error))
        return false;
    fs::create_directories(fs::path(to).parent_path(), error);
    fs::rename(from, to, error);
    if (!error)
        return true;
    // Another file system, or a folder the user may not change.
    if (!CopyOver(from, to))
        return false;
    fs::remove_all(from, error);
    return true;
}

} // namespace tev
