// The system check's counting of position reports and its pass/fail rules.
#include <gtest/gtest.h>

#include "DiagnosisTestSupport.h"
#include "diagnosis/SystemCheck.h"

namespace navoro {
namespace {

class CountPositionReportTest : public ::testing::Test {
  protected:
    // Routes a line and counts it as the dispatcher would: '!' sentences the
    // codec accepted.
    void Feed(const std::string& line) {
        if (test::Route(*codec, line) && line[0] == '!')
            CountPositionReport(counters, codec->Received.Header, codec->Received.Vdm.Channel);
    }
    std::unique_ptr<Codec> codec = test::NewCodec();
    PositionReportCounters counters;
};

TEST_F(CountPositionReportTest, ByFormatterAndChannel) {
    struct Case {
        const char* Formatter;
        const char* Channel;
        int TxA, TxB, RxA, RxB;
    };
    const Case cases[] = {
        {"VDO", "A", 1, 0, 0, 0}, {"VDO", "B", 0, 1, 0, 0}, {"VDO", "", 0, 0, 0, 0},
        {"VDO", "1", 0, 0, 0, 0}, {"VDM", "A", 0, 0, 1, 0}, {"VDM", "B", 0, 0, 0, 1},
        {"VDM", "", 0, 0, 0, 1},  {"VDM", "2", 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        counters = {};
        Feed(test::PositionReportSentence(c.Formatter, c.Channel));
        EXPECT_EQ(counters.TxCountA, c.TxA) << c.Formatter << " '" << c.Channel << "'";
        EXPECT_EQ(counters.TxCountB, c.TxB) << c.Formatter << " '" << c.Channel << "'";
        EXPECT_EQ(counters.RxCountA, c.RxA) << c.Formatter << " '" << c.Channel << "'";
        EXPECT_EQ(counters.RxCountB, c.RxB) << c.Formatter << " '" << c.Channel << "'";
    }
}

TEST_F(CountPositionReportTest, ATwoSentenceMessageCountsOnceWhenComplete) {
    Feed(test::Sentence(
        "!AIVDM,2,1,3,A,53`l7@02;=`10C7;?@0pu8@T>1=@580000000016?0N:<5GfNNTSm51DQ0C@,0"));
    EXPECT_EQ(counters.RxCountA, 0);
    Feed(test::Sentence("!AIVDM,2,2,3,A,00000000000,2"));
    EXPECT_EQ(counters.RxCountA, 1);
}

TEST(SystemCheckRules, NothingKnownFailsEveryRow) {
    TargetTable table;
    const SystemCheckView view = EvaluateSystemCheck({}, table.Entry(0), {});
    EXPECT_EQ(view.FwVer, "---------");
    EXPECT_EQ(view.ProdSN, "---------");
    EXPECT_EQ(view.Mmsi, "000000000");
    EXPECT_EQ(view.Gps, "Lost");
    EXPECT_EQ(view.TxA + view.TxB + view.RxA + view.RxB, "0000");
    for (bool passed : view.Passed)
        EXPECT_FALSE(passed);
}

TEST(SystemCheckRules, SnapshotAndOwnShip) {
    auto codec = test::NewCodec();
    test::OwnReport report;
    report.Mmsi = 2110001;
    ASSERT_TRUE(test::Route(*codec, test::PositionReportSentence("VDO", "A", report)));
    const TargetEntry& own = codec->Targets.Entry(0);

    // Only the own ship's report: its MMSI, and a fix.
    SystemCheckView view = EvaluateSystemCheck({}, own, {1, 0, 0, 0});
    EXPECT_EQ(view.Mmsi, " 002110001");
    EXPECT_EQ(view.Gps, "Fixed");
    EXPECT_TRUE(view.Passed[kCheckMmsi]);
    EXPECT_TRUE(view.Passed[kCheckGps]);
    EXPECT_TRUE(view.Passed[kCheckTx]);
    EXPECT_FALSE(view.Passed[kCheckRx]);

    // The information lines' MMSI wins.
    SystemCheckSnapshot snapshot{true, "V2.1.7", true, "LM123456", true, 123456789};
    view = EvaluateSystemCheck(snapshot, own, {0, 0, 0, 3});
    EXPECT_EQ(view.Mmsi, " 123456789");
    EXPECT_EQ(view.FwVer, "V2.1.7");
    EXPECT_EQ(view.ProdSN, "LM123456");
    EXPECT_EQ(view.RxB, "3");
    for (bool passed : {view.Passed[kCheckFwVer], view.Passed[kCheckProdSN], view.Passed[kCheckRx]})
        EXPECT_TRUE(passed);
    EXPECT_FALSE(view.Passed[kCheckTx]);
}

TEST(SystemCheckRules, APictureAgreesWithItsValueAfterADisconnect) {
    // A disconnect empties the snapshot's values but may leave its flags; the
    // own ship's last fix and the counters stay.
    auto codec = test::NewCodec();
    test::OwnReport report;
    report.Mmsi = 2110001;
    ASSERT_TRUE(test::Route(*codec, test::PositionReportSentence("VDO", "A", report)));
    const TargetEntry& fixedOwn = codec->Targets.Entry(0);
    const TargetTable empty;
    const struct {
        const char* name;
        SystemCheckSnapshot snapshot;
        const TargetEntry& own;
        bool linked;
        const char* fw;
        const char* mmsi;
        const char* gps;
    } cases[] = {
        {"flags without values",
         {true, "", true, "", true, 0},
         empty.Entry(0),
         false,
         "---------",
         "000000000",
         "Lost"},
        {"flags without values, linked",
         {true, "", true, "", true, 0},
         empty.Entry(0),
         true,
         "---------",
         "000000000",
         "Lost"},
        {"last fix, unlinked",
         {},
         fixedOwn,
         false,
         "---------",
         " 002110001",
         "Stale (last: Fixed)"},
        {"last fix, linked",
         {true, "V2", true, "S1", true, 7},
         fixedOwn,
         true,
         "V2",
         " 000000007",
         "Fixed"},
    };
    for (const auto& c : cases) {
        const SystemCheckView view = EvaluateSystemCheck(c.snapshot, c.own, {1, 0, 0, 0}, c.linked);
        EXPECT_EQ(view.FwVer, c.fw) << c.name;
        EXPECT_EQ(view.Mmsi, c.mmsi) << c.name;
        EXPECT_EQ(view.Gps, c.gps) << c.name;
        // Every row passes exactly when its value is a real, current one.
        EXPECT_EQ(view.Passed[kCheckFwVer], view.FwVer != kNotReadText && !view.FwVer.empty())
            << c.name;
        EXPECT_EQ(view.Passed[kCheckProdSN], view.ProdSN != kNotReadText && !view.ProdSN.empty())
            << c.name;
        EXPECT_EQ(view.Passed[kCheckMmsi], view.Mmsi != kNoMmsiText) << c.name;
        EXPECT_EQ(view.Passed[kCheckGps], view.Gps == "Fixed") << c.name;
        EXPECT_TRUE(view.Passed[kCheckTx]) << c.name;  // the count of the last connection
    }
}

TEST(SystemCheckRules, GpsIsLostWithoutPositionOrTimeStamp) {
    struct Case {
        double Lon, Lat;
        int TimeStamp;
        bool Fixed;
    };
    const Case cases[] = {
        {11.5, 48.25, 30, true},  {181.0, 48.25, 30, false}, {11.5, 91.0, 30, false},
        {11.5, 48.25, 60, false}, {11.5, 48.25, 59, true},   {-180.0, -90.0, 0, true},
    };
    for (const Case& c : cases) {
        auto codec = test::NewCodec();
        test::OwnReport report;
        report.Lon = c.Lon;
        report.Lat = c.Lat;
        report.TimeStamp = c.TimeStamp;
        ASSERT_TRUE(test::Route(*codec, test::PositionReportSentence("VDO", "B", report)));
        const SystemCheckView view = EvaluateSystemCheck({}, codec->Targets.Entry(0), {});
        EXPECT_EQ(view.Gps, c.Fixed ? "Fixed" : "Lost")
            << c.Lon << " " << c.Lat << " " << c.TimeStamp;
        EXPECT_EQ(view.Passed[kCheckGps], c.Fixed);
    }
}

TEST(SystemCheckRules, CountersStopAtTheirLargestValue) {
    PositionReportCounters counters;
    counters.TxCountA = 2147483647;
    SentenceHeader vdo{'!', "AI", "VDO", 0};
    CountPositionReport(counters, vdo, 'A');
    EXPECT_EQ(counters.TxCountA, 2147483647);
    EXPECT_TRUE(EvaluateSystemCheck({}, TargetTable().Entry(0), counters).Passed[kCheckTx]);
}

}  // namespace
}  // namespace navoro
