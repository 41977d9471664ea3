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

// Field positions by name, one group per table the target table reads.
namespace position_report {  // messages 1, 2 and 3
using tables::kPositionReport;
constexpr int kNavStatus = FieldIndex(kPositionReport, "Navigational status");
constexpr int kRateOfTurn = FieldIndex(kPositionReport, "Rate of turn");
constexpr int kSog = FieldIndex(kPositionReport, "SOG");
constexpr int kAccuracy = FieldIndex(kPositionReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kPositionReport, "Longitude");
constexpr int kLatitude = FieldIndex(kPositionReport, "Latitude");
constexpr int kCog = FieldIndex(kPositionReport, "COG");
constexpr int kHeading = FieldIndex(kPositionReport, "True heading");
constexpr int kTimeStamp = FieldIndex(kPositionReport, "Time stamp");
constexpr int kRaim = FieldIndex(kPositionReport, "RAIM flag");
}  // namespace position_report

namespace base_station {  // message 4
using tables::kBaseStationReport;
constexpr int kAccuracy = FieldIndex(kBaseStationReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kBaseStationReport, "Longitude");
constexpr int kLatitude = FieldIndex(kBaseStationReport, "Latitude");
constexpr int kEpfd = FieldIndex(kBaseStationReport, "Type of EPFD");
constexpr int kRaim = FieldIndex(kBaseStationReport, "RAIM flag");
}  // namespace base_station

namespace static_voyage {  // message 5
using tables::kStaticVoyageData;
constexpr int kAisVersion = FieldIndex(kStaticVoyageData, "AIS version indicator");
constexpr int kImo = FieldIndex(kStaticVoyageData, "IMO number");
constexpr int kCallSign = FieldIndex(kStaticVoyageData, "Call sign");
constexpr int kName = FieldIndex(kStaticVoyageData, "Name");
constexpr int kShipType = FieldIndex(kStaticVoyageData, "Type of ship and cargo");
constexpr int kDimensions = FieldIndex(kStaticVoyageData, "Dimensions (A, B, C, D)");
constexpr int kEpfd = FieldIndex(kStaticVoyageData, "Type of EPFD");
constexpr int kEta = FieldIndex(kStaticVoyageData, "ETA (month, day, hour, minute)");
constexpr int kDraught = FieldIndex(kStaticVoyageData, "Maximum present static draught");
constexpr int kDestination = FieldIndex(kStaticVoyageData, "Destination");
constexpr int kDte = FieldIndex(kStaticVoyageData, "DTE");
}  // namespace static_voyage

namespace sar_aircraft {  // message 9
using tables::kSarAircraftReport;
constexpr int kAltitude = FieldIndex(kSarAircraftReport, "Altitude");
constexpr int kSog = FieldIndex(kSarAircraftReport, "SOG");
constexpr int kAccuracy = FieldIndex(kSarAircraftReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kSarAircraftReport, "Longitude");
constexpr int kLatitude = FieldIndex(kSarAircraftReport, "Latitude");
constexpr int kCog = FieldIndex(kSarAircraftReport, "COG");
constexpr int kDte = FieldIndex(kSarAircraftReport, "DTE");
constexpr int kRaim = FieldIndex(kSarAircraftReport, "RAIM flag");
}  // namespace sar_aircraft

namespace class_b {  // message 18
using tables::kClassBReport;
constexpr int kSog = FieldIndex(kClassBReport, "SOG");
constexpr int kAccuracy = FieldIndex(kClassBReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kClassBReport, "Longitude");
constexpr int kLatitude = FieldIndex(kClassBReport, "Latitude");
constexpr int kCog = FieldIndex(kClassBReport, "COG");
constexpr int kHeading = FieldIndex(kClassBReport, "True heading");
constexpr int kTimeStamp = FieldIndex(kClassBReport, "Time stamp");
constexpr int kUnit = FieldIndex(kClassBReport, "Class B unit flag");
constexpr int kDisplay = FieldIndex(kClassBReport, "Class B display flag");
constexpr int kDsc = FieldIndex(kClassBReport, "Class B DSC flag");
constexpr int kBand = FieldIndex(kClassBReport, "Class B band flag");
constexpr int kMessage22 = FieldIndex(kClassBReport, "Class B message 22 flag");
constexpr int kAssignedMode = FieldIndex(kClassBReport, "Mode flag");
constexpr int kRaim = FieldIndex(kClassBReport, "RAIM flag");
}  // namespace class_b

