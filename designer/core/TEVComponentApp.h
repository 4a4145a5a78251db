#pragma once
// The application base class of every designer host: the services a host needs before any
// window exists, namely finding the component descriptor below the program folder and
// registering the project file type with the desktop.
//
// Registration writes the classes-root keys
//   <ext>                          = <document type>
//   <ext>\DefaultIcon              = P,0
//   <ext>\shell\open\command       = P "%1"
// where P is the program's full path (in quotation marks when it holds a blank), and the
// freedesktop equivalents: a MIME type for "*<ext>" and a desktop entry that opens it with
// the program. Unregistration removes the keys (and parents left empty) and both files.
#include "platform/shell/DesktopFileTypes.h"

#include <wx/app.h>

#include <string>

namespace TEVComponentDesigner {

class CTEVComponentApp : public wxApp {
public:
    ~CTEVComponentApp() override;

    // Full path of the first file named exactly `fileName` (case-sensitive) in `folder` or
    // below it, searched depth-first in the order the file system lists the entries; ""
    // when there is none or the folder cannot be listed.
    static std::string SearchFile(const char* folder, const std::string& fileName);

    // `extension` with its dot (".kcd"), `documentType` the type's name ("kcd.Document").
    static void RegisterShellFileTypes(const std::string& extension,
                                       const std::string& documentType);
    // The same with the description the desktop shows for the type.
    static void RegisterShellFileTypes(const std::string& extension,
                                       const std::string& documentType,
                                       const tev::DesktopFileType& desktopType);
    static void UnRegisterShellFileTypes(const std::string& extension);

    // Sets a string value below the classes root: the key's default value when `valueName`
    // is null. True on success.
    static bool _AfxSetRegKey(const char* key, const char* value, const char* valueName = nullptr);
    // Deletes a key below the classes root and then each parent that is left with no
    // sub-key. It stops at the first key that cannot be opened or still has sub-keys.
    static bool _AfxDeleteRegKey(const char* key);

    // The running program's full path.
    static std::string ProgramFilePath();
    // The program path as the registry entries quote it.
    static std::string ShellProgramPath(const std::string& programPath);
    // The desktop description used when the host gives none: a MIME type named after the
    // document type.
    static tev::DesktopFileType DefaultDesktopFileType(const std::string& extension,
                                                       const std::string& documentType);
    // The base name of the MIME package and desktop entry of `extension`.
    static std::string DesktopFileStem(const std::string& extension);

    bool OnInit() override { return true; }

protected:
    CTEVComponentApp() = default;
};

} // namespace TEVComponentDesigner
