#include "tools/sim/TrafficModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "codec/Router.h"

namespace navoro::sim {
namespace {

constexpr std::int64_t kNoon = 1718712000;  // 2024-06-18 12:00:00 UTC

// A model with a codec of its own to compose with.
struct CodecHolder {
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
};
class TestModel : private CodecHolder, public TrafficModel {
  public:
    explicit TestModel(std::uint32_t seed) : TrafficModel(*codec, seed) {}
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

}  // namespace
}  // namespace navoro::sim
