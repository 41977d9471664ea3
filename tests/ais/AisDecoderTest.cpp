// The AIS payload decoder: one real or hand-built message of every type with
// its expected fields, then the edges of the table walk.
//
// The vectors were cross-checked with gpsd's gpsdecode (3.22). Known, intended
// differences from it:
//  - texts keep their '@' padding and trailing blanks; gpsdecode trims them;
//  - rate of turn is (v / 4.733)^2 with the sign of v (raw -32 gives -45.7);
//    gpsdecode's scaled turn prints 46 (sign lost, rounded) and names 127 and
//    -128 "fastright"/"nan";
//  - not-available codes come out as their scaled numbers (SOG 102.3, COG 360);
//    gpsdecode prints "nan" for SOG 1023;
//  - message 22 in addressed form still decodes the four corner fields from
//    the bits under the destination IDs (meaningless values); gpsdecode omits them;
//  - messages 6 and 8 carry their data as six-bit text to the end; gpsdecode
//    decodes the application payload by its identifiers instead;
//  - message 24 parts A and B are separate records; gpsdecode merges them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ais/MessageTables.h"
#include "tests/ais/AisTestSupport.h"

namespace navoro {
namespace {

using test::Bits;
using test::BitWriter;
using test::Decode;
using test::Fields;
using test::NamedValue;
using test::Txt;
using test::ValueOf;

struct MessageVector {
    const char* Label;
    const char* Payload;
    int FillBits;
    int FieldCount;  // fields the record walk visits
    std::vector<NamedValue> Expect;
};

const MessageVector kVectors[] = {
    {"Type1RealMoored",
     "177KQJ5000G?tO`K>RA1wUbN0TKH",
     0,
     16,
     {{"Message ID", "1"},
      {"User ID (MMSI)", "477553000"},
      {"Navigational status", "5"},
      {"Rate of turn", "0"},
      {"SOG", "0"},
      {"Longitude", "-122.345833"},
      {"Latitude", "47.5828323"},
      {"COG", "51"},
      {"True heading", "181"},
      {"Time stamp", "15"},
      {"Communication state", "149208"}}},
    {"Type1",
     "13`l7@0p1sPDVG0MqLt4lSs200TU",
     0,
     16,
     {{"User ID (MMSI)", "244123456"},
      {"Rate of turn", "-45.7116547"},
      {"SOG", "12.3000002"},
      {"Position accuracy", "1"},
      {"Longitude", "4.5"},
      {"Latitude", "52.25"},
      {"COG", "123.400002"},
      {"True heading", "125"},
      {"Time stamp", "33"},
      {"Communication state", "2341"}}},
    {"Type2NotAvailable",
     "23`l7@COww<tSF0l4Q@>4?wp0000",
     0,
     16,
     {{"Message ID", "2"},
      {"Navigational status", "3"},
      {"Rate of turn", "720.003235"},
      {"SOG", "102.300003"},
      {"Longitude", "181"},
      {"Latitude", "91"},
      {"COG", "360"},
      {"True heading", "511"},
      {"Time stamp", "60"}}},
    {"Type3",
     "33`l7@gP00JuAe1e7P@0001r0000",
     0,
     16,
     {{"Message ID", "3"},
      {"Navigational status", "15"},
      {"Rate of turn", "-731.386475"},
      {"Longitude", "-70.5"},
      {"Latitude", "-33"},
      {"Time stamp", "61"}}},
    {"Type4",
     "402E341v`o<N5PCM7PN2Vp100000",
     0,
     16,
     {{"User ID (MMSI)", "2442000"},
      {"UTC year", "2026"},
      {"UTC month", "3"},
      {"UTC day", "14"},
      {"UTC hour", "12"},
      {"UTC minute", "30"},
      {"UTC second", "5"},
      {"Position accuracy", "1"},
      {"Longitude", "4.25"},
      {"Latitude", "52.5"},
      {"Type of EPFD", "1"}}},
    {"Type5Real",
     "55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp888888888880",
     2,
     15,
     {{"User ID (MMSI)", "351759000"},
      {"IMO number", "9134270"},
      {"Call sign", "3FOF8  "},
      {"Name", "EVER DIADEM         "},
      {"Type of ship and cargo", "70"},
      // A 225, B 70, C 1, D 31
      {"Dimensions (A, B, C, D)", "472146015"},
      {"Type of EPFD", "1"},
      // month 5, day 15, hour 14, minute 0
      {"ETA (month, day, hour, minute)", "359296"},
      {"Maximum present static draught", "12.1999998"},
      {"Destination", "NEW YORK            "},
      {"DTE", "0"}}},
    {"Type5",
     "53`l7@02;=`10C7;?@0pu8@T>1=@580000000016?0N:<5GfNNTSm51DQ0C@00000000000",
     2,
     15,
     {{"IMO number", "9123456"},
      {"Call sign", "PD1234@"},
      {"Name", "NORDIC STAR@@@@@@@@@"},
      {"Destination", "ROTTERDAM@@@@@@@@@@@"},
      {"ETA (month, day, hour, minute)", "359326"}}},
    {"Type6",
     "63`l7@4rE8?4>d`48>RWt0T",
     2,
     10,
     {{"Sequence number", "1"},
      {"Destination ID", "244654321"},
      {"Application identifier, first 6 bits", "14"},
      {"Application identifier, last 10 bits", "714"},
      {"Binary data, as six-bit text to the end", "ABC()?@I"}}},
    {"Type7",
     "73aDPt@r=1l1>S@M1P",
     4,
     12,
     {{"User ID (MMSI)", "244654321"},
      {"Destination ID 1", "244123456"},
      {"Sequence number 1", "1"},
      {"Destination ID 2", "244123457"},
      {"Sequence number 2", "2"},
      {"Destination ID 3", "0"},
      {"Destination ID 4", "0"}}},
    {"Type8",
     "802E3400Gh0iRC3lUF6o`I9rcL<uf@",
     4,
     7,
     {{"Application identifier, first 6 bits", "0"},
      {"Application identifier, last 10 bits", "95"},
      {"Binary data, as six-bit text to the end", "@CFILORUX[^!$'*-0369"}}},
    {"Type9",
     "91b5jpEo2<PFpn0NDrh3Q5024000",
     0,
     17,
     {{"User ID (MMSI)", "111244001"},
      {"Altitude", "1500"},
      {"SOG", "140"},
      {"Longitude", "5"},
      {"Latitude", "53"},
      {"COG", "90"},
      {"Time stamp", "20"},
      {"DTE", "1"},
      {"RAIM flag", "1"}}},
    {"Type10",
     ":3`l7@00U@i0",
     0,
     6,
     {{"User ID (MMSI)", "244123456"}, {"Destination ID", "2442000"}}},
    {"Type11",
     ";3`l7@1v`o<N6PDVG0MqLt100000",
     0,
     16,
     {{"Message ID", "11"}, {"UTC second", "6"}, {"Longitude", "4.5"}, {"Latitude", "52.25"}}},
    {"Type12",
     "<3`l7@0rE8?4=C7P6?BPI?EQ",
     0,
     8,
     {{"Destination ID", "244654321"}, {"Safety related text, to the end", "MSG FOR YOU!"}}},
    {"Type13",
     "=3aDPt@r=1l3",
     0,
     12,
     {{"Message ID", "13"},
      {"Destination ID 1", "244123456"},
      {"Sequence number 1", "3"},
      {"Destination ID 2", "0"}}},
    {"Type14",
     ">02E341<D=E8U@F1L58pTpL",
     2,
     5,
     {{"User ID (MMSI)", "2442000"}, {"Safety related text, to the end", "SECURITE WARNING"}}},
    {"Type15",
     "?02E340r=1l0D00H1T3aDPtA@j0",
     2,
     15,
     {{"Destination ID 1", "244123456"},
      {"Message ID 1.1", "5"},
      {"Message ID 1.2", "24"},
      {"Slot offset 1.2", "100"},
      {"Destination ID 2", "244654321"},
      {"Message ID 2.1", "5"},
      {"Slot offset 2.1", "200"}}},
    // 144 bits: the final 4-bit spare is beyond the end and reads 0.
    {"Type16",
     "@02E340r=1l06@53aDPt@j0N",
     0,
     11,
     {{"Destination ID A", "244123456"},
      {"Offset A", "100"},
      {"Increment A", "20"},
      {"Destination ID B", "244654321"},
      {"Offset B", "200"},
      {"Increment B", "30"}}},
    {"Type17",
     "A02E3402`hu3P2E1O@D0",
     0,
     13,
     {{"Longitude", "4.5"},
      {"Latitude", "52.0999985"},
      {"Message type", "9"},
      {"Station ID", "321"},
      {"Z count", "4000"},
      {"Sequence number", "5"}}},
    {"Type18",
     "B3aaSF@0=h52A07Og82`j765kP06",
     0,
     21,
     {{"SOG", "5.5"},
      {"Longitude", "4.4000001"},
      {"Latitude", "52.4000015"},
      {"COG", "270"},
      {"True heading", "270"},
      {"Class B unit flag", "1"},
      {"Class B display flag", "0"},
      {"Class B DSC flag", "1"},
      {"Class B band flag", "1"},
      {"Class B message 22 flag", "1"},
      {"Mode flag", "0"},
      {"Communication state selector flag", "1"},
      {"Communication state", "393222"}}},
    {"Type19",
     "C3aaSFP0@`4rt@7NlR1hQJ6PV:30<2H6NL0000000000BP`1Q12P",
     0,
     20,
     {{"SOG", "6.5999999"},
      {"Name", "SEA FALCON@@@@@@@@@@"},
      {"Type of ship and cargo", "37"},
      {"Dimensions (A, B, C, D)", "20983938"},
      {"DTE", "1"}}},
    {"Type20",
     "D02E342<`N>56DVfp6@k6D0M000",
     2,
     20,
     {{"Offset number 1", "2250"},
      {"Number of slots 1", "1"},
      {"Time-out 1", "7"},
      {"Increment 1", "225"},
      {"Offset number 4", "7"},
      {"Number of slots 4", "4"}}},
    {"Type21",
     "E>jN6<IW7Wa2@44W22a@1:WdP00@5f=P>p9P050`HKW013SlU284jA1H1F50",
     0,
     18,
     {{"Type of aid to navigation", "19"},
      {"Name", "NOORD HINDER BUOY@@@"},
      {"Longitude", "2.5"},
      {"Latitude", "52"},
      {"Type of EPFD", "7"},
      {"Virtual aid flag", "1"},
      {"Name extension", "NORTH SIDE EXT"}}},
    {"Type22Broadcast",
     "F02E3422N2P7o=Qvk?hi3qH60000",
     0,
     17,
     {{"Channel A", "2087"},
      {"Channel B", "2088"},
      {"Longitude 1", "-7.5"},
      {"Latitude 1", "54.0999985"},
      {"Longitude 2", "-6.5"},
      {"Latitude 2", "53.2000008"},
      {"Addressed or broadcast flag", "0"},
      {"Channel B bandwidth", "1"},
      {"Transitional zone size", "4"}}},
    {"Type22Addressed",
     "F02E3422N2P1lJ3`03aDPt@F0000",
     0,
     19,
     {{"Addressed or broadcast flag", "1"},
      {"Destination ID 1", "244123456"},
      {"Destination ID 2", "244654321"}}},
    {"Type23",
     "G02E3402MPtt05`1pe6AP000ID0",
     2,
     15,
     {{"Longitude 1", "4.19999981"},
      {"Latitude 1", "52"},
      {"Longitude 2", "4.80000019"},
      {"Latitude 2", "51.5"},
      {"Station type", "6"},
      {"Type of ship and cargo", "70"},
      {"Tx/Rx mode", "1"},
      {"Reporting interval", "9"},
      {"Quiet time", "5"}}},
    {"Type24PartA",
     "H3aaSF@8iDF1LP4hD0000000000",
     2,
     5,
     {{"Part number", "0"}, {"Name", "BLUE WHALE@@@@@@@@@@"}}},
    {"Type24PartB",
     "H3aaSFDU<=?ijkl@5lkji01P4230",
     0,
     9,
     {{"Part number", "1"},
      {"Type of ship and cargo", "37"},
      {"Vendor ID", "LMO1234"},
      {"Call sign", "PE4321@"},
      {"Dimensions (A, B, C, D)", "25182339"}}},
    // Messages 25 and 26: the destination indicator and the binary data flag
    // choose the layout; 26 ends with its communication state.
    {"Type25BroadcastUnstructured",
     "I3m=TNRRekf2=RejI",
     0,
     6,
     {{"Source ID", "257123450"}, {"Destination indicator", "0"}, {"Binary data flag", "0"}}},
    {"Type25AddressedStructured",
     "I3m=TNduPh9P>dkI;lmM20",
     4,
     9,
     {{"Destination indicator", "1"},
      {"Binary data flag", "1"},
      {"Destination ID", "257999000"},
      {"Application identifier", "15052"},
      {"Binary data, as six-bit text to the end", "6R=MWP"}}},
    {"Type26BroadcastStructured",
     "J3m=TNT0J7;sn7hVtwN96vsKIA:Ua@",
     4,
     9,
     {{"Application identifier", "104"},
      {"Communication state selector flag", "0"},
      {"Communication state", "173477"}}},
    {"Type26AddressedUnstructured",
     "J3m=TN`uPh9PG>snA1:<NB=5",
     0,
     10,
     {{"Destination ID", "257999000"},
      {"Communication state selector flag", "1"},
      {"Communication state", "74565"},
      {"Binary data, as six-bit text to the end", "WN;6QAJL"}}},
    // Message 27: position in 1/10 minute, SOG in knots, COG in degrees.
    {"Type27",
     "Kkm=TN`0<IDJwSeD",
     0,
     12,
     {{"Repeat indicator", "3"},
      {"User ID (MMSI)", "257123450"},
      {"Position accuracy", "1"},
      {"Longitude", "5.28833342"},
      {"Latitude", "60.371666"},
      {"SOG", "7"},
      {"COG", "213"}}},
};

class MessageTypes : public ::testing::TestWithParam<MessageVector> {};

TEST_P(MessageTypes, DecodesEveryFieldOfItsTable) {
    const MessageVector& v = GetParam();
    AisBitBuffer bits{};
    ASSERT_TRUE(test::BitsFromPayload(v.Payload, v.FillBits, bits));
    bool ok = false;
    const DecodedRecord record = Decode(bits, &ok);
    ASSERT_TRUE(ok);
    const std::vector<NamedValue> fields = Fields(record);
    EXPECT_EQ(static_cast<int>(fields.size()), v.FieldCount);
    for (const NamedValue& e : v.Expect)
        EXPECT_EQ(ValueOf(fields, e.Name), e.Value) << e.Name;
}

INSTANTIATE_TEST_SUITE_P(AisDecoder, MessageTypes, ::testing::ValuesIn(kVectors),
                         [](const auto& info) { return std::string(info.param.Label); });

TEST(AisDecoder, EveryTypeOneToTwentyFourHasAVector) {
    bool seen[25] = {};
    for (const MessageVector& v : kVectors) {
        AisBitBuffer bits{};
        ASSERT_TRUE(test::BitsFromPayload(v.Payload, v.FillBits, bits));
        seen[ExtractBits(bits, 0, 6) % 25] = true;
    }
    for (int id = 1; id <= 24; ++id)
        EXPECT_TRUE(seen[id]) << id;
}

TEST(AisDecoder, ExtractBitsReadsAnyAlignment) {
    const AisBitBuffer bits = Bits({{3, 0}, {32, 0xDEADBEEF}, {5, 0x15}});
    EXPECT_EQ(ExtractBits(bits, 3, 32), 0xDEADBEEFu);
    EXPECT_EQ(ExtractBits(bits, 35, 5), 0x15u);
    EXPECT_EQ(ExtractBits(bits, 3, 1), 1u);
    EXPECT_EQ(ExtractBits(bits, 4, 1), 1u);
    EXPECT_EQ(ExtractBits(bits, 5, 1), 0u);
    // Past the end of the buffer the bits read as 0 and nothing outside is touched.
    AisBitBuffer full{};
    for (auto& b : full.Bits)
        b = 0xFF;
    EXPECT_EQ(ExtractBits(full, 1010, 32), 0xFC000000u);
    EXPECT_EQ(ExtractBits(full, 1016, 8), 0u);
    EXPECT_EQ(ExtractBits(full, 0, 0), 0u);
    EXPECT_EQ(ExtractBits(full, 0, 33), 0u);
}

TEST(AisDecoder, RejectsMessageIdsOutsideOneToTwentySeven) {
    for (int id : {0, 28, 40, 63}) {
        bool ok = true;
        Decode(Bits({{6, id}, {32, 0x12345678}, {32, 0}, {32, 0}, {32, 0}, {32, 0}, {2, 0}}), &ok);
        EXPECT_FALSE(ok) << id;
    }
}

// Six-bit text: 0-31 give '@' to '_', 32-63 give ' ' to '?'; padding and
// trailing blanks are kept.
TEST(AisDecoder, SixBitTextKeepsPaddingAndBlanks) {
    struct Case {
        std::vector<int> Values;
        const char* Name;
    } cases[] = {
        {{}, "@@@@@@@@@@@@@@@@@@@@"},  // all padding
        {{1, 26, 27, 31, 32, 33, 48, 57, 63}, "AZ[_ !09?@@@@@@@@@@@"},
        {{19, 5, 1, 32, 32}, "SEA  @@@@@@@@@@@@@@@"},
        {{32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32},
         "                    "},
    };
    for (const Case& c : cases) {
        BitWriter w;
        w.U(6, 5).U(2, 0).U(30, 1).U(2, 0).U(30, 0).Text(7, "");
        for (int i = 0; i < 20; ++i)
            w.U(6, i < static_cast<int>(c.Values.size()) ? c.Values[i] : 0);
        w.U(8, 0).U(30, 0).U(4, 0).U(20, 0).U(8, 0).Text(20, "").U(2, 0);
        const auto fields = Fields(Decode(w.Done()));
        EXPECT_EQ(ValueOf(fields, "Name"), c.Name);
        EXPECT_EQ(ValueOf(fields, "Call sign"), "@@@@@@@");
    }
}

TEST(AisDecoder, RateOfTurnKeepsItsSign) {
    const struct {
        int Raw;
        const char* Value;
    } cases[] = {
        {0, "0"},
        {1, "0.0446402878"},
        {-1, "-0.0446402878"},
        {127, "720.003235"},
        {-127, "-720.003235"},
        {-128, "-731.386475"},
    };
    for (const auto& c : cases) {
        const AisBitBuffer bits = Bits({{6, 1}, {2, 0}, {30, 1}, {4, 0}, {8, c.Raw}, {118, 0}});
        EXPECT_EQ(ValueOf(Fields(Decode(bits)), "Rate of turn"), c.Value) << c.Raw;
    }
}

TEST(AisDecoder, NotAvailableCodesAndHeadingLimit) {
    const struct {
        int Sog, LonRaw, LatRaw, Cog, Heading;
        const char *SogText, *Lon, *Lat, *CogText, *HeadingText;
    } cases[] = {
        {1023, 181 * 600000, 91 * 600000, 3600, 511, "102.300003", "181", "91", "360", "511"},
        {0, -108600000, -27000000, 0, 400, "0", "-181", "-45", "0", "511"},
        {1, 1, -1, 3599, 359, "0.100000001", "1.66666666e-06", "-1.66666666e-06", "359.899994",
         "359"},
        {10, 0, 0, 1, 360, "1", "0", "0", "0.100000001", "511"},
    };
    for (const auto& c : cases) {
        const AisBitBuffer bits = Bits({{6, 18},
                                        {2, 0},
                                        {30, 1},
                                        {8, 0},
                                        {10, c.Sog},
                                        {1, 0},
                                        {28, c.LonRaw},
                                        {27, c.LatRaw},
                                        {12, c.Cog},
                                        {9, c.Heading},
                                        {6, 0},
                                        {29, 0}});
        const auto fields = Fields(Decode(bits));
        EXPECT_EQ(ValueOf(fields, "SOG"), c.SogText);
        EXPECT_EQ(ValueOf(fields, "Longitude"), c.Lon);
        EXPECT_EQ(ValueOf(fields, "Latitude"), c.Lat);
        EXPECT_EQ(ValueOf(fields, "COG"), c.CogText);
        EXPECT_EQ(ValueOf(fields, "True heading"), c.HeadingText);
    }
}

// Message 22 reads the addressed flag at bit 139; only the addressed form
// carries the two destination IDs after the table's fields.
TEST(AisDecoder, Message22AddressedAndBroadcast) {
    for (int addressed : {0, 1}) {
        const AisBitBuffer bits = Bits({{6, 22},
                                        {2, 0},
                                        {30, 3669999},
                                        {2, 0},
                                        {12, 2087},
                                        {12, 2088},
                                        {4, 0},
                                        {1, 0},
                                        {30, 0x3FFFFFFF},
                                        {5, 0},
                                        {30, 211000001},
                                        {5, 0},
                                        {1, addressed},
                                        {29, 0}});
        const auto fields = Fields(Decode(bits));
        if (addressed) {
            ASSERT_EQ(fields.size(), 19u);
            EXPECT_EQ(fields[17].Name, "Destination ID 1");
            EXPECT_EQ(fields[17].Value, "1073741823");
            EXPECT_EQ(fields[18].Name, "Destination ID 2");
            EXPECT_EQ(fields[18].Value, "211000001");
        } else {
            EXPECT_EQ(fields.size(), 17u);
            EXPECT_EQ(ValueOf(fields, "Destination ID 1"), "<missing>");
        }
    }
}

// Part number 1 selects the part B table; 0, 2 and 3 the part A table.
TEST(AisDecoder, Message24PartNumberSelectsTable) {
    for (int part : {0, 1, 2, 3}) {
        const AisBitBuffer bits = Bits({{6, 24},
                                        {2, 0},
                                        {30, 1},
                                        {2, part},
                                        {8, 37},
                                        Txt(7, "VENDOR1"),
                                        Txt(7, "CALL"),
                                        {36, 0}});
        const auto fields = Fields(Decode(bits));
        EXPECT_EQ(fields.size(), part == 1 ? 9u : 5u) << part;
        EXPECT_EQ(fields.back().Name, part == 1 ? "Spare" : "Name") << part;
    }
}

// A message shorter than its table is decoded up to its last complete field;
// the rest of the record stays zero.
TEST(AisDecoder, ShortMessagesStopAtTheLastCompleteField) {
    {
        bool ok = false;
        const DecodedRecord record = Decode(test::PositionReport(244123456), &ok);
        AisBitBuffer cut = test::PositionReport(244123456);
        cut.BitCount = 104;  // through the longitude
        const DecodedRecord shortRecord = Decode(cut, &ok);
        EXPECT_TRUE(ok);
        const int latitude = kRecordLayout.Offset[1][8];
        EXPECT_EQ(0, std::memcmp(record.Bytes, shortRecord.Bytes, latitude));
        for (int i = latitude; i < DecodedRecord::kSize; ++i)
            EXPECT_EQ(shortRecord.Bytes[i], 0) << i;
    }
    // Message 21 without, with a partial and with a full name extension: the
    // extension is as many characters as the bits after the fixed part hold.
    const struct {
        const char* Extension;
        int BitCount;
        const char* Expected;
    } aton[] = {
        {"", 272, ""},
        {"SHORT", 304, "SHORT"},  // 32 bits: 5 characters and 2 bits
        {"TWELVE CHARS", 346, "TWELVE CHARS"},
        {"FOURTEEN CHARS", 360, "FOURTEEN CHARS"},  // and 4 spare bits
    };
    for (const auto& c : aton) {
        const AisBitBuffer bits = Bits({{6, 21},
                                        {2, 0},
                                        {30, 992001},
                                        {5, 1},
                                        Txt(20, "BUOY"),
                                        {1, 0},
                                        {28, 0},
                                        {27, 0},
                                        {30, 0},
                                        {4, 0},
                                        {6, 0},
                                        {1, 0},
                                        {8, 0},
                                        {1, 0},
                                        {1, 1},
                                        {1, 0},
                                        {1, 0},
                                        Txt(14, c.Extension),
                                        {4, 5}},
                                       c.BitCount);
        bool ok = false;
        const auto fields = Fields(Decode(bits, &ok));
        EXPECT_TRUE(ok);
        EXPECT_EQ(ValueOf(fields, "Virtual aid flag"), "1");
        EXPECT_EQ(ValueOf(fields, "Name extension"), c.Expected);
        EXPECT_EQ(fields.back().Name, "Name extension");
    }
    // Message 14 of 120 bits: 13 characters, the 2 bits left over ignored.
    {
        const AisBitBuffer bits =
            Bits({{6, 14}, {2, 0}, {30, 1}, {2, 0}, Txt(13, "THIRTEEN CHRS"), {2, 3}});
        ASSERT_EQ(bits.BitCount, 120);
        EXPECT_EQ(ValueOf(Fields(Decode(bits)), "Safety related text, to the end"),
                  "THIRTEEN CHRS");
    }
    // A message that ends inside its text: no text at all, and no failure.
    {
        bool ok = false;
        const auto fields =
            Fields(Decode(Bits({{6, 5}, {2, 0}, {30, 7}, {2, 0}, {30, 9}, Txt(3, "AB")}), &ok));
        EXPECT_TRUE(ok);
        EXPECT_EQ(ValueOf(fields, "IMO number"), "9");
        EXPECT_EQ(ValueOf(fields, "Call sign"), "");
        EXPECT_EQ(ValueOf(fields, "Destination"), "");
    }
}

// Whatever the bit count claims, reading stays inside the 127-byte buffer and
// writing inside the 171-byte record; the longest texts exactly fill it.
TEST(AisDecoder, LongestMessagesStayInsideTheRecord) {
    const struct {
        int Id;
        int Chars;  // the six-bit characters after the fixed fields of 1016 bits
    } cases[] = {{8, 160}, {6, 154}, {12, 157}, {14, 162}};
    for (const auto& c : cases) {
        AisBitBuffer bits{};
        for (auto& b : bits.Bits)
            b = 0x55;
        bits.Bits[0] = static_cast<std::uint8_t>(c.Id << 2 | (bits.Bits[0] & 3));
        for (int claimed : {1016, 1017, 4000, 65535}) {
            bits.BitCount = static_cast<std::uint16_t>(claimed);
            bool ok = false;
            const DecodedRecord record = Decode(bits, &ok);
            EXPECT_TRUE(ok);
            const auto fields = Fields(record);
            EXPECT_EQ(fields.back().Value.size(), static_cast<std::size_t>(c.Chars)) << c.Id;
        }
    }
}

TEST(AisDecoder, TablesMatchTheirDocumentedShape) {
    // Tables shared by several message types.
    EXPECT_EQ(kMessageTables[1].Fields, kMessageTables[3].Fields);
    EXPECT_EQ(kMessageTables[4].Fields, kMessageTables[11].Fields);
    EXPECT_EQ(kMessageTables[7].Fields, kMessageTables[13].Fields);
    // The longest possible record is exactly 171 bytes: message 8 with 160 characters.
    EXPECT_EQ(kRecordLayout.Size[8] - 1 + 161, DecodedRecord::kSize);
    // Scales are the nearest 32-bit floats of 0.1 and 0.0001.
    EXPECT_EQ(kMessageTables[1].Fields[5].Scale, 0.1f);
    EXPECT_EQ(kMessageTables[1].Fields[7].Scale, 0.0001f);
    EXPECT_EQ(kMessageTables[9].Fields[4].Scale, 1.0f);
}

}  // namespace
}  // namespace navoro
