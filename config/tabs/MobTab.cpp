#include "config/tabs/MobTab.h"

#include <cstdio>

#include "config/WriteRules.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

namespace {

constexpr const char* kGrid = "StringGrid_MOBList";

std::string RowKey(std::size_t row, const char* value) {
    return "mob[" + std::to_string(row) + "]." + value;
}

std::string NineDigits(std::uint32_t mmsi) {
    char text[16];
    std::snprintf(text, sizeof text, "%09u", static_cast<unsigned>(mmsi));
    return text;
}

RuleProblem AtCell(RuleProblem problem, std::size_t row, int column) {
    problem.Row = static_cast<int>(row) + 1;
    problem.Column = column;
    return problem;
}

}  // namespace

FieldSet MobTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "MBL") || sentence.Header.Mode != kReplyMode) return 0;
    if (sentence.Des.Value == kEmptyListMmsi) return kAnswered;
    // The next row after the last one filled: the list was emptied before it
    // was read, so the replies fill it from the first row in their order.
    std::size_t row = r.Rows.size();
    while (row > 0 && !r.Rows[row - 1].Mmsi)
        --row;
    if (row >= r.Rows.size()) return kAnswered;  // beyond the last row: not shown
    r.Rows[row].Mmsi = sentence.Des.Value;
    r.Rows[row].Name = RecordText(sentence.Des.Text);
    return kAnswered | FieldSet{1} << row;
}

RuleProblems MobTab::Check(const Record& r) {
    RuleProblems problems;
    for (std::size_t row = 0; row < r.Rows.size(); ++row) {
        const MobRow& entry = r.Rows[row];
        if (!entry.Mmsi) continue;
        if (*entry.Mmsi / 1000000 != kMmsiPrefix) {
            problems.push_back(
                AtCell(BrokenEnglish(RowKey(row, "mmsi"), kGrid, kMobMmsiMessage), row, 1));
            continue;
        }
        for (std::size_t earlier = 0; earlier < row; ++earlier) {
            if (r.Rows[earlier].Mmsi == entry.Mmsi) {
                problems.push_back(AtCell(
                    BrokenEnglish(RowKey(row, "mmsi"), kGrid, kMobDuplicateMessage), row, 1));
                break;
            }
        }
        // The transponder lists an entry with its name; one without a name
        // could not be read back.
        if (entry.Name.empty()) {
            problems.push_back(
                AtCell(Broken(RowKey(row, "name"), kGrid, MessageId::KeyInMobName), row, 2));
            continue;
        }
        RuleProblems name;
        CheckDeviceText(name, entry.Name, kNameMax, MessageId::MobNameRule, RowKey(row, "name"),
                        kGrid, static_cast<int>(row) + 1, 2);
        problems.insert(problems.end(), name.begin(), name.end());
    }
    return problems;
}

WriteCheck MobTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    plan.ProgressMax = kMobRows;
    for (const MobRow& row : r.Rows) {
        plan.Wait(100);
        if (row.Mmsi && !plan.Send(MblCommand(*row.Mmsi, row.Name)))
            return Broken("mob", "", MessageId::WriteUnsendable);
        plan.Advance();
    }
    return plan;
}

void MobTab::Write(const Record& r, Json& file) {
    // The rows up to the last one filled, empty ones between them kept, so
    // each entry keeps its row.
    std::size_t used = r.Rows.size();
    while (used > 0 && !r.Rows[used - 1].Mmsi && r.Rows[used - 1].Name.empty())
        --used;
    Json rows = Json::array();
    for (std::size_t i = 0; i < used; ++i) {
        const MobRow& row = r.Rows[i];
        rows.push_back(
            {{"mmsi", row.Mmsi ? NineDigits(*row.Mmsi) : std::string()}, {"name", row.Name}});
    }
    file[kInfo.Key] = rows;
}

MobTab::Record MobTab::Read(JsonIn& file) {
    Record r;
    const Json* rows = file.List(kInfo.Key, kMobRows, "rows");
    if (!rows) return r;
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const std::string name = KeyPath(file.Path(), kInfo.Key) + "[" + std::to_string(i) + "]";
        if (!(*rows)[i].is_object()) {
            file.ProblemAt(name, "must be an object");
            continue;
        }
        JsonIn row(&(*rows)[i], name, file.Problems());
        if (const std::optional<std::string> mmsi = row.Text("mmsi")) {
            const std::optional<std::int64_t> value = DigitsValue(*mmsi);
            if (value && mmsi->size() <= static_cast<std::size_t>(kMmsiDigits))
                r.Rows[i].Mmsi = static_cast<std::uint32_t>(*value);
            else if (!mmsi->empty())
                row.Problem("mmsi", kMobMmsiMessage);
        }
        r.Rows[i].Name = row.Text("name").value_or("");
        row.Finish();
    }
    return r;
}

}  // namespace navoro
