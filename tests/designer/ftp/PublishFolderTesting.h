#pragma once
// Publish folders for the upload tests: files as the designer writes them, to be sent to a
// test server and compared with what arrives.
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

} // namespace tevtest
