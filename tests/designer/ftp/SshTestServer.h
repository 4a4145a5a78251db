#pragma once
// A real SSH server for the SFTP tests: OpenSSH's sshd on 127.0.0.1 and a free high port,
// with a configuration, host key and authorized key of its own in a temporary folder,
// logging in the current user by that key. The client's key lies in KeyFolder() as
// "id_ed25519", where a client looks for ~/.ssh keys. It runs from construction until
// destruction.
#include "tests/support/TestSupport.h"

#include <string>

#include <sys/types.h>

namespace tevtest {

class SshTestServer {
public:
    SshTestServer();
    ~SshTestServer();
    SshTestServer(const SshTestServer&) = delete;
    SshTestServer& operator=(const SshTestServer&) = delete;

    bool IsRunning() const { return m_port > 0; }
    const std::string& StartError() const { return m_error; }
    std::string Host() const { return "127.0.0.1"; }
    int Port() const { return m_port; }
    std::string User() const;
    // The folder with the client's key pair, in place of ~/.ssh.
    std::string KeyFolder() const { return m_dir / "client"; }
    // A folder to work in, empty at the start, with a trailing '/'.
    std::string Home() const { return m_dir / "home/"; }
    // Makes a new host key and restarts on the same port, as a server that was replaced.
    bool ReplaceHostKey();

private:
    bool Start();
    void Stop();

    TempDir m_dir;
    pid_t m_pid = -1;
    int m_port = 0;
    std::string m_error;
};

} // namespace tevtest
