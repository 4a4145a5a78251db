#include "platform/com/ModuleLoader.h"

#include "platform/text/StringUtil.h"

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <unistd.h>

namespace tev {
namespace {

std::mutex g_mutex;
std::string g_programFolderOverride;

} // namespace

void* LoadModule(const std::string& path) {
    static std::map<std::string, void*> modules;
    std::lock_guard<std::mutex> guard(g_mutex);
    if (auto it = modules.find(path); it != modules.end())
        return it->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle)
        modules[path] = handle;
    return handle;
}

void* GetModuleExport(const std::string& path, const char* name) {
    void* handle = LoadModule(path);
    return handle ? dlsym(handle, name) : nullptr;
}

HRESULT GetClassObjectFromModule(const std::string& path, REFCLSID clsid, REFIID riid,
                                 void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto getClassObject =
        reinterpret_cast<PFNDLLGETCLASSOBJECT>(GetModuleExport(path, "DllGetClassObject"));
    if (!getClassObject)
        return CO_E_DLLNOTFOUND;
    return getClassObject(clsid, riid, object);
}

std::string ProgramFolderOverride() {
    std::lock_guard<std::mutex> guard(g_mutex);
    return g_programFolderOverride;
}

std::string ProgramFolder() {
    if (std::string folder = ProgramFolderOverride(); !folder.empty())
        return folder;
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "./";
    return FolderOf(std::string(buffer, static_cast<size_t>(length)));
}

void OverrideProgramFolder(const std::string& folder) {
    std::lock_guard<std::mutex> guard(g_mutex);
    g_programFolderOverride = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

} // namespace tev
