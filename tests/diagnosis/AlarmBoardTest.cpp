// The alarm board: alarms raised, acknowledged and cleared as the transponder
// reports them, status texts, the transmitter non-functioning log and the
// channel-management regions, fed with sentences through the codec.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DiagnosisTestSupport.h"
#include "diagnosis/AlarmBoard.h"

namespace navoro {
namespace {

constexpr int kArrival = 10 * 3600 + 20 * 60 + 30;  // 10:20:30

class AlarmBoardTest : public ::testing::Test {
  protected:
    // Routes a sentence body and hands the parsed record to the board; the
    // board's answer (changed or not).
    bool Take(const std::string& body, int arrival = kArrival) {
        EXPECT_TRUE(test::RouteBody(*codec, body)) << body;
        return board.Take(codec->Received, arrival);
    }
    // "002 active unack 08:15:12 - [device text]", one line an alarm; an
    // arrival time is marked with '~'.
    std::string Alarms() const {
        std::string text;
        const auto time = [](const AlarmTime& t) {
            if (!t.Known()) return std::string("-");
            return (t.FromDevice ? "" : "~") + FormatAlarmTime(t);
        };
        for (const AlarmEntry& e : board.Alarms()) {
            text += FormatAlarmId(e.Id) + " " +
                    (e.Condition == AlarmCondition::Active ? "active" : "cleared") + " " +
                    (e.Acknowledged ? "ack" : "unack") + " " + time(e.Raised) + " " +
                    time(e.Cleared) + " [" + e.DeviceText + "]\n";
        }
        return text;
    }

