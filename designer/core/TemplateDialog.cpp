#include "designer/core/TemplateDialog.h"

#include "platform/widgets/MessageBox.h"
#include "platform/widgets/ResizeLayout.h"
#include "resources/designer/DesignerStrings.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

CTemplateDialog::CTemplateDialog(wxWindow* parent)
    : wxDialog(parent, IDD_TEMPLATE_DIALOG, wxString::FromUTF8(kTemplateDialogCaption)) {
    // Dialog template 7611, 172 x 73 dialog units.
    SetClientSize(tev::DialogUnitsToPixels(this, kTemplateDialogWidthDu, kTemplateDialogHeightDu));
    auto* label =
        new wxStaticText(this, IDC_TEMPLATE_NAME_LABEL, wxString::FromUTF8(kTemplateNameLabel));
    label->SetSize(tev::DialogUnitsToPixels(this, 7, 7, 158, 8));
    m_pNameEdit = new wxTextCtrl(this, IDC_TEMPLATE_NAME, wxString(), wxDefaultPosition,
                                 wxDefaultSize, wxTE_PROCESS_ENTER);
    m_pNameEdit->SetSize(tev::DialogUnitsToPixels(this, 7, 18, 158, 14));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(tev::DialogUnitsToPixels(this, 61, 52, 50, 14));
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->SetSize(tev::DialogUnitsToPixels(this, 115, 52, 50, 14));
    ok->SetDefault();
    m_pNameEdit->SetFocus();

    Bind(wxEVT_BUTTON, &CTemplateDialog::OnOK, this, wxID_OK);
    m_pNameEdit->Bind(wxEVT_TEXT_ENTER, &CTemplateDialog::OnOK, this);
}

void CTemplateDialog::SetTemplateName(const std::string& name) {
    m_strName = name;
    m_pNameEdit->ChangeValue(wxString::FromUTF8(name));
}

bool CTemplateDialog::AcceptName() {
    m_strName = m_pNameEdit->GetValue().utf8_string();
    if (m_strName.empty()) {
        tev::MessageBox(this, DesignerString(IDS_SPECIFY_STYLE_NAME), {}, wxOK);
        return false;
    }
    return true;
}

void CTemplateDialog::OnOK(wxCommandEvent&) {
    if (AcceptName() && IsModal())
        EndModal(wxID_OK);
}

} // namespace TEVComponentDesignerAfx
