#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/Router.h"
#include "tests/support/RecordText.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Render;
using test::Sentence;

class GnssSentences : public ::testing::Test {
  protected:
    bool Route(const std::string& body) { return RouteSentence(*codec, Sentence(body).c_str()); }
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    GnssStore& gnss = codec->Gnss;
    NavStore& nav = codec->Nav;
};

// Every parser with a real sentence and with every field empty: the whole
// record, so each member's conversion and not-available value is checked.
TEST(GnssParsers, RealAndEmptySentencesGiveTheirRecords) {
    struct Case {
        const char* body;
        const char* record;
    };
    const Case cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
         "Time=12:35:19.00 Lat=48.1173 Lon=11.5167 Quality=1 SatellitesUsed=8 Hdop=0.9 "
         "Altitude=545.4 AltitudeUnit=M GeoidSeparation=46.9 GeoidUnit=M DgpsAge=-100000 "
         "DgpsStation=-1"},
        {"$GPGGA,,,,,,,,,,,,,,",
         "Time=24:60:60.00 Lat=91 Lon=181 Quality=-128 SatellitesUsed=-128 Hdop=-100000 "
         "Altitude=-100000 AltitudeUnit=\\x20 GeoidSeparation=-100000 GeoidUnit=\\x20 "
         "DgpsAge=-100000 DgpsStation=-1"},
        {"$GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,",
         "Time=09:27:50.00 Lat=53.3613 Lon=-6.50562 ModeChars=\"AN\" SatelliteChars=\"08\" "
         "Hdop=1.03 Altitude=61.7 GeoidSeparation=55.2 DgpsAge=-100000 DgpsStation=-100000 "
         "NavStatus=\\x00"},
        {"$GNGNS,,,,,,,,,,,,",
         "Time=24:60:60.00 Lat=91 Lon=181 ModeChars=\" \" SatelliteChars=\" \" "
         "Hdop=-100000 Altitude=-100000 GeoidSeparation=-100000 DgpsAge=-100000 "
         "DgpsStation=-100000 NavStatus=\\x00"},
        {"$GPGLL,4916.45,N,12311.12,W,225444,A,A",
         "Lat=49.2742 Lon=-123.185 Time=22:54:44.00 Status=A ModeIndicator=A"},
        {"$GPGLL,,,,,,,", "Lat=91 Lon=181 Time=24:60:60.00 Status=\\x20 ModeIndicator=\\x20"},
        {"$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972",
         "Time=01:55:09.00 ErrLat=-0.031 ErrLon=-0.186 ErrAlt=0.219 FailedSatellite=19 "
         "Probability=0 Bias=-0.354 BiasStdDev=6.972 SystemId=-128 SignalId=-128"},
        {"$GPGBS,,,,,,,,",
         "Time=24:60:60.00 ErrLat=-100000 ErrLon=-100000 ErrAlt=-100000 FailedSatellite=255 "
         "Probability=-100000 Bias=-100000 BiasStdDev=-100000 SystemId=-128 SignalId=-128"},
        {"$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38",
         "SelectionMode=A FixMode=3 SatelliteFields=12 "
         "SatelliteIds=[10,7,5,2,29,4,8,13,-128,-128,-128,-128] Pdop=1.72 Hdop=1.03 Vdop=1.38 "
         "SystemId=-128 Satellites=[\"G10\",\"G07\",\"G05\",\"G02\",\"G29\",\"G04\",\"G08\","
         "\"G13\"]"},
        {"$GPGSA,,,,,,,,,,,,,,,,,",
         "SelectionMode=\\x20 FixMode=0 SatelliteFields=12 SatelliteIds=[-128,-128,-128,-128,-128,"
         "-128,-128,-128,-128,-128,-128,-128] Pdop=-100000 Hdop=-100000 Vdop=-100000 "
         "SystemId=-128 Satellites=[]"},
        {"$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30",
         "TotalMessages=3 MessageNumber=1 SatellitesInView=11 BlockCount=4 SatId=[10,7,5,8] "
         "Elevation=[63,61,59,54] Azimuth=[137,98,290,157] Snr=[17,15,20,30] SignalId=-128 "
         "Satellites=[\"G10\",\"G07\",\"G05\",\"G08\"]"},
        {"$GPGSV,,,,,,,",
         "TotalMessages=0 MessageNumber=0 SatellitesInView=0 BlockCount=1 "
         "SatId=[-128,-128,-128,-128] Elevation=[-128,-128,-128,-128] Azimuth=[-1,-1,-1,-1] "
         "Snr=[-128,-128,-128,-128] SignalId=-128 Satellites=[]"},
        {"$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,3.1,W,D,S",
         "Time=09:27:50.00 Status=A Lat=53.3613 Lon=-6.50562 Sog=0.02 Cog=31.66 Date=2011-5-28 "
         "MagVar=3.1 MagVarDir=W ModeIndicator=D NavStatus=S"},
        {"$GPRMC,,,,,,,,,,,,",
         "Time=24:60:60.00 Status=\\x20 Lat=91 Lon=181 Sog=-100000 Cog=-100000 Date=0-0-0 "
         "MagVar=-100000 MagVarDir=\\x80 ModeIndicator=\\x20 NavStatus=\\x00"},
        {"$GPVTG,31.66,T,,M,0.02,N,0.04,K,A",
         "CogTrue=31.66 CogTrueUnit=T CogMagnetic=-100000 CogMagneticUnit=M SogKnots=0.02 "
         "SogKnotsUnit=N SogKmh=0.04 SogKmhUnit=K ModeIndicator=A"},
        {"$GPVTG,,,,,,,,,",
         "CogTrue=-100000 CogTrueUnit=\\x80 CogMagnetic=-100000 CogMagneticUnit=\\x80 "
         "SogKnots=-100000 SogKnotsUnit=\\x80 SogKmh=-100000 SogKmhUnit=\\x80 "
         "ModeIndicator=\\x20"},
        {"$GPZDA,201530.00,04,07,2002,00,00",
         "Time=20:15:30.00 Year=2002 Month=7 Day=4 ZoneHours=0 ZoneMinutes=0"},
        {"$GPZDA,,,,,,",
         "Time=24:60:60.00 Year=-1 Month=-128 Day=-128 ZoneHours=-128 ZoneMinutes=-128"},
        {"$HEHDT,274.07,T", "Heading=274.07 Reference=T"},
        {"$HEHDT,,", "Heading=511 Reference=\\x20"},
        {"$HEROT,-0.3,A", "Rate=-0.3 Status=A"},
        {"$HEROT,,", "Rate=-100000 Status=\\x20"},
        {"$VWVBW,12.3,0.07,A,11.78,0.12,A",
         "WaterSpeedLong=12.3 WaterSpeedTrans=0.07 WaterStatus=A GroundSpeedLong=11.78 "
         "GroundSpeedTrans=0.12 GroundStatus=A"},
        {"$VWVBW,,,,,,",
         "WaterSpeedLong=0 WaterSpeedTrans=0 WaterStatus=\\x20 GroundSpeedLong=0 "
         "GroundSpeedTrans=0 GroundStatus=\\x20"},
        // Group 0: checked, filed nowhere.
        {"$GPGRS,220320.0,0,-0.8,-0.2,-0.1,-0.2,0.8,0.6,,,,,,",
         "Time=22:03:20.00 ModeChar=0 Residuals=[-0.8,-0.2,-0.1,-0.2,0.8,0.6,-100000,-100000,"
         "-100000,-100000,-100000,-100000]"},
        {"$GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031",
         "Time=17:28:14.00 Rms=0.006 MajorAxis=0.023 MinorAxis=0.02 Orientation=273.6 "
         "LatError=0.023 LonError=0.02 AltError=0.031"},
        {"$GPGST,,,,,,,,",
         "Time=24:60:60.00 Rms=-100000 MajorAxis=-100000 MinorAxis=-100000 "
         "Orientation=-100000 LatError=-100000 LonError=-100000 AltError=-100000"},
        {"$GPDTM,W84,,0.0,N,0.0,E,0.0,W84",
         "Datum=\"W84\" Subdivision=\\x20 Offset=(0,0) AltitudeOffset=0 ReferenceDatum=\"W84\""},
        {"$GPDTM,LONGER,,,,,,,WGS84",
         "Datum=\"LON\" Subdivision=\\x20 Offset=(91,181) AltitudeOffset=0 "
         "ReferenceDatum=\"WGS\""},
        {"$GPRMA,A,4916.45,N,12311.12,W,,,12.3,44.0,3.2,E", "Status=A Lat=49.2742 Lon=-123.185"},
        {"$GPRMA,A,4916.45,N,12311.12,W", "Status=A Lat=49.2742 Lon=-123.185"},
        {"$GPWPL,4917.16,N,12310.64,W,003", "Lat=49.286 Lon=-123.177 WaypointId=\"003\""},
        {"$GPWPL,,,,,", "Lat=91 Lon=181 WaypointId=\"\""},
        {"$RAOSD,35.1,A,36.0,P,10.2,P,15.3,0.1,N",
         "Heading=35.1 HeadingStatus=A Course=36 CourseReference=P Speed=10.2 SpeedReference=P "
         "Set=15.3 Drift=0.1 SpeedUnits=N"},
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, Sentence(c.body).c_str())) << c.body;
        EXPECT_EQ(Render(codec->Received), c.record) << c.body;
    }
}

