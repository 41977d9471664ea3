#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(DearmourPayload, AcceptsWholeBytesOnly) {
    struct Case {
        std::string payload;
        int fill;
        bool ok;
        int bits;
    };
    const Case cases[] = {
        {std::string(28, '1'), 0, true, 168},
        {std::string(30, '1'), 0, true, 168},  // characters after the last group are ignored
        {std::string(31, '1'), 2, true, 184},
        {std::string(30, '1'), 4, true, 176},
        {std::string(28, '1'), 2, false, 0},  // a multiple of 4 with fill bits 2
        {std::string(29, '1'), 4, false, 0},
        {std::string(28, '1'), 1, false, 0},
        {std::string(28, '1'), 3, false, 0},
        {std::string(28, '1'), 5, false, 0},
        {"1111111X", 0, false, 0},
        {"111111x1", 0, false, 0},
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
    // 172 characters would de-armour to 129 bytes.
    VdmAssembly a{};
    const std::string payload(172, '1');
    CopyText(a.Payload, payload.c_str());
    a.FillBits = 0;
    AisBitBuffer bits{};
    EXPECT_FALSE(DearmourPayload(a, bits));
    // 168 characters (126 bytes) still fit.
    CopyText(a.Payload, std::string(168, '1').c_str());
    EXPECT_TRUE(DearmourPayload(a, bits));
    EXPECT_EQ(bits.BitCount, 1008);
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

}  // namespace
}  // namespace navoro
