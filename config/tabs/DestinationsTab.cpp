#include "config/tabs/DestinationsTab.h"

#include "config/WriteRules.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

FieldSet DestinationsTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "DES") || sentence.Header.Mode != kReplyMode) return 0;
    const std::uint32_t row = sentence.Des.Value;
    if (row < 1 || row > static_cast<std::uint32_t>(kDestinationRows)) return 0;
    r.Rows[row - 1] = RecordText(sentence.Des.Text);
    return FieldSet{1} << (row - 1);
}

RuleProblems DestinationsTab::Check(const Record& r) {
    RuleProblems problems;
    for (std::size_t i = 0; i < r.Rows.size(); ++i)
        CheckDeviceText(problems, r.Rows[i], kTextMax, MessageId::DestinationRule,
                        "destinations[" + std::to_string(i) + "]", "StringGrid_Destination",
                        static_cast<int>(i) + 1, 1);
    return problems;
}

WriteCheck DestinationsTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    plan.ProgressMax = kDestinationRows;
    for (int row = 1; row <= kDestinationRows; ++row) {
        plan.Wait(100);
        if (!plan.Send(DesCommand(row, r.Rows[static_cast<std::size_t>(row - 1)])))
            return Broken("destinations", "", MessageId::WriteUnsendable);
        plan.Advance();
    }
    return plan;
}

void DestinationsTab::Write(const Record& r, Json& file) {
    Json& rows = file[kInfo.Key];
    rows = Json::array();
    for (const std::string& row : r.Rows)
        rows.push_back(row);
}

DestinationsTab::Record DestinationsTab::Read(JsonIn& in) {
    Record r;
    const Json* rows = in.List(kInfo.Key, kDestinationRows, "texts");
    if (!rows) return r;
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const Json& row = (*rows)[i];
        if (row.is_string())
            r.Rows[i] = row.get<std::string>();
        else
            in.ProblemAt(KeyPath(in.Path(), kInfo.Key) + "[" + std::to_string(i) + "]",
                         "must be a text");
    }
    return r;
}

}  // namespace navoro
