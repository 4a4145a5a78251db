#include "designer/ftp/FtpTransferClient.h"

#include "designer/ftp/FtpListing.h"
#include "designer/ftp/FtpReplyReader.h"
#include "designer/ftp/FtpSocket.h"
#include "designer/ftp/FtpTls.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <openssl/ssl.h>

namespace TEVComponentDesignerAfx {

namespace {

using Clock = std::chrono::steady_clock;

static_assert(std::atomic<std::int32_t>::is_always_lock_free,
              "the GUI thread polls these values without a lock");

// Big enough that the data connection, not the loop, sets the pace; small enough that
// memory stays the same whatever the file size.
constexpr std::size_t kChunkSize = 256 * 1024;
// Waits that must not hold the GUI thread for the whole idle timeout.
constexpr int kQuitWaitMs = 5000;
// After a transfer was cut short, how long the server may take to answer for it before
// the control connection is given up.
constexpr int kAbandonWaitMs = 2000;

// A line break (or a NUL) inside a command argument would end the command early and start
// another one of the server's choosing.
bool HasLineBreak(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

std::string SystemText(int error) {
    return std::generic_category().message(error);
}

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The command as an error text shows it: never the password.
std::string Shown(const std::string& command) {
    return command.compare(0, 5, "PASS ") == 0 ? std::string("PASS") : command;
}

std::string ReplyTo(const std::string& command) {
    return "the reply to " + Shown(command);
}

// A name as the error text shows it: in quotes, with line breaks written out so that a
// refused name cannot break the lines of a log either.
std::string Quoted(const std::string& text) {
    std::string shown = "\"";
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    return shown + "\"";
}

// The clock a listing's dates without a year are read against: the local one, for want of
// the server's.
std::int64_t LocalCivilNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return static_cast<std::int64_t>(now);
    return CivilSeconds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

// True when a FEAT reply lists `feature` (RFC 2389: one feature a line, after a blank).
bool Offers(const std::string& features, std::string_view feature) {
    std::size_t at = 0;
    while (at < features.size()) {
        std::size_t end = features.find('\n', at);
        if (end == std::string::npos)
            end = features.size();
        std::string_view line(features.data() + at, end - at);
        at = end + 1;
        const std::size_t word = line.find_first_not_of(' ');
        if (word == 0 || word == std::string_view::npos)
            continue; // the reply's own first and last lines start with the code
        line.remove_prefix(word);
        line = line.substr(0, line.find(' '));
        if (line.size() == feature.size() &&
            std::equal(line.begin(), line.end(), feature.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            }))
            return true;
    }
    return false;
}

// The text after the code of a one-line reply: "213 1234" gives "1234".
std::string_view ReplyValue(const CFtpReply& reply) {
    if (reply.lines.empty() || reply.lines.front().size() < 4)
        return {};
    std::string_view value(reply.lines.front());
    value.remove_prefix(4);
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    return value;
}

// The local file of one upload, open for reading.
class CLocalFile {
public:
    CLocalFile() = default;
    ~CLocalFile() {
        if (m_fd >= 0)
            close(m_fd);
    }
    CLocalFile(CLocalFile&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size) {}
    CLocalFile& operator=(CLocalFile&&) = delete;

    // Empty when the file is open; otherwise why not.
    std::string Open(const std::string& path) {
        m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            return "cannot open the local file (" + SystemText(errno) + ")";
        struct stat info {};
        if (fstat(m_fd, &info) != 0)
            return "cannot read the size of the local file (" + SystemText(errno) + ")";
        if (!S_ISREG(info.st_mode))
            return "the local path is not a file";
        m_size = info.st_size;
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return {};
    }
    int Fd() const { return m_fd; }
    long long Size() const { return m_size; }

private:
    int m_fd = -1;
    long long m_size = 0;
};

struct CSettings {
    std::string hostname;
    std::string username;
    std::string password;
    bool passive = true;
    int port = CFtpTransferClient::kDefaultPort;
    int connectTimeoutMs = CFtpTransferClient::kDefaultConnectTimeoutSeconds * 1000;
    int idleTimeoutMs = CFtpTransferClient::kDefaultIdleTimeoutMilliseconds;
    bool tls = false;
    IRemoteTrust* trust = nullptr;
};

} // namespace

// The client's state and protocol. The GUI thread uses it while no upload runs; the worker of
// an asynchronous upload uses it exclusively until it clears `busy`, which hands it back.
// Every wait of every operation watches `cancel`, which AbortAsync and Stop raise.
class CFtpTransferClient::CSession {
public:
    CSession() {
        m_control.WatchCancel(&cancel);
        settings.trust = &m_storedTrust;
    }
    void UseStoredTrust() { settings.trust = &m_storedTrust; }

    CSettings settings; // the worker works from a copy
    std::atomic<std::int32_t> busy{0};
    std::atomic<std::int32_t> bytesSent{0};
    std::atomic<std::int32_t> asyncSucceeded{0};
    std::atomic<bool> connected{false};
    CFtpCancelSignal cancel;
    std::string system;
    std::string features;

