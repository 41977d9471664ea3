#pragma once

#include <cstdint>

#include "codec/Fields.h"

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
    std::uint8_t SatellitesUsed;  // the last GGA's count or GSA's listed satellites
    std::uint8_t GgaReceived;
    std::int8_t SatelliteIds[12];
    float Pdop, Hdop, Vdop;
    std::uint8_t SatellitesInView;
    std::uint8_t GsvTotalMessages, GsvMessageNumber, GsvBlockCount;
    // The blocks of the last GSV; entries past its block count keep the values
    // of an earlier GSV.
    std::int8_t GsvSatId[4];
    std::int8_t GsvElevation[4];
    std::int16_t GsvAzimuth[4];
    std::int8_t GsvSnr[4];
    float GbsErrLat, GbsErrLon, GbsErrAlt;
    std::uint8_t GbsFailedSatellite;
    float GbsProbability, GbsBias, GbsStdDev;
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
