#pragma once
// A dialog that asks for one name: a label, an edit field, OK and Cancel. OK (or Enter in the
// field) with an empty name shows a message and keeps the dialog open.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

namespace tev {

class NameDialog : public wxDialog {
public:
    // What tells one name dialog from another; the layout is the same for all.
    struct Form {
        int dialogId;
        std::string caption;
        int widthDu; // the client area in dialog units
        int heightDu;
        int labelId;
        std::string label;
        int editId;
        std::string cancelText;
        std::string emptyNameMessage; // shown when OK finds the field empty
    };

    NameDialog(wxWindow* parent, const Form& form);

    const std::string& GetEnteredName() const { return m_name; }
    // Sets the name and the edit field (for callers that answer the dialog themselves).
    void SetEnteredName(const std::string& name);

    // The OK button: reads the field; true (and the dialog ends with OK) when a name was
    // given, otherwise the message is shown and the dialog stays.
    bool AcceptName();

private:
    void OnOK(wxCommandEvent& event);

    wxTextCtrl* m_nameEdit = nullptr;
    std::string m_name;
    std::string m_emptyNameMessage;
};

} // namespace tev
