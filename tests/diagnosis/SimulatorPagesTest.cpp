// The diagnosis pages fed by navoro-sim over a pseudo-terminal: its live
// stream read at 115200 bit/s, assembled into lines and dispatched as the
// receive path does; commands written back to it.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>

#include "PagesFixture.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SignalChart.h"
#include "diagnosis/SkyPlot.h"
#include "diagnosis/SystemCheckPage.h"
#include "link/LineAssembler.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

class SimulatorPagesTest : public test::PagesTest, public LineSink {
  protected:
    SimulatorPagesTest() {
        pages->Link.WritePort = [this](const char* data, int length) {
            return client.IsOpen() && client.SendRaw(std::string(data, length));
        };
    }
    void SetUp() override {
        ASSERT_TRUE(simulator.Started()) << simulator.Error();
        ASSERT_TRUE(client.Open(simulator.DevicePath(), 115200));
        ShowPage(1);  // the sky plot drawn before the satellites arrive
    }

    // The receive path: every line to the log (when on) and the dispatcher.
    bool LogEnabled() const override { return pages->LogEnabled(); }
    void LogLine(std::string_view line) override { pages->LogLine(line); }
    void DispatchSentence(char* line) override { Dispatch(line); }

    // Receives the stream for `duration`; the lines received.
    std::vector<std::string> Receive(std::chrono::milliseconds duration) {
        std::vector<std::string> lines = client.ReadFor(duration);
        for (const std::string& line : lines)
            assembler.Feed(line + "\r\n");
        QApplication::processEvents();
        return lines;
    }

    test::SimulatorFixture simulator;
    test::PtyClient client;
    LineAssembler assembler{*this};
};

int CountVdo(const std::vector<std::string>& lines, char channel) {
    int count = 0;
    for (const std::string& line : lines) {
        // !AIVDO,1,1,,A,... : one-sentence messages only in this stream's VDO.
        if (line.rfind("!AIVDO,", 0) != 0) continue;
        std::size_t comma = 0;
        for (int field = 0; field < 4; ++field)
            comma = line.find(',', comma + 1);
        if (comma != std::string::npos && line[comma + 1] == channel) ++count;
    }
    return count;
}

TEST_F(SimulatorPagesTest, GpsStatusShowsTheSimulatorsFixAndSatellites) {
    Receive(3500ms);
    EXPECT_TRUE(
        QRegularExpression("^20\\d\\d/\\d\\d/\\d\\d$").match(Text("lblEdtGpsUtcDate")).hasMatch())
        << Text("lblEdtGpsUtcDate").toStdString();
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(Text("lblEdtGpsUtcTime")).hasMatch());
    EXPECT_EQ(Text("lblEdtGpsFixMode"), "3D");
    EXPECT_NE(Text("lblEdtHdop"), "N/A");
    const QRegularExpression coordinate(
        QString::fromUtf8("^[ \\d]{3}\u00B0\\d\\d\\.\\d{4}'[NSEW]$"));
    EXPECT_TRUE(coordinate.match(Text("lblEdtGpsLat")).hasMatch())
        << Text("lblEdtGpsLat").toStdString();
    EXPECT_TRUE(coordinate.match(Text("lblEdtGpsLon")).hasMatch())
        << Text("lblEdtGpsLon").toStdString();
    EXPECT_TRUE(Text("lblEdtGpsSOG").endsWith(" kn")) << Text("lblEdtGpsSOG").toStdString();
    EXPECT_TRUE(Text("lblEdtGpsCOG").endsWith(QString::fromUtf8("\u00B0")));
    const int inView = Text("lblEdtGpsNoSV_InView").toInt();
    EXPECT_GT(inView, 3);
    EXPECT_GT(Text("lblEdtGpsNoSV_InUse").toInt(), 0);

    // The satellites of a complete cycle on the chart and the plot.
    const std::vector<ChartBar>& bars = pages->GpsStatus().Chart1()->Series1()->Bars();
    int satellites = 0;
    for (const ChartBar& bar : bars)
        satellites += bar.Label != "---";
    EXPECT_EQ(satellites, inView);
    TPaintSatelliteChart* plot = pages->GpsStatus().PaintSatelliteChart();
    int shown = 0;
    for (int i = 0; i < TPaintSatelliteChart::kMarkers; ++i) {
        if (plot->Marker(i)->isHidden()) continue;
        ++shown;
        EXPECT_EQ(std::to_string(plot->Marker(i)->PRN), bars[static_cast<std::size_t>(i)].Label);
        EXPECT_TRUE(
            plot->rect().adjusted(-10, -10, 10, 10).contains(plot->Marker(i)->geometry().center()));
    }
    EXPECT_EQ(shown, satellites);

    // The position moves with the simulated ship.
    const QString before = Text("lblEdtGpsLon") + Text("lblEdtGpsLat");
    Receive(2500ms);
    EXPECT_NE(Text("lblEdtGpsLon") + Text("lblEdtGpsLat"), before);
}

