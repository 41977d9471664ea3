// The port lists and the handling of ports coming and going, over a scripted source.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "link/PortLists.h"
#include "tests/link/PtyPair.h"

namespace navoro {
namespace {

std::vector<std::string> Paths(const std::vector<PortInfo>& ports) {
    std::vector<std::string> paths;
    for (const PortInfo& port : ports)
        paths.push_back(port.path);
    return paths;
}

TEST(NaturalOrder, ComparesDigitRunsByValue) {
    struct Case {
        const char* a;
        const char* b;
        bool less;
    } cases[] = {
        {"/dev/ttyS2", "/dev/ttyS10", true},     {"/dev/ttyS10", "/dev/ttyS2", false},
        {"/dev/ttyACM0", "/dev/ttyS0", true},    {"/dev/ttyS9", "/dev/ttyUSB0", true},
        {"/dev/ttyUSB1", "/dev/ttyUSB1", false}, {"/dev/ttyS02", "/dev/ttyS2", false},
        {"/dev/ttyS2", "/dev/ttyS02", true},     {"/dev/ttyS", "/dev/ttyS0", true},
        {"/dev/pts/3", "/dev/ttyS0", true},      {"/dev/ttyUSB99", "/dev/ttyUSB100", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NaturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(PortArguments, AreCollectedInOrder) {
    EXPECT_EQ(CollectPortArguments({"navoro", "--port", "/dev/pts/3", "--simulate",
                                    "--port=/dev/ttyUSB1", "--port"}),
              (std::vector<std::string>{"/dev/pts/3", "/dev/ttyUSB1"}));
}

class PortListsTest : public ::testing::Test {
  protected:
    PortListsTest() {
        lists.FillPortChoice = [this] { ++fills; };
        lists.IsConnected = [this] { return connected; };
        lists.ConnectedPort = [this] { return connectedPort; };
        lists.OnConnectedPortGone = [this] { ++drops; };
    }

    ScriptedPortSource source;
    PortLists lists{source};
    int fills = 0;
    int drops = 0;
    bool connected = false;
    std::string connectedPort;
};

TEST_F(PortListsTest, PresentPortsAreSortedNaturallyAndFillTheChoice) {
    source.SetPorts(
        {{"/dev/ttyS12", "", ""},
         {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0", "FT232R USB UART"},
         {"/dev/ttyS3", "", ""},
         {"/dev/ttyACM0", "", ""},
         {"/dev/ttyS5", "", ""}});
    source.SetBusy("/dev/ttyS5", true);
    lists.RescanPorts();
    EXPECT_EQ(fills, 1);
    const std::vector<std::string> present = {"/dev/ttyACM0", "/dev/ttyS3", "/dev/ttyS5",
                                              "/dev/ttyS12", "/dev/ttyUSB0"};
    EXPECT_EQ(Paths(lists.PresentPorts()), present);
    // A port held by another program is listed but is no detection candidate.
    EXPECT_EQ(Paths(lists.FreePorts()), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS3",
                                                                  "/dev/ttyS12", "/dev/ttyUSB0"}));
    EXPECT_FALSE(lists.IsFreePort("/dev/ttyS5"));
    const auto items = lists.PortChoiceItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[4].text, "/dev/ttyUSB0");
    EXPECT_EQ(items[4].toolTip, "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0\nFT232R USB UART");
    EXPECT_TRUE(lists.IsPresentPort("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0"));
}

TEST_F(PortListsTest, NoPortsGiveTheSingleItemNA) {
    lists.RescanPorts();
    EXPECT_TRUE(lists.PresentPorts().empty());
    EXPECT_TRUE(lists.FreePorts().empty());
    const auto items = lists.PortChoiceItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "N/A");
}

TEST_F(PortListsTest, VanishedPortsAreNoLongerCandidates) {
    source.SetPorts({{"/dev/ttyUSB0", "", ""}});
    lists.RescanPorts();
    ASSERT_EQ(lists.FreePorts().size(), 1u);
    source.SetPorts({});
    lists.RescanPorts();
    EXPECT_TRUE(lists.FreePorts().empty());
}

TEST_F(PortListsTest, FailedEnumerationKeepsTheLists) {
    source.SetPorts({{"/dev/ttyUSB0", "", ""}});
    lists.RescanPorts();
    source.SetFailing(true);
    lists.RescanPorts();
    EXPECT_EQ(Paths(lists.PresentPorts()), std::vector<std::string>{"/dev/ttyUSB0"});
}

TEST_F(PortListsTest, ListsKeepTheFirstPortsFoundUpToTheirCapacity) {
    std::vector<PortInfo> many;
    for (int i = 299; i >= 0; --i)
        many.push_back({"/dev/ttyS" + std::to_string(i), "", ""});
    source.SetPorts(many);
    lists.RescanPorts();
    ASSERT_EQ(lists.PresentPorts().size(), PortLists::kMaxPresentPorts);
    EXPECT_EQ(lists.PresentPorts().front().path, "/dev/ttyS44");  // 299 down to 44 were found first
    EXPECT_EQ(lists.PresentPorts().back().path, "/dev/ttyS299");
    ASSERT_EQ(lists.FreePorts().size(), PortLists::kMaxFreePorts);
    EXPECT_EQ(lists.FreePorts().back().path, "/dev/ttyS107");
}

TEST_F(PortListsTest, PortsGivenByPathStayInTheChoiceMarkedWhenGone) {
    source.SetPorts({{"/dev/ttyUSB0", "/dev/serial/by-id/usb-x", ""}});
    lists.AddManualPort("/dev/pts/3");
    lists.AddManualPort("/dev/pts/3");
    lists.AddManualPort("/dev/serial/by-id/usb-x");  // already listed under its device path
    lists.AddManualPort("N/A");
    source.SetExistingPath("/dev/pts/3", true);
    source.SetExistingPath("/dev/serial/by-id/usb-x", true);
    lists.RescanPorts();
    EXPECT_EQ(Paths(lists.PresentPorts()),
              (std::vector<std::string>{"/dev/pts/3", "/dev/ttyUSB0"}));
    source.SetExistingPath("/dev/pts/3", false);
    lists.RescanPorts();
    EXPECT_EQ(Paths(lists.PresentPorts()), std::vector<std::string>{"/dev/ttyUSB0"});
    EXPECT_FALSE(lists.IsPresentPort("/dev/pts/3"));
    // Still offered, after the present ones, as not present.
    const auto items = lists.PortChoiceItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, "/dev/pts/3");
    EXPECT_EQ(items[1].toolTip, "not present");
    source.SetPorts({});
    lists.RescanPorts();
    // Rather than "N/A": the by-id name given (it still exists) now stands on
    // its own, then the gone one.
    const auto left = lists.PortChoiceItems();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].text, "/dev/serial/by-id/usb-x");
    EXPECT_EQ(left[1].text, "/dev/pts/3");
    EXPECT_EQ(left[1].toolTip, "not present");
}

