// The serial port's event handling and reader thread over a scripted device.

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "link/SerialPort.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

// A device whose waits report what the test queues.
class ScriptedDevice : public SerialDevice {
  public:
    struct Script {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<WaitResult> waits;
        QueueStatus status;
        bool refuseSettings = false;
        int statusReads = 0;
    };
    explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    bool Open(const std::string&, DeviceError*) override { return open_ = true; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    bool GetLineSettings(LineSettings& settings) override {
        settings = LineSettings{};
        return true;
    }
    bool SetLineSettings(const LineSettings&) override { return !script_->refuseSettings; }
    int LastError() const override { return EINVAL; }
    int Read(char*, int, int) override { return 0; }
    int Write(const char*, int length, int) override { return length; }
    bool GetQueueStatus(QueueStatus& status) override {
        std::lock_guard lock(script_->mutex);
        status = script_->status;
        ++script_->statusReads;
        return true;
    }
    WaitResult WaitEvent() override {
        std::unique_lock lock(script_->mutex);
        script_->changed.wait(lock, [&] { return woken_ || !script_->waits.empty(); });
        if (woken_) {
            woken_ = false;
            return {.woken = true};
        }
        const WaitResult result = script_->waits.front();
        script_->waits.pop_front();
        return result;
    }
    void Wake() override {
        std::lock_guard lock(script_->mutex);
        woken_ = true;
        script_->changed.notify_all();
    }

  private:
    std::shared_ptr<Script> script_;
    bool open_ = false;
    bool woken_ = false;
};

constexpr WaitResult kData{.dataWaiting = true};
constexpr WaitResult kHangUp{.hungUp = true, .ended = true};

class PortDispatch : public ::testing::Test {
  protected:
    PortDispatch() : port(executor, [this] { return std::make_unique<ScriptedDevice>(script); }) {
        port.OnDataWaiting = [this](std::uint32_t queued) {
            log.push_back("Data " + std::to_string(queued));
        };
        port.OnHangUp = [this] { log.push_back("HangUp"); };
    }

    void Report(WaitResult event, std::uint32_t inQueue) {
        std::lock_guard lock(script->mutex);
        script->status.inputQueued = inQueue;
        script->waits.push_back(event);
        script->changed.notify_all();
    }
    int StatusReads() {
        std::lock_guard lock(script->mutex);
        return script->statusReads;
    }

    std::shared_ptr<ScriptedDevice::Script> script = std::make_shared<ScriptedDevice::Script>();
    QueueExecutor executor;
    SerialPort port;
    std::vector<std::string> log;
};

TEST_F(PortDispatch, AHangUpWithDataTellsTheHangUpFirstThenTheQueuedCount) {
    ASSERT_TRUE(port.Open().Ok());
    EXPECT_EQ(port.State(), PortState::Open);
    Report({.dataWaiting = true, .hungUp = true, .ended = true}, 7);
    ASSERT_TRUE(executor.RunUntil([&] { return log.size() == 2; }, 10s));
    EXPECT_EQ(log, (std::vector<std::string>{"HangUp", "Data 7"}));
    EXPECT_EQ(port.State(), PortState::HungUp);
    EXPECT_TRUE(port.IsOpen());
    port.Close();
    EXPECT_EQ(port.State(), PortState::Closed);
}

TEST_F(PortDispatch, DataWithAnEmptyQueueCallsNothing) {
    ASSERT_TRUE(port.Open().Ok());
    Report(kData, 0);
    ASSERT_TRUE(executor.RunUntil([&] { return StatusReads() == 1; }, 10s));
    executor.RunPending();
    EXPECT_TRUE(log.empty());
}

TEST_F(PortDispatch, CloseInsideACallbackStopsTheRestOfTheEvent) {
    port.OnHangUp = [this] {
        log.push_back("HangUp");
        port.Close();
    };
    ASSERT_TRUE(port.Open().Ok());
    Report({.dataWaiting = true, .hungUp = true}, 5);
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    Report(kData, 5);
    executor.RunUntil([] { return false; }, 100ms);
    EXPECT_EQ(log, std::vector<std::string>{"HangUp"});
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortDispatch, EventsStopAfterTheDeviceEnds) {
    ASSERT_TRUE(port.Open().Ok());
    {
        std::lock_guard lock(script->mutex);
        script->waits.push_back(kHangUp);
        script->waits.push_back(kData);
        script->status.inputQueued = 1;
        script->changed.notify_all();
    }
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    executor.RunUntil([] { return false; }, 100ms);
    EXPECT_EQ(log, std::vector<std::string>{"HangUp"});
    port.Close();
}

TEST_F(PortDispatch, RefusedSettingsAreReportedAndAtOpenLeaveThePortClosed) {
    script->refuseSettings = true;
    const PortResult refused = port.Open();
    EXPECT_EQ(refused.failure, PortResult::Failure::SettingsRefused);
    EXPECT_EQ(refused.code, EINVAL);
    EXPECT_EQ(refused.message, "Error updating DataControlBlock (Error: 22)");
    EXPECT_FALSE(port.IsOpen());
    script->refuseSettings = false;
    ASSERT_TRUE(port.Open().Ok());
    script->refuseSettings = true;
    EXPECT_TRUE(port.SetRate(9600).Ok());  // the rate it has: no change, nothing applied
    const PortResult rate = port.SetRate(4800);
    EXPECT_EQ(rate.failure, PortResult::Failure::SettingsRefused);
    EXPECT_EQ(rate.message, "Error updating DataControlBlock (Error: 22)");
    EXPECT_EQ(port.Rate(), 4800);  // kept, to be applied again at the next Open
    EXPECT_TRUE(port.IsOpen());
}

TEST(PortRates, RatesThatAreNotPositiveAreRefusedAndNotKept) {
    QueueExecutor executor;
    SerialPort port(executor);
    for (const int rate : {0, -9600}) {
        const PortResult refused = port.SetRate(rate);
        EXPECT_EQ(refused.failure, PortResult::Failure::SettingsRefused) << rate;
        EXPECT_EQ(refused.code, EINVAL);
        EXPECT_EQ(port.Rate(), 9600);
    }
    EXPECT_TRUE(port.SetRate(250000).Ok());  // any positive rate, standard or not
    EXPECT_EQ(port.Rate(), 250000);
}

TEST(PortDefaults, AreClosedAt9600And8N1) {
    QueueExecutor executor;
    SerialPort port(executor);
    EXPECT_EQ(port.State(), PortState::Closed);
    EXPECT_EQ(port.DevicePath(), "/dev/ttyS1");
    EXPECT_EQ(port.Rate(), 9600);
    EXPECT_EQ(port.Format().dataBits, 8);
    EXPECT_EQ(port.Format().parity, LineParity::None);
    EXPECT_EQ(port.Format().stopBits, LineStopBits::One);
    EXPECT_EQ(port.Read(nullptr, 1), -1);
    EXPECT_EQ(port.Write("x", 1), -1);
    EXPECT_EQ(port.LastDeviceError(), 0);
}

TEST(PortWithoutDevice, OpenSaysNoDeviceIsAvailable) {
    QueueExecutor executor;
    SerialPort port(executor, [] { return std::unique_ptr<SerialDevice>(); });
    port.SetDevicePath("/dev/ttyUSB4");
    const PortResult opened = port.Open();
    EXPECT_EQ(opened.failure, PortResult::Failure::Unavailable);
    EXPECT_EQ(opened.code, ENODEV);
    EXPECT_EQ(opened.message, "/dev/ttyUSB4: no serial device available.");
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace navoro
