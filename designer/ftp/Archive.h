#pragma once
// The byte layout of the class library's serialisation archives, as far as the stored FTP
// profiles use it: 32-bit little-endian integers and length-prefixed strings.
//
// String length prefixes: one byte below 255; otherwise 0xFF and a 2-byte length below 0xFFFE;
// otherwise 0xFF, 0xFFFF and a 4-byte length. 0xFF 0xFFFE in place of a length tags a UTF-16
// string: a second prefix of the same kind follows, counted in 2-byte characters, then the
// UTF-16LE characters. Narrow strings are stored as UTF-8 bytes; UTF-16 strings are accepted
// when loading and converted to UTF-8, and never written. A one-byte string that is not
// UTF-8 comes from an older program that wrote Windows-1252, and is read as that.
//
// A loading archive never trusts a length: a string longer than what is left of the input
// fails the archive instead of allocating. Once failed, every further read fails and leaves
// its target alone, so a caller can read a whole record and test once.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace TEVComponentDesignerAfx {

class CArchive {
public:
    // Bytes read from a file at a time when loading.
    static constexpr std::size_t kBufferSize = 4096;

    // A storing archive collecting its bytes in memory.
    CArchive();
    // A loading archive over bytes in memory; they are not copied and must outlive it.
    explicit CArchive(std::string_view bytes);
    // A loading archive over the next `size` bytes of an open file, read through a buffer of
    // kBufferSize bytes. The file stays open and the caller's.
    CArchive(std::FILE* file, std::uint64_t size);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }
    // Loading: a read met the end of the input or a damaged length. Storing: a string too
    // long for the layout was given.
    bool IsFailed() const { return m_failed; }
    // Loading: every byte of the input has been read.
    bool IsAtEnd() const { return m_position == m_size; }
    // Loading: bytes read so far.
    std::uint64_t GetPosition() const { return m_position; }

    // Storing.
    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(std::string_view text);
    // The bytes stored so far.
    const std::string& GetStoredBytes() const { return m_stored; }

    // Loading. On failure the target keeps its value.
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(std::string& text);
    // Loads a string like >>; `legacyBytes` receives the stored bytes of a string read as
    // Windows-1252 and is cleared for any other, so that an unchanged text can be stored
    // again exactly as it was read.
    CArchive& Load(std::string& text, std::string& legacyBytes);

    // Appends the narrow length prefix for `length` characters. False (and nothing appended)
    // for a length the layout cannot express (above 0xFFFFFFFF).
    static bool AppendStringLength(std::string& out, std::uint64_t length);

private:
    bool ReadBytes(void* target, std::uint64_t count);
    bool ReadLength(std::uint64_t& length, bool allowWideTag, bool& wide);

    bool m_storing;
    bool m_failed = false;
    std::string m_stored;

    std::string_view m_memory;
    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    std::size_t m_bufferBegin = 0;
    std::size_t m_bufferEnd = 0;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};

} // namespace TEVComponentDesignerAfx