    std::unique_ptr<Codec> codec = test::NewCodec();
    AlarmBoard board;
};

// Sequences of ALR sentences as transponders send them, and the alarm list
// after each.
TEST_F(AlarmBoardTest, AlarmsFollowTheirReportedStates) {
    struct Step {
        const char* body;
        bool changes;
        const char* alarms;
    };
    struct Sequence {
        const char* name;
        std::vector<Step> steps;
    };
    const Sequence sequences[] = {
        {"raised, repeated, acknowledged, cleared, raised again",
         {{"$AIALR,081512.00,002,A,V,AIS: Antenna VSWR exceeds limit", true,
           "002 active unack 08:15:12 - [AIS: Antenna VSWR exceeds limit]\n"},
          {"$AIALR,081512.00,002,A,V,AIS: Antenna VSWR exceeds limit", false,
           "002 active unack 08:15:12 - [AIS: Antenna VSWR exceeds limit]\n"},
          {"$AIALR,081512.00,002,A,A,AIS: Antenna VSWR exceeds limit", true,
           "002 active ack 08:15:12 - [AIS: Antenna VSWR exceeds limit]\n"},
          {"$AIALR,082000.00,002,V,A,AIS: Antenna VSWR exceeds limit", true,
           "002 cleared ack 08:15:12 08:20:00 [AIS: Antenna VSWR exceeds limit]\n"},
          {"$AIALR,090000.00,002,A,V,AIS: Antenna VSWR exceeds limit", true,
           "002 active unack 09:00:00 - [AIS: Antenna VSWR exceeds limit]\n"}}},
        {"a blank time is the arrival time",
         {{"$AIALR,,025,A,V,AIS: external EPFS lost", true,
           "025 active unack ~10:20:30 - [AIS: external EPFS lost]\n"},
          {"$AIALR,,025,V,V,AIS: external EPFS lost", true,
           "025 cleared unack ~10:20:30 ~10:20:30 [AIS: external EPFS lost]\n"}}},
        {"the normal state of an alarm never raised shows nothing",
         {{"$AIALR,,001,V,V,AIS: Tx malfunction", false, ""},
          {"$AIALR,120000.00,029,V,A,AIS: no valid SOG information", false, ""}}},
        {"identifiers in order, one not in the standard list, a long text",
         {{"$AIALR,120000.00,051,A,V,AIS: IEC Com Error", true,
           "051 active unack 12:00:00 - [AIS: IEC Com Error]\n"},
          {"$AIALR,120001.00,006,A,V,AIS: GENERAL FAILURE 0X1F IN RF BOARD SELF TEST", true,
           "006 active unack 12:00:01 - [AIS: GENERAL FAILURE 0X1F IN RF BOARD SELF TEST]\n"
           "051 active unack 12:00:00 - [AIS: IEC Com Error]\n"}}},
        {"a blank text keeps the text already held",
         {{"$AIALR,120000.00,032,A,V,AIS: Heading lost/invalid", true,
           "032 active unack 12:00:00 - [AIS: Heading lost/invalid]\n"},
          {"$AIALR,120000.00,032,A,A,", true,
           "032 active ack 12:00:00 - [AIS: Heading lost/invalid]\n"}}},
        {"no alarm: a condition other than A or V, an identifier beyond three digits",
         {{"$AIALR,120000.00,007,X,V,AIS: UTC sync invalid", false, ""},
          {"$AIALR,120000.00,1000,A,V,AIS: NOT AN ALARM", false, ""},
          {"$AIALR,120000.00,-5,A,V,AIS: NOT AN ALARM", false, ""}}},
    };
    for (const Sequence& sequence : sequences) {
        board.Clear();
        for (const Step& step : sequence.steps) {
            EXPECT_EQ(Take(step.body), step.changes) << sequence.name << ": " << step.body;
            EXPECT_EQ(Alarms(), step.alarms) << sequence.name << ": " << step.body;
        }
    }
}

TEST_F(AlarmBoardTest, CountsTheActiveAlarmsAndThoseWaitingForAcknowledgement) {
    Take("$AIALR,080000.00,001,A,V,AIS: Tx malfunction");
    Take("$AIALR,080000.00,003,A,A,AIS: Rx channel 1 malfunction");
    Take("$AIALR,080000.00,004,A,V,AIS: Rx channel 2 malfunction");
    EXPECT_EQ(board.ActiveCount(), 3);
    EXPECT_EQ(board.UnacknowledgedActiveCount(), 2);
    // A cleared alarm waits for nobody, acknowledged or not.
    Take("$AIALR,080500.00,004,V,V,AIS: Rx channel 2 malfunction");
    EXPECT_EQ(board.ActiveCount(), 2);
    EXPECT_EQ(board.UnacknowledgedActiveCount(), 1);
    ASSERT_NE(board.FindAlarm(4), nullptr);
    EXPECT_EQ(board.FindAlarm(4)->Condition, AlarmCondition::Cleared);
    EXPECT_EQ(board.FindAlarm(2), nullptr);

    const std::uint64_t revision = board.Revision();
    board.Clear();
    EXPECT_NE(board.Revision(), revision);
    EXPECT_EQ(board.ActiveCount(), 0);
    EXPECT_TRUE(board.Alarms().empty());
}

TEST_F(AlarmBoardTest, StatusTextsKeepTheLatestOfEachIdentifier) {
    Take("$AITXT,01,01,022,AIS: external GNSS in use", 100);
    Take("$AITXT,01,01,31,AIS: heading valid", 200);
    Take("$AITXT,01,01,025,AIS: internal GNSS in use", 300);
    // The same identifier again: the newer text and time.
    Take("$AITXT,01,01,22,AIS: external DGNSS in use", 400);
    // A text of two sentences is put together; one without an identifier is
    // kept apart.
    Take("$AITXT,02,01,36,AIS: channel management param", 500);
    Take("$AITXT,02,02,36,eters changed", 501);
    Take("$AITXT,01,01,,SELF TEST PASSED", 600);
    std::vector<std::string> shown;
    for (const StatusEntry& e : board.StatusTexts())
        shown.push_back(FormatAlarmId(e.Id) + " " + e.DeviceText + " " +
                        FormatAlarmTime(e.Received));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "000 SELF TEST PASSED 00:10:00",
                         "022 AIS: external DGNSS in use 00:06:40",
                         "025 AIS: internal GNSS in use 00:05:00",
                         "031 AIS: heading valid 00:03:20",
                         "036 AIS: channel management parameters changed 00:08:21",
                     }));
    // A second part without its first starts the text afresh.
    Take("$AITXT,02,02,31,valid again", 700);
    EXPECT_EQ(board.StatusTexts()[3].DeviceText, "valid again");
}

TEST_F(AlarmBoardTest, TransmitterLogHoldsTheEntriesTheTransponderAnnounces) {
    Take("$AITRL,3,2,1,10122026,230000.00,,,2");
    Take("$AITRL,3,1,0,01122026,081500.00,01122026,093000.00,1");
    Take("$AITRL,3,3,2,11122026,010000,11122026,011500,5");
    ASSERT_EQ(board.TransmitterLog().size(), 3u);
    EXPECT_EQ(board.TransmitterLogTotal(), 3);
    const TransmitterLogEntry& first = board.TransmitterLog()[0];
    EXPECT_EQ(first.Entry, 1);
    EXPECT_EQ(FormatLogTime(first.OffDate, first.OffTime), "2026-12-01 08:15:00");
    EXPECT_EQ(FormatLogTime(first.OnDate, first.OnTime), "2026-12-01 09:30:00");
    EXPECT_EQ(first.Reason, 1);
    // Still off: no switch-on time.
    const TransmitterLogEntry& running = board.TransmitterLog()[1];
    EXPECT_EQ(FormatLogTime(running.OnDate, running.OnTime), "");
    EXPECT_EQ(TransmitterOffReasonText(running.Reason), MessageId::TxOffReason2);
    EXPECT_EQ(TransmitterOffReasonText(9), std::nullopt);

    // A shorter log drops what it no longer holds; an empty one everything.
    Take("$AITRL,1,1,0,01122026,081500.00,01122026,093000.00,1");
    EXPECT_EQ(board.TransmitterLog().size(), 1u);
    Take("$AITRL,0,,,,,,,");
    EXPECT_TRUE(board.TransmitterLog().empty());
    EXPECT_EQ(board.TransmitterLogTotal(), 0);
}

