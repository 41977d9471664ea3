#include "tools/sim/TrafficModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "tools/sim/AisPayload.h"
#include "tools/sim/SentenceText.h"

namespace navoro::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Where the own ship starts: the western Baltic, heading east-north-east.
constexpr double kStartLat = 54.5120;
constexpr double kStartLon = 10.4480;
constexpr double kOwnSog = 12.3;
constexpr double kOwnBaseCourse = 75.0;

struct SatelliteOrbit {
    int Prn;
    double MidElevation;
    double Swing;      // elevation swing, degrees
    double Period;     // seconds of one elevation swing
    double Azimuth0;   // degrees
    double DriftRate;  // degrees per second
};

// Ten GPS satellites in view; each keeps between 5 and 85 degrees elevation.
constexpr SatelliteOrbit kOrbits[] = {
    {2, 62, 15, 5400, 41, 0.012},   {5, 35, 20, 4800, 118, -0.010},  {7, 18, 10, 6000, 197, 0.008},
    {9, 71, 12, 7200, 305, 0.015},  {13, 45, 25, 5000, 260, -0.012}, {15, 24, 12, 4200, 82, 0.010},
    {18, 53, 20, 6600, 151, 0.009}, {20, 12, 6, 3600, 338, -0.007},  {24, 30, 18, 5800, 226, 0.011},
    {30, 66, 14, 6400, 12, -0.009},
};

double Wrap360(double degrees) {
    double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// Moves a position by `distance` nautical miles on `course` (flat-earth
// approximation, good for the few miles the simulation covers).
void Move(TrafficModel::Motion& m, double seconds) {
    const double distance = m.SogKnots * seconds / 3600.0;
    const double rad = m.Cog * kPi / 180.0;
    m.Lat += distance * std::cos(rad) / 60.0;
    m.Lon += distance * std::sin(rad) / (60.0 * std::cos(m.Lat * kPi / 180.0));
}

// "ddmm.mmmm,N,dddmm.mmmm,E"
std::string Position(double lat, double lon) {
    auto angle = [](double degrees, int width) {
        const long long total = std::llround(std::fabs(degrees) * 600000.0);  // 1/10000 minute
        const long long whole = total / 600000;
        const long long minutes = (total % 600000) / 10000;
        const long long fraction = total % 10000;
        return Format("%0*lld%02lld.%04lld", width, whole, minutes, fraction);
    };
    return angle(lat, 2) + (lat >= 0 ? ",N," : ",S,") + angle(lon, 3) + (lon >= 0 ? ",E" : ",W");
}

void Emit(std::vector<std::string>& out, const char* formatter, char channel,
          const AisPayload& payload, int sequence = 0) {
    for (std::string& line : Encapsulate(formatter, channel, payload, sequence))
        out.push_back(std::move(line));
}

std::tm Utc(std::int64_t utc) {
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return tm;
}

}  // namespace

TrafficModel::TrafficModel(Codec& codec, std::uint32_t seed) : codec_(codec), random_(seed) {
    own_ = Motion{kStartLat, kStartLon, kOwnSog, kOwnBaseCourse};
    heading_ = kOwnBaseCourse + 2.0;
    for (const SatelliteOrbit& orbit : kOrbits) {
        satellites_.push_back(Satellite{orbit.Prn, 0, 0, 0, false});
        snrOffset_.push_back(0.0);
    }
    UpdateSatellites(0);

    auto offset = [](double north_nm, double east_nm) {
        return Motion{kStartLat + north_nm / 60.0,
                      kStartLon + east_nm / (60.0 * std::cos(kStartLat * kPi / 180.0)), 0, 0};
    };
    Motion m = offset(2.1, 2.4);
    m.SogKnots = 14.2;
    m.Cog = 248.0;
    stations_.push_back(Station{Station::kClassA, 244670123, "BALTIC STAR", "PDBS", 70, 1, 0, m, 2,
                                0, Antenna{120, 28, 10, 12}, "KIEL"});
    m = offset(-3.0, 3.9);
    m.SogKnots = 10.6;
    m.Cog = 301.0;
    stations_.push_back(Station{Station::kClassA, 219004512, "KATTEGAT SPIRIT", "OXKS3", 80, 3, 0,
                                m, 3, 1, Antenna{150, 35, 14, 16}, "FREDERICIA"});
    m = offset(-1.2, -3.5);
    m.SogKnots = 0.1;
    m.Cog = 12.0;
    stations_.push_back(Station{Station::kClassA, 257338000, "NORDLYS", "LAHX", 60, 3, 1, m, 10, 4,
                                Antenna{80, 41, 9, 9}, "OSLO"});
    m = offset(1.4, 0.3);
    m.SogKnots = 5.8;
    m.Cog = 164.0;
    stations_.push_back(Station{Station::kClassB, 211998870, "SEA BREEZE", "DH2577", 37, 18, 15, m,
                                5, 2, Antenna{8, 4, 2, 2}, ""});
    m = Motion{54.4994, 10.2736, 0, 0};
    stations_.push_back(
        Station{Station::kBase, 2111240, "", "", 0, 4, 15, m, 10, 6, Antenna{0, 0, 0, 0}, ""});
}

