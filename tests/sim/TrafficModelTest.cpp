#include "tools/sim/TrafficModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "tests/sim/AisLines.h"
#include "tests/sim/CodecHolder.h"

namespace navoro::sim {
namespace {

constexpr std::int64_t kNoon = 1718712000;  // 2024-06-18 12:00:00 UTC

// A model with a codec of its own to compose with.
class TestModel : private test::CodecHolder, public TrafficModel {
  public:
    explicit TestModel(std::uint32_t seed, GnssForm form = GnssForm::kClassic, int targets = -1)
        : TrafficModel(*codec, seed, form, targets) {}
};

// An AIS text without its '@' padding.
std::string Unpadded(const char* text) {
    std::string s = text;
    s.erase(s.find_last_not_of('@') + 1);
    return s;
}

std::string Formatter(const std::string& line) {
    return line.size() > 6 ? line.substr(3, 3) : std::string();
}

TEST(TrafficModelTest, EverySecondCarriesTheGnssSentencesAndTheOwnReport) {
    TestModel model(1);
    const DeviceState state;
    for (std::int64_t t = kNoon; t < kNoon + 3; ++t) {
        std::map<std::string, int> count;
        for (const std::string& line : model.Second(t, state))
            ++count[line.substr(0, 6)];
        for (const char* head : {"$GPRMC", "$GPGGA", "$GPGLL", "$GPGSA", "$GPVTG", "$GPZDA",
                                 "$GPGBS", "$HEHDT", "!AIVDO"})
            EXPECT_EQ(count[head], 1) << head << " at " << t;
        EXPECT_EQ(count["$GPGSV"], 3);
    }
}

TEST(TrafficModelTest, ReceivePathDecodesEveryStationIntoTheTargetTable) {
    TestModel model(7);
    DeviceState state;
    auto codec = std::make_unique<Codec>();
    std::set<std::string> ais_kinds;
    for (std::int64_t t = kNoon; t < kNoon + 60; ++t) {
        for (const std::string& line : model.Second(t, state)) {
            SCOPED_TRACE(line);
            ASSERT_LE(line.size(), 82u);
            if (line[0] == '$') {
                EXPECT_TRUE(RouteSentence(*codec, line.c_str()));
                continue;
            }
            const bool last_part = line[7] == line[9];  // !AIVDx,n,n,...
            EXPECT_EQ(RouteSentence(*codec, line.c_str()), last_part);
            const char channel = codec->Received.Vdm.Channel;
            EXPECT_TRUE(channel == 'A' || channel == 'B');
            if (last_part)
                ais_kinds.insert(Formatter(line) + std::to_string(codec->Bits.Bits[0] >> 2));
        }
    }
    // Own reports, other ships' position reports, static data, a base station
    // and a Class B vessel.
    for (const char* kind : {"VDO1", "VDO5", "VDM1", "VDM3", "VDM4", "VDM5", "VDM18", "VDM24"})
        EXPECT_TRUE(ais_kinds.count(kind)) << kind;

    // The GNSS status as the receive path keeps it.
    const GnssStore& gnss = codec->Gnss;
    EXPECT_EQ(gnss.PositionValid, 1);
    EXPECT_EQ(gnss.TimeValid, 1);
    EXPECT_EQ(gnss.FixMode, 3);
    EXPECT_EQ(gnss.SatellitesInView, 10);
    EXPECT_EQ(gnss.Year, 2024);
    EXPECT_NEAR(gnss.Lat, model.OwnShip().Lat, 1e-4);
    EXPECT_NEAR(gnss.Hdop, 0.9, 0.31);
    EXPECT_EQ(gnss.GbsValid, 1);
    EXPECT_EQ(codec->Nav.HeadingValid, 1);

    const TargetTable& targets = codec->Targets;
    const TargetEntry& own = targets.Entry(0);
    EXPECT_EQ(own.Mmsi, state.Mmsi);
    EXPECT_EQ(Unpadded(own.Name), "NORDIC TRADER");
    EXPECT_NEAR(own.Latitude, model.OwnShip().Lat, 0.001);
    EXPECT_NEAR(own.Longitude, model.OwnShip().Lon, 0.001);
    EXPECT_EQ(own.TimestampValid, 1);
    auto find = [&](std::uint32_t mmsi) -> const TargetEntry* {
        for (int i = 1; i < targets.Count(); ++i)
            if (targets.Entry(i).Mmsi == mmsi) return &targets.Entry(i);
        return nullptr;
    };
    EXPECT_EQ(targets.Count(), 6);  // the own ship and five stations
    const TargetEntry* cargo = find(244670123);
    ASSERT_NE(cargo, nullptr);
    EXPECT_EQ(Unpadded(cargo->Name), "BALTIC STAR");
    EXPECT_EQ(Unpadded(cargo->Destination), "KIEL");
    const TargetEntry* yacht = find(211998870);
    ASSERT_NE(yacht, nullptr);
    EXPECT_EQ(yacht->StationKind, kStationClassB);
    EXPECT_EQ(Unpadded(yacht->Name), "SEA BREEZE");
    const TargetEntry* base = find(2111240);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->StationKind, kStationBase);
}

TEST(TrafficModelTest, AisChannelsAlternate) {
    TestModel model(1);
    std::map<char, int> channels;
    for (std::int64_t t = kNoon; t < kNoon + 20; ++t)
        for (const std::string& line : model.Second(t, DeviceState{}))
            if (line.rfind("!AIVDO,1,1,", 0) == 0) ++channels[line[12]];
    EXPECT_EQ(channels['A'], 10);
    EXPECT_EQ(channels['B'], 10);
}

TEST(TrafficModelTest, OwnShipMovesAndSatellitesDriftSlowly) {
    TestModel model(3);
    const DeviceState state;
    model.Second(kNoon, state);
    const TrafficModel::Motion start = model.OwnShip();
    std::vector<TrafficModel::Satellite> before = model.Satellites();
    ASSERT_EQ(before.size(), 10u);
    for (std::int64_t t = kNoon + 1; t <= kNoon + 600; ++t) {
        model.Second(t, state);
        const std::vector<TrafficModel::Satellite>& now = model.Satellites();
        for (std::size_t i = 0; i < now.size(); ++i) {
            SCOPED_TRACE(now[i].Prn);
            EXPECT_LE(std::abs(now[i].Elevation - before[i].Elevation), 1);
            EXPECT_LE(std::abs(now[i].Snr - before[i].Snr), 2);
            EXPECT_GE(now[i].Elevation, 5);
            EXPECT_LE(now[i].Elevation, 85);
            EXPECT_GE(now[i].Snr, 20);
            EXPECT_LE(now[i].Snr, 50);
        }
        before = now;
    }
    // About 12 knots for ten minutes: two nautical miles, mostly eastward.
    const double north = (model.OwnShip().Lat - start.Lat) * 60;
    const double east =
        (model.OwnShip().Lon - start.Lon) * 60 * std::cos(start.Lat * std::numbers::pi / 180);
    EXPECT_NEAR(std::hypot(north, east), 2.05, 0.15);
    EXPECT_GT(east, 1.5);
}

TEST(TrafficModelTest, NoOwnReportsWhileTheTransmitterIsOff) {
    TestModel model(1);
    DeviceState state;
    state.AisTx = 1;
    for (std::int64_t t = kNoon; t < kNoon + 31; ++t)
        for (const std::string& line : model.Second(t, state))
            EXPECT_NE(line.rfind("!AIVDO", 0), 0u);
}

TEST(TrafficModelTest, OwnReportsFollowTheDeviceState) {
    TestModel model(1);
    DeviceState state;
    state.Mmsi = 2;
    state.Name = "RENAMED";
    auto codec = std::make_unique<Codec>();
    for (std::int64_t t = kNoon; t < kNoon + 16; ++t)  // the own static data goes out at :15
        for (const std::string& line : model.Second(t, state))
            if (line.rfind("!AIVDO", 0) == 0) RouteSentence(*codec, line.c_str());
    EXPECT_EQ(codec->Targets.Entry(0).Mmsi, 2u);
    EXPECT_EQ(Unpadded(codec->Targets.Entry(0).Name), "RENAMED");
}

// The GPS receiver and the fixed stations send what they always sent: the
// first 16 seconds, byte for byte, as recorded from the seed 1 at noon.
TEST(TrafficModelTest, ClassicStreamIsUnchanged) {
    std::ifstream file(NAVORO_SIM_TEST_DATA "/classic-stream.nmea", std::ios::binary);
    ASSERT_TRUE(file.is_open());
    std::vector<std::string> expected;
    for (std::string line; std::getline(file, line);)
        expected.push_back(line + "\n");
    TestModel model(1);
    std::vector<std::string> streamed;
    for (std::int64_t t = kNoon; t < kNoon + 16; ++t)
        for (const std::string& line : model.Second(t, DeviceState{}))
            streamed.push_back(line);
    ASSERT_EQ(streamed.size(), expected.size());
    for (std::size_t i = 0; i < streamed.size(); ++i)
        ASSERT_EQ(streamed[i], expected[i]) << "line " << i + 1;
}

// The fields of a "$..." sentence after its address, without the checksum.
std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    const std::string body = line.substr(0, line.find('*'));
    std::size_t start = body.find(',');
    while (start != std::string::npos) {
        const std::size_t next = body.find(',', start + 1);
        fields.push_back(
            body.substr(start + 1, next == std::string::npos ? next : next - start - 1));
        start = next;
    }
    return fields;
}

