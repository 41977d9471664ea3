// The sky plot's diagram and where a satellite lands on it.
#include <gtest/gtest.h>

#include "diagnosis/SkyPlotGeometry.h"

namespace navoro {
namespace {

TEST(SkyPlotGeometry, DiagramOfThePlotSize) {
    const SkyPlotGeometry g = SkyPlotGeometry::ForSize(198, 200);
    EXPECT_EQ(g.CentreX, 99);
    EXPECT_EQ(g.CentreY, 100);
    EXPECT_EQ(g.Radius, 91);
    EXPECT_EQ(g.InnerRing(), 30);
    EXPECT_EQ(g.OuterRing(), 60);
    CompassLetter letters[4];
    CompassLetters(g, letters);
    EXPECT_EQ(letters[0].Letter, 'N');
    EXPECT_EQ(letters[0].Box, (PixelRect{92, 4, 108, 22}));
    EXPECT_EQ(letters[0].Text, (PixelPoint{95, 5}));
    EXPECT_EQ(letters[1].Box, (PixelRect{91, 181, 107, 199}));
    EXPECT_EQ(letters[2].Box, (PixelRect{178, 94, 194, 112}));
    EXPECT_EQ(letters[3].Box, (PixelRect{0, 94, 16, 112}));

    // Radius 3: rings at 1 and 2; radius 2: the second ring would not be
    // inside the horizon.
    EXPECT_EQ(SkyPlotGeometry::ForSize(22, 22).OuterRing(), 2);
    EXPECT_EQ(SkyPlotGeometry::ForSize(20, 40).OuterRing(), 0);
    EXPECT_EQ(SkyPlotGeometry::ForSize(5, 5).Radius, 0);
}

struct PlaceCase {
    int Azimuth, Elevation;
    PixelPoint Centre;
};

TEST(SkyPlotGeometry, SatelliteCentres) {
    const SkyPlotGeometry g = SkyPlotGeometry::ForSize(198, 200);  // (99, 100), radius 91
    // The single-precision angle (and the factor 0.0174533) lands some points
    // a pixel left of or above the exact one before truncation.
    const PlaceCase cases[] = {
        {0, 0, {98, 9}},        // north on the horizon
        {90, 0, {190, 99}},     // east
        {180, 0, {99, 191}},    // south
        {270, 0, {8, 100}},     // west
        {0, 90, {99, 100}},     // zenith
        {123, 90, {99, 100}},   // zenith whatever the azimuth
        {0, 30, {98, 39}},      // outer ring: 91 - 30.33 = 60.67 from the centre
        {0, 60, {98, 69}},      // inner ring: 30.33 from the centre
        {360, 0, {98, 9}},      // as azimuth 0
        {500, 45, {128, 134}},  // a = -50 + 360 = 310: as azimuth 140
        {140, 45, {128, 134}}, {0, -30, {98, -21}},  // below the horizon: outside the circle
        {0, 120, {99, 130}},                         // above 90: mirrored through the centre
    };
    for (const PlaceCase& c : cases) {
        EXPECT_EQ(g.SatelliteCentre(c.Azimuth, c.Elevation), c.Centre)
            << "azimuth " << c.Azimuth << " elevation " << c.Elevation;
    }
    EXPECT_EQ(g.MarkerTopLeft(90, 0, 20), (PixelPoint{180, 89}));
}

TEST(SkyPlotGeometry, BeforeTheFirstDrawingMarkersGoToTheCorner) {
    const SkyPlotGeometry never;
    EXPECT_EQ(never.MarkerTopLeft(45, 10, 20), (PixelPoint{-10, -10}));
}

TEST(SkyPlotGeometry, BlankValuesStayFinite) {
    const SkyPlotGeometry g = SkyPlotGeometry::ForSize(198, 200);
    // The store's blanks: elevation -128, azimuth -1.
    const PixelPoint p = g.SatelliteCentre(-1, -128);
    EXPECT_LT(p.Y, 0);
    EXPECT_GT(p.X, -1000);
}

TEST(SkyPlotGeometry, MarkerTextPosition) {
    EXPECT_EQ(MarkerTextPosition(7), (PixelPoint{6, 3}));
    EXPECT_EQ(MarkerTextPosition(12), (PixelPoint{3, 3}));
    EXPECT_EQ(MarkerTextPosition(-5), (PixelPoint{3, 3}));
}

}  // namespace
}  // namespace navoro

namespace navoro {
namespace {

TEST(SkyPlotGeometry, MarkersStayInsideTheFrameAndOffTheCompassLetters) {
    const SkyPlotGeometry g = SkyPlotGeometry::ForSize(198, 200);
    CompassLetter letters[4];
    CompassLetters(g, letters);
    for (const int elevation : {0, 5, 15}) {
        for (int azimuth = 0; azimuth < 360; azimuth += 3) {
            SCOPED_TRACE(std::to_string(azimuth) + "/" + std::to_string(elevation));
            const PixelPoint at = g.MarkerPlace(azimuth, elevation, 20);
            const PixelRect marker{at.X, at.Y, at.X + 20, at.Y + 20};
            EXPECT_GE(marker.Left, 0);
            EXPECT_GE(marker.Top, 0);
            EXPECT_LE(marker.Right, 198);
            EXPECT_LE(marker.Bottom, 200);
            for (const CompassLetter& letter : letters)
                EXPECT_FALSE(Overlap(marker, letter.Box)) << letter.Letter;
        }
    }
    // Away from the letters a marker keeps its direction and elevation: the
    // zenith at the centre, 45 degrees halfway to the pulled-in horizon.
    EXPECT_EQ(g.MarkerPlace(0, 90, 20), (PixelPoint{89, 90}));
    EXPECT_EQ(g.MarkerPlace(45, 45, 20), (PixelPoint{117, 61}));  // 40.5 px out, north-east
}

}  // namespace
}  // namespace navoro
