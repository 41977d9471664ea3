#pragma once

#include <cstdint>
#include <ctime>

namespace navoro {

// A local calendar date and time of day, to the second.
struct LocalDateTime {
    std::uint16_t Year = 0;
    std::uint8_t Month = 0;  // 1-12
    std::uint8_t Day = 0;    // 1-31
    std::uint8_t Hour = 0;
    std::uint8_t Minute = 0;
    std::uint8_t Second = 0;
};

// Where the target table reads the PC's local date and time; tests give it a
// clock they set.
class LocalClock {
  public:
    virtual ~LocalClock() = default;
    virtual LocalDateTime Now() = 0;
};

// The system's local time. The conversion to local time is redone only when the
// second changes, so reading it for every AIS message costs little.
class SystemLocalClock final : public LocalClock {
  public:
    LocalDateTime Now() override;

  private:
    std::time_t cachedSecond_ = -1;
    LocalDateTime cached_{};
};

}  // namespace navoro
