#include "diagnosis/GnssStatusText.h"

#include <cstdio>

#include "diagnosis/PositionFormat.h"

namespace navoro {

namespace {

template <class... A>
std::string Print(const char* format, A... args) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

}  // namespace

std::string FormatUtcDate(int year, int month, int day) {
    return Print("%04d/%02d/%02d", year, month, day);
}

std::string FormatUtcTime(const TimeOfDay& time) {
    return Print("%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
}

std::string FormatFixMode(int fixMode) {
    if (fixMode == 2 || fixMode == 3) return Print("%dD", fixMode);
    return "Lost";
}

std::string FormatHdop(double hdop) {
    // A negative HDOP is the not-available value of an empty field; written
    // so that NaN, too, reads "N/A".
    if (!(hdop >= 0.0 && hdop < 99.9)) return "N/A";
    return Print("%4.1f", hdop);
}

std::string FormatSog(double knots) {
    if (!(knots >= 0.0 && knots <= 102.2)) return "N/A";
    return Print("%5.2f kn", knots);
}

std::string FormatCog(double degrees) {
    if (!(degrees >= 0.0 && degrees < 360.0)) return "N/A";
    return Print("%5.1f", degrees) + std::string(kDegreeSign);
}

GnssStatusTexts GnssStatusUpdate(GnssStore& gnss, const TargetEntry& ownShip) {
    GnssStatusTexts texts;
    if (gnss.TimeValid) {
        texts.UtcDate = FormatUtcDate(gnss.Year, gnss.Month, gnss.Day);
        texts.UtcTime = FormatUtcTime(gnss.Time);
    }
    if (gnss.GgaReceived == 1) {
        gnss.GgaReceived = 0;
        const bool fixed = gnss.FixMode == 2 || gnss.FixMode == 3;
        texts.FixMode = FormatFixMode(gnss.FixMode);
        texts.Hdop = FormatHdop(fixed ? gnss.Hdop : 99.9f);
        texts.InView = Print("%d", gnss.SatellitesInView);
        // A blank count in the GGA is not available, never 128 satellites.
        texts.InUse =
            gnss.SatellitesUsed == 0x80 ? std::string("N/A") : Print("%d", gnss.SatellitesUsed);
    }
    if (gnss.PositionValid) {
        std::string lon, lat;
        FormatPosition(lon, lat, ownShip.Longitude, ownShip.Latitude, 3, 0);
        texts.Lon = std::move(lon);
        texts.Lat = std::move(lat);
        texts.Sog = FormatSog(ownShip.Sog);
        texts.Cog = FormatCog(ownShip.Cog);
    }
    return texts;
}

}  // namespace navoro
