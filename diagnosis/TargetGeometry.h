#pragma once

#include <cstdint>
#include <string>

#include "ais/TargetTable.h"

namespace navoro {

// A station's position and motion as the target table holds them: degrees,
// knots and degrees true. Latitude 91 / longitude 181 mean no position, a SOG
// of 102.3 or more or a COG of 360 or more mean no motion known.
struct StationMotion {
    double Latitude = 91.0;
    double Longitude = 181.0;
    double Sog = 0.0;
    double Cog = 0.0;
};

// The target as seen from the own ship. HasRange is false without both
// positions; HasCpa is false without both motions as well.
struct Encounter {
    bool HasRange = false;
    bool HasCpa = false;
    double RangeNm = 0.0;
    double BearingDeg = 0.0;  // true, 0 to below 360
    double CpaNm = 0.0;
    double TcpaMin = 0.0;  // negative once the closest point has passed
    // The target's offset from the own ship in nautical miles, east and north.
    double EastNm = 0.0;
    double NorthNm = 0.0;
};

bool HasPosition(const StationMotion& m);
bool HasMotion(const StationMotion& m);

// Range, bearing, CPA and TCPA of a target against the own ship on a local
// flat earth: both positions are projected onto a plane tangent at the own
// ship (north = 60 NM per degree of latitude, east = 60 NM per degree of
// longitude times the cosine of the mean latitude, longitudes taken across
// the shorter way round), which stays within a few metres over 50 NM outside
// the polar seas. Both ships keep their SOG and COG; with p the target's
// relative position and v its relative velocity, TCPA = -(p.v) / |v|^2 and
// CPA = |p + v * TCPA|. With no relative motion the CPA is the present range
// and the TCPA 0.
Encounter ComputeEncounter(const StationMotion& own, const StationMotion& target);

// The CPA alarm limits: the CPA tab's values last read from the device, or
// 2.0 NM and 10 minutes before a read.
struct CpaLimits {
    double CpaNm = 2.0;
    double TcpaMin = 10.0;
};

// A target is dangerous when its CPA is below the CPA limit and its closest
// point lies ahead within the TCPA limit (0 <= TCPA <= limit).
bool IsDangerous(const Encounter& e, const CpaLimits& limits);

// The age of a last update: "12 s" below a minute, "4 min" below an hour,
// "3 h" beyond; "" for a negative age (a clock set back).
std::string AgeText(std::int64_t seconds);

// Stations not heard for this long are shown greyed.
constexpr std::int64_t kStaleAfterSeconds = 6 * 60;

// How the page shows a station the target table files as Class A but that
// has been heard only through long-range broadcasts (message 27).
constexpr int kShownLongRange = kStationUnknown + 1;

// English name of a station kind (kStation..., kShownLongRange); "Unknown"
// for others.
const char* StationKindText(int kind);

}  // namespace navoro
