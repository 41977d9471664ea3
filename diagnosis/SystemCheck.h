#pragma once

#include <cstdint>
#include <string>

#include "ais/TargetTable.h"
#include "codec/SentenceHeader.h"

namespace navoro {

// Decoded position-report sentences by channel: the transponder's own (VDO)
// as transmitted, every other '!' formatter (VDM) as received.
struct PositionReportCounters {
    std::int32_t TxCountA = 0;  // VDO, channel A
    std::int32_t TxCountB = 0;  // VDO, channel B
    std::int32_t RxCountA = 0;  // other, channel A
    std::int32_t RxCountB = 0;  // other, any other channel, an empty one included
};

// Counts the '!' sentence just parsed, which completed a decoded message, by
// its formatter and the channel character of its last sentence. A VDO on a
// channel other than A or B counts nothing.
void CountPositionReport(PositionReportCounters& counters, const SentenceHeader& header,
                         char channel);

// What the system check reads of the configuration as last read: the
// firmware version, serial number and MMSI of the transponder's information
// lines, each with the flag that says it arrived.
struct SystemCheckSnapshot {
    bool FirmwareReceived = false;
    std::string FirmwareVersion;
    bool SerialNumberReceived = false;
    std::string SerialNumber;
    bool MmsiNonZero = false;
    std::uint32_t Mmsi = 0;
};

// The six rows, in their order on the page.
enum SystemCheckRow { kCheckFwVer, kCheckProdSN, kCheckMmsi, kCheckGps, kCheckTx, kCheckRx };
inline constexpr int kSystemCheckRows = 6;

// The value texts and the pass/fail result of every row.
struct SystemCheckView {
    std::string FwVer;   // lblValFwVer
    std::string Mmsi;    // lblValMMSI
    std::string ProdSN;  // lblValProdSN
    std::string Gps;     // lblValGps
    std::string TxA, TxB, RxA, RxB;
    bool Passed[kSystemCheckRows] = {};
};

inline constexpr const char* kNotReadText = "---------";
inline constexpr const char* kNoMmsiText = "000000000";
inline constexpr const char* kGpsStaleText = "Stale (last: Fixed)";

// The firmware and serial number as read, "---------" until they arrive (or
// when they arrived empty); the MMSI of the information lines, else the own
// ship's reported MMSI (" %09u"), else "000000000"; GPS "Fixed" while linked
// and the own ship reports a position with a valid time stamp, "Stale (last:
// Fixed)" for such a fix once the link is gone, else "Lost"; the four
// counters. Each row passes exactly when it shows its value: never beside a
// placeholder, an empty text, a zero MMSI or a stale fix (TX and RX: at least
// one report on either channel).
SystemCheckView EvaluateSystemCheck(const SystemCheckSnapshot& snapshot, const TargetEntry& ownShip,
                                    const PositionReportCounters& counters, bool linked = true);

// " %09u": a blank and nine digits with leading zeros.
std::string FormatCheckMmsi(std::uint32_t mmsi);

// The own ship's position is known and its last report's time stamp valid.
bool OwnShipFixed(const TargetEntry& ownShip);

}  // namespace navoro
