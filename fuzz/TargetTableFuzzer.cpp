// Fuzzes the target table: a sequence of decoded messages from a few thousand
// stations, own-ship messages, clock changes and resets, applied to an empty
// or a full table. Every message must land where a linear search over the
// entries says (the station's entry, else the next free one, else the least
// recently updated station other than the own ship), so the MMSI index and
// the tree of oldest entries are checked against the rule they speed up.
// A whole full table cannot come from one short input, so half the inputs
// start from a table already holding 2249 stations.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "ais/AisDecoder.h"
#include "ais/DecodedFields.h"
#include "ais/TargetTable.h"
#include "tests/ais/AisTestSupport.h"

namespace {

class SetClock : public navoro::LocalClock {
  public:
    navoro::LocalDateTime Time{2026, 3, 14, 12, 0, 0};
    navoro::LocalDateTime Now() override { return Time; }
};

constexpr std::uint32_t kFirstMmsi = 200000000;
constexpr int kStations = 3000;  // more than the table holds

void Check(bool promise) {
    if (!promise) __builtin_trap();
}

// Where a message of `mmsi` belongs, by a linear search over the entries.
int Linear(const navoro::TargetTable& t, std::uint32_t mmsi, bool ownShip) {
    if (ownShip) return 0;
    for (int i = 0; i < t.Count(); ++i) {
        if (i == 0 && t.Entry(0).Mmsi == 0) continue;
        if (t.Entry(i).Mmsi == mmsi) return i;
    }
    if (t.Count() < navoro::TargetTable::kCapacity) return t.Count();
    int oldest = 1;
    for (int i = 2; i < t.Count(); ++i) {
        const navoro::TargetEntry& e = t.Entry(i);
        const navoro::TargetEntry& o = t.Entry(oldest);
        if (navoro::TimeValue(e.LastUpdateDate, e.LastUpdateTime) <
            navoro::TimeValue(o.LastUpdateDate, o.LastUpdateTime))
            oldest = i;
    }
    return oldest;
}

// A message `id` from `mmsi`, its other bits from `seed`, `bits` long.
bool Message(int id, std::uint32_t mmsi, std::uint32_t seed, int bits,
             navoro::DecodedRecord& record) {
    navoro::test::BitWriter w;
    w.U(6, static_cast<std::uint64_t>(id)).U(2, seed & 3u).U(30, mmsi);
    std::uint32_t x = seed | 1u;
    while (w.Bits() < bits) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        w.U(32, x);
    }
    record = navoro::DecodedRecord{};
    return navoro::DecodeMessage(w.Done(bits), record);
}

struct Tables {
    SetClock clock;
    std::unique_ptr<navoro::TargetTable> empty = std::make_unique<navoro::TargetTable>();
    std::unique_ptr<navoro::TargetTable> full = std::make_unique<navoro::TargetTable>();
    std::unique_ptr<navoro::TargetTable> work = std::make_unique<navoro::TargetTable>();

    Tables() {
        full->SetClock(&clock);
        navoro::DecodedRecord record;
        for (int i = 1; i < navoro::TargetTable::kCapacity; ++i) {
            clock.Time.Second = static_cast<std::uint8_t>(i % 60);
            clock.Time.Minute = static_cast<std::uint8_t>(i / 60 % 60);
            Check(Message(1, kFirstMmsi + static_cast<std::uint32_t>(i), 7, 168, record));
            Check(full->StoreMessage(record, 17, 0, false) == i);
        }
        clock.Time = navoro::LocalDateTime{2026, 3, 14, 12, 0, 0};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Tables tables;
    navoro::TargetTable& table = *tables.work;
    SetClock& clock = tables.clock;
    clock.Time = navoro::LocalDateTime{2026, 3, 14, 12, 0, 0};
    table = size > 0 && (data[0] & 1) ? *tables.full : *tables.empty;
    table.SetClock(&clock);

    static constexpr int kBitCounts[] = {168, 168, 424, 160, 312, 72, 1008, 0};
    for (std::size_t at = 1; at + 8 <= size; at += 8) {
        const std::uint8_t* op = data + at;
        const std::uint32_t mmsi =
            kFirstMmsi + static_cast<std::uint32_t>((op[1] | op[2] << 8) % kStations);
        std::uint32_t seed;
        std::memcpy(&seed, op + 4, sizeof seed);
        switch (op[0] >> 5) {
            case 0:  // a clock change: a step of -8..7 s, or a new date and time
                if (op[3] & 0x80) {
                    clock.Time =
                        navoro::LocalDateTime{static_cast<std::uint16_t>(2000 + op[3] % 100),
                                              static_cast<std::uint8_t>(op[4] % 14),
                                              static_cast<std::uint8_t>(op[5] % 32),
                                              static_cast<std::uint8_t>(op[6] % 24),
                                              static_cast<std::uint8_t>(op[7] % 60),
                                              static_cast<std::uint8_t>(op[1] % 60)};
                } else {
                    const int s = clock.Time.Second + clock.Time.Minute * 60 +
                                  clock.Time.Hour * 3600 + (op[3] & 0x0F) - 8 + 86400;
                    clock.Time.Hour = static_cast<std::uint8_t>(s / 3600 % 24);
                    clock.Time.Minute = static_cast<std::uint8_t>(s / 60 % 60);
                    clock.Time.Second = static_cast<std::uint8_t>(s % 60);
                }
                break;
            case 1:
                if (op[3] == 0xFF) table.ResetTargetTable();
                break;
            default: {
                const bool ownShip = (op[0] >> 5) == 7 && (op[3] & 1);
                const int id = op[0] & 0x1F;
                navoro::DecodedRecord record;
                if (!Message(id, mmsi, seed, kBitCounts[op[3] >> 5], record)) break;
                // A message that ends before its MMSI is filed under the MMSI its
                // record holds: 0.
                const int expected =
                    id >= 1 && id <= 27 ? Linear(table, navoro::RecordU32(record, 2), ownShip) : -1;
                Check(table.StoreMessage(record, op[3] & 7, 0, ownShip) == expected);
                Check(table.Count() >= 1 && table.Count() <= navoro::TargetTable::kCapacity);
                break;
            }
        }
    }
    return 0;
}
