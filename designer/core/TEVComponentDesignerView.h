#pragma once
// The component designer as one child window: a tab control with the data page (the
// component's editor control), the "Choose Style" page and, optionally, the "Publish"
// page, plus an optional 90-pixel strip at the bottom that shows a local web page (the
// online pane). It holds the configuration a host hands in and the state of the current
// project; the host owns the project's location and passes it to every open and save.
//
// Use: construct, configure with the setters (SetProjectType before SetComponentPath),
// Create as a child window, then CreateNew or OpenProject.
#include "designer/core/DesignerProject.h"
#include "designer/core/TEVComponentDesignerHostBase.h"
#include "platform/com/Variant.h"

#include <wx/bookctrl.h>
#include <wx/panel.h>

#include <string>
#include <vector>

namespace tev {
class HtmlView;
class TabControl;
} // namespace tev

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerDataView;
class CTEVComponentDesignerPublishView;
class CTEVComponentDesignerTemplateView;

class CTEVComponentDesignerView : public wxPanel {
public:
    // Dynamic creation builds a view with both flags off.
    CTEVComponentDesignerView() : CTEVComponentDesignerView(false, false) {}
    CTEVComponentDesignerView(bool bPublishTab, bool bOnlinePane);
    ~CTEVComponentDesignerView() override;

    // Creates the window and its pages (window name "ComponentDesignerView").
    bool Create(wxWindow* parent, wxWindowID id, const wxRect& rect, long style = 0,
                const wxString& name = wxASCII_STR("ComponentDesignerView"));

    // Configuration, before Create.
    void SetProgID(const std::string& progId);
    void SetProjectExtension(const std::string& extension);
    // Names the user templates folder; must come before SetComponentPath.
    void SetProjectType(const std::string& type);
    // Stores the descriptor path and appends the template folders (the descriptor's
    // "Templates" folder, then the user templates folder). Meant to be called once.
    void SetComponentPath(const std::string& path);
    void SetTEVComponentDesignerHost(CTEVComponentDesignerHostBase* host) { m_pHost = host; }
    void SetIndexHtmlFileName(const std::string& name);
    // Caption of the data page; "" gives the default "Data".
    void SetDataTabCaption(const std::string& caption) { m_strDataTabCaption = caption; }
    void SetPublishFolder(const std::string& folder);

    // Project operations.
    void CreateNew();
    // Opens folder/name.extension. A file that is not a project is refused: the user is told
    // why, nothing changes and the result is false. A missing file leaves the current
    // content in place under the new name, unchanged.
    bool OpenProject(const std::string& folder, const std::string& name);
    // Writes the project file and the publish folder. False when the project file could not
    // be written: the user is told, the file on disk is unchanged and the project stays
    // dirty.
    bool SaveProject(const std::string& folder, const std::string& name);
    bool PromptSave();
    // The save question with Cancel as well, for closing: wxID_YES, wxID_NO or wxID_CANCEL
    // as answered; wxID_NO without asking when there is nothing to save.
    int PromptSaveOrCancel();
    bool IsDirty();
    void ResetComponent();
    std::string GetPropertiesXml();
    std::string GetPropertiesXmlForTemplate();
    void SetPropertiesXml(const std::string& xml);

    // User templates.
    std::string GetUserTemplatesFolder();
    void CreateUserTemplatesFolder(const std::string& folder);
    void CreateTemplate();
    void CreateTemplate(const std::string& name);

    // Delegating queries.
    std::string GetXmlDataSection();
    std::string GetHtmlCode();
    std::string GetFlashComponentPath();
    const std::vector<std::string>* GetAssets();

    // Property values from the template view: publish view first, then the editor control.
    void PropertyChangeNotify(const std::string& name, const std::string& category,
                              const CComVariant& value);
    void PropertyInitNotify(const std::string& name, const std::string& category,
                            const CComVariant& value);

    // Parts and state, for the host and for tests.
    tev::TabControl* GetTabControl() const { return m_pTabCtrl; }
    CTEVComponentDesignerDataView* GetDataView() const { return m_pDataView; }
    CTEVComponentDesignerTemplateView* GetTemplateView() const { return m_pTemplateView; }
    CTEVComponentDesignerPublishView* GetPublishView() const { return m_pPublishView; }
    tev::HtmlView* GetOnlineView() const { return m_pOnlineView; }
    const std::vector<std::string>& GetTemplateFolders() const { return m_arrTemplateFolders; }
    const std::string& GetProjectName() const { return m_strProjectName; }
    const std::string& GetProjectExtension() const { return m_strProjectExtension; }
    const std::string& GetProjectType() const { return m_strProjectType; }
    const std::string& GetComponentPath() const { return m_strComponentPath; }
    std::string GetPublishFolder() const;

    // Height of the online pane's strip.
    static constexpr int kOnlinePaneHeight = 90;

protected:
    void SetProjectName(const std::string& name);

    // Window and page handlers.
    void OnCreate();
    void OnSize(wxSizeEvent& event);
    void OnDestroy();
    void OnTabSelChanging(wxBookCtrlEvent& event);
    void OnTabSelChange(wxBookCtrlEvent& event);
    void OnAdStart();

    int InitTabCtrl();
    int AddTabViews();
    void ForceRefreshTabCtrl();

private:
    void LayoutChildren(int cx, int cy);
    // Loads a project file's text into the pages and the publish tab.
    void LoadProject(const std::string& folder, const std::string& name, const std::string& path,
                     const CDesignerProject::FileText& file);
    // The publish-folder part of saving: the data file (`propertiesXml`, as the project
    // file got it), the index page, the movie and the assets, then the required files and
    // the project file to the publish tab.
    void WritePublishFolder(const std::string& publishFolder, const std::string& name,
                            const std::string& projectFile, const std::string& propertiesXml);
    // The control's feed, when it offers one: written (or, on opening, found) in the publish
    // folder and then appended to the required files.
    void ListFeed(const std::string& publishFolder, const std::string& name, bool write,
                  std::vector<std::string>& files);

    tev::TabControl* m_pTabCtrl = nullptr;
    CTEVComponentDesignerHostBase* m_pHost = nullptr;
    CTEVComponentDesignerDataView* m_pDataView = nullptr;
    CTEVComponentDesignerTemplateView* m_pTemplateView = nullptr;
    CTEVComponentDesignerPublishView* m_pPublishView = nullptr;
    tev::HtmlView* m_pOnlineView = nullptr;
    bool m_bPublishTab;
    bool m_bOnlinePane;
    bool m_bPagesOwned = true; // the pages are not yet children of a window
    std::string m_strComponentPath;
    std::string m_strProjectExtension;
    std::string m_strProjectName;
    std::string m_strProjectType;
    std::string m_strDataTabCaption;
    std::vector<std::string> m_arrTemplateFolders;
    CDesignerProject m_project;
};

} // namespace TEVComponentDesignerAfx
