#include "tools/sim/StateFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sim/SimOptions.h"

namespace navoro::sim {
namespace {

namespace fs = std::filesystem;

class StateFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("navoro-sim-state-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(StateFileTest, SavedStateLoadsBackUnchanged) {
    DeviceState state;
    state.Mmsi = 1;
    state.Name = "X";
    state.External = Antenna{1, 2, 3, 4};
    state.PortRates[static_cast<std::size_t>(PortIndex(-1))] = 4800;
    state.PortRates[static_cast<std::size_t>(PortIndex(9))] = 9600;
    state.LrFunctionReply = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    state.Destinations[9] = "LAST";
    state.MobList = {{972999999, ""}};
    state.Inland = true;
    state.EncryptionOn = true;
    state.EncryptionKey = "abc123";
    const std::string path = Path("state.json");
    ASSERT_EQ(SaveStateFile(path, state), "");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    DeviceState loaded;
    bool missing = true;
    ASSERT_EQ(LoadStateFile(path, loaded, missing), "");
    EXPECT_FALSE(missing);
    EXPECT_EQ(loaded, state);
}

TEST_F(StateFileTest, MissingFileKeepsTheDefaults) {
    DeviceState state;
    bool missing = false;
    EXPECT_EQ(LoadStateFile(Path("none.json"), state, missing), "");
    EXPECT_TRUE(missing);
    EXPECT_EQ(state, DeviceState{});
}

TEST_F(StateFileTest, PartialFileOverridesOnlyItsKeys) {
    DeviceState state;
    ASSERT_EQ(
        StateFromJson(R"({"Mmsi": 5, "Internal": {"C": 3}, "PortRates": {"-1": 9600}})", state),
        "");
    DeviceState expected;
    expected.Mmsi = 5;
    expected.Internal.C = 3;
    expected.PortRates[0] = 9600;
    EXPECT_EQ(state, expected);
}

TEST_F(StateFileTest, BadFilesAreRefusedWithAReasonAndLeaveTheStateAlone) {
    struct Case {
        const char* Json;
        const char* Reason;  // part of the error
    };
    const Case cases[] = {
        {"{", "not valid JSON"},
        {"[1, 2]", "JSON object"},
        {R"({"Mmsii": 1})", "\"Mmsii\": unknown key"},
        {R"({"Mmsi": "one"})", "whole number"},
        {R"({"Mmsi": -1})", "out of range"},
        {R"({"Mmsi": 1000000000})", "Mmsi 1000000000 is not 0-999999998"},
        {R"({"Internal": {"A": 512}})", "Internal.A 512 is not 0-511"},
        {R"({"Internal": {"E": 1}})", "unknown key"},
        {R"({"Name": "lower"})", "Name \"lower\""},
        {R"({"PortRates": {"3": 115200}})", "PortRates[port 3] 115200"},
        {R"({"PortRates": {"10": 4800}})", "not a port"},
        {R"({"LrFunctionReply": "10101"})", "ten characters"},
        {R"({"Destinations": ["A"]})", "10 texts"},
        {R"({"MobList": [{"Mmsi": 123, "Name": "X"}]})", "MobList.Mmsi 123"},
        {R"({"Inland": 1})", "true or false"},
        {R"({"EncryptionKey": "with space"})", "EncryptionKey"},
        {R"({"DraughtTenths": 256})", "DraughtTenths 256"},
    };
    for (const Case& c : cases) {
        DeviceState state;
        const std::string error = StateFromJson(c.Json, state);
        EXPECT_NE(error.find(c.Reason), std::string::npos) << c.Json << " -> " << error;
        EXPECT_EQ(state, DeviceState{}) << c.Json;
    }
}

TEST_F(StateFileTest, UnwritablePlaceReportsAnError) {
    EXPECT_NE(SaveStateFile(Path("no/such/dir/state.json"), DeviceState{}), "");
}

TEST(SimOptionsTest, ReadsEverySwitch) {
    const char* argv[] = {"--device",
                          "/dev/ttyUSB0",
                          "--state",
                          "s.json",
                          "--record",
                          "r.log",
                          "--rate",
                          "9600",
                          "--inland",
                          "--no-stream",
                          "--silent",
                          "--no-dump-end",
                          "--garbage",
                          "0.25",
                          "--bad-checksum",
                          "1",
                          "--hangup-after",
                          "1.5",
                          "--reply-delay",
                          "250",
                          "--seed",
                          "42",
                          "--exit-on-close",
                          "--exit-with-parent",
                          "-v"};
    SimOptions o;
    ASSERT_EQ(ParseOptions(static_cast<int>(std::size(argv)), argv, o), "");
    EXPECT_EQ(o.Device, "/dev/ttyUSB0");
    EXPECT_EQ(o.StatePath, "s.json");
    EXPECT_EQ(o.RecordPath, "r.log");
    EXPECT_EQ(o.Rate, 9600);
    EXPECT_TRUE(o.Inland && o.NoStream && o.Silent && o.NoDumpEnd && o.ExitOnClose &&
                o.ExitWithParent && o.Verbose);
    EXPECT_DOUBLE_EQ(o.Garbage, 0.25);
    EXPECT_DOUBLE_EQ(o.BadChecksum, 1.0);
    EXPECT_DOUBLE_EQ(o.HangupAfter, 1.5);
    EXPECT_EQ(o.ReplyDelayMs, 250);
    EXPECT_EQ(o.Seed, 42u);
}

TEST(SimOptionsTest, RefusesBadValues) {
    const std::vector<std::vector<const char*>> cases = {
        {"--rate", "14400"},        {"--rate"},
        {"--garbage", "1.5"},       {"--garbage", "x"},
        {"--bad-checksum", "-0.1"}, {"--hangup-after", "0"},
        {"--reply-delay", "-1"},    {"--reply-delay", "60001"},
        {"--seed", "abc"},          {"--state", ""},
        {"--frobnicate"},
    };
    for (const auto& args : cases) {
        SimOptions o;
        EXPECT_NE(ParseOptions(static_cast<int>(args.size()), args.data(), o), "") << args[0];
    }
}

}  // namespace
}  // namespace navoro::sim
