#pragma once

// What every configuration tab unit is made of: the problem a broken rule
// gives, the plan of sentences and pauses a write sends, and the rules that
// several tabs share (number ranges, texts the transponder keeps). The units
// (ShipDataTab.h ... BaudRateTab.h) use these; the window and navoro-config
// show the problems and run the plans.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/MessageTable.h"

namespace navoro {

struct SentenceRecord;

// A value that breaks a rule: where it is (its key in a configuration file,
// with the row of a list, and the control of the tab that shows it) and what
// is wrong, as a message-table text followed by a detail, or an English text.
struct RuleProblem {
    std::string Key;      // "voyage.eta.minute", "mob[2].mmsi" (rows from 0, as in the file)
    std::string Control;  // the objectName of the control to select
    int Row = -1;         // and, in a grid, the cell
    int Column = -1;
    MessageId Text = MessageId::Count;  // Count: Message alone
    std::vector<std::string> Values;    // put in place of %1, %2, ... of Text
    std::string Detail;                 // follows Text
    std::string Message;                // the English text when Text is Count

    // The whole message in English (the built-in texts).
    std::string English() const;
    // The whole message in the texts of `messages`.
    std::string In(const MessageTable& messages) const;
};
using RuleProblems = std::vector<RuleProblem>;

// A problem of the value `key` shown by `control`: a message-table text with
// its values, then `detail`.
RuleProblem Broken(std::string key, const char* control, MessageId text,
                   std::vector<std::string> values = {}, std::string detail = {});
// A problem with an English text of its own.
RuleProblem BrokenEnglish(std::string key, const char* control, std::string message);

// ---- what a write sends -----------------------------------------------------------

struct WriteStep {
    enum class Kind { Send, Wait, Advance };
    Kind What = Kind::Send;
    std::string Line;  // Send: the sentence with its checksum and line end
    int Milliseconds = 0;
};

struct WritePlan {
    std::vector<WriteStep> Steps;
    // Above 0: the waiting window shows "Setting Data. Please wait..." in
    // stepped mode with this maximum while the plan runs.
    int ProgressMax = 0;

    // Appends a sentence; false (nothing appended) when it cannot be sent:
    // too long, or a character that would break it.
    bool Send(std::string_view textWithoutChecksum);
    void AddComposed(std::string line);
    // Composes `record` as `formatter` from `talker` and appends it; false
    // (nothing appended) when it does not compose.
    bool AddRecord(SentenceRecord& record, const char* formatter, const char* talker);
    void Wait(int milliseconds);
    void Advance();
    int Sentences() const;
};

// A plan, or why nothing can be sent.
using WriteCheck = std::variant<WritePlan, RuleProblem>;

// The longest line the transponder reads, CR LF included.
inline constexpr std::size_t kLineMax = 82;

// "text*hh\r\n"; nothing when the text is too long for a line or holds a
// character that would break it.
std::optional<std::string> SentenceLine(std::string_view textWithoutChecksum);

// ---- shared rules ---------------------------------------------------------------

// A whole number within a range.
struct WholeRange {
    int Min, Max;
    constexpr bool Holds(long long value) const { return value >= Min && value <= Max; }
};

// Appends a problem when `value` is given and outside `range`.
void CheckRange(RuleProblems& problems, const std::optional<int>& value, WholeRange range,
                std::string key, const char* control);

// Tenths as metres or miles with one decimal ("%.1f"): 25 -> "2.5".
std::string TenthsText(int tenths);

// Appends a problem when `tenths` is given and outside 0 to `maxTenths`
// (shown as metres or miles with one decimal).
void CheckTenths(RuleProblems& problems, const std::optional<int>& tenths, int maxTenths,
                 std::string key, const char* control);

// Appends `rule` (a message-table text that lists the characters allowed)
// when `text` is longer than `max` or holds a character the transponder does
// not keep (IsDeviceText).
void CheckDeviceText(RuleProblems& problems, const std::string& text, std::size_t max,
                     MessageId rule, std::string key, const char* control, int row = -1,
                     int column = -1);

}  // namespace navoro
