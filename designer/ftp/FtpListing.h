#pragma once
// Remote folder listings: the entries a server lists, the parsers for the forms servers send
// them in (MLSD facts, Unix "ls -l", MS-DOS/IIS), and the bounded collector that cuts the
// bytes of a data connection into lines. Each parser is a pure function over one line: a
// line it does not understand is skipped, never guessed at. Entries whose names could not
// be used safely as one path component ("", ".", "..", names holding "/" or a line break)
// are skipped as well.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace TEVComponentDesignerAfx {

struct CRemoteEntry {
    std::string name;
    bool folder = false;
    bool link = false; // a symbolic link; `linkTarget` says where to when the server told
    std::string linkTarget;
    std::uint64_t size = 0;
    bool hasTime = false;
    // The time the server gives, as seconds since 1970 of a clock that reads the server's
    // date and time fields; `utc` says whether that clock is UTC (MLSD) or the server's own
    // (LIST).
    std::int64_t time = 0;
    bool utc = false;

    bool operator==(const CRemoteEntry& other) const;
};

// The time and date fields of a listing as seconds since 1970 of a clock that reads them.
std::int64_t CivilSeconds(int year, int month, int day, int hour, int minute, int second);

// "type=file;size=12;modify=20080307000500; name" (RFC 3659). "cdir" and "pdir" lines are
// skipped; a line without a type fact is not understood.
bool ParseMlsdLine(std::string_view line, CRemoteEntry& entry);
// "-rw-r--r-- 1 owner group 1234 Mar  7 00:05 name" or with the year instead of the time;
// links "a -> b". `now` (seconds since 1970, server clock) gives the year a date without
// one falls in: the latest not more than a day ahead of now.
bool ParseUnixLine(std::string_view line, std::int64_t now, CRemoteEntry& entry);
// "03-07-08  12:05AM       <DIR>          name" or with a size instead of "<DIR>".
bool ParseDosLine(std::string_view line, CRemoteEntry& entry);
// A LIST line in whichever of the Unix and MS-DOS forms it is.
bool ParseListLine(std::string_view line, std::int64_t now, CRemoteEntry& entry);

enum class ListingFormat { Mlsd, List };

// Every understood entry of the lines, in their order.
std::vector<CRemoteEntry> ParseListing(const std::vector<std::string>& lines, ListingFormat format,
                                       std::int64_t now);

// True for a name that can stand as one component of a remote path.
bool IsUsableName(std::string_view name);

// Cuts the bytes of a listing into lines (CR LF, or LF alone), keeping a bounded amount:
// the part of a line beyond kMaxLineLength is dropped, and so is every line after
// kMaxLines, so neither an endless line nor a listing of millions of entries makes the
// memory grow without end.
class CListingCollector {
public:
    static constexpr std::size_t kMaxLineLength = 4096;
    static constexpr std::size_t kMaxLines = 200000;

    void Feed(const char* data, std::size_t size);
    // Ends a last line that came without a line end.
    void Finish();
    const std::vector<std::string>& Lines() const { return m_lines; }
    // True when lines or parts of lines were dropped.
    bool IsTruncated() const { return m_truncated; }
    std::size_t HeldBytes() const;

private:
    void EndLine();

    std::vector<std::string> m_lines;
    std::string m_line;
    std::size_t m_heldBytes = 0;
    bool m_truncated = false;
};

} // namespace TEVComponentDesignerAfx