TEST(GnssParsers, RejectMalformedSentences) {
    const char* const rejected[] = {
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,",          // 13 fields
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290",                      // 13 commas
        "$GPGSV,3,1,11,10,91,137,17",                                             // elevation 91
        "$GPGSV,3,1,11,10,63,360,17",                                             // azimuth 360
        "$GPGSV,3,1,11,10,63,137,100",                                            // SNR 100
        "$GPGSV,3,1,11,10,-1,137,17",                                             // elevation -1
        "$GPGSV,10,1,11,10,63,137,17",                                            // 10 sentences
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30,1,2",  // 21 fields
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30,G",    // signal ID G
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30,11",   // signal ID 11
        "$GPGSV,3,1,11,10,63,137,17,07",                                          // half a block
        "$GPGSV,1,1",                                                             // 2 fields
        "$GNGGA,173446.00,6022.3336,N,00517.2554,E,1,24,0.6,12.0,M,41.2,M,",      // 13 fields
        "$GPVTG,31.66,T,,M,0.02,N,0.04",                                          // 7 fields
        "$GPGLL,4916.45,N,12311.12,W,225444",                                     // 5 fields
        "$GPGLL,4916.45,N,12311.12,W,225444,A,A,X",                               // 8 fields
        "$GNGBS,173446.00,2.3,3.5,4.0,,,,,1",                                     // 9 fields
        "$GNGBS,173446.00,2.3,3.5,4.0,,,,,1,1,1",                                 // 11 fields
        "$GNGBS,173446.00,2.3,3.5,4.0,,,,,X,1",                                   // system ID X
        "$GNGSA,A,3,02,05,07,09,13,15,20,26,,,,,1.6,0.9",                         // 16 fields
        "$GNGNS,173446.00,6022.3336,N,00517.2554,E,AAAN,24,0.6,12.0,41.2,,,V,X",  // 14 fields
        "$GNGSA,A,3,02,05,07,09,13,15,20,26,,,,,1.6,0.9,1.3,1,,,,,,,,,,,,,,,,,,,,,",  // 40
        "$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,",            // 10 fields
        "$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A,S,X",     // 14
        "$GPZDA,201530.00,00,07,2002,00,00",                                          // day 0
        "$GPZDA,201530.00,04,13,2002,00,00",                                          // month 13
        "$GPZDA,201530.00,04,07,2002,14,00",                                  // zone hours 14
        "$GPZDA,201530.00,04,07,2002,00,60",                                  // zone minutes 60
        "$GPVTG,31.66,T,,M,0.02,N,0.04,KM,A",                                 // two-letter unit
        "$GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,120.0,61.7,55.2,,",  // HDOP 120
        "$GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,-0.5,61.7,55.2,,",   // HDOP < 0
        "$GPRMA,A,4916.45,N,12311.12",                                        // 4 fields
    };
    for (const char* body : rejected) {
        auto codec = std::make_unique<Codec>();
        EXPECT_FALSE(RouteSentence(*codec, Sentence(body).c_str())) << body;
        EXPECT_EQ(codec->Gnss.TalkerCode, 0) << body;  // the store was left alone
        EXPECT_EQ(codec->Nav.TalkerCode, 0) << body;
    }
}

