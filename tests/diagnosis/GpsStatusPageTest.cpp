// The GPS STATUS page fed through the codec: boxes, sky plot and signal chart.
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "PagesFixture.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SignalChart.h"
#include "diagnosis/SkyPlot.h"

namespace navoro {
namespace {

using test::PagesTest;

class GpsStatusPageTest : public PagesTest {
  protected:
    SkyPlot* Plot() { return pages->GpsStatus().Plot(); }
    BarSeries* Series() { return pages->GpsStatus().Chart1()->Series1(); }
    std::vector<int> VisibleMarkers() {
        std::vector<int> visible;
        for (int i = 0; i < SkyPlot::kMarkers; ++i) {
            if (!Plot()->Marker(i)->isHidden()) visible.push_back(i);
        }
        return visible;
    }
    // A GPS cycle of `count` satellites numbered from `firstPrn`, in sentences
    // of four; shown with its last sentence.
    void Cycle(int count, int firstPrn = 1) {
        const int total = count == 0 ? 1 : (count + 3) / 4;
        for (int n = 1; n <= total; ++n) {
            std::string body = "$GPGSV," + std::to_string(total) + "," + std::to_string(n) + "," +
                               std::to_string(count);
            for (int i = (n - 1) * 4; i < std::min(count, n * 4); ++i) {
                char block[64];
                std::snprintf(block, sizeof block, ",%02d,%02d,%03d,%02d", firstPrn + i, 10 + 3 * i,
                              (40 * i) % 360, 20 + i);
                body += block;
            }
            ASSERT_TRUE(DispatchBody(body)) << body;
        }
    }
};

TEST_F(GpsStatusPageTest, ControlsWithTheirCaptions) {
    for (const char* name : {"lblEdtGpsUtcDate", "lblEdtGpsUtcTime", "lblEdtGpsFixMode",
                             "lblEdtHdop", "lblEdtGpsLat", "lblEdtGpsLon", "lblEdtGpsSOG",
                             "lblEdtGpsCOG", "lblEdtGpsNoSV_InView", "lblEdtGpsNoSV_InUse"}) {
        auto* edit = Control<QLineEdit>(name);
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->text().isEmpty()) << name;
        const QList<QLabel*> labels = tabs.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                                [edit](QLabel* l) { return l->buddy() == edit; }))
            << name << " has no label";
    }
    EXPECT_EQ(Text("Label10"), "SNR (dB-Hz)");
    EXPECT_EQ(Text("lblSatelliteID"), "Satellite ID");
    for (const char* name : {"Panel3", "PanelSatelliteMap", "ImageGpsMap", "Chart1"})
        EXPECT_NE(Control(name), nullptr);
    EXPECT_NE(tabs.findChild<QObject*>("Series1"), nullptr);
    EXPECT_EQ(Control("Panel3")->size(), QSize(204, 204));
    EXPECT_EQ(Control("PanelSatelliteMap")->size(), QSize(198, 200));
    // Before any publication: 16 placeholder bars and no marker.
    EXPECT_EQ(Series()->Bars(), PlaceholderBars());
    EXPECT_TRUE(VisibleMarkers().empty());
}

