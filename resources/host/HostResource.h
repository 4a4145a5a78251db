#pragma once
// Identifiers of the program's resources: windows, commands, strings and images.
#include <wx/defs.h>

namespace tev::host {

// Windows and controls.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_TEVCALENDAR_DIALOG = 102;
constexpr int IDC_DESIGNER_VIEW = 101;
constexpr int IDC_ABOUT_NOTICE = 1002;
constexpr int IDC_ABOUT_ICON = 1003;

// Menu, toolbar and images.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_MAINMENU = 129;
constexpr int IDR_TOOLBAR = 131;

// Commands. The class library's standard commands (57600 New, 57601 Open, 57603 Save,
// 57604 Save As, 57665 Exit, 57670 Help) lie above the toolkit's identifier range
// (below 32767), so they take the toolkit's stock identifiers of the same commands.
constexpr int ID_FILE_NEW = wxID_NEW;
constexpr int ID_FILE_OPEN = wxID_OPEN;
constexpr int ID_FILE_SAVE = wxID_SAVE;
constexpr int ID_FILE_SAVE_AS = wxID_SAVEAS;
constexpr int ID_FILE_NEW_STYLE = 1004;
constexpr int ID_APP_EXIT = wxID_EXIT;
constexpr int ID_HELP = wxID_HELP;
constexpr int ID_APP_ABOUT_WEB_CALENDAR = 1005;

// Dialog sizes in dialog units.
constexpr int kMainWindowWidthDu = 494;
constexpr int kMainWindowHeightDu = 329;
// The least area the designer is made for; with the bars it fits a 1024 x 700 screen.
constexpr int kMainWindowMinWidthDu = 360;
constexpr int kMainWindowMinHeightDu = 210;
constexpr int kAboutWidthDu = 288;
constexpr int kAboutHeightDu = 143;

} // namespace tev::host
