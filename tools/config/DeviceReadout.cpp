#include "tools/config/DeviceReadout.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "codec/ParameterCodes.h"
#include "config/ConfigTables.h"
#include "config/DeviceData.h"
#include "config/InlandDimensions.h"

namespace navoro {

namespace {

constexpr char kReplyMode = 'R';
constexpr char kDeviceDataEnd[] = "[DEVICE DATA END]";
constexpr long kCpaTenthsMax = 999;
constexpr std::size_t kChannelLength = 4;
constexpr float kDraughtMax = 25.5f;

// The transponder's texts end at their NUL, never past their member.
template <std::size_t N>
std::string DeviceText(const char (&text)[N]) {
    return std::string(text, strnlen(text, N));
}

// A number the tab shows in a box from 0 to `maximum`; -1 (not available)
// for one outside it.
int Shown(long value, long maximum) {
    return value >= 0 && value <= maximum ? static_cast<int>(value) : -1;
}

std::string Digits9(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%09d", static_cast<int>(value));
    return text;
}

}  // namespace

void DeviceReadout::Clear() {
    *this = DeviceReadout{};
}

void DeviceReadout::TakeDeviceData(const char* line) {
    if (line == nullptr) return;
    if (std::strstr(line, kDeviceDataEnd) != nullptr) dumpEnded_ = true;
    const DeviceDataLine data = ParseDeviceDataLine(line);
    if (data.HasMmsi) {
        mmsiSeen_ = true;
        mmsi_ = data.Mmsi;
    }
    if (data.HasImo) {
        imoSeen_ = true;
        imo_ = data.Imo;
    }
    if (data.HasFirmware) firmware_ = data.Firmware;
    if (data.HasSerialNumber) serialNumber_ = data.SerialNumber;
    if (data.InlandMode) inland_ = true;
    if (data.HasDeviceInstance) {
        const bool inRange = data.DeviceInstance >= 0 && data.DeviceInstance <= kDeviceInstanceMax;
        deviceInstance_ = inRange ? std::to_string(data.DeviceInstance) : std::string();
    }
    if (data.HasEncryptionMode) encryptionOn_ = data.EncryptionOn;
    if (data.HasEncryptionKey) encryptionKey_ = data.EncryptionKey;
    if (data.HasInlandSsd) {
        inlandSeen_ = true;
        const InlandSsd& d = data.InlandDimensions;
        const int tenths[6] = {d.Length,    d.Beam,      d.InternalB,
                               d.InternalC, d.ExternalB, d.ExternalC};
        for (std::size_t i = 0; i < inlandTexts_.size(); ++i)
            inlandTexts_[i] =
                tenths[i] == kInlandNotAvailable ? kInlandInitialText : FormatTenths(tenths[i]);
    }
}

void DeviceReadout::TakeReply(SentenceRoute route, Codec& codec) {
    AisStore& ais = codec.Ais;
    ProprietaryStore& store = codec.Proprietary;
    switch (route) {
        case SentenceRoute::ShowSsdReply: {
            if (!ais.SsdReceived) return;
            ship_.Name = DeviceText(ais.Name);
            ship_.CallSign = DeviceText(ais.CallSign);
            const std::array<int, 4> dims = {Shown(ais.DimA, 511), Shown(ais.DimB, 511),
                                             Shown(ais.DimC, 63), Shown(ais.DimD, 63)};
            if (std::strcmp(ais.Source, "AI") == 0) {
                ship_.Internal = dims;
                ssdInternal_ = true;
            } else if (std::strcmp(ais.Source, "GP") == 0) {
                ship_.External = dims;
                ssdExternal_ = true;
            }
            ais.SsdReceived = 0;
            return;
        }
        case SentenceRoute::ShowVsdReply: {
            if (!ais.VsdReceived) return;
            voyage_.ShipTypeRow = FindShipTypeRow(ais.ShipType);
            char draught[16] = "";
            if (std::isfinite(ais.Draught) && ais.Draught >= 0.0f && ais.Draught <= kDraughtMax)
                std::snprintf(draught, sizeof draught, "%3.1f", static_cast<double>(ais.Draught));
            voyage_.Draught = draught;
            voyage_.PersonsOnBoard = Shown(ais.PersonsOnBoard, 8191);
            voyage_.Destination = DeviceText(ais.Destination);
            if (ais.EtaValid) {
                voyage_.Month = Shown(ais.TimeDate[5], 12);
                voyage_.Day = Shown(ais.TimeDate[4], 31);
                voyage_.Hour = Shown(ais.TimeDate[0], 24);
                voyage_.Minute = Shown(ais.TimeDate[1], 60);
                ais.EtaValid = 0;
            } else {
                voyage_.Month = 1;
                voyage_.Day = 1;
                voyage_.Hour = 0;
                voyage_.Minute = 0;
            }
            voyage_.NavStatus = Shown(ais.NavStatus, static_cast<long>(kNavStatusTexts.size()) - 1);
            voyageSeen_ = true;
            ais.VsdReceived = 0;
            return;
        }
        case SentenceRoute::ShowTsvReply:
        case SentenceRoute::ShowCpaReply: {
            const bool tsv = route == SentenceRoute::ShowTsvReply;
            for (int i = 0; i < 4; ++i) {
                if (!store.DbgValid[i]) continue;
                if (store.DbgMode == kReplyMode) {
                    const std::int32_t value = store.DbgParamValue[i];
                    const auto id = store.DbgParamId[i];
                    if (tsv && id == kParamAisTx) transceiver_.AisTxIndex = value == 0 ? 0 : 1;
                    if (tsv && id == kParamDscRx) transceiver_.DscRxIndex = value == 1 ? 0 : 1;
                    if (tsv && id == kParamGpsAntennaVoltage)
                        transceiver_.GpsVoltageIndex = value == 0 ? 0 : 1;
                    if (!tsv && id == kParamCpaDistance) {
                        char text[16] = "";
                        if (value >= 0 && value <= kCpaTenthsMax)
                            std::snprintf(text, sizeof text, "%04.1f", value / 10.0);
                        cpa_.Cpa = text;
                    }
                    if (!tsv && id == kParamTcpa) cpa_.Tcpa = Shown(value, 99);
                    if (!tsv && id == kParamCpaAlarm) cpa_.AlarmIndex = value != 0 ? 0 : 1;
                    (tsv ? transceiverSeen_ : cpaSeen_) = true;
                }
                store.DbgValid[i] = 0;
            }
            return;
        }
        case SentenceRoute::ShowBauReply: {
            if (!store.DbgValid[0]) return;
            if (store.DbgMode == kReplyMode) {
                const BaudSelection at =
                    BaudReplySelection(store.DbgParamId[0], store.DbgParamValue[0]);
                for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
                    if (kBaudBoxes[box].Port != store.DbgParamId[0]) continue;
                    baud_.Selected[box] = at.Item;
                    baudSeen_[box] = true;
                }
            }
            store.DbgValid[0] = 0;
            return;
        }
        case SentenceRoute::ShowClrReply: {
            if (!store.ClrReceived) return;
            longRange_.Manual = store.ClrResponse != 0;
            longRange_.Message27 = store.ClrMessage27 != 0;
            const auto channel = [](std::int16_t number) {
                const std::string text = std::to_string(number);
                return number >= 0 && text.size() <= kChannelLength ? text : std::string();
            };
            longRange_.ChannelA = channel(store.ClrChannelA);
            longRange_.ChannelB = channel(store.ClrChannelB);
            for (std::size_t i = 0; i < longRange_.FunctionReply.size(); ++i)
                longRange_.FunctionReply[i] = store.ClrFunctionReply[i] != 0;
            longRangeSeen_ = true;
            store.ClrReceived = 0;
            return;
        }
        case SentenceRoute::ShowDesReply: {
            if (store.DbgMode != kReplyMode || !store.DesReceived) return;
            const std::uint32_t row = store.LastDes.Value;
            if (row >= 1 && row <= static_cast<std::uint32_t>(kDestinationRows))
                destinations_.Rows[row - 1] = DeviceText(store.LastDes.Text);
            store.DesReceived = 0;
            return;
        }
        case SentenceRoute::ShowMblReply: {
            if (store.DbgMode != kReplyMode || !store.MblReceived) return;
            ++mobReplies_;
            if (store.LastMbl.Value != 999 && mobEntries_ < kMobRows) {
                MobRow& row = mob_.Rows[static_cast<std::size_t>(mobEntries_++)];
                row.Mmsi = Digits9(static_cast<std::int32_t>(store.LastMbl.Value));
                row.Name = DeviceText(store.LastMbl.Text);
            }
            store.MblReceived = 0;
            return;
        }
        default:
            return;
    }
}

