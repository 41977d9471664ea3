#include "tools/sim/Transponder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "tests/sim/CodecHolder.h"
#include "tests/support/Sentence.h"

namespace navoro::sim {
namespace {

using navoro::test::Sentence;
using Outcome = Transponder::Outcome;

// A transponder with a codec of its own.
class TestDevice : private test::CodecHolder, public Transponder {
  public:
    explicit TestDevice(DeviceState state) : Transponder(*codec, std::move(state)) {}
};

std::string Strip(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

std::vector<std::string> Stripped(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        out.push_back(Strip(line));
    return out;
}

bool Contains(const std::vector<std::string>& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

// What Navoro's receive path makes of a reply: at most 82 characters, accepted
// by the router, and for the proprietary kinds stored with mode letter R.
void ExpectAccepted(const std::string& line) {
    SCOPED_TRACE(line);
    EXPECT_LE(line.size(), 82u);
    auto codec = std::make_unique<Codec>();
    ASSERT_TRUE(RouteSentence(*codec, line.c_str()));
    const SentenceHeader& header = codec->Received.Header;
    if (header.Talker[0] == 'P') {
        EXPECT_EQ(header.Mode, 'R');
        if (std::string(header.Formatter) != "CLR") {
            EXPECT_EQ(codec->Proprietary.DbgMode, 'R');
        }
    }
}

// ---- Queries ---------------------------------------------------------------

struct QueryCase {
    const char* Query;
    std::vector<std::string> Replies;  // bodies, in order
};

class QueryTest : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryTest, AnswersWithTheDefaultSettings) {
    TestDevice device{DeviceState{}};
    const Transponder::Result result = device.HandleLine(Sentence(GetParam().Query), 0);
    EXPECT_EQ(result.What, Outcome::kAnswered);
    std::vector<std::string> expected;
    for (const std::string& body : GetParam().Replies)
        expected.push_back(Sentence(body));
    EXPECT_EQ(result.Replies, expected);
    for (const std::string& reply : result.Replies)
        ExpectAccepted(reply);
}

INSTANTIATE_TEST_SUITE_P(
    EveryQuery, QueryTest,
    ::testing::Values(QueryCase{"$AIAIQ,SSD",
                                {"$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI",
                                 "$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"}},
                      QueryCase{"$AIAIQ,VSD", {"$AIVSD,70,07.2,18,HAMBURG,163000.00,14,06,0,0"}},
                      QueryCase{"$AIAIQ,CPA", {"$PLMO,R,CPA,45,20,46,10,47,1,,"}},
                      QueryCase{"$AIAIQ,TSV", {"$PLMO,R,TSV,30,0,101,1,102,0,,"}},
                      QueryCase{"$PLMO,Q,BAU,-1,", {"$PLMO,R,BAU,-1,115200"}},
                      QueryCase{"$PLMO,Q,BAU,0,", {"$PLMO,R,BAU,0,38400"}},
                      QueryCase{"$PLMO,Q,BAU,3,", {"$PLMO,R,BAU,3,38400"}},
                      QueryCase{"$PLMO,Q,BAU,9,", {"$PLMO,R,BAU,9,38400"}},
                      QueryCase{"$AIAIQ,CLR", {"$PLMO,R,CLR,0,1111111111,0,2087,2088"}},
                      QueryCase{"$AIAIQ,DES",
                                {"$PLMO,R,DES,1,HAMBURG", "$PLMO,R,DES,2,ROTTERDAM",
                                 "$PLMO,R,DES,3,FELIXSTOWE", "$PLMO,R,DES,4,GDANSK"}},
                      QueryCase{"$AIAIQ,MBL",
                                {"$PLMO,R,MBL,972001234,LIFEBUOY PORT",
                                 "$PLMO,R,MBL,972001235,LIFEBUOY STBD"}}));

TEST(TransponderTest, ProbeAndStatusRequestAnswerWithTheDump) {
    for (const char* request : {"$PTST,,,,,00016", "$PTST,,,,,00017"}) {
        TestDevice device{DeviceState{}};
        const Transponder::Result result = device.HandleLine(Sentence(request), 0);
        EXPECT_EQ(result.What, Outcome::kAnswered) << request;
        EXPECT_EQ(result.Replies, device.InformationDump()) << request;
    }
    // The probe exactly as the connection manager writes it.
    TestDevice device{DeviceState{}};
    EXPECT_EQ(device.HandleLine("$PTST,,,,,00016*18\r\n", 0).What, Outcome::kAnswered);
}

TEST(TransponderTest, DumpCarriesEveryKeyAndEndsWithTheEndMarker) {
    DeviceState state;
    state.Inland = true;
    state.EncryptionOn = true;
    state.EncryptionKey = "SECRET42";
    state.DeviceInstance = 17;
    TestDevice device{state};
    const std::vector<std::string> dump = device.InformationDump();
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(dump.back(), "[DEVICE DATA END]\r\n");
    const std::vector<std::string> lines = Stripped(dump);
    EXPECT_TRUE(Contains(lines, "MMSI:(211457320)"));
    EXPECT_TRUE(Contains(lines, "IMO:(9412853)"));
    EXPECT_TRUE(Contains(lines, "Firmware:2.4.17 (2024-03-08)"));
    EXPECT_TRUE(Contains(lines, "S/N:(LMO2403A00417)"));
    EXPECT_TRUE(Contains(lines, "[AIS MODE]= INLAND"));
    EXPECT_TRUE(Contains(lines, "[DeviceInstance]=17"));
    EXPECT_TRUE(Contains(lines, "[O] Encryption Mode=1"));
    EXPECT_TRUE(Contains(lines, "[O] EncryptionKey=SECRET42"));
    EXPECT_TRUE(Contains(lines, Strip(Sentence("$PIWWSSD,,,110.0,11.4,,,,90.5,05.2,20.0,03.0"))));
    for (const std::string& line : dump) {
        SCOPED_TRACE(line);
        EXPECT_LE(line.size(), 82u);
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        // Lines that would keep the handshake from seeing the end marker.
        EXPECT_EQ(line.find("!AI"), std::string::npos);
        EXPECT_EQ(line.find("$GP"), std::string::npos);
    }
    // Each key once, so a reader never sees two values.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("MMSI:(") != l.npos; }),
              1);
}

TEST(TransponderTest, SeagoingDumpHasNoInlandLinesAndTheEndCanBeSwitchedOff) {
    TestDevice device{DeviceState{}};
    std::vector<std::string> lines = Stripped(device.InformationDump());
    EXPECT_TRUE(Contains(lines, "[AIS MODE]= SOLAS"));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("INLAND") != l.npos || l.find("$PIWWSSD") != l.npos;
    }));
    device.SetDumpEnd(false);
    lines = Stripped(device.InformationDump());
    EXPECT_FALSE(Contains(lines, "[DEVICE DATA END]"));
    EXPECT_TRUE(Contains(lines, "[O] EncryptionKey="));
}

