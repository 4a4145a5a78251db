#include "resources/host/HostMenu.h"

#include "resources/host/HostResource.h"

namespace tev::host {
namespace {

const MenuEntry kMainMenu[] = {
    MenuPopup("&File"),
    MenuItem("New", ID_FILE_NEW),
    MenuItem("Open...", ID_FILE_OPEN),
    MenuItem("Save", ID_FILE_SAVE),
    MenuItem("Save As...", ID_FILE_SAVE_AS),
    MenuSeparator(),
    MenuItem("New Style...", ID_FILE_NEW_STYLE),
    MenuSeparator(),
    MenuItem("Exit", ID_APP_EXIT),
    MenuEnd(),
    MenuPopup("&Help"),
    MenuItem("&Help Topics...", ID_HELP),
    MenuItem("&About Web Calendar...", ID_APP_ABOUT_WEB_CALENDAR),
    MenuEnd(),
};

const ToolEntry kStandardToolBar[] = {
    {ID_FILE_NEW, "wxART_NEW", "New", "New project"},
    {ID_FILE_OPEN, "wxART_FILE_OPEN", "Open", "Open a project"},
    {ID_FILE_SAVE, "wxART_FILE_SAVE", "Save", "Save the project"},
};

const StatusIndicator kStatusBarPanes[] = {
    StatusIndicator::Separator,
    StatusIndicator::CapsLock,
    StatusIndicator::NumLock,
    StatusIndicator::ScrollLock,
};

} // namespace

const MenuEntry* MainMenu(size_t& count) {
    count = sizeof kMainMenu / sizeof kMainMenu[0];
    return kMainMenu;
}

const ToolEntry* StandardToolBar(size_t& count) {
    count = sizeof kStandardToolBar / sizeof kStandardToolBar[0];
    return kStandardToolBar;
}

const StatusIndicator* StatusBarPanes(size_t& count) {
    count = sizeof kStatusBarPanes / sizeof kStatusBarPanes[0];
    return kStatusBarPanes;
}

} // namespace tev::host
