// The main window connected to navoro-sim over a pseudo-terminal, offscreen:
// the simulator's live stream reaches the diagnosis pages through the real
// receive path (serial-port component, line assembly, dispatcher), and the
// pages' commands reach the simulator through the real send path.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <fstream>

#include "app/ControlTexts.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/GpsStatusPage.h"
#include "diagnosis/SignalChart.h"
#include "diagnosis/SkyPlot.h"
#include "diagnosis/SystemCheckPage.h"
#include "tests/e2e/WindowFixture.h"
#include "tests/support/SimulatorFixture.h"
#include "tools/sim/DeviceState.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

class SimulatorPages : public test::WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Started()) << simulator.Error();
        MakeWindow({simulator.DevicePath()});
        QComboBox* port = Controls().cbxComPort;
        port->setCurrentIndex(port->findText(QString::fromStdString(simulator.DevicePath())));
        emit port->activated(port->currentIndex());
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
    ASSERT_TRUE(
        WaitUntil([&] { return satellitesShown() && !Text("lblEdtGpsLat").isEmpty(); }, 8s));

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
    TPaintSatelliteChart* plot = form->diagnosis().GpsStatus().PaintSatelliteChart();
    int satellites = 0, shown = 0;
    for (const ChartBar& bar : bars)
        satellites += bar.Label != "---";
    for (int i = 0; i < TPaintSatelliteChart::kMarkers; ++i) {
        TPaintSatellite* marker = plot->Marker(i);
        if (marker->isHidden()) continue;
        ++shown;
        EXPECT_EQ(std::to_string(marker->PRN), bars[static_cast<std::size_t>(i)].Label);
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

TEST_F(SimulatorPages, SystemCheckCountsTheOwnReportsPerChannelAndResets) {
    Find<QCheckBox>("cbxEnableLog")->setChecked(true);  // the log tells what arrived
    Connect();
    ASSERT_TRUE(form->TimerUpdateSysChk()->isActive());  // started with the link
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
