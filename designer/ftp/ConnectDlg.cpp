#include "designer/ftp/ConnectDlg.h"

#include "designer/ftp/FTPSiteListBox.h"
#include "designer/ftp/FTPWindow.h"
#include "designer/ftp/ProfileNameDlg.h"
#include "designer/ftp/RemoteFileSystem.h"
#include "designer/ftp/SitesFile.h"
#include "designer/ftp/UploadFolder.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/NumberEdit.h"
#include "platform/widgets/Translations.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace TEVComponentDesignerAfx {
namespace {

using namespace tev::designer;
using Result = CFtpSiteList::Result;

// A numbers-only edit's value, as a decimal number: C atol, kept within 32 bits.
std::int32_t DecimalValue(const wxTextCtrl* edit) {
    const long value = tev::AtoL(edit->GetValue().utf8_string());
    return static_cast<std::int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

// The form's right margin, and where its edits start.
constexpr int kRight = kConnectDialogWidthDu - 7;
constexpr int kFieldX = 167;
constexpr int kFieldWidth = kRight - kFieldX;

constexpr CControlAnchors kStretchesRight{true, tev::kAnchorTopLeft, tev::kAnchorTopRight};
constexpr CControlAnchors kFollowsRight{true, tev::kAnchorTopRight, tev::kAnchorTopRight};
constexpr CControlAnchors kStretchesDown{true, tev::kAnchorTopLeft, tev::kAnchorBottomLeft};
constexpr CControlAnchors kStretchesBoth{true, tev::kAnchorTopLeft, tev::kAnchorBottomRight};
constexpr CControlAnchors kFollowsBottom{true, tev::kAnchorBottomLeft, tev::kAnchorBottomLeft};
constexpr CControlAnchors kFollowsBottomRight{true, tev::kAnchorBottomRight,
                                              tev::kAnchorBottomRight};

std::string TextOf(const wxTextCtrl* edit) {
    return edit->GetValue().utf8_string();
}

// Loads a value without a change event, and only when it differs, so the caret stays.
void ShowText(wxTextCtrl* edit, const std::string& text) {
    if (TextOf(edit) != text)
        edit->ChangeValue(wxString::FromUTF8(text));
}

void ShowNumber(wxTextCtrl* edit, std::int32_t value) {
    ShowText(edit, std::to_string(value));
}

} // namespace

CConnectDlg::CConnectDlg(wxWindow* parent) {
    Create(parent, IDD_CONNECT_DIALOG, tev::Tr(kConnectDialogCaption),
           wxSize(kConnectDialogWidthDu, kConnectDialogHeightDu));
    CreateControls();
    GetResizeLayout().SetMinTrackSizeToCurrent();

    Bind(wxEVT_LISTBOX, &CConnectDlg::OnSelChangeSiteList, this, IDC_SITE_LIST);
    for (int id : {IDC_SERVER, IDC_PASSWORD, IDC_PORT, IDC_PATH, IDC_RETRIES, IDC_RETRY_DELAY,
                   IDC_DESCRIPTION})
        Bind(wxEVT_TEXT, &CConnectDlg::OnChangeValue, this, id);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnChangeValue, this, IDC_PASSIVE);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnChangeValue, this, IDC_LOG_ERRORS);
    Bind(wxEVT_CHOICE, &CConnectDlg::OnProtocol, this, IDC_PROTOCOL);
    Bind(wxEVT_TEXT, &CConnectDlg::OnChangeUsername, this, IDC_USERNAME);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnAnonymous, this, IDC_ANONYMOUS);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnSave, this, IDC_SAVE_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnSaveAs, this, IDC_SAVE_SITE_AS);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnNewSite, this, IDC_NEW_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnDeleteSite, this, IDC_DELETE_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnPublish, this, IDC_PUBLISH);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnBrowse, this, IDC_BROWSE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CConnectDlg::OnClose, this);
    Bind(wxEVT_CHAR_HOOK, &CConnectDlg::OnCharHook, this);

    m_sites.Open(CSitesFile::Locate());
    ShowList();
    ShowValues();
    CentreOnParent();
}

void CConnectDlg::CreateControls() {
    // Created in the order the keyboard goes through them.
    m_list = Place(new CFTPSiteListBox(this, IDC_SITE_LIST), 7, 7, 100, 173, kStretchesDown);
    CreateAccountFields();
    CreateOptionalFields();
    CreateDescription();
    CreateCommands();
}

template <class Control>
Control* CConnectDlg::Place(Control* control, int x, int y, int width, int height,
                            const CControlAnchors& anchors) {
    control->SetSize(tev::DialogUnitsToPixels(this, x, y, width, height));
    if (anchors.follow)
        GetResizeLayout().Anchor(control, anchors.topLeft, anchors.bottomRight);
    return control;
}

