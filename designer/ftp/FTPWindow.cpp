#include "designer/ftp/FTPWindow.h"

#include "designer/ftp/FolderUpload.h"
#include "designer/ftp/FtpSiteList.h"
#include "designer/ftp/TraceView.h"
#include "designer/ftp/WaitMessageDlg.h"
#include "platform/registry/AppProfile.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/NameDialog.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/treectrl.h>

#include <algorithm>
#include <ctime>
#include <memory>

namespace TEVComponentDesignerAfx {
namespace {

using namespace tev::designer;

constexpr int kTreeWidth = 200;
constexpr int kPaneMinimum = 50;
enum { kFolderIcon = 0, kFileIcon = 1 };

wxString Wx(const std::string& text) {
    return wxString::FromUTF8(text);
}

long ListStyleOf(int command) {
    switch (command) {
    case ID_VIEW_LARGEICON:
        return wxLC_ICON;
    case ID_VIEW_SMALLICON:
        return wxLC_SMALL_ICON;
    case ID_VIEW_LIST:
        return wxLC_LIST;
    default:
        return wxLC_REPORT;
    }
}

wxImageList* IconList(int size) {
    auto* icons = new wxImageList(size, size);
    icons->Add(wxArtProvider::GetBitmap(wxART_FOLDER, wxART_OTHER, wxSize(size, size)));
    icons->Add(wxArtProvider::GetBitmap(wxART_NORMAL_FILE, wxART_OTHER, wxSize(size, size)));
    return icons;
}

// Files dropped from the file manager go to the current remote folder.
class CFtpDropTarget : public wxFileDropTarget {
public:
    explicit CFtpDropTarget(CFTPWindow* window) : m_window(window) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        std::vector<std::string> paths;
        for (const wxString& name : names)
            paths.push_back(name.utf8_string());
        m_window->UploadPaths(paths);
        return true;
    }

private:
    CFTPWindow* m_window;
};

// The tree node's folder name.
class CFolderNode : public wxTreeItemData {
public:
    explicit CFolderNode(std::string name) : name(std::move(name)) {}
    std::string name;
};

} // namespace

CFTPWindow::CFTPWindow(wxWindow* parent, const CFtpSite& profile, const std::string& localFolder)
    : wxDialog(parent, IDD_FTP_WINDOW, Wx(kFtpWindowCaption), wxDefaultPosition, wxSize(780, 560),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
      m_profile(profile), m_localFolder(localFolder),
      m_client(CreateRemoteFileSystem(profile.m_server)) {
    m_client->SetTrust(&m_trust);
    m_browser =
        std::make_unique<CFtpBrowser>(*m_client, [this](TraceKind kind, const std::string& text) {
            CallAfter([this, kind, text] { AddTrace(kind, text); });
        });
    CreateControls();
    SetIcon(wxArtProvider::GetIcon(wxART_FOLDER, wxART_FRAME_ICON));

    Bind(wxEVT_TREE_SEL_CHANGED, &CFTPWindow::OnTreeSelChanged, this);
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &CFTPWindow::OnListItemActivated, this);
    Bind(wxEVT_LIST_END_LABEL_EDIT, &CFTPWindow::OnListEndLabelEdit, this);
    Bind(wxEVT_LIST_COL_CLICK, &CFTPWindow::OnListColumnClick, this);
    m_list->Bind(wxEVT_CONTEXT_MENU, &CFTPWindow::OnListContextMenu, this);
    Bind(wxEVT_MENU, &CFTPWindow::OnCommand, this);
    Bind(wxEVT_BUTTON, &CFTPWindow::OnSelect, this, IDC_FTP_SELECT);
    Bind(wxEVT_BUTTON, &CFTPWindow::OnPublish, this, IDC_FTP_PUBLISH);
    Bind(wxEVT_BUTTON, &CFTPWindow::OnCancel, this, IDC_FTP_CANCEL);
    Bind(wxEVT_BUTTON, &CFTPWindow::OnNewFolderButton, this, IDC_FTP_NEW_FOLDER);
    Bind(wxEVT_CLOSE_WINDOW, &CFTPWindow::OnClose, this);

    SetViewStyle(ID_VIEW_DETAILS);
    UpdateCommandStates();
    CentreOnParent();
    CallAfter(&CFTPWindow::Connect);
}

