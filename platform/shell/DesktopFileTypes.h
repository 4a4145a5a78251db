#pragma once
// The freedesktop side of shell file types: a MIME type for a file-name pattern (shared MIME
// database package) and a desktop entry that opens files of that type with a program, both
// below the user's data folder ($XDG_DATA_HOME, default ~/.local/share). The databases are
// refreshed with update-mime-database and update-desktop-database when those are installed.
#include <string>

namespace tev {

struct DesktopFileType {
    std::string mimeType;    // "application/x-example"
    std::string glob;        // "*.ext"
    std::string comment;     // description of the file type
    std::string appName;     // name of the program in menus and "Open With"
    std::string programPath; // full path of the program that opens the files
    std::string iconPath;    // full path of an image, or "" for none
    std::string fileStem;    // base name of the package and entry files ("vendor-ext")
};

// $XDG_DATA_HOME, or ~/.local/share; with a trailing '/'. "" when neither can be found.
std::string UserDataFolder();
std::string MimePackagePath(const std::string& fileStem);
std::string DesktopEntryPath(const std::string& fileStem);

// The text of the MIME package and of the desktop entry (exposed for tests).
std::string MimePackageText(const DesktopFileType& type);
std::string DesktopEntryText(const DesktopFileType& type);
// One argument of a desktop entry's Exec key, quoted as the entry format asks.
std::string QuoteExecArgument(const std::string& argument);

// Writes both files (each replaced whole) and refreshes the databases. False when a file
// could not be written.
bool RegisterDesktopFileType(const DesktopFileType& type);
// Removes both files when present and refreshes the databases if anything was removed.
// Returns whether anything was removed.
bool UnregisterDesktopFileType(const std::string& fileStem);

} // namespace tev