// ---- Writes ----------------------------------------------------------------

struct WriteCase {
    const char* Name;
    const char* Write;     // body of the write
    const char* Read;      // body of the query that reads it back
    const char* Expected;  // a line of the answer (a sentence body or a dump line)
};

class WriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, ReadAfterWriteReturnsTheWrittenValue) {
    const WriteCase& c = GetParam();
    DeviceState state;
    state.Inland = true;  // so that the dump shows the inland line
    TestDevice device{state};
    const Transponder::Result written = device.HandleLine(Sentence(c.Write), 0);
    EXPECT_EQ(written.What, Outcome::kApplied) << written.Note;
    EXPECT_TRUE(written.Replies.empty());
    const Transponder::Result read = device.HandleLine(Sentence(c.Read), 1);
    const std::string expected =
        c.Expected[0] == '$' ? Sentence(c.Expected) : std::string(c.Expected) + "\r\n";
    EXPECT_TRUE(Contains(read.Replies, expected)) << "expected " << c.Expected;
    for (const std::string& reply : read.Replies)
        if (reply[0] == '$' && reply.find("$PIWWSSD") == std::string::npos) {
            ExpectAccepted(reply);
        }
}

INSTANTIATE_TEST_SUITE_P(
    EveryWrite, WriteTest,
    ::testing::Values(
        WriteCase{"Mmsi", "$PMID,123456789,009876543", "$PTST,,,,,00017", "MMSI:(123456789)"},
        WriteCase{"Imo", "$PMID,123456789,009876543", "$PTST,,,,,00017", "IMO:(9876543)"},
        WriteCase{"SsdInternal", "$ECSSD,ABC1234,SHIP,100,20,5,6,0,AI", "$AIAIQ,SSD",
                  "$AISSD,ABC1234,SHIP,100,20,5,6,0,AI"},
        WriteCase{"SsdExternal", "$ECSSD,ABC1234,SHIP,200,30,7,8,0,GP", "$AIAIQ,SSD",
                  "$AISSD,ABC1234,SHIP,200,30,7,8,0,GP"},
        WriteCase{"SsdEmptyFieldsKeepValues", "$ECSSD,,,,,,,,GP", "$AIAIQ,SSD",
                  "$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"},
        WriteCase{"Vsd", "$ECVSD,30,05.2,12,ROTTERDAM,120000.00,05,06,1,", "$AIAIQ,VSD",
                  "$AIVSD,30,05.2,12,ROTTERDAM,120000.00,05,06,1,0"},
        WriteCase{"VsdWithoutEtaTime", "$ECVSD,80,25.5,8191,ANTWERP,,01,12,5,", "$AIAIQ,VSD",
                  "$AIVSD,80,25.5,8191,ANTWERP,163000.00,01,12,5,0"},
        WriteCase{"InlandSsd", "$PIWWSSD,,,86.5,9.5,,,,70.0,4.5,12.0,1.0", "$PTST,,,,,00017",
                  "$PIWWSSD,,,86.5,09.5,,,,70.0,04.5,12.0,01.0"},
        WriteCase{"CpaShortForm", "$PDBG,045,123,046,15,047,0,,", "$AIAIQ,CPA",
                  "$PLMO,R,CPA,45,123,46,15,47,0,,"},
        WriteCase{"Transceiver", "$PLMO,C,DBG,30,1,101,0,102,1,122,7", "$AIAIQ,TSV",
                  "$PLMO,R,TSV,30,1,101,0,102,1,,"},
        WriteCase{"DeviceInstance", "$PLMO,C,DBG,30,0,101,1,102,0,122,252", "$PTST,,,,,00017",
                  "[DeviceInstance]=252"},
        WriteCase{"SerialPortRate", "$PLMO,C,BAU,7,9600", "$PLMO,Q,BAU,7,", "$PLMO,R,BAU,7,9600"},
        WriteCase{"UsbPortRate", "$PLMO,C,BAU,-1,57600", "$PLMO,Q,BAU,-1,", "$PLMO,R,BAU,-1,57600"},
        WriteCase{"LongRange", "$AICLR,1,1010100000,1,2002,2003", "$AIAIQ,CLR",
                  "$PLMO,R,CLR,1,1010100000,1,2002,2003"},
        WriteCase{"LongRangeProprietaryForm", "$PLMO,C,CLR,0,0000000001,0,75,76", "$AIAIQ,CLR",
                  "$PLMO,R,CLR,0,0000000001,0,75,76"},
        WriteCase{"Destination", "$PLMO,C,DES,7,PORT SAID", "$AIAIQ,DES",
                  "$PLMO,R,DES,7,PORT SAID"},
        WriteCase{"MobList", "$PLMO,C,MBL,972000001,RAFT 1", "$AIAIQ,MBL",
                  "$PLMO,R,MBL,972000001,RAFT 1"},
        WriteCase{"EncryptionOn", "$PLMO,C,DBG,701,3015,,,,,,", "$PTST,,,,,00017",
                  "[O] Encryption Mode=1"},
        WriteCase{"EncryptionKey", "$AICEK,1,1,,211457320,4B45593132333435,C", "$PTST,,,,,00017",
                  "[O] EncryptionKey=KEY12345"},
        WriteCase{"SerialNumber", "$PTPS,1,AB1234", "$PTST,,,,,00017", "S/N:(AB1234)"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return info.param.Name; });

TEST(TransponderTest, DestinationWriteWithEmptyTextClearsTheRow) {
    TestDevice device{DeviceState{}};
    EXPECT_EQ(device.HandleLine(Sentence("$PLMO,C,DES,2,"), 0).What, Outcome::kApplied);
    const std::vector<std::string> replies =
        Stripped(device.HandleLine(Sentence("$AIAIQ,DES"), 0).Replies);
    EXPECT_EQ(replies.size(), 3u);
    EXPECT_FALSE(Contains(replies, Strip(Sentence("$PLMO,R,DES,2,ROTTERDAM"))));
    EXPECT_EQ(device.State().Destinations[1], "");
}

TEST(TransponderTest, EncryptionOffAndOnFollowTheCommands) {
    TestDevice device{DeviceState{}};
    device.HandleLine(Sentence("$PLMO,C,DBG,701,3015,,,,,,"), 0);
    EXPECT_TRUE(device.State().EncryptionOn);
    device.HandleLine(Sentence("$PLMO,C,DBG,701,3016,,,,,,"), 0);
    EXPECT_FALSE(device.State().EncryptionOn);
}

TEST(TransponderTest, MobListWriteReplacesTheListAndKeepsItsOrder) {
    TestDevice device{DeviceState{}};
    // One write: entries 100 ms apart.
    device.HandleLine(Sentence("$PLMO,C,MBL,972000003,C"), 10.0);
    device.HandleLine(Sentence("$PLMO,C,MBL,972000001,A"), 10.1);
    device.HandleLine(Sentence("$PLMO,C,MBL,972000002,"), 10.3);  // a gap row, then no name
    ASSERT_EQ(device.State().MobList.size(), 3u);
    EXPECT_EQ(device.State().MobList[0], (MobEntry{972000003, "C"}));
    EXPECT_EQ(device.State().MobList[2], (MobEntry{972000002, ""}));

    // A later write starts a new list, as does one after any other line.
    device.HandleLine(Sentence("$PLMO,C,MBL,972000009,Z"), 30.0);
    ASSERT_EQ(device.State().MobList.size(), 1u);
    device.HandleLine(Sentence("$AIAIQ,MBL"), 30.1);
    device.HandleLine(Sentence("$PLMO,C,MBL,972000008,Y"), 30.2);
    ASSERT_EQ(device.State().MobList.size(), 1u);
    EXPECT_EQ(device.State().MobList[0].Mmsi, 972000008u);
}

TEST(TransponderTest, MobListHoldsFiftyEntriesAndAnEmptyListAnswersWith999) {
    TestDevice device{DeviceState{}};
    double t = 0;
    for (int i = 0; i < 50; ++i) {
        const std::string write = "$PLMO,C,MBL,9720000" + std::to_string(10 + i) + ",X";
        EXPECT_EQ(device.HandleLine(Sentence(write), t += 0.1).What, Outcome::kApplied);
    }
    EXPECT_EQ(device.HandleLine(Sentence("$PLMO,C,MBL,972000099,X"), t += 0.1).What,
              Outcome::kRefused);
    EXPECT_EQ(device.HandleLine(Sentence("$AIAIQ,MBL"), t).Replies.size(), 50u);

    DeviceState empty;
    empty.MobList.clear();
    TestDevice none{empty};
    EXPECT_EQ(none.HandleLine(Sentence("$AIAIQ,MBL"), 0).Replies,
              std::vector<std::string>{Sentence("$PLMO,R,MBL,999,NONE")});
}

TEST(TransponderTest, PortRateWriteTakesEffectAtTheRestartCommand) {
    TestDevice device{DeviceState{}};
    ASSERT_EQ(device.ConfigPortRate(), 115200);
    Transponder::Result r = device.HandleLine(Sentence("$PLMO,C,BAU,-1,9600"), 0);
    EXPECT_FALSE(r.RateChanged);
    EXPECT_EQ(device.ConfigPortRate(), 115200);
    r = device.HandleLine(Sentence("$PDBG,701,1000,,,,,,"), 0);
    EXPECT_EQ(r.What, Outcome::kApplied);
    EXPECT_TRUE(r.RateChanged);
    EXPECT_EQ(device.ConfigPortRate(), 9600);
    // A restart without a change changes nothing.
    EXPECT_FALSE(device.HandleLine(Sentence("$PDBG,701,1000,,,,,,"), 0).RateChanged);
}

TEST(TransponderTest, FactoryRestoreKeepsOnlyTheIdentity) {
    DeviceState state;
    state.SerialNumber = "XY999";
    state.Inland = true;
    TestDevice device{state};
    device.HandleLine(Sentence("$PMID,111111111,"), 0);
    device.HandleLine(Sentence("$PLMO,C,BAU,-1,4800"), 0);
    device.HandleLine(Sentence("$PDBG,701,1000,,,,,,"), 0);
    ASSERT_EQ(device.ConfigPortRate(), 4800);
    const Transponder::Result r = device.HandleLine(Sentence("$PDBG,701,5,,,,,,"), 0);
    EXPECT_EQ(r.What, Outcome::kApplied);
    EXPECT_TRUE(r.RateChanged);
    DeviceState expected;
    expected.SerialNumber = "XY999";
    expected.Inland = true;
    EXPECT_EQ(device.State(), expected);
    EXPECT_EQ(device.ConfigPortRate(), 115200);
}

// A device that holds no CPA and TCPA answers with empty fields, and a write
// that leaves a value empty keeps the setting, as it does for every sentence.
TEST(TransponderTest, ABlankCpaIsAnsweredEmptyAndAnEmptyValueKeepsTheSetting) {
    DeviceState state;
    state.CpaTenths = kBlank;
    state.Tcpa = kBlank;
    TestDevice device{state};
    EXPECT_EQ(device.HandleLine(Sentence("$AIAIQ,CPA"), 0).Replies,
              std::vector<std::string>{Sentence("$PLMO,R,CPA,45,,46,,47,1,,")});
    const Transponder::Result r = device.HandleLine(Sentence("$PLMO,C,DBG,45,,46,,47,0,,"), 0);
    EXPECT_EQ(r.What, Outcome::kApplied) << r.Note;
    state.CpaAlarm = 0;
    EXPECT_EQ(device.State(), state);
}

// ---- Refusals and ignored lines ---------------------------------------------

class RefusedWriteTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedWriteTest, LeavesTheStateUnchanged) {
    TestDevice device{DeviceState{}};
    const Transponder::Result r = device.HandleLine(Sentence(GetParam()), 0);
    EXPECT_EQ(r.What, Outcome::kRefused) << r.Note;
    EXPECT_TRUE(r.Replies.empty());
    EXPECT_EQ(device.State(), DeviceState{});
    EXPECT_EQ(device.ConfigPortRate(), 115200);
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, RefusedWriteTest,
    ::testing::Values(
        "$ECSSD,ABC,SHIP,512,20,5,6,0,AI", "$ECSSD,ABC,SHIP,100,20,64,6,0,AI",
        "$ECSSD,ABC,SHIP,100,20,5,6,2,AI", "$ECSSD,CALLSIGN9,SHIP,1,2,3,4,0,AI",
        "$ECSSD,ABC,NAME OF TWENTYONE CHR,1,2,3,4,0,AI", "$ECSSD,ABC,ship,1,2,3,4,0,AI",
        "$ECSSD,ABC,SHIP,1,2,3,4,0,XX", "$ECSSD,ABC,SHIP,1x,2,3,4,0,AI",
        "$ECSSD,ABC,SHIP,1,2,3,4,0", "$ECVSD,300,05.0,1,X,,,,0,", "$ECVSD,70,25.6,1,X,,,,0,",
        "$ECVSD,70,05.0,8192,X,,,,0,", "$ECVSD,70,05.0,1,X,250000.00,,,0,",
        "$ECVSD,70,05.0,1,X,,32,,0,", "$ECVSD,70,05.0,1,X,,,13,0,", "$ECVSD,70,05.0,1,X,,,,16,",
        "$ECVSD,70,-1.0,1,X,,,,0,", "$PMID,1234567890,1", "$PMID,12A,1", "$PMID,999999999,1",
        "$PDBG,045,1000,,,,,,", "$PDBG,046,100,,,,,,", "$PLMO,C,DBG,30,2,,,,,,",
        "$PLMO,C,DBG,122,253,,,,,,", "$PLMO,C,DBG,701,1234,,,,,,", "$PLMO,C,DBG,45,10,46,100,,,,",
        "$PLMO,C,DBG,,10,,,,,,", "$PLMO,C,BAU,3,115200", "$PLMO,C,BAU,-1,14400",
        "$PLMO,C,BAU,10,9600", "$PLMO,C,BAU,,9600", "$AICLR,2,1010100000,0,2002,2003",
        "$AICLR,0,10101,0,2002,2003", "$AICLR,0,1010100000,0,20020,2003",
        "$AICLR,0,1010100000,0,2002", "$PLMO,C,DES,11,X", "$PLMO,C,DES,0,X",
        "$PLMO,C,DES,1,DESTINATION OF 21 CHR", "$PLMO,C,DES,1,lower", "$PLMO,C,MBL,123456789,X",
        "$PLMO,C,MBL,973000000,X", "$AICEK,1,1,,123456789,4142,C", "$AICEK,1,1,,211457320,4G,C",
        "$AICEK,1,1,,211457320,2D2D,C",
        "$AICEK,1,1,,211457320,4142434445464748494A4B4C4D4E4F5051,C", "$PTPS,1,AB-12", "$PTPS,1,",
        "$PIWWSSD,,,800.1,11.4,,,,90.5,5.2,20.0,3.0", "$PIWWSSD,,,80.0,11.4,,,,90.5,5.2,20.0"));

