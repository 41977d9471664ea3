#include "config/tabs/DeviceReadout.h"

#include <cstring>

#include "codec/Fields.h"

namespace navoro {

namespace {

constexpr char kDeviceDataEnd[] = "[DEVICE DATA END]";

// A unit whose replies come only for the rows that hold something: its read
// is complete once the tab read after it has answered.
template <typename Unit>
constexpr bool kCompleteWhenNextAnswers = std::is_same_v<Unit, DestinationsTab>;

}  // namespace

bool TabChanges::Any() const {
    for (const FieldSet fields : Fields) {
        if (fields != 0) return true;
    }
    return Identity;
}

DeviceReadout::DeviceReadout() = default;

void DeviceReadout::Clear() {
    records_ = {};
    received_ = {};
    dumpEnded_ = false;
    identity_.Firmware.clear();
    identity_.SerialNumber.clear();
}

void DeviceReadout::ClearTab(std::size_t tab) {
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index != tab) return;
        received_[index] = 0;
        if (Unit::kInfo.ClearedBeforeRead) Get<Unit>() = {};
    });
}

TabChanges DeviceReadout::TakeSentence(const SentenceRecord& sentence) {
    TabChanges changes;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        const FieldSet set = Unit::TakeSentence(sentence, Get<Unit>());
        received_[index] |= set;
        changes.Fields[index] = set;
    });
    return changes;
}

TabChanges DeviceReadout::TakeDeviceInfo(std::string_view line) {
    TabChanges changes;
    const DeviceDataLine data = ParseDeviceDataLine(line);
    ForEachTab([&]<typename Unit>(std::size_t index) {
        const FieldSet set = Unit::TakeDeviceInfo(data, Get<Unit>());
        received_[index] |= set;
        changes.Fields[index] = set;
    });
    if (data.HasMmsi) identity_.Flags.MmsiNonZero = data.Mmsi != 0;
    changes.Identity = data.HasFirmware || data.HasSerialKey;
    if (data.HasFirmware) {
        identity_.Firmware = data.Firmware;
        identity_.Flags.FirmwareReceived = true;
    }
    if (data.HasSerialKey) {
        if (data.HasSerialNumber) identity_.SerialNumber = data.SerialNumber;
        identity_.Flags.SerialNumberReceived = true;
    }
    if (line.find(kDeviceDataEnd) != std::string_view::npos && !dumpEnded_) {
        dumpEnded_ = true;
        // What the dump did not say, it will not say: those values have come.
        ForEachTab([&]<typename Unit>(std::size_t index) { received_[index] |= Unit::kFromDump; });
    }
    return changes;
}

bool DeviceReadout::Complete(std::size_t tab) const {
    bool complete = false;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index != tab) return;
        const FieldSet got = received_[index];
        if ((got & Unit::kRequired) != Unit::kRequired) return;
        if (Unit::kFromDump != 0 && !dumpEnded_) return;
        // A tab that replies read must have had one.
        if ((Unit::kAll & ~Unit::kFromDump) != 0 && (got & ~Unit::kFromDump) == 0) {
            if (!kCompleteWhenNextAnswers<Unit>) return;
        }
        if constexpr (kCompleteWhenNextAnswers<Unit>) {
            if (index + 1 >= kTabCount || received_[index + 1] == 0) return;
        }
        complete = true;
    });
    return complete;
}

TabSettings DeviceReadout::Settings(std::vector<std::string>* missing) const {
    TabSettings settings;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (Complete(index)) settings.Get<Unit>() = Get<Unit>();
    });
    // Named in the order the tabs stand in a file.
    for (const std::size_t tab : WriteOrder()) {
        if (!settings.Has(tab) && missing != nullptr) missing->push_back(kTabInfos[tab].Key);
    }
    return settings;
}

ConfigSnapshot DeviceReadout::Snapshot() const {
    ConfigSnapshot s{};
    const auto got = [&]<typename Unit>() { return received_[TabIndex<Unit>()] != 0; };
    const ShipDataSettings& ship = Get<ShipDataTab>();
    if (got.operator()<ShipDataTab>()) {
        s.Mmsi = static_cast<std::int32_t>(ship.Mmsi.value_or(0));
        s.Imo = static_cast<std::int32_t>(ship.Imo.value_or(0));
        CopyText(s.ShipName, ship.Name.c_str());
        CopyText(s.CallSign, ship.CallSign.c_str());
        for (std::size_t i = 0; i < 4; ++i) {
            s.Internal[i] = ship.Internal[i].value_or(0);
            s.External[i] = ship.External[i].value_or(0);
        }
        s.InlandMode = ship.Inland ? 1 : 0;
    }
    if (got.operator()<VoyageTab>()) {
        const VoyageSettings& v = Get<VoyageTab>();
        CopyText(s.Destination, v.Destination.c_str());
        s.ShipType = v.ShipType.value_or(0);
        s.Draught = static_cast<float>(v.DraughtTenths.value_or(0)) / 10.0f;
        s.PersonsOnBoard = v.PersonsOnBoard.value_or(0);
        // Not available as AIS says it: month and day 0, hour 24, minute 60.
        s.EtaMonth = v.EtaMonth.value_or(VoyageTab::kMonthNotAvailable);
        s.EtaDay = v.EtaDay.value_or(VoyageTab::kDayNotAvailable);
        s.EtaHour = v.EtaHour.value_or(VoyageTab::kHourNotAvailable);
        s.EtaMinute = v.EtaMinute.value_or(VoyageTab::kMinuteNotAvailable);
        s.NavStatus = v.NavStatus.value_or(0);
    }
    if (got.operator()<CpaTab>()) {
        const CpaSettings& c = Get<CpaTab>();
        s.Cpa = static_cast<float>(c.CpaTenths.value_or(0)) / 10.0f;
        s.Tcpa = c.TcpaMinutes.value_or(0);
        s.CpaAlarm = c.AlarmOn ? 0 : 1;
    }
    const TransceiverSettings& t = Get<TransceiverTab>();
    if (received_[TabIndex<TransceiverTab>()] & TransceiverTab::kGpsVoltage)
        CopyText(s.GpsVoltage, t.GpsAntenna5V ? "5V" : "3.3V");
    if (received_[TabIndex<TransceiverTab>()] & TransceiverTab::kDeviceInstance)
        s.DeviceInstance = t.DeviceInstance.value_or(-1);
    const BaudRateSettings& b = Get<BaudRateTab>();
    for (std::size_t i = 0; i < b.Rates.size(); ++i)
        s.BaudRates[i] = b.Rates[i].value_or(0);
    if (got.operator()<LongRangeTab>()) {
        const LongRangeSettings& l = Get<LongRangeTab>();
        s.LrResponse = l.Manual ? 1 : 0;
        s.Message27 = l.Message27 ? 1 : 0;
        s.ChannelA = l.ChannelA.value_or(0);
        s.ChannelB = l.ChannelB.value_or(0);
        for (std::size_t i = 0; i < l.FunctionReply.size(); ++i)
            s.FunctionReply[i] = l.FunctionReply[i] ? 1 : 0;
    }
    CopyText(s.SerialNumber, identity_.SerialNumber.c_str());
    CopyText(s.FirmwareVersion, identity_.Firmware.c_str());
    return s;
}

}  // namespace navoro
