// The configuration tab units without a window: each tab's settings turned
// into the sentences and pauses of its write, the rules and their problems,
// replies filling the settings (with "not available" kept apart from every
// value), and a write that stops at the first failed send.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Router.h"
#include "config/WriteRules.h"
#include "config/tabs/DeviceReadout.h"
#include "config/tabs/TabRegistry.h"
#include "config/tabs/WriteRun.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using Log = std::vector<std::string>;

// What a plan did, in order: "SENT <line without checksum>", "WAIT <ms>", "STEP".
struct Recorder {
    Log log;
    int failAt = -1;  // the send (0-based) that fails
    SendResult failure = SendResult::Failed;
    int sends = 0;

    WriteLink Link() {
        WriteLink link;
        link.Send = [this](const std::string& line) {
            if (sends++ == failAt) return failure;
            EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
            log.push_back("SENT " + line.substr(0, line.find('*')));
            return SendResult::Sent;
        };
        link.Sleep = [this](int ms) { log.push_back("WAIT " + std::to_string(ms)); };
        link.Advance = [this] { log.push_back("STEP"); };
        return link;
    }
};

class TabUnits : public ::testing::Test {
  protected:
    // Runs a plan and returns its log; fails the test for a problem.
    Log Run(const WriteCheck& check) {
        const auto* plan = std::get_if<WritePlan>(&check);
        EXPECT_NE(plan, nullptr) << std::get<RuleProblem>(check).English();
        if (!plan) return {};
        Recorder recorder;
        result = RunWritePlan(*plan, recorder.Link());
        return recorder.log;
    }
    template <typename Unit>
    Log Write(const typename Unit::Record& r, WriteContext context = {}) {
        return Run(Unit::Plan(r, context));
    }
    // Only the sentences of a log.
    static Log Sentences(const Log& log) {
        Log sent;
        for (const std::string& entry : log)
            if (entry.rfind("SENT ", 0) == 0) sent.push_back(entry.substr(5));
        return sent;
    }
    // A reply as the codec parses it.
    const SentenceRecord& Parsed(const std::string& body) {
        const std::string line = test::Sentence(body);
        EXPECT_TRUE(RouteSentence(*codec, line.c_str(), line.size())) << body;
        return codec->Received;
    }

    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    WriteResult result;
};

ShipDataSettings Ship() {
    ShipDataSettings r;
    r.Mmsi = 211457320;
    r.Imo = 9412853;
    r.Name = "NORDIC TRADER";
    r.CallSign = "DCTR7";
    r.Internal = {62, 38, 9, 11};
    r.External = {70, 30, 12, 8};
    r.Dte = 0;
    return r;
}

TEST_F(TabUnits, ShipDataSendsMidAndBothAntennasThenTheInlandLineBetweenWaits) {
    EXPECT_EQ(Write<ShipDataTab>(Ship()), Log({"SENT $PMID,211457320,009412853",
                                               "SENT $ECSSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI",
                                               "SENT $ECSSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"}));
    EXPECT_TRUE(result.Completed);
    EXPECT_EQ(result.Sent, 3);

    // DTE as the device said it; a dimension that is not available and an
    // inland value that is not go out empty.
    ShipDataSettings r = Ship();
    r.Dte = 1;
    r.Inland = true;
    r.Internal = {std::nullopt, 38, 9, std::nullopt};
    r.InlandTenths = {1100, 114, 905, 52, std::nullopt, 30};
    EXPECT_EQ(Write<ShipDataTab>(r),
              Log({"SENT $PMID,211457320,009412853", "SENT $ECSSD,DCTR7,NORDIC TRADER,,38,9,,1,AI",
                   "SENT $ECSSD,DCTR7,NORDIC TRADER,70,30,12,8,1,GP", "WAIT 600",
                   "SENT $PIWWSSD,,,110.0,11.4,,,,90.5,05.2,,03.0", "WAIT 600"}));
    // A DTE the device never reported, and a ship without an IMO number, go
    // out empty: the device keeps its own.
    r = Ship();
    r.Dte.reset();
    r.Imo.reset();
    EXPECT_EQ(Sentences(Write<ShipDataTab>(r)),
              Log({"$PMID,211457320,", "$ECSSD,DCTR7,NORDIC TRADER,62,38,9,11,,AI",
                   "$ECSSD,DCTR7,NORDIC TRADER,70,30,12,8,,GP"}));
}