TEST(TransponderTest, IgnoresLinesThatAreNotItsCommands) {
    const std::string too_long = Sentence("$PLMO,C,DES,1," + std::string(70, 'A'));
    const std::string bad_checksum = "$PMID,123456789,000000001*00\r\n";
    const char* const lines[] = {
        "hello",
        "",
        "\x01\x02\xff garbage",
        "$PMID,123456789,000000001",  // no checksum
        bad_checksum.c_str(),
        too_long.c_str(),
    };
    for (const char* line : lines) {
        TestDevice device{DeviceState{}};
        const Transponder::Result r = device.HandleLine(line, 0);
        EXPECT_EQ(r.What, Outcome::kIgnored) << line;
        EXPECT_TRUE(r.Replies.empty());
        EXPECT_EQ(device.State(), DeviceState{});
    }
    for (const char* body : {"$AIAIQ,GGA", "$PLMO,R,BAU,3,4800", "$PLMO,X,BAU,3,4800", "$XXYYY,1,2",
                             "$PTST,,,,,00099", "$PLMO,C,ZZZ,1", "$PLMO,Q,BAU,12,", "$PTPS,2,AB"}) {
        TestDevice device{DeviceState{}};
        const Transponder::Result r = device.HandleLine(Sentence(body), 0);
        EXPECT_EQ(r.What, Outcome::kIgnored) << body;
        EXPECT_TRUE(r.Replies.empty()) << body;
        EXPECT_EQ(device.State(), DeviceState{}) << body;
    }
    TestDevice device{DeviceState{}};
    EXPECT_EQ(device.HandleLine(Sentence("!AIVDM,1,1,,A,13aENbh02>Ph95tO=TNId7h`089g,0"), 0).What,
              Outcome::kIgnored);
}

}  // namespace
}  // namespace navoro::sim
