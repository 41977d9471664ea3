#pragma once

// AIS MOB: the man-overboard devices the ship carries, up to 50, each an MMSI
// of the form 972xxxxxx and a name.
//
//   read:  "$AIAIQ,MBL" -> $PLMO,R,MBL,<MMSI>,<name> per device ($PLMO,R,MBL,999,
//          for an empty list); the replies fill the rows from the first
//   write: $PLMO,C,MBL,<MMSI as nine digits>,<name> for each filled row, each
//          row after 100 ms (empty rows send nothing; the list is not compacted)

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "config/ConfigTables.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct MobRow {
    std::optional<std::uint32_t> Mmsi;  // empty: an empty row
    std::string Name;                   // upper case, up to 20 characters

    bool operator==(const MobRow&) const = default;
};

struct MobSettings {
    std::array<MobRow, kMobRows> Rows;

    bool operator==(const MobSettings&) const = default;
};

struct MobTab {
    static constexpr TabInfo kInfo{"mob", "TabSheetMOB", kQueryMbl, 50, true, false};
    using Record = MobSettings;

    // One bit per row, and one more for every reply (an empty list too).
    static constexpr FieldSet kAnswered = FieldSet{1} << kMobRows;
    static constexpr FieldSet kAll = (FieldSet{1} << (kMobRows + 1)) - 1;
    static constexpr FieldSet kRequired = kAnswered;
    static constexpr FieldSet kFromDump = 0;

    static constexpr std::uint32_t kMmsiPrefix = 972;  // 972xxxxxx
    static constexpr int kMmsiDigits = 9;
    static constexpr std::uint32_t kEmptyListMmsi = 999;
    static constexpr std::size_t kNameMax = 20;

    static FieldSet TakeSentence(const SentenceRecord& sentence, Record& r);
    static FieldSet TakeDeviceInfo(const DeviceDataLine&, Record&) { return 0; }
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

// The messages of the MOB list's rules.
inline constexpr const char* kMobMmsiMessage = "Please key in correctly AIS MOB MMSI (972xxxxxx)";
inline constexpr const char* kMobDuplicateMessage =
    "MMSI number is the same, please change the MMSI";

}  // namespace navoro