TEST(TrafficModelTest, EachReceiverFormSendsItsSentencesWithTheirFieldCounts) {
    struct Form {
        GnssForm Which;
        const char* Name;
        std::map<std::string, int> Fields;  // sentence -> field count (GSV: without blocks)
    };
    const Form forms[] = {
        {GnssForm::kClassic,
         "classic",
         {{"$GPRMC", 12},
          {"$GPGGA", 14},
          {"$GPGLL", 7},
          {"$GPGSA", 17},
          {"$GPGSV", 3},
          {"$GPVTG", 9},
          {"$GPZDA", 6},
          {"$GPGBS", 8},
          {"$HEHDT", 2}}},
        {GnssForm::kModern,
         "modern",
         {{"$GNRMC", 13},
          {"$GNGGA", 14},
          {"$GNGNS", 13},
          {"$GNGLL", 7},
          {"$GNGSA", 18},
          {"$GPGSV", 4},
          {"$GLGSV", 4},
          {"$GAGSV", 4},
          {"$GBGSV", 4},
          {"$GNVTG", 9},
          {"$GNZDA", 6},
          {"$GNGBS", 10},
          {"$HEHDT", 2}}},
        {GnssForm::kLegacy,
         "legacy",
         {{"$GPRMC", 11},
          {"$GPGGA", 14},
          {"$GPGLL", 6},
          {"$GPGSA", 17},
          {"$GPGSV", 3},
          {"$GPVTG", 8},
          {"$GPZDA", 6},
          {"$HEHDT", 2}}},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.Name);
        TestModel model(5, form.Which);
        for (std::int64_t t = kNoon; t < kNoon + 5; ++t) {
            std::map<std::string, int> seen;
            for (const std::string& line : model.Second(t, DeviceState{})) {
                SCOPED_TRACE(line);
                EXPECT_LE(line.size(), 82u);
                EXPECT_TRUE(CheckFraming(line.c_str()));
                if (line[0] != '$') continue;
                const std::string head = line.substr(0, 6);
                ++seen[head];
                const auto expected = form.Fields.find(head);
                ASSERT_NE(expected, form.Fields.end()) << "unexpected sentence";
                const std::vector<std::string> fields = FieldsOf(line);
                if (head.ends_with("GSV")) {
                    // Total, number, in view, 1-4 blocks of four, the signal ID.
                    const int blocks = (static_cast<int>(fields.size()) - expected->second) / 4;
                    EXPECT_EQ(static_cast<int>(fields.size()), expected->second + 4 * blocks);
                    const int total = std::stoi(fields[0]), number = std::stoi(fields[1]);
                    const int in_view = std::stoi(fields[2]);
                    EXPECT_EQ(total, (in_view + 3) / 4);
                    EXPECT_EQ(blocks, std::min(4, in_view - 4 * (number - 1)));
                } else {
                    EXPECT_EQ(static_cast<int>(fields.size()), expected->second);
                }
            }
            for (const auto& [head, count] : form.Fields)
                EXPECT_GE(seen[head], 1) << head;
        }
    }
}

