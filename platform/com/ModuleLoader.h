#pragma once
// Loads component modules (shared objects) by file name and asks them for class objects.
// Loaded modules stay loaded for the life of the process, as in-process servers do.
#include "platform/com/ComTypes.h"

#include <string>

namespace tev {

// dlopen's the module (once per path) and returns its handle, or null.
void* LoadModule(const std::string& path);
// The module's export `name`, or null when the module or the export is missing.
void* GetModuleExport(const std::string& path, const char* name);

// Calls the module's DllGetClassObject for `clsid`/`riid`.
HRESULT GetClassObjectFromModule(const std::string& path, REFCLSID clsid, REFIID riid,
                                 void** object);

// The folder of the running program's executable, with a trailing '/'.
std::string ProgramFolder();
// Lets tests stand in for the program's folder; an empty text restores the real one.
void OverrideProgramFolder(const std::string& folder);
// The folder a test stands in with, or "" when none does.
std::string ProgramFolderOverride();

} // namespace tev
