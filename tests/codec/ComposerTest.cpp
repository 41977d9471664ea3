#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "tests/support/RecordText.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Render;
using test::Sentence;

// Values for the composers: a codec whose stores (or composing record) a case
// fills before composing.
using StoreValues = std::function<void(Codec&)>;

std::string Compose(Codec& codec, const char* formatter, const char* talker) {
    char buffer[kComposeBufferSize];
    std::memset(buffer, 'x', sizeof buffer);
    if (!ComposeSentence(codec, buffer, sizeof buffer, formatter, talker)) {
        EXPECT_STREQ(buffer, "") << formatter << ": a failed composition leaves no text";
        return "(false)";
    }
    return buffer;
}

void SetSsd(AisStore& s) {
    CopyText(s.CallSign, "ABC1234");
    CopyText(s.Name, "SHIP");
    s.DimA = 100;
    s.DimB = 20;
    s.DimC = 5;
    s.DimD = 6;
    s.Dte = 0;
    CopyText(s.Source, "AI");
}

void SetVsd(AisStore& s) {
    s.ShipType = 30;
    s.Draught = 5.2f;
    s.PersonsOnBoard = 12;
    CopyText(s.Destination, "HAMBURG");
    const std::uint8_t eta[] = {12, 0, 0, 0, 5, 6, 0};
    std::memcpy(s.TimeDate, eta, sizeof eta);
    s.NavStatus = 0;
    s.RegionalFlags = 0;
}

void SetPairs(ProprietaryStore& s, char mode, std::initializer_list<std::pair<int, int>> pairs) {
    int i = 0;
    for (const auto& [id, value] : pairs) {
        s.DbgParamId[i] = static_cast<std::int16_t>(id);
        s.DbgParamValue[i] = value;
        ++i;
    }
    s.DbgMode = mode;
}

void SetGnss(GnssStore& s) {
    s.Time = TimeOfDay{9, 27, 50, 25};
    s.Status = 'A';
    s.Lat = 53.5f;
    s.Lon = -6.25f;
    s.SogKnots = 0.5f;
    s.CogTrue = 31.75f;
    s.Year = 2011;
    s.Month = 5;
    s.Day = 28;
    s.ModeIndicator = 'A';
    s.SelectionMode = 'A';
    s.FixMode = 3;
    const std::int16_t ids[12] = {10, 7, 5, 2, 29, 4, 8, 13, -128, -128, -128, -128};
    std::copy(std::begin(ids), std::end(ids), s.SatelliteIds);
    s.Pdop = 1.75f;
    s.Hdop = 1.0f;
    s.Vdop = 1.5f;
    s.GbsErrLat = -0.25f;
    s.GbsErrLon = 0.75f;
    s.GbsErrAlt = 2.5f;
    s.GbsFailedSatellite = 19;
    s.GbsProbability = 0.0f;
    s.GbsBias = -0.5f;
    s.GbsStdDev = 7.0f;
}

void SetEncapsulation(SentenceRecord& r, int sequence, char channel, const char* payload) {
    r.Vdm = EncapsulationRecord{};
    r.Vdm.Total = 1;
    r.Vdm.Number = 1;
    r.Vdm.SequenceId = static_cast<std::int8_t>(sequence);
    r.Vdm.Channel = channel;
    CopyText(r.Vdm.Payload, payload);
    r.Vdm.FillBits = 0;
}

struct ComposeCase {
    const char* formatter;
    const char* talker;
    StoreValues setup;
    const char* expected;  // before "*hh\r\n", or "(false)"
};

