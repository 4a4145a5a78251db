#pragma once
// The FTP browser without its window: the texts of its list and trace pane, the folder
// rules, the sort order, and the steps that talk to the server (connect attempts, listing,
// new folder, rename, recursive delete, uploads), each writing its trace lines. The window
// (FTPWindow.h) runs the steps on a thread of its own and shows what they report; nothing
// here needs a display.
#include "designer/ftp/FtpListing.h"
#include "designer/ftp/RemoteFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

// The colour of a trace line: black, green, blue, red.
enum class TraceKind { Progress = 0, Success = 1, Action = 2, Error = 3 };

struct CTraceLine {
    TraceKind kind;
    std::string text;
};

// The trace pane's lines: at most kMaxLines, the oldest going first.
class CTraceLog {
public:
    static constexpr std::size_t kMaxLines = 256;
    void Add(CTraceLine line);
    const std::deque<CTraceLine>& Lines() const { return m_lines; }

private:
    std::deque<CTraceLine> m_lines;
};

enum class SortColumn { Name = 0, Size = 1, Type = 2, Created = 3 };

// "1,234,567".
std::string GroupedNumber(std::uint64_t value);
// The "Size" column: empty for a folder, else kilobytes rounded up (at least 1) and " KB".
std::string SizeText(const CRemoteEntry& entry);
// The "Type" column: "Folder", or the extension in upper case and " File" ("File" alone
// without one).
std::string TypeText(const CRemoteEntry& entry);
// The "Created" column: "3/07/08(12:05a)", in local time for a UTC time; empty without one.
std::string CreatedText(const CRemoteEntry& entry);
// "%s (%s bytes)" of the properties page.
std::string SizeWithBytesText(const CRemoteEntry& entry);

// Folders before files (after them when descending) for Name and Size, folders always first
// for Type, then the column; names and types without regard to case.
void SortEntries(std::vector<CRemoteEntry>& entries, SortColumn column, bool ascending);

// The host of the profile's server text: an address without a scheme is taken as ftp://;
// ftps:// and sftp:// are understood too. False for another scheme or an empty host.
bool ParseFtpServer(const std::string& server, std::string& host);
// The folder the browser opens: the login folder for an empty path, an absolute path as it
// is, otherwise below the login folder. Backslashes count as "/".
std::string StartFolder(const std::string& loginFolder, const std::string& path);
// The folder handed back by "&Select" and "&Publish": the current folder, absolute.
std::string ChosenFolder(const std::string& currentFolder);
std::string ChildPath(const std::string& folder, const std::string& name);
std::string ParentPath(const std::string& folder);
// The names of an absolute folder's components: "/a/b" gives {"a", "b"}.
std::vector<std::string> PathComponents(const std::string& folder);
// "[%d] " with the system's number of the calling thread.
std::string TracePrefix();

class CFtpBrowser {
public:
    using TraceSink = std::function<void(TraceKind, const std::string&)>;
    // Deleting stops at this depth of folders, so a server that lists a folder inside
    // itself cannot keep it going.
    static constexpr int kMaxDeleteDepth = 32;

    // Every trace line begins with TracePrefix() of the thread that wrote it.
    CFtpBrowser(IRemoteFileSystem& server, TraceSink trace);

    // One connection attempt, traced; failures trace the server's reply and the reason.
    bool ConnectAttempt(const std::string& host, int attempt, int attempts);
    // After connecting: reads the login folder.
    bool ReadLoginFolder();
    const std::string& LoginFolder() const { return m_loginFolder; }
    const std::string& CurrentFolder() const { return m_currentFolder; }

    // Enters and lists `folder`; false (traced) when it cannot be entered or listed.
    bool ListFolder(const std::string& folder, std::vector<CRemoteEntry>& entries, bool passive);
    bool MakeFolder(const std::string& name);
    bool RenameItem(const std::string& from, const std::string& to);
    // Deletes items of the current folder, folders with everything in them; the names that
    // went.
    std::vector<std::string> DeleteItems(const std::vector<CRemoteEntry>& items);
    // Uploads local files and folders (with their contents) into the current folder; the
    // number of files that arrived.
    int UploadPaths(const std::vector<std::string>& localPaths);
    void Disconnect();

    std::string LastFailure() const;

private:
    void Trace(TraceKind kind, const std::string& text);
    void TraceServerReply();
    bool DeleteFile(const std::string& path, const std::string& name);
    bool DeleteFolder(const std::string& path, const std::string& name, int depth);
    bool UploadFile(const std::string& localPath, const std::string& remotePath);
    int UploadFolder(const std::string& localFolder, const std::string& remoteFolder);

    IRemoteFileSystem& m_server;
    TraceSink m_trace;
    std::string m_loginFolder;
    std::string m_currentFolder;
};

} // namespace TEVComponentDesignerAfx
