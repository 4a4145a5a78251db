#include "tests/support/TestSupport.h"

#include "platform/text/TextConvert.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tevtest {

TempDir::TempDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tevtest.XXXXXX";
    if (mkdtemp(pattern.data()))
        m_path = pattern + "/";
}

TempDir::~TempDir() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : m_name(name) {
    if (const char* old = std::getenv(name)) {
        m_hadPrevious = true;
        m_previous = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (m_hadPrevious)
        setenv(m_name.c_str(), m_previous.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

ScopedRegistry::ScopedRegistry(MachineClasses machine) : m_user("TEV_REGISTRY_DIR", m_dir.path()) {
    if (machine == MachineClasses::Private)
        m_machine.emplace("TEV_MACHINE_REGISTRY_DIR", m_dir / "machine");
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string Utf16FileText(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    return tev::Utf16ToUtf8(units);
}

std::string Utf16FileBytes(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : tev::Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::vector<std::string> SortedFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteFileWithFolders(const std::string& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return WriteFileBytes(path, bytes);
}

std::string ProgramDir() {
    return TEV_PROGRAM_DIR;
}
std::string SourceDir() {
    return std::string(TEV_SOURCE_DIR) + "/";
}

std::string TestOutputDir(const std::string& area) {
    const std::string folder = std::string(TEV_TEST_BINARY_DIR) + "/" + area + "/output/";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string BuiltComponentDescriptor() {
    return ProgramDir() + "component/Calendar/componentInfo.xml";
}

} // namespace tevtest
