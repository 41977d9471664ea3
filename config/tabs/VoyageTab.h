#pragma once

// VOYAGE: ship type, draught, persons on board, destination, ETA and
// navigational status.
//
//   read:  "$AIAIQ,VSD"
//   write: $ECVSD,<type>,<draught>,<POB>,<destination>,<hhmmss.ss>,<day>,<month>,<status>,
//          a value that is not available as an empty field (the device keeps its own)

#include <optional>
#include <string>

#include "codec/StaticDataLimits.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct VoyageSettings {
    std::optional<int> ShipType;       // a code of the ship-type list (ConfigTables.h)
    std::optional<int> DraughtTenths;  // tenths of a metre
    std::optional<int> PersonsOnBoard;
    std::string Destination;
    std::optional<int> EtaMonth, EtaDay, EtaHour, EtaMinute;
    std::optional<int> NavStatus;

    bool operator==(const VoyageSettings&) const = default;
};

struct VoyageTab {
    static constexpr TabInfo kInfo{"voyage", "TabSheetVoyage", kQueryVsd, 10, false, false};
    using Record = VoyageSettings;

    enum Field : FieldSet { kVoyage = 1 };
    static constexpr FieldSet kAll = kVoyage;
    static constexpr FieldSet kRequired = kVoyage;
    static constexpr FieldSet kFromDump = 0;

    // The limits. The ETA's not-available codes of AIS (month 0, day 0,
    // hour 24, minute 60) are read as not available.
    static constexpr WholeRange kDraughtTenths{0, kDraughtTenthsMax};
    static constexpr WholeRange kPersons{0, kPersonsOnBoardMax};
    static constexpr std::size_t kDestinationMax = 20;
    static constexpr WholeRange kMonth{1, 12};
    static constexpr WholeRange kDay{1, 31};
    static constexpr WholeRange kHour{0, 23};
    static constexpr WholeRange kMinute{0, 59};
    static constexpr WholeRange kNavStatus{0, kNavStatusMax};
    static constexpr int kMonthNotAvailable = 0, kDayNotAvailable = 0;
    static constexpr int kHourNotAvailable = 24, kMinuteNotAvailable = 60;

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
