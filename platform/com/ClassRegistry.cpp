#include "platform/com/ClassRegistry.h"

#include "platform/com/ControlRegistrar.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/RegistryStore.h"

#include <filesystem>

HRESULT CLSIDFromProgID(const std::string& progId, CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    if (progId.empty())
        return CO_E_CLASSSTRING;
    const auto text =
        tev::RegistryStore::Instance().GetString(tev::Hive::ClassesRoot, progId + "\\CLSID", "");
    if (!text || !GuidFromString(*text, *clsid))
        return CO_E_CLASSSTRING;
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const std::string module = tev::InprocServerPath(clsid);
    if (module.empty())
        return REGDB_E_CLASSNOTREG;
    IClassFactory* factory = nullptr;
    HRESULT hr = tev::GetClassObjectFromModule(module, clsid, IID_IClassFactory,
                                               reinterpret_cast<void**>(&factory));
    if (FAILED(hr) || !factory)
        return FAILED(hr) ? hr : E_FAIL;
    hr = factory->CreateInstance(outer, riid, object);
    factory->Release();
    return hr;
}

namespace tev {

std::string InprocServerPath(REFCLSID clsid) {
    RegistryStore& store = RegistryStore::Instance();
    const std::string key = "CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
    const auto user = store.GetString(Hive::UserClasses, key, "");
    auto machine = store.GetString(Hive::MachineClasses, key, "");
    if (machine && !machine->empty() && machine->front() != '/')
        machine = (std::filesystem::path(RegistryStore::MachineFolder()) / *machine)
                      .lexically_normal()
                      .string();
    // A registration left behind by a build or copy that is gone must not hide the
    // program's own.
    std::error_code error;
    if (user && (!machine || std::filesystem::exists(*user, error)))
        return *user;
    return machine ? *machine : std::string();
}

HRESULT CreateInstanceByProgID(const std::string& progId, REFIID riid, void** object) {
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) {
        if (object)
            *object = nullptr;
        return hr;
    }
    return CoCreateInstance(clsid, nullptr, riid, object);
}

HRESULT RegisterModule(const std::string& modulePath, bool unregister, Hive hive) {
    auto entry = reinterpret_cast<PFNDLLREGISTERSERVER>(
        GetModuleExport(modulePath, unregister ? "DllUnregisterServer" : "DllRegisterServer"));
    if (!entry)
        return CO_E_DLLNOTFOUND;
    const Hive previous = RegistrationHive();
    SetRegistrationHive(hive);
    const HRESULT hr = entry();
    SetRegistrationHive(previous);
    return hr;
}

} // namespace tev
