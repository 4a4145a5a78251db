#include "designer/core/TEVComponentDesignerView.h"

#include "designer/core/TEVComponentDesignerDataView.h"
#include "designer/core/TemplateDialog.h"
#include "designer/core/UserTemplates.h"
#include "designer/publish/PublishFolder.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "platform/shell/DesktopFileTypes.h"
#include "platform/shell/InstallFolders.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "platform/text/Translation.h"
#include "platform/web/HtmlView.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/TabControl.h"
#include "resources/designer/DesignerStrings.h"

#include <algorithm>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

namespace {

// Hands over a copy of a notified value; a value that cannot be copied travels as an
// error variant with the failing result.
CComVariant CopyOfValue(const CComVariant& value) {
    CComVariant copy;
    const HRESULT hr = VariantCopy(&copy, &value);
    if (FAILED(hr))
        return CComVariant::Error(hr);
    return copy;
}

// Why a file cannot be opened as a project, naming it.
std::string NotOpenedText(const std::string& path, CDesignerProject::FileCheck check) {
    using FileCheck = CDesignerProject::FileCheck;
    struct Reason {
        FileCheck check;
        int id;
    };
    constexpr Reason kReasons[] = {{FileCheck::TooLarge, IDS_OPEN_TOO_LARGE},
                                   {FileCheck::Empty, IDS_OPEN_EMPTY},
                                   {FileCheck::NotText, IDS_OPEN_NOT_TEXT},
                                   {FileCheck::NotXml, IDS_OPEN_NOT_XML},
                                   {FileCheck::NotProject, IDS_OPEN_NOT_PROJECT}};
    int id = IDS_OPEN_UNREADABLE;
    for (const Reason& reason : kReasons) {
        if (reason.check == check)
            id = reason.id;
    }
    const std::string reason = tev::Replaced(
        DesignerString(id), "%d", std::to_string(CDesignerProject::kMaxProjectFileSize >> 20));
    return tev::Format(DesignerString(IDS_PROJECT_NOT_OPENED).c_str(), path.c_str(),
                       reason.c_str());
}

bool HasDotComponent(const std::string& name) {
    for (const std::string& part : tev::Split(name, '/')) {
        if (part == "." || part == "..")
            return true;
    }
    return false;
}

} // namespace

CTEVComponentDesignerView::CTEVComponentDesignerView(bool bPublishTab, bool bOnlinePane)
    : m_pDataView(new CTEVComponentDesignerDataView),
      m_pTemplateView(new CTEVComponentDesignerTemplateView), m_bPublishTab(bPublishTab),
      m_bOnlinePane(bOnlinePane) {}

CTEVComponentDesignerView::~CTEVComponentDesignerView() {
    OnDestroy();
}

bool CTEVComponentDesignerView::Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                                       long style, const wxString& name) {
    if (!wxPanel::Create(parent, id, rect.GetPosition(), rect.GetSize(),
                         style | wxTAB_TRAVERSAL | wxCLIP_CHILDREN, name))
        return false;
    Bind(wxEVT_SIZE, &CTEVComponentDesignerView::OnSize, this);
    OnCreate();
    return true;
}

// ---------------------------------------------------------------------------------------
// Configuration

void CTEVComponentDesignerView::SetProgID(const std::string& progId) {
    if (m_pDataView)
        m_pDataView->SetProgID(progId);
}

void CTEVComponentDesignerView::SetProjectExtension(const std::string& extension) {
    m_strProjectExtension = extension;
    if (m_pTemplateView)
        m_pTemplateView->SetProjectExtension(extension);
    if (m_pPublishView)
        m_pPublishView->SetProjectExtension(extension);
}

void CTEVComponentDesignerView::SetProjectType(const std::string& type) {
    m_strProjectType = type;
}

void CTEVComponentDesignerView::SetComponentPath(const std::string& path) {
    m_strComponentPath = path;
    // Without a descriptor there are no component templates (rather than a "Templates"
    // folder relative to wherever the program was started).
    m_arrTemplateFolders.push_back(path.empty() ? std::string()
                                                : tev::FolderOf(path) + "Templates/");
    m_arrTemplateFolders.push_back(GetUserTemplatesFolder());
}

void CTEVComponentDesignerView::SetIndexHtmlFileName(const std::string& name) {
    if (m_pTemplateView)
        m_pTemplateView->SetIndexHtmlFileName(name);
}

