// What a read gathers from the transponder's replies and information dump:
// values that do not fit a tab read as not available instead of a number the
// device never sent, a list longer than its tab is cut, and a tab whose
// replies did not come is left out of the file and named.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/LineAssembler.h"
#include "tests/support/Sentence.h"
#include "tools/config/DeviceReadout.h"

namespace navoro {
namespace {

class DeviceReadoutTest : public ::testing::Test {
  protected:
    void Receive(const std::string& body) {
        char line[LineAssembler::kConsumerBufferSize] = {};
        const std::string text = test::Sentence(body);
        ASSERT_LT(text.size(), sizeof line);
        text.copy(line, text.size());
        readout.TakeDeviceData(line);
        readout.TakeReply(RouteReceivedLine(*codec, line), *codec);
    }
    void Dump(const char* line) { readout.TakeDeviceData(line); }
    // Everything a whole read brings, each value in range.
    void ReceiveAll() {
        Dump("Firmware:2.4.17 (2024-03-08)\r\n");
        Dump("S/N:(LMO2403A00417)\r\n");
        Dump("MMSI:(211457320)\r\n");
        Dump("[DEVICE DATA END]\r\n");
        Receive("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI");
        Receive("$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP");
        Receive("$AIVSD,70,7.2,18,HAMBURG,163000.00,14,06,5,0");
        Receive("$PLMO,R,CPA,45,20,46,10,47,1,,");
        Receive("$PLMO,R,TSV,30,0,101,1,102,0,,");
        Receive("$PLMO,R,CLR,0,1111111111,0,2087,2088");
        for (const int port : {-1, 3, 4, 5, 6, 7, 8, 9})
            Receive("$PLMO,R,BAU," + std::to_string(port) + "," +
                    (port == -1 ? "115200" : "38400"));
        Receive("$PLMO,R,DES,2,ROTTERDAM");
        Receive("$PLMO,R,MBL,999,NONE");
    }

    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
    DeviceReadout readout;
};

TEST_F(DeviceReadoutTest, AWholeReadFillsEveryTab) {
    ReceiveAll();
    EXPECT_TRUE(readout.SettledTabsComplete());
    std::vector<std::string> missing;
    const ConfigFile f = readout.File(&missing);
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(f.Firmware, "2.4.17 (2024-03-08)");
    EXPECT_EQ(f.SerialNumber, "LMO2403A00417");
    ASSERT_TRUE(f.Ship && f.Voyage && f.Cpa && f.Transceiver && f.LongRange && f.Destinations &&
                f.Mob && f.Encryption && f.Baud);
    EXPECT_EQ(f.Ship->Mmsi, "211457320");
    EXPECT_EQ(f.Ship->Name, "NORDIC TRADER");
    EXPECT_EQ(f.Ship->External, (std::array<int, 4>{70, 30, 12, 8}));
    EXPECT_EQ(f.Voyage->Draught, "7.2");
    EXPECT_EQ(f.Cpa->Cpa, "02.0");
    EXPECT_EQ(f.Destinations->Rows[1], "ROTTERDAM");
    EXPECT_TRUE(f.Mob->Rows[0].Mmsi.empty());  // the empty-list marker fills no row
    // What was read can be written back as it is.
    EXPECT_TRUE(CheckConfigFile(f).empty());
}

TEST_F(DeviceReadoutTest, ValuesThatDoNotFitReadAsNotAvailable) {
    ReceiveAll();
    Receive("$AISSD,AB,NAME,,600,64,63,0,AI");        // B 600, C 64: beyond the tab's boxes
    Receive("$AIVSD,30,99.5,9000,X,,,,16,0");         // draught, POB, status out of range
    Receive("$PLMO,R,CPA,45,1000,46,150,47,0,,");     // 100 NM, 150 min
    Receive("$PLMO,R,CLR,1,0000000000,1,-5,123456");  // channels no field holds
    Receive("$PLMO,R,BAU,3,1200");                    // a rate the port's list lacks
    Receive("$PLMO,R,DES,11,NOWHERE");                // a row the list lacks
    const ConfigFile f = readout.File();
    ASSERT_TRUE(f.Ship && f.Voyage && f.Cpa && f.LongRange && f.Baud);
    EXPECT_EQ(f.Ship->Internal[1], -1);
    EXPECT_EQ(f.Ship->Internal[2], -1);
    EXPECT_EQ(f.Ship->Internal[3], 63);
    EXPECT_EQ(f.Voyage->Draught, "");
    EXPECT_EQ(f.Voyage->PersonsOnBoard, -1);
    EXPECT_EQ(f.Voyage->NavStatus, -1);
    EXPECT_EQ(f.Cpa->Cpa, "");
    EXPECT_EQ(f.Cpa->Tcpa, -1);
    EXPECT_EQ(f.Cpa->AlarmIndex, 1);
    EXPECT_EQ(f.LongRange->ChannelA, "");
    EXPECT_EQ(f.LongRange->ChannelB, "");
    EXPECT_EQ(f.Baud->Selected[0], -1);
    for (const std::string& row : f.Destinations->Rows)
        EXPECT_NE(row, "NOWHERE");
}

TEST_F(DeviceReadoutTest, AMobListLongerThanTheTabIsCut) {
    ReceiveAll();
    for (int entry = 0; entry < kMobRows + 5; ++entry)
        Receive("$PLMO,R,MBL,9720" + std::to_string(10000 + entry) + ",B");
    const ConfigFile f = readout.File();
    ASSERT_TRUE(f.Mob);
    EXPECT_EQ(f.Mob->Rows.back().Mmsi, "9720" + std::to_string(10000 + kMobRows - 1));
}

TEST_F(DeviceReadoutTest, ATabWhoseRepliesDidNotComeIsLeftOutAndNamed) {
    Dump("MMSI:(211457320)\r\n");
    Dump("[DEVICE DATA END]\r\n");
    Receive("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI");  // the external antenna's is missing
    Receive("$PLMO,R,CPA,45,20,46,10,47,1,,");
    Receive("$PLMO,R,BAU,-1,115200");
    EXPECT_FALSE(readout.SettledTabsComplete());
    std::vector<std::string> missing;
    const ConfigFile f = readout.File(&missing);
    EXPECT_FALSE(f.Ship);
    EXPECT_TRUE(f.Cpa);
    EXPECT_TRUE(f.Encryption);  // from the dump
    EXPECT_FALSE(f.Baud);
    EXPECT_EQ(missing, (std::vector<std::string>{"ship", "voyage", "transceiver", "longRange",
                                                 "destinations", "mob", "baud"}));
}

}  // namespace
}  // namespace navoro
