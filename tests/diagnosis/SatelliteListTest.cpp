// The satellites in view across the talkers' GSV cycles, and the chart's bars
// of a publication.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "DiagnosisTestSupport.h"
#include "diagnosis/SatelliteList.h"
#include "diagnosis/SignalChartBars.h"

namespace navoro {
namespace {

class SatelliteListTest : public ::testing::Test {
  protected:
    // Routes a line (or body) and hands GSVs to the list, as the page does.
    void Take(std::string line) {
        if (line.find('*') == std::string::npos) line = test::Sentence(line);
        if (line.find('\n') == std::string::npos) line += "\r\n";
        if (!test::Route(*codec, line)) return;
        if (std::string(codec->Received.Header.Formatter) == "GSV")
            cycle.TakeGsv(codec->Gnss, codec->Received.Header.Talker, published);
    }
    void TakeFile(const char* name, int lines) {
        std::ifstream in(std::string(NAVORO_TEST_DATA) + "/" + name);
        ASSERT_TRUE(in) << name;
        std::string line;
        for (int n = 0; n < lines && std::getline(in, line); ++n)
            Take(line);
    }
    std::string Labels(bool usedOnly = false) const {
        std::string labels;
        for (int i = 0; i < published.Count; ++i) {
            if (usedOnly && !published.Items[i].Used) continue;
            labels += std::string(labels.empty() ? "" : " ") + published.Items[i].Label;
        }
        return labels;
    }

