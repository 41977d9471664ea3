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

// The satellites a multi-constellation receiver has in view besides the GPS
// ones above, by system: GLONASS (numbered 65-96), Galileo and BeiDou.
constexpr int kGlonass[] = {65, 66, 71, 72, 73, 80, 81, 87};
constexpr int kGalileo[] = {4, 5, 9, 11, 19, 24, 26, 31, 36};
constexpr int kBeidou[] = {8, 13, 19, 20, 23, 27, 33, 45};

// The most satellites the modern receiver uses in its fix.
constexpr std::size_t kModernMaxUsed = 24;

// The talker of each system's GSV and the signal it reports (GPS L1 C/A,
// GLONASS L1 OF, Galileo E1 B/C, BeiDou B1I).
struct SystemSignal {
    int System;
    const char* Talker;
    int SignalId;
};
constexpr SystemSignal kSystems[] = {{1, "GP", 1}, {2, "GL", 1}, {3, "GA", 7}, {4, "GB", 1}};

// Magnetic variation: magnetic course = true course - 3.1 degrees.
constexpr double kVariationEast = 3.1;

// The fleet: how far from the own ship stations are placed, and when a
// roaming one comes back.
constexpr double kRangeNm = 20.0;
constexpr double kComeBackNm = 21.0;
// A vessel on a collision course: each encounter takes this long from its
// start to the closest point, passes at this distance, and comes again after
// kEncounterCycle seconds.
constexpr double kEncounterSeconds[2] = {360, 480};
constexpr double kEncounterMissNm[2] = {0.15, 0.25};
constexpr double kEncounterCycle = 900;

// About how many characters one report takes on the line, CR LF included.
constexpr std::size_t kPositionBytes = 50;
constexpr std::size_t kStaticABytes = 125;
constexpr std::size_t kStaticBBytes = 100;
constexpr std::size_t kAidBytes = 80;
constexpr std::size_t kLongRangeBytes = 38;

constexpr const char* kFirstWords[] = {
    "NORTHERN", "BALTIC",  "SILVER", "OCEAN",  "ATLANTIC", "POLAR",  "GOLDEN", "NORDIC",
    "ARCTIC",   "WESTERN", "CORAL",  "STELLA", "HANSA",    "VIKING", "AURORA", "EMERALD"};
constexpr const char* kSecondWords[] = {"STAR",    "WIND",    "SPIRIT",  "TRADER", "PIONEER",
                                        "QUEEN",   "HARMONY", "EXPRESS", "FALCON", "HORIZON",
                                        "VOYAGER", "BRIDGE",  "CARRIER", "DAWN"};
constexpr const char* kYachtNames[] = {"MOWE",   "SEESTERN", "ALBATROS", "LIBELLE",
                                       "FREYA",  "ODIN",     "KORMORAN", "SVALA",
                                       "MARLIN", "NORDWIND", "LUNA",     "SKARV"};
constexpr const char* kPorts[] = {"KIEL",       "ROSTOCK", "GDANSK",   "AARHUS",    "GOTEBORG",
                                  "FREDERICIA", "OSLO",    "KLAIPEDA", "STOCKHOLM", "HAMBURG"};
constexpr std::uint32_t kMids[] = {211, 219, 244, 257, 265, 230, 636, 538, 305, 273};

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

TrafficModel::TrafficModel(Codec& codec, std::uint32_t seed, GnssForm form, int targets)
    : codec_(codec), random_(seed), fleetRandom_(seed ^ 0x5EA5EAU), form_(form) {
    own_ = Motion{kStartLat, kStartLon, kOwnSog, kOwnBaseCourse};
    heading_ = kOwnBaseCourse + 2.0;
    for (const SatelliteOrbit& o : kOrbits)
        orbits_.push_back(
            Orbit{o.Prn, 1, o.MidElevation, o.Swing, o.Period, o.Azimuth0, o.DriftRate});
    if (form_ == GnssForm::kModern) {
        // Spread the other systems' satellites over the sky, a few of them low.
        auto add = [this](int system, const auto& prns) {
            for (const int prn : prns) {
                const int k = static_cast<int>(orbits_.size());
                orbits_.push_back(Orbit{prn, system, 12.0 + (k * 37) % 68, 4.0 + (k * 7) % 10,
                                        4000.0 + (k * 173) % 3000, (k * 103) % 360 + 0.5,
                                        (k % 2 == 0 ? 1 : -1) * (0.006 + (k % 5) * 0.002)});
            }
        };
        add(2, kGlonass);
        add(3, kGalileo);
        add(4, kBeidou);
        // A BeiDou satellite rising in the north-west, too low to be tracked.
        orbits_.push_back(Orbit{60, 4, 6.0, 1.0, 5000.0, 312.0, 0.004});
    }
    for (const Orbit& orbit : orbits_) {
        Satellite sat{orbit.Prn, 0, 0, 0, false};
        sat.System = orbit.System;
        satellites_.push_back(sat);
        snrOffset_.push_back(0.0);
    }
    UpdateSatellites(0);

    if (targets >= 0) {
        fleet_ = true;
        MakeFleet(std::min(targets, kMaxTargets));
        return;
    }

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
    for (Station& s : stations_)
        s.StaticPhase = s.Phase * 3;
    if (form_ != GnssForm::kClassic) AddExtraStations();
}