bool DeviceReadout::SettledTabsComplete() const {
    for (const bool seen : baudSeen_)
        if (!seen) return false;
    return dumpEnded_ && mmsiSeen_ && ssdInternal_ && ssdExternal_ && voyageSeen_ && cpaSeen_ &&
           transceiverSeen_ && longRangeSeen_;
}

ConfigFile DeviceReadout::File(std::vector<std::string>* missing) const {
    ConfigFile f;
    f.Firmware = firmware_;
    f.SerialNumber = serialNumber_;
    const auto note = [missing](const char* tab) {
        if (missing) missing->push_back(tab);
    };
    if (dumpEnded_ && mmsiSeen_ && ssdInternal_ && ssdExternal_) {
        ShipDataInput ship = ship_;
        ship.Mmsi = Digits9(mmsi_);
        ship.Imo = Digits9(imoSeen_ ? imo_ : 0);
        ship.Inland = inland_;
        if (inland_) {
            for (std::size_t i = 0; i < ship.InlandTexts.size(); ++i)
                ship.InlandTexts[i] = inlandSeen_ ? inlandTexts_[i] : kInlandInitialText;
        }
        f.Ship = ship;
    } else {
        note("ship");
    }
    if (voyageSeen_)
        f.Voyage = voyage_;
    else
        note("voyage");
    if (cpaSeen_)
        f.Cpa = cpa_;
    else
        note("cpa");
    if (transceiverSeen_ && dumpEnded_) {
        TransceiverInput transceiver = transceiver_;
        transceiver.DeviceInstance = deviceInstance_;
        f.Transceiver = transceiver;
    } else {
        note("transceiver");
    }
    if (longRangeSeen_)
        f.LongRange = longRange_;
    else
        note("longRange");
    // Only the rows with a destination are answered: the list is whole once
    // the MOB list, queried after it, has begun.
    if (mobReplies_ > 0) {
        f.Destinations = destinations_;
        f.Mob = mob_;
    } else {
        note("destinations");
        note("mob");
    }
    if (dumpEnded_) {
        EncryptionInput encryption;
        encryption.Enabled = encryptionOn_;
        encryption.Code = encryptionKey_;
        encryption.SnapshotMmsi = mmsi_;
        f.Encryption = encryption;
    } else {
        note("encryption");
    }
    bool baud = true;
    for (const bool seen : baudSeen_)
        baud = baud && seen;
    if (baud)
        f.Baud = baud_;
    else
        note("baud");
    return f;
}

}  // namespace navoro
