// What kind of sentence a received line is, once the codec accepted it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/SentenceDispatch.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Sentence;

TEST(SentenceDispatch, TellsTheKindByFormatterGroup) {
    const struct {
        std::string line;
        SentenceKind route;
    } cases[] = {
        {Sentence("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"), SentenceKind::Reply},
        {Sentence("$AIVSD,30,5.2,12,HAMBURG,123456.78,05,06,0,0"), SentenceKind::Reply},
        {Sentence("!AIVDO,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0"), SentenceKind::Encapsulated},
        {Sentence("!AIVDM,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0"), SentenceKind::Encapsulated},
        {Sentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
         SentenceKind::Gnss},
        {Sentence("$GPVTG,31.66,T,30.10,M,0.02,N,0.04,K,A"), SentenceKind::Gnss},
        {Sentence("$PLMO,R,TSV,,,1,2,3,4,5,6"), SentenceKind::Reply},
        {Sentence("$PLMO,R,BAU,3,38400"), SentenceKind::Reply},
        {Sentence("$PLMO,R,DES,2,HAMBURG"), SentenceKind::Reply},
        {Sentence("$PLMO,R,MBL,211000000,JOHN SMITH"), SentenceKind::Reply},
        {Sentence("$PLMO,R,CLR,1,1010101010,1,2087,2088"), SentenceKind::Reply},
        {Sentence("$PLMO,R,CPA,045,1,046,2,047,0,,"), SentenceKind::Reply},
        {Sentence("$GPGSV,1,1,01,05,45,120,40"), SentenceKind::Satellites},
        // The transponder's own sentences, whoever takes them.
        {Sentence("$PTST,12345,07,a,Z,00017"), SentenceKind::Reply},
        {Sentence("$PMID,211000000,"), SentenceKind::Reply},
        {Sentence("$AITXT,,01,21,EXTERNAL GPS LOST"), SentenceKind::Reply},
        // Accepted, of another group.
        {Sentence("$HEHDT,274.07,T"), SentenceKind::Other},
        // Not admitted or not accepted.
        {"MMSI:(123456789)\r\n", SentenceKind::Rejected},
        {"[DEVICE DATA END]\r\n", SentenceKind::Rejected},
        {"$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI*00\r\n", SentenceKind::Rejected},
        {"\r\n", SentenceKind::Rejected},
    };
    auto codec = std::make_unique<Codec>();
    for (const auto& c : cases)
        EXPECT_EQ(AcceptLine(*codec, c.line.c_str()), c.route) << c.line;
}

TEST(SentenceDispatch, LinesLongerThan82CharactersWithTheirLineEndAreIgnored) {
    auto codec = std::make_unique<Codec>();
    // A valid SSD padded in its name field to 82 and 83 characters with CR LF.
    const std::string head = "$AISSD,ABC1234,";
    const std::string tail = ",100,20,5,6,0,AI";
    auto padded = [&](std::size_t total) {
        std::string name(total - head.size() - tail.size() - 5, 'N');
        return Sentence(head + name + tail);
    };
    ASSERT_EQ(padded(82).size(), 82u);
    ASSERT_EQ(padded(83).size(), 83u);
    EXPECT_EQ(AcceptLine(*codec, padded(82).c_str()), SentenceKind::Reply);
    EXPECT_EQ(AcceptLine(*codec, padded(83).c_str()), SentenceKind::Rejected);
}

}  // namespace
}  // namespace navoro
