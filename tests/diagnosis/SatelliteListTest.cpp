// The satellite list across GSV cycles, and the chart's bars of a publication.
#include <gtest/gtest.h>

#include <vector>

#include "DiagnosisTestSupport.h"
#include "diagnosis/SatelliteList.h"
#include "diagnosis/SignalChartBars.h"

namespace navoro {
namespace {

class SatelliteCycleTest : public ::testing::Test {
  protected:
    // Routes a GSV (or any sentence) and hands GSVs to the cycle; the number
    // of satellites published, or -1 when the sentence published nothing.
    int Take(const std::string& body) {
        EXPECT_TRUE(test::RouteBody(*codec, body)) << body;
        if (std::string(codec->Received.Header.Formatter) != "GSV") return -1;
        if (!cycle.TakeGsv(codec->Gnss, published)) return -1;
        return published.Count;
    }
    std::vector<int> PublishedPrns() const {
        std::vector<int> prns;
        for (int i = 0; i < published.Count; ++i)
            prns.push_back(published.Items[i].Prn);
        return prns;
    }

    std::unique_ptr<Codec> codec = test::NewCodec();
    SatelliteCycle cycle;
    SatellitePublication published;
};

TEST_F(SatelliteCycleTest, ACycleIsPublishedWhenTheNextOneBegins) {
    // The very first GSV begins a cycle and publishes the empty list.
    EXPECT_EQ(Take("$GPGSV,3,1,10,01,10,010,41,02,20,020,42,03,30,030,43,04,40,040,44"), 0);
    EXPECT_EQ(Take("$GPGSV,3,2,10,05,50,050,45,06,60,060,46,07,70,070,47,08,80,080,48"), -1);
    EXPECT_EQ(Take("$GPGSV,3,3,10,09,85,090,49,10,05,100,50"), -1);
    EXPECT_EQ(Take("$GPGSV,3,1,10,01,10,010,41,02,20,020,42,03,30,030,43,04,40,040,44"), 10);
    EXPECT_EQ(PublishedPrns(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(published.Items[9].Elevation, 5);
    EXPECT_EQ(published.Items[9].Azimuth, 100);
    EXPECT_EQ(published.Items[9].Snr, 50);
    EXPECT_EQ(cycle.List().InView, 10);
    EXPECT_EQ(cycle.List().Count, 4);  // the new cycle so far
}

TEST_F(SatelliteCycleTest, SingleSentenceCyclesPublishThePreviousSentence) {
    EXPECT_EQ(Take("$GPGSV,1,1,02,11,10,010,41,12,20,020,42"), 0);
    EXPECT_EQ(Take("$GPGSV,1,1,01,13,30,030,43"), 2);
    EXPECT_EQ(PublishedPrns(), (std::vector<int>{11, 12}));
    EXPECT_EQ(Take("$GPGSV,1,1,01,13,30,030,43"), 1);
}

TEST_F(SatelliteCycleTest, RepeatedPrnKeepsOneEntryWithTheLaterValues) {
    Take("$GPGSV,2,1,03,01,10,010,41,02,20,020,42");
    Take("$GPGSV,2,2,03,02,25,025,30,03,30,030,43");
    EXPECT_EQ(Take("$GPGSV,2,1,03,01,10,010,41"), 3);
    EXPECT_EQ(PublishedPrns(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(published.Items[1].Elevation, 25);
    EXPECT_EQ(published.Items[1].Azimuth, 25);
    EXPECT_EQ(published.Items[1].Snr, 30);
}

TEST_F(SatelliteCycleTest, AChangedTotalCutsTheCycleShort) {
    Take("$GPGSV,3,1,08,01,10,010,41,02,20,020,42,03,30,030,43,04,40,040,44");
    EXPECT_EQ(Take("$GPGSV,4,2,13,05,50,050,45"), 4);
    EXPECT_EQ(PublishedPrns(), (std::vector<int>{1, 2, 3, 4}));
    // A number below the last one begins a cycle too.
    Take("$GPGSV,4,3,13,06,50,050,45");
    EXPECT_EQ(Take("$GPGSV,4,2,13,07,50,050,45"), 2);
}

TEST_F(SatelliteCycleTest, MissingSnrTakesThePreviousPublicationsAtTheSameIndex) {
    Take("$GPGSV,1,1,02,01,10,010,,02,20,020,33");
    // First publication: nothing before it, so 0.
    ASSERT_EQ(Take("$GPGSV,1,1,02,07,10,010,21,08,20,020,"), 2);
    EXPECT_EQ(published.Items[0].Snr, 0);
    EXPECT_EQ(published.Items[1].Snr, 33);
    // Index 1 (PRN 8) has no SNR: it takes index 1's of the last publication
    // (PRN 2's 33), not anything of PRN 8.
    ASSERT_EQ(Take("$GPGSV,1,1,01,09,10,010,22"), 2);
    EXPECT_EQ(published.Items[0].Snr, 21);
    EXPECT_EQ(published.Items[1].Snr, 33);
    EXPECT_EQ(cycle.Previous().Snr[1], 33);  // the list itself was mended
}

TEST_F(SatelliteCycleTest, UsedMeansListedInTheLastGsaUpToItsCount) {
    Take("$GPGSV,1,1,03,05,10,010,41,07,20,020,42,09,30,030,43");
    Take("$GPGSA,A,3,07,09,,,,,,,,,,,1.72,1.03,1.38");
    Take("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,1,1.03,61.7,M,55.2,M,,");
    // The GGA says one satellite in use: only the first GSA entry counts.
    ASSERT_EQ(Take("$GPGSV,1,1,01,40,10,010,41"), 3);
    EXPECT_FALSE(published.Items[0].Used);
    EXPECT_TRUE(published.Items[1].Used);
    EXPECT_FALSE(published.Items[2].Used);
}

TEST_F(SatelliteCycleTest, PrnZeroIsSkippedAndTheListHoldsAtMost24) {
    Take("$GPGSV,9,1,40,00,10,010,41,01,10,010,41,02,10,010,41,03,10,010,41");
    for (int n = 2; n <= 9; ++n) {
        const int base = n * 4;
        char body[128];
        std::snprintf(body, sizeof body,
                      "$GPGSV,9,%d,40,%02d,10,010,41,%02d,10,010,41,%02d,10,010,41,%02d,10,010,41",
                      n, base, base + 1, base + 2, base + 3);
        Take(body);
    }
    EXPECT_EQ(cycle.List().Count, 24);
    ASSERT_EQ(Take("$GPGSV,9,1,40,50,10,010,41"), 24);
    EXPECT_EQ(published.Items[0].Prn, 1);  // PRN 0 skipped
    EXPECT_EQ(published.Items[3].Prn, 8);
    EXPECT_EQ(published.Items[23].Prn, 28);  // 29 and above dropped
}

TEST_F(SatelliteCycleTest, StoreValuesOutsideTheirRangesStayInsideTheList) {
    // A store holding what no parser would leave there.
    GnssStore gnss{};
    gnss.GsvTotalMessages = 1;
    gnss.GsvMessageNumber = 1;
    gnss.GsvBlockCount = 200;
    gnss.SatellitesUsed = 250;
    for (int i = 0; i < 4; ++i) {
        gnss.GsvSatId[i] = static_cast<std::int8_t>(100 + i);
        gnss.GsvSnr[i] = -128;
        gnss.GsvElevation[i] = -128;
        gnss.GsvAzimuth[i] = -1;
    }
    for (int round = 0; round < 30; ++round)
        cycle.TakeGsv(gnss, published);
    EXPECT_EQ(published.Count, 4);
    EXPECT_EQ(published.Items[3].Snr, 0);
}

TEST(SignalChartBars, PlaceholdersFillUpTo16) {
    const std::vector<ChartBar> placeholders = PlaceholderBars();
    ASSERT_EQ(placeholders.size(), 16u);
    for (const ChartBar& bar : placeholders)
        EXPECT_EQ(bar, (ChartBar{0, "---", kColourBlue}));

    SatellitePublication none;
    EXPECT_EQ(BarsFor(none), placeholders);

    SatellitePublication some;
    some.Count = 2;
    some.Items[0] = {7, 10, 20, 0, true};
    some.Items[1] = {12, 10, 20, 63, false};
    const std::vector<ChartBar> bars = BarsFor(some);
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(bars[0], (ChartBar{0, "7", kColourGreen}));
    EXPECT_EQ(bars[1], (ChartBar{63, "12", kColourBlue}));  // above the axis: kept
    EXPECT_EQ(bars[2].Label, "---");

    SatellitePublication twenty;
    twenty.Count = 20;
    for (int i = 0; i < 20; ++i)
        twenty.Items[i] = {i + 1, 0, 0, 30, false};
    const std::vector<ChartBar> full = BarsFor(twenty);
    ASSERT_EQ(full.size(), 20u);
    EXPECT_EQ(full.back().Label, "20");

    SatellitePublication broken;
    broken.Count = 1000;
    EXPECT_EQ(BarsFor(broken).size(), 24u);
}

}  // namespace
}  // namespace navoro
