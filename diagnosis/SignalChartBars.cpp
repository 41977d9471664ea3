#include "diagnosis/SignalChartBars.h"

#include <algorithm>

namespace navoro {

namespace {

void AddPlaceholders(std::vector<ChartBar>& bars) {
    while (bars.size() < static_cast<std::size_t>(kMinimumChartBars))
        bars.push_back({0.0, "---", kColourBlue});
}

}  // namespace

std::vector<ChartBar> PlaceholderBars() {
    std::vector<ChartBar> bars;
    AddPlaceholders(bars);
    return bars;
}

std::vector<ChartBar> BarsFor(const SatellitePublication& publication) {
    std::vector<ChartBar> bars;
    const int count = std::clamp(publication.Count, 0, kSatelliteListCapacity);
    bars.reserve(std::max(count, kMinimumChartBars));
    for (int i = 0; i < count; ++i) {
        const PublishedSatellite& s = publication.Items[i];
        bars.push_back({static_cast<double>(s.Snr), std::string(s.Label),
                        s.Used ? kColourGreen : kColourBlue});
    }
    AddPlaceholders(bars);
    return bars;
}

}  // namespace navoro
