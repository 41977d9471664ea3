// The serial port over a pseudo-terminal: the port opens the slave, the test
// is the far end on the master.

#include <asm/termbits.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/resource.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/PortHolders.h"
#include "link/SerialPort.h"
#include "tests/link/PtyPair.h"
#include "tests/support/PortReader.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::PtyPair;

// Generous: the machine running the tests may be busy.
constexpr auto kEventually = 10s;

termios2 MasterTermios(const PtyPair& pty) {
    termios2 tio{};
    ioctl(pty.Master(), TCGETS2, &tio);  // on a master this reports the slave's settings
    return tio;
}

// CPU time of the whole process (every thread) so far.
std::chrono::microseconds ProcessCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Far below a spinning thread's share of `window`.
constexpr auto kIdleCpu = 60ms;

class PortPty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        port.SetDevicePath(pty.SlavePath());
        ASSERT_TRUE(port.SetRate(115200).Ok());
    }

    // Collects what OnDataWaiting announces and reads.
    void CollectReceived() {
        port.OnDataWaiting = [this](std::uint32_t count) {
            std::vector<char> buffer(count);
            const int got = port.Read(buffer.data(), static_cast<int>(count));
            counts.push_back(count);
            reads.push_back(got);
            if (got > 0) received.append(buffer.data(), static_cast<std::size_t>(got));
        };
    }

    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = kEventually) {
        return executor.RunUntil(done, timeout);
    }

    PtyPair pty;
    QueueExecutor executor;
    SerialPort port{executor};
    std::string received;
    std::vector<std::uint32_t> counts;
    std::vector<int> reads;
};

TEST_F(PortPty, OpensClosesAndReopens) {
    EXPECT_EQ(port.Read(nullptr, 1), -1);
    EXPECT_EQ(port.Write("x", 1), -1);
    for (int round = 0; round < 3; ++round) {
        const PortResult opened = port.Open();
        ASSERT_TRUE(opened.Ok()) << opened.message;
        EXPECT_EQ(opened.message, "");
        EXPECT_TRUE(port.IsOpen());
        port.Close();
        EXPECT_FALSE(port.IsOpen());
    }
    port.Close();  // closing a closed port does nothing
    EXPECT_EQ(port.Write("x", 1), -1);
}

TEST_F(PortPty, OpenOnAnOpenPortFailsAndKeepsThePort) {
    ASSERT_TRUE(port.Open().Ok());
    const PortResult again = port.Open();
    EXPECT_EQ(again.failure, PortResult::Failure::AlreadyOpen);
    EXPECT_EQ(again.message, "Port already assigned (open) (Error: -1)");
    EXPECT_EQ(again.code, -1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Write("ok", 2), 2);
    EXPECT_EQ(pty.ReadMaster(2, kEventually), "ok");
}

TEST_F(PortPty, SecondOpenOfAHeldPortIsRefusedNamingTheHolder) {
    ASSERT_TRUE(port.Open().Ok());
    SerialPort second(executor);
    second.SetDevicePath(pty.SlavePath());
    const PortResult refused = second.Open();
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(refused.failure, PortResult::Failure::Unavailable);
    EXPECT_EQ(refused.code, EWOULDBLOCK);
    EXPECT_NE(refused.message.find(pty.SlavePath() + " is busy"), std::string::npos)
        << refused.message;
    EXPECT_NE(refused.message.find("this program"), std::string::npos);
    // Free again once the first one lets go.
    port.Close();
    const PortResult opened = second.Open();
    EXPECT_TRUE(opened.Ok()) << opened.message;
}

TEST_F(PortPty, APortAnotherProgramReadsIsNotShared) {
    // A terminal-like reader takes no lock; the port still keeps out, names
    // it, and opens once it has gone.
    auto reader = std::make_unique<test::PortReader>(pty.SlavePath());
    ASSERT_TRUE(reader->Holds(pty.SlavePath()));
    const PortResult refused = port.Open();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(refused.code, EBUSY);
    EXPECT_EQ(refused.message, pty.SlavePath() + " is busy: it is held by cat (pid " +
                                   std::to_string(reader->Pid()) + ").");
    reader.reset();
    const PortResult opened = port.Open();
    EXPECT_TRUE(opened.Ok()) << opened.message;
}