TEST_F(GpsStatusPageTest, ShowsTimeFixPositionAndMotion) {
    DispatchBody("$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38");
    DispatchBody("$GPGSV,1,1,03,10,63,137,17,07,61,098,15,05,59,290,20");
    test::OwnReport own;
    own.Lon = -121.25;
    own.Lat = 25.5;
    own.Sog = 102.1;
    own.Cog = 359.9;
    Dispatch(test::PositionReportSentence("VDO", "A", own));
    DispatchBody("$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A");
    DispatchBody("$GPGGA,092751.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(Text("lblEdtGpsUtcDate"), "2011/05/28");
    EXPECT_EQ(Text("lblEdtGpsUtcTime"), "09:27:51");
    EXPECT_EQ(Text("lblEdtGpsFixMode"), "3D");
    EXPECT_EQ(Text("lblEdtHdop"), " 1.0");
    EXPECT_EQ(Text("lblEdtGpsNoSV_InView"), "3");
    EXPECT_EQ(Text("lblEdtGpsNoSV_InUse"), "8");
    EXPECT_EQ(Text("lblEdtGpsLat"), QString::fromUtf8(" 25\u00B030.0000'N"));
    EXPECT_EQ(Text("lblEdtGpsLon"), QString::fromUtf8("121\u00B015.0000'W"));
    EXPECT_EQ(Text("lblEdtGpsSOG"), "102.10 kn");
    EXPECT_EQ(Text("lblEdtGpsCOG"), QString::fromUtf8("359.9\u00B0"));

    // Data that stops leaves the boxes as they were; an invalid position too.
    DispatchBody("$GPGLL,4916.45,N,12311.12,W,225444,V,N");
    EXPECT_EQ(Text("lblEdtGpsSOG"), "102.10 kn");
}

TEST_F(GpsStatusPageTest, ACycleOfTenShowsTenBarsSixPlaceholdersAndTenMarkers) {
    ShowPage(1);
    DispatchBody("$GPGSA,A,3,01,03,,,,,,,,,,,1.72,1.03,1.38");
    Cycle(10);
    const std::vector<ChartBar>& bars = Series()->Bars();
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(bars[0], (ChartBar{20, "G01", kColourGreen}));
    EXPECT_EQ(bars[1], (ChartBar{21, "G02", kColourBlue}));
    EXPECT_EQ(bars[2].Colour, kColourGreen);
    EXPECT_EQ(bars[9], (ChartBar{29, "G10", kColourBlue}));
    EXPECT_TRUE(pages->GpsStatus().Chart1()->ScrollBarSatellites()->isHidden());
    EXPECT_EQ(bars[10].Label, "---");
    EXPECT_TRUE(Series()->MarksVisible());
    EXPECT_EQ(VisibleMarkers(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Each marker stands where the diagram puts its azimuth and elevation.
    const SkyPlotGeometry geometry = SkyPlotGeometry::ForSize(198, 200);
    for (int i = 0; i < 10; ++i) {
        SatelliteMarker* marker = Plot()->Marker(i);
        EXPECT_EQ(marker->PRN, QStringLiteral("G%1").arg(i + 1, 2, 10, QChar('0')));
        EXPECT_EQ(marker->used, i == 0 || i == 2);
        const PixelPoint at = geometry.MarkerPlace((40 * i) % 360, 10 + 3 * i, 20);
        EXPECT_EQ(marker->pos(), QPoint(at.X, at.Y)) << "marker " << i;
    }

    // A smaller cycle hides the markers beyond it.
    Cycle(3, 20);
    EXPECT_EQ(VisibleMarkers(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Series()->Count(), 16);
    // 20 satellites: 20 bars, no placeholders, 20 markers; then none at all.
    Cycle(20, 30);
    EXPECT_EQ(Series()->Count(), 20);
    EXPECT_EQ(Series()->Bars().back().Label, "S49");  // 33-64 under GP: SBAS
    EXPECT_EQ(VisibleMarkers().size(), 20u);
    // A cycle without satellites: 16 placeholders, no marker.
    ASSERT_TRUE(DispatchBody("$GPGSV,1,1,00"));
    EXPECT_EQ(Series()->Bars(), PlaceholderBars());
    EXPECT_TRUE(VisibleMarkers().empty());
}

TEST_F(GpsStatusPageTest, FortySatellitesOfFourSystemsAllShown) {
    ShowPage(1);
    const char* talkers[] = {"GP", "GL", "GA", "GB"};
    const int first[] = {1, 65, 1, 1};
    for (int t = 0; t < 4; ++t) {
        for (int n = 1; n <= 3; ++n) {
            std::string body = std::string("$") + talkers[t] + "GSV,3,1,10";
            body[9] = static_cast<char>('0' + n);
            for (int i = (n - 1) * 4; i < std::min(10, n * 4); ++i) {
                char block[64];  // room for any int, as the compiler checks
                std::snprintf(block, sizeof block, ",%02d,%02d,%03d,%02d", first[t] + i, 5 * i,
                              36 * i, 30 + i);
                body += block;
            }
            ASSERT_TRUE(DispatchBody(body)) << body;
        }
    }
    ASSERT_EQ(Series()->Count(), 40);
    EXPECT_EQ(Series()->Bars()[0].Label, "G01");
    EXPECT_EQ(Series()->Bars()[10].Label, "R65");
    EXPECT_EQ(Series()->Bars()[20].Label, "E01");
    EXPECT_EQ(Series()->Bars()[39].Label, "C10");
    EXPECT_EQ(VisibleMarkers().size(), 40u);
    EXPECT_EQ(Plot()->Marker(20)->PRN, "E01");
    EXPECT_FALSE(pages->GpsStatus().Chart1()->ScrollBarSatellites()->isHidden());

    // A system whose cycles stop drops out once the expiry timer finds it
    // silent for longer than a cycle's lifetime.
    QTimer* timer = pages->GpsStatus().TimerSatellitesExpiry();
    EXPECT_TRUE(timer->isActive());
    codec->Gnss.Cycles[static_cast<int>(Constellation::Glonass)].StampMs -= 2 * kGsvCycleLifetimeMs;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Series()->Count() == 30; }, 3000));
    EXPECT_EQ(Series()->Bars()[10].Label, "E01");
    EXPECT_EQ(VisibleMarkers().size(), 30u);
    EXPECT_EQ(codec->Gnss.SatellitesInView, 30);
}

TEST_F(GpsStatusPageTest, PlaceSatelliteIgnoresIndexesBeyondTheMarkers) {
    Plot()->PlaceSatellite(64, "G05", 10, 10, true);
    Plot()->PlaceSatellite(-1, "G05", 10, 10, true);
    Plot()->ShowMarker(70, true);
    EXPECT_TRUE(VisibleMarkers().empty());
}

TEST_F(GpsStatusPageTest, DrawsThePlotAndTheChart) {
    // SNR above the axis and a zero SNR: drawn without trouble, values kept.
    Cycle(2);
    DispatchBody("$GPGSV,1,1,02,05,45,045,99,06,00,000,00");
    ShowPage(1);
    EXPECT_EQ(Series()->Bars()[0].Value, 99);
    EXPECT_EQ(Series()->Bars()[1].Value, 0);
    const QImage plot = Plot()->grab().toImage();
    // The white cross through the centre of the 198 x 200 diagram.
    EXPECT_EQ(plot.pixelColor(99, 60), QColor(Qt::white));
    EXPECT_EQ(plot.pixelColor(40, 100), QColor(Qt::white));
    // The grey box of "N" at (92, 4)-(108, 22).
    EXPECT_EQ(plot.pixelColor(93, 20), QColor(0x80, 0x80, 0x80));
    const QImage chart = pages->GpsStatus().Chart1()->grab().toImage();
    EXPECT_EQ(chart.size(), QSize(SignalChart::kWidth, SignalChart::kHeight));
}

}  // namespace
}  // namespace navoro
