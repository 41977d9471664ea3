// The connection manager over a scripted window, port and port source: which
// port and rate each step probes, the limits, the handshake, the status
// display and every failure message.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ConnectionFakes.h"
#include "link/ConnectionManager.h"

namespace navoro {
namespace {

using test::ScriptedHost;
using test::ScriptedPort;

constexpr char kProbe[] = "$PTST,,,,,00016*18\r\n";

class ConnectionTest : public ::testing::Test {
  protected:
    ConnectionTest() {
        lists.FillPortChoice = [this] {
            host.comPortItems.clear();
            for (const PortInfo& p : lists.PresentPorts())
                host.comPortItems.push_back(p.path);
            host.SelectFirstPort();
        };
        lists.IsConnected = [this] { return manager.Linked(); };
        lists.ConnectedPort = [this] { return port.DevicePath(); };
        lists.OnConnectedPortGone = [this] { manager.ConnectedPortGone(); };
        manager.OnReset = [this] { ++host.configurationResets; };
        manager.OnLinked = [this] { ++host.pageReads; };
    }

    void SetPorts(const std::vector<std::string>& paths,
                  const std::vector<std::string>& busy = {}) {
        std::vector<PortInfo> ports;
        for (const std::string& path : paths)
            ports.push_back({path, {}, {}});
        source.SetPorts(ports);
        for (const std::string& path : busy)
            source.SetBusy(path, true);
        manager.SetUp();
    }

    // What one step wrote: "" or "path@rate" of its probe(s).
    std::string WrittenSince(std::size_t before) const {
        std::string text;
        for (std::size_t i = before; i < port.writes.size(); ++i) {
            EXPECT_EQ(port.writes[i].bytes, kProbe);
            if (!text.empty()) text += " ";
            text += port.writes[i].path + "@" + std::to_string(port.writes[i].rate);
        }
        return text;
    }

    // A click on Connect/Disconnect and a connection step, each followed by
    // the boxes they queued, as the event loop shows them.
    void Click() {
        manager.ToggleConnection();
        host.RunNotices();
    }
    void Step() {
        manager.ConnectionStep();
        host.RunNotices();
    }

    // Clicks Connect (step 0) and runs the connection steps 1..last while they run;
    // the probes of each step.
    std::vector<std::string> ConnectAndRun(int last) {
        std::vector<std::string> steps;
        std::size_t before = port.writes.size();
        Click();
        steps.push_back(WrittenSince(before));
        for (int step = 1; step <= last && host.timersRunning; ++step) {
            before = port.writes.size();
            Step();
            steps.push_back(WrittenSince(before));
        }
        return steps;
    }

