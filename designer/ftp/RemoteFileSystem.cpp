#include "designer/ftp/RemoteFileSystem.h"

#include "designer/ftp/FtpTransferClient.h"
#include "designer/ftp/SftpFileSystem.h"
#include "platform/text/StringUtil.h"

#include <cstdio>
#include <ctime>

namespace TEVComponentDesignerAfx {

namespace {

struct CSchemeEntry {
    RemoteProtocol protocol;
    const char* scheme;
    int port;
};

constexpr CSchemeEntry kSchemes[] = {
    {RemoteProtocol::Ftp, "ftp://", 21},
    {RemoteProtocol::Ftps, "ftps://", 21},
    {RemoteProtocol::Sftp, "sftp://", 22},
};

// The length of the scheme with its "://", 0 without one.
std::size_t SchemeLength(const std::string& server) {
    const std::size_t colon = server.find("://");
    return colon == std::string::npos || server.find_first_of("/@", 0) < colon ? 0 : colon + 3;
}

} // namespace

bool AppendErrorToLog(const std::string& path, const std::string& text) {
    if (text.empty())
        return false;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "";
    if (localtime_r(&now, &local))
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        return false;
    bool written = std::fprintf(file, "[%s]\n%s\n", stamp, text.c_str()) > 0;
    return (std::fclose(file) == 0) && written;
}

RemoteProtocol ProtocolOf(const std::string& server) {
    const std::string text = tev::Trimmed(server);
    const std::size_t length = SchemeLength(text);
    if (length == 0)
        return RemoteProtocol::Ftp;
    for (const CSchemeEntry& entry : kSchemes)
        if (tev::EqualsNoCase(text.substr(0, length), entry.scheme))
            return entry.protocol;
    return RemoteProtocol::Unknown;
}

int DefaultPortOf(RemoteProtocol protocol) {
    for (const CSchemeEntry& entry : kSchemes)
        if (entry.protocol == protocol)
            return entry.port;
    return 21;
}

const char* SchemeOf(RemoteProtocol protocol) {
    for (const CSchemeEntry& entry : kSchemes)
        if (entry.protocol == protocol)
            return entry.scheme;
    return "ftp://";
}

std::string WithProtocol(const std::string& server, RemoteProtocol protocol) {
    const std::string text = tev::Trimmed(server);
    const std::string rest = text.substr(SchemeLength(text));
    if (protocol == RemoteProtocol::Ftp && SchemeLength(text) == 0)
        return rest;
    return SchemeOf(protocol) + rest;
}

int PortAfterProtocolChange(int port, RemoteProtocol from, RemoteProtocol to) {
    return port <= 0 || port == DefaultPortOf(from) ? DefaultPortOf(to) : port;
}

std::unique_ptr<IRemoteFileSystem> CreateRemoteFileSystem(const std::string& server) {
    const RemoteProtocol protocol = ProtocolOf(server);
    if (protocol == RemoteProtocol::Sftp)
        return std::make_unique<CSftpFileSystem>();
    auto client = std::make_unique<CFtpTransferClient>();
    client->SetSecure(protocol == RemoteProtocol::Ftps);
    return client;
}

} // namespace TEVComponentDesignerAfx
