#pragma once
// The question about a certificate or SSH host key never trusted before: what it is
// (subject, issuer, validity, SHA-256 fingerprint) and the choice to trust it always, once
// or not at all. CTrustPrompt asks it for the engine, whose calls run on threads of their
// own: the dialog shows on the GUI thread while the asking thread waits for the answer.
#include "designer/ftp/RemoteTrust.h"

#include <wx/dialog.h>

namespace TEVComponentDesignerAfx {

class CTrustDlg : public wxDialog {
public:
    CTrustDlg(wxWindow* parent, const CRemoteIdentity& identity);
    // The choice ShowModal's result stands for.
    static TrustChoice ChoiceOf(int result);

private:
    void AddDetails(wxSizer* sizer, const CRemoteIdentity& identity);
    void OnChoice(wxCommandEvent& event);
};

class CTrustPrompt : public IRemoteTrustPrompt {
public:
    // `parent` must outlive every question asked.
    explicit CTrustPrompt(wxWindow* parent) : m_parent(parent) {}
    TrustChoice Ask(const CRemoteIdentity& identity) override;

private:
    wxWindow* m_parent;
};

} // namespace TEVComponentDesignerAfx
