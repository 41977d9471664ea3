#include "diagnosis/TargetGeometry.h"

#include <cmath>
#include <numbers>

#include "ais/TargetTable.h"

namespace navoro {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

}  // namespace

bool HasPosition(const StationMotion& m) {
    return std::isfinite(m.Latitude) && std::isfinite(m.Longitude) &&
           std::fabs(m.Latitude) <= 90.0 && std::fabs(m.Longitude) <= 180.0;
}

bool HasMotion(const StationMotion& m) {
    return std::isfinite(m.Sog) && std::isfinite(m.Cog) && m.Sog >= 0.0 && m.Sog < 102.25 &&
           m.Cog >= 0.0 && m.Cog < 360.0;
}

Encounter ComputeEncounter(const StationMotion& own, const StationMotion& target) {
    Encounter e;
    if (!HasPosition(own) || !HasPosition(target)) {
        return e;
    }
    double dLon = target.Longitude - own.Longitude;
    if (dLon > 180.0) {
        dLon -= 360.0;
    } else if (dLon < -180.0) {
        dLon += 360.0;
    }
    const double meanLat = (own.Latitude + target.Latitude) / 2.0 * kDegToRad;
    const double px = dLon * 60.0 * std::cos(meanLat);
    const double py = (target.Latitude - own.Latitude) * 60.0;
    e.HasRange = true;
    e.EastNm = px;
    e.NorthNm = py;
    e.RangeNm = std::hypot(px, py);
    double bearing = std::atan2(px, py) / kDegToRad;
    if (bearing < 0.0) {
        bearing += 360.0;
    }
    e.BearingDeg = bearing >= 360.0 ? 0.0 : bearing;
    if (!HasMotion(own) || !HasMotion(target)) {
        return e;
    }
    const double vx =
        target.Sog * std::sin(target.Cog * kDegToRad) - own.Sog * std::sin(own.Cog * kDegToRad);
    const double vy =
        target.Sog * std::cos(target.Cog * kDegToRad) - own.Sog * std::cos(own.Cog * kDegToRad);
    const double v2 = vx * vx + vy * vy;
    e.HasCpa = true;
    if (v2 < 1e-9) {
        e.CpaNm = e.RangeNm;
        e.TcpaMin = 0.0;
        return e;
    }
    const double hours = -(px * vx + py * vy) / v2;
    e.CpaNm = std::hypot(px + vx * hours, py + vy * hours);
    e.TcpaMin = hours * 60.0;
    return e;
}

bool IsDangerous(const Encounter& e, const CpaLimits& limits) {
    return e.HasCpa && e.CpaNm < limits.CpaNm && e.TcpaMin >= 0.0 && e.TcpaMin <= limits.TcpaMin;
}

std::string AgeText(std::int64_t seconds) {
    if (seconds < 0) {
        return {};
    }
    if (seconds < 60) {
        return std::to_string(seconds) + " s";
    }
    if (seconds < 3600) {
        return std::to_string(seconds / 60) + " min";
    }
    return std::to_string(seconds / 3600) + " h";
}

const char* StationKindText(int kind) {
    switch (kind) {
        case kStationBase:
            return "Base station";
        case kStationSarAircraft:
            return "SAR aircraft";
        case kStationAidToNavigation:
            return "Aid to navigation";
        case kStationClassA:
            return "Class A";
        case kStationClassB:
            return "Class B";
        case kShownLongRange:
            return "Long-range";
        default:
            return "Unknown";
    }
}

}  // namespace navoro
