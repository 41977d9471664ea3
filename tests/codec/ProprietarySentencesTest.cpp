#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "tests/codec/StoreText.h"
#include "tests/support/RecordText.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Render;
using test::Sentence;
using test::StoreChanges;

class ProprietarySentences : public ::testing::Test {
  protected:
    bool Route(const std::string& body) { return RouteSentence(*codec, Sentence(body).c_str()); }
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    ProprietaryStore& store = codec->Proprietary;
};

// Every sub-command with a real sentence and with every field empty, in the
// $PLMO form and the short forms, into a fresh codec: the header, the whole
// parsed record, and every member of the proprietary store that the sentence
// changed (a member not named keeps its new store's value, so flags left unset
// are checked too).
TEST(ProprietaryParsers, RealAndEmptySentencesGiveTheirRecords) {
    struct Case {
        const char* body;
        const char* formatter;
        char mode;
        const char* record;
        const char* store;
    };
    const Case cases[] = {
        {"$PLMO,R,TSV,30,0,101,1,102,0,122,0", "TSV", 'R',
         "ParamId=[30,101,102,122] ParamValue=[0,1,0,0]",
         "DbgParamId=[30,101,102,122] DbgParamValue=[0,1,0,0] DbgValid=[1,1,1,1] DbgMode=R"},
        {"$PLMO,R,CPA,,,,,,,,", "CPA", 'R',
         "ParamId=[999,999,999,999] "
         "ParamValue=[-2147483648,-2147483648,-2147483648,-2147483648]",
         "DbgParamId=[999,999,999,999] "
         "DbgParamValue=[-2147483648,-2147483648,-2147483648,-2147483648] DbgValid=[1,1,1,1] "
         "DbgMode=R"},
        {"$PDBG,701,3015,-1,5,,,0,-7", "DBG", 0,
         "ParamId=[701,-1,999,0] ParamValue=[3015,5,-2147483648,-7]",
         "DbgParamId=[701,-1,999,0] DbgParamValue=[3015,5,-2147483648,-7] DbgValid=[1,0,1,1]"},
        {"$PLMO,R,BAU,-1,115200", "BAU", 'R', "Port=-1 Baud=115200",
         "DbgParamId=[-1,0,0,0] DbgParamValue=[115200,0,0,0] DbgValid=[1,0,0,0] DbgMode=R"},
        {"$PLMO,R,BAU,,", "BAU", 'R', "Port=127 Baud=0",
         "DbgParamId=[127,0,0,0] DbgValid=[1,0,0,0] DbgMode=R"},
        {"$PLMO,R,DES,2,HAMBURG", "DES", 'R', "Value=2 Text=\"HAMBURG\"",
         "DbgMode=R LastDes.Value=2 LastDes.Text=\"HAMBURG\" DesReceived=1"},
        {"$PLMO,R,DES,,HAMBURG", "DES", 'R', "Value=0 Text=\"HAMBURG\"",
         "DbgMode=R LastDes.Text=\"HAMBURG\" DesReceived=1"},
        {"$AIDES,10,A DESTINATION LONGER THAN 20", "DES", 0,
         "Value=10 Text=\"A DESTINATION LONGER\"",
         "LastDes.Value=10 LastDes.Text=\"A DESTINATION LONGER\" DesReceived=1"},
        {"$PLMO,R,MBL,211000000,JOHN SMITH", "MBL", 'R', "Value=211000000 Text=\"JOHN SMITH\"",
         "DbgMode=R LastMbl.Value=211000000 LastMbl.Text=\"JOHN SMITH\" MblReceived=1"},
        {"$PLMO,R,CLR,1,1010101010,1,2087,2088", "CLR", 'R',
         "Response=1 FunctionReply=[1,0,1,0,1,0,1,0,1,0] Message27=1 ChannelA=2087 "
         "ChannelB=2088 Present=16383",
         "ClrResponse=1 ClrFunctionReply=[1,0,1,0,1,0,1,0,1,0] ClrMessage27=1 ClrChannelA=2087 "
         "ClrChannelB=2088 ClrReceived=1"},
        {"$AICLR,,,,,", "CLR", 0,
         "Response=0 FunctionReply=[0,0,0,0,0,0,0,0,0,0] Message27=0 ChannelA=0 ChannelB=0 "
         "Present=0",
         "ClrReceived=1"},
        {"$PMID,211000000,009876543", "MID", 0, "Mmsi=211000000 Imo=9876543",
         "Mmsi=211000000 MmsiValid=1 Imo=9876543 ImoValid=1"},
        {"$PMID,,", "MID", 0, "Mmsi=999999999 Imo=999999999", "Mmsi=999999999 Imo=999999999"},
        {"$PBDY,123456789,TEXT ONE,TEXT TWO,0,1", "BDY", 0,
         "Value=123456789 Text1=\"TEXT ONE\" Text2=\"TEXT TWO\" Flag1=0 Flag2=1",
         "BdyValue=123456789 BdyText1=\"TEXT ONE\" BdyText2=\"TEXT TWO\" BdyFlag2=1 BdyValid=1"},
        {"$PBDY,,,,,", "BDY", 0, "Value=999999999 Text1=\"\" Text2=\"\" Flag1=9 Flag2=9",
         "BdyValue=999999999 BdyFlag1=9 BdyFlag2=9"},
        {"$PTST,12345,07,a,Z,00017", "TST", 0,
         "Value=12345 Number=7 LowerLetter=a UpperLetter=Z Code=17",
         "TstValue=12345 TstNumber=7 TstLowerLetter=a TstValueValid=1 TstUpperLetter=Z "
         "TstUpperLetterValid=1 TstCode=17 TstCodeValid=1"},
        {"$PTST,,,,,", "TST", 0,
         "Value=99999 Number=99 LowerLetter=\\x20 UpperLetter=\\x20 Code=65535",
         "TstValue=99999 TstNumber=99 TstLowerLetter=\\x20 TstUpperLetter=\\x20 TstCode=65535"},
        {"$PFRQ,161975000,1,162025000,2", "FRQ", 0,
         "Value1=161975000 Code1=1 Value2=162025000 Code2=2",
         "FrqValue=[161975000,162025000] FrqCode=[1,2] FrqValid=[1,1]"},
        {"$PFRQ,,,,", "FRQ", 0, "Value1=999999999 Code1=128 Value2=999999999 Code2=128",
         "FrqValue=[999999999,999999999] FrqCode=[128,128]"},
        {"$PBTH,1,2,3,4,5,6,LUMO-AIS", "BTH", 0, "Values=[1,2,3,4,5,6] Text=\"LUMO-AIS\"",
         "BthValues=[1,2,3,4,5,6] BthValuesValid=1 BthText=\"LUMO-AIS\" BthTextValid=1"},
        {"$PBTH,,,,,,,", "BTH", 0, "Values=[256,256,256,256,256,256] Text=\"\"",
         "BthValues=[256,256,256,256,256,256]"},
        {"$PTPS,1,SN12345678", "TPS", 0, "Value=1 Text=\"SN12345678\"",
         "TpsValue=1 TpsText=\"SN12345678\" TpsValid=1"},
        {"$PTPS,,", "TPS", 0, "Value=999 Text=\"\"", "TpsValue=999 TpsValid=1"},
        {"$PMOB,A1B2C3,5,0F,,0102", "MOB", 0,
         "Id=[161,178,195] Value=5 Code=15 OptionalCode=0 OptionalPresent=0 "
         "Data=[1,2,0,0,0,0,0,0,0] DataLength=2 Present=3",
         "MobId=[161,178,195] MobValue=5 MobCode=15 "
         "MobData=[1,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0] MobDataLength=2"},
        {"$PMOB,,,,,", "MOB", 0,
         "Id=[0,0,0] Value=255 Code=255 OptionalCode=0 OptionalPresent=0 "
         "Data=[0,0,0,0,0,0,0,0,0] DataLength=0 Present=3",
         "MobValue=255 MobCode=255"},
        {"$PAIQ,Smg,3", "AIQ", 0, "Value=3", ""},
        {"$PSmg,TEXT MESSAGE,3", "Smg", 0, "Text=\"TEXT MESSAGE\" Value=3", ""},
        // BAU fills the first parameter pair.
        {"$PLMO,R,BAU,3,38400", "BAU", 'R', "Port=3 Baud=38400",
         "DbgParamId=[3,0,0,0] DbgParamValue=[38400,0,0,0] DbgValid=[1,0,0,0] DbgMode=R"},
        // The USB port; a blank rate is 0.
        {"$PLMO,R,BAU,-1,", "BAU", 'R', "Port=-1 Baud=0",
         "DbgParamId=[-1,0,0,0] DbgValid=[1,0,0,0] DbgMode=R"},
        // Parameter pairs are valid up to 999, 999 included.
        {"$PLMO,R,TSV,,,1,2,3,4,5,6", "TSV", 'R',
         "ParamId=[999,1,3,5] ParamValue=[-2147483648,2,4,6]",
         "DbgParamId=[999,1,3,5] DbgParamValue=[-2147483648,2,4,6] DbgValid=[1,1,1,1] DbgMode=R"},
        {"$PLMO,C,DBG,-1,0,1000,0,45,20,,", "DBG", 'C',
         "ParamId=[-1,1000,45,999] ParamValue=[0,0,20,-2147483648]",
         "DbgParamId=[-1,1000,45,999] DbgParamValue=[0,0,20,-2147483648] DbgValid=[0,0,1,1] "
         "DbgMode=C"},
        // DES and MBL share the mode letter and leave each other's entry alone.
        {"$PLMO,Q,MBL,211000000,JOHN SMITH", "MBL", 'Q', "Value=211000000 Text=\"JOHN SMITH\"",
         "DbgMode=Q LastMbl.Value=211000000 LastMbl.Text=\"JOHN SMITH\" MblReceived=1"},
        // The settings' flags.
        {"$PMID,211000000,", "MID", 0, "Mmsi=211000000 Imo=999999999",
         "Mmsi=211000000 MmsiValid=1 Imo=999999999"},
        // Valid with flag 2 set although the number is blank.
        {"$PBDY,,TEXT ONE,,0,1", "BDY", 0,
         "Value=999999999 Text1=\"TEXT ONE\" Text2=\"\" Flag1=0 Flag2=1",
         "BdyValue=999999999 BdyText1=\"TEXT ONE\" BdyFlag2=1 BdyValid=1"},
        {"$PTST,,,,@,", "TST", 0,
         "Value=99999 Number=99 LowerLetter=\\x20 UpperLetter=@ Code=65535",
         "TstValue=99999 TstNumber=99 TstLowerLetter=\\x20 TstUpperLetter=@ TstCode=65535"},
        // A code above 10 makes its pair invalid.
        {"$PFRQ,161975000,11,162025000,2", "FRQ", 0,
         "Value1=161975000 Code1=11 Value2=162025000 Code2=2",
         "FrqValue=[161975000,162025000] FrqCode=[11,2] FrqValid=[0,1]"},
        {"$PBTH,1,2,3,4,5,300,", "BTH", 0, "Values=[1,2,3,4,5,300] Text=\"\"",
         "BthValues=[1,2,3,4,5,300]"},
        // The values are compared signed; the text is cut to its member.
        {"$PBTH,1,2,3,4,5,-6,A TEXT OF MORE THAN 24 CHARACTERS", "BTH", 0,
         "Values=[1,2,3,4,5,-6] Text=\"A TEXT OF MORE THAN 24 C\"",
         "BthValues=[1,2,3,4,5,-6] BthValuesValid=1 BthText=\"A TEXT OF MORE THAN 24 C\" "
         "BthTextValid=1"},
        {"$PTPS,-1,SN1", "TPS", 0, "Value=-1 Text=\"SN1\"", "TpsValue=-1 TpsText=\"SN1\""},
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, Sentence(c.body).c_str())) << c.body;
        const SentenceHeader& h = codec->Received.Header;
        EXPECT_STREQ(h.Talker, std::string(c.body).substr(1, 1) == "P" ? "P" : "AI") << c.body;
        EXPECT_STREQ(h.Formatter, c.formatter) << c.body;
        EXPECT_EQ(h.Mode, c.mode) << c.body;
        EXPECT_EQ(Render(codec->Received), c.record) << c.body;
        EXPECT_EQ(StoreChanges(codec->Proprietary), c.store) << c.body;
    }
}

