#include "designer/ftp/SftpFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <libssh/libssh.h>
#include <libssh/sftp.h>

namespace TEVComponentDesignerAfx {

namespace {

// SFTP packets carry at most this much of a file; OpenSSH takes up to 256 KiB, every
// server 32 KiB.
constexpr std::size_t kChunkSize = 32 * 1024;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string HashText(const unsigned char* hash, std::size_t size) {
    std::string text = "SHA256:";
    char hex[4];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, i ? ":%02X" : "%02X", hash[i]);
        text += hex;
    }
    return text;
}

// SFTP's status codes in the words the FTP errors use.
std::string SftpErrorText(int code) {
    switch (code) {
    case SSH_FX_NO_SUCH_FILE:
        return "no such file or folder";
    case SSH_FX_PERMISSION_DENIED:
        return "permission denied";
    case SSH_FX_FILE_ALREADY_EXISTS:
        return "it exists already";
    case SSH_FX_NO_SUCH_PATH:
        return "no such path";
    case SSH_FX_CONNECTION_LOST:
    case SSH_FX_NO_CONNECTION:
        return "the connection to the server was lost";
    case SSH_FX_OP_UNSUPPORTED:
        return "the server does not offer it";
    default:
        return "the server refused it";
    }
}

} // namespace

class CSftpFileSystem::CSession {
public:
    CRemoteLogin login;
    std::string keyFolder;
    IRemoteTrust* trust = nullptr;
    std::atomic<bool> busy{false};
    std::atomic<bool> abort{false};
    std::atomic<bool> stopped{false};
    std::atomic<std::int32_t> bytesSent{0};
    std::atomic<bool> asyncSucceeded{false};

    CSession() : trust(&m_storedTrust) {}
    ~CSession() { Drop(); }
    void UseStoredTrust() { trust = &m_storedTrust; }

    bool Begin(std::string title) {
        if (busy.load()) {
            SetError(title + " failed: an upload is still running.");
            return false;
        }
        m_title = std::move(title);
        SetError({});
        return !stopped.load() || Fail("cancelled by the user");
    }

    bool Fail(const std::string& what, const std::string& reply = {}) {
        std::string text = m_title + " failed: " + what + ".";
        if (!reply.empty())
            text += "\nServer reply: " + reply;
        SetError(std::move(text));
        return false;
    }

    // A failed SFTP call on `path`, with the server's status.
    bool FailSftp(const std::string& what) {
        const int code = m_sftp ? sftp_get_error(m_sftp) : SSH_FX_CONNECTION_LOST;
        const std::string reply = m_ssh ? ssh_get_error(m_ssh) : "";
        if (m_ssh && !ssh_is_connected(m_ssh))
            Drop();
        SetReply(reply);
        return Fail(what + " (" + SftpErrorText(code) + ")", reply);
    }

    std::string LastError() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_error;
    }
    std::string LastReply() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_reply;
    }
    bool Connected() const { return m_sftp != nullptr; }

    bool Connect();
    bool Disconnect();
    void Stop();
    bool ChangeDir(const std::string& folder);
    bool CurrentDir(std::string& folder);
    bool List(std::vector<CRemoteEntry>& entries);
    bool NameCall(const std::string& title, const std::string& name,
                  int (*call)(sftp_session, const char*), const std::string& refusal);
    bool MakeDir(const std::string& name);
    bool Rename(const std::string& from, const std::string& to);
    bool Stat(const std::string& title, const std::string& name, sftp_attributes& attributes);
    bool PrepareUpload(const std::string& localPath, const std::string& remoteName, int& fd);
    bool Upload(int fd, const std::string& remoteName, bool async);

