#include "designer/ftp/FtpListing.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace TEVComponentDesignerAfx {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a run of digits; false when it is not one or would not fit.
bool ToNumber(std::string_view text, std::uint64_t& value) {
    if (!IsDigits(text) || text.size() > 19)
        return false;
    value = 0;
    for (char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return true;
}

int SmallNumber(std::string_view text) {
    std::uint64_t value = 0;
    return text.size() <= 4 && ToNumber(text, value) ? static_cast<int>(value) : -1;
}

bool LowerEquals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int MonthOf(std::string_view text) {
    static const std::array<const char*, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (LowerEquals(text, kMonths[i]))
            return static_cast<int>(i) + 1;
    return 0;
}

bool ValidDate(int year, int month, int day) {
    return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// "hh:mm" on a 24-hour clock.
bool ParseClock(std::string_view text, int& hour, int& minute) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    hour = SmallNumber(text.substr(0, colon));
    minute = SmallNumber(text.substr(colon + 1));
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && colon <= 2 &&
           text.size() - colon == 3;
}

struct CToken {
    std::string_view text;
    std::size_t end; // offset just behind the token in the line
};

std::vector<CToken> Tokens(std::string_view line, std::size_t most) {
    std::vector<CToken> tokens;
    std::size_t at = 0;
    while (tokens.size() < most) {
        at = line.find_first_not_of(' ', at);
        if (at == std::string_view::npos)
            break;
        std::size_t end = line.find(' ', at);
        if (end == std::string_view::npos)
            end = line.size();
        tokens.push_back({line.substr(at, end - at), end});
        at = end;
    }
    return tokens;
}

bool IsUnixMode(std::string_view mode) {
    if (mode.size() < 10 || std::string_view("-dlbcpsD").find(mode[0]) == std::string_view::npos)
        return false;
    return std::all_of(mode.begin() + 1, mode.begin() + 10, [](char c) {
        return std::string_view("-rwxsStTlL").find(c) != std::string_view::npos;
    });
}

// The name as a "ls -l" line gives it: after the one blank behind the date.
std::string_view NameAfter(std::string_view line, std::size_t dateEnd) {
    return dateEnd + 1 < line.size() ? line.substr(dateEnd + 1) : std::string_view();
}

// The date of a "ls -l" line at tokens[at..at+2]; true when they are one.
bool ParseUnixDate(const std::vector<CToken>& tokens, std::size_t at, std::int64_t now,
                   std::int64_t& seconds) {
    const int month = MonthOf(tokens[at].text);
    const int day = SmallNumber(tokens[at + 1].text);
    int hour = 0;
    int minute = 0;
    std::string_view last = tokens[at + 2].text;
    if (IsDigits(last)) {
        const int year = SmallNumber(last);
        if (!ValidDate(year, month, day))
            return false;
        seconds = CivilSeconds(year, month, day, 0, 0, 0);
        return true;
    }
    if (!ParseClock(last, hour, minute))
        return false;
    std::time_t current = static_cast<std::time_t>(now);
    std::tm today{};
    if (!gmtime_r(&current, &today))
        return false;
    int year = today.tm_year + 1900;
    if (!ValidDate(year, month, day))
        return false;
    seconds = CivilSeconds(year, month, day, hour, minute, 0);
    // Servers leave the year out for the last six months, so a date ahead of today is
    // last year's.
    if (seconds > now + kSecondsPerDay)
        seconds = CivilSeconds(year - 1, month, day, hour, minute, 0);
    return true;
}

bool Usable(CRemoteEntry& entry) {
    return IsUsableName(entry.name);
}

} // namespace

bool CRemoteEntry::operator==(const CRemoteEntry& other) const {
    return name == other.name && folder == other.folder && link == other.link &&
           linkTarget == other.linkTarget && size == other.size && hasTime == other.hasTime &&
           time == other.time && utc == other.utc;
}

std::int64_t CivilSeconds(int year, int month, int day, int hour, int minute, int second) {
    // Days from 1970-01-01 of the proleptic Gregorian calendar.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
    return days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

bool IsUsableName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\r\n\0", 4)) == std::string_view::npos;
}

bool ParseMlsdLine(std::string_view line, CRemoteEntry& entry) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return false;
    entry = CRemoteEntry();
    entry.name = std::string(line.substr(blank + 1));
    bool typed = false;
    std::string_view facts = line.substr(0, blank);
    while (!facts.empty()) {
        const std::size_t end = std::min(facts.find(';'), facts.size());
        std::string_view fact = facts.substr(0, end);
        facts.remove_prefix(std::min(end + 1, facts.size()));
        const std::size_t equals = fact.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view key = fact.substr(0, equals);
        std::string_view value = fact.substr(equals + 1);
        if (LowerEquals(key, "type")) {
            if (LowerEquals(value, "cdir") || LowerEquals(value, "pdir"))
                return false;
            typed = true;
            entry.folder = LowerEquals(value, "dir");
            entry.link = LowerEquals(value.substr(0, 13), "OS.unix=slink") ||
                         LowerEquals(value, "OS.unix=symlink");
            if (entry.link && value.size() > 14)
                entry.linkTarget = std::string(value.substr(14));
        } else if (LowerEquals(key, "size") || LowerEquals(key, "sizd")) {
            ToNumber(value, entry.size);
        } else if (LowerEquals(key, "modify") && value.size() >= 14 &&
                   IsDigits(value.substr(0, 14))) {
            auto field = [&](std::size_t at, std::size_t length) {
                return SmallNumber(value.substr(at, length));
            };
            const int year = field(0, 4), month = field(4, 2), day = field(6, 2);
            const int hour = field(8, 2), minute = field(10, 2), second = field(12, 2);
            if (ValidDate(year, month, day) && hour < 24 && minute < 60 && second < 61) {
                entry.time = CivilSeconds(year, month, day, hour, minute, second);
                entry.hasTime = entry.utc = true;
            }
        }
    }
    if (entry.folder)
        entry.size = 0;
    return typed && Usable(entry);
}