    void ExpectIdle() const {
        EXPECT_FALSE(manager.Active());
        EXPECT_EQ(manager.Handshake(), HandshakeState::Idle);
        EXPECT_FALSE(host.openPortDown);
        EXPECT_FALSE(host.timersRunning);
        EXPECT_TRUE(host.controlsEnabled);
        EXPECT_EQ(host.openPortCaption, LinkText::Connect);
        EXPECT_EQ(host.statusFrame, 0);
        EXPECT_EQ(host.statusText, LinkText::StatusDisconnect);
        EXPECT_FALSE(port.IsOpen());
    }

    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    ScriptedPortSource source;
    PortLists lists{source};
    ScriptedPort port;
    ScriptedHost host;
    ConnectionManager manager{host, port, lists, *codec};
};

TEST_F(ConnectionTest, SetUpFillsTheChoicesAndStartsIdle) {
    SetPorts({"/dev/ttyUSB0", "/dev/ttyS3"});
    EXPECT_EQ(host.baudRateItems,
              (std::vector<std::string>{"4800", "9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(host.baudRateEntry, 5);
    EXPECT_EQ(host.comPortText, "/dev/ttyS3");  // the first in natural order
    EXPECT_EQ(port.DevicePath(), "/dev/ttyS3");
    EXPECT_EQ(port.Rate(), 115200);
    EXPECT_FALSE(host.autoPage);
    EXPECT_EQ(host.configurationResets, 1);
    ExpectIdle();
}

TEST_F(ConnectionTest, WithoutPortsTheChoiceShowsNotAvailable) {
    SetPorts({});
    EXPECT_EQ(host.comPortText, "N/A");
}

// ---- manual mode ---------------------------------------------------------------

TEST_F(ConnectionTest, ManualModeProbesTwiceEveryThreeStepsAndTimesOutAtStep21) {
    SetPorts({"/dev/ttyUSB0"});
    const std::vector<std::string> steps = ConnectAndRun(21);
    ASSERT_EQ(steps.size(), 22u);
    for (int t = 0; t <= 21; ++t) {
        const bool probe = t <= 20 && t % 3 != 1;
        EXPECT_EQ(steps[t], probe ? "/dev/ttyUSB0@115200" : "") << "step " << t;
    }
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].kind, "error");
    EXPECT_EQ(host.boxes[0].text, LinkText::ManualConnectTimeOut);
    EXPECT_EQ(host.boxes[0].reason, "");  // nothing was received
    // The failing step itself disconnected.
    ExpectIdle();
}

TEST_F(ConnectionTest, ATimeOutAfterUnreadableBytesHintsAtTheRate) {
    const struct {
        std::vector<std::string> lines;  // received during the attempt
        bool hint;
    } cases[] = {
        {{}, false},
        {{"\x93\xfe\x01\r\n", "\xe0\r\n"}, true},                  // bytes at the wrong rate
        {{"\x93\xfe\x01\r\n", "$GPZDA,201530.00*60\r\n"}, false},  // one readable line
    };
    SetPorts({"/dev/ttyUSB0"});
    for (const auto& c : cases) {
        host.boxes.clear();
        manager.ToggleConnection();
        for (std::string line : c.lines) {
            manager.BytesReceived(line.size());
            manager.TakeHandshakeLine(line.data());
        }
        while (manager.Active())
            Step();
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, LinkText::ManualConnectTimeOut);
        EXPECT_EQ(host.boxes[0].reason.find("received data but no readable lines: the rate may "
                                            "be wrong"),
                  c.hint ? 0u + std::string("/dev/ttyUSB0 ").size() : std::string::npos)
            << host.boxes[0].reason;
    }
}

TEST_F(ConnectionTest, ManualModeOpensTheChosenPortAtTheChosenRate) {
    const struct {
        int entry;
        const char* opened;
    } cases[] = {{0, "/dev/ttyS3@4800"},  {1, "/dev/ttyS3@9600"},  {2, "/dev/ttyS3@19200"},
                 {3, "/dev/ttyS3@38400"}, {4, "/dev/ttyS3@57600"}, {5, "/dev/ttyS3@115200"}};
    SetPorts({"/dev/ttyUSB0", "/dev/ttyS3"});
    for (const auto& c : cases) {
        host.baudRateEntry = c.entry;
        manager.RateChosen();
        port.opened.clear();
        Click();
        EXPECT_EQ(port.opened, std::vector<std::string>{c.opened});
        Click();  // Disconnect
        ExpectIdle();
    }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ConnectionTest, ATypedPathIsOpenedAfterTheForceConnectQuestion) {
    SetPorts({"/dev/ttyUSB0"});
    host.comPortText = " /dev/pts/7 ";  // not a listed port
    manager.PortChosen();
    EXPECT_EQ(port.DevicePath(), "/dev/pts/7");
    Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].kind, "question");
    EXPECT_EQ(port.opened, std::vector<std::string>{"/dev/pts/7@115200"});
}

TEST_F(ConnectionTest, CancellingTheForceConnectQuestionLeavesEverythingIdle) {
    SetPorts({"/dev/ttyUSB0", "/dev/ttyUSB1"}, {"/dev/ttyUSB0"});
    host.forceAnswer = false;
    Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::CheckPortError);
    EXPECT_EQ(port.opens, 0);
    ExpectIdle();
}

TEST_F(ConnectionTest, APortThatCannotBeOpenedShowsWhyAndDisconnectsAtOnce) {
    SetPorts({"/dev/ttyUSB0"}, {"/dev/ttyUSB0"});
    port.refusing["/dev/ttyUSB0"] = "/dev/ttyUSB0 is busy: minicom (pid 42) has it open.";
    Click();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].kind, "question");
    EXPECT_EQ(host.boxes[1].kind, "error");
    EXPECT_EQ(host.boxes[1].text, LinkText::PortOpenError);
    EXPECT_EQ(host.boxes[1].reason, "/dev/ttyUSB0 is busy: minicom (pid 42) has it open.");
    ExpectIdle();
    Step();  // a late tick changes nothing
    ExpectIdle();
    EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(ConnectionTest, SettingsRefusedWhileOpeningAreOneBoxAndNoHalfOpenPort) {
    SetPorts({"/dev/ttyUSB0"});
    port.refusingSettings.insert("/dev/ttyUSB0");
    Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::PortOpenError);
    EXPECT_EQ(host.boxes[0].reason, "Error updating DataControlBlock (Error: 22)");
    EXPECT_FALSE(port.IsOpen());
    Step();
    ExpectIdle();
}