namespace extended_class_b {  // message 19
using tables::kExtendedClassBReport;
constexpr int kSog = FieldIndex(kExtendedClassBReport, "SOG");
constexpr int kAccuracy = FieldIndex(kExtendedClassBReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kExtendedClassBReport, "Longitude");
constexpr int kLatitude = FieldIndex(kExtendedClassBReport, "Latitude");
constexpr int kCog = FieldIndex(kExtendedClassBReport, "COG");
constexpr int kHeading = FieldIndex(kExtendedClassBReport, "True heading");
constexpr int kTimeStamp = FieldIndex(kExtendedClassBReport, "Time stamp");
constexpr int kName = FieldIndex(kExtendedClassBReport, "Name");
constexpr int kShipType = FieldIndex(kExtendedClassBReport, "Type of ship and cargo");
constexpr int kDimensions = FieldIndex(kExtendedClassBReport, "Dimensions (A, B, C, D)");
constexpr int kEpfd = FieldIndex(kExtendedClassBReport, "Type of EPFD");
constexpr int kRaim = FieldIndex(kExtendedClassBReport, "RAIM flag");
constexpr int kDte = FieldIndex(kExtendedClassBReport, "DTE");
}  // namespace extended_class_b

namespace aid_to_navigation {  // message 21
using tables::kAidToNavigationReport;
constexpr int kType = FieldIndex(kAidToNavigationReport, "Type of aid to navigation");
constexpr int kName = FieldIndex(kAidToNavigationReport, "Name");
constexpr int kAccuracy = FieldIndex(kAidToNavigationReport, "Position accuracy");
constexpr int kLongitude = FieldIndex(kAidToNavigationReport, "Longitude");
constexpr int kLatitude = FieldIndex(kAidToNavigationReport, "Latitude");
constexpr int kDimensions = FieldIndex(kAidToNavigationReport, "Dimensions (A, B, C, D)");
constexpr int kEpfd = FieldIndex(kAidToNavigationReport, "Type of EPFD");
constexpr int kTimeStamp = FieldIndex(kAidToNavigationReport, "Time stamp");
constexpr int kOffPosition = FieldIndex(kAidToNavigationReport, "Off-position indicator");
constexpr int kRaim = FieldIndex(kAidToNavigationReport, "RAIM flag");
constexpr int kVirtual = FieldIndex(kAidToNavigationReport, "Virtual aid flag");
constexpr int kAssignedMode = FieldIndex(kAidToNavigationReport, "Assigned mode flag");
constexpr int kNameExtension = FieldIndex(kAidToNavigationReport, "Name extension");
}  // namespace aid_to_navigation

namespace static_data {  // message 24, parts A and B
using tables::kStaticDataPartA;
using tables::kStaticDataPartB;
constexpr int kPartAName = FieldIndex(kStaticDataPartA, "Name");
constexpr int kShipType = FieldIndex(kStaticDataPartB, "Type of ship and cargo");
constexpr int kVendorId = FieldIndex(kStaticDataPartB, "Vendor ID");
constexpr int kCallSign = FieldIndex(kStaticDataPartB, "Call sign");
constexpr int kDimensions = FieldIndex(kStaticDataPartB, "Dimensions (A, B, C, D)");
static_assert(FieldIndex(kStaticDataPartA, "Part number") == kPartNumberField &&
              FieldIndex(kStaticDataPartB, "Part number") == kPartNumberField);
}  // namespace static_data

