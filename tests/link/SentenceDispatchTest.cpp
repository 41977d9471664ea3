// Where RouteLine sends a received line.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/SentenceDispatch.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::Sentence;

TEST(SentenceDispatch, RoutesByFormatterGroup) {
    const struct {
        std::string line;
        SentenceRoute route;
    } cases[] = {
        {Sentence("$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI"), SentenceRoute::ShowSsdReply},
        {Sentence("$AIVSD,30,5.2,12,HAMBURG,123456.78,05,06,0,0"), SentenceRoute::ShowVsdReply},
        {Sentence("!AIVDO,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0"),
         SentenceRoute::CountPositionReport},
        {Sentence("!AIVDM,1,1,,,13aEOK?P00PD2wVMdLDRhgvL289?,0"),
         SentenceRoute::CountPositionReport},
        {Sentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
         SentenceRoute::UpdateGnssStatus},
        {Sentence("$GPVTG,31.66,T,30.10,M,0.02,N,0.04,K,A"), SentenceRoute::UpdateGnssStatus},
        {Sentence("$PLMO,R,TSV,,,1,2,3,4,5,6"), SentenceRoute::ShowTsvReply},
        {Sentence("$PLMO,R,BAU,3,38400"), SentenceRoute::ShowBauReply},
        {Sentence("$PLMO,R,DES,2,HAMBURG"), SentenceRoute::ShowDesReply},
        {Sentence("$PLMO,R,MBL,211000000,JOHN SMITH"), SentenceRoute::ShowMblReply},
        {Sentence("$PLMO,R,CLR,1,1010101010,1,2087,2088"), SentenceRoute::ShowClrReply},
        {Sentence("$PLMO,R,CPA,045,1,046,2,047,0,,"), SentenceRoute::ShowCpaReply},
        // Proprietary sentences nobody shows.
        {Sentence("$PTST,12345,07,a,Z,00017"), SentenceRoute::None},
        {Sentence("$PMID,211000000,"), SentenceRoute::None},
        // Other formatters of the AIS group go nowhere.
        {Sentence("$AITXT,,01,21,EXTERNAL GPS LOST"), SentenceRoute::None},
        {Sentence("$AIAIQ,SSD"), SentenceRoute::None},
        // Not admitted or not accepted.
        {"MMSI:(123456789)\r\n", SentenceRoute::None},
        {"[DEVICE DATA END]\r\n", SentenceRoute::None},
        {"$AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI*00\r\n", SentenceRoute::None},
        {"\r\n", SentenceRoute::None},
    };
    auto codec = std::make_unique<Codec>();
    for (const auto& c : cases)
        EXPECT_EQ(RouteReceivedLine(*codec, c.line.c_str()), c.route) << c.line;
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
    EXPECT_EQ(RouteReceivedLine(*codec, padded(82).c_str()), SentenceRoute::ShowSsdReply);
    EXPECT_EQ(RouteReceivedLine(*codec, padded(83).c_str()), SentenceRoute::None);
}

}  // namespace
}  // namespace navoro