VoyageSettings Voyage() {
    VoyageSettings r;
    r.ShipType = 52;
    r.DraughtTenths = 113;
    r.PersonsOnBoard = 240;
    r.Destination = "ST PETERSBURG";
    r.EtaMonth = 11;
    r.EtaDay = 3;
    r.EtaHour = 7;
    r.EtaMinute = 45;
    r.NavStatus = 5;
    return r;
}

TEST_F(TabUnits, VoyageSendsOneVsdWithEveryValueNotAvailableEmpty) {
    EXPECT_EQ(Sentences(Write<VoyageTab>(Voyage())),
              Log({"$ECVSD,52,11.3,240,ST PETERSBURG,074500.00,03,11,5,"}));
    VoyageSettings r = Voyage();
    r.NavStatus.reset();
    r.EtaHour.reset();
    r.PersonsOnBoard.reset();
    r.DraughtTenths = 30;
    EXPECT_EQ(Sentences(Write<VoyageTab>(r)), Log({"$ECVSD,52,03.0,,ST PETERSBURG,,03,11,,"}));
    // Without its minute the time is not sent either.
    r.EtaHour = 7;
    r.EtaMinute.reset();
    EXPECT_EQ(Sentences(Write<VoyageTab>(r)), Log({"$ECVSD,52,03.0,,ST PETERSBURG,,03,11,,"}));
    // Nothing available at all: every field empty, the device keeps everything.
    EXPECT_EQ(Sentences(Write<VoyageTab>(VoyageSettings{})), Log({"$ECVSD,,,,,,,,,"}));
}

TEST_F(TabUnits, CpaTransceiverAndLongRangeSendTheirPairsAndFlags) {
    EXPECT_EQ(Sentences(Write<CpaTab>({123, 20, false})), Log({"$PDBG,045,123,046,20,047,0,,"}));
    EXPECT_EQ(Sentences(Write<CpaTab>({41, 7, true})), Log({"$PDBG,045,41,046,7,047,1,,"}));
    EXPECT_EQ(Sentences(Write<CpaTab>({std::nullopt, std::nullopt, true})),
              Log({"$PDBG,045,,046,,047,1,,"}));

    EXPECT_EQ(Sentences(Write<TransceiverTab>({true, true, false, 0})),
              Log({"$PLMO,C,DBG,30,0,101,1,102,0,122,0"}));
    EXPECT_EQ(Sentences(Write<TransceiverTab>({false, false, true, 17})),
              Log({"$PLMO,C,DBG,30,1,101,0,102,1,122,17"}));
    EXPECT_EQ(Sentences(Write<TransceiverTab>({true, true, false, std::nullopt})),
              Log({"$PLMO,C,DBG,30,0,101,1,102,0,122,"}));

    LongRangeSettings lr;
    lr.FunctionReply = {true, false, true, false, true, false, false, false, false, false};
    lr.ChannelA = 2002;
    lr.ChannelB = 2003;
    EXPECT_EQ(Sentences(Write<LongRangeTab>(lr)), Log({"$AICLR,0,1010100000,0,2002,2003"}));
    lr.Manual = true;
    lr.Message27 = true;
    EXPECT_EQ(Sentences(Write<LongRangeTab>(lr)), Log({"$AICLR,1,1010100000,1,2002,2003"}));
}

TEST_F(TabUnits, RateWriteSendsEachPortThenTheRestartCommandWithTwelveSteps) {
    BaudRateSettings r;
    r.Rates = {38400, 19200, 9600, 4800, 38400, std::nullopt, 38400, 57600};
    Log expected;
    for (const char* rate :
         {"3,38400", "4,19200", "5,9600", "6,4800", "7,38400", "", "9,38400", "-1,57600"}) {
        // A port without a rate sends nothing: it keeps its rate.
        if (*rate) expected.push_back(std::string("SENT $PLMO,C,BAU,") + rate);
        expected.push_back("WAIT 100");
        expected.push_back("STEP");
    }
    expected.push_back("SENT $PDBG,701,1000,,,,,,");
    for (const char* wait : {"WAIT 300", "WAIT 300", "WAIT 300", "WAIT 600"}) {
        expected.push_back(wait);
        expected.push_back("STEP");
    }
    const WriteCheck check = BaudRateTab::Plan(r, {});
    EXPECT_EQ(std::get<WritePlan>(check).ProgressMax, 12);
    EXPECT_EQ(Run(check), expected);
}

