#pragma once
// Tests of the program's main window (CTEVCalendarDlg) in the test's own process. Only the
// tests that link tev_test_main_window use this; it brings in the program's window code.
#include "host/TEVCalendarDlg.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace tevtest {

// The main window's file dialogs show project files with this filter.
constexpr const char* kProjectFilter = "Quorvane Calendar (*.kcd)|*.kcd";

// A test of the main window as the built program opens it: modules and the component come
// from the program's folder; the documents folder and the registry are the test's own. The
// window still open after the test is destroyed, and the program's folder given back.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a main window for the component descriptor and the command line's file (both may
    // be "") and waits until it shows; the window before, if any, is destroyed first. A
    // window that cannot be created fails the test fatally.
    void OpenMainWindow(const std::string& component, const std::string& startupFile);
    // Destroys the window, if any, and lets the toolkit finish with it.
    void CloseMainWindow();
    // Sends a menu or toolbar command to the window, as a click on it would.
    void Command(int id);

    TempDir home;
    ScopedEnv documents{"XDG_DOCUMENTS_DIR", home / "docs"};
    ScopedEnv userData{"XDG_DATA_HOME", home / "data"};
    ScopedRegistry registry;
    CTEVCalendarDlg* dlg = nullptr;
};

} // namespace tevtest
