#include "designer/ftp/FolderUpload.h"

#include "designer/ftp/RemoteFileSystem.h"
#include "platform/text/StringUtil.h"
#include "resources/designer/FtpDialogs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>

namespace TEVComponentDesignerAfx {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// How long a cancelled transfer may take to wind down before the upload stops waiting for it
// (the client cuts it short and joins its worker when it goes).
constexpr int kAbortWaitMilliseconds = 10000;
// How long the upload waits for the server to take its leave.
constexpr int kDisconnectWaitMilliseconds = 5000;
// How long the windows are kept alive while a call that was cut short winds down; its waits
// end at once, so only a host name lookup can take longer, and the join then waits for it.
constexpr int kCutShortWaitMilliseconds = 2000;

} // namespace

CFolderUpload::CFolderUpload(const CUploadRequest& request) : m_request(request) {}

CFolderUpload::~CFolderUpload() = default;

std::string CFolderUpload::HostOf(const std::string& server) {
    std::string host = tev::Trimmed(server);
    const std::size_t scheme = host.find("://");
    if (ProtocolOf(host) == RemoteProtocol::Unknown || scheme == std::string::npos ||
        host.find_first_of("/@") < scheme)
        return host;
    host.erase(0, scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    const std::size_t at = host.rfind('@');
    if (at != std::string::npos)
        host.erase(0, at + 1);
    if (!host.empty() && host.front() == '[') {
        const std::size_t close = host.find(']');
        return close == std::string::npos ? host.substr(1) : host.substr(1, close - 1);
    }
    return host.substr(0, host.find(':'));
}

std::vector<CUploadFile> CFolderUpload::ListFiles(const std::string& folder) {
    std::vector<CUploadFile> files;
    // An empty name would otherwise become "/", the root of the file system.
    if (folder.empty())
        return files;
    const std::string base = tev::WithTrailingSlash(folder);
    std::error_code ec;
    fs::directory_iterator it(base, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string path = base + name;
        std::error_code statError;
        // Only regular files: a folder is not uploaded, and a pipe or device would never end.
        if (!fs::is_regular_file(fs::status(path, statError)))
            continue;
        const std::uintmax_t size = fs::file_size(path, statError);
        if (statError)
            continue;
        files.push_back({name, path, static_cast<std::int32_t>(static_cast<std::uint32_t>(size))});
    }
    return files;
}

std::optional<bool> CFolderUpload::Aside(IUploadDisplay& display, const ClientCall& call,
                                         const std::function<bool()>& giveUp) {
    IRemoteFileSystem& client = *m_client;
    std::atomic<bool> result{false};
    if (!m_helper.Start([&] { result.store(call(client)); }, [&client] { client.Stop(); }))
        return call(client); // no thread to spare: the windows wait this once
    const auto finished = [&] { return !m_helper.IsRunning() || giveUp(); };
    while (!finished())
        display.Wait(250, finished);
    const bool returned = !m_helper.IsRunning();
    if (!returned) {
        m_helper.AskToStop();
        display.Wait(kCutShortWaitMilliseconds, [&] { return !m_helper.IsRunning(); });
    }
    m_helper.Stop();
    if (!returned)
        return std::nullopt;
    return result.load();
}

std::optional<bool> CFolderUpload::ConnectWithRetries(IUploadDisplay& display) {
    const std::string host = HostOf(m_request.server);
    const int attempts = std::max<std::int32_t>(m_request.retries, 1);
    const std::chrono::seconds delay(std::max<std::int32_t>(m_request.retryDelay, 0));
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        display.OnConnecting(host, attempt, attempts);
        const std::optional<bool> connected = Aside(
            display, [](IRemoteFileSystem& client) { return client.Connect(); },
            [&] { return display.IsCancelled(); });
        if (!connected || *connected)
            return connected;
        if (attempt == attempts)
            break;
        const std::string error = m_client->GetLastErrorText();
        const auto next = Clock::now() + delay;
        for (auto now = Clock::now(); now < next; now = Clock::now()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - now);
            const auto secondsLeft = (left.count() + 999) / 1000;
            display.OnRetryWait(error, static_cast<int>(secondsLeft));
            // Wake at the next whole second to count down.
            const int untilTick = static_cast<int>(left.count() - (secondsLeft - 1) * 1000);
            display.Wait(untilTick, [&] { return display.IsCancelled(); });
            if (display.IsCancelled())
                return std::nullopt;
        }
    }
    return false;
}

