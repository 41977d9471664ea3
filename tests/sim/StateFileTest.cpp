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

// The members the value options set, those at their defaults left out.
std::string ValueOptions(const SimOptions& o) {
    const SimOptions d;
    std::string text;
    auto add = [&text](const char* name, const std::string& value) {
        text += std::string(text.empty() ? "" : " ") + name + "=" + value;
    };
    if (o.Device != d.Device) add("Device", o.Device);
    if (o.StatePath != d.StatePath) add("StatePath", o.StatePath);
    if (o.RecordPath != d.RecordPath) add("RecordPath", o.RecordPath);
    if (o.Rate != d.Rate) add("Rate", std::to_string(o.Rate));
    if (o.Garbage != d.Garbage) add("Garbage", std::to_string(o.Garbage));
    if (o.BadChecksum != d.BadChecksum) add("BadChecksum", std::to_string(o.BadChecksum));
    if (o.HangupAfter != d.HangupAfter) add("HangupAfter", std::to_string(o.HangupAfter));
    if (o.ReplyDelayMs != d.ReplyDelayMs) add("ReplyDelayMs", std::to_string(o.ReplyDelayMs));
    if (o.Seed != d.Seed) add("Seed", std::to_string(o.Seed));
    return text;
}

// Each value option as "--name VALUE" and as "--name=VALUE".
TEST(SimOptionsTest, ValuesComeAsTheNextArgumentOrAfterAnEqualsSign) {
    struct Case {
        const char* name;
        const char* value;
        const char* options;
    };
    const Case cases[] = {
        {"--device", "/dev/ttyUSB0", "Device=/dev/ttyUSB0"},
        {"--state", "dir/a=b.json", "StatePath=dir/a=b.json"},  // only the first '=' splits
        {"--record", "-", "RecordPath=-"},
        {"--rate", "38400", "Rate=38400"},
        {"--garbage", "0.25", "Garbage=0.250000"},
        {"--bad-checksum", "1", "BadChecksum=1.000000"},
        {"--hangup-after", "1.5", "HangupAfter=1.500000"},
        {"--reply-delay", "250", "ReplyDelayMs=250"},
        {"--seed", "4294967295", "Seed=4294967295"},
    };
    for (const Case& c : cases) {
        const std::string joined = std::string(c.name) + "=" + c.value;
        const std::vector<std::vector<const char*>> forms = {{c.name, c.value, "-v"},
                                                             {joined.c_str(), "-v"}};
        for (const auto& args : forms) {
            SimOptions o;
            ASSERT_EQ(ParseOptions(static_cast<int>(args.size()), args.data(), o), "") << args[0];
            EXPECT_EQ(ValueOptions(o), c.options) << args[0];
            EXPECT_TRUE(o.Verbose) << args[0];  // the next option is still read
        }
    }
}

TEST(SimOptionsTest, UsageErrorsSayWhatIsWrong) {
    struct Case {
        std::vector<const char*> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--seed"}, "option '--seed' needs a value"},
        {{"--device="}, "option '--device' needs a value"},
        {{"--inland", "--state", ""}, "option '--state' needs a value"},
        {{"--rate=14400"},
         "option '--rate': '14400' is not one of 115200, 57600, 38400, 19200, "
         "9600, 4800"},
        {{"--garbage", "x"}, "option '--garbage': 'x' is not a probability from 0 to 1"},
        {{"--reply-delay=-1"}, "option '--reply-delay': '-1' is not 0-60000 milliseconds"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--frobnicate=1"}, "unknown option '--frobnicate=1'"},
        {{"--inland=1"}, "unknown option '--inland=1'"},  // a switch takes no value
        {{"-x"}, "unknown option '-x'"},
        {{"-vx"}, "unknown option '-vx'"},
        {{"stray"}, "unknown option 'stray'"},
        {{"--", "stray"}, "unknown option 'stray'"},
    };
    for (const Case& c : cases) {
        SimOptions o;
        EXPECT_EQ(ParseOptions(static_cast<int>(c.args.size()), c.args.data(), o), c.error)
            << c.args[0];
    }
}

}  // namespace
}  // namespace navoro::sim
