#include "designer/ftp/FtpReplyReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;

namespace {

// Feeds `bytes` in pieces of `piece` bytes and collects the replies completed on the way.
std::vector<CFtpReply> ReadAll(const std::string& bytes, std::size_t piece) {
    CFtpReplyReader reader;
    std::vector<CFtpReply> replies;
    for (std::size_t start = 0; start < bytes.size(); start += piece) {
        std::string chunk = bytes.substr(start, piece);
        std::size_t used = 0;
        while (used < chunk.size()) {
            used += reader.Feed(chunk.data() + used, chunk.size() - used);
            if (reader.HasReply())
                replies.push_back(reader.TakeReply());
        }
    }
    return replies;
}

struct ReplyCase {
    const char* bytes;
    int code;
    std::vector<std::string> lines;
};

} // namespace

TEST(FtpReplyReader, ReadsSingleAndMultiLineRepliesWhateverTheyArriveIn) {
    const ReplyCase cases[] = {
        {"220 Ready\r\n", 220, {"220 Ready"}},
        {"220-Welcome\r\n220-to the\r\n220 server\r\n",
         220,
         {"220-Welcome", "220-to the", "220 server"}},
        // Inside a multi-line reply only the same code followed by a blank ends it.
        {"211-Features:\r\n EPSV\r\n211-still\r\n250 other code\r\n2110 four digits\r\n211 End\r\n",
         211,
         {"211-Features:", " EPSV", "211-still", "250 other code", "2110 four digits", "211 End"}},
        {"200 Bare line feed\n", 200, {"200 Bare line feed"}},
        {"230\r\n", 230, {"230"}},
        {"\r\n331 After an empty line\r\n", 331, {"331 After an empty line"}},
        {"hello there\r\n", 0, {"hello there"}},
        {"2200 Four digits\r\n", 0, {"2200 Four digits"}},
        {"600 Beyond the codes\r\n", 0, {"600 Beyond the codes"}},
    };
    for (const ReplyCase& c : cases) {
        for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(4096)}) {
            SCOPED_TRACE(std::string(c.bytes) + " in pieces of " + std::to_string(piece));
            std::vector<CFtpReply> replies = ReadAll(c.bytes, piece);
            ASSERT_EQ(replies.size(), 1u);
            EXPECT_EQ(replies[0].code, c.code);
            EXPECT_EQ(replies[0].lines, c.lines);
        }
    }
}

TEST(FtpReplyReader, LeavesTheBytesOfTheNextReplyForTheNextRead) {
    const std::string bytes = "331 Password required\r\n230-Logged\r\n230 in\r\n";
    CFtpReplyReader reader;
    std::size_t used = reader.Feed(bytes.data(), bytes.size());
    ASSERT_TRUE(reader.HasReply());
    EXPECT_EQ(used, std::string("331 Password required\r\n").size());
    EXPECT_EQ(reader.TakeReply().code, 331);
    reader.Feed(bytes.data() + used, bytes.size() - used);
    ASSERT_TRUE(reader.HasReply());
    CFtpReply second = reader.TakeReply();
    EXPECT_EQ(second.code, 230);
    EXPECT_EQ(second.Text(), "230-Logged\n230 in");
}

TEST(FtpReplyReader, KeepsTheStartOfAnOverlongLineAndHoldsBoundedMemory) {
    const std::string bytes = "550 " + std::string(1000000, 'x') + "\r\n";
    CFtpReplyReader reader;
    for (std::size_t start = 0; start < bytes.size() && !reader.HasReply(); start += 4096) {
        reader.Feed(bytes.data() + start, std::min<std::size_t>(4096, bytes.size() - start));
        ASSERT_LE(reader.HeldBytes(), CFtpReplyReader::kMaxLineLength + 16);
    }
    ASSERT_TRUE(reader.HasReply());
    CFtpReply reply = reader.TakeReply();
    EXPECT_EQ(reply.code, 550);
    ASSERT_EQ(reply.lines.size(), 1u);
    EXPECT_EQ(reply.lines[0].compare(0, 8, "550 xxxx"), 0);
    EXPECT_LT(reply.lines[0].size(), CFtpReplyReader::kMaxLineLength + 16);
}

TEST(FtpReplyReader, AnEndlessMultiLineReplyHoldsBoundedMemoryAndStillEndsProperly) {
    CFtpReplyReader reader;
    const std::string first = "220-Welcome\r\n";
    reader.Feed(first.data(), first.size());
    const std::string line = "220-" + std::string(200, 'y') + "\r\n";
    const int lines = 20000;
    for (int i = 0; i < lines; ++i) {
        reader.Feed(line.data(), line.size());
        ASSERT_FALSE(reader.HasReply());
        ASSERT_LE(reader.HeldBytes(),
                  CFtpReplyReader::kMaxReplyLength + 2 * CFtpReplyReader::kMaxLineLength);
    }
    const std::string last = "220 Done\r\n";
    reader.Feed(last.data(), last.size());
    ASSERT_TRUE(reader.HasReply());
    CFtpReply reply = reader.TakeReply();
    EXPECT_EQ(reply.code, 220);
    EXPECT_EQ(reply.lines.front(), "220-Welcome");
    EXPECT_EQ(reply.lines.back(), "220 Done");
    // The dropped lines are counted, not silently lost.
    std::size_t kept = reply.lines.size() - 3;
    EXPECT_EQ(reply.lines[reply.lines.size() - 2],
              "[" + std::to_string(lines - kept) + " more lines]");
}

TEST(FtpPassiveReplies, TakeThePortFromWellFormedRepliesOnly) {
    const struct {
        const char* text;
        int port;
    } cases[] = {
        {"227 Entering Passive Mode (127,0,0,1,4,1)", 1025},
        {"227 Entering Passive Mode (10,0,0,9,200,10).", 51210},
        {"227 =192,168,1,2,0,21", 21},
        {"227 Entering Passive Mode 1,2,3,4,5,6", 1286},
        {"227 Entering Passive Mode (127,0,0,1,4,1", 1025},
        {"227 Entering Passive Mode (1,2,3,4,5)", 0},
        {"227 (300,2,3,4,5,6)", 0},
        {"227 (1,2,3,4,256,1)", 0},
        {"227 (1,2,3,4,0,0)", 0},
        {"227 (1234,2,3,4,5,6)", 0},
        {"227 Entering Passive Mode", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePassivePort(c.text), c.port) << c.text;
}

TEST(FtpPassiveReplies, TakeThePortFromWellFormedExtendedRepliesOnly) {
    const struct {
        const char* text;
        int port;
    } cases[] = {
        {"229 Entering Extended Passive Mode (|||6446|)", 6446},
        {"229 Entering Extended Passive Mode (!!!1025!)", 1025},
        {"229 (|||65535|)", 65535},
        {"229 (|||0|)", 0},
        {"229 (|||70000|)", 0},
        {"229 (||1025|)", 0},
        {"229 (|||12a|)", 0},
        {"229 (|||1025)", 0},
        {"229 Entering Extended Passive Mode", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseExtendedPassivePort(c.text), c.port) << c.text;
}
