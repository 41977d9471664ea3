#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/StaticDataLimits.h"

namespace navoro {

// The transponder's information dump: plain-text lines (no checksum) that it
// sends in answer to a status request, recognised by key texts anywhere in a
// line, the last one containing "[DEVICE DATA END]":
//
//   Firmware:2.4.17 (2024-03-08)
//   S/N:(LMO2403A00417)
//   MMSI:(211457320)
//   IMO:(9412853)
//   [AIS MODE]= INLAND
//   [DeviceInstance]=0
//   [O] Encryption Mode=1
//   [O] EncryptionKey=ABCDEF0123456789
//   $PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0*hh
//
// A line may hold several keys; each is looked for on its own.

inline constexpr std::size_t kFirmwareVersionMax = 24;
inline constexpr std::size_t kSerialNumberMax = 15;
// An inland value the line leaves blank.
inline constexpr int kInlandNotAvailable = -1;

// The six values of the inland static data line the system uses, in tenths of
// a metre; kInlandNotAvailable where the value is blank or not a number.
struct InlandSsd {
    int Length = 0;     // field 3
    int Beam = 0;       // field 4
    int InternalB = 0;  // field 8
    int InternalC = 0;  // field 9
    int ExternalB = 0;  // field 10
    int ExternalC = 0;  // field 11
};

// What one information line holds; a member is used only when its Has flag is
// set. Integers are read by the atol rules (0 when there are no digits).
struct DeviceDataLine {
    bool HasMmsi = false;
    std::int32_t Mmsi = 0;  // 0 (not available) when outside nine digits
    bool HasImo = false;
    std::int32_t Imo = 0;  // likewise
    bool HasFirmware = false;
    std::string Firmware;  // at most kFirmwareVersionMax characters
    bool HasSerialKey = false;
    bool HasSerialNumber = false;  // the key's ")" stood right before the line end
    std::string SerialNumber;      // at most kSerialNumberMax characters
    bool InlandMode = false;       // "[AIS MODE]= INLAND"
    bool HasDeviceInstance = false;
    long DeviceInstance = 0;  // as read
    bool HasEncryptionMode = false;
    bool EncryptionOn = false;  // the mode is 1
    bool HasEncryptionKey = false;
    std::string EncryptionKey;  // at most the ENCRYPTION tab's code length
    bool HasInlandSsd = false;  // a well-formed "$PIWWSSD" line
    InlandSsd InlandDimensions;
};

// Looks for every key in one received line (with or without its "\r\n"; the
// line ends at its first "\r\n").
DeviceDataLine ParseDeviceDataLine(std::string_view line);

// The inland static data line "$PIWWSSD,..." (from the key to the line end):
// exactly 11 commas, the last field ending at a "*" (the checksum is not
// checked). Fields 3, 4 and 8-11 are read as metres and turned into tenths
// (value x 10 + 0.5, fraction discarded; empty gives 0). False when the form
// is wrong; then nothing is shown.
bool ParseInlandSsd(std::string_view line, InlandSsd& values);

}  // namespace navoro
