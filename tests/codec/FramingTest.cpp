#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "codec/Framing.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

struct FramingCase {
    const char* text;
    bool framed;
};

class CheckFramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(CheckFramingTest, JudgesLineEndAndChecksum) {
    EXPECT_EQ(CheckFraming(GetParam().text), GetParam().framed) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckFramingTest,
    ::testing::Values(FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*60\r\n", true},
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*61\r\n", false},
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*70\r\n", false},
                      // Lower-case hex digits are not accepted.
                      FramingCase{"$AIAIQ,SSD*39\r\n", true},
                      FramingCase{"$AIAIQ,VSD*3c\r\n", false},
                      FramingCase{"$AIAIQ,VSD*3C\r\n", true},
                      // Line ends.
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*60\n", false},
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*60", false},
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00*60\n\r", false},
                      // No '*', or one too late to be followed by two digits.
                      FramingCase{"$GPZDA,201530.00,04,07,2002,00,00\r\n", false},
                      FramingCase{"$AIAIQ,SSD*3\r\n", false}, FramingCase{"$AIAIQ,SSD*\r\n", false},
                      // Too short to hold anything.
                      FramingCase{"\r\n", false}, FramingCase{"$\r\n", false},
                      // Characters after the checksum digits are not looked at.
                      FramingCase{"$AIAIQ,SSD*39xyz\r\n", true},
                      // The character after the start is data even when it is a '*'.
                      FramingCase{"$*X*72\r\n", true}, FramingCase{"$AB*03\r\n", true},
                      // The start character is not part of the checksum.
                      FramingCase{"!AIAIQ,SSD*39\r\n", true}));

TEST(DecodeAddress, FillsTheHeaderForEachKindOfAddress) {
    struct Case {
        std::string line;
        const char* talker;
        const char* formatter;
        char mode;
        const char* parsed;  // the text the parser sees
    };
    const Case cases[] = {
        {"$AIAIQ,SSD*39\r\n", "AI", "Q", 0, "$AIAIQ,SSD*39\r\n"},
        {"$PLMO,Q,DES,1,PORT*2C\r\n", "P", "DES", 'Q', "$PDES,1,PORT*2C\r\n"},
        {"$PTST,,,,,00016*18\r\n", "P", "TST", 0, "$PTST,,,,,00016*18\r\n"},
        {"$GPGGA,1*00\r\n", "GP", "GGA", 0, "$GPGGA,1*00\r\n"},
        {"!AIVDO,1*00\r\n", "AI", "VDO", 0, "!AIVDO,1*00\r\n"},
    };
    for (const Case& c : cases) {
        char text[100];
        std::strcpy(text, c.line.c_str());
        SentenceHeader header{};
        header.Mode = 'x';
        const char* parsed = DecodeAddress(text, header);
        EXPECT_EQ(header.Start, c.line[0]) << c.line;
        EXPECT_STREQ(header.Talker, c.talker) << c.line;
        EXPECT_STREQ(header.Formatter, c.formatter) << c.line;
        EXPECT_EQ(header.Mode, c.mode) << c.line;
        EXPECT_STREQ(parsed, c.parsed) << c.line;
    }
}

TEST(AppendChecksum, AppendsUpperCaseDigitsAndLineEnd) {
    char text[100] = "$ECVSD,30,5.2,12,HAMBURG,120000.00,05,06,0,0";
    ASSERT_TRUE(AppendChecksum(text));
    EXPECT_STREQ(text, "$ECVSD,30,5.2,12,HAMBURG,120000.00,05,06,0,0*2A\r\n");
    EXPECT_TRUE(CheckFraming(text));

    char bang[100] = "!ECVSD,30,5.2,12,HAMBURG,120000.00,05,06,0,0";
    ASSERT_TRUE(AppendChecksum(bang));
    EXPECT_STREQ(bang + std::strlen(bang) - 5, "*2A\r\n");

    char probe[100] = "$PTST,,,,,00017";
    ASSERT_TRUE(AppendChecksum(probe));
    EXPECT_STREQ(probe, "$PTST,,,,,00017*19\r\n");
}

TEST(AppendChecksum, RefusesTextsOf65535CharactersOrMore) {
    std::string text(65535, 'A');
    text[0] = '$';
    text.resize(text.size() + 6, '\0');
    EXPECT_FALSE(AppendChecksum(text.data()));
    EXPECT_EQ(std::strlen(text.c_str()), 65535u);
}

}  // namespace
}  // namespace navoro
