// tev-regsvr: registers or unregisters an in-process component module in the registry
// store, by running its DllRegisterServer or DllUnregisterServer.
//
//   tev-regsvr [/u] [/s] [/m] <module>
//
// /u unregisters, /s prints nothing, /m writes the machine's classes shipped beside the
// program (what a build or an install does) instead of the user's. The exit code is 0 on success, 1 for a wrong command
// line, 2 when the module cannot be loaded or lacks the entry point, 3 when the entry
// point reports a failure.
#include "platform/com/ClassRegistry.h"
#include "platform/com/ModuleLoader.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void PrintUsage() {
    std::fprintf(stderr, "usage: tev-regsvr [/u] [/s] [/m] <module>\n"
                         "  /u  unregister the module instead of registering it\n"
                         "  /s  silent: print nothing\n"
                         "  /m  register for every user of the program's folder\n");
}

bool IsSwitch(const std::string& arg, char letter) {
    return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') &&
           (arg[1] == letter || arg[1] == letter - 'a' + 'A');
}

} // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    bool silent = false;
    bool machine = false;
    std::string module;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (IsSwitch(arg, 'u'))
            unregister = true;
        else if (IsSwitch(arg, 's'))
            silent = true;
        else if (IsSwitch(arg, 'm'))
            machine = true;
        else if (module.empty() && !arg.empty() && arg[0] != '/' && arg[0] != '-')
            module = arg;
        else if (module.empty() && arg.size() > 2 && arg[0] == '/')
            module = arg; // an absolute path
        else {
            PrintUsage();
            return 1;
        }
    }
    if (module.empty()) {
        PrintUsage();
        return 1;
    }
    // A bare file name would make the loader search the library path instead.
    std::error_code error;
    const std::string path = std::filesystem::absolute(module, error).lexically_normal().string();
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    if (!std::filesystem::is_regular_file(path, error) || !tev::GetModuleExport(path, entry)) {
        if (!silent)
            std::fprintf(stderr, "tev-regsvr: %s was not loaded or has no %s entry point\n",
                         path.c_str(), entry);
        return 2;
    }
    const HRESULT hr = tev::RegisterModule(
        path, unregister, machine ? tev::Hive::MachineClasses : tev::Hive::ClassesRoot);
    if (FAILED(hr)) {
        if (!silent)
            std::fprintf(stderr, "tev-regsvr: %s in %s failed (0x%08X)\n", entry, path.c_str(),
                         static_cast<unsigned>(hr));
        return 3;
    }
    if (!silent)
        std::printf("%s in %s succeeded.\n", entry, path.c_str());
    return 0;
}
