#include "tools/sim/AisPayload.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "tests/sim/AisLines.h"

namespace navoro::sim {
namespace {

// Runs the sentences through the codec's parser and message assembly and
// returns the de-armoured bits of the completed message.
bool Reassemble(const std::vector<std::string>& lines, AisBitBuffer& bits,
                std::string* formatter = nullptr, char* channel = nullptr) {
    auto codec = std::make_unique<Codec>();
    bool complete = false;
    for (const std::string& line : lines) {
        char buffer[kExpandBufferSize];
        if (line.size() >= sizeof buffer) return false;
        std::memcpy(buffer, line.c_str(), line.size() + 1);
        if (!ParseSentence(codec->Tok, buffer, codec->Received)) return false;
        complete = AssembleVdm(codec->Received, codec->Assembly);
    }
    if (formatter != nullptr) *formatter = codec->Received.Header.Formatter;
    if (channel != nullptr) *channel = codec->Assembly.Channel;
    return complete && DearmourPayload(codec->Assembly, bits);
}

class BitReader {
  public:
    explicit BitReader(const AisBitBuffer& bits) : bits_(bits) {}
    std::uint64_t U(int width) {
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i, ++at_) {
            const int bit = (bits_.Bits[at_ / 8] >> (7 - at_ % 8)) & 1;
            value = (value << 1) | static_cast<unsigned>(bit);
        }
        return value;
    }
    std::int64_t S(int width) {
        const std::uint64_t u = U(width);
        const std::uint64_t sign = 1ULL << (width - 1);
        return static_cast<std::int64_t>((u ^ sign) - sign);
    }
    std::string Text(int chars) {
        std::string text;
        for (int i = 0; i < chars; ++i) {
            const int v = static_cast<int>(U(6));
            text += static_cast<char>(v < 32 ? v + 64 : v);
        }
        while (!text.empty() && (text.back() == '@' || text.back() == ' '))
            text.pop_back();
        return text;
    }
    void Skip(int width) { at_ += width; }

