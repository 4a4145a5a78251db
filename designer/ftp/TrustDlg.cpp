#include "designer/ftp/TrustDlg.h"

#include "resources/designer/FtpDialogs.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/thread.h>

#include <future>

namespace TEVComponentDesignerAfx {

namespace {

using namespace tev::designer;

wxString Wx(const std::string& text) {
    return wxString::FromUTF8(text);
}

} // namespace

CTrustDlg::CTrustDlg(wxWindow* parent, const CRemoteIdentity& identity)
    : wxDialog(parent, IDD_TRUST_DIALOG,
               Wx(identity.kind == RemoteIdentityKind::Certificate ? kTrustCertificateCaption
                                                                   : kTrustHostKeyCaption)) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    const std::string where = identity.host + ":" + std::to_string(identity.port);
    auto* intro =
        new wxStaticText(this, wxID_STATIC,
                         wxString::Format(Wx(kTrustIntro), Wx(where), Wx(KindText(identity.kind)),
                                          Wx(identity.reason)));
    intro->Wrap(FromDIP(600));
    column->Add(intro, 0, wxALL, FromDIP(10));
    AddDetails(column, identity);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, IDC_TRUST_ALWAYS, Wx(kTrustAlwaysButton)), 0, wxRIGHT,
                 FromDIP(6));
    buttons->Add(new wxButton(this, IDC_TRUST_ONCE, Wx(kTrustOnceButton)), 0, wxRIGHT, FromDIP(6));
    auto* refuse = new wxButton(this, wxID_CANCEL, Wx(kTrustRefuseButton));
    buttons->Add(refuse);
    // Enter must not trust by accident.
    refuse->SetDefault();
    refuse->SetFocus();
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, FromDIP(10));
    SetSizerAndFit(column);
    Bind(wxEVT_BUTTON, &CTrustDlg::OnChoice, this, IDC_TRUST_ALWAYS);
    Bind(wxEVT_BUTTON, &CTrustDlg::OnChoice, this, IDC_TRUST_ONCE);
    CentreOnParent();
}

void CTrustDlg::AddDetails(wxSizer* sizer, const CRemoteIdentity& identity) {
    auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(10));
    auto row = [this, grid](const char* label, const std::string& value) {
        grid->Add(new wxStaticText(this, wxID_STATIC, Wx(label)));
        grid->Add(new wxStaticText(this, wxID_STATIC, Wx(value)));
    };
    if (identity.kind == RemoteIdentityKind::Certificate) {
        row(kTrustSubjectLabel, identity.subject);
        row(kTrustIssuerLabel, identity.issuer);
        row(kTrustValidityLabel, wxString::Format(Wx(kTrustValidityFormat), Wx(identity.validFrom),
                                                  Wx(identity.validUntil))
                                     .utf8_string());
    } else {
        row(kTrustKeyTypeLabel, identity.subject);
    }
    row(kTrustFingerprintLabel, identity.fingerprint);
    sizer->Add(grid, 0, wxLEFT | wxRIGHT, FromDIP(10));
}

void CTrustDlg::OnChoice(wxCommandEvent& event) {
    EndModal(event.GetId());
}

TrustChoice CTrustDlg::ChoiceOf(int result) {
    if (result == IDC_TRUST_ALWAYS)
        return TrustChoice::Always;
    return result == IDC_TRUST_ONCE ? TrustChoice::Once : TrustChoice::Refuse;
}

TrustChoice CTrustPrompt::Ask(const CRemoteIdentity& identity) {
    auto ask = [this, identity] {
        CTrustDlg dialog(m_parent, identity);
        return CTrustDlg::ChoiceOf(dialog.ShowModal());
    };
    if (wxIsMainThread())
        return ask();
    auto answer = std::make_shared<std::promise<TrustChoice>>();
    std::future<TrustChoice> answered = answer->get_future();
    wxTheApp->CallAfter([ask, answer] { answer->set_value(ask()); });
    return answered.get();
}

} // namespace TEVComponentDesignerAfx
