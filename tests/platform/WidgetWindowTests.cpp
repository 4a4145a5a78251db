#include "platform/widgets/EventPump.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/MenuTable.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/ResizeLayout.h"
#include "platform/widgets/StatusBarEx.h"
#include "platform/widgets/TabControl.h"
#include "platform/widgets/ToolBarTable.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <memory>

using tevtest::ExpectFileDialog;
using tevtest::ExpectMessageBox;

namespace {

// A top-level window that is destroyed when the test ends.
template <class T> struct Shown {
    T* window;
    explicit Shown(T* w) : window(w) {
        window->Show();
        tev::PumpEventsUntil([w] { return w->IsShownOnScreen(); }, 3000);
    }
    ~Shown() {
        window->Destroy();
        tev::PumpEventsFor(10);
    }
    T* operator->() const { return window; }
};

tev::ResizeRect RectOf(wxWindow* w) {
    const wxRect r = w->GetRect();
    return {r.GetLeft(), r.GetTop(), r.GetLeft() + r.GetWidth(), r.GetTop() + r.GetHeight()};
}

} // namespace

TEST(MenuTableWindow, MenuBarShowsThePopupsOfTheTable) {
    const tev::MenuEntry table[] = {
        tev::MenuPopup("&File"),     tev::MenuItem("New", 101),       tev::MenuItem("Open...", 102),
        tev::MenuSeparator(),        tev::MenuItem("Exit", 103),      tev::MenuEnd(),
        tev::MenuItem("Loose", 104), // not a popup: not on a menu bar
        tev::MenuPopup("&Help"),     tev::MenuItem("&About...", 105), tev::MenuEnd(),
    };
    Shown<wxFrame> frame(new wxFrame(nullptr, wxID_ANY, "menus"));
    wxMenuBar* bar = tev::CreateMenuBar(table);
    frame->SetMenuBar(bar);
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    EXPECT_EQ(bar->GetMenuLabelText(1), "Help");
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 4u);
    EXPECT_EQ(file->FindItemByPosition(0)->GetId(), 101);
    EXPECT_EQ(file->FindItemByPosition(1)->GetItemLabelText(), "Open...");
    EXPECT_TRUE(file->FindItemByPosition(2)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(3)->GetId(), 103);
    EXPECT_EQ(bar->FindItem(104), nullptr);
    EXPECT_EQ(bar->FindItem(105)->GetItemLabelText(), "About...");
}

TEST(ResizeLayoutWindow, ControlsFollowTheirAnchorsAndTheWindowKeepsItsMinimum) {
    Shown<tev::ResizeDialog> dialog(
        new tev::ResizeDialog(nullptr, wxID_ANY, "resize", wxSize(320, 229)));
    auto* left = new wxListBox(dialog.window, 7533);
    left->SetSize(tev::DialogUnitsToPixels(dialog.window, 7, 7, 142, 215));
    auto* right = new wxListBox(dialog.window, 7511);
    right->SetSize(tev::DialogUnitsToPixels(dialog.window, 158, 7, 155, 190));
    auto* button = new wxButton(dialog.window, 7514, "Copy");
    button->SetSize(tev::DialogUnitsToPixels(dialog.window, 197, 201, 65, 14));
    EXPECT_TRUE(dialog->SetResize(7533, tev::kAnchorTopLeft, {0.5, 1}));
    EXPECT_TRUE(dialog->SetResize(7511, {0.5, 0}, tev::kAnchorBottomRight));
    EXPECT_TRUE(dialog->SetResize(7514, {0.5, 1}, tev::kAnchorBottomRight));
    EXPECT_FALSE(dialog->SetResize(9999, tev::kAnchorTopLeft, tev::kAnchorTopLeft));
    dialog->GetResizeLayout().SetMinTrackSizeToCurrent();

    const wxSize startClient = dialog->GetClientSize();
    EXPECT_EQ(startClient, tev::DialogUnitsToPixels(dialog.window, 320, 229));
    const tev::ResizeRect leftStart = RectOf(left);
    const tev::ResizeRect rightStart = RectOf(right);
    const tev::ResizeRect buttonStart = RectOf(button);

    const wxSize bigger(startClient.x + 201, startClient.y + 120);
    dialog->SetClientSize(bigger);
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return dialog->GetClientSize() == bigger; }, 3000));
    tev::PumpEventsFor(50);
    EXPECT_EQ(RectOf(left), tev::AnchoredRect(leftStart, {0, 0}, {0.5, 1}, 201, 120));
    EXPECT_EQ(RectOf(right), tev::AnchoredRect(rightStart, {0.5, 0}, {1, 1}, 201, 120));
    EXPECT_EQ(RectOf(button), tev::AnchoredRect(buttonStart, {0.5, 1}, {1, 1}, 201, 120));
    EXPECT_EQ(RectOf(right).left - RectOf(left).right, rightStart.left - leftStart.right);

    // Asking for less than the minimum gets the minimum.
    const wxSize minimum = dialog->GetMinSize();
    dialog->SetSize(minimum.x - 100, minimum.y - 100);
    tev::PumpEventsFor(50);
    EXPECT_GE(dialog->GetSize().x, minimum.x);
    EXPECT_GE(dialog->GetSize().y, minimum.y);
}