CFTPWindow::~CFTPWindow() {
    m_client->Stop();
    m_worker.Stop();
}

void CFTPWindow::CreateControls() {
    auto* rows = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxSP_LIVE_UPDATE | wxSP_3DSASH);
    auto* columns = new wxSplitterWindow(rows, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                         wxSP_LIVE_UPDATE | wxSP_3DSASH);
    m_tree = new wxTreeCtrl(columns, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN);
    m_tree->AssignImageList(IconList(16));
    CreateList(columns);
    columns->SetMinimumPaneSize(10);
    columns->SplitVertically(m_tree, m_list, kTreeWidth);
    m_trace = new CTraceView(rows, wxID_ANY);
    rows->SetMinimumPaneSize(kPaneMinimum);
    rows->SetSashGravity(0.75);
    rows->SplitHorizontally(columns, m_trace);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(rows, 1, wxEXPAND);
    CreateButtons();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_newFolder, 0, wxRIGHT, 8);
    buttons->AddStretchSpacer();
    buttons->Add(m_select, 0, wxRIGHT, 8);
    buttons->Add(m_publish, 0, wxRIGHT, 8);
    buttons->Add(FindWindow(IDC_FTP_CANCEL));
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(top);
    SetMinSize(wxSize(480, 360));
    // The sash goes where the split's size is known: three quarters for tree and list, one
    // for the trace, and so it stays as the window grows.
    Layout();
    rows->SetSashPosition(rows->GetClientSize().y * 3 / 4);
}

void CFTPWindow::CreateList(wxWindow* parent) {
    m_list = new wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_EDIT_LABELS | wxBORDER_SUNKEN);
    m_list->AssignImageList(IconList(16), wxIMAGE_LIST_SMALL);
    m_list->AssignImageList(IconList(32), wxIMAGE_LIST_NORMAL);
    m_list->SetDropTarget(new CFtpDropTarget(this));
}

void CFTPWindow::CreateButtons() {
    m_newFolder = new wxButton(this, IDC_FTP_NEW_FOLDER, Wx(kFtpNewFolderButton));
    m_select = new wxButton(this, IDC_FTP_SELECT, Wx(kFtpSelectButton));
    m_publish = new wxButton(this, IDC_FTP_PUBLISH, Wx(kFtpPublishButton));
    new wxButton(this, IDC_FTP_CANCEL, Wx(kFtpCancelButton));
    SetEscapeId(IDC_FTP_CANCEL);
}

bool CFTPWindow::RunAside(std::function<void()> work, std::function<void()> done) {
    if (m_busy)
        return false;
    m_busy = true;
    UpdateCommandStates();
    auto finish = [this, done] {
        m_busy = false;
        // A window that has ended shows nothing more, whatever its last step brought.
        if (m_ended)
            return;
        done();
        UpdateCommandStates();
    };
    if (m_worker.Start(
            [this, work, finish] {
                work();
                CallAfter(finish);
            },
            [this] { m_client->Stop(); }))
        return true;
    m_busy = false;
    UpdateCommandStates();
    return false;
}

void CFTPWindow::TraceHere(TraceKind kind, const std::string& text) {
    AddTrace(kind, TracePrefix() + text);
}

void CFTPWindow::AddTrace(TraceKind kind, const std::string& text) {
    m_trace->AddLine(kind, text);
}

void CFTPWindow::Connect() {
    TraceHere(TraceKind::Progress, kTraceCheckingUrl);
    if (!ParseFtpServer(m_profile.m_server, m_host)) {
        TraceHere(TraceKind::Error, kTraceInvalidUrl);
        tev::MessageBox(this, kInvalidUrlMessage, {}, wxOK | wxICON_EXCLAMATION);
        EndWith(wxID_CANCEL);
        return;
    }
    TraceHere(TraceKind::Success, kTraceUrlParsed);
    if (m_profile.m_retries < 1) {
        FailConnection();
        return;
    }
    Attempt(1);
}