TEST(TrafficModelTest, ModernReceiverReportsEveryConstellation) {
    TestModel model(2, GnssForm::kModern);
    std::set<std::string> in_view;  // talker and number
    std::set<std::string> in_use;   // system ID and number
    int gga_in_use = -1;
    int blank_snr = 0;
    for (const std::string& line : model.Second(kNoon, DeviceState{})) {
        const std::vector<std::string> f = FieldsOf(line);
        if (line.rfind("$GNGGA", 0) == 0) gga_in_use = std::stoi(f[6]);
        if (line.rfind("$GNGSA", 0) == 0) {
            for (int i = 2; i < 14; ++i)
                if (!f[static_cast<std::size_t>(i)].empty())
                    in_use.insert(f[17] + "/" + f[static_cast<std::size_t>(i)]);
        }
        if (line.substr(3, 3) == "GSV") {
            for (std::size_t i = 3; i + 4 < f.size(); i += 4) {
                in_view.insert(line.substr(1, 2) + f[i]);
                if (f[i + 3].empty()) ++blank_snr;
            }
        }
    }
    EXPECT_GE(in_view.size(), 30u);
    for (const char* satellite : {"GP05", "GA05", "GL65", "GB08"})
        EXPECT_TRUE(in_view.count(satellite)) << satellite;
    EXPECT_GE(blank_snr, 1);  // a satellite in view but not tracked
    EXPECT_EQ(gga_in_use, 24);
    EXPECT_EQ(in_use.size(), 24u);
    for (const char* satellite : {"1/02", "2/66", "3/09", "4/19"})
        EXPECT_TRUE(in_use.count(satellite)) << satellite;

    // The sky moves slowly and the signals vary.
    std::vector<TrafficModel::Satellite> before = model.Satellites();
    const std::vector<TrafficModel::Satellite> start = before;
    for (std::int64_t t = kNoon + 1; t <= kNoon + 600; ++t) {
        model.Second(t, DeviceState{});
        const std::vector<TrafficModel::Satellite>& now = model.Satellites();
        ASSERT_EQ(now.size(), before.size());
        for (std::size_t i = 0; i < now.size(); ++i)
            EXPECT_LE(std::abs(now[i].Elevation - before[i].Elevation), 1) << now[i].Prn;
        before = now;
    }
    int moved = 0, varied = 0;
    for (std::size_t i = 0; i < start.size(); ++i) {
        moved += start[i].Azimuth != before[i].Azimuth ? 1 : 0;
        varied += start[i].Snr != before[i].Snr ? 1 : 0;
    }
    EXPECT_GE(moved, 30);
    EXPECT_GE(varied, 10);
}

