#include "tests/designer/ftp/SshTestServer.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tevtest {

namespace {

constexpr int kStartTimeoutMs = 15000;

int FreePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

} // namespace

SshTestServer::SshTestServer() {
    const std::string client = KeyFolder();
    mkdir(client.c_str(), 0700);
    mkdir(Home().c_str(), 0700);
    if (!Run("ssh-keygen -q -t ed25519 -N '' -f '" + client + "/id_ed25519'") ||
        !Run("cp '" + client + "/id_ed25519.pub' '" + (m_dir / "authorized_keys") + "'")) {
        m_error = "ssh-keygen could not make the client's key";
        return;
    }
    m_port = FreePort();
    if (!ReplaceHostKey())
        m_port = 0;
}

SshTestServer::~SshTestServer() {
    Stop();
}

std::string SshTestServer::User() const {
    const passwd* entry = getpwuid(getuid());
    return entry ? entry->pw_name : "";
}

bool SshTestServer::ReplaceHostKey() {
    Stop();
    const std::string key = m_dir / "host_key";
    std::remove(key.c_str());
    std::remove((key + ".pub").c_str());
    if (!Run("ssh-keygen -q -t ed25519 -N '' -f '" + key + "'")) {
        m_error = "ssh-keygen could not make the host key";
        return false;
    }
    std::ofstream(m_dir / "sshd_config")
        << "Port " << m_port << "\nListenAddress 127.0.0.1\nHostKey " << key
        << "\nPidFile none\nAuthorizedKeysFile " << (m_dir / "authorized_keys")
        << "\nStrictModes no\nUsePAM no\nPermitRootLogin yes\nPasswordAuthentication yes\n"
           "KbdInteractiveAuthentication no\nSubsystem sftp internal-sftp\nLogLevel VERBOSE\n";
    return Start();
}

bool SshTestServer::Start() {
    // As root sshd wants its privilege separation folder, which Debian makes only at boot.
    if (geteuid() == 0)
        mkdir("/run/sshd", 0755);
    const std::string log = m_dir / "sshd.log";
    std::remove(log.c_str());
    const std::string config = m_dir / "sshd_config";
    m_pid = fork();
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl("/usr/sbin/sshd", "/usr/sbin/sshd", "-D", "-f", config.c_str(), "-E", log.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ReadFileBytes(log).find("Server listening") != std::string::npos)
            return true;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    m_error = "sshd did not start; its log:\n" + ReadFileBytes(log);
    Stop();
    return false;
}

void SshTestServer::Stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}

} // namespace tevtest
