#include "config/tabs/LongRangeTab.h"

#include "codec/ProprietaryRecords.h"
#include "config/WriteRules.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

FieldSet LongRangeTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    // CLR replies carry no mode letter that matters.
    if (!IsFormatter(sentence, "CLR")) return 0;
    const ClrRecord& clr = sentence.Clr;
    FieldSet set = kAnswered;
    if (clr.Present & kClrResponseGiven) {
        r.Manual = clr.Response != 0;
        set |= kResponse;
    }
    for (std::size_t i = 0; i < r.FunctionReply.size(); ++i) {
        if (clr.Present & (kClrFunctionReplyGiven << i)) {
            r.FunctionReply[i] = clr.FunctionReply[i] != 0;
            set |= kFunctionReply << i;
        }
    }
    if (clr.Present & kClrMessage27Given) {
        r.Message27 = clr.Message27 != 0;
        set |= kMessage27;
    }
    // A channel number beyond four digits (or negative) is not available.
    if (clr.Present & kClrChannelAGiven) {
        r.ChannelA = Within(clr.ChannelA, kChannel.Max);
        set |= kChannelA;
    }
    if (clr.Present & kClrChannelBGiven) {
        r.ChannelB = Within(clr.ChannelB, kChannel.Max);
        set |= kChannelB;
    }
    return set;
}

RuleProblems LongRangeTab::Check(const Record& r) {
    RuleProblems problems;
    const std::pair<const std::optional<int>*, const char*> channels[] = {{&r.ChannelA, "A"},
                                                                          {&r.ChannelB, "B"}};
    for (const auto& [channel, which] : channels) {
        if (channel->has_value() && kChannel.Holds(**channel)) continue;
        problems.push_back(Broken(std::string("longRange.channel") + which,
                                  *which == 'A' ? "LabeledEdit_LR_ChA" : "LabeledEdit_LR_ChB",
                                  MessageId::KeyInChannel));
    }
    return problems;
}

WriteCheck LongRangeTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    ClrCommandValues values;
    values.Manual = r.Manual;
    values.FunctionReply = r.FunctionReply;
    values.Message27 = r.Message27;
    values.ChannelA = std::to_string(*r.ChannelA);
    values.ChannelB = std::to_string(*r.ChannelB);
    WritePlan plan;
    if (!plan.Send(ClrCommand(values))) return Broken("longRange", "", MessageId::WriteUnsendable);
    return plan;
}

void LongRangeTab::Write(const Record& r, Json& file) {
    Json& lr = file[kInfo.Key];
    lr["response"] = r.Manual ? "manual" : "automatic";
    for (std::size_t i = 0; i < kFunctionReplyKeys.size(); ++i)
        lr["replies"][kFunctionReplyKeys[i]] = r.FunctionReply[i];
    lr["message27"] = r.Message27;
    lr["channelA"] = r.ChannelA ? std::to_string(*r.ChannelA) : std::string();
    lr["channelB"] = r.ChannelB ? std::to_string(*r.ChannelB) : std::string();
}

LongRangeTab::Record LongRangeTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    r.Manual = in.Choice("response", {"automatic", "manual"}).value_or(0) == 1;
    JsonIn replies = in.Object("replies");
    for (std::size_t i = 0; i < kFunctionReplyKeys.size(); ++i)
        r.FunctionReply[i] = replies.Bool(kFunctionReplyKeys[i]).value_or(false);
    replies.Finish();
    r.Message27 = in.Bool("message27").value_or(false);
    // The channels are texts of up to four digits.
    for (auto [key, channel] : {std::pair{"channelA", &r.ChannelA}, {"channelB", &r.ChannelB}}) {
        const std::optional<std::string> text = in.Text(key);
        if (!text) continue;
        const std::optional<std::int64_t> value = DigitsValue(*text);
        if (value && text->size() <= 4)
            *channel = static_cast<int>(*value);
        else if (!text->empty())
            in.Problem(key, "must be a channel number of up to four digits");
    }
    in.Finish();
    return r;
}

}  // namespace navoro
