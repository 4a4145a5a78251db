#pragma once
// Class creation through the registry store: ProgID -> HKCR\<ProgID>\CLSID ->
// HKCR\CLSID\{clsid}\InprocServer32 (the module's path) -> the module's DllGetClassObject ->
// IClassFactory::CreateInstance. A user's registration wins over the machine's while its
// module exists; the machine's module path is relative to the machine's classes folder.
#include "platform/com/ComTypes.h"
#include "platform/registry/RegistryStore.h"

#include <string>

HRESULT CLSIDFromProgID(const std::string& progId, CLSID* clsid);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, REFIID riid, void** object);

namespace tev {
// The registered module path of `clsid`, or "" when it is not registered.
std::string InprocServerPath(REFCLSID clsid);
HRESULT CreateInstanceByProgID(const std::string& progId, REFIID riid, void** object);
// Runs a module's DllRegisterServer or DllUnregisterServer against the classes of `hive`
// (the user's through the classes root, or the machine's).
HRESULT RegisterModule(const std::string& modulePath, bool unregister = false,
                       Hive hive = Hive::ClassesRoot);
} // namespace tev