TEST_F(GnssSentences, GgaFillsTheStoreAndItsFlags) {
    ASSERT_TRUE(Route("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(gnss.TalkerCode, 1);
    EXPECT_EQ(gnss.Time.Hour, 12);
    EXPECT_EQ(gnss.Time.Minute, 35);
    EXPECT_EQ(gnss.Time.Second, 19);
    EXPECT_NEAR(gnss.Lat, 48.1173, 1e-5);
    EXPECT_NEAR(gnss.Lon, 11.516666, 1e-5);
    EXPECT_EQ(gnss.Quality, 1);
    EXPECT_EQ(gnss.SatellitesUsed, 8);
    EXPECT_FLOAT_EQ(gnss.GeoidSeparation, 46.9f);
    EXPECT_EQ(gnss.GgaReceived, 1);
    EXPECT_EQ(gnss.PositionValid, 1);
    EXPECT_EQ(gnss.TimeValid, 1);

    // Quality 0 clears the position; a blank time leaves TimeValid set.
    ASSERT_TRUE(Route("$GNGGA,,4807.038,N,01131.000,E,0,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(gnss.TalkerCode, 3);
    EXPECT_EQ(gnss.PositionValid, 0);
    EXPECT_EQ(gnss.TimeValid, 1);
    EXPECT_EQ(gnss.Time.Hour, 24);
}

TEST(GnssParsers, GgaClampsOutOfRangeValuesInsteadOfRejecting) {
    struct Case {
        const char* body;
        int satellites;
        float hdop;
        int station;
    };
    const Case cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,14,0.9,545.4,M,46.9,M,,", 14, 0.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,99,0.9,545.4,M,46.9,M,,", 99, 0.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,100,0.9,545.4,M,46.9,M,,", 0, 0.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,-1,0.9,545.4,M,46.9,M,,", 0, 0.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,12,120.0,545.4,M,46.9,M,,", 12, 99.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,0,-2.5,545.4,M,46.9,M,,", 0, 99.9f, -1},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,3.2,2000", 8, 0.9f, 1023},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,3.2,1023", 8, 0.9f, 1023},
        // Letters where a number belongs give the not-available value.
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,XX,YY,545.4,M,46.9,M,3.2,ZZ", -128, -100000.0f,
         -1},
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, Sentence(c.body).c_str())) << c.body;
        EXPECT_EQ(codec->Received.Gga.SatellitesUsed, c.satellites) << c.body;
        EXPECT_FLOAT_EQ(codec->Received.Gga.Hdop, c.hdop) << c.body;
        EXPECT_EQ(codec->Received.Gga.DgpsStation, c.station) << c.body;
    }
}