TEST_F(PortPty, UnopenablePathsLeaveThePortClosedWithAReason) {
    struct Case {
        const char* path;
        const char* reason;
    } cases[] = {{"/dev/navoro-no-such-port", "no such device"},
                 {"/dev/null", "is not a serial port"}};
    for (const Case& c : cases) {
        port.SetDevicePath(c.path);
        const PortResult refused = port.Open();
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(refused.failure, PortResult::Failure::Unavailable);
        EXPECT_NE(refused.message.find(c.path), std::string::npos) << refused.message;
        EXPECT_NE(refused.message.find(c.reason), std::string::npos) << refused.message;
    }
}

TEST(OpenErrorText, NamesTheReason) {
    const std::vector<PortHolder> holders = {{4242, "gpsd"}};
    EXPECT_EQ(DescribeOpenError("/dev/ttyUSB0", EBUSY, holders),
              "/dev/ttyUSB0 is busy: it is held by gpsd (pid 4242).");
    EXPECT_EQ(DescribeOpenError("/dev/ttyUSB0", EBUSY, {}),
              "/dev/ttyUSB0 is busy: another program holds it open.");
    const std::string denied = DescribeOpenError("/dev/ttyUSB0", EACCES, {});
    EXPECT_NE(denied.find("Permission denied for /dev/ttyUSB0"), std::string::npos);
    EXPECT_NE(denied.find("dialout"), std::string::npos);
    EXPECT_EQ(DescribeOpenError("/dev/ttyACM3", ENODEV, {}),
              "/dev/ttyACM3: no such device (is it plugged in?).");
}

TEST_F(PortPty, DevicePathIsFrozenWhileOpen) {
    ASSERT_TRUE(port.Open().Ok());
    port.SetDevicePath("/dev/ttyS7");
    EXPECT_EQ(port.DevicePath(), pty.SlavePath());
    port.Close();
    port.SetDevicePath("/dev/ttyS7");
    EXPECT_EQ(port.DevicePath(), "/dev/ttyS7");
}

class PortPtyRate : public PortPty, public ::testing::WithParamInterface<int> {};

TEST_P(PortPtyRate, RateIsAppliedAtOnceAndSeenOnTheOtherSide) {
    ASSERT_TRUE(port.SetRate(GetParam() == 9600 ? 4800 : 9600).Ok());
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(port.SetRate(GetParam()).Ok());
    const termios2 tio = MasterTermios(pty);
    EXPECT_EQ(tio.c_ospeed, static_cast<speed_t>(GetParam()));
    EXPECT_EQ(tio.c_ispeed, static_cast<speed_t>(GetParam()));
}

// The standard rates, and two that are not.
INSTANTIATE_TEST_SUITE_P(EveryRate, PortPtyRate,
                         ::testing::Values(110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200,
                                           38400, 56000, 57600, 115200, 128000, 256000, 230400,
                                           250000));

// A pty keeps stop bits and the raw mode; it forces 8 data bits and no parity,
// so those are checked on the termios record (TermiosSettingsTest).
TEST_F(PortPty, StopBitsAndRawModeAreSeenOnTheOtherSide) {
    ASSERT_TRUE(port.Open().Ok());
    for (LineStopBits stop : {LineStopBits::Two, LineStopBits::One, LineStopBits::OneAndHalf}) {
        ASSERT_TRUE(port.SetFormat({.stopBits = stop}).Ok());
        EXPECT_EQ((MasterTermios(pty).c_cflag & CSTOPB) != 0, stop != LineStopBits::One)
            << int(stop);
    }
    const termios2 tio = MasterTermios(pty);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
}

