// The send path over a scripted port: exact bytes, the result of SendText, and
// what a failed write makes of SendSentence.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ConnectionFakes.h"
#include "link/SendPath.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::ScriptedPort;

class SendPathTest : public ::testing::Test {
  protected:
    SendPathTest() {
        port.SetDevicePath("/dev/pts/1");
        EXPECT_TRUE(port.Open().Ok());
    }
    std::string Written() const {
        std::string all;
        for (const auto& write : port.writes)
            all += write.bytes;
        return all;
    }

    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    ScriptedPort port;
    SendPath send{*codec, port};
};

TEST_F(SendPathTest, SendTextAppendsChecksumAndLineEnd) {
    const struct {
        const char* text;
        const char* sent;
    } cases[] = {
        {"$PTST,,,,,00017", "$PTST,,,,,00017*19\r\n"},
        {"$AIAIQ,SSD", "$AIAIQ,SSD*39\r\n"},
        {"$PLMO,Q,BAU,-1,", "$PLMO,Q,BAU,-1,*05\r\n"},
    };
    for (const auto& c : cases) {
        port.writes.clear();
        char text[40];
        std::strcpy(text, c.text);
        EXPECT_TRUE(send.SendText(text)) << c.text;
        EXPECT_EQ(Written(), c.sent);
        EXPECT_STREQ(text, c.sent);  // in place, in the caller's buffer
    }
}

TEST_F(SendPathTest, SendTextReportsAFailureAsFalse) {
    char text[21] = "$PTST,,,,,00017";
    port.Close();
    EXPECT_FALSE(send.SendText(text));
    EXPECT_TRUE(port.Open().Ok());
    port.failWrites = true;
    char again[21] = "$PTST,,,,,00017";
    EXPECT_FALSE(send.SendText(again));
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(SendPathTest, SendTextWithoutRoomForTheTailSendsNothing) {
    char text[21] = "$PTST,,,,,00017";  // 15 characters + "*hh\r\n" + NUL = 21: fits
    EXPECT_TRUE(send.SendText(text));
    char tight[20] = "$PTST,,,,,00017";  // one byte short
    EXPECT_FALSE(send.SendText(tight));
    EXPECT_STREQ(tight, "$PTST,,,,,00017");
    char unterminated[4] = {'$', 'A', 'B', 'C'};
    EXPECT_FALSE(send.SendText(unterminated));
    EXPECT_EQ(port.writes.size(), 1u);
}

TEST_F(SendPathTest, WritePortNeedsAnOpenPortAndAWrittenByte) {
    EXPECT_TRUE(send.WritePort("abc", 3));
    port.failWrites = true;
    EXPECT_FALSE(send.WritePort("abc", 3));
    port.failWrites = false;
    port.Close();
    EXPECT_FALSE(send.WritePort("abc", 3));
    EXPECT_EQ(Written(), "abc");
}

TEST_F(SendPathTest, SendSentenceComposesFromTheStores) {
    ProprietaryStore& store = codec->Proprietary;
    store.TstValue = 99999;  // the connection probe's values
    store.TstNumber = 99;
    store.TstLowerLetter = '@';
    store.TstUpperLetter = '@';
    store.TstCode = 16;
    EXPECT_TRUE(send.SendSentence("P", "TST"));
    EXPECT_EQ(Written(), "$PTST,,,,,00016*18\r\n");
    EXPECT_STREQ(send.LastComposed(), "$PTST,,,,,00016*18\r\n");

    port.writes.clear();
    store.Mmsi = 123456789;
    store.Imo = 9074729;
    EXPECT_TRUE(send.SendSentence("P", "MID"));
    EXPECT_EQ(Written(), test::Sentence("$PMID,123456789,009074729"));
}

TEST_F(SendPathTest, AFormatterWithoutComposerSendsNothingAndAsksNobody) {
    int asked = 0;
    send.OnWriteFailed = [&] {
        ++asked;
        return true;
    };
    EXPECT_FALSE(send.SendSentence("P", "XYZ"));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(asked, 0);
}

TEST_F(SendPathTest, AFailedWriteReturnsWhatTheConnectionDecides) {
    port.failWrites = true;
    EXPECT_FALSE(send.SendSentence("P", "TST"));  // nobody to ask
    for (const bool decision : {true, false}) {
        send.OnWriteFailed = [decision] { return decision; };
        EXPECT_EQ(send.SendSentence("P", "TST"), decision);
    }
}

}  // namespace
}  // namespace navoro