// A cycle of three GSV sentences for eleven satellites: 4 + 4 + 3 blocks.
TEST_F(GnssSentences, GsvCycleFillsTheBlocksOfEachSentence) {
    ASSERT_TRUE(Route("$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30"));
    EXPECT_EQ(gnss.GsvTotalMessages, 3);
    EXPECT_EQ(gnss.GsvMessageNumber, 1);
    EXPECT_EQ(gnss.GsvBlockCount, 4);
    EXPECT_EQ(gnss.SatellitesInView, 11);

    ASSERT_TRUE(Route("$GPGSV,3,2,11,02,39,223,19,13,28,070,17,26,23,252,,04,14,186,14"));
    EXPECT_EQ(gnss.GsvMessageNumber, 2);
    EXPECT_EQ(gnss.GsvSatId[2], 26);
    EXPECT_EQ(gnss.GsvSnr[2], -128);  // not tracked: blank SNR
    EXPECT_EQ(gnss.GsvSatId[3], 4);

    ASSERT_TRUE(Route("$GPGSV,3,3,11,29,09,301,24,16,09,020,,36,,,"));
    EXPECT_EQ(gnss.GsvMessageNumber, 3);
    EXPECT_EQ(gnss.GsvBlockCount, 3);
    const int ids[] = {29, 16, 36, 4};  // the fourth entry is still the second sentence's
    const int elevations[] = {9, 9, -128, 14};
    const int azimuths[] = {301, 20, -1, 186};
    const int snrs[] = {24, -128, -128, 14};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(gnss.GsvSatId[i], ids[i]) << i;
        EXPECT_EQ(gnss.GsvElevation[i], elevations[i]) << i;
        EXPECT_EQ(gnss.GsvAzimuth[i], azimuths[i]) << i;
        EXPECT_EQ(gnss.GsvSnr[i], snrs[i]) << i;
    }
}

TEST_F(GnssSentences, GsvWithOddNumbersStaysWithinItsFourEntries) {
    // Sentence 9 of 9 and more satellites than any cycle holds: the numbers are
    // kept as they are, never used as positions.
    ASSERT_TRUE(Route("$GPGSV,9,9,255,1000,90,359,99,-5,0,0,0,AB,45,180,40,7,,,"));
    EXPECT_EQ(gnss.GsvTotalMessages, 9);
    EXPECT_EQ(gnss.GsvMessageNumber, 9);
    EXPECT_EQ(gnss.SatellitesInView, 255);
    EXPECT_EQ(gnss.GsvBlockCount, 4);
    EXPECT_EQ(gnss.GsvSatId[0], -128);  // 1000 is no satellite number
    EXPECT_EQ(gnss.GsvSatId[1], -5);
    EXPECT_EQ(gnss.GsvSatId[2], -128);  // letters
    EXPECT_EQ(gnss.GsvSatId[3], 7);
    EXPECT_EQ(gnss.GsvAzimuth[0], 359);
}

