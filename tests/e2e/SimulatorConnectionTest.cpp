// The main window against the simulated transponder on a pseudo-terminal:
// manual and automatic connection at the simulator's rate and at others, the
// fault switches, the bytes the simulator received, and demo mode.

#include <signal.h>
#include <unistd.h>

#include <algorithm>

#include <QLineEdit>
#include <QTimer>

#include "WindowFixture.h"
#include "app/DemoSimulator.h"
#include "config/Configuration.h"
#include "tests/link/PtyPair.h"
#include "tests/support/Sentence.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;
using test::SimulatorFixture;
using test::SimulatorOptions;

constexpr char kProbeLine[] = "$PTST,,,,,00016*18";

// The simulator's options, with `change` applied to the defaults.
SimulatorOptions With(const std::function<void(SimulatorOptions&)>& change) {
    SimulatorOptions options;
    change(options);
    return options;
}

class SimulatorConnection : public test::WindowTest {
  protected:
    MainWindow& Open(const SimulatorFixture& sim, std::vector<std::string> ports = {}) {
        EXPECT_TRUE(sim.Started()) << sim.Error();
        ports.push_back(sim.DevicePath());
        MainWindow& window = MakeWindow(ports);
        // The link's read of the visible tab is counted instead of sent.
        window.Session().Unsubscribe(window.configuration());
        window.Session().Subscribe(linkCounter);
        SetComPort(sim.DevicePath());
        return window;
    }
    void SetComPort(const std::string& path) {
        QComboBox* box = Controls().cbxComPort;
        box->setCurrentIndex(box->findText(QString::fromStdString(path)));
        emit box->activated(box->currentIndex());
    }
    void SetRate(int rate) {
        QComboBox* box = Controls().cbxBaudRate;
        box->setCurrentIndex(box->findText(QString::number(rate)));
        emit box->activated(box->currentIndex());
    }
    // Idle again after an attempt: the button up, the controls back.
    bool Idle() const {
        return !Controls().OpenPort->isChecked() && Status() == "Disconnect..." &&
               !form->Serial().IsOpen();
    }

    struct LinkCounter : SessionListener {
        explicit LinkCounter(int& count) : count_(count) {}
        void Linked() override { ++count_; }
        int& count_;
    };
    int pageReads = 0;
    LinkCounter linkCounter{pageReads};
};

// ---- manual ---------------------------------------------------------------------

struct ManualCase {
    int simulatorRate;
    int chosenRate;
    bool links;
};

void PrintTo(const ManualCase& c, std::ostream* os) {
    *os << "device " << c.simulatorRate << ", chosen " << c.chosenRate;
}

class ManualConnection : public SimulatorConnection,
                         public ::testing::WithParamInterface<ManualCase> {};

TEST_P(ManualConnection, LinksOnlyAtTheDevicesRate) {
    const ManualCase& c = GetParam();
    SimulatorFixture sim(With([&](SimulatorOptions& o) { o.Rate = c.simulatorRate; }));
    Open(sim);
    SetRate(c.chosenRate);
    StepEvery(50ms);  // the time-out comes after 21 steps
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected() || Idle(); }, 10s)) << Status().toStdString();
    EXPECT_EQ(form->Serial().Rate() == 115200, c.chosenRate == 115200);
    if (c.links) {
        EXPECT_TRUE(Connected());
        EXPECT_EQ(pageReads, 1);
        EXPECT_TRUE(prompts.Calls.empty());
        EXPECT_TRUE(sim.WaitForRecorded(kProbeLine, 2s));
    } else {
        EXPECT_EQ(pageReads, 0);
        ASSERT_TRUE(WaitUntil([&] { return !Boxes().empty(); }, 2s));  // shown after the step
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Serial port connection time out!"});
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, ManualConnection,
                         ::testing::Values(ManualCase{115200, 115200, true},
                                           ManualCase{38400, 38400, true},
                                           ManualCase{115200, 9600, false},
                                           ManualCase{4800, 57600, false}),
                         [](const auto& info) {
                             return "Device" + std::to_string(info.param.simulatorRate) + "Chosen" +
                                    std::to_string(info.param.chosenRate);
                         });

