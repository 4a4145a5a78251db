// Uploads one large file over FTP, FTP over TLS (pyftpdlib) and SFTP (sshd) on 127.0.0.1
// with the program's clients and with curl over the same protocols, and prints the
// throughputs, their ratios and the clients' peak memory.
//
//     ftp_upload_bench [megabytes=200] [rounds=5]
#include "designer/ftp/RemoteFileSystem.h"
#include "designer/ftp/SftpFileSystem.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/designer/ftp/SshTestServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

using namespace TEVComponentDesignerAfx;
using Clock = std::chrono::steady_clock;

namespace {

// Peak resident memory of this process so far, in kilobytes.
long PeakMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmHWM:") == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

long long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

bool WriteTestFile(const std::string& path, long long size) {
    std::mt19937 generator(42);
    std::string block(1 << 20, '\0');
    for (char& c : block)
        c = static_cast<char>(generator() & 0xFF);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    for (long long written = 0; written < size; written += static_cast<long long>(block.size()))
        std::fwrite(block.data(), 1, std::min<long long>(block.size(), size - written), file);
    return std::fclose(file) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A server of one protocol, the client that speaks it, and curl's way to reach it.
class CTarget {
public:
    virtual ~CTarget() = default;
    virtual const char* Name() const = 0;
    virtual bool IsRunning() const = 0;
    virtual std::unique_ptr<IRemoteFileSystem> Client() = 0;
    // curl's arguments after "curl -s -S" to store `local` as `remote`.
    virtual std::vector<std::string> CurlArgs(const std::string& local,
                                              const std::string& remote) const = 0;
    // The local path of what arrived as `remote`.
    virtual std::string PathOf(const std::string& remote) const = 0;

protected:
    // The benchmark's servers show certificates and host keys it made itself.
    class CTrustEverything : public IRemoteTrust {
    public:
        bool Trust(const CRemoteIdentity&, std::string&) override { return true; }
    };
    CTrustEverything m_trust;
};

class CFtpTarget : public CTarget {
public:
    explicit CFtpTarget(bool tls) : m_tls(tls), m_server(OptionsFor(tls)) {}
    const char* Name() const override { return m_tls ? "FTPS" : "FTP"; }
    bool IsRunning() const override { return m_server.IsRunning(); }
    std::unique_ptr<IRemoteFileSystem> Client() override {
        auto client = CreateRemoteFileSystem(m_tls ? "ftps://" : "ftp://");
        CRemoteLogin login;
        login.host = m_server.Host();
        login.port = m_server.Port();
        login.username = m_server.User();
        login.password = m_server.Password();
        client->SetLogin(login);
        client->SetTrust(&m_trust);
        return client;
    }
    std::vector<std::string> CurlArgs(const std::string& local,
                                      const std::string& remote) const override {
        std::vector<std::string> args = {
            "-u", m_server.User() + ":" + m_server.Password(), "-T", local,
            "ftp://" + m_server.Host() + ":" + std::to_string(m_server.Port()) + "/" + remote};
        if (m_tls)
            args.insert(args.begin(), {"--ssl-reqd", "-k"});
        return args;
    }
    std::string PathOf(const std::string& remote) const override { return m_server.PathOf(remote); }

private:
    static tevtest::FtpTestServer::Options OptionsFor(bool tls) {
        tevtest::FtpTestServer::Options options;
        if (tls)
            options.tlsName = options.host;
        return options;
    }
    bool m_tls;
    tevtest::FtpTestServer m_server;
};

class CSftpTarget : public CTarget {
public:
    const char* Name() const override { return "SFTP"; }
    bool IsRunning() const override { return m_server.IsRunning(); }
    std::unique_ptr<IRemoteFileSystem> Client() override {
        auto client = std::make_unique<CSftpFileSystem>();
        CRemoteLogin login;
        login.host = m_server.Host();
        login.port = m_server.Port();
        login.username = m_server.User();
        client->SetLogin(login);
        client->SetKeyFolder(m_server.KeyFolder());
        client->SetTrust(&m_trust);
        return client;
    }
    std::vector<std::string> CurlArgs(const std::string& local,
                                      const std::string& remote) const override {
        const std::string key = m_server.KeyFolder() + "/id_ed25519";
        return {"-k",
                "--key",
                key,
                "--pubkey",
                key + ".pub",
                "-u",
                m_server.User() + ":",
                "-T",
                local,
                "sftp://" + m_server.Host() + ":" + std::to_string(m_server.Port()) +
                    PathOf(remote)};
    }
    std::string PathOf(const std::string& remote) const override {
        return m_server.Home() + remote;
    }

private:
    tevtest::SshTestServer m_server;
};

// The remote name the client stores under: SFTP starts in the user's home, so its names are
// absolute.
std::string RemoteName(const CTarget& target, const std::string& name) {
    return std::string(target.Name()) == "SFTP" ? target.PathOf(name) : name;
}

// Seconds for one asynchronous upload polled as the upload dialog polls it; < 0 on failure.
double UploadWithClient(CTarget& target, const std::string& local, const std::string& remote) {
    auto client = target.Client();
    if (!client->Connect()) {
        std::fprintf(stderr, "%s\n", client->GetLastErrorText().c_str());
        return -1;
    }
    const auto start = Clock::now();
    if (!client->AsyncPutFileStart(local, RemoteName(target, remote))) {
        std::fprintf(stderr, "%s\n", client->GetLastErrorText().c_str());
        return -1;
    }
    while (!client->IsAsyncFinished())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!client->GetAsyncSucceeded()) {
        std::fprintf(stderr, "%s\n", client->GetLastErrorText().c_str());
        return -1;
    }
    client->Disconnect();
    return seconds;
}

// Seconds for curl's upload, login included as curl cannot leave it out; < 0 on failure.
double UploadWithCurl(const CTarget& target, const std::string& local, const std::string& remote) {
    std::vector<std::string> args = {"curl", "-s", "-S"};
    for (std::string& arg : target.CurlArgs(local, remote))
        args.push_back(std::move(arg));
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "curl", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

// Seconds for login and logout alone, to set the client's figures on the same footing as
// curl's, which include them.
double LoginWithClient(CTarget& target) {
    auto client = target.Client();
    const auto start = Clock::now();
    if (!client->Connect())
        return -1;
    client->Disconnect();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct CRow {
    std::string name;
    double oursRate = 0;
    double curlRate = 0;
};

// The median rates of `rounds` uploads of `large` by the client and by curl; false when
// one failed.
bool Measure(CTarget& target, const std::string& large, long long size, int rounds, CRow& row) {
    std::vector<double> ours, curl;
    for (int round = 0; round < rounds; ++round) {
        // Alternate who goes first, so neither always meets a warm or a busy server.
        double login = LoginWithClient(target);
        double a = 0, b = 0;
        if (round % 2 == 0) {
            a = UploadWithClient(target, large, "client.bin");
            b = UploadWithCurl(target, large, "curl.bin");
        } else {
            b = UploadWithCurl(target, large, "curl.bin");
            a = UploadWithClient(target, large, "client.bin");
        }
        if (login < 0 || a < 0 || FileSize(target.PathOf("client.bin")) != size) {
            std::fprintf(stderr, "%s round %d failed\n", target.Name(), round + 1);
            return false;
        }
        // curl failing against a server is reported, not fatal: the client's figure stands.
        if (b < 0 || FileSize(target.PathOf("curl.bin")) != size)
            b = 0;
        std::printf("  %s round %d: client %.3f s, curl %.3f s\n", target.Name(), round + 1,
                    a + login, b);
        ours.push_back(a + login);
        curl.push_back(b);
    }
    const double mb = static_cast<double>(size) / (1 << 20);
    const double curlSeconds = Median(curl);
    row = {target.Name(), mb / Median(ours), curlSeconds > 0 ? mb / curlSeconds : 0};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const long long megabytes = argc > 1 ? std::atoll(argv[1]) : 200;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const long long size = megabytes << 20;

    tevtest::TempDir local;
    const std::string small = local / "small.bin";
    const std::string large = local / "large.bin";
    if (!WriteTestFile(small, size / 10) || !WriteTestFile(large, size)) {
        std::fprintf(stderr, "cannot write the test files in %s\n", local.path().c_str());
        return 1;
    }
    const long peakBefore = PeakMemoryKb();
    CFtpTarget plain(false);
    if (!plain.IsRunning())
        return 1;
    // Peak memory after a file a tenth of the size, then after the full size: the same
    // figure shows that memory does not follow the file size.
    if (UploadWithClient(plain, small, "small.bin") < 0)
        return 1;
    const long peakSmall = PeakMemoryKb();

    std::printf("Upload of %lld MB to servers on 127.0.0.1 (pyftpdlib, sshd), median of %d "
                "rounds, login to logout\n",
                megabytes, rounds);
    std::vector<CRow> rows;
    std::vector<std::unique_ptr<CTarget>> targets;
    targets.push_back(std::make_unique<CFtpTarget>(true));
    targets.push_back(std::make_unique<CSftpTarget>());
    for (CTarget* target : {static_cast<CTarget*>(&plain), targets[0].get(), targets[1].get()}) {
        CRow row;
        if (!target->IsRunning() || !Measure(*target, large, size, rounds, row))
            return 1;
        rows.push_back(row);
    }
    const long peakLarge = PeakMemoryKb();

    std::printf("%-6s %12s %12s %8s\n", "", "client MB/s", "curl MB/s", "ratio");
    for (const CRow& row : rows) {
        if (row.curlRate > 0)
            std::printf("%-6s %12.1f %12.1f %8.2f\n", row.name.c_str(), row.oursRate, row.curlRate,
                        row.oursRate / row.curlRate);
        else
            std::printf("%-6s %12.1f %12s %8s  (curl failed against this server)\n",
                        row.name.c_str(), row.oursRate, "-", "-");
    }
    std::printf("peak memory (VmHWM): %ld kB before uploading, %ld kB after %lld MB, "
                "%ld kB after %lld MB\n",
                peakBefore, peakSmall, megabytes / 10, peakLarge, megabytes);
    return 0;
}
