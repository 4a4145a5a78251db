#pragma once
// What the FTP browser and the uploads need of a file server, whatever protocol speaks to
// it: log in, look at folders, make and remove them, rename and delete, store files. Plain
// FTP (CFtpTransferClient) stands behind it; other protocols can stand behind it the same
// way.
//
// Every operation returns true on success; after a failure GetLastErrorText tells which step
// failed and GetLastReply quotes what the server said last. Names are relative to the
// current folder unless they begin with "/". No operation throws. Stop may be called from
// another thread to end the running operation, and every later one, at once.
#include "designer/ftp/FtpListing.h"
#include "designer/ftp/RemoteTrust.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

struct CRemoteLogin {
    std::string host;
    int port = 21;
    std::string username;
    std::string password;
    bool passive = true;
    int connectTimeoutSeconds = 60;
    int idleTimeoutMilliseconds = 60000;
};

class IRemoteFileSystem {
public:
    virtual ~IRemoteFileSystem() = default;

    virtual void SetLogin(const CRemoteLogin& login) = 0;
    // Who judges a certificate or host key the system does not vouch for; null for the
    // user's trusted identities without asking about new ones. Not owned; it must outlive
    // every connection.
    virtual void SetTrust(IRemoteTrust* trust) = 0;
    virtual bool Connect() = 0;
    virtual bool IsConnected() const = 0;
    virtual bool Disconnect() = 0;
    virtual void Stop() = 0;

    // The current folder as the server names it.
    virtual bool GetCurrentDir(std::string& folder) = 0;
    virtual bool ChangeRemoteDir(const std::string& folder) = 0;
    // The entries of the current folder, without "." and "..". A listing larger than the
    // collector keeps is cut short: true with what was kept, and the last error text says
    // so.
    virtual bool ListCurrentDir(std::vector<CRemoteEntry>& entries) = 0;
    virtual bool MakeDir(const std::string& name) = 0;
    virtual bool RemoveDir(const std::string& name) = 0;
    virtual bool DeleteFile(const std::string& name) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Where the server offers them; false with a text saying so where it does not.
    virtual bool GetFileSize(const std::string& name, std::uint64_t& size) = 0;
    // Seconds since 1970, UTC.
    virtual bool GetModifiedTime(const std::string& name, std::int64_t& time) = 0;
    // Stores a local file under `remoteName`; an existing remote file is replaced.
    virtual bool PutFile(const std::string& localPath, const std::string& remoteName) = 0;

    // The same on a thread the file system owns, for a caller that shows the progress:
    // true when started; then IsAsyncFinished turns true when it ended, GetAsyncSucceeded
    // tells how, GetAsyncBytesSent counts the bytes sent (low 32 bits) and AbortAsync cuts it
    // short.
    virtual bool AsyncPutFileStart(const std::string& localPath, const std::string& remoteName) = 0;
    virtual bool IsAsyncFinished() const = 0;
    virtual std::int32_t GetAsyncBytesSent() const = 0;
    virtual bool GetAsyncSucceeded() const = 0;
    virtual void AbortAsync() = 0;

    // The text of the server's last reply, on its own.
    virtual std::string GetLastReply() const = 0;
    virtual std::string GetLastErrorText() const = 0;
    // Appends the last error text to the file at `path`; false when there was none or the
    // file could not be written.
    virtual bool SaveLastError(const std::string& path) const = 0;
};

// Appends `text`, after a line with the date and time, to the file at `path` (created when
// missing), so a log collects every failure of a run. False for an empty text or a file that
// cannot be written.
bool AppendErrorToLog(const std::string& path, const std::string& text);

enum class RemoteProtocol { Ftp, Ftps, Sftp, Unknown };

// The protocol a server address names by its scheme: none or "ftp://" for plain FTP,
// "ftps://" for FTP over TLS, "sftp://" for SSH; Unknown for any other scheme.
RemoteProtocol ProtocolOf(const std::string& server);
// 21 for FTP with or without TLS, 22 for SFTP.
int DefaultPortOf(RemoteProtocol protocol);
// "ftp://", "ftps://" or "sftp://".
const char* SchemeOf(RemoteProtocol protocol);
// `server` with its scheme replaced by the protocol's; a bare host name stays bare for
// plain FTP, as older profiles hold it.
std::string WithProtocol(const std::string& server, RemoteProtocol protocol);

// The port after the protocol changed from `from` to `to`: the new default when `port` was
// the old one's (or none), otherwise `port` as the user set it.
int PortAfterProtocolChange(int port, RemoteProtocol from, RemoteProtocol to);

// The file system that speaks to `server`, chosen by the address's scheme (plain FTP for an
// unknown one, whose host will not resolve).
std::unique_ptr<IRemoteFileSystem> CreateRemoteFileSystem(const std::string& server);

} // namespace TEVComponentDesignerAfx