    std::unique_ptr<Codec> codec = test::NewCodec();
    SatelliteCycle cycle;
    SatellitePublication published;
};

TEST_F(SatelliteListTest, CapturedReceiversShowEverySatelliteInView) {
    struct Case {
        const char* File;
        int Lines;
        const char* Labels;
        const char* Used;
        int InView;
    };
    const Case cases[] = {
        // Four talkers with signal IDs; the GSAs of the GN talker name their system.
        {"gnss-modern.nmea", 16,
         "G02 G05 G07 G09 G13 G15 G20 G26 G29 S44 S48 R65 R66 R72 R81 R82 R88 E04 E11 E19 C08 "
         "C13 J02",
         "G02 G05 G07 G09 G13 G15 G20 G26 R65 R66 R81 E04 E19 C08 C13", 23},
        // An older GPS receiver, one cycle of three sentences.
        {"gnss-legacy.nmea", 11, "G10 G07 G05 G08 G02 G13 G26 G04 G29 G16 S36",
         "G10 G07 G05 G08 G02 G13 G04 G29", 11},
        // Then an empty GPS cycle, and GN with the older single numbering.
        {"gnss-legacy.nmea", 13, "S45 R70 C05 E11", "", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.File) + " " + std::to_string(c.Lines));
        codec = test::NewCodec();
        cycle = SatelliteCycle{};
        published = SatellitePublication{};
        TakeFile(c.File, c.Lines);
        EXPECT_EQ(Labels(), c.Labels);
        EXPECT_EQ(Labels(true), c.Used);
        EXPECT_EQ(codec->Gnss.SatellitesInView, c.InView);
    }
}

TEST_F(SatelliteListTest, ACycleIsShownWholeWhenItsLastSentenceArrives) {
    Take("$GPGSV,2,1,05,01,10,010,41,02,20,020,42,03,30,030,43,04,40,040,44");
    EXPECT_EQ(published.Count, 0);
    Take("$GPGSV,2,2,05,05,50,050,45");
    EXPECT_EQ(Labels(), "G01 G02 G03 G04 G05");
    EXPECT_EQ(published.Items[4].Elevation, 50);
    EXPECT_EQ(published.Items[4].Azimuth, 50);
    EXPECT_EQ(published.Items[4].Snr, 45);
    // The next cycle, half received, leaves the last whole one shown; a
    // Galileo cycle in between adds its satellites, GPS 5 and Galileo 5 apart.
    Take("$GPGSV,2,1,05,01,10,010,41,02,20,020,42,03,30,030,43,04,40,040,44");
    Take("$GAGSV,1,1,01,05,70,100,38,7");
    EXPECT_EQ(Labels(), "G01 G02 G03 G04 G05 E05");
}

TEST_F(SatelliteListTest, MoreThanTwentyFourSatellitesAndGsaIdsAreAllKept) {
    std::string gsa = "$GNGSA,A,3";  // within the 82 characters of a line
    for (int n = 1; n <= 20; ++n)
        gsa += "," + std::to_string(n);
    Take(gsa + ",1.6,0.9,1.3,1");
    for (int n = 1; n <= 8; ++n) {
        char body[128];
        std::snprintf(body, sizeof body,
                      "$GPGSV,8,%d,32,%02d,10,010,41,%02d,10,010,41,%02d,10,010,41,%02d,10,010,41",
                      n, 4 * n - 3, 4 * n - 2, 4 * n - 1, 4 * n);
        Take(body);
    }
    ASSERT_EQ(published.Count, 32);
    EXPECT_STREQ(published.Items[31].Label, "G32");
    EXPECT_TRUE(published.Items[19].Used);  // the 20th ID of the GSA
    EXPECT_FALSE(published.Items[20].Used);
}

TEST_F(SatelliteListTest, ATalkerTheCodecDropsDropsOut) {
    codec->Gnss.ClockMs = 1000;
    Take("$GPGSV,1,1,01,05,50,050,45");
    codec->Gnss.ClockMs = 4000;
    Take("$GLGSV,1,1,01,70,20,200,30");
    EXPECT_EQ(Labels(), "G05 R70");
    EXPECT_FALSE(cycle.Refresh(codec->Gnss, published));
    ASSERT_TRUE(ExpireGsvCycles(codec->Gnss, 1000 + kGsvCycleLifetimeMs + 1));
    EXPECT_TRUE(cycle.Refresh(codec->Gnss, published));
    EXPECT_EQ(Labels(), "R70");
    EXPECT_EQ(codec->Gnss.SatellitesInView, 1);
}

TEST_F(SatelliteListTest, ValuesNotReportedShowAsZero) {
    Take("$GPGSV,1,1,02,16,09,020,,36,,,");
    ASSERT_EQ(published.Count, 2);
    EXPECT_EQ(published.Items[0].Snr, 0);
    EXPECT_EQ(published.Items[1].Elevation, 0);
    EXPECT_EQ(published.Items[1].Azimuth, 0);
}

TEST(SignalChartBars, PlaceholdersFillUpTo16) {
    const std::vector<ChartBar> placeholders = PlaceholderBars();
    ASSERT_EQ(placeholders.size(), 16u);
    for (const ChartBar& bar : placeholders)
        EXPECT_EQ(bar, (ChartBar{0, "---", kColourBlue}));

    auto publication = std::make_unique<SatellitePublication>();
    EXPECT_EQ(BarsFor(*publication), placeholders);

    const auto item = [](const char* label, int snr, bool used) {
        PublishedSatellite s;
        std::snprintf(s.Label, sizeof s.Label, "%s", label);
        s.Snr = snr;
        s.Used = used;
        return s;
    };
    publication->Count = 2;
    publication->Items[0] = item("G07", 0, true);
    publication->Items[1] = item("E12", 63, false);
    const std::vector<ChartBar> bars = BarsFor(*publication);
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(bars[0], (ChartBar{0, "G07", kColourGreen}));
    EXPECT_EQ(bars[1], (ChartBar{63, "E12", kColourBlue}));  // above the axis: kept
    EXPECT_EQ(bars[2].Label, "---");

    publication->Count = 40;
    for (int i = 0; i < 40; ++i)
        publication->Items[i] = item("R70", 30, false);
    EXPECT_EQ(BarsFor(*publication).size(), 40u);
    publication->Count = 100000;
    EXPECT_EQ(BarsFor(*publication).size(), static_cast<std::size_t>(kSatelliteListCapacity));
}

}  // namespace
}  // namespace navoro
