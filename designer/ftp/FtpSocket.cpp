#include "designer/ftp/FtpSocket.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <openssl/err.h>
#include <openssl/ssl.h>

namespace TEVComponentDesignerAfx {

namespace {

using Clock = std::chrono::steady_clock;

std::string SystemText(int error) {
    return std::generic_category().message(error);
}

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point DeadlineIn(int timeoutMs) {
    return Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
}

// OpenSSL's own words for the first error it queued, or `fallback`.
std::string TlsErrorText(const std::string& fallback) {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return fallback;
    const char* reason = ERR_reason_error_string(code);
    return reason ? reason : fallback;
}

} // namespace

int CFtpAddress::Port() const {
    if (Family() == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port);
    if (Family() == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port);
    return 0;
}

void CFtpAddress::SetPort(int port) {
    if (Family() == AF_INET)
        reinterpret_cast<sockaddr_in&>(storage).sin_port = htons(static_cast<uint16_t>(port));
    else if (Family() == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(storage).sin6_port = htons(static_cast<uint16_t>(port));
}

std::string CFtpAddress::HostText() const {
    char text[INET6_ADDRSTRLEN] = "";
    if (Family() == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(storage).sin_addr, text,
                  sizeof text);
    else if (Family() == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(storage).sin6_addr, text,
                  sizeof text);
    return text;
}

bool CFtpAddress::Ipv4Bytes(unsigned char bytes[4]) const {
    if (Family() != AF_INET)
        return false;
    std::memcpy(bytes, &reinterpret_cast<const sockaddr_in&>(storage).sin_addr, 4);
    return true;
}

CFtpCancelSignal::CFtpCancelSignal() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CFtpCancelSignal::~CFtpCancelSignal() {
    if (m_fd >= 0)
        close(m_fd);
}

void CFtpCancelSignal::Raise() {
    uint64_t one = 1;
    if (m_fd >= 0)
        (void)!write(m_fd, &one, sizeof one);
}

void CFtpCancelSignal::Reset() {
    uint64_t count = 0;
    if (m_fd >= 0)
        (void)!read(m_fd, &count, sizeof count);
}

bool CFtpCancelSignal::IsRaised() const {
    pollfd entry{m_fd, POLLIN, 0};
    return m_fd >= 0 && poll(&entry, 1, 0) > 0;
}

CFtpSocket::~CFtpSocket() {
    Close();
}

CFtpSocket::CFtpSocket(CFtpSocket&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_tls(std::exchange(other.m_tls, nullptr)),
      m_cancel(other.m_cancel) {}

CFtpSocket& CFtpSocket::operator=(CFtpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_tls = std::exchange(other.m_tls, nullptr);
        m_cancel = other.m_cancel;
    }
    return *this;
}

void CFtpSocket::FreeTls(bool notifyPeer) {
    if (!m_tls)
        return;
    // One close_notify, not waited on: it tells the peer the data ended here, not cut off.
    if (notifyPeer)
        SSL_shutdown(m_tls);
    SSL_free(m_tls);
    m_tls = nullptr;
    ERR_clear_error();
}

void CFtpSocket::Close() {
    FreeTls(true);
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void CFtpSocket::FinishAndClose(int timeoutMs) {
    if (m_tls && m_fd >= 0) {
        SSL_shutdown(m_tls);
        ::shutdown(m_fd, SHUT_WR);
        const auto deadline = DeadlineIn(timeoutMs);
        std::string error;
        char drain[4096];
        for (;;) {
            const ssize_t got = recv(m_fd, drain, sizeof drain, 0);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
                break;
            if (got < 0 && Wait(POLLIN, RemainingMs(deadline), error) != FtpIo::Ok)
                break;
        }
        FreeTls(false);
    }
    Close();
}

void CFtpSocket::AbortiveClose() {
    if (m_fd >= 0) {
        linger immediate{1, 0};
        setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &immediate, sizeof immediate);
    }
    FreeTls(false);
    Close();
}

FtpIo CFtpSocket::Wait(short events, int timeoutMs, std::string& error) const {
    const auto deadline = DeadlineIn(timeoutMs);
    for (;;) {
        pollfd entries[2] = {{m_fd, events, 0}, {-1, POLLIN, 0}};
        if (m_cancel)
            entries[1].fd = m_cancel->Fd();
        int ready = poll(entries, 2, RemainingMs(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            error = SystemText(errno);
            return FtpIo::Failed;
        }
        if (entries[1].revents)
            return FtpIo::Cancelled;
        if (entries[0].revents)
            return FtpIo::Ok; // errors and hang-ups show up in the call that follows
        if (ready == 0)
            return FtpIo::TimedOut;
    }
}

FtpIo CFtpSocket::Connect(const std::string& host, int port, int timeoutMs, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int rc = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0) {
        error = "cannot resolve the host name (" +
                std::string(rc == EAI_SYSTEM ? SystemText(errno) : gai_strerror(rc)) + ")";
        return FtpIo::Failed;
    }
    const auto deadline = DeadlineIn(timeoutMs);
    FtpIo result = FtpIo::Failed;
    for (addrinfo* entry = found; entry; entry = entry->ai_next) {
        CFtpAddress address;
        std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
        address.length = entry->ai_addrlen;
        result = Connect(address, RemainingMs(deadline), error);
        if (result == FtpIo::Ok || result == FtpIo::Cancelled || RemainingMs(deadline) == 0)
            break;
    }
    freeaddrinfo(found);
    if (result == FtpIo::TimedOut)
        error = "no connection to " + host + " port " + std::to_string(port) + " within " +
                std::to_string(timeoutMs) + " ms";
    return result;
}

FtpIo CFtpSocket::Connect(const CFtpAddress& address, int timeoutMs, std::string& error) {
    Close();
    m_fd = socket(address.Family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        error = SystemText(errno);
        return FtpIo::Failed;
    }
    const std::string target = address.HostText() + " port " + std::to_string(address.Port());
    if (connect(m_fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0) {
        if (errno != EINPROGRESS) {
            error = "cannot connect to " + target + " (" + SystemText(errno) + ")";
            Close();
            return FtpIo::Failed;
        }
        FtpIo waited = Wait(POLLOUT, timeoutMs, error);
        if (waited == FtpIo::TimedOut)
            error = "no connection to " + target + " within " + std::to_string(timeoutMs) + " ms";
        if (waited != FtpIo::Ok) {
            Close();
            return waited;
        }
        int pending = 0;
        socklen_t length = sizeof pending;
        if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0)
            pending = errno;
        if (pending != 0) {
            error = "cannot connect to " + target + " (" + SystemText(pending) + ")";
            Close();
            return FtpIo::Failed;
        }
    }
    return FtpIo::Ok;
}

bool CFtpSocket::Listen(const CFtpAddress& local, std::string& error) {
    Close();
    m_fd = socket(local.Family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    CFtpAddress any = local;
    any.SetPort(0);
    if (m_fd < 0 || bind(m_fd, reinterpret_cast<const sockaddr*>(&any.storage), any.length) != 0 ||
        listen(m_fd, 1) != 0) {
        error = "cannot listen on " + local.HostText() + " (" + SystemText(errno) + ")";
        Close();
        return false;
    }
    return true;
}

FtpIo CFtpSocket::Accept(CFtpSocket& accepted, int timeoutMs, std::string& error) {
    const auto deadline = DeadlineIn(timeoutMs);
    for (;;) {
        int fd = accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            accepted = CFtpSocket(fd);
            accepted.m_cancel = m_cancel;
            return FtpIo::Ok;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED) {
            error = SystemText(errno);
            return FtpIo::Failed;
        }
        FtpIo waited = Wait(POLLIN, RemainingMs(deadline), error);
        if (waited != FtpIo::Ok)
            return waited;
    }
}

FtpIo CFtpSocket::Send(const char* data, std::size_t size, std::size_t& sent, int timeoutMs,
                       std::string& error) {
    sent = 0;
    if (m_tls)
        return RetryTls([&] { return SSL_write_ex(m_tls, data, size, &sent); }, timeoutMs, error);
    const auto deadline = DeadlineIn(timeoutMs);
    for (;;) {
        ssize_t n = send(m_fd, data, size, MSG_NOSIGNAL);
        if (n >= 0) {
            sent = static_cast<std::size_t>(n);
            return FtpIo::Ok;
        }
        if (errno == EINTR)
            continue;
        if (errno == EPIPE || errno == ECONNRESET)
            return FtpIo::Closed;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            error = SystemText(errno);
            return FtpIo::Failed;
        }
        FtpIo io = Wait(POLLOUT, RemainingMs(deadline), error);
        if (io != FtpIo::Ok)
            return io;
    }
}

FtpIo CFtpSocket::SendAll(const char* data, std::size_t size, int timeoutMs, std::string& error) {
    while (size > 0) {
        std::size_t sent = 0;
        FtpIo io = Send(data, size, sent, timeoutMs, error);
        if (io != FtpIo::Ok)
            return io;
        data += sent;
        size -= sent;
    }
    return FtpIo::Ok;
}

FtpIo CFtpSocket::Receive(char* buffer, std::size_t size, std::size_t& received, int timeoutMs,
                          std::string& error) {
    received = 0;
    if (m_tls)
        return RetryTls([&] { return SSL_read_ex(m_tls, buffer, size, &received); }, timeoutMs,
                        error);
    const auto deadline = DeadlineIn(timeoutMs);
    for (;;) {
        ssize_t n = recv(m_fd, buffer, size, 0);
        if (n > 0) {
            received = static_cast<std::size_t>(n);
            return FtpIo::Ok;
        }
        if (n == 0)
            return FtpIo::Closed;
        if (errno == EINTR)
            continue;
        if (errno == ECONNRESET)
            return FtpIo::Closed;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            error = SystemText(errno);
            return FtpIo::Failed;
        }
        FtpIo io = Wait(POLLIN, RemainingMs(deadline), error);
        if (io != FtpIo::Ok)
            return io;
    }
}

