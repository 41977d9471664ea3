#pragma once

// TRANSCEIVER: the AIS transmitter, the DSC receiver, the GPS antenna's
// supply voltage and the NMEA 2000 device instance.
//
//   read:  "$AIAIQ,TSV" -> $PLMO,R,TSV,30,<0 on>,101,<1 on>,102,<0 3.3 V, 1 5 V>,...
//          and the information dump's "[DeviceInstance]="
//   write: $PLMO,C,DBG,30,<0|1>,101,<1|0>,102,<0|1>,122,<instance>

#include <optional>

#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct TransceiverSettings {
    bool AisTxOn = true;
    bool DscRxOn = true;
    bool GpsAntenna5V = false;  // 3.3 V otherwise
    std::optional<int> DeviceInstance;

    bool operator==(const TransceiverSettings&) const = default;
};

struct TransceiverTab {
    static constexpr TabInfo kInfo{"transceiver", "TabSheetTransceiver", kQueryTsv, 10, false,
                                   false};
    using Record = TransceiverSettings;

    enum Field : FieldSet { kAisTx = 1, kDscRx = 2, kGpsVoltage = 4, kDeviceInstance = 8 };
    static constexpr FieldSet kAll = 15;
    static constexpr FieldSet kRequired = 0;
    static constexpr FieldSet kFromDump = kDeviceInstance;

    static constexpr WholeRange kDeviceInstanceRange{0, 252};

    static FieldSet TakeSentence(const SentenceRecord& sentence, Record& r);
    static FieldSet TakeDeviceInfo(const DeviceDataLine& line, Record& r);
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

}  // namespace navoro