private:
    void SetError(std::string text) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_error = std::move(text);
    }
    void SetReply(std::string text) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reply = std::move(text);
    }
    void Drop();
    bool CheckName(const std::string& name);
    std::string PathOf(const std::string& name) const {
        if (!name.empty() && name.front() == '/')
            return name;
        return m_cwd == "/" ? "/" + name : m_cwd + "/" + name;
    }
    bool OpenSession();
    bool JudgeHostKey();
    bool Authenticate();
    bool StartSftp();
    bool SendFile(int fd, sftp_file file, bool async);

    ssh_session m_ssh = nullptr;
    sftp_session m_sftp = nullptr;
    std::string m_cwd = "/";
    std::string m_title;
    std::string m_error;
    std::string m_reply;
    mutable std::mutex m_mutex;
    std::mutex m_stopMutex; // Stop reaches the socket from another thread
    int m_fd = -1;
    CStoredTrust m_storedTrust;
};

void CSftpFileSystem::CSession::Drop() {
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_fd = -1;
    }
    if (m_sftp)
        sftp_free(m_sftp);
    m_sftp = nullptr;
    if (m_ssh) {
        ssh_disconnect(m_ssh);
        ssh_free(m_ssh);
    }
    m_ssh = nullptr;
}

void CSftpFileSystem::CSession::Stop() {
    stopped.store(true);
    abort.store(true);
    // A shut socket ends the blocking call libssh is in at once.
    std::lock_guard<std::mutex> lock(m_stopMutex);
    if (m_fd >= 0)
        shutdown(m_fd, SHUT_RDWR);
}

bool CSftpFileSystem::CSession::OpenSession() {
    m_ssh = ssh_new();
    if (!m_ssh)
        return Fail("libssh cannot start a session");
    long timeout = std::max(login.connectTimeoutSeconds, 1);
    int port = login.port;
    ssh_options_set(m_ssh, SSH_OPTIONS_HOST, login.host.c_str());
    ssh_options_set(m_ssh, SSH_OPTIONS_PORT, &port);
    ssh_options_set(m_ssh, SSH_OPTIONS_USER, login.username.c_str());
    ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT, &timeout);
    // Each write waits for its answer: small packets must go at once, not after the peer's
    // delayed acknowledgement.
    int noDelay = 1;
    ssh_options_set(m_ssh, SSH_OPTIONS_NODELAY, &noDelay);
    if (!keyFolder.empty())
        ssh_options_set(m_ssh, SSH_OPTIONS_SSH_DIR, keyFolder.c_str());
    if (ssh_connect(m_ssh) != SSH_OK) {
        const std::string reply = ssh_get_error(m_ssh);
        Drop();
        return Fail(stopped ? "cancelled by the user" : "no SSH connection (" + reply + ")");
    }
    std::lock_guard<std::mutex> lock(m_stopMutex);
    m_fd = ssh_get_fd(m_ssh);
    return true;
}

bool CSftpFileSystem::CSession::JudgeHostKey() {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(m_ssh, &key) != SSH_OK) {
        Drop();
        return Fail("the server showed no host key");
    }
    unsigned char* hash = nullptr;
    std::size_t size = 0;
    CRemoteIdentity identity;
    identity.kind = RemoteIdentityKind::HostKey;
    identity.host = login.host;
    identity.port = login.port;
    identity.subject = ssh_key_type_to_char(ssh_key_type(key));
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &size) == 0) {
        identity.fingerprint = HashText(hash, size);
        ssh_clean_pubkey_hash(&hash);
    }
    ssh_key_free(key);
    identity.reason = "first connection to this host";
    std::string refusal;
    if (!identity.fingerprint.empty() && trust->Trust(identity, refusal))
        return true;
    Drop();
    return Fail(refusal.empty() ? "the host key cannot be read" : refusal);
}

