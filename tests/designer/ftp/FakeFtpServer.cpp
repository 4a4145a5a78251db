#include "tests/designer/ftp/FakeFtpServer.h"

#include <chrono>
#include <cstring>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tevtest {

namespace {

using Clock = std::chrono::steady_clock;

// Socket address of `host` and `port` (numeric IPv4 or IPv6).
bool MakeAddress(const std::string& host, int port, sockaddr_storage& address, socklen_t& length) {
    std::memset(&address, 0, sizeof address);
    auto& v4 = reinterpret_cast<sockaddr_in&>(address);
    auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
    if (inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<uint16_t>(port));
        length = sizeof v4;
        return true;
    }
    if (inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(static_cast<uint16_t>(port));
        length = sizeof v6;
        return true;
    }
    return false;
}

int ListenOn(const std::string& host, int& port) {
    sockaddr_storage address;
    socklen_t length = 0;
    if (!MakeAddress(host, 0, address, length))
        return -1;
    int fd = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(address).sin_port
                                              : reinterpret_cast<sockaddr_in6&>(address).sin6_port);
    return fd;
}

} // namespace

// Waits in short slices so that a stopping server ends its script at once.
static bool WaitFor(int fd, short events, int timeoutMs, const std::atomic<bool>& stopping) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!stopping && Clock::now() < deadline) {
        pollfd entry{fd, events, 0};
        if (poll(&entry, 1, 50) > 0)
            return true;
    }
    return false;
}

FakeFtpServer::FakeFtpServer(const std::string& host, Script script) : m_host(host) {
    m_listener = ListenOn(host, m_port);
    if (m_listener < 0)
        m_port = 0;
    else
        m_thread = std::thread([this, script = std::move(script)] { Run(script); });
}

FakeFtpServer::~FakeFtpServer() {
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        close(m_listener);
}

std::vector<std::string> FakeFtpServer::Commands() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

bool FakeFtpServer::WaitForScript(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_done && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return m_done;
}

void FakeFtpServer::Run(Script script) {
    Session session(*this);
    if (WaitFor(m_listener, POLLIN, kWaitMs, m_stopping)) {
        session.m_control = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (session.m_control >= 0)
            script(session);
    }
    session.CloseControl();
    if (session.m_dataListener >= 0)
        close(session.m_dataListener);
    if (session.m_data >= 0)
        close(session.m_data);
    m_done = true;
}

bool FakeFtpServer::Session::Send(std::string_view bytes, bool byteByByte) {
    if (m_control < 0)
        return false;
    int one = 1;
    if (byteByByte)
        setsockopt(m_control, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    while (!bytes.empty()) {
        if (!WaitFor(m_control, POLLOUT, kWaitMs, m_server.m_stopping))
            return false;
        ssize_t sent = send(m_control, bytes.data(), byteByByte ? 1 : bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
        if (byteByByte)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    return true;
}

std::string FakeFtpServer::Session::Command() {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWaitMs);
    std::size_t end;
    while ((end = m_input.find("\r\n")) == std::string::npos) {
        int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (m_control < 0 || left <= 0 || !WaitFor(m_control, POLLIN, left, m_server.m_stopping))
            return {};
        char buffer[1024];
        ssize_t got = recv(m_control, buffer, sizeof buffer, 0);
        if (got <= 0)
            return {};
        m_input.append(buffer, static_cast<std::size_t>(got));
    }
    std::string line = m_input.substr(0, end);
    m_input.erase(0, end + 2);
    std::lock_guard<std::mutex> lock(m_server.m_mutex);
    m_server.m_commands.push_back(line);
    return line;
}

bool FakeFtpServer::Session::Expect(std::string_view verb, std::string_view reply) {
    std::string command = Command();
    if (command.compare(0, verb.size(), verb) != 0)
        return false;
    return Send(std::string(reply) + "\r\n");
}

bool FakeFtpServer::Session::Login() {
    return Send("220 Scripted server ready\r\n") && Expect("USER", "331 Password required") &&
           Expect("PASS", "230 Logged in") && Expect("SYST", "215 UNIX Type: L8") &&
           Expect("FEAT", "211-Features:\r\n EPSV\r\n211 End");
}

int FakeFtpServer::Session::ListenForData() {
    int port = 0;
    if (m_dataListener >= 0)
        close(m_dataListener);
    m_dataListener = ListenOn(m_server.m_host, port);
    return m_dataListener >= 0 ? port : 0;
}

bool FakeFtpServer::Session::ConnectForData(int port) {
    sockaddr_storage address;
    socklen_t length = 0;
    if (m_data >= 0 || !MakeAddress(m_server.m_host, port, address, length))
        return false;
    m_data = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return m_data >= 0 && connect(m_data, reinterpret_cast<sockaddr*>(&address), length) == 0;
}

bool FakeFtpServer::Session::AcceptData() {
    if (m_data >= 0 || m_dataListener < 0 ||
        !WaitFor(m_dataListener, POLLIN, kWaitMs, m_server.m_stopping))
        return false;
    m_data = accept4(m_dataListener, nullptr, nullptr, SOCK_CLOEXEC);
    return m_data >= 0;
}

bool FakeFtpServer::Session::ReceiveData(std::string& bytes, std::size_t stopAfter) {
    bytes.clear();
    int data = std::exchange(m_data, -1);
    if (data < 0) {
        if (m_dataListener < 0 || !WaitFor(m_dataListener, POLLIN, kWaitMs, m_server.m_stopping))
            return false;
        data = accept4(m_dataListener, nullptr, nullptr, SOCK_CLOEXEC);
    }
    if (data < 0)
        return false;
    bool ended = false;
    while (bytes.size() < stopAfter && WaitFor(data, POLLIN, kWaitMs, m_server.m_stopping)) {
        char buffer[65536];
        ssize_t got = recv(data, buffer, sizeof buffer, 0);
        if (got <= 0) {
            ended = got == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(data);
    return ended || bytes.size() >= stopAfter;
}

bool FakeFtpServer::Session::SendData(std::string_view bytes) {
    if (m_data < 0 && !AcceptData())
        return false;
    while (!bytes.empty()) {
        if (!WaitFor(m_data, POLLOUT, kWaitMs, m_server.m_stopping))
            return false;
        ssize_t sent = send(m_data, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void FakeFtpServer::Session::CloseData() {
    if (m_data >= 0)
        close(m_data);
    m_data = -1;
}

bool FakeFtpServer::Session::ClientClosed() {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWaitMs);
    while (m_control >= 0 && Clock::now() < deadline && !m_server.m_stopping) {
        if (!WaitFor(m_control, POLLIN, 100, m_server.m_stopping))
            continue;
        char buffer[1024];
        ssize_t got = recv(m_control, buffer, sizeof buffer, 0);
        if (got <= 0)
            return true;
    }
    return false;
}

void FakeFtpServer::Session::CloseControl() {
    if (m_control >= 0)
        close(m_control);
    m_control = -1;
}

} // namespace tevtest
