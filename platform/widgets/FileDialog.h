#pragma once
// File dialogs with filters written as in the documents: pairs of description and pattern
// separated by '|', the list ending with "||" ("Quorvane Calendar (*.kcd)|*.kcd||").
// They are modal wxFileDialogs, so tests answer them with
// wxTEST_DIALOG(..., wxExpectModal<wxFileDialog>(path)).
#include <string>
#include <string_view>
#include <vector>

class wxWindow;
class wxString;

namespace tev {

// The filter in the toolkit's form: the same pairs, without the terminating "||".
wxString ToolkitFileFilter(std::string_view filter);

enum class FileDialogMode { Open, Save };

struct FileDialogOptions {
    FileDialogMode mode = FileDialogMode::Open;
    std::string filter;
    // Appended (after a dot) to a chosen name that has no extension; empty: nothing.
    std::string defaultExtension;
    std::string initialFile;
    // Save dialogs ask before an existing file is replaced.
    bool overwritePrompt = true;
};

// Shows the dialog; true with the chosen path (UTF-8, absolute) on OK, false on Cancel.
bool PromptForFileName(wxWindow* parent, const FileDialogOptions& options, std::string& path);

// An open dialog that takes one or more files; true with their paths on OK.
bool PromptForFileNames(wxWindow* parent, const FileDialogOptions& options,
                        std::vector<std::string>& paths);

// `path` with `extension` appended when its file name has no extension of its own.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

} // namespace tev
