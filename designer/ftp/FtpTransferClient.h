#pragma once
// The FTP client through which every upload goes: it logs in over one control connection,
// changes the remote directory and stores files in binary mode over passive or active data
// connections, on the calling thread or on a worker thread that the GUI thread polls. The
// client owns that worker: it never outlives the client.
//
// Every operation that talks to the server (Connect, ChangeRemoteDir, PutFile,
// AsyncPutFileStart, Disconnect) starts a new last error text; after a failure it tells which
// step failed and quotes the server's reply. No operation throws. While an asynchronous
// upload runs, those operations fail at once and leave the connection to it. A directory or
// file name, user name or password holding a line break is refused, since it would end the
// command early and let the rest pass for a command of its own.
//
// The browsing operations (PWD, MLSD or LIST, MKD, RMD, DELE, RNFR/RNTO, SIZE, MDTM) follow
// the same rules. A listing goes over a data connection like an upload, in passive or active
// mode; it uses MLSD when the server's FEAT offers MLST, LIST otherwise, and must arrive in
// full within the idle timeout.
#include "designer/ftp/FtpWorker.h"
#include "designer/ftp/RemoteFileSystem.h"

#include <cstdint>
#include <memory>
#include <string>

namespace TEVComponentDesignerAfx {

class CFtpTransferClient : public IRemoteFileSystem {
public:
    static constexpr int kDefaultPort = 21;
    static constexpr int kDefaultConnectTimeoutSeconds = 60;
    static constexpr int kDefaultIdleTimeoutMilliseconds = 60000;

    CFtpTransferClient();
    // Cuts a running asynchronous upload short and joins its worker, which ends at once.
    ~CFtpTransferClient() override;
    CFtpTransferClient(const CFtpTransferClient&) = delete;
    CFtpTransferClient& operator=(const CFtpTransferClient&) = delete;

    void SetHostname(const std::string& hostname);
    void SetUsername(const std::string& username);
    void SetPassword(const std::string& password);
    // On: data connections opened by the client (PASV, or EPSV over IPv6); off: opened by the
    // server to an address the client announces (PORT, or EPRT over IPv6).
    void SetPassive(bool passive);
    void SetPort(int port);
    // Longest wait for a connection to open.
    void SetConnectTimeout(int seconds);
    // Longest wait for a whole reply, or for data to move, before the operation fails.
    void SetIdleTimeout(int milliseconds);
    // On: FTP over TLS (AUTH TLS before the login, PROT P, TLS on every data connection,
    // resuming the control connection's session); off: plain FTP.
    void SetSecure(bool tls);
    // All of the above but the security at once.
    void SetLogin(const CRemoteLogin& login) override;
    void SetTrust(IRemoteTrust* trust) override;

    // True only when the control connection is open and the login succeeded.
    bool Connect() override;
    bool IsConnected() const override;
    bool ChangeRemoteDir(const std::string& remoteDir) override;
    // Uploads on the calling thread; an existing remote file is replaced.
    bool PutFile(const std::string& localPath, const std::string& remoteName) override;

    bool GetCurrentDir(std::string& folder) override;
    bool ListCurrentDir(std::vector<CRemoteEntry>& entries) override;
    bool MakeDir(const std::string& name) override;
    bool RemoveDir(const std::string& name) override;
    bool DeleteFile(const std::string& name) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool GetFileSize(const std::string& name, std::uint64_t& size) override;
    bool GetModifiedTime(const std::string& name, std::int64_t& time) override;
    // True when the server's FEAT offered MLST, so listings use MLSD.
    bool UsesMlsd() const;

    // Starts the upload on a worker thread and returns at once; true when it was started.
    bool AsyncPutFileStart(const std::string& localPath, const std::string& remoteName) override;
    // False while the worker runs; true before any start, after a failed start and after
    // the worker ended.
    bool IsAsyncFinished() const override;
    // Bytes of the current or last asynchronous upload handed to the data connection (the
    // low 32 bits of the count, as callers compare it with the low 32 bits of a file size).
    std::int32_t GetAsyncBytesSent() const override;
    // True when the last asynchronous upload has ended and succeeded.
    bool GetAsyncSucceeded() const override;
    // Asks a running asynchronous upload to stop. It ends promptly, counts as failed and its
    // last error text says it was cancelled; the connection stays usable (the server's answer
    // for the cut-off file is read before the next command). Without a running upload nothing
    // happens.
    void AbortAsync() override;

    // Sends QUIT and closes the connection; true when it was closed.
    bool Disconnect() override;

    // Gives up on the client from another thread: the operation running in it (a connection,
    // a folder change, an upload, the goodbye) ends at once as cancelled by the user, and so
    // does every later one. For a caller that runs the client's calls on a thread of its own
    // and must join that thread promptly.
    void Stop() override;

    std::string GetLastErrorText() const override;
    std::string GetLastReply() const override;
    // Appends the last error text, after a line with the date and time, to the file at
    // `path` (created when missing), so a log collects every failure of a run. False when
    // there is no error text or the file cannot be written.
    bool SaveLastError(const std::string& path) const override;

    // The replies to SYST and FEAT of the last login, for information.
    std::string GetServerSystem() const;
    std::string GetServerFeatures() const;

private:
    class CSession;
    std::unique_ptr<CSession> m_session;
    // Runs the asynchronous upload; declared last, so that it is joined before the session
    // it uses goes.
    CFtpWorker m_worker;
};

} // namespace TEVComponentDesignerAfx
