#pragma once

#include <cstdint>

#include "codec/Constellations.h"
#include "codec/Fields.h"
#include "codec/GnssRecords.h"

namespace navoro {

// One satellite of a GSV cycle, named by its constellation and number.
struct GnssSatellite {
    SatelliteName Name;
    std::int8_t SignalId;   // of the GSV that listed it; 0x80 none
    std::int8_t Elevation;  // 0-90; 0x80 not available
    std::int16_t Azimuth;   // 0-359; -1 not available
    std::int8_t Snr;        // 0-99; 0x80 not tracked
    std::uint8_t InUse;     // listed by the latest GSA of its constellation
};

// The satellites one talker's GSV cycles report. A cycle starts with sentence
// 1; the cycles of further signal IDs that follow are merged into it (a
// satellite listed again keeps its first entry), and sentence 1 of a signal
// ID the cycle already holds starts the next cycle.
inline constexpr int kGsvCycleCapacity = 64;
struct GsvCycle {
    std::uint8_t InView;        // the in-view count of the cycle's first signal
    std::uint8_t Count;         // entries in Satellites
    std::uint16_t SignalsSeen;  // bit n: signal ID n (blank counts as 0)
    std::uint16_t FirstSignal;  // the bit of the cycle's first signal ID
    std::int64_t StampMs;       // GnssStore::ClockMs at its last sentence
    GnssSatellite Satellites[kGsvCycleCapacity];
};

// How long a talker's cycle counts after its last sentence.
inline constexpr std::int64_t kGsvCycleLifetimeMs = 5000;

// The latest values of the GNSS sentences (group 1), whatever their talker.
// TimeValid and GbsValid are only ever set by the codec; PositionValid and
// CourseValid follow each sentence that writes them; GgaReceived is cleared by
// the GNSS view.
struct GnssStore {
    std::uint8_t TalkerCode;
    TimeOfDay Time;  // GGA, GBS, GLL, RMC, ZDA
    float Lat, Lon;  // GGA, GLL, RMC
    std::int8_t Quality;
    char SelectionMode;
    std::uint8_t FixMode;
    float GeoidSeparation;
    std::int16_t Year;  // RMC, ZDA
    std::uint8_t Month, Day;
    char ModeIndicator;  // GLL, RMC, VTG
    char Status;         // GLL, RMC
    float CogTrue;       // RMC, VTG
    float CogMagnetic;
    float SogKnots;  // RMC, VTG
    float SogKmh;
    // The last GGA's count (0x80 when it was blank), or after a GSA the
    // satellites listed by the latest GSA of each constellation together.
    std::uint8_t SatellitesUsed;
    std::uint8_t GgaReceived;
    std::int16_t SatelliteIds[kGsaMaxSatellites];  // the last GSA's
    std::uint8_t GsaSatelliteFields;
    std::int8_t GsaSystemId;  // 0x80 when the last GSA had none
    float Pdop, Hdop, Vdop;
    // Satellites listed by the latest GSA of each constellation (by
    // Constellation, SBAS under GPS; numbers of no known system under
    // Unknown): how many, and their names.
    std::uint8_t GsaUsedBy[kConstellationCount];
    SatelliteName GsaUsed[kConstellationCount][kGsaMaxSatellites];
    // The GSV cycles by talker constellation (GN and other talkers under
    // Unknown); SatellitesInView is the sum of their in-view counts.
    GsvCycle Cycles[kConstellationCount];
    // The caller's clock, in ms, stamped on each GSV cycle; see ExpireGsvCycles.
    std::int64_t ClockMs;
    std::uint8_t SatellitesInView;
    std::uint8_t GsvTotalMessages, GsvMessageNumber, GsvBlockCount;
    std::int8_t GsvSignalId;  // 0x80 when the last GSV had none
    // The blocks of the last GSV; entries past its block count keep the values
    // of an earlier GSV.
    std::int16_t GsvSatId[4];
    std::int8_t GsvElevation[4];
    std::int16_t GsvAzimuth[4];
    std::int8_t GsvSnr[4];
    float GbsErrLat, GbsErrLon, GbsErrAlt;
    std::uint8_t GbsFailedSatellite;
    float GbsProbability, GbsBias, GbsStdDev;
    std::int8_t GbsSystemId, GbsSignalId;
    std::uint8_t TimeValid;
    std::uint8_t PositionValid;
    std::uint8_t CourseValid;
    std::uint8_t GbsValid;
};

// Drops the GSV cycles whose last sentence is older than kGsvCycleLifetimeMs
// at `nowMs` (a constellation that stopped reporting) and adds up
// SatellitesInView again. True when a cycle was dropped.
bool ExpireGsvCycles(GnssStore& s, std::int64_t nowMs);

// True when the latest GSA of the satellite's constellation lists it.
bool SatelliteInUse(const GnssStore& s, const SatelliteName& name);

// The latest values of the navigation sentences (group 2).
struct NavStore {
    std::uint8_t TalkerCode;
    std::uint8_t GnsTime[3];  // hour, minute, second
    float GnsLat, GnsLon;
    char GnsModeChars[2];
    char GnsSatelliteChars[2];
    float GnsHdop, GnsAltitude, GnsGeoidSeparation, GnsDgpsAge, GnsDgpsStation;
    float Heading;
    std::uint8_t HeadingValid;  // set when 0 <= heading < 360, never cleared
    float RateOfTurn;
    float WaterSpeedLong, WaterSpeedTrans;
    char WaterStatus;  // VBW's water status or ROT's status, the latest wins
    float GroundSpeedLong, GroundSpeedTrans;
    char GroundStatus;
};

}  // namespace navoro
