// The data log's batches and the custom command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnosis/CustomCommand.h"
#include "diagnosis/DataLogBatch.h"
#include "ui/ScriptedPrompts.h"

namespace navoro {
namespace {

TEST(DataLogBatch, KeepsEveryLineInOrderUpToItsCap) {
    DataLogBatch batch(3);
    EXPECT_TRUE(batch.Empty());
    batch.Add("a");
    batch.Add("");
    batch.Add(std::string(200, 'x'));
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"a", "", std::string(200, 'x')}));
    EXPECT_TRUE(batch.Empty());
    for (const char* line : {"1", "2", "3", "4", "5"})
        batch.Add(line);
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"3", "4", "5"}));
}

TEST(CustomCommand, SentAsTypedWithCrLf) {
    EXPECT_EQ(CustomCommandBytes("$PTST,,,,,00017"), "$PTST,,,,,00017\r\n");
    EXPECT_EQ(CustomCommandBytes(""), "\r\n");
    EXPECT_EQ(CustomCommandBytes("  x  "), "  x  \r\n");
    EXPECT_EQ(CustomCommandBytes(std::string(90, 'a')), std::string(84, 'a') + "\r\n");
    EXPECT_EQ(StatusRequestBytes(), "$PTST,,,,,00017*19\r\n");
}

class SendCustomCommandTest : public ::testing::Test {
  protected:
    SendCustomCommandTest() { messages.LoadBuiltInTexts(); }
    ScriptedPrompts prompts;
    MessageTable messages;
    DiagnosisLink link;
    std::vector<std::string> written;
    int disconnects = 0;
    bool portOpen = true;
    bool openPortDown = true;

    void Wire() {
        link.WritePort = [this](const char* data, int length) {
            if (!portOpen) return false;
            written.emplace_back(data, static_cast<std::size_t>(length));
            return true;
        };
        link.OpenPortDown = [this] { return openPortDown; };
        link.OpenPortClick = [this] {
            ++disconnects;
            openPortDown = false;
        };
    }
};

TEST_F(SendCustomCommandTest, WrittenOnAnOpenPort) {
    Wire();
    EXPECT_TRUE(SendCustomCommand(link, prompts, messages, "$PTST,,,,,00017"));
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017\r\n"}));
    EXPECT_TRUE(prompts.Calls.empty());
}

TEST_F(SendCustomCommandTest, FailedWriteDisconnectsAndShowsThePortError) {
    Wire();
    portOpen = false;
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "hello"));
    EXPECT_EQ(disconnects, 1);
    ASSERT_EQ(prompts.Calls.size(), 1u);
    EXPECT_EQ(prompts.Calls[0].Icon, PromptIcon::Error);
    EXPECT_EQ(prompts.Calls[0].Title, "Error");
    EXPECT_EQ(prompts.Calls[0].Text, "Serial port open error! Please check!");

    // Not connected: only the message.
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "hello"));
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(prompts.Calls.size(), 2u);
}

TEST_F(SendCustomCommandTest, WithoutAnyPortTheErrorIsShown) {
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "x"));
    EXPECT_EQ(prompts.Count(PromptKind::Message), 1);
}

TEST_F(SendCustomCommandTest, StatusQueryPrefersTheLinksQuerySet) {
    Wire();
    SendStatusQuery(link);
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017*19\r\n"}));
    int querySet = 0;
    link.SendQueries = [&](int set) { querySet = set; };
    SendStatusQuery(link);
    EXPECT_EQ(querySet, 1);
    EXPECT_EQ(written.size(), 1u);
}

}  // namespace
}  // namespace navoro