void CFTPWindow::Attempt(int attempt) {
    // Read before every attempt, so a change made meanwhile counts.
    const int timeout = std::max(1, tev::AppProfile::GetProfileInt(CFtpSiteList::kSettingsSection,
                                                                   kConnectionTimeoutSetting,
                                                                   kDefaultConnectionTimeout));
    CRemoteLogin login;
    login.host = m_host;
    login.port = m_profile.m_port;
    login.username = m_profile.m_username;
    login.password = m_profile.m_password;
    login.passive = m_profile.m_passive;
    login.connectTimeoutSeconds = timeout;
    login.idleTimeoutMilliseconds = timeout * 1000;
    m_client->SetLogin(login);
    auto connected = std::make_shared<bool>(false);
    const int attempts = m_profile.m_retries;
    RunAside(
        [this, connected, attempt, attempts] {
            *connected = m_browser->ConnectAttempt(m_host, attempt, attempts) &&
                         m_browser->ReadLoginFolder();
        },
        [this, connected, attempt] {
            if (*connected)
                Connected();
            else
                AttemptFailed(attempt);
        });
}

void CFTPWindow::AttemptFailed(int attempt) {
    const std::string failure = m_client->GetLastErrorText();
    if (attempt >= m_profile.m_retries) {
        const std::string reply = tev::Trimmed(m_client->GetLastReply());
        tev::MessageBox(this, reply.empty() ? failure : reply + "\n" + failure, {},
                        wxOK | wxICON_ERROR);
        FailConnection();
        return;
    }
    CWaitMessageDlg wait(this, failure, m_profile.m_retryDelay);
    if (wait.ShowModal() == wxID_OK)
        Attempt(attempt + 1);
    else
        FailConnection();
}

void CFTPWindow::FailConnection() {
    TraceHere(TraceKind::Error, kTraceNoConnection);
    m_tree->DeleteAllItems();
    m_list->DeleteAllItems();
    EndWith(wxID_CANCEL);
}

void CFTPWindow::Connected() {
    m_connected = true;
    TraceHere(TraceKind::Success, tev::Format(kTraceConnected, m_host.c_str()));
    m_tree->DeleteAllItems();
    m_tree->AddRoot("/", kFolderIcon, kFolderIcon, new CFolderNode("/"));
    OpenStartFolder(StartFolder(m_browser->LoginFolder(), m_profile.m_path));
}

void CFTPWindow::OpenStartFolder(const std::string& folder) {
    // Every folder on the way is listed, so the tree shows its way down.
    auto listings =
        std::make_shared<std::vector<std::pair<std::string, std::vector<CRemoteEntry>>>>();
    const bool passive = m_profile.m_passive;
    RunAside(
        [this, listings, folder, passive] {
            std::string path = "/";
            std::vector<std::string> components = PathComponents(folder);
            for (std::size_t i = 0; i <= components.size(); ++i) {
                std::vector<CRemoteEntry> entries;
                if (!m_browser->ListFolder(path, entries, passive))
                    return;
                listings->emplace_back(path, std::move(entries));
                if (i < components.size())
                    path = ChildPath(path, components[i]);
            }
        },
        [this, listings] {
            for (auto& listing : *listings)
                ShowListing(listing.first, std::move(listing.second));
        });
}

void CFTPWindow::ListFolder(const std::string& folder) {
    auto entries = std::make_shared<std::vector<CRemoteEntry>>();
    auto listed = std::make_shared<bool>(false);
    const bool passive = m_profile.m_passive;
    RunAside([this, entries, listed, folder,
              passive] { *listed = m_browser->ListFolder(folder, *entries, passive); },
             [this, entries, listed, folder] {
                 if (*listed || m_browser->CurrentFolder() == folder)
                     ShowListing(folder, std::move(*entries));
             });
}

void CFTPWindow::Refresh() {
    if (!m_connected)
        return;
    const wxTreeItemId node = NodeOf(m_currentFolder);
    if (node.IsOk())
        m_tree->DeleteChildren(node);
    ListFolder(m_currentFolder);
}

