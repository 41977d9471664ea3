// What a read gathers from the transponder's replies and information dump:
// values that do not fit a tab read as not available instead of a number the
// device never sent, a list longer than its tab is cut, and a tab whose
// replies did not come is left out of the file and named.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec/Router.h"
#include "config/ConfigFile.h"
#include "config/tabs/DeviceReadout.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

class DeviceReadoutTest : public ::testing::Test {
  protected:
    void Receive(const std::string& body) {
        const std::string line = test::Sentence(body);
        readout.TakeDeviceInfo(line);
        ASSERT_TRUE(RouteSentence(*codec, line.c_str(), line.size())) << body;
        readout.TakeSentence(codec->Received);
    }
    void Dump(const char* line) { readout.TakeDeviceInfo(line); }
    bool AllComplete() const {
        for (std::size_t tab = 0; tab < kTabCount; ++tab)
            if (!readout.Complete(tab)) return false;
        return true;
    }
    ConfigFile File(std::vector<std::string>* missing = nullptr) const {
        ConfigFile f;
        f.Firmware = readout.Identity().Firmware;
        f.SerialNumber = readout.Identity().SerialNumber;
        f.Tabs = readout.Settings(missing);
        return f;
    }
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
    EXPECT_TRUE(AllComplete());
    std::vector<std::string> missing;
    const ConfigFile f = File(&missing);
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(f.Firmware, "2.4.17 (2024-03-08)");
    EXPECT_EQ(f.SerialNumber, "LMO2403A00417");
    for (std::size_t tab = 0; tab < kTabCount; ++tab)
        EXPECT_TRUE(f.Tabs.Has(tab)) << kTabInfos[tab].Key;
    const auto& ship = *f.Tabs.Get<ShipDataTab>();
    EXPECT_EQ(ship.Mmsi, 211457320u);
    EXPECT_EQ(ship.Name, "NORDIC TRADER");
    EXPECT_EQ(ship.External, (std::array<std::optional<int>, 4>{70, 30, 12, 8}));
    EXPECT_EQ(f.Tabs.Get<VoyageTab>()->DraughtTenths, 72);
    EXPECT_EQ(f.Tabs.Get<CpaTab>()->CpaTenths, 20);
    EXPECT_EQ(f.Tabs.Get<DestinationsTab>()->Rows[1], "ROTTERDAM");
    EXPECT_FALSE(f.Tabs.Get<MobTab>()->Rows[0].Mmsi);  // the empty-list marker fills no row
    // What was read can be written back as it is.
    EXPECT_TRUE(CheckConfigFile(f).empty()) << CheckConfigFile(f).front().Name;
}

TEST_F(DeviceReadoutTest, ValuesThatDoNotFitReadAsNotAvailable) {
    ReceiveAll();
    Receive("$AISSD,AB,NAME,,600,64,63,0,AI");        // B 600, C 64: beyond the tab's boxes
    Receive("$AIVSD,30,99.5,9000,X,,,,16,0");         // draught, POB, status out of range
    Receive("$PLMO,R,CPA,45,1000,46,150,47,0,,");     // 100 NM, 150 min
    Receive("$PLMO,R,CLR,1,0000000000,1,-5,123456");  // channels no field holds
    Receive("$PLMO,R,BAU,3,1200");                    // a rate the port's list lacks
    Receive("$PLMO,R,DES,11,NOWHERE");                // a row the list lacks
    const ConfigFile f = File();
    const auto& t = f.Tabs;
    ASSERT_TRUE(t.Get<ShipDataTab>() && t.Get<VoyageTab>() && t.Get<CpaTab>() &&
                t.Get<LongRangeTab>() && t.Get<BaudRateTab>());
    EXPECT_EQ(t.Get<ShipDataTab>()->Internal[1], std::nullopt);
    EXPECT_EQ(t.Get<ShipDataTab>()->Internal[2], std::nullopt);
    EXPECT_EQ(t.Get<ShipDataTab>()->Internal[3], 63);
    EXPECT_EQ(t.Get<VoyageTab>()->DraughtTenths, std::nullopt);
    EXPECT_EQ(t.Get<VoyageTab>()->PersonsOnBoard, std::nullopt);
    EXPECT_EQ(t.Get<VoyageTab>()->NavStatus, std::nullopt);
    EXPECT_EQ(t.Get<CpaTab>()->CpaTenths, std::nullopt);
    EXPECT_EQ(t.Get<CpaTab>()->TcpaMinutes, std::nullopt);
    EXPECT_FALSE(t.Get<CpaTab>()->AlarmOn);
    EXPECT_EQ(t.Get<LongRangeTab>()->ChannelA, std::nullopt);
    EXPECT_EQ(t.Get<LongRangeTab>()->ChannelB, std::nullopt);
    EXPECT_EQ(t.Get<BaudRateTab>()->Rates[0], std::nullopt);
    for (const std::string& row : t.Get<DestinationsTab>()->Rows)
        EXPECT_NE(row, "NOWHERE");
}

TEST_F(DeviceReadoutTest, AMobListLongerThanTheTabIsCut) {
    ReceiveAll();
    for (int entry = 0; entry < kMobRows + 5; ++entry)
        Receive("$PLMO,R,MBL,9720" + std::to_string(10000 + entry) + ",B");
    const ConfigFile f = File();
    ASSERT_TRUE(f.Tabs.Get<MobTab>());
    EXPECT_EQ(
        f.Tabs.Get<MobTab>()->Rows.back().Mmsi,
        static_cast<std::uint32_t>(std::stoul("9720" + std::to_string(10000 + kMobRows - 1))));
}

TEST_F(DeviceReadoutTest, ATabWhoseRepliesDidNotComeIsLeftOutAndNamed) {
    Dump("MMSI:(211457320)\r\n");
    Dump("[DEVICE DATA END]\r\n");
    Receive("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI");  // the external antenna's is missing
    Receive("$PLMO,R,CPA,45,20,46,10,47,1,,");
    Receive("$PLMO,R,BAU,-1,115200");
    EXPECT_FALSE(AllComplete());
    std::vector<std::string> missing;
    const ConfigFile f = File(&missing);
    EXPECT_FALSE(f.Tabs.Get<ShipDataTab>());
    EXPECT_TRUE(f.Tabs.Get<CpaTab>());
    EXPECT_TRUE(f.Tabs.Get<EncryptionTab>());  // from the dump
    EXPECT_FALSE(f.Tabs.Get<BaudRateTab>());
    EXPECT_EQ(missing, (std::vector<std::string>{"ship", "voyage", "transceiver", "longRange",
                                                 "destinations", "mob", "baud"}));
}

}  // namespace
}  // namespace navoro
