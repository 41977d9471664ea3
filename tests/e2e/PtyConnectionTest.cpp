// The main window against a pseudo-terminal whose far end the test plays:
// the exact bytes of the probe and of the send path, the handshake, a silent
// device, a hang-up, disconnect and reconnect.

#include <QLineEdit>

#include "WindowFixture.h"
#include "config/Configuration.h"
#include "link/TermiosDevice.h"
#include "tests/link/PtyPair.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

constexpr char kProbe[] = "$PTST,,,,,00016*18\r\n";
constexpr char kDumpEnd[] = "MMSI:(211000000)\r\n******** [DEVICE DATA END] ********\r\n";

class PtyConnection : public test::WindowTest {
  protected:
    PtyConnection() {
        EXPECT_TRUE(device.Ok());
        MakeWindow({device.SlavePath()});
        // The link's read of the visible tab is counted instead of sent.
        form->Session().Unsubscribe(form->configuration());
        form->Session().Subscribe(linkCounter);
    }

    // Connects in manual mode, answers the probe with the dump and waits for
    // "Connected...".
    void Link() {
        Click(Controls().OpenPort);
        ASSERT_EQ(device.ReadMaster(sizeof kProbe - 1, 2s), kProbe);
        ASSERT_TRUE(device.WriteMaster(kDumpEnd));
        ASSERT_TRUE(WaitUntil([this] { return Connected(); }, 2s)) << Status().toStdString();
        // A new link asks for the state of every alarm.
        const std::string alarmQuery = test::Sentence("$ECAIQ,ALR");
        ASSERT_EQ(device.ReadMaster(alarmQuery.size(), 2s), alarmQuery);
    }

    PtyPair device;
    struct LinkCounter : SessionListener {
        explicit LinkCounter(int& count) : count_(count) {}
        void Linked() override { ++count_; }
        int& count_;
    };
    int pageReads = 0;
    LinkCounter linkCounter{pageReads};
};

TEST_F(PtyConnection, ManualConnectSendsTheProbeAndLinksOnTheEndOfTheDump) {
    EXPECT_EQ(Controls().cbxComPort->currentText().toStdString(), device.SlavePath());
    QElapsedTimer clock;
    clock.start();
    Click(Controls().OpenPort);
    // Step 0 probes at once, at 115200 bit/s.
    EXPECT_EQ(device.ReadMaster(sizeof kProbe - 1, 2s), kProbe);
    EXPECT_EQ(form->Serial().Rate(), 115200);
    EXPECT_EQ(Status(), "Connecting...");
    EXPECT_EQ(Controls().OpenPort->text(), "Disconnect");
    EXPECT_TRUE(Controls().OpenPort->isChecked());
    EXPECT_FALSE(Controls().cbxComPort->isEnabled());
    EXPECT_EQ(pageReads, 0);

    ASSERT_TRUE(device.WriteMaster(kDumpEnd));
    ASSERT_TRUE(WaitUntil([this] { return form->Connection().Linked(); }, 2s));
    EXPECT_EQ(pageReads, 1);  // the page's change handler reads it
    EXPECT_EQ(form->Connection().Handshake(), HandshakeState::Linked);
    ASSERT_TRUE(WaitUntil([this] { return Connected(); }, 400ms));
    const qint64 linkedAfter = clock.elapsed();
    EXPECT_LT(linkedAfter, 2000);  // about 200 ms: the display follows at the next 200 ms tick
    RecordProperty("ConnectToConnectedMs", static_cast<int>(linkedAfter));
    EXPECT_EQ(Controls().LabelConnectionStatus->palette().color(QPalette::WindowText),
              QColor(Qt::blue));
    EXPECT_FALSE(form->ConnectionStepTimer()->isActive());
    EXPECT_FALSE(form->StatusTimer()->isActive());
    EXPECT_TRUE(form->SystemCheckTimer()->isActive());
    EXPECT_TRUE(prompts.Calls.empty());
}

