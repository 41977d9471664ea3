#include "config/tabs/TransceiverTab.h"

#include "codec/ParameterCodes.h"
#include "config/WriteRules.h"
#include "config/tabs/DbgPairs.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

FieldSet TransceiverTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "TSV") || sentence.Header.Mode != kReplyMode) return 0;
    FieldSet set = 0;
    ForEachPair(sentence.Dbg, [&](int id, std::int32_t value) {
        switch (id) {
            case kParamAisTx:
                r.AisTxOn = value == 0;
                set |= kAisTx;
                break;
            case kParamDscRx:
                r.DscRxOn = value == 1;
                set |= kDscRx;
                break;
            case kParamGpsAntennaVoltage:
                r.GpsAntenna5V = value != 0;
                set |= kGpsVoltage;
                break;
            default:
                break;
        }
    });
    return set;
}

FieldSet TransceiverTab::TakeDeviceInfo(const DeviceDataLine& line, Record& r) {
    if (!line.HasDeviceInstance) return 0;
    r.DeviceInstance = kDeviceInstanceRange.Holds(line.DeviceInstance)
                           ? std::optional<int>(static_cast<int>(line.DeviceInstance))
                           : std::nullopt;
    return kDeviceInstance;
}

RuleProblems TransceiverTab::Check(const Record& r) {
    RuleProblems problems;
    CheckRange(problems, r.DeviceInstance, kDeviceInstanceRange, "transceiver.deviceInstance",
               "Edit_N2K_DeviceInstance");
    return problems;
}

WriteCheck TransceiverTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    if (!plan.Send(
            DbgCommand({{{kParamAisTx, r.AisTxOn ? 0 : 1},
                         {kParamDscRx, r.DscRxOn ? 1 : 0},
                         {kParamGpsAntennaVoltage, r.GpsAntenna5V ? 1 : 0},
                         {kParamDeviceInstance, r.DeviceInstance.value_or(kDbgValueEmpty)}}})))
        return Broken("transceiver", "", MessageId::WriteUnsendable);
    return plan;
}

void TransceiverTab::Write(const Record& r, Json& file) {
    Json& t = file[kInfo.Key];
    t["aisTx"] = r.AisTxOn;
    t["dscRx"] = r.DscRxOn;
    t["gpsVoltage"] = r.GpsAntenna5V ? "5V" : "3.3V";
    t["deviceInstance"] = r.DeviceInstance ? std::to_string(*r.DeviceInstance) : std::string();
}

TransceiverTab::Record TransceiverTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    r.AisTxOn = in.Bool("aisTx").value_or(true);
    r.DscRxOn = in.Bool("dscRx").value_or(true);
    r.GpsAntenna5V = in.Choice("gpsVoltage", {"3.3V", "5V"}).value_or(0) == 1;
    // The device instance is a text of digits; an empty one is not available.
    if (const std::optional<std::string> text = in.Text("deviceInstance", false)) {
        const std::optional<std::int64_t> value = DigitsValue(*text);
        if (value && *value <= kJsonWholeMax)
            r.DeviceInstance = static_cast<int>(*value);
        else if (text->find_first_not_of(' ') != std::string::npos)
            in.Problem("deviceInstance", "must be a number from 0 to 252");
    }
    in.Finish();
    return r;
}

}  // namespace navoro