void CFTPWindow::ShowListing(const std::string& folder, std::vector<CRemoteEntry> entries) {
    m_currentFolder = folder;
    const wxTreeItemId node = NodeOf(folder);
    if (node.IsOk() && !m_tree->ItemHasChildren(node)) {
        for (const CRemoteEntry& entry : entries)
            if (entry.folder)
                FindOrAddNode(node, entry.name);
    }
    m_entries = std::move(entries);
    SortEntries(m_entries, static_cast<SortColumn>(m_sortColumn), m_sortAscending);
    ShowEntries();
    if (node.IsOk()) {
        m_showingTree = true;
        m_tree->SelectItem(node);
        m_tree->Expand(node);
        m_showingTree = false;
    }
    m_list->SetFocus();
}

wxTreeItemId CFTPWindow::FindNode(const wxTreeItemId& parent, const std::string& name) const {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = m_tree->GetFirstChild(parent, cookie); child.IsOk();
         child = m_tree->GetNextChild(parent, cookie)) {
        auto* data = static_cast<CFolderNode*>(m_tree->GetItemData(child));
        if (data && data->name == name)
            return child;
    }
    return {};
}

wxTreeItemId CFTPWindow::FindOrAddNode(const wxTreeItemId& parent, const std::string& name) {
    const wxTreeItemId found = FindNode(parent, name);
    if (found.IsOk())
        return found;
    return m_tree->AppendItem(parent, Wx(name), kFolderIcon, kFolderIcon, new CFolderNode(name));
}

wxTreeItemId CFTPWindow::NodeOf(const std::string& folder) {
    wxTreeItemId node = m_tree->GetRootItem();
    if (!node.IsOk())
        return node;
    for (const std::string& name : PathComponents(folder))
        node = FindOrAddNode(node, name);
    return node;
}

std::string CFTPWindow::PathOf(const wxTreeItemId& node) const {
    std::string path;
    for (wxTreeItemId item = node; item.IsOk() && item != m_tree->GetRootItem();
         item = m_tree->GetItemParent(item))
        path = "/" + static_cast<CFolderNode*>(m_tree->GetItemData(item))->name + path;
    return path.empty() ? "/" : path;
}

void CFTPWindow::ShowEntries() {
    m_list->Freeze();
    m_list->DeleteAllItems();
    const bool details = m_viewCommand == ID_VIEW_DETAILS;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const CRemoteEntry& entry = m_entries[i];
        const long item = m_list->InsertItem(static_cast<long>(i), Wx(entry.name),
                                             entry.folder ? kFolderIcon : kFileIcon);
        m_list->SetItemData(item, static_cast<long>(i));
        if (details) {
            m_list->SetItem(item, 1, Wx(SizeText(entry)));
            m_list->SetItem(item, 2, Wx(TypeText(entry)));
            m_list->SetItem(item, 3, Wx(CreatedText(entry)));
        }
    }
    if (!m_entries.empty())
        m_list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->Thaw();
}

std::vector<CRemoteEntry> CFTPWindow::SelectedEntries() const {
    std::vector<CRemoteEntry> selected;
    for (long item = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item >= 0;
         item = m_list->GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        const auto index = static_cast<std::size_t>(m_list->GetItemData(item));
        if (index < m_entries.size())
            selected.push_back(m_entries[index]);
    }
    return selected;
}

