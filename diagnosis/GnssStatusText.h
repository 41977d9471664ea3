#pragma once

#include <optional>
#include <string>

#include "ais/TargetTable.h"
#include "codec/GnssStore.h"

namespace navoro {

// The texts of the GPS STATUS boxes. Texts are bytes: the latitude and
// longitude carry the Big5 degree sign, the COG the one-byte sign
// (DegreeSignsToUtf8 shows both).
std::string FormatUtcDate(int year, int month, int day);  // "2024/05/01"
std::string FormatUtcTime(const TimeOfDay& time);         // "12:35:19", no hundredths
std::string FormatFixMode(int fixMode);                   // "2D", "3D", else "Lost"
std::string FormatHdop(double hdop);    // "%4.1f"; "N/A" from 99.9 on and when not available
std::string FormatSog(double knots);    // "%5.2f kn", "N/A" outside 0-102.2
std::string FormatCog(double degrees);  // "%5.1f°", "N/A" outside 0-<360

// The boxes a GNSS sentence refreshes; a box without a value keeps its text.
struct GnssStatusTexts {
    std::optional<std::string> UtcDate, UtcTime;  // lblEdtGpsUtcDate, lblEdtGpsUtcTime
    std::optional<std::string> FixMode, Hdop;     // lblEdtGpsFixMode, lblEdtHdop
    std::optional<std::string> InView, InUse;     // lblEdtGpsNoSV_InView, lblEdtGpsNoSV_InUse
    std::optional<std::string> Lon, Lat;          // lblEdtGpsLon, lblEdtGpsLat
    std::optional<std::string> Sog, Cog;          // lblEdtGpsSOG, lblEdtGpsCOG
};

// The texts after one GNSS sentence: date and time while the store's time is
// valid; fix, HDOP and satellite counts when a GGA arrived since the last call
// (GgaReceived, which this clears); position, SOG and COG of the own ship
// (target entry 0) while the store's position is valid.
GnssStatusTexts GnssStatusUpdate(GnssStore& gnss, const TargetEntry& ownShip);

}  // namespace navoro
