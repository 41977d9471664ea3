// The identification and refusal sentences every Class A transponder speaks
// on its presentation interface (VER, NAK), the query that asks for them, and
// the own ship's reports (VDO) through the AIS assembly.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "codec/Router.h"
#include "tests/support/RecordText.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Render;
using test::Sentence;

struct ParseCase {
    std::string body;
    const char* record;  // nullptr: rejected
};

// Routes every case into a fresh codec and checks the parsed record, or that
// the sentence is rejected.
void ExpectParses(const ParseCase* begin, const ParseCase* end) {
    for (const ParseCase* c = begin; c != end; ++c) {
        auto codec = std::make_unique<Codec>();
        const bool accepted = RouteSentence(*codec, Sentence(c->body).c_str());
        if (c->record == nullptr) {
            EXPECT_FALSE(accepted) << c->body;
            continue;
        }
        ASSERT_TRUE(accepted) << c->body;
        EXPECT_EQ(Render(codec->Received), c->record) << c->body;
    }
}

TEST(StandardReplies, VerTable) {
    const ParseCase cases[] = {
        {"$AIVER,1,1,AI,LMO,UID123,SN0042,MODEL-A,2.4.17,1.0,0",
         "Total=1 Number=1 DeviceType=\"AI\" VendorId=\"LMO\" UniqueId=\"UID123\" "
         "SerialNumber=\"SN0042\" ModelCode=\"MODEL-A\" SoftwareRevision=\"2.4.17\" "
         "HardwareRevision=\"1.0\" SequenceId=0"},
        // What units leave out comes as blank fields, the identifier too.
        {"$AIVER,1,1,AI,,,,,,,",
         "Total=1 Number=1 DeviceType=\"AI\" VendorId=\"\" UniqueId=\"\" SerialNumber=\"\" "
         "ModelCode=\"\" SoftwareRevision=\"\" HardwareRevision=\"\" SequenceId=-128"},
        // A two-sentence form: the texts that did not fit go in the second.
        {"$AIVER,2,1,AI,ABC,0123456789ABCDEF,SN000000000123,CLASS A TRANSPONDER,,,7",
         "Total=2 Number=1 DeviceType=\"AI\" VendorId=\"ABC\" UniqueId=\"0123456789ABCDEF\" "
         "SerialNumber=\"SN000000000123\" ModelCode=\"CLASS A TRANSPONDER\" "
         "SoftwareRevision=\"\" HardwareRevision=\"\" SequenceId=7"},
        {"$AIVER,2,2,AI,,,,,V1.02.0045 BUILD 2024-03-08,HW REV C,7",
         "Total=2 Number=2 DeviceType=\"AI\" VendorId=\"\" UniqueId=\"\" SerialNumber=\"\" "
         "ModelCode=\"\" SoftwareRevision=\"V1.02.0045 BUILD 2024-03-08\" "
         "HardwareRevision=\"HW REV C\" SequenceId=7"},
        // Over-long texts are cut to their members.
        {"$AIVER,1,1,AIS,VENDOR,UNIQUE IDENTIFIER OF FORTY CHARACTERS.,S,M,1,2,",
         "Total=1 Number=1 DeviceType=\"AI\" VendorId=\"VEN\" "
         "UniqueId=\"UNIQUE IDENTIFIER OF FORTY CHARA\" SerialNumber=\"S\" ModelCode=\"M\" "
         "SoftwareRevision=\"1\" HardwareRevision=\"2\" SequenceId=-128"},
        {"$AIVER,1,1,AI,LMO,U,S,M,1,2", nullptr},     // nine fields
        {"$AIVER,0,1,AI,LMO,U,S,M,1,2,0", nullptr},   // counters are 1-9
        {"$AIVER,10,1,AI,LMO,U,S,M,1,2,0", nullptr},  //
        {"$AIVER,1,2,AI,LMO,U,S,M,1,2,0", nullptr},   // number beyond the total
        {"$AIVER,1,1,AI,LMO,U,S,M,1,2,10", nullptr},  // sequence identifier 0-9
    };
    ExpectParses(std::begin(cases), std::end(cases));
}

TEST(StandardReplies, NakTable) {
    const ParseCase cases[] = {
        {"$AINAK,EC,TRL,SIM0001,1,SENTENCE FORMATTER NOT SUPPORTED",
         "Talker=\"EC\" Formatter=\"TRL\" UniqueId=\"SIM0001\" Reason=1 "
         "Text=\"SENTENCE FORMATTER NOT SUPPORTED\""},
        {"$AINAK,II,ACA,,3,", "Talker=\"II\" Formatter=\"ACA\" UniqueId=\"\" Reason=3 Text=\"\""},
        {"$AINAK,,,,,", "Talker=\"\" Formatter=\"\" UniqueId=\"\" Reason=-1 Text=\"\""},
        // The longest text a sentence can carry is kept whole.
        {"$AINAK,EC,SSD,1,11,CALL SIGN HOLDS A CHARACTER OUTSIDE THE SIX-BIT SET OF AIS",
         "Talker=\"EC\" Formatter=\"SSD\" UniqueId=\"1\" Reason=11 "
         "Text=\"CALL SIGN HOLDS A CHARACTER OUTSIDE THE SIX-BIT SET OF AIS\""},
        {"$AINAK,EC,SSD,,100,TEXT", nullptr},  // reason codes are 0-99
        {"$AINAK,EC,SSD,,1", nullptr},         // four fields
    };
    ExpectParses(std::begin(cases), std::end(cases));
}

