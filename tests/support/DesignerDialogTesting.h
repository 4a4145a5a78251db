#pragma once
// Answers for the designer's own dialogs in window tests (with wxTEST_DIALOG). Header only:
// a test that includes it links the designer library anyway.
#include "designer/core/TemplateDialog.h"
#include "tests/support/WindowTesting.h"

#include <string>

namespace tevtest {

// Answers "Create Template" with a name, as a user typing it and pressing OK (or `answer`)
// would.
class ExpectTemplateName
    : public wxExpectModalBase<TEVComponentDesignerAfx::CTemplateDialog, ExpectTemplateName> {
public:
    explicit ExpectTemplateName(std::string name, int answer = wxID_OK)
        : m_name(std::move(name)), m_answer(answer) {}

protected:
    int OnInvoked(TEVComponentDesignerAfx::CTemplateDialog* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), "Create Template");
        dialog->SetTemplateName(m_name);
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "Create Template"; }

private:
    std::string m_name;
    int m_answer;
};

} // namespace tevtest
