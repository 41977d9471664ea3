// The target table: which messages create, update or leave entries, the own
// ship in entry 0, and the full table.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "ais/TargetTable.h"
#include "codec/Router.h"
#include "tests/ais/AisTestSupport.h"

namespace navoro {
namespace {

using test::Bits;
using test::Txt;

class FakeClock : public LocalClock {
  public:
    LocalDateTime Time{2026, 3, 14, 12, 0, 0};
    LocalDateTime Now() override { return Time; }
    // Moves on by `seconds` within the day (enough for these tests).
    void Advance(int seconds) {
        int s = Time.Second + Time.Minute * 60 + Time.Hour * 3600 + seconds;
        Time.Hour = static_cast<std::uint8_t>(s / 3600 % 24);
        Time.Minute = static_cast<std::uint8_t>(s / 60 % 60);
        Time.Second = static_cast<std::uint8_t>(s % 60);
    }
};

class TargetTableTest : public ::testing::Test {
  protected:
    void SetUp() override { table->SetClock(&clock); }

    int Store(const AisBitBuffer& bits, bool ownShip = false) {
        DecodedRecord record{};
        EXPECT_TRUE(DecodeMessage(bits, record));
        return table->StoreMessage(record, 'A' - '0', 0, ownShip);
    }
    int StorePosition(std::uint32_t mmsi, bool ownShip = false, int timeStamp = 33) {
        return Store(test::PositionReport(mmsi, 2700000, 31350000, timeStamp), ownShip);
    }
    // Fills entries 1 to 2249 with stations 100000001..., each a second later.
    void Fill() {
        for (int i = 1; i < TargetTable::kCapacity; ++i) {
            clock.Advance(1);
            ASSERT_EQ(StorePosition(100000000u + static_cast<std::uint32_t>(i)), i);
        }
    }