// The forms of newer (signal and system IDs, more satellites) and older (no
// mode indicator) receivers, with what each adds to the record.
TEST(GnssParsers, NewerAndOlderFormsAreAccepted) {
    struct Case {
        const char* body;
        const char* record;  // the end of the rendered record
    };
    const Case cases[] = {
        {"$GPGSV,3,1,11,02,67,123,47,05,41,210,44,07,12,045,31,09,55,300,50,1",
         "SignalId=1 Satellites=[\"G02\",\"G05\",\"G07\",\"G09\"]"},
        {"$GLGSV,2,1,06,65,53,144,33,66,58,305,32,72,09,137,,81,22,040,28,1",
         "Snr=[33,32,-128,28] SignalId=1 Satellites=[\"R65\",\"R66\",\"R72\",\"R81\"]"},
        {"$GAGSV,1,1,03,04,37,345,39,11,09,227,,19,62,101,42,7",
         "BlockCount=3 SatId=[4,11,19,-128] Elevation=[37,9,62,-128] Azimuth=[345,227,101,-1] "
         "Snr=[39,-128,42,-128] SignalId=7 Satellites=[\"E04\",\"E11\",\"E19\"]"},
        {"$GBGSV,1,1,02,08,49,229,27,13,30,075,35,1", "SignalId=1 Satellites=[\"C08\",\"C13\"]"},
        {"$GQGSV,1,1,01,02,49,229,27,B", "SignalId=11 Satellites=[\"J02\"]"},
        {"$GPGSV,1,1,00",
         "TotalMessages=1 MessageNumber=1 SatellitesInView=0 BlockCount=0 "
         "SatId=[-128,-128,-128,-128] Elevation=[-128,-128,-128,-128] Azimuth=[-1,-1,-1,-1] "
         "Snr=[-128,-128,-128,-128] SignalId=-128 Satellites=[]"},
        {"$GAGSV,1,1,00,7",
         "BlockCount=0 SatId=[-128,-128,-128,-128] "
         "Elevation=[-128,-128,-128,-128] Azimuth=[-1,-1,-1,-1] "
         "Snr=[-128,-128,-128,-128] SignalId=7 Satellites=[]"},
        // The older single numbering under GP and GN.
        {"$GNGSV,1,1,04,45,30,100,40,70,20,200,30,205,10,300,20,311,50,10,25",
         "Satellites=[\"S45\",\"R70\",\"C05\",\"E11\"]"},
        {"$GNGSA,A,3,02,05,07,09,13,15,20,26,,,,,1.6,0.9,1.3,1",
         "SatelliteFields=12 SatelliteIds=[2,5,7,9,13,15,20,26,-128,-128,-128,-128] Pdop=1.6 "
         "Hdop=0.9 Vdop=1.3 SystemId=1 Satellites=[\"G02\",\"G05\",\"G07\",\"G09\","
         "\"G13\",\"G15\",\"G20\",\"G26\"]"},
        {"$GNGSA,A,3,65,66,81,,,,,,,,,,1.6,0.9,1.3,2",
         "Pdop=1.6 Hdop=0.9 Vdop=1.3 SystemId=2 Satellites=[\"R65\",\"R66\",\"R81\"]"},
        {"$GNGSA,A,3,04,11,,,,,,,,,,,1.6,0.9,1.3,3", "SystemId=3 Satellites=[\"E04\",\"E11\"]"},
        // Sixteen satellites, no system ID: the DOPs are the last three fields.
        {"$GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,13,14,15,16,1.2,0.7,1.0",
         "SatelliteFields=16 SatelliteIds=[1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16] Pdop=1.2 "
         "Hdop=0.7 Vdop=1 SystemId=-128"},
        // Thirteen satellites and a system ID.
        {"$GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,13,1.2,0.7,1.1,1",
         "SatelliteFields=13 SatelliteIds=[1,2,3,4,5,6,7,8,9,10,11,12,13] Pdop=1.2 Hdop=0.7 "
         "Vdop=1.1 SystemId=1"},
        {"$GNGBS,173446.00,2.3,3.5,4.0,,,,,1,1",
         "Time=17:34:46.00 ErrLat=2.3 ErrLon=3.5 ErrAlt=4 FailedSatellite=255 "
         "Probability=-100000 Bias=-100000 BiasStdDev=-100000 SystemId=1 SignalId=1"},
        {"$GPVTG,213.6,T,210.2,M,7.4,N,13.7,K", "SogKmh=13.7 SogKmhUnit=K ModeIndicator=\\x00"},
        {"$GPGLL,6022.3336,N,00517.2554,E,173446.00,A",
         "Lat=60.3722 Lon=5.28759 Time=17:34:46.00 Status=A ModeIndicator=\\x00"},
        {"$GNGGA,173446.00,6022.3336,N,00517.2554,E,1,24,0.6,12.0,M,41.2,M,,",
         "Quality=1 SatellitesUsed=24 Hdop=0.6"},
        {"$GNGNS,173446.00,6022.3336,N,00517.2554,E,AAAN,24,0.6,12.0,41.2,,,V",
         "ModeChars=\"AA\" SatelliteChars=\"24\" Hdop=0.6 Altitude=12 GeoidSeparation=41.2 "
         "DgpsAge=-100000 DgpsStation=-100000 NavStatus=V"},
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, Sentence(c.body).c_str())) << c.body;
        EXPECT_NE(Render(codec->Received).find(c.record), std::string::npos)
            << c.body << "\n"
            << Render(codec->Received);
    }
}