// The exact text of every composer, with values in range and out of range.
TEST(ComposeSentence, PrintsEachFormatExactly) {
    const ComposeCase cases[] = {
        {"SSD", "EC", [](Codec& c) { SetSsd(c.Ais); }, "$ECSSD,ABC1234,SHIP,100,20,5,6,0,AI"},
        {"SSD", "EC",
         [](Codec& c) {
             SetSsd(c.Ais);
             c.Ais.DimA = 512;
             c.Ais.DimB = 511;
             c.Ais.DimC = 64;
             c.Ais.DimD = 63;
             c.Ais.Dte = 2;
         },
         "$ECSSD,ABC1234,SHIP,,511,,63,,AI"},
        {"VSD", "EC", [](Codec& c) { SetVsd(c.Ais); },
         "$ECVSD,30,05.2,12,HAMBURG,120000.00,05,06,0,0"},
        {"VSD", "EC",
         [](Codec& c) {
             SetVsd(c.Ais);
             c.Ais.Draught = 25.5f;
             c.Ais.TimeDate[0] = 24;  // ETA hour not available
             c.Ais.NavStatus = 15;
             c.Ais.RegionalFlags = 16;
         },
         "$ECVSD,30,25.5,12,HAMBURG,,05,06,15,"},
        {"VSD", "EC",
         [](Codec& c) {
             SetVsd(c.Ais);
             c.Ais.ShipType = 256;
             c.Ais.Draught = -100000.0f;
             c.Ais.PersonsOnBoard = 8192;
             c.Ais.Destination[0] = '\0';
             c.Ais.TimeDate[4] = 32;
             c.Ais.TimeDate[5] = 13;
             c.Ais.NavStatus = 0x80;
         },
         "$ECVSD,,,,,120000.00,,,,0"},
        {"VSD", "EC",
         [](Codec& c) {
             SetVsd(c.Ais);
             c.Ais.Draught = 3.0f;
             c.Ais.TimeDate[5] = 0;
         },
         "$ECVSD,30,03.0,12,HAMBURG,120000.00,05,00,0,0"},
        {"VSD", "EC",
         [](Codec& c) {
             SetVsd(c.Ais);
             c.Ais.Draught = 25.6f;
         },
         "$ECVSD,30,,12,HAMBURG,120000.00,05,06,0,0"},
        {"ALR", "AI",
         [](Codec& c) {
             c.Ais.LastAlarm.Time = TimeOfDay{10, 15, 0, 0};
             c.Ais.LastAlarm.AlarmId = 6;
             c.Ais.LastAlarm.Condition = 'A';
             c.Ais.LastAlarm.AckState = 'V';
             CopyText(c.Ais.LastAlarm.Text, "AIS: TX MALFUNCTION");
         },
         "$AIALR,101500.00,6,A,V,AIS: TX MALFUNCTION"},
        {"ALR", "AI",
         [](Codec& c) {
             c.Ais.LastAlarm.Time = TimeOfDay{24, 60, 60, 0};
             c.Ais.LastAlarm.Condition = '\0';  // nothing printable: an empty field
             c.Ais.LastAlarm.AckState = ',';
         },
         "$AIALR,,0,,,"},
        {"ACK", "AI", [](Codec& c) { c.Ais.AckAlarmId = 6; }, "$AIACK,006"},
        {"ACK", "AI", [](Codec& c) { c.Ais.AckAlarmId = 1000; }, "$AIACK,"},
        {"MID", "P",
         [](Codec& c) {
             c.Proprietary.Mmsi = 211000000;
             c.Proprietary.Imo = 9876543;
         },
         "$PMID,211000000,009876543"},
        {"MID", "P",
         [](Codec& c) {
             c.Proprietary.Mmsi = 1;
             c.Proprietary.Imo = 999999999;
         },
         "$PMID,000000001,"},
        // The connection probe.
        {"TST", "P",
         [](Codec& c) {
             c.Proprietary.TstValue = 99999;
             c.Proprietary.TstNumber = 99;
             c.Proprietary.TstLowerLetter = '@';
             c.Proprietary.TstUpperLetter = '@';
             c.Proprietary.TstCode = 16;
         },
         "$PTST,,,,,00016"},
        {"TST", "P",
         [](Codec& c) {
             c.Proprietary.TstValue = 12;
             c.Proprietary.TstNumber = 7;
             c.Proprietary.TstLowerLetter = 'm';
             c.Proprietary.TstUpperLetter = 'Z';
             c.Proprietary.TstCode = 65535;
         },
         "$PTST,00012,07,m,Z,"},
        {"TST", "P",
         [](Codec& c) {
             c.Proprietary.TstValue = 100000;
             c.Proprietary.TstLowerLetter = 'n';
             c.Proprietary.TstUpperLetter = 'a';
         },
         "$PTST,,00,,,00000"},
        {"DBG", "P",
         [](Codec& c) {
             SetPairs(c.Proprietary, 'C', {{701, 3015}, {999, 0}, {-1, 5}, {0, INT_MIN}});
         },
         "$PLMO,C,DBG,701,3015,,0,-01,5,000,"},
        {"DBG", "P",
         [](Codec& c) {
             SetPairs(c.Proprietary, 0, {{45, 20}, {46, 10}, {47, 1}, {999, INT_MIN}});
         },
         "$PDBG,045,20,046,10,047,1,,"},
        {"DBG", "P",
         [](Codec& c) {
             SetPairs(c.Proprietary, 'c',
                      {{701, 1000}, {999, INT_MIN}, {999, INT_MIN}, {999, INT_MIN}});
         },
         "$PDBG,701,1000,,,,,,"},  // only a capital letter selects the $PLMO form
        {"BDY", "P",
         [](Codec& c) {
             c.Proprietary.BdyValue = 123456789;
             CopyText(c.Proprietary.BdyText1, "TEXT ONE");
             CopyText(c.Proprietary.BdyText2, "TEXT TWO");
             c.Proprietary.BdyFlag1 = 0;
             c.Proprietary.BdyFlag2 = 2;
         },
         "$PBDY,123456789,TEXT ONE,TEXT TWO,0,"},
        {"FRQ", "P",
         [](Codec& c) {
             c.Proprietary.FrqValue[0] = 161975000;
             c.Proprietary.FrqCode[0] = 10;
             c.Proprietary.FrqValue[1] = 999999999;
             c.Proprietary.FrqCode[1] = 11;
         },
         "$PFRQ,161975000,10,,"},
        {"BTH", "P",
         [](Codec& c) {
             const std::int16_t values[6] = {1, 2, 3, 4, 5, 255};
             std::memcpy(c.Proprietary.BthValues, values, sizeof values);
             CopyText(c.Proprietary.BthText, "LUMO-AIS");
         },
         "$PBTH,001,002,003,004,005,255,LUMO-AIS"},
        {"BTH", "P",
         [](Codec& c) {
             const std::int16_t values[6] = {1, 2, 3, 4, 5, 256};
             std::memcpy(c.Proprietary.BthValues, values, sizeof values);
         },
         "$PBTH,,,,,,,"},
        {"TPS", "P",
         [](Codec& c) {
             c.Proprietary.TpsValue = 1;
             CopyText(c.Proprietary.TpsText, "SN12345678");
         },
         "$PTPS,001,SN12345678"},
        {"TPS", "P", [](Codec& c) { c.Proprietary.TpsValue = 999; }, "$PTPS,,"},
        {"MOB", "P",
         [](Codec& c) {
             const std::uint8_t id[3] = {0xA1, 0xB2, 0xC3};
             std::memcpy(c.Proprietary.MobId, id, sizeof id);
             c.Proprietary.MobValue = 5;
             c.Proprietary.MobCode = 15;
             c.Proprietary.MobOptionalCode = 0x7E;
             c.Proprietary.MobOptionalPresent = 0;
             c.Proprietary.MobData[0] = 1;
             c.Proprietary.MobData[1] = 2;
             c.Proprietary.MobDataLength = 2;
         },
         "$PMOB,A1B2C3,5,0F,,0102"},
        {"MOB", "P",
         [](Codec& c) {
             c.Proprietary.MobOptionalCode = 0x7E;
             c.Proprietary.MobOptionalPresent = 1;
         },
         "$PMOB,000000,0,00,7E,"},
        // More data than the record holds (and the parser reads back).
        {"MOB", "P", [](Codec& c) { c.Proprietary.MobDataLength = 10; }, "(false)"},
        {"GBS", "GP", [](Codec& c) { SetGnss(c.Gnss); },
         "$GPGBS,092750.25,-0.25,0.75,2.50,19,0.00,-0.50,7.00"},
        {"GBS", "GP",
         [](Codec& c) {
             c.Gnss.Time.Hour = 24;
             c.Gnss.GbsErrLat = c.Gnss.GbsErrLon = c.Gnss.GbsErrAlt = -100000.0f;
             c.Gnss.GbsFailedSatellite = 255;
             c.Gnss.GbsProbability = c.Gnss.GbsBias = c.Gnss.GbsStdDev = -100000.0f;
         },
         "$GPGBS,,,,,,,,"},
        {"GSA", "GP", [](Codec& c) { SetGnss(c.Gnss); },
         "$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.75,1.00,1.50"},
        {"GSA", "GN",
         [](Codec& c) {
             c.Gnss.SelectionMode = '\0';
             c.Gnss.FixMode = 1;
             c.Gnss.Pdop = c.Gnss.Hdop = c.Gnss.Vdop = -100000.0f;
         },
         "$GNGSA,,1,,,,,,,,,,,,,,,"},
        {"RMC", "GP", [](Codec& c) { SetGnss(c.Gnss); },
         "$GPRMC,092750.25,A,5330.00000,N,00615.00000,W,0.500,31.75,280511,,,A"},
        {"RMC", "GP",
         [](Codec& c) {
             SetGnss(c.Gnss);
             c.Gnss.Lat = -91.0f;  // not available, whatever the sign
             c.Gnss.SogKnots = c.Gnss.CogTrue = -100000.0f;
             c.Gnss.Year = 0;
             c.Gnss.Status = 'V';
             c.Gnss.ModeIndicator = 'N';
         },
         "$GPRMC,092750.25,V,,,,,,,,,,N"},
        {"RMC", "GP",
         [](Codec& c) {
             SetGnss(c.Gnss);
             c.Gnss.Lat = -33.25f;
             c.Gnss.Lon = 151.5f;
             c.Gnss.Year = 2100;  // beyond what two digits carry
         },
         "$GPRMC,092750.25,A,3315.00000,S,15130.00000,E,0.500,31.75,,,,A"},
        {"HDT", "HE", [](Codec& c) { c.Nav.Heading = 274.07f; }, "$HEHDT,274.1,T"},
        {"HDT", "HE", [](Codec& c) { c.Nav.Heading = 511.0f; }, "$HEHDT,,T"},
        // Printed as the caller left the composing record.
        {"ABK", "AI",
         [](Codec& c) {
             c.Composed.Abk = AbkRecord{211000000, 1, 6, 1, 0};
         },
         "$AIABK,211000000,B,6,1,0"},
        {"ABK", "AI",
         [](Codec& c) {
             c.Composed.Abk = AbkRecord{0, 0x80, 6, 1, 3};
         },
         "$AIABK,,,6,1,3"},
        {"VDM", "AI",
         [](Codec& c) { SetEncapsulation(c.Composed, -128, 'A', "13aEOK?P00PD2wVMdLDRhgvL289?"); },
         "!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0"},
        {"VDO", "AI",
         [](Codec& c) { SetEncapsulation(c.Composed, 3, 1, "B52K>;h00Fc>jpUlNV@ikwpUoP06"); },
         "!AIVDO,1,1,3,B,B52K>;h00Fc>jpUlNV@ikwpUoP06,0"},
        {"VDM", "AI",
         [](Codec& c) { SetEncapsulation(c.Composed, 12, static_cast<char>(0x80), "1"); },
         "!AIVDM,1,1,,,1,0"},
        {"ABM", "AI",
         [](Codec& c) {
             SetEncapsulation(c.Composed, 0, '1', "0000");
             c.Composed.Abm.Mmsi = 211000000;
             c.Composed.Abm.MessageId = 6;
         },
         "!AIABM,1,1,0,211000000,1,6,0000,0"},
        {"BBM", "AI",
         [](Codec& c) {
             SetEncapsulation(c.Composed, 0, 2, "0000");
             c.Composed.Bbm.MessageId = 8;
         },
         "!AIBBM,1,1,0,2,8,0000,0"},
        // No composer.
        {"CPA", "P", [](Codec&) {}, "(false)"},
        {"BAU", "P", [](Codec&) {}, "(false)"},
        {"GGA", "GP", [](Codec&) {}, "(false)"},
        {"Q", "AI", [](Codec&) {}, "(false)"},
        {"XYZ", "AI", [](Codec&) {}, "(false)"},
        // A talker that is not one or two letters or digits.
        {"SSD", "", [](Codec&) {}, "(false)"},
        {"SSD", "ECX", [](Codec&) {}, "(false)"},
        {"SSD", "E,", [](Codec&) {}, "(false)"},
    };
    for (const ComposeCase& c : cases) {
        auto codec = std::make_unique<Codec>();
        c.setup(*codec);
        const std::string expected =
            std::strcmp(c.expected, "(false)") == 0 ? c.expected : Sentence(c.expected);
        EXPECT_EQ(Compose(*codec, c.formatter, c.talker), expected) << c.expected;
    }
}

