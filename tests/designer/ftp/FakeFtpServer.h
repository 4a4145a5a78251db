#pragma once
// A scripted FTP server on a loopback address, for what a real server will not do: the
// test's script runs on the server's thread, reads the client's commands and sends chosen
// bytes. Every wait is bounded, so a script never hangs a test.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tevtest {

class FakeFtpServer {
public:
    static constexpr int kWaitMs = 5000;

    class Session {
    public:
        // Sends bytes on the control connection; `byteByByte` sends each one by itself.
        bool Send(std::string_view bytes, bool byteByByte = false);
        // The next command line without its line end; "" when none came in time.
        std::string Command();
        // Reads the next command and answers it with `reply` (CRLF added); false when the
        // command did not start with `verb`.
        bool Expect(std::string_view verb, std::string_view reply);
        // Greeting and a login with user and password, SYST and FEAT all answered well.
        bool Login();
        // Listens for a data connection on the server's own address; returns the port.
        int ListenForData();
        // Opens the data connection to `port` of the server's address, as an active-mode
        // server does.
        bool ConnectForData(int port);
        // Accepts the data connection without reading from it yet.
        bool AcceptData();
        // Takes the data connection (accepting it unless already open) and reads
        // it to its end, or until `stopAfter` bytes came.
        bool ReceiveData(std::string& bytes, std::size_t stopAfter = std::string::npos);
        // Sends bytes over the data connection (accepting it unless already open); false once
        // the client stopped taking them.
        bool SendData(std::string_view bytes);
        // Ends the data connection, as the end of a listing.
        void CloseData();
        // True when the client closed the control connection within the wait.
        bool ClientClosed();
        // Ends the control connection from the server's side.
        void CloseControl();
        // Stops when the test ends, so endless senders end too.
        bool Stopping() const { return m_server.m_stopping; }

    private:
        friend class FakeFtpServer;
        explicit Session(FakeFtpServer& server) : m_server(server) {}
        FakeFtpServer& m_server;
        int m_control = -1;
        int m_dataListener = -1;
        int m_data = -1;
        std::string m_input;
    };

    using Script = std::function<void(Session&)>;

    // Listens on `host` ("127.0.0.1" or "::1") and plays `script` for the first client.
    FakeFtpServer(const std::string& host, Script script);
    explicit FakeFtpServer(Script script) : FakeFtpServer("127.0.0.1", std::move(script)) {}
    ~FakeFtpServer();
    FakeFtpServer(const FakeFtpServer&) = delete;
    FakeFtpServer& operator=(const FakeFtpServer&) = delete;

    bool IsListening() const { return m_port > 0; }
    int Port() const { return m_port; }
    // Every command line received so far, in order.
    std::vector<std::string> Commands() const;
    // Waits until the script has ended.
    bool WaitForScript(int timeoutMs = kWaitMs);

private:
    void Run(Script script);

    int m_listener = -1;
    int m_port = 0;
    std::string m_host;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_done{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_commands;
    std::thread m_thread;
};

} // namespace tevtest