// Every GNSS talker reaches the GNSS store.
TEST(GnssParsers, EveryGnssTalkerIsAccepted) {
    for (const char* talker : {"GP", "GL", "GA", "GB", "BD", "GQ", "GI", "GN"}) {
        auto codec = std::make_unique<Codec>();
        const std::string body = std::string("$") + talker +
                                 "GGA,173446.00,6022.3336,N,00517.2554,E,1,24,0.6,12.0,M,41.2,M,,";
        EXPECT_TRUE(RouteSentence(*codec, Sentence(body).c_str())) << talker;
        EXPECT_EQ(codec->Gnss.SatellitesUsed, 24) << talker;
    }
}

// Satellites in view add up over the talkers' cycles, satellites in use over
// the constellations' GSA; a blank GGA count is not available (0x80), never a
// number of satellites.
TEST_F(GnssSentences, CountsAddUpOverTheConstellations) {
    ASSERT_TRUE(Route("$GPGSV,3,1,11,02,67,123,47,05,41,210,44,07,12,045,31,09,55,300,50,1"));
    ASSERT_TRUE(Route("$GLGSV,2,1,06,65,53,144,33,66,58,305,32,72,09,137,,81,22,040,28,1"));
    ASSERT_TRUE(Route("$GAGSV,1,1,03,04,37,345,39,11,09,227,,19,62,101,42,7"));
    EXPECT_EQ(gnss.SatellitesInView, 11 + 6 + 3);
    ASSERT_TRUE(Route("$GPGSV,3,1,10,02,67,123,47,05,41,210,44,07,12,045,31,09,55,300,50,1"));
    EXPECT_EQ(gnss.SatellitesInView, 10 + 6 + 3);  // GPS's count replaced
    EXPECT_EQ(gnss.GsvSignalId, 1);

    ASSERT_TRUE(Route("$GNGSA,A,3,02,05,07,09,13,15,20,26,,,,,1.6,0.9,1.3,1"));
    ASSERT_TRUE(Route("$GNGSA,A,3,65,66,81,,,,,,,,,,1.6,0.9,1.3,2"));
    EXPECT_EQ(gnss.SatellitesUsed, 8 + 3);
    EXPECT_EQ(gnss.GsaSystemId, 2);
    ASSERT_TRUE(Route("$GNGSA,A,3,65,66,,,,,,,,,,,1.6,0.9,1.3,2"));
    EXPECT_EQ(gnss.SatellitesUsed, 8 + 2);

    ASSERT_TRUE(Route("$GNGGA,173446.00,6022.3336,N,00517.2554,E,1,24,0.6,12.0,M,41.2,M,,"));
    EXPECT_EQ(gnss.SatellitesUsed, 24);
    ASSERT_TRUE(Route("$GNGGA,173446.00,6022.3336,N,00517.2554,E,1,,0.6,12.0,M,41.2,M,,"));
    EXPECT_EQ(gnss.SatellitesUsed, 0x80);
}

// The satellites of every talker's cycle, each named by its constellation and
// number, with the in-use flag of its constellation's GSA; a second signal's
// cycle merges into the first; a talker that stops reporting drops out.
TEST_F(GnssSentences, CyclesKeepEverySatelliteByConstellation) {
    const auto labels = [this](Constellation system) {
        std::string text;
        const GsvCycle& cycle = gnss.Cycles[static_cast<int>(system)];
        for (int i = 0; i < cycle.Count; ++i) {
            char label[6];
            SatelliteLabel(cycle.Satellites[i].Name, label);
            text += label;
            text += cycle.Satellites[i].InUse ? "* " : " ";
        }
        return text;
    };
    gnss.ClockMs = 1000;
    ASSERT_TRUE(Route("$GNGSA,A,3,05,07,44,,,,,,,,,,1.6,0.9,1.3,1"));
    ASSERT_TRUE(Route("$GNGSA,A,3,65,,,,,,,,,,,,1.6,0.9,1.3,2"));
    ASSERT_TRUE(Route("$GPGSV,2,1,05,02,67,123,47,05,41,210,44,07,12,045,31,09,55,300,50,1"));
    ASSERT_TRUE(Route("$GPGSV,2,2,05,44,30,190,38,1"));
    ASSERT_TRUE(Route("$GPGSV,1,1,02,05,41,210,40,10,20,100,30,8"));  // L5: 10 is new
    ASSERT_TRUE(Route("$GLGSV,1,1,02,65,53,144,33,66,58,305,32,1"));
    ASSERT_TRUE(Route("$GAGSV,1,1,01,05,37,345,39,7"));
    EXPECT_EQ(labels(Constellation::Gps), "G02 G05* G07* G09 S44* G10 ");
    EXPECT_EQ(labels(Constellation::Glonass), "R65* R66 ");
    EXPECT_EQ(labels(Constellation::Galileo), "E05 ");  // not GPS 5
    EXPECT_EQ(gnss.SatellitesInView, 5 + 2 + 1);
    EXPECT_EQ(gnss.Cycles[static_cast<int>(Constellation::Gps)].Satellites[5].SignalId, 8);

    // The next GPS cycle replaces the last; a GSA after it sets the flags.
    gnss.ClockMs = 4000;
    ASSERT_TRUE(Route("$GPGSV,1,1,02,02,67,123,47,09,55,300,50,1"));
    ASSERT_TRUE(Route("$GNGSA,A,3,02,,,,,,,,,,,,1.6,0.9,1.3,1"));
    EXPECT_EQ(labels(Constellation::Gps), "G02* G09 ");
    EXPECT_EQ(gnss.SatellitesInView, 2 + 2 + 1);

    // An older receiver's GN GSA without a system ID lists GPS and GLONASS
    // together: each number replaces its own constellation's list.
    ASSERT_TRUE(Route("$GNGSA,A,3,09,66,,,,,,,,,,,1.6,0.9,1.3"));
    EXPECT_EQ(labels(Constellation::Gps), "G02 G09* ");
    EXPECT_EQ(labels(Constellation::Glonass), "R65 R66* ");
    EXPECT_EQ(gnss.SatellitesUsed, 2);

    // Five seconds after their last sentence GLONASS and Galileo drop out.
    EXPECT_FALSE(ExpireGsvCycles(gnss, 6000));
    EXPECT_TRUE(ExpireGsvCycles(gnss, 6001));
    EXPECT_EQ(labels(Constellation::Glonass), "");
    EXPECT_EQ(gnss.SatellitesInView, 2);
    EXPECT_FALSE(ExpireGsvCycles(gnss, 6002));
}

