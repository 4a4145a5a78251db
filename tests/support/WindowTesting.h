#pragma once
// Window tests never wait on a dialog. Include this instead of <wx/testing.h>:
//   - wxTEST_DIALOG(code, expectations...) answers the expected dialogs; a dialog that was
//     not expected, or an expected one that did not come, fails the test (through
//     GoogleTest) and an unexpected dialog is answered with Cancel;
//   - a dialog shown outside wxTEST_DIALOG fails the test and is cancelled;
//   - a failed toolkit check (wxASSERT) fails the test instead of opening a box.
// Every window test program runs on a display of its own, so its windows meet no other
// program's.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tevtest {
class GTestModalHook;
}
#define wxTEST_DIALOG_HOOK_CLASS tevtest::GTestModalHook
#include <wx/testing.h>

namespace tevtest {

class GTestModalHook : public wxTestingModalHook {
public:
    GTestModalHook(const char* file, int line, const char* func)
        : wxTestingModalHook(file, line, func), m_failFile(file), m_failLine(line) {}

protected:
    int Enter(wxDialog* dialog) override {
        const int result = wxTestingModalHook::Enter(dialog);
        return result == wxID_NONE ? wxID_CANCEL : result;
    }
    void ReportFailure(const wxString& message) override {
        ADD_FAILURE_AT(m_failFile ? m_failFile : __FILE__, m_failLine) << message.utf8_string();
    }

private:
    const char* m_failFile;
    int m_failLine;
};

// Runs `code` and fails the test if it shows any dialog (which is then cancelled).
#define TEV_EXPECT_NO_DIALOG(code)                                                                 \
    do {                                                                                           \
        tevtest::GTestModalHook noDialogHook(__FILE__, __LINE__, __func__);                        \
        code;                                                                                      \
        noDialogHook.CheckUnmetExpectations();                                                     \
    } while (0)

// Expects a message box with this text (and caption, unless null) and answers `answer`.
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialog, ExpectMessageBox> {
public:
    ExpectMessageBox(std::string text, int answer, const char* caption = nullptr)
        : m_text(std::move(text)), m_answer(answer), m_caption(caption ? caption : ""),
          m_checkCaption(caption != nullptr) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        EXPECT_EQ(box->GetMessage().utf8_string(), m_text);
        if (m_checkCaption) {
            EXPECT_EQ(box->GetTitle().utf8_string(), m_caption);
        }
        return m_answer;
    }
    wxString GetDefaultDescription() const override {
        return "message box \"" + wxString::FromUTF8(m_text) + "\"";
    }

private:
    std::string m_text;
    int m_answer;
    std::string m_caption;
    bool m_checkCaption;
};

// Expects a file dialog, checks its filter and kind, and chooses `path` (OK) or cancels.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
public:
    enum Kind { Open, Save };
    ExpectFileDialog(Kind kind, std::string wildcard, std::string path, int answer = wxID_OK)
        : m_kind(kind), m_wildcard(std::move(wildcard)), m_path(std::move(path)), m_answer(answer) {
    }

protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        EXPECT_EQ(dialog->GetWildcard().utf8_string(), m_wildcard);
        if (m_kind == Save) {
            EXPECT_TRUE(dialog->HasFdFlag(wxFD_SAVE));
            EXPECT_TRUE(dialog->HasFdFlag(wxFD_OVERWRITE_PROMPT));
        } else {
            EXPECT_TRUE(dialog->HasFdFlag(wxFD_OPEN));
        }
        if (m_answer == wxID_OK)
            dialog->SetPath(wxString::FromUTF8(m_path));
        return m_answer;
    }
    wxString GetDefaultDescription() const override {
        return m_kind == Save ? "Save dialog" : "Open dialog";
    }

private:
    Kind m_kind;
    std::string m_wildcard;
    std::string m_path;
    int m_answer;
};

// While alive, dialogs outside wxTEST_DIALOG really show (for a test that drives a dialog
// itself, from a CallAfter inside its modal loop).
class AllowRealDialogs {
public:
    AllowRealDialogs() { ++Depth(); }
    ~AllowRealDialogs() { --Depth(); }
    static int& Depth() {
        static int depth = 0;
        return depth;
    }
};

// Catches every dialog that no wxTEST_DIALOG answered.
class UnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        if (AllowRealDialogs::Depth() > 0)
            return wxID_NONE;
        std::string text = dialog->GetTitle().utf8_string();
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            text += ": " + box->GetMessage().utf8_string();
        ADD_FAILURE() << "A dialog was shown that no test expected: " << text;
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

