// A modeless window opened while a modal dialog runs takes real clicks (through the X
// server, as a user's) only when it was allowed to.
#include "platform/widgets/EventPump.h"
#include "platform/widgets/ModelessWindow.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/uiaction.h>

namespace {

// Runs a modal dialog, opens a modeless window beside it, clicks the window's button with
// the pointer and tells whether the click arrived. The grab that blocks the click is the X
// server's, so the click must come through it.
bool ClickArrivesDuringModal(bool allowed) {
    wxDialog modal(nullptr, wxID_ANY, "modal", wxPoint(0, 0), wxSize(260, 160));
    bool arrived = false;
    modal.CallAfter([&] {
        auto* window = new wxDialog(&modal, wxID_ANY, "progress", wxDefaultPosition,
                                    wxSize(200, 90), wxCAPTION);
        auto* button = new wxButton(window, wxID_ANY, "Cancel", wxPoint(20, 20), wxSize(120, 40));
        button->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { arrived = true; });
        if (allowed)
            tev::AllowInputDuringModal(window);
        window->Show();
        window->Move(300, 300);
        tev::PumpEventsUntil([&] { return button->IsShownOnScreen(); }, 2000);
        tev::PumpEventsFor(300);
        wxUIActionSimulator pointer;
        // A second try, should the first click come before the window is really there.
        for (int attempt = 0; attempt < 2 && !arrived; ++attempt) {
            const wxRect target = button->GetScreenRect();
            EXPECT_EQ(wxFindWindowAtPoint(target.GetPosition() + wxPoint(30, 20)), button);
            pointer.MouseMove(target.GetPosition() + wxPoint(30, 20));
            tev::PumpEventsFor(100);
            pointer.MouseClick();
            tev::PumpEventsUntil([&] { return arrived; }, 1000);
        }
        window->Destroy();
        modal.EndModal(wxID_OK);
    });
    tevtest::AllowRealDialogs realDialog;
    modal.ShowModal();
    return arrived;
}

} // namespace

TEST(ModelessWindow, TakesClicksWhileAModalDialogRunsOnlyWhenAllowed) {
    EXPECT_FALSE(ClickArrivesDuringModal(false)) << "the modal dialog let the click through";
    EXPECT_TRUE(ClickArrivesDuringModal(true));
}
