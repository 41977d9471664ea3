#include "config/tabs/BaudRateTab.h"

#include <algorithm>

#include "codec/ParameterCodes.h"
#include "codec/SentenceRecord.h"
#include "config/WriteRules.h"
#include "config/tabs/DbgPairs.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

namespace {

std::string RatesText(std::size_t box) {
    std::string text;
    const auto add = [&](const auto& rates) {
        for (const int rate : rates)
            text += (text.empty() ? "" : ", ") + std::to_string(rate);
    };
    if (kBaudBoxes[box].Port == kUsbPort)
        add(kUsbPortRates);
    else
        add(kSerialPortRates);
    return text;
}

}  // namespace

bool BaudRateTab::IsPortRate(std::size_t box, int rate) {
    if (box >= kBaudBoxes.size()) return false;
    return BaudReplySelection(kBaudBoxes[box].Port, rate).Item >= 0;
}

std::optional<int> BaudRateTab::UsbRate(const Record& r) {
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        if (kBaudBoxes[box].Port == kUsbPort) return r.Rates[box];
    }
    return std::nullopt;
}

FieldSet BaudRateTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "BAU") || sentence.Header.Mode != kReplyMode) return 0;
    const long rate = static_cast<long>(sentence.Bau.Baud);
    const BaudSelection at = BaudReplySelection(sentence.Bau.Port, rate);
    if (at.Box < 0) return 0;
    const std::size_t box = static_cast<std::size_t>(at.Box);
    r.Rates[box] = at.Item >= 0 ? std::optional<int>(static_cast<int>(rate)) : std::nullopt;
    return FieldSet{1} << box;
}

RuleProblems BaudRateTab::Check(const Record& r) {
    RuleProblems problems;
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        if (!r.Rates[box] || IsPortRate(box, *r.Rates[box])) continue;
        problems.push_back(Broken("baud.ports[\"" + std::to_string(kBaudBoxes[box].Port) + "\"]",
                                  kBaudBoxes[box].Name, MessageId::PortRate,
                                  {std::to_string(*r.Rates[box]), RatesText(box)}));
    }
    return problems;
}

WriteCheck BaudRateTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    plan.ProgressMax = 12;
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        // A port without a rate sends nothing: it keeps its rate.
        if (r.Rates[box]) plan.Send(BauCommand(kBaudBoxes[box].Port, *r.Rates[box]));
        plan.Wait(100);
        plan.Advance();
    }
    // The transponder takes the new rates into use.
    SentenceRecord apply = DbgSentence(0, {{kParamCommand, kCommandRateChanged}});
    if (!plan.AddRecord(apply, "DBG", "P")) return Broken("baud", "", MessageId::WriteUnsendable);
    for (const int wait : {300, 300, 300, 600}) {
        plan.Wait(wait);
        plan.Advance();
    }
    return plan;
}

void BaudRateTab::Write(const Record& r, Json& file) {
    Json& baud = file[kInfo.Key];
    Json ports = Json::object();
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        // A port without a rate is left out, as the write leaves it alone.
        if (r.Rates[box]) ports[std::to_string(kBaudBoxes[box].Port)] = *r.Rates[box];
    }
    baud["ports"] = ports;
}

BaudRateTab::Record BaudRateTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    JsonIn ports = in.Object("ports");
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        const std::string port = std::to_string(kBaudBoxes[box].Port);
        if (const std::optional<long long> rate = ports.Whole(port.c_str(), false))
            r.Rates[box] = static_cast<int>(*rate);
    }
    ports.Finish();
    in.Finish();
    return r;
}

}  // namespace navoro
