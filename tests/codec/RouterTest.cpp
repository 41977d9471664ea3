#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Sentence;

// An encapsulation sentence's record as the parser leaves it.
SentenceRecord Part(const char* formatter, int total, int number, int sequence, const char* payload,
                    int fill) {
    SentenceRecord r{};
    r.Header.Start = '!';
    CopyText(r.Header.Formatter, formatter);
    r.Vdm.Total = static_cast<std::int8_t>(total);
    r.Vdm.Number = static_cast<std::int8_t>(number);
    r.Vdm.SequenceId = static_cast<std::int8_t>(sequence);
    r.Vdm.Channel = 'A';
    CopyText(r.Vdm.Payload, payload);
    r.Vdm.FillBits = static_cast<std::int8_t>(fill);
    return r;
}

TEST(AssembleVdm, JoinsPartsInOrderOnly) {
    VdmAssembly a{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 3, "AAAA", 0), a));
    EXPECT_TRUE(AssembleVdm(Part("VDM", 2, 2, 3, "BB", 2), a));
    EXPECT_STREQ(a.Payload, "AAAABB");
    EXPECT_EQ(a.FillBits, 2);

    // Out of order: part 2 first starts an assembly that part 1 replaces.
    VdmAssembly b{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 2, 3, "BB", 2), b));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 3, "AAAA", 0), b));
    EXPECT_STREQ(b.Payload, "AAAA");

    // Different sequential identifiers or formatters do not join.
    VdmAssembly c{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 3, "AAAA", 0), c));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 2, 4, "BB", 2), c));
    VdmAssembly d{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 3, "AAAA", 0), d));
    EXPECT_FALSE(AssembleVdm(Part("VDO", 2, 2, 3, "BB", 2), d));

    // Interleaved messages: the second message's first part restarts the assembly.
    VdmAssembly e{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 3, "AAAA", 0), e));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 1, 4, "CCCC", 0), e));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 2, 2, 3, "BB", 2), e));
    EXPECT_STREQ(e.Payload, "BB");

    // A repeated part restarts at that part.
    VdmAssembly f{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 1, 1, "AAAA", 0), f));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 2, 1, "BBBB", 0), f));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 2, 1, "BBBB", 0), f));
    EXPECT_STREQ(f.Payload, "BBBB");

    VdmAssembly single{};
    EXPECT_TRUE(AssembleVdm(Part("VDO", 1, 1, 0x80, "AAAA", 0), single));
}

TEST(AssembleVdm, RejectsAPayloadThatWouldOverflow) {
    const std::string sixty(60, '0');
    VdmAssembly a{};
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 1, 1, sixty.c_str(), 0), a));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 2, 1, sixty.c_str(), 0), a));
    EXPECT_FALSE(AssembleVdm(Part("VDM", 3, 3, 1, sixty.c_str(), 0), a));  // 180 > 172
    EXPECT_STREQ(a.Payload, "");
    EXPECT_EQ(a.Number, 0);
}

TEST(SixBitValue, CoversTheArmouringAlphabet) {
    EXPECT_EQ(SixBitValue('0'), 0);
    EXPECT_EQ(SixBitValue('W'), 39);
    EXPECT_EQ(SixBitValue('`'), 40);
    EXPECT_EQ(SixBitValue('a'), 41);
    EXPECT_EQ(SixBitValue('w'), 63);
    EXPECT_EQ(SixBitValue('X'), -1);
    EXPECT_EQ(SixBitValue('x'), -1);
    EXPECT_EQ(SixBitValue('/'), -1);
    EXPECT_EQ(SixBitValue('\0'), -1);
}