TEST(ComposeSentence, TheProbeHasItsKnownChecksum) {
    auto codec = std::make_unique<Codec>();
    ProprietaryStore& s = codec->Proprietary;
    s.TstValue = 99999;
    s.TstNumber = 99;
    s.TstLowerLetter = s.TstUpperLetter = 0x40;
    s.TstCode = 16;
    EXPECT_EQ(Compose(*codec, "TST", "P"), "$PTST,,,,,00016*18\r\n");
}

TEST(ComposeSentence, RefusesTextsThatWouldBreakTheSentence) {
    for (const char* name : {"SHIP,NAME", "SHIP*", "$HIP", "SHIP!", "SHIP\r", "SHIP\x7F"}) {
        auto codec = std::make_unique<Codec>();
        SetSsd(codec->Ais);
        CopyText(codec->Ais.Name, name);
        EXPECT_EQ(Compose(*codec, "SSD", "EC"), "(false)") << name;
    }
}

// Every length the buffer can have: the sentence either fits whole or is
// refused, and nothing is written past the end.
TEST(ComposeSentence, NeverWritesPastTheBuffer) {
    auto codec = std::make_unique<Codec>();
    SetSsd(codec->Ais);
    CopyText(codec->Ais.Name, "A NAME OF 20 LETTERS");
    const std::string whole = Compose(*codec, "SSD", "EC");
    ASSERT_NE(whole, "(false)");
    for (std::size_t size = 0; size <= whole.size() + 2; ++size) {
        char buffer[kComposeBufferSize + 16];
        std::memset(buffer, '#', sizeof buffer);
        const bool ok = ComposeSentence(*codec, buffer, size, "SSD", "EC");
        EXPECT_EQ(ok, size >= whole.size() + 1) << size;
        if (ok) {
            EXPECT_EQ(std::string(buffer), whole) << size;
        } else if (size > 0) {
            EXPECT_EQ(buffer[0], '\0') << size;
        }
        for (std::size_t i = size; i < sizeof buffer; ++i)
            ASSERT_EQ(buffer[i], '#') << "byte " << i << " written with size " << size;
    }
}