    FakeClock clock;
    std::unique_ptr<TargetTable> table = std::make_unique<TargetTable>();
};

TEST_F(TargetTableTest, ResetLeavesAnEmptyOwnShip) {
    StorePosition(211000001, true);
    StorePosition(211000002);
    table->ResetTargetTable();
    const TargetEntry& own = table->Entry(0);
    EXPECT_EQ(table->Count(), 1);
    EXPECT_EQ(own.Mmsi, 0u);
    EXPECT_EQ(own.Longitude, 181.0f);
    EXPECT_EQ(own.Latitude, 91.0f);
    EXPECT_EQ(own.Sog, 0.0f);
    EXPECT_EQ(own.Cog, 0.0f);
    EXPECT_EQ(own.TrueHeading, 0.0f);
    EXPECT_EQ(own.StationKind, kStationClassA);
    EXPECT_EQ(own.TimestampValid, 0);
    EXPECT_EQ(table->Entry(1).StationKind, kStationUnknown);
    EXPECT_EQ(table->Entry(1).Mmsi, 0u);
}

TEST_F(TargetTableTest, OwnShipKeepsItsFirstMmsi) {
    EXPECT_EQ(StorePosition(211000001, true), 0);
    EXPECT_EQ(table->Entry(0).Mmsi, 211000001u);
    EXPECT_EQ(Store(test::PositionReport(211000099, 600000, 1200000), true), 0);
    EXPECT_EQ(table->Entry(0).Mmsi, 211000001u);
    EXPECT_EQ(table->Entry(0).Longitude, 1.0f);
    EXPECT_EQ(table->Entry(0).Latitude, 2.0f);
    EXPECT_EQ(table->Count(), 1);
    // A VDM message carrying the own MMSI updates entry 0.
    EXPECT_EQ(StorePosition(211000001), 0);
}

// Before the own ship is named, its MMSI 0 is no key: a station sending MMSI 0
// gets an entry of its own instead of moving the own ship.
TEST_F(TargetTableTest, UnnamedOwnShipIsNotFoundByMmsiZero) {
    EXPECT_EQ(StorePosition(0), 1);
    EXPECT_EQ(table->Entry(0).Longitude, 181.0f);
    EXPECT_EQ(StorePosition(0), 1);
}

TEST_F(TargetTableTest, NewStationsTakeTheNextEntry) {
    for (std::uint32_t i = 1; i < 10; ++i)
        EXPECT_EQ(StorePosition(300000000 + i), static_cast<int>(i));
    EXPECT_EQ(table->Count(), 10);
    EXPECT_EQ(StorePosition(399999999), 10);
    EXPECT_EQ(table->Count(), 11);
    EXPECT_EQ(StorePosition(300000004), 4);
    EXPECT_EQ(table->Count(), 11);
}

TEST_F(TargetTableTest, StampsFirstHeardAndLastUpdate) {
    const int i = StorePosition(244000001);
    table->Entry(i).VdmCount = 7;
    clock.Advance(90);
    ASSERT_EQ(StorePosition(244000001), i);
    const TargetEntry& e = table->Entry(i);
    EXPECT_EQ(e.FirstHeardTime.Minute, 0);
    EXPECT_EQ(e.LastUpdateTime.Minute, 1);
    EXPECT_EQ(e.LastUpdateTime.Second, 30);
    EXPECT_EQ(e.LastUpdateDate.Year, 2026);
    EXPECT_EQ(e.LastUpdateDate.Month, 3);
    EXPECT_EQ(e.LastUpdateDate.Day, 14);
    EXPECT_EQ(e.VdmCount, 7u);  // an update keeps the counts
}

TEST_F(TargetTableTest, FullTableRecyclesTheOldestStationNeverTheOwnShip) {
    StorePosition(211000001, true);
    Fill();
    ASSERT_EQ(table->Count(), TargetTable::kCapacity);
    // Station 1 is heard again, so station 2 is now the oldest.
    clock.Advance(1);
    ASSERT_EQ(StorePosition(100000001), 1);
    table->Entry(2).VdmCount = 5;
    clock.Advance(1);
    EXPECT_EQ(StorePosition(555000001), 2);
    EXPECT_EQ(table->Entry(2).Mmsi, 555000001u);
    EXPECT_EQ(table->Entry(2).VdmCount, 0u);  // the router's increment makes it 1
    EXPECT_EQ(table->Count(), TargetTable::kCapacity);
    // The old MMSI is gone (station 3 is the oldest now); the new one is found where it went.
    EXPECT_EQ(StorePosition(555000001), 2);
    EXPECT_EQ(StorePosition(100000002), 3);
    EXPECT_EQ(table->Entry(0).Mmsi, 211000001u);
}

TEST_F(TargetTableTest, EqualUpdateTimesRecycleTheLowestIndex) {
    for (std::uint32_t i = 1; i < TargetTable::kCapacity; ++i)
        StorePosition(100000000 + i);
    EXPECT_EQ(StorePosition(555000001), 1);
    clock.Advance(1);
    StorePosition(100000002);
    StorePosition(555000001);
    EXPECT_EQ(StorePosition(555000002), 3);
}

// A message that files no fields (message 10) shows what a recycled entry starts with.
TEST_F(TargetTableTest, RecycledEntryForgetsThePreviousStation) {
    Store(Bits({{6, 5},
                {2, 0},
                {30, 100000001},
                {2, 1},
                {30, 9000001},
                Txt(7, "OLDCALL"),
                Txt(20, "OLD NAME"),
                {8, 70},
                {30, 0x3FFFFFFF},
                {4, 1},
                {20, 0xFFFFF},
                {8, 50},
                Txt(20, "OLD PORT"),
                {2, 0}}));
    Store(Bits({{6, 24},
                {2, 0},
                {30, 100000001},
                {2, 1},
                {8, 37},
                Txt(7, "VENDOR1"),
                Txt(7, "CALL"),
                {36, 0}}));
    clock.Advance(1);
    for (std::uint32_t i = 2; i < TargetTable::kCapacity; ++i)
        StorePosition(100000000 + i);
    clock.Advance(1);
    ASSERT_EQ(Store(Bits({{6, 10}, {2, 0}, {30, 555000001}, {2, 0}, {30, 1}, {2, 0}})), 1);
    const TargetEntry& e = table->Entry(1);
    EXPECT_EQ(e.Mmsi, 555000001u);
    EXPECT_EQ(e.StationKind, kStationUnknown);
    EXPECT_EQ(e.Longitude, 181.0f);
    EXPECT_EQ(e.Latitude, 91.0f);
    EXPECT_EQ(e.Sog, 0.0f);
    EXPECT_EQ(e.Cog, 361.0f);
    EXPECT_EQ(e.TrueHeading, 511.0f);
    EXPECT_EQ(e.Dte, 1);
    EXPECT_EQ(e.ImoNumber, 0u);
    EXPECT_STREQ(e.Name, "");
    EXPECT_STREQ(e.CallSign, "");
    EXPECT_STREQ(e.Destination, "");
    EXPECT_STREQ(e.VendorId, "");
    EXPECT_EQ(e.ShipType, 0);
    EXPECT_EQ(e.DimA, 0);
    EXPECT_EQ(e.EtaMonth, 0);
    EXPECT_EQ(e.Draught, 0.0f);
}

TEST_F(TargetTableTest, ResetForgetsEveryStationButTheOwnShip) {
    Store(Bits({{6, 24}, {2, 0}, {30, 100000001}, {2, 0}, Txt(20, "OLD NAME")}));
    table->ResetTargetTable();
    ASSERT_EQ(Store(Bits({{6, 10}, {2, 0}, {30, 100000002}, {2, 0}, {30, 1}, {2, 0}})), 1);
    EXPECT_STREQ(table->Entry(1).Name, "");
    EXPECT_EQ(table->Entry(1).StationKind, kStationUnknown);
}

// What each message files, and the station kind it sets.
TEST_F(TargetTableTest, MessagesFileTheirFields) {
    // 1-3: Class A position report.
    int i = Store(Bits({{6, 3},
                        {2, 0},
                        {30, 201},
                        {4, 7},
                        {8, 127},
                        {10, 55},
                        {1, 1},
                        {28, 2700000},
                        {27, -27000000},
                        {12, 900},
                        {9, 90},
                        {6, 59},
                        {4, 0},
                        {1, 0},
                        {1, 1},
                        {19, 0}}));
    TargetEntry* e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationClassA);
    EXPECT_EQ(e->NavStatus, 7);
    EXPECT_FLOAT_EQ(e->RateOfTurn, 720.003235f);
    EXPECT_FLOAT_EQ(e->Sog, 5.5f);
    EXPECT_EQ(e->PositionAccuracy, 1);
    EXPECT_EQ(e->Longitude, 4.5f);
    EXPECT_EQ(e->Latitude, -45.0f);
    EXPECT_FLOAT_EQ(e->Cog, 90.0f);
    EXPECT_EQ(e->TrueHeading, 90.0f);
    EXPECT_EQ(e->Raim, 1);
    EXPECT_EQ(e->TimestampValid, 1);

