#pragma once

#include <cstdint>

#include "ais/AisBitBuffer.h"

namespace navoro {

struct TargetEntry {
    std::uint32_t Mmsi = 0;
    std::uint32_t VdmCount = 0;
    std::uint32_t VdoCount = 0;
};

// The stations heard, keyed by MMSI; entry 0 is the own ship.
class TargetTable {
public:
    static constexpr int kCapacity = 2250;

    TargetTable() { ResetTargetTable(); }

    void ResetTargetTable() {
        for (auto& e : entries_) e = TargetEntry{};
        count_ = 1;
    }

    // Files a decoded message; returns the entry index, or -1 when it is not filed.
    int StoreMessage(const DecodedRecord& /*record*/, int /*channelCode*/, int /*reserved*/,
                     bool /*ownShip*/) {
        return -1;
    }

    TargetEntry& Entry(int index) { return entries_[index]; }
    const TargetEntry& Entry(int index) const { return entries_[index]; }
    int Count() const { return count_; }

private:
    TargetEntry entries_[kCapacity];
    std::int32_t count_ = 1;
};

}  // namespace navoro