bool CSftpFileSystem::CSession::Authenticate() {
    // "none" first: it also fetches the methods the server offers.
    int result = ssh_userauth_none(m_ssh, nullptr);
    if (result == SSH_AUTH_SUCCESS)
        return true;
    const int methods = ssh_userauth_list(m_ssh, nullptr);
    if (result != SSH_AUTH_ERROR && (methods & SSH_AUTH_METHOD_PUBLICKEY))
        result = ssh_userauth_publickey_auto(m_ssh, nullptr, nullptr);
    if (result != SSH_AUTH_SUCCESS && result != SSH_AUTH_ERROR && !login.password.empty() &&
        (methods & SSH_AUTH_METHOD_PASSWORD))
        result = ssh_userauth_password(m_ssh, nullptr, login.password.c_str());
    if (result == SSH_AUTH_SUCCESS)
        return true;
    const std::string reply = ssh_get_error(m_ssh);
    Drop();
    if (result == SSH_AUTH_ERROR)
        return Fail(stopped ? "cancelled by the user" : "the connection broke during the login",
                    reply);
    return Fail("permission denied for " + Quoted(login.username) +
                (login.password.empty() ? " (no SSH agent key or ~/.ssh/id_* key was accepted)"
                                        : " (the keys and the password were refused)"));
}

bool CSftpFileSystem::CSession::StartSftp() {
    m_sftp = sftp_new(m_ssh);
    if (!m_sftp || sftp_init(m_sftp) != SSH_OK) {
        const std::string reply = ssh_get_error(m_ssh);
        Drop();
        return Fail("the server does not offer SFTP", reply);
    }
    char* home = sftp_canonicalize_path(m_sftp, ".");
    m_cwd = home ? home : "/";
    ssh_string_free_char(home);
    return true;
}

bool CSftpFileSystem::CSession::Connect() {
    if (!Begin("Connecting to " + login.host + " port " + std::to_string(login.port)))
        return false;
    Drop();
    return OpenSession() && JudgeHostKey() && Authenticate() && StartSftp();
}

bool CSftpFileSystem::CSession::Disconnect() {
    if (!Begin("Disconnecting from " + login.host))
        return false;
    Drop();
    return true;
}

bool CSftpFileSystem::CSession::CheckName(const std::string& name) {
    if (name.empty())
        return Fail("the name is empty");
    if (name.find('\0') != std::string::npos)
        return Fail("the name holds a NUL");
    return Connected() || Fail("not connected to the server");
}

bool CSftpFileSystem::CSession::CurrentDir(std::string& folder) {
    if (!Begin("Asking for the remote directory"))
        return false;
    if (!Connected())
        return Fail("not connected to the server");
    folder = m_cwd;
    return true;
}

bool CSftpFileSystem::CSession::ChangeDir(const std::string& folder) {
    if (!Begin("Changing to the remote directory " + Quoted(folder)) || !CheckName(folder))
        return false;
    char* resolved = sftp_canonicalize_path(m_sftp, PathOf(folder).c_str());
    if (!resolved)
        return FailSftp("the server refused the directory");
    std::string path = resolved;
    ssh_string_free_char(resolved);
    sftp_attributes attributes = sftp_stat(m_sftp, path.c_str());
    if (!attributes)
        return FailSftp("the server refused the directory");
    const bool folderType = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    sftp_attributes_free(attributes);
    if (!folderType)
        return Fail("the server refused the directory (it is no directory)");
    m_cwd = path;
    return true;
}

bool CSftpFileSystem::CSession::List(std::vector<CRemoteEntry>& entries) {
    entries.clear();
    if (!Begin("Listing the remote directory"))
        return false;
    if (!Connected())
        return Fail("not connected to the server");
    sftp_dir dir = sftp_opendir(m_sftp, m_cwd.c_str());
    if (!dir)
        return FailSftp("the server refused to list the directory");
    while (sftp_attributes item = sftp_readdir(m_sftp, dir)) {
        CRemoteEntry entry;
        entry.name = item->name ? item->name : "";
        entry.folder = item->type == SSH_FILEXFER_TYPE_DIRECTORY;
        entry.link = item->type == SSH_FILEXFER_TYPE_SYMLINK;
        entry.size = item->size;
        entry.hasTime = (item->flags & SSH_FILEXFER_ATTR_ACMODTIME) != 0;
        entry.time = item->mtime;
        entry.utc = true;
        sftp_attributes_free(item);
        if (entry.name != "." && entry.name != ".." && !entry.name.empty())
            entries.push_back(std::move(entry));
    }
    const bool whole = sftp_dir_eof(dir) == 1;
    sftp_closedir(dir);
    return whole || FailSftp("the listing broke off");
}