void CTEVComponentDesignerView::SetPublishFolder(const std::string& folder) {
    if (m_pPublishView)
        m_pPublishView->SetPublishFolder(folder);
}

std::string CTEVComponentDesignerView::GetPublishFolder() const {
    return m_pPublishView ? m_pPublishView->GetPublishFolder() : std::string();
}

void CTEVComponentDesignerView::SetProjectName(const std::string& name) {
    m_strProjectName = name;
    if (m_pTemplateView)
        m_pTemplateView->SetProjectName(name);
    if (m_pPublishView)
        m_pPublishView->SetProjectName(name);
}

// ---------------------------------------------------------------------------------------
// Window and pages

void CTEVComponentDesignerView::OnCreate() {
    InitTabCtrl();
    AddTabViews();
    CreateUserTemplatesFolder(GetUserTemplatesFolder());
    if (m_bOnlinePane) {
        // Its browser starts once the window shows, so that the window does not wait for it.
        m_pOnlineView = new tev::HtmlView;
        m_pOnlineView->Create(this, wxID_ANY, kOnlineViewName, nullptr, wxDefaultPosition,
                              wxDefaultSize, tev::HtmlView::BrowserStart::WhenShown);
        // The page is loaded once the window has settled, like a posted message.
        CallAfter(&CTEVComponentDesignerView::OnAdStart);
    }
    const wxSize client = GetClientSize();
    LayoutChildren(client.x, client.y);
}

int CTEVComponentDesignerView::InitTabCtrl() {
    const wxSize client = GetClientSize();
    m_pTabCtrl = new tev::TabControl(this, IDC_TAB_CONTROL, wxPoint(0, 0), client);
    m_pTabCtrl->SetTabPadding(6, 3);
    m_pTabCtrl->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CTEVComponentDesignerView::OnTabSelChanging,
                     this);
    m_pTabCtrl->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CTEVComponentDesignerView::OnTabSelChange, this);
    return 0;
}

int CTEVComponentDesignerView::AddTabViews() {
    m_pDataView->Create(m_pTabCtrl, wxID_ANY, kDataViewName);
    const std::string dataCaption =
        m_strDataTabCaption.empty() ? DesignerString(IDS_DATA_TAB) : m_strDataTabCaption;
    m_pTabCtrl->AddView(m_pDataView, dataCaption);

    m_pTemplateView->Create(m_pTabCtrl, wxID_ANY, kTemplateViewName);
    m_pTemplateView->SetDesignerView(this);
    m_pTabCtrl->AddView(m_pTemplateView, DesignerString(IDS_CHOOSE_STYLE_TAB));
    // From here on the windows own the pages.
    m_bPagesOwned = false;

    if (m_bPublishTab) {
        m_pPublishView = new CTEVComponentDesignerPublishView;
        m_pPublishView->SetProjectExtension(m_strProjectExtension);
        m_pPublishView->SetProjectName(m_strProjectName);
        m_pPublishView->Create(m_pTabCtrl, wxID_ANY, wxRect(wxPoint(0, 0), GetClientSize()),
                               kPublishViewName);
        m_pTabCtrl->AddView(m_pPublishView, DesignerString(IDS_PUBLISH_TAB));
    }

    m_pTabCtrl->ActivateViewSilently(0);
    m_pDataView->OnInitialUpdate();
    m_pTemplateView->OnInitialUpdate();
    m_pTemplateView->SetComponentPath(m_strComponentPath);
    m_pTemplateView->SetTemplateRoots(&m_arrTemplateFolders);
    m_pTemplateView->RefreshGallery();
    if (m_pPublishView)
        m_pPublishView->SetComponentPath(m_strComponentPath);
    return 0;
}

void CTEVComponentDesignerView::ForceRefreshTabCtrl() {
    if (!m_pTabCtrl)
        return;
    m_pTabCtrl->Refresh(false);
    m_pTabCtrl->Update();
}

void CTEVComponentDesignerView::OnAdStart() {
    if (m_pOnlineView)
        m_pOnlineView->NavigateToFile(tev::LocalizedFile(tev::DataFolder() + kOnlinePagePath));
}

