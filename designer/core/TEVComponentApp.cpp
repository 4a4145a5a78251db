#include "designer/core/TEVComponentApp.h"

#include "platform/com/ModuleLoader.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TEVComponentDesigner {

CTEVComponentApp::~CTEVComponentApp() = default;

std::string CTEVComponentApp::SearchFile(const char* folder, const std::string& fileName) {
    if (!folder || !*folder || fileName.empty())
        return {};
    const std::string base = tev::WithTrailingSlash(folder);
    DIR* dir = opendir(base.c_str());
    if (!dir)
        return {};
    std::string found;
    while (found.empty()) {
        const dirent* entry = readdir(dir);
        if (!entry)
            break;
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = base + name;
        struct stat st {};
        // Links are not followed into folders, so a link that points upwards cannot make
        // the search go round in circles.
        if (lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            found = SearchFile(path.c_str(), fileName);
        } else if (name == fileName) {
            found = path;
        }
    }
    closedir(dir);
    return found;
}

std::string CTEVComponentApp::ProgramFilePath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(length));
}

std::string CTEVComponentApp::ShellProgramPath(const std::string& programPath) {
    // There are no short names here to avoid the blank, so the path is quoted instead.
    if (programPath.find(' ') != std::string::npos)
        return "\"" + programPath + "\"";
    return programPath;
}

std::string CTEVComponentApp::DesktopFileStem(const std::string& extension) {
    std::string stem = "quorvane-";
    for (const char c : extension) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            stem += c;
        else if (c >= 'A' && c <= 'Z')
            stem += static_cast<char>(c - 'A' + 'a');
    }
    return stem;
}

tev::DesktopFileType CTEVComponentApp::DefaultDesktopFileType(const std::string& extension,
                                                              const std::string& documentType) {
    tev::DesktopFileType type;
    std::string name;
    for (const char c : documentType) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            name += c;
        else if (c >= 'A' && c <= 'Z')
            name += static_cast<char>(c - 'A' + 'a');
        else
            name += '-';
    }
    type.mimeType = "application/x-" + name;
    type.glob = "*" + extension;
    type.comment = documentType;
    type.appName = documentType;
    return type;
}

void CTEVComponentApp::RegisterShellFileTypes(const std::string& extension,
                                              const std::string& documentType) {
    RegisterShellFileTypes(extension, documentType,
                           DefaultDesktopFileType(extension, documentType));
}

void CTEVComponentApp::RegisterShellFileTypes(const std::string& extension,
                                              const std::string& documentType,
                                              const tev::DesktopFileType& desktopType) {
    if (extension.empty())
        return;
    const std::string programPath = ProgramFilePath();
    const std::string shellPath = ShellProgramPath(programPath);
    _AfxSetRegKey(extension.c_str(), documentType.c_str());
    _AfxSetRegKey(tev::Format("%s\\DefaultIcon", extension.c_str()).c_str(),
                  (shellPath + ",0").c_str());
    _AfxSetRegKey(tev::Format("%s\\shell\\open\\%s", extension.c_str(), "command").c_str(),
                  (shellPath + " \"%1\"").c_str());

    tev::DesktopFileType type = desktopType;
    type.programPath = programPath;
    if (type.glob.empty())
        type.glob = "*" + extension;
    if (type.fileStem.empty())
        type.fileStem = DesktopFileStem(extension);
    tev::RegisterDesktopFileType(type);
}

void CTEVComponentApp::UnRegisterShellFileTypes(const std::string& extension) {
    if (extension.empty())
        return;
    _AfxDeleteRegKey(tev::Format("%s\\DefaultIcon", extension.c_str()).c_str());
    _AfxDeleteRegKey(tev::Format("%s\\shell\\open\\%s", extension.c_str(), "command").c_str());
    tev::UnregisterDesktopFileType(DesktopFileStem(extension));
}

bool CTEVComponentApp::_AfxSetRegKey(const char* key, const char* value, const char* valueName) {
    if (!key || !value)
        return false;
    return tev::RegistryStore::Instance().SetString(tev::Hive::ClassesRoot, key,
                                                    valueName ? valueName : "", value);
}

bool CTEVComponentApp::_AfxDeleteRegKey(const char* key) {
    if (!key)
        return false;
    tev::RegistryStore& registry = tev::RegistryStore::Instance();
    std::string current = key;
    for (;;) {
        if (current.empty() || !registry.KeyExists(tev::Hive::ClassesRoot, current))
            break;
        if (!registry.SubKeyNames(tev::Hive::ClassesRoot, current).empty())
            break;
        registry.DeleteKey(tev::Hive::ClassesRoot, current);
        const size_t slash = current.rfind('\\');
        if (slash == std::string::npos)
            break;
        current.erase(slash);
    }
    return true;
}

} // namespace TEVComponentDesigner
