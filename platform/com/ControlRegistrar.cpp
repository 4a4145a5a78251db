#include "platform/com/ControlRegistrar.h"

#include "platform/registry/RegistryStore.h"

#include <dlfcn.h>

#include <filesystem>

#include <climits>
#include <cstdlib>

namespace tev {

namespace {

Hive g_registrationHive = Hive::ClassesRoot;

std::string ClassKey(const ControlClassInfo& info) {
    return "CLSID\\" + GuidToString(info.clsid);
}

// The module path as the target hive keeps it.
std::string StoredModulePath(const std::string& modulePath, Hive hive) {
    if (hive != Hive::MachineClasses)
        return modulePath;
    std::error_code error;
    const auto relative = std::filesystem::relative(modulePath, RegistryStore::MachineFolder(), error);
    return error || relative.empty() ? modulePath : relative.string();
}

} // namespace

void SetRegistrationHive(Hive hive) {
    g_registrationHive = hive;
}

Hive RegistrationHive() {
    return g_registrationHive;
}

HRESULT RegisterControlClass(const ControlClassInfo& info, const std::string& module) {
    RegistryStore& store = RegistryStore::Instance();
    const Hive root = g_registrationHive;
    const std::string modulePath = StoredModulePath(module, root);
    const std::string clsid = GuidToString(info.clsid);
    const std::string appId = GuidToString(info.appId);
    const std::string classKey = ClassKey(info);
    bool ok = true;
    auto set = [&](const std::string& key, std::string_view name, std::string_view value) {
        ok = store.SetString(root, key, name, value) && ok;
    };
    auto create = [&](const std::string& key) { ok = store.CreateKey(root, key) && ok; };

    set("AppID\\" + appId, "", info.appIdName);
    set(std::string("AppID\\") + info.moduleFileName, "AppID", appId);

    set(info.progId, "", info.description);
    set(std::string(info.progId) + "\\CLSID", "", clsid);
    set(info.versionIndependentProgId, "", info.description);
    set(std::string(info.versionIndependentProgId) + "\\CLSID", "", clsid);
    set(std::string(info.versionIndependentProgId) + "\\CurVer", "", info.progId);

    // The class key is rebuilt from nothing, so nothing of an older registration stays.
    store.DeleteTree(root, classKey);
    set(classKey, "", info.description);
    set(classKey + "\\ProgID", "", info.progId);
    set(classKey + "\\VersionIndependentProgID", "", info.versionIndependentProgId);
    create(classKey + "\\Programmable");
    set(classKey + "\\InprocServer32", "", modulePath);
    set(classKey + "\\InprocServer32", "ThreadingModel", info.threadingModel);
    set(classKey, "AppID", appId);
    create(classKey + "\\Control");
    set(classKey + "\\ToolboxBitmap32", "", modulePath + ", " + std::to_string(info.toolboxBitmap));
    set(classKey + "\\MiscStatus", "", "0");
    set(classKey + "\\MiscStatus\\1", "", std::to_string(info.miscStatus));
    set(classKey + "\\TypeLib", "", GuidToString(info.typeLib));
    set(classKey + "\\Version", "", info.version);
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterControlClass(const ControlClassInfo& info) {
    RegistryStore& store = RegistryStore::Instance();
    const Hive root = g_registrationHive;
    store.DeleteTree(root, ClassKey(info));
    store.DeleteTree(root, info.progId);
    store.DeleteTree(root, info.versionIndependentProgId);
    store.DeleteTree(root, "AppID\\" + GuidToString(info.appId));
    store.DeleteTree(root, std::string("AppID\\") + info.moduleFileName);
    return S_OK;
}

std::string ModulePathOf(const void* address) {
    Dl_info dlInfo{};
    if (!dladdr(address, &dlInfo) || !dlInfo.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (realpath(dlInfo.dli_fname, resolved))
        return resolved;
    return dlInfo.dli_fname;
}

} // namespace tev