void CTEVComponentDesignerView::LayoutChildren(int cx, int cy) {
    const int strip = m_bOnlinePane ? kOnlinePaneHeight : 0;
    const int tabHeight = std::max(0, cy - strip);
    if (m_pTabCtrl) {
        m_pTabCtrl->SetSize(0, 0, cx, tabHeight);
        m_pTabCtrl->Refresh();
    }
    if (m_pOnlineView) {
        m_pOnlineView->SetSize(0, tabHeight, cx, std::min(strip, cy));
        m_pOnlineView->Refresh();
    }
}

void CTEVComponentDesignerView::OnSize(wxSizeEvent& event) {
    const wxSize client = GetClientSize();
    LayoutChildren(client.x, client.y);
    event.Skip();
}

void CTEVComponentDesignerView::OnDestroy() {
    if (m_pTabCtrl) {
        // The pages are the tab control's children and go with it; page changes it may
        // announce while it goes are no longer of interest.
        m_pTabCtrl->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGING,
                           &CTEVComponentDesignerView::OnTabSelChanging, this);
        m_pTabCtrl->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CTEVComponentDesignerView::OnTabSelChange,
                           this);
        m_pTabCtrl->Destroy();
        m_pTabCtrl = nullptr;
        m_pDataView = nullptr;
        m_pTemplateView = nullptr;
        m_pPublishView = nullptr;
    }
    if (m_bPagesOwned) {
        // Never created as windows: the view still owns the page objects.
        delete m_pTemplateView;
        delete m_pDataView;
        m_pTemplateView = nullptr;
        m_pDataView = nullptr;
        m_bPagesOwned = false;
    }
    if (m_pOnlineView) {
        m_pOnlineView->Destroy();
        m_pOnlineView = nullptr;
    }
}

void CTEVComponentDesignerView::OnTabSelChanging(wxBookCtrlEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pTabCtrl || !m_pTabCtrl)
        return;
    if (m_pTabCtrl->GetView(event.GetOldSelection()) != m_pDataView || !m_pDataView)
        return;
    // Edits on the data page reach the preview when the user leaves the page.
    const bool dataChanged = m_project.TakeDataXml(m_pDataView->GetDataSection());
    if (dataChanged)
        m_pTemplateView->SetDataXml(m_project.GetLastDataXml());
    if (m_project.TakeExtendedXml(m_pDataView->GetExtendedParams())) {
        m_pTemplateView->SetExtendedXml(m_project.GetLastExtendedXml());
        m_pTemplateView->RefreshPreview();
    } else if (dataChanged) {
        m_pTemplateView->RefreshPreview();
    }
}

void CTEVComponentDesignerView::OnTabSelChange(wxBookCtrlEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pTabCtrl || !m_pTabCtrl || !m_pPublishView || !m_pHost)
        return;
    if (m_pTabCtrl->GetView(event.GetSelection()) != m_pPublishView)
        return;
    if (!m_pPublishView->GetPublishFolder().empty() && !IsDirty())
        return;
    if (tev::MessageBox(this, DesignerString(IDS_SAVE_PROJECT_QUESTION), {},
                        wxYES_NO | wxICON_QUESTION) == wxID_YES)
        m_pHost->RequestSave();
}

// ---------------------------------------------------------------------------------------
// Projects

std::string CTEVComponentDesignerView::GetPropertiesXml() {
    const std::string userDefined = m_pTemplateView ? m_pTemplateView->GetUserDefinedXml() : "";
    return CDesignerProject::AssemblePropertiesXml(userDefined, GetXmlDataSection());
}

std::string CTEVComponentDesignerView::GetPropertiesXmlForTemplate() {
    const std::string userDefined = m_pTemplateView ? m_pTemplateView->GetUserDefinedXml() : "";
    return CDesignerProject::AssembleTemplateXml(userDefined);
}

bool CTEVComponentDesignerView::IsDirty() {
    return m_project.IsDirty(GetPropertiesXml());
}

bool CTEVComponentDesignerView::PromptSave() {
    if (!IsDirty())
        return false;
    return tev::MessageBox(this, DesignerString(IDS_SAVE_PROJECT_QUESTION), {},
                           wxYES_NO | wxICON_QUESTION) == wxID_YES;
}

int CTEVComponentDesignerView::PromptSaveOrCancel() {
    if (!IsDirty())
        return wxID_NO;
    return tev::MessageBox(this, DesignerString(IDS_SAVE_PROJECT_QUESTION), {},
                           wxYES_NO | wxCANCEL | wxICON_QUESTION);
}

void CTEVComponentDesignerView::ResetComponent() {
    if (m_pTemplateView)
        m_pTemplateView->ResetComponent();
}