TEST_F(PortPty, FourDataBitsAreRefusedClearly) {
    ASSERT_TRUE(port.Open().Ok());
    const PortResult refused = port.SetFormat({.dataBits = 4});
    EXPECT_EQ(refused.failure, PortResult::Failure::SettingsRefused);
    EXPECT_EQ(refused.message, "Error updating DataControlBlock (Error: 22)");
    EXPECT_NE(refused.detail.find("4 data bits are not supported"), std::string::npos);
    EXPECT_EQ(MasterTermios(pty).c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    port.Close();
    // Opening with settings the device refuses fails and leaves the port closed.
    EXPECT_EQ(port.Open().failure, PortResult::Failure::SettingsRefused);
    EXPECT_FALSE(port.IsOpen());
    ASSERT_TRUE(port.SetFormat({.dataBits = 8}).Ok());
    EXPECT_TRUE(port.Open().Ok());
}

TEST(PortTimeouts, WriteTimeoutFollowsTheRatesPlaceAmongTheStandardOnes) {
    struct Case {
        int rate;
        int perByte;
    } cases[] = {{110, 19200},     {9600, 3200},   {14400, 2742}, {115200, 1600},
                 {256000, 1371},   {230400, 1371},  // between two: the upper's place
                 {1'000'000, 1280}};
    for (const Case& c : cases)
        EXPECT_EQ(SerialPort::WriteTimeoutPerByteMs(c.rate), c.perByte) << c.rate;
    EXPECT_EQ(SerialPort::WriteTimeoutMs(115200, 1), 1600);
    // Bounded: a stalled port must not hang the GUI.
    EXPECT_EQ(SerialPort::WriteTimeoutMs(115200, 82), 5000);
    EXPECT_EQ(SerialPort::WriteTimeoutMs(300, 4096), 2 * 10'000 * 4096 / 300);
}

TEST_F(PortPty, BytesGoBothWaysAndCountIsWhatIsWaiting) {
    CollectReceived();
    ASSERT_TRUE(port.Open().Ok());
    const std::string probe = "$PTST,,,,,00016*18\r\n";
    EXPECT_EQ(port.Write(probe.data(), static_cast<int>(probe.size())),
              static_cast<int>(probe.size()));
    EXPECT_EQ(pty.ReadMaster(probe.size(), kEventually), probe);

    const std::string reply = "$AIALR,000000.00,001,V,V,AIS: Tx malfunction*18\r\n";
    ASSERT_TRUE(pty.WriteMaster(reply));
    ASSERT_TRUE(RunUntil([&] { return received.size() >= reply.size(); }));
    EXPECT_EQ(received, reply);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        EXPECT_GT(counts[i], 0u);
        EXPECT_EQ(reads[i], static_cast<int>(counts[i]));  // `queued` bytes were there to read
    }
}

TEST_F(PortPty, BurstOf100kBAt115200LosesNothing) {
    CollectReceived();
    ASSERT_TRUE(port.Open().Ok());
    std::string burst;
    for (int i = 0; burst.size() < 100'000; ++i) {
        burst += "!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*" + std::to_string(i % 100) + "\r\n";
    }
    std::thread writer([&] { pty.WriteMaster(burst); });
    const bool all = RunUntil([&] { return received.size() >= burst.size(); }, 30s);
    writer.join();
    ASSERT_TRUE(all) << received.size() << " of " << burst.size();
    EXPECT_TRUE(received == burst);
    std::printf("%zu bytes in %zu receive events\n", received.size(), counts.size());
}

TEST_F(PortPty, AnIdleReaderCostsNothingAndCloseIsPrompt) {
    ASSERT_TRUE(port.Open().Ok());
    const auto cpu = ProcessCpuTime();
    std::this_thread::sleep_for(300ms);  // the reader is in its wait by now, idle
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    const auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortPty, CloseWhileAnEventWaitsForTheOwnerDeliversNothing) {
    int calls = 0;
    port.OnDataWaiting = [&](std::uint32_t) { ++calls; };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("$GPGGA\r\n"));
    // The reader has handed the event over and waits for this thread.
    const auto deadline = Clock::now() + kEventually;
    while (executor.Queued() == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(executor.Queued(), 1u);
    const auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    executor.RunPending();
    EXPECT_EQ(calls, 0);
}

// Close from inside the callback the reader is waiting on: the reader must give
// up, Close must not wait for it, and nothing is delivered afterwards.
TEST_F(PortPty, CloseFromInsideTheReceiveCallback) {
    int calls = 0;
    std::chrono::nanoseconds closeTook{};
    port.OnDataWaiting = [&](std::uint32_t) {
        ++calls;
        const auto start = Clock::now();
        port.Close();
        closeTook = Clock::now() - start;
    };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("first\r\n"));
    ASSERT_TRUE(RunUntil([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
    EXPECT_LT(closeTook, 100ms);
    EXPECT_FALSE(port.IsOpen());
    pty.WriteMaster("second\r\n");
    executor.RunUntil([] { return false; }, 200ms);
    EXPECT_EQ(calls, 1);
}

// A rate change that reconnects from inside the receive callback: the old
// reader ends, the new one delivers.
TEST_F(PortPty, ReopenFromInsideTheReceiveCallback) {
    std::vector<std::string> sessions(1);
    port.OnDataWaiting = [&](std::uint32_t count) {
        std::string bytes(count, '\0');
        bytes.resize(static_cast<std::size_t>(std::max(0, port.Read(bytes.data(), count))));
        sessions.back() += bytes;
        if (sessions.size() == 1) {
            port.Close();
            EXPECT_TRUE(port.SetRate(4800).Ok());
            EXPECT_TRUE(port.Open().Ok());
            sessions.emplace_back();
        }
    };
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("one\r\n"));
    ASSERT_TRUE(RunUntil([&] { return sessions.size() == 2; }));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(MasterTermios(pty).c_ospeed, 4800u);
    ASSERT_TRUE(pty.WriteMaster("two\r\n"));
    ASSERT_TRUE(RunUntil([&] { return sessions[1].size() >= 5; }));
    EXPECT_EQ(sessions[1], "two\r\n");
}

TEST_F(PortPty, CloseFromACallbackOnTheReaderThread) {
    InlineExecutor inline_;
    SerialPort direct(inline_);
    direct.SetDevicePath(pty.SlavePath());
    std::atomic<int> calls = 0;
    direct.OnDataWaiting = [&](std::uint32_t) {
        ++calls;
        direct.Close();
    };
    ASSERT_TRUE(direct.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("x\r\n"));
    const auto deadline = Clock::now() + kEventually;
    while (direct.IsOpen() && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(direct.IsOpen());
    pty.WriteMaster("y\r\n");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls, 1);
}

TEST_F(PortPty, HangUpOfTheOtherSideIsReportedOnce) {
    int hangUps = 0;
    int dataEvents = 0;
    port.OnHangUp = [&] { ++hangUps; };
    port.OnDataWaiting = [&](std::uint32_t) { ++dataEvents; };
    ASSERT_TRUE(port.Open().Ok());
    pty.CloseMaster();
    ASSERT_TRUE(RunUntil([&] { return hangUps > 0; }));
    EXPECT_EQ(port.State(), PortState::HungUp);
    // The reader has ended: no more events, no spinning.
    const auto cpu = ProcessCpuTime();
    executor.RunUntil([] { return false; }, 300ms);
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    EXPECT_EQ(hangUps, 1);
    EXPECT_EQ(dataEvents, 0);
    EXPECT_TRUE(port.IsOpen());
    char byte;
    EXPECT_EQ(port.Read(&byte, 1), 0);
    const auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.State(), PortState::Closed);
}

TEST_F(PortPty, DataNobodyReadsIsNotReportedOverAndOver) {
    int reports = 0;
    port.OnDataWaiting = [&](std::uint32_t) { ++reports; };  // reads nothing
    ASSERT_TRUE(port.Open().Ok());
    ASSERT_TRUE(pty.WriteMaster("unread\r\n"));
    ASSERT_TRUE(RunUntil([&] { return reports > 0; }));
    const auto cpu = ProcessCpuTime();
    executor.RunUntil([] { return false; }, 500ms);
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    EXPECT_LE(reports, 2);
    // New bytes are reported again.
    const int before = reports;
    ASSERT_TRUE(pty.WriteMaster("more\r\n"));
    EXPECT_TRUE(RunUntil([&] { return reports > before; }));
}

}  // namespace
}  // namespace navoro
