#pragma once

// CPA: the closest-point-of-approach alarm: its distance, its time and
// whether it sounds.
//
//   read:  "$AIAIQ,CPA" -> $PLMO,R,CPA,45,<tenths of a mile>,46,<minutes>,47,<1 on, 0 off>
//   write: $PDBG,045,<tenths>,046,<minutes>,047,<1|0>,,

#include <optional>

#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct CpaSettings {
    std::optional<int> CpaTenths;  // tenths of a nautical mile
    std::optional<int> TcpaMinutes;
    bool AlarmOn = true;

    bool operator==(const CpaSettings&) const = default;
};

struct CpaTab {
    static constexpr TabInfo kInfo{"cpa", "TabSheetCPA", kQueryCpa, 10, false, false};
    using Record = CpaSettings;

    enum Field : FieldSet { kCpa = 1, kTcpa = 2, kAlarm = 4 };
    static constexpr FieldSet kAll = kCpa | kTcpa | kAlarm;
    // Any pair of the reply makes the read complete.
    static constexpr FieldSet kRequired = 0;
    static constexpr FieldSet kFromDump = 0;

    static constexpr int kCpaTenthsMax = 999;  // 99.9 NM: what "09.9" holds
    static constexpr WholeRange kTcpaRange{0, 99};

    static FieldSet TakeSentence(const SentenceRecord& sentence, Record& r);
    static FieldSet TakeDeviceInfo(const DeviceDataLine&, Record&) { return 0; }
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

}  // namespace navoro
