#pragma once

#include <functional>

#include "diagnosis/SystemCheck.h"
#include "diagnosis/TargetGeometry.h"

namespace navoro {

// What the diagnosis pages need of the connection and of the configuration
// pages. The main window fills it in; a member left empty means that part is
// not there (no port: every write fails; no snapshot: nothing was read).
struct DiagnosisLink {
    // Raw write to the port; true when the port is open and bytes were written.
    std::function<bool(const char* data, int length)> WritePort;
    // An attempt runs or the link holds (the Connect button is down), and the
    // Connect/Disconnect action.
    std::function<bool()> ConnectionActive;
    std::function<void()> ToggleConnection;
    // The link with the transponder is established (empty: counts as linked).
    std::function<bool()> Linked;
    // Sends the queries of a query set (1: the status request). When empty,
    // the status request is written with WritePort.
    std::function<void(int querySet)> SendQueries;
    // The configuration snapshot's firmware version, serial number and MMSI
    // with their flags, and the clearing of the three flags.
    std::function<SystemCheckSnapshot()> ReadSnapshot;
    std::function<void()> ClearSnapshotFlags;
    // The CPA alarm's limits last read from the device (empty: the defaults).
    std::function<CpaLimits()> ReadCpaLimits;
};

}  // namespace navoro
