#pragma once

#include <cstdint>

namespace navoro {

// The configuration as last read from the transponder: what the configuration
// report prints and the system check partly reads. Filled by the reply
// handlers (from the controls and the codec's stores) and by the information
// dump. All zero (empty texts) at start-up, at every "Read Device" and when
// the connection is reset.
struct ConfigSnapshot {
    std::int32_t Mmsi;
    std::int32_t Imo;
    char ShipName[21];
    char CallSign[8];
    char Destination[21];
    std::int32_t ShipType;
    std::int32_t Internal[4];  // A, B, C, D of the internal GNSS antenna (metres)
    std::int32_t External[4];  // A, B, C, D of the external one
    char GpsVoltage[5];        // "3.3V" or "5V"
    // PILOT, DISP, LONG RANGE, DGPS, SENSOR 1-3 (ports 3-9), then USB (port -1).
    std::int32_t BaudRates[8];
    float Draught;  // metres
    std::int32_t PersonsOnBoard;
    std::int32_t EtaMonth, EtaDay, EtaHour, EtaMinute;
    std::int32_t NavStatus;
    float Cpa;                // nautical miles
    std::int32_t Tcpa;        // minutes
    std::int32_t CpaAlarm;    // ComboBoxCpaAlarmType's index: 0 ON, 1 OFF
    std::int32_t LrResponse;  // 0 Automatic, 1 Manual
    std::int32_t Message27;   // 1 enabled
    std::int32_t ChannelA, ChannelB;
    std::uint8_t FunctionReply[10];  // items A, B, C, E, F, I, O, P, U, W
    char SerialNumber[16];
    char FirmwareVersion[25];
    std::uint8_t InlandMode;  // 1 when the transponder reported inland mode
    std::int32_t DeviceInstance;
};

// Set from the information dump beside the snapshot; cleared only at start-up
// and by the system check's reset, not by "Read Device".
struct DeviceDataFlags {
    bool FirmwareReceived = false;
    bool SerialNumberReceived = false;
    bool MmsiNonZero = false;
};

inline void ClearSnapshot(ConfigSnapshot& snapshot) {
    snapshot = ConfigSnapshot{};
}

}  // namespace navoro
