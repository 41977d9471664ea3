#pragma once

#include <cstdint>

#include "ais/AisBitBuffer.h"
#include "ais/LocalClock.h"

namespace navoro {

// Station kinds of a target entry.
enum : std::uint8_t {
    kStationBase = 0,
    kStationSarAircraft = 1,
    kStationAidToNavigation = 2,
    kStationClassA = 3,
    kStationClassB = 4,
    kStationUnknown = 5,
};

// Bits of TargetEntry::ClassBFlags (from message 18).
enum : std::uint8_t {
    kClassBAssignedMode = 1u << 0,
    kClassBUnit = 1u << 1,
    kClassBDisplay = 1u << 2,
    kClassBDsc = 1u << 3,
    kClassBBand = 1u << 4,
    kClassBMessage22 = 1u << 5,
};

// Bits of TargetEntry::AtonFlags (from message 21); bits 1 to 5 hold the type of aid.
enum : std::uint8_t {
    kAtonOffPosition = 1u << 0,
    kAtonTypeShift = 1,
    kAtonTypeMask = 0x1Fu << 1,
    kAtonVirtual = 1u << 6,
    kAtonAssignedMode = 1u << 7,
};

struct TargetDate {
    std::uint16_t Year;
    std::uint8_t Month;
    std::uint8_t Day;
};

struct TargetTime {
    std::uint8_t Hour;
    std::uint8_t Minute;
    std::uint8_t Second;
    std::uint8_t Spare;
};

// One station heard. Bit fields share their byte with their neighbours as
// declared; writing one keeps the others, and bits above a field's width are
// dropped.
struct TargetEntry {
    std::uint8_t StationKind;  // kStation...
    std::uint32_t Mmsi;
    std::uint8_t EpfdType : 4;
    std::uint8_t NavStatus : 4;
    std::uint8_t PositionAccuracy : 1;  // bit 0 of the flag byte
    std::uint8_t Raim : 1;              // bit 1
    std::uint8_t Dte : 1;               // bit 2
    float Longitude;                    // degrees, 181.0 = not available
    float Latitude;                     // degrees, 91.0 = not available
    float Sog;                          // knots
    float Cog;                          // degrees
    float TrueHeading;                  // degrees, 511 = not available
    char Name[21];
    char CallSign[8];
    std::uint8_t ShipType;
    std::uint8_t DimD : 6;  // to starboard, metres
    std::uint8_t : 0;
    std::uint8_t DimC : 6;  // to port
    std::uint8_t : 0;
    std::uint16_t DimB : 9;  // to stern
    std::uint16_t : 0;
    std::uint16_t DimA : 9;  // to bow
    std::uint16_t : 0;
    std::uint32_t ImoNumber;
    float RateOfTurn;
    std::uint8_t EtaMinute : 6;
    std::uint8_t : 0;
    std::uint8_t EtaHour : 5;
    std::uint8_t : 0;
    std::uint8_t EtaDay : 5;
    std::uint8_t : 0;
    std::uint8_t EtaMonth : 4;
    std::uint8_t : 0;
    std::uint8_t AisVersion : 2;
    std::uint8_t : 0;
    float Draught;  // metres
    char Destination[21];
    char VendorId[8];          // from message 24 part B
    std::uint8_t ClassBFlags;  // kClassB...
    std::uint8_t AtonFlags;    // kAton...
    union {
        float Altitude;          // SAR aircraft, metres
        char NameExtension[15];  // aid to navigation
    };
    std::uint8_t TimestampValid;  // 1 when the last position report's time stamp was below 60
    TargetDate LastUpdateDate;
    TargetTime LastUpdateTime;
    TargetDate FirstHeardDate;
    TargetTime FirstHeardTime;
    std::uint32_t VdmCount;
    std::uint32_t VdoCount;
};

// Seconds from the start of the century of a date and time, leap years
// ignored, in unsigned 32-bit arithmetic: the age of an entry's last update.
std::uint32_t TimeValue(const TargetDate& date, const TargetTime& time);

// The stations heard, keyed by MMSI; entry 0 is the own ship, filed from the
// transponder's own (VDO) messages. Large: keep it on the heap.
class TargetTable {
  public:
    static constexpr int kCapacity = 2250;

    TargetTable() { ResetTargetTable(); }

    // Every entry reads MMSI 0, no position, station kind unknown and no valid
    // time stamp; the own-ship entry is a Class A ship at rest and keeps its
    // other fields, every other entry forgets the station it held. Count 1.
    void ResetTargetTable();

    // Files a decoded message: VDO messages (ownShip) in entry 0, VDM messages
    // under their sender's MMSI, recycling the least recently updated entry
    // other than the own ship when the table is full. Returns the entry's
    // index, or -1 for a message ID outside 1 to 27. The channel code and the
    // reserved value have no effect.
    int StoreMessage(const DecodedRecord& record, int channelCode, int reserved, bool ownShip);

    // The clock the table stamps its entries with; nullptr for the system's
    // local time. The clock must outlive its use by the table.
    void SetClock(LocalClock* clock) { clock_ = clock; }

    // Entries may be read freely; writers other than the table should touch
    // only the VDM and VDO counts (the router does).
    TargetEntry& Entry(int index) { return entries_[index]; }
    const TargetEntry& Entry(int index) const { return entries_[index]; }
    int Count() const { return count_; }

  private:
    // MMSI -> lowest index holding it among the searchable entries (entries 1
    // to count - 1, and entry 0 once its MMSI is set): open addressing with
    // linear probing, at most kCapacity keys in kSlots slots.
    static constexpr int kSlotBits = 13;
    static constexpr int kSlots = 1 << kSlotBits;
    static_assert(kSlots >= 2 * kCapacity);
    struct Slot {
        std::uint32_t Mmsi;
        std::int32_t Index;  // -1: empty
    };

    LocalDateTime Now() { return clock_ != nullptr ? clock_->Now() : systemClock_.Now(); }
    int FindEntry(std::uint32_t mmsi) const;
    int NewEntry(std::uint32_t mmsi);
    int OldestEntry();
    void Recycle(int index);
    void IndexInsert(std::uint32_t mmsi, int index);
    void IndexRemove(std::uint32_t mmsi, int index);
    void IndexErase(int slot);
    static int HomeSlot(std::uint32_t mmsi);
    int IndexSlot(std::uint32_t mmsi) const;
    void StampLastUpdate(int index, const LocalDateTime& now);
    void OldestChanged(int index);
    void FileMessage(TargetEntry& entry, const DecodedRecord& record);

    TargetEntry entries_[kCapacity]{};
    std::int32_t count_ = 1;
    std::uint32_t lastUpdateValue_[kCapacity]{};  // TimeValue of each entry's last update
    Slot slots_[kSlots]{};
    // While the table is full: a tournament tree over (last-update value, index)
    // of entries 1 to count - 1, whose root is the oldest entry. Built at the
    // first recycling, kept up to date while the table stays full.
    static constexpr int kTreeLeaves = 4096;
    static_assert(kTreeLeaves >= kCapacity);
    std::uint64_t oldestTree_[2 * kTreeLeaves]{};
    bool oldestTreeBuilt_ = false;
    LocalClock* clock_ = nullptr;
    SystemLocalClock systemClock_;
};

}  // namespace navoro