// Type and MMSI of each AIS message received from other stations.
std::multimap<std::uint32_t, unsigned> Stations(const std::vector<std::string>& lines) {
    std::multimap<std::uint32_t, unsigned> out;
    for (const std::string& line : lines) {
        if (line.rfind("!AIVDM", 0) != 0 || line[9] != '1') continue;  // first sentences
        const test::SentenceBits bits = test::PayloadBits(line);
        out.emplace(static_cast<std::uint32_t>(bits.U(8, 30)), static_cast<unsigned>(bits.U(0, 6)));
    }
    return out;
}

TEST(TrafficModelTest, TargetsGivesThatManyStationsWithinThePortsRate) {
    struct Case {
        GnssForm Form;
        int Targets;
        int Rate;
        int Seconds;
        std::size_t Mmsis;
    };
    const Case cases[] = {
        {GnssForm::kClassic, -1, 115200, 60, 5},  // the fixed stations
        {GnssForm::kModern, -1, 115200, 60, 7},   // and an aid to navigation and message 27
        {GnssForm::kClassic, 0, 115200, 60, 0},
        {GnssForm::kClassic, 1, 115200, 60, 1},
        {GnssForm::kLegacy, 7, 115200, 120, 7},
        {GnssForm::kClassic, 300, 115200, 120, 300},
        {GnssForm::kModern, 300, 38400, 240, 300},
        {GnssForm::kClassic, 2000, 115200, 240, 2000},
        {GnssForm::kClassic, 5000, 115200, 240, 2000},  // at most 2000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "targets " << c.Targets << " at " << c.Rate);
        TestModel model(9, c.Form, c.Targets);
        DeviceState state;
        state.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))] = c.Rate;
        std::set<std::uint32_t> mmsis;
        std::set<unsigned> types;
        std::size_t most = 0;
        for (std::int64_t t = kNoon; t < kNoon + c.Seconds; ++t) {
            const std::vector<std::string> lines = model.Second(t, state);
            std::size_t bytes = 0;
            for (const std::string& line : lines)
                bytes += line.size();
            most = std::max(most, bytes);
            for (const auto& [mmsi, type] : Stations(lines)) {
                mmsis.insert(mmsi);
                types.insert(type);
            }
        }
        EXPECT_EQ(mmsis.size(), c.Mmsis);
        EXPECT_EQ(mmsis.count(state.Mmsi), 0u);
        if (c.Targets > 0) {
            EXPECT_LE(static_cast<double>(most), c.Rate / 10.0 * TrafficModel::kRateShare);
        }
        if (c.Targets >= 300) {
            for (const unsigned type : {1u, 3u, 4u, 5u, 9u, 18u, 21u, 24u, 27u})
                EXPECT_TRUE(types.count(type)) << type;
        }
        if (c.Form == GnssForm::kModern && c.Targets < 0) {
            EXPECT_TRUE(types.count(21) && types.count(27));
        }
    }
}

