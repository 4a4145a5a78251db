#include "platform/shell/DesktopFileTypes.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "platform/text/TextEscaping.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tev {
namespace {

std::string XmlEscaped(const std::string& text) {
    return MarkupEscaped(text, Apostrophe::Kept);
}

// A desktop entry value is one line; backslashes and line breaks are escaped.
std::string EntryValue(const std::string& text) {
    return BackslashEscaped(text, DoubleQuote::Kept);
}

bool WriteWhole(const std::string& path, const std::string& text) {
    const std::string temp = path + ".~new";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    if (ok)
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

// Runs a tool found on PATH with one argument, without a shell, and waits for it; its
// output is discarded. Nothing happens when the tool is not installed.
void RunToolIfPresent(const char* tool, const std::string& argument) {
    const char* path = std::getenv("PATH");
    bool found = false;
    for (const std::string& dir : Split(path ? path : "/usr/bin:/bin", ':')) {
        if (!dir.empty() && access((WithTrailingSlash(dir) + tool).c_str(), X_OK) == 0) {
            found = true;
            break;
        }
    }
    if (!found)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string toolName(tool);
    std::string arg(argument);
    char* argv[] = {toolName.data(), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, tool, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void RefreshDatabases(const std::string& dataFolder) {
    if (FolderExists(dataFolder + "mime"))
        RunToolIfPresent("update-mime-database", dataFolder + "mime");
    if (FolderExists(dataFolder + "applications"))
        RunToolIfPresent("update-desktop-database", dataFolder + "applications");
}

} // namespace

std::string UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return WithTrailingSlash(data);
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return WithTrailingSlash(home) + ".local/share/";
}

std::string MimePackagePath(const std::string& fileStem) {
    const std::string data = UserDataFolder();
    return data.empty() ? std::string() : data + "mime/packages/" + fileStem + ".xml";
}

std::string DesktopEntryPath(const std::string& fileStem) {
    const std::string data = UserDataFolder();
    return data.empty() ? std::string() : data + "applications/" + fileStem + ".desktop";
}

std::string MimePackageText(const DesktopFileType& type) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           XmlEscaped(type.mimeType) +
           "\">\n"
           "    <comment>" +
           XmlEscaped(type.comment) +
           "</comment>\n"
           "    <glob pattern=\"" +
           XmlEscaped(type.glob) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string QuoteExecArgument(const std::string& argument) {
    // Inside double quotes the characters " ` $ and \ take a backslash; a percent sign is
    // doubled because the entry format uses it for field codes. The whole key value is
    // then escaped once more as a desktop entry string (EntryValue).
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        out += c;
    }
    out += '"';
    return out;
}

std::string DesktopEntryText(const DesktopFileType& type) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=" +
                       EntryValue(type.appName) +
                       "\n"
                       "Comment=" +
                       EntryValue(type.comment) +
                       "\n"
                       "Exec=" +
                       EntryValue(QuoteExecArgument(type.programPath)) + " %f\n";
    if (!type.iconPath.empty())
        text += "Icon=" + EntryValue(type.iconPath) + "\n";
    text += "MimeType=" + EntryValue(type.mimeType) +
            ";\n"
            "Terminal=false\n"
            "NoDisplay=true\n";
    return text;
}

bool RegisterDesktopFileType(const DesktopFileType& type) {
    const std::string data = UserDataFolder();
    if (data.empty() || type.fileStem.empty() || type.mimeType.empty())
        return false;
    CreateDirectoryTree(data + "mime/packages");
    CreateDirectoryTree(data + "applications");
    bool ok = WriteWhole(MimePackagePath(type.fileStem), MimePackageText(type));
    ok = WriteWhole(DesktopEntryPath(type.fileStem), DesktopEntryText(type)) && ok;
    RefreshDatabases(data);
    return ok;
}

bool UnregisterDesktopFileType(const std::string& fileStem) {
    const std::string data = UserDataFolder();
    if (data.empty() || fileStem.empty())
        return false;
    bool removed = false;
    for (const std::string& path : {MimePackagePath(fileStem), DesktopEntryPath(fileStem)}) {
        if (FileExists(path) && std::remove(path.c_str()) == 0)
            removed = true;
    }
    if (removed)
        RefreshDatabases(data);
    return removed;
}

} // namespace tev