TEST(ProprietaryParsers, RejectMalformedSentences) {
    const char* const rejected[] = {
        "$PLMO,R,BAU,3",                           // one field
        "$PLMO,R,TSV,30,0,101,1,102,0,122",        // seven fields
        "$PLMO,R,DES,2,",                          // blank text
        "$PLMO,R,DES,2",                           // one field
        "$PLMO,R,MBL,211000000,JOHN,SMITH",        // three fields
        "$PMOB,A1B2G3,5,0F,,0102",                 // G is not hexadecimal
        "$PMOB,a1b2c3,5,0F,,0102",                 // nor are lower-case digits
        "$PMOB,A1B2C3,5,0G,,0102",                 // bad code
        "$PMOB,A1B2C3,5,0F,X,0102",                // bad optional code
        "$PAIQ,XYZ,3",                             // not "Smg"
        "$PAIQ,smg,3",                             //
        "$PLMO,R,CLR,1,1010101010,1,2087",         // four fields
        "$PIWWSSD,,,10.0,2.0,,,,1.0,1.0,0.5,0.5",  // unknown mnemonic
        "$PLMO,R,XYZ,1,2",                         // unknown sub-command
    };
    for (const char* body : rejected) {
        auto codec = std::make_unique<Codec>();
        EXPECT_FALSE(RouteSentence(*codec, Sentence(body).c_str())) << body;
        EXPECT_EQ(StoreChanges(codec->Proprietary), "") << body;
    }
}

