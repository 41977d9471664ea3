#include "config/tabs/TabRules.h"

#include <cstdio>
#include <cstdlib>

#include "codec/Composer.h"
#include "config/WriteRules.h"

namespace navoro {

namespace {

std::string Filled(std::string text, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size() && i < 9; ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        const std::size_t at = text.find(mark);
        if (at != std::string::npos) text.replace(at, mark.size(), values[i]);
    }
    return text;
}

}  // namespace

std::string RuleProblem::English() const {
    if (Text == MessageId::Count) return Message;
    return Filled(kMessageEntries[static_cast<std::size_t>(Text)].BuiltIn, Values) + Detail;
}

std::string RuleProblem::In(const MessageTable& messages) const {
    if (Text == MessageId::Count) return Message;
    const std::string& text = messages.Text(Text);
    return Filled(text.empty()
                      ? std::string(kMessageEntries[static_cast<std::size_t>(Text)].BuiltIn)
                      : text,
                  Values) +
           Detail;
}

RuleProblem Broken(std::string key, const char* control, MessageId text,
                   std::vector<std::string> values, std::string detail) {
    RuleProblem problem;
    problem.Key = std::move(key);
    problem.Control = control;
    problem.Text = text;
    problem.Values = std::move(values);
    problem.Detail = std::move(detail);
    return problem;
}

RuleProblem BrokenEnglish(std::string key, const char* control, std::string message) {
    RuleProblem problem;
    problem.Key = std::move(key);
    problem.Control = control;
    problem.Message = std::move(message);
    return problem;
}

// ---- plans ------------------------------------------------------------------------

std::optional<std::string> SentenceLine(std::string_view text) {
    char buffer[kComposeBufferSize];
    if (!FormatSentence(buffer, sizeof buffer, "%.*s", static_cast<int>(text.size()), text.data()))
        return std::nullopt;
    std::string line(buffer);
    if (line.size() > kLineMax) return std::nullopt;
    return line;
}

bool WritePlan::Send(std::string_view text) {
    std::optional<std::string> line = SentenceLine(text);
    if (!line) return false;
    AddComposed(std::move(*line));
    return true;
}

void WritePlan::AddComposed(std::string line) {
    WriteStep step;
    step.Line = std::move(line);
    Steps.push_back(std::move(step));
}

bool WritePlan::AddRecord(SentenceRecord& record, const char* formatter, const char* talker) {
    char buffer[kComposeBufferSize];
    if (!ComposeRecord(record, buffer, sizeof buffer, formatter, talker)) return false;
    AddComposed(buffer);
    return true;
}

void WritePlan::Wait(int milliseconds) {
    WriteStep step;
    step.What = WriteStep::Kind::Wait;
    step.Milliseconds = milliseconds;
    Steps.push_back(std::move(step));
}

void WritePlan::Advance() {
    WriteStep step;
    step.What = WriteStep::Kind::Advance;
    Steps.push_back(std::move(step));
}

int WritePlan::Sentences() const {
    int n = 0;
    for (const WriteStep& step : Steps)
        n += step.What == WriteStep::Kind::Send ? 1 : 0;
    return n;
}

// ---- shared rules -----------------------------------------------------------------

void CheckRange(RuleProblems& problems, const std::optional<int>& value, WholeRange range,
                std::string key, const char* control) {
    if (!value || range.Holds(*value)) return;
    problems.push_back(
        Broken(std::move(key), control, MessageId::ValueRange,
               {std::to_string(*value), std::to_string(range.Min), std::to_string(range.Max)}));
}

std::string TenthsText(int tenths) {
    char text[24];
    std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                  std::abs(tenths) % 10);
    return text;
}

void CheckTenths(RuleProblems& problems, const std::optional<int>& tenths, int maxTenths,
                 std::string key, const char* control) {
    if (!tenths || (*tenths >= 0 && *tenths <= maxTenths)) return;
    problems.push_back(Broken(std::move(key), control, MessageId::ValueRange,
                              {TenthsText(*tenths), "0.0", TenthsText(maxTenths)}));
}

void CheckDeviceText(RuleProblems& problems, const std::string& text, std::size_t max,
                     MessageId rule, std::string key, const char* control, int row, int column) {
    if (text.size() <= max && IsDeviceText(text)) return;
    RuleProblem problem =
        Broken(std::move(key), control, rule, {}, std::string("\n") + kDeviceTextPunctuation);
    problem.Row = row;
    problem.Column = column;
    problems.push_back(std::move(problem));
}

}  // namespace navoro
