// The writes without a window: each tab's input turned into the sentences it
// sends (composed ones through the codec, as the send path composes them),
// the waits between them, the input rules and their problems, and a plan that
// stops at the first failed send.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "config/WritePlans.h"
#include "config/WriteRules.h"

namespace navoro {
namespace {

// What a plan did, in order: "SENT <line without checksum>", "WAIT <ms>",
// "STEP".
struct Recorder {
    explicit Recorder(Codec& c) : codec(c) {}
    Codec& codec;
    std::vector<std::string> log;
    int failAt = -1;  // the send (0-based) that fails
    SendResult failure = SendResult::Failed;
    int sends = 0;

    WriteLink Link() {
        WriteLink link;
        link.SendSentence = [this](const char* talker, const char* formatter) {
            char buffer[kComposeBufferSize];
            if (!ComposeSentence(codec, buffer, sizeof buffer, formatter, talker))
                return SendResult::Failed;
            if (sends++ == failAt) return failure;
            const std::string line(buffer);
            log.push_back("SENT " + line.substr(0, line.find('*')));
            return SendResult::Sent;
        };
        link.SendSentenceText = [this](const char* text) {
            if (sends++ == failAt) return false;
            log.push_back(std::string("SENT ") + text);
            return true;
        };
        link.Sleep = [this](int ms) { log.push_back("WAIT " + std::to_string(ms)); };
        link.Advance = [this] { log.push_back("STEP"); };
        return link;
    }
};

class WritePlans : public ::testing::Test {
  protected:
    // Runs a plan and returns its log; fails the test for a problem.
    std::vector<std::string> Run(const WriteCheck& check) {
        const auto* plan = std::get_if<WritePlan>(&check);
        EXPECT_NE(plan, nullptr) << std::get<WriteProblem>(check).Message;
        if (!plan) return {};
        Recorder recorder{*codec};
        result = RunWritePlan(*codec, *plan, recorder.Link());
        return recorder.log;
    }
    // Only the sentences of a log.
    static std::vector<std::string> Sentences(const std::vector<std::string>& log) {
        std::vector<std::string> sent;
        for (const std::string& entry : log)
            if (entry.rfind("SENT ", 0) == 0) sent.push_back(entry.substr(5));
        return sent;
    }

    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    WriteResult result;
};

using Log = std::vector<std::string>;

ShipDataInput Ship() {
    ShipDataInput in;
    in.Mmsi = "211457320";
    in.Imo = "009412853";
    in.Name = "NORDIC TRADER";
    in.CallSign = "DCTR7";
    in.Internal = {62, 38, 9, 11};
    in.External = {70, 30, 12, 8};
    return in;
}

TEST_F(WritePlans, ShipDataSendsMidAndBothAntennasThenTheInlandLineBetweenWaits) {
    EXPECT_EQ(
        Run(PlanShipDataWrite(Ship())),
        Log({"SENT $PMID,211457320,009412853", "SENT $ECSSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI",
             "SENT $ECSSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"}));
    EXPECT_TRUE(result.Completed);
    EXPECT_EQ(result.Sent, 3);

    // DTE stays as last received; a dimension box showing N/A goes out empty.
    codec->Ais.Dte = 1;
    ShipDataInput in = Ship();
    in.Inland = true;
    in.Internal = {-1, 38, 9, -1};
    in.InlandTexts = {"110.0", "11.4", "90.5", "5.2", "xxx.x", "3"};
    EXPECT_EQ(Run(PlanShipDataWrite(in)),
              Log({"SENT $PMID,211457320,009412853", "SENT $ECSSD,DCTR7,NORDIC TRADER,,38,9,,1,AI",
                   "SENT $ECSSD,DCTR7,NORDIC TRADER,70,30,12,8,1,GP", "WAIT 600",
                   "SENT $PIWWSSD,,,110.0,11.4,,,,90.5,05.2,00.0,03.0", "WAIT 600"}));
}

TEST_F(WritePlans, VoyageSendsOneVsd) {
    VoyageInput in;
    in.ShipTypeRow = 12;  // 52 = Tugs
    in.Draught = "11.3";
    in.PersonsOnBoard = 240;
    in.Destination = "ST PETERSBURG";
    in.Month = 11;
    in.Day = 3;
    in.Hour = 7;
    in.Minute = 45;
    in.NavStatus = 5;
    EXPECT_EQ(Sentences(Run(PlanVoyageWrite(in))),
              Log({"$ECVSD,52,11.3,240,ST PETERSBURG,074500.00,03,11,5,"}));
    // Nothing selected, hour 24 and a POB showing N/A go out empty; a minute
    // showing N/A empties the ETA time.
    in.NavStatus = -1;
    in.Hour = 24;
    in.PersonsOnBoard = -1;
    in.Draught = "3";
    EXPECT_EQ(Sentences(Run(PlanVoyageWrite(in))), Log({"$ECVSD,52,03.0,,ST PETERSBURG,,03,11,,"}));
    in.Hour = 7;
    in.Minute = -1;
    EXPECT_EQ(Sentences(Run(PlanVoyageWrite(in))), Log({"$ECVSD,52,03.0,,ST PETERSBURG,,03,11,,"}));
}

TEST_F(WritePlans, CpaTransceiverAndLongRangeSendTheirPairsAndFlags) {
    // 12.3 miles are 123 tenths exactly; 4.1 is 41, not 40.
    EXPECT_EQ(Sentences(Run(PlanCpaWrite({"12.3", 20, 1}))), Log({"$PDBG,045,123,046,20,047,0,,"}));
    EXPECT_EQ(Sentences(Run(PlanCpaWrite({" 4.1", 7, 0}))), Log({"$PDBG,045,41,046,7,047,1,,"}));
    // TCPA outside 0-99 (or N/A): nothing, silently.
    EXPECT_TRUE(Run(PlanCpaWrite({"02.5", -1, 0})).empty());
    EXPECT_EQ(result.Total, 0);

    EXPECT_EQ(Sentences(Run(PlanTransceiverWrite({0, 0, 0, "0"}))),
              Log({"$PLMO,C,DBG,30,0,101,1,102,0,122,0"}));
    EXPECT_EQ(Sentences(Run(PlanTransceiverWrite({1, 1, 1, "17"}))),
              Log({"$PLMO,C,DBG,30,1,101,0,102,1,122,17"}));
    // The pairs stay in the store, with mode 0.
    EXPECT_EQ(codec->Proprietary.DbgParamId[3], 122);
    EXPECT_EQ(codec->Proprietary.DbgParamValue[3], 17);
    EXPECT_EQ(codec->Proprietary.DbgMode, 0);

    LongRangeSettings lr;
    lr.FunctionReply = {true, false, true, false, true, false, false, false, false, false};
    lr.ChannelA = "2002";
    lr.ChannelB = "2003";
    EXPECT_EQ(Sentences(Run(PlanLongRangeWrite(lr))), Log({"$AICLR,0,1010100000,0,2002,2003"}));
    lr.Manual = true;
    lr.Message27 = true;
    EXPECT_EQ(Sentences(Run(PlanLongRangeWrite(lr))), Log({"$AICLR,1,1010100000,1,2002,2003"}));
}

TEST_F(WritePlans, RateWriteSendsEightPortsThenTheRestartCommandWithTwelveSteps) {
    BaudRateInput in;
    in.Selected = {0, 1, 2, 3, 0, 0, 0, 1};  // USB on 57600
    Log expected;
    const char* rates[] = {"3,38400", "4,19200", "5,9600",  "6,4800",
                           "7,38400", "8,38400", "9,38400", "-1,57600"};
    for (const char* rate : rates) {
        expected.push_back(std::string("SENT $PLMO,C,BAU,") + rate);
        expected.push_back("WAIT 100");
        expected.push_back("STEP");
    }
    expected.push_back("SENT $PDBG,701,1000,,,,,,");
    for (const char* wait : {"WAIT 300", "WAIT 300", "WAIT 300", "WAIT 600"}) {
        expected.push_back(wait);
        expected.push_back("STEP");
    }
    const WriteCheck check = PlanBaudRateWrite(in);
    EXPECT_EQ(std::get<WritePlan>(check).ProgressMax, 12);
    EXPECT_EQ(Run(check), expected);
}

TEST_F(WritePlans, ListsSendEveryDestinationRowAndEachFilledMobRow) {
    DestinationInput des;
    des.Rows[2] = "HAMBURG";
    const Log log = Run(PlanDestinationWrite(des));
    ASSERT_EQ(log.size(), 30u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 6), Log({"WAIT 100", "SENT $PLMO,C,DES,1,", "STEP",
                                                      "WAIT 100", "SENT $PLMO,C,DES,2,", "STEP"}));
    EXPECT_EQ(log[7], "SENT $PLMO,C,DES,3,HAMBURG");
    EXPECT_EQ(log[28], "SENT $PLMO,C,DES,10,");

