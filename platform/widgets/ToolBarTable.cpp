#include "platform/widgets/ToolBarTable.h"

#include "platform/text/Translation.h"

#include <wx/artprov.h>
#include <wx/frame.h>
#include <wx/toolbar.h>

namespace tev {

wxToolBar* CreateFrameToolBar(wxFrame* frame, const char* name, const ToolEntry* tools,
                              size_t count) {
    if (!frame)
        return nullptr;
    wxToolBar* bar = frame->CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_DOCKABLE, wxID_ANY,
                                          wxString::FromUTF8(name ? name : ""));
    if (!bar)
        return nullptr;
    for (size_t i = 0; tools && i < count; ++i) {
        const ToolEntry& tool = tools[i];
        if (tool.id == 0) {
            bar->AddSeparator();
            continue;
        }
        const wxBitmap bitmap =
            wxArtProvider::GetBitmap(wxString::FromUTF8(tool.artId), wxART_TOOLBAR, wxSize(16, 16));
        bar->AddTool(tool.id, wxString::FromUTF8(Translate(tool.label)), bitmap,
                     wxString::FromUTF8(Translate(tool.shortHelp)));
    }
    bar->Realize();
    return bar;
}

} // namespace tev
