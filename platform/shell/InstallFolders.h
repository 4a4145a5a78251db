#pragma once
// Where the program's parts are, wherever it was built or installed. A build folder keeps
// everything beside the program; an installed program keeps its libraries and modules in a
// private library folder and its data below share/, found from the library folder by the
// relative ways the build fixed, so that any installation prefix works.
#include <string>

namespace tev {

// The folder of the library holding this code; the modules and the machine's classes hive
// sit beside it. With a trailing '/'.
std::string ModuleFolder();
// The component folder, the help book, the online page, swfobject.js and the icon.
std::string DataFolder();
// The compiled translations: <folder>/<language>/LC_MESSAGES/<domain>.mo.
std::string LocaleFolder();

// The installed form of a folder relative to `moduleFolder` when it exists, otherwise the
// module folder itself (a build folder); exposed for tests.
std::string InstalledOrModuleFolder(const std::string& moduleFolder, const std::string& relative);

} // namespace tev
