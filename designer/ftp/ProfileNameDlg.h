#pragma once
// "Profile": asks for the name of a new FTP profile. OK with an empty name says so and keeps
// the dialog open.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

namespace TEVComponentDesignerAfx {

class CProfileNameDlg : public wxDialog {
public:
    explicit CProfileNameDlg(wxWindow* parent);

    const std::string& GetProfileName() const { return m_name; }
    // Sets the name and the edit field (for callers that answer the dialog themselves).
    void SetProfileName(const std::string& name);

    // The OK button: reads the field; true (and the dialog ends with OK) when a name was
    // given, otherwise the message is shown and the dialog stays.
    bool AcceptName();

private:
    void OnOK(wxCommandEvent& event);

    wxTextCtrl* m_nameEdit = nullptr;
    std::string m_name;
};

} // namespace TEVComponentDesignerAfx
