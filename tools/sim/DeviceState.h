#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/StaticDataLimits.h"
#include "config/ConfigTables.h"
#include "config/DeviceData.h"
#include "config/tabs/CpaTab.h"
#include "config/tabs/EncryptionTab.h"
#include "config/tabs/LongRangeTab.h"
#include "config/tabs/ShipDataTab.h"
#include "config/tabs/TransceiverTab.h"
#include "config/tabs/VoyageTab.h"

namespace navoro::sim {

// The simulated transponder's settings: everything a configuration read
// returns and a configuration write changes, plus its fixed identity.

// Ports: -1 is the USB port (the configuration port), 0 to 9 the serial ports
// (3 pilot, 4 display, 5 long range, 6 DGPS, 7-9 sensors 1-3).
inline constexpr int kFirstPort = -1;
inline constexpr int kLastPort = 9;
inline constexpr int kPortCount = kLastPort - kFirstPort + 1;
inline constexpr int kConfigPort = -1;

// The rates each port accepts.
inline constexpr auto kUsbRates = kUsbPortRates;
inline constexpr auto kSerialRates = kSerialPortRates;

inline constexpr int kDestinationCount = kDestinationRows;
inline constexpr int kMobListMax = kMobRows;
inline constexpr int kFunctionReplyCount = static_cast<int>(kFunctionReplyKeys.size());

// Limits of the values a write may set: the configuration tabs' own.
inline constexpr std::uint32_t kMmsiMax = 999999998;  // nine digits; 999999999 is "not available"
inline constexpr std::uint32_t kImoMax = 999999998;
inline constexpr std::size_t kCallSignMax = ShipDataTab::kCallSignMax;
inline constexpr std::size_t kNameMax = ShipDataTab::kNameMax;
inline constexpr std::size_t kDestinationMax = VoyageTab::kDestinationMax;
inline constexpr int kDimABMax = kDimensionAbMax;
inline constexpr int kDimCDMax = kDimensionCdMax;
inline constexpr int kPersonsMax = kPersonsOnBoardMax;
inline constexpr int kCpaTenthsMax = CpaTab::kCpaTenthsMax;
inline constexpr int kTcpaMax = static_cast<int>(CpaTab::kTcpaRange.Max);
inline constexpr int kDeviceInstanceMax =
    static_cast<int>(TransceiverTab::kDeviceInstanceRange.Max);
inline constexpr int kChannelMax = static_cast<int>(LongRangeTab::kChannel.Max);
inline constexpr int kInlandTenthsMax = ShipDataTab::kInlandTenthsMax;
inline constexpr std::size_t kEncryptionKeyMax = EncryptionTab::kCodeMax;
inline constexpr std::size_t kSerialNumberMax = navoro::kSerialNumberMax;
inline constexpr std::size_t kFirmwareMax = kFirmwareVersionMax;
inline constexpr std::uint32_t kMobMmsiFirst = 972000000;
inline constexpr std::uint32_t kMobMmsiLast = 972999999;

// A setting the device holds no value for (answered as an empty field).
inline constexpr int kBlank = -1;

struct Antenna {
    int A = 0;  // bow to antenna, metres
    int B = 0;  // antenna to stern
    int C = 0;  // port side to antenna
    int D = 0;  // antenna to starboard side
    bool operator==(const Antenna&) const = default;
};

struct MobEntry {
    std::uint32_t Mmsi = 0;
    std::string Name;
    bool operator==(const MobEntry&) const = default;
};

struct Eta {
    int Month = 0;    // 1-12, 0 not available
    int Day = 0;      // 1-31, 0 not available
    int Hour = 24;    // 0-23, 24 not available
    int Minute = 60;  // 0-59, 60 not available
    bool operator==(const Eta&) const = default;
};

struct DeviceState {
    // Identity (not configurable over the link, except the serial number by
    // the serial-number sentence).
    std::string Firmware = "2.4.17 (2024-03-08)";
    std::string SerialNumber = "LMO2403A00417";

    // Ship data.
    std::uint32_t Mmsi = 211457320;
    std::uint32_t Imo = 9412853;
    std::string Name = "NORDIC TRADER";
    std::string CallSign = "DCTR7";
    Antenna Internal{62, 38, 9, 11};
    Antenna External{70, 30, 12, 8};
    int Dte = 0;  // 0 data terminal ready

    // Voyage.
    int ShipType = 70;
    int DraughtTenths = 72;
    int PersonsOnBoard = 18;
    std::string Destination = "HAMBURG";
    Eta VoyageEta{6, 14, 16, 30};
    int NavStatus = 0;
    int RegionalFlags = 0;

    // CPA settings (DBG codes 45, 46, 47); kBlank: the device has none and
    // answers with an empty field.
    int CpaTenths = 20;
    int Tcpa = 10;
    int CpaAlarm = 1;  // 1 on, 0 off

    // Transceiver (DBG codes 30, 101, 102, 122).
    int AisTx = 0;       // 0 transmitter on, 1 off
    int DscRx = 1;       // 1 on, 0 off
    int GpsVoltage = 0;  // 0 3.3 V, 1 5 V
    int DeviceInstance = 0;

    // Port rates, indexed by PortIndex().
    std::array<int, kPortCount> PortRates{115200, 38400, 38400, 38400, 38400, 38400,
                                          38400,  38400, 38400, 38400, 38400};

    // Long-range reply settings.
    int LrResponse = 0;  // 0 automatic, 1 manual
    std::array<int, kFunctionReplyCount> LrFunctionReply{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int LrMessage27 = 0;
    int LrChannelA = 2087;
    int LrChannelB = 2088;

    // The ten destinations of the destination list (empty: unused row).
    std::array<std::string, kDestinationCount> Destinations{
        "HAMBURG", "ROTTERDAM", "FELIXSTOWE", "GDANSK", "", "", "", "", "", ""};

    // The AIS MOB devices the ship carries.
    std::vector<MobEntry> MobList{{972001234, "LIFEBUOY PORT"}, {972001235, "LIFEBUOY STBD"}};

    // Inland mode and the inland dimensions, in tenths of a metre.
    bool Inland = false;
    int InlandLength = 1100;
    int InlandBeam = 114;
    int InlandInternalB = 905;
    int InlandInternalC = 52;
    int InlandExternalB = 200;
    int InlandExternalC = 30;

    // Encryption.
    bool EncryptionOn = false;
    std::string EncryptionKey;

    bool operator==(const DeviceState&) const = default;
};

// The index of a port in PortRates, or -1 for a port the device does not have.
int PortIndex(int port);

// True when `rate` is one the port accepts.
bool IsPortRate(int port, int rate);

// True when the text holds only characters of the AIS six-bit set that may
// stand in a sentence field (upper case, digits, blank and punctuation other
// than the sentence delimiters), and at most `max` of them.
bool IsAisText(std::string_view text, std::size_t max);

// True for 1 to `max` letters and digits.
bool IsAlphanumeric(std::string_view text, std::size_t max);

// An empty text when every value is within the limits a write enforces,
// otherwise what is wrong ("Internal.A 600 is not 0-511").
std::string CheckState(const DeviceState& state);

// The factory settings: the defaults above, keeping the device's identity
// (firmware and serial number).
DeviceState FactoryState(const DeviceState& current);

}  // namespace navoro::sim
