#include "platform/text/StdioFileEx.h"

#include "platform/text/TextConvert.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

CStdioFileEx::~CStdioFileEx() { Close(); }

void CStdioFileEx::Reset() {
    m_file = nullptr;
    m_path.clear();
    m_tempPath.clear();
    m_flags = 0;
    m_unicode = false;
    m_atStart = true;
    m_writeFailed = false;
}

bool CStdioFileEx::Open(const std::string& path, unsigned flags) {
    Close();
    m_flags = flags;
    m_path = path;
    m_unicode = (flags & modeWriteUnicode) != 0;
    const bool writing = (flags & (modeWrite | modeReadWrite)) != 0;

    if (writing && (flags & modeAtomicReplace)) {
        std::string pattern = path + ".~XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            Reset();
            return false;
        }
        fchmod(fd, 0666 & ~CurrentUmask());
        m_file = fdopen(fd, "wb");
        if (!m_file) {
            close(fd);
            unlink(pattern.c_str());
            Reset();
            return false;
        }
        m_tempPath = pattern;
    } else {
        const char* mode = "rb";
        if (flags & modeReadWrite)
            mode = (flags & modeCreate) && !(flags & modeNoTruncate) ? "w+b" : "r+b";
        else if (flags & modeWrite)
            mode = (flags & modeNoTruncate) ? "ab" : "wb";
        m_file = std::fopen(path.c_str(), mode);
        if (!m_file) {
            Reset();
            return false;
        }
    }

    if (!writing) {
        unsigned char bom[2] = {0, 0};
        if (std::fread(bom, 1, 2, m_file) == 2 && bom[0] == 0xFF && bom[1] == 0xFE)
            m_unicode = true;
        std::rewind(m_file);
    }
    m_atStart = std::ftell(m_file) == 0;
    return true;
}

bool CStdioFileEx::Close() {
    if (!m_file)
        return true;
    bool ok = !m_writeFailed;
    if (std::fflush(m_file) != 0)
        ok = false;
    if (!m_tempPath.empty() && fsync(fileno(m_file)) != 0)
        ok = false;
    if (std::fclose(m_file) != 0)
        ok = false;
    if (!m_tempPath.empty()) {
        if (ok && std::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
            ok = false;
        if (!ok)
            unlink(m_tempPath.c_str());
    }
    Reset();
    return ok;
}

bool CStdioFileEx::WriteString(std::string_view text) {
    if (!m_file)
        return false;
    std::string bytes;
    if (std::ftell(m_file) == 0 && m_writeBom) {
        if (m_unicode)
            bytes = "\xFF\xFE";
        else if (m_codePage == kUtf8CodePage)
            bytes = "\xEF\xBB\xBF";
    }
    if (m_unicode) {
        for (const char16_t unit : tev::Utf8ToUtf16(text)) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
    } else {
        bytes.append(text);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_writeFailed = true;
        return false;
    }
    return true;
}

void CStdioFileEx::SkipByteOrderMark() {
    if (!m_atStart)
        return;
    m_atStart = false;
    if (std::ftell(m_file) != 0)
        return;
    unsigned char head[3] = {0, 0, 0};
    const size_t got = std::fread(head, 1, 3, m_file);
    size_t skip = 0;
    if (m_unicode && got >= 2 && head[0] == 0xFF && head[1] == 0xFE)
        skip = 2;
    else if (!m_unicode && got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        skip = 3;
    std::fseek(m_file, static_cast<long>(skip), SEEK_SET);
}

bool CStdioFileEx::ReadString(std::string& line) {
    line.clear();
    if (!m_file)
        return false;
    SkipByteOrderMark();
    const bool got = m_unicode ? ReadUnicodeLine(line) : ReadNarrowLine(line);
    if (got && !line.empty() && line.back() == '\r')
        line.pop_back();
    return got;
}

bool CStdioFileEx::ReadUnicodeLine(std::string& line) {
    std::u16string units;
    bool any = false;
    for (;;) {
        unsigned char pair[2];
        if (std::fread(pair, 1, 2, m_file) != 2)
            break;
        any = true;
        const char16_t unit = static_cast<char16_t>(pair[0] | (pair[1] << 8));
        if (unit == u'\n')
            break;
        units += unit;
    }
    line = tev::Utf16ToUtf8(units, kDefaultChar);
    return any;
}

bool CStdioFileEx::ReadNarrowLine(std::string& line) {
    bool any = false;
    for (int c; (c = std::fgetc(m_file)) != EOF;) {
        any = true;
        if (c == '\n')
            break;
        line += static_cast<char>(c);
    }
    return any;
}
