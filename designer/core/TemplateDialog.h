#pragma once
// "Create Template": asks for the name of a new user style. OK with an empty name says so
// and keeps the dialog open.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

namespace TEVComponentDesignerAfx {

class CTemplateDialog : public wxDialog {
public:
    explicit CTemplateDialog(wxWindow* parent = nullptr);

    const std::string& GetTemplateName() const { return m_strName; }
    // Sets the name and the edit field (for callers that answer the dialog themselves).
    void SetTemplateName(const std::string& name);

    // The OK button: reads the field; true (and the dialog ends with OK) when a name was
    // given, otherwise the message is shown and the dialog stays.
    bool AcceptName();

private:
    void OnOK(wxCommandEvent& event);

    wxTextCtrl* m_pNameEdit = nullptr;
    std::string m_strName;
};

} // namespace TEVComponentDesignerAfx
