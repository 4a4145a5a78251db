#include "designer/ftp/FtpBrowser.h"

#include "designer/ftp/FolderUpload.h"
#include "platform/text/StringUtil.h"
#include "resources/designer/FtpDialogs.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>

#include <sys/syscall.h>
#include <unistd.h>

namespace TEVComponentDesignerAfx {
namespace {

using namespace tev::designer;
namespace fs = std::filesystem;

int CompareNoCase(const std::string& a, const std::string& b) {
    const std::string x = tev::ToLowerAscii(a);
    const std::string y = tev::ToLowerAscii(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

// One line of the server's last reply, for the trace.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return tev::Trimmed(text);
}

bool IsTimeout(const std::string& error) {
    return error.find(" within ") != std::string::npos;
}

} // namespace

void CTraceLog::Add(CTraceLine line) {
    if (m_lines.size() >= kMaxLines)
        m_lines.pop_front();
    m_lines.push_back(std::move(line));
}

std::string GroupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string SizeText(const CRemoteEntry& entry) {
    if (entry.folder)
        return {};
    const std::uint64_t kilobytes = std::max<std::uint64_t>(1, (entry.size + 1023) / 1024);
    return GroupedNumber(kilobytes) + " KB";
}

std::string TypeText(const CRemoteEntry& entry) {
    if (entry.folder)
        return kFolderType;
    const std::size_t dot = entry.name.rfind('.');
    if (dot == std::string::npos || dot + 1 == entry.name.size())
        return kFileType;
    std::string extension = entry.name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension + " " + kFileType;
}

std::string CreatedText(const CRemoteEntry& entry) {
    if (!entry.hasTime)
        return {};
    std::time_t time = static_cast<std::time_t>(entry.time);
    std::tm fields{};
    if (!(entry.utc ? localtime_r(&time, &fields) : gmtime_r(&time, &fields)))
        return {};
    const int hour = fields.tm_hour % 12 == 0 ? 12 : fields.tm_hour % 12;
    return tev::Format("%d/%02d/%02d(%d:%02d%c)", fields.tm_mon + 1, fields.tm_mday,
                       fields.tm_year % 100, hour, fields.tm_min, fields.tm_hour < 12 ? 'a' : 'p');
}

std::string SizeWithBytesText(const CRemoteEntry& entry) {
    if (entry.folder)
        return {};
    return tev::Format(kSizeWithBytes, SizeText(entry).c_str(), GroupedNumber(entry.size).c_str());
}

void SortEntries(std::vector<CRemoteEntry>& entries, SortColumn column, bool ascending) {
    auto before = [column, ascending](const CRemoteEntry& a, const CRemoteEntry& b) {
        // Created goes by the time alone.
        if (a.folder != b.folder && column != SortColumn::Created) {
            const bool folderFirst = column == SortColumn::Type || ascending;
            return folderFirst ? a.folder : b.folder;
        }
        int order = 0;
        switch (column) {
        case SortColumn::Name:
            order = CompareNoCase(a.name, b.name);
            break;
        case SortColumn::Size:
            order = a.size < b.size ? -1 : (b.size < a.size ? 1 : 0);
            break;
        case SortColumn::Type:
            order = CompareNoCase(TypeText(a), TypeText(b));
            break;
        case SortColumn::Created:
            order = a.time < b.time ? -1 : (b.time < a.time ? 1 : 0);
            break;
        }
        return ascending ? order < 0 : order > 0;
    };
    std::stable_sort(entries.begin(), entries.end(), before);
}

bool ParseFtpServer(const std::string& server, std::string& host) {
    if (ProtocolOf(server) == RemoteProtocol::Unknown)
        return false;
    host = CFolderUpload::HostOf(server);
    return !host.empty() && host.find_first_of(" \t/\\") == std::string::npos;
}

std::string StartFolder(const std::string& loginFolder, const std::string& path) {
    const std::string slashed = tev::Replaced(path, "\\", "/");
    if (slashed.empty())
        return loginFolder;
    if (slashed.front() == '/')
        return slashed;
    return ChildPath(loginFolder, slashed);
}

std::string ChosenFolder(const std::string& currentFolder) {
    if (currentFolder.empty() || currentFolder.front() != '/')
        return "/" + currentFolder;
    return currentFolder;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string ParentPath(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return "/";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::vector<std::string> PathComponents(const std::string& folder) {
    std::vector<std::string> components;
    for (const std::string& part : tev::Split(folder, '/'))
        if (!part.empty())
            components.push_back(part);
    return components;
}

std::string TracePrefix() {
    return tev::Format("[%d] ", static_cast<int>(syscall(SYS_gettid)));
}

CFtpBrowser::CFtpBrowser(IRemoteFileSystem& server, TraceSink trace)
    : m_server(server), m_trace(std::move(trace)) {}

void CFtpBrowser::Trace(TraceKind kind, const std::string& text) {
    if (m_trace)
        m_trace(kind, TracePrefix() + text);
}

void CFtpBrowser::TraceServerReply() {
    const std::string reply = OneLine(m_server.GetLastReply());
    if (!reply.empty())
        Trace(TraceKind::Error, reply);
}

std::string CFtpBrowser::LastFailure() const {
    return m_server.GetLastErrorText();
}

bool CFtpBrowser::ConnectAttempt(const std::string& host, int attempt, int attempts) {
    Trace(TraceKind::Progress, tev::Format(kTraceConnecting, host.c_str(), attempt, attempts));
    if (m_server.Connect())
        return true;
    TraceServerReply();
    Trace(TraceKind::Error, OneLine(m_server.GetLastErrorText()));
    return false;
}

bool CFtpBrowser::ReadLoginFolder() {
    if (!m_server.GetCurrentDir(m_loginFolder)) {
        TraceServerReply();
        Trace(TraceKind::Error, OneLine(m_server.GetLastErrorText()));
        return false;
    }
    m_currentFolder = m_loginFolder;
    return true;
}

bool CFtpBrowser::ListFolder(const std::string& folder, std::vector<CRemoteEntry>& entries,
                             bool passive) {
    entries.clear();
    std::string where;
    if (!m_server.GetCurrentDir(where)) {
        m_server.Disconnect();
        Trace(TraceKind::Progress, kTraceStatusClosed);
        return false;
    }
    Trace(TraceKind::Progress, kTraceStatusConnected);
    if (!m_server.ChangeRemoteDir(folder)) {
        TraceServerReply();
        Trace(TraceKind::Error, tev::Format(kTraceOpenFolderFailed, folder.c_str()));
        return false;
    }
    m_currentFolder = folder;
    Trace(TraceKind::Action, tev::Format(kTraceReceivingListing, folder.c_str()));
    if (!m_server.ListCurrentDir(entries)) {
        const std::string error = m_server.GetLastErrorText();
        if (IsTimeout(error))
            Trace(TraceKind::Error, passive ? kTraceTimedOut : kTraceTimedOutActive);
        else
            Trace(TraceKind::Success, tev::Format(kTraceFolderEmpty, folder.c_str()));
        Trace(TraceKind::Error, OneLine(error));
        return false;
    }
    Trace(TraceKind::Success, tev::Format(kTraceListingReceived, folder.c_str()));
    return true;
}

bool CFtpBrowser::MakeFolder(const std::string& name) {
    Trace(TraceKind::Action, tev::Format(kTraceCreatingFolder, name.c_str()));
    if (IsUsableName(name) && m_server.MakeDir(ChildPath(m_currentFolder, name))) {
        Trace(TraceKind::Success, tev::Format(kTraceFolderCreated, name.c_str()));
        return true;
    }
    TraceServerReply();
    Trace(TraceKind::Error, tev::Format(kTraceCreateFolderFailed, name.c_str()));
    return false;
}

bool CFtpBrowser::RenameItem(const std::string& from, const std::string& to) {
    Trace(TraceKind::Action, tev::Format(kTraceRenaming, from.c_str(), to.c_str()));
    if (IsUsableName(to) &&
        m_server.Rename(ChildPath(m_currentFolder, from), ChildPath(m_currentFolder, to))) {
        Trace(TraceKind::Success, tev::Format(kTraceRenamed, from.c_str()));
        return true;
    }
    TraceServerReply();
    Trace(TraceKind::Error, tev::Format(kTraceRenameFailed, from.c_str()));
    return false;
}

bool CFtpBrowser::DeleteFile(const std::string& path, const std::string& name) {
    Trace(TraceKind::Action, tev::Format(kTraceDeletingFile, name.c_str()));
    if (m_server.DeleteFile(path)) {
        Trace(TraceKind::Success, tev::Format(kTraceDeleted, name.c_str()));
        return true;
    }
    TraceServerReply();
    Trace(TraceKind::Error, tev::Format(kTraceDeleteFailed, name.c_str()));
    return false;
}

bool CFtpBrowser::DeleteFolder(const std::string& path, const std::string& name, int depth) {
    std::vector<CRemoteEntry> contents;
    if (depth >= kMaxDeleteDepth || !m_server.ChangeRemoteDir(path) ||
        !m_server.ListCurrentDir(contents)) {
        TraceServerReply();
        Trace(TraceKind::Error, tev::Format(kTraceDeleteFailed, name.c_str()));
        return false;
    }
    // Files first: a file that cannot go ends the whole folder's deletion.
    for (const CRemoteEntry& entry : contents)
        if (!entry.folder && !DeleteFile(ChildPath(path, entry.name), entry.name))
            return false;
    for (const CRemoteEntry& entry : contents)
        if (entry.folder && !DeleteFolder(ChildPath(path, entry.name), entry.name, depth + 1))
            return false;
    m_server.ChangeRemoteDir(ParentPath(path));
    Trace(TraceKind::Action, tev::Format(kTraceDeletingFolder, name.c_str()));
    if (m_server.RemoveDir(path)) {
        Trace(TraceKind::Success, tev::Format(kTraceDeleted, name.c_str()));
        return true;
    }
    TraceServerReply();
    Trace(TraceKind::Error, tev::Format(kTraceDeleteFailed, name.c_str()));
    return false;
}

std::vector<std::string> CFtpBrowser::DeleteItems(const std::vector<CRemoteEntry>& items) {
    std::vector<std::string> deleted;
    const std::string folder = m_currentFolder;
    for (const CRemoteEntry& item : items) {
        const std::string path = ChildPath(folder, item.name);
        if (item.folder ? DeleteFolder(path, item.name, 0) : DeleteFile(path, item.name))
            deleted.push_back(item.name);
    }
    m_server.ChangeRemoteDir(folder);
    return deleted;
}

bool CFtpBrowser::UploadFile(const std::string& localPath, const std::string& remotePath) {
    Trace(TraceKind::Action, tev::Format(kTraceUploading, localPath.c_str()));
    if (m_server.PutFile(localPath, remotePath)) {
        Trace(TraceKind::Success, tev::Format(kTraceUploaded, localPath.c_str()));
        return true;
    }
    TraceServerReply();
    Trace(TraceKind::Error, tev::Format(kTraceUploadFailed, localPath.c_str()));
    return false;
}

int CFtpBrowser::UploadFolder(const std::string& localFolder, const std::string& remoteFolder) {
    // The remote folder is made first, so the files have somewhere to go; one that is
    // there already is fine.
    m_server.MakeDir(remoteFolder);
    int sent = 0;
    std::error_code ec;
    for (fs::directory_iterator it(localFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsUsableName(name))
            continue;
        const std::string remote = ChildPath(remoteFolder, name);
        if (it->is_directory(ec))
            sent += UploadFolder(it->path().string(), remote);
        else if (it->is_regular_file(ec))
            sent += UploadFile(it->path().string(), remote) ? 1 : 0;
    }
    return sent;
}

int CFtpBrowser::UploadPaths(const std::vector<std::string>& localPaths) {
    int sent = 0;
    for (const std::string& local : localPaths) {
        std::error_code ec;
        const fs::path path = fs::path(local).lexically_normal();
        std::string name = path.filename().string();
        if (name.empty())
            name = path.parent_path().filename().string();
        if (!IsUsableName(name))
            continue;
        const std::string remote = ChildPath(m_currentFolder, name);
        if (fs::is_directory(path, ec))
            sent += UploadFolder(path.string(), remote);
        else
            sent += UploadFile(local, remote) ? 1 : 0;
    }
    return sent;
}

void CFtpBrowser::Disconnect() {
    m_server.Disconnect();
}

} // namespace TEVComponentDesignerAfx