// ---- automatic mode --------------------------------------------------------------

TEST_F(ConnectionTest, AutomaticModeWithOneFreePortTriesSixRatesThenFailsAtStep21) {
    SetPorts({"/dev/ttyUSB0", "/dev/ttyUSB1"}, {"/dev/ttyUSB1"});
    host.autoMode = true;
    manager.ModeChanged();
    EXPECT_TRUE(host.autoPage);
    const std::vector<std::string> expected = {
        "/dev/ttyUSB0@115200",
        "",
        "/dev/ttyUSB0@115200",  // 0-2
        "/dev/ttyUSB0@57600",
        "",
        "/dev/ttyUSB0@57600",  // 3-5
        "/dev/ttyUSB0@38400",
        "",
        "/dev/ttyUSB0@38400",  // 6-8
        "/dev/ttyUSB0@19200",
        "",
        "/dev/ttyUSB0@19200",  // 9-11
        "/dev/ttyUSB0@9600",
        "",
        "/dev/ttyUSB0@9600",  // 12-14
        "/dev/ttyUSB0@4800",
        "",
        "/dev/ttyUSB0@4800",  // 15-17
        "/dev/ttyUSB0@115200",
        "",
        "/dev/ttyUSB0@115200",  // 18-20
        "",                     // 21: the limit is passed
    };
    EXPECT_EQ(ConnectAndRun(21), expected);
    EXPECT_EQ(manager.StepLimit(), 20);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::AutoDetectTimeOut);
    Step();
    ExpectIdle();
    EXPECT_EQ(host.autoComPort, "");
    EXPECT_EQ(host.autoBaudRate, "");
}

TEST_F(ConnectionTest, AutomaticModeTriesTheFreePortsInOrderUpToTheLimit) {
    SetPorts({"/dev/ttyS7", "/dev/ttyS3"});
    host.autoMode = true;
    const std::vector<std::string> steps = ConnectAndRun(39);
    ASSERT_EQ(steps.size(), 40u);
    EXPECT_EQ(manager.StepLimit(), 38);
    const char* kRates[] = {"115200", "57600", "38400", "19200", "9600", "4800"};
    for (int t = 0; t <= 39; ++t) {
        // Port 3 takes steps 0-17, port 7 steps 18-35, port 3 again 36-38.
        const char* path = (t / 18) % 2 == 0 ? "/dev/ttyS3" : "/dev/ttyS7";
        const bool probe = t <= 38 && t % 3 != 1;
        const std::string expected =
            probe ? std::string(path) + "@" + kRates[(t % 18) / 3] : std::string();
        EXPECT_EQ(steps[t], expected) << "step " << t;
    }
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::AutoDetectTimeOut);
}