FtpIo CFtpSocket::WaitForTls(int result, int timeoutMs, std::string& error) const {
    const int reason = SSL_get_error(m_tls, result);
    if (reason == SSL_ERROR_WANT_READ)
        return Wait(POLLIN, timeoutMs, error);
    if (reason == SSL_ERROR_WANT_WRITE)
        return Wait(POLLOUT, timeoutMs, error);
    if (reason == SSL_ERROR_ZERO_RETURN)
        return FtpIo::Closed;
    if (reason == SSL_ERROR_SYSCALL && (errno == EPIPE || errno == ECONNRESET))
        return FtpIo::Closed;
    error = TlsErrorText(reason == SSL_ERROR_SYSCALL && errno != 0 ? SystemText(errno)
                                                                   : "the peer ended it");
    return FtpIo::Failed;
}

template <class Call> FtpIo CFtpSocket::RetryTls(Call call, int timeoutMs, std::string& error) {
    const auto deadline = DeadlineIn(timeoutMs);
    for (;;) {
        ERR_clear_error();
        errno = 0;
        const int result = call();
        if (result == 1)
            return FtpIo::Ok;
        FtpIo io = WaitForTls(result, RemainingMs(deadline), error);
        if (io != FtpIo::Ok)
            return io;
    }
}

FtpIo CFtpSocket::StartTls(ssl_ctx_st* context, const std::string& serverName,
                           ssl_session_st* session, int timeoutMs, std::string& error) {
    FreeTls(false);
    ERR_clear_error();
    m_tls = SSL_new(context);
    if (!m_tls || SSL_set_fd(m_tls, m_fd) != 1) {
        error = TlsErrorText("cannot start TLS");
        return FtpIo::Failed;
    }
    unsigned char address[16];
    const bool numeric = inet_pton(AF_INET, serverName.c_str(), address) == 1 ||
                         inet_pton(AF_INET6, serverName.c_str(), address) == 1;
    if (!numeric)
        SSL_set_tlsext_host_name(m_tls, serverName.c_str());
    if (session)
        SSL_set_session(m_tls, session);
    FtpIo io = RetryTls([this] { return SSL_connect(m_tls); }, timeoutMs, error);
    if (io == FtpIo::Closed)
        error = "the server ended the connection during the handshake";
    return io;
}

bool CFtpSocket::LocalAddress(CFtpAddress& address) const {
    address.length = sizeof address.storage;
    return getsockname(m_fd, reinterpret_cast<sockaddr*>(&address.storage), &address.length) == 0;
}

bool CFtpSocket::PeerAddress(CFtpAddress& address) const {
    address.length = sizeof address.storage;
    return getpeername(m_fd, reinterpret_cast<sockaddr*>(&address.storage), &address.length) == 0;
}

} // namespace TEVComponentDesignerAfx