TEST_F(GnssSentences, RmcComesInThreeLengths) {
    ASSERT_TRUE(Route("$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,"));
    EXPECT_EQ(codec->Received.Rmc.ModeIndicator, 'A');
    EXPECT_EQ(gnss.TimeValid, 1);
    EXPECT_EQ(gnss.PositionValid, 1);
    EXPECT_EQ(gnss.CourseValid, 1);
    EXPECT_EQ(gnss.Year, 2011);
    EXPECT_EQ(gnss.Month, 5);
    EXPECT_EQ(gnss.Day, 28);
    EXPECT_FLOAT_EQ(gnss.SogKnots, 0.02f);
    EXPECT_FLOAT_EQ(gnss.CogTrue, 31.66f);

    // Status V clears the position flag but still stores the position.
    ASSERT_TRUE(Route("$GPRMC,092751.000,V,4916.45,N,12311.12,W,,,280511,,,N"));
    EXPECT_EQ(codec->Received.Rmc.ModeIndicator, 'N');
    EXPECT_EQ(gnss.PositionValid, 0);
    EXPECT_EQ(gnss.CourseValid, 0);  // blank course
    EXPECT_NEAR(gnss.Lat, 49.274166, 1e-5);
    EXPECT_NEAR(gnss.Lon, -123.185333, 1e-5);
    EXPECT_EQ(gnss.ModeIndicator, 'N');
    EXPECT_EQ(gnss.Status, 'V');
}

TEST(GnssParsers, TimeIsValidOnlyWithACompleteDate) {
    struct Case {
        const char* body;
        int valid;
    };
    const Case cases[] = {
        {"$GPZDA,201530.00,04,07,2002,00,00", 1},
        {"$GPZDA,201530.00,04,07,,00,00", 0},  // blank year: -1
        {"$GPZDA,,04,07,2002,00,00", 0},       // blank time
        {"$GPZDA,201530.00,,07,2002,00,00", 0},
        {"$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,,,,A", 0},  // no date
        {"$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A", 1},
        {"$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,281311,,,A", 0},  // month 13
        {"$GPGGA,123519,,,,,0,,,,,,,,", 1},  // GGA needs no date
    };
    for (const Case& c : cases) {
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, Sentence(c.body).c_str())) << c.body;
        EXPECT_EQ(codec->Gnss.TimeValid, c.valid) << c.body;
    }
}

TEST_F(GnssSentences, ZdaWithABlankYearStoresMinusOne) {
    ASSERT_TRUE(Route("$GPZDA,201530.00,04,07,,00,00"));
    EXPECT_EQ(gnss.Year, -1);
    EXPECT_EQ(gnss.Month, 7);
    EXPECT_EQ(gnss.Day, 4);
    EXPECT_EQ(gnss.TimeValid, 0);
}