TEST_F(ConnectionTest, AutomaticModeShowsThePortAndRateBeingTried) {
    SetPorts({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    host.autoMode = true;
    ConnectAndRun(20);  // the second port from step 18
    EXPECT_EQ(host.autoComPort, "/dev/ttyUSB1");
    EXPECT_EQ(host.autoBaudRate, "115200");
    EXPECT_EQ(host.comPortText, "/dev/ttyUSB1");
    EXPECT_EQ(host.baudRateEntry, 5);
    Step();
    EXPECT_EQ(host.autoBaudRate, "57600");
    EXPECT_EQ(host.baudRateEntry, 4);
}

TEST_F(ConnectionTest, AutomaticModeWithoutAFreePortWarnsOnceThenDisconnects) {
    SetPorts({"/dev/ttyUSB0"}, {"/dev/ttyUSB0"});
    host.autoMode = true;
    std::string shownPort;
    host.onBox = [&](const ScriptedHost::Box&) { shownPort = host.autoComPort; };
    Click();
    // The attempt is over when the box comes: the displays are empty again.
    EXPECT_EQ(shownPort, "");
    EXPECT_EQ(host.autoBaudRate, "");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].kind, "warning");
    EXPECT_EQ(host.boxes[0].text, LinkText::NoSerialPortExist);
    EXPECT_EQ(port.opens, 0);
    Step();
    ExpectIdle();
    EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(ConnectionTest, APortThatCannotBeOpenedIsProbedNowhereAndDetectionGoesOn) {
    SetPorts({"/dev/ttyS3", "/dev/ttyS7"});
    port.refusing["/dev/ttyS3"] = "gone";
    host.autoMode = true;
    const std::vector<std::string> steps = ConnectAndRun(20);
    for (int t = 0; t < 18; ++t)
        EXPECT_EQ(steps[t], "") << "step " << t;
    EXPECT_EQ(steps[18], "/dev/ttyS7@115200");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ConnectionTest, DisconnectDuringDetectionClosesThePortAndEmptiesTheDisplays) {
    SetPorts({"/dev/ttyUSB0"});
    host.autoMode = true;
    ConnectAndRun(4);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(host.controlsEnabled);
    Click();
    ExpectIdle();
    EXPECT_EQ(host.autoComPort, "");
    EXPECT_EQ(host.autoBaudRate, "");
}

// ---- handshake and status ----------------------------------------------------------

TEST_F(ConnectionTest, TheEndOfTheDumpEstablishesTheLinkAndReadsThePage) {
    SetPorts({"/dev/ttyUSB0"});
    ConnectAndRun(2);
    EXPECT_EQ(manager.Handshake(), HandshakeState::AwaitingDump);
    char line[] = "MMSI:(123456789)\r\n";
    manager.TakeHandshakeLine(line);
    EXPECT_FALSE(manager.Linked());
    char end[] = "******** [DEVICE DATA END] ********\r\n";
    manager.TakeHandshakeLine(end);
    EXPECT_TRUE(manager.Linked());
    EXPECT_TRUE(manager.DumpEnded());
    EXPECT_EQ(manager.Handshake(), HandshakeState::Linked);
    EXPECT_EQ(manager.Steps(), 0);
    EXPECT_EQ(host.pageReads, 1);
    manager.TakeHandshakeLine(end);  // linked: nothing more
    EXPECT_EQ(host.pageReads, 1);

    // Within 200 ms the display follows and the connection timers stop.
    manager.StatusStep();
    EXPECT_EQ(host.statusText, LinkText::StatusConnected);
    EXPECT_EQ(host.statusFrame, 1);
    EXPECT_FALSE(host.timersRunning);
    EXPECT_TRUE(host.systemCheckRunning);
    EXPECT_EQ(manager.StatusFrame(), 2);
    EXPECT_TRUE(manager.Active());
    EXPECT_TRUE(port.IsOpen());

    // Disconnect.
    Click();
    ExpectIdle();
    EXPECT_FALSE(manager.Linked());
    EXPECT_FALSE(manager.DumpEnded());
}

TEST_F(ConnectionTest, OnlyAPlainDumpEndLineCounts) {
    const struct {
        const char* line;
        bool links;
    } cases[] = {
        {"[DEVICE DATA END]\r\n", true},
        {"xx[DEVICE DATA END]yy\r\n", true},
        {"!AIVDO,1,1,,A,[DEVICE DATA END]*00\r\n", false},
        {"$GPGGA,[DEVICE DATA END]\r\n", false},
        {"[DEVICE DATA END\r\n", false},
        {"[device data end]\r\n", false},
        {"$GPZDA,201530.00,04,07,2002,00,00*60\r\n", false},
        {"\r\n", false},
    };
    SetPorts({"/dev/ttyUSB0"});
    for (const auto& c : cases) {
        Click();
        ASSERT_EQ(manager.Handshake(), HandshakeState::AwaitingDump);
        std::string copy = c.line;
        manager.TakeHandshakeLine(copy.data());
        EXPECT_EQ(manager.Linked(), c.links) << c.line;
        Click();
    }
}

TEST_F(ConnectionTest, ALineAfterAFailedAttemptDoesNotStartItOver) {
    SetPorts({"/dev/ttyUSB0"});
    ConnectAndRun(21);
    ExpectIdle();
    char line[] = "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";
    manager.TakeHandshakeLine(line);
    EXPECT_EQ(manager.Handshake(), HandshakeState::Idle);
    Step();
    ExpectIdle();
    EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(ConnectionTest, EveryFailureBoxComesAfterTheAttemptEnded) {
    // Each box is queued by the failing step and shown after it returned; by
    // then the port is closed, the timers stopped and the controls enabled.
    const struct {
        const char* name;
        bool autoMode;
        std::vector<std::string> busy;
        std::function<void(ScriptedPort&)> arrange;
        LinkText text;
    } cases[] = {
        {"manual time-out", false, {}, [](ScriptedPort&) {}, LinkText::ManualConnectTimeOut},
        {"not opened",
         false,
         {},
         [](ScriptedPort& p) { p.refusing["/dev/ttyUSB0"] = "busy"; },
         LinkText::PortOpenError},
        {"settings refused at open",
         false,
         {},
         [](ScriptedPort& p) { p.refusingSettings.insert("/dev/ttyUSB0"); },
         LinkText::PortOpenError},
        {"failed probe",
         false,
         {},
         [](ScriptedPort& p) { p.failWrites = true; },
         LinkText::PortOpenError},
        {"detection exhausted", true, {}, [](ScriptedPort&) {}, LinkText::AutoDetectTimeOut},
        {"no free port", true, {"/dev/ttyUSB0"}, [](ScriptedPort&) {}, LinkText::NoSerialPortExist},
    };
    for (const auto& c : cases) {
        ScriptedPortSource caseSource;
        PortLists caseLists{caseSource};
        ScriptedPort casePort;
        ScriptedHost caseHost;
        ConnectionManager caseManager{caseHost, casePort, caseLists, *codec};
        caseSource.SetPorts({{"/dev/ttyUSB0", {}, {}}});
        for (const std::string& path : c.busy)
            caseSource.SetBusy(path, true);
        caseManager.SetUp();
        caseHost.autoMode = c.autoMode;
        caseHost.comPortText = "/dev/ttyUSB0";
        c.arrange(casePort);
        bool idleWhileBoxUp = false;
        caseHost.onBox = [&](const ScriptedHost::Box&) {
            idleWhileBoxUp = !caseManager.Active() && !casePort.IsOpen() &&
                             !caseHost.timersRunning && caseHost.controlsEnabled;
        };
        caseManager.ToggleConnection();
        for (int step = 0; step < 40 && caseHost.notices.empty(); ++step)
            caseManager.ConnectionStep();
        EXPECT_TRUE(caseHost.boxes.empty()) << c.name << ": shown inside the step";
        ASSERT_EQ(caseHost.notices.size(), 1u) << c.name;
        caseHost.RunNotices();
        ASSERT_EQ(caseHost.boxes.size(), 1u) << c.name;
        EXPECT_EQ(caseHost.boxes[0].text, c.text) << c.name;
        EXPECT_TRUE(idleWhileBoxUp) << c.name;
    }
}

TEST_F(ConnectionTest, TheStatusAnimationSwingsAndBlinks) {
    SetPorts({"/dev/ttyUSB0"});
    Click();
    EXPECT_EQ(host.statusText, LinkText::StatusConnecting);
    EXPECT_EQ(host.statusFrame, 1);
    std::vector<int> frames;
    std::string colours;
    for (int i = 0; i < 16; ++i) {
        manager.StatusStep();
        frames.push_back(host.twoWayFrame);
        colours += host.statusRed ? 'R' : 'b';
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 3, 4, 5, 6}));
    // The label's blink phase runs 1..7, 0..7, ...: red while below 3.
    EXPECT_EQ(colours, "RRbbbbbRRRbbbbbR");
}