TEST_F(PtyConnection, SentBytesAreExactWithChecksumAndLineEnd) {
    Link();
    ProprietaryStore& store = form->codec().Proprietary;
    store.Mmsi = 211000000;
    store.Imo = 9074729;
    EXPECT_TRUE(form->Connection().Send().SendSentence("P", "MID"));
    const std::string mid = test::Sentence("$PMID,211000000,009074729");
    EXPECT_EQ(device.ReadMaster(mid.size(), 2s), mid);

    EXPECT_TRUE(form->Session().SendText("$PTST,,,,,00017"));
    EXPECT_EQ(device.ReadMaster(20, 2s), "$PTST,,,,,00017*19\r\n");

    EXPECT_TRUE(form->Session().Send("RAW\r\n"));
    EXPECT_EQ(device.ReadMaster(5, 2s), "RAW\r\n");
}

TEST_F(PtyConnection, ASilentDeviceTimesOutAfterTwentyStepsWithTheMessage) {
    StepEvery(40ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([this] { return !Controls().OpenPort->isChecked(); }, 5s));
    ASSERT_TRUE(WaitUntil([this] { return !Boxes().empty(); }, 2s));  // shown after the step
    // Probes at steps 0, 2, 3, 5, ... 18, 20: fourteen, then nothing.
    std::string expected;
    for (int i = 0; i < 14; ++i)
        expected += kProbe;
    EXPECT_EQ(device.ReadMaster(expected.size() + 1, 300ms), expected);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Serial port connection time out!"});
    EXPECT_EQ(prompts.Calls.at(0).Title, "Error");
    EXPECT_EQ(Status(), "Disconnect...");
    EXPECT_FALSE(form->Serial().IsOpen());
    EXPECT_TRUE(Controls().cbxComPort->isEnabled());
    EXPECT_EQ(pageReads, 0);
}

TEST_F(PtyConnection, AHangUpDropsTheLinkWithAMessage) {
    Link();
    device.CloseMaster();
    ASSERT_TRUE(WaitUntil([this] { return Status() == "Disconnect..." && !Boxes().empty(); }, 3s));
    EXPECT_FALSE(form->Serial().IsOpen());
    EXPECT_FALSE(Controls().OpenPort->isChecked());
    EXPECT_EQ(Controls().OpenPort->text(), "Connect");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("Serial port open error! Please check!"), std::string::npos);
    EXPECT_NE(Boxes()[0].find(device.SlavePath()), std::string::npos);
}

TEST_F(PtyConnection, DisconnectAndReconnect) {
    Link();
    Click(Controls().OpenPort);
    EXPECT_EQ(Status(), "Disconnect...");
    EXPECT_FALSE(form->Serial().IsOpen());
    EXPECT_TRUE(Controls().RadioButtonConnectionModeAuto->isEnabled());
    Link();
    EXPECT_EQ(pageReads, 2);
    EXPECT_TRUE(prompts.Calls.empty());
}

TEST_F(PtyConnection, ABusyPortIsAskedAboutAndItsReasonShown) {
    // Another user of the device holds it exclusively.
    TermiosDevice other;
    ASSERT_TRUE(other.Open(device.SlavePath(), nullptr));
    source.SetBusy(device.SlavePath(), true);
    form->Ports().RescanPorts();
    prompts.Answers = {true};  // force it
    Click(Controls().OpenPort);
    // The attempt is over at once; its box follows.
    EXPECT_FALSE(Controls().OpenPort->isChecked());
    ASSERT_TRUE(WaitUntil([this] { return prompts.Calls.size() == 2; }, 2s));
    EXPECT_EQ(prompts.Calls[0].Kind, PromptKind::OkCancel);
    EXPECT_EQ(prompts.Calls[0].Text,
              "Note! Any force connect this serial port may cause unpredictable mistakes. "
              "Continue?");
    const std::string& error = prompts.Calls[1].Text;
    EXPECT_EQ(error.rfind("Serial port open error! Please check!\n\n", 0), 0u) << error;
    EXPECT_NE(error.find(device.SlavePath()), std::string::npos) << error;
    EXPECT_FALSE(form->Serial().IsOpen());
    EXPECT_EQ(Status(), "Disconnect...");

    // Cancelling the question leaves everything as it was.
    prompts.Answers = {false};
    Click(Controls().OpenPort);
    EXPECT_EQ(prompts.Calls.size(), 3u);
    EXPECT_FALSE(Controls().OpenPort->isChecked());
    EXPECT_TRUE(Controls().cbxComPort->isEnabled());
    EXPECT_EQ(form->Connection().Handshake(), HandshakeState::Idle);
}

}  // namespace
}  // namespace navoro