void TrafficModel::Advance(double seconds) {
    elapsed_ += seconds;
    // The own ship's course swings slowly around its base course.
    own_.Cog = Wrap360(kOwnBaseCourse + 20.0 * std::sin(2 * kPi * elapsed_ / 900.0));
    own_.SogKnots = kOwnSog + 0.4 * std::sin(2 * kPi * elapsed_ / 300.0);
    heading_ = Wrap360(own_.Cog + 2.0);
    Move(own_, seconds);
    for (Station& s : stations_)
        Move(s.Where, seconds);
    UpdateSatellites(elapsed_);
}

void TrafficModel::UpdateSatellites(double elapsed) {
    std::uniform_real_distribution<double> step(-0.4, 0.4);
    for (std::size_t i = 0; i < satellites_.size(); ++i) {
        const SatelliteOrbit& orbit = kOrbits[i];
        Satellite& sat = satellites_[i];
        const double elevation =
            orbit.MidElevation +
            orbit.Swing * std::sin(2 * kPi * elapsed / orbit.Period + orbit.Prn);
        sat.Elevation = std::clamp(static_cast<int>(std::lround(elevation)), 5, 85);
        sat.Azimuth =
            static_cast<int>(std::lround(Wrap360(orbit.Azimuth0 + orbit.DriftRate * elapsed))) %
            360;
        snrOffset_[i] = std::clamp(snrOffset_[i] + step(random_), -3.0, 3.0);
        const double snr = 22.0 + sat.Elevation * 0.3 + snrOffset_[i];
        sat.Snr = std::clamp(static_cast<int>(std::lround(snr)), 20, 50);
        sat.Used = sat.Elevation >= 10 && sat.Snr >= 25;
    }
}

std::string TrafficModel::Compose(const char* formatter, const char* talker) {
    char buffer[kComposeBufferSize];
    if (!ComposeSentence(codec_, buffer, sizeof buffer, formatter, talker)) return {};
    return buffer;
}

