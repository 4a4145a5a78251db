#pragma once
// Non-blocking TCP sockets for the FTP transfer client. Every wait is bounded by a timeout
// and can be cut short by a cancel signal, so no socket call ever hangs a thread.
#include <cstddef>
#include <string>

#include <sys/socket.h>

struct ssl_st;
struct ssl_ctx_st;
struct ssl_session_st;

namespace TEVComponentDesignerAfx {

// Outcome of a socket operation.
enum class FtpIo {
    Ok,
    Closed,    // the peer ended the connection
    TimedOut,  // nothing moved within the allowed time
    Cancelled, // the cancel signal was raised
    Failed,    // the system reported an error; see the error text
};

// A socket address of either family.
struct CFtpAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int Family() const { return storage.ss_family; }
    bool IsIpv6() const { return Family() == AF_INET6; }
    int Port() const;
    void SetPort(int port);
    // Numeric host text: "127.0.0.1" or "::1".
    std::string HostText() const;
    // The four address bytes of an IPv4 address; false for other families.
    bool Ipv4Bytes(unsigned char bytes[4]) const;
};

// A one-shot signal another thread raises to stop every wait that watches it. It stays
// raised until Reset.
class CFtpCancelSignal {
public:
    CFtpCancelSignal();
    ~CFtpCancelSignal();
    CFtpCancelSignal(const CFtpCancelSignal&) = delete;
    CFtpCancelSignal& operator=(const CFtpCancelSignal&) = delete;

    void Raise();
    void Reset();
    bool IsRaised() const;
    int Fd() const { return m_fd; }

private:
    int m_fd = -1;
};

class CFtpSocket {
public:
    CFtpSocket() = default;
    ~CFtpSocket();
    CFtpSocket(CFtpSocket&& other) noexcept;
    CFtpSocket& operator=(CFtpSocket&& other) noexcept;
    CFtpSocket(const CFtpSocket&) = delete;
    CFtpSocket& operator=(const CFtpSocket&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    void Close();
    // Ends what was sent as complete and closes: over TLS, the close_notify, then the end of
    // the stream, then whatever the peer still sends is read (for at most `timeoutMs`), as a
    // socket closed with unread data resets the connection and the peer may lose the tail.
    void FinishAndClose(int timeoutMs);
    // Closes with a reset instead of an orderly end, so the peer cannot take a cut-off
    // transfer for a complete one.
    void AbortiveClose();

    // Waits made by this socket also end when `signal` is raised; nullptr watches nothing.
    void WatchCancel(const CFtpCancelSignal* signal) { m_cancel = signal; }

    // Resolves `host` and connects to the first of its addresses that answers; the whole
    // attempt takes at most `timeoutMs`.
    FtpIo Connect(const std::string& host, int port, int timeoutMs, std::string& error);
    FtpIo Connect(const CFtpAddress& address, int timeoutMs, std::string& error);
    // Listens on `local` with a port chosen by the system.
    bool Listen(const CFtpAddress& local, std::string& error);
    // Takes one connection from a listening socket.
    FtpIo Accept(CFtpSocket& accepted, int timeoutMs, std::string& error);

    // Hands up to `size` bytes to the system, waiting at most `timeoutMs` for room;
    // `sent` tells how many were taken.
    FtpIo Send(const char* data, std::size_t size, std::size_t& sent, int timeoutMs,
               std::string& error);
    // Sends everything, each wait bounded by `timeoutMs`.
    FtpIo SendAll(const char* data, std::size_t size, int timeoutMs, std::string& error);
    // Receives up to `size` bytes, waiting at most `timeoutMs` for the first.
    FtpIo Receive(char* buffer, std::size_t size, std::size_t& received, int timeoutMs,
                  std::string& error);

    // Speaks TLS from here on: the handshake with `serverName` (sent as SNI unless it is an
    // address) resumes `session` where one is given. The peer's certificate is not judged
    // here; see Tls().
    FtpIo StartTls(ssl_ctx_st* context, const std::string& serverName, ssl_session_st* session,
                   int timeoutMs, std::string& error);
    ssl_st* Tls() const { return m_tls; }

    bool LocalAddress(CFtpAddress& address) const;
    bool PeerAddress(CFtpAddress& address) const;

private:
    explicit CFtpSocket(int fd) : m_fd(fd) {}
    // Waits for `events` on the socket; Ok when they came.
    FtpIo Wait(short events, int timeoutMs, std::string& error) const;
    // After a TLS call returned `result`: Ok to try it again once the socket is ready,
    // otherwise how it ended.
    FtpIo WaitForTls(int result, int timeoutMs, std::string& error) const;
    // Calls `call` (a TLS call returning 1 on success) until it succeeds, waiting between
    // tries for what it needs, all within `timeoutMs`.
    template <class Call> FtpIo RetryTls(Call call, int timeoutMs, std::string& error);
    void FreeTls(bool notifyPeer);

    int m_fd = -1;
    ssl_st* m_tls = nullptr;
    const CFtpCancelSignal* m_cancel = nullptr;
};

} // namespace TEVComponentDesignerAfx