TEST_F(TabUnits, ListsSendEveryDestinationRowAndEachFilledMobRow) {
    DestinationSettings des;
    des.Rows[2] = "HAMBURG";
    const Log log = Write<DestinationsTab>(des);
    ASSERT_EQ(log.size(), 30u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 6), Log({"WAIT 100", "SENT $PLMO,C,DES,1,", "STEP",
                                                      "WAIT 100", "SENT $PLMO,C,DES,2,", "STEP"}));
    EXPECT_EQ(log[7], "SENT $PLMO,C,DES,3,HAMBURG");
    EXPECT_EQ(log[28], "SENT $PLMO,C,DES,10,");

    MobSettings mob;
    mob.Rows[0] = {972000000, "LIFEBUOY"};
    mob.Rows[4] = {972001235, "RAFT 2"};
    const Log mobLog = Write<MobTab>(mob);
    EXPECT_EQ(Sentences(mobLog),
              Log({"$PLMO,C,MBL,972000000,LIFEBUOY", "$PLMO,C,MBL,972001235,RAFT 2"}));
    EXPECT_EQ(std::count(mobLog.begin(), mobLog.end(), "WAIT 100"), 50);
    EXPECT_EQ(std::count(mobLog.begin(), mobLog.end(), "STEP"), 50);
}

TEST_F(TabUnits, EncryptionSendsTheSwitchAndTheCodeToTheMmsi) {
    EXPECT_EQ(Sentences(Write<EncryptionTab>({true, "5A17c0de"}, {211457320})),
              Log({"$PLMO,C,DBG,701,3015,,,,,,", "$AICEK,1,1,,211457320,3541313763306465,C"}));
    EXPECT_EQ(Sentences(Write<EncryptionTab>({true, ""}, {211457320})),
              Log({"$PLMO,C,DBG,701,3015,,,,,,"}));
    EXPECT_EQ(Sentences(Write<EncryptionTab>({false, "IGNORED"}, {1})),
              Log({"$PLMO,C,DBG,701,3016,,,,,,"}));
}

// A rule broken: the problem names the key (with the list's row), the control
// (and cell) to select, and no plan exists, so nothing can be sent.
struct ProblemCase {
    const char* Name;
    RuleProblems Problems;
    const char* Key;
    const char* Message;  // a part of its English text
    const char* Control;
    int Row, Column;
};

