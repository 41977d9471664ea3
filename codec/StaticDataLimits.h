#pragma once

#include <cstdint>

namespace navoro {

// The ranges of the static and voyage values that SSD and VSD sentences carry.
// A value outside its range is not available: the store marks it invalid and
// a composer prints its field empty. The configuration tabs take their limits
// from here.

// Antenna position: A and B (bow, stern) 0-511 m, C and D (port, starboard) 0-63 m.
inline constexpr int kDimensionAbMax = 511;
inline constexpr int kDimensionCdMax = 63;
// Draught in tenths of a metre: 0.0-25.5 m.
inline constexpr int kDraughtTenthsMax = 255;
inline constexpr float kDraughtMetresMax = kDraughtTenthsMax / 10.0f;
inline constexpr int kPersonsOnBoardMax = 8191;
inline constexpr int kShipTypeCodeMax = 255;
inline constexpr int kNavStatusMax = 15;
// MMSI and IMO numbers have nine digits; 999999999 means "not available".
inline constexpr std::uint32_t kNineDigitsNotAvailable = 999999999;

}  // namespace navoro
