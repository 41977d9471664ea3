#include "ais/TargetTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ais/DecodedFields.h"
#include "ais/MessageTables.h"

namespace navoro {

std::uint32_t TimeValue(const TargetDate& date, const TargetTime& time) {
    static constexpr std::uint32_t kDaysBeforeMonth[13] = {0,   0,   31,  59,  90,  120, 151,
                                                           181, 212, 243, 273, 304, 334};
    const std::uint32_t before = date.Month <= 12 ? kDaysBeforeMonth[date.Month] : 0;
    std::uint32_t value = (date.Year % 100u) * 365u + before + date.Day;
    value = value * 24u + time.Hour;
    value = value * 60u + time.Minute;
    value = value * 60u + time.Second;
    return value;
}

namespace {

constexpr int kMmsiOffset = 2;  // the MMSI follows the message ID and repeat indicator everywhere
static_assert(kRecordLayout.Offset[1][2] == kMmsiOffset &&
              kRecordLayout.Offset[24][2] == kMmsiOffset);

// Reads the fields of one table from a decoded record.
class FieldsOf {
  public:
    FieldsOf(const DecodedRecord& record, int table) : r_(record), t_(table) {}

    std::uint32_t U(int f) const {
        const int offset = kRecordLayout.Offset[t_][f];
        switch (StoredSize(kMessageTables[t_].Fields[f].Kind)) {
            case 1:
                return RecordU8(r_, offset);
            case 2:
                return RecordU16(r_, offset);
            default:
                return RecordU32(r_, offset);
        }
    }
    std::uint8_t Bit(int f) const { return static_cast<std::uint8_t>(U(f) & 1u); }
    float F(int f) const { return RecordFloat(r_, kRecordLayout.Offset[t_][f]); }

    // Copies a text field into a fixed member, cut to fit.
    template <std::size_t N>
    void Text(int f, char (&dst)[N]) const {
        const std::string_view text = RecordText(r_, kRecordLayout.Offset[t_][f]);
        const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
        std::memcpy(dst, text.data(), n);
        dst[n] = '\0';
    }

    void Dimensions(int f, TargetEntry& e) const {
        const std::uint32_t v = U(f);
        e.DimA = static_cast<std::uint16_t>((v >> 21) & 0x1FF);
        e.DimB = static_cast<std::uint16_t>((v >> 12) & 0x1FF);
        e.DimC = static_cast<std::uint8_t>((v >> 6) & 0x3F);
        e.DimD = static_cast<std::uint8_t>(v & 0x3F);
    }

    void Eta(int f, TargetEntry& e) const {
        const std::uint32_t v = U(f);
        e.EtaMonth = static_cast<std::uint8_t>((v >> 16) & 0x0F);
        e.EtaDay = static_cast<std::uint8_t>((v >> 11) & 0x1F);
        e.EtaHour = static_cast<std::uint8_t>((v >> 6) & 0x1F);
        e.EtaMinute = static_cast<std::uint8_t>(v & 0x3F);
    }

    void Position(int accuracy, int longitude, int latitude, TargetEntry& e) const {
        e.PositionAccuracy = Bit(accuracy);
        e.Longitude = F(longitude);
        e.Latitude = F(latitude);
    }

