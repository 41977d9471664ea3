// The serial link's Qt glue: events reach the GUI thread through its event
// loop, and port notices arrive through a socket notifier.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <chrono>

#include "link/GuiThreadExecutor.h"
#include "link/PortMonitor.h"
#include "link/SerialPort.h"
#include "tests/link/PtyPair.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class LinkQt : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        port.SetDevicePath(pty.SlavePath());
        ASSERT_TRUE(port.SetRate(115200).Ok());
    }

    test::PtyPair pty;
    GuiThreadExecutor executor;
    SerialPort port{executor};
};

TEST_F(LinkQt, ReceiveHandlerRunsOnTheGuiThread) {
    std::string received;
    QThread* handlerThread = nullptr;
    port.OnDataWaiting = [&](std::uint32_t count) {
        handlerThread = QThread::currentThread();
        std::string bytes(count, '\0');
        const int got = port.Read(bytes.data(), static_cast<int>(count));
        received.append(bytes.data(), static_cast<std::size_t>(std::max(got, 0)));
    };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("$PLMO,R,VER,1.0*00\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= 20; }, 10'000));
    EXPECT_EQ(received, "$PLMO,R,VER,1.0*00\r\n");
    EXPECT_EQ(handlerThread, QCoreApplication::instance()->thread());
}

TEST_F(LinkQt, CloseFromTheHandlerTheReaderWaitsOn) {
    int calls = 0;
    port.OnDataWaiting = [&](std::uint32_t) {
        ++calls;
        port.Close();
    };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("a\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10'000));
    EXPECT_FALSE(port.IsOpen());
    pty.WriteMaster("b\r\n");
    QTest::qWait(200);
    EXPECT_EQ(calls, 1);
}

TEST_F(LinkQt, CloseWhileAnEventIsQueuedForTheGuiThread) {
    int calls = 0;
    port.OnDataWaiting = [&](std::uint32_t) { ++calls; };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("queued\r\n"));
    // The GUI thread is busy (not processing events) while the reader posts.
    QThread::msleep(200);
    const auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    QTest::qWait(100);
    EXPECT_EQ(calls, 0);
}

TEST(PortMonitorTest, NoticesRescanAndDropTheVanishedConnectedPort) {
    ScriptedPortSource source;
    source.SetPorts({{"/dev/ttyUSB0", "", ""}});
    PortLists lists(source);
    int fills = 0;
    int drops = 0;
    lists.FillPortChoice = [&] { ++fills; };
    lists.IsConnected = [] { return true; };
    lists.ConnectedPort = [] { return std::string("/dev/ttyUSB0"); };
    lists.OnConnectedPortGone = [&] { ++drops; };
    lists.RescanPorts();

    PortMonitor monitor(source, lists);
    ASSERT_TRUE(monitor.Watching());
    QSignalSpy changed(&monitor, &PortMonitor::PortChanged);

    source.Plug({"/dev/ttyACM0", "", ""});
    ASSERT_TRUE(changed.wait(10'000));
    EXPECT_EQ(changed.takeFirst().at(1).toString(), "/dev/ttyACM0");
    EXPECT_EQ(lists.PresentPorts().size(), 2u);
    EXPECT_EQ(drops, 0);

    source.Unplug("/dev/ttyUSB0");
    ASSERT_TRUE(changed.wait(10'000));
    EXPECT_EQ(lists.PresentPorts().size(), 1u);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(fills, 3);
}

}  // namespace
}  // namespace navoro

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
