#include "tests/support/MainWindowTesting.h"

#include "platform/com/ModuleLoader.h"
#include "platform/widgets/EventPump.h"

#include <wx/event.h>

namespace tevtest {

void MainWindowTest::SetUp() {
    tev::OverrideProgramFolder(ProgramDir());
}

void MainWindowTest::TearDown() {
    CloseMainWindow();
    tev::OverrideProgramFolder("");
}

void MainWindowTest::OpenMainWindow(const std::string& component, const std::string& startupFile) {
    if (dlg)
        dlg->Destroy();
    dlg = new CTEVCalendarDlg(component, startupFile);
    ASSERT_TRUE(dlg->Create());
    dlg->Show();
    tev::PumpEventsUntil([this] { return dlg->IsShownOnScreen(); }, 3000);
}

void MainWindowTest::CloseMainWindow() {
    if (dlg)
        dlg->Destroy();
    dlg = nullptr;
    tev::PumpEventsFor(20);
}

void MainWindowTest::Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(dlg);
    dlg->ProcessWindowEvent(event);
}

} // namespace tevtest