TEST_F(ProprietarySentences, ClrSetsTheLongRangeSettings) {
    ASSERT_TRUE(Route("$PLMO,R,CLR,1,1010101010,1,2087,2088"));
    EXPECT_EQ(store.ClrResponse, 1);
    const std::uint8_t items[] = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(store.ClrFunctionReply[i], items[i]) << i;
    EXPECT_EQ(store.ClrMessage27, 1);
    EXPECT_EQ(store.ClrChannelA, 2087);
    EXPECT_EQ(store.ClrChannelB, 2088);
    EXPECT_EQ(store.ClrReceived, 1);
    EXPECT_EQ(store.DbgMode, 0);  // CLR leaves the mode letter alone

    // Item field 10X1: items 1, 2 and 4 change, item 3 and items 5-10 stay;
    // blank fields change nothing, a non-zero number is "on".
    store.ClrReceived = 0;
    ASSERT_TRUE(Route("$AICLR,,10X1,5,,2002"));
    const std::uint8_t after[] = {1, 0, 1, 1, 1, 0, 1, 0, 1, 0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(store.ClrFunctionReply[i], after[i]) << i;
    EXPECT_EQ(store.ClrResponse, 1);
    EXPECT_EQ(store.ClrMessage27, 1);
    EXPECT_EQ(store.ClrChannelA, 2087);
    EXPECT_EQ(store.ClrChannelB, 2002);
    EXPECT_EQ(store.ClrReceived, 1);
}

TEST_F(ProprietarySentences, BlankClrFieldsKeepTheStoreNotAnotherSentencesBytes) {
    ASSERT_TRUE(Route("$PLMO,R,CLR,0,0000000000,0,2087,2088"));
    // Another sentence overwrites the shared field area in between.
    ASSERT_TRUE(Route("$PLMO,R,MBL,999999999,ZZZZZZZZZZZZZZZZZZZZ"));
    ASSERT_TRUE(Route("$PLMO,R,CLR,,,,,"));
    EXPECT_EQ(store.ClrResponse, 0);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(store.ClrFunctionReply[i], 0) << i;
    EXPECT_EQ(store.ClrMessage27, 0);
    EXPECT_EQ(store.ClrChannelA, 2087);
    EXPECT_EQ(store.ClrChannelB, 2088);
}

TEST_F(ProprietarySentences, MobCodesDataAndWhatALongFieldLeaves) {
    ASSERT_TRUE(Route("$PMOB,A1B2C3,5,0F,7,0102"));
    EXPECT_EQ(store.MobId[0], 0xA1);
    EXPECT_EQ(store.MobId[2], 0xC3);
    EXPECT_EQ(store.MobValue, 5);
    EXPECT_EQ(store.MobCode, 15);
    EXPECT_EQ(store.MobOptionalPresent, 1);
    EXPECT_EQ(store.MobOptionalCode, 7);
    EXPECT_EQ(store.MobDataLength, 2);
    EXPECT_EQ(store.MobData[1], 2);

    // Fields too long to be codes leave code, optional code and its presence as
    // they were; odd-length data is no data.
    ASSERT_TRUE(Route("$PMOB,A1B2C3,6,123,456,010"));
    EXPECT_EQ(store.MobValue, 6);
    EXPECT_EQ(store.MobCode, 15);
    EXPECT_EQ(store.MobOptionalPresent, 1);
    EXPECT_EQ(store.MobOptionalCode, 7);
    EXPECT_EQ(store.MobDataLength, 0);

    // A blank optional code clears its presence but keeps the old code; a bad
    // data pair drops the data; an identifier of another length reads as 0.
    ASSERT_TRUE(Route("$PMOB,A1B2,,,,01XY"));
    EXPECT_EQ(store.MobOptionalPresent, 0);
    EXPECT_EQ(store.MobOptionalCode, 7);
    EXPECT_EQ(store.MobCode, 255);
    EXPECT_EQ(store.MobValue, 255);
    EXPECT_EQ(store.MobDataLength, 0);
    EXPECT_EQ(store.MobId[0], 0);

    // Nine bytes fit, ten (20 digits) are no data.
    ASSERT_TRUE(Route("$PMOB,000001,1,1,,010203040506070809"));
    EXPECT_EQ(store.MobDataLength, 9);
    EXPECT_EQ(store.MobData[8], 9);
    ASSERT_TRUE(Route("$PMOB,000001,1,1,,0102030405060708090A"));
    EXPECT_EQ(store.MobDataLength, 0);
}

TEST_F(ProprietarySentences, AiqAndSmgAreCheckedButFiledNowhere) {
    ASSERT_TRUE(Route("$PAIQ,Smg,3"));
    ASSERT_TRUE(Route("$PSmg,TEXT MESSAGE,3"));
    EXPECT_EQ(FormatterGroup(codec->Received.Header), kGroupNone);
    EXPECT_EQ(store.DbgMode, 0);
}

}  // namespace
}  // namespace navoro