TEST(ComposeSentence, HugeRealsFailInsteadOfOverflowing) {
    auto codec = std::make_unique<Codec>();
    SetGnss(codec->Gnss);
    codec->Gnss.SogKnots = 3.0e38f;  // "%5.3f" prints 43 characters
    codec->Gnss.CogTrue = 3.0e38f;
    EXPECT_EQ(Compose(*codec, "RMC", "GP"), "(false)");
    char big[400];
    EXPECT_TRUE(ComposeSentence(*codec, big, sizeof big, "RMC", "GP"));
    EXPECT_GT(std::strlen(big), 100u);
}

// Whatever bytes the stores and the composing record hold, a composer gives
// either a well-framed sentence that fits or nothing.
TEST(ComposeSentence, AnyStoredBytesGiveAWellFramedSentenceOrNone) {
    const char* const formatters[] = {"SSD", "VSD", "ALR", "ACK", "ABK", "ABM", "BBM", "VDM",
                                      "VDO", "GBS", "GSA", "RMC", "HDT", "MID", "TST", "DBG",
                                      "BDY", "FRQ", "BTH", "TPS", "MOB", "VER", "NAK"};
    std::mt19937 random(7);
    auto scramble = [&random](auto& object) {
        auto* bytes = reinterpret_cast<unsigned char*>(&object);
        for (std::size_t i = 0; i < sizeof object; ++i)
            bytes[i] =
                static_cast<unsigned char>(random() % 4 == 0 ? random() : random() % 0x60 + 0x20);
    };
    int composed = 0;
    for (int round = 0; round < 300; ++round) {
        auto codec = std::make_unique<Codec>();
        scramble(codec->Ais);
        scramble(codec->Gnss);
        scramble(codec->Nav);
        scramble(codec->Proprietary);
        for (const char* formatter : formatters) {
            scramble(codec->Composed);
            char buffer[kComposeBufferSize + 8];
            std::memset(buffer, '#', sizeof buffer);
            if (!ComposeSentence(*codec, buffer, kComposeBufferSize, formatter, "P")) {
                EXPECT_EQ(buffer[0], '\0') << formatter;
                continue;
            }
            ++composed;
            const std::size_t length = std::strlen(buffer);
            ASSERT_LT(length, kComposeBufferSize) << formatter;
            EXPECT_TRUE(CheckFraming(buffer)) << buffer;
            EXPECT_EQ(std::string(buffer).find('*'), length - 5) << buffer;
            EXPECT_EQ(std::string(buffer).find_first_of("$!", 1), std::string::npos) << buffer;
            EXPECT_EQ(buffer[kComposeBufferSize], '#');
        }
    }
    EXPECT_GT(composed, 1000);
}