void CFolderUpload::Report(IUploadDisplay& display) {
    display.ShowError(m_client->GetLastErrorText());
    if (m_request.logErrors)
        m_client->SaveLastError(m_logPath);
}

std::string CFolderUpload::DoneText(int files, const CUploadRequest& request) {
    std::string where = HostOf(request.server);
    if (request.port != DefaultPortOf(ProtocolOf(request.server)))
        where += ":" + std::to_string(request.port);
    const std::string path = tev::Trimmed(request.remotePath);
    if (!path.empty())
        where += (path.front() == '/' ? "" : "/") + path;
    const char* format = files == 0   ? tev::designer::kUploadDoneNone
                         : files == 1 ? tev::designer::kUploadDoneOne
                                      : tev::designer::kUploadDoneMany;
    return tev::Replaced(tev::Replaced(format, "%d", std::to_string(files)), "%s", where);
}

bool CFolderUpload::SendFile(IUploadDisplay& display, const CUploadFile& file) {
    display.OnFileStart(file);
    if (!m_client->AsyncPutFileStart(file.path, file.name)) {
        Report(display);
        return false;
    }
    IRemoteFileSystem& client = *m_client;
    const auto finishedOrCancelled = [&] {
        return client.IsAsyncFinished() || display.IsCancelled();
    };
    for (;;) {
        const bool finished = client.IsAsyncFinished();
        display.OnFileProgress(file, client.GetAsyncBytesSent());
        if (finished)
            break;
        if (display.IsCancelled()) {
            client.AbortAsync();
            display.Wait(kAbortWaitMilliseconds, [&] { return client.IsAsyncFinished(); });
            m_cancelled = true;
            return false;
        }
        display.Wait(kPollMilliseconds, finishedOrCancelled);
    }
    if (!client.GetAsyncSucceeded()) {
        Report(display);
        return false;
    }
    ++m_filesSent;
    return true;
}

void CFolderUpload::Leave(IUploadDisplay& display) {
    // Politely, but a server that never answers QUIT does not hold the windows.
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDisconnectWaitMilliseconds);
    Aside(
        display, [](IRemoteFileSystem& client) { return client.Disconnect(); },
        [&] { return Clock::now() >= deadline; });
}

std::optional<UploadResult> CFolderUpload::Open(IUploadDisplay& display) {
    std::optional<bool> opened = ConnectWithRetries(display);
    if (opened && *opened && !m_request.remotePath.empty()) {
        const std::string path = m_request.remotePath;
        opened = Aside(
            display, [path](IRemoteFileSystem& client) { return client.ChangeRemoteDir(path); },
            [&] { return display.IsCancelled(); });
    }
    if (opened && *opened)
        return std::nullopt;
    display.OnFinished();
    if (!opened)
        return UploadResult::Cancelled;
    Report(display);
    return UploadResult::Failed;
}

bool CFolderUpload::SendFiles(IUploadDisplay& display) {
    display.OnUploadStart();
    bool allSent = true;
    for (const CUploadFile& file : ListFiles(m_request.localFolder)) {
        if (display.IsCancelled()) {
            m_cancelled = true;
            break;
        }
        if (SendFile(display, file))
            continue;
        allSent = false;
        // Without a connection every further file would fail the same way.
        if (m_cancelled || !m_client->IsConnected())
            break;
    }
    return allSent;
}

UploadResult CFolderUpload::Run(IUploadDisplay& display, const std::string& logPath) {
    m_logPath = logPath;
    m_cancelled = false;
    m_filesSent = 0;
    m_client = CreateRemoteFileSystem(m_request.server);
    CRemoteLogin login;
    login.host = HostOf(m_request.server);
    login.username = m_request.username;
    login.password = m_request.password;
    login.passive = m_request.passive;
    login.port = m_request.port;
    m_client->SetLogin(login);
    m_client->SetTrust(m_request.trust);

    std::optional<UploadResult> result = Open(display);
    if (!result) {
        const bool allSent = SendFiles(display);
        Leave(display);
        display.OnFinished();
        result = allSent ? UploadResult::Completed : UploadResult::Failed;
        if (m_cancelled)
            result = UploadResult::Cancelled;
    }
    // Every helper thread was joined by now; the connection goes with the client.
    m_client.reset();
    return *result;
}

} // namespace TEVComponentDesignerAfx