// Each message below is read with the table its names come from.
static_assert(kMessageTables[1].Fields == tables::kPositionReport &&
              kMessageTables[2].Fields == tables::kPositionReport &&
              kMessageTables[3].Fields == tables::kPositionReport &&
              kMessageTables[4].Fields == tables::kBaseStationReport &&
              kMessageTables[5].Fields == tables::kStaticVoyageData &&
              kMessageTables[9].Fields == tables::kSarAircraftReport &&
              kMessageTables[18].Fields == tables::kClassBReport &&
              kMessageTables[19].Fields == tables::kExtendedClassBReport &&
              kMessageTables[21].Fields == tables::kAidToNavigationReport &&
              kMessageTables[24].Fields == tables::kStaticDataPartA &&
              kMessageTables[kPartBTable].Fields == tables::kStaticDataPartB);

inline void SetFlag(std::uint8_t& flags, std::uint8_t bit, std::uint8_t on) {
    flags = static_cast<std::uint8_t>(on ? flags | bit : flags & ~bit);
}

// Message 27, the long-range broadcast: filed like a position report, with its
// coarser position (1/10 minute), SOG in whole knots (63 not available) and COG
// in whole degrees (511 not available) in the position report's units. A
// station of a known kind keeps it; an unknown one is taken as Class A.
void FileLongRangeReport(TargetEntry& e, const FieldsOf& m) {
    using tables::kLongRangeReport;
    constexpr int kAccuracy = FieldIndex(kLongRangeReport, "Position accuracy");
    constexpr int kRaim = FieldIndex(kLongRangeReport, "RAIM flag");
    constexpr int kNavStatus = FieldIndex(kLongRangeReport, "Navigational status");
    constexpr int kLongitude = FieldIndex(kLongRangeReport, "Longitude");
    constexpr int kLatitude = FieldIndex(kLongRangeReport, "Latitude");
    constexpr int kSog = FieldIndex(kLongRangeReport, "SOG");
    constexpr int kCog = FieldIndex(kLongRangeReport, "COG");
    if (e.StationKind == kStationUnknown) e.StationKind = kStationClassA;
    e.NavStatus = static_cast<std::uint8_t>(m.U(kNavStatus) & 0x0F);
    m.Position(kAccuracy, kLongitude, kLatitude, e);
    e.Raim = m.Bit(kRaim);
    const std::uint32_t sog = m.U(kSog);
    e.Sog = sog >= 63 ? 102.3f : static_cast<float>(sog);
    const std::uint32_t cog = m.U(kCog);
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
            e.NavStatus = static_cast<std::uint8_t>(m.U(position_report::kNavStatus) & 0x0F);
            e.RateOfTurn = m.F(position_report::kRateOfTurn);
            e.Sog = m.F(position_report::kSog);
            m.Position(position_report::kAccuracy, position_report::kLongitude,
                       position_report::kLatitude, e);
            e.Cog = m.F(position_report::kCog);
            e.TrueHeading = static_cast<float>(m.U(position_report::kHeading));
            e.Raim = m.Bit(position_report::kRaim);
            e.TimestampValid = m.U(position_report::kTimeStamp) < 60 ? 1 : 0;
            break;
        case 4:
            e.StationKind = kStationBase;
            m.Position(base_station::kAccuracy, base_station::kLongitude, base_station::kLatitude,
                       e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(base_station::kEpfd) & 0x0F);
            e.Raim = m.Bit(base_station::kRaim);
            break;
        case 5:
            e.StationKind = kStationClassA;
            e.AisVersion = static_cast<std::uint8_t>(m.U(static_voyage::kAisVersion) & 0x03);
            e.ImoNumber = m.U(static_voyage::kImo);
            m.Text(static_voyage::kCallSign, e.CallSign);
            m.Text(static_voyage::kName, e.Name);
            e.ShipType = static_cast<std::uint8_t>(m.U(static_voyage::kShipType));
            m.Dimensions(static_voyage::kDimensions, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(static_voyage::kEpfd) & 0x0F);
            m.Eta(static_voyage::kEta, e);
            e.Draught = m.F(static_voyage::kDraught);
            m.Text(static_voyage::kDestination, e.Destination);
            e.Dte = m.Bit(static_voyage::kDte);
            break;
        case 9:
            e.StationKind = kStationSarAircraft;
            e.Altitude = static_cast<float>(m.U(sar_aircraft::kAltitude));
            e.Sog = m.F(sar_aircraft::kSog);
            m.Position(sar_aircraft::kAccuracy, sar_aircraft::kLongitude, sar_aircraft::kLatitude,
                       e);
            e.Cog = m.F(sar_aircraft::kCog);
            e.Dte = m.Bit(sar_aircraft::kDte);
            e.Raim = m.Bit(sar_aircraft::kRaim);
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
            e.Sog = m.F(class_b::kSog);
            m.Position(class_b::kAccuracy, class_b::kLongitude, class_b::kLatitude, e);
            e.Cog = m.F(class_b::kCog);
            e.TrueHeading = static_cast<float>(m.U(class_b::kHeading));
            e.Raim = m.Bit(class_b::kRaim);
            SetFlag(e.ClassBFlags, kClassBUnit, m.Bit(class_b::kUnit));
            SetFlag(e.ClassBFlags, kClassBDisplay, m.Bit(class_b::kDisplay));
            SetFlag(e.ClassBFlags, kClassBDsc, m.Bit(class_b::kDsc));
            SetFlag(e.ClassBFlags, kClassBBand, m.Bit(class_b::kBand));
            SetFlag(e.ClassBFlags, kClassBMessage22, m.Bit(class_b::kMessage22));
            SetFlag(e.ClassBFlags, kClassBAssignedMode, m.Bit(class_b::kAssignedMode));
            e.TimestampValid = m.U(class_b::kTimeStamp) < 60 ? 1 : 0;
            break;
        case 19:
            e.StationKind = kStationClassB;
            e.Sog = m.F(extended_class_b::kSog);
            m.Position(extended_class_b::kAccuracy, extended_class_b::kLongitude,
                       extended_class_b::kLatitude, e);
            e.Cog = m.F(extended_class_b::kCog);
            e.TrueHeading = static_cast<float>(m.U(extended_class_b::kHeading));
            m.Text(extended_class_b::kName, e.Name);
            e.ShipType = static_cast<std::uint8_t>(m.U(extended_class_b::kShipType));
            m.Dimensions(extended_class_b::kDimensions, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(extended_class_b::kEpfd) & 0x0F);
            e.Raim = m.Bit(extended_class_b::kRaim);
            e.Dte = m.Bit(extended_class_b::kDte);
            e.TimestampValid = m.U(extended_class_b::kTimeStamp) < 60 ? 1 : 0;
            break;
        case 21:
            e.StationKind = kStationAidToNavigation;
            e.AtonFlags = static_cast<std::uint8_t>(
                (e.AtonFlags & ~kAtonTypeMask) |
                ((m.U(aid_to_navigation::kType) << kAtonTypeShift) & kAtonTypeMask));
            m.Text(aid_to_navigation::kName, e.Name);
            m.Position(aid_to_navigation::kAccuracy, aid_to_navigation::kLongitude,
                       aid_to_navigation::kLatitude, e);
            m.Dimensions(aid_to_navigation::kDimensions, e);
            e.EpfdType = static_cast<std::uint8_t>(m.U(aid_to_navigation::kEpfd) & 0x0F);
            SetFlag(e.AtonFlags, kAtonOffPosition, m.Bit(aid_to_navigation::kOffPosition));
            e.Raim = m.Bit(aid_to_navigation::kRaim);
            SetFlag(e.AtonFlags, kAtonVirtual, m.Bit(aid_to_navigation::kVirtual));
            SetFlag(e.AtonFlags, kAtonAssignedMode, m.Bit(aid_to_navigation::kAssignedMode));
            m.Text(aid_to_navigation::kNameExtension, e.NameExtension);
            e.TimestampValid = m.U(aid_to_navigation::kTimeStamp) < 60 ? 1 : 0;
            break;
        case 24:
            e.StationKind = kStationClassB;
            if (m.U(kPartNumberField) == 0) {
                m.Text(static_data::kPartAName, e.Name);
            } else if (m.U(kPartNumberField) == 1) {
                // Part B (read with the part B table).
                e.ShipType = static_cast<std::uint8_t>(m.U(static_data::kShipType));
                m.Text(static_data::kVendorId, e.VendorId);
                m.Text(static_data::kCallSign, e.CallSign);
                m.Dimensions(static_data::kDimensions, e);
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