TEST(ResizeLayoutWindow, DestroyedControlsLeaveTheLayout) {
    Shown<tev::ResizeDialog> dialog(new tev::ResizeDialog(nullptr, wxID_ANY, "r", wxSize(100, 60)));
    auto* a = new wxButton(dialog.window, 11, "a");
    new wxButton(dialog.window, 12, "b");
    dialog->SetResize(11, tev::kAnchorTopLeft, tev::kAnchorBottomRight);
    dialog->SetResize(12, tev::kAnchorTopLeft, tev::kAnchorBottomRight);
    dialog->SetResize(12, tev::kAnchorBottomRight, tev::kAnchorBottomRight); // replaces
    EXPECT_EQ(dialog->GetResizeLayout().Count(), 2u);
    a->Destroy();
    EXPECT_EQ(dialog->GetResizeLayout().Count(), 1u);
    // Relayout after the destruction touches only the live control.
    dialog->SetClientSize(dialog->GetClientSize() + wxSize(30, 30));
    tev::PumpEventsFor(30);
    dialog->GetResizeLayout().Relayout();
}

TEST(TabControlWindow, PageChangesAreAnnouncedBeforeAndAfterInOrder) {
    Shown<wxFrame> frame(
        new wxFrame(nullptr, wxID_ANY, "tabs", wxDefaultPosition, wxSize(400, 300)));
    auto* tabs = new tev::TabControl(frame.window, 7519);
    wxWindow* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = new wxPanel(tabs);
        EXPECT_EQ(tabs->AddView(pages[i], "Page " + std::to_string(i)), i);
    }
    tabs->ActivateViewSilently(0);
    std::vector<std::string> log;
    bool veto = false;
    tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [&](wxBookCtrlEvent& e) {
        log.push_back("changing " + std::to_string(e.GetOldSelection()) + "->" +
                      std::to_string(e.GetSelection()) + " current " +
                      std::to_string(tabs->GetActiveIndex()));
        if (veto)
            e.Veto();
    });
    tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [&](wxBookCtrlEvent& e) {
        log.push_back("changed " + std::to_string(e.GetOldSelection()) + "->" +
                      std::to_string(e.GetSelection()) + " current " +
                      std::to_string(tabs->GetActiveIndex()));
    });

    tabs->SetActiveView(2);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 0->2 current 0", "changed 0->2 current 2"}));
    EXPECT_EQ(tabs->GetActiveView(), pages[2]);

    log.clear();
    veto = true;
    tabs->SetActiveView(1);
    EXPECT_EQ(tabs->GetActiveIndex(), 1) << "a veto does not stop SetActiveView";
    EXPECT_EQ(log.size(), 2u);

    log.clear();
    tabs->SetActiveView(1);
    tabs->SetActiveView(7);
    tabs->ActivateViewSilently(0);
    EXPECT_TRUE(log.empty()) << "no change, out of range, or silent: no events";
    EXPECT_EQ(tabs->GetActiveIndex(), 0);
    EXPECT_EQ(tabs->FindView(pages[1]), 1);
    EXPECT_EQ(tabs->FindView(frame.window), -1);
    EXPECT_EQ(tabs->GetViewCaption(2), "Page 2");
    EXPECT_EQ(tabs->GetView(3), nullptr);
}