bool CSftpFileSystem::CSession::NameCall(const std::string& title, const std::string& name,
                                         int (*call)(sftp_session, const char*),
                                         const std::string& refusal) {
    if (!Begin(title + " " + Quoted(name)) || !CheckName(name))
        return false;
    return call(m_sftp, PathOf(name).c_str()) == 0 || FailSftp(refusal);
}

bool CSftpFileSystem::CSession::MakeDir(const std::string& name) {
    if (!Begin("Creating the remote directory " + Quoted(name)) || !CheckName(name))
        return false;
    return sftp_mkdir(m_sftp, PathOf(name).c_str(), 0755) == 0 ||
           FailSftp("the server refused to create the directory");
}

bool CSftpFileSystem::CSession::Rename(const std::string& from, const std::string& to) {
    if (!Begin("Renaming " + Quoted(from) + " to " + Quoted(to)) || !CheckName(from) ||
        !CheckName(to))
        return false;
    return sftp_rename(m_sftp, PathOf(from).c_str(), PathOf(to).c_str()) == 0 ||
           FailSftp("the server refused the new name");
}

bool CSftpFileSystem::CSession::Stat(const std::string& title, const std::string& name,
                                     sftp_attributes& attributes) {
    if (!Begin(title + " " + Quoted(name)) || !CheckName(name))
        return false;
    attributes = sftp_stat(m_sftp, PathOf(name).c_str());
    return attributes || FailSftp("the server gave no answer");
}

