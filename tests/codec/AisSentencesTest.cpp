#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/Router.h"
#include "tests/codec/StoreText.h"
#include "tests/support/RecordText.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Render;
using test::Sentence;
using test::StoreChanges;

class AisSentences : public ::testing::Test {
  protected:
    bool Route(const std::string& body) { return RouteSentence(*codec, Sentence(body).c_str()); }
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    AisStore& store = codec->Ais;
};

// Every sentence through the router into a fresh codec: the whole parsed
// record, and every member of the AIS store that the sentence changed (a member
// not named keeps its new store's value, so flags left unset are checked too).
TEST(AisParsers, SentencesGiveTheirRecordsAndStoreValues) {
    struct Case {
        const char* body;
        const char* record;
        const char* store;
    };
    const Case cases[] = {
        {"$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI",
         "CallSign=\"ABC1234\" Name=\"SHIP NAME\" DimA=100 DimB=20 DimC=5 DimD=6 Dte=0 "
         "Source=\"AI\"",
         "CallSign=\"ABC1234\" CallSignValid=1 Name=\"SHIP NAME\" NameValid=1 DimA=100 DimB=20 "
         "DimC=5 DimD=6 DimsValid=1 DteValid=1 Source=\"AI\" SsdReceived=1"},
        {"$AISSD,,,,,,,,",
         "CallSign=\"\" Name=\"\" DimA=512 DimB=512 DimC=64 DimD=64 Dte=2 Source=\" \"",
         "DimA=512 DimB=512 DimC=64 DimD=64 Dte=2 Source=\" \" SsdReceived=1"},
        // Long texts are cut to the store's members.
        {"$AISSD,ABCDEFGHIJ,A NAME OF MORE THAN TWENTY,1,2,3,4,0,AIAIAI",
         "CallSign=\"ABCDEFG\" Name=\"A NAME OF MORE THAN \" DimA=1 DimB=2 DimC=3 DimD=4 Dte=0 "
         "Source=\"AIAIAI\"",
         "CallSign=\"ABCDEFG\" CallSignValid=1 Name=\"A NAME OF MORE THAN \" NameValid=1 DimA=1 "
         "DimB=2 DimC=3 DimD=4 DimsValid=1 DteValid=1 Source=\"AI\" SsdReceived=1"},
        // Letters in numeric fields give the not-available value.
        {"$AISSD,ABC1234,SHIP NAME,XX,20,YY,6,Z,AI",
         "CallSign=\"ABC1234\" Name=\"SHIP NAME\" DimA=512 DimB=20 DimC=64 DimD=6 Dte=2 "
         "Source=\"AI\"",
         "CallSign=\"ABC1234\" CallSignValid=1 Name=\"SHIP NAME\" NameValid=1 DimA=512 DimB=20 "
         "DimC=64 DimD=6 Dte=2 Source=\"AI\" SsdReceived=1"},
        // The ship type keeps its low byte.
        {"$AIVSD,300,5.2,12,HAMBURG,123456.78,05,06,1,2",
         "ShipType=44 Draught=5.2 PersonsOnBoard=12 Destination=\"HAMBURG\" EtaTime=12:34:56.78 "
         "EtaDay=5 EtaMonth=6 NavStatus=1 RegionalFlags=2",
         "TimeDate=[12,34,56,78,5,6,0] ShipType=44 ShipTypeValid=1 Draught=5.2 DraughtValid=1 "
         "PersonsOnBoard=12 PersonsValid=1 Destination=\"HAMBURG\" DestinationValid=1 EtaValid=1 "
         "NavStatus=1 NavStatusValid=1 RegionalFlags=2 VsdReceived=1"},
        // A blank draught counts as valid: only the upper limit is checked.
        {"$AIVSD,,,,,,,,,",
         "ShipType=256 Draught=-100000 PersonsOnBoard=8192 Destination=\"\" EtaTime=24:60:60.00 "
         "EtaDay=32 EtaMonth=13 NavStatus=128 RegionalFlags=0",
         "TimeDate=[24,60,60,0,32,13,0] ShipType=256 Draught=-100000 DraughtValid=1 "
         "PersonsOnBoard=8192 NavStatus=128 VsdReceived=1"},
        {"$AIVSD,AB,X.Y,12,HAMBURG,120000.00,05,06,N,0",
         "ShipType=256 Draught=-100000 PersonsOnBoard=12 Destination=\"HAMBURG\" "
         "EtaTime=12:00:00.00 EtaDay=5 EtaMonth=6 NavStatus=128 RegionalFlags=0",
         "TimeDate=[12,0,0,0,5,6,0] ShipType=256 Draught=-100000 DraughtValid=1 PersonsOnBoard=12 "
         "PersonsValid=1 Destination=\"HAMBURG\" DestinationValid=1 EtaValid=1 NavStatus=128 "
         "VsdReceived=1"},
        // ACA, ACS and the VSD's ETA share TimeDate; the year keeps its low byte.
        {"$AIACS,1,211000000,081500.50,10,12,2026",
         "Sequence=1 Mmsi=211000000 Time=08:15:00.50 Day=10 Month=12 Year=234",
         "Mmsi=211000000 AcaSequence=1 TimeDate=[8,15,0,50,10,12,234]"},
        {"$GPACA,3,5000.00,N,00500.00,E,4900.00,N,00400.00,W,5,2087,0,2088,1,0,1,C,1,093000.00",
         "Sequence=3 NorthEast=(50,5) SouthWest=(49,-4) ZoneSize=5 ChannelA=2087 BandwidthA=0 "
         "ChannelB=2088 BandwidthB=1 TxRxMode=0 PowerLevel=1 InfoSource=C InUse=1 "
         "InUseTime=09:30:00.00",
         "TalkerCode=1 AcaSequence=3 NorthEastLat=50 NorthEastLon=5 SouthWestLat=49 "
         "SouthWestLon=-4 ZoneSize=5 ChannelA=2087 BandwidthA=0 ChannelB=2088 BandwidthB=1 "
         "TxRxMode=0 PowerLevel=1 InfoSource=C InUse=1 TimeDate=[9,30,0,0,0,0,0]"},
        {"$AITXT,,01,21,EXTERNAL GPS LOST",
         "Total=-128 Number=1 TextId=21 Text=\"EXTERNAL GPS LOST\"",
         "TxtTotal=-128 TxtNumber=1 TxtId=21 TxtText=\"EXTERNAL GPS LOST\""},
        {"$AITXT,01,XX,21,TEXT", "Total=1 Number=-128 TextId=21 Text=\"TEXT\"",
         "TxtTotal=1 TxtNumber=-128 TxtId=21 TxtText=\"TEXT\""},
        {"$AIALR,120000.00,006,A,V,AIS: TX MALFUNCTION",
         "Time=12:00:00.00 AlarmId=6 Condition=A AckState=V Text=\"AIS: TX MALFUNCTION\"",
         "LastAlarm.Time=12:00:00.00 LastAlarm.AlarmId=6 LastAlarm.Condition=A "
         "LastAlarm.AckState=V LastAlarm.Text=\"AIS: TX MALFUNCTION\""},
        // An identifier that names no alarm: blank, or beyond three digits.
        {"$AIALR,,,A,V,AIS: NO IDENTIFIER",
         "Time=24:60:60.00 AlarmId=-1 Condition=A AckState=V Text=\"AIS: NO IDENTIFIER\"",
         "LastAlarm.Time=24:60:60.00 LastAlarm.AlarmId=-1 LastAlarm.Condition=A "
         "LastAlarm.AckState=V LastAlarm.Text=\"AIS: NO IDENTIFIER\""},
        {"$AIALR,120000.00,65538,A,V,AIS: WRAPPED",
         "Time=12:00:00.00 AlarmId=-1 Condition=A AckState=V Text=\"AIS: WRAPPED\"",
         "LastAlarm.Time=12:00:00.00 LastAlarm.AlarmId=-1 LastAlarm.Condition=A "
         "LastAlarm.AckState=V LastAlarm.Text=\"AIS: WRAPPED\""},
        {"$AIACK,", "AlarmId=1000", "AckAlarmId=1000"},
        {"$AIACK,999", "AlarmId=999", "AckAlarmId=999 AckValid=1"},
        // A blank channel: VDO stores an x, VDM the not-available value.
        {"!AIVDO,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0",
         "Total=1 Number=1 SequenceId=-128 Channel=\\x80 Payload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "FillBits=0",
         "MsgTotal=1 MsgNumber=1 MsgSequenceId=-128 MsgPayload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "MsgChannel=x"},
        {"!AIVDM,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0",
         "Total=1 Number=1 SequenceId=-128 Channel=\\x80 Payload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "FillBits=0",
         "MsgTotal=1 MsgNumber=1 MsgSequenceId=-128 MsgPayload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "MsgChannel=\\x80"},
        // A sequential identifier of letters is blank.
        {"!AIVDM,1,1,X,A,13aEOK?P00PD2wVMdLDRhgvL289?,0",
         "Total=1 Number=1 SequenceId=-128 Channel=A Payload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "FillBits=0",
         "MsgTotal=1 MsgNumber=1 MsgSequenceId=-128 MsgPayload=\"13aEOK?P00PD2wVMdLDRhgvL289?\" "
         "MsgChannel=A"},
        {"!AIABM,1,1,0,211000000,2,6,0,0",
         "Total=1 Number=1 SequenceId=0 Mmsi=211000000 Channel=2 MessageId=6 Payload=\"0\" "
         "FillBits=0",
         "Mmsi=211000000 MsgTotal=1 MsgNumber=1 MsgPayload=\"0\" MsgChannel=2 MsgId=6"},
        // Channel B is stored as its code, the inverse of the composer.
        {"$AIABK,244000000,B,6,1,3",
         "Mmsi=244000000 ChannelCode=1 MessageId=6 MessageSequence=1 AckType=3",
         "Mmsi=244000000 AbkMessageId=6 AbkSequence=1 AbkAckType=3 MsgChannel=\\x01"},
        // A query is filed nowhere (a store update would set talker code 1).
        {"$GPAIQ,SSD", "Queried=\"SSD\"", ""},
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        // A '!' sentence is accepted only when its message decodes (the ABM's
        // does not); its fields are filed either way.
        const bool accepted = RouteSentence(*codec, Sentence(c.body).c_str());
        EXPECT_TRUE(accepted || c.body[0] == '!') << c.body;
        EXPECT_EQ(Render(codec->Received), c.record) << c.body;
        EXPECT_EQ(StoreChanges(codec->Ais), c.store) << c.body;
    }
}

TEST(AisParsers, RejectedSentencesLeaveTheStoreAlone) {
    const char* const rejected[] = {
        "$AISSD,XYZ,OTHER,1,2,3,4,0",                    // seven fields
        "$AITXT,00,01,21,TEXT",                          // counters are 1-99 or blank
        "$AITXT,01,100,21,TEXT",                         //
        "!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,Z",  // fill bits of letters
        "$AIAIQ,SSD,VSD",                                // a query has one field
    };
    for (const char* body : rejected) {
        auto codec = std::make_unique<Codec>();
        EXPECT_FALSE(RouteSentence(*codec, Sentence(body).c_str())) << body;
        EXPECT_EQ(StoreChanges(codec->Ais), "") << body;
    }
}

// The transmitter non-functioning log in the forms transponders send: a
// closed period, one still running (blank switch-on), an empty log, the
// six-digit date some manuals print; and what is rejected.
TEST(AisParsers, TransmitterLogEntries) {
    struct Case {
        const char* body;
        const char* record;  // nullptr: rejected
    };
    const Case cases[] = {
        {"$AITRL,3,1,0,01122026,081500.00,01122026,093000.00,1",
         "Total=3 Entry=1 SequenceId=0 OffDate=2026-12-1 OffTime=08:15:00.00 OnDate=2026-12-1 "
         "OnTime=09:30:00.00 Reason=1"},
        {"$AITRL,3,3,,31122025,235959,,,4",
         "Total=3 Entry=3 SequenceId=-128 OffDate=2025-12-31 OffTime=23:59:59.00 OnDate=0-0-0 "
         "OnTime=24:60:60.00 Reason=4"},
        {"$AITRL,0,,,,,,,",
         "Total=0 Entry=-128 SequenceId=-128 OffDate=0-0-0 OffTime=24:60:60.00 OnDate=0-0-0 "
         "OnTime=24:60:60.00 Reason=-128"},
        {"$AITRL,10,10,9,05012026,120000.00,050126,121500.00,2",
         "Total=10 Entry=10 SequenceId=9 OffDate=2026-1-5 OffTime=12:00:00.00 OnDate=2026-1-5 "
         "OnTime=12:15:00.00 Reason=2"},
        {"$AITRL,3,1,0,01122026,081500.00,01122026,093000.00", nullptr},     // seven fields
        {"$AITRL,3,1,0,1122026,081500.00,01122026,093000.00,1", nullptr},    // seven-digit date
        {"$AITRL,3,1,0,32122026,081500.00,01122026,093000.00,1", nullptr},   // day 32
        {"$AITRL,3,1,0,0112AB26,081500.00,01122026,093000.00,1", nullptr},   // letters
        {"$AITRL,3,0,0,01122026,081500.00,01122026,093000.00,1", nullptr},   // entry 0
        {"$AITRL,3,1,10,01122026,081500.00,01122026,093000.00,1", nullptr},  // identifier 10
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        const bool accepted = RouteSentence(*codec, Sentence(c.body).c_str());
        EXPECT_EQ(accepted, c.record != nullptr) << c.body;
        if (c.record != nullptr) {
            EXPECT_EQ(Render(codec->Received), c.record) << c.body;
        }
        EXPECT_EQ(StoreChanges(codec->Ais), "") << c.body;
    }
}

TEST_F(AisSentences, WrongFieldCountLeavesTheStoreAlone) {
    ASSERT_TRUE(Route("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"));
    store.SsdReceived = 0;
    EXPECT_FALSE(Route("$AISSD,XYZ,OTHER,1,2,3,4,0"));
    EXPECT_STREQ(store.CallSign, "ABC1234");
    EXPECT_EQ(store.SsdReceived, 0);
}

TEST_F(AisSentences, FlagsAreOnlyEverSet) {
    ASSERT_TRUE(Route("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"));
    ASSERT_TRUE(Route("$AISSD,,SHIP NAME,100,20,5,6,0,AI"));
    EXPECT_STREQ(store.CallSign, "");
    EXPECT_EQ(store.CallSignValid, 1);
}

TEST_F(AisSentences, AcsReplacesTheEtaHeldInTheSharedTimeDate) {
    ASSERT_TRUE(Route("$AIVSD,30,5.2,12,HAMBURG,123456.78,05,06,0,0"));
    ASSERT_TRUE(Route("$AIACS,1,211000000,081500.50,10,12,2026"));
    EXPECT_EQ(store.TimeDate[0], 8);
    EXPECT_EQ(store.TimeDate[1], 15);
    EXPECT_EQ(store.TimeDate[2], 0);
    EXPECT_EQ(store.TimeDate[3], 50);
    EXPECT_EQ(store.TimeDate[4], 10);
    EXPECT_EQ(store.TimeDate[5], 12);
    EXPECT_EQ(store.TimeDate[6], 2026 % 256);
    EXPECT_EQ(store.Mmsi, 211000000u);
    EXPECT_EQ(store.AcaSequence, '1');
}

TEST_F(AisSentences, EncapsulationFieldChecks) {
    const std::string payload62(62, '0');
    const std::string payload63(63, '0');
    struct Case {
        std::string body;
        bool accepted;
    };
    const Case cases[] = {
        {"!AIVDM,1,1,,A," + payload62 + ",0", true},
        {"!AIVDM,1,1,,A," + payload63 + ",0", false},  // 63 needs a sequence id
        {"!AIVDM,2,1,3,A," + payload63 + ",0", true},
        {"!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,", false},  // blank fill bits
        {"!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,6", false},
        {"!AIVDM,10,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0", false},
        {"!AIVDM,1,1,10,A,13aEOK?P00PD2wVMdLDRhgvL289?,0", false},
    };
    for (const Case& c : cases) {
        SentenceRecord record{};
        std::string line = Sentence(c.body);
        char text[kExpandBufferSize];
        ASSERT_LT(line.size(), sizeof text);
        line.copy(text, line.size());
        text[line.size()] = '\0';
        EXPECT_EQ(ParseSentence(codec->Tok, text, record), c.accepted) << c.body;
    }
}

}  // namespace
}  // namespace navoro