TEST_F(AlarmBoardTest, RegionsJoinTheAssignmentAndItsSource) {
    Take("$AIACA,1,5130,N,00200,E,5030,N,00100,W,5,2087,0,2088,0,0,0,C,1,081500");
    Take("$AIACS,1,002320001,081500.00,10,12,2026");
    Take("$AIACS,0,002320002,090000.00,11,12,2026");
    EXPECT_FALSE(Take("$AIACS,,002320003,090000.00,11,12,2026"));  // no sequence number
    ASSERT_EQ(board.Regions().size(), 2u);
    const ChannelRegion& unassigned = board.Regions()[0];
    EXPECT_EQ(unassigned.Sequence, 0);
    EXPECT_FALSE(unassigned.Assignment.has_value());
    ASSERT_TRUE(unassigned.Source.has_value());
    const ChannelRegion& region = board.Regions()[1];
    ASSERT_TRUE(region.Assignment.has_value());
    ASSERT_TRUE(region.Source.has_value());
    EXPECT_EQ(region.Assignment->ChannelA, 2087);
    EXPECT_EQ(region.Assignment->ChannelB, 2088);
    EXPECT_FLOAT_EQ(region.Assignment->NorthEast.Lat, 51.5f);
    EXPECT_FLOAT_EQ(region.Assignment->SouthWest.Lon, -1.0f);
    EXPECT_EQ(region.Source->Mmsi, 2320001u);
}

TEST_F(AlarmBoardTest, OtherSentencesLeaveTheBoardAlone) {
    const std::uint64_t revision = board.Revision();
    EXPECT_FALSE(Take("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"));
    EXPECT_FALSE(Take("$AIACK,002"));
    EXPECT_EQ(board.Revision(), revision);
}

TEST(AlarmTexts, StandardListsAndDeviceTexts) {
    EXPECT_EQ(StandardAlarmText(2), MessageId::Alarm002);
    EXPECT_EQ(StandardAlarmText(35), MessageId::Alarm035);
    EXPECT_EQ(StandardAlarmText(51), std::nullopt);
    EXPECT_EQ(StandardAlarmText(12), std::nullopt);
    EXPECT_EQ(StandardStatusText(21), MessageId::Status021);
    EXPECT_EQ(StandardStatusText(36), MessageId::Status036);
    EXPECT_EQ(StandardStatusText(26), std::nullopt);

    struct Case {
        const char* device;
        const char* standard;
        bool differs;
    };
    const Case cases[] = {
        {"AIS: Tx malfunction", "Tx malfunction", false},
        {"AIS: TX MALFUNCTION", "Tx malfunction", false},
        {"AIS: internal / external GNSS position mismatch",
         "Internal/external GNSS position mismatch", false},
        {"AIS: active AIS SART", "Active AIS-SART", false},
        {"", "Tx malfunction", false},
        {"AIS: TX FAIL, PA CURRENT HIGH", "Tx malfunction", true},
        {"Heading sensor offset", "Heading sensor offset", false},
        {"AIS heading sensor offset", "Heading sensor offset", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviceTextDiffers(c.device, c.standard), c.differs) << c.device;
}

TEST(AlarmTexts, QueryAndAcknowledgementLines) {
    EXPECT_EQ(AlarmQueryBytes(), test::Sentence("$ECAIQ,ALR"));
    EXPECT_EQ(AlarmAckBytes(2), test::Sentence("$ECACK,002"));
    EXPECT_EQ(AlarmAckBytes(51), test::Sentence("$ECACK,051"));
    EXPECT_EQ(AlarmAckBytes(1000), "");
    EXPECT_EQ(FormatAlarmTime(AlarmTime{}), "");
    EXPECT_EQ(FormatAlarmTime(AlarmTime{86399, true}), "23:59:59");
}

}  // namespace
}  // namespace navoro