TEST(StatusBarWindow, IndicatorsFollowTheKeyboardLocks) {
    Shown<wxFrame> frame(
        new wxFrame(nullptr, wxID_ANY, "status", wxDefaultPosition, wxSize(500, 200)));
    auto* bar = new tev::StatusBarEx(frame.window, wxID_ANY);
    frame->SetStatusBar(bar);
    EXPECT_FALSE(bar->SetIndicators(nullptr, 0));
    const tev::StatusIndicator panes[] = {
        tev::StatusIndicator::Separator, tev::StatusIndicator::CapsLock,
        tev::StatusIndicator::NumLock, tev::StatusIndicator::ScrollLock};
    ASSERT_TRUE(bar->SetIndicators(panes));
    ASSERT_EQ(bar->GetFieldsCount(), 4);
    EXPECT_EQ(bar->GetStatusWidth(0), -1) << "the text pane stretches";
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(bar->GetStatusWidth(i), 0);

    auto expectedText = [](tev::StatusIndicator pane) {
        return std::string(tev::StatusBarEx::IsLockOn(pane) ? tev::StatusBarEx::IndicatorText(pane)
                                                            : "");
    };
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(bar->GetStatusText(i).utf8_string(), expectedText(panes[i]));

    // Toggle Num Lock on the display's keyboard, whose state is what the pane shows; the pane
    // follows on the next idle pass.
    const tev::StatusIndicator lock = tev::StatusIndicator::NumLock;
    const bool before = tev::StatusBarEx::IsLockOn(lock);
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_NUMLOCK);
    ASSERT_TRUE(
        tev::PumpEventsUntil([&] { return tev::StatusBarEx::IsLockOn(lock) != before; }, 3000))
        << "the display did not toggle Num Lock";
    ASSERT_TRUE(tev::PumpEventsUntil(
        [&] { return bar->GetStatusText(2).utf8_string() == (before ? "" : "NUM"); }, 3000));
    keyboard.Char(WXK_NUMLOCK);
    EXPECT_TRUE(tev::PumpEventsUntil(
        [&] { return bar->GetStatusText(2).utf8_string() == (before ? "NUM" : ""); }, 3000));
    EXPECT_EQ(bar->GetStatusText(1).utf8_string(), expectedText(panes[1]));
    EXPECT_EQ(bar->GetStatusText(3).utf8_string(), expectedText(panes[3]));
}

TEST(MessageBoxWindow, AnswersComeBackAndTheCaptionDefaultsToTheApplication) {
    wxTheApp->SetAppDisplayName("Widget Tests");
    int answer = 0;
    wxTEST_DIALOG(answer = tev::MessageBox(nullptr, "Save the caf\xC3\xA9?", {}, wxYES_NO),
                  ExpectMessageBox("Save the caf\xC3\xA9?", wxID_NO, "Widget Tests"));
    EXPECT_EQ(answer, wxID_NO);
    wxTEST_DIALOG(answer = tev::MessageBox(nullptr, "Done", "Own caption"),
                  ExpectMessageBox("Done", wxID_OK, "Own caption"));
    EXPECT_EQ(answer, wxID_OK);
    // Closing a box without a Cancel button counts as its safe answer.
    wxTEST_DIALOG(answer = tev::MessageBox(nullptr, "Q", {}, wxYES_NO),
                  ExpectMessageBox("Q", wxID_CANCEL));
    EXPECT_EQ(answer, wxID_NO);
    wxTEST_DIALOG(answer = tev::MessageBox(nullptr, "Q", {}, wxYES_NO | wxCANCEL),
                  ExpectMessageBox("Q", wxID_CANCEL));
    EXPECT_EQ(answer, wxID_CANCEL);
}

