#pragma once
// "Publish": the FTP profiles kept in sites.dat and the upload of the publish folder. The
// dialog forwards every event of its controls to a CFtpSiteList and then shows what the list
// holds; it keeps no profile state of its own.
//
//     CConnectDlg dialog(parent);
//     dialog.SetLocalFolder(publishFolder);
//     dialog.ShowModal();
//
// While an upload runs, "&Publish", the profile commands, the list and "Cancel" are
// disabled, and Enter and the close box do nothing, so a second upload cannot start and the
// dialog cannot end under the running one.
#include "designer/ftp/FolderUpload.h"
#include "designer/ftp/FtpSiteList.h"
#include "platform/widgets/ResizeLayout.h"

#include <string>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace tev {
class MaskedEdit;
class NumberEdit;
} // namespace tev

namespace TEVComponentDesignerAfx {

class CFTPSiteListBox;

// How a control of the dialog follows its size: the anchors of its corners, when it does.
struct CControlAnchors {
    bool follow = false;
    tev::ResizePoint topLeft = tev::kAnchorTopLeft;
    tev::ResizePoint bottomRight = tev::kAnchorTopLeft;
};

class CConnectDlg : public tev::ResizeDialog {
public:
    // Reads sites.dat beside the program and loads the profile selected last.
    explicit CConnectDlg(wxWindow* parent);

    // The folder "&Publish" uploads: the project's publish folder.
    void SetLocalFolder(const std::string& folder) { m_localFolder = folder; }
    const std::string& GetLocalFolder() const { return m_localFolder; }

    // The profiles, the selection and the values the controls show.
    const CFtpSiteList& GetSiteList() const { return m_sites; }
    // The controls' current values, as the profile list's events take them.
    CFtpSite ReadControls() const;
    // What "&Publish" uploads with now.
    CUploadRequest GetUploadRequest() const;
    bool IsUploading() const { return m_uploading; }
    // What "&Browse..." does with the FTP window's ending: after "&Select" the folder goes
    // into "&Path:" (the profile is then changed); after "&Publish" the upload follows.
    void ApplyBrowseResult(int result, const std::string& folder);

private:
    // The controls, in dialog units, part by part.
    void CreateControls();
    void CreateAccountFields();
    void CreateOptionalFields();
    void CreateDescription();
    void CreateCommands();
    // Sizes `control` to the rectangle given in dialog units and anchors it.
    template <class Control>
    Control* Place(Control* control, int x, int y, int width, int height,
                   const CControlAnchors& anchors = {});
    void AddLabel(const char* caption, int x, int y, int width);
    wxButton* AddButton(int id, const char* caption, int x, int y, int width,
                        const CControlAnchors& anchors);
    wxCheckBox* AddCheck(int id, const char* caption, int x, int y, int width,
                         const CControlAnchors& anchors = {});

    // Message handlers.
    void OnSelChangeSiteList(wxCommandEvent& event);
    void OnChangeValue(wxCommandEvent& event);
    void OnProtocol(wxCommandEvent& event);
    void OnChangeUsername(wxCommandEvent& event);
    void OnAnonymous(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnNewSite(wxCommandEvent& event);
    void OnDeleteSite(wxCommandEvent& event);
    void OnPublish(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
    void Publish();
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnOK();

    // "Sa&ve" and "Save As...": true when the profile was stored in the list (sites.dat may
    // still have been unwritable); false when nothing was selected or the name was
    // cancelled or refused.
    bool SaveSelected();
    bool SaveSelectedAs();
    // Enter, close and "Cancel": asks to save when there are changes; false keeps the
    // dialog open.
    bool CloseWith(int result);
    bool AskToSaveChanges();
    void EndDialog(int result);

    // Show what the profile list holds.
    void ShowList();
    void ShowValues();
    void ShowAccount();
    void ShowAnonymousState();
    void ShowProtocol();
    void UpdateCommandStates();

    CFtpSiteList m_sites;
    std::string m_localFolder;
    bool m_uploading = false;

    CFTPSiteListBox* m_list = nullptr;
    wxTextCtrl* m_server = nullptr;
    wxTextCtrl* m_username = nullptr;
    tev::MaskedEdit* m_password = nullptr;
    wxTextCtrl* m_path = nullptr;
    wxButton* m_browse = nullptr;
    tev::NumberEdit* m_port = nullptr;
    tev::NumberEdit* m_retries = nullptr;
    tev::NumberEdit* m_retryDelay = nullptr;
    wxCheckBox* m_passive = nullptr;
    wxCheckBox* m_anonymous = nullptr;
    wxCheckBox* m_logErrors = nullptr;
    wxChoice* m_protocol = nullptr;
    wxTextCtrl* m_description = nullptr;
    wxButton* m_newSite = nullptr;
    wxButton* m_deleteSite = nullptr;
    wxButton* m_save = nullptr;
    wxButton* m_publish = nullptr;
    wxButton* m_saveAs = nullptr;
    wxButton* m_cancel = nullptr;
};

} // namespace TEVComponentDesignerAfx
