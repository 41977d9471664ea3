// The component's event dispatcher and reader thread over a scripted device.

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "link/Comm.h"

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
        std::uint32_t errors = 0;
        QueueStatus status;
        bool refuseSettings = false;
        std::uint32_t mask = 0;
    };
    explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    bool Open(const std::string&, DeviceError*) override { return open_ = true; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    bool SetQueueSizes(std::uint32_t, std::uint32_t) override { return true; }
    bool GetLineSettings(LineSettings& settings) override {
        settings = LineSettings{};
        return true;
    }
    bool SetLineSettings(const LineSettings&) override { return !script_->refuseSettings; }
    int LastError() const override { return 22; }
    int Read(char*, int, int) override { return 0; }
    int Write(const char*, int length, int) override { return length; }
    bool ClearErrors(std::uint32_t* errors, QueueStatus* status) override {
        std::lock_guard lock(script_->mutex);
        *errors = script_->errors;
        *status = script_->status;
        return true;
    }
    bool GetModemStatus(std::uint32_t* lines) override {
        *lines = 0;
        return true;
    }
    bool Purge() override { return true; }
    void SetEventMask(std::uint32_t mask) override {
        std::lock_guard lock(script_->mutex);
        script_->mask = mask;
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

class CommDispatch : public ::testing::Test {
  protected:
    CommDispatch() : comm(executor, [this] { return std::make_unique<ScriptedDevice>(script); }) {
        auto note = [this](const char* name) {
            return [this, name](TComm*) { log.push_back(name); };
        };
        comm.OnBreak = note("Break");
        comm.OnCts = note("Cts");
        comm.OnDsr = note("Dsr");
        comm.OnError = [this](TComm*, int errors) {
            log.push_back("Error " + std::to_string(errors));
        };
        comm.OnRing = note("Ring");
        comm.OnRlsd = note("Rlsd");
        comm.OnRxChar = [this](TComm*, std::uint32_t count) {
            log.push_back("RxChar " + std::to_string(count));
        };
        comm.OnRxFlag = note("RxFlag");
        comm.OnTxEmpty = note("TxEmpty");
        comm.OnComStatEvent = [this](TComm*, std::uint32_t status, const TComStat& stat) {
            log.push_back("ComStat " + std::to_string(status) + " " +
                          std::to_string(stat.cbOutQue));
        };
    }

    void Report(std::uint32_t events, std::uint32_t inQueue) {
        std::lock_guard lock(script->mutex);
        script->status.cbInQue = inQueue;
        script->waits.push_back({.events = events});
        script->changed.notify_all();
    }

    std::shared_ptr<ScriptedDevice::Script> script = std::make_shared<ScriptedDevice::Script>();
    QueueExecutor executor;
    TComm comm;
    std::vector<std::string> log;
};

TEST_F(CommDispatch, RaisesTheHandlersInOrderThenComStat) {
    script->errors = CE_FRAME;
    script->status.cbOutQue = 3;
    comm.Open();
    Report(0x1FF, 7);
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    const std::vector<std::string> expected = {"Break",   "Cts",          "Dsr",      "Error 8",
                                               "Ring",    "Rlsd",         "RxChar 7", "RxFlag",
                                               "TxEmpty", "ComStat 511 3"};
    EXPECT_EQ(log, expected);
}

TEST_F(CommDispatch, CharacterEventWithAnEmptyQueueRaisesNoRxChar) {
    comm.Open();
    Report(EV_RXCHAR, 0);
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    EXPECT_EQ(log, std::vector<std::string>{"ComStat 1 0"});
}

TEST_F(CommDispatch, ReaderWaitsForMonitoredEventsOnly) {
    comm.SetMonitorEvents({evRxChar, evError});
    comm.Open();
    EXPECT_EQ(script->mask, EV_RXCHAR | EV_ERR);
    comm.Close();
    comm.SetMonitorEvents(kAllCommEvents);
    comm.Open();
    comm.SetMonitorEvents({evRxChar});  // frozen while open
    EXPECT_EQ(comm.MonitorEvents(), kAllCommEvents);
}

TEST(CommEventMask, TheReaderWaitsOnlyForEventsWithAHandler) {
    // Without a listener the device need not sample modem lines or counters.
    const struct {
        const char* bound;
        std::uint32_t mask;
    } cases[] = {
        {"", 0},
        {"RxChar Error", EV_RXCHAR | EV_ERR},  // what the main window binds
        {"Cts Dsr Ring Rlsd", EV_CTS | EV_DSR | EV_RING | EV_RLSD},
        {"Break TxEmpty", EV_BREAK | EV_TXEMPTY},
        {"ComStat", 0x1FF},
    };
    for (const auto& c : cases) {
        auto script = std::make_shared<ScriptedDevice::Script>();
        QueueExecutor executor;
        TComm comm(executor, [script] { return std::make_unique<ScriptedDevice>(script); });
        const std::string bound = std::string(" ") + c.bound + " ";
        auto has = [&](const char* name) {
            return bound.find(std::string(" ") + name + " ") != std::string::npos;
        };
        auto none = [](TComm*) {};
        if (has("RxChar")) comm.OnRxChar = [](TComm*, std::uint32_t) {};
        if (has("Error")) comm.OnError = [](TComm*, int) {};
        if (has("Cts")) comm.OnCts = none;
        if (has("Dsr")) comm.OnDsr = none;
        if (has("Ring")) comm.OnRing = none;
        if (has("Rlsd")) comm.OnRlsd = none;
        if (has("Break")) comm.OnBreak = none;
        if (has("TxEmpty")) comm.OnTxEmpty = none;
        if (has("ComStat")) comm.OnComStatEvent = [](TComm*, std::uint32_t, const TComStat&) {};
        comm.Open();
        EXPECT_EQ(script->mask, c.mask) << c.bound;
        comm.Close();
    }
}

TEST_F(CommDispatch, CloseInsideAHandlerStopsTheRestOfTheEvent) {
    comm.OnCts = [this](TComm* sender) {
        log.push_back("Cts");
        sender->Close();
    };
    comm.Open();
    Report(EV_CTS | EV_DSR | EV_RXCHAR, 5);
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    Report(EV_RXCHAR, 5);
    executor.RunUntil([] { return false; }, 100ms);
    EXPECT_EQ(log, std::vector<std::string>{"Cts"});
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CommDispatch, EventsStopAfterTheDeviceEnds) {
    comm.Open();
    {
        std::lock_guard lock(script->mutex);
        script->waits.push_back({.events = EV_ERR, .ended = true});
        script->waits.push_back({.events = EV_RXCHAR});
        script->status.cbInQue = 1;
        script->changed.notify_all();
    }
    ASSERT_TRUE(executor.RunUntil([&] { return !log.empty(); }, 10s));
    executor.RunUntil([] { return false; }, 100ms);
    EXPECT_EQ(log, (std::vector<std::string>{"Error 0", "ComStat 128 0"}));
    comm.Close();
}

TEST_F(CommDispatch, RefusedSettingsAtOpenRaiseAndLeaveThePortClosed) {
    script->refuseSettings = true;
    try {
        comm.Open();
        FAIL() << "no exception";
    } catch (const ECommError& error) {
        EXPECT_STREQ(error.what(), "Error updating DataControlBlock (Error: 22)");
    }
    EXPECT_FALSE(comm.IsOpen());
    script->refuseSettings = false;
    comm.Open();
    EXPECT_TRUE(comm.IsOpen());
    script->refuseSettings = true;
    EXPECT_NO_THROW(comm.SetBaudRate(br9600));  // the default: no change, nothing applied
    EXPECT_THROW(comm.SetBaudRate(br4800), ECommError);
}

TEST(CommDefaults, AreThoseOfTheComponent) {
    QueueExecutor executor;
    TComm comm(executor);
    EXPECT_EQ(comm.ReadTimeout(), 1000);
    EXPECT_EQ(comm.WriteTimeout(), 1000);
    EXPECT_EQ(comm.ReadBufSize(), 4096);
    EXPECT_EQ(comm.WriteBufSize(), 2048);
    EXPECT_EQ(comm.SuspendTime(), 5u);
    EXPECT_EQ(comm.MonitorEvents(), kAllCommEvents);
    EXPECT_EQ(comm.BaudRate(), br9600);
    EXPECT_EQ(comm.Parity(), paNone);
    EXPECT_EQ(comm.StopBits(), sb10);
    EXPECT_EQ(comm.DataBits(), da8);
    EXPECT_EQ(comm.EventChars().XOnChar(), 17);
    EXPECT_EQ(comm.EventChars().XOffChar(), 19);
    EXPECT_EQ(comm.EventChars().EvtChar(), 0);
    EXPECT_TRUE(comm.Options().Empty());
    EXPECT_EQ(comm.FlowControl(), fcDefault);
    EXPECT_EQ(CommEventMask(kAllCommEvents), 0x1FFu);
}

}  // namespace
}  // namespace navoro
