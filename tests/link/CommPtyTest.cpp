// The serial-port component over a pseudo-terminal: the component opens the
// slave, the test is the far end on the master.

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

#include "link/Comm.h"
#include "link/PortHolders.h"
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

class CommPty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        comm.SetDeviceName(pty.SlavePath());
        comm.SetBaudRate(br115200);
    }

    // Collects what OnRxChar announces and reads.
    void CollectReceived() {
        comm.OnRxChar = [this](TComm* sender, std::uint32_t count) {
            std::vector<char> buffer(count);
            const int got = sender->Read(buffer.data(), static_cast<int>(count));
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
    TComm comm{executor};
    std::string received;
    std::vector<std::uint32_t> counts;
    std::vector<int> reads;
};

TEST_F(CommPty, OpensClosesAndReopens) {
    EXPECT_EQ(comm.Read(nullptr, 1), -1);
    EXPECT_EQ(comm.Write("x", 1), -1);
    for (int round = 0; round < 3; ++round) {
        comm.Open();
        ASSERT_TRUE(comm.IsOpen()) << comm.LastOpenError();
        EXPECT_EQ(comm.LastOpenError(), "");
        comm.Close();
        EXPECT_FALSE(comm.IsOpen());
    }
    comm.Close();  // closing a closed port does nothing
    EXPECT_EQ(comm.Write("x", 1), -1);
}

TEST_F(CommPty, OpenOnOpenPortRaisesAndKeepsThePort) {
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    try {
        comm.Open();
        FAIL() << "no exception";
    } catch (const ECommError& error) {
        EXPECT_STREQ(error.what(), "Port already assigned (open) (Error: -1)");
        EXPECT_EQ(error.Code(), -1);
    }
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.Write("ok", 2), 2);
    EXPECT_EQ(pty.ReadMaster(2, kEventually), "ok");
}

TEST_F(CommPty, SecondOpenOfAHeldPortIsRefusedNamingTheHolder) {
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    TComm second(executor);
    second.SetDeviceName(pty.SlavePath());
    EXPECT_NO_THROW(second.Open());
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastOpenErrorCode(), EWOULDBLOCK);
    EXPECT_NE(second.LastOpenError().find(pty.SlavePath() + " is busy"), std::string::npos)
        << second.LastOpenError();
    EXPECT_NE(second.LastOpenError().find("this program"), std::string::npos);
    // Free again once the first one lets go.
    comm.Close();
    second.Open();
    EXPECT_TRUE(second.IsOpen()) << second.LastOpenError();
}

TEST_F(CommPty, APortAnotherProgramReadsIsNotShared) {
    // A terminal-like reader takes no lock; the component still keeps out,
    // names it, and opens once it has gone.
    auto reader = std::make_unique<test::PortReader>(pty.SlavePath());
    ASSERT_TRUE(reader->Holds(pty.SlavePath()));
    EXPECT_NO_THROW(comm.Open());
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.LastOpenErrorCode(), EBUSY);
    EXPECT_EQ(comm.LastOpenError(), pty.SlavePath() + " is busy: it is held by cat (pid " +
                                        std::to_string(reader->Pid()) + ").");
    reader.reset();
    comm.Open();
    EXPECT_TRUE(comm.IsOpen()) << comm.LastOpenError();
}