void CTEVComponentDesignerView::CreateNew() {
    m_project.Clear();
    ResetComponent();
    if (m_pDataView)
        m_pDataView->ResetControlData();
    if (m_pPublishView) {
        m_pPublishView->SetPublishFolder("");
        m_pPublishView->RefreshPublishInfo(nullptr, nullptr);
    }
    SetProjectName(CDesignerProject::kNewProjectName);
    m_project.SetSavedXml(GetPropertiesXml());
}

void CTEVComponentDesignerView::SetPropertiesXml(const std::string& xml) {
    m_project.SetSavedXml(xml);
    if (m_pTemplateView)
        m_pTemplateView->SetPropertiesXml(xml);
    if (m_pDataView)
        m_pDataView->LoadProjectData(xml);
    if (m_pTemplateView)
        m_pTemplateView->RefreshPreview();
    m_project.SetLastDataXml(GetXmlDataSection());
}

bool CTEVComponentDesignerView::OpenProject(const std::string& folder, const std::string& name) {
    const std::string path = CDesignerProject::ProjectFilePath(folder, name, m_strProjectExtension);
    CDesignerProject::FileText file;
    const CDesignerProject::FileCheck check = CDesignerProject::ReadProjectFile(path, file);
    if (check != CDesignerProject::FileCheck::Project &&
        check != CDesignerProject::FileCheck::Missing) {
        // Taking the file's name would let the next save overwrite it with a project.
        tev::MessageBox(this, NotOpenedText(path, check), {}, wxOK | wxICON_ERROR);
        return false;
    }
    SetProjectName(name);
    if (check == CDesignerProject::FileCheck::Project)
        LoadProject(folder, name, path, file);
    // A project that was just opened is never dirty, even when the regenerated text
    // differs from the file's.
    m_project.SetSavedXml(GetPropertiesXml());
    return true;
}

void CTEVComponentDesignerView::LoadProject(const std::string& folder, const std::string& name,
                                            const std::string& path,
                                            const CDesignerProject::FileText& file) {
    ResetComponent();
    SetPropertiesXml(file.text);
    if (m_pDataView)
        m_pDataView->KeepStoredData(file.stored);
    SetPublishFolder(CDesignerProject::PublishFolderPath(folder, name));
    if (m_pPublishView) {
        const std::vector<std::string>* assets = GetAssets();
        std::vector<std::string> files = CDesignerProject::RequiredFiles(
            name, m_pTemplateView ? m_pTemplateView->GetPageName() : std::string(),
            assets ? *assets : std::vector<std::string>());
        ListFeed(CDesignerProject::PublishFolderPath(folder, name), name, false, files);
        m_pPublishView->RefreshPublishInfo(&files, &path);
    }
}

bool CTEVComponentDesignerView::SaveProject(const std::string& folder, const std::string& name) {
    SetProjectName(name);
    const std::string publishFolder = CDesignerProject::PublishFolderPath(folder, name);
    SetPublishFolder(publishFolder);
    const std::string path = CDesignerProject::ProjectFilePath(folder, name, m_strProjectExtension);
    // The data file gets the very text of the project file.
    const std::string xml = GetPropertiesXml();
    const bool saved = CDesignerProject::WriteProjectText(path, xml);
    WritePublishFolder(publishFolder, name, path, xml);
    if (!saved) {
        // The old file is still there, untouched; the project stays dirty so that the
        // changes are not dropped without a question.
        tev::MessageBox(this, tev::Replaced(DesignerString(IDS_PROJECT_NOT_SAVED), "%s", path), {},
                        wxOK | wxICON_ERROR);
        return false;
    }
    m_project.SetSavedXml(xml);
    return true;
}

void CTEVComponentDesignerView::WritePublishFolder(const std::string& publishFolder,
                                                   const std::string& name,
                                                   const std::string& projectFile,
                                                   const std::string& propertiesXml) {
    CPublishFolder::Content content;
    content.name = name;
    content.pageName = m_pTemplateView ? m_pTemplateView->GetPageName() : std::string();
    content.propertiesXml = propertiesXml;
    content.htmlCode = GetHtmlCode();
    content.moviePath = GetFlashComponentPath();
    if (const std::vector<std::string>* assets = GetAssets())
        content.assets = *assets;
    std::vector<std::string> files = CPublishFolder::Write(publishFolder, content);
    ListFeed(publishFolder, name, true, files);
    if (m_pPublishView)
        m_pPublishView->RefreshPublishInfo(&files, &projectFile);
}

