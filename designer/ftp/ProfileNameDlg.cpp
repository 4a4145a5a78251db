#include "designer/ftp/ProfileNameDlg.h"

#include "designer/ftp/FtpSiteList.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/ResizeLayout.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

CProfileNameDlg::CProfileNameDlg(wxWindow* parent)
    : wxDialog(parent, IDD_PROFILE_NAME_DIALOG, wxString::FromUTF8(kProfileNameDialogCaption)) {
    SetClientSize(
        tev::DialogUnitsToPixels(this, kProfileNameDialogWidthDu, kProfileNameDialogHeightDu));
    auto* label = new wxStaticText(this, wxID_STATIC, wxString::FromUTF8(kProfileNameLabel));
    label->SetSize(tev::DialogUnitsToPixels(this, 7, 7, 158, 8));
    m_nameEdit = new wxTextCtrl(this, IDC_PROFILE_NAME, wxString(), wxDefaultPosition,
                                wxDefaultSize, wxTE_PROCESS_ENTER);
    m_nameEdit->SetSize(tev::DialogUnitsToPixels(this, 7, 18, 158, 14));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(tev::DialogUnitsToPixels(this, 61, 52, 50, 14));
    auto* cancel = new wxButton(this, wxID_CANCEL, wxString::FromUTF8(kCancelButton));
    cancel->SetSize(tev::DialogUnitsToPixels(this, 115, 52, 50, 14));
    ok->SetDefault();
    m_nameEdit->SetFocus();

    Bind(wxEVT_BUTTON, &CProfileNameDlg::OnOK, this, wxID_OK);
    m_nameEdit->Bind(wxEVT_TEXT_ENTER, &CProfileNameDlg::OnOK, this);
}

void CProfileNameDlg::SetProfileName(const std::string& name) {
    m_name = name;
    m_nameEdit->ChangeValue(wxString::FromUTF8(name));
}

bool CProfileNameDlg::AcceptName() {
    m_name = m_nameEdit->GetValue().utf8_string();
    if (m_name.empty()) {
        tev::MessageBox(this, CFtpSiteList::kEmptyNameText, {}, wxOK);
        return false;
    }
    return true;
}

void CProfileNameDlg::OnOK(wxCommandEvent&) {
    if (AcceptName() && IsModal())
        EndModal(wxID_OK);
}

} // namespace TEVComponentDesignerAfx
