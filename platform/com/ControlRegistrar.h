#pragma once
// Self-registration of an in-process control: what its DllRegisterServer writes under the
// classes root and its DllUnregisterServer removes, in the manner of a registrar script.
//
//   AppID                              (kept on removal)
//     {appid} = <appIdName>
//     <moduleFileName>                 value AppID = {appid}
//   <progId> = <description>           CLSID = {clsid}
//   <versionIndependentProgId> = <description>
//                                      CLSID = {clsid}, CurVer = <progId>
//   CLSID                              (kept on removal)
//     {clsid} = <description>          (removed first on every registration)
//       ProgID = <progId>
//       VersionIndependentProgID = <versionIndependentProgId>
//       Programmable
//       InprocServer32 = <module path>, value ThreadingModel = <threadingModel>
//       value AppID = {appid}
//       Control
//       ToolboxBitmap32 = "<module path>, <toolboxBitmap>"
//       MiscStatus = "0", subkey 1 = <miscStatus in decimal>
//       TypeLib = {typeLib}
//       Version = <version>
#include "platform/com/ComTypes.h"
#include "platform/registry/RegistryStore.h"

#include <cstdint>
#include <string>

namespace tev {

struct ControlClassInfo {
    CLSID clsid;
    const char* description;
    const char* progId;
    const char* versionIndependentProgId;
    GUID appId;
    const char* appIdName;
    const char* moduleFileName;
    const char* threadingModel;
    uint32_t miscStatus;
    int toolboxBitmap;
    GUID typeLib;
    const char* version;
};

// The classes hive registrations write to: the user's (the classes root) unless a
// registration tool asks for the machine's classes shipped with the program. There the
// module path is kept relative to the hive's folder, so the program's tree can move.
void SetRegistrationHive(Hive hive);
Hive RegistrationHive();

// Writes the keys above; SELFREG_E_CLASS when the store refuses a write.
HRESULT RegisterControlClass(const ControlClassInfo& info, const std::string& modulePath);
// Removes them again, keeping the AppID and CLSID keys themselves; keys already gone are
// no failure.
HRESULT UnregisterControlClass(const ControlClassInfo& info);

// The full path of the shared object that holds `address` ("" when unknown).
std::string ModulePathOf(const void* address);

} // namespace tev
