#include "designer/ftp/ConnectDlg.h"

#include "designer/ftp/FTPSiteListBox.h"
#include "designer/ftp/ProfileNameDlg.h"
#include "designer/ftp/SitesFile.h"
#include "designer/ftp/UploadFolder.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/NumberEdit.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
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
    Create(parent, IDD_CONNECT_DIALOG, wxString::FromUTF8(kConnectDialogCaption),
           wxSize(kConnectDialogWidthDu, kConnectDialogHeightDu));
    CreateControls();
    GetResizeLayout().SetMinTrackSizeToCurrent();

    Bind(wxEVT_LISTBOX, &CConnectDlg::OnSelChangeSiteList, this, IDC_SITE_LIST);
    for (int id : {IDC_SERVER, IDC_PASSWORD, IDC_PORT, IDC_PATH, IDC_RETRIES, IDC_RETRY_DELAY,
                   IDC_DESCRIPTION})
        Bind(wxEVT_TEXT, &CConnectDlg::OnChangeValue, this, id);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnChangeValue, this, IDC_PASSIVE);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnChangeValue, this, IDC_LOG_ERRORS);
    Bind(wxEVT_TEXT, &CConnectDlg::OnChangeUsername, this, IDC_USERNAME);
    Bind(wxEVT_CHECKBOX, &CConnectDlg::OnAnonymous, this, IDC_ANONYMOUS);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnSave, this, IDC_SAVE_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnSaveAs, this, IDC_SAVE_SITE_AS);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnNewSite, this, IDC_NEW_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnDeleteSite, this, IDC_DELETE_SITE);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnPublish, this, IDC_PUBLISH);
    Bind(wxEVT_BUTTON, &CConnectDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CConnectDlg::OnClose, this);
    Bind(wxEVT_CHAR_HOOK, &CConnectDlg::OnCharHook, this);

    m_sites.Open(CSitesFile::DefaultPath());
    ShowList();
    ShowValues();
    CentreOnParent();
}

