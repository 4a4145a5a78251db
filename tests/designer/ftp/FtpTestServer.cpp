#include "tests/designer/ftp/FtpTestServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tevtest {

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kStartTimeoutMs = 15000;
constexpr int kStopTimeoutMs = 3000;

std::string LogTail(const std::string& path) {
    std::string log = ReadFileBytes(path);
    return log.size() > 2000 ? log.substr(log.size() - 2000) : log;
}

} // namespace

FtpTestServer::FtpTestServer() : FtpTestServer(Options()) {}

FtpTestServer::FtpTestServer(Options options) : m_options(std::move(options)) {
    Start();
}

FtpTestServer::~FtpTestServer() {
    Stop();
}

void FtpTestServer::Start() {
    m_home = m_dir / "home/";
    if (m_dir.path().empty() || mkdir(m_home.c_str(), 0700) != 0) {
        m_error = "cannot create the served folder " + m_home;
        return;
    }
    const std::string script = SourceDir() + "tests/designer/ftp/ftp_test_server.py";
    std::vector<std::string> args = {
        kPython,  script,         "--host",     m_options.host,
        "--user", m_options.user, "--password", m_options.password,
        "--home", m_home,         "--throttle", std::to_string(m_options.throttleBytesPerSecond)};
    if (!m_options.mlsd)
        args.push_back("--no-mlsd");
    if (!m_options.tlsName.empty())
        args.insert(args.end(), {"--tls-name", m_options.tlsName, "--tls-folder", m_dir.path()});
    if (m_options.tlsExpired)
        args.push_back("--tls-expired");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string log = LogPath();

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        m_error = "cannot create a pipe";
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls from here to exec.
        prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a test that crashed
        int logFd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out[1], STDOUT_FILENO);
        if (logFd >= 0)
            dup2(logFd, STDERR_FILENO);
        execv(kPython, argv.data());
        _exit(127);
    }
    close(out[1]);
    if (m_pid < 0) {
        close(out[0]);
        m_error = "cannot start " + std::string(kPython);
        return;
    }

    // Wait, bounded, for the line that names the port.
    std::string output;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (output.find('\n') == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        pollfd entry{out[0], POLLIN, 0};
        if (left <= 0 || poll(&entry, 1, static_cast<int>(left)) <= 0)
            break;
        char buffer[256];
        ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    if (output.compare(0, 5, "PORT ") == 0)
        m_port = std::atoi(output.c_str() + 5);
    if (m_port <= 0) {
        m_error = "the FTP test server did not start; its log ends with:\n" + LogTail(log);
        Stop();
    }
}

void FtpTestServer::Stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeoutMs);
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_pid = -1;
    m_port = 0;
}

} // namespace tevtest
