#include "platform/widgets/FileDialog.h"

#include "platform/text/StringUtil.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace tev {

wxString ToolkitFileFilter(std::string_view filter) {
    std::string text(filter);
    // The list ends at the first empty field ("||").
    const size_t end = text.find("||");
    if (end != std::string::npos)
        text.erase(end);
    while (!text.empty() && text.back() == '|')
        text.pop_back();
    return wxString::FromUTF8(text);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty())
        return path;
    const std::string name = FileNameOf(path);
    if (name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + "." + extension;
}

bool PromptForFileName(wxWindow* parent, const FileDialogOptions& options, std::string& path) {
    long style = 0;
    wxString title;
    if (options.mode == FileDialogMode::Save) {
        style = wxFD_SAVE;
        if (options.overwritePrompt)
            style |= wxFD_OVERWRITE_PROMPT;
        title = "Save As";
    } else {
        style = wxFD_OPEN;
        title = "Open";
    }
    wxFileDialog dialog(parent, title, wxString(), wxString::FromUTF8(options.initialFile),
                        ToolkitFileFilter(options.filter), style);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxString chosen = dialog.GetPath();
    // A dialog answered without being shown (tests) has its folder and name but no
    // native selection to read the path from.
    if (chosen.empty() && !dialog.GetFilename().empty())
        chosen = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    if (chosen.empty())
        return false;
    path = WithDefaultExtension(chosen.utf8_string(), options.defaultExtension);
    return true;
}

bool PromptForFileNames(wxWindow* parent, const FileDialogOptions& options,
                        std::vector<std::string>& paths) {
    wxFileDialog dialog(parent, "Open", wxString(), wxString::FromUTF8(options.initialFile),
                        ToolkitFileFilter(options.filter), wxFD_OPEN | wxFD_MULTIPLE);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxArrayString chosen;
    dialog.GetPaths(chosen);
    // A dialog answered without being shown (tests) has no native selection, only the path
    // it was given, which the toolkit's own accessor refuses to read in this mode.
    if (chosen.empty())
        dialog.wxFileDialogBase::GetPaths(chosen);
    paths.clear();
    for (const wxString& path : chosen) {
        if (!path.empty())
            paths.push_back(path.utf8_string());
    }
    return !paths.empty();
}

} // namespace tev
