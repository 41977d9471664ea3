#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "link/LineAssembler.h"

namespace navoro {
namespace {

// Records what each consumer receives; the first consumer overwrites its text
// the way a tokenizer does, which must not reach the others.
class Recorder : public LineSink {
  public:
    bool log = false;
    std::vector<std::string> logged, dispatched, handshake, collected;

    bool LogEnabled() const override { return log; }
    void LogLine(std::string_view line) override { logged.emplace_back(line); }
    void RouteLine(char* line) override {
        dispatched.emplace_back(line);
        for (char* p = line; *p != '\0'; ++p) {
            if (*p == ',') *p = '\0';
        }
    }
    void CheckHandshake(char* line) override { handshake.emplace_back(line); }
    void CollectDeviceInfo(char* line) override { collected.emplace_back(line); }
};

const std::string kSentence = "$GPZDA,201530.00,04,07,2002,00,00*60";

TEST(LineAssembler, ASentenceSplitAtAnyByteIsDispatchedOnce) {
    const std::string bytes = kSentence + "\r\n";
    for (std::size_t split = 0; split <= bytes.size(); ++split) {
        Recorder r;
        LineAssembler a(r);
        a.Feed(bytes.substr(0, split));
        a.Feed(bytes.substr(split));
        ASSERT_EQ(r.dispatched.size(), 1u) << "split at " << split;
        EXPECT_EQ(r.dispatched[0], bytes);
        EXPECT_EQ(r.handshake[0], bytes);
        EXPECT_EQ(r.collected[0], bytes);
    }
}

TEST(LineAssembler, LineEndsAndDroppedBytes) {
    struct Case {
        std::string input;
        std::vector<std::string> lines;  // what the consumers receive
        std::string pending;
    };
    const Case cases[] = {
        {"ABC\r", {}, "ABC"},                          // CR alone ends nothing
        {"ABC\n", {"ABC\r\n"}, ""},                    // LF alone ends a line
        {std::string("A\0B\r\n", 5), {"AB\r\n"}, ""},  // NUL disappears
        {"\n\n", {"\r\n", "\r\n"}, ""},                // empty lines
        {"A\nB\nC", {"A\r\n", "B\r\n"}, "C"},          // several lines in one read
        {"\x80\xff\n", {"\x80\xff\r\n"}, ""},          // high bytes kept as they are
        {"AB\r\rCD\r\n", {"ABCD\r\n"}, ""},            // every CR dropped
    };
    for (const Case& c : cases) {
        Recorder r;
        LineAssembler a(r);
        a.Feed(std::string_view(c.input.data(), c.input.size()));
        EXPECT_EQ(r.dispatched, c.lines) << c.input;
        EXPECT_EQ(r.collected, c.lines) << c.input;
        EXPECT_EQ(std::string(a.Pending()), c.pending) << c.input;
    }
}

TEST(LineAssembler, EightyTwoCharactersAreTheLimit) {
    Recorder r;
    r.log = true;
    LineAssembler a(r);
    const std::string ok(82, 'A');
    const std::string over(83, 'B');
    a.Feed(ok + "\r\n" + over + "\r\n");
    ASSERT_EQ(r.dispatched.size(), 1u);
    EXPECT_EQ(r.dispatched[0], ok + "\r\n");
    EXPECT_EQ(r.logged, (std::vector<std::string>{ok, over}));
}

TEST(LineAssembler, LogsEveryLineOnlyWhenEnabled) {
    Recorder r;
    LineAssembler a(r);
    a.Feed("A\n\n");
    EXPECT_TRUE(r.logged.empty());
    EXPECT_EQ(r.dispatched.size(), 2u);
    r.log = true;
    a.Feed("B\n\n");
    EXPECT_EQ(r.logged, (std::vector<std::string>{"B", ""}));
}

TEST(LineAssembler, ConsumersGetTheirOwnCopies) {
    Recorder r;
    LineAssembler a(r);
    a.Feed(kSentence + "\r\n");
    EXPECT_EQ(r.handshake[0], kSentence + "\r\n");
    EXPECT_EQ(r.collected[0], kSentence + "\r\n");
}

TEST(LineAssembler, ANeverEndingLineIsCappedAndNotDispatched) {
    Recorder r;
    r.log = true;
    LineAssembler a(r);
    const std::string flood(100000, 'X');
    a.Feed(flood);
    EXPECT_EQ(a.Pending().size(), LineAssembler::kLineBufferMax);
    a.Feed("\n" + kSentence + "\r\n");
    ASSERT_EQ(r.logged.size(), 2u);
    EXPECT_EQ(r.logged[0], std::string(LineAssembler::kLineBufferMax, 'X'));
    ASSERT_EQ(r.dispatched.size(), 1u);  // the flood reaches no consumer
    EXPECT_EQ(r.dispatched[0], kSentence + "\r\n");
}

TEST(LineAssembler, ReceiveReadsInPiecesAndStopsOnAFailedRead) {
    Recorder r;
    LineAssembler a(r);
    std::string source;
    for (int i = 0; i < 300; ++i)
        source += kSentence + "\r\n";  // 11,400 bytes
    std::size_t offset = 0;
    int reads = 0;
    auto read = [&](char* buffer, int size) {
        ++reads;
        EXPECT_LE(size, static_cast<int>(LineAssembler::kReadBufferSize));
        const int n = std::min<int>(size, static_cast<int>(source.size() - offset));
        std::memcpy(buffer, source.data() + offset, static_cast<std::size_t>(n));
        offset += static_cast<std::size_t>(n);
        return n;
    };
    a.Receive(read, static_cast<int>(source.size()));
    EXPECT_EQ(r.dispatched.size(), 300u);
    EXPECT_EQ(reads, 3);

    Recorder closed;
    LineAssembler b(closed);
    b.Feed("partial");
    b.Receive([](char*, int) { return -1; }, 10);
    EXPECT_EQ(std::string(b.Pending()), "partial");
}

// A consumer may cause more bytes to be fed while it runs (a handler that
// processes events); the pending line starts afresh for them.
TEST(LineAssembler, FeedingFromInsideAConsumerStartsANewLine) {
    struct Reentrant : LineSink {
        LineAssembler* assembler = nullptr;
        std::vector<std::string> lines;
        void RouteLine(char* line) override {
            lines.emplace_back(line);
            if (lines.size() == 1) assembler->Feed("INNER\n");
        }
    } sink;
    LineAssembler a(sink);
    sink.assembler = &a;
    a.Feed("OUTER\nNEXT\n");
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"OUTER\r\n", "INNER\r\n", "NEXT\r\n"}));
}

}  // namespace
}  // namespace navoro