bool CSftpFileSystem::CSession::PrepareUpload(const std::string& localPath,
                                              const std::string& remoteName, int& fd) {
    if (!Begin("Uploading " + Quoted(localPath) + " as " + Quoted(remoteName)) ||
        !CheckName(remoteName))
        return false;
    fd = open(localPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail("cannot open the local file (" + std::generic_category().message(errno) + ")");
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        return true;
    close(fd);
    fd = -1;
    return Fail("the local path is not a file");
}

bool CSftpFileSystem::CSession::Upload(int fd, const std::string& remoteName, bool async) {
    sftp_file file =
        sftp_open(m_sftp, PathOf(remoteName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!file) {
        close(fd);
        return FailSftp("the server refused to store the file");
    }
    const bool sent = SendFile(fd, file, async);
    close(fd);
    const bool closed = sftp_close(file) == SSH_NO_ERROR;
    if (!sent)
        return false;
    return closed || FailSftp("the server did not confirm the upload");
}

bool CSftpFileSystem::CSession::SendFile(int fd, sftp_file file, bool async) {
    std::vector<char> buffer(kChunkSize);
    unsigned long long total = 0;
    for (;;) {
        if (abort.load())
            return Fail("cancelled by the user after " + std::to_string(total) + " bytes");
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Fail("cannot read the local file (" + std::generic_category().message(errno) +
                        ")");
        if (got == 0)
            return true;
        if (sftp_write(file, buffer.data(), static_cast<std::size_t>(got)) != got)
            return FailSftp("the upload broke after " + std::to_string(total) + " bytes");
        total += static_cast<unsigned long long>(got);
        if (async)
            bytesSent.store(static_cast<std::int32_t>(static_cast<std::uint32_t>(total)));
    }
}

CSftpFileSystem::CSftpFileSystem() : m_session(std::make_unique<CSession>()) {
    m_session->login.port = kDefaultPort;
}

CSftpFileSystem::~CSftpFileSystem() {
    m_worker.Stop();
}

void CSftpFileSystem::SetLogin(const CRemoteLogin& login) {
    m_session->login = login;
    if (login.port <= 0 || login.port > 65535)
        m_session->login.port = kDefaultPort;
}

void CSftpFileSystem::SetTrust(IRemoteTrust* trust) {
    if (trust)
        m_session->trust = trust;
    else
        m_session->UseStoredTrust();
}

void CSftpFileSystem::SetKeyFolder(const std::string& folder) {
    m_session->keyFolder = folder;
}

bool CSftpFileSystem::Connect() {
    return m_session->Connect();
}

bool CSftpFileSystem::IsConnected() const {
    return m_session->Connected();
}

bool CSftpFileSystem::Disconnect() {
    return m_session->Disconnect();
}

void CSftpFileSystem::Stop() {
    m_session->Stop();
}

bool CSftpFileSystem::GetCurrentDir(std::string& folder) {
    return m_session->CurrentDir(folder);
}

bool CSftpFileSystem::ChangeRemoteDir(const std::string& folder) {
    return m_session->ChangeDir(folder);
}

bool CSftpFileSystem::ListCurrentDir(std::vector<CRemoteEntry>& entries) {
    return m_session->List(entries);
}

bool CSftpFileSystem::MakeDir(const std::string& name) {
    return m_session->MakeDir(name);
}

bool CSftpFileSystem::RemoveDir(const std::string& name) {
    return m_session->NameCall("Removing the remote directory", name, sftp_rmdir,
                               "the server refused to remove the directory");
}

bool CSftpFileSystem::DeleteFile(const std::string& name) {
    return m_session->NameCall("Deleting the remote file", name, sftp_unlink,
                               "the server refused to delete the file");
}

bool CSftpFileSystem::Rename(const std::string& from, const std::string& to) {
    return m_session->Rename(from, to);
}

bool CSftpFileSystem::GetFileSize(const std::string& name, std::uint64_t& size) {
    sftp_attributes attributes = nullptr;
    if (!m_session->Stat("Asking for SIZE of", name, attributes))
        return false;
    size = attributes->size;
    sftp_attributes_free(attributes);
    return true;
}

bool CSftpFileSystem::GetModifiedTime(const std::string& name, std::int64_t& time) {
    sftp_attributes attributes = nullptr;
    if (!m_session->Stat("Asking for MDTM of", name, attributes))
        return false;
    time = attributes->mtime;
    sftp_attributes_free(attributes);
    return true;
}

bool CSftpFileSystem::PutFile(const std::string& localPath, const std::string& remoteName) {
    int fd = -1;
    m_session->abort.store(m_session->stopped.load());
    return m_session->PrepareUpload(localPath, remoteName, fd) &&
           m_session->Upload(fd, remoteName, false);
}

bool CSftpFileSystem::AsyncPutFileStart(const std::string& localPath,
                                        const std::string& remoteName) {
    CSession& session = *m_session;
    int fd = -1;
    if (!session.PrepareUpload(localPath, remoteName, fd))
        return false;
    session.bytesSent.store(0);
    session.asyncSucceeded.store(false);
    session.abort.store(session.stopped.load());
    session.busy.store(true);
    auto upload = [&session, fd, remoteName] {
        session.asyncSucceeded.store(session.Upload(fd, remoteName, true));
        session.busy.store(false);
    };
    if (m_worker.Start(upload, [&session] { session.abort.store(true); }))
        return true;
    close(fd);
    session.busy.store(false);
    return session.Fail("Failed to start thread");
}

bool CSftpFileSystem::IsAsyncFinished() const {
    return !m_session->busy.load();
}

std::int32_t CSftpFileSystem::GetAsyncBytesSent() const {
    return m_session->bytesSent.load();
}

bool CSftpFileSystem::GetAsyncSucceeded() const {
    return IsAsyncFinished() && m_session->asyncSucceeded.load();
}

void CSftpFileSystem::AbortAsync() {
    if (!IsAsyncFinished())
        m_session->abort.store(true);
}

std::string CSftpFileSystem::GetLastReply() const {
    return m_session->LastReply();
}

std::string CSftpFileSystem::GetLastErrorText() const {
    return m_session->LastError();
}

bool CSftpFileSystem::SaveLastError(const std::string& path) const {
    return AppendErrorToLog(path, m_session->LastError());
}

} // namespace TEVComponentDesignerAfx