TEST_F(SimulatorPagesTest, SystemCheckCountsTheOwnReportsPerChannelAndResets) {
    const std::vector<std::string> lines = Receive(3500ms);
    const int a = CountVdo(lines, 'A'), b = CountVdo(lines, 'B');
    ASSERT_GT(a + b, 0);
    pages->SystemCheck().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblValTxCntA"), QString::number(a));
    EXPECT_EQ(Text("lblValTxCntB"), QString::number(b));
    EXPECT_GT(Text("lblValRxCntA").toInt() + Text("lblValRxCntB").toInt(), 0);
    EXPECT_EQ(Text("lblValMMSI"), " 211457320");  // the simulator's own MMSI, from its reports
    EXPECT_EQ(Text("lblValGps"), "Fixed");
    EXPECT_TRUE(pages->SystemCheck().Passed(kCheckTx));
    EXPECT_TRUE(pages->SystemCheck().Passed(kCheckRx));

    Control<QToolButton>("SpeedButtonClearCheck")->click();
    for (const char* name : {"lblValTxCntA", "lblValTxCntB", "lblValRxCntA", "lblValRxCntB"})
        EXPECT_EQ(Text(name), "0") << name;
    EXPECT_EQ(Text("lblValMMSI"), "000000000");
    EXPECT_EQ(Text("lblValGps"), "Lost");
    EXPECT_TRUE(simulator.WaitForRecorded("$PTST,,,,,00017*19"));
    // The counting starts again.
    Receive(2500ms);
    pages->SystemCheck().TimerUpdateSysChkTimer();
    EXPECT_GT(Text("lblValTxCntA").toInt() + Text("lblValTxCntB").toInt(), 0);
}

TEST_F(SimulatorPagesTest, DataLogShowsTheStreamSavesAndClears) {
    Receive(1500ms);  // before logging: not kept
    Control<QCheckBox>("cbxEnableLog")->setChecked(true);
    const std::vector<std::string> lines = Receive(2500ms);
    ASSERT_FALSE(lines.empty());
    pages->DataLog().FlushDataLog();
    EXPECT_EQ(pages->DataLog().LogLines(), lines);

    QTemporaryDir dir;
    const std::string path = (dir.path() + "/stream.TXT").toStdString();
    prompts.SaveFileNames.push_back(path);
    Control<QPushButton>("btnSaveLog")->click();
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);

    prompts.Answers.push_back(true);
    Control<QPushButton>("btnClearLog")->click();
    EXPECT_TRUE(pages->DataLog().LogLines().empty());
}

TEST_F(SimulatorPagesTest, ACustomCommandReachesTheSimulator) {
    Control<QLineEdit>("EditSendCommand")->setText("$AIAIQ,SSD*39");
    Control<QPushButton>("ButtonCustomSendCommand")->click();
    EXPECT_TRUE(simulator.WaitForRecorded("$AIAIQ,SSD*39"));
    // Its answer comes back on the stream.
    const auto reply = client.WaitForLine(
        [](const std::string& line) { return line.rfind("$AISSD,", 0) == 0; }, 3s);
    EXPECT_TRUE(reply.has_value());
    // Sent as typed: no checksum is added.
    Control<QLineEdit>("EditSendCommand")->setText("HELLO");
    Control<QPushButton>("ButtonCustomSendCommand")->click();
    EXPECT_TRUE(simulator.WaitForRecorded("HELLO"));
    EXPECT_TRUE(prompts.Calls.empty());
}

}  // namespace
}  // namespace navoro
