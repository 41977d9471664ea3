#pragma once

#include <cstdint>

#include "ais/AisBitBuffer.h"
#include "ais/TargetTable.h"

namespace navoro {

// The last message of each kind heard from each station of the target table,
// as its raw bits, for showing every field of it on demand. One slot per
// target-table entry, keyed by the entry's index and checked against its
// MMSI: when the table recycles an entry for another station, the slot starts
// afresh. Fixed size, nothing allocated per message.
class StationMessages {
  public:
    static constexpr int kKindsPerStation = 8;  // the least recently heard kind gives way
    static constexpr int kPayloadBytes = 64;    // 512 bits; longer messages are cut short

    struct Message {
        std::uint8_t Kind;  // 0: empty; else MessageKind()
        std::uint8_t Truncated;
        std::uint16_t BitCount;          // bits kept
        std::uint16_t ReceivedBitCount;  // bits the message had
        std::uint32_t Sequence;          // when it was stored; higher is newer
        std::uint8_t Bits[kPayloadBytes];
    };
    struct Station {
        std::uint32_t Mmsi;
        Message Messages[kKindsPerStation];
    };

    // The kind of a message: its message ID, with message 24's parts A and B
    // apart (ID * 4 + part number). 0 for an empty buffer.
    static int MessageKind(const AisBitBuffer& bits);

    // What a kind of message is, e.g. "Position report (Class A)"; "" for an
    // unknown kind.
    static const char* KindTitle(int kind);

    // Keeps `bits` as the last message of its kind from `mmsi`, filed in
    // target-table entry `index`. An index outside the table does nothing.
    void Store(int index, std::uint32_t mmsi, const AisBitBuffer& bits);

    // The messages held for `mmsi` in entry `index`, or nullptr when the entry
    // holds another station (recycled) or nothing has been stored.
    const Station* Find(int index, std::uint32_t mmsi) const;

    // True when the last messages held for `mmsi` in entry `index` include a
    // long-range broadcast (message 27) but no other position report: a
    // station seen only through its long-range reports.
    bool HeardOnlyLongRange(int index, std::uint32_t mmsi) const;

    // Forgets every station.
    void Clear();

    // The stored message as a bit buffer for the decoder (zero past its bits).
    static AisBitBuffer BitsOf(const Message& message);

  private:
    Station stations_[TargetTable::kCapacity]{};
    std::uint32_t sequence_ = 0;
};

}  // namespace navoro
