#include "host/TEVCalendarDlg.h"

#include "designer/core/TEVComponentDesignerView.h"
#include "host/AboutDlg.h"
#include "host/CommandLine.h"
#include "host/ProgramIcon.h"
#include "platform/shell/InstallFolders.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/StatusBarEx.h"
#include "platform/widgets/ToolBarTable.h"
#include "resources/host/HostMenu.h"
#include "resources/host/HostResource.h"
#include "resources/host/HostStrings.h"

#include <wx/display.h>
#include <wx/menu.h>

#include <algorithm>

using namespace tev::host;
using TEVComponentDesignerAfx::CTEVComponentDesignerView;

CTEVCalendarDlg::CTEVCalendarDlg(std::string componentPath, std::string startupFile)
    : m_strComponentPath(std::move(componentPath)), m_strStartupFile(std::move(startupFile)),
      m_help(tev::DataFolder() + HostString(IDS_HELP_BOOK)) {}

CTEVCalendarDlg::~CTEVCalendarDlg() {
    // The designer view goes first, before the window's own clean-up.
    m_layout.reset();
    if (m_pDesignerView) {
        m_pDesignerView->Destroy();
        m_pDesignerView = nullptr;
    }
}

bool CTEVCalendarDlg::Create(wxWindow* parent) {
    if (!wxFrame::Create(parent, IDD_TEVCALENDAR_DIALOG, wxString::FromUTF8(TitleFor({})),
                         wxDefaultPosition, wxDefaultSize, wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL))
        return false;
    Bind(wxEVT_CLOSE_WINDOW, &CTEVCalendarDlg::OnClose, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFileNew(); }, ID_FILE_NEW);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFileOpen(); }, ID_FILE_OPEN);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFileSave(); }, ID_FILE_SAVE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFileSaveAs(); }, ID_FILE_SAVE_AS);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnNewStyle(); }, ID_FILE_NEW_STYLE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppExit(); }, ID_APP_EXIT);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { WinHelp(); }, ID_HELP);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppAbout(); }, ID_APP_ABOUT_WEB_CALENDAR);
    OnInitDialog();
    return true;
}

std::string CTEVCalendarDlg::TitleFor(const std::string& projectName) {
    std::string title = HostString(IDS_APP_TITLE);
    if (!projectName.empty())
        title += " - " + projectName;
    return title;
}

void CTEVCalendarDlg::UpdateTitle() {
    SetTitle(wxString::FromUTF8(TitleFor(m_strProjectName)));
}

bool CTEVCalendarDlg::OnInitDialog() {
    UpdateTitle();
    SetIcons(ProgramIcons());

    m_pStatusBar = new tev::StatusBarEx;
    size_t paneCount = 0;
    const tev::StatusIndicator* panes = StatusBarPanes(paneCount);
    // The toolkit keeps window identifiers below 32767, so the bar takes a free one.
    if (!m_pStatusBar->Create(this, wxID_ANY) || !m_pStatusBar->SetIndicators(panes, paneCount)) {
        // Without a status bar the window still opens, but empty.
        if (m_pStatusBar->GetHandle())
            m_pStatusBar->Destroy();
        else
            delete m_pStatusBar;
        m_pStatusBar = nullptr;
        return true;
    }
    SetStatusBar(m_pStatusBar);

    size_t menuCount = 0;
    const tev::MenuEntry* menu = MainMenu(menuCount);
    SetMenuBar(tev::CreateMenuBar(menu, menuCount));
    size_t toolCount = 0;
    const tev::ToolEntry* tools = StandardToolBar(toolCount);
    tev::CreateFrameToolBar(this, kStandardToolBarName, tools, toolCount);

    // The designer gets the dialog template's area; the bars come on top of it.
    SetClientSize(tev::DialogUnitsToPixels(this, kMainWindowWidthDu, kMainWindowHeightDu));

    m_pDesignerView = new CTEVComponentDesignerView(true, true);
    m_pDesignerView->SetProgID(HostString(IDS_COMPONENT_PROGID));
    m_pDesignerView->SetProjectExtension(HostString(IDS_PROJECT_EXTENSION));
    m_pDesignerView->SetProjectType(HostString(IDS_APP_TITLE));
    m_pDesignerView->SetComponentPath(m_strComponentPath);
    m_pDesignerView->SetTEVComponentDesignerHost(this);
    m_pDesignerView->SetIndexHtmlFileName(HostString(IDS_INDEX_PAGE_NAME));
    m_pDesignerView->SetDataTabCaption(HostString(IDS_DATA_TAB_CAPTION));
    m_pDesignerView->Create(this, IDC_DESIGNER_VIEW, wxRect(wxPoint(0, 0), GetClientSize()),
                            wxBORDER_THEME);
    m_pDesignerView->CreateNew();

    m_layout = std::make_unique<tev::ResizeLayout>(this);
    m_layout->Anchor(IDC_DESIGNER_VIEW, tev::kAnchorTopLeft, tev::kAnchorBottomRight);
    m_bLayoutReady = true;
    m_layout->Relayout();

    FitWindowToScreen();

    if (!m_strStartupFile.empty())
        OpenFromPath(m_strStartupFile);
    return true;
}

