#pragma once

#include <cstdint>

namespace navoro {

// Parameter codes of the DBG, TSV and CPA pairs (DbgRecord): the first member
// of a pair names the setting, the second carries its value.
enum : std::int16_t {
    kParamAisTx = 30,               // AIS transmitter: 0 on, 1 off
    kParamCpaDistance = 45,         // CPA alarm distance in tenths of a nautical mile
    kParamTcpa = 46,                // TCPA alarm time in minutes
    kParamCpaAlarm = 47,            // CPA alarm: 1 on, 0 off
    kParamDscRx = 101,              // DSC receiver: 1 on, 0 off
    kParamGpsAntennaVoltage = 102,  // GPS antenna supply: 0 on, 1 off
    kParamDeviceInstance = 122,     // device instance number
    kParamCommand = 701,            // a command to the transponder; the value says which
};

// Values of the command parameter (kParamCommand).
enum : std::int32_t {
    kCommandFactoryRestore = 5,    // restore the factory settings
    kCommandRateChanged = 1000,    // apply the port rates just written
    kCommandEncryptionOn = 3015,   // switch encryption on
    kCommandEncryptionOff = 3016,  // switch encryption off
};

}  // namespace navoro
