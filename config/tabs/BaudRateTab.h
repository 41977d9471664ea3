#pragma once

// BAUD RATE: the rate of each of the transponder's ports: PILOT, DISP,
// LONG RANGE, DGPS, SENSOR 1-3 (ports 3-9) and USB (port -1, the
// configuration port itself).
//
//   read:  $PLMO,Q,BAU,<port>, for ports -1 to 9 -> $PLMO,R,BAU,<port>,<rate>
//   write: $PLMO,C,BAU,<port>,<rate> for each port with a rate, 100 ms apart,
//          then $PDBG,701,1000,,,,,, (take the new rates) and pauses of 300, 300,
//          300 and 600 ms. The USB port's new rate ends the connection.

#include <array>
#include <optional>

#include "config/ConfigTables.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct BaudRateSettings {
    // Each port's rate in bit/s, in the order of kBaudBoxes; a rate the port's
    // list lacks is not available (the port keeps its rate).
    std::array<std::optional<int>, kBaudBoxes.size()> Rates;

    bool operator==(const BaudRateSettings&) const = default;
};

struct BaudRateTab {
    static constexpr TabInfo kInfo{"baud", "TabSheetBaudRate", kQueryPortRates, 10, false, true};
    using Record = BaudRateSettings;

    // One bit per port, in the order of kBaudBoxes.
    static constexpr FieldSet kAll = (1u << kBaudBoxes.size()) - 1;
    static constexpr FieldSet kRequired = kAll;
    static constexpr FieldSet kFromDump = 0;

    // True when the port with box `box` runs at `rate`.
    static bool IsPortRate(std::size_t box, int rate);
    // The USB port's rate, when the record has one.
    static std::optional<int> UsbRate(const Record& r);

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