// ---- send path failures, hot-plug and hang-ups ------------------------------------

TEST_F(ConnectionTest, AFailedProbeInManualModeDisconnectsWithOneBox) {
    SetPorts({"/dev/ttyUSB0"});
    port.failWrites = true;
    Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::PortOpenError);
    EXPECT_EQ(host.boxes[0].reason, "/dev/ttyUSB0: the write failed.");
    ExpectIdle();  // and no timers left running after the click
}

TEST_F(ConnectionTest, AFailedProbeInAutomaticModeIsIgnored) {
    SetPorts({"/dev/ttyUSB0"});
    port.failWrites = true;
    host.autoMode = true;
    ConnectAndRun(6);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(manager.ProbeRateEntry(), 2);  // failed writes count as sent
    EXPECT_TRUE(manager.Active());
}

TEST_F(ConnectionTest, UnpluggingTheLinkedPortDisconnectsAndSaysSo) {
    SetPorts({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    host.comPortText = "/dev/ttyUSB1";
    Click();
    char end[] = "[DEVICE DATA END]\r\n";
    manager.TakeHandshakeLine(end);
    manager.StatusStep();

    source.Unplug("/dev/ttyUSB0");  // another adapter: only the lists change
    lists.PortChangeNotice({PortChange::Removal, "/dev/ttyUSB0"});
    EXPECT_EQ(manager.Handshake(), HandshakeState::Linked);
    EXPECT_TRUE(host.boxes.empty());

    source.Unplug("/dev/ttyUSB1");
    lists.PortChangeNotice({PortChange::Removal, "/dev/ttyUSB1"});
    ExpectIdle();
    host.RunNotices();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::PortOpenError);
    EXPECT_NE(host.boxes[0].reason.find("/dev/ttyUSB1"), std::string::npos);
}

TEST_F(ConnectionTest, UnpluggingDuringDetectionOnlyRefreshesTheLists) {
    // The adapter in use goes away at step 4. Its hang-up notice may come
    // before the next step, or the next rate change may meet the dead port
    // first (EIO); either way the port is closed, there is no box, and
    // detection goes on with the next free port and never comes back to it.
    for (const bool noticeFirst : {true, false}) {
        SCOPED_TRACE(noticeFirst ? "notice first" : "rate change first");
        ScriptedPortSource caseSource;
        PortLists caseLists{caseSource};
        ScriptedPort casePort;
        ScriptedHost caseHost;
        ConnectionManager caseManager{caseHost, casePort, caseLists, *codec};
        caseLists.FillPortChoice = [&] {
            caseHost.comPortItems.clear();
            for (const PortInfo& p : caseLists.PresentPorts())
                caseHost.comPortItems.push_back(p.path);
            caseHost.SelectFirstPort();
        };
        caseSource.SetPorts({{"/dev/ttyUSB0", {}, {}}, {"/dev/ttyUSB1", {}, {}}});
        caseManager.SetUp();
        caseHost.autoMode = true;
        caseManager.ToggleConnection();
        for (int t = 1; t <= 4; ++t)
            caseManager.ConnectionStep();
        ASSERT_EQ(casePort.DevicePath(), "/dev/ttyUSB0");
        casePort.HangUp();
        caseSource.Unplug("/dev/ttyUSB0");
        if (noticeFirst) {
            caseLists.PortChangeNotice({PortChange::Removal, "/dev/ttyUSB0"});
            caseManager.PortHungUp();
            EXPECT_FALSE(casePort.IsOpen());
        }
        const std::size_t before = casePort.writes.size();
        while (caseManager.Active())
            caseManager.ConnectionStep();
        caseHost.RunNotices();
        EXPECT_EQ(caseHost.comPortItems, std::vector<std::string>{"/dev/ttyUSB1"});
        // Step 6 moved to the other port at the first rate; nothing went to the lost one.
        ASSERT_GT(casePort.writes.size(), before);
        EXPECT_EQ(casePort.writes[before].path, "/dev/ttyUSB1");
        EXPECT_EQ(casePort.writes[before].rate, 115200);
        for (std::size_t i = before; i < casePort.writes.size(); ++i)
            EXPECT_EQ(casePort.writes[i].path, "/dev/ttyUSB1");
        // Only the end of the exhausted detection is reported.
        ASSERT_EQ(caseHost.boxes.size(), 1u);
        EXPECT_EQ(caseHost.boxes[0].text, LinkText::AutoDetectTimeOut);
    }
}

TEST_F(ConnectionTest, AHangUpWhileConnectingOrLinkedDisconnectsWithOneBox) {
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "linked" : "connecting");
        host.boxes.clear();
        SetPorts({"/dev/ttyUSB0"});
        Click();
        if (linked) {
            char end[] = "[DEVICE DATA END]\r\n";
            manager.TakeHandshakeLine(end);
        }
        port.HangUp();
        if (linked) {
            manager.PortHungUp();
        } else {
            Step();
            Step();  // step 2's probe meets the dead port before the notice
            manager.PortHungUp();
        }
        ExpectIdle();
        host.RunNotices();
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, LinkText::PortOpenError);
        EXPECT_EQ(host.boxes[0].reason,
                  "/dev/ttyUSB0: the device was unplugged or closed; the connection was closed.");
        manager.PortHungUp();  // a second notice
        Step();
        EXPECT_EQ(host.boxes.size(), 1u);
    }
}