  private:
    const AisBitBuffer& bits_;
    int at_ = 0;
};

TEST(AisPayloadTest, PositionReportRoundTripsThroughTheCodec) {
    PositionReport r;
    r.Type = 3;
    r.Mmsi = 211457320;
    r.NavStatus = 5;
    r.RateOfTurn = -12;
    r.SogKnots = 12.34;
    r.Lat = -33.8570;
    r.Lon = 151.2150;
    r.Cog = 359.96;  // rounds to 360.0, which wraps to 0
    r.Heading = 359;
    r.Second = 42;
    const AisPayload payload = EncodePositionReport(r);
    EXPECT_EQ(payload.Payload.size(), 28u);
    EXPECT_EQ(payload.FillBits, 0);

    const std::vector<std::string> lines = Encapsulate("VDO", 'B', payload, 0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("!AIVDO,1,1,,B,", 0), 0u);
    AisBitBuffer bits{};
    std::string formatter;
    char channel = 0;
    ASSERT_TRUE(Reassemble(lines, bits, &formatter, &channel));
    EXPECT_EQ(formatter, "VDO");
    EXPECT_EQ(channel, 'B');
    ASSERT_EQ(bits.BitCount, 168);
    BitReader b(bits);
    EXPECT_EQ(b.U(6), 3u);
    EXPECT_EQ(b.U(2), 0u);
    EXPECT_EQ(b.U(30), 211457320u);
    EXPECT_EQ(b.U(4), 5u);
    EXPECT_EQ(b.S(8), -12);
    EXPECT_EQ(b.U(10), 123u);
    EXPECT_EQ(b.U(1), 1u);
    EXPECT_EQ(b.S(28), 90729000);   // 151.2150 degrees in 1/10000 minute
    EXPECT_EQ(b.S(27), -20314200);  // -33.8570
    EXPECT_EQ(b.U(12), 0u);
    EXPECT_EQ(b.U(9), 359u);
    EXPECT_EQ(b.U(6), 42u);
}

TEST(AisPayloadTest, NotAvailableValuesUseTheirCodes) {
    const AisPayload payload = EncodePositionReport(PositionReport{});
    AisBitBuffer bits{};
    ASSERT_TRUE(Reassemble(Encapsulate("VDM", 'A', payload, 0), bits));
    BitReader b(bits);
    b.Skip(38);
    EXPECT_EQ(b.U(4), 15u);     // navigation status not defined
    EXPECT_EQ(b.S(8), -128);    // rate of turn
    EXPECT_EQ(b.U(10), 1023u);  // speed
    b.Skip(1);
    EXPECT_EQ(b.S(28), 108600000);  // longitude 181
    EXPECT_EQ(b.S(27), 54600000);   // latitude 91
    EXPECT_EQ(b.U(12), 3600u);      // course
    EXPECT_EQ(b.U(9), 511u);        // heading
    EXPECT_EQ(b.U(6), 60u);         // time stamp
}

TEST(AisPayloadTest, StaticVoyageDataNeedsTwoSentencesThatReassemble) {
    StaticVoyageData d;
    d.Mmsi = 244670123;
    d.Imo = 9412853;
    d.CallSign = "pdbs";  // raised to upper case
    d.Name = "BALTIC STAR";
    d.ShipType = 70;
    d.A = 120;
    d.B = 28;
    d.C = 10;
    d.D = 12;
    d.EtaMonth = 12;
    d.EtaDay = 31;
    d.EtaHour = 23;
    d.EtaMinute = 59;
    d.DraughtTenths = 255;
    d.Destination = "KIEL";
    const AisPayload payload = EncodeStaticVoyageData(d);
    EXPECT_EQ(payload.Payload.size(), 71u);
    EXPECT_EQ(payload.FillBits, 2);
    const std::vector<std::string> lines = Encapsulate("VDM", 'A', payload, 7);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("!AIVDM,2,1,7,A,", 0), 0u);
    EXPECT_EQ(lines[1].rfind("!AIVDM,2,2,7,A,", 0), 0u);
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 82u) << line;
        EXPECT_TRUE(CheckFraming(line.c_str())) << line;
    }
    AisBitBuffer bits{};
    ASSERT_TRUE(Reassemble(lines, bits));
    ASSERT_EQ(bits.BitCount, 424);
    BitReader b(bits);
    EXPECT_EQ(b.U(6), 5u);
    b.Skip(2);
    EXPECT_EQ(b.U(30), 244670123u);
    b.Skip(2);
    EXPECT_EQ(b.U(30), 9412853u);
    EXPECT_EQ(b.Text(7), "PDBS");
    EXPECT_EQ(b.Text(20), "BALTIC STAR");
    EXPECT_EQ(b.U(8), 70u);
    EXPECT_EQ(b.U(9), 120u);
    EXPECT_EQ(b.U(9), 28u);
    EXPECT_EQ(b.U(6), 10u);
    EXPECT_EQ(b.U(6), 12u);
    EXPECT_EQ(b.U(4), 1u);
    EXPECT_EQ(b.U(4), 12u);
    EXPECT_EQ(b.U(5), 31u);
    EXPECT_EQ(b.U(5), 23u);
    EXPECT_EQ(b.U(6), 59u);
    EXPECT_EQ(b.U(8), 255u);
    EXPECT_EQ(b.Text(20), "KIEL");
}

TEST(AisPayloadTest, OtherMessagesHaveTheirLengthsAndTypes) {
    ClassBStaticData data;
    data.Mmsi = 211998870;
    data.Name = "SEA BREEZE";
    data.CallSign = "DH2577";
    data.VendorId = "SIM";
    struct Case {
        AisPayload Payload;
        unsigned Type;
        int Bits;
    };
    BaseStationReport base;
    base.Mmsi = 2111240;
    base.Year = 2024;
    const Case cases[] = {
        {EncodeBaseStationReport(base), 4, 168},
        {EncodeClassBPositionReport(ClassBPositionReport{}), 18, 168},
        {EncodeClassBStaticPartA(data), 24, 168},
        {EncodeClassBStaticPartB(data), 24, 168},
    };
    for (const Case& c : cases) {
        AisBitBuffer bits{};
        ASSERT_TRUE(Reassemble(Encapsulate("VDM", 'B', c.Payload, 0), bits)) << c.Type;
        EXPECT_EQ(bits.BitCount, c.Bits) << c.Type;
        BitReader b(bits);
        EXPECT_EQ(b.U(6), c.Type);
        b.Skip(2);
        const std::uint64_t mmsi = b.U(30);
        if (c.Type == 4) {
            EXPECT_EQ(mmsi, 2111240u);
            EXPECT_EQ(b.U(14), 2024u);
        }
        if (c.Type == 24) {
            const std::uint64_t part = b.U(2);
            if (part == 0) {
                EXPECT_EQ(b.Text(20), "SEA BREEZE");
            }
            if (part == 1) {
                b.Skip(8 + 42);
                EXPECT_EQ(b.Text(7), "DH2577");
            }
        }
    }
}

