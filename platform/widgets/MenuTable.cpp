#include "platform/widgets/MenuTable.h"

#include "platform/text/Translation.h"

#include <wx/menu.h>

namespace tev {
namespace {

void FillMenu(wxMenu* menu, const std::vector<MenuNode>& nodes) {
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuEntryKind::Item:
            menu->Append(node.id, wxString::FromUTF8(node.caption));
            break;
        case MenuEntryKind::Separator:
            menu->AppendSeparator();
            break;
        case MenuEntryKind::Popup: {
            auto* sub = new wxMenu;
            FillMenu(sub, node.children);
            menu->AppendSubMenu(sub, wxString::FromUTF8(node.caption));
            break;
        }
        case MenuEntryKind::EndPopup:
            break;
        }
    }
}

} // namespace

std::vector<MenuNode> ParseMenuTable(const MenuEntry* entries, size_t count) {
    std::vector<MenuNode> root;
    // Path of indexes from the root to the innermost open popup.
    std::vector<size_t> open;
    auto current = [&]() -> std::vector<MenuNode>& {
        std::vector<MenuNode>* level = &root;
        for (size_t index : open)
            level = &(*level)[index].children;
        return *level;
    };
    for (size_t i = 0; entries && i < count; ++i) {
        const MenuEntry& entry = entries[i];
        if (entry.kind == MenuEntryKind::EndPopup) {
            if (!open.empty())
                open.pop_back();
            continue;
        }
        MenuNode node;
        node.kind = entry.kind;
        node.caption = entry.caption ? Translate(entry.caption) : "";
        node.id = entry.kind == MenuEntryKind::Item ? entry.id : 0;
        std::vector<MenuNode>& level = current();
        level.push_back(std::move(node));
        if (entry.kind == MenuEntryKind::Popup)
            open.push_back(level.size() - 1);
    }
    return root;
}

wxMenuBar* CreateMenuBar(const MenuEntry* entries, size_t count) {
    auto* bar = new wxMenuBar;
    for (const MenuNode& node : ParseMenuTable(entries, count)) {
        if (node.kind != MenuEntryKind::Popup)
            continue;
        auto* menu = new wxMenu;
        FillMenu(menu, node.children);
        bar->Append(menu, wxString::FromUTF8(node.caption));
    }
    return bar;
}

wxMenu* CreatePopupMenu(const MenuEntry* entries, size_t count) {
    auto* menu = new wxMenu;
    FillMenu(menu, ParseMenuTable(entries, count));
    return menu;
}

} // namespace tev
