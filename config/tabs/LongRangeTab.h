#pragma once

// LR: how the transponder answers long-range interrogations: automatically
// or after the user's consent, which items it gives, message 27 and the two
// long-range channels.
//
//   read:  "$AIAIQ,CLR" -> $PLMO,R,CLR,<0|1>,<ten 0/1>,<0|1>,<channel A>,<channel B>
//   write: $AICLR,<0|1>,<ten 0/1>,<0|1>,<channel A>,<channel B>

#include <array>
#include <optional>

#include "config/ConfigTables.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct LongRangeSettings {
    bool Manual = false;                   // the response: automatic or manual
    std::array<bool, 10> FunctionReply{};  // items A, B, C, E, F, I, O, P, U, W
    bool Message27 = false;
    std::optional<int> ChannelA, ChannelB;

    bool operator==(const LongRangeSettings&) const = default;
};

struct LongRangeTab {
    static constexpr TabInfo kInfo{"longRange", "TabSheetLR", kQueryClr, 10, false, false};
    using Record = LongRangeSettings;

    enum Field : FieldSet {
        kResponse = 1 << 0,
        kFunctionReply = 1 << 1,  // bits 1-10, one per item
        kMessage27 = 1 << 11,
        kChannelA = 1 << 12,
        kChannelB = 1 << 13,
        kAnswered = 1 << 14,  // set by every reply, even one that gives nothing
    };
    static constexpr FieldSet kAll = (1 << 15) - 1;
    static constexpr FieldSet kRequired = 0;
    static constexpr FieldSet kFromDump = 0;

    static constexpr WholeRange kChannel{0, 9999};  // four digits

    static FieldSet TakeSentence(const SentenceRecord& sentence, Record& r);
    static FieldSet TakeDeviceInfo(const DeviceDataLine&, Record&) { return 0; }
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

// The items' keys in a configuration file.
inline constexpr std::array<const char*, 10> kFunctionReplyKeys = {"A", "B", "C", "E", "F",
                                                                   "I", "O", "P", "U", "W"};

}  // namespace navoro
