#include "config/tabs/CpaTab.h"

#include <climits>

#include "codec/ParameterCodes.h"
#include "codec/SentenceRecord.h"
#include "config/tabs/DbgPairs.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

FieldSet CpaTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "CPA") || sentence.Header.Mode != kReplyMode) return 0;
    FieldSet set = 0;
    ForEachPair(sentence.Dbg, [&](int id, std::int32_t value) {
        switch (id) {
            case kParamCpaDistance:
                r.CpaTenths = Within(value, kCpaTenthsMax);
                set |= kCpa;
                break;
            case kParamTcpa:
                r.TcpaMinutes = Within(value, kTcpaRange.Max);
                set |= kTcpa;
                break;
            case kParamCpaAlarm:
                r.AlarmOn = value != 0;
                set |= kAlarm;
                break;
            default:
                break;
        }
    });
    return set;
}

RuleProblems CpaTab::Check(const Record& r) {
    RuleProblems problems;
    CheckTenths(problems, r.CpaTenths, kCpaTenthsMax, "cpa.cpa", "MaskEditCPA");
    CheckRange(problems, r.TcpaMinutes, kTcpaRange, "cpa.tcpa", "CSpinEditTCPA");
    return problems;
}

WriteCheck CpaTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    // A CPA or TCPA that is not available goes out empty.
    SentenceRecord record =
        DbgSentence(0, {{kParamCpaDistance, r.CpaTenths.value_or(kDbgValueEmpty)},
                        {kParamTcpa, r.TcpaMinutes.value_or(kDbgValueEmpty)},
                        {kParamCpaAlarm, r.AlarmOn ? 1 : 0}});
    WritePlan plan;
    if (!plan.AddRecord(record, "DBG", "P")) return Broken("cpa", "", MessageId::WriteUnsendable);
    return plan;
}

void CpaTab::Write(const Record& r, Json& file) {
    Json& cpa = file[kInfo.Key];
    cpa = Json::object();
    // A blank CPA is left out, as the write leaves it empty.
    if (r.CpaTenths) cpa["cpa"] = *r.CpaTenths / 10.0;
    if (r.TcpaMinutes) cpa["tcpa"] = *r.TcpaMinutes;
    cpa["alarm"] = r.AlarmOn ? "on" : "off";
}

CpaTab::Record CpaTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    r.CpaTenths = in.Tenths("cpa", false);
    if (const std::optional<long long> tcpa = in.Whole("tcpa", false); tcpa && *tcpa != -1)
        r.TcpaMinutes = static_cast<int>(*tcpa);
    r.AlarmOn = in.Choice("alarm", {"on", "off"}).value_or(0) == 0;
    in.Finish();
    return r;
}

}  // namespace navoro
