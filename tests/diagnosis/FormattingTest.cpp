// Position texts and the GPS STATUS box texts.
#include <gtest/gtest.h>

#include <cmath>

#include "DiagnosisTestSupport.h"
#include "diagnosis/GnssStatusText.h"
#include "diagnosis/PositionFormat.h"

namespace navoro {
namespace {

struct PositionCase {
    double Lon, Lat;
    int Style, Mark;
    const char* Lon_;
    const char* Lat_;
};

// "°" stands for B0 and "^" for the Big5 sign A2 58 in the expected texts.
std::string Bytes(const char* pattern) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '^') {
            out += "\xA2\x58";
        } else if (*p == '~') {
            out += '\xB0';
        } else {
            out += *p;
        }
    }
    return out;
}

TEST(FormatPosition, StylesMarksAndHemispheres) {
    // ~ = B0, ^ = Big5 degree sign.
    const PositionCase cases[] = {
        {-121.25, 25.5, 1, 0, "121~15'W", " 25~30'N"},
        {-121.25, 25.5, 1, 1, "121^15'W", " 25^30'N"},
        {-121.25, 25.5, 2, 0, "121~15'00\"W", " 25~30'00\"N"},
        {-121.25, 25.5, 3, 0, "121^15.0000'W", " 25^30.0000'N"},
        {-121.25, 25.5, 3, 1, "121^15.0000'W", " 25^30.0000'N"},
        {-121.25, 25.5, 7, 0, "121~W", " 25~N"},
        {0.0, -0.5, 3, 0, "  0^00.0000'E", "  0^30.0000'S"},
        {0.0, 0.5, 1, 0, "  0~00'E", "  0~30'N"},
        // Seconds and ten-thousandths are truncated, never rounded.
        {10.999999, 59.508333, 2, 0, " 10~59'59\"E", " 59~30'29\"N"},
        {10.999999, 59.508333, 3, 0, " 10^59.9999'E", " 59^30.4999'N"},
        // The own ship's not-available position.
        {181.0, 91.0, 3, 0, "181^00.0000'E", " 91^00.0000'N"},
    };
    for (const PositionCase& c : cases) {
        std::string lon, lat;
        FormatPosition(lon, lat, c.Lon, c.Lat, c.Style, c.Mark);
        EXPECT_EQ(lon, Bytes(c.Lon_)) << c.Lon << " style " << c.Style;
        EXPECT_EQ(lat, Bytes(c.Lat_)) << c.Lat << " style " << c.Style;
    }
}

TEST(FormatPosition, ValuesNoCoordinateHoldsStayBounded) {
    std::string lon, lat;
    FormatPosition(lon, lat, NAN, INFINITY, 3, 0);
    EXPECT_FALSE(lon.empty());
    EXPECT_LT(lat.size(), 24u);
    FormatPosition(lon, lat, -1.0e30, 1.0e30, 2, 0);
    EXPECT_LT(lon.size(), 24u);
}

TEST(DegreeSignsToUtf8, BothMarksShowAsDegreeSign) {
    EXPECT_EQ(DegreeSignsToUtf8(Bytes(" 25^30.0000'N")), " 25\u00B030.0000'N");
    EXPECT_EQ(DegreeSignsToUtf8(Bytes(" 87.5~")), " 87.5\u00B0");
    EXPECT_EQ(DegreeSignsToUtf8("\xA2"), "\u00A2");  // a lone A2 is a Latin-1 character
}