void TrafficModel::AddExtraStations() {
    // A buoy whose name runs into the name extension (346 bits, not a whole
    // number of bytes) and a ship far out that sends long-range broadcasts.
    Station aid{Station::kAidToNavigation,
                992111851,
                "FEHMARNBELT NORTH CARDINAL LIGHT",
                "",
                0,
                21,
                0,
                Motion{kStartLat + 2.6 / 60.0, kStartLon + 0.05, 0, 0},
                30,
                5,
                Antenna{2, 2, 1, 1},
                ""};
    aid.AidType = 24;  // a floating north cardinal mark
    aid.ExtraBits = 2;
    stations_.push_back(aid);
    Station far{Station::kLongRange,
                636019825,
                "ATLANTIC HARMONY",
                "D5QT4",
                70,
                27,
                0,
                Motion{kStartLat - 0.25, kStartLon + 0.32, 11.0, 290.0},
                20,
                8,
                Antenna{180, 45, 16, 16},
                "GOTEBORG"};
    far.StaticPhase = 12;
    far.Roams = true;
    stations_.push_back(far);
}

TrafficModel::Motion TrafficModel::OwnAfter(double seconds) const {
    // The own ship's course and speed are a function of time: follow them.
    Motion m = own_;
    double t = elapsed_;
    for (double done = 0; done < seconds; done += 1.0) {
        t += 1.0;
        m.Cog = Wrap360(kOwnBaseCourse + 20.0 * std::sin(2 * kPi * t / 900.0));
        m.SogKnots = kOwnSog + 0.4 * std::sin(2 * kPi * t / 300.0);
        Move(m, 1.0);
    }
    return m;
}

void TrafficModel::ArmEncounter(Station& s) {
    // Where the own ship will be when the encounter is closest; the vessel
    // gets there at the same time, a little to one side, on a course that
    // crosses the own ship's.
    const int k = s.Encounter;
    const double seconds = kEncounterSeconds[k];
    const Motion meet = OwnAfter(seconds);
    const double side = (meet.Cog + 90.0) * kPi / 180.0;
    Motion m{
        meet.Lat + kEncounterMissNm[k] * std::cos(side) / 60.0,
        meet.Lon + kEncounterMissNm[k] * std::sin(side) / (60.0 * std::cos(meet.Lat * kPi / 180.0)),
        k == 0 ? 14.5 : 11.0, Wrap360(meet.Cog + (k == 0 ? 160.0 : -95.0))};
    Move(m, -seconds);
    s.Where = m;
}

void TrafficModel::Roam(Station& s) {
    const double north = (s.Where.Lat - own_.Lat) * 60.0;
    const double east = (s.Where.Lon - own_.Lon) * 60.0 * std::cos(own_.Lat * kPi / 180.0);
    if (std::hypot(north, east) <= kComeBackNm) return;
    // Gone out of range: another one comes in ahead of the own ship, heading
    // roughly towards it.
    std::uniform_real_distribution<double> spread(-100.0, 100.0);
    const double bearing = Wrap360(own_.Cog + spread(fleetRandom_));
    const double rad = bearing * kPi / 180.0;
    const double range = kRangeNm - 1.0;
    s.Where.Lat = own_.Lat + range * std::cos(rad) / 60.0;
    s.Where.Lon = own_.Lon + range * std::sin(rad) / (60.0 * std::cos(own_.Lat * kPi / 180.0));
    s.Where.Cog = Wrap360(bearing + 180.0 + spread(fleetRandom_) * 0.5);
}

