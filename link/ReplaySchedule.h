#pragma once

#include <cstdint>
#include <limits>

namespace navoro {

// How fast a capture is replayed.
enum class ReplaySpeed : std::uint8_t { Real, Times10, Times100, Fastest };

// When each line of a capture is due, on a monotonic wall clock in
// milliseconds, from the capture's own clock: a line comes as much later than
// the one before it as the capture says, divided by the speed. The capture
// clock may jump: a step backwards, or forwards by more than kMaxGapMs (a gap
// in the recording, or the first GNSS time after untimed lines), is replayed
// as kGapStepMs. Pausing holds every line back; resuming and changing the speed
// go on from where the replay is, without a burst of lines that "fell due"
// meanwhile.
class ReplaySchedule {
  public:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    static constexpr std::int64_t kMaxGapMs = 10'000;
    static constexpr std::int64_t kGapStepMs = 1'000;

    ReplaySpeed Speed() const { return speed_; }
    void SetSpeed(ReplaySpeed speed, std::int64_t nowMs);
    bool Paused() const { return paused_; }
    void Pause(std::int64_t nowMs);
    void Resume(std::int64_t nowMs);

    // The wall time at which a line of capture time `captureMs` is due, given
    // that lines are taken in order; kNever while paused. At the fastest speed
    // every line is due at once.
    std::int64_t Due(std::int64_t captureMs, std::int64_t nowMs);
    // Takes the line given to Due last, at wall time `nowMs`: the capture's
    // clock is now at its time.
    void Taken(std::int64_t captureMs, std::int64_t nowMs);

    // The capture's clock: the time of the last line taken.
    std::int64_t CaptureNow() const { return lastCaptureMs_; }
    bool Started() const { return started_; }

    // The divisor of the speed (0 for the fastest).
    static int Factor(ReplaySpeed speed);

  private:
    // Puts the anchor at the last line taken and `nowMs`.
    void Reanchor(std::int64_t nowMs);
    // How far the replay's clock moves for a line of capture time `captureMs`.
    std::int64_t Step(std::int64_t captureMs) const;

    ReplaySpeed speed_ = ReplaySpeed::Real;
    bool paused_ = false;
    bool started_ = false;
    // The replay's clock runs like the capture's without its jumps; the anchor
    // pairs one of its times with a wall time.
    std::int64_t wallAnchorMs_ = 0;
    std::int64_t replayAnchorMs_ = 0;
    std::int64_t replayMs_ = 0;
    std::int64_t lastCaptureMs_ = 0;
};

}  // namespace navoro