    // Starts a new last error text for the operation `title`; false (with a text saying so)
    // while an asynchronous upload owns the session, or once the client was stopped.
    bool Begin(std::string title) {
        if (busy.load(std::memory_order_acquire)) {
            SetError(title + " failed: an upload is still running.");
            return false;
        }
        m_title = std::move(title);
        SetError({});
        return ArmCancel() || Fail("cancelled by the user");
    }

    // Raises the cancel signal for good: no operation outlives it.
    void Stop() {
        std::lock_guard<std::mutex> lock(m_cancelMutex);
        m_stopped = true;
        cancel.Raise();
    }

    bool Fail(const std::string& what, const CFtpReply* reply = nullptr) {
        std::string text = m_title + " failed: " + what + ".";
        if (reply)
            text += "\nServer reply: " + reply->Text();
        SetError(std::move(text));
        return false;
    }

    std::string LastError() const {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        return m_lastError;
    }

    bool Connect();
    bool ChangeDir(const std::string& remoteDir);
    bool PrepareUpload(const std::string& localPath, const std::string& remoteName,
                       CLocalFile& file);
    bool Upload(const CSettings& use, CLocalFile& file, const std::string& remoteName, bool async);
    bool Disconnect();

    bool PrintDir(std::string& folder);
    bool List(std::vector<CRemoteEntry>& entries);
    // A command on one name ("MKD x"), which must succeed.
    bool NameCommand(const std::string& title, const std::string& verb, const std::string& name,
                     const std::string& refusal);
    bool Rename(const std::string& from, const std::string& to);
    // A 213 reply to SIZE or MDTM for `name`; false (with a text) where the server does not
    // offer the command.
    bool Query(const std::string& verb, const std::string& name, CFtpReply& reply);
    bool OffersMlsd() const { return Offers(features, "MLST"); }
    std::string LastReply() const {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        return m_lastReply;
    }

    void DropControl() {
        m_control.Close();
        m_reader.Reset();
        m_inStart = m_inEnd = 0;
        m_replyOwed = false;
        connected.store(false);
    }

private:
    void SetError(std::string text) {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_lastError = std::move(text);
    }
    // Lowers the signal a cancelled operation before left raised; false once stopped. The
    // lock keeps a Stop from another thread from being lowered with it.
    bool ArmCancel() {
        std::lock_guard<std::mutex> lock(m_cancelMutex);
        if (!m_stopped)
            cancel.Reset();
        return !m_stopped;
    }

    FtpIo ReadReply(CFtpReply& reply, int timeoutMs, std::string& error);
    bool Send(const std::string& command, int timeoutMs);
    bool SettleOwedReply(int timeoutMs);
    // Reads the reply described by `awaited` ("the reply to CWD x"); false when none came,
    // with the error text set and the control connection dropped.
    bool Await(const std::string& awaited, CFtpReply& reply, int timeoutMs);
    bool Exchange(const std::string& command, CFtpReply& reply, int timeoutMs) {
        return Send(command, timeoutMs) && Await(ReplyTo(command), reply, timeoutMs);
    }
    bool OpenPassive(const CSettings& use, CFtpSocket& data);
    bool OpenActive(const CSettings& use, CFtpSocket& listener);
    // Sets the transfer type ("I" or "A"), opens the data connection the mode asks for and
    // sends `command`, which must be answered as preliminary; in active mode then takes the
    // server's connection. False, with the error text set, when any step failed.
    bool StartTransfer(const CSettings& use, const char* type, const std::string& command,
                       const std::string& refusal, CFtpSocket& data);
    // In active mode, takes the connection the server opens after a preliminary reply.
    bool AcceptData(const CSettings& use, CFtpSocket& listener, CFtpSocket& data);
    bool ReceiveListing(const CSettings& use, CFtpSocket& data, CListingCollector& collector);
    // The checks before a command on a name; false with the error text set.
    bool CanSendName(const std::string& name);
    bool SendFile(const CSettings& use, CLocalFile& file, CFtpSocket& data, bool async);
    // AUTH TLS and the handshake on the control connection, before the password goes out.
    bool SecureControl(const CSettings& use);
    // PBSZ 0 and PROT P after the login, so every data connection speaks TLS too.
    bool ProtectData(const CSettings& use);
    // The handshake on a data connection, resuming the control connection's session.
    bool SecureData(const CSettings& use, CFtpSocket& data);
    // A data connection as the transfer needs it: opened, or taken in active mode, after
    // the preliminary reply, and secured where the session speaks TLS.
    bool ReadyData(const CSettings& use, CFtpSocket& listener, CFtpSocket& data) {
        if (!use.passive && !AcceptData(use, listener, data))
            return false;
        return !use.tls || SecureData(use, data);
    }
    bool Abandon(CFtpSocket& data, const std::string& why, int idleMs);

