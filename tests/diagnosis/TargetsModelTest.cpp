// The targets table model against the target table under additions,
// updates, ageing and a reset.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <algorithm>
#include <cstring>
#include <memory>

#include "ais/TargetTable.h"
#include "diagnosis/TargetsModel.h"
#include "tests/ais/AisTestSupport.h"

namespace navoro {
namespace {

class StepClock : public LocalClock {
  public:
    LocalDateTime Time{2026, 3, 14, 12, 0, 0};
    LocalDateTime Now() override { return Time; }
    void Advance(int seconds) {
        const int s = Time.Second + Time.Minute * 60 + Time.Hour * 3600 + seconds;
        Time.Hour = static_cast<std::uint8_t>(s / 3600 % 24);
        Time.Minute = static_cast<std::uint8_t>(s / 60 % 60);
        Time.Second = static_cast<std::uint8_t>(s % 60);
    }
    std::uint32_t Value() const {
        return TimeValue(TargetDate{Time.Year, Time.Month, Time.Day},
                         TargetTime{Time.Hour, Time.Minute, Time.Second, 0});
    }
};

class TargetsModelTest : public ::testing::Test {
  protected:
    void SetUp() override { table->SetClock(&clock); }
    // Every report: SOG 12.3 kn, COG 123.4; latitude in 1/10,000 minute.
    void Store(std::uint32_t mmsi, int latRaw, bool ownShip = false) {
        DecodedRecord record{};
        ASSERT_TRUE(DecodeMessage(test::PositionReport(mmsi, 2700000, latRaw), record));
        table->StoreMessage(record, 'A' - '0', 0, ownShip);
    }
    void Refresh() { model.Refresh(clock.Value(), CpaLimits{}); }
    QString Text(int row, int column) { return model.index(row, column).data().toString(); }

    StepClock clock;
    std::unique_ptr<TargetTable> table = std::make_unique<TargetTable>();
    TargetsModel model{*table};
};

TEST_F(TargetsModelTest, RowsFollowTheTableAndOnlyChangedRowsSignal) {
    Store(244000001, 31350000, true);  // own ship: no row
    Store(211000001, 31355000);        // 0.5 NM north, same course and speed: CPA 0.5 NM now
    Store(211000002, 31950000);        // 60 NM north
    Store(211000003, 31950000);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    Refresh();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(Text(0, TargetsModel::ColMmsi), "211000001");
    EXPECT_EQ(Text(0, TargetsModel::ColRange), "0.50");
    EXPECT_EQ(Text(0, TargetsModel::ColBearing), "0");
    EXPECT_EQ(Text(0, TargetsModel::ColCpa), "0.50");
    EXPECT_EQ(Text(0, TargetsModel::ColTcpa), "0.0");
    EXPECT_EQ(Text(0, TargetsModel::ColKind), "Class A");
    EXPECT_EQ(Text(0, TargetsModel::ColAge), "0 s");
    EXPECT_EQ(model.DangerCount(), 1);
    EXPECT_TRUE(model.index(0, 0).data(TargetsModel::DangerRole).toBool());
    EXPECT_FALSE(model.index(1, 0).data(TargetsModel::DangerRole).toBool());

    // Nothing changed: no signal at all.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    Refresh();
    EXPECT_EQ(changed.count(), 0);

    // The middle station moves away in the same second: one signal, its row.
    Store(211000002, 31960000);
    Refresh();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);
    // Only the columns that changed: position and what follows from it.
    EXPECT_EQ(changed[0][0].toModelIndex().column(), TargetsModel::ColLatitude);
    EXPECT_LE(changed[0][1].toModelIndex().column(), TargetsModel::ColTcpa);
    EXPECT_EQ(inserted.count(), 1);
}

// A second passing changes only the ages: the signal names only that column,
// so a view sorted by another column has nothing to re-sort.
TEST_F(TargetsModelTest, AgeingAloneSignalsOnlyTheAgeColumn) {
    for (const std::uint32_t mmsi : {211000003u, 211000001u, 211000002u})
        Store(mmsi, 31350000);
    Refresh();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    clock.Advance(1);
    Refresh();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 2);
    EXPECT_EQ(changed[0][0].toModelIndex().column(), TargetsModel::ColAge);
    EXPECT_EQ(changed[0][1].toModelIndex().column(), TargetsModel::ColAge);
}