void CConnectDlg::AddLabel(const char* caption, int x, int y, int width) {
    Place(new wxStaticText(this, wxID_STATIC, tev::Tr(caption)), x, y + 3, width, 9);
}

wxButton* CConnectDlg::AddButton(int id, const char* caption, int x, int y, int width,
                                 const CControlAnchors& anchors) {
    return Place(new wxButton(this, id, tev::Tr(caption)), x, y, width, 14, anchors);
}

wxCheckBox* CConnectDlg::AddCheck(int id, const char* caption, int x, int y, int width,
                                  const CControlAnchors& anchors) {
    return Place(new wxCheckBox(this, id, tev::Tr(caption)), x, y, width, 12, anchors);
}

void CConnectDlg::CreateAccountFields() {
    AddLabel(kServerLabel, 115, 7, 50);
    m_server =
        Place(new wxTextCtrl(this, IDC_SERVER), kFieldX, 7, kFieldWidth, 14, kStretchesRight);
    AddLabel(kUsernameLabel, 115, 25, 50);
    m_username = Place(new wxTextCtrl(this, IDC_USERNAME), kFieldX, 25, kFieldWidth - 62, 14,
                       kStretchesRight);
    m_anonymous = AddCheck(IDC_ANONYMOUS, kAnonymousCheck, kRight - 56, 26, 56, kFollowsRight);
    AddLabel(kPasswordLabel, 115, 43, 50);
    m_password = Place(new tev::MaskedEdit(this, IDC_PASSWORD), kFieldX, 43, kFieldWidth - 62, 14,
                       kStretchesRight);
}

void CConnectDlg::CreateOptionalFields() {
    // The remote folder, the connection settings and the two switches.
    Place(new wxStaticBox(this, wxID_STATIC, tev::Tr(kOptionalGroup)), 115, 62, kRight - 115, 88,
          kStretchesRight);
    AddLabel(kPathLabel, 121, 76, 44);
    m_path =
        Place(new wxTextCtrl(this, IDC_PATH), kFieldX, 76, kFieldWidth - 62, 14, kStretchesRight);
    m_browse = AddButton(IDC_BROWSE, kBrowseButton, kRight - 56, 76, 50, kFollowsRight);
    AddLabel(kPortLabel, 121, 94, 44);
    m_port = Place(new tev::NumberEdit(this, IDC_PORT), kFieldX, 94, 40, 14);
    AddLabel(kRetriesLabel, 121, 112, 44);
    m_retries = Place(new tev::NumberEdit(this, IDC_RETRIES), kFieldX, 112, 40, 14);
    AddLabel(kRetryDelayLabel, 121, 130, 44);
    m_retryDelay = Place(new tev::NumberEdit(this, IDC_RETRY_DELAY), kFieldX, 130, 40, 14);
    m_passive = AddCheck(IDC_PASSIVE, kPassiveCheck, 219, 95, 90);
    m_logErrors = AddCheck(IDC_LOG_ERRORS, kLogErrorsCheck, 219, 113, 90);
    AddLabel(kProtocolLabel, 219, 130, 40);
    m_protocol = Place(new wxChoice(this, IDC_PROTOCOL), 261, 130, 56, 14);
    for (const char* choice : kProtocolChoices)
        m_protocol->Append(wxString::FromUTF8(choice));
}

void CConnectDlg::CreateDescription() {
    AddLabel(kDescriptionLabel, 115, 154, 60);
    m_description = Place(new wxTextCtrl(this, IDC_DESCRIPTION, wxString(), wxDefaultPosition,
                                         wxDefaultSize, wxTE_MULTILINE),
                          115, 166, kRight - 115, 32, kStretchesBoth);
}

void CConnectDlg::CreateCommands() {
    // "+" and "-" under the list; along the bottom the profile's commands on the left, the
    // dialog's on the right.
    m_newSite = AddButton(IDC_NEW_SITE, kNewSiteButton, 7, 184, 22, kFollowsBottom);
    m_deleteSite = AddButton(IDC_DELETE_SITE, kDeleteSiteButton, 31, 184, 22, kFollowsBottom);
    m_save = AddButton(IDC_SAVE_SITE, kSaveSiteButton, 7, 205, 50, kFollowsBottom);
    m_saveAs = AddButton(IDC_SAVE_SITE_AS, kSaveSiteAsButton, 61, 205, 50, kFollowsBottom);
    m_publish = AddButton(IDC_PUBLISH, kPublishButton, kRight - 104, 205, 50, kFollowsBottomRight);
    // The toolkit's Cancel identifier, so that Escape presses it.
    m_cancel = AddButton(wxID_CANCEL, kCancelButton, kRight - 50, 205, 50, kFollowsBottomRight);
}

