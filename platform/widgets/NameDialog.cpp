#include "platform/widgets/NameDialog.h"

#include "platform/widgets/MessageBox.h"
#include "platform/widgets/ResizeLayout.h"
#include "platform/widgets/Translations.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tev {

NameDialog::NameDialog(wxWindow* parent, const Form& form)
    : wxDialog(parent, form.dialogId, Tr(form.caption)), m_emptyNameMessage(form.emptyNameMessage) {
    SetClientSize(DialogUnitsToPixels(this, form.widthDu, form.heightDu));
    auto* label = new wxStaticText(this, form.labelId, Tr(form.label));
    label->SetSize(DialogUnitsToPixels(this, 7, 7, 158, 8));
    m_nameEdit = new wxTextCtrl(this, form.editId, wxString(), wxDefaultPosition, wxDefaultSize,
                                wxTE_PROCESS_ENTER);
    m_nameEdit->SetSize(DialogUnitsToPixels(this, 7, 18, 158, 14));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(DialogUnitsToPixels(this, 61, 52, 50, 14));
    auto* cancel = new wxButton(this, wxID_CANCEL, Tr(form.cancelText));
    cancel->SetSize(DialogUnitsToPixels(this, 115, 52, 50, 14));
    ok->SetDefault();
    m_nameEdit->SetFocus();

    Bind(wxEVT_BUTTON, &NameDialog::OnOK, this, wxID_OK);
    m_nameEdit->Bind(wxEVT_TEXT_ENTER, &NameDialog::OnOK, this);
}

void NameDialog::SetEnteredName(const std::string& name) {
    m_name = name;
    m_nameEdit->ChangeValue(wxString::FromUTF8(name));
}

bool NameDialog::AcceptName() {
    m_name = m_nameEdit->GetValue().utf8_string();
    if (m_name.empty()) {
        MessageBox(this, m_emptyNameMessage, {}, wxOK);
        return false;
    }
    return true;
}

void NameDialog::OnOK(wxCommandEvent&) {
    if (AcceptName() && IsModal())
        EndModal(wxID_OK);
}

} // namespace tev
