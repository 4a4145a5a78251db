#pragma once
// The remote file system over SSH (SFTP, on libssh), for sftp:// addresses. The same
// operations and error texts as the FTP client: every operation starts a new last error
// text, which after a failure says which step failed and why; the password never appears in
// it.
//
// The server's host key is judged before the login: one the user trusted goes on, one never
// seen goes to the IRemoteTrust, a changed one is refused. The login tries the user's SSH
// agent and key files (~/.ssh/id_*), then the password when there is one.
#include "designer/ftp/FtpWorker.h"
#include "designer/ftp/RemoteFileSystem.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace TEVComponentDesignerAfx {

class CSftpFileSystem : public IRemoteFileSystem {
public:
    static constexpr int kDefaultPort = 22;

    CSftpFileSystem();
    ~CSftpFileSystem() override;
    CSftpFileSystem(const CSftpFileSystem&) = delete;
    CSftpFileSystem& operator=(const CSftpFileSystem&) = delete;

    void SetLogin(const CRemoteLogin& login) override;
    void SetTrust(IRemoteTrust* trust) override;
    // Where the key files are looked for instead of ~/.ssh.
    void SetKeyFolder(const std::string& folder);

    bool Connect() override;
    bool IsConnected() const override;
    bool Disconnect() override;
    void Stop() override;

    bool GetCurrentDir(std::string& folder) override;
    bool ChangeRemoteDir(const std::string& folder) override;
    bool ListCurrentDir(std::vector<CRemoteEntry>& entries) override;
    bool MakeDir(const std::string& name) override;
    bool RemoveDir(const std::string& name) override;
    bool DeleteFile(const std::string& name) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool GetFileSize(const std::string& name, std::uint64_t& size) override;
    bool GetModifiedTime(const std::string& name, std::int64_t& time) override;
    bool PutFile(const std::string& localPath, const std::string& remoteName) override;

    bool AsyncPutFileStart(const std::string& localPath, const std::string& remoteName) override;
    bool IsAsyncFinished() const override;
    std::int32_t GetAsyncBytesSent() const override;
    bool GetAsyncSucceeded() const override;
    void AbortAsync() override;

    std::string GetLastReply() const override;
    std::string GetLastErrorText() const override;
    bool SaveLastError(const std::string& path) const override;

private:
    class CSession;
    std::unique_ptr<CSession> m_session;
    CFtpWorker m_worker; // joined before the session it uses goes
};

} // namespace TEVComponentDesignerAfx