TEST_F(CommPty, UnopenablePathsLeaveTheComponentClosedWithAReason) {
    struct Case {
        const char* path;
        const char* reason;
    } cases[] = {{"/dev/navoro-no-such-port", "no such device"},
                 {"/dev/null", "is not a serial port"}};
    for (const Case& c : cases) {
        comm.SetDeviceName(c.path);
        EXPECT_NO_THROW(comm.Open());
        EXPECT_FALSE(comm.IsOpen());
        EXPECT_NE(comm.LastOpenError().find(c.path), std::string::npos) << comm.LastOpenError();
        EXPECT_NE(comm.LastOpenError().find(c.reason), std::string::npos) << comm.LastOpenError();
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

TEST_F(CommPty, DeviceNameIsFrozenWhileOpen) {
    comm.Open();
    comm.SetDeviceName("/dev/ttyS7");
    EXPECT_EQ(comm.DeviceName(), pty.SlavePath());
    comm.Close();
    comm.SetDeviceName("/dev/ttyS7");
    EXPECT_EQ(comm.DeviceName(), "/dev/ttyS7");
}

class CommPtyRate : public CommPty, public ::testing::WithParamInterface<TBaudRate> {};

TEST_P(CommPtyRate, RateIsAppliedAtOnceAndSeenOnTheOtherSide) {
    comm.SetBaudRate(GetParam() == br9600 ? br4800 : br9600);
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    comm.SetBaudRate(GetParam());
    const termios2 tio = MasterTermios(pty);
    EXPECT_EQ(tio.c_ospeed, kBaudRateValues[GetParam()]);
    EXPECT_EQ(tio.c_ispeed, kBaudRateValues[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(EveryRate, CommPtyRate,
                         ::testing::Values(br110, br300, br600, br1200, br2400, br4800, br9600,
                                           br14400, br19200, br38400, br56000, br57600, br115200,
                                           br128000, br256000));

// A pty keeps stop bits and the raw mode; it forces 8 data bits and no parity,
// so those are checked on the termios record (TermiosSettingsTest).
TEST_F(CommPty, StopBitsAndRawModeAreSeenOnTheOtherSide) {
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    for (TStopBits stop : {sb20, sb10, sb15}) {
        comm.SetStopBits(stop);
        EXPECT_EQ((MasterTermios(pty).c_cflag & CSTOPB) != 0, stop != sb10) << int(stop);
    }
    const termios2 tio = MasterTermios(pty);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
}

TEST_F(CommPty, FourDataBitsAreRefusedClearly) {
    comm.Open();
    try {
        comm.SetDataBits(da4);
        FAIL() << "no exception";
    } catch (const ECommError& error) {
        EXPECT_STREQ(error.what(), "Error updating DataControlBlock (Error: 22)");
        EXPECT_NE(error.Detail().find("4 data bits are not supported"), std::string::npos);
    }
    EXPECT_EQ(MasterTermios(pty).c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    comm.Close();
    // Opening with settings the device refuses raises and leaves the port closed.
    EXPECT_THROW(comm.Open(), ECommError);
    EXPECT_FALSE(comm.IsOpen());
    comm.SetDataBits(da8);
    comm.Open();
    EXPECT_TRUE(comm.IsOpen());
}

TEST(CommTimeouts, WriteTimeoutFollowsTheRateOrdinal) {
    QueueExecutor executor;
    TComm comm(executor);
    struct Case {
        TBaudRate rate;
        std::uint32_t multiplier;
    } cases[] = {{br110, 19200}, {br9600, 3200}, {br115200, 1600}, {br256000, 1371}};
    for (const Case& c : cases) {
        comm.SetBaudRate(c.rate);
        EXPECT_EQ(comm.WriteTotalTimeoutMultiplier(), c.multiplier);
    }
    comm.SetBaudRate(br115200);
    EXPECT_EQ(comm.WriteTotalTimeout(1), 1600);
    EXPECT_EQ(comm.WriteTotalTimeout(82), 5000);  // bounded: a stalled port must not hang the GUI
    comm.SetBaudRate(br300);
    EXPECT_EQ(comm.WriteTotalTimeout(4096), 2 * 10'000 * 4096 / 300);
}

TEST_F(CommPty, BytesGoBothWaysAndCountIsWhatIsWaiting) {
    CollectReceived();
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    const std::string probe = "$PTST,,,,,00016*18\r\n";
    EXPECT_EQ(comm.Write(probe.data(), static_cast<int>(probe.size())),
              static_cast<int>(probe.size()));
    EXPECT_EQ(pty.ReadMaster(probe.size(), kEventually), probe);

    const std::string reply = "$AIALR,000000.00,001,V,V,AIS: Tx malfunction*18\r\n";
    ASSERT_TRUE(pty.WriteMaster(reply));
    ASSERT_TRUE(RunUntil([&] { return received.size() >= reply.size(); }));
    EXPECT_EQ(received, reply);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        EXPECT_GT(counts[i], 0u);
        EXPECT_EQ(reads[i], static_cast<int>(counts[i]));  // Count bytes were there to read
    }
}

TEST_F(CommPty, BurstOf100kBAt115200LosesNothing) {
    CollectReceived();
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
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

TEST_F(CommPty, TxEmptyFollowsAWrite) {
    std::atomic<int> empties = 0;
    comm.OnTxEmpty = [&](TComm*) { ++empties; };
    comm.Open();
    ASSERT_EQ(comm.Write("abc", 3), 3);
    EXPECT_TRUE(RunUntil([&] { return empties > 0; }));
}

TEST_F(CommPty, AnIdleReaderCostsNothingAndCloseIsPrompt) {
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    const auto cpu = ProcessCpuTime();
    std::this_thread::sleep_for(300ms);  // the reader is in its wait by now, idle
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    const auto start = Clock::now();
    comm.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommPty, CloseWhileAnEventWaitsForTheOwnerDeliversNothing) {
    int calls = 0;
    comm.OnRxChar = [&](TComm*, std::uint32_t) { ++calls; };
    comm.Open();
    ASSERT_TRUE(pty.WriteMaster("$GPGGA\r\n"));
    // The reader has handed the event over and waits for this thread.
    const auto deadline = Clock::now() + kEventually;
    while (executor.Queued() == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(executor.Queued(), 1u);
    const auto start = Clock::now();
    comm.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    executor.RunPending();
    EXPECT_EQ(calls, 0);
}

// Close from inside the handler the reader is waiting on: the reader must give
// up, Close must not wait for it, and nothing is delivered afterwards.
TEST_F(CommPty, CloseFromInsideTheReceiveHandler) {
    int calls = 0;
    std::chrono::nanoseconds closeTook{};
    comm.OnRxChar = [&](TComm* sender, std::uint32_t) {
        ++calls;
        const auto start = Clock::now();
        sender->Close();
        closeTook = Clock::now() - start;
    };
    comm.OnComStatEvent = [&](TComm*, std::uint32_t, const TComStat&) { ++calls; };
    comm.Open();
    ASSERT_TRUE(pty.WriteMaster("first\r\n"));
    ASSERT_TRUE(RunUntil([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);  // OnComStatEvent of the same event is not raised either
    EXPECT_LT(closeTook, 100ms);
    EXPECT_FALSE(comm.IsOpen());
    pty.WriteMaster("second\r\n");
    executor.RunUntil([] { return false; }, 200ms);
    EXPECT_EQ(calls, 1);
}

// A rate change that reconnects from inside the receive handler: the old
// reader ends, the new one delivers.
TEST_F(CommPty, ReopenFromInsideTheReceiveHandler) {
    std::vector<std::string> sessions(1);
    comm.OnRxChar = [&](TComm* sender, std::uint32_t count) {
        std::string bytes(count, '\0');
        bytes.resize(static_cast<std::size_t>(std::max(0, sender->Read(bytes.data(), count))));
        sessions.back() += bytes;
        if (sessions.size() == 1) {
            sender->Close();
            sender->SetBaudRate(br4800);
            sender->Open();
            sessions.emplace_back();
        }
    };
    comm.Open();
    ASSERT_TRUE(pty.WriteMaster("one\r\n"));
    ASSERT_TRUE(RunUntil([&] { return sessions.size() == 2; }));
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(MasterTermios(pty).c_ospeed, 4800u);
    ASSERT_TRUE(pty.WriteMaster("two\r\n"));
    ASSERT_TRUE(RunUntil([&] { return sessions[1].size() >= 5; }));
    EXPECT_EQ(sessions[1], "two\r\n");
}

TEST_F(CommPty, CloseFromAHandlerOnTheReaderThread) {
    InlineExecutor inline_;
    TComm direct(inline_);
    direct.SetDeviceName(pty.SlavePath());
    std::atomic<int> calls = 0;
    direct.OnRxChar = [&](TComm* sender, std::uint32_t) {
        ++calls;
        sender->Close();
    };
    direct.Open();
    ASSERT_TRUE(direct.IsOpen());
    ASSERT_TRUE(pty.WriteMaster("x\r\n"));
    const auto deadline = Clock::now() + kEventually;
    while (direct.IsOpen() && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(direct.IsOpen());
    pty.WriteMaster("y\r\n");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls, 1);
}

TEST_F(CommPty, HangUpOfTheOtherSideRaisesTheErrorEventOnce) {
    std::vector<int> errors;
    int dispatches = 0;
    comm.OnError = [&](TComm*, int e) { errors.push_back(e); };
    comm.OnComStatEvent = [&](TComm*, std::uint32_t, const TComStat&) { ++dispatches; };
    comm.Open();
    ASSERT_TRUE(comm.IsOpen());
    pty.CloseMaster();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_NE(errors[0] & CE_IOE, 0);
    // The reader has ended: no more events, no spinning.
    const auto cpu = ProcessCpuTime();
    executor.RunUntil([] { return false; }, 300ms);
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(dispatches, 1);
    EXPECT_TRUE(comm.IsOpen());
    char byte;
    EXPECT_EQ(comm.Read(&byte, 1), 0);
    const auto start = Clock::now();
    comm.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommPty, DataNobodyReadsIsNotReportedOverAndOver) {
    int dispatches = 0;
    comm.OnComStatEvent = [&](TComm*, std::uint32_t, const TComStat&) { ++dispatches; };
    comm.Open();
    ASSERT_TRUE(pty.WriteMaster("unread\r\n"));
    ASSERT_TRUE(RunUntil([&] { return dispatches > 0; }));
    const auto cpu = ProcessCpuTime();
    executor.RunUntil([] { return false; }, 500ms);
    EXPECT_LT(ProcessCpuTime() - cpu, kIdleCpu);
    EXPECT_LE(dispatches, 2);
    // New bytes are reported again.
    const int before = dispatches;
    ASSERT_TRUE(pty.WriteMaster("more\r\n"));
    EXPECT_TRUE(RunUntil([&] { return dispatches > before; }));
}

}  // namespace
}  // namespace navoro