TEST(FileDialogWindow, ChosenPathsComeBackAndCancelGivesNone) {
    tev::FileDialogOptions save;
    save.mode = tev::FileDialogMode::Save;
    save.filter = "Quorvane Calendar (*.kcd)|*.kcd||";
    std::string path = "unchanged";
    bool ok = false;
    wxTEST_DIALOG(ok = tev::PromptForFileName(nullptr, save, path),
                  ExpectFileDialog(ExpectFileDialog::Save, "Quorvane Calendar (*.kcd)|*.kcd",
                                   "/tmp/new folder/Cal1.kcd"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(path, "/tmp/new folder/Cal1.kcd");

    path = "unchanged";
    wxTEST_DIALOG(ok = tev::PromptForFileName(nullptr, save, path),
                  ExpectFileDialog(ExpectFileDialog::Save, "Quorvane Calendar (*.kcd)|*.kcd", "",
                                   wxID_CANCEL));
    EXPECT_FALSE(ok);
    EXPECT_EQ(path, "unchanged");

    tev::FileDialogOptions open = save;
    open.mode = tev::FileDialogMode::Open;
    open.defaultExtension = "kcd";
    wxTEST_DIALOG(
        ok = tev::PromptForFileName(nullptr, open, path),
        ExpectFileDialog(ExpectFileDialog::Open, "Quorvane Calendar (*.kcd)|*.kcd", "/tmp/Cal2"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(path, "/tmp/Cal2.kcd");
}

TEST(EventPump, WaitsForQueuedWorkAndGivesUpAtTheBound) {
    bool ran = false;
    wxTheApp->CallAfter([&] { ran = true; });
    EXPECT_TRUE(tev::PumpEventsUntil([&] { return ran; }, 3000));
    EXPECT_FALSE(tev::PumpEventsUntil([] { return false; }, 50));
}

TEST(EventPump, AWaitWithoutUserInputLeavesClicksAndQueuedWorkForLater) {
    Shown<wxFrame> frame(
        new wxFrame(nullptr, wxID_ANY, "pump", wxDefaultPosition, wxSize(240, 160)));
    auto* button = new wxButton(frame.window, wxID_ANY, "Click");
    frame->SendSizeEvent();
    bool clicked = false;
    button->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { clicked = true; });
    tev::PumpEventsFor(100);

    wxUIActionSimulator mouse;
    const wxRect target = button->GetScreenRect();
    mouse.MouseMove(target.GetLeft() + target.GetWidth() / 2,
                    target.GetTop() + target.GetHeight() / 2);
    mouse.MouseClick();
    bool ran = false;
    wxTheApp->CallAfter([&] { ran = true; });
    EXPECT_FALSE(tev::PumpEventsUntil([&] { return clicked || ran; }, 300,
                                      tev::PumpedEvents::WithoutUserInput));
    EXPECT_FALSE(clicked);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(tev::PumpEventsUntil([&] { return clicked && ran; }, 3000));
}

TEST(EventPump, AWaitWithoutUserInputDispatchesNothingWhenTheConditionAlreadyHolds) {
    bool ran = false;
    wxTheApp->CallAfter([&] { ran = true; });
    EXPECT_TRUE(
        tev::PumpEventsUntil([] { return true; }, 1000, tev::PumpedEvents::WithoutUserInput));
    EXPECT_FALSE(ran);
    // A wait for all events runs one round even then.
    EXPECT_TRUE(tev::PumpEventsUntil([] { return true; }, 1000));
    EXPECT_TRUE(ran);
}
