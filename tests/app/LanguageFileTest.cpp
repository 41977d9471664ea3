// Applying a language file: key order, absent keys, the folded steps, value
// limits and bad bytes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/LanguageFile.h"

namespace navoro {
namespace {

using test::TempFolder;
using test::WriteFile;

// Records what the loader sets, in order, and what the message table holds
// when a folded step runs.
class RecordingTargets : public LanguageTargets {
  public:
    explicit RecordingTargets(const MessageTable& messages) : messages_(messages) {}

    void SetTargetText(const LanguageKey& key, const std::string& text) override {
        events.push_back(std::string(key.Control) + "=" + text);
    }
    void RunFoldedStep(const LanguageKey& step) override {
        if (step.Target == KeyTarget::FoldOpenPort) {
            events.push_back("fold OpenPort: " + messages_.Text(MessageId::Disconnect));
        } else {
            events.push_back("fold status: " + messages_.Text(MessageId::StatusConnecting));
        }
    }

    std::vector<std::string> events;

  private:
    const MessageTable& messages_;
};

struct Loaded {
    MessageTable messages;
    std::vector<std::string> events;
};

Loaded Apply(std::string_view fileText, CodePage page) {
    Loaded result;
    result.messages.LoadBuiltInTexts();
    RecordingTargets targets(result.messages);
    ApplyLanguageTexts(IniFile::Parse(fileText), page, result.messages, targets);
    result.events = targets.events;
    return result;
}

TEST(LanguageFile, AppliesKeysInOrderWithTheFoldedStepsInTheirPlaces) {
    const Loaded loaded = Apply(
        "[TAB_SYS_CHECK]\nChA=Kanal A\nChB=Kanal B\n"
        "[SYS_BUTTON]\nDisconnect=Trennen\nEXIT=ENDE\n"
        "[CONFIG_SERIAL_PORT]\nConnecting=Verbinde...\n"
        "[MENU]\nFile=Datei(&D)\n",
        CodePage::Windows1250);
    const std::vector<std::string> expected = {
        "mnuFile=Datei(&D)",
        // The OpenPort step sees the Disconnect text of this file.
        "fold OpenPort: Trennen",
        "btnExit=ENDE",
        // ChA and ChB each feed the TX and the RX label.
        "lblChkTxCntChA=Kanal A",
        "lblChkTxCntChB=Kanal B",
        "lblChkRxCntChA=Kanal A",
        "lblChkRxCntChB=Kanal B",
        "fold status: Verbinde...",
    };
    EXPECT_EQ(loaded.events, expected);
}

TEST(LanguageFile, FileWithOnlyQueryExitChangesNothingElse) {
    const Loaded loaded = Apply("[exit_query]\nqueryexit=Really leave?\n", CodePage::Windows1250);
    MessageTable builtIn;
    builtIn.LoadBuiltInTexts();
    for (std::size_t i = 0; i < kMessageCount; ++i) {
        const auto id = static_cast<MessageId>(i);
        if (id == MessageId::QueryExit) continue;
        EXPECT_EQ(loaded.messages.Text(id), builtIn.Text(id)) << kMessageEntries[i].Key;
    }
    EXPECT_EQ(loaded.messages.Text(MessageId::QueryExit), "Really leave?");
    const std::vector<std::string> onlyFolds = {"fold OpenPort: Disconnect",
                                                "fold status: Connecting..."};
    EXPECT_EQ(loaded.events, onlyFolds);
}

TEST(LanguageFile, MissingFileChangesNoTextButRunsTheFoldedSteps) {
    TempFolder dir;
    MessageTable messages;
    messages.LoadBuiltInTexts();
    messages.Store("SYS_BUTTON", "Disconnect", "previous language");
    RecordingTargets targets(messages);
    EXPECT_FALSE(
        LoadLanguageFile(dir / "Lang/Lang-EN.ini", CodePage::Windows1250, messages, targets));
    EXPECT_EQ(messages.Text(MessageId::Disconnect), "previous language");
    ASSERT_EQ(targets.events.size(), 2u);
    EXPECT_EQ(targets.events[0], "fold OpenPort: previous language");
}

TEST(LanguageFile, ValuesAreCutTo2047CharactersAtACharacterBoundary) {
    const std::string ascii(3000, 'q');
    Loaded loaded = Apply("[OTHER_MSG]\nError=" + ascii + "\n", CodePage::Windows1251);
    EXPECT_EQ(loaded.messages.Text(MessageId::Error), std::string(2047, 'q'));

    // 1100 Big5 characters are 2200 bytes; byte 2047 is the first half of a
    // character, so the value ends after 1023 characters (2046 bytes).
    std::string big5;
    for (int i = 0; i < 1100; ++i)
        big5 += "\xA4\xA4";
    loaded = Apply("[OTHER_MSG]\nError=" + big5 + "\n", CodePage::Big5);
    const std::string& cut = loaded.messages.Text(MessageId::Error);
    EXPECT_EQ(cut.size(), 1023u * 3);  // UTF-8 of U+4E2D is three bytes
    EXPECT_EQ(cut.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(LanguageFile, InvalidBytesBecomeReplacementCharacters) {
    const Loaded loaded = Apply("[SYS_BUTTON]\nEXIT=\xC2\xDB\x98\xD5\xC4\n", CodePage::Windows1251);
    ASSERT_EQ(loaded.events.size(), 3u);
    EXPECT_EQ(loaded.events[1], "btnExit=ВЫ\xEF\xBF\xBDХД");
}

}  // namespace
}  // namespace navoro
