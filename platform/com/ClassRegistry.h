#pragma once
// Class creation through the registry store, as the original platform does it:
// ProgID -> HKCR\<ProgID>\CLSID -> HKCR\CLSID\{clsid}\InprocServer32 (the module's full
// path) -> the module's DllGetClassObject -> IClassFactory::CreateInstance.
#include "platform/com/ComTypes.h"

#include <string>

HRESULT CLSIDFromProgID(const std::string& progId, CLSID* clsid);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, REFIID riid, void** object);

namespace tev {
// The registered module path of `clsid`, or "" when it is not registered.
std::string InprocServerPath(REFCLSID clsid);
HRESULT CreateInstanceByProgID(const std::string& progId, REFIID riid, void** object);
// Runs a module's DllRegisterServer or DllUnregisterServer.
HRESULT RegisterModule(const std::string& modulePath, bool unregister = false);
} // namespace tev