TEST(GnssStatusTexts, BoxFormats) {
    EXPECT_EQ(FormatUtcDate(2024, 5, 1), "2024/05/01");
    EXPECT_EQ(FormatUtcTime({7, 5, 9, 99}), "07:05:09");
    EXPECT_EQ(FormatFixMode(2), "2D");
    EXPECT_EQ(FormatFixMode(3), "3D");
    EXPECT_EQ(FormatFixMode(1), "Lost");
    EXPECT_EQ(FormatFixMode(0), "Lost");

    struct Case {
        double Value;
        const char* Hdop;
        const char* Sog;
        const char* Cog;
    };
    const Case cases[] = {
        {0.0, " 0.0", " 0.00 kn", "  0.0\xB0"},
        {1.03, " 1.0", " 1.03 kn", "  1.0\xB0"},
        {99.8f, "99.8", "99.80 kn", " 99.8\xB0"},
        {99.9f, "N/A", "99.90 kn", " 99.9\xB0"},
        {102.2f, "N/A", "102.20 kn", "102.2\xB0"},
        {102.3f, "N/A", "N/A", "102.3\xB0"},
        {359.9f, "N/A", "N/A", "359.9\xB0"},
        {360.0, "N/A", "N/A", "N/A"},
        {-0.1, "N/A", "N/A", "N/A"},
        {-100000.0, "N/A", "N/A", "N/A"},  // an empty field
        {NAN, "N/A", "N/A", "N/A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatHdop(c.Value), c.Hdop) << c.Value;
        EXPECT_EQ(FormatSog(c.Value), c.Sog) << c.Value;
        EXPECT_EQ(FormatCog(c.Value), c.Cog) << c.Value;
    }
}

class GnssStatusUpdateTest : public ::testing::Test {
  protected:
    GnssStatusTexts Route(const std::string& body) {
        EXPECT_TRUE(test::RouteBody(*codec, body)) << body;
        return GnssStatusUpdate(codec->Gnss, codec->Targets.Entry(0));
    }
    std::unique_ptr<Codec> codec = test::NewCodec();
};

TEST_F(GnssStatusUpdateTest, NothingBeforeTimeFixAndPosition) {
    const GnssStatusTexts texts = Route("$GPVTG,31.66,T,,M,0.02,N,0.04,K,A");
    EXPECT_FALSE(texts.UtcDate || texts.UtcTime || texts.FixMode || texts.Hdop || texts.InView ||
                 texts.InUse || texts.Lon || texts.Lat || texts.Sog || texts.Cog);
}

TEST_F(GnssStatusUpdateTest, FixFollowsGsaButChangesOnlyAtGga) {
    Route("$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38");
    GnssStatusTexts texts =
        Route("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(texts.FixMode.value_or("?"), "3D");
    EXPECT_EQ(texts.Hdop.value_or("?"), " 1.0");
    EXPECT_EQ(texts.InUse.value_or("?"), "8");
    EXPECT_EQ(texts.UtcTime.value_or("?"), "09:27:50");
    // GgaReceived is consumed: the next sentence leaves the fix boxes alone.
    EXPECT_EQ(codec->Gnss.GgaReceived, 0);
    texts = Route("$GPGSA,A,1,,,,,,,,,,,,,1.72,1.03,1.38");
    EXPECT_FALSE(texts.FixMode);
    texts = Route("$GPGGA,092751.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(texts.FixMode.value_or("?"), "Lost");
    EXPECT_EQ(texts.Hdop.value_or("?"), "N/A");  // whatever the HDOP
    EXPECT_EQ(texts.InUse.value_or("?"), "8");
    // A multi-constellation count, and a blank one.
    texts = Route("$GNGGA,092752.000,5321.6802,N,00630.3372,W,1,24,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(texts.InUse.value_or("?"), "24");
    texts = Route("$GNGGA,092753.000,5321.6802,N,00630.3372,W,1,,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(texts.InUse.value_or("?"), "N/A");
}

TEST_F(GnssStatusUpdateTest, PositionComesFromTheOwnShipWhileTheStoreHasOne) {
    // No own-ship report yet: the entry's not-available values.
    GnssStatusTexts texts =
        Route("$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A");
    EXPECT_EQ(texts.UtcDate.value_or("?"), "2011/05/28");
    EXPECT_EQ(texts.Lon.value_or("?"),
              "181\xA2\x58"
              "00.0000'E");
    EXPECT_EQ(texts.Lat.value_or("?"),
              " 91\xA2\x58"
              "00.0000'N");
    EXPECT_EQ(texts.Sog.value_or("?"), " 0.00 kn");
    EXPECT_EQ(texts.Cog.value_or("?"), "  0.0\xB0");

    test::OwnReport report;
    report.Lon = -121.25;
    report.Lat = 25.5;
    ASSERT_TRUE(test::Route(*codec, test::PositionReportSentence("VDO", "A", report)));
    texts = Route("$GPGLL,4916.45,N,12311.12,W,225444,A,A");
    EXPECT_EQ(texts.Lon.value_or("?"),
              "121\xA2\x58"
              "15.0000'W");
    EXPECT_EQ(texts.Lat.value_or("?"),
              " 25\xA2\x58"
              "30.0000'N");
    EXPECT_EQ(texts.Sog.value_or("?"), "12.30 kn");
    EXPECT_EQ(texts.Cog.value_or("?"), " 87.5\xB0");

    // A GLL without a valid position keeps the boxes as they are.
    texts = Route("$GPGLL,4916.45,N,12311.12,W,225444,V,N");
    EXPECT_FALSE(texts.Lon || texts.Lat || texts.Sog || texts.Cog);
}

}  // namespace
}  // namespace navoro
