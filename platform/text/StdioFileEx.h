#pragma once
// Text file that writes UTF-16LE with a byte-order mark and reads UTF-16LE or narrow lines.
// Narrow text is UTF-8 on this platform. Opened with modeAtomicReplace, a written file
// replaces the old one only when every write succeeded, so an interrupted save never
// leaves a truncated file behind.
#include <cstdio>
#include <string>
#include <string_view>

class CStdioFileEx {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        modeWriteUnicode = 0x200000,
        modeAtomicReplace = 0x40000000,
    };
    static constexpr int kSystemCodePage = -1;
    static constexpr int kUtf8CodePage = 65001;
    static constexpr char kDefaultChar = '#';

    CStdioFileEx() = default;
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    bool Open(const std::string& path, unsigned flags);
    // Ends the file; with modeAtomicReplace this is when the new file takes the old one's
    // place. False when a write failed or the file could not be put in place.
    bool Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads up to the next line feed, without it and without one trailing carriage return.
    // False at the end of the file.
    bool ReadString(std::string& line);
    bool WriteString(std::string_view text);

    void SetCodePage(int codePage) { m_codePage = codePage; }
    void SetWriteBom(bool writeBom) { m_writeBom = writeBom; }
    bool IsFileUnicodeText() const { return m_unicode; }

private:
    bool ReadUnicodeLine(std::string& line);
    bool ReadNarrowLine(std::string& line);
    void SkipByteOrderMark();
    void Reset();

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_tempPath;
    unsigned m_flags = 0;
    int m_codePage = kSystemCodePage;
    bool m_unicode = false;
    bool m_writeBom = true;
    bool m_atStart = true;
    bool m_writeFailed = false;
};