// Any payload length with 0 to 5 fill bits: six bits a character less the fill.
TEST(DearmourPayload, BitCountIsSixPerCharacterLessTheFillBits) {
    struct Case {
        std::string payload;
        int fill;
        bool ok;
        int bits;
    };
    const Case cases[] = {
        {std::string(28, '1'), 0, true, 168},
        {std::string(30, '1'), 0, true, 180},
        {std::string(31, '1'), 2, true, 184},
        {std::string(30, '1'), 4, true, 176},
        {std::string(28, '1'), 2, true, 166},
        {std::string(29, '1'), 4, true, 170},
        {std::string(28, '1'), 1, true, 167},
        {std::string(28, '1'), 3, true, 165},
        {std::string(58, '1'), 2, true, 346},  // an aid to navigation with a name extension
        {std::string(28, '1'), 5, true, 163},
        {"", 0, true, 0},
        {std::string(28, '1'), 6, false, 0},  // fill bits outside 0-5
        {std::string(28, '1'), -1, false, 0},
        {"", 2, false, 0},  // more fill bits than bits
        {"1111111X", 0, false, 0},
        {"111111x1", 0, false, 0},
        {"1111111"
         "\xB1",
         0, false, 0},  // a byte above 0x7F
    };
    for (const Case& c : cases) {
        VdmAssembly a{};
        CopyText(a.Payload, c.payload.c_str());
        a.FillBits = static_cast<std::int8_t>(c.fill);
        AisBitBuffer bits{};
        EXPECT_EQ(DearmourPayload(a, bits), c.ok) << c.payload << " fill " << c.fill;
        if (c.ok) {
            EXPECT_EQ(bits.BitCount, c.bits) << c.payload;
        }
    }
}

// The fill bits, and every bit after them, read as 0.
TEST(DearmourPayload, ClearsTheFillBits) {
    struct Case {
        const char* payload;
        int fill;
        std::vector<int> bytes;
    };
    const Case cases[] = {
        {"w", 2, {0xF0, 0x00}},
        {"ww", 4, {0xFF, 0x00}},
        {"www", 5, {0xFF, 0xF8, 0x00, 0x00}},
        {"wwww", 1, {0xFF, 0xFF, 0xFE, 0x00}},
    };
    for (const Case& c : cases) {
        VdmAssembly a{};
        CopyText(a.Payload, c.payload);
        a.FillBits = static_cast<std::int8_t>(c.fill);
        AisBitBuffer bits{};
        for (auto& b : bits.Bits)
            b = 0xAA;  // what an earlier message left
        ASSERT_TRUE(DearmourPayload(a, bits)) << c.payload;
        for (std::size_t i = 0; i < c.bytes.size(); ++i)
            EXPECT_EQ(bits.Bits[i], c.bytes[i]) << c.payload << " byte " << i;
        EXPECT_EQ(bits.Bits[AisBitBuffer::kCapacityBytes - 1], 0) << c.payload;
    }
}

TEST(DearmourPayload, PacksSixBitsPerCharacterHighFirst) {
    VdmAssembly a{};
    CopyText(a.Payload, "1aw0W`");  // 1, 41, 63, 0, 39, 40
    a.FillBits = 4;
    AisBitBuffer bits{};
    ASSERT_TRUE(DearmourPayload(a, bits));
    ASSERT_EQ(bits.BitCount, 32);
    // 000001 101001 111111 000000 | 100111 10(1000)
    EXPECT_EQ(bits.Bits[0], 0x06);
    EXPECT_EQ(bits.Bits[1], 0x9F);
    EXPECT_EQ(bits.Bits[2], 0xC0);
    EXPECT_EQ(bits.Bits[3], 0x9E);
}

TEST(DearmourPayload, NeverWritesBeyondTheBitBuffer) {
    // 172 characters would de-armour to 129 bytes, 170 to 127.5.
    VdmAssembly a{};
    AisBitBuffer bits{};
    for (const int n : {172, 170}) {
        CopyText(a.Payload, std::string(static_cast<std::size_t>(n), '1').c_str());
        for (const int fill : {0, 5}) {
            a.FillBits = static_cast<std::int8_t>(fill);
            EXPECT_FALSE(DearmourPayload(a, bits)) << n << " fill " << fill;
        }
    }
    // 169 characters (1014 bits) still fit.
    CopyText(a.Payload, std::string(169, '1').c_str());
    a.FillBits = 0;
    EXPECT_TRUE(DearmourPayload(a, bits));
    EXPECT_EQ(bits.BitCount, 1014);
}

class Routing : public ::testing::Test {
  protected:
    bool Route(const std::string& body) { return RouteSentence(*codec, Sentence(body).c_str()); }
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
};

TEST_F(Routing, FirstPartOfAMessageIsNotAccepted) {
    EXPECT_FALSE(
        Route("!AIVDM,2,1,3,B,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0"));
    EXPECT_EQ(codec->Assembly.Number, 1);
    EXPECT_EQ(codec->Assembly.Total, 2);
}