  private:
    const DecodedRecord& r_;
    int t_;
};

inline void SetFlag(std::uint8_t& flags, std::uint8_t bit, std::uint8_t on) {
    flags = static_cast<std::uint8_t>(on ? flags | bit : flags & ~bit);
}

// Message 27, the long-range broadcast: filed like a position report, with its
// coarser position (1/10 minute), SOG in whole knots (63 not available) and COG
// in whole degrees (511 not available) in the position report's units. A
// station of a known kind keeps it; an unknown one is taken as Class A.
void FileLongRangeReport(TargetEntry& e, const FieldsOf& m) {
    if (e.StationKind == kStationUnknown) e.StationKind = kStationClassA;
    e.NavStatus = static_cast<std::uint8_t>(m.U(5) & 0x0F);
    m.Position(3, 6, 7, e);
    e.Raim = m.Bit(4);
    const std::uint32_t sog = m.U(8);
    e.Sog = sog >= 63 ? 102.3f : static_cast<float>(sog);
    const std::uint32_t cog = m.U(9);
    e.Cog = cog >= 360 ? 360.0f : static_cast<float>(cog);
}

}  // namespace

void TargetTable::ResetTargetTable() {
    // Every entry but the own ship starts afresh, so a station that later takes
    // an entry never shows what an earlier one left there.
    for (int i = 1; i < kCapacity; ++i) {
        entries_[i] = TargetEntry{};
        lastUpdateValue_[i] = 0;
    }
    for (TargetEntry& e : entries_) {
        e.Mmsi = 0;
        e.Longitude = 181.0f;
        e.Latitude = 91.0f;
        e.StationKind = kStationUnknown;
        e.TimestampValid = 0;
    }
    TargetEntry& own = entries_[0];
    own.StationKind = kStationClassA;
    own.NavStatus = 0;
    own.PositionAccuracy = 0;
    own.Sog = 0.0f;
    own.Cog = 0.0f;
    own.TrueHeading = 0.0f;
    lastUpdateValue_[0] = TimeValue(own.LastUpdateDate, own.LastUpdateTime);
    count_ = 1;
    oldestTreeBuilt_ = false;
    for (Slot& s : slots_)
        s = Slot{0, -1};
}

int TargetTable::StoreMessage(const DecodedRecord& record, int /*channelCode*/, int /*reserved*/,
                              bool ownShip) {
    const int id = record.Bytes[0];
    if (id < 1 || id > 27) return -1;
    const std::uint32_t mmsi = RecordU32(record, kMmsiOffset);

    int index;
    bool isNew = false;
    if (ownShip) {
        index = 0;
        // The first VDO message names the own ship; later ones never rename it.
        if (entries_[0].Mmsi == 0) {
            entries_[0].Mmsi = mmsi;
            if (mmsi != 0) IndexInsert(mmsi, 0);
            isNew = true;
        }
    } else {
        index = FindEntry(mmsi);
        if (index < 0) {
            index = NewEntry(mmsi);
            isNew = true;
        }
    }

    TargetEntry& entry = entries_[index];
    if (isNew) {
        entry.VdmCount = 0;
        entry.VdoCount = 0;
        const LocalDateTime now = Now();
        entry.FirstHeardDate = TargetDate{now.Year, now.Month, now.Day};
        entry.FirstHeardTime = TargetTime{now.Hour, now.Minute, now.Second, 0};
    }
    StampLastUpdate(index, Now());
    FileMessage(entry, record);
    return index;
}

void TargetTable::StampLastUpdate(int index, const LocalDateTime& now) {
    TargetEntry& e = entries_[index];
    e.LastUpdateDate = TargetDate{now.Year, now.Month, now.Day};
    e.LastUpdateTime = TargetTime{now.Hour, now.Minute, now.Second, 0};
    lastUpdateValue_[index] = TimeValue(e.LastUpdateDate, e.LastUpdateTime);
    if (oldestTreeBuilt_) OldestChanged(index);
}

void TargetTable::FileMessage(TargetEntry& e, const DecodedRecord& record) {
    const int id = record.Bytes[0];
    const FieldsOf m(record, RecordTableIndex(record));
    switch (id) {
        case 1:
        case 2:
        case 3:
            e.StationKind = kStationClassA;
            e.NavStatus = static_cast<std::uint8_t>(m.U(3) & 0x0F);
            e.RateOfTurn = m.F(4);
            e.Sog = m.F(5);
            m.Position(6, 7, 8, e);
            e.Cog = m.F(9);
            e.TrueHeading = static_cast<float>(m.U(10));
            e.Raim = m.Bit(14);
            e.TimestampValid = m.U(11) < 60 ? 1 : 0;
            break;
        case 4:
            e.StationKind = kStationBase;
            m.Position(9, 10, 11, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(12) & 0x0F);
            e.Raim = m.Bit(14);
            break;
        case 5:
            e.StationKind = kStationClassA;
            e.AisVersion = static_cast<std::uint8_t>(m.U(3) & 0x03);
            e.ImoNumber = m.U(4);
            m.Text(5, e.CallSign);
            m.Text(6, e.Name);
            e.ShipType = static_cast<std::uint8_t>(m.U(7));
            m.Dimensions(8, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(9) & 0x0F);
            m.Eta(10, e);
            e.Draught = m.F(11);
            m.Text(12, e.Destination);
            e.Dte = m.Bit(13);
            break;
        case 9:
            e.StationKind = kStationSarAircraft;
            e.Altitude = static_cast<float>(m.U(3));
            e.Sog = m.F(4);
            m.Position(5, 6, 7, e);
            e.Cog = m.F(8);
            e.Dte = m.Bit(11);
            e.Raim = m.Bit(14);
            break;
        case 16:
        case 17:
        case 20:
        case 22:
        case 23:
            e.StationKind = kStationBase;
            break;
        case 18:
            e.StationKind = kStationClassB;
            e.Sog = m.F(4);
            m.Position(5, 6, 7, e);
            e.Cog = m.F(8);
            e.TrueHeading = static_cast<float>(m.U(9));
            e.Raim = m.Bit(18);
            SetFlag(e.ClassBFlags, kClassBUnit, m.Bit(12));
            SetFlag(e.ClassBFlags, kClassBDisplay, m.Bit(13));
            SetFlag(e.ClassBFlags, kClassBDsc, m.Bit(14));
            SetFlag(e.ClassBFlags, kClassBBand, m.Bit(15));
            SetFlag(e.ClassBFlags, kClassBMessage22, m.Bit(16));
            SetFlag(e.ClassBFlags, kClassBAssignedMode, m.Bit(17));
            e.TimestampValid = m.U(10) < 60 ? 1 : 0;
            break;
        case 19:
            e.StationKind = kStationClassB;
            e.Sog = m.F(4);
            m.Position(5, 6, 7, e);
            e.Cog = m.F(8);
            e.TrueHeading = static_cast<float>(m.U(9));
            m.Text(12, e.Name);
            e.ShipType = static_cast<std::uint8_t>(m.U(13));
            m.Dimensions(14, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(15) & 0x0F);
            e.Raim = m.Bit(16);
            e.Dte = m.Bit(17);
            e.TimestampValid = m.U(10) < 60 ? 1 : 0;
            break;
        case 21:
            e.StationKind = kStationAidToNavigation;
            e.AtonFlags = static_cast<std::uint8_t>((e.AtonFlags & ~kAtonTypeMask) |
                                                    ((m.U(3) << kAtonTypeShift) & kAtonTypeMask));
            m.Text(4, e.Name);
            m.Position(5, 6, 7, e);
            m.Dimensions(8, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(9) & 0x0F);
            SetFlag(e.AtonFlags, kAtonOffPosition, m.Bit(11));
            e.Raim = m.Bit(13);
            SetFlag(e.AtonFlags, kAtonVirtual, m.Bit(14));
            SetFlag(e.AtonFlags, kAtonAssignedMode, m.Bit(15));
            m.Text(17, e.NameExtension);
            e.TimestampValid = m.U(10) < 60 ? 1 : 0;
            break;
        case 24:
            e.StationKind = kStationClassB;
            if (m.U(kPartNumberField) == 0) {
                m.Text(4, e.Name);
            } else if (m.U(kPartNumberField) == 1) {
                // Part B (read with the part B table).
                e.ShipType = static_cast<std::uint8_t>(m.U(4));
                m.Text(5, e.VendorId);
                m.Text(6, e.CallSign);
                m.Dimensions(7, e);
            }
            // Part numbers 2 and 3 are not defined: their record has the part A
            // layout, so no part B field can be read from it.
            break;
        case 27:
            FileLongRangeReport(e, m);
            break;
        default:  // 6, 7, 8, 10, 11, 12, 13, 14, 15, 25, 26: nothing but the update time
            break;
    }
}

int TargetTable::NewEntry(std::uint32_t mmsi) {
    int index;
    if (count_ < kCapacity) {
        index = count_++;
    } else {
        index = OldestEntry();
        Recycle(index);
    }
    entries_[index].Mmsi = mmsi;
    IndexInsert(mmsi, index);
    return index;
}

// Among entries 1 to count - 1 the one with the smallest last-update value, the
// lowest index on equal values: the minimum of (value, index).
int TargetTable::OldestEntry() {
    if (!oldestTreeBuilt_) {
        for (int i = 0; i < kTreeLeaves; ++i) {
            oldestTree_[kTreeLeaves + i] =
                i >= 1 && i < count_
                    ? (std::uint64_t{lastUpdateValue_[i]} << 32) | static_cast<std::uint32_t>(i)
                    : UINT64_MAX;
        }
        for (int p = kTreeLeaves - 1; p >= 1; --p) {
            oldestTree_[p] = std::min(oldestTree_[2 * p], oldestTree_[2 * p + 1]);
        }
        oldestTreeBuilt_ = true;
    }
    return static_cast<int>(oldestTree_[1] & 0xFFFFFFFFu);
}

void TargetTable::OldestChanged(int index) {
    if (index < 1 || index >= count_) return;
    int p = kTreeLeaves + index;
    oldestTree_[p] =
        (std::uint64_t{lastUpdateValue_[index]} << 32) | static_cast<std::uint32_t>(index);
    for (p >>= 1; p >= 1; p >>= 1)
        oldestTree_[p] = std::min(oldestTree_[2 * p], oldestTree_[2 * p + 1]);
}

void TargetTable::Recycle(int index) {
    IndexRemove(entries_[index].Mmsi, index);
    // The previous station's data goes with it.
    TargetEntry& e = entries_[index];
    e = TargetEntry{};
    e.StationKind = kStationUnknown;
    e.Mmsi = 0;
    e.Longitude = 181.0f;
    e.Latitude = 91.0f;
    e.Sog = 0.0f;
    e.Cog = 361.0f;
    e.TrueHeading = 511.0f;
    e.RateOfTurn = 0.0f;
    e.ImoNumber = 0;
    e.NavStatus = 0;
    e.PositionAccuracy = 0;
    e.Dte = 1;
    lastUpdateValue_[index] = 0;
    if (oldestTreeBuilt_) OldestChanged(index);
}

// --- MMSI index -------------------------------------------------------------

// Fibonacci hashing: the top bits of the product pick the home slot.
int TargetTable::HomeSlot(std::uint32_t mmsi) {
    return static_cast<int>((mmsi * 0x9E3779B1u) >> (32 - kSlotBits));
}

int TargetTable::IndexSlot(std::uint32_t mmsi) const {
    for (int s = HomeSlot(mmsi);; s = (s + 1) & (kSlots - 1)) {
        if (slots_[s].Index < 0) return -1;
        if (slots_[s].Mmsi == mmsi) return s;
    }
}

int TargetTable::FindEntry(std::uint32_t mmsi) const {
    const int s = IndexSlot(mmsi);
    return s < 0 ? -1 : slots_[s].Index;
}

void TargetTable::IndexInsert(std::uint32_t mmsi, int index) {
    int s = HomeSlot(mmsi);
    for (; slots_[s].Index >= 0; s = (s + 1) & (kSlots - 1)) {
        if (slots_[s].Mmsi == mmsi) {
            if (index < slots_[s].Index) slots_[s].Index = index;
            return;
        }
    }
    slots_[s] = Slot{mmsi, index};
}

// Entries 1 to count - 1 never share an MMSI (a station gets a new entry only
// when its MMSI is found nowhere), and the own ship, the only entry that can
// share one, has the lowest index; so when the key points at `index`, no other
// entry holds that MMSI and the key goes.
void TargetTable::IndexRemove(std::uint32_t mmsi, int index) {
    const int s = IndexSlot(mmsi);
    if (s >= 0 && slots_[s].Index == index) IndexErase(s);
}

void TargetTable::IndexErase(int slot) {
    // Backward-shift deletion keeps every remaining key reachable from its home slot.
    int hole = slot;
    for (int s = (slot + 1) & (kSlots - 1); slots_[s].Index >= 0; s = (s + 1) & (kSlots - 1)) {
        const int home = HomeSlot(slots_[s].Mmsi);
        // Move the key into the hole when its home is not between the hole and s (cyclically).
        const bool homeInRange =
            hole <= s ? (home > hole && home <= s) : (home > hole || home <= s);
        if (!homeInRange) {
            slots_[hole] = slots_[s];
            hole = s;
        }
    }
    slots_[hole] = Slot{0, -1};
}

}  // namespace navoro