    CFtpSocket m_control;
    std::unique_ptr<CFtpTlsContext> m_tlsContext;
    CStoredTrust m_storedTrust;
    CFtpReplyReader m_reader;
    char m_input[4096];
    std::size_t m_inStart = 0;
    std::size_t m_inEnd = 0;
    // A cancelled upload did not wait for the server's answer to it; that answer is read
    // before the next command, so the cancel itself ends at once.
    bool m_replyOwed = false;
    std::string m_title;
    mutable std::mutex m_errorMutex;
    std::string m_lastError;
    std::string m_lastReply;
    std::mutex m_cancelMutex;
    bool m_stopped = false;
};

FtpIo CFtpTransferClient::CSession::ReadReply(CFtpReply& reply, int timeoutMs, std::string& error) {
    // The whole reply must arrive in time, so a server that never ends one cannot hold
    // the client however fast it talks.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        m_inStart += m_reader.Feed(m_input + m_inStart, m_inEnd - m_inStart);
        if (m_reader.HasReply()) {
            reply = m_reader.TakeReply();
            return FtpIo::Ok;
        }
        int left = RemainingMs(deadline);
        if (left == 0)
            return FtpIo::TimedOut;
        std::size_t received = 0;
        FtpIo io = m_control.Receive(m_input, sizeof m_input, received, left, error);
        if (io != FtpIo::Ok)
            return io;
        m_inStart = 0;
        m_inEnd = received;
    }
}

bool CFtpTransferClient::CSession::SettleOwedReply(int timeoutMs) {
    m_replyOwed = false;
    CFtpReply reply;
    do {
        if (!Await("the server's answer to the cancelled upload", reply, timeoutMs))
            return false;
    } while (reply.IsPreliminary());
    return m_control.IsOpen() || Fail("the server closed the connection", &reply);
}

bool CFtpTransferClient::CSession::Send(const std::string& command, int timeoutMs) {
    if (m_replyOwed && !SettleOwedReply(timeoutMs))
        return false;
    std::string error;
    FtpIo io = m_control.SendAll((command + "\r\n").data(), command.size() + 2, timeoutMs, error);
    if (io == FtpIo::Ok)
        return true;
    DropControl();
    if (io == FtpIo::Cancelled)
        return Fail("cancelled by the user");
    if (io == FtpIo::TimedOut)
        return Fail("cannot send " + Shown(command) + " within " + std::to_string(timeoutMs) +
                    " ms");
    return Fail("the connection to the server was lost while sending " + Shown(command) +
                (error.empty() ? "" : " (" + error + ")"));
}

bool CFtpTransferClient::CSession::Await(const std::string& awaited, CFtpReply& reply,
                                         int timeoutMs) {
    std::string error;
    FtpIo io = ReadReply(reply, timeoutMs, error);
    if (io == FtpIo::Ok) {
        {
            std::lock_guard<std::mutex> lock(m_errorMutex);
            m_lastReply = reply.Text();
        }
        if (reply.code == 421) // the server is closing the connection
            DropControl();
        if (reply.code != 0)
            return true;
        DropControl();
        return Fail(awaited + " is not an FTP reply", &reply);
    }
    if (io == FtpIo::Cancelled) {
        m_replyOwed = true;
        return Fail("cancelled by the user");
    }
    DropControl();
    switch (io) {
    case FtpIo::TimedOut:
        return Fail(awaited + " did not arrive in full within " + std::to_string(timeoutMs) +
                    " ms");
    case FtpIo::Closed:
        return Fail("the server closed the connection instead of sending " + awaited);
    default:
        return Fail("the connection to the server was lost while waiting for " + awaited + " (" +
                    error + ")");
    }
}

bool CFtpTransferClient::CSession::Connect() {
    const CSettings& use = settings;
    if (!Begin("Connecting to " + use.hostname + " port " + std::to_string(use.port)))
        return false;
    DropControl();
    if (HasLineBreak(use.username))
        return Fail("the user name holds a line break");
    if (HasLineBreak(use.password))
        return Fail("the password holds a line break");
    std::string error;
    FtpIo io = m_control.Connect(use.hostname, use.port, use.connectTimeoutMs, error);
    if (io == FtpIo::Cancelled)
        return Fail("cancelled by the user");
    if (io != FtpIo::Ok)
        return Fail(io == FtpIo::TimedOut && error.empty() ? "the connection timed out" : error);

    CFtpReply reply;
    do {
        if (!Await("the server's greeting", reply, use.idleTimeoutMs))
            return false;
    } while (reply.IsPreliminary()); // 120: ready in a moment
    if (!reply.IsSuccess()) {
        DropControl();
        return Fail("the server refused the connection", &reply);
    }
    if (use.tls && !SecureControl(use))
        return false;
    if (!Exchange("USER " + use.username, reply, use.idleTimeoutMs))
        return false;
    if (reply.IsIntermediate()) {
        if (!Exchange("PASS " + use.password, reply, use.idleTimeoutMs))
            return false;
        if (reply.code == 332) {
            DropControl();
            return Fail("the server asks for an account, which this client does not send", &reply);
        }
        if (!reply.IsSuccess()) {
            DropControl();
            return Fail("the server refused the password (PASS)", &reply);
        }
    } else if (!reply.IsSuccess()) {
        DropControl();
        return Fail("the server refused the user name (USER)", &reply);
    }
    if (use.tls && !ProtectData(use))
        return false;
    // What the server says of itself is kept for information; a refusal is no failure.
    if (!Exchange("SYST", reply, use.idleTimeoutMs))
        return false;
    system = reply.IsSuccess() ? reply.Text() : std::string();
    if (!Exchange("FEAT", reply, use.idleTimeoutMs))
        return false;
    features = reply.IsSuccess() ? reply.Text() : std::string();
    connected.store(m_control.IsOpen());
    return connected ? true : Fail("the server closed the connection", &reply);
}

