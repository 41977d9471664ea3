// The standard personality: the standard sentences only, its alarm timeline
// and status text, and the own ship's reports as a standard unit sends them.
#include "tools/sim/StandardTransponder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/FormatterTable.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "tests/sim/CodecHolder.h"
#include "tests/support/Sentence.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/TrafficModel.h"

namespace navoro::sim {
namespace {

using navoro::test::Sentence;
using UnitOutcome = StandardTransponder::Outcome;
using UnitSetup = StandardTransponder::Setup;

constexpr std::int64_t kMidday = 1718712000;  // 2024-06-18 12:00:00 UTC

class TestUnit : private test::CodecHolder, public StandardTransponder {
  public:
    explicit TestUnit(UnitSetup setup = {}, DeviceState state = {})
        : StandardTransponder(*codec, std::move(state), std::move(setup)) {}
};

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// The replies without their checksums and line ends, after checking that the
// receive path takes each whole (or, for a formatter it does not parse, that
// it is framed).
std::vector<std::string> Bodies(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 82u) << line;
        const FormatterInfo* info = FindFormatter(line.substr(3, 3).c_str());
        if (info != nullptr && info->Parser != nullptr) {
            auto codec = std::make_unique<Codec>();
            EXPECT_TRUE(RouteSentence(*codec, line.c_str())) << line;
        } else {
            EXPECT_TRUE(CheckFraming(line.c_str())) << line;
        }
        const std::string bare = WithoutLineEnd(line);
        out.push_back(bare.substr(0, bare.rfind('*')));
    }
    return out;
}

std::vector<std::string> Replies(StandardTransponder& unit, const std::string& body,
                                 double now = 0) {
    return Bodies(unit.HandleLine(Sentence(body), now).Replies);
}

TEST(StandardTransponderTest, AnswersEachQuery) {
    struct Case {
        const char* query;
        std::vector<std::string> replies;
    };
    const Case cases[] = {
        {"$ECAIQ,VER",
         {"$AIVER,1,1,AI,SIM,LMO2403A00417,LMO2403A00417,SIM-A,2.4.17 (2024-03-08),1.0,0"}},
        // One SSD: that of the internal position source.
        {"$ECAIQ,SSD", {"$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI"}},
        {"$IIAIQ,VSD", {"$AIVSD,70,07.2,18,HAMBURG,163000.00,14,06,0,0"}},
        // No alarm raised yet: one ALR without an alarm.
        {"$ECAIQ,ALR", {"$AIALR,,,,,"}},
        {"$ECAIQ,TRL",
         {"$AITRL,2,1,0,01032026,080000.00,01032026,083000.00,1",
          "$AITRL,2,2,0,02032026,090000.00,02032026,093000.00,2"}},
        {"$ECAIQ,ACA",
         {"$AIACA,0,5500.00,N,00900.00,E,5300.00,N,00600.00,E,5,2087,0,2088,0,0,0,C,1,"}},
        // A formatter it sends but cannot be asked for, and one it does not know.
        {"$ECAIQ,TXT", {"$AINAK,EC,TXT,LMO2403A00417,4,QUERY NOT SUPPORTED"}},
        {"$ECAIQ,XDR", {"$AINAK,EC,XDR,LMO2403A00417,1,SENTENCE FORMATTER NOT SUPPORTED"}},
    };
    for (const Case& c : cases) {
        TestUnit unit(UnitSetup{{}, 2, true});
        const StandardTransponder::Result r = unit.HandleLine(Sentence(c.query), 0);
        EXPECT_EQ(Bodies(r.Replies), c.replies) << c.query;
        EXPECT_EQ(r.What, c.replies[0].rfind("$AINAK", 0) == 0 ? UnitOutcome::kRefused
                                                               : UnitOutcome::kAnswered)
            << c.query;
    }

    // Without a log or a region: an empty log, and no region to give.
    TestUnit plain;
    EXPECT_EQ(Replies(plain, "$ECAIQ,TRL"), std::vector<std::string>{"$AITRL,0,,,,,,,"});
    EXPECT_EQ(Replies(plain, "$ECAIQ,ACA"),
              std::vector<std::string>{
                  "$AINAK,EC,ACA,LMO2403A00417,3,NO REGIONAL CHANNEL SETTINGS STORED"});
}

TEST(StandardTransponderTest, TextsTooLongForOneVerGoInTwo) {
    DeviceState state;
    state.SerialNumber = "SN0123456789ABC";
    state.Firmware = "V10.20.300 BUILD 2026-12-11 R";
    TestUnit unit({}, state);
    const std::vector<std::string> first = Replies(unit, "$ECAIQ,VER");
    EXPECT_EQ(first, (std::vector<std::string>{
                         "$AIVER,2,1,AI,SIM,SN0123456789ABC,SN0123456789ABC,SIM-A,,,0",
                         "$AIVER,2,2,AI,,,,,V10.20.300 BUILD 2026-12-11 R,1.0,0"}));
    // The next answer is a new message.
    const std::vector<std::string> second = Replies(unit, "$ECAIQ,VER");
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].back(), '1');
}