TEST_F(SimulatorConnection, WithoutTheEndOfTheDumpNothingLinks) {
    SimulatorFixture sim(With([](SimulatorOptions& o) { o.NoDumpEnd = true; }));
    Open(sim);
    StepEvery(50ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }, 10s));
    // The device streams on; the failed attempt does not start over.
    QTest::qWait(500);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(pageReads, 0);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Serial port connection time out!"});
}

TEST_F(SimulatorConnection, AHangUpDropsTheLinkCleanly) {
    SimulatorFixture sim(With([](SimulatorOptions& o) { o.HangupAfter = 1.5; }));
    Open(sim);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 3s));
    ASSERT_TRUE(WaitUntil([&] { return Idle() && !Boxes().empty(); }, 5s))
        << Status().toStdString();
    EXPECT_FALSE(form->Connection().Linked());
    EXPECT_TRUE(Controls().cbxComPort->isEnabled());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find(sim.DevicePath()), std::string::npos) << Boxes()[0];
    EXPECT_TRUE(sim.WaitExit(5s).has_value());
}

TEST_F(SimulatorConnection, DisconnectAndReconnect) {
    SimulatorFixture sim;
    Open(sim);
    for (int round = 1; round <= 2; ++round) {
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 3s)) << "round " << round;
        EXPECT_EQ(pageReads, round);
        Click(Controls().OpenPort);
        EXPECT_TRUE(Idle());
    }
    EXPECT_TRUE(prompts.Calls.empty());
    QTest::qWait(100);
    const auto lines = sim.RecordedLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kProbeLine), 2);
}

TEST_F(SimulatorConnection, TheDeviceReceivesExactlyWhatWasSent) {
    SimulatorFixture sim;
    Open(sim);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 3s));
    ProprietaryStore& store = form->codec().Proprietary;
    store.Mmsi = 211000000;
    store.Imo = 9074729;
    ASSERT_TRUE(form->Connection().Send().SendSentence("P", "MID"));
    ASSERT_TRUE(form->Session().SendText("$PTST,,,,,00017"));
    std::string mid = test::Sentence("$PMID,211000000,009074729");
    mid.resize(mid.size() - 2);  // the record holds lines without CR LF
    EXPECT_TRUE(sim.WaitForRecorded(mid, 3s));
    EXPECT_TRUE(sim.WaitForRecorded("$PTST,,,,,00017*19", 3s));
    EXPECT_EQ(sim.RecordedLines().front(), kProbeLine);
}

// ---- automatic ------------------------------------------------------------------

class AutomaticConnection : public SimulatorConnection,
                            public ::testing::WithParamInterface<int> {};

TEST_P(AutomaticConnection, FindsTheDeviceAmongOtherPortsAtItsRate) {
    const int rate = GetParam();
    PtyPair silent;
    PtyPair noisy;
    SimulatorFixture sim(With([&](SimulatorOptions& o) { o.Rate = rate; }));
    Open(sim, {silent.SlavePath(), noisy.SlavePath()});
    // One port sends garbage lines, another nothing at all.
    QTimer garbage;
    QObject::connect(&garbage, &QTimer::timeout, [&] {
        // Never waits: what the port does not take is dropped.
        static const char kJunk[] = "\x01\xfe junk $GPXXX,1*00 [DEVICE DATA\r\n";
        [[maybe_unused]] const auto n = ::write(noisy.Master(), kJunk, sizeof kJunk - 1);
        noisy.ReadMaster(4096, 1ms);
        silent.ReadMaster(4096, 1ms);
    });
    garbage.start(30);
    // How long the event loop is kept waiting.
    QElapsedTimer beat;
    qint64 longestGap = 0;
    QTimer heart;
    QObject::connect(&heart, &QTimer::timeout, [&] {
        if (beat.isValid()) longestGap = std::max(longestGap, beat.elapsed());
        beat.restart();
    });
    heart.start(10);

    ChooseAutomatic();
    // A real step is a second; a few hundred milliseconds between a probe and
    // the next rate still leave a loaded machine's simulator time to answer.
    StepEvery(150ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected() || Idle(); }, 20s));
    ASSERT_TRUE(Connected()) << (Boxes().empty() ? "" : Boxes()[0]);
    EXPECT_EQ(form->Serial().DevicePath(), sim.DevicePath());
    EXPECT_EQ(form->Serial().Rate(), rate);
    EXPECT_EQ(Controls().EditAutoDetectComPort->text().toStdString(), sim.DevicePath());
    EXPECT_EQ(Controls().EditAutoDetectBaudRate->text(), QString::number(rate));
    EXPECT_EQ(pageReads, 1);
    EXPECT_TRUE(prompts.Calls.empty());
    RecordProperty("LongestEventLoopGapMs", static_cast<int>(longestGap));
    EXPECT_LT(longestGap, 1000);  // no step blocks; a loaded machine may add some
}

