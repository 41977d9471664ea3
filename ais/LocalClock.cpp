#include "ais/LocalClock.h"

namespace navoro {

LocalDateTime SystemLocalClock::Now() {
    const std::time_t now = std::time(nullptr);
    if (now == cachedSecond_) return cached_;
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return cached_;  // no clock: keep the last time read
    }
    cached_.Year = static_cast<std::uint16_t>(local.tm_year + 1900);
    cached_.Month = static_cast<std::uint8_t>(local.tm_mon + 1);
    cached_.Day = static_cast<std::uint8_t>(local.tm_mday);
    cached_.Hour = static_cast<std::uint8_t>(local.tm_hour);
    cached_.Minute = static_cast<std::uint8_t>(local.tm_min);
    // A leap second (60) is stored as it comes.
    cached_.Second = static_cast<std::uint8_t>(local.tm_sec);
    cachedSecond_ = now;
    return cached_;
}

}  // namespace navoro