TEST(StandardReplies, ComposedVerAndNakReadBackTheSame) {
    SentenceRecord record{};
    VerRecord& ver = record.Ver;
    ver.Total = 1;
    ver.Number = 1;
    CopyText(ver.DeviceType, "AI");
    CopyText(ver.VendorId, "SIM");
    CopyText(ver.UniqueId, "SIM211457320");
    CopyText(ver.SerialNumber, "");
    CopyText(ver.ModelCode, "CLASS A");
    CopyText(ver.SoftwareRevision, "2.4.17 (2024-03-08)");
    CopyText(ver.HardwareRevision, "1.0");
    ver.SequenceId = kBlankByte;
    char buffer[kComposeBufferSize];
    ASSERT_TRUE(ComposeRecord(record, buffer, sizeof buffer, "VER", "AI"));
    EXPECT_EQ(std::string(buffer),
              Sentence("$AIVER,1,1,AI,SIM,SIM211457320,,CLASS A,2.4.17 (2024-03-08),1.0,"));
    const std::string composed = Render(record);
    auto codec = std::make_unique<Codec>();
    ASSERT_TRUE(RouteSentence(*codec, buffer));
    EXPECT_EQ(Render(codec->Received), composed);

    record.Nak = NakRecord{};
    CopyText(record.Nak.Talker, "EC");
    CopyText(record.Nak.Formatter, "XDR");
    record.Nak.Reason = 1;
    CopyText(record.Nak.Text, "SENTENCE FORMATTER NOT SUPPORTED");
    ASSERT_TRUE(ComposeRecord(record, buffer, sizeof buffer, "NAK", "AI"));
    EXPECT_EQ(std::string(buffer), Sentence("$AINAK,EC,XDR,,1,SENTENCE FORMATTER NOT SUPPORTED"));

    // A text that would break the sentence apart is refused, not sent.
    CopyText(record.Nak.Text, "A,B");
    EXPECT_FALSE(ComposeRecord(record, buffer, sizeof buffer, "NAK", "AI"));
    EXPECT_STREQ(buffer, "");
}

TEST(StandardReplies, QueryLines) {
    struct Case {
        const char* formatter;
        const char* requester;
        const char* target;
        const char* line;  // body; nullptr: refused
    };
    const Case cases[] = {
        {"VER", "EC", "AI", "$ECAIQ,VER"}, {"SSD", "II", "AI", "$IIAIQ,SSD"},
        {"", "EC", "AI", nullptr},      // no formatter
        {"ABCD", "EC", "AI", nullptr},  // too long
        {"S,D", "EC", "AI", nullptr},   // a delimiter
        {"ssd", "EC", "AI", nullptr},   // not capitals
        {"SSD", "E", "AI", nullptr},    // a talker is two characters
        {"SSD", "EC", "AIS", nullptr},  //
    };
    for (const Case& c : cases) {
        char buffer[kComposeBufferSize];
        std::memset(buffer, 'x', sizeof buffer);
        const bool ok = ComposeQuery(buffer, sizeof buffer, c.formatter, c.requester, c.target);
        if (c.line == nullptr) {
            EXPECT_FALSE(ok) << c.formatter << " " << c.requester << " " << c.target;
            EXPECT_STREQ(buffer, "");
            continue;
        }
        ASSERT_TRUE(ok) << c.formatter;
        EXPECT_EQ(std::string(buffer), Sentence(c.line));
        // The device reads it back as a query for the formatter.
        auto codec = std::make_unique<Codec>();
        ASSERT_TRUE(RouteSentence(*codec, buffer));
        EXPECT_STREQ(codec->Received.Header.Formatter, "Q");
        EXPECT_STREQ(codec->Received.Header.Talker, c.requester);
        EXPECT_STREQ(codec->Received.Query.Queried, c.formatter);
    }
    // Defaults, and a buffer too small for the whole line.
    char buffer[kComposeBufferSize];
    ASSERT_TRUE(ComposeQuery(buffer, sizeof buffer, "TRL"));
    EXPECT_EQ(std::string(buffer), Sentence("$ECAIQ,TRL"));
    char small[12];
    EXPECT_FALSE(ComposeQuery(small, sizeof small, "TRL"));
    EXPECT_STREQ(small, "");
}

// The own ship's reports are assembled like received ones and filed as the
// own ship (entry 0), also when a VDM with the same sequential identifier
// comes between the parts of a VDO.
TEST(StandardReplies, OwnShipReportsGoToTheOwnShipEntry) {
    auto codec = std::make_unique<Codec>();
    auto route = [&](const std::string& body) {
        return RouteSentence(*codec, Sentence(body).c_str());
    };
    ASSERT_TRUE(route("!AIVDO,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0"));
    const TargetEntry& own = codec->Targets.Entry(0);
    const std::uint32_t mmsi = own.Mmsi;
    EXPECT_NE(mmsi, 0u);
    EXPECT_EQ(own.VdoCount, 1u);
    EXPECT_EQ(codec->Targets.Count(), 1);

    // Message 5 of the own ship in two parts.
    EXPECT_FALSE(
        route("!AIVDO,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0"));
    EXPECT_TRUE(route("!AIVDO,2,2,1,A,88888888880,2"));
    EXPECT_EQ(own.VdoCount, 2u);
    EXPECT_EQ(own.Mmsi, mmsi);  // the first VDO named the own ship
    EXPECT_EQ(codec->Targets.Count(), 1);

    // A VDM part does not continue a VDO message.
    EXPECT_FALSE(
        route("!AIVDO,2,1,2,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0"));
    EXPECT_FALSE(route("!AIVDM,2,2,2,A,88888888880,2"));
    EXPECT_EQ(own.VdoCount, 2u);
    EXPECT_EQ(codec->Targets.Count(), 1);
}

}  // namespace
}  // namespace navoro