void TrafficModel::AddGnss(std::vector<std::string>& out, std::int64_t utc) {
    const std::tm tm = Utc(utc);
    const TimeOfDay now{static_cast<std::uint8_t>(tm.tm_hour), static_cast<std::uint8_t>(tm.tm_min),
                        static_cast<std::uint8_t>(tm.tm_sec), 0};
    const std::string time = Format("%02d%02d%02d.00", tm.tm_hour, tm.tm_min, tm.tm_sec);
    const std::string position = Position(own_.Lat, own_.Lon);

    std::vector<int> used;
    for (const Satellite& s : satellites_)
        if (s.Used && used.size() < 12) used.push_back(s.Prn);
    const double hdop = 0.7 + 0.1 * static_cast<double>(12 - used.size());

    // What the receiver knows, in the codec's stores, for the sentences the
    // codec composes: RMC, GSA, GBS and HDT.
    GnssStore& gnss = codec_.Gnss;
    gnss.Time = now;
    gnss.Status = 'A';
    gnss.ModeIndicator = 'A';
    gnss.Lat = static_cast<float>(own_.Lat);
    gnss.Lon = static_cast<float>(own_.Lon);
    gnss.SogKnots = static_cast<float>(own_.SogKnots);
    gnss.CogTrue = static_cast<float>(own_.Cog);
    gnss.Year = static_cast<std::int16_t>(tm.tm_year + 1900);
    gnss.Month = static_cast<std::uint8_t>(tm.tm_mon + 1);
    gnss.Day = static_cast<std::uint8_t>(tm.tm_mday);
    gnss.SelectionMode = 'A';
    gnss.FixMode = 3;
    for (std::size_t i = 0; i < 12; ++i)
        gnss.SatelliteIds[i] = static_cast<std::int8_t>(i < used.size() ? used[i] : 0);
    gnss.Hdop = static_cast<float>(hdop);
    gnss.Pdop = static_cast<float>(hdop + 0.6);
    gnss.Vdop = static_cast<float>(hdop + 0.3);
    gnss.GbsErrLat = static_cast<float>(1.5 * hdop);
    gnss.GbsErrLon = static_cast<float>(1.2 * hdop);
    gnss.GbsErrAlt = static_cast<float>(2.4 * hdop);
    gnss.GbsFailedSatellite = 255;  // none
    gnss.GbsProbability = kBlankReal;
    gnss.GbsBias = kBlankReal;
    gnss.GbsStdDev = kBlankReal;
    codec_.Nav.Heading = static_cast<float>(heading_);

    out.push_back(Compose("RMC", "GP"));
    out.push_back(Finish(Format("$GPGGA,%s,%s,1,%02zu,%.1f,18.4,M,39.6,M,,", time.c_str(),
                                position.c_str(), used.size(), hdop)));
    out.push_back(Finish(Format("$GPGLL,%s,%s,A,A", position.c_str(), time.c_str())));
    out.push_back(Compose("GSA", "GP"));

    const std::size_t count = satellites_.size();
    const std::size_t messages = (count + 3) / 4;
    for (std::size_t m = 0; m < messages; ++m) {
        std::string gsv = Format("$GPGSV,%zu,%zu,%02zu", messages, m + 1, count);
        for (std::size_t i = m * 4; i < std::min(count, m * 4 + 4); ++i) {
            const Satellite& s = satellites_[i];
            gsv += Format(",%02d,%02d,%03d,%02d", s.Prn, s.Elevation, s.Azimuth, s.Snr);
        }
        out.push_back(Finish(gsv));
    }

    out.push_back(Finish(Format("$GPVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K,A", own_.Cog,
                                Wrap360(own_.Cog - 3.1), own_.SogKnots, own_.SogKnots * 1.852)));
    out.push_back(Finish(Format("$GPZDA,%s,%02d,%02d,%04d,00,00", time.c_str(), tm.tm_mday,
                                tm.tm_mon + 1, tm.tm_year + 1900)));
    out.push_back(Compose("GBS", "GP"));
    out.push_back(Compose("HDT", "HE"));
}

char TrafficModel::NextChannel() {
    return (channel_++ % 2 == 0) ? 'A' : 'B';
}

int TrafficModel::NextSequence() {
    const int id = sequence_;
    sequence_ = (sequence_ + 1) % 10;
    return id;
}

void TrafficModel::AddOwnReports(std::vector<std::string>& out, std::int64_t utc,
                                 const DeviceState& state) {
    if (state.AisTx != 0) return;  // transmitter off: no own reports
    const std::tm tm = Utc(utc);
    PositionReport report;
    report.Type = 1;
    report.Mmsi = state.Mmsi;
    report.NavStatus = state.NavStatus;
    report.RateOfTurn = 0;
    report.SogKnots = own_.SogKnots;
    report.Lat = own_.Lat;
    report.Lon = own_.Lon;
    report.Cog = own_.Cog;
    report.Heading = static_cast<int>(std::lround(heading_)) % 360;
    report.Second = tm.tm_sec;
    // Own reports go out on A and B by turns.
    const char channel = utc % 2 == 0 ? 'A' : 'B';
    Emit(out, "VDO", channel, EncodePositionReport(report));

    // The own static and voyage data every 30 seconds.
    if (utc % 30 == 15) {
        StaticVoyageData data;
        data.Mmsi = state.Mmsi;
        data.Imo = state.Imo;
        data.CallSign = state.CallSign;
        data.Name = state.Name;
        data.ShipType = state.ShipType;
        data.A = state.Internal.A;
        data.B = state.Internal.B;
        data.C = state.Internal.C;
        data.D = state.Internal.D;
        data.EtaMonth = state.VoyageEta.Month;
        data.EtaDay = state.VoyageEta.Day;
        data.EtaHour = state.VoyageEta.Hour;
        data.EtaMinute = state.VoyageEta.Minute;
        data.DraughtTenths = state.DraughtTenths;
        data.Destination = state.Destination;
        data.Dte = state.Dte;
        Emit(out, "VDO", channel == 'A' ? 'B' : 'A', EncodeStaticVoyageData(data), NextSequence());
    }
}

