#pragma once
// Shell services that need no window: folders, directory creation and shortcuts.
#include <string>

namespace tev {

// Result codes of CreateDirectoryTree, as the shell's create-directory function gives them.
constexpr int kErrorSuccess = 0;
constexpr int kErrorFileExists = 80;
constexpr int kErrorAlreadyExists = 183;
constexpr int kErrorInvalidName = 123;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorPathNotFound = 3;

// Creates `folder` with its missing parents; 0 when created, 183 when it already exists,
// 80 when a file of that name is in the way, another code otherwise.
int CreateDirectoryTree(const std::string& folder);

// The user's documents folder (XDG), without a trailing '/'; "" when there is none.
std::string DocumentsFolder();

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The absolute form of `path` (relative to the current directory), without resolving links.
std::string AbsolutePath(const std::string& path);
// A symbolic link stands for a shortcut: its final target; other paths come back unchanged.
std::string ResolveShortcut(const std::string& path);
// The name of the file as the file system has it (the last part of the path).
std::string FoundFileName(const std::string& path);
// Copies a file over an existing one; false when it cannot be read or written.
bool CopyFileOver(const std::string& from, const std::string& to);

} // namespace tev