void TrafficModel::MakeFleet(int count) {
    std::mt19937& r = fleetRandom_;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto around = [&](double min_nm, double max_nm) {
        const double range = min_nm + (max_nm - min_nm) * std::sqrt(unit(r));
        const double rad = 2 * kPi * unit(r);
        return Motion{
            kStartLat + range * std::cos(rad) / 60.0,
            kStartLon + range * std::sin(rad) / (60.0 * std::cos(kStartLat * kPi / 180.0)), 0, 0};
    };
    auto pick = [&](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(r)];
    };
    auto vessel_name = [&](int i) {
        std::string name = std::string(pick(kFirstWords)) + " " + pick(kSecondWords);
        if (i >= 100) name += " " + std::to_string(i % 100);
        return name;
    };
    for (int i = 0; i < count; ++i) {
        const std::uint32_t mid = kMids[static_cast<std::size_t>(i) % std::size(kMids)];
        const std::uint32_t serial = static_cast<std::uint32_t>(i);
        Station s{Station::kClassA,
                  mid * 1000000 + 100000 + serial,
                  vessel_name(i),
                  Format("%c%c%04u", 'A' + i % 26, 'B' + i / 26 % 25, serial % 10000),
                  70,
                  1,
                  0,
                  around(1.0, kRangeNm),
                  10,
                  0,
                  Antenna{100, 20, 8, 8},
                  pick(kPorts)};
        s.StaticPeriod = 60;
        s.Roams = true;
        switch (i) {
            case 0:
            case 1:  // on a collision course
                s.Encounter = i;
                s.ShipType = i == 0 ? 80 : 70;
                s.Period = 6;
                ArmEncounter(s);
                break;
            case 2:    // a buoy with a name extension
            case 6: {  // a virtual wreck mark, its name two characters into the extension
                s.Type = Station::kAidToNavigation;
                s.MessageType = 21;
                s.Mmsi = 990000000 + mid * 10000 + serial;
                s.Name = i == 2 ? "FEHMARNBELT NORTH CARDINAL LIGHT" : "WRECK MARK PETERSGRUND";
                s.AidType = i == 2 ? 24 : 28;  // north cardinal, isolated danger
                s.ExtraBits = i == 2 ? 2 : 0;
                s.Virtual = i == 6;
                s.Where = around(2.0, 8.0);
                s.Period = 60;
                s.Roams = false;
                s.Size = Antenna{2, 2, 1, 1};
                break;
            }
            case 3:  // a base station
                s.Type = Station::kBase;
                s.MessageType = 4;
                s.Mmsi = mid * 10000 + serial;
                s.Name.clear();
                s.Where = around(5.0, 12.0);
                s.Roams = false;
                break;
            case 4:  // a ship that sends long-range broadcasts
                s.Type = Station::kLongRange;
                s.MessageType = 27;
                s.Period = 60;
                s.Where.SogKnots = 11.0;
                s.Where.Cog = 360.0 * unit(r);
                break;
            case 5:  // a SAR aircraft circling
                s.Type = Station::kSarAircraft;
                s.MessageType = 9;
                s.Mmsi = 111000000 + mid * 1000 + serial;
                s.Name = "SAR HELICOPTER";
                s.Where.SogKnots = 110;
                s.TurnRate = 1.0;
                break;
            default:
                if (unit(r) < 0.3) {
                    s.Type = Station::kClassB;
                    s.MessageType = 18;
                    s.Mmsi = mid * 1000000 + 600000 + serial;
                    s.Name = pick(kYachtNames);
                    s.ShipType = 37;
                    s.Period = 30;
                    s.Size = Antenna{8, 4, 2, 2};
                    s.Destination.clear();
                    s.Where.SogKnots = 2.0 + 6.0 * unit(r);
                } else if (unit(r) < 0.1) {  // at anchor
                    s.MessageType = 3;
                    s.NavStatus = 1;
                    s.Period = 30;
                } else {
                    s.MessageType = unit(r) < 0.5 ? 1 : 3;
                    s.Where.SogKnots = 6.0 + 14.0 * unit(r);
                    s.Period = s.Where.SogKnots > 14.0 ? 6 : 10;
                    s.ShipType = unit(r) < 0.6 ? 70 : 80;
                }
                s.Where.Cog = 360.0 * unit(r);
                break;
        }
        s.Phase = i % s.Period;
        s.StaticPhase = (i * 7) % s.StaticPeriod;
        stations_.push_back(std::move(s));
    }
}