void CTEVComponentDesignerView::ListFeed(const std::string& publishFolder, const std::string& name,
                                         bool write, std::vector<std::string>& files) {
    const std::string feed = m_pDataView ? m_pDataView->GetFeedFileName(name) : std::string();
    if (!CPublishFolder::IsPlainFileName(feed))
        return;
    const bool present = write ? m_pDataView->WriteFeed(publishFolder, feed)
                               : tev::FileExists(tev::WithTrailingSlash(publishFolder) + feed);
    if (present)
        files.push_back(feed);
}

// ---------------------------------------------------------------------------------------
// Delegating queries and notifications

std::string CTEVComponentDesignerView::GetXmlDataSection() {
    return m_pDataView ? m_pDataView->GetDataSection() : std::string();
}

std::string CTEVComponentDesignerView::GetHtmlCode() {
    return m_pTemplateView ? m_pTemplateView->GetHtmlCode() : std::string();
}

std::string CTEVComponentDesignerView::GetFlashComponentPath() {
    return m_pTemplateView ? m_pTemplateView->GetFlashComponentPath() : std::string();
}

const std::vector<std::string>* CTEVComponentDesignerView::GetAssets() {
    return m_pTemplateView ? m_pTemplateView->GetAssets() : nullptr;
}

void CTEVComponentDesignerView::PropertyChangeNotify(const std::string& name,
                                                     const std::string& category,
                                                     const CComVariant& value) {
    if (m_pPublishView)
        m_pPublishView->OnPropertyChanged(name, category, CopyOfValue(value));
    if (m_pDataView)
        m_pDataView->OnPropertyChanged(name, category, CopyOfValue(value));
}

void CTEVComponentDesignerView::PropertyInitNotify(const std::string& name,
                                                   const std::string& category,
                                                   const CComVariant& value) {
    if (m_pPublishView)
        m_pPublishView->OnPropertyChanged(name, category, CopyOfValue(value));
    if (m_pDataView)
        m_pDataView->OnPropertyInit(name, category, CopyOfValue(value));
}

// ---------------------------------------------------------------------------------------
// User templates

std::string CTEVComponentDesignerView::GetUserTemplatesFolder() {
    const std::string data = tev::UserDataFolder();
    if (data.empty()) {
        // Configuration runs before the window exists; the box then has no owner.
        tev::MessageBox(GetHandle() ? this : nullptr,
                        DesignerString(IDS_FAILED_TO_GET_DIRECTORY) + " ", {}, wxOK);
        return {};
    }
    return CUserTemplates::FolderFor(data, m_strProjectType);
}

void CTEVComponentDesignerView::CreateUserTemplatesFolder(const std::string& folder) {
    if (folder.empty())
        return;
    tev::CreateDirectoryTree(folder);
    // Styles that older copies kept in the documents folder join the user's data folder.
    CUserTemplates::MoveOver(CUserTemplates::FolderFor(tev::DocumentsFolder(), m_strProjectType),
                             folder);
}

void CTEVComponentDesignerView::CreateTemplate() {
    CTemplateDialog dialog;
    if (dialog.ShowModal() == wxID_OK)
        CreateTemplate(dialog.GetTemplateName());
}

void CTEVComponentDesignerView::CreateTemplate(const std::string& name) {
    const std::string folder = GetUserTemplatesFolder();
    if (folder.empty() || name.empty())
        return;
    CUserTemplates::Result result;
    if (HasDotComponent(name)) {
        // "." and ".." would put the style outside the templates folder.
        result.code = tev::kErrorInvalidName;
        result.styleFolder = tev::WithTrailingSlash(folder) + name;
    } else {
        result = CUserTemplates::WriteTemplate(folder, name, GetPropertiesXmlForTemplate());
    }
    if (!CUserTemplates::IsUsableFolderCode(result.code)) {
        tev::MessageBox(this,
                        DesignerString(IDS_FAILED_TO_GET_DIRECTORY) + " " + result.styleFolder +
                            tev::Format("(%d)", result.code),
                        {}, wxOK);
        return;
    }
    if (m_pTemplateView)
        m_pTemplateView->RefreshGallery();
}

} // namespace TEVComponentDesignerAfx
