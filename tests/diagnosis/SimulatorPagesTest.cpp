// The main window connected to navoro-sim over a pseudo-terminal, offscreen:
// the simulator's live stream reaches the diagnosis pages through the real
// receive path (serial port, line assembly, dispatcher), and the
// pages' commands reach the simulator through the real send path.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <fstream>
#include <set>

#include "app/ControlTexts.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SignalChart.h"
#include "diagnosis/SignalChartBars.h"
#include "diagnosis/SkyPlot.h"
#include "diagnosis/SystemCheckPage.h"
#include "tests/e2e/WindowFixture.h"
#include "tests/support/SimulatorFixture.h"
#include "tools/sim/DeviceState.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

// The window against navoro-sim started with `options`.
class SimulatorWindow : public test::WindowTest {
  protected:
    explicit SimulatorWindow(test::SimulatorOptions options = {}) : simulator(std::move(options)) {}

    void SetUp() override {
        ASSERT_TRUE(simulator.Started()) << simulator.Error();
        MakeWindow({simulator.DevicePath()});
        ChoosePort(simulator.DevicePath());
        // The GPS STATUS page in view, so that the sky plot is drawn.
        Find<QTabWidget>("PageControlMain")->setCurrentIndex(1);
        Find<QTabWidget>("PageControlDiagnosis")->setCurrentIndex(1);
        QApplication::processEvents();
    }
    void Connect() {
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 5s)) << Status().toStdString();
    }
    void Disconnect() {
        Click(Controls().OpenPort);
        ASSERT_FALSE(Connected());
    }
    template <class T = QWidget>
    T* Find(const char* name) {
        auto* control = FindControlAs<T>(form.get(), QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) {
        if (auto* edit = FindControlAs<QLineEdit>(form.get(), QString::fromLatin1(name)))
            return edit->text();
        return Caption(FindControl(form.get(), QString::fromLatin1(name)));
    }
    // The lines of the data log, everything received while it was on.
    std::vector<std::string> Logged() {
        form->diagnosis().DataLog().FlushDataLog();
        return form->diagnosis().DataLog().LogLines();
    }

    test::SimulatorFixture simulator;
};

class SimulatorPages : public SimulatorWindow {};

// A receiver of several constellations in the newer sentence forms.
class ModernReceiverPages : public SimulatorWindow {
  protected:
    ModernReceiverPages() : SimulatorWindow(Modern()) {}
    static test::SimulatorOptions Modern() {
        test::SimulatorOptions options;
        options.ExtraArgs = {"--gnss", "modern"};
        return options;
    }
};

// Own messages per channel, as the counters count them: one per decoded
// message, on the channel its last sentence names (a two-sentence message 5
// counts once).
int CountVdo(const std::vector<std::string>& lines, char channel) {
    int count = 0;
    for (const std::string& line : lines) {
        if (line.rfind("!AIVDO,", 0) != 0) continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos;
             start = comma + 1)
            fields.push_back(line.substr(start, comma - start));
        if (fields.size() >= 5 && fields[1] == fields[2] && fields[4] == std::string(1, channel))
            ++count;
    }
    return count;
}

TEST_F(SimulatorPages, GpsStatusShowsTheSimulatorsFixAndSatellitesMoving) {
    Connect();
    SignalChart* chart = form->diagnosis().GpsStatus().Chart1();
    const auto satellitesShown = [&] {
        for (const ChartBar& bar : chart->Series1()->Bars())
            if (bar.Label != "---") return true;
        return false;
    };
    // A cycle is shown with its last sentence, possibly before the GGA that
    // follows it counts the satellites.
    ASSERT_TRUE(WaitUntil(
        [&] {
            return satellitesShown() && !Text("lblEdtGpsLat").isEmpty() &&
                   Text("lblEdtGpsNoSV_InView").toInt() > 3 && Text("lblEdtGpsFixMode") == "3D";
        },
        8s));

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
    EXPECT_GT(Text("lblEdtGpsNoSV_InView").toInt(), 3);
    EXPECT_GT(Text("lblEdtGpsNoSV_InUse").toInt(), 0);

    // Every satellite of the chart has its marker on the plot, in list order.
    const std::vector<ChartBar> bars = chart->Series1()->Bars();
    SkyPlot* plot = form->diagnosis().GpsStatus().Plot();
    int satellites = 0, shown = 0;
    for (const ChartBar& bar : bars)
        satellites += bar.Label != "---";
    for (int i = 0; i < SkyPlot::kMarkers; ++i) {
        SatelliteMarker* marker = plot->Marker(i);
        if (marker->isHidden()) continue;
        ++shown;
        EXPECT_EQ(marker->PRN.toStdString(), bars[static_cast<std::size_t>(i)].Label);
        EXPECT_TRUE(plot->geometry().contains(marker->geometry().center())) << "marker " << i;
    }
    EXPECT_EQ(shown, satellites);

    // The ship moves: the position changes as the stream goes on.
    const QString before = Text("lblEdtGpsLon") + Text("lblEdtGpsLat") + Text("lblEdtGpsUtcTime");
    EXPECT_TRUE(WaitUntil(
        [&] {
            return Text("lblEdtGpsLon") + Text("lblEdtGpsLat") + Text("lblEdtGpsUtcTime") != before;
        },
        4s));
}

