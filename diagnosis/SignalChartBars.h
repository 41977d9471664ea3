#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnosis/SatelliteList.h"

namespace navoro {

// 24-bit RGB colours of the diagnosis views.
inline constexpr std::uint32_t kColourGreen = 0x00FF00;  // used in the fix
inline constexpr std::uint32_t kColourBlue = 0x0000FF;   // in view only

// One bar of the signal chart.
struct ChartBar {
    double Value;
    std::string Label;
    std::uint32_t Colour;
    friend bool operator==(const ChartBar&, const ChartBar&) = default;
};

// The chart always holds at least this many bars; the empty ones read "---".
inline constexpr int kMinimumChartBars = 16;
// The fixed range of the chart's value axis, in dB-Hz.
inline constexpr int kChartAxisMinimum = 0;
inline constexpr int kChartAxisMaximum = 58;

// The bars before the first publication: 16 placeholders.
std::vector<ChartBar> PlaceholderBars();

// The bars of a publication: one per satellite in list order (value its SNR,
// label its short name, green when used), then placeholders up to 16 bars.
std::vector<ChartBar> BarsFor(const SatellitePublication& publication);

}  // namespace navoro