inline void FailOnToolkitAssert(const wxString& file, int line, const wxString& func,
                                const wxString& cond, const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "toolkit check failed in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

class DialogGuardEnvironment : public testing::Environment {
public:
    void SetUp() override {
        m_hook.Register();
        wxSetAssertHandler(&FailOnToolkitAssert);
    }
    void TearDown() override { m_hook.Unregister(); }

private:
    UnexpectedDialogHook m_hook;
};

inline const bool kDialogGuardInstalled =
    (testing::AddGlobalTestEnvironment(new DialogGuardEnvironment), true);

// The first window of type T in the tree of `window` (itself first, then its children depth
// first); null when there is none.
template <class T> T* FindWindowOfType(wxWindow* window) {
    if (auto* found = dynamic_cast<T*>(window))
        return found;
    for (wxWindow* child : window->GetChildren()) {
        if (T* found = FindWindowOfType<T>(child))
            return found;
    }
    return nullptr;
}

// The user works the control `id` below `parent` as the toolkit would report it: ticks a
// check box or radio button, picks a list entry, types into an edit or an editable list
// (every keystroke's change at once), presses a button. Each fails the test when there is
// no such control of that kind.
inline void Tick(wxWindow* parent, int id, bool on) {
    wxWindow* control = parent->FindWindow(id);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
        box->SetValue(on);
    } else if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
        radio->SetValue(on);
        event.SetEventType(wxEVT_RADIOBUTTON);
    } else {
        ADD_FAILURE() << "no check box or radio button " << id;
        return;
    }
    event.SetEventObject(control);
    event.SetInt(on);
    control->ProcessWindowEvent(event);
}
inline void Choose(wxWindow* parent, int id, int index) {
    auto* choice = dynamic_cast<wxChoice*>(parent->FindWindow(id));
    ASSERT_NE(choice, nullptr) << id;
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, id);
    event.SetEventObject(choice);
    event.SetInt(index);
    choice->ProcessWindowEvent(event);
}
inline void Type(wxWindow* parent, int id, const std::string& text) {
    auto* entry = dynamic_cast<wxTextEntry*>(parent->FindWindow(id));
    ASSERT_NE(entry, nullptr) << id;
    entry->SetValue(wxString::FromUTF8(text));
}
inline void Press(wxWindow* parent, int id) {
    auto* button = dynamic_cast<wxButton*>(parent->FindWindow(id));
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}
inline std::string TextOf(wxWindow* parent, int id) {
    auto* entry = dynamic_cast<wxTextEntry*>(parent->FindWindow(id));
    return entry ? entry->GetValue().utf8_string() : "(no such edit)";
}

// Expects a dialog of type T (with that title) and works it through its controls with
// `answer`, whose result is what ShowModal returns; DialogResult gives the result the
// dialog ended itself with, after a button's handler ran.
template <class T> class ExpectDialog : public wxExpectModalBase<T, ExpectDialog<T>> {
public:
    ExpectDialog(std::string title, std::function<int(T&)> answer)
        : m_title(std::move(title)), m_answer(std::move(answer)) {}

protected:
    int OnInvoked(T* dialog) const override {
        EXPECT_EQ(dialog->GetTitle().utf8_string(), m_title);
        return m_answer(*dialog);
    }
    wxString GetDefaultDescription() const override {
        return "dialog \"" + wxString::FromUTF8(m_title) + "\"";
    }

private:
    std::string m_title;
    std::function<int(T&)> m_answer;
};

// The result a dialog that the test hook holds ended itself with; 0 while it is still open.
inline int DialogResult(const wxDialog& dialog) {
    return dialog.GetReturnCode();
}

// The items of a list box, top to bottom, as the user reads them.
inline std::vector<std::string> ListBoxItems(wxListBox* list) {
    std::vector<std::string> items;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        items.push_back(list->GetString(i).utf8_string());
    return items;
}

// Runs a name dialog modally and presses OK twice: first with its edit empty, which must show
// `message` and keep the dialog open, then with `name` typed in. True when the dialog stayed
// open after the first press; the dialog's result is checked here.
inline bool RefusesAnEmptyNameThenTakes(wxDialog& dialog, wxTextCtrl* edit,
                                        const std::string& message, const std::string& name) {
    bool stayedOpen = false;
    dialog.CallAfter([&] {
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        wxTEST_DIALOG(dialog.ProcessWindowEvent(ok), ExpectMessageBox(message, wxID_OK));
        stayedOpen = dialog.IsModal();
        edit->SetValue(wxString::FromUTF8(name));
        dialog.ProcessWindowEvent(ok);
    });
    AllowRealDialogs realDialog;
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    return stayedOpen;
}

} // namespace tevtest
