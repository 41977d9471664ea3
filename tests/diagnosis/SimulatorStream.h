#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "tools/sim/DeviceState.h"
#include "tools/sim/TrafficModel.h"

namespace navoro::test {

// `seconds` seconds of navoro-sim's live output (its GNSS sentences, its own
// !AIVDO reports and the !AIVDM messages of the stations around it), each
// line with its checksum and CR LF, as its traffic model makes them.
inline std::vector<std::string> SimulatorStream(int seconds, std::uint32_t seed = 7) {
    auto codec = std::make_unique<Codec>();  // the model composes with the codec
    sim::TrafficModel traffic(*codec, seed);
    const sim::DeviceState state;
    constexpr std::int64_t kStart = 1716888000;  // 2024-05-28 09:20:00 UTC
    std::vector<std::string> lines;
    for (int t = 0; t < seconds; ++t) {
        for (std::string& line : traffic.Second(kStart + t, state))
            lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace navoro::test