TEST_F(TabUnits, BrokenRulesGiveTheirKeyMessageAndCell) {
    const auto ship = [](auto change) {
        ShipDataSettings r = Ship();
        change(r);
        return ShipDataTab::Check(r);
    };
    const auto voyage = [](auto change) {
        VoyageSettings r = Voyage();
        change(r);
        return VoyageTab::Check(r);
    };
    const auto mob = [](std::vector<std::pair<int, MobRow>> rows) {
        MobSettings r;
        for (auto& [row, entry] : rows)
            r.Rows[static_cast<std::size_t>(row - 1)] = entry;
        return MobTab::Check(r);
    };
    DestinationSettings des;
    des.Rows[6] = "A,B";
    LongRangeSettings lr;
    lr.ChannelA = 2002;
    lr.ChannelB = 20000;
    BaudRateSettings baud;
    baud.Rates[4] = 115200;  // SENSOR 1 runs at 38400 at most

    const ProblemCase cases[] = {
        {"no MMSI", ship([](auto& r) { r.Mmsi.reset(); }), "ship.mmsi", "MMSI", "MaskEditMMSI", -1,
         -1},
        {"MMSI not available", ship([](auto& r) { r.Mmsi = 999999999; }), "ship.mmsi", "MMSI",
         "MaskEditMMSI", -1, -1},
        {"IMO not available", ship([](auto& r) { r.Imo = 999999999; }), "ship.imo", "IMO",
         "MaskEditIMO", -1, -1},
        {"comma in the name", ship([](auto& r) { r.Name = "A,B"; }), "ship.name", "The ship's name",
         "lblEdtName", -1, -1},
        {"star in the call sign", ship([](auto& r) { r.CallSign = "AB*"; }), "ship.callSign",
         "call sign", "lblEdtCallSign", -1, -1},
        {"antenna A 512", ship([](auto& r) { r.Internal[0] = 512; }), "ship.antenna.internal.a",
         "512 is out of range", "CSpinEditA", -1, -1},
        {"antenna C 64", ship([](auto& r) { r.External[2] = 64; }), "ship.antenna.external.c",
         "0 to 63", "CSpinEditExtC", -1, -1},
        {"inland length 900.0", ship([](auto& r) {
             r.Inland = true;
             r.InlandTenths[0] = 9000;
         }),
         "ship.inland.length", "900.0 is out of range", "EditInlandShipLength", -1, -1},
        {"ship type not listed", voyage([](auto& r) { r.ShipType = 71; }), "voyage.shipType",
         "ship type", "cbxShipType", -1, -1},
        {"draught too deep", voyage([](auto& r) { r.DraughtTenths = 256; }), "voyage.draught",
         "draught", "edtDraught", -1, -1},
        {"POB 8192", voyage([](auto& r) { r.PersonsOnBoard = 8192; }), "voyage.personsOnBoard",
         "8192", "CSpinEditPOB", -1, -1},
        {"ETA month 13", voyage([](auto& r) { r.EtaMonth = 13; }), "voyage.eta.month", "1 to 12",
         "CSpinEditMonth", -1, -1},
        {"ETA day 32", voyage([](auto& r) { r.EtaDay = 32; }), "voyage.eta.day", "1 to 31",
         "CSpinEditDay", -1, -1},
        {"ETA hour 25", voyage([](auto& r) { r.EtaHour = 25; }), "voyage.eta.hour", "0 to 23",
         "CSpinEditHour", -1, -1},
        {"ETA minute 61", voyage([](auto& r) { r.EtaMinute = 61; }), "voyage.eta.minute", "0 to 59",
         "CSpinEditMinute", -1, -1},
        {"CPA 100.0", CpaTab::Check({1000, 10, true}), "cpa.cpa", "100.0 is out of range",
         "MaskEditCPA", -1, -1},
        {"TCPA 100", CpaTab::Check({25, 100, true}), "cpa.tcpa", "100 is out of range",
         "CSpinEditTCPA", -1, -1},
        {"device instance 253", TransceiverTab::Check({true, true, false, 253}),
         "transceiver.deviceInstance", "0 to 252", "Edit_N2K_DeviceInstance", -1, -1},
        {"channel of five digits", LongRangeTab::Check(lr), "longRange.channelB", "channel",
         "LabeledEdit_LR_ChB", -1, -1},
        {"a rate the port lacks", BaudRateTab::Check(baud), "baud.ports[\"7\"]", "115200",
         "cbxBaud_Sen1", -1, -1},
        {"destination with a comma", DestinationsTab::Check(des), "destinations[6]", "destination",
         "StringGrid_Destination", 7, 1},
        {"MOB MMSI not 972", mob({{1, {123456789, "X"}}}), "mob[0].mmsi", kMobMmsiMessage,
         "StringGrid_MOBList", 1, 1},
        {"MOB MMSI twice", mob({{1, {972000001, "A"}}, {3, {972000001, "B"}}}), "mob[2].mmsi",
         kMobDuplicateMessage, "StringGrid_MOBList", 3, 1},
        {"MOB row without a name", mob({{2, {972000002, ""}}}), "mob[1].name", "name",
         "StringGrid_MOBList", 2, 2},
        {"MOB name with a dollar", mob({{2, {972000002, "$X"}}}), "mob[1].name", "AIS MOB name",
         "StringGrid_MOBList", 2, 2},
        {"encryption code with a space", EncryptionTab::Check({true, "AB CD"}), "encryption.code",
         "encryption code", "LabeledEditEncryptionKey", -1, -1},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_FALSE(c.Problems.empty());
        const RuleProblem& problem = c.Problems.front();
        EXPECT_EQ(problem.Key, c.Key);
        EXPECT_NE(problem.English().find(c.Message), std::string::npos) << problem.English();
        EXPECT_EQ(problem.Control, c.Control);
        EXPECT_EQ(problem.Row, c.Row);
        EXPECT_EQ(problem.Column, c.Column);
    }
    // Every row is checked; the first broken one comes first.
    const RuleProblems rows = mob({{2, {972, "A"}}, {5, {1, "B"}}});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Row, 2);
    EXPECT_EQ(rows[1].Key, "mob[4].mmsi");
    // A plan refuses what the check refuses.
    VoyageSettings eta = Voyage();
    eta.EtaMinute = 61;
    EXPECT_TRUE(std::holds_alternative<RuleProblem>(VoyageTab::Plan(eta, {})));
}

