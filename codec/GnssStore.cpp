#include "codec/StoreUpdates.h"

namespace navoro {

namespace {

bool TimeIsValid(const TimeOfDay& t) {
    return t.Hour < 24 && t.Minute < 60 && t.Second < 60;
}

bool DateIsValid(int year, int month, int day) {
    return year > 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

void StoreGga(GnssStore& s, const GgaRecord& r) {
    s.Time = r.Time;
    s.Quality = r.Quality;
    s.Lat = r.Lat;
    s.Lon = r.Lon;
    s.GeoidSeparation = r.GeoidSeparation;
    s.SatellitesUsed = static_cast<std::uint8_t>(r.SatellitesUsed);
    s.GgaReceived = 1;
    s.PositionValid = (r.Quality >= 1 && r.Quality <= 3) ? 1 : 0;
    if (TimeIsValid(r.Time)) s.TimeValid = 1;
}

void StoreGll(GnssStore& s, const GllRecord& r) {
    s.Time = r.Time;
    s.Lat = r.Lat;
    s.Lon = r.Lon;
    s.ModeIndicator = r.ModeIndicator;
    s.Status = r.Status;
    s.PositionValid = r.Status == 'A' ? 1 : 0;
}

void StoreRmc(GnssStore& s, const RmcRecord& r) {
    s.Time = r.Time;
    s.Year = static_cast<std::int16_t>(r.Date.Year);
    s.Month = r.Date.Month;
    s.Day = r.Date.Day;
    s.Lat = r.Lat;
    s.Lon = r.Lon;
    s.CogTrue = r.Cog;
    s.SogKnots = r.Sog;
    s.Status = r.Status;
    s.ModeIndicator = r.ModeIndicator;
    s.PositionValid = r.Status == 'A' ? 1 : 0;
    if (TimeIsValid(r.Time) && DateIsValid(r.Date.Year, r.Date.Month, r.Date.Day)) s.TimeValid = 1;
    s.CourseValid = (r.Cog >= 0.0f && r.Cog <= 360.0f) ? 1 : 0;
}

void StoreVtg(GnssStore& s, const VtgRecord& r) {
    s.CogTrue = r.CogTrue;
    s.CogMagnetic = r.CogMagnetic;
    s.SogKnots = r.SogKnots;
    s.SogKmh = r.SogKmh;
    s.ModeIndicator = r.ModeIndicator;
}

void StoreZda(GnssStore& s, const ZdaRecord& r) {
    s.Time = r.Time;
    s.Year = r.Year;
    s.Month = static_cast<std::uint8_t>(r.Month);
    s.Day = static_cast<std::uint8_t>(r.Day);
    if (TimeIsValid(r.Time) && DateIsValid(r.Year, r.Month, r.Day)) s.TimeValid = 1;
}

void AddUpInView(GnssStore& s) {
    int total = 0;
    for (const GsvCycle& c : s.Cycles)
        total += c.InView;
    s.SatellitesInView = static_cast<std::uint8_t>(total < 255 ? total : 255);
}

// The GSA list a satellite's flag comes from: its constellation's (SBAS
// satellites come with GPS's).
int UsedSlot(Constellation c) {
    return static_cast<int>(c == Constellation::Sbas ? Constellation::Gps : c);
}

void StoreGsa(GnssStore& s, const char* talker, const GsaRecord& r) {
    s.SelectionMode = r.SelectionMode;
    s.FixMode = r.FixMode;
    for (int i = 0; i < kGsaMaxSatellites; ++i)
        s.SatelliteIds[i] = r.SatelliteIds[i];
    s.GsaSatelliteFields = r.SatelliteFields;
    s.GsaSystemId = r.SystemId;
    s.Pdop = r.Pdop;
    s.Hdop = r.Hdop;
    s.Vdop = r.Vdop;
    // The numbers are named under the system ID's or the talker's
    // constellation, and then replace that constellation's list. Under GN
    // without a system ID they are named by their ranges and replace the lists
    // of the constellations they name (an empty one, the list of no system).
    Constellation named = ConstellationOfSystemId(r.SystemId);
    if (named == Constellation::Unknown) named = ConstellationOfTalker(talker);
    if (named != Constellation::Unknown) {
        s.GsaUsedBy[UsedSlot(named)] = 0;
    } else {
        s.GsaUsedBy[0] = 0;
        for (const std::int16_t id : r.SatelliteIds) {
            if (id > 0) s.GsaUsedBy[UsedSlot(NameSatellite(named, id).System)] = 0;
        }
    }
    for (const std::int16_t id : r.SatelliteIds) {
        if (id <= 0) continue;
        const SatelliteName name = NameSatellite(named, id);
        const int slot = named != Constellation::Unknown ? UsedSlot(named) : UsedSlot(name.System);
        if (s.GsaUsedBy[slot] < kGsaMaxSatellites) s.GsaUsed[slot][s.GsaUsedBy[slot]++] = name;
    }
    int total = 0;
    for (const std::uint8_t n : s.GsaUsedBy)
        total += n;
    s.SatellitesUsed = static_cast<std::uint8_t>(total < 255 ? total : 255);
    for (GsvCycle& cycle : s.Cycles) {
        for (int i = 0; i < cycle.Count && i < kGsvCycleCapacity; ++i)
            cycle.Satellites[i].InUse = SatelliteInUse(s, cycle.Satellites[i].Name) ? 1 : 0;
    }
}

// Files a GSV's blocks into its talker's cycle.
void StoreGsvCycle(GnssStore& s, const char* talker, const GsvRecord& r) {
    const Constellation system = ConstellationOfTalker(talker);
    GsvCycle& cycle = s.Cycles[static_cast<int>(system)];
    const int signal = r.SignalId >= 0 && r.SignalId <= 15 ? r.SignalId : 0;
    const auto signalBit = static_cast<std::uint16_t>(1u << signal);
    if (r.MessageNumber == 1 && (cycle.SignalsSeen & signalBit) != 0) {
        cycle.Count = 0;
        cycle.SignalsSeen = 0;
    }
    if (cycle.SignalsSeen == 0) cycle.FirstSignal = signalBit;
    cycle.SignalsSeen = static_cast<std::uint16_t>(cycle.SignalsSeen | signalBit);
    if (signalBit == cycle.FirstSignal) cycle.InView = r.SatellitesInView;
    cycle.StampMs = s.ClockMs;
    const int blocks = r.BlockCount <= 4 ? r.BlockCount : 4;
    for (int b = 0; b < blocks; ++b) {
        if (r.SatId[b] <= 0) continue;
        const SatelliteName name = NameSatellite(system, r.SatId[b]);
        bool listed = false;
        for (int i = 0; i < cycle.Count && !listed; ++i) {
            const SatelliteName& n = cycle.Satellites[i].Name;
            listed = n.System == name.System && n.Number == name.Number;
        }
        if (listed || cycle.Count >= kGsvCycleCapacity) continue;
        GnssSatellite& sat = cycle.Satellites[cycle.Count++];
        sat.Name = name;
        sat.SignalId = r.SignalId;
        sat.Elevation = r.Elevation[b];
        sat.Azimuth = r.Azimuth[b];
        sat.Snr = r.Snr[b];
        sat.InUse = SatelliteInUse(s, name) ? 1 : 0;
    }
}

void StoreGsv(GnssStore& s, const char* talker, const GsvRecord& r) {
    StoreGsvCycle(s, talker, r);
    AddUpInView(s);
    s.GsvSignalId = r.SignalId;
    s.GsvBlockCount = r.BlockCount;
    // The parser derives the block count from the field count; never trust it
    // further than the four entries there are.
    const int blocks = r.BlockCount <= 4 ? r.BlockCount : 4;
    for (int i = 0; i < blocks; ++i) {
        s.GsvSatId[i] = r.SatId[i];
        s.GsvElevation[i] = r.Elevation[i];
        s.GsvAzimuth[i] = r.Azimuth[i];
        s.GsvSnr[i] = r.Snr[i];
    }
    s.GsvTotalMessages = static_cast<std::uint8_t>(r.TotalMessages);
    s.GsvMessageNumber = static_cast<std::uint8_t>(r.MessageNumber);
}

void StoreGbs(GnssStore& s, const GbsRecord& r) {
    s.Time = r.Time;
    s.GbsErrLat = r.ErrLat;
    s.GbsErrLon = r.ErrLon;
    s.GbsErrAlt = r.ErrAlt;
    s.GbsFailedSatellite = r.FailedSatellite;
    s.GbsProbability = r.Probability;
    s.GbsBias = r.Bias;
    s.GbsStdDev = r.BiasStdDev;
    s.GbsSystemId = r.SystemId;
    s.GbsSignalId = r.SignalId;
    if (r.ErrLat > -99999.0f && r.ErrLon > -99999.0f && r.ErrAlt > -99999.0f) s.GbsValid = 1;
}

}  // namespace

void StoreGnssSentence(GnssStore& s, const SentenceRecord& record) {
    s.TalkerCode = TalkerCode(record.Header.Talker);
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("GGA"):
            StoreGga(s, record.Gga);
            break;
        case FormatterKey("GLL"):
            StoreGll(s, record.Gll);
            break;
        case FormatterKey("RMC"):
            StoreRmc(s, record.Rmc);
            break;
        case FormatterKey("VTG"):
            StoreVtg(s, record.Vtg);
            break;
        case FormatterKey("ZDA"):
            StoreZda(s, record.Zda);
            break;
        case FormatterKey("GSA"):
            StoreGsa(s, record.Header.Talker, record.Gsa);
            break;
        case FormatterKey("GSV"):
            StoreGsv(s, record.Header.Talker, record.Gsv);
            break;
        case FormatterKey("GBS"):
            StoreGbs(s, record.Gbs);
            break;
        default:
            break;
    }
}

void StoreNavSentence(NavStore& s, const SentenceRecord& record) {
    s.TalkerCode = TalkerCode(record.Header.Talker);
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("GNS"): {
            const GnsRecord& r = record.Gns;
            s.GnsTime[0] = r.Time.Hour;
            s.GnsTime[1] = r.Time.Minute;
            s.GnsTime[2] = r.Time.Second;
            s.GnsLat = r.Lat;
            s.GnsLon = r.Lon;
            s.GnsModeChars[0] = r.ModeChars[0];
            s.GnsModeChars[1] = r.ModeChars[1];
            s.GnsSatelliteChars[0] = r.SatelliteChars[0];
            s.GnsSatelliteChars[1] = r.SatelliteChars[1];
            s.GnsHdop = r.Hdop;
            s.GnsAltitude = r.Altitude;
            s.GnsGeoidSeparation = r.GeoidSeparation;
            s.GnsDgpsAge = r.DgpsAge;
            s.GnsDgpsStation = r.DgpsStation;
            break;
        }
        case FormatterKey("HDT"):
            s.Heading = record.Hdt.Heading;
            if (record.Hdt.Heading >= 0.0f && record.Hdt.Heading < 360.0f) s.HeadingValid = 1;
            break;
        case FormatterKey("ROT"):
            s.RateOfTurn = record.Rot.Rate;
            s.WaterStatus = record.Rot.Status;
            break;
        case FormatterKey("VBW"): {
            const VbwRecord& r = record.Vbw;
            s.WaterSpeedLong = r.WaterSpeedLong;
            s.WaterSpeedTrans = r.WaterSpeedTrans;
            s.WaterStatus = r.WaterStatus;
            s.GroundSpeedLong = r.GroundSpeedLong;
            s.GroundSpeedTrans = r.GroundSpeedTrans;
            s.GroundStatus = r.GroundStatus;
            break;
        }
        default:
            break;
    }
}

bool ExpireGsvCycles(GnssStore& s, std::int64_t nowMs) {
    bool dropped = false;
    for (GsvCycle& cycle : s.Cycles) {
        if ((cycle.Count == 0 && cycle.InView == 0) || nowMs - cycle.StampMs <= kGsvCycleLifetimeMs)
            continue;
        cycle.Count = 0;
        cycle.InView = 0;
        cycle.SignalsSeen = 0;
        cycle.FirstSignal = 0;
        dropped = true;
    }
    if (dropped) AddUpInView(s);
    return dropped;
}

bool SatelliteInUse(const GnssStore& s, const SatelliteName& name) {
    // A satellite of a known system is in its system's list; one named by no
    // system, in the list of no system.
    const int slot = UsedSlot(name.System);
    const int used = s.GsaUsedBy[slot] < kGsaMaxSatellites ? s.GsaUsedBy[slot] : kGsaMaxSatellites;
    for (int i = 0; i < used; ++i) {
        const SatelliteName& n = s.GsaUsed[slot][i];
        if (n.System == name.System && n.Number == name.Number) return true;
    }
    return false;
}

}  // namespace navoro