void TrafficModel::PlanRate(int rate, std::size_t streamBytes) {
    // The bytes a second the stations send at their own rates, against what
    // the port carries besides the receiver's and the own ship's lines.
    double load = 0;
    for (const Station& s : stations_) {
        std::size_t report = kPositionBytes;
        std::size_t statics = 0;
        if (s.Type == Station::kAidToNavigation) report = kAidBytes;
        if (s.Type == Station::kLongRange) report = kLongRangeBytes;
        if (s.Type == Station::kClassA || s.Type == Station::kLongRange) statics = kStaticABytes;
        if (s.Type == Station::kClassB) statics = kStaticBBytes;
        load +=
            static_cast<double>(report) / s.Period + static_cast<double>(statics) / s.StaticPeriod;
    }
    const double budget = rate / 10.0 * kRateShare - static_cast<double>(streamBytes);
    // Some room for the seconds on which more reports fall than on others.
    const double usable = 0.85 * std::max(budget, 1.0);
    if (load <= usable) return;
    const double slower = load / usable;
    for (std::size_t i = 0; i < stations_.size(); ++i) {
        Station& s = stations_[i];
        s.Period = static_cast<int>(std::ceil(s.Period * slower));
        s.StaticPeriod = static_cast<int>(std::ceil(s.StaticPeriod * slower));
        s.Phase = static_cast<int>(i % static_cast<std::size_t>(s.Period));
        s.StaticPhase = static_cast<int>((i * 7) % static_cast<std::size_t>(s.StaticPeriod));
    }
    classAPeriod_ = static_cast<int>(std::ceil(10 * slower));
}

void TrafficModel::Advance(double seconds) {
    elapsed_ += seconds;
    // The own ship's course swings slowly around its base course.
    own_.Cog = Wrap360(kOwnBaseCourse + 20.0 * std::sin(2 * kPi * elapsed_ / 900.0));
    own_.SogKnots = kOwnSog + 0.4 * std::sin(2 * kPi * elapsed_ / 300.0);
    heading_ = Wrap360(own_.Cog + 2.0);
    Move(own_, seconds);
    for (Station& s : stations_) {
        if (s.TurnRate != 0) s.Where.Cog = Wrap360(s.Where.Cog + s.TurnRate * seconds);
        Move(s.Where, seconds);
        if (s.Encounter >= 0 && elapsed_ >= nextEncounter_[s.Encounter]) {
            nextEncounter_[s.Encounter] += kEncounterCycle;
            ArmEncounter(s);
        } else if (s.Roams) {
            Roam(s);
        }
    }
    UpdateSatellites(elapsed_);
}

void TrafficModel::UpdateSatellites(double elapsed) {
    std::uniform_real_distribution<double> step(-0.4, 0.4);
    for (std::size_t i = 0; i < satellites_.size(); ++i) {
        const Orbit& orbit = orbits_[i];
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
    if (form_ != GnssForm::kModern) return;
    // Satellites just above the horizon are not tracked; of the others, the
    // highest ones make the fix.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < satellites_.size(); ++i) {
        if (satellites_[i].Elevation < 8) satellites_[i].Snr = 0;
        if (satellites_[i].Used) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return satellites_[a].Elevation > satellites_[b].Elevation;
    });
    for (std::size_t k = kModernMaxUsed; k < order.size(); ++k)
        satellites_[order[k]].Used = false;
}

std::string TrafficModel::Compose(const char* formatter, const char* talker) {
    char buffer[kComposeBufferSize];
    if (!ComposeSentence(codec_, buffer, sizeof buffer, formatter, talker)) return {};
    return buffer;
}