bool CFtpTransferClient::CSession::ChangeDir(const std::string& remoteDir) {
    if (!Begin("Changing to the remote directory " + Quoted(remoteDir)))
        return false;
    if (HasLineBreak(remoteDir))
        return Fail("the name holds a line break");
    if (!connected)
        return Fail("not connected to the server");
    CFtpReply reply;
    if (!Exchange("CWD " + remoteDir, reply, settings.idleTimeoutMs))
        return false;
    return reply.IsSuccess() || Fail("the server refused the directory (CWD)", &reply);
}

bool CFtpTransferClient::CSession::PrepareUpload(const std::string& localPath,
                                                 const std::string& remoteName, CLocalFile& file) {
    if (!Begin("Uploading " + Quoted(localPath) + " as " + Quoted(remoteName)))
        return false;
    if (HasLineBreak(remoteName))
        return Fail("the remote name holds a line break");
    if (remoteName.empty())
        return Fail("the remote name is empty");
    if (!connected)
        return Fail("not connected to the server");
    std::string error = file.Open(localPath);
    return error.empty() || Fail(error);
}

bool CFtpTransferClient::CSession::Upload(const CSettings& use, CLocalFile& file,
                                          const std::string& remoteName, bool async) {
    CFtpSocket data;
    if (!StartTransfer(use, "I", "STOR " + remoteName, "the server refused to store the file",
                       data))
        return false;
    CFtpReply reply;
    if (!SendFile(use, file, data, async))
        return false;
    // The end of the data tells the server the file is complete.
    data.FinishAndClose(std::min(use.idleTimeoutMs, kAbandonWaitMs));
    do {
        if (!Await("the final reply to STOR", reply, use.idleTimeoutMs))
            return false;
    } while (reply.IsPreliminary());
    return reply.IsSuccess() || Fail("the server did not confirm the upload", &reply);
}

bool CFtpTransferClient::CSession::StartTransfer(const CSettings& use, const char* type,
                                                 const std::string& command,
                                                 const std::string& refusal, CFtpSocket& data) {
    CFtpReply reply;
    const std::string typeCommand = std::string("TYPE ") + type;
    if (!Exchange(typeCommand, reply, use.idleTimeoutMs))
        return false;
    if (!reply.IsSuccess())
        return Fail(std::string("the server refused ") + (type[0] == 'I' ? "binary" : "text") +
                        " mode (" + typeCommand + ")",
                    &reply);
    CFtpSocket listener;
    data.WatchCancel(&cancel);
    listener.WatchCancel(&cancel);
    if (use.passive ? !OpenPassive(use, data) : !OpenActive(use, listener))
        return false;
    if (!Exchange(command, reply, use.idleTimeoutMs))
        return false;
    if (!reply.IsPreliminary())
        return Fail(refusal + " (" + command.substr(0, 4) + ")", &reply);
    return ReadyData(use, listener, data);
}

bool CFtpTransferClient::CSession::SecureControl(const CSettings& use) {
    CFtpReply reply;
    if (!Exchange("AUTH TLS", reply, use.idleTimeoutMs))
        return false;
    if (reply.code != 234) {
        DropControl();
        return Fail("the server refused FTP over TLS (AUTH TLS); it may offer plain FTP only",
                    &reply);
    }
    if (m_inStart != m_inEnd) {
        DropControl(); // text sent ahead of the handshake could pass for a secured reply
        return Fail("the server sent more than its reply to AUTH TLS", &reply);
    }
    if (!m_tlsContext)
        m_tlsContext = std::make_unique<CFtpTlsContext>();
    std::string error = m_tlsContext->Error();
    FtpIo io = m_tlsContext->Get() ? m_control.StartTls(m_tlsContext->Get(), use.hostname, nullptr,
                                                        use.connectTimeoutMs, error)
                                   : FtpIo::Failed;
    if (io != FtpIo::Ok) {
        DropControl();
        if (io == FtpIo::Cancelled)
            return Fail("cancelled by the user");
        return Fail(io == FtpIo::TimedOut ? "the TLS handshake did not end within " +
                                                std::to_string(use.connectTimeoutMs) + " ms"
                                          : "the TLS handshake was refused (" + error + ")");
    }
    std::string refusal;
    IRemoteTrust& trust = use.trust ? *use.trust : m_storedTrust;
    if (JudgePeerCertificate(m_control.Tls(), use.hostname, use.port, trust, refusal))
        return true;
    DropControl();
    return Fail(refusal);
}

