#include "designer/ftp/Archive.h"

#include "platform/text/TextConvert.h"

#include <algorithm>
#include <cstring>

namespace TEVComponentDesignerAfx {
namespace {

constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kWideTag = 0xFFFE;
constexpr std::uint16_t kVeryLongLength = 0xFFFF;

void AppendLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t FromLittleEndian(const unsigned char* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

CArchive::CArchive() : m_storing(true) {}

CArchive::CArchive(std::string_view bytes)
    : m_storing(false), m_memory(bytes), m_size(bytes.size()) {}

CArchive::CArchive(std::FILE* file, std::uint64_t size)
    : m_storing(false), m_file(file), m_buffer(kBufferSize), m_size(size) {
    if (!file)
        m_size = 0;
}

bool CArchive::AppendStringLength(std::string& out, std::uint64_t length) {
    if (length < kLongLength) {
        AppendLittleEndian(out, length, 1);
    } else if (length < kWideTag) {
        AppendLittleEndian(out, kLongLength, 1);
        AppendLittleEndian(out, length, 2);
    } else if (length <= 0xFFFFFFFFu) {
        AppendLittleEndian(out, kLongLength, 1);
        AppendLittleEndian(out, kVeryLongLength, 2);
        AppendLittleEndian(out, length, 4);
    } else {
        return false;
    }
    return true;
}

CArchive& CArchive::operator<<(std::int32_t value) {
    if (m_storing && !m_failed)
        AppendLittleEndian(m_stored, static_cast<std::uint32_t>(value), 4);
    return *this;
}

CArchive& CArchive::operator<<(std::string_view text) {
    if (!m_storing || m_failed)
        return *this;
    if (!AppendStringLength(m_stored, text.size())) {
        m_failed = true;
        return *this;
    }
    m_stored.append(text);
    return *this;
}

bool CArchive::ReadBytes(void* target, std::uint64_t count) {
    if (m_storing || m_failed || count > m_size - m_position) {
        m_failed = true;
        return false;
    }
    char* out = static_cast<char*>(target);
    if (!m_file) {
        std::memcpy(out, m_memory.data() + m_position, static_cast<std::size_t>(count));
        m_position += count;
        return true;
    }
    while (count > 0) {
        if (m_bufferBegin == m_bufferEnd) {
            // Whatever is not buffered is still in the file.
            const std::uint64_t left = m_size - m_position;
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::uint64_t>(left, m_buffer.size()));
            const std::size_t got = std::fread(m_buffer.data(), 1, want, m_file);
            if (got == 0) {
                // The file shrank under us.
                m_failed = true;
                return false;
            }
            m_bufferBegin = 0;
            m_bufferEnd = got;
        }
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, m_bufferEnd - m_bufferBegin));
        std::memcpy(out, m_buffer.data() + m_bufferBegin, take);
        m_bufferBegin += take;
        m_position += take;
        out += take;
        count -= take;
    }
    return true;
}

bool CArchive::ReadLength(std::uint64_t& length, bool allowWideTag, bool& wide) {
    unsigned char bytes[4];
    if (!ReadBytes(bytes, 1))
        return false;
    if (bytes[0] != kLongLength) {
        length = bytes[0];
        return true;
    }
    if (!ReadBytes(bytes, 2))
        return false;
    const auto word = static_cast<std::uint16_t>(FromLittleEndian(bytes, 2));
    if (word == kWideTag) {
        // Only one tag per string: a tag inside the wide prefix is no length at all.
        if (!allowWideTag) {
            m_failed = true;
            return false;
        }
        wide = true;
        return ReadLength(length, false, wide);
    }
    if (word != kVeryLongLength) {
        length = word;
        return true;
    }
    if (!ReadBytes(bytes, 4))
        return false;
    length = FromLittleEndian(bytes, 4);
    return true;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    unsigned char bytes[4];
    if (ReadBytes(bytes, 4))
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(FromLittleEndian(bytes, 4)));
    return *this;
}

CArchive& CArchive::operator>>(std::string& text) {
    std::string legacyBytes;
    return Load(text, legacyBytes);
}

CArchive& CArchive::Load(std::string& text, std::string& legacyBytes) {
    std::uint64_t length = 0;
    bool wide = false;
    if (!ReadLength(length, true, wide))
        return *this;
    const std::uint64_t byteCount = wide ? length * 2 : length;
    // Checked before any allocation: a length beyond the input is damage.
    if (byteCount > m_size - m_position) {
        m_failed = true;
        return *this;
    }
    if (!wide) {
        std::string narrow(static_cast<std::size_t>(byteCount), '\0');
        if (!ReadBytes(narrow.data(), byteCount))
            return *this;
        if (tev::IsValidUtf8(narrow)) {
            text = std::move(narrow);
            legacyBytes.clear();
        } else {
            text = tev::Windows1252ToUtf8(narrow);
            legacyBytes = std::move(narrow);
        }
        return *this;
    }
    std::string raw(static_cast<std::size_t>(byteCount), '\0');
    if (!ReadBytes(raw.data(), byteCount))
        return *this;
    legacyBytes.clear();
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                         (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
    text = tev::Utf16ToUtf8(units, '#');
    return *this;
}

} // namespace TEVComponentDesignerAfx
