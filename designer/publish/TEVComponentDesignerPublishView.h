#pragma once
// The "Publish" page of the designer view (form 7516): the files that must sit beside a page
// that shows the component ("Required Files", with a link that opens the publish folder and
// the "&Publish..." button), and the HTML fragment that embeds the movie, read-only, with
// "&Copy to Clipboard".
//
// The page holds no project data: it mirrors what the designer view pushes into it (publish
// folder, project name, component path, size) and rebuilds the fragment when one of them
// changes. Every publishing control is disabled while the project has no publish folder,
// that is, until it has been saved or opened. "&Publish..." stays disabled until the FTP
// publish dialog is wired to it.
#include "designer/publish/PublishInfo.h"
#include "platform/com/Variant.h"
#include "platform/widgets/ResizeLayout.h"

#include <string>
#include <vector>

class wxButton;
class wxListBox;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;

namespace TEVComponentDesignerAfx {

class CLinkCtrlEx;

class CTEVComponentDesignerPublishView : public tev::ResizeFormView {
public:
    CTEVComponentDesignerPublishView();
    ~CTEVComponentDesignerPublishView() override;

    // Creates the form with its controls, laid out in dialog units, and runs the initial
    // update: anchors, the link's text, no publish folder.
    bool Create(wxWindow* parent, wxWindowID id, const wxRect& rect, const wxString& name);

    // The folder the project was last saved into or opened from, and the link's target;
    // "" for a new project, which disables publishing.
    void SetPublishFolder(const std::string& folder);
    const std::string& GetPublishFolder() const { return m_strPublishFolder; }
    bool IsPublishEnabled() const { return !m_strPublishFolder.empty(); }

    // The data file is the project name + ".xml"; setting it rebuilds the fragment.
    void SetProjectName(const std::string& name);
    const std::string& GetProjectName() const { return m_info.GetProjectName(); }
    void SetProjectExtension(const std::string& extension) { m_strProjectExtension = extension; }
    const std::string& GetProjectExtension() const { return m_strProjectExtension; }
    // The component descriptor; its folder holds the movie.
    void SetComponentPath(const std::string& path) { m_strComponentPath = path; }
    const std::string& GetComponentPath() const { return m_strComponentPath; }

    // Shows the required files (sorted; none when `files` is null) and re-reads the movie
    // file name and size from the "Flash" node of `projectFile`, or of the component
    // descriptor when it is null. A document that does not load or lacks the node changes
    // nothing. Then rebuilds the fragment.
    void RefreshPublishInfo(const std::vector<std::string>* files, const std::string* projectFile);
    // The files as last handed over, in that order.
    const std::vector<std::string>& GetRequiredFiles() const { return m_arrRequiredFiles; }

    // A property value (committed or initial): "Width" and "Height" set the size in the
    // fragment; other names are ignored.
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const CComVariant& value);

    // The fragment from the current values, and what the HTML box shows.
    std::string BuildHtmlCode() const { return m_info.GetHtmlCode(); }
    // The hint above the code: where to paste it and, once the project has files, which
    // files go beside the page.
    std::string GetHintText() const;
    std::string GetHtmlCode() const;
    const CPublishInfo& GetPublishInfo() const { return m_info; }

    // Puts the HTML box's text on the clipboard as plain text; nothing when the clipboard
    // cannot be opened.
    void CopyToClipboard();

    CLinkCtrlEx* GetPublishFolderLink() const { return m_pLink; }
    wxListBox* GetRequiredFilesList() const { return m_pList; }
    wxTextCtrl* GetHtmlEdit() const { return m_pHtmlEdit; }

protected:
    void OnInitialUpdate();
    void UpdateHtmlCode();
    void OnCopyToClipboard(wxCommandEvent& event);
    void OnPublish(wxCommandEvent& event);

private:
    void CreateControls();
    void EnableControls(bool enable);
    void OnHintSize(wxSizeEvent& event);
    void ShowHint(int width);

    std::string m_strPublishFolder;
    std::string m_strProjectExtension;
    std::string m_strComponentPath;
    std::vector<std::string> m_arrRequiredFiles;
    CPublishInfo m_info;

    wxStaticBox* m_pFilesGroup = nullptr;
    CLinkCtrlEx* m_pLink = nullptr;
    wxListBox* m_pList = nullptr;
    wxButton* m_pPublishButton = nullptr;
    wxStaticBox* m_pHtmlGroup = nullptr;
    wxStaticText* m_pHint = nullptr;
    wxTextCtrl* m_pHtmlEdit = nullptr;
    wxButton* m_pCopyButton = nullptr;
};

} // namespace TEVComponentDesignerAfx
