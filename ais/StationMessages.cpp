#include "ais/StationMessages.h"

#include "ais/AisDecoder.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace navoro {

int StationMessages::MessageKind(const AisBitBuffer& bits) {
    if (bits.BitCount < 6) return 0;
    const int id = ExtractBits(bits, 0, 6);
    if (id != 24) return id * 4;
    // The part number follows the MMSI; a message too short to hold it counts as part A.
    const int part = bits.BitCount >= 40 ? static_cast<int>(ExtractBits(bits, 38, 2)) : 0;
    return id * 4 + part;
}

const char* StationMessages::KindTitle(int kind) {
    static constexpr const char* kTitles[] = {
        "",
        "Position report (Class A)",
        "Position report (Class A, assigned schedule)",
        "Position report (Class A, response to interrogation)",
        "Base station report",
        "Static and voyage related data",
        "Addressed binary message",
        "Binary acknowledgement",
        "Binary broadcast message",
        "Standard SAR aircraft position report",
        "UTC and date inquiry",
        "UTC and date response",
        "Addressed safety related message",
        "Safety related acknowledgement",
        "Safety related broadcast message",
        "Interrogation",
        "Assigned mode command",
        "GNSS broadcast binary message",
        "Standard Class B position report",
        "Extended Class B position report",
        "Data link management",
        "Aids-to-navigation report",
        "Channel management",
        "Group assignment command",
        "Static data report",
        "Single slot binary message",
        "Multiple slot binary message",
        "Position report for long-range applications",
    };
    const int id = kind / 4;
    if (kind <= 0 || id >= static_cast<int>(std::size(kTitles))) return "";
    if (id == 24)
        return kind % 4 == 1 ? "Static data report, part B" : "Static data report, part A";
    return kTitles[id];
}

void StationMessages::Store(int index, std::uint32_t mmsi, const AisBitBuffer& bits) {
    if (index < 0 || index >= TargetTable::kCapacity) return;
    const int kind = MessageKind(bits);
    if (kind == 0) return;
    Station& station = stations_[index];
    if (station.Mmsi != mmsi) {
        station = Station{};
        station.Mmsi = mmsi;
    }
    Message* slot = nullptr;
    for (Message& m : station.Messages) {
        if (m.Kind == kind) {
            slot = &m;
            break;
        }
    }
    if (slot == nullptr) {
        slot = &station.Messages[0];
        for (Message& m : station.Messages) {
            if (m.Kind == 0) {
                slot = &m;
                break;
            }
            if (m.Sequence < slot->Sequence) slot = &m;
        }
    }
    const int received = std::min<int>(bits.BitCount, AisBitBuffer::kCapacityBytes * 8);
    const int kept = std::min(received, kPayloadBytes * 8);
    slot->Kind = static_cast<std::uint8_t>(kind);
    slot->Truncated = kept < received ? 1 : 0;
    slot->BitCount = static_cast<std::uint16_t>(kept);
    slot->ReceivedBitCount = static_cast<std::uint16_t>(received);
    slot->Sequence = ++sequence_;
    std::memset(slot->Bits, 0, sizeof slot->Bits);
    const int bytes = (kept + 7) / 8;
    std::memcpy(slot->Bits, bits.Bits, static_cast<std::size_t>(bytes));
    if (kept % 8 != 0) slot->Bits[bytes - 1] &= static_cast<std::uint8_t>(0xFF00u >> (kept % 8));
}

const StationMessages::Station* StationMessages::Find(int index, std::uint32_t mmsi) const {
    if (index < 0 || index >= TargetTable::kCapacity) return nullptr;
    const Station& station = stations_[index];
    if (station.Mmsi != mmsi) return nullptr;
    for (const Message& m : station.Messages)
        if (m.Kind != 0) return &station;
    return nullptr;
}

bool StationMessages::HeardOnlyLongRange(int index, std::uint32_t mmsi) const {
    const Station* station = Find(index, mmsi);
    if (station == nullptr) return false;
    bool longRange = false;
    for (const Message& m : station->Messages) {
        switch (m.Kind / 4) {
            case 27:
                longRange = true;
                break;
            case 1:
            case 2:
            case 3:
            case 4:
            case 9:
            case 18:
            case 19:
            case 21:
                return false;  // a station with a position report of its own kind
            default:
                break;
        }
    }
    return longRange;
}

void StationMessages::Clear() {
    std::fill(std::begin(stations_), std::end(stations_), Station{});
    sequence_ = 0;
}

AisBitBuffer StationMessages::BitsOf(const Message& message) {
    AisBitBuffer bits{};
    std::memcpy(bits.Bits, message.Bits, sizeof message.Bits);
    bits.BitCount = message.BitCount;
    return bits;
}

}  // namespace navoro