TEST(StandardTransponderTest, KeepsWrittenStaticAndVoyageDataAndRefusesBadOnes) {
    TestUnit unit;
    EXPECT_EQ(unit.HandleLine(Sentence("$ECSSD,NEW1,NEW NAME,50,20,5,6,0,AI"), 0).What,
              UnitOutcome::kApplied);
    EXPECT_EQ(unit.HandleLine(Sentence("$ECVSD,80,10.5,25,ROTTERDAM,080000.00,01,07,5,0"), 0).What,
              UnitOutcome::kApplied);
    EXPECT_EQ(Replies(unit, "$ECAIQ,SSD"),
              std::vector<std::string>{"$AISSD,NEW1,NEW NAME,50,20,5,6,0,AI"});
    EXPECT_EQ(Replies(unit, "$ECAIQ,VSD"),
              std::vector<std::string>{"$AIVSD,80,10.5,25,ROTTERDAM,080000.00,01,07,5,0"});

    // Out of range, or outside the six-bit set: refused with a NAK, nothing kept.
    const DeviceState before = unit.State();
    const StandardTransponder::Result big =
        unit.HandleLine(Sentence("$ECSSD,,,600,20,5,6,0,AI"), 0);
    EXPECT_EQ(big.What, UnitOutcome::kRefused);
    EXPECT_EQ(
        Bodies(big.Replies),
        std::vector<std::string>{"$AINAK,EC,SSD,LMO2403A00417,11,DIMENSION A OR B IS NOT 0-511"});
    EXPECT_EQ(Replies(unit, "$ECVSD,,,,hamburg,,,,,"),
              std::vector<std::string>{
                  "$AINAK,EC,VSD,LMO2403A00417,11,DESTINATION IS NOT 0-20 SIX-BIT CHARACTE"});
    EXPECT_EQ(unit.State(), before);
}

TEST(StandardTransponderTest, LeavesTheProbeAndSensorInputUnansweredAndNaksTheRest) {
    TestUnit unit;
    struct Case {
        const char* line;
        UnitOutcome what;
        std::vector<std::string> replies;
    };
    const Case cases[] = {
        // The maker's probe and proprietary queries: as with another maker's unit.
        {"$PTST,,,,,00016", UnitOutcome::kIgnored, {}},
        {"$PLMO,Q,BAU,-1,", UnitOutcome::kIgnored, {}},
        {"$PLMO,C,DBG,701,1000,,,,,,", UnitOutcome::kIgnored, {}},
        {"$GPRMC,120000.00,A,5400.0000,N,01000.0000,E,10.0,90.0,180624,,,A",
         UnitOutcome::kIgnored,
         {}},
        {"$ECXDR,C,19.5,C,AIR",
         UnitOutcome::kRefused,
         {"$AINAK,EC,XDR,LMO2403A00417,1,SENTENCE FORMATTER NOT SUPPORTED"}},
        // A query to another unit is not for it.
        {"$ECGPQ,GGA", UnitOutcome::kIgnored, {}},
    };
    for (const Case& c : cases) {
        const StandardTransponder::Result r = unit.HandleLine(Sentence(c.line), 0);
        EXPECT_EQ(r.What, c.what) << c.line;
        EXPECT_EQ(Bodies(r.Replies), c.replies) << c.line;
    }
    // A broken checksum gets no answer at all.
    EXPECT_TRUE(unit.HandleLine("$ECAIQ,VER*00\r\n", 0).Replies.empty());
}

