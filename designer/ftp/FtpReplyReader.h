#pragma once
// FTP replies as RFC 959 gives them: a three-digit code and text, on one line ("227 text") or
// on several ("211-first" ... "211 last"). The reader assembles them from the bytes of the
// control connection and keeps at most a bounded amount of any reply, so a server that sends
// endless lines cannot make the client's memory grow.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace TEVComponentDesignerAfx {

struct CFtpReply {
    int code = 0; // 100..599; 0 when the server sent something that is not a reply
    std::vector<std::string> lines; // as received, without line ends; long ones cut short

    int Kind() const { return code / 100; } // 1 preliminary, 2 done, 3 more needed, 4/5 failed
    bool IsPreliminary() const { return Kind() == 1; }
    bool IsSuccess() const { return Kind() == 2; }
    bool IsIntermediate() const { return Kind() == 3; }
    // The lines joined with line feeds.
    std::string Text() const;
};

class CFtpReplyReader {
public:
    // Longest part of a line that is kept; the rest of the line is dropped.
    static constexpr std::size_t kMaxLineLength = 1024;
    // Most text kept of one reply; later lines are dropped, but the reply still ends only
    // with its proper last line.
    static constexpr std::size_t kMaxReplyLength = 16 * 1024;

    // Takes bytes until a reply is complete; returns how many it took. Bytes after a
    // complete reply are left for the next one.
    std::size_t Feed(const char* data, std::size_t size);
    bool HasReply() const { return m_done; }
    // The completed reply; the reader starts on the next one.
    CFtpReply TakeReply();
    // Forgets a partly read reply.
    void Reset();
    // Bytes held for the reply being read (bounded whatever the server sends).
    std::size_t HeldBytes() const;

private:
    void EndLine();

    std::string m_line;
    bool m_lineCut = false;
    CFtpReply m_reply;
    std::size_t m_replyLength = 0;
    std::size_t m_droppedLines = 0;
    std::string m_endMark; // "ddd " that ends the multi-line reply being read
    bool m_done = false;
};

// The port of a "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)" reply (p1 * 256 + p2); the
// address numbers must be well formed but are not used. 0 when the reply holds no such numbers.
int ParsePassivePort(std::string_view replyText);
// The folder of a "257 \"/a \"\"b\"\"\" is current" reply (RFC 959: a quote inside the
// name is doubled); false when the reply holds no quoted name.
bool ParseQuotedPath(std::string_view replyText, std::string& path);
// The port of a "229 Entering Extended Passive Mode (|||port|)" reply (RFC 2428); 0 when none.
int ParseExtendedPassivePort(std::string_view replyText);

} // namespace TEVComponentDesignerAfx
