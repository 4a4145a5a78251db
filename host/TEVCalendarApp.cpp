#include "host/TEVCalendarApp.h"

#include "host/CommandLine.h"
#include "host/TEVCalendarDlg.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ModuleLoader.h"
#include "platform/registry/AppProfile.h"
#include "platform/shell/InstallFolders.h"
#include "platform/shell/ShellPaths.h"
#include "platform/shell/UserFolders.h"
#include "platform/widgets/Translations.h"
#include "resources/host/HostStrings.h"

#include <wx/crt.h>
#include <wx/image.h>

using namespace tev::host;

namespace {

// The calendar editor control shipped with the program's modules.
constexpr char kCalendarControlModule[] = "TEVCalendarAx.so";
// The catalogs of the program, its designer library and its calendar control.
constexpr char kTextDomain[] = "TEVCalendar";

} // namespace

void CTEVCalendarApp::SetSettingsKey() {
    tev::AppProfile::SetRegistryKey("Quorvane", HostString(IDS_APP_TITLE));
}

tev::DesktopFileType CTEVCalendarApp::ProjectFileType() {
    tev::DesktopFileType type;
    type.mimeType = HostString(IDS_PROJECT_MIME_TYPE);
    type.glob = "*." + HostString(IDS_PROJECT_EXTENSION);
    type.comment = HostString(IDS_PROJECT_TYPE_COMMENT);
    type.appName = HostString(IDS_APP_TITLE);
    const std::string icon = tev::DataFolder() + "TEVCalendar.png";
    if (tev::FileExists(icon))
        type.iconPath = icon;
    return type;
}

bool CTEVCalendarApp::HandleRegistrationSwitches(int argc, char** argv) {
    CCommandLineInfo info;
    CCommandLineInfo::Parse(argc, argv, info);
    SetSettingsKey();
    return RunRegistrationCommand(info);
}

bool CTEVCalendarApp::RunRegistrationCommand(const CCommandLineInfo& info) {
    const bool unregister = info.m_nShellCommand == CCommandLineInfo::AppUnregister;
    if (!unregister && info.m_nShellCommand != CCommandLineInfo::AppRegister)
        return false;
    const std::string extension = "." + HostString(IDS_PROJECT_EXTENSION);
    if (unregister)
        UnRegisterShellFileTypes(extension);
    else
        RegisterShellFileTypes(extension, HostString(IDS_PROJECT_DOCUMENT_TYPE), ProjectFileType());
    // The bundled calendar control, for this user, beside the program's own registration.
    const std::string control = tev::ModuleFolder() + kCalendarControlModule;
    if (tev::FileExists(control))
        tev::RegisterModule(control, unregister);
    return true;
}

std::string CTEVCalendarApp::FindComponentDescriptor() {
    return SearchFile(tev::DataFolder().c_str(), HostString(IDS_COMPONENT_DESCRIPTOR));
}

bool CTEVCalendarApp::OnInit() {
    SetSettingsKey();
    SetAppName("TEVCalendar");
    SetAppDisplayName(wxString::FromUTF8(HostString(IDS_APP_TITLE)));
    wxInitAllImageHandlers();
    tev::CreateUserFolders();
    tev::LoadTranslations(kTextDomain);

    CCommandLineInfo info;
    CCommandLineInfo::Parse(argc, argv, info);
    // main() handles registration before the toolkit starts; this covers other callers.
    if (RunRegistrationCommand(info))
        return false;
    const std::string fileName =
        info.m_nShellCommand == CCommandLineInfo::FileOpen ? info.m_strFileName : std::string();

    m_pMainDlg = new CTEVCalendarDlg(FindComponentDescriptor(), fileName);
    if (!m_pMainDlg->Create()) {
        delete m_pMainDlg;
        m_pMainDlg = nullptr;
        return false;
    }
    SetTopWindow(m_pMainDlg);
    m_pMainDlg->Show();
    return true;
}

void CTEVCalendarApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func,
                                      const wxChar* cond, const wxChar* msg) {
    wxFprintf(stderr, "%s(%d): check \"%s\" failed in %s(): %s\n", file, line, cond, func,
              msg ? msg : wxT(""));
}

int CTEVCalendarApp::OnExit() {
    m_pMainDlg = nullptr;
    return CTEVComponentApp::OnExit();
}