TEST_F(ConnectionTest, ReconnectingAfterADisconnectStartsAFreshAttempt) {
    SetPorts({"/dev/ttyUSB0"});
    char end[] = "[DEVICE DATA END]\r\n";
    for (int round = 0; round < 2; ++round) {
        ConnectAndRun(3);
        manager.TakeHandshakeLine(end);
        manager.StatusStep();
        EXPECT_EQ(host.statusText, LinkText::StatusConnected) << round;
        EXPECT_EQ(host.pageReads, round + 1);
        Click();
        ExpectIdle();
    }
    EXPECT_EQ(port.opens, 2);
    EXPECT_EQ(port.closes, 2);
}

// ---- transponders of other makers: standard mode ----------------------------------

// An own-ship report (real payload, channel blank as transponders send it), an
// alarm with a blank time, a GNSS fix.
constexpr char kOwnShipReport[] = "!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0*1C\r\n";
constexpr char kAlarm[] = "$AIALR,,006,A,V,AIS: TX MALFUNCTION*75\r\n";
constexpr char kFix[] = "$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,*49\r\n";
constexpr char kAskedOfStandard[] = "$ECAIQ,VER*32\r\n$ECAIQ,SSD*37\r\n$ECAIQ,VSD*32\r\n";

class StandardModeTest : public ConnectionTest {
  protected:
    void Receive(const std::vector<std::string>& lines) {
        for (std::string line : lines) {
            manager.BytesReceived(line.size());
            manager.TakeHandshakeLine(line.data());
        }
    }
    // Everything written that is not the probe.
    std::string WrittenBesidesProbes() const {
        std::string text;
        for (const ScriptedPort::Written& w : port.writes)
            if (w.bytes != kProbe) text += w.bytes;
        return text;
    }
};

