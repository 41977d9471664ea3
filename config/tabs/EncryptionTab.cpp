#include "config/tabs/EncryptionTab.h"

#include <algorithm>

#include "config/WriteRules.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

FieldSet EncryptionTab::TakeDeviceInfo(const DeviceDataLine& line, Record& r) {
    FieldSet set = 0;
    if (line.HasEncryptionMode) {
        r.Enabled = line.EncryptionOn;
        set |= kEnabled;
    }
    if (line.HasEncryptionKey) {
        r.Code = line.EncryptionKey;
        set |= kCode;
    }
    return set;
}

RuleProblems EncryptionTab::Check(const Record& r) {
    RuleProblems problems;
    // A switched-off encryption sends no key: its key is not looked at.
    if (r.Enabled &&
        (r.Code.size() > kCodeMax || !std::all_of(r.Code.begin(), r.Code.end(), [](char c) {
             return IsEncryptionKeyCharacter(static_cast<unsigned char>(c));
         })))
        problems.push_back(
            Broken("encryption.code", "LabeledEditEncryptionKey", MessageId::EncryptionCodeRule));
    return problems;
}

WriteCheck EncryptionTab::Plan(const Record& r, const WriteContext& context) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    bool sent = plan.Send(EncryptionCommand(r.Enabled));
    if (r.Enabled && !r.Code.empty())
        sent = sent && plan.Send(CekCommand(static_cast<std::int32_t>(context.Mmsi), r.Code));
    if (!sent) return Broken("encryption", "", MessageId::WriteUnsendable);
    return plan;
}

void EncryptionTab::Write(const Record& r, Json& file) {
    file[kInfo.Key] = {{"enabled", r.Enabled}, {"code", r.Code}};
}

EncryptionTab::Record EncryptionTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    r.Enabled = in.Bool("enabled").value_or(false);
    r.Code = in.Text("code").value_or("");
    in.Finish();
    return r;
}

}  // namespace navoro
