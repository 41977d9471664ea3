// What a port's lines say about the device at its far end: one line at a
// time, and the verdict over a probing window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/PortTraffic.h"

namespace navoro {
namespace {

// Real forms: the AIS payloads decode with gpsdecode (a moored Class A ship,
// MMSI 477553000; a two-sentence static report of MMSI 351759000).
constexpr char kSeenVdo[] = "!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0*1C\r\n";
// Some gateways add a field (here a time) after the fill bits.
constexpr char kSeenVdmExtraField[] =
    "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0,1569884401*7A\r\n";
constexpr char kSeenVdmPart1[] =
    "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n";
constexpr char kSeenVdmPart2[] = "!AIVDM,2,2,1,A,88888888880,2*25\r\n";
// A blank alarm time, as transponders send before they have a fix.
constexpr char kSeenAlr[] = "$AIALR,,006,A,V,AIS: TX MALFUNCTION*75\r\n";
constexpr char kSeenTxt[] = "$AITXT,01,01,021,EXTERNAL EPFS LOST*7A\r\n";
constexpr char kSeenVer[] = "$AIVER,1,1,AI,ACME,CLASS A 9000,SN0042,,1.2.3,HW2,1*7A\r\n";
constexpr char kSeenSsd[] = "$AISSD,PE1234,MY SHIP NAME,050,020,10,05,0,AI*77\r\n";
constexpr char kSeenNakProbe[] = "$AINAK,P,TST,,2,SENTENCE NOT SUPPORTED*4B\r\n";
constexpr char kSeenGga[] =
    "$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,*49\r\n";
constexpr char kSeenRmc[] = "$GNRMC,120044.00,A,5321.6802,N,00630.3372,W,0.0,,111226,,,A*71\r\n";
constexpr char kSeenGsv[] =
    "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74\r\n";
constexpr char kSeenHdt[] = "$HEHDT,274.1,T*2F\r\n";
constexpr char kSeenDumpEnd[] = "******** [DEVICE DATA END] ********\r\n";

TEST(PortTraffic, EachLineIsEvidenceOfItsOwnKind) {
    const struct {
        const char* line;
        LineEvidence evidence;
    } cases[] = {
        {kSeenVdo, LineEvidence::Transponder},
        {kSeenVdmExtraField, LineEvidence::Transponder},
        {kSeenVdmPart1, LineEvidence::Transponder},
        {kSeenVdmPart2, LineEvidence::Transponder},
        {"!BSVDM,1,1,,A,177KQJ5000G?tO`K>RA1wUbN0TKH,0*46\r\n", LineEvidence::Transponder},
        {kSeenAlr, LineEvidence::Transponder},
        {kSeenTxt, LineEvidence::Transponder},
        {kSeenVer, LineEvidence::Transponder},
        {kSeenSsd, LineEvidence::Transponder},
        {"$AINAK,EC,SSD,,1,QUERY NOT SUPPORTED*42\r\n", LineEvidence::Transponder},
        {kSeenNakProbe, LineEvidence::ProbeRefused},
        {kSeenGga, LineEvidence::Gnss},
        {kSeenRmc, LineEvidence::Gnss},
        {kSeenGsv, LineEvidence::Gnss},
        {"$GPTXT,01,01,02,ANTENNA OK*36\r\n", LineEvidence::Gnss},
        {kSeenHdt, LineEvidence::OtherSentence},
        {"$PSRF150,1*3E\r\n", LineEvidence::OtherSentence},
        {kSeenDumpEnd, LineEvidence::DumpEnd},
        // A sentence carrying the dump's words is no dump end.
        {"!AIVDO,1,1,,A,[DEVICE DATA END]*00\r\n", LineEvidence::Unframed},
        // Our probe and queries coming back, the dump's text, an empty line.
        {"$PTST,,,,,00016*18\r\n", LineEvidence::Nothing},
        {"$ECAIQ,VER*32\r\n", LineEvidence::Nothing},
        {"$AIAIQ,SSD*39\r\n", LineEvidence::Nothing},
        {"MMSI:(211000000)\r\n", LineEvidence::DumpText},
        {"[DEVICE DATA BEGIN]\r\n", LineEvidence::DumpText},
        {"Model:Class A AIS transponder\r\n", LineEvidence::Nothing},
        {"\r\n", LineEvidence::Nothing},
        // Not well formed.
        {"!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0*1D\r\n", LineEvidence::Unframed},  // checksum
        {"!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0*1c\r\n",
         LineEvidence::Unframed},                                                     // lower case
        {"!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0\r\n", LineEvidence::Unframed},  // none
        {"$GPGGA,120044.00*4\r\n", LineEvidence::Unframed},
        {"$GP*GG*00\r\n", LineEvidence::Unframed},
        {"$*\r\n", LineEvidence::Unframed},
        {"\x93\xfe\x01\xe0\r\n", LineEvidence::Unframed},
        {"$AIALR,,006,A,V,AIS: TX MALFUNCTION*75 trailing\r\n", LineEvidence::Unframed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyLine(c.line), c.evidence) << c.line;
    // An over-long line is no sentence, whatever its checksum.
    const std::string longText = "$AITXT,01,01,021," + std::string(80, 'X');
    EXPECT_EQ(ClassifyLine(longText + "*00\r\n"), LineEvidence::Unframed);
}

TEST(PortTraffic, TheWindowsVerdict) {
    const std::string garbage = "\x93\xfe\x01\xe0\r\n";
    const std::string brokenGga =
        "$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,*48\r\n";
    const struct {
        const char* name;
        std::vector<std::string> lines;
        PortTraffic verdict;
        bool refused;
    } cases[] = {
        {"nothing", {}, PortTraffic::Silence, false},
        {"the dump",
         {"MMSI:(211000000)\r\n", kSeenDumpEnd},
         PortTraffic::ProprietaryTransponder,
         false},
        {"the dump amid standard traffic",
         {kSeenVdo, kSeenGga, kSeenDumpEnd, kSeenAlr},
         PortTraffic::ProprietaryTransponder,
         false},
        // Our maker's transponder whose dump broke off is not linked as another's.
        {"a dump without its end",
         {"[DEVICE DATA BEGIN]\r\n", "MMSI:(211000000)\r\n", kSeenVdo, kSeenGga},
         PortTraffic::DumpUnfinished,
         false},
        {"own ship and GNSS",
         {kSeenGga, kSeenVdo, kSeenRmc, kSeenGsv},
         PortTraffic::StandardTransponder,
         false},
        {"targets through a gateway",
         {kSeenVdmExtraField},
         PortTraffic::StandardTransponder,
         false},
        {"a two-sentence message",
         {kSeenVdmPart1, kSeenVdmPart2},
         PortTraffic::StandardTransponder,
         false},
        {"alarms and texts only", {kSeenAlr, kSeenTxt}, PortTraffic::StandardTransponder, false},
        {"a query's reply", {kSeenVer}, PortTraffic::StandardTransponder, false},
        {"the probe refused", {kSeenNakProbe}, PortTraffic::StandardTransponder, true},
        {"a transponder amid noise",
         {garbage, kSeenVdo, garbage},
         PortTraffic::StandardTransponder,
         false},
        {"GNSS only", {kSeenGga, kSeenRmc, kSeenGsv}, PortTraffic::NotATransponder, false},
        {"GNSS amid noise", {garbage, kSeenGga}, PortTraffic::NotATransponder, false},
        {"a gyro", {kSeenHdt}, PortTraffic::NotATransponder, false},
        {"garbage", {garbage, garbage}, PortTraffic::Unreadable, false},
        {"broken checksums", {brokenGga, brokenGga}, PortTraffic::Unreadable, false},
        {"our probe echoed", {"$PTST,,,,,00016*18\r\n"}, PortTraffic::Unreadable, false},
        {"empty lines", {"\r\n", "\r\n"}, PortTraffic::Unreadable, false},
    };
    for (const auto& c : cases) {
        TrafficTally tally;
        for (const std::string& line : c.lines)
            tally.Take(line);
        EXPECT_EQ(tally.Verdict(), c.verdict) << c.name;
        EXPECT_EQ(tally.ProbeRefused(), c.refused) << c.name;
        tally.Clear();
        EXPECT_EQ(tally.Verdict(), PortTraffic::Silence) << c.name;
    }
}

}  // namespace
}  // namespace navoro