TEST_F(StandardModeTest, ManualModeLinksInStandardModeWhenTheDumpsTimeIsOver) {
    SetPorts({"/dev/ttyUSB0"});
    Click();
    // The transponder streams all along, but our maker's dump may still come:
    // nothing is decided before the time-out.
    for (int t = 1; t <= 20; ++t) {
        Receive({kFix, kOwnShipReport, kAlarm});
        Step();
        ASSERT_EQ(manager.Handshake(), HandshakeState::AwaitingDump) << "step " << t;
    }
    EXPECT_EQ(WrittenBesidesProbes(), "");
    Step();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(manager.Linked());
    EXPECT_EQ(manager.Mode(), LinkMode::Standard);
    EXPECT_FALSE(manager.DumpEnded());  // no configuration read of our maker's
    EXPECT_EQ(host.pageReads, 1);
    EXPECT_EQ(WrittenBesidesProbes(), kAskedOfStandard);
    EXPECT_TRUE(port.IsOpen());

    manager.StatusStep();
    EXPECT_EQ(host.statusText, LinkText::StatusConnectedStandard);
    EXPECT_EQ(host.standardDevice, "/");
    EXPECT_FALSE(host.timersRunning);
    EXPECT_TRUE(host.systemCheckRunning);
    // The VER reply names the maker and model.
    manager.StandardDeviceIdentified("ACME", "CLASS A 9000");
    EXPECT_EQ(host.standardDevice, "ACME/CLASS A 9000");

    Click();
    ExpectIdle();
    EXPECT_EQ(manager.Mode(), LinkMode::None);
    // A new attempt starts without the last one's traffic or identity.
    Click();
    EXPECT_EQ(manager.Traffic().Lines(), 0u);
    manager.StandardDeviceIdentified("ACME", "CLASS A 9000");
    EXPECT_EQ(manager.Mode(), LinkMode::None);
}