bool CFtpTransferClient::CSession::ProtectData(const CSettings& use) {
    CFtpReply reply;
    if (!Exchange("PBSZ 0", reply, use.idleTimeoutMs))
        return false;
    if (!reply.IsSuccess())
        return Fail("the server refused the protection buffer size (PBSZ)", &reply);
    if (!Exchange("PROT P", reply, use.idleTimeoutMs))
        return false;
    if (reply.IsSuccess())
        return true;
    DropControl(); // files must not go out in clear on a secured login
    return Fail("the server refused to secure the data connections (PROT P)", &reply);
}

bool CFtpTransferClient::CSession::SecureData(const CSettings& use, CFtpSocket& data) {
    SSL_SESSION* session = SSL_get1_session(m_control.Tls());
    std::string error;
    FtpIo io = data.StartTls(m_tlsContext->Get(), use.hostname, session, use.idleTimeoutMs, error);
    SSL_SESSION_free(session);
    if (io == FtpIo::Cancelled) {
        data.AbortiveClose();
        m_replyOwed = true;
        return Fail("cancelled by the user");
    }
    if (io != FtpIo::Ok)
        return Abandon(data,
                       io == FtpIo::TimedOut
                           ? "the TLS handshake on the data connection did not end within " +
                                 std::to_string(use.idleTimeoutMs) + " ms"
                           : "the TLS handshake on the data connection was refused (" + error + ")",
                       use.idleTimeoutMs);
    if (SamePeerCertificate(m_control.Tls(), data.Tls()))
        return true;
    return Abandon(data, "the data connection showed another certificate than the server",
                   use.idleTimeoutMs);
}

bool CFtpTransferClient::CSession::AcceptData(const CSettings& use, CFtpSocket& listener,
                                              CFtpSocket& data) {
    std::string error;
    FtpIo io = listener.Accept(data, use.idleTimeoutMs, error);
    listener.Close();
    if (io == FtpIo::Ok)
        return true;
    if (io == FtpIo::Cancelled) {
        m_replyOwed = true;
        return Fail("cancelled by the user");
    }
    return Abandon(data,
                   "the server did not open the data connection" +
                       (error.empty() ? "" : " (" + error + ")") + "; try passive mode",
                   use.idleTimeoutMs);
}

bool CFtpTransferClient::CSession::OpenPassive(const CSettings& use, CFtpSocket& data) {
    CFtpAddress server;
    if (!m_control.PeerAddress(server)) {
        DropControl();
        return Fail("the connection to the server was lost");
    }
    const bool extended = server.IsIpv6();
    const std::string command = extended ? "EPSV" : "PASV";
    CFtpReply reply;
    if (!Exchange(command, reply, use.idleTimeoutMs))
        return false;
    if (!reply.IsSuccess())
        return Fail("the server refused passive mode (" + command + ")", &reply);
    // Only the port is taken from the reply: the data connection goes to the server the
    // control connection reached, whatever address the reply names.
    int port = extended ? ParseExtendedPassivePort(reply.Text())
                        : (reply.code == 227 ? ParsePassivePort(reply.Text()) : 0);
    if (port == 0)
        return Fail("the server's reply to " + command + " names no port", &reply);
    server.SetPort(port);
    std::string error;
    FtpIo io = data.Connect(server, use.connectTimeoutMs, error);
    if (io == FtpIo::Ok)
        return true;
    if (io == FtpIo::Cancelled)
        return Fail("cancelled by the user"); // PASV was answered: still in step
    return Fail("cannot open the data connection (" + error + ")");
}

bool CFtpTransferClient::CSession::OpenActive(const CSettings& use, CFtpSocket& listener) {
    CFtpAddress local;
    std::string error;
    if (!m_control.LocalAddress(local) || !listener.Listen(local, error) ||
        !listener.LocalAddress(local))
        return Fail("cannot wait for a data connection" +
                    (error.empty() ? "" : " (" + error + ")") + "; try passive mode");
    std::string command;
    unsigned char ip[4];
    if (local.Ipv4Bytes(ip)) {
        char text[64];
        std::snprintf(text, sizeof text, "PORT %u,%u,%u,%u,%d,%d", ip[0], ip[1], ip[2], ip[3],
                      local.Port() / 256, local.Port() % 256);
        command = text;
    } else {
        command = "EPRT |2|" + local.HostText() + "|" + std::to_string(local.Port()) + "|";
    }
    CFtpReply reply;
    if (!Exchange(command, reply, use.idleTimeoutMs))
        return false;
    return reply.IsSuccess() ||
           Fail("the server refused active mode (" + command.substr(0, 4) + "); try passive mode",
                &reply);
}