TEST(TrafficModelTest, AFullFleetOnASlowPortReportsLessOftenAndDropsTheRest) {
    TestModel model(9, GnssForm::kClassic, 2000);
    DeviceState state;
    state.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))] = 38400;
    for (std::int64_t t = kNoon; t < kNoon + 60; ++t) {
        std::size_t bytes = 0;
        for (const std::string& line : model.Second(t, state))
            bytes += line.size();
        EXPECT_LE(static_cast<double>(bytes), 3840 * TrafficModel::kRateShare);
        // The rate falls under way: what a second cannot carry is dropped.
        if (t == kNoon + 30)
            state.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))] = 4800;
    }
    EXPECT_GT(model.ClassAPeriod(), 30);
    EXPECT_GT(model.DroppedReports(), 0u);
}

// Distance in nautical miles between two positions close to each other.
double Distance(double lat1, double lon1, double lat2, double lon2) {
    const double north = (lat2 - lat1) * 60.0;
    const double east = (lon2 - lon1) * 60.0 * std::cos(lat1 * std::numbers::pi / 180.0);
    return std::hypot(north, east);
}

TEST(TrafficModelTest, TwoVesselsComeCloseToTheOwnShipAgainAndAgain) {
    TestModel model(4, GnssForm::kClassic, 2);
    std::map<std::uint32_t, double> closest_first, closest_again;
    std::map<std::uint32_t, std::pair<double, double>> first_cpa;  // CPA NM, TCPA minutes
    for (std::int64_t t = kNoon; t < kNoon + 1500; ++t) {
        for (const std::string& line : model.Second(t, DeviceState{})) {
            if (line.rfind("!AIVDM", 0) != 0) continue;
            const test::SentenceBits b = test::PayloadBits(line);
            const unsigned type = static_cast<unsigned>(b.U(0, 6));
            if (type != 1 && type != 3) continue;
            const auto mmsi = static_cast<std::uint32_t>(b.U(8, 30));
            const double lon = static_cast<double>(b.S(61, 28)) / 600000.0;
            const double lat = static_cast<double>(b.S(89, 27)) / 600000.0;
            const TrafficModel::Motion& own = model.OwnShip();
            const double d = Distance(own.Lat, own.Lon, lat, lon);
            auto& closest = t - kNoon < 600 ? closest_first : closest_again;
            if (t - kNoon >= 900 || t - kNoon < 600)
                closest[mmsi] = closest.count(mmsi) ? std::min(closest[mmsi], d) : d;
            if (first_cpa.count(mmsi)) continue;
            // Closest point of approach from the first report's course and speed.
            const double sog = static_cast<double>(b.U(50, 10)) / 10.0;
            const double cog = static_cast<double>(b.U(116, 12)) / 10.0 * std::numbers::pi / 180;
            const double own_cog = own.Cog * std::numbers::pi / 180;
            const double rn = sog * std::cos(cog) - own.SogKnots * std::cos(own_cog);
            const double re = sog * std::sin(cog) - own.SogKnots * std::sin(own_cog);
            const double pn = (lat - own.Lat) * 60.0;
            const double pe = (lon - own.Lon) * 60.0 * std::cos(own.Lat * std::numbers::pi / 180);
            const double tcpa = -(pn * rn + pe * re) / (rn * rn + re * re);  // hours
            first_cpa[mmsi] = {std::hypot(pn + rn * tcpa, pe + re * tcpa), tcpa * 60};
        }
    }
    ASSERT_EQ(first_cpa.size(), 2u);
    for (const auto& [mmsi, cpa] : first_cpa) {
        SCOPED_TRACE(mmsi);
        EXPECT_LT(cpa.first, 1.0);
        EXPECT_GT(cpa.second, 2.0);
        EXPECT_LT(cpa.second, 10.0);
        EXPECT_LT(closest_first[mmsi], 0.5);
        EXPECT_LT(closest_again[mmsi], 0.5);
    }
}