TEST_F(Routing, AnAcceptedDollarSentenceDiscardsTheCollectedParts) {
    EXPECT_FALSE(
        Route("!AIVDM,2,1,3,B,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0"));
    EXPECT_TRUE(Route("$AIAIQ,SSD"));
    EXPECT_EQ(codec->Assembly.Total, 0);
    EXPECT_STREQ(codec->Assembly.Payload, "");
    EXPECT_FALSE(Route("!AIVDM,2,2,3,B,88888888880,2"));
    EXPECT_EQ(codec->Assembly.Number, 2);  // a new assembly that never completes
    EXPECT_STREQ(codec->Assembly.Payload, "88888888880");
}

TEST_F(Routing, ARejectedLineChangesNoStoreAndNoAssembly) {
    EXPECT_FALSE(
        Route("!AIVDM,2,1,3,B,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0"));
    std::string bad = Sentence("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI");
    bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';
    EXPECT_FALSE(RouteSentence(*codec, bad.c_str()));
    EXPECT_EQ(codec->Ais.SsdReceived, 0);
    EXPECT_EQ(codec->Assembly.Number, 1);
}

TEST_F(Routing, GroupsDecideWhatIsParsed) {
    EXPECT_FALSE(Route("$AILRI,1,2,3"));  // long-range group: no parser
    EXPECT_FALSE(Route("$CDDSC,1,2,3"));  // DSC group: no parser
    EXPECT_FALSE(Route("$PIWWSSD,1,2"));  // unknown proprietary mnemonic
    SentenceHeader h{};
    CopyText(h.Formatter, "GGA");
    EXPECT_EQ(FormatterGroup(h), kGroupGnss);
    CopyText(h.Formatter, "LRI");
    EXPECT_EQ(FormatterGroup(h), kGroupLongRange);
    CopyText(h.Formatter, "XYZ");
    EXPECT_EQ(FormatterGroup(h), kGroupNone);
}

TEST_F(Routing, RefusesLinesThatDoNotFitTheWorkingCopy) {
    std::string huge = Sentence("$AITXT,01,01,21," + std::string(200, 'A'));
    EXPECT_FALSE(RouteSentence(*codec, huge.c_str()));
    std::string with_nul = Sentence("$AIAIQ,SSD");
    with_nul[3] = '\0';
    EXPECT_FALSE(RouteSentence(*codec, with_nul.data(), with_nul.size()));
}

// Valid sentences of every parsed family with random fields changed and the
// checksum made right again, so each reaches its parser: every one is either
// accepted or rejected (the sanitizer build checks that nothing is read or
// written out of bounds).
TEST_F(Routing, MutatedSentencesAreAcceptedOrRejectedSafely) {
    const std::string bodies[] = {
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A",
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30",
        "$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38",
        "$GPZDA,201530.00,04,07,2002,00,00",
        "$GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,",
        "$GPDTM,W84,,0.0,N,0.0,E,0.0,W84",
        "$GPWPL,4917.16,N,12310.64,W,003",
        "$GPRMA,A,4916.45,N,12311.12,W,,,12.3,44.0,3.2,E",
        "$PLMO,R,TSV,30,0,101,1,102,0,122,0",
        "$PLMO,R,DES,2,HAMBURG",
        "$AIMBL,211000000,JOHN SMITH",
        "$PLMO,R,CLR,1,1010101010,1,2087,2088",
        "$PMOB,A1B2C3,5,0F,,0102",
        "$PBDY,123456789,TEXT ONE,TEXT TWO,0,1",
        "$PBTH,1,2,3,4,5,6,LUMO-AIS",
        "$PSmg,TEXT MESSAGE,3",
        "$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI",
    };
    const char alphabet[] = ",,,**  0123456789ABCDEFGXYZabmnSWE-.+$!";
    std::mt19937 random(2024);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string body = bodies[random() % std::size(bodies)];
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = 1 + random() % (body.size() - 1);
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
                case 0:
                    body[at] = c;
                    break;
                case 1:
                    body.insert(at, 1, c);
                    break;
                default:
                    if (body.size() > 2) body.erase(at, 1);
                    break;
            }
        }
        if (body.find('*') != std::string::npos) continue;
        accepted += RouteSentence(*codec, Sentence(body).c_str()) ? 1 : 0;
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace navoro
