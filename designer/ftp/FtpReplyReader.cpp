#include "designer/ftp/FtpReplyReader.h"

#include <cctype>
#include <utility>

namespace TEVComponentDesignerAfx {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The reply code a line starts with, or 0.
int CodeOf(std::string_view line) {
    if (line.size() < 3 || line[0] < '1' || line[0] > '5' || !IsDigit(line[1]) || !IsDigit(line[2]))
        return 0;
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-')
        return 0;
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

// Reads a decimal number of at most `maxDigits` digits at `pos`.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < std::size_t(maxDigits))
        value = value * 10 + (text[pos++] - '0');
    return pos > start && (pos >= text.size() || !IsDigit(text[pos]));
}

} // namespace

std::string CFtpReply::Text() const {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::size_t CFtpReplyReader::Feed(const char* data, std::size_t size) {
    std::size_t used = 0;
    while (used < size && !m_done) {
        char c = data[used++];
        if (c == '\n') {
            EndLine();
        } else if (m_line.size() < kMaxLineLength) {
            m_line += c;
        } else {
            m_lineCut = true;
        }
    }
    return used;
}

void CFtpReplyReader::EndLine() {
    if (!m_line.empty() && m_line.back() == '\r')
        m_line.pop_back();
    if (m_lineCut)
        m_line += " [...]";
    const bool first = m_reply.lines.empty() && m_droppedLines == 0;
    if (first && m_line.empty())
        return; // a stray empty line between replies
    if (first) {
        m_reply.code = CodeOf(m_line);
        // A line that is not a reply is kept as one so the caller can quote it.
        if (m_reply.code != 0 && m_line.size() > 3 && m_line[3] == '-')
            m_endMark = m_line.substr(0, 3) + ' ';
        else
            m_done = true;
    } else if (m_line.compare(0, 4, m_endMark) == 0 || m_line == m_endMark.substr(0, 3)) {
        m_done = true;
    }
    if (first || m_done || m_replyLength + m_line.size() <= kMaxReplyLength) {
        m_replyLength += m_line.size();
        m_reply.lines.push_back(std::move(m_line));
    } else {
        ++m_droppedLines;
    }
    if (m_done && m_droppedLines > 0)
        m_reply.lines.insert(m_reply.lines.end() - 1,
                             "[" + std::to_string(m_droppedLines) + " more lines]");
    m_line.clear();
    m_lineCut = false;
}

CFtpReply CFtpReplyReader::TakeReply() {
    CFtpReply reply = std::move(m_reply);
    Reset();
    return reply;
}

void CFtpReplyReader::Reset() {
    m_line.clear();
    m_lineCut = false;
    m_reply = CFtpReply();
    m_replyLength = 0;
    m_droppedLines = 0;
    m_endMark.clear();
    m_done = false;
}

std::size_t CFtpReplyReader::HeldBytes() const {
    return m_line.size() + m_replyLength;
}

int ParsePassivePort(std::string_view text) {
    // Skip the reply code, then take the first run of six comma-separated numbers.
    for (std::size_t start = 3; start < text.size(); ++start) {
        if (!IsDigit(text[start]) || IsDigit(text[start - 1]))
            continue;
        std::size_t pos = start;
        int numbers[6];
        int count = 0;
        while (count < 6 && ReadNumber(text, pos, 3, numbers[count]) && numbers[count] <= 255) {
            ++count;
            if (count < 6) {
                if (pos >= text.size() || text[pos] != ',')
                    break;
                ++pos;
            }
        }
        if (count == 6) {
            int port = numbers[4] * 256 + numbers[5];
            return port > 0 ? port : 0;
        }
    }
    return 0;
}

int ParseExtendedPassivePort(std::string_view text) {
    std::size_t open = text.find('(');
    if (open == std::string_view::npos || open + 5 >= text.size())
        return 0;
    const char mark = text[open + 1];
    if (mark < 33 || mark > 126 || IsDigit(mark) || text[open + 2] != mark ||
        text[open + 3] != mark)
        return 0;
    std::size_t pos = open + 4;
    int port = 0;
    if (!ReadNumber(text, pos, 5, port) || pos >= text.size() || text[pos] != mark)
        return 0;
    return port > 0 && port <= 65535 ? port : 0;
}

bool ParseQuotedPath(std::string_view replyText, std::string& path) {
    std::size_t at = replyText.find('"');
    if (at == std::string_view::npos)
        return false;
    std::string name;
    for (++at; at < replyText.size(); ++at) {
        if (replyText[at] != '"') {
            name += replyText[at];
        } else if (at + 1 < replyText.size() && replyText[at + 1] == '"') {
            name += '"';
            ++at;
        } else {
            path = std::move(name);
            return !path.empty();
        }
    }
    return false;
}

} // namespace TEVComponentDesignerAfx
