#pragma once
// The main window: menu bar, toolbar "Standard", status bar and, filling the rest, the
// designer view configured for the calendar component. It owns the file commands and the
// project's location (folder and name; both empty while the project is untitled).
#include "designer/core/TEVComponentDesignerHostBase.h"
#include "platform/help/HtmlHelp.h"
#include "platform/widgets/ResizeLayout.h"

#include <wx/frame.h>

#include <memory>
#include <string>

namespace TEVComponentDesignerAfx {
class CTEVComponentDesignerView;
}
namespace tev {
class StatusBarEx;
}

class CTEVCalendarDlg : public wxFrame,
                        public TEVComponentDesignerAfx::CTEVComponentDesignerHostBase {
public:
    CTEVCalendarDlg(std::string componentPath, std::string startupFile);
    ~CTEVCalendarDlg() override;

    // Creates the window and initialises it (OnInitDialog). False when the window itself
    // cannot be created.
    bool Create(wxWindow* parent = nullptr);

    // The designer's request to save before publishing: runs Save.
    void RequestSave() override;

    // File commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnNewStyle();
    void OnAppExit();
    void OnAppAbout();
    void WinHelp();

    // Opens a project named on the command line.
    void OpenFromPath(const std::string& path);
    // Caption: the product name, then " - " and the project name when there is one.
    void UpdateTitle();
    static std::string TitleFor(const std::string& projectName);

    const std::string& GetProjectFolder() const { return m_strProjectFolder; }
    const std::string& GetProjectName() const { return m_strProjectName; }
    const std::string& GetComponentPath() const { return m_strComponentPath; }
    TEVComponentDesignerAfx::CTEVComponentDesignerView* GetDesignerView() const {
        return m_pDesignerView;
    }
    tev::StatusBarEx* GetStatusBarEx() const { return m_pStatusBar; }
    tev::HtmlHelp& GetHelp() { return m_help; }

protected:
    bool OnInitDialog();
    void OnClose(wxCloseEvent& event);

private:
    enum class SaveOutcome { Saved, Cancelled, Failed };
    // Save: asks for a location when there is none, then writes the project.
    SaveOutcome Save();
    // Asks for the project file with the Save or Open dialog; false on Cancel.
    bool AskForProjectPath(bool save, std::string& path);
    // Takes folder and name from a chosen path.
    void SetLocationFromPath(const std::string& path);
    // Opens the project and, unless the file was refused, takes its location.
    void OpenLocation(const std::string& folder, const std::string& name);
    bool AskToSaveChanges();
    // Opens the window at its designed size, or as large as the screen it is on holds, and
    // lets it be made as small as the designer's least area (or the screen) allows.
    void FitWindowToScreen();
    // Asks the save question with Cancel when there are changes, and saves on Yes; false
    // when the window is to stay open.
    bool MayClose();

    std::string m_strComponentPath;
    std::string m_strStartupFile;
    std::string m_strProjectFolder;
    std::string m_strProjectName;
    tev::StatusBarEx* m_pStatusBar = nullptr;
    TEVComponentDesignerAfx::CTEVComponentDesignerView* m_pDesignerView = nullptr;
    std::unique_ptr<tev::ResizeLayout> m_layout;
    tev::HtmlHelp m_help;
    bool m_bLayoutReady = false;
};
