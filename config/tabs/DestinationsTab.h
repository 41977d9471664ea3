#pragma once

// DESTINATION: the list of ten destinations the transponder offers for the
// voyage.
//
//   read:  "$AIAIQ,DES" -> $PLMO,R,DES,<row 1-10>,<text> for each row that holds one
//   write: $PLMO,C,DES,<row>,<text> for all ten rows (an empty text clears the row),
//          each after 100 ms

#include <array>
#include <string>

#include "config/ConfigTables.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct DestinationSettings {
    std::array<std::string, kDestinationRows> Rows;  // upper case, up to 20 characters

    bool operator==(const DestinationSettings&) const = default;
};

struct DestinationsTab {
    static constexpr TabInfo kInfo{"destinations", "TabSheetDestination", kQueryDes, 10, true,
                                   false};
    using Record = DestinationSettings;

    // One bit per row.
    static constexpr FieldSet kAll = (FieldSet{1} << kDestinationRows) - 1;
    static constexpr FieldSet kRequired = 0;
    static constexpr FieldSet kFromDump = 0;

    static constexpr std::size_t kTextMax = 20;

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