void TrafficModel::AddGnss(std::vector<std::string>& out, std::int64_t utc) {
    if (form_ == GnssForm::kModern) return AddModernGnss(out, utc);
    if (form_ == GnssForm::kLegacy) return AddLegacyGnss(out, utc);
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

void TrafficModel::AddModernGnss(std::vector<std::string>& out, std::int64_t utc) {
    const std::tm tm = Utc(utc);
    const std::string time = Format("%02d%02d%02d.00", tm.tm_hour, tm.tm_min, tm.tm_sec);
    const std::string position = Position(own_.Lat, own_.Lon);
    std::size_t used = 0;
    for (const Satellite& s : satellites_)
        used += s.Used ? 1 : 0;
    const double hdop = std::max(0.5, 1.2 - 0.025 * static_cast<double>(used));
    const double pdop = hdop + 0.4;
    const double vdop = hdop + 0.2;
    codec_.Nav.Heading = static_cast<float>(heading_);

    out.push_back(
        Finish(Format("$GNRMC,%s,A,%s,%.1f,%.1f,%02d%02d%02d,,,A,V", time.c_str(), position.c_str(),
                      own_.SogKnots, own_.Cog, tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100)));
    out.push_back(Finish(Format("$GNGGA,%s,%s,1,%02zu,%.1f,18.4,M,39.6,M,,", time.c_str(),
                                position.c_str(), used, hdop)));
    out.push_back(Finish(Format("$GNGNS,%s,%s,AAAA,%02zu,%.1f,18.4,39.6,,,V", time.c_str(),
                                position.c_str(), used, hdop)));
    out.push_back(Finish(Format("$GNGLL,%s,%s,A,A", position.c_str(), time.c_str())));
    // One GSA per system, with the system ID last.
    for (const SystemSignal& system : kSystems) {
        std::string gsa = "$GNGSA,A,3";
        int listed = 0;
        for (const Satellite& s : satellites_) {
            if (s.System != system.System || !s.Used || listed == 12) continue;
            gsa += Format(",%02d", s.Prn);
            ++listed;
        }
        for (; listed < 12; ++listed)
            gsa += ",";
        out.push_back(Finish(gsa + Format(",%.1f,%.1f,%.1f,%d", pdop, hdop, vdop, system.System)));
    }
    // A GSV cycle per system, with the signal ID after the last block.
    for (const SystemSignal& system : kSystems) {
        std::vector<const Satellite*> seen;
        for (const Satellite& s : satellites_)
            if (s.System == system.System) seen.push_back(&s);
        const std::size_t messages = (seen.size() + 3) / 4;
        for (std::size_t m = 0; m < messages; ++m) {
            std::string gsv =
                Format("$%sGSV,%zu,%zu,%02zu", system.Talker, messages, m + 1, seen.size());
            for (std::size_t i = m * 4; i < std::min(seen.size(), m * 4 + 4); ++i) {
                const Satellite& s = *seen[i];
                gsv += Format(",%02d,%02d,%03d,", s.Prn, s.Elevation, s.Azimuth);
                if (s.Snr > 0) gsv += Format("%02d", s.Snr);
            }
            out.push_back(Finish(gsv + Format(",%d", system.SignalId)));
        }
    }
    out.push_back(
        Finish(Format("$GNVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K,A", own_.Cog,
                      Wrap360(own_.Cog - kVariationEast), own_.SogKnots, own_.SogKnots * 1.852)));
    out.push_back(Finish(Format("$GNZDA,%s,%02d,%02d,%04d,00,00", time.c_str(), tm.tm_mday,
                                tm.tm_mon + 1, tm.tm_year + 1900)));
    out.push_back(Finish(Format("$GNGBS,%s,%.1f,%.1f,%.1f,,,,,1,1", time.c_str(), 1.5 * hdop,
                                1.2 * hdop, 2.4 * hdop)));
    out.push_back(Compose("HDT", "HE"));
}

void TrafficModel::AddLegacyGnss(std::vector<std::string>& out, std::int64_t utc) {
    const std::tm tm = Utc(utc);
    const std::string time = Format("%02d%02d%02d.00", tm.tm_hour, tm.tm_min, tm.tm_sec);
    const std::string position = Position(own_.Lat, own_.Lon);
    std::vector<int> used;
    for (const Satellite& s : satellites_)
        if (s.Used && used.size() < 12) used.push_back(s.Prn);
    const double hdop = 0.7 + 0.1 * static_cast<double>(12 - used.size());
    codec_.Nav.Heading = static_cast<float>(heading_);

    out.push_back(Finish(Format("$GPRMC,%s,A,%s,%.1f,%.1f,%02d%02d%02d,%.1f,E", time.c_str(),
                                position.c_str(), own_.SogKnots, own_.Cog, tm.tm_mday,
                                tm.tm_mon + 1, tm.tm_year % 100, kVariationEast)));
    out.push_back(Finish(Format("$GPGGA,%s,%s,1,%02zu,%.1f,18.4,M,39.6,M,,", time.c_str(),
                                position.c_str(), used.size(), hdop)));
    out.push_back(Finish(Format("$GPGLL,%s,%s,A", position.c_str(), time.c_str())));
    std::string gsa = "$GPGSA,A,3";
    for (std::size_t i = 0; i < 12; ++i)
        gsa += i < used.size() ? Format(",%02d", used[i]) : std::string(",");
    out.push_back(Finish(gsa + Format(",%.1f,%.1f,%.1f", hdop + 0.6, hdop, hdop + 0.3)));
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
    out.push_back(
        Finish(Format("$GPVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K", own_.Cog,
                      Wrap360(own_.Cog - kVariationEast), own_.SogKnots, own_.SogKnots * 1.852)));
    out.push_back(Finish(Format("$GPZDA,%s,%02d,%02d,%04d,00,00", time.c_str(), tm.tm_mday,
                                tm.tm_mon + 1, tm.tm_year + 1900)));
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

    // The own static and voyage data every period (15 seconds into it), and
    // when asked for.
    if (utc % ownStaticPeriod_ == 15 % ownStaticPeriod_ || ownStaticNow_) {
        ownStaticNow_ = false;
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

void TrafficModel::AddStation(std::vector<std::string>& out, const Station& s, std::int64_t utc) {
    const std::tm tm = Utc(utc);
    {
        const bool report_due = (utc - s.Phase) % s.Period == 0;
        const bool static_due = (utc - s.StaticPhase) % s.StaticPeriod == 0;
        switch (s.Type) {
            case Station::kClassA:
            case Station::kLongRange: {
                if (report_due && s.Type == Station::kLongRange) {
                    LongRangeReport r;
                    r.Mmsi = s.Mmsi;
                    r.NavStatus = s.NavStatus;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    r.SogKnots = s.Where.SogKnots;
                    r.Cog = s.Where.Cog;
                    Emit(out, "VDM", NextChannel(), EncodeLongRangeReport(r));
                } else if (report_due) {
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
            case Station::kAidToNavigation: {
                if (report_due) {
                    AidToNavigationReport r;
                    r.Mmsi = s.Mmsi;
                    r.AidType = s.AidType;
                    r.Name = s.Name;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    r.A = s.Size.A;
                    r.B = s.Size.B;
                    r.C = s.Size.C;
                    r.D = s.Size.D;
                    r.Second = tm.tm_sec;
                    r.Virtual = s.Virtual;
                    r.ExtraBits = s.ExtraBits;
                    Emit(out, "VDM", NextChannel(), EncodeAidToNavigationReport(r));
                }
                break;
            }
            case Station::kSarAircraft: {
                if (report_due) {
                    SarAircraftReport r;
                    r.Mmsi = s.Mmsi;
                    r.Altitude = 300;
                    r.SogKnots = s.Where.SogKnots;
                    r.Lat = s.Where.Lat;
                    r.Lon = s.Where.Lon;
                    r.Cog = s.Where.Cog;
                    r.Second = tm.tm_sec;
                    Emit(out, "VDM", NextChannel(), EncodeSarAircraftReport(r));
                }
                break;
            }
        }
    }
}

void TrafficModel::AddStations(std::vector<std::string>& out, std::int64_t utc, int rate,
                               std::size_t streamBytes) {
    if (!fleet_) {
        for (const Station& s : stations_)
            AddStation(out, s, utc);
        return;
    }
    // What the port carries in a second besides the receiver and the own
    // ship; each second starts with another station so that what does not
    // fit is not always the same station's.
    const double budget = rate / 10.0 * kRateShare - static_cast<double>(streamBytes);
    double sent = 0;
    std::vector<std::string> lines;
    const std::size_t count = stations_.size();
    for (std::size_t k = 0; k < count; ++k) {
        lines.clear();
        AddStation(lines, stations_[(first_ + k) % count], utc);
        std::size_t bytes = 0;
        for (const std::string& line : lines)
            bytes += line.size();
        if (bytes == 0) continue;
        if (sent + static_cast<double>(bytes) > budget) {
            ++dropped_;
            continue;
        }
        sent += static_cast<double>(bytes);
        for (std::string& line : lines)
            out.push_back(std::move(line));
    }
    if (count > 0) first_ = (first_ + 1) % count;
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
    if (fleet_) {
        std::size_t bytes = 0;
        for (const std::string& line : out)
            bytes += line.size();
        const int rate = state.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))];
        if (!ratePlanned_) {
            // The own static data adds about 125 bytes every 30 seconds.
            PlanRate(rate, bytes + kStaticABytes / 30);
            ratePlanned_ = true;
        }
        AddStations(out, utc, rate, bytes);
    } else {
        AddStations(out, utc, 0, 0);
    }
    return out;
}

}  // namespace navoro::sim