TEST_F(PortListsTest, AnotherPathToTheConnectedDeviceKeepsItPresent) {
    // Connected through a link of the user's own; another adapter goes away.
    test::PtyPair device;
    ASSERT_TRUE(device.Ok());
    char pattern[] = "/tmp/navoro-ports-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path folder = pattern;
    const std::string link = (folder / "my-transponder").string();
    std::filesystem::create_symlink(device.SlavePath(), link);
    source.SetPorts({{"/dev/ttyUSB0", "", ""}, {device.SlavePath(), "", ""}});
    lists.RescanPorts();
    connected = true;
    connectedPort = link;
    EXPECT_TRUE(lists.IsPresentPort(link));
    EXPECT_FALSE(lists.IsPresentPort("/dev/ttyUSB0-no-such"));

    source.Unplug("/dev/ttyUSB0");
    lists.PortChangeNotice({PortChange::Removal, "/dev/ttyUSB0"});
    EXPECT_EQ(drops, 0);
    source.Unplug(device.SlavePath());
    lists.PortChangeNotice({PortChange::Removal, device.SlavePath()});
    EXPECT_EQ(drops, 1);
    std::filesystem::remove_all(folder);
}

TEST_F(PortListsTest, RemovalOfTheConnectedPortDisconnectsOnce) {
    source.SetPorts({{"/dev/ttyUSB0", "", ""}, {"/dev/ttyUSB1", "", ""}});
    lists.RescanPorts();
    connected = true;
    connectedPort = "/dev/ttyUSB1";

    source.Unplug("/dev/ttyUSB0");  // another adapter: only the lists change
    PortChange change;
    ASSERT_TRUE(source.ReadChange(change));
    lists.PortChangeNotice(change);
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(Paths(lists.PresentPorts()), std::vector<std::string>{"/dev/ttyUSB1"});

    source.Plug({"/dev/ttyACM0", "", ""});  // a second adapter while connected
    ASSERT_TRUE(source.ReadChange(change));
    lists.PortChangeNotice(change);
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(lists.PresentPorts().size(), 2u);

    source.Unplug("/dev/ttyUSB1");
    ASSERT_TRUE(source.ReadChange(change));
    lists.PortChangeNotice(change);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(fills, 4);
}

TEST_F(PortListsTest, RemovalDuringDetectionOnlyRefreshes) {
    source.SetPorts({{"/dev/ttyUSB0", "", ""}});
    lists.RescanPorts();
    connectedPort = "/dev/ttyUSB0";  // open, but the link is not established
    source.Unplug("/dev/ttyUSB0");
    PortChange change;
    ASSERT_TRUE(source.ReadChange(change));
    lists.PortChangeNotice(change);
    EXPECT_EQ(drops, 0);
    EXPECT_TRUE(lists.PresentPorts().empty());
}

TEST_F(PortListsTest, NoticesForOtherDevicesChangeNothing) {
    source.SetPorts({{"/dev/ttyUSB0", "", ""}});
    lists.RescanPorts();
    connected = true;
    connectedPort = "/dev/ttyUSB0";
    const int enumerations = source.enumerations;
    lists.PortChangeNotice({PortChange::Removal, "/dev/tty5", false});
    EXPECT_EQ(source.enumerations, enumerations);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(drops, 0);
}

}  // namespace
}  // namespace navoro
