#pragma once
// The "Publish" page of the designer view: required files, embed code, the publish folder
// link and the FTP publish button.
//
// Until its controls exist the page is an empty resizable form that keeps the values the
// designer view pushes into it.
#include "platform/com/Variant.h"
#include "platform/widgets/ResizeLayout.h"

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerPublishView : public tev::ResizeFormView {
public:
    CTEVComponentDesignerPublishView();
    ~CTEVComponentDesignerPublishView() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxRect& rect, const wxString& name);

    // The folder the project was last saved into or opened from; "" for a new project,
    // which disables publishing.
    void SetPublishFolder(const std::string& folder);
    const std::string& GetPublishFolder() const { return m_strPublishFolder; }
    bool IsPublishEnabled() const { return !m_strPublishFolder.empty(); }

    void SetProjectName(const std::string& name);
    const std::string& GetProjectName() const { return m_strProjectName; }
    void SetProjectExtension(const std::string& extension) { m_strProjectExtension = extension; }
    void SetComponentPath(const std::string& path) { m_strComponentPath = path; }
    const std::string& GetComponentPath() const { return m_strComponentPath; }

    // Refreshes the required-files list and the component's movie and size; either
    // argument may be null ("none").
    void RefreshPublishInfo(const std::vector<std::string>* files, const std::string* projectFile);
    const std::vector<std::string>& GetRequiredFiles() const { return m_arrRequiredFiles; }

    // A committed property value.
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const CComVariant& value);

private:
    std::string m_strPublishFolder;
    std::string m_strProjectName;
    std::string m_strProjectExtension;
    std::string m_strComponentPath;
    std::vector<std::string> m_arrRequiredFiles;
};

} // namespace TEVComponentDesignerAfx
