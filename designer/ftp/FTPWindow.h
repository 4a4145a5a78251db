#pragma once
// "FTP Window": the server of the publish dialog's profile as a folder tree, a file list and
// a trace pane, with the commands to create, rename, delete and upload, and "&Select",
// "&Publish" and "&Cancel" to hand the chosen folder back.
//
//     CFTPWindow window(parent, profile, publishFolder);
//     const int result = window.ShowModal(); // IDC_FTP_SELECT, IDC_FTP_PUBLISH or wxID_CANCEL
//     ... window.GetChosenFolder() ...
//
// It connects when it opens (and closes itself when that fails). Every step that talks to
// the server runs on a thread the window owns, one at a time, while the window stays
// responsive; the step's trace lines and result come back through queued calls. "&Cancel"
// cuts a running step short and the thread is joined before the window ends.
#include "designer/ftp/FtpBrowser.h"
#include "designer/ftp/FtpSite.h"
#include "designer/ftp/FtpWorker.h"
#include "designer/ftp/TrustDlg.h"

#include <wx/dialog.h>
#include <wx/treebase.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxButton;
class wxListCtrl;
class wxListEvent;
class wxTreeCtrl;
class wxTreeEvent;

namespace TEVComponentDesignerAfx {

class CTraceView;

class CFTPWindow : public wxDialog {
public:
    CFTPWindow(wxWindow* parent, const CFtpSite& profile, const std::string& localFolder);
    ~CFTPWindow() override;

    // The folder "&Select" or "&Publish" hands back.
    const std::string& GetChosenFolder() const { return m_chosenFolder; }

    // What the window shows, for tests and the properties page.
    bool IsConnected() const { return m_connected; }
    bool IsBusy() const { return m_busy; }
    const std::string& GetCurrentFolder() const { return m_currentFolder; }
    const std::vector<CRemoteEntry>& GetEntries() const { return m_entries; }
    wxTreeCtrl* GetTree() const { return m_tree; }
    wxListCtrl* GetList() const { return m_list; }
    CTraceView* GetTraceView() const { return m_trace; }
    long GetViewStyle() const { return m_viewCommand; }

    // The commands, as the menus and buttons run them.
    void Refresh();
    // "&New Folder" tells of a failure in a message box; the list's in-place edit does not.
    void NewFolder(const std::string& name, bool reportFailure = false);
    void StartNewFolderEdit();
    void Rename(const std::string& from, const std::string& to);
    void DeleteSelected();
    void UploadPaths(const std::vector<std::string>& localPaths);
    void UploadLocalFolder();
    void OpenFolder(const std::string& name);
    void SetViewStyle(int command);
    void SortBy(int column);

private:
    void CreateControls();
    void CreateList(wxWindow* parent);
    void CreateButtons();

    // Runs `work` on the window's thread; `done` follows on the GUI thread. False while
    // another step runs.
    bool RunAside(std::function<void()> work, std::function<void()> done);
    void TraceHere(TraceKind kind, const std::string& text);
    void AddTrace(TraceKind kind, const std::string& text);

    // The connect sequence.
    void Connect();
    void Attempt(int attempt);
    void AttemptFailed(int attempt);
    void Connected();
    void FailConnection();
    void OpenStartFolder(const std::string& folder);

    // Listing and what shows it.
    void ListFolder(const std::string& folder);
    void ShowListing(const std::string& folder, std::vector<CRemoteEntry> entries);
    wxTreeItemId FindNode(const wxTreeItemId& parent, const std::string& name) const;
    wxTreeItemId FindOrAddNode(const wxTreeItemId& parent, const std::string& name);
    wxTreeItemId NodeOf(const std::string& folder);
    std::string PathOf(const wxTreeItemId& node) const;
    void ShowEntries();
    std::vector<CRemoteEntry> SelectedEntries() const;
    // Selects `item` alone; -1 selects nothing.
    void SelectOnly(long item);
    void UpdateCommandStates();
    void EndWith(int result);

    // Message handlers.
    void OnTreeSelChanged(wxTreeEvent& event);
    void OnListItemActivated(wxListEvent& event);
    void OnListContextMenu(wxContextMenuEvent& event);
    void OnListEndLabelEdit(wxListEvent& event);
    void OnListColumnClick(wxListEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnSelect(wxCommandEvent& event);
    void OnPublish(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnNewFolderButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void ShowContextMenu();
    void ShowProperties();

    CFtpSite m_profile;
    std::string m_localFolder;
    std::string m_host;
    std::string m_chosenFolder;
    std::string m_currentFolder;
    std::vector<CRemoteEntry> m_entries;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    bool m_connected = false;
    bool m_busy = false;
    bool m_showingTree = false;
    bool m_editingNewFolder = false;
    bool m_ended = false;
    int m_viewCommand = 0;

    wxTreeCtrl* m_tree = nullptr;
    wxListCtrl* m_list = nullptr;
    CTraceView* m_trace = nullptr;
    wxButton* m_select = nullptr;
    wxButton* m_publish = nullptr;
    wxButton* m_newFolder = nullptr;

    // Declared before the client, which asks them until it goes.
    CTrustPrompt m_trustPrompt{this};
    CStoredTrust m_trust{DefaultTrustStorePath(), &m_trustPrompt};
    std::unique_ptr<IRemoteFileSystem> m_client;
    std::unique_ptr<CFtpBrowser> m_browser;
    // Declared last, so that its thread is joined before the client it uses goes.
    CFtpWorker m_worker;
};

} // namespace TEVComponentDesignerAfx