TEST(FormatSentence, AppendsTheChecksumWithinTheBuffer) {
    char buffer[kComposeBufferSize];
    ASSERT_TRUE(FormatSentence(buffer, sizeof buffer, "$PLMO,C,BAU,%d,%d", 3, 38400));
    EXPECT_EQ(std::string(buffer), Sentence("$PLMO,C,BAU,3,38400"));
    ASSERT_TRUE(FormatSentence(buffer, sizeof buffer, "$PTST,,,,,%05d", 17));
    EXPECT_STREQ(buffer, "$PTST,,,,,00017*19\r\n");

    char small[16];
    EXPECT_FALSE(FormatSentence(small, sizeof small, "$PLMO,C,DES,%d,%s", 1, "HAMBURG"));
    EXPECT_STREQ(small, "");
    EXPECT_TRUE(FormatSentence(small, sizeof small, "$PLMO,Q,XX"));  // 10 + "*hh\r\n" + NUL
    EXPECT_FALSE(FormatSentence(small, sizeof small, "$PLMO,Q,XXX"));
    EXPECT_FALSE(FormatSentence(buffer, sizeof buffer, "$PLMO,C,DES,%d,%s", 1, "A*B"));
    EXPECT_FALSE(FormatSentence(buffer, sizeof buffer, "$PLMO,C,DES,%d,%s", 1, "A\r\n$B"));
}

