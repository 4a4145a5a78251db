#include "platform/widgets/MenuTable.h"

#include <gtest/gtest.h>

using tev::MenuEntry;
using tev::MenuEntryKind;
using tev::MenuNode;

namespace {

// A compact picture of a tree: "File[New=1,-,Recent[A=3],Exit=2] Help[About=9]".
std::string Describe(const std::vector<MenuNode>& nodes) {
    std::string out;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const MenuNode& node = nodes[i];
        if (i > 0)
            out += ",";
        switch (node.kind) {
        case MenuEntryKind::Item:
            out += node.caption + "=" + std::to_string(node.id);
            break;
        case MenuEntryKind::Separator:
            out += "-";
            break;
        case MenuEntryKind::Popup:
            out += node.caption + "[" + Describe(node.children) + "]";
            break;
        case MenuEntryKind::EndPopup:
            out += "?";
            break;
        }
    }
    return out;
}

template <size_t N> std::string Parse(const MenuEntry (&table)[N]) {
    return Describe(tev::ParseMenuTable(table, N));
}

} // namespace

TEST(MenuTable, PopupsHoldTheirItemsSeparatorsAndSubMenus) {
    const MenuEntry table[] = {
        tev::MenuPopup("File"),    tev::MenuItem("New", 1), tev::MenuSeparator(),
        tev::MenuPopup("Recent"),  tev::MenuItem("A", 3),   tev::MenuEnd(),
        tev::MenuItem("Exit", 2),  tev::MenuEnd(),          tev::MenuPopup("Help"),
        tev::MenuItem("About", 9), tev::MenuEnd(),
    };
    EXPECT_EQ(Parse(table), "File[New=1,-,Recent[A=3],Exit=2],Help[About=9]");
}

TEST(MenuTable, UnbalancedTablesStillGiveATree) {
    struct Case {
        const char* what;
        std::vector<MenuEntry> table;
        std::string tree;
    };
    const Case cases[] = {
        {"end marker without an open popup is ignored",
         {tev::MenuEnd(), tev::MenuPopup("File"), tev::MenuItem("New", 1), tev::MenuEnd(),
          tev::MenuEnd()},
         "File[New=1]"},
        {"popup left open is closed at the end",
         {tev::MenuPopup("File"), tev::MenuPopup("Sub"), tev::MenuItem("X", 5)},
         "File[Sub[X=5]]"},
        {"items outside popups stay at the top level",
         {tev::MenuItem("Loose", 4), tev::MenuPopup("File"), tev::MenuEnd()},
         "Loose=4,File[]"},
        {"null caption reads as empty", {{MenuEntryKind::Item, nullptr, 7}}, "=7"},
        {"empty table", {}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(tev::ParseMenuTable(c.table.data(), c.table.size())), c.tree) << c.what;
    }
}

TEST(MenuTable, SeparatorsAndPopupsCarryNoCommandIdentifier) {
    const MenuEntry table[] = {
        {MenuEntryKind::Popup, "File", 42}, {MenuEntryKind::Separator, "", 43}, tev::MenuEnd()};
    const std::vector<MenuNode> tree = tev::ParseMenuTable(table, 3);
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].id, 0);
    ASSERT_EQ(tree[0].children.size(), 1u);
    EXPECT_EQ(tree[0].children[0].id, 0);
}
