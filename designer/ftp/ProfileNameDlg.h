#pragma once
// "Profile": asks for the name of a new FTP profile. OK with an empty name says so and keeps
// the dialog open.
#include "platform/widgets/NameDialog.h"

#include <string>

namespace TEVComponentDesignerAfx {

class CProfileNameDlg : public tev::NameDialog {
public:
    explicit CProfileNameDlg(wxWindow* parent);

    const std::string& GetProfileName() const { return GetEnteredName(); }
    // Sets the name and the edit field (for callers that answer the dialog themselves).
    void SetProfileName(const std::string& name) { SetEnteredName(name); }
};

} // namespace TEVComponentDesignerAfx