void CTEVCalendarDlg::FitWindowToScreen() {
    const wxSize area = wxDisplay(this).GetClientArea().GetSize();
    const wxSize initial(std::min(GetSize().x, area.x), std::min(GetSize().y, area.y));
    // The bars and the frame come on top of the designer's least area.
    const wxSize least =
        tev::DialogUnitsToPixels(this, kMainWindowMinWidthDu, kMainWindowMinHeightDu) +
        (GetSize() - GetClientSize());
    SetSize(initial);
    m_layout->SetMinTrackSize(wxSize(std::min(least.x, initial.x), std::min(least.y, initial.y)));
    Centre();
}

void CTEVCalendarDlg::OnClose(wxCloseEvent& event) {
    // The close box, Alt+F4 and Exit all come here, so none of them drops unsaved changes.
    if (event.CanVeto() && !MayClose()) {
        event.Veto();
        return;
    }
    Destroy();
}

bool CTEVCalendarDlg::MayClose() {
    if (!m_pDesignerView)
        return true;
    switch (m_pDesignerView->PromptSaveOrCancel()) {
    case wxID_YES:
        // A save that was cancelled or failed keeps the window, and with it the changes.
        return Save() == SaveOutcome::Saved;
    case wxID_NO:
        return true;
    default:
        return false;
    }
}

bool CTEVCalendarDlg::AskForProjectPath(bool save, std::string& path) {
    tev::FileDialogOptions options;
    options.mode = save ? tev::FileDialogMode::Save : tev::FileDialogMode::Open;
    options.filter = HostString(IDS_PROJECT_FILTER);
    options.overwritePrompt = true;
    return tev::PromptForFileName(this, options, path);
}

void CTEVCalendarDlg::SetLocationFromPath(const std::string& path) {
    m_strProjectFolder = tev::FolderOf(path);
    m_strProjectName = tev::StemOf(tev::FileNameOf(path));
}

bool CTEVCalendarDlg::AskToSaveChanges() {
    return m_pDesignerView && m_pDesignerView->IsDirty() && m_pDesignerView->PromptSave();
}

CTEVCalendarDlg::SaveOutcome CTEVCalendarDlg::Save() {
    if (m_strProjectFolder.empty()) {
        std::string path;
        if (!AskForProjectPath(true, path))
            return SaveOutcome::Cancelled;
        SetLocationFromPath(path);
        // The publish folder beside the project file; its result is not checked, since the
        // project file is written beside it either way.
        tev::CreateDirectoryTree(m_strProjectFolder + m_strProjectName);
        UpdateTitle();
    }
    if (!m_pDesignerView)
        return SaveOutcome::Cancelled;
    return m_pDesignerView->SaveProject(m_strProjectFolder, m_strProjectName) ? SaveOutcome::Saved
                                                                              : SaveOutcome::Failed;
}

void CTEVCalendarDlg::OnFileSave() {
    Save();
}

void CTEVCalendarDlg::RequestSave() {
    OnFileSave();
}

void CTEVCalendarDlg::OnFileSaveAs() {
    std::string path;
    if (!AskForProjectPath(true, path))
        return;
    SetLocationFromPath(path);
    tev::CreateDirectoryTree(m_strProjectFolder + m_strProjectName);
    UpdateTitle();
    OnFileSave();
}

// New and Open go on when the user declines to save or cancels the Save dialog, but not
// when the save itself failed: the changes would be lost although the user chose to keep
// them.

void CTEVCalendarDlg::OnFileNew() {
    if (AskToSaveChanges() && Save() == SaveOutcome::Failed)
        return;
    m_strProjectFolder.clear();
    m_strProjectName.clear();
    if (m_pDesignerView)
        m_pDesignerView->CreateNew();
    UpdateTitle();
}

void CTEVCalendarDlg::OnFileOpen() {
    if (AskToSaveChanges() && Save() == SaveOutcome::Failed)
        return;
    std::string path;
    if (!AskForProjectPath(false, path))
        return;
    OpenLocation(tev::FolderOf(path), tev::StemOf(tev::FileNameOf(path)));
}

void CTEVCalendarDlg::OpenFromPath(const std::string& path) {
    const ProjectLocation location = ProjectLocationFromCommandLine(path);
    OpenLocation(location.folder, location.name);
}

void CTEVCalendarDlg::OpenLocation(const std::string& folder, const std::string& name) {
    // A refused file does not become the project's location, so no save can overwrite it.
    if (m_pDesignerView && !m_pDesignerView->OpenProject(folder, name))
        return;
    m_strProjectFolder = folder;
    m_strProjectName = name;
    UpdateTitle();
}

void CTEVCalendarDlg::OnNewStyle() {
    if (m_pDesignerView)
        m_pDesignerView->CreateTemplate();
}

void CTEVCalendarDlg::OnAppExit() {
    Close();
}

void CTEVCalendarDlg::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.ShowModal();
}

void CTEVCalendarDlg::WinHelp() {
    m_help.DisplayContents();
}
