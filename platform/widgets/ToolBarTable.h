#pragma once
// Docked toolbars described as tables: each tool has a command identifier, a stock icon of
// the toolkit's art provider ("wxART_NEW", "wxART_FILE_OPEN", ...), a label and a tooltip.
// An entry with identifier 0 is a separator.
#include <cstddef>

class wxFrame;
class wxToolBar;

namespace tev {

struct ToolEntry {
    int id;
    const char* artId;
    const char* label;
    const char* shortHelp;
};

constexpr ToolEntry ToolSeparator() {
    return {0, "", "", ""};
}

// Creates the frame's toolbar (top, docked) named `name` with the tools of the table.
// Null when the toolbar cannot be created.
wxToolBar* CreateFrameToolBar(wxFrame* frame, const char* name, const ToolEntry* tools,
                              size_t count);
template <size_t N>
wxToolBar* CreateFrameToolBar(wxFrame* frame, const char* name, const ToolEntry (&tools)[N]) {
    return CreateFrameToolBar(frame, name, tools, N);
}

} // namespace tev
