#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/Router.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Sentence;

class AisSentences : public ::testing::Test {
  protected:
    bool Route(const std::string& body) { return RouteSentence(*codec, Sentence(body).c_str()); }
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    AisStore& store = codec->Ais;
};

TEST_F(AisSentences, SsdFillsTheStoreAndSetsEveryFlag) {
    ASSERT_TRUE(Route("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"));
    EXPECT_STREQ(store.CallSign, "ABC1234");
    EXPECT_STREQ(store.Name, "SHIP NAME");
    EXPECT_EQ(store.DimA, 100);
    EXPECT_EQ(store.DimB, 20);
    EXPECT_EQ(store.DimC, 5);
    EXPECT_EQ(store.DimD, 6);
    EXPECT_EQ(store.Dte, 0);
    EXPECT_STREQ(store.Source, "AI");
    EXPECT_EQ(store.CallSignValid + store.NameValid + store.DimsValid + store.DteValid, 4);
    EXPECT_EQ(store.SsdReceived, 1);
    EXPECT_EQ(store.TalkerCode, 0);
}

TEST_F(AisSentences, BlankSsdGivesNotAvailableValuesAndNoFlags) {
    ASSERT_TRUE(Route("$AISSD,,,,,,,,"));
    EXPECT_STREQ(store.CallSign, "");
    EXPECT_STREQ(store.Name, "");
    EXPECT_EQ(store.DimA, 512);
    EXPECT_EQ(store.DimB, 512);
    EXPECT_EQ(store.DimC, 64);
    EXPECT_EQ(store.DimD, 64);
    EXPECT_EQ(store.Dte, 2);
    EXPECT_STREQ(store.Source, " ");
    EXPECT_EQ(store.CallSignValid + store.NameValid + store.DimsValid + store.DteValid, 0);
    EXPECT_EQ(store.SsdReceived, 1);
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

TEST_F(AisSentences, LongTextsAreCutToTheirMembers) {
    ASSERT_TRUE(Route("$AISSD,ABCDEFGHIJ,A NAME OF MORE THAN TWENTY,1,2,3,4,0,AIAIAI"));
    EXPECT_STREQ(store.CallSign, "ABCDEFG");
    EXPECT_STREQ(store.Name, "A NAME OF MORE THAN ");
    EXPECT_STREQ(store.Source, "AI");
}

TEST_F(AisSentences, VsdKeepsTheLowByteOfTheShipType) {
    ASSERT_TRUE(Route("$AIVSD,300,5.2,12,HAMBURG,123456.78,05,06,1,2"));
    EXPECT_EQ(store.ShipType, 44);
    EXPECT_EQ(store.ShipTypeValid, 1);
    EXPECT_FLOAT_EQ(store.Draught, 5.2f);
    EXPECT_EQ(store.PersonsOnBoard, 12);
    EXPECT_STREQ(store.Destination, "HAMBURG");
    EXPECT_EQ(store.TimeDate[0], 12);
    EXPECT_EQ(store.TimeDate[1], 34);
    EXPECT_EQ(store.TimeDate[2], 56);
    EXPECT_EQ(store.TimeDate[3], 78);
    EXPECT_EQ(store.TimeDate[4], 5);
    EXPECT_EQ(store.TimeDate[5], 6);
    EXPECT_EQ(store.EtaValid, 1);
    EXPECT_EQ(store.NavStatus, 1);
    EXPECT_EQ(store.RegionalFlags, 2);
    EXPECT_EQ(store.VsdReceived, 1);
}

TEST_F(AisSentences, BlankVsdFields) {
    ASSERT_TRUE(Route("$AIVSD,,,,,,,,,"));
    EXPECT_EQ(store.ShipType, 256);
    EXPECT_EQ(store.ShipTypeValid, 0);
    EXPECT_EQ(store.Draught, -100000.0f);
    EXPECT_EQ(store.DraughtValid, 1);  // only the upper limit is checked
    EXPECT_EQ(store.PersonsOnBoard, 8192);
    EXPECT_EQ(store.PersonsValid, 0);
    EXPECT_EQ(store.TimeDate[0], 24);
    EXPECT_EQ(store.TimeDate[1], 60);
    EXPECT_EQ(store.TimeDate[2], 60);
    EXPECT_EQ(store.TimeDate[4], 32);
    EXPECT_EQ(store.TimeDate[5], 13);
    EXPECT_EQ(store.EtaValid, 0);
    EXPECT_EQ(store.NavStatus, 0x80);
    EXPECT_EQ(store.NavStatusValid, 0);
    EXPECT_EQ(store.RegionalFlags, 0);
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

TEST_F(AisSentences, AcaFillsChannelManagement) {
    ASSERT_TRUE(Route(
        "$GPACA,3,5000.00,N,00500.00,E,4900.00,N,00400.00,W,5,2087,0,2088,1,0,1,C,1,093000.00"));
    EXPECT_EQ(store.TalkerCode, 1);
    EXPECT_EQ(store.AcaSequence, '3');
    EXPECT_FLOAT_EQ(store.NorthEastLat, 50.0f);
    EXPECT_FLOAT_EQ(store.NorthEastLon, 5.0f);
    EXPECT_FLOAT_EQ(store.SouthWestLat, 49.0f);
    EXPECT_FLOAT_EQ(store.SouthWestLon, -4.0f);
    EXPECT_EQ(store.ZoneSize, '5');
    EXPECT_EQ(store.ChannelA, 2087);
    EXPECT_EQ(store.ChannelB, 2088);
    EXPECT_EQ(store.BandwidthB, '1');
    EXPECT_EQ(store.InfoSource, 'C');
    EXPECT_EQ(store.InUse, '1');
    EXPECT_EQ(store.TimeDate[0], 9);
    EXPECT_EQ(store.TimeDate[1], 30);
}

TEST_F(AisSentences, TxtCountersMustBe1To99OrBlank) {
    EXPECT_FALSE(Route("$AITXT,00,01,21,TEXT"));
    EXPECT_FALSE(Route("$AITXT,01,100,21,TEXT"));
    ASSERT_TRUE(Route("$AITXT,,01,21,EXTERNAL GPS LOST"));
    EXPECT_EQ(store.TxtTotal, static_cast<std::int8_t>(0x80));
    EXPECT_EQ(store.TxtNumber, 1);
    EXPECT_EQ(store.TxtId, 21);
    EXPECT_STREQ(store.TxtText, "EXTERNAL GPS LOST");
}

TEST_F(AisSentences, AlarmsAndAcknowledgements) {
    ASSERT_TRUE(Route("$AIALR,120000.00,006,A,V,AIS: TX MALFUNCTION"));
    EXPECT_EQ(store.LastAlarm.AlarmId, 6);
    EXPECT_EQ(store.LastAlarm.Condition, 'A');
    EXPECT_EQ(store.LastAlarm.AckState, 'V');
    EXPECT_STREQ(store.LastAlarm.Text, "AIS: TX MALFUNCTION");
    EXPECT_EQ(store.LastAlarm.Time.Hour, 12);

    ASSERT_TRUE(Route("$AIACK,"));
    EXPECT_EQ(store.AckAlarmId, 1000);
    EXPECT_EQ(store.AckValid, 0);
    ASSERT_TRUE(Route("$AIACK,999"));
    EXPECT_EQ(store.AckValid, 1);
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

TEST_F(AisSentences, VdoStoresAnXForABlankChannel) {
    Route("!AIVDO,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0");
    EXPECT_EQ(store.MsgChannel, 'x');
    EXPECT_STREQ(store.MsgPayload, "13aEOK?P00PD2wVMdLDRhgvL289?");
    Route("!AIVDM,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0");
    EXPECT_EQ(static_cast<unsigned char>(store.MsgChannel), 0x80);
}

TEST_F(AisSentences, AddressedBinaryMessageAndItsAcknowledgement) {
    Route("!AIABM,1,1,0,211000000,2,6,0,0");
    EXPECT_EQ(store.Mmsi, 211000000u);
    EXPECT_EQ(store.MsgId, 6);
    EXPECT_EQ(store.MsgChannel, '2');
    ASSERT_TRUE(Route("$AIABK,244000000,B,6,1,3"));
    EXPECT_EQ(store.Mmsi, 244000000u);
    EXPECT_EQ(store.AbkMessageId, 6.0f);
    EXPECT_EQ(store.AbkSequence, 1);
    EXPECT_EQ(store.AbkAckType, 3);
    EXPECT_EQ(store.MsgChannel, 1);  // channel B as its code, the inverse of the composer
}

TEST_F(AisSentences, LettersInNumericFieldsGiveTheNotAvailableValue) {
    ASSERT_TRUE(Route("$AISSD,ABC1234,SHIP NAME,XX,20,YY,6,Z,AI"));
    EXPECT_EQ(store.DimA, 512);
    EXPECT_EQ(store.DimC, 64);
    EXPECT_EQ(store.Dte, 2);
    EXPECT_EQ(store.DimsValid, 0);
    ASSERT_TRUE(Route("$AIVSD,AB,X.Y,12,HAMBURG,120000.00,05,06,N,0"));
    EXPECT_EQ(store.ShipType, 256);
    EXPECT_EQ(store.Draught, -100000.0f);
    EXPECT_EQ(store.NavStatus, 0x80);
    EXPECT_EQ(store.ShipTypeValid, 0);
    ASSERT_TRUE(Route("$AITXT,01,XX,21,TEXT"));
    EXPECT_EQ(store.TxtNumber, -128);
    // A sequential identifier of letters is blank; fill bits of letters reject
    // (the store shows whether the sentence was parsed; the message's
    // decoding is the decoder's).
    Route("!AIVDM,1,1,X,A,13aEOK?P00PD2wVMdLDRhgvL289?,0");
    EXPECT_EQ(store.MsgSequenceId, -128);
    EXPECT_EQ(store.MsgTotal, 1);
    store.MsgTotal = 0;
    Route("!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,Z");
    EXPECT_EQ(store.MsgTotal, 0);
}

TEST_F(AisSentences, QueriesAreAcceptedButStoredNowhere) {
    ASSERT_TRUE(Route("$GPAIQ,SSD"));
    EXPECT_STREQ(codec->Received.Query.Queried, "SSD");
    EXPECT_STREQ(codec->Received.Header.Formatter, "Q");
    EXPECT_EQ(store.TalkerCode, 0);  // a group-4 update would have set 1 for GP
    EXPECT_FALSE(Route("$AIAIQ,SSD,VSD"));
}

}  // namespace
}  // namespace navoro