INSTANTIATE_TEST_SUITE_P(Rates, AutomaticConnection, ::testing::Values(115200, 38400, 4800),
                         [](const auto& info) { return std::to_string(info.param); });

// ---- demo mode --------------------------------------------------------------------

class DemoMode : public SimulatorConnection {
  protected:
    // The window with --simulate, over the system's own port source.
    MainWindow& StartDemo(const std::string& exeFolder = NAVORO_BIN_DIR) {
        AppOptions options;
        options.Simulate = true;
        ShellEnvironment environment{exeFolder, folder / "Documents", options, nullptr};
        form = std::make_unique<MainWindow>(prompts, environment);
        form->show();
        return *form;
    }
    qint64 ConnectAndTime() {
        QElapsedTimer clock;
        clock.start();
        Click(Controls().OpenPort);
        if (!WaitUntil([&] { return Connected(); }, 10s)) return -1;
        return clock.elapsed();
    }
};

TEST_F(DemoMode, ConnectsManuallyAndAutomaticallyWithoutHardware) {
    StartDemo();
    ASSERT_FALSE(form->SimulatorPort().empty()) << (Boxes().empty() ? "" : Boxes()[0]);
    EXPECT_EQ(Controls().cbxComPort->currentText().toStdString(), form->SimulatorPort());

    const qint64 manual = ConnectAndTime();
    EXPECT_GE(manual, 0);
    RecordProperty("ManualConnectMs", static_cast<int>(manual));
    Click(Controls().OpenPort);
    ASSERT_TRUE(Idle());

    ChooseAutomatic();
    const qint64 automatic = ConnectAndTime();
    EXPECT_GE(automatic, 0);
    RecordProperty("AutomaticConnectMs", static_cast<int>(automatic));
    EXPECT_EQ(form->Serial().DevicePath(), form->SimulatorPort());
    EXPECT_TRUE(prompts.Calls.empty());
    std::printf("demo mode: Connect to \"Connected...\": manual %lld ms, automatic %lld ms\n",
                static_cast<long long>(manual), static_cast<long long>(automatic));
}

TEST_F(DemoMode, TheSimulatorStopsWithTheProgram) {
    StartDemo();
    ASSERT_NE(form->Simulator(), nullptr);
    const qint64 pid = form->Simulator()->ProcessId();
    ASSERT_GT(pid, 0);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 10s));
    prompts.Answers = {true};
    form->close();  // confirmed exit: the port closes, the simulator stops
    EXPECT_FALSE(form->Simulator()->Running());
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);
}

TEST_F(DemoMode, AMissingSimulatorIsExplained) {
    StartDemo(folder / "empty");
    EXPECT_TRUE(form->SimulatorPort().empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("navoro-sim"), std::string::npos) << Boxes()[0];
    EXPECT_NE(Boxes()[0].find("not found"), std::string::npos) << Boxes()[0];
}

}  // namespace
}  // namespace navoro
