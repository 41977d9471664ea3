// Range, bearing, CPA and TCPA of a target, the danger rule and the texts.
#include <gtest/gtest.h>

#include "ais/TargetTable.h"
#include "diagnosis/TargetGeometry.h"

namespace navoro {
namespace {

struct EncounterCase {
    const char* Name;
    StationMotion Own, Target;
    double Range, Bearing, Cpa, Tcpa;
    bool Dangerous;  // with 2.0 NM / 10 min
};

// Hand-computed: one minute of latitude is one NM, and so is one minute of
// longitude at the equator (half a NM at 60 degrees).
const EncounterCase kEncounters[] = {
    // Closing at 20 kn from 3 NM: meet in 9 minutes.
    {"head-on", {0, 0, 10, 0}, {0.05, 0, 10, 180}, 3.0, 0.0, 0.0, 9.0, true},
    // Own north 12 kn, target 6 NM east (0.2 deg at 60 N) heading west 12 kn:
    // p = (6, 0), v = (-12, -12): TCPA 0.25 h, CPA = |(3, -3)|.
    {"crossing", {60, 0, 12, 0}, {60, 0.2, 12, 270}, 6.0, 90.0, 4.242641, 15.0, false},
    // Target 1 NM astern making 5 kn more: catches up in 12 minutes, beyond
    // the 10-minute limit.
    {"overtaking", {0, 0, 10, 0}, {-1.0 / 60, 0, 15, 0}, 1.0, 180.0, 0.0, 12.0, false},
    // Target 1 NM east, 3 NM ahead, 5 kn faster: closest 36 minutes ago.
    {"diverging", {0, 0, 10, 0}, {0.05, 1.0 / 60, 15, 0}, 3.162278, 18.434949, 1.0, -36.0, false},
    // Own east 10 kn, target stopped 5 NM east and 1 NM north.
    {"stationary target",
     {0, 0, 10, 90},
     {1.0 / 60, 5.0 / 60, 0, 0},
     5.099020,
     78.690068,
     1.0,
     30.0,
     false},
    // Own stopped, target 1.5 NM west and 0.5 NM south heading east 12 kn.
    {"own ship stopped",
     {0, 0, 0, 0},
     {-0.5 / 60, -1.5 / 60, 12, 90},
     1.581139,
     251.565051,
     0.5,
     7.5,
     true},
    // Neither moves: the CPA is the range, now.
    {"both stopped", {0, 0, 0, 0}, {1.0 / 60, 0, 0, 45}, 1.0, 0.0, 1.0, 0.0, true},
    // Across the antimeridian the shorter way: 6 NM east, not 21,594 west.
    {"antimeridian", {0, 179.95, 0, 0}, {0, -179.95, 0, 0}, 6.0, 90.0, 6.0, 0.0, false},
};

TEST(TargetGeometry, HandComputedEncounters) {
    for (const EncounterCase& c : kEncounters) {
        SCOPED_TRACE(c.Name);
        const Encounter e = ComputeEncounter(c.Own, c.Target);
        ASSERT_TRUE(e.HasRange);
        ASSERT_TRUE(e.HasCpa);
        EXPECT_NEAR(e.RangeNm, c.Range, 1e-4);
        EXPECT_NEAR(e.BearingDeg, c.Bearing, 1e-4);
        EXPECT_NEAR(e.CpaNm, c.Cpa, 1e-4);
        EXPECT_NEAR(e.TcpaMin, c.Tcpa, 1e-4);
        EXPECT_EQ(IsDangerous(e, CpaLimits{}), c.Dangerous);
    }
}

TEST(TargetGeometry, MissingPositionOrMotion) {
    const StationMotion own{0, 0, 10, 0};
    // No position on either side: nothing to show.
    EXPECT_FALSE(ComputeEncounter(own, {91.0, 181.0, 10, 0}).HasRange);
    EXPECT_FALSE(ComputeEncounter({91.0, 181.0, 0, 0}, own).HasRange);
    // Position without SOG (102.3) or COG (360): range and bearing, no CPA,
    // and so never dangerous.
    for (const StationMotion target :
         {StationMotion{0.01, 0, 102.3, 180}, StationMotion{0.01, 0, 5, 360}}) {
        const Encounter e = ComputeEncounter(own, target);
        EXPECT_TRUE(e.HasRange);
        EXPECT_NEAR(e.RangeNm, 0.6, 1e-9);
        EXPECT_FALSE(e.HasCpa);
        EXPECT_FALSE(IsDangerous(e, CpaLimits{}));
    }
}

TEST(TargetGeometry, DangerLimitsAreCpaBelowAndTcpaWithin) {
    Encounter e;
    e.HasRange = e.HasCpa = true;
    const CpaLimits limits{1.0, 6.0};
    struct {
        double Cpa, Tcpa;
        bool Dangerous;
    } const cases[] = {
        {0.99, 6.0, true},   {1.0, 3.0, false}, {0.5, 6.01, false},
        {0.5, -0.01, false}, {0.5, 0.0, true},
    };
    for (const auto& c : cases) {
        e.CpaNm = c.Cpa;
        e.TcpaMin = c.Tcpa;
        EXPECT_EQ(IsDangerous(e, limits), c.Dangerous) << c.Cpa << " NM " << c.Tcpa << " min";
    }
}

TEST(TargetGeometry, AgeAndStationKindTexts) {
    EXPECT_EQ(AgeText(0), "0 s");
    EXPECT_EQ(AgeText(59), "59 s");
    EXPECT_EQ(AgeText(60), "1 min");
    EXPECT_EQ(AgeText(3599), "59 min");
    EXPECT_EQ(AgeText(7200), "2 h");
    EXPECT_EQ(AgeText(-1), "");
    EXPECT_STREQ(StationKindText(kStationClassA), "Class A");
    EXPECT_STREQ(StationKindText(kStationAidToNavigation), "Aid to navigation");
    EXPECT_STREQ(StationKindText(kStationUnknown), "Unknown");
    EXPECT_STREQ(StationKindText(200), "Unknown");
}

}  // namespace
}  // namespace navoro