TEST_F(GnssSentences, SatellitesUsedIsTheLastWritersCount) {
    ASSERT_TRUE(Route("$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38"));
    EXPECT_EQ(gnss.SatellitesUsed, 8);
    EXPECT_EQ(gnss.FixMode, 3);
    EXPECT_EQ(gnss.SelectionMode, 'A');
    EXPECT_FLOAT_EQ(gnss.Hdop, 1.03f);
    EXPECT_EQ(gnss.SatelliteIds[7], 13);
    EXPECT_EQ(gnss.SatelliteIds[8], -128);
    ASSERT_TRUE(Route("$GPGGA,123519,4807.038,N,01131.000,E,1,05,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(gnss.SatellitesUsed, 5);
    ASSERT_TRUE(Route("$GPGSA,A,2,10,0,-3,02,,,,,,,,,1.72,1.03,1.38"));
    EXPECT_EQ(gnss.SatellitesUsed, 2);  // only numbers above 0 count
}

TEST_F(GnssSentences, VtgAndGbsFillTheirMembers) {
    ASSERT_TRUE(Route("$GPVTG,31.66,T,30.10,M,0.02,N,0.04,K,A"));
    EXPECT_FLOAT_EQ(gnss.CogTrue, 31.66f);
    EXPECT_FLOAT_EQ(gnss.CogMagnetic, 30.10f);
    EXPECT_FLOAT_EQ(gnss.SogKnots, 0.02f);
    EXPECT_FLOAT_EQ(gnss.SogKmh, 0.04f);
    EXPECT_EQ(gnss.ModeIndicator, 'A');

    ASSERT_TRUE(Route("$GPGBS,015509.00,,-0.186,0.219,,,,"));
    EXPECT_EQ(gnss.GbsValid, 0);  // one error not available
    EXPECT_EQ(gnss.GbsFailedSatellite, 255);
    ASSERT_TRUE(Route("$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972"));
    EXPECT_EQ(gnss.GbsValid, 1);
    EXPECT_FLOAT_EQ(gnss.GbsErrLat, -0.031f);
    EXPECT_FLOAT_EQ(gnss.GbsStdDev, 6.972f);
    EXPECT_EQ(gnss.Time.Second, 9);
}

TEST_F(GnssSentences, NavigationSentencesFillTheNavigationStore) {
    ASSERT_TRUE(Route("$HEHDT,,T"));
    EXPECT_FLOAT_EQ(nav.Heading, 511.0f);
    EXPECT_EQ(nav.HeadingValid, 0);
    ASSERT_TRUE(Route("$HEHDT,360.0,T"));
    EXPECT_EQ(nav.HeadingValid, 0);
    ASSERT_TRUE(Route("$HEHDT,274.07,T"));
    EXPECT_EQ(nav.HeadingValid, 1);
    ASSERT_TRUE(Route("$HEHDT,,T"));
    EXPECT_EQ(nav.HeadingValid, 1);  // never cleared

    ASSERT_TRUE(Route("$VWVBW,12.3,0.07,A,11.78,0.12,V"));
    EXPECT_EQ(nav.WaterStatus, 'A');
    EXPECT_EQ(nav.GroundStatus, 'V');
    ASSERT_TRUE(Route("$INROT,-0.3,V"));
    EXPECT_EQ(nav.TalkerCode, 6);
    EXPECT_FLOAT_EQ(nav.RateOfTurn, -0.3f);
    EXPECT_EQ(nav.WaterStatus, 'V');  // ROT's status is the latest

    ASSERT_TRUE(Route("$GNGNS,092750.25,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,"));
    EXPECT_EQ(nav.TalkerCode, 3);
    EXPECT_EQ(nav.GnsTime[0], 9);
    EXPECT_EQ(nav.GnsTime[2], 50);
    EXPECT_EQ(nav.GnsModeChars[0], 'A');
    EXPECT_EQ(nav.GnsModeChars[1], 'N');
    EXPECT_EQ(nav.GnsSatelliteChars[1], '8');
    EXPECT_FLOAT_EQ(nav.GnsHdop, 1.03f);
    EXPECT_FLOAT_EQ(nav.GnsDgpsStation, -100000.0f);
    EXPECT_EQ(gnss.TalkerCode, 0);  // the GNSS store is not touched
}

TEST_F(GnssSentences, GroupZeroSentencesAreAcceptedButFiledNowhere) {
    for (const char* body : {
             "$GPGRS,220320.0,0,-0.8,-0.2,-0.1,-0.2,0.8,0.6,,,,,,",
             "$GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031",
             "$GPDTM,W84,,0.0,N,0.0,E,0.0,W84",
             "$GPRMA,A,4916.45,N,12311.12,W,,,12.3,44.0,3.2,E",
             "$GPWPL,4917.16,N,12310.64,W,003",
             "$RAOSD,35.1,A,36.0,P,10.2,P,15.3,0.1,N",
         }) {
        EXPECT_TRUE(Route(body)) << body;
    }
    EXPECT_EQ(gnss.TalkerCode, 0);
    EXPECT_EQ(gnss.TimeValid, 0);
    EXPECT_EQ(gnss.PositionValid, 0);
    EXPECT_EQ(nav.TalkerCode, 0);
}

}  // namespace
}  // namespace navoro