void CFTPWindow::SelectOnly(long item) {
    for (long i = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i >= 0;
         i = m_list->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        m_list->SetItemState(i, 0, wxLIST_STATE_SELECTED);
    if (item >= 0)
        m_list->SetItemState(item, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void CFTPWindow::UpdateCommandStates() {
    const bool ready = m_connected && !m_busy;
    m_select->Enable(ready);
    m_publish->Enable(ready);
    m_newFolder->Enable(ready);
    m_tree->Enable(ready);
    m_list->Enable(m_connected);
}

void CFTPWindow::EndWith(int result) {
    m_ended = true;
    m_client->Stop();
    m_worker.Stop();
    if (IsModal()) {
        EndModal(result);
    } else {
        SetReturnCode(result);
        Hide();
    }
}

void CFTPWindow::NewFolder(const std::string& name, bool reportFailure) {
    auto made = std::make_shared<bool>(false);
    RunAside([this, made, name] { *made = m_browser->MakeFolder(name); },
             [this, made, name, reportFailure] {
                 if (!*made && reportFailure)
                     tev::MessageBox(this, tev::Trimmed(m_client->GetLastReply()), {},
                                     wxOK | wxICON_ERROR);
                 if (!*made)
                     return;
                 CRemoteEntry entry;
                 entry.name = name;
                 entry.folder = true;
                 entry.hasTime = entry.utc = true;
                 entry.time = static_cast<std::int64_t>(std::time(nullptr));
                 m_entries.push_back(entry);
                 const wxTreeItemId folder = NodeOf(m_currentFolder);
                 FindOrAddNode(folder, name);
                 m_tree->Expand(folder);
                 SortEntries(m_entries, static_cast<SortColumn>(m_sortColumn), m_sortAscending);
                 ShowEntries();
             });
}

void CFTPWindow::StartNewFolderEdit() {
    if (!m_connected || m_busy)
        return;
    CRemoteEntry entry;
    entry.name = kNewFolderName;
    entry.folder = true;
    m_entries.push_back(entry);
    const long item = m_list->InsertItem(m_list->GetItemCount(), Wx(entry.name), kFolderIcon);
    m_list->SetItemData(item, static_cast<long>(m_entries.size() - 1));
    m_editingNewFolder = true;
    m_list->EditLabel(item);
}

void CFTPWindow::Rename(const std::string& from, const std::string& to) {
    auto renamed = std::make_shared<bool>(false);
    RunAside([this, renamed, from, to] { *renamed = m_browser->RenameItem(from, to); },
             [this, renamed, from, to] {
                 if (!*renamed)
                     return;
                 for (CRemoteEntry& entry : m_entries)
                     if (entry.name == from)
                         entry.name = to;
                 const wxTreeItemId node = FindNode(NodeOf(m_currentFolder), from);
                 if (node.IsOk()) {
                     static_cast<CFolderNode*>(m_tree->GetItemData(node))->name = to;
                     m_tree->SetItemText(node, Wx(to));
                 }
                 ShowEntries();
             });
}

void CFTPWindow::DeleteSelected() {
    const std::vector<CRemoteEntry> items = SelectedEntries();
    if (items.empty() || !m_connected || m_busy)
        return;
    std::string question;
    const char* title;
    if (items.size() > 1) {
        question = tev::Format(kConfirmMultipleDelete, static_cast<int>(items.size()));
        title = kConfirmMultipleDeleteTitle;
    } else if (items.front().folder) {
        question = tev::Format(kConfirmFolderDelete, items.front().name.c_str());
        title = kConfirmFolderDeleteTitle;
    } else {
        question = tev::Format(kConfirmFileDelete, items.front().name.c_str());
        title = kConfirmFileDeleteTitle;
    }
    if (tev::MessageBox(this, question, title, wxYES_NO | wxICON_QUESTION) != wxID_YES)
        return;
    auto deleted = std::make_shared<std::vector<std::string>>();
    RunAside([this, deleted, items] { *deleted = m_browser->DeleteItems(items); },
             [this, deleted] {
                 const wxTreeItemId folder = NodeOf(m_currentFolder);
                 for (const std::string& name : *deleted) {
                     m_entries.erase(
                         std::remove_if(m_entries.begin(), m_entries.end(),
                                        [&](const CRemoteEntry& e) { return e.name == name; }),
                         m_entries.end());
                     const wxTreeItemId node = FindNode(folder, name);
                     if (node.IsOk())
                         m_tree->Delete(node);
                 }
                 ShowEntries();
             });
}

void CFTPWindow::UploadPaths(const std::vector<std::string>& localPaths) {
    if (!m_connected || localPaths.empty())
        return;
    RunAside([this, localPaths] { m_browser->UploadPaths(localPaths); },
             [this] { CallAfter(&CFTPWindow::Refresh); });
}

void CFTPWindow::UploadLocalFolder() {
    std::vector<std::string> paths;
    for (const CUploadFile& file : CFolderUpload::ListFiles(m_localFolder))
        paths.push_back(file.path);
    UploadPaths(paths);
}

void CFTPWindow::OpenFolder(const std::string& name) {
    if (m_connected && !m_busy)
        ListFolder(ChildPath(m_currentFolder, name));
}

void CFTPWindow::SetViewStyle(int command) {
    m_viewCommand = command;
    m_list->SetSingleStyle(ListStyleOf(command));
    if (command == ID_VIEW_DETAILS && m_list->GetColumnCount() == 0) {
        m_list->AppendColumn(Wx(kColumnName), wxLIST_FORMAT_LEFT, 180);
        m_list->AppendColumn(Wx(kColumnSize), wxLIST_FORMAT_RIGHT, 100);
        m_list->AppendColumn(Wx(kColumnType), wxLIST_FORMAT_LEFT, 100);
        // Wide enough for "12/31/08(12:59p)" in the desktop's font.
        m_list->AppendColumn(Wx(kColumnCreated), wxLIST_FORMAT_LEFT, 130);
    }
    ShowEntries();
    tev::AppProfile::WriteProfileInt(CFtpSiteList::kSettingsSection, kViewStyleSetting, command);
}

void CFTPWindow::SortBy(int column) {
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    SortEntries(m_entries, static_cast<SortColumn>(m_sortColumn), m_sortAscending);
    ShowEntries();
}

void CFTPWindow::OnTreeSelChanged(wxTreeEvent& event) {
    if (m_showingTree || !m_connected || m_busy)
        return;
    ListFolder(PathOf(event.GetItem()));
}

void CFTPWindow::OnListItemActivated(wxListEvent& event) {
    const auto index = static_cast<std::size_t>(event.GetData());
    if (index < m_entries.size() && m_entries[index].folder)
        OpenFolder(m_entries[index].name);
}

void CFTPWindow::OnListContextMenu(wxContextMenuEvent& event) {
    // A click beside the items asks for the list's menu: the first item, selected after
    // every listing, would otherwise always give the item's menu.
    if (event.GetPosition() != wxDefaultPosition) {
        int flags = 0;
        const long item = m_list->HitTest(m_list->ScreenToClient(event.GetPosition()), flags);
        if (item < 0 || !m_list->GetItemState(item, wxLIST_STATE_SELECTED))
            SelectOnly(item);
    }
    ShowContextMenu();
}

void CFTPWindow::ShowContextMenu() {
    const std::vector<CRemoteEntry> selected = SelectedEntries();
    const bool ready = m_connected && !m_busy;
    wxMenu menu;
    if (selected.empty()) {
        menu.Append(ID_FTP_REFRESH, Wx(kMenuRefresh))->Enable(ready);
        auto* create = new wxMenu;
        create->Append(ID_FTP_NEW_FOLDER, Wx(kMenuFolder));
        menu.AppendSubMenu(create, Wx(kMenuNew))->Enable(ready);
        menu.Append(ID_FTP_UPLOAD, Wx(kMenuUpload))->Enable(ready);
        auto* view = new wxMenu;
        for (auto [id, text] : {std::pair{ID_VIEW_LARGEICON, kMenuLargeIcons},
                                {ID_VIEW_SMALLICON, kMenuSmallIcons},
                                {ID_VIEW_LIST, kMenuList},
                                {ID_VIEW_DETAILS, kMenuDetails}})
            view->AppendRadioItem(id, Wx(text))->Check(id == m_viewCommand);
        menu.AppendSubMenu(view, Wx(kMenuView));
    } else {
        menu.Append(ID_FTP_DELETE, Wx(kMenuDelete))->Enable(ready);
        menu.Append(ID_FTP_PROPERTIES, Wx(kMenuProperties))->Enable(ready);
    }
    m_list->PopupMenu(&menu);
}

void CFTPWindow::OnListEndLabelEdit(wxListEvent& event) {
    // The list shows what the server has: the new text goes in once the server took it.
    event.Veto();
    const bool newFolder = std::exchange(m_editingNewFolder, false);
    const auto index = static_cast<std::size_t>(event.GetData());
    const std::string text = event.GetLabel().utf8_string();
    if (newFolder && !m_entries.empty()) {
        m_entries.pop_back();
        CallAfter(&CFTPWindow::ShowEntries);
    }
    if (event.IsEditCancelled() || text.empty())
        return;
    if (newFolder)
        NewFolder(text);
    else if (index < m_entries.size() && m_entries[index].name != text)
        Rename(m_entries[index].name, text);
}

void CFTPWindow::OnListColumnClick(wxListEvent& event) {
    SortBy(event.GetColumn());
}

void CFTPWindow::OnCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case ID_FTP_REFRESH:
        Refresh();
        break;
    case ID_FTP_NEW_FOLDER:
        StartNewFolderEdit();
        break;
    case ID_FTP_UPLOAD:
        UploadLocalFolder();
        break;
    case ID_FTP_DELETE:
        DeleteSelected();
        break;
    case ID_FTP_PROPERTIES:
        ShowProperties();
        break;
    case ID_VIEW_LARGEICON:
    case ID_VIEW_SMALLICON:
    case ID_VIEW_LIST:
    case ID_VIEW_DETAILS:
        SetViewStyle(event.GetId());
        break;
    default:
        event.Skip();
    }
}

void CFTPWindow::ShowProperties() {
    const std::vector<CRemoteEntry> selected = SelectedEntries();
    if (selected.empty())
        return;
    const CRemoteEntry& entry = selected.front();
    wxDialog sheet(this, wxID_ANY, Wx(kPropertiesCaption));
    auto* pages = new wxNotebook(&sheet, wxID_ANY);
    auto* page = new wxPanel(pages);
    auto* grid = new wxFlexGridSizer(2, 8, 12);
    grid->Add(
        new wxStaticBitmap(page, wxID_STATIC,
                           wxArtProvider::GetBitmap(entry.folder ? wxART_FOLDER : wxART_NORMAL_FILE,
                                                    wxART_OTHER, wxSize(32, 32))));
    grid->Add(new wxStaticText(page, wxID_STATIC, Wx(entry.name)), 0, wxALIGN_CENTER_VERTICAL);
    std::string location = m_currentFolder;
    while (location.size() > 1 && location.back() == '/')
        location.pop_back();
    const std::pair<const char*, std::string> rows[] = {
        {kPropertyType, TypeText(entry)},
        {kPropertyLocation, (location == "/" ? "" : location) + "/" + entry.name},
        {kPropertySize, SizeWithBytesText(entry)},
        {kPropertyCreated, CreatedText(entry)},
    };
    for (const auto& [label, value] : rows) {
        grid->Add(new wxStaticText(page, wxID_STATIC, Wx(label)));
        grid->Add(new wxStaticText(page, wxID_STATIC, Wx(value)));
    }
    auto* border = new wxBoxSizer(wxVERTICAL);
    border->Add(grid, 1, wxEXPAND | wxALL, 12);
    page->SetSizer(border);
    pages->AddPage(page, Wx(kGeneralPage));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(pages, 1, wxEXPAND | wxALL, 8);
    top->Add(sheet.CreateButtonSizer(wxOK), 0, wxEXPAND | wxALL, 8);
    sheet.SetSizerAndFit(top);
    sheet.CentreOnParent();
    sheet.ShowModal();
}

void CFTPWindow::OnSelect(wxCommandEvent&) {
    m_chosenFolder = ChosenFolder(m_currentFolder);
    EndWith(IDC_FTP_SELECT);
}

void CFTPWindow::OnPublish(wxCommandEvent&) {
    m_chosenFolder = ChosenFolder(m_currentFolder);
    EndWith(IDC_FTP_PUBLISH);
}

void CFTPWindow::OnCancel(wxCommandEvent&) {
    EndWith(wxID_CANCEL);
}

void CFTPWindow::OnClose(wxCloseEvent&) {
    EndWith(wxID_CANCEL);
}

void CFTPWindow::OnNewFolderButton(wxCommandEvent&) {
    if (!m_connected || m_busy)
        return;
    tev::NameDialog ask(this,
                        {IDD_NEW_FOLDER_DIALOG, kNewFolderDialogCaption, 172, 73, wxID_STATIC,
                         kNewFolderLabel, IDC_NEW_FOLDER_NAME, kCancelButton, kNewFolderEmptyName});
    if (ask.ShowModal() != wxID_OK)
        return;
    NewFolder(ask.GetEnteredName(), true);
}

} // namespace TEVComponentDesignerAfx