CFtpSite CConnectDlg::ReadControls() const {
    CFtpSite controls = m_sites.GetValues();
    controls.m_server = TextOf(m_server);
    controls.m_username = TextOf(m_username);
    controls.m_password = TextOf(m_password);
    controls.m_path = TextOf(m_path);
    controls.m_port = DecimalValue(m_port);
    controls.m_retries = DecimalValue(m_retries);
    controls.m_retryDelay = DecimalValue(m_retryDelay);
    controls.m_passive = m_passive->GetValue();
    controls.m_logErrors = m_logErrors->GetValue();
    controls.m_description = TextOf(m_description);
    return controls;
}

CUploadRequest CConnectDlg::GetUploadRequest() const {
    const CFtpSite controls = ReadControls();
    CUploadRequest request;
    request.server = controls.m_server;
    request.username = controls.m_username;
    request.password = controls.m_password;
    request.localFolder = m_localFolder;
    request.remotePath = controls.m_path;
    request.retries = controls.m_retries;
    request.retryDelay = controls.m_retryDelay;
    request.port = controls.m_port;
    request.passive = controls.m_passive;
    request.logErrors = controls.m_logErrors;
    return request;
}

void CConnectDlg::ShowList() {
    std::vector<CFTPSiteListBox::Entry> entries;
    for (int i = 0; i < m_sites.GetCount(); ++i)
        entries.push_back({m_sites.GetText(i), m_sites.IsPlaceholder(i)});
    m_list->SetEntries(std::move(entries), m_sites.GetSelection());
}

void CConnectDlg::ShowValues() {
    const CFtpSite& values = m_sites.GetValues();
    ShowText(m_server, values.m_server);
    ShowText(m_path, values.m_path);
    ShowNumber(m_port, values.m_port);
    ShowNumber(m_retries, values.m_retries);
    ShowNumber(m_retryDelay, values.m_retryDelay);
    ShowText(m_description, values.m_description);
    m_passive->SetValue(values.m_passive);
    m_logErrors->SetValue(values.m_logErrors);
    ShowProtocol();
    ShowAccount();
}

void CConnectDlg::ShowAccount() {
    const CFtpSite& values = m_sites.GetValues();
    ShowText(m_username, values.m_username);
    ShowText(m_password, values.m_password);
    ShowAnonymousState();
}

void CConnectDlg::ShowAnonymousState() {
    m_anonymous->SetValue(m_sites.IsAnonymous());
    m_password->SetMasked(m_sites.IsPasswordMasked());
    UpdateCommandStates();
}

void CConnectDlg::UpdateCommandStates() {
    const bool idle = !m_uploading;
    m_save->Enable(idle && m_sites.CanSave());
    m_saveAs->Enable(idle);
    m_newSite->Enable(idle);
    m_deleteSite->Enable(idle);
    m_publish->Enable(idle);
    m_browse->Enable(idle);
    m_cancel->Enable(idle);
    m_list->Enable(idle);
}

void CConnectDlg::OnSelChangeSiteList(wxCommandEvent&) {
    m_sites.Select(m_list->GetSelection());
    ShowValues();
}

void CConnectDlg::OnChangeValue(wxCommandEvent&) {
    m_sites.Edit(ReadControls());
    ShowProtocol();
    UpdateCommandStates();
}

void CConnectDlg::ShowProtocol() {
    const RemoteProtocol protocol = ProtocolOf(TextOf(m_server));
    m_protocol->SetSelection(protocol == RemoteProtocol::Unknown ? wxNOT_FOUND
                                                                 : static_cast<int>(protocol));
}

void CConnectDlg::OnProtocol(wxCommandEvent&) {
    const auto chosen = static_cast<RemoteProtocol>(m_protocol->GetSelection());
    const std::string server = TextOf(m_server);
    ShowNumber(m_port, PortAfterProtocolChange(DecimalValue(m_port), ProtocolOf(server), chosen));
    ShowText(m_server, WithProtocol(server, chosen));
    m_sites.Edit(ReadControls());
    UpdateCommandStates();
}

void CConnectDlg::OnChangeUsername(wxCommandEvent&) {
    m_sites.EditUsername(ReadControls());
    ShowAnonymousState();
}

void CConnectDlg::OnAnonymous(wxCommandEvent&) {
    m_sites.ClickAnonymous(ReadControls(), m_anonymous->GetValue());
    ShowAccount();
}

