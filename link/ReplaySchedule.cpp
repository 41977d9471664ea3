#include "link/ReplaySchedule.h"

namespace navoro {

int ReplaySchedule::Factor(ReplaySpeed speed) {
    switch (speed) {
        case ReplaySpeed::Real:
            return 1;
        case ReplaySpeed::Times10:
            return 10;
        case ReplaySpeed::Times100:
            return 100;
        case ReplaySpeed::Fastest:
            break;
    }
    return 0;
}

void ReplaySchedule::SetSpeed(ReplaySpeed speed, std::int64_t nowMs) {
    speed_ = speed;
    Reanchor(nowMs);
}

void ReplaySchedule::Pause(std::int64_t /*nowMs*/) {
    paused_ = true;
}

void ReplaySchedule::Resume(std::int64_t nowMs) {
    if (!paused_) return;
    paused_ = false;
    Reanchor(nowMs);
}

void ReplaySchedule::Reanchor(std::int64_t nowMs) {
    wallAnchorMs_ = nowMs;
    replayAnchorMs_ = replayMs_;
}

std::int64_t ReplaySchedule::Step(std::int64_t captureMs) const {
    const std::int64_t step = captureMs - lastCaptureMs_;
    return step < 0 || step > kMaxGapMs ? kGapStepMs : step;
}

std::int64_t ReplaySchedule::Due(std::int64_t captureMs, std::int64_t nowMs) {
    if (paused_) return kNever;
    const int factor = Factor(speed_);
    if (!started_ || factor == 0) return nowMs;
    return wallAnchorMs_ + (replayMs_ + Step(captureMs) - replayAnchorMs_) / factor;
}

void ReplaySchedule::Taken(std::int64_t captureMs, std::int64_t nowMs) {
    if (!started_) {
        started_ = true;
        replayMs_ = 0;
        lastCaptureMs_ = captureMs;
        Reanchor(nowMs);
        return;
    }
    replayMs_ += Step(captureMs);
    lastCaptureMs_ = captureMs;
    // At the fastest speed the anchor follows, so a slower speed chosen later
    // starts from here.
    if (Factor(speed_) == 0) Reanchor(nowMs);
}

}  // namespace navoro