TEST_F(TabUnits, AFailedSendStopsTheWrite) {
    const WritePlan plan = std::get<WritePlan>(DestinationsTab::Plan({}, {}));
    Recorder recorder;
    recorder.failAt = 3;
    const WriteResult r = RunWritePlan(plan, recorder.Link());
    EXPECT_FALSE(r.Completed);
    EXPECT_EQ(r.Sent, 3);
    EXPECT_EQ(r.Total, 10);
    EXPECT_FALSE(r.Reported);
    // Nothing after the failed send: no further wait, step or sentence.
    EXPECT_EQ(recorder.log.back(), "WAIT 100");
    EXPECT_EQ(Sentences(recorder.log).size(), 3u);

    // A send that the link has reported is passed on as such.
    Recorder ship;
    ship.failAt = 1;
    ship.failure = SendResult::FailedReported;
    const WriteResult s =
        RunWritePlan(std::get<WritePlan>(ShipDataTab::Plan(Ship(), {})), ship.Link());
    EXPECT_FALSE(s.Completed);
    EXPECT_TRUE(s.Reported);
    EXPECT_EQ(Sentences(ship.log), Log({"$PMID,211457320,009412853"}));
}

// A text that slipped past the rules is never sent broken: the plan cannot
// be made.
TEST_F(TabUnits, ASentenceThatCannotBeBuiltGivesNoPlan) {
    ShipDataSettings r = Ship();
    const WriteCheck check = ShipDataTab::Plan(r, {});
    ASSERT_TRUE(std::holds_alternative<WritePlan>(check));
    WritePlan plan;
    EXPECT_FALSE(plan.Send("$PLMO,C,DES,1,A*B"));
    EXPECT_FALSE(plan.Send("$PLMO,C,DES,1," + std::string(80, 'A')));
    EXPECT_TRUE(plan.Steps.empty());
}

// ---- replies ----------------------------------------------------------------------

