#include "platform/com/ClassRegistry.h"

#include "platform/com/ModuleLoader.h"
#include "platform/registry/RegistryStore.h"

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
    const auto path = RegistryStore::Instance().GetString(
        Hive::ClassesRoot, "CLSID\\" + GuidToString(clsid) + "\\InprocServer32", "");
    return path ? *path : std::string();
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

HRESULT RegisterModule(const std::string& modulePath, bool unregister) {
    auto entry = reinterpret_cast<PFNDLLREGISTERSERVER>(
        GetModuleExport(modulePath, unregister ? "DllUnregisterServer" : "DllRegisterServer"));
    return entry ? entry() : CO_E_DLLNOTFOUND;
}

} // namespace tev
