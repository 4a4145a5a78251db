// Uploads one large file to a local pyftpdlib server with CFtpTransferClient and with
// `curl -T`, and prints the throughputs, their ratio and the client's peak memory.
//
//     ftp_upload_bench [megabytes=200] [rounds=5]
#include "designer/ftp/FtpTransferClient.h"
#include "tests/designer/ftp/FtpTestServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

void Configure(CFtpTransferClient& client, const tevtest::FtpTestServer& server) {
    client.SetHostname(server.Host());
    client.SetPort(server.Port());
    client.SetUsername(server.User());
    client.SetPassword(server.Password());
    client.SetPassive(true);
}

// Seconds for one asynchronous upload polled as the upload dialog polls it; < 0 on failure.
double UploadWithClient(const tevtest::FtpTestServer& server, const std::string& local,
                        const std::string& remote) {
    CFtpTransferClient client;
    Configure(client, server);
    if (!client.Connect()) {
        std::fprintf(stderr, "%s\n", client.GetLastErrorText().c_str());
        return -1;
    }
    const auto start = Clock::now();
    if (!client.AsyncPutFileStart(local, remote)) {
        std::fprintf(stderr, "%s\n", client.GetLastErrorText().c_str());
        return -1;
    }
    while (!client.IsAsyncFinished())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!client.GetAsyncSucceeded()) {
        std::fprintf(stderr, "%s\n", client.GetLastErrorText().c_str());
        return -1;
    }
    client.Disconnect();
    return seconds;
}

// Seconds for `curl -T`, login included as curl cannot leave it out; < 0 on failure.
double UploadWithCurl(const tevtest::FtpTestServer& server, const std::string& local,
                      const std::string& remote) {
    const std::string url =
        "ftp://" + server.Host() + ":" + std::to_string(server.Port()) + "/" + remote;
    const std::string account = server.User() + ":" + server.Password();
    std::vector<std::string> args = {"curl", "-s", "-S", "-u", account, "-T", local, url};
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
double LoginWithClient(const tevtest::FtpTestServer& server) {
    CFtpTransferClient client;
    Configure(client, server);
    const auto start = Clock::now();
    if (!client.Connect())
        return -1;
    client.Disconnect();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const long long megabytes = argc > 1 ? std::atoll(argv[1]) : 200;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const long long size = megabytes << 20;

    tevtest::FtpTestServer server;
    if (!server.IsRunning()) {
        std::fprintf(stderr, "%s\n", server.StartError().c_str());
        return 1;
    }
    tevtest::TempDir local;
    const std::string small = local / "small.bin";
    const std::string large = local / "large.bin";
    if (!WriteTestFile(small, size / 10) || !WriteTestFile(large, size)) {
        std::fprintf(stderr, "cannot write the test files in %s\n", local.path().c_str());
        return 1;
    }
    const long peakBefore = PeakMemoryKb();

    // Peak memory after a file a tenth of the size, then after the full size: the same
    // figure shows that memory does not follow the file size.
    if (UploadWithClient(server, small, "small.bin") < 0)
        return 1;
    const long peakSmall = PeakMemoryKb();

    std::vector<double> ours, curl;
    for (int round = 0; round < rounds; ++round) {
        // Alternate who goes first, so neither always meets a warm or a busy server.
        double login = LoginWithClient(server);
        double a = 0, b = 0;
        if (round % 2 == 0) {
            a = UploadWithClient(server, large, "client.bin");
            b = UploadWithCurl(server, large, "curl.bin");
        } else {
            b = UploadWithCurl(server, large, "curl.bin");
            a = UploadWithClient(server, large, "client.bin");
        }
        if (login < 0 || a < 0 || b < 0 || FileSize(server.PathOf("client.bin")) != size ||
            FileSize(server.PathOf("curl.bin")) != size) {
            std::fprintf(stderr, "round %d failed\n", round + 1);
            return 1;
        }
        ours.push_back(a + login);
        curl.push_back(b);
    }
    const long peakLarge = PeakMemoryKb();

    const double mb = static_cast<double>(size) / (1 << 20);
    const double oursRate = mb / Median(ours);
    const double curlRate = mb / Median(curl);
    std::printf("FTP upload of %lld MB to pyftpdlib on %s, passive mode, median of %d rounds\n",
                megabytes, server.Host().c_str(), rounds);
    for (int round = 0; round < rounds; ++round)
        std::printf("  round %d: CFtpTransferClient %.3f s, curl -T %.3f s\n", round + 1,
                    ours[round], curl[round]);
    std::printf("CFtpTransferClient: %8.1f MB/s (login, upload, logout)\n", oursRate);
    std::printf("curl -T:            %8.1f MB/s (login, upload, logout)\n", curlRate);
    std::printf("ratio client/curl:  %8.2f\n", oursRate / curlRate);
    std::printf("peak memory (VmHWM): %ld kB before uploading, %ld kB after %lld MB, "
                "%ld kB after %lld MB\n",
                peakBefore, peakSmall, megabytes / 10, peakLarge, megabytes);
    return 0;
}
