#include "diagnosis/TargetsModel.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <cstring>
#include <string>

#include "config/ConfigTables.h"
#include "diagnosis/PositionFormat.h"

namespace navoro {

namespace {

const char* const kHeaders[TargetsModel::ColumnCount] = {
    "MMSI",     "Name",         "Call sign",  "Station",  "Ship type", "Status",
    "SOG (kn)", "COG (\u00b0)", "Heading",    "Latitude", "Longitude", "Range (NM)",
    "Bearing",  "CPA (NM)",     "TCPA (min)", "Age",      "Messages",
};

// An AIS text field: '@' pads it at the end, as spaces may.
template <std::size_t N>
QString FixedText(const std::array<char, N>& text) {
    std::size_t n = strnlen(text.data(), N);
    while (n > 0 && (text[n - 1] == '@' || text[n - 1] == ' '))
        --n;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(n)).trimmed();
}

template <std::size_t N>
void CopyFixed(std::array<char, N>& to, const char* from, std::size_t fromSize) {
    const std::size_t n = strnlen(from, fromSize < N ? fromSize : N - 1);
    std::memcpy(to.data(), from, n);
    to[n] = '\0';
}

// The VOYAGE tab's text of a ship type; the number for a type it does not list.
QString ShipTypeText(int code) {
    const int row = FindShipTypeRow(code);
    return row >= 0 ? QString::fromLatin1(kShipTypes[static_cast<std::size_t>(row)].Text)
                    : QString::number(code);
}

}  // namespace

bool TargetsModel::Row::ChangedColumns(const Row& o, int& first, int& last) const {
    if (Dangerous != o.Dangerous || Stale != o.Stale) {
        first = 0;
        last = ColumnCount - 1;
        return true;
    }
    const bool differs[ColumnCount] = {
        Mmsi != o.Mmsi,
        Name != o.Name,
        CallSign != o.CallSign,
        Kind != o.Kind,
        ShipType != o.ShipType,
        NavStatus != o.NavStatus,
        Sog != o.Sog,
        Cog != o.Cog,
        Heading != o.Heading,
        Latitude != o.Latitude,
        Longitude != o.Longitude,
        Seen.HasRange != o.Seen.HasRange || Seen.RangeNm != o.Seen.RangeNm,
        Seen.HasRange != o.Seen.HasRange || Seen.BearingDeg != o.Seen.BearingDeg,
        Seen.HasCpa != o.Seen.HasCpa || Seen.CpaNm != o.Seen.CpaNm,
        Seen.HasCpa != o.Seen.HasCpa || Seen.TcpaMin != o.Seen.TcpaMin,
        AgeSeconds != o.AgeSeconds,
        Messages != o.Messages,
    };
    first = -1;
    for (int column = 0; column < ColumnCount; ++column) {
        if (!differs[column]) continue;
        if (first < 0) first = column;
        last = column;
    }
    return first >= 0;
}

TargetsModel::TargetsModel(const TargetTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    rows_.reserve(TargetTable::kCapacity);
}

TargetsModel::Row TargetsModel::ReadRow(int entry, const StationMotion& own, std::uint32_t now,
                                        const CpaLimits& limits) const {
    const TargetEntry& e = table_.Entry(entry);
    Row r;
    r.Mmsi = e.Mmsi;
    r.Kind = e.StationKind;
    if (r.Kind == kStationClassA && longRangeOnly_ && longRangeOnly_(entry, e.Mmsi))
        r.Kind = kShownLongRange;
    r.ShipType = e.ShipType;
    r.NavStatus = e.NavStatus;
    r.Sog = e.Sog;
    r.Cog = e.Cog;
    r.Heading = e.TrueHeading;
    r.Latitude = e.Latitude;
    r.Longitude = e.Longitude;
    CopyFixed(r.Name, e.Name, sizeof e.Name);
    CopyFixed(r.CallSign, e.CallSign, sizeof e.CallSign);
    // Unsigned difference read as signed: a clock set back gives a negative age.
    r.AgeSeconds = static_cast<std::int32_t>(now - TimeValue(e.LastUpdateDate, e.LastUpdateTime));
    r.Messages = e.VdmCount + e.VdoCount;
    r.Seen = ComputeEncounter(own, StationMotion{e.Latitude, e.Longitude, e.Sog, e.Cog});
    r.Dangerous = IsDangerous(r.Seen, limits);
    r.Stale = r.AgeSeconds >= kStaleAfterSeconds;
    return r;
}

