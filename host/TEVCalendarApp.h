#pragma once
// The program's application object. Start-up: settings key, toolkit, command line, the
// component descriptor below the program folder, then the main window. The registration
// switches are handled before the toolkit opens a display (HandleRegistrationSwitches,
// called from main), so they work in a terminal without one and show no window.
#include "designer/core/TEVComponentApp.h"
#include "platform/shell/DesktopFileTypes.h"

#include <string>

class CCommandLineInfo;
class CTEVCalendarDlg;

class CTEVCalendarApp : public TEVComponentDesigner::CTEVComponentApp {
public:
    bool OnInit() override;
    int OnExit() override;
    // A failed toolkit check is reported on the error output instead of in a box the
    // user cannot do anything about.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;

    // Selects the settings key Software\Quorvane\Quorvane Web Calendar.
    static void SetSettingsKey();
    // Registers or unregisters the project file type when the command line asks for it.
    // True when it did: the program then ends without a window.
    static bool HandleRegistrationSwitches(int argc, char** argv);
    static bool RunRegistrationCommand(const CCommandLineInfo& info);
    // How the desktop shows project files.
    static tev::DesktopFileType ProjectFileType();
    // The descriptor below the program folder, "" when there is none.
    static std::string FindComponentDescriptor();

    CTEVCalendarDlg* GetMainDialog() const { return m_pMainDlg; }

private:
    CTEVCalendarDlg* m_pMainDlg = nullptr;
};