bool ParseUnixLine(std::string_view line, std::int64_t now, CRemoteEntry& entry) {
    const std::vector<CToken> tokens = Tokens(line, 9);
    if (tokens.size() < 7 || !IsUnixMode(tokens[0].text))
        return false;
    // The date follows the size; owner and group may be numbers or names, and the group may
    // be missing, so the date is found by its form.
    for (std::size_t at = 3; at + 2 < tokens.size(); ++at) {
        if (MonthOf(tokens[at].text) == 0 || !IsDigits(tokens[at - 1].text))
            continue;
        std::int64_t seconds = 0;
        if (!ParseUnixDate(tokens, at, now, seconds))
            continue;
        entry = CRemoteEntry();
        ToNumber(tokens[at - 1].text, entry.size);
        entry.time = seconds;
        entry.hasTime = true;
        entry.folder = tokens[0].text[0] == 'd';
        entry.link = tokens[0].text[0] == 'l';
        std::string_view name = NameAfter(line, tokens[at + 2].end);
        const std::size_t arrow = entry.link ? name.find(" -> ") : std::string_view::npos;
        if (arrow != std::string_view::npos) {
            entry.linkTarget = std::string(name.substr(arrow + 4));
            name = name.substr(0, arrow);
        }
        entry.name = std::string(name);
        if (entry.folder)
            entry.size = 0;
        return Usable(entry);
    }
    return false;
}

bool ParseDosLine(std::string_view line, CRemoteEntry& entry) {
    const std::vector<CToken> tokens = Tokens(line, 3);
    if (tokens.size() < 3)
        return false;
    std::string_view date = tokens[0].text;
    std::string_view time = tokens[1].text;
    if (date.size() < 8 || date[2] != '-' || date[5] != '-' || time.size() != 7)
        return false;
    int month = SmallNumber(date.substr(0, 2));
    int day = SmallNumber(date.substr(3, 2));
    int year = SmallNumber(date.substr(6));
    if (date.size() == 8 && year >= 0)
        year += year < 70 ? 2000 : 1900;
    int hour = 0;
    int minute = 0;
    const bool pm = LowerEquals(time.substr(5), "pm");
    if (!ValidDate(year, month, day) || !ParseClock(time.substr(0, 5), hour, minute) || hour < 1 ||
        hour > 12 || (!pm && !LowerEquals(time.substr(5), "am")))
        return false;
    hour = hour % 12 + (pm ? 12 : 0);
    entry = CRemoteEntry();
    entry.folder = LowerEquals(tokens[2].text, "<DIR>");
    if (!entry.folder && !ToNumber(tokens[2].text, entry.size))
        return false;
    entry.time = CivilSeconds(year, month, day, hour, minute, 0);
    entry.hasTime = true;
    const std::size_t name = line.find_first_not_of(' ', tokens[2].end);
    if (name == std::string_view::npos)
        return false;
    entry.name = std::string(line.substr(name));
    return Usable(entry);
}

bool ParseListLine(std::string_view line, std::int64_t now, CRemoteEntry& entry) {
    return ParseUnixLine(line, now, entry) || ParseDosLine(line, entry);
}

std::vector<CRemoteEntry> ParseListing(const std::vector<std::string>& lines, ListingFormat format,
                                       std::int64_t now) {
    std::vector<CRemoteEntry> entries;
    CRemoteEntry entry;
    for (const std::string& line : lines) {
        const bool understood = format == ListingFormat::Mlsd ? ParseMlsdLine(line, entry)
                                                              : ParseListLine(line, now, entry);
        if (understood)
            entries.push_back(std::move(entry));
    }
    return entries;
}

void CListingCollector::Feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            EndLine();
        } else if (m_line.size() < kMaxLineLength) {
            m_line += c;
        } else {
            m_truncated = true;
        }
    }
}

void CListingCollector::Finish() {
    if (!m_line.empty())
        EndLine();
}

void CListingCollector::EndLine() {
    if (!m_line.empty() && m_line.back() == '\r')
        m_line.pop_back();
    if (m_lines.size() < kMaxLines) {
        m_heldBytes += m_line.size();
        m_lines.push_back(std::move(m_line));
    } else {
        m_truncated = true;
    }
    m_line.clear();
}

std::size_t CListingCollector::HeldBytes() const {
    return m_heldBytes + m_line.size();
}

} // namespace TEVComponentDesignerAfx