TEST(StandardTransponderTest, AlarmTimelineRaisesRepeatsAcknowledgesAndClears) {
    TestUnit unit(UnitSetup{{AlarmPlan{2, 20, 60}, AlarmPlan{25, 5, -1}}, 0, false});
    std::vector<std::string> sent;
    // The clock runs second by second from the start; what each second sends.
    auto run = [&](int from, int to) {
        sent.clear();
        for (int t = from; t <= to; ++t)
            for (const std::string& line : Bodies(unit.Tick(t, kMidday + t)))
                sent.push_back(std::to_string(t) + " " + line);
    };
    run(0, 19);
    EXPECT_EQ(sent,
              (std::vector<std::string>{"0 $AITXT,01,01,025,INTERNAL GNSS IN USE",
                                        "5 $AIALR,120005.00,025,A,V,AIS: EXTERNAL EPFS LOST"}));
    run(20, 20);
    EXPECT_EQ(sent, std::vector<std::string>{
                        "20 $AIALR,120020.00,002,A,V,AIS: ANTENNA VSWR EXCEEDS LIMIT"});

    // ACK: acknowledged, and the ALR again at once.
    EXPECT_EQ(Replies(unit, "$ECACK,002", 21),
              std::vector<std::string>{"$AIALR,120020.00,002,A,A,AIS: ANTENNA VSWR EXCEEDS LIMIT"});
    EXPECT_TRUE(unit.Alarms()[0].Acknowledged);
    // An alarm that is not raised is not acknowledged.
    EXPECT_EQ(unit.HandleLine(Sentence("$ECACK,006"), 21).What, UnitOutcome::kIgnored);

    // Every 30 seconds each alarm again, the status every minute; at 60 the
    // alarm clears.
    run(21, 60);
    EXPECT_EQ(sent, (std::vector<std::string>{
                        "35 $AIALR,120005.00,025,A,V,AIS: EXTERNAL EPFS LOST",
                        "50 $AIALR,120020.00,002,A,A,AIS: ANTENNA VSWR EXCEEDS LIMIT",
                        "60 $AIALR,120100.00,002,V,A,AIS: ANTENNA VSWR EXCEEDS LIMIT",
                        "60 $AITXT,01,01,025,INTERNAL GNSS IN USE"}));
    // The query lists both with their states.
    EXPECT_EQ(Replies(unit, "$ECAIQ,ALR", 61),
              (std::vector<std::string>{"$AIALR,120100.00,002,V,A,AIS: ANTENNA VSWR EXCEEDS LIMIT",
                                        "$AIALR,120005.00,025,A,V,AIS: EXTERNAL EPFS LOST"}));
}

TEST(StandardTransponderTest, OwnStaticDataEverySixMinutesAndRightAfterAChange) {
    test::CodecHolder holder;
    TrafficModel model(*holder.codec, 1);
    model.SetOwnStaticPeriod(360);
    const DeviceState state;
    std::vector<std::int64_t> static_seconds;
    int position_reports = 0;
    auto run = [&](std::int64_t from, std::int64_t to) {
        for (std::int64_t t = from; t < to; ++t) {
            for (const std::string& line : model.Second(t, state)) {
                if (line.rfind("!AIVDO,1,1", 0) == 0) ++position_reports;
                if (line.rfind("!AIVDO,2,1", 0) == 0) static_seconds.push_back(t - kMidday);
            }
        }
    };
    run(kMidday, kMidday + 400);
    model.SendOwnStaticNow();
    run(kMidday + 400, kMidday + 402);
    EXPECT_EQ(static_seconds, (std::vector<std::int64_t>{15, 375, 400}));
    EXPECT_EQ(position_reports, 402);  // message 1 every second
}

TEST(StandardTransponderTest, MakerOptions) {
    struct Case {
        std::vector<const char*> args;
        const char* error;  // "" for accepted
    };
    const Case cases[] = {
        {{"--maker", "standard", "--alarm", "002@20s-60s", "--alarm", "25@0", "--trl", "3",
          "--aca"},
         ""},
        {{"--maker=lmo"}, ""},
        {{"--maker", "other"}, "option '--maker': 'other' is not one of lmo, standard"},
        {{"--maker", "standard", "--alarm", "002@60s-20s"},
         "option '--alarm': '002@60s-20s' is not ID@START[-END], e.g. 002@20s-60s"},
        {{"--maker", "standard", "--alarm", "1000@1"},
         "option '--alarm': '1000@1' is not ID@START[-END], e.g. 002@20s-60s"},
        {{"--maker", "standard", "--alarm", "@1"},
         "option '--alarm': '@1' is not ID@START[-END], e.g. 002@20s-60s"},
        {{"--maker", "standard", "--trl", "11"},
         "option '--trl': '11' is not a number of entries 0-10"},
        {{"--aca"}, "options '--alarm', '--trl' and '--aca' need '--maker standard'"},
    };
    for (const Case& c : cases) {
        SimOptions o;
        EXPECT_EQ(ParseOptions(static_cast<int>(c.args.size()), c.args.data(), o), c.error)
            << c.args[0];
    }
    SimOptions o;
    const char* args[] = {"--maker", "standard", "--alarm", "002@20s-60s", "--alarm",
                          "25@0",    "--trl",    "3",       "--aca"};
    ASSERT_EQ(ParseOptions(static_cast<int>(std::size(args)), args, o), "");
    EXPECT_EQ(o.Personality, Maker::kStandard);
    EXPECT_EQ(o.Alarms, (std::vector<AlarmPlan>{{2, 20, 60}, {25, 0, -1}}));
    EXPECT_EQ(o.TrlEntries, 3);
    EXPECT_TRUE(o.Aca);
}

}  // namespace
}  // namespace navoro::sim
