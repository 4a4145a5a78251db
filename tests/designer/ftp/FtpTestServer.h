#pragma once
// A real FTP server for tests and benchmarks: pyftpdlib under /usr/bin/python3, on a
// loopback address and a port the system picks, serving a fresh temporary folder to one
// user with every permission. It runs from construction until destruction; several may
// run at once.
//
//     tevtest::FtpTestServer server;                  // 127.0.0.1, user "tester"
//     ASSERT_TRUE(server.IsRunning()) << server.StartError();
//     client.SetHostname(server.Host());
//     client.SetPort(server.Port());
//     client.SetUsername(server.User());
//     client.SetPassword(server.Password());
//     ... upload "site/index.html" ...
//     EXPECT_EQ(tevtest::ReadFileBytes(server.PathOf("site/index.html")), expected);
#include "tests/support/TestSupport.h"

#include <string>
#include <string_view>

#include <sys/types.h>

namespace tevtest {

class FtpTestServer {
public:
    struct Options {
        std::string host = "127.0.0.1"; // "::1" for IPv6
        std::string user = "tester";
        std::string password = "secret";
        // Bytes per second the server reads from a data connection, so an upload lasts long
        // enough to be watched or interrupted; 0 for no limit.
        long throttleBytesPerSecond = 0;
        // Off: the server offers neither MLSD nor MLST, so listings go through LIST.
        bool mlsd = true;
        // Not empty: FTP over TLS only (AUTH TLS, PROT P), with a self-signed certificate
        // made out to this name.
        std::string tlsName;
        bool tlsExpired = false; // the certificate expired yesterday
    };

    FtpTestServer();
    explicit FtpTestServer(Options options);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool IsRunning() const { return m_port > 0; }
    // Why the server did not start, with the end of its log.
    const std::string& StartError() const { return m_error; }

    const std::string& Host() const { return m_options.host; }
    int Port() const { return m_port; }
    const std::string& User() const { return m_options.user; }
    const std::string& Password() const { return m_options.password; }
    // The served folder, which the user sees as "/", with a trailing '/'.
    const std::string& Home() const { return m_home; }
    // The local path of a remote path relative to the served folder.
    std::string PathOf(std::string_view remotePath) const {
        return m_home + std::string(remotePath);
    }
    // The server's own log of every command it received.
    std::string LogPath() const { return m_dir / "server.log"; }

private:
    void Start();
    void Stop();

    Options m_options;
    TempDir m_dir;
    std::string m_home;
    pid_t m_pid = -1;
    int m_port = 0;
    std::string m_error;
};

} // namespace tevtest
