#include "platform/shell/ShellPaths.h"

#include "platform/text/StringUtil.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tev {
namespace {

int ErrnoToCode(int error) {
    switch (error) {
    case EEXIST: return kErrorAlreadyExists;
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return kErrorAccessDenied;
    case ENAMETOOLONG:
    case EINVAL: return kErrorInvalidName;
    default: return kErrorPathNotFound;
    }
}

// The value of one entry of ~/.config/user-dirs.dirs, with $HOME expanded.
std::string UserDir(const std::string& name) {
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string file = (config && *config) ? WithTrailingSlash(config) + "user-dirs.dirs"
                                                 : WithTrailingSlash(home ? home : "") + ".config/user-dirs.dirs";
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        line = Trimmed(line);
        if (!StartsWith(line, name + "="))
            continue;
        std::string value = line.substr(name.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        ReplaceAll(value, "$HOME", home ? home : "");
        return value;
    }
    return {};
}

} // namespace

int CreateDirectoryTree(const std::string& folder) {
    if (folder.empty())
        return kErrorPathNotFound;
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? kErrorAlreadyExists : kErrorFileExists;
    std::string path = folder.front() == '/' ? "/" : "";
    for (const std::string& part : Split(folder, '/')) {
        if (part.empty())
            continue;
        path += part;
        if (mkdir(path.c_str(), 0777) != 0) {
            const int error = errno;
            if (error != EEXIST)
                return ErrnoToCode(error);
            if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return kErrorFileExists;
        }
        path += '/';
    }
    return kErrorSuccess;
}

std::string DocumentsFolder() {
    if (const char* dir = std::getenv("XDG_DOCUMENTS_DIR"); dir && *dir)
        return dir;
    std::string folder = UserDir("XDG_DOCUMENTS_DIR");
    if (folder.empty()) {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            return {};
        folder = WithTrailingSlash(home) + "Documents";
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/')
        return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return path;
    return WithTrailingSlash(cwd) + path;
}

std::string ResolveShortcut(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

std::string FoundFileName(const std::string& path) { return FileNameOf(path); }

bool CopyFileOver(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << in.rdbuf();
    out.flush();
    return static_cast<bool>(out);
}

} // namespace tev
