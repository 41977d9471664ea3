#pragma once

#include <cstdint>

#include "codec/Constellations.h"
#include "codec/Fields.h"
#include "codec/GnssRecords.h"

namespace navoro {

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
    // Constellation; a GSA of no known system counts under Unknown).
    std::uint8_t GsaUsedBy[kConstellationCount];
    // The last GSV's in-view count of each talker's constellation (GN and other
    // talkers under Unknown), and their sum.
    std::uint8_t InViewBy[kConstellationCount];
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