// Composing from values and parsing the result gives the same values: the
// record the composer printed equals the record the parser reads back, member
// by member, for every composer whose sentence the router parses. Each
// formatter is tried with values in range and with its not-available values.
TEST(ComposeSentence, ParsingTheResultGivesTheSameValues) {
    struct RoundTrip {
        const char* formatter;
        const char* talker;
        StoreValues setup;
    };
    const RoundTrip cases[] = {
        {"SSD", "EC", [](Codec& c) { SetSsd(c.Ais); }},
        {"SSD", "AI",
         [](Codec& c) {
             c.Ais.DimA = c.Ais.DimB = 512;
             c.Ais.DimC = c.Ais.DimD = 64;
             c.Ais.Dte = 2;
             CopyText(c.Ais.Source, "GP");
         }},
        {"VSD", "EC", [](Codec& c) { SetVsd(c.Ais); }},
        {"VSD", "EC",
         [](Codec& c) {
             c.Ais.ShipType = 256;
             c.Ais.Draught = -100000.0f;
             c.Ais.PersonsOnBoard = 8192;
             const std::uint8_t eta[] = {24, 60, 60, 0, 32, 13, 0};
             std::memcpy(c.Ais.TimeDate, eta, sizeof eta);
             c.Ais.NavStatus = 0x80;
         }},
        {"ALR", "AI",
         [](Codec& c) {
             c.Ais.LastAlarm = AlrRecord{{10, 15, 0, 50}, 6, 'A', 'V', "AIS: TX MALFUNCTION"};
         }},
        {"ACK", "AI", [](Codec& c) { c.Ais.AckAlarmId = 6; }},
        {"ACK", "AI", [](Codec& c) { c.Ais.AckAlarmId = 1000; }},
        {"ABK", "AI",
         [](Codec& c) {
             c.Composed.Abk = AbkRecord{211000000, 1, 6, 1, 0};
         }},
        {"ABK", "AI",
         [](Codec& c) {
             c.Composed.Abk = AbkRecord{0, 0x80, 8, 2, 3};
         }},
        {"ABM", "AI",
         [](Codec& c) {
             SetEncapsulation(c.Composed, 0, '1', "0000");
             c.Composed.Abm.Mmsi = 211000000;
             c.Composed.Abm.MessageId = 6;
         }},
        {"BBM", "AI",
         [](Codec& c) {
             SetEncapsulation(c.Composed, -128, 2, "0000");
             c.Composed.Bbm.MessageId = 8;
         }},
        {"VDM", "AI",
         [](Codec& c) { SetEncapsulation(c.Composed, -128, 'A', "13aEOK?P00PD2wVMdLDRhgvL289?"); }},
        {"VDO", "AI",
         [](Codec& c) { SetEncapsulation(c.Composed, 3, 'B', "B52K>;h00Fc>jpUlNV@ik"); }},
        {"GBS", "GP", [](Codec& c) { SetGnss(c.Gnss); }},
        {"GBS", "GN",
         [](Codec& c) {
             c.Gnss.Time = TimeOfDay{24, 60, 60, 0};
             c.Gnss.GbsErrLat = c.Gnss.GbsErrLon = c.Gnss.GbsErrAlt = -100000.0f;
             c.Gnss.GbsFailedSatellite = 255;
             c.Gnss.GbsProbability = c.Gnss.GbsBias = c.Gnss.GbsStdDev = -100000.0f;
         }},
        {"GSA", "GP", [](Codec& c) { SetGnss(c.Gnss); }},
        {"GSA", "GL",
         [](Codec& c) {
             c.Gnss.SelectionMode = 'M';
             c.Gnss.FixMode = 1;
             std::fill(std::begin(c.Gnss.SatelliteIds), std::end(c.Gnss.SatelliteIds), kBlankByte);
             c.Gnss.Pdop = c.Gnss.Hdop = c.Gnss.Vdop = -100000.0f;
         }},
        {"RMC", "GP", [](Codec& c) { SetGnss(c.Gnss); }},
        {"RMC", "GN",
         [](Codec& c) {
             SetGnss(c.Gnss);
             c.Gnss.Lat = -33.125f;
             c.Gnss.Lon = 151.5f;
         }},
        {"RMC", "GP",
         [](Codec& c) {
             c.Gnss.Time = TimeOfDay{24, 60, 60, 0};
             c.Gnss.Status = 'V';
             c.Gnss.Lat = 91.0f;
             c.Gnss.Lon = 181.0f;
             c.Gnss.SogKnots = c.Gnss.CogTrue = -100000.0f;
             c.Gnss.ModeIndicator = 'N';
         }},
        {"HDT", "HE", [](Codec& c) { c.Nav.Heading = 274.5f; }},
        {"HDT", "HE", [](Codec& c) { c.Nav.Heading = 511.0f; }},
        {"MID", "P",
         [](Codec& c) {
             c.Proprietary.Mmsi = 211000000;
             c.Proprietary.Imo = 9876543;
         }},
        {"MID", "P", [](Codec& c) { c.Proprietary.Mmsi = c.Proprietary.Imo = 999999999; }},
        {"TST", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             s.TstValue = 12345;
             s.TstNumber = 7;
             s.TstLowerLetter = 'a';
             s.TstUpperLetter = 'Z';
             s.TstCode = 17;
         }},
        {"TST", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             s.TstValue = 99999;
             s.TstNumber = 99;
             s.TstLowerLetter = s.TstUpperLetter = ' ';
             s.TstCode = 65535;
         }},
        {"DBG", "P",
         [](Codec& c) {
             SetPairs(c.Proprietary, 'C', {{701, 3015}, {999, INT_MIN}, {-1, 5}, {0, -7}});
         }},
        {"DBG", "P",
         [](Codec& c) {
             SetPairs(c.Proprietary, 0, {{45, 20}, {46, 10}, {47, 1}, {122, 252}});
         }},
        {"BDY", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             s.BdyValue = 123456789;
             CopyText(s.BdyText1, "TEXT ONE");
             CopyText(s.BdyText2, "TEXT TWO");
             s.BdyFlag1 = 0;
             s.BdyFlag2 = 1;
         }},
        {"BDY", "P",
         [](Codec& c) {
             c.Proprietary.BdyValue = 999999999;
             c.Proprietary.BdyFlag1 = c.Proprietary.BdyFlag2 = 9;
         }},
        {"FRQ", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             s.FrqValue[0] = 161975000;
             s.FrqValue[1] = 162025000;
             s.FrqCode[0] = 1;
             s.FrqCode[1] = 10;
         }},
        {"FRQ", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             s.FrqValue[0] = s.FrqValue[1] = 999999999;
             s.FrqCode[0] = s.FrqCode[1] = 0x80;
         }},
        {"BTH", "P",
         [](Codec& c) {
             const std::int16_t values[6] = {1, 20, 255, 0, -5, 100};
             std::memcpy(c.Proprietary.BthValues, values, sizeof values);
             CopyText(c.Proprietary.BthText, "LUMO-AIS");
         }},
        {"BTH", "P",
         [](Codec& c) {
             for (std::int16_t& value : c.Proprietary.BthValues)
                 value = 256;
         }},
        {"TPS", "P",
         [](Codec& c) {
             c.Proprietary.TpsValue = 1;
             CopyText(c.Proprietary.TpsText, "SN12345678");
         }},
        {"TPS", "P", [](Codec& c) { c.Proprietary.TpsValue = 999; }},
        {"MOB", "P",
         [](Codec& c) {
             ProprietaryStore& s = c.Proprietary;
             const std::uint8_t id[3] = {0xA1, 0xB2, 0xC3};
             std::memcpy(s.MobId, id, sizeof id);
             s.MobValue = 5;
             s.MobCode = 15;
             s.MobOptionalCode = 0x7E;
             s.MobOptionalPresent = 1;
             for (int i = 0; i < 9; ++i)
                 s.MobData[i] = static_cast<std::uint8_t>(0x11 * i);
             s.MobDataLength = 9;
         }},
        {"MOB", "P",
         [](Codec& c) {
             c.Proprietary.MobValue = 255;
             c.Proprietary.MobCode = 255;
             c.Proprietary.MobOptionalCode = 3;  // not present: not sent
         }},
    };
    for (const RoundTrip& c : cases) {
        auto codec = std::make_unique<Codec>();
        c.setup(*codec);
        char line[kComposeBufferSize];
        ASSERT_TRUE(ComposeSentence(*codec, line, sizeof line, c.formatter, c.talker))
            << c.formatter;
        const SentenceRecord& composed = codec->Composed;

        char parsed_line[kExpandBufferSize];
        CopyText(parsed_line, line);
        auto reader = std::make_unique<Codec>();
        ASSERT_TRUE(ParseSentence(reader->Tok, parsed_line, reader->Received)) << line;
        const SentenceRecord& parsed = reader->Received;
        EXPECT_STREQ(parsed.Header.Talker, c.talker[0] == 'P' ? "P" : c.talker) << line;
        EXPECT_STREQ(parsed.Header.Formatter, c.formatter) << line;
        if (std::strcmp(c.formatter, "DBG") == 0) {
            EXPECT_EQ(parsed.Header.Mode, composed.Header.Mode) << line;
        }
        EXPECT_EQ(Render(parsed), Render(composed)) << line;
    }
}

}  // namespace
}  // namespace navoro