AidToNavigationReport Buoy() {
    AidToNavigationReport r;
    r.Mmsi = 992111851;
    r.AidType = 24;
    r.Name = "FEHMARNBELT NORTH CARDINAL BUOY";  // 31 characters: 11 in the extension
    r.Lat = 54.5553;
    r.Lon = 10.4980;
    r.A = 2;
    r.B = 2;
    r.C = 1;
    r.D = 1;
    r.Second = 5;
    return r;
}

LongRangeReport FarShip() {
    LongRangeReport r;
    r.Mmsi = 636019825;
    r.Accurate = true;
    r.NavStatus = 0;
    r.Lat = -33.2621;  // -19957.26 tenths of a minute
    r.Lon = 10.7683;   // 6460.98
    r.SogKnots = 11.4;
    r.Cog = 289.6;
    return r;
}

// Messages whose bit length is not a multiple of 8, or whose character count
// and fill bits are not the usual pairs, are armoured with the fill bits their
// length needs and fit one sentence.
TEST(AisPayloadTest, NewMessagesHaveTheirLengthsAndFillBits) {
    AidToNavigationReport odd = Buoy();
    odd.Name = "FEHMARNBELT NORTH CARDINAL B";  // 28: 8 in the extension
    odd.ExtraBits = 2;
    AidToNavigationReport short_name = Buoy();
    short_name.Name = "KIEL LIGHT";
    AidToNavigationReport long_name = Buoy();
    long_name.Name = std::string(40, 'X');  // the extension holds 14 characters at most
    struct Case {
        const char* What;
        AisPayload Payload;
        unsigned Type;
        int Bits, Characters, FillBits;
    };
    const Case cases[] = {
        {"21, name extension of 11", EncodeAidToNavigationReport(Buoy()), 21, 338, 57, 4},
        {"21, extension of 8 and 2 more bits", EncodeAidToNavigationReport(odd), 21, 322, 54, 2},
        {"21, no extension", EncodeAidToNavigationReport(short_name), 21, 272, 46, 4},
        {"21, extension cut at 14", EncodeAidToNavigationReport(long_name), 21, 356, 60, 4},
        {"27", EncodeLongRangeReport(FarShip()), 27, 96, 16, 0},
        {"9", EncodeSarAircraftReport(SarAircraftReport{}), 9, 168, 28, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::vector<std::string> lines = Encapsulate("VDM", 'A', c.Payload, 0);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_LE(lines[0].size(), 82u);
        EXPECT_TRUE(CheckFraming(lines[0].c_str()));
        const test::SentenceBits bits = test::PayloadBits(lines[0]);
        EXPECT_EQ(bits.Characters, c.Characters);
        EXPECT_EQ(bits.FillBits, c.FillBits);
        ASSERT_EQ(static_cast<int>(bits.Bits.size()), c.Bits);
        EXPECT_EQ(bits.U(0, 6), c.Type);
    }
}

TEST(AisPayloadTest, LongRangeReportFieldsInTheirUnits) {
    const test::SentenceBits b =
        test::PayloadBits(Encapsulate("VDM", 'A', EncodeLongRangeReport(FarShip()), 0)[0]);
    ASSERT_EQ(b.Bits.size(), 96u);
    EXPECT_EQ(b.U(8, 30), 636019825u);
    EXPECT_EQ(b.U(38, 1), 1u);       // position accuracy
    EXPECT_EQ(b.U(39, 1), 0u);       // RAIM
    EXPECT_EQ(b.U(40, 4), 0u);       // under way using engine
    EXPECT_EQ(b.S(44, 18), 6461);    // longitude, 1/10 minute
    EXPECT_EQ(b.S(62, 17), -19957);  // latitude
    EXPECT_EQ(b.U(79, 6), 11u);      // knots
    EXPECT_EQ(b.U(85, 9), 290u);     // degrees
    EXPECT_EQ(b.U(94, 1), 0u);       // a current GNSS position

    const test::SentenceBits none =
        test::PayloadBits(Encapsulate("VDM", 'A', EncodeLongRangeReport(LongRangeReport{}), 0)[0]);
    EXPECT_EQ(none.S(44, 18), 181 * 600);
    EXPECT_EQ(none.S(62, 17), 91 * 600);
    EXPECT_EQ(none.U(79, 6), 63u);
    EXPECT_EQ(none.U(85, 9), 511u);
}

// gpsd's decoder, when installed, reads the new messages with the values meant.
TEST(AisPayloadTest, GpsdecodeReadsTheNewMessagesAsMeant) {
    if (test::GpsdecodePath().empty()) GTEST_SKIP() << "gpsdecode is not installed";
    AidToNavigationReport odd = Buoy();
    odd.Name = "FEHMARNBELT NORTH CARDINAL LIGHT";  // 12 in the extension
    odd.ExtraBits = 2;                              // 346 bits
    odd.Virtual = true;
    SarAircraftReport sar;
    sar.Mmsi = 111219005;
    sar.Altitude = 300;
    sar.SogKnots = 110;
    sar.Lat = 54.6;
    sar.Lon = 10.3;
    sar.Cog = 123.4;
    sar.Second = 17;
    std::vector<std::string> lines;
    for (const AisPayload& p : {EncodeAidToNavigationReport(odd), EncodeLongRangeReport(FarShip()),
                                EncodeSarAircraftReport(sar)}) {
        for (const std::string& line : Encapsulate("VDM", 'B', p, 0))
            lines.push_back(line);
    }
    ASSERT_EQ(test::PayloadBits(lines[0]).Bits.size(), 346u);
    const std::vector<nlohmann::json> decoded = test::Gpsdecode(lines);
    ASSERT_EQ(decoded.size(), 3u);

    const nlohmann::json& aid = decoded[0];
    EXPECT_EQ(aid["type"], 21);
    EXPECT_EQ(aid["mmsi"], 992111851);
    EXPECT_EQ(aid["aid_type"], 24);
    EXPECT_EQ(aid["name"], "FEHMARNBELT NORTH CARDINAL LIGHT");
    EXPECT_EQ(aid["lat"], std::llround(54.5553 * 600000));
    EXPECT_EQ(aid["lon"], std::llround(10.4980 * 600000));
    EXPECT_EQ(aid["to_bow"], 2);
    EXPECT_EQ(aid["to_starboard"], 1);
    EXPECT_EQ(aid["second"], 5);
    EXPECT_EQ(aid["virtual_aid"], true);

    const nlohmann::json& far = decoded[1];
    EXPECT_EQ(far["type"], 27);
    EXPECT_EQ(far["mmsi"], 636019825);
    EXPECT_EQ(far["accuracy"], true);
    EXPECT_EQ(far["raim"], false);
    EXPECT_EQ(far["status"], 0);
    EXPECT_EQ(far["lon"], 6461);
    EXPECT_EQ(far["lat"], -19957);
    EXPECT_EQ(far["speed"], 11);
    EXPECT_EQ(far["course"], 290);

    const nlohmann::json& plane = decoded[2];
    EXPECT_EQ(plane["type"], 9);
    EXPECT_EQ(plane["mmsi"], 111219005);
    EXPECT_EQ(plane["alt"], 300);
    EXPECT_EQ(plane["speed"], 110);
    EXPECT_EQ(plane["course"], 1234);
    EXPECT_EQ(plane["lat"], std::llround(54.6 * 600000));
    EXPECT_EQ(plane["second"], 17);
}

}  // namespace
}  // namespace navoro::sim