TEST(TrafficModelTest, TheFleetStaysAroundTheOwnShip) {
    TestModel model(6, GnssForm::kClassic, 300);
    double farthest = 0;
    for (std::int64_t t = kNoon; t < kNoon + 3600; ++t) {
        for (const std::string& line : model.Second(t, DeviceState{})) {
            if (line.rfind("!AIVDM,1,1", 0) != 0) continue;
            const test::SentenceBits b = test::PayloadBits(line);
            const unsigned type = static_cast<unsigned>(b.U(0, 6));
            if (type != 1 && type != 3 && type != 18) continue;
            const std::size_t at = type == 18 ? 57 : 61;
            const double lon = static_cast<double>(b.S(at, 28)) / 600000.0;
            const double lat = static_cast<double>(b.S(at + 28, 27)) / 600000.0;
            farthest =
                std::max(farthest, Distance(model.OwnShip().Lat, model.OwnShip().Lon, lat, lon));
        }
    }
    EXPECT_LT(farthest, 21.5);
    EXPECT_GT(farthest, 15.0);
}

// gpsd's decoder, when installed, reads every station of a fleet.
TEST(TrafficModelTest, GpsdecodeReadsTheWholeFleet) {
    if (test::GpsdecodePath().empty()) GTEST_SKIP() << "gpsdecode is not installed";
    TestModel model(8, GnssForm::kModern, 300);
    std::vector<std::string> lines;
    for (std::int64_t t = kNoon; t < kNoon + 120; ++t)
        for (const std::string& line : model.Second(t, DeviceState{}))
            if (line.rfind("!AIVDM", 0) == 0) lines.push_back(line);
    std::size_t messages = 0;
    for (const std::string& line : lines)
        messages += line[7] == line[9] ? 1 : 0;  // last sentences
    const std::vector<nlohmann::json> decoded = test::Gpsdecode(lines);
    EXPECT_EQ(decoded.size(), messages);
    std::set<std::uint32_t> mmsis;
    std::set<int> types;
    for (const nlohmann::json& message : decoded) {
        mmsis.insert(message["mmsi"].get<std::uint32_t>());
        types.insert(message["type"].get<int>());
    }
    EXPECT_EQ(mmsis.size(), 300u);
    EXPECT_EQ(types, (std::set<int>{1, 3, 4, 5, 9, 18, 21, 24, 27}));
}

}  // namespace
}  // namespace navoro::sim
