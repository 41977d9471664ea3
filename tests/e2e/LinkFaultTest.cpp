// The main window under the faults of a real link, on pseudo-terminals: a
// port another program reads, a device that hangs up while ports are being
// detected or while connecting, and a silent device whose time-out box is
// left up. Boxes are modal here: each runs the real event loop while it is up.

#include <unistd.h>

#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "WindowFixture.h"
#include "tests/support/PortReader.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::PortReader;
using test::SimulatorFixture;
using test::SimulatorOptions;

// What the window looked like while a box was up.
struct BoxSeen {
    std::string text;
    bool portOpen = true;
    bool buttonDown = true;
    bool controlsEnabled = false;
};

class LinkFault : public test::WindowTest {
  protected:
    // Every box stays up for `up` with the event loop running, as a modal box
    // the user has not answered yet; the window's state is noted when it opens.
    void ModalBoxes(std::chrono::milliseconds up) {
        prompts.OnCall = [this, up](const PromptCall& call) {
            if (call.Kind != PromptKind::Message) return;
            seen.push_back({call.Text, form->Serial().IsOpen(), Controls().OpenPort->isChecked(),
                            Controls().cbxComPort->isEnabled()});
            QEventLoop loop;
            QTimer::singleShot(static_cast<int>(up.count()), &loop, &QEventLoop::quit);
            loop.exec();
        };
    }
    bool Idle() const {
        return !Controls().OpenPort->isChecked() && Status() == "Disconnect..." &&
               !form->Serial().IsOpen();
    }
    // A link in the fixture's folder to `target`, so that the ports sort as named.
    std::string LinkTo(const std::string& name, const std::string& target) {
        const std::filesystem::path link = folder / name;
        std::filesystem::create_symlink(target, link);
        return link.string();
    }

    std::vector<BoxSeen> seen;
};

TEST_F(LinkFault, APortAnotherProgramReadsIsNeverShared) {
    SimulatorFixture sim;
    ASSERT_TRUE(sim.Started()) << sim.Error();
    PortReader reader(sim.DevicePath());
    ASSERT_TRUE(reader.Holds(sim.DevicePath()));
    MakeWindow({sim.DevicePath()});
    source.SetBusy(sim.DevicePath(), true);  // the lists know it is held
    form->Ports().RescanPorts();
    prompts.Answers = {true};  // the user forces it
    ModalBoxes(300ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return !seen.empty(); }, 5s));
    ASSERT_EQ(prompts.Calls.at(0).Kind, PromptKind::OkCancel);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find("Serial port open error! Please check!"), std::string::npos);
    EXPECT_NE(seen[0].text.find("held by cat (pid " + std::to_string(reader.Pid()) + ")"),
              std::string::npos)
        << seen[0].text;
    EXPECT_FALSE(seen[0].portOpen);
    EXPECT_TRUE(Idle());
    // Nothing of the device's output was taken from the other reader.
    EXPECT_TRUE(sim.RecordedLines().empty());
}

TEST_F(LinkFault, AHangUpDuringDetectionMovesOnToTheNextPortWithoutABox) {
    // A answers at none of the first rates tried and hangs up while it is
    // being tried; B answers at 9600.
    SimulatorFixture a([] {
        SimulatorOptions o;
        o.Rate = 4800;
        o.NoStream = true;
        o.HangupAfter = 3;
        return o;
    }());
    SimulatorFixture b([] {
        SimulatorOptions o;
        o.Rate = 9600;
        return o;
    }());
    ASSERT_TRUE(a.Started() && b.Started()) << a.Error() << b.Error();
    const std::string portA = LinkTo("ttyA", a.DevicePath());
    const std::string portB = LinkTo("ttyB", b.DevicePath());
    MakeWindow({portA, portB});
    ModalBoxes(300ms);
    ChooseAutomatic();
    StepEvery(250ms);
    Click(Controls().OpenPort);
    bool hungUpWhileTried = false;
    bool aEnded = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (!aEnded && a.WaitExit(0ms).has_value()) {
                aEnded = true;
                hungUpWhileTried = form->Serial().DevicePath() == portA;
            }
            return Connected() || Idle();
        },
        30s));
    EXPECT_TRUE(aEnded);
    EXPECT_TRUE(hungUpWhileTried);
    EXPECT_TRUE(Connected()) << Status().toStdString();
    EXPECT_EQ(form->Serial().DevicePath(), portB);
    EXPECT_EQ(form->Serial().Rate(), 9600);
    EXPECT_TRUE(prompts.Calls.empty()) << prompts.Calls[0].Text;
}

TEST_F(LinkFault, AHangUpWhileConnectingIsOneBoxAndNoErrorCodes) {
    SimulatorFixture sim([] {
        SimulatorOptions o;
        o.Silent = true;
        o.HangupAfter = 1.5;
        return o;
    }());
    ASSERT_TRUE(sim.Started()) << sim.Error();
    MakeWindow({sim.DevicePath()});
    ModalBoxes(300ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return !seen.empty(); }, 10s));
    QTest::qWait(1500);  // steps that might still run: none should box again
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(sim.DevicePath() + ": the device was unplugged or closed"),
              std::string::npos)
        << seen[0].text;
    EXPECT_FALSE(seen[0].portOpen);
    EXPECT_FALSE(seen[0].buttonDown);
    EXPECT_TRUE(Idle());
}

TEST_F(LinkFault, ATimeOutBoxLeftUpHoldsNothingOpen) {
    SimulatorFixture sim([] {
        SimulatorOptions o;
        o.Silent = true;
        return o;
    }());
    ASSERT_TRUE(sim.Started()) << sim.Error();
    MakeWindow({sim.DevicePath()});
    ModalBoxes(2s);  // the user reads it for a while
    StepEvery(50ms);
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return !seen.empty(); }, 10s));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Serial port connection time out!");
    // Already disconnected when the box opened, and while it is up.
    EXPECT_FALSE(seen[0].portOpen);
    EXPECT_FALSE(seen[0].buttonDown);
    EXPECT_TRUE(seen[0].controlsEnabled);
    EXPECT_FALSE(form->ConnectionStepTimer()->isActive());
    EXPECT_TRUE(Idle());
}

}  // namespace
}  // namespace navoro