void TargetsModel::Refresh(std::uint32_t now, const CpaLimits& limits) {
    const TargetEntry& o = table_.Entry(0);
    Refresh(now, limits, StationMotion{o.Latitude, o.Longitude, o.Sog, o.Cog});
}

void TargetsModel::Refresh(std::uint32_t now, const CpaLimits& limits, const StationMotion& own) {
    const int count = table_.Count() - 1;
    if (count < static_cast<int>(rows_.size())) {
        // The table was reset: its entries no longer match the rows.
        beginResetModel();
        rows_.clear();
        endResetModel();
    }
    dangerCount_ = 0;
    const int known = static_cast<int>(rows_.size());
    // One signal for each run of changed rows, over the columns that changed
    // in it: a sorted view re-sorts only when its sort column is among them.
    int first = -1, firstColumn = 0, lastColumn = 0;
    for (int row = 0; row < known; ++row) {
        Row r = ReadRow(EntryIndex(row), own, now, limits);
        dangerCount_ += r.Dangerous ? 1 : 0;
        Row& shown = rows_[static_cast<std::size_t>(row)];
        int from = 0, to = 0;
        const bool changed = r.ChangedColumns(shown, from, to);
        if (changed) {
            shown = r;
            if (first < 0) {
                first = row;
                firstColumn = from;
                lastColumn = to;
            } else {
                firstColumn = std::min(firstColumn, from);
                lastColumn = std::max(lastColumn, to);
            }
        }
        if (first >= 0 && (!changed || row == known - 1)) {
            const int last = changed ? row : row - 1;
            emit dataChanged(index(first, firstColumn), index(last, lastColumn));
            first = -1;
        }
    }
    if (count > known) {
        beginInsertRows({}, known, count - 1);
        for (int row = known; row < count; ++row) {
            rows_.push_back(ReadRow(EntryIndex(row), own, now, limits));
            dangerCount_ += rows_.back().Dangerous ? 1 : 0;
        }
        endInsertRows();
    }
}

int TargetsModel::CountDangerous(const CpaLimits& limits, const StationMotion& own) const {
    int count = 0;
    for (int entry = 1; entry < table_.Count(); ++entry) {
        const TargetEntry& e = table_.Entry(entry);
        const Encounter seen =
            ComputeEncounter(own, StationMotion{e.Latitude, e.Longitude, e.Sog, e.Cog});
        count += IsDangerous(seen, limits) ? 1 : 0;
    }
    return count;
}

int TargetsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TargetsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TargetsModel::Display(const Row& r, int column) const {
    const bool hasPosition = r.Latitude <= 90.0f && r.Longitude <= 180.0f;
    switch (column) {
        case ColMmsi:
            return QString::number(r.Mmsi).rightJustified(9, QLatin1Char('0'));
        case ColName:
            return FixedText(r.Name);
        case ColCallSign:
            return FixedText(r.CallSign);
        case ColKind:
            return QString::fromLatin1(StationKindText(r.Kind));
        case ColShipType:
            return r.ShipType == 0 ? QString() : ShipTypeText(r.ShipType);
        case ColNavStatus:
            return static_cast<std::size_t>(r.NavStatus) >= kNavStatusTexts.size() - 1
                       ? QString()
                       : QString::fromLatin1(kNavStatusTexts[r.NavStatus]);
        case ColSog:
            return r.Sog < 102.25f ? QString::number(r.Sog, 'f', 1) : QString();
        case ColCog:
            return r.Cog < 360.0f ? QString::number(r.Cog, 'f', 1) : QString();
        case ColHeading:
            return r.Heading < 360.0f ? QString::number(r.Heading, 'f', 0) : QString();
        case ColLatitude:
        case ColLongitude: {
            if (!hasPosition) {
                return QString();
            }
            std::string lon, lat;
            FormatPosition(lon, lat, r.Longitude, r.Latitude, 3, 0);
            return QString::fromStdString(DegreeSignsToUtf8(column == ColLatitude ? lat : lon))
                .trimmed();
        }
        case ColRange:
            return r.Seen.HasRange ? QString::number(r.Seen.RangeNm, 'f', 2) : QString();
        case ColBearing:
            return r.Seen.HasRange ? QString::number(r.Seen.BearingDeg, 'f', 0) : QString();
        case ColCpa:
            return r.Seen.HasCpa ? QString::number(r.Seen.CpaNm, 'f', 2) : QString();
        case ColTcpa:
            return r.Seen.HasCpa ? QString::number(r.Seen.TcpaMin, 'f', 1) : QString();
        case ColAge:
            return QString::fromStdString(AgeText(r.AgeSeconds));
        case ColMessages:
            return QString::number(r.Messages);
        default:
            return {};
    }
}

QVariant TargetsModel::SortValue(const Row& r, int column) const {
    constexpr double kNone = 1e12;  // rows without a value sort last
    switch (column) {
        case ColMmsi:
            return r.Mmsi;
        case ColKind:
            return r.Kind;
        case ColShipType:
            return r.ShipType;
        case ColNavStatus:
            return r.NavStatus;
        case ColSog:
            return r.Sog < 102.25f ? r.Sog : kNone;
        case ColCog:
            return r.Cog < 360.0f ? r.Cog : kNone;
        case ColHeading:
            return r.Heading < 360.0f ? r.Heading : kNone;
        case ColLatitude:
            return r.Latitude <= 90.0f ? r.Latitude : kNone;
        case ColLongitude:
            return r.Longitude <= 180.0f ? r.Longitude : kNone;
        case ColRange:
            return r.Seen.HasRange ? r.Seen.RangeNm : kNone;
        case ColBearing:
            return r.Seen.HasRange ? r.Seen.BearingDeg : kNone;
        case ColCpa:
            return r.Seen.HasCpa ? r.Seen.CpaNm : kNone;
        case ColTcpa:
            return r.Seen.HasCpa ? r.Seen.TcpaMin : kNone;
        case ColAge:
            return static_cast<qlonglong>(r.AgeSeconds);
        case ColMessages:
            return r.Messages;
        default:
            return Display(r, column);
    }
}

QVariant TargetsModel::data(const QModelIndex& idx, int role) const {
    if (!idx.isValid() || idx.row() >= static_cast<int>(rows_.size()) ||
        idx.column() >= ColumnCount) {
        return {};
    }
    const Row& r = rows_[static_cast<std::size_t>(idx.row())];
    switch (role) {
        case Qt::DisplayRole:
            return Display(r, idx.column());
        case SortRole:
            return SortValue(r, idx.column());
        case DangerRole:
            return r.Dangerous;
        case Qt::BackgroundRole:
            return r.Dangerous ? QVariant(QBrush(QColor(255, 190, 190))) : QVariant();
        case Qt::ForegroundRole:
            return r.Stale ? QVariant(QBrush(QColor(150, 150, 150))) : QVariant();
        case Qt::DecorationRole:
            return r.Dangerous && idx.column() == ColMmsi ? QVariant(QColor(220, 0, 0))
                                                          : QVariant();
        case Qt::TextAlignmentRole:
            return idx.column() >= ColSog ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant();
        default:
            return {};
    }
}

QVariant TargetsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(kHeaders[section]);
}

}  // namespace navoro
