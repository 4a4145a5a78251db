#include "designer/ftp/SitesFile.h"

#include "designer/ftp/Archive.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/shell/UserFolders.h"
#include "platform/text/StringUtil.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TEVComponentDesignerAfx {
namespace {

// Owns a descriptor until it is handed on or the scope ends.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    bool Close() {
        const int fd = Release();
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::string CSitesFile::DefaultPath() {
    const std::string data = tev::UserAppDataFolder();
    return data.empty() ? std::string() : data + kFileName;
}

std::string CSitesFile::Locate() {
    const std::string path = DefaultPath();
    tev::CreateDirectoryTree(tev::UserAppDataFolder());
    tev::MoveOverOnce(tev::ProgramFolder() + kFileName, path);
    return path;
}

SitesFileState CSitesFile::Read(CArchive& ar, std::vector<CFtpSite>& sites) {
    std::string header;
    ar >> header;
    if (ar.IsFailed())
        return SitesFileState::Damaged;
    if (header != kHeader)
        return SitesFileState::Foreign;
    while (!ar.IsAtEnd()) {
        CFtpSite site;
        if (!site.Serialize(ar))
            return SitesFileState::Damaged;
        sites.push_back(std::move(site));
    }
    return SitesFileState::Complete;
}

SitesFileState CSitesFile::Read(std::string_view bytes, std::vector<CFtpSite>& sites) {
    CArchive ar(bytes);
    return Read(ar, sites);
}

SitesFileState CSitesFile::Read(const std::string& path, std::vector<CFtpSite>& sites) {
    // Non-blocking so that a pipe put in the file's place cannot stall the dialog; only a
    // regular file is read.
    CFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return SitesFileState::Missing;
    std::FILE* file = ::fdopen(fd.Get(), "rb");
    if (!file)
        return SitesFileState::Missing;
    fd.Release();
    CArchive ar(file, static_cast<std::uint64_t>(info.st_size));
    const SitesFileState state = Read(ar, sites);
    std::fclose(file);
    return state;
}

bool CSitesFile::Store(const std::vector<CFtpSite>& sites, std::string& bytes) {
    CArchive ar;
    ar << std::string_view(kHeader);
    for (const CFtpSite& site : sites) {
        if (site.m_placeholder)
            continue;
        // Serialize stores through a non-const archive operation only.
        CFtpSite copy(site);
        if (!copy.Serialize(ar))
            return false;
    }
    bytes = ar.GetStoredBytes();
    return true;
}

bool CSitesFile::Write(const std::string& path, const std::vector<CFtpSite>& sites) {
    std::string bytes;
    if (!Store(sites, bytes))
        return false;

    std::string tempPath = path + ".XXXXXX";
    CFileDescriptor fd(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        return false;
    const bool written = ::fchmod(fd.Get(), S_IRUSR | S_IWUSR) == 0 && WriteAll(fd.Get(), bytes) &&
                         ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || std::rename(tempPath.c_str(), path.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable; the new file is complete either way.
    CFileDescriptor folder(::open(tev::FolderOf(path).empty() ? "." : tev::FolderOf(path).c_str(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    return true;
}

} // namespace TEVComponentDesignerAfx