void TrafficModel::AddStations(std::vector<std::string>& out, std::int64_t utc) {
    const std::tm tm = Utc(utc);
    for (const Station& s : stations_) {
        const bool report_due = (utc - s.Phase) % s.Period == 0;
        const bool static_due = (utc - s.Phase * 3) % 30 == 0;
        switch (s.Type) {
            case Station::kClassA: {
                if (report_due) {
                    PositionReport r;
                    r.Type = s.MessageType;
                    r.Mmsi = s.Mmsi;
                    r.NavStatus = s.NavStatus;
                    r.RateOfTurn = 0;
                    r.SogKnots = s.Where.SogKnots;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    r.Cog = s.Where.Cog;
                    r.Heading = static_cast<int>(std::lround(s.Where.Cog)) % 360;
                    r.Second = tm.tm_sec;
                    Emit(out, "VDM", NextChannel(), EncodePositionReport(r));
                }
                if (static_due) {
                    StaticVoyageData d;
                    d.Mmsi = s.Mmsi;
                    d.Imo = 9000000 + s.Mmsi % 1000000;
                    d.CallSign = s.CallSign;
                    d.Name = s.Name;
                    d.ShipType = s.ShipType;
                    d.A = s.Size.A;
                    d.B = s.Size.B;
                    d.C = s.Size.C;
                    d.D = s.Size.D;
                    d.EtaMonth = tm.tm_mon + 1;
                    d.EtaDay = tm.tm_mday;
                    d.EtaHour = 20;
                    d.EtaMinute = 0;
                    d.DraughtTenths = 60 + static_cast<int>(s.Mmsi % 50);
                    d.Destination = s.Destination;
                    Emit(out, "VDM", NextChannel(), EncodeStaticVoyageData(d), NextSequence());
                }
                break;
            }
            case Station::kClassB: {
                if (report_due) {
                    ClassBPositionReport r;
                    r.Mmsi = s.Mmsi;
                    r.SogKnots = s.Where.SogKnots;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    r.Cog = s.Where.Cog;
                    r.Second = tm.tm_sec;
                    Emit(out, "VDM", NextChannel(), EncodeClassBPositionReport(r));
                }
                if (static_due) {
                    ClassBStaticData d;
                    d.Mmsi = s.Mmsi;
                    d.Name = s.Name;
                    d.ShipType = s.ShipType;
                    d.VendorId = "SIM";
                    d.CallSign = s.CallSign;
                    d.A = s.Size.A;
                    d.B = s.Size.B;
                    d.C = s.Size.C;
                    d.D = s.Size.D;
                    Emit(out, "VDM", NextChannel(), EncodeClassBStaticPartA(d));
                    Emit(out, "VDM", NextChannel(), EncodeClassBStaticPartB(d));
                }
                break;
            }
            case Station::kBase: {
                if (report_due) {
                    BaseStationReport r;
                    r.Mmsi = s.Mmsi;
                    r.Year = tm.tm_year + 1900;
                    r.Month = tm.tm_mon + 1;
                    r.Day = tm.tm_mday;
                    r.Hour = tm.tm_hour;
                    r.Minute = tm.tm_min;
                    r.Second = tm.tm_sec;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    Emit(out, "VDM", NextChannel(), EncodeBaseStationReport(r));
                }
                break;
            }
        }
    }
}

std::vector<std::string> TrafficModel::Second(std::int64_t utc, const DeviceState& state) {
    if (start_ < 0) {
        start_ = utc;
    } else if (utc > last_) {
        // A long pause (a suspended machine) moves the ships by ten seconds at most.
        Advance(static_cast<double>(std::min<std::int64_t>(utc - last_, 10)));
    }
    last_ = utc;
    std::vector<std::string> out;
    AddGnss(out, utc);
    AddOwnReports(out, utc, state);
    AddStations(out, utc);
    return out;
}

}  // namespace navoro::sim
