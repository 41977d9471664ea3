#pragma once

#include <QAbstractTableModel>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "ais/TargetTable.h"
#include "diagnosis/TargetGeometry.h"

namespace navoro {

// The stations of the target table (every entry but the own ship) as table
// rows: row r is entry r + 1. Refresh() compares each row with what it showed
// last and signals dataChanged only for the rows that changed, so views keep
// their selection and scroll position.
class TargetsModel : public QAbstractTableModel {
  public:
    enum Column {
        ColMmsi,
        ColName,
        ColCallSign,
        ColKind,
        ColShipType,
        ColNavStatus,
        ColSog,
        ColCog,
        ColHeading,
        ColLatitude,
        ColLongitude,
        ColRange,
        ColBearing,
        ColCpa,
        ColTcpa,
        ColAge,
        ColMessages,
        ColumnCount
    };
    // The value a column sorts by (numbers as numbers, no value last).
    static constexpr int SortRole = Qt::UserRole;
    // True for a dangerous target.
    static constexpr int DangerRole = Qt::UserRole + 1;

    explicit TargetsModel(const TargetTable& table, QObject* parent = nullptr);

    // Rereads the table: now is TimeValue() of the table's clock, the age's
    // reference; limits are the CPA alarm's. The own ship is the table's entry
    // 0 unless given (the GNSS receiver's fix).
    // Whether a station (entry index, MMSI) has been heard only through
    // long-range broadcasts: its row then shows kShownLongRange as its kind.
    void SetLongRangeCheck(std::function<bool(int, std::uint32_t)> check) {
        longRangeOnly_ = std::move(check);
    }

    void Refresh(std::uint32_t now, const CpaLimits& limits);
    void Refresh(std::uint32_t now, const CpaLimits& limits, const StationMotion& own);

    int DangerCount() const { return dangerCount_; }
    // The dangerous stations of the table now, the rows left as they are.
    int CountDangerous(const CpaLimits& limits, const StationMotion& own) const;
    static int EntryIndex(int row) { return row + 1; }
    // The encounter of a row as of the last refresh.
    const Encounter& EncounterOf(int row) const {
        return rows_[static_cast<std::size_t>(row)].Seen;
    }
    bool IsDangerousRow(int row) const { return rows_[static_cast<std::size_t>(row)].Dangerous; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    struct Row {
        std::uint32_t Mmsi = 0;
        std::uint8_t Kind = kStationUnknown;
        std::uint8_t ShipType = 0;
        std::uint8_t NavStatus = 15;
        float Sog = 0, Cog = 0, Heading = 511, Latitude = 91, Longitude = 181;
        std::array<char, 21> Name{};
        std::array<char, 8> CallSign{};
        std::int64_t AgeSeconds = 0;
        std::uint32_t Messages = 0;
        bool Dangerous = false;
        bool Stale = false;
        Encounter Seen;

        // The first and last column that show a difference from o (a colour
        // change is every column's); false when the rows are the same.
        bool ChangedColumns(const Row& o, int& first, int& last) const;
    };

    Row ReadRow(int entry, const StationMotion& own, std::uint32_t now,
                const CpaLimits& limits) const;
    QVariant Display(const Row& r, int column) const;
    QVariant SortValue(const Row& r, int column) const;

    const TargetTable& table_;
    std::function<bool(int, std::uint32_t)> longRangeOnly_;
    std::vector<Row> rows_;
    int dangerCount_ = 0;
};

}  // namespace navoro
