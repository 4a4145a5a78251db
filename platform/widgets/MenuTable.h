#pragma once
// Menus described as tables, the way a menu resource lists them: items with a caption and a
// command identifier, separators, and popups that open a sub-menu until their end marker.
//
//   const tev::MenuEntry kMainMenu[] = {
//       tev::MenuPopup("&File"),
//           tev::MenuItem("&New", wxID_NEW),
//           tev::MenuSeparator(),
//           tev::MenuItem("E&xit", wxID_EXIT),
//       tev::MenuEnd(),
//   };
//   frame->SetMenuBar(tev::CreateMenuBar(kMainMenu));
//
// Captions are UTF-8; '&' marks the mnemonic and a tab starts the accelerator text.
#include <cstddef>
#include <string>
#include <vector>

class wxMenu;
class wxMenuBar;

namespace tev {

enum class MenuEntryKind { Item, Separator, Popup, EndPopup };

struct MenuEntry {
    MenuEntryKind kind;
    const char* caption;
    int id;
};

constexpr MenuEntry MenuItem(const char* caption, int id) {
    return {MenuEntryKind::Item, caption, id};
}
constexpr MenuEntry MenuSeparator() {
    return {MenuEntryKind::Separator, "", 0};
}
constexpr MenuEntry MenuPopup(const char* caption) {
    return {MenuEntryKind::Popup, caption, 0};
}
constexpr MenuEntry MenuEnd() {
    return {MenuEntryKind::EndPopup, "", 0};
}

// One node of the menu tree a table describes.
struct MenuNode {
    MenuEntryKind kind = MenuEntryKind::Item;
    std::string caption;
    int id = 0;
    std::vector<MenuNode> children; // popups only
};

// The tree of a table. An end marker without an open popup is ignored; popups still open at
// the end of the table are closed there. A null caption reads as "".
std::vector<MenuNode> ParseMenuTable(const MenuEntry* entries, size_t count);

// A menu bar holds popups only: items and separators at the top level of the table are
// left out.
wxMenuBar* CreateMenuBar(const MenuEntry* entries, size_t count);
template <size_t N> wxMenuBar* CreateMenuBar(const MenuEntry (&entries)[N]) {
    return CreateMenuBar(entries, N);
}

// A context menu: the top level of the table becomes the menu's own entries.
wxMenu* CreatePopupMenu(const MenuEntry* entries, size_t count);
template <size_t N> wxMenu* CreatePopupMenu(const MenuEntry (&entries)[N]) {
    return CreatePopupMenu(entries, N);
}

} // namespace tev