TEST_F(StandardModeTest, OurDumpStillLinksAtOnceAmidStandardTraffic) {
    SetPorts({"/dev/ttyUSB0"});
    Click();
    Receive({kOwnShipReport, kFix, kAlarm, "******** [DEVICE DATA END] ********\r\n"});
    EXPECT_TRUE(manager.Linked());
    EXPECT_EQ(manager.Mode(), LinkMode::Proprietary);
    EXPECT_TRUE(manager.DumpEnded());
    EXPECT_EQ(WrittenBesidesProbes(), "");  // no standard query
    manager.StatusStep();
    EXPECT_EQ(host.statusText, LinkText::StatusConnected);
}

TEST_F(StandardModeTest, ANakOfTheProbeLinksAtOnce) {
    SetPorts({"/dev/ttyUSB0"});
    Click();
    Receive({kOwnShipReport});
    EXPECT_FALSE(manager.Linked());
    Receive({"$AINAK,P,TST,,2,SENTENCE NOT SUPPORTED*4B\r\n"});
    EXPECT_TRUE(manager.Linked());
    EXPECT_EQ(manager.Mode(), LinkMode::Standard);
    EXPECT_EQ(manager.Steps(), 0);
    EXPECT_EQ(WrittenBesidesProbes(), kAskedOfStandard);
}

TEST_F(StandardModeTest, AManualTimeOutSaysWhatThePortCarried) {
    const struct {
        const char* name;
        std::vector<std::string> lines;  // received at every step
        LinkText text;
        std::string reason;
    } cases[] = {
        {"GNSS only", {kFix}, LinkText::NotATransponder, "/dev/ttyUSB0"},
        {"a gyro", {"$HEHDT,274.1,T*2F\r\n"}, LinkText::NotATransponder, "/dev/ttyUSB0"},
        {"broken checksums",
         {"!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0*1D\r\n"},
         LinkText::ManualConnectTimeOut,
         ""},
        {"silence", {}, LinkText::ManualConnectTimeOut, ""},
        // Our maker's transponder whose dump broke off times out as before.
        {"a dump without its end",
         {"[DEVICE DATA BEGIN]\r\n", kOwnShipReport},
         LinkText::ManualConnectTimeOut,
         ""},
    };
    SetPorts({"/dev/ttyUSB0"});
    for (const auto& c : cases) {
        host.boxes.clear();
        Click();
        while (manager.Active()) {
            Receive(c.lines);
            Step();
        }
        ASSERT_EQ(host.boxes.size(), 1u) << c.name;
        EXPECT_EQ(host.boxes[0].text, c.text) << c.name;
        EXPECT_EQ(host.boxes[0].reason, c.reason) << c.name;
        ExpectIdle();
    }
}

TEST_F(StandardModeTest, AutomaticDetectionKeepsTheRateWhoseLinesAreWellFormed) {
    SetPorts({"/dev/ttyUSB0"});
    host.autoMode = true;
    Click();
    // At 38400 (steps 6-8) the lines are well formed; at other rates the
    // same bytes are garbage.
    for (int t = 1; t <= 20 && !manager.Linked(); ++t) {
        if (port.Rate() == 38400)
            Receive({kOwnShipReport, kFix});
        else
            Receive({"\x93\xfe\x01\xe0\r\n"});
        Step();
    }
    ASSERT_TRUE(manager.Linked());
    EXPECT_EQ(manager.Mode(), LinkMode::Standard);
    EXPECT_EQ(port.Rate(), 38400);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(host.autoBaudRate, "38400");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(WrittenBesidesProbes(), kAskedOfStandard);
    ASSERT_FALSE(port.writes.empty());
    EXPECT_EQ(port.writes.back().rate, 38400);
}

TEST_F(StandardModeTest, AutomaticDetectionSaysNotATransponderOnceAtTheEnd) {
    SetPorts({"/dev/ttyUSB1", "/dev/ttyUSB0"});
    host.autoMode = true;
    Click();
    // ttyUSB0 carries a GNSS receiver (at every rate, as a pseudo-terminal
    // does); ttyUSB1 is silent.
    while (manager.Active()) {
        if (port.DevicePath() == "/dev/ttyUSB0") Receive({kFix});
        Step();
    }
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, LinkText::NotATransponder);
    EXPECT_EQ(host.boxes[0].reason, "/dev/ttyUSB0");
    ExpectIdle();
}

}  // namespace
}  // namespace navoro