bool CConnectDlg::SaveSelected() {
    const Result result = m_sites.Save(ReadControls());
    if (result == Result::NeedsName)
        return SaveSelectedAs();
    ShowList();
    ShowValues();
    return result == Result::Saved || result == Result::NotWritten;
}

bool CConnectDlg::SaveSelectedAs() {
    if (m_sites.GetSelection() < 0)
        return false;
    CProfileNameDlg nameDialog(this);
    if (nameDialog.ShowModal() != wxID_OK)
        return false;
    const Result result = m_sites.SaveAs(ReadControls(), nameDialog.GetProfileName());
    if (const char* message = CFtpSiteList::MessageFor(result))
        tev::MessageBox(this, message, {}, wxOK | wxICON_EXCLAMATION);
    ShowList();
    ShowValues();
    return result == Result::Saved || result == Result::NotWritten;
}

void CConnectDlg::OnSave(wxCommandEvent&) {
    if (!m_uploading)
        SaveSelected();
}

void CConnectDlg::OnSaveAs(wxCommandEvent&) {
    if (!m_uploading)
        SaveSelectedAs();
}

void CConnectDlg::OnNewSite(wxCommandEvent&) {
    if (m_uploading)
        return;
    m_sites.New();
    ShowList();
    ShowValues();
}

void CConnectDlg::OnDeleteSite(wxCommandEvent&) {
    if (m_uploading)
        return;
    m_sites.Delete();
    ShowList();
    ShowValues();
}

void CConnectDlg::OnBrowse(wxCommandEvent&) {
    if (m_uploading)
        return;
    int result = wxID_CANCEL;
    std::string folder;
    {
        // The window and its connection go before an upload it asked for begins.
        CFTPWindow browser(this, ReadControls(), m_localFolder);
        result = browser.ShowModal();
        folder = browser.GetChosenFolder();
    }
    ApplyBrowseResult(result, folder);
}

void CConnectDlg::ApplyBrowseResult(int result, const std::string& folder) {
    if (result != IDC_FTP_SELECT && result != IDC_FTP_PUBLISH)
        return;
    // Through the edit's own change event, which marks the profile changed.
    m_path->SetValue(wxString::FromUTF8(folder));
    if (result == IDC_FTP_PUBLISH)
        Publish();
}

void CConnectDlg::OnPublish(wxCommandEvent&) {
    Publish();
}

void CConnectDlg::Publish() {
    if (m_uploading)
        return;
    const CUploadRequest request = GetUploadRequest();
    m_uploading = true;
    UpdateCommandStates();
    const bool uploaded = UploadFolder(this, request);
    m_uploading = false;
    UpdateCommandStates();
    if (uploaded)
        CloseWith(wxID_OK);
}

bool CConnectDlg::AskToSaveChanges() {
    if (!m_sites.IsDirty())
        return true;
    switch (
        tev::MessageBox(this, kSaveChangesQuestion, {}, wxYES_NO | wxCANCEL | wxICON_QUESTION)) {
    case wxID_CANCEL:
        return false;
    case wxID_NO:
        return true;
    default:
        // With nothing selected there is nothing to save into. A name that was cancelled or
        // refused keeps the dialog open instead of dropping the changes the user chose to keep.
        return m_sites.GetSelection() < 0 || SaveSelected();
    }
}

bool CConnectDlg::CloseWith(int result) {
    if (m_uploading || !AskToSaveChanges())
        return false;
    EndDialog(result);
    return true;
}

void CConnectDlg::EndDialog(int result) {
    if (IsModal()) {
        EndModal(result);
    } else {
        SetReturnCode(result);
        Hide();
    }
}

void CConnectDlg::OnOK() {
    CloseWith(wxID_OK);
}

void CConnectDlg::OnCancel(wxCommandEvent&) {
    CloseWith(wxID_CANCEL);
}

void CConnectDlg::OnClose(wxCloseEvent& event) {
    if (!CloseWith(wxID_CANCEL) && event.CanVeto())
        event.Veto();
}

void CConnectDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if ((key != WXK_RETURN && key != WXK_NUMPAD_ENTER) || event.HasAnyModifiers()) {
        event.Skip();
        return;
    }
    // Enter ends the dialog as OK, except where it has a job of its own: a new line in
    // the description, or pressing the focused button. The key's own window says which, not
    // whatever holds the display's focus when the event is handled.
    wxObject* target = event.GetEventObject();
    if (target == m_description || dynamic_cast<wxButton*>(target)) {
        event.Skip();
        return;
    }
    OnOK();
}

} // namespace TEVComponentDesignerAfx
