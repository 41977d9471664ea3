#include "diagnosis/SystemCheck.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace navoro {

namespace {

void Increment(std::int32_t& counter) {
    // Stops at the largest value rather than wrapping to a negative count.
    if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

}  // namespace

void CountPositionReport(PositionReportCounters& counters, const SentenceHeader& header,
                         char channel) {
    if (std::strcmp(header.Formatter, "VDO") == 0) {
        if (channel == 'A') Increment(counters.TxCountA);
        if (channel == 'B') Increment(counters.TxCountB);
        return;
    }
    Increment(channel == 'A' ? counters.RxCountA : counters.RxCountB);
}

std::string FormatCheckMmsi(std::uint32_t mmsi) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, " %09u", static_cast<unsigned>(mmsi));
    return buffer;
}

bool OwnShipFixed(const TargetEntry& ownShip) {
    return std::fabs(ownShip.Longitude) < 180.1f && std::fabs(ownShip.Latitude) < 90.1f &&
           ownShip.TimestampValid != 0;
}

SystemCheckView EvaluateSystemCheck(const SystemCheckSnapshot& snapshot, const TargetEntry& ownShip,
                                    const PositionReportCounters& counters, bool linked) {
    SystemCheckView view;
    // A flag without its value (the snapshot emptied at a disconnect) is no result.
    const bool firmware = snapshot.FirmwareReceived && !snapshot.FirmwareVersion.empty();
    const bool serialNumber = snapshot.SerialNumberReceived && !snapshot.SerialNumber.empty();
    const bool snapshotMmsi = snapshot.MmsiNonZero && snapshot.Mmsi != 0;
    view.FwVer = firmware ? snapshot.FirmwareVersion : kNotReadText;
    if (snapshotMmsi) {
        view.Mmsi = FormatCheckMmsi(snapshot.Mmsi);
    } else if (ownShip.Mmsi != 0) {
        view.Mmsi = FormatCheckMmsi(ownShip.Mmsi);
    } else {
        view.Mmsi = kNoMmsiText;
    }
    view.ProdSN = serialNumber ? snapshot.SerialNumber : kNotReadText;
    const bool lastFixed = OwnShipFixed(ownShip);
    const bool fixed = lastFixed && linked;
    view.Gps = fixed ? "Fixed" : lastFixed ? kGpsStaleText : "Lost";
    view.TxA = std::to_string(counters.TxCountA);
    view.TxB = std::to_string(counters.TxCountB);
    view.RxA = std::to_string(counters.RxCountA);
    view.RxB = std::to_string(counters.RxCountB);

    view.Passed[kCheckFwVer] = firmware;
    view.Passed[kCheckProdSN] = serialNumber;
    view.Passed[kCheckMmsi] = snapshotMmsi || ownShip.Mmsi != 0;
    view.Passed[kCheckGps] = fixed;
    view.Passed[kCheckTx] = static_cast<std::int64_t>(counters.TxCountA) + counters.TxCountB > 0;
    view.Passed[kCheckRx] = static_cast<std::int64_t>(counters.RxCountA) + counters.RxCountB > 0;
    return view;
}

}  // namespace navoro