    MobInput mob;
    mob.Rows[0] = {"972000000", "LIFEBUOY"};
    mob.Rows[4] = {"972001235", "RAFT 2"};
    const Log mobLog = Run(PlanMobWrite(mob));
    EXPECT_EQ(Sentences(mobLog),
              Log({"$PLMO,C,MBL,972000000,LIFEBUOY", "$PLMO,C,MBL,972001235,RAFT 2"}));
    EXPECT_EQ(std::count(mobLog.begin(), mobLog.end(), "WAIT 100"), 50);
    EXPECT_EQ(std::count(mobLog.begin(), mobLog.end(), "STEP"), 50);
}

TEST_F(WritePlans, EncryptionSendsTheSwitchAndTheCodeToTheDumpsMmsi) {
    EXPECT_EQ(Sentences(Run(PlanEncryptionWrite({true, "5A17c0de", 211457320}))),
              Log({"$PLMO,C,DBG,701,3015,,,,,,", "$AICEK,1,1,,211457320,3541313763306465,C"}));
    // No code: only the switch.
    EXPECT_EQ(Sentences(Run(PlanEncryptionWrite({true, "", 211457320}))),
              Log({"$PLMO,C,DBG,701,3015,,,,,,"}));
    EXPECT_EQ(Sentences(Run(PlanEncryptionWrite({false, "IGNORED", 1}))),
              Log({"$PLMO,C,DBG,701,3016,,,,,,"}));
}

// A rule broken: the problem names the control (and cell) to select, and no
// plan exists, so nothing can be sent.
struct ProblemCase {
    const char* Name;
    WriteCheck Check;
    const char* Message;  // a part of it
    const char* Control;
    int Row, Column;
};

TEST_F(WritePlans, BrokenRulesGiveTheirMessageAndCell) {
    const auto ship = [](auto change) {
        ShipDataInput in = Ship();
        change(in);
        return PlanShipDataWrite(in);
    };
    const auto mob = [](std::vector<std::pair<int, MobRow>> rows) {
        MobInput in;
        for (auto& [row, r] : rows)
            in.Rows[static_cast<std::size_t>(row - 1)] = r;
        return PlanMobWrite(in);
    };
    VoyageInput voyage;
    voyage.ShipTypeRow = 0;
    voyage.Draught = "25.6";
    VoyageInput noType = voyage;
    noType.ShipTypeRow = -1;
    VoyageInput wordDraught = voyage;
    wordDraught.Draught = "ab";
    DestinationInput des;
    des.Rows[6] = "A,B";
    LongRangeSettings lr;
    lr.ChannelA = "2002";
    lr.ChannelB = "20A";

    const ProblemCase cases[] = {
        {"no MMSI digits", ship([](auto& in) { in.Mmsi = ""; }), "MMSI", "MaskEditMMSI", -1, -1},
        {"MMSI not available", ship([](auto& in) { in.Mmsi = "999999999"; }), "MMSI",
         "MaskEditMMSI", -1, -1},
        {"no IMO digits", ship([](auto& in) { in.Imo = " "; }), "IMO", "MaskEditIMO", -1, -1},
        {"comma in the name", ship([](auto& in) { in.Name = "A,B"; }), "The ship's name",
         "lblEdtName", -1, -1},
        {"star in the call sign", ship([](auto& in) { in.CallSign = "AB*"; }), "call sign",
         "lblEdtCallSign", -1, -1},
        {"no ship type", PlanVoyageWrite(noType), "ship type", "cbxShipType", -1, -1},
        {"draught too deep", PlanVoyageWrite(voyage), "draught", "edtDraught", -1, -1},
        {"draught a word", PlanVoyageWrite(wordDraught), "draught", "edtDraught", -1, -1},
        {"CPA without digits", PlanCpaWrite({"  . ", 10, 0}), "CPA", "MaskEditCPA", -1, -1},
        {"channel with a letter", PlanLongRangeWrite(lr), "channel", "LabeledEdit_LR_ChB", -1, -1},
        {"destination with a comma", PlanDestinationWrite(des), "destination",
         "StringGrid_Destination", 7, 1},
        {"MOB MMSI not 972", mob({{1, {"123456789", "X"}}}), kMobMmsiMessage, "StringGrid_MOBList",
         1, 1},
        {"MOB MMSI twice", mob({{1, {"972000001", "A"}}, {3, {"972000001", "B"}}}),
         kMobDuplicateMessage, "StringGrid_MOBList", 3, 1},
        {"MOB row without a name", mob({{2, {"972000002", ""}}}), "name", "StringGrid_MOBList", 2,
         2},
        {"MOB name with a dollar", mob({{2, {"972000002", "$X"}}}), "AIS MOB name",
         "StringGrid_MOBList", 2, 2},
        {"encryption code with a space", PlanEncryptionWrite({true, "AB CD", 1}), "encryption code",
         "LabeledEditEncryptionKey", -1, -1},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto* problem = std::get_if<WriteProblem>(&c.Check);
        ASSERT_NE(problem, nullptr);
        EXPECT_NE(problem->Message.find(c.Message), std::string::npos) << problem->Message;
        EXPECT_EQ(problem->Control, c.Control);
        EXPECT_EQ(problem->Row, c.Row);
        EXPECT_EQ(problem->Column, c.Column);
    }
    // The first broken row wins: row 2 is refused before row 5 is looked at.
    const WriteCheck first = mob({{2, {"972", "A"}}, {5, {"1", "B"}}});
    EXPECT_EQ(std::get<WriteProblem>(first).Row, 2);
}

TEST_F(WritePlans, AFailedSendStopsTheWrite) {
    DestinationInput des;
    const WritePlan plan = std::get<WritePlan>(PlanDestinationWrite(des));
    Recorder recorder{*codec};
    recorder.failAt = 3;
    const WriteResult r = RunWritePlan(*codec, plan, recorder.Link());
    EXPECT_FALSE(r.Completed);
    EXPECT_EQ(r.Sent, 3);
    EXPECT_EQ(r.Total, 10);
    EXPECT_FALSE(r.Reported);
    // Nothing after the failed send: no further wait, step or sentence.
    EXPECT_EQ(recorder.log.back(), "WAIT 100");
    EXPECT_EQ(Sentences(recorder.log).size(), 3u);

    // A composed send that the send path has reported is passed on as such.
    Recorder ship{*codec};
    ship.failAt = 1;
    ship.failure = SendResult::FailedReported;
    const WriteResult s =
        RunWritePlan(*codec, std::get<WritePlan>(PlanShipDataWrite(Ship())), ship.Link());
    EXPECT_FALSE(s.Completed);
    EXPECT_TRUE(s.Reported);
    EXPECT_EQ(Sentences(ship.log), Log({"$PMID,211457320,009412853"}));
}

TEST_F(WritePlans, ASentenceThatCannotBeBuiltSendsNothingAndLeavesTheStores) {
    CopyText(codec->Ais.Name, "BEFORE");
    WritePlan plan = std::get<WritePlan>(PlanShipDataWrite(Ship()));
    // A name the rules would refuse, slipped past them.
    std::get<SsdValues>(*plan.Steps[2].Values).Name = "A*B";
    Recorder recorder{*codec};
    const WriteResult r = RunWritePlan(*codec, plan, recorder.Link());
    EXPECT_TRUE(r.Unsendable);
    EXPECT_EQ(r.Sent, 0);
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_STREQ(codec->Ais.Name, "BEFORE");
    EXPECT_EQ(codec->Proprietary.Mmsi, 0u);
}

// ---- the rules ------------------------------------------------------------------

TEST(WriteRules, DeviceTextAndGridKeys) {
    EXPECT_TRUE(IsDeviceText(""));
    EXPECT_TRUE(IsDeviceText("ST. PETERSBURG (RU) @_[]#%&'+-/:;<=>?\""));
    for (const char* bad : {"a", "A,B", "A*B", "$A", "!A", "A\\B", "A^B", "`", "A\tB", "\xC3\xA9"})
        EXPECT_FALSE(IsDeviceText(bad)) << bad;
    EXPECT_EQ(GridText("hamburg-altona harbour west"), "HAMBURG-ALTONA HARBO");

    const std::pair<char32_t, char> keys[] = {{'a', 'A'}, {'z', 'Z'},  {'A', 'A'}, {' ', ' '},
                                              {'*', '?'}, {'`', '`'},  {'{', '?'}, {'~', '?'},
                                              {8, '\b'},  {0xE9, '?'}, {'1', '1'}, {',', ','}};
    for (const auto& [typed, shown] : keys)
        EXPECT_EQ(GridKeyPress(typed), shown) << static_cast<unsigned>(typed);
    EXPECT_TRUE(IsEncryptionKeyCharacter('q'));
    EXPECT_FALSE(IsEncryptionKeyCharacter('-'));
}

TEST(WriteRules, NumbersAsTyped) {
    const std::pair<const char*, std::optional<int>> tenths[] = {
        {"12.3", 123}, {"02.5", 25}, {" 2.5", 25}, {"2 .5", 25}, {"4.1", 41}, {"7", 70},
        {"12.", 120},  {".5", 5},    {"  . ", {}}, {"", {}},     {"1a", {}},  {"1.2.3", {}}};
    for (const auto& [text, value] : tenths)
        EXPECT_EQ(MaskedTenths(text), value) << '"' << text << '"';
    EXPECT_EQ(DecimalValue("11.3"), 11.3);
    EXPECT_EQ(DecimalValue(" 0 "), 0.0);
    EXPECT_EQ(DecimalValue("-1"), -1.0);
    for (const char* bad : {"", ".", "1e1", "1,5", "x"})
        EXPECT_FALSE(DecimalValue(bad).has_value()) << bad;
    EXPECT_EQ(DigitsValue("000123456"), 123456);
    EXPECT_FALSE(DigitsValue("12 34").has_value());
}

TEST(WriteRules, MaintenanceCodeAndSerialNumberSentence) {
    EXPECT_TRUE(IsMaintenanceCode("61528037"));
    EXPECT_FALSE(IsMaintenanceCode("61528036"));
    EXPECT_FALSE(IsMaintenanceCode("Key-in m"));
    EXPECT_FALSE(IsMaintenanceCode(""));
    // 31: the XOR of the characters of "PTPS,1,AB1234".
    EXPECT_EQ(SerialNumberSentence("AB1234"), "$PTPS,1,AB1234*31");
    // Anything a sentence can carry is taken, up to 16 characters.
    for (const char* good : {"SN-2026/07", "a.b_c#d(e)", "ABCDEFGHIJKLMNOP", "1 2"})
        EXPECT_TRUE(SerialNumberSentence(good).has_value()) << good;
    for (const char* bad : {"", "ABCDEFGHIJKLMNOPQ", "AB,12", "AB*1", "A$B", "A!B", "A\\B", "A^B",
                            "A\tB", "A\x7f", "\xc3\xa9", "Key-in new serial"})
        EXPECT_FALSE(SerialNumberSentence(bad).has_value()) << bad;
}

}  // namespace
}  // namespace navoro
