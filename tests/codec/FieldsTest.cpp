#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "codec/Fields.h"

namespace navoro {
namespace {

TEST(ExpandEmptyFields, InsertsABlankIntoEveryEmptyField) {
    char text[kExpandBufferSize] = "$GPGLL,,,,,,V,N*64";
    ASSERT_TRUE(ExpandEmptyFields(text));
    EXPECT_STREQ(text, "$GPGLL, , , , , ,V,N*64");
    EXPECT_TRUE(CountFields(text, 7));
    EXPECT_FALSE(CountFields(text, 6));
    EXPECT_FALSE(CountFields(text, 8));

    char last[kExpandBufferSize] = "$AISSD,A,*00";
    ASSERT_TRUE(ExpandEmptyFields(last));
    EXPECT_STREQ(last, "$AISSD,A, *00");
}

TEST(ExpandEmptyFields, RejectsAResultOf99Characters) {
    // 20 empty fields add 20 blanks: a 78-character line expands to 98, a
    // 79-character one would reach 99 and is refused although it is short.
    auto line = [](int letters) {
        return "$A" + std::string(letters, 'x') + std::string(20, ',') + "*00\r\n";
    };
    char text[kExpandBufferSize];
    std::strcpy(text, line(51).c_str());
    ASSERT_TRUE(ExpandEmptyFields(text));
    EXPECT_EQ(std::strlen(text), 98u);

    const std::string over = line(52);
    ASSERT_EQ(over.size(), 79u);
    std::strcpy(text, over.c_str());
    EXPECT_FALSE(ExpandEmptyFields(text));
    EXPECT_EQ(std::string(text), over);
}

TEST(CountFields, NeedsAtLeastOneComma) {
    EXPECT_FALSE(CountFields("$AIAIQ*00", 0));
    EXPECT_TRUE(CountFields("$AIAIQ,SSD*00", 1));
}

TEST(NextField, SkipsLeadingBlanksButKeepsALoneBlank) {
    char text[] = "$XXABC,  12, ,34 *56";
    Tokenizer tok;
    EXPECT_STREQ(tok.NextField(text, ','), "$XXABC");
    EXPECT_STREQ(tok.NextField(nullptr, ','), "12");
    EXPECT_STREQ(tok.NextField(nullptr, ','), " ");
    EXPECT_STREQ(tok.NextField(nullptr, '*'), "34 ");
    EXPECT_EQ(tok.NextField(nullptr, ','), nullptr);
    EXPECT_EQ(tok.NextField(nullptr, ','), nullptr);
}

TEST(Converts, TellsANumberFromAFieldWithoutOne) {
    struct Case {
        const char* field;
        bool number;
    };
    const Case cases[] = {
        {"12", true},   {"-5", true},   {"+7", true},   {".5", true},  {"-.5", true}, {"1A", true},
        {" ", false},   {"", false},    {"AB", false},  {"+", false},  {"-", false},  {".", false},
        {"nan", false}, {"inf", false}, {"-X1", false}, {"  ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Converts(c.field), c.number) << '"' << c.field << '"';
}

TEST(ParseTime, SplitsHoursMinutesSecondsAndCeilsHundredths) {
    struct Case {
        const char* field;
        int hour, minute, second, hundredths;
    };
    const Case cases[] = {
        {"123456.78", 12, 34, 56, 78},
        {"120000.00", 12, 0, 0, 0},
        {"083015.01", 8, 30, 15, 2},  // the float nearest to 15.01 lies above it
        {"235959", 23, 59, 59, 0},
    };
    for (const Case& c : cases) {
        char text[32];
        std::snprintf(text, sizeof text, "%s,next*", c.field);
        Tokenizer tok;
        char* field = tok.NextField(text, ',');
        TimeOfDay t{};
        const char* next = ParseTime(tok, field, t);
        EXPECT_EQ(t.Hour, c.hour) << c.field;
        EXPECT_EQ(t.Minute, c.minute) << c.field;
        EXPECT_EQ(t.Second, c.second) << c.field;
        EXPECT_EQ(t.Hundredths, c.hundredths) << c.field;
        EXPECT_EQ(next, nullptr);  // "next" ends with '*', not ','
    }
}

TEST(ParseTime, BlankGivesNotAvailableAndKeepsHundredths) {
    char text[] = " ,9,";
    Tokenizer tok;
    TimeOfDay t{1, 2, 3, 44};
    const char* next = ParseTime(tok, tok.NextField(text, ','), t);
    EXPECT_EQ(t.Hour, 24);
    EXPECT_EQ(t.Minute, 60);
    EXPECT_EQ(t.Second, 60);
    EXPECT_EQ(t.Hundredths, 44);
    EXPECT_STREQ(next, "9");
}

TEST(ParseLatLon, ConvertsDegreesMinutesAndHemispheres) {
    struct Case {
        const char* fields;
        float lat, lon;
    };
    const Case cases[] = {
        {"4916.45,N,12311.12,W,", 49.274166f, -123.185333f},
        {"4916.45,S,12311.12,E,", -49.274166f, 123.185333f},
        {"9100.00,N,18100.00,E,", 91.0f, 181.0f},  // beyond the limits
        {" ,S, ,W,", -91.0f, -181.0f},             // blanks keep their sign
    };
    for (const Case& c : cases) {
        char text[64];
        std::snprintf(text, sizeof text, "%snext,", c.fields);
        Tokenizer tok;
        LatLon p{};
        const char* next = ParseLatLon(tok, tok.NextField(text, ','), p);
        EXPECT_NEAR(p.Lat, c.lat, 1e-5) << c.fields;
        EXPECT_NEAR(p.Lon, c.lon, 1e-5) << c.fields;
        EXPECT_STREQ(next, "next");
    }
}

TEST(ParseDate, AlwaysInThisCentury) {
    char text[] = "230394, ,";
    Tokenizer tok;
    DateOfYear d{};
    char* next = ParseDate(tok, tok.NextField(text, ','), d);
    EXPECT_EQ(d.Year, 2094);
    EXPECT_EQ(d.Month, 3);
    EXPECT_EQ(d.Day, 23);
    ParseDate(tok, next, d);
    EXPECT_EQ(d.Year, 0);
    EXPECT_EQ(d.Month, 0);
    EXPECT_EQ(d.Day, 0);
}

TEST(ParseHexByte, UpperCaseDigitsOnly) {
    std::uint8_t b = 9;
    EXPECT_FALSE(ParseHexByte("7f", b));
    EXPECT_EQ(b, 9);
    EXPECT_TRUE(ParseHexByte("7F", b));
    EXPECT_EQ(b, 127);
    EXPECT_TRUE(ParseHexByte("", b));
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(ParseHexByte("1FF", b));  // the running value keeps 8 bits
    EXPECT_EQ(b, 0xFF);
}

TEST(Conversions, FollowTheCLibraryRules) {
    EXPECT_EQ(Atol("  -42abc"), -42);
    EXPECT_EQ(Atol("+7"), 7);
    EXPECT_EQ(Atol(" "), 0);
    EXPECT_EQ(Atol("x1"), 0);
    EXPECT_EQ(Atol("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(Atol("-99999999999999999999999"), LONG_MIN);
    EXPECT_DOUBLE_EQ(Atof(" 5.25x"), 5.25);
    EXPECT_DOUBLE_EQ(Atof("-1e2"), -100.0);
    EXPECT_DOUBLE_EQ(Atof("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(Atof("abc"), 0.0);
    EXPECT_DOUBLE_EQ(Atof("+-5"), 0.0);
    EXPECT_DOUBLE_EQ(Atof("0x10"), 16.0);
}

TEST(CopyText, CutsAndTerminates) {
    char dst[4];
    CopyText(dst, "ABCDEFG");
    EXPECT_STREQ(dst, "ABC");
    CopyText(dst, "");
    EXPECT_STREQ(dst, "");
}

TEST(DegreesToNmea, SplitsMinutesAndFiveDecimals) {
    const NmeaAngle a = DegreesToNmea(49.5f);
    EXPECT_EQ(a.Degrees, 49);
    EXPECT_EQ(a.Minutes, 30);
    EXPECT_EQ(a.Fraction, 0);
    EXPECT_EQ(NmeaToDegrees(4930.0, 90.0f), 49.5f);
}

}  // namespace
}  // namespace navoro
