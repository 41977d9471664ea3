#pragma once

#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "link/LineAssembler.h"
#include "tools/sim/DevicePort.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/StandardTransponder.h"
#include "tools/sim/TrafficModel.h"
#include "tools/sim/Transponder.h"

namespace navoro::sim {

// The running simulator: one thread that waits with poll() on its port and a
// wake-up pipe, assembles received lines, hands them to the Transponder (or,
// with --maker standard, the StandardTransponder), writes the replies and
// once a second the stream, with the faults switched on. Never blocks: the port is non-blocking and
// output waits in a bounded queue.
class Simulator : private LineSink {
  public:
    Simulator(SimOptions options, DeviceState state, std::FILE* log);
    ~Simulator() override;
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens the port and the record file. False, with the reason, on failure.
    bool Open(std::string& error);

    // The pseudo-terminal's slave path, or the device path.
    const std::string& DevicePath() const { return port_.Path(); }

    // Runs until RequestStop, a hang-up of the device, --hangup-after or (with
    // --exit-on-close) the other side closing the port; then saves the state.
    // Returns the exit status: 0, or 1 when the state could not be saved.
    int Run();

    // Ends Run soon. Safe to call from a signal handler or another thread.
    void RequestStop();

    const Transponder& Device() const { return *device_; }

    // The state of the unit that answers: the maker's or the standard one.
    const DeviceState& State() const;

    // The most output bytes waiting for the other side; more is dropped, as a
    // serial line whose receiver does not read loses it.
    static constexpr std::size_t kOutputMax = 64 * 1024;

  private:
    using Clock = std::chrono::steady_clock;

    struct PendingReply {
        Clock::time_point Due;
        std::vector<std::string> Lines;
    };

    // LineSink: every received line.
    bool LogEnabled() const override { return true; }
    void LogLine(std::string_view line) override;
    void RouteLine(char* line) override;

    void ReadPort();
    void FlushOutput();
    void Send(const std::string& line);
    void SendStream(std::int64_t utc);
    bool RateMatches() const;
    void PeerGone();
    void SaveState();
    double Seconds(Clock::time_point t) const;

    SimOptions options_;
    std::FILE* log_;
    // The codec context of the device's parsing and composing (large: on the heap).
    std::unique_ptr<Codec> codec_;
    std::unique_ptr<Transponder> device_;
    // With --maker standard: the unit that answers (device_ then only gives
    // the configuration port's rate).
    std::unique_ptr<StandardTransponder> standard_;
    TrafficModel traffic_;
    DevicePort port_;
    std::unique_ptr<LineAssembler> assembler_;
    std::FILE* record_ = nullptr;
    int wake_[2] = {-1, -1};
    std::string output_;
    std::deque<PendingReply> pending_;
    std::mt19937 random_;
    Clock::time_point start_;
    bool peer_ = false;
    bool hadPeer_ = false;
    bool stop_ = false;
    bool saveFailed_ = false;
    std::size_t dropped_ = 0;
};

}  // namespace navoro::sim
