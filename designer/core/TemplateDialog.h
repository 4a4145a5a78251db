#pragma once
// "Create Template": asks for the name of a new user style. OK with an empty name says so
// and keeps the dialog open.
#include "platform/widgets/NameDialog.h"

#include <string>

namespace TEVComponentDesignerAfx {

class CTemplateDialog : public tev::NameDialog {
public:
    explicit CTemplateDialog(wxWindow* parent = nullptr);

    const std::string& GetTemplateName() const { return GetEnteredName(); }
    // Sets the name and the edit field (for callers that answer the dialog themselves).
    void SetTemplateName(const std::string& name) { SetEnteredName(name); }
};

} // namespace TEVComponentDesignerAfx