TEST_F(TabUnits, RepliesFillTheirValuesAndOnlyThose) {
    DeviceReadout readout;
    TabChanges c = readout.TakeSentence(Parsed("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,GP"));
    EXPECT_EQ(c.Fields[TabIndex<ShipDataTab>()], ShipDataTab::kName | ShipDataTab::kCallSign |
                                                     ShipDataTab::kExternal | ShipDataTab::kDte);
    const ShipDataSettings& ship = readout.Get<ShipDataTab>();
    EXPECT_EQ(ship.External[0], 62);
    EXPECT_EQ(ship.Internal[0], std::nullopt);
    // A dimension beyond its range is not available, not clamped.
    readout.TakeSentence(Parsed("$AISSD,DCTR7,NORDIC TRADER,600,38,9,70,0,AI"));
    EXPECT_EQ(ship.Internal,
              (std::array<std::optional<int>, 4>{std::nullopt, 38, 9, std::nullopt}));

    // BAU: one port per reply; a rate its list lacks is not available.
    readout.TakeSentence(Parsed("$PLMO,R,BAU,7,9600"));
    readout.TakeSentence(Parsed("$PLMO,R,BAU,-1,57600"));
    c = readout.TakeSentence(Parsed("$PLMO,R,BAU,3,57600"));
    EXPECT_EQ(c.Fields[TabIndex<BaudRateTab>()], 1u);
    const BaudRateSettings& baud = readout.Get<BaudRateTab>();
    EXPECT_EQ(baud.Rates[4], 9600);
    EXPECT_EQ(baud.Rates[7], 57600);
    EXPECT_EQ(baud.Rates[0], std::nullopt);

    // TSV, CPA, DES and MBL change nothing unless they are replies ('R').
    for (const char* notReply :
         {"$PLMO,C,TSV,30,1,101,2,102,1,,", "$PLMO,C,CPA,45,123,46,20,47,0,,",
          "$PLMO,C,DES,2,ROTTERDAM", "$PLMO,C,MBL,972000001,RAFT"})
        EXPECT_FALSE(readout.TakeSentence(Parsed(notReply)).Any()) << notReply;
    readout.TakeSentence(Parsed("$PLMO,R,TSV,30,1,101,2,102,1,,"));
    const TransceiverSettings& t = readout.Get<TransceiverTab>();
    EXPECT_FALSE(t.AisTxOn);
    EXPECT_FALSE(t.DscRxOn);  // 2 is not "on"
    EXPECT_TRUE(t.GpsAntenna5V);
    readout.TakeSentence(Parsed("$PLMO,R,CPA,45,123,46,20,47,0,,"));
    EXPECT_EQ(readout.Get<CpaTab>().CpaTenths, 123);
    EXPECT_FALSE(readout.Get<CpaTab>().AlarmOn);
    // CLR whatever its mode letter, and only the fields it gives.
    readout.TakeSentence(Parsed("$PLMO,R,CLR,1,1010100000,1,2087,2088"));
    c = readout.TakeSentence(Parsed("$PLMO,C,CLR,,,,99999,"));
    EXPECT_EQ(c.Fields[TabIndex<LongRangeTab>()],
              LongRangeTab::kChannelA | LongRangeTab::kAnswered);
    EXPECT_TRUE(readout.Get<LongRangeTab>().Manual);
    EXPECT_EQ(readout.Get<LongRangeTab>().ChannelA, std::nullopt);  // five digits
    EXPECT_EQ(readout.Get<LongRangeTab>().ChannelB, 2088);

    // MBL fills rows from the first in the order of the replies; 999 is an empty list.
    readout.ClearTab(TabIndex<MobTab>());
    for (const char* reply : {"$PLMO,R,MBL,972000001,RAFT", "$PLMO,R,MBL,972000002,BUOY"})
        readout.TakeSentence(Parsed(reply));
    c = readout.TakeSentence(Parsed("$PLMO,R,MBL,999,EMPTY"));
    EXPECT_EQ(c.Fields[TabIndex<MobTab>()], MobTab::kAnswered);
    EXPECT_EQ(readout.Get<MobTab>().Rows[1].Mmsi, 972000002u);
    EXPECT_EQ(readout.Get<MobTab>().Rows[2].Mmsi, std::nullopt);
}

// What a transponder in its factory state reports as not available (ship type
// 0, draught 0, the ETA's codes, a blank CPA) is read as not available, and
// writing it back changes nothing: every such field goes out empty.
TEST_F(TabUnits, NotAvailableIsReadAsNotAvailableAndWrittenEmpty) {
    DeviceReadout readout;
    readout.TakeSentence(Parsed("$AIVSD,0,0.0,0,,,00,00,15,0"));
    const VoyageSettings& v = readout.Get<VoyageTab>();
    EXPECT_EQ(v.ShipType, std::nullopt);
    EXPECT_EQ(v.DraughtTenths, std::nullopt);
    EXPECT_EQ(v.PersonsOnBoard, 0);
    EXPECT_EQ(v.EtaMonth, std::nullopt);
    EXPECT_EQ(v.EtaDay, std::nullopt);
    EXPECT_EQ(v.EtaHour, std::nullopt);
    EXPECT_EQ(v.EtaMinute, std::nullopt);
    EXPECT_EQ(v.NavStatus, 15);
    EXPECT_EQ(Sentences(Write<VoyageTab>(v)), Log({"$ECVSD,,,0,,,,,15,"}));
    // A time of 24:60 with day and month 0 is the same.
    readout.TakeSentence(Parsed("$AIVSD,70,7.2,18,HAMBURG,246000.00,00,00,0,0"));
    EXPECT_EQ(v.EtaHour, std::nullopt);
    EXPECT_EQ(v.EtaMinute, std::nullopt);
    EXPECT_EQ(v.ShipType, 70);
    EXPECT_EQ(v.DraughtTenths, 72);

    readout.TakeSentence(Parsed("$PLMO,R,CPA,45,,46,10,47,1,,"));
    EXPECT_EQ(readout.Get<CpaTab>().CpaTenths, std::nullopt);
    EXPECT_EQ(Sentences(Write<CpaTab>(readout.Get<CpaTab>())), Log({"$PDBG,045,,046,10,047,1,,"}));
}

