#include "protocol/ComponentFiles.h"

#include "platform/text/StringUtil.h"
#include "platform/text/TextEscaping.h"
#include "platform/web/InternetProtocolLite.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace tevprotocol {
namespace {

bool IsBelow(const fs::path& target, const fs::path& base) {
    const auto [baseEnd, targetAt] =
        std::mismatch(base.begin(), base.end(), target.begin(), target.end());
    return baseEnd == base.end() && targetAt != target.end();
}

} // namespace

HRESULT NameFromUrl(std::string_view url, std::string& name) {
    name.clear();
    const size_t colon = url.find(':');
    std::string_view rest = colon == std::string_view::npos ? url : url.substr(colon + 1);
    rest = rest.substr(0, rest.find_first_of("?#"));
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            name += rest[i];
            continue;
        }
        const int high = i + 2 < rest.size() ? tev::HexDigitValue(rest[i + 1]) : -1;
        const int low = high >= 0 ? tev::HexDigitValue(rest[i + 2]) : -1;
        if (low < 0 || (high == 0 && low == 0)) {
            name.clear();
            return INET_E_INVALID_URL;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return S_OK;
}

HRESULT ReadFileBelow(const std::string& baseFolder, std::string_view name, std::string& bytes) {
    bytes.clear();
    if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        return INET_E_INVALID_URL;
    fs::path relative;
    std::string part;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '/' && name[i] != '\\') {
            part += name[i];
            continue;
        }
        if (part == "..")
            return INET_E_INVALID_URL;
        if (!part.empty() && part != ".")
            relative /= part;
        part.clear();
    }
    if (relative.empty() || baseFolder.empty())
        return INET_E_OBJECT_NOT_FOUND;

    // Compare real paths, so a link inside the folder cannot lead out of it.
    std::error_code error;
    const fs::path base = fs::canonical(baseFolder, error);
    if (error)
        return INET_E_OBJECT_NOT_FOUND;
    const fs::path target = fs::canonical(base / relative, error);
    if (error)
        return INET_E_OBJECT_NOT_FOUND;
    if (!IsBelow(target, base))
        return INET_E_INVALID_URL;
    // Only regular files: a pipe or device would block or never end.
    if (!fs::is_regular_file(target, error))
        return INET_E_OBJECT_NOT_FOUND;

    std::ifstream in(target, std::ios::binary);
    if (!in)
        return INET_E_DATA_NOT_AVAILABLE;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxServedFileBytes) {
            bytes.clear();
            return INET_E_DATA_NOT_AVAILABLE;
        }
    }
    if (in.bad()) {
        bytes.clear();
        return INET_E_DATA_NOT_AVAILABLE;
    }
    return S_OK;
}

std::string ContentTypeFor(std::string_view name) {
    struct Type {
        const char* extension;
        const char* mime;
    };
    static const Type kTypes[] = {
        {"xml", "text/xml"},
        {"html", "text/html"},
        {"htm", "text/html"},
        {"css", "text/css"},
        {"js", "text/javascript"},
        {"json", "application/json"},
        {"txt", "text/plain"},
        {"png", "image/png"},
        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"gif", "image/gif"},
        {"bmp", "image/bmp"},
        {"svg", "image/svg+xml"},
        {"webp", "image/webp"},
        {"ico", "image/x-icon"},
        {"mp3", "audio/mpeg"},
        {"wav", "audio/wav"},
        {"ogg", "audio/ogg"},
        {"mp4", "video/mp4"},
        {"webm", "video/webm"},
        {"woff", "font/woff"},
        {"woff2", "font/woff2"},
        {"ttf", "font/ttf"},
        {"otf", "font/otf"},
        {"swf", "application/x-shockwave-flash"},
    };
    const std::string file = tev::FileNameOf(tev::Replaced(std::string(name), "\\", "/"));
    const size_t dot = file.rfind('.');
    if (dot != std::string::npos) {
        const std::string extension = tev::ToLowerAscii(file.substr(dot + 1));
        for (const Type& type : kTypes)
            if (extension == type.extension)
                return type.mime;
    }
    return "application/octet-stream";
}

} // namespace tevprotocol
