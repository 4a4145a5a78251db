#pragma once
// For the upload tests: publish folders with files as the designer writes them, to be sent
// to a test server and compared with what arrives, and requests that send them there.
#include "designer/ftp/FolderUpload.h"
#include "designer/ftp/RemoteFileSystem.h"
#include "tests/designer/ftp/FtpTestServer.h"
#include "tests/support/TestSupport.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>

namespace tevtest {

// `size` bytes that differ from one position to the next, so a file cut, shifted or mixed up
// with another on the way does not compare equal; `seed` tells files apart.
inline std::string PatternBytes(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 13 + (i >> 8));
    return bytes;
}

// A publish folder with these files (name, bytes), and a subfolder whose file must stay
// behind: only the folder's own files are published.
struct PublishFolder {
    explicit PublishFolder(std::map<std::string, std::string> contents)
        : files(std::move(contents)) {
        for (const auto& [name, bytes] : files)
            WriteFileBytes(dir / name, bytes);
        std::filesystem::create_directory(dir / "assets");
        WriteFileBytes(dir / "assets/skin.png", "stays behind");
    }

    TempDir dir;
    std::map<std::string, std::string> files;
};

// A request that uploads `folder` to the server's root with its account, one attempt.
inline TEVComponentDesignerAfx::CUploadRequest UploadRequestFor(const FtpTestServer& server,
                                                                const std::string& folder) {
    TEVComponentDesignerAfx::CUploadRequest request;
    request.server = server.Host();
    request.port = server.Port();
    request.username = server.User();
    request.password = server.Password();
    request.localFolder = folder;
    request.retries = 1;
    request.retryDelay = 0;
    return request;
}

// The login to `server` for a remote file system.
inline TEVComponentDesignerAfx::CRemoteLogin RemoteLoginFor(const FtpTestServer& server,
                                                            bool passive = true) {
    TEVComponentDesignerAfx::CRemoteLogin login;
    login.host = server.Host();
    login.port = server.Port();
    login.username = server.User();
    login.password = server.Password();
    login.passive = passive;
    login.connectTimeoutSeconds = 5;
    login.idleTimeoutMilliseconds = 10000;
    return login;
}

} // namespace tevtest