TEST_F(ModernReceiverPages, GpsStatusShowsEverySatelliteOfEveryConstellation) {
    Connect();
    SignalChart* chart = form->diagnosis().GpsStatus().Chart1();
    const auto satellites = [&] {
        int count = 0;
        for (const ChartBar& bar : chart->Series1()->Bars())
            count += bar.Label != "---";
        return count;
    };
    ASSERT_TRUE(
        WaitUntil([&] { return satellites() == 36 && Text("lblEdtGpsNoSV_InView") == "36"; }, 10s))
        << satellites() << " " << Text("lblEdtGpsNoSV_InView").toStdString();
    EXPECT_EQ(Text("lblEdtGpsNoSV_InUse"), "24");

    // One bar and one marker per satellite, each labelled once, every
    // constellation of the receiver among them.
    const std::vector<ChartBar> bars = chart->Series1()->Bars();
    SkyPlot* plot = form->diagnosis().GpsStatus().Plot();
    std::set<std::string> labels;
    std::set<char> systems;
    int used = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        labels.insert(bars[i].Label);
        systems.insert(bars[i].Label[0]);
        used += bars[i].Colour == kColourGreen;
        SatelliteMarker* marker = plot->Marker(static_cast<int>(i));
        ASSERT_FALSE(marker->isHidden()) << bars[i].Label;
        EXPECT_EQ(marker->PRN.toStdString(), bars[i].Label);
        EXPECT_EQ(marker->used, bars[i].Colour == kColourGreen);
        EXPECT_TRUE(plot->geometry().contains(marker->geometry())) << bars[i].Label;
    }
    EXPECT_TRUE(plot->Marker(36)->isHidden());
    EXPECT_EQ(labels.size(), 36u);
    EXPECT_TRUE(systems.count('G') && systems.count('R') && systems.count('E') &&
                systems.count('C'));
    EXPECT_GT(used, 0);

    // The chart pages through the bars; at either end of the scroll bar the
    // first and the last bar stand whole inside the plot.
    QScrollBar* scroll = chart->ScrollBarSatellites();
    ASSERT_FALSE(scroll->isHidden());
    EXPECT_GE(chart->BarRect(1).left() - chart->BarRect(0).left(), SignalChart::kMinimumSlot);
    EXPECT_TRUE(chart->PlotArea().contains(chart->BarRect(0).bottomLeft()));
    scroll->setValue(scroll->maximum());
    const QRect last = chart->BarRect(35);
    EXPECT_TRUE(chart->PlotArea().contains(last.bottomRight())) << last.right();
}

