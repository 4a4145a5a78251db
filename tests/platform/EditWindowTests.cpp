// The password edit that switches between masked and clear text, and the numbers-only edit,
// on real native entries.
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/NumberEdit.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

struct EditWindow : testing::Test {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "edits");
    void TearDown() override { frame->Destroy(); }
};

wxKeyEvent Typed(wxChar character, int keyCode, bool control = false) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = keyCode;
    event.m_uniChar = character;
    event.m_controlDown = control;
    return event;
}

} // namespace

TEST_F(EditWindow, APasswordEditSwitchesBetweenMaskedAndClearWithoutTouchingTheText) {
    auto* edit = new tev::MaskedEdit(frame, 7515, "s3cret");
    frame->Show();
    int changes = 0;
    edit->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++changes; });
    EXPECT_TRUE(edit->IsMasked());
    edit->SetMasked(false);
    EXPECT_FALSE(edit->IsMasked());
    EXPECT_EQ(edit->GetValue(), "s3cret");
    edit->SetMasked(true);
    EXPECT_TRUE(edit->IsMasked());
    EXPECT_EQ(edit->GetValue(), "s3cret");
    EXPECT_EQ(changes, 0);
    // Typing while masked still reaches the text.
    edit->SetValue(wxString::FromUTF8("caf\xC3\xA9"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->GetValue().utf8_string(), "caf\xC3\xA9");
    EXPECT_TRUE(edit->IsMasked());
}

TEST_F(EditWindow, ANumberEditTakesDigitsAndEditingKeysOnly) {
    auto* edit = new tev::NumberEdit(frame, 7555, "21");
    frame->Show();
    struct Case {
        const char* what;
        wxKeyEvent event;
        bool accepted;
    };
    const Case cases[] = {
        {"digit", Typed('7', '7'), true},
        {"zero", Typed('0', '0'), true},
        {"letter", Typed('a', 'a'), false},
        {"minus", Typed('-', '-'), false},
        {"blank", Typed(' ', ' '), false},
        {"letter beyond ASCII", Typed(0xE9, WXK_NONE), false},
        {"digit of another script", Typed(0x0662, WXK_NONE), false},
        {"backspace", Typed(WXK_BACK, WXK_BACK), true},
        {"delete", Typed(WXK_DELETE, WXK_DELETE), true},
        {"tab", Typed(WXK_TAB, WXK_TAB), true},
        {"left arrow", Typed(WXK_NONE, WXK_LEFT), true},
        {"Ctrl+V", Typed('v', 'V', true), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tev::NumberEdit::IsAcceptedKey(c.event), c.accepted) << c.what;
        // Refused keys are consumed by the edit; accepted ones go on to the native entry.
        wxKeyEvent event = c.event;
        event.SetEventObject(edit);
        EXPECT_EQ(edit->ProcessWindowEvent(event), !c.accepted) << c.what;
    }
    for (const auto& [text, accepted] :
         std::initializer_list<std::pair<const char*, bool>>{{"2121", true},
                                                             {"", true},
                                                             {"21a", false},
                                                             {" 21", false},
                                                             {"-1", false},
                                                             {"\xD9\xA2", false}}) {
        EXPECT_EQ(tev::NumberEdit::IsAcceptedText(wxString::FromUTF8(text)), accepted) << text;
    }
    EXPECT_EQ(edit->GetValue(), "21");
}