void CConnectDlg::CreateControls() {
    const auto du = [this](int x, int y, int width, int height) {
        return tev::DialogUnitsToPixels(this, x, y, width, height);
    };
    const auto text = [](const char* utf8) { return wxString::FromUTF8(utf8); };
    tev::ResizeLayout& layout = GetResizeLayout();
    const auto label = [&](const char* caption, int x, int y, int width) {
        auto* control = new wxStaticText(this, wxID_STATIC, text(caption));
        control->SetSize(du(x, y + 3, width, 9));
        return control;
    };
    const auto button = [&](int id, const char* caption, const wxRect& rect) {
        auto* control = new wxButton(this, id, text(caption));
        control->SetSize(rect);
        return control;
    };
    const auto check = [&](int id, const char* caption, const wxRect& rect) {
        auto* control = new wxCheckBox(this, id, text(caption));
        control->SetSize(rect);
        return control;
    };
    const int right = kConnectDialogWidthDu - 7; // right margin of the form
    const int fieldX = 167;                      // where the edits start
    const int fieldWidth = right - fieldX;

    // The profile list down the left, with "+" and "-" below it.
    m_list = new CFTPSiteListBox(this, IDC_SITE_LIST);
    m_list->SetSize(du(7, 7, 100, 173));
    layout.Anchor(m_list, tev::kAnchorTopLeft, tev::kAnchorBottomLeft);

    // The account on the right.
    label(kServerLabel, 115, 7, 50);
    m_server = new wxTextCtrl(this, IDC_SERVER);
    m_server->SetSize(du(fieldX, 7, fieldWidth, 14));
    layout.Anchor(m_server, tev::kAnchorTopLeft, tev::kAnchorTopRight);
    label(kUsernameLabel, 115, 25, 50);
    m_username = new wxTextCtrl(this, IDC_USERNAME);
    m_username->SetSize(du(fieldX, 25, fieldWidth - 62, 14));
    layout.Anchor(m_username, tev::kAnchorTopLeft, tev::kAnchorTopRight);
    m_anonymous = check(IDC_ANONYMOUS, kAnonymousCheck, du(right - 56, 26, 56, 12));
    layout.Anchor(m_anonymous, tev::kAnchorTopRight, tev::kAnchorTopRight);
    label(kPasswordLabel, 115, 43, 50);
    m_password = new tev::MaskedEdit(this, IDC_PASSWORD);
    m_password->SetSize(du(fieldX, 43, fieldWidth - 62, 14));
    layout.Anchor(m_password, tev::kAnchorTopLeft, tev::kAnchorTopRight);

    // "Optional": the remote folder, the connection settings and the two switches.
    auto* group = new wxStaticBox(this, wxID_STATIC, text(kOptionalGroup));
    group->SetSize(du(115, 62, right - 115, 88));
    layout.Anchor(group, tev::kAnchorTopLeft, tev::kAnchorTopRight);
    label(kPathLabel, 121, 76, 44);
    m_path = new wxTextCtrl(this, IDC_PATH);
    m_path->SetSize(du(fieldX, 76, fieldWidth - 62, 14));
    layout.Anchor(m_path, tev::kAnchorTopLeft, tev::kAnchorTopRight);
    m_browse = button(IDC_BROWSE, kBrowseButton, du(right - 56, 76, 50, 14));
    layout.Anchor(m_browse, tev::kAnchorTopRight, tev::kAnchorTopRight);
    label(kPortLabel, 121, 94, 44);
    m_port = new tev::NumberEdit(this, IDC_PORT);
    m_port->SetSize(du(fieldX, 94, 40, 14));
    label(kRetriesLabel, 121, 112, 44);
    m_retries = new tev::NumberEdit(this, IDC_RETRIES);
    m_retries->SetSize(du(fieldX, 112, 40, 14));
    label(kRetryDelayLabel, 121, 130, 44);
    m_retryDelay = new tev::NumberEdit(this, IDC_RETRY_DELAY);
    m_retryDelay->SetSize(du(fieldX, 130, 40, 14));
    m_passive = check(IDC_PASSIVE, kPassiveCheck, du(219, 95, 90, 12));
    m_logErrors = check(IDC_LOG_ERRORS, kLogErrorsCheck, du(219, 113, 90, 12));

    label(kDescriptionLabel, 115, 154, 60);
    m_description = new wxTextCtrl(this, IDC_DESCRIPTION, wxString(), wxDefaultPosition,
                                   wxDefaultSize, wxTE_MULTILINE);
    m_description->SetSize(du(115, 166, right - 115, 32));
    layout.Anchor(m_description, tev::kAnchorTopLeft, tev::kAnchorBottomRight);

    m_newSite = button(IDC_NEW_SITE, kNewSiteButton, du(7, 184, 22, 14));
    layout.Anchor(m_newSite, tev::kAnchorBottomLeft, tev::kAnchorBottomLeft);
    m_deleteSite = button(IDC_DELETE_SITE, kDeleteSiteButton, du(31, 184, 22, 14));
    layout.Anchor(m_deleteSite, tev::kAnchorBottomLeft, tev::kAnchorBottomLeft);

    // The commands along the bottom.
    m_save = button(IDC_SAVE_SITE, kSaveSiteButton, du(7, 205, 50, 14));
    layout.Anchor(m_save, tev::kAnchorBottomLeft, tev::kAnchorBottomLeft);
    m_saveAs = button(IDC_SAVE_SITE_AS, kSaveSiteAsButton, du(61, 205, 50, 14));
    layout.Anchor(m_saveAs, tev::kAnchorBottomLeft, tev::kAnchorBottomLeft);
    m_publish = button(IDC_PUBLISH, kPublishButton, du(right - 104, 205, 50, 14));
    layout.Anchor(m_publish, tev::kAnchorBottomRight, tev::kAnchorBottomRight);
    // The toolkit's Cancel identifier, so that Escape presses it.
    m_cancel = button(wxID_CANCEL, kCancelButton, du(right - 50, 205, 50, 14));
    layout.Anchor(m_cancel, tev::kAnchorBottomRight, tev::kAnchorBottomRight);

    // Browsing the server comes with the FTP browser window.
    m_browse->Disable();
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
    m_cancel->Enable(idle);
    m_list->Enable(idle);
}

void CConnectDlg::OnSelChangeSiteList(wxCommandEvent&) {
    m_sites.Select(m_list->GetSelection());
    ShowValues();
}

void CConnectDlg::OnChangeValue(wxCommandEvent&) {
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

void CConnectDlg::OnPublish(wxCommandEvent&) {
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