TEST_F(TargetsModelTest, AgeingGreysStationsAndResetEmpties) {
    Store(211000001, 31350000);
    Refresh();
    EXPECT_FALSE(model.index(0, 0).data(Qt::ForegroundRole).isValid());
    clock.Advance(359);
    Refresh();
    EXPECT_EQ(Text(0, TargetsModel::ColAge), "5 min");
    EXPECT_FALSE(model.index(0, 0).data(Qt::ForegroundRole).isValid());
    clock.Advance(1);
    Refresh();
    EXPECT_EQ(Text(0, TargetsModel::ColAge), "6 min");
    EXPECT_TRUE(model.index(0, 0).data(Qt::ForegroundRole).isValid());
    // No own position: no range, no CPA, no alarm.
    EXPECT_EQ(Text(0, TargetsModel::ColRange), "");
    EXPECT_EQ(model.DangerCount(), 0);

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    table->ResetTargetTable();
    Refresh();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(TargetsModelTest, SortsNumbersAsNumbers) {
    for (const std::uint32_t mmsi : {9000001u, 211000001u, 30000001u}) {
        Store(mmsi, 31350000);
    }
    Refresh();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(TargetsModel::SortRole);
    proxy.sort(TargetsModel::ColMmsi, Qt::DescendingOrder);
    EXPECT_EQ(proxy.index(0, 0).data().toString(), "211000001");
    EXPECT_EQ(proxy.index(1, 0).data().toString(), "030000001");
    EXPECT_EQ(proxy.index(2, 0).data().toString(), "009000001");
}

// The VOYAGE tab's texts; a type it does not list shows its number, "not
// available" shows nothing. The columns still sort by the number.
TEST_F(TargetsModelTest, ShipTypeAndStatusShowTheVoyageTabsTexts) {
    Store(211000001, 31350000);
    Store(211000002, 31350000);
    const struct {
        int ShipType, NavStatus;
        const char* Type;
        const char* Status;
    } cases[] = {{70, 0, "70 = Cargo ships or integrated tug barge (ITB) vessels",
                  "0:under way using engine"},
                 {30, 14, "30 = Vessel-Fishing", "14:reserved"},
                 {71, 5, "71", "5:moored"},
                 {0, 15, "", ""},
                 {255, 13, "255", "13:reserved"}};
    for (const auto& c : cases) {
        table->Entry(1).ShipType = static_cast<std::uint8_t>(c.ShipType);
        table->Entry(1).NavStatus = static_cast<std::uint8_t>(c.NavStatus);
        Refresh();
        EXPECT_EQ(Text(0, TargetsModel::ColShipType), c.Type) << c.ShipType;
        EXPECT_EQ(Text(0, TargetsModel::ColNavStatus), c.Status) << c.NavStatus;
    }
    table->Entry(1).ShipType = 80;
    table->Entry(1).NavStatus = 12;
    table->Entry(2).ShipType = 9;
    table->Entry(2).NavStatus = 2;
    Refresh();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(TargetsModel::SortRole);
    // By text "80 = ..." comes before "9"; by number it is the other way.
    proxy.sort(TargetsModel::ColShipType, Qt::AscendingOrder);
    EXPECT_EQ(proxy.index(0, 0).data().toString(), "211000002");
    // By text "12:..." comes before "2:..."; by number it is the other way.
    proxy.sort(TargetsModel::ColNavStatus, Qt::AscendingOrder);
    EXPECT_EQ(proxy.index(0, 0).data().toString(), "211000002");
}

TEST_F(TargetsModelTest, NameAndCallSignLoseTheirPadding) {
    Store(211000001, 31350000);
    const struct {
        const char* Stored;
        const char* Shown;
    } cases[] = {{"LUNA@@@@@@@@@@@@@@@@", "LUNA"},
                 {"SEA @@ BREEZE  @@@", "SEA @@ BREEZE"},
                 {"@@@@@@@@@@@@@@@@@@@@", ""},
                 {"TWENTY CHARACTERS OK", "TWENTY CHARACTERS OK"}};
    for (const auto& c : cases) {
        TargetEntry& e = table->Entry(1);
        std::memset(e.Name, 0, sizeof e.Name);
        std::memcpy(e.Name, c.Stored, std::min(std::strlen(c.Stored), sizeof e.Name));
        std::memset(e.CallSign, '@', sizeof e.CallSign);  // no terminator at all
        Refresh();
        EXPECT_EQ(Text(0, TargetsModel::ColName), c.Shown) << c.Stored;
        EXPECT_EQ(Text(0, TargetsModel::ColCallSign), "");
    }
}

}  // namespace
}  // namespace navoro
