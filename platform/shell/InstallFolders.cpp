#include "platform/shell/InstallFolders.h"

#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

namespace tev {
namespace {

std::string RealFolder(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? WithTrailingSlash(resolved) : path;
}

} // namespace

std::string ModuleFolder() {
    if (const std::string folder = ProgramFolderOverride(); !folder.empty())
        return folder;
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) || !info.dli_fname)
        return ProgramFolder();
    return RealFolder(FolderOf(info.dli_fname));
}

std::string InstalledOrModuleFolder(const std::string& moduleFolder, const std::string& relative) {
    const std::string installed = WithTrailingSlash(moduleFolder) + relative;
    return FolderExists(installed) ? RealFolder(installed) : WithTrailingSlash(moduleFolder);
}

std::string DataFolder() {
    if (const std::string folder = ProgramFolderOverride(); !folder.empty())
        return folder;
    return InstalledOrModuleFolder(ModuleFolder(), TEV_DATA_FROM_MODULES);
}

std::string LocaleFolder() {
    // A build folder keeps its catalogs in a folder of their own beside the modules.
    const std::string installed = ModuleFolder() + TEV_LOCALE_FROM_MODULES;
    return FolderExists(installed) ? RealFolder(installed) : ModuleFolder() + "locale/";
}

} // namespace tev