bool CFtpTransferClient::CSession::SendFile(const CSettings& use, CLocalFile& file,
                                            CFtpSocket& data, bool async) {
    std::unique_ptr<char[]> buffer(new char[kChunkSize]);
    unsigned long long total = 0;
    for (;;) {
        ssize_t got = read(file.Fd(), buffer.get(), kChunkSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Abandon(data, "cannot read the local file (" + SystemText(errno) + ")",
                           use.idleTimeoutMs);
        if (got == 0)
            return true;
        const char* next = buffer.get();
        std::size_t left = static_cast<std::size_t>(got);
        while (left > 0) {
            std::size_t sent = 0;
            std::string error;
            FtpIo io = data.Send(next, left, sent, use.idleTimeoutMs, error);
            switch (io) {
            case FtpIo::Ok:
                break;
            case FtpIo::Cancelled:
                // A reset, so the server cannot take the cut-off file for a whole one.
                data.AbortiveClose();
                m_replyOwed = true;
                return Fail("cancelled by the user after " + std::to_string(total) + " bytes");
            case FtpIo::TimedOut:
                return Abandon(
                    data, "no data could be sent for " + std::to_string(use.idleTimeoutMs) + " ms",
                    use.idleTimeoutMs);
            default:
                return Abandon(data,
                               "the data connection broke after " + std::to_string(total) +
                                   " bytes" + (error.empty() ? "" : " (" + error + ")"),
                               use.idleTimeoutMs);
            }
            next += sent;
            left -= sent;
            total += sent;
            if (async)
                bytesSent.store(static_cast<std::int32_t>(static_cast<std::uint32_t>(total)),
                                std::memory_order_release);
        }
    }
}

bool CFtpTransferClient::CSession::Abandon(CFtpSocket& data, const std::string& why, int idleMs) {
    // A reset, not an orderly end, so the server cannot take a cut-off file for a whole one.
    data.AbortiveClose();
    if (!m_control.IsOpen())
        return Fail(why);
    // The server answers for the broken transfer; reading that answer keeps the control
    // connection in step. Without one it cannot be trusted any more.
    CFtpReply reply;
    std::string error;
    FtpIo io;
    do {
        io = ReadReply(reply, std::min(idleMs, kAbandonWaitMs), error);
    } while (io == FtpIo::Ok && reply.IsPreliminary());
    if (io != FtpIo::Ok || reply.code == 0 || reply.code == 421)
        DropControl();
    return io == FtpIo::Ok ? Fail(why, &reply) : Fail(why);
}

bool CFtpTransferClient::CSession::Disconnect() {
    if (!Begin("Disconnecting from " + settings.hostname))
        return false;
    if (m_control.IsOpen()) {
        const int wait = std::min(settings.idleTimeoutMs, kQuitWaitMs);
        std::string error;
        if (m_control.SendAll("QUIT\r\n", 6, wait, error) == FtpIo::Ok) {
            CFtpReply reply;
            ReadReply(reply, wait, error); // a missing goodbye changes nothing
        }
    }
    DropControl();
    return true;
}

bool CFtpTransferClient::CSession::PrintDir(std::string& folder) {
    if (!Begin("Asking for the remote directory"))
        return false;
    if (!connected)
        return Fail("not connected to the server");
    CFtpReply reply;
    if (!Exchange("PWD", reply, settings.idleTimeoutMs))
        return false;
    if (!reply.IsSuccess())
        return Fail("the server refused to name the directory (PWD)", &reply);
    return ParseQuotedPath(reply.Text(), folder) ||
           Fail("the reply to PWD names no directory", &reply);
}

bool CFtpTransferClient::CSession::List(std::vector<CRemoteEntry>& entries) {
    entries.clear();
    if (!Begin("Listing the remote directory"))
        return false;
    if (!connected)
        return Fail("not connected to the server");
    const CSettings& use = settings;
    const bool mlsd = OffersMlsd();
    const std::string command = mlsd ? "MLSD" : "LIST";
    CFtpSocket data;
    if (!StartTransfer(use, "A", command, "the server refused to list the directory", data))
        return false;
    CFtpReply reply;
    CListingCollector collector;
    if (!ReceiveListing(use, data, collector))
        return false;
    data.Close();
    do {
        if (!Await("the final reply to " + command, reply, use.idleTimeoutMs))
            return false;
    } while (reply.IsPreliminary());
    if (!reply.IsSuccess())
        return Fail("the server did not complete the listing", &reply);
    entries = ParseListing(collector.Lines(), mlsd ? ListingFormat::Mlsd : ListingFormat::List,
                           LocalCivilNow());
    if (collector.IsTruncated())
        Fail("the listing is too large: only its first " +
             std::to_string(collector.Lines().size()) + " lines were read");
    return true;
}

bool CFtpTransferClient::CSession::ReceiveListing(const CSettings& use, CFtpSocket& data,
                                                  CListingCollector& collector) {
    // The whole listing must arrive in time, so a server that sends without end cannot
    // hold the client however fast it talks.
    const auto deadline = Clock::now() + std::chrono::milliseconds(use.idleTimeoutMs);
    char buffer[16384];
    for (;;) {
        const int left = RemainingMs(deadline);
        std::size_t received = 0;
        std::string error;
        FtpIo io = left == 0 ? FtpIo::TimedOut
                             : data.Receive(buffer, sizeof buffer, received, left, error);
        switch (io) {
        case FtpIo::Ok:
            collector.Feed(buffer, received);
            break;
        case FtpIo::Closed:
            collector.Finish();
            return true;
        case FtpIo::Cancelled:
            data.AbortiveClose();
            m_replyOwed = true;
            return Fail("cancelled by the user");
        case FtpIo::TimedOut:
            return Abandon(data,
                           "the listing did not arrive in full within " +
                               std::to_string(use.idleTimeoutMs) + " ms",
                           use.idleTimeoutMs);
        default:
            return Abandon(data,
                           "the data connection broke" + (error.empty() ? "" : " (" + error + ")"),
                           use.idleTimeoutMs);
        }
    }
}

bool CFtpTransferClient::CSession::CanSendName(const std::string& name) {
    if (HasLineBreak(name))
        return Fail("the name holds a line break");
    if (name.empty())
        return Fail("the name is empty");
    return connected || Fail("not connected to the server");
}

bool CFtpTransferClient::CSession::NameCommand(const std::string& title, const std::string& verb,
                                               const std::string& name,
                                               const std::string& refusal) {
    if (!Begin(title + " " + Quoted(name)) || !CanSendName(name))
        return false;
    CFtpReply reply;
    if (!Exchange(verb + " " + name, reply, settings.idleTimeoutMs))
        return false;
    return reply.IsSuccess() || Fail(refusal + " (" + verb + ")", &reply);
}

bool CFtpTransferClient::CSession::Rename(const std::string& from, const std::string& to) {
    if (!Begin("Renaming " + Quoted(from) + " to " + Quoted(to)) || !CanSendName(from) ||
        !CanSendName(to))
        return false;
    CFtpReply reply;
    if (!Exchange("RNFR " + from, reply, settings.idleTimeoutMs))
        return false;
    if (!reply.IsIntermediate())
        return Fail("the server refused the old name (RNFR)", &reply);
    if (!Exchange("RNTO " + to, reply, settings.idleTimeoutMs))
        return false;
    return reply.IsSuccess() || Fail("the server refused the new name (RNTO)", &reply);
}

bool CFtpTransferClient::CSession::Query(const std::string& verb, const std::string& name,
                                         CFtpReply& reply) {
    if (!Begin("Asking for " + verb + " of " + Quoted(name)) || !CanSendName(name))
        return false;
    if (!Offers(features, verb))
        return Fail("the server does not offer " + verb);
    // A size in text mode would count line ends the server converts; servers refuse it.
    if (verb == "SIZE" &&
        (!Exchange("TYPE I", reply, settings.idleTimeoutMs) ||
         (!reply.IsSuccess() && !Fail("the server refused binary mode (TYPE I)", &reply))))
        return false;
    if (!Exchange(verb + " " + name, reply, settings.idleTimeoutMs))
        return false;
    return reply.code == 213 || Fail("the server gave no answer (" + verb + ")", &reply);
}

CFtpTransferClient::CFtpTransferClient() : m_session(std::make_unique<CSession>()) {}

CFtpTransferClient::~CFtpTransferClient() {
    m_worker.Stop();
}

void CFtpTransferClient::SetHostname(const std::string& hostname) {
    m_session->settings.hostname = hostname;
}

void CFtpTransferClient::SetUsername(const std::string& username) {
    m_session->settings.username = username;
}

void CFtpTransferClient::SetPassword(const std::string& password) {
    m_session->settings.password = password;
}

void CFtpTransferClient::SetPassive(bool passive) {
    m_session->settings.passive = passive;
}

void CFtpTransferClient::SetPort(int port) {
    m_session->settings.port = port > 0 && port <= 65535 ? port : kDefaultPort;
}

void CFtpTransferClient::SetConnectTimeout(int seconds) {
    m_session->settings.connectTimeoutMs = std::max(seconds, 1) * 1000;
}

void CFtpTransferClient::SetIdleTimeout(int milliseconds) {
    m_session->settings.idleTimeoutMs = std::max(milliseconds, 1);
}

void CFtpTransferClient::SetSecure(bool tls) {
    m_session->settings.tls = tls;
}

void CFtpTransferClient::SetTrust(IRemoteTrust* trust) {
    if (trust)
        m_session->settings.trust = trust;
    else
        m_session->UseStoredTrust();
}

void CFtpTransferClient::SetLogin(const CRemoteLogin& login) {
    SetHostname(login.host);
    SetPort(login.port);
    SetUsername(login.username);
    SetPassword(login.password);
    SetPassive(login.passive);
    SetConnectTimeout(login.connectTimeoutSeconds);
    SetIdleTimeout(login.idleTimeoutMilliseconds);
}

bool CFtpTransferClient::Connect() {
    return m_session->Connect();
}

bool CFtpTransferClient::IsConnected() const {
    return m_session->connected.load();
}

bool CFtpTransferClient::ChangeRemoteDir(const std::string& remoteDir) {
    return m_session->ChangeDir(remoteDir);
}

bool CFtpTransferClient::PutFile(const std::string& localPath, const std::string& remoteName) {
    CLocalFile file;
    return m_session->PrepareUpload(localPath, remoteName, file) &&
           m_session->Upload(m_session->settings, file, remoteName, false);
}

bool CFtpTransferClient::GetCurrentDir(std::string& folder) {
    return m_session->PrintDir(folder);
}

bool CFtpTransferClient::ListCurrentDir(std::vector<CRemoteEntry>& entries) {
    return m_session->List(entries);
}

bool CFtpTransferClient::MakeDir(const std::string& name) {
    return m_session->NameCommand("Creating the remote directory", "MKD", name,
                                  "the server refused to create the directory");
}

bool CFtpTransferClient::RemoveDir(const std::string& name) {
    return m_session->NameCommand("Removing the remote directory", "RMD", name,
                                  "the server refused to remove the directory");
}

bool CFtpTransferClient::DeleteFile(const std::string& name) {
    return m_session->NameCommand("Deleting the remote file", "DELE", name,
                                  "the server refused to delete the file");
}

bool CFtpTransferClient::Rename(const std::string& from, const std::string& to) {
    return m_session->Rename(from, to);
}

bool CFtpTransferClient::GetFileSize(const std::string& name, std::uint64_t& size) {
    CFtpReply reply;
    if (!m_session->Query("SIZE", name, reply))
        return false;
    const std::string_view value = ReplyValue(reply);
    std::uint64_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9' || number > (UINT64_MAX - 9) / 10)
            return m_session->Fail("the reply to SIZE holds no size", &reply);
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    size = number;
    return !value.empty() || m_session->Fail("the reply to SIZE holds no size", &reply);
}

bool CFtpTransferClient::GetModifiedTime(const std::string& name, std::int64_t& time) {
    CFtpReply reply;
    if (!m_session->Query("MDTM", name, reply))
        return false;
    // "YYYYMMDDHHMMSS" read as the modify fact of a listing line is.
    CRemoteEntry entry;
    const std::string line = "type=file;modify=" + std::string(ReplyValue(reply)) + "; x";
    if (!ParseMlsdLine(line, entry) || !entry.hasTime)
        return m_session->Fail("the reply to MDTM holds no time", &reply);
    time = entry.time;
    return true;
}

bool CFtpTransferClient::UsesMlsd() const {
    return m_session->OffersMlsd();
}

bool CFtpTransferClient::AsyncPutFileStart(const std::string& localPath,
                                           const std::string& remoteName) {
    CSession& session = *m_session;
    CLocalFile file;
    if (!session.PrepareUpload(localPath, remoteName, file))
        return false;
    session.bytesSent.store(0);
    session.asyncSucceeded.store(0);
    session.busy.store(1, std::memory_order_release);
    // The worker has its own copies of the settings and the names; the file goes with it.
    auto upload = [&session, use = session.settings,
                   file = std::make_shared<CLocalFile>(std::move(file)), remoteName] {
        bool ok = false;
        try {
            ok = session.Upload(use, *file, remoteName, true);
        } catch (...) {
            session.DropControl();
            session.Fail("unexpected internal error");
        }
        session.asyncSucceeded.store(ok ? 1 : 0);
        session.busy.store(0, std::memory_order_release);
    };
    if (m_worker.Start(upload, [&session] { session.cancel.Raise(); }))
        return true;
    session.busy.store(0);
    return session.Fail("Failed to start thread");
}

bool CFtpTransferClient::IsAsyncFinished() const {
    return m_session->busy.load(std::memory_order_acquire) == 0;
}

std::int32_t CFtpTransferClient::GetAsyncBytesSent() const {
    return m_session->bytesSent.load(std::memory_order_acquire);
}

bool CFtpTransferClient::GetAsyncSucceeded() const {
    return IsAsyncFinished() && m_session->asyncSucceeded.load() != 0;
}

void CFtpTransferClient::AbortAsync() {
    if (!IsAsyncFinished())
        m_session->cancel.Raise();
}

bool CFtpTransferClient::Disconnect() {
    return m_session->Disconnect();
}

void CFtpTransferClient::Stop() {
    m_session->Stop();
}

std::string CFtpTransferClient::GetLastErrorText() const {
    return m_session->LastError();
}

bool CFtpTransferClient::SaveLastError(const std::string& path) const {
    return AppendErrorToLog(path, m_session->LastError());
}

std::string CFtpTransferClient::GetLastReply() const {
    return m_session->LastReply();
}

std::string CFtpTransferClient::GetServerSystem() const {
    return m_session->system;
}

std::string CFtpTransferClient::GetServerFeatures() const {
    return m_session->features;
}

} // namespace TEVComponentDesignerAfx