    // 4 (base station) sets kind and position; 11 from the same MMSI only the update time.
    i = Store(Bits({{6, 4},
                    {2, 0},
                    {30, 202},
                    {14, 2026},
                    {4, 3},
                    {5, 14},
                    {5, 12},
                    {6, 0},
                    {6, 0},
                    {1, 1},
                    {28, 600000},
                    {27, 1200000},
                    {4, 7},
                    {10, 0},
                    {1, 1},
                    {19, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationBase);
    EXPECT_EQ(e->Longitude, 1.0f);
    EXPECT_EQ(e->Latitude, 2.0f);
    EXPECT_EQ(e->EpfdType, 7);
    EXPECT_EQ(e->Raim, 1);
    clock.Advance(5);
    EXPECT_EQ(Store(Bits({{6, 11},
                          {2, 0},
                          {30, 202},
                          {14, 2026},
                          {4, 3},
                          {5, 14},
                          {5, 12},
                          {6, 0},
                          {6, 0},
                          {1, 0},
                          {28, 0},
                          {27, 0},
                          {4, 1},
                          {10, 0},
                          {1, 0},
                          {19, 0}})),
              i);
    EXPECT_EQ(e->Longitude, 1.0f);
    EXPECT_EQ(e->EpfdType, 7);
    EXPECT_EQ(e->LastUpdateTime.Second, 5);

    // 5: static and voyage data, dimensions and ETA split into their parts.
    i = Store(Bits({{6, 5},
                    {2, 0},
                    {30, 203},
                    {2, 2},
                    {30, 9123456},
                    Txt(7, "PD1234"),
                    Txt(20, "NORDIC STAR"),
                    {8, 70},
                    {30, (225u << 21) | (70u << 12) | (1u << 6) | 31u},
                    {4, 1},
                    {20, (5u << 16) | (15u << 11) | (14u << 6) | 30u},
                    {8, 122},
                    Txt(20, "ROTTERDAM"),
                    {1, 1},
                    {1, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationClassA);
    EXPECT_EQ(e->AisVersion, 2);
    EXPECT_EQ(e->ImoNumber, 9123456u);
    EXPECT_STREQ(e->CallSign, "PD1234@");
    EXPECT_STREQ(e->Name, "NORDIC STAR@@@@@@@@@");
    EXPECT_EQ(e->ShipType, 70);
    EXPECT_EQ(e->DimA, 225);
    EXPECT_EQ(e->DimB, 70);
    EXPECT_EQ(e->DimC, 1);
    EXPECT_EQ(e->DimD, 31);
    EXPECT_EQ(e->EpfdType, 1);
    EXPECT_EQ(e->EtaMonth, 5);
    EXPECT_EQ(e->EtaDay, 15);
    EXPECT_EQ(e->EtaHour, 14);
    EXPECT_EQ(e->EtaMinute, 30);
    EXPECT_FLOAT_EQ(e->Draught, 12.2f);
    EXPECT_STREQ(e->Destination, "ROTTERDAM@@@@@@@@@@@");
    EXPECT_EQ(e->Dte, 1);
    EXPECT_EQ(e->TimestampValid, 0);  // not a position report

    // 9: SAR aircraft, altitude as a float.
    i = Store(Bits({{6, 9},
                    {2, 0},
                    {30, 204},
                    {12, 1500},
                    {10, 140},
                    {1, 1},
                    {28, 3000000},
                    {27, 31800000},
                    {12, 900},
                    {6, 20},
                    {8, 0},
                    {1, 1},
                    {3, 0},
                    {1, 0},
                    {1, 1},
                    {1, 0},
                    {19, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationSarAircraft);
    EXPECT_EQ(e->Altitude, 1500.0f);
    EXPECT_EQ(e->Sog, 140.0f);
    EXPECT_EQ(e->Longitude, 5.0f);
    EXPECT_EQ(e->Dte, 1);
    EXPECT_EQ(e->Raim, 1);
    EXPECT_EQ(e->TimestampValid, 0);  // message 9 does not set it

    // 18: Class B flags; the other bits of the byte are kept.
    i = Store(Bits({{6, 18}, {2, 0},     {30, 205}, {8, 0},  {10, 55}, {1, 0}, {28, 0},
                    {27, 0}, {12, 2700}, {9, 270},  {6, 60}, {2, 0},   {1, 1}, {1, 0},
                    {1, 1},  {1, 0},     {1, 1},    {1, 1},  {1, 1},   {1, 0}, {19, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationClassB);
    EXPECT_EQ(e->ClassBFlags, kClassBUnit | kClassBDsc | kClassBMessage22 | kClassBAssignedMode);
    EXPECT_EQ(e->TrueHeading, 270.0f);
    EXPECT_EQ(e->Raim, 1);
    EXPECT_EQ(e->TimestampValid, 0);  // time stamp 60: not available

    // 19: extended Class B.
    i = Store(Bits({{6, 19},
                    {2, 0},
                    {30, 206},
                    {8, 0},
                    {10, 66},
                    {1, 1},
                    {28, 0},
                    {27, 0},
                    {12, 1800},
                    {9, 180},
                    {6, 13},
                    {4, 0},
                    Txt(20, "SEA FALCON"),
                    {8, 37},
                    {30, (10u << 21) | (3u << 12) | (2u << 6) | 2u},
                    {4, 1},
                    {1, 1},
                    {1, 1},
                    {1, 0},
                    {4, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationClassB);
    EXPECT_STREQ(e->Name, "SEA FALCON@@@@@@@@@@");
    EXPECT_EQ(e->ShipType, 37);
    EXPECT_EQ(e->DimA, 10);
    EXPECT_EQ(e->DimD, 2);
    EXPECT_EQ(e->Raim, 1);
    EXPECT_EQ(e->Dte, 1);
    EXPECT_EQ(e->TimestampValid, 1);

    // 21: aid to navigation with its flags and name extension.
    i = Store(Bits({{6, 21},
                    {2, 0},
                    {30, 992001},
                    {5, 19},
                    Txt(20, "BUOY"),
                    {1, 1},
                    {28, 0},
                    {27, 0},
                    {30, (5u << 21) | (5u << 12) | (3u << 6) | 3u},
                    {4, 7},
                    {6, 14},
                    {1, 1},
                    {8, 0},
                    {1, 0},
                    {1, 1},
                    {1, 1},
                    {1, 0},
                    Txt(14, "NORTH SIDE EXT"),
                    {4, 0}}));
    e = &table->Entry(i);
    EXPECT_EQ(e->StationKind, kStationAidToNavigation);
    EXPECT_EQ(e->AtonFlags,
              kAtonOffPosition | (19u << kAtonTypeShift) | kAtonVirtual | kAtonAssignedMode);
    EXPECT_STREQ(e->NameExtension, "NORTH SIDE EXT");
    EXPECT_EQ(e->EpfdType, 7);
    EXPECT_EQ(e->TimestampValid, 1);

    // 16, 17, 20, 22, 23 mark a base station; 6, 7, 8, 10, 12-15 change only the times.
    i = Store(Bits({{6, 20}, {2, 0}, {30, 207}, {2, 0}, {30, 0}}));
    EXPECT_EQ(table->Entry(i).StationKind, kStationBase);
    EXPECT_EQ(Store(Bits({{6, 14}, {2, 0}, {30, 207}, {2, 0}, Txt(4, "TEST")})), i);
    EXPECT_EQ(table->Entry(i).StationKind, kStationBase);
}

TEST_F(TargetTableTest, TimeStampValidFollowsTheLastPositionReport) {
    for (int ts : {0, 59, 60, 61, 63}) {
        StorePosition(244000001, false, ts);
        EXPECT_EQ(table->Entry(1).TimestampValid, ts < 60 ? 1 : 0) << ts;
    }
}

// Part A files the name; part B type, vendor, call sign and dimensions and
// keeps the name; part numbers 2 and 3 (not defined) file nothing.
TEST_F(TargetTableTest, Message24PartsFillTheirOwnFields) {
    auto partA = [](int part) {
        return Bits({{6, 24}, {2, 0}, {30, 244999001}, {2, part}, Txt(20, "BLUE WHALE")});
    };
    const int i = Store(partA(0));
    Store(Bits({{6, 24},
                {2, 0},
                {30, 244999001},
                {2, 1},
                {8, 37},
                Txt(7, "LMO1234"),
                Txt(7, "PE4321"),
                {30, (12u << 21) | (4u << 12) | (2u << 6) | 3u},
                {6, 0}}));
    Store(partA(2));
    Store(partA(3));
    const TargetEntry& e = table->Entry(i);
    EXPECT_EQ(e.StationKind, kStationClassB);
    EXPECT_STREQ(e.Name, "BLUE WHALE@@@@@@@@@@");
    EXPECT_EQ(e.ShipType, 37);
    EXPECT_STREQ(e.VendorId, "LMO1234");
    EXPECT_STREQ(e.CallSign, "PE4321@");
    EXPECT_EQ(e.DimA, 12);
    EXPECT_EQ(e.DimB, 4);
    EXPECT_EQ(e.DimC, 2);
    EXPECT_EQ(e.DimD, 3);
}

// Message 27, the long-range broadcast, files its coarser position, speed and
// course in the units of a position report, "not available" included; a
// station already known keeps its kind.
TEST_F(TargetTableTest, LongRangeBroadcastFilesLikeAPositionReport) {
    const auto longRange = [](std::uint32_t mmsi, int status, int lon, int lat, int sog, int cog) {
        return Bits({{6, 27},
                     {2, 3},
                     {30, mmsi},
                     {1, 1},
                     {1, 1},
                     {4, status},
                     {18, lon},
                     {17, lat},
                     {6, sog},
                     {9, cog},
                     {1, 0},
                     {1, 0}});
    };
    int i = Store(longRange(301, 5, 3173, -36223, 7, 213));
    TargetEntry* e = &table->Entry(i);
    EXPECT_EQ(e->Mmsi, 301u);
    EXPECT_EQ(e->StationKind, kStationClassA);
    EXPECT_EQ(e->NavStatus, 5);
    EXPECT_EQ(e->PositionAccuracy, 1);
    EXPECT_EQ(e->Raim, 1);
    EXPECT_FLOAT_EQ(e->Longitude, 3173 / 600.0f);
    EXPECT_FLOAT_EQ(e->Latitude, -36223 / 600.0f);
    EXPECT_FLOAT_EQ(e->Sog, 7.0f);
    EXPECT_FLOAT_EQ(e->Cog, 213.0f);

    i = Store(longRange(301, 0, 181 * 600, 91 * 600, 63, 511));
    EXPECT_EQ(&table->Entry(i), e);
    EXPECT_FLOAT_EQ(e->Longitude, 181.0f);
    EXPECT_FLOAT_EQ(e->Latitude, 91.0f);
    EXPECT_FLOAT_EQ(e->Sog, 102.3f);
    EXPECT_FLOAT_EQ(e->Cog, 360.0f);

    // A Class B station heard before stays Class B.
    const int b = Store(Bits({{6, 24}, {2, 0}, {30, 302}, {2, 0}, Txt(20, "SMALL BOAT")}));
    ASSERT_EQ(table->Entry(b).StationKind, kStationClassB);
    EXPECT_EQ(Store(longRange(302, 0, 0, 0, 1, 1)), b);
    EXPECT_EQ(table->Entry(b).StationKind, kStationClassB);
}

TEST_F(TargetTableTest, RejectsMessageIdsOutsideOneToTwentySeven) {
    DecodedRecord record{};
    for (int id : {0, 28, 63}) {
        record.Bytes[0] = static_cast<std::uint8_t>(id);
        EXPECT_EQ(table->StoreMessage(record, 17, 0, false), -1);
        EXPECT_EQ(table->StoreMessage(record, 17, 0, true), -1);
    }
    EXPECT_EQ(table->Count(), 1);
    EXPECT_EQ(table->Entry(0).Mmsi, 0u);
}

// The MMSI index gives exactly what a linear search over the entries gives,
// through growth, a full table, recycling, equal and backward clock readings,
// a named own ship sharing a station's MMSI, and resets.
TEST_F(TargetTableTest, LookupMatchesTheLinearRule) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 2999);
    std::uniform_int_distribution<int> step(-2, 3);
    std::uniform_int_distribution<int> percent(0, 99);
    auto linear = [&](std::uint32_t mmsi, bool ownShip) {
        const TargetTable& t = *table;
        if (ownShip) return 0;
        for (int i = 0; i < t.Count(); ++i) {
            if (i == 0 && t.Entry(0).Mmsi == 0) continue;
            if (t.Entry(i).Mmsi == mmsi) return i;
        }
        if (t.Count() < TargetTable::kCapacity) return t.Count();
        int oldest = 1;
        for (int i = 2; i < t.Count(); ++i) {
            const TargetEntry& e = t.Entry(i);
            const TargetEntry& o = t.Entry(oldest);
            if (TimeValue(e.LastUpdateDate, e.LastUpdateTime) <
                TimeValue(o.LastUpdateDate, o.LastUpdateTime))
                oldest = i;
        }
        return oldest;
    };
    for (int n = 0; n < 20000; ++n) {
        if (n == 12000) table->ResetTargetTable();
        const int r = percent(rng);
        if (r < 3) clock.Advance(step(rng) + 2 * 3600 * (r == 0));
        const bool ownShip = r == 5;
        const std::uint32_t mmsi = r == 6 ? 0u : 200000000u + static_cast<std::uint32_t>(pick(rng));
        const int expected = linear(mmsi, ownShip);
        ASSERT_EQ(StorePosition(mmsi, ownShip), expected) << "message " << n;
    }
}

TEST(TargetTimeValue, IgnoresLeapYearsAndCountsFromTheCentury) {
    const struct {
        TargetDate Date;
        TargetTime Time;
        std::uint32_t Value;
    } cases[] = {
        {{2000, 1, 1}, {0, 0, 0, 0}, 86400u},
        {{2000, 0, 0}, {0, 0, 1, 0}, 1u},
        {{2024, 2, 29}, {0, 0, 0, 0}, ((24u * 365 + 31 + 29) * 24) * 3600},
        {{2024, 3, 1}, {0, 0, 0, 0}, ((24u * 365 + 59 + 1) * 24) * 3600},
        {{2026, 12, 31}, {23, 59, 59, 0}, (((26u * 365 + 334 + 31) * 24 + 23) * 60 + 59) * 60 + 59},
        {{2100, 1, 1}, {0, 0, 0, 0}, 86400u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeValue(c.Date, c.Time), c.Value) << c.Date.Year;
}

// Through the router: VDM messages count on their station, VDO messages on the own ship.
TEST(TargetTableRouting, RouterCountsVdmAndVdoMessages) {
    auto codec = std::make_unique<Codec>();
    FakeClock clock;
    codec->Targets.SetClock(&clock);
    const char* vdm = "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0*5C\r\n";
    const char* vdo = "!AIVDO,1,1,,A,13`l7@0p1sPDVG0MqLt4lSs200TU,0*25\r\n";
    EXPECT_TRUE(RouteSentence(*codec, vdm));
    EXPECT_TRUE(RouteSentence(*codec, vdm));
    EXPECT_TRUE(RouteSentence(*codec, vdo));
    EXPECT_EQ(codec->Targets.Count(), 2);
    EXPECT_EQ(codec->Targets.Entry(1).Mmsi, 477553000u);
    EXPECT_EQ(codec->Targets.Entry(1).VdmCount, 2u);
    EXPECT_EQ(codec->Targets.Entry(0).Mmsi, 244123456u);
    EXPECT_EQ(codec->Targets.Entry(0).VdoCount, 1u);
    EXPECT_EQ(codec->Targets.Entry(0).Longitude, 4.5f);
    EXPECT_EQ(codec->Targets.Entry(0).Latitude, 52.25f);
}

}  // namespace
}  // namespace navoro