TEST_F(SimulatorPages, SystemCheckCountsTheOwnReportsPerChannelAndResets) {
    Find<QCheckBox>("cbxEnableLog")->setChecked(true);  // the log tells what arrived
    Connect();
    ASSERT_TRUE(form->SystemCheckTimer()->isActive());  // started with the link
    // Own reports every second; the other stations' reports within their
    // periods of up to ten seconds.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const SystemCheckPage& check = form->diagnosis().SystemCheck();
            return check.Passed(kCheckTx) && check.Passed(kCheckRx);
        },
        15s));
    // The information dump of the handshake: firmware, serial number, MMSI.
    const sim::DeviceState device;
    EXPECT_EQ(Text("lblValFwVer").toStdString(), device.Firmware);
    EXPECT_EQ(Text("lblValProdSN").toStdString(), device.SerialNumber);
    EXPECT_EQ(Text("lblValMMSI"), " 211457320");
    EXPECT_EQ(Text("lblValGps"), "Fixed");

    Disconnect();
    const std::vector<std::string> lines = Logged();
    form->diagnosis().SystemCheck().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblValTxCntA"), QString::number(CountVdo(lines, 'A')));
    EXPECT_EQ(Text("lblValTxCntB"), QString::number(CountVdo(lines, 'B')));
    EXPECT_GT(Text("lblValRxCntA").toInt() + Text("lblValRxCntB").toInt(), 0);

    // "Reset checks" while linked: placeholders at once, the status request
    // after the wait, then the reports count again.
    Connect();
    Click(Find<QToolButton>("SpeedButtonClearCheck"));
    for (const char* name : {"lblValTxCntA", "lblValTxCntB", "lblValRxCntA", "lblValRxCntB"})
        EXPECT_EQ(Text(name), "0") << name;
    EXPECT_EQ(Text("lblValMMSI"), "000000000");
    EXPECT_EQ(Text("lblValGps"), "Lost");
    EXPECT_EQ(Text("lblValFwVer"), "---------");
    EXPECT_EQ(Text("lblValProdSN"), "---------");
    EXPECT_EQ(prompts.SleptMilliseconds(), 1000);
    EXPECT_TRUE(simulator.WaitForRecorded("$PTST,,,,,00017*19"));
    // The rows pass again as the dump and the reports come back.
    EXPECT_TRUE(WaitUntil(
        [&] {
            const SystemCheckPage& check = form->diagnosis().SystemCheck();
            return check.Passed(kCheckFwVer) && check.Passed(kCheckProdSN) &&
                   check.Passed(kCheckTx) && check.Passed(kCheckGps);
        },
        6s));
    EXPECT_EQ(Text("lblValFwVer").toStdString(), device.Firmware);
}

TEST_F(SimulatorPages, DataLogShowsTheStreamSavesAndClears) {
    Connect();
    auto* enable = Find<QCheckBox>("cbxEnableLog");
    EXPECT_TRUE(Logged().empty());  // off: nothing kept
    enable->setChecked(true);
    ASSERT_TRUE(WaitUntil([&] { return Logged().size() > 20; }, 5s));
    enable->setChecked(false);
    QTest::qWait(1200);  // a second more of stream, not logged
    const std::vector<std::string> lines = Logged();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("$GPGGA,", 0) == 0; }));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("!AIVDO,", 0) == 0; }));

    QTemporaryDir dir;
    const std::string path = (dir.path() + "/stream.TXT").toStdString();
    prompts.SaveFileNames.push_back(path);
    Click(Find<QPushButton>("btnSaveLog"));
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);

    prompts.Answers.push_back(true);
    Click(Find<QPushButton>("btnClearLog"));
    EXPECT_TRUE(Logged().empty());
}

TEST_F(SimulatorPages, ACustomCommandReachesTheSimulatorAsTyped) {
    Connect();
    Find<QCheckBox>("cbxEnableLog")->setChecked(true);
    Find<QLineEdit>("EditSendCommand")->setText("$AIAIQ,SSD*39");
    Click(Find<QPushButton>("ButtonCustomSendCommand"));
    EXPECT_TRUE(simulator.WaitForRecorded("$AIAIQ,SSD*39"));
    // The answer arrives on the stream (and in the log).
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<std::string> lines = Logged();
            return std::any_of(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.rfind("$AISSD,", 0) == 0; });
        },
        4s));
    // Nothing is added: no checksum.
    Find<QLineEdit>("EditSendCommand")->setText("$PTST,,,,,00017");
    Click(Find<QPushButton>("ButtonCustomSendCommand"));
    EXPECT_TRUE(simulator.WaitForRecorded("$PTST,,,,,00017"));
    EXPECT_TRUE(prompts.Calls.empty());

    // Not connected: the port error, and nothing sent.
    Disconnect();
    Click(Find<QPushButton>("ButtonCustomSendCommand"));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Serial port open error! Please check!"});
}

}  // namespace
}  // namespace navoro
