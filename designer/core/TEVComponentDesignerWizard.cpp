#include "designer/core/TEVComponentDesignerWizard.h"

#include "platform/widgets/Translations.h"
#include "resources/designer/DesignerStrings.h"

#include <wx/sizer.h>

using namespace tev::designer;

namespace TEVComponentDesignerAfx {

CTEVComponentDesignerWizard::CTEVComponentDesignerWizard(const std::string& progId,
                                                         wxWindow* parent)
    : wxDialog(parent, IDD_COMPONENT_WIZARD, tev::Tr(kWizardCaption), wxDefaultPosition,
               wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMINIMIZE_BOX | wxMAXIMIZE_BOX),
      m_strProgId(progId), m_unbornView(std::make_unique<CTEVComponentDesignerView>(false, false)),
      m_view(m_unbornView.get()) {
    SetSize(ConvertDialogToPixels(wxSize(kWizardWidthDu, kWizardHeightDu)));
    Bind(wxEVT_INIT_DIALOG, &CTEVComponentDesignerWizard::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CTEVComponentDesignerWizard::OnOK, this, wxID_OK);
}

void CTEVComponentDesignerWizard::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    if (!m_unbornView)
        return;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const wxSize client = GetClientSize();
    m_view->SetProgID(m_strProgId);
    if (m_view->Create(this, IDC_WIZARD_DESIGNER_VIEW, wxRect(wxPoint(0, 0), client),
                       wxBORDER_SUNKEN)) {
        m_unbornView.release();
        sizer->Add(m_view, 1, wxEXPAND | wxALL, FromDIP(7));
        // No CreateNew: an empty XML leaves the component's defaults and an empty control.
        m_view->SetPropertiesXml(m_strPropertiesXml);
    }
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(7));
    SetSizer(sizer);
    Layout();
}

void CTEVComponentDesignerWizard::OnOK(wxCommandEvent&) {
    if (!m_unbornView)
        m_strPropertiesXml = m_view->GetPropertiesXml();
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
}

} // namespace TEVComponentDesignerAfx
