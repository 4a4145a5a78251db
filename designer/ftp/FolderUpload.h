#pragma once
// The upload of a publish folder, without any window: connect (with the profile's attempts
// and the delay between them), enter the remote folder, then store every file of the local
// folder in it, one by one, on the client's worker thread. What the user sees, and how the
// waits keep the windows alive, is left to an IUploadDisplay; UploadFolder (UploadFolder.h)
// gives it the progress dialog and message boxes.
//
// Every wait goes through the display, so nothing here blocks the GUI thread: the connection,
// the login, the folder change and the goodbye run on a helper thread while the display
// waits, the files go through the client's asynchronous upload, and the display is polled for
// the user's Cancel. The upload owns the helper: a call the user gave up on (or a goodbye the
// server keeps waiting) is cut short and its thread joined before the upload goes on, so no
// thread outlives Run.
#include "designer/ftp/FtpWorker.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class IRemoteFileSystem;
class IRemoteTrust;

// The publish dialog's values at the moment of the click.
struct CUploadRequest {
    std::string server; // host name, or ftp://, ftps:// or sftp:// address
    std::string username;
    std::string password;
    std::string localFolder;
    std::string remotePath;      // may be empty: the folder the server puts the user in
    std::int32_t retries = 1;    // connection attempts; fewer than 1 means one
    std::int32_t retryDelay = 0; // seconds between attempts
    std::int32_t port = 21;
    bool passive = true;
    bool logErrors = false;
    // Judges certificates and host keys the system does not vouch for; null for the user's
    // trusted ones only. Not owned.
    IRemoteTrust* trust = nullptr;
};

// One file of the local folder as the upload sends it.
struct CUploadFile {
    std::string name;  // the remote name: the local file name
    std::string path;  // full local path
    std::int32_t size; // the low 32 bits of the file's length
};

enum class UploadResult {
    Completed, // the folder was walked to its end and every file arrived
    Failed,    // connection, login, remote folder or a file failed; the user was told
    Cancelled, // the user cancelled; nothing was reported
};

class IUploadDisplay {
public:
    virtual ~IUploadDisplay() = default;

    // Connection attempt `attempt` of `attempts` to `host` begins.
    virtual void OnConnecting(const std::string& host, int attempt, int attempts) = 0;
    // An attempt failed with `error`; the next one follows in `secondsLeft` seconds.
    virtual void OnRetryWait(const std::string& error, int secondsLeft) = 0;
    // Connected and in the remote folder: the files follow.
    virtual void OnUploadStart() = 0;
    virtual void OnFileStart(const CUploadFile& file) = 0;
    virtual void OnFileProgress(const CUploadFile& file, std::int32_t bytesSent) = 0;
    // The progress display goes, before any failure of the connection is shown and at the
    // end.
    virtual void OnFinished() = 0;
    // Tells the user of a failure (the client's error text).
    virtual void ShowError(const std::string& text) = 0;
    // Keeps the windows alive until `done()` holds or `timeoutMs` passed.
    virtual void Wait(int timeoutMs, const std::function<bool()>& done) = 0;
    // True once the user asked to stop.
    virtual bool IsCancelled() const = 0;
};

class CFolderUpload {
public:
    // How often a running transfer is looked at.
    static constexpr int kPollMilliseconds = 40;

    explicit CFolderUpload(const CUploadRequest& request);
    ~CFolderUpload();
    CFolderUpload(const CFolderUpload&) = delete;
    CFolderUpload& operator=(const CFolderUpload&) = delete;

    // Runs the whole upload. Failures of the connection, the login and the remote folder are
    // shown and end it; a file that cannot be sent is shown and the next one follows, unless
    // the connection is gone. With "Log Errors" every failure shown is also appended to
    // `logPath`.
    UploadResult Run(IUploadDisplay& display, const std::string& logPath);

    // The files the upload sends from `folder`, in the order the file system lists them:
    // regular files (also through symbolic links); folders, and whatever cannot be read as a
    // file, are left out. Empty when the folder is missing.
    static std::vector<CUploadFile> ListFiles(const std::string& folder);

    // The host to connect to for the profile's server text: an ftp://, ftps:// or sftp://
    // address gives its host (without account, port or path), anything else is the host
    // itself, blanks trimmed.
    static std::string HostOf(const std::string& server);

    // The files of the last Run that arrived.
    int FilesSent() const { return m_filesSent; }
    // What the user is told after a complete upload: how many files went where, as
    // "5 files uploaded to ftp.example.com/calendar" (the port after the host when it is
    // not 21).
    static std::string DoneText(int files, const CUploadRequest& request);

private:
    using ClientCall = std::function<bool(IRemoteFileSystem&)>;

    // True when connected; nullopt when the user cancelled.
    std::optional<bool> ConnectWithRetries(IUploadDisplay& display);
    // Connects and enters the remote folder; the result to end with when that did not work,
    // after telling the user why.
    std::optional<UploadResult> Open(IUploadDisplay& display);
    // Runs `call` on the helper thread while the display waits, until it returned or
    // `giveUp` holds; then the helper's thread is joined, after cutting the call short when it
    // had not returned. The call's result; nullopt when it was cut short.
    std::optional<bool> Aside(IUploadDisplay& display, const ClientCall& call,
                              const std::function<bool()>& giveUp);
    bool SendFile(IUploadDisplay& display, const CUploadFile& file);
    // True when every file arrived.
    bool SendFiles(IUploadDisplay& display);
    // Says goodbye to the server.
    void Leave(IUploadDisplay& display);
    void Report(IUploadDisplay& display);

    CUploadRequest m_request;
    std::string m_logPath;
    std::unique_ptr<IRemoteFileSystem> m_client;
    // Declared after the client, so that it is joined before the client it uses goes.
    CFtpWorker m_helper;
    bool m_cancelled = false;
    int m_filesSent = 0;
};

} // namespace TEVComponentDesignerAfx
