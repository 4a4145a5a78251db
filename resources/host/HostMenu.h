#pragma once
// The program's menu (resource 129), its toolbar "Standard" (resource 131) and its status
// bar panes.
#include "platform/widgets/MenuTable.h"
#include "platform/widgets/StatusBarEx.h"
#include "platform/widgets/ToolBarTable.h"

#include <cstddef>

namespace tev::host {

const MenuEntry* MainMenu(size_t& count);
const ToolEntry* StandardToolBar(size_t& count);
const StatusIndicator* StatusBarPanes(size_t& count);
// The name the toolbar carries.
constexpr const char* kStandardToolBarName = "Standard";

} // namespace tev::host