TEST_F(TabUnits, TheDumpFillsIdentityAndItsValuesAndEndsTheRead) {
    DeviceReadout readout;
    for (const char* line : {"Firmware:2.4.17 (2024-03-08)", "S/N:(LMO2403A00417)",
                             "MMSI:(211457320)", "IMO:(9412853)", "[DeviceInstance]=300",
                             "[O] Encryption Mode=1", "[O] EncryptionKey=ABCDEF0123456789XYZ"})
        readout.TakeDeviceInfo(line);
    EXPECT_EQ(readout.Identity().Firmware, "2.4.17 (2024-03-08)");
    EXPECT_EQ(readout.Get<ShipDataTab>().Mmsi, 211457320u);
    EXPECT_EQ(readout.Get<TransceiverTab>().DeviceInstance, std::nullopt);  // beyond 252
    EXPECT_EQ(readout.Get<EncryptionTab>().Code, "ABCDEF0123456789");
    EXPECT_FALSE(readout.Complete(TabIndex<EncryptionTab>()));
    readout.TakeDeviceInfo("[DEVICE DATA END]");
    EXPECT_TRUE(readout.Complete(TabIndex<EncryptionTab>()));
    // SHIP DATA needs both antennas besides the dump.
    EXPECT_FALSE(readout.Complete(TabIndex<ShipDataTab>()));
    readout.TakeSentence(Parsed("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI"));
    readout.TakeSentence(Parsed("$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"));
    EXPECT_TRUE(readout.Complete(TabIndex<ShipDataTab>()));
    // The destination list is whole once the MOB list, read after it, has begun.
    EXPECT_FALSE(readout.Complete(TabIndex<DestinationsTab>()));
    readout.TakeSentence(Parsed("$PLMO,R,MBL,999,EMPTY"));
    EXPECT_TRUE(readout.Complete(TabIndex<DestinationsTab>()));
}

// ---- the rules ------------------------------------------------------------------

TEST(WriteRules, DeviceTextAndGridKeys) {
    EXPECT_TRUE(IsDeviceText(""));
    EXPECT_TRUE(IsDeviceText("ST. PETERSBURG (RU) @_[]#%&'+-/:;<=>?\""));
    for (const char* bad : {"a", "A,B", "A*B", "$A", "!A", "A\\B", "A^B", "`", "A\tB", "\xC3\xA9"})
        EXPECT_FALSE(IsDeviceText(bad)) << bad;
    EXPECT_EQ(GridText("hamburg-altona harbour west", 20), "HAMBURG-ALTONA HARBO");

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
    const std::pair<const char*, std::optional<int>> exact[] = {
        {"9.1", 91}, {"25", 250}, {".5", 5},   {" 3 ", 30},  {"9.15", {}},
        {"", {}},    {"-1", {}},  {"1e1", {}}, {"1.2.3", {}}};
    for (const auto& [text, value] : exact)
        EXPECT_EQ(ExactTenths(text), value) << '"' << text << '"';
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
    for (const char* good : {"SN-2026/07", "a.b_c#d(e)", "ABCDEFGHIJKLMNOP", "1 2"})
        EXPECT_TRUE(SerialNumberSentence(good).has_value()) << good;
    for (const char* bad : {"", "ABCDEFGHIJKLMNOPQ", "AB,12", "AB*1", "A$B", "A!B", "A\\B", "A^B",
                            "A\tB", "A\x7f", "\xc3\xa9", "Key-in new serial"})
        EXPECT_FALSE(SerialNumberSentence(bad).has_value()) << bad;
}

}  // namespace
}  // namespace navoro
