#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/SimulatorFixture.h"
#include "tests/support/ToolRun.h"
#include "tools/sim/StateFile.h"

namespace navoro::test {
namespace {

ToolRun RunConfig(const std::string& args) {
    return RunTool(NAVORO_CONFIG, args);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Spill(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Each command line with its exit status and a part of what it prints.
TEST(NavoroConfig, CommandsGiveTheirExitStatusAndMessages) {
    const std::string data = std::string(NAVORO_TEST_DATA) + "/";
    const std::string file = data + "ship-config.json";
    const struct {
        std::string Args;
        int Status;
        std::string Part;
    } cases[] = {
        {"diff " + file + " " + file, 0, ""},
        {"diff " + file + " " + data + "ship-config-deeper.json", 3, "voyage.draught: 2.5 -> 3.0"},
        {"--json diff " + file + " " + data + "ship-config-deeper.json", 3,
         R"({"equal":false,"differences":["voyage.draught: 2.5 -> 3.0"]})"},
        {"write --dry-run " + file, 0, "every value can be written"},
        {"write --tabs=ship,voyage --dry-run " + data + "ship-config-broken.json", 0,
         "can be written"},
        {"write --dry-run " + data + "ship-config-broken.json", 2,
         "mob[0].mmsi: Please key in correctly AIS MOB MMSI"},
        {"write --tabs ship,bridge --dry-run " + file, 2, "--tabs names a tab"},
        {"diff /nonexistent.json " + file, 1, "/nonexistent.json: No such file"},
        {"diff " + file, 2, "diff takes two files"},
        {"write --tabs", 2, "--tabs needs a value"},
        {"", 2, "no command"},
        {"--help", 0, "Usage: navoro-config"},
        {"read", 2, "read needs --port PATH"},
        {"write " + file, 2, "write needs --port PATH"},
        {"read --port /dev/null --rate 1200", 2, "--rate takes"},
        {"read --port /dev/null --rate 9600 --auto", 2, "exclude each other"},
        {"read --port /dev/null --port /dev/zero -o x.json", 2, "-o takes one port"},
        {"read --port /nonexistent/tty", 1, "/nonexistent/tty"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunConfig(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Args << "\n" << run.All();
        EXPECT_TRUE(Has(run.All(), c.Part)) << c.Args << "\n" << run.All();
    }
}

// A file name is any bytes: one that is not UTF-8 is reported in the JSON
// output with U+FFFD in place of the broken bytes, not an abort.
TEST(NavoroConfig, AFileNameThatIsNotUtf8IsReportedInJson) {
    const std::string path = testing::TempDir() + "ship-\xff.json";
    Spill(path, Slurp(std::string(NAVORO_TEST_DATA) + "/ship-config.json"));
    const std::string quoted = "'" + path + "'";
    for (const std::string& args :
         {"--json write --dry-run " + quoted, "--json diff " + quoted + " " + quoted}) {
        const ToolRun run = RunConfig(args);
        EXPECT_EQ(run.Status, 0) << args << "\n" << run.All();
        const auto json = nlohmann::json::parse(run.Out, nullptr, false);
        EXPECT_FALSE(json.is_discarded()) << run.Out;
    }
}

// A file read from one transponder, written to another that runs at another
// rate with other settings, reads back from it equal: every tab is reported
// read back, the rate write is verified at the new rate, and a fresh read of
// the second one gives the first one's file.
TEST(NavoroConfig, ReadWriteReadBackRoundTrip) {
    SimulatorFixture first;
    SimulatorOptions other;
    other.Rate = 57600;
    other.NoStream = true;
    SimulatorFixture second(other);
    ASSERT_TRUE(first.Started()) << first.Error();
    ASSERT_TRUE(second.Started()) << second.Error();

    const std::string a = first.Directory() + "/a.json";
    const ToolRun read = RunConfig("read --port " + first.DevicePath() + " -o " + a);
    ASSERT_EQ(read.Status, 0) << read.All();
    nlohmann::json file = nlohmann::json::parse(Slurp(a));
    EXPECT_EQ(file["device"]["firmware"], "2.4.17 (2024-03-08)");
    EXPECT_EQ(file["baud"]["ports"]["-1"], 115200);
    ASSERT_TRUE(file["mob"].is_array());
    // Other settings on the way, so that every kind of tab changes.
    file["ship"]["name"] = "SOUTHERN STAR";
    file["voyage"]["draught"] = 3.4;
    file["cpa"]["tcpa"] = 25;
    file["transceiver"]["aisTx"] = false;
    file["longRange"]["replies"]["B"] = false;
    file["destinations"][0] = "KIEL";
    file["mob"].push_back({{"mmsi", "972009999"}, {"name", "RAFT"}});
    file["encryption"] = {{"enabled", true}, {"code", "ABC123"}};
    file["baud"]["ports"]["3"] = 9600;
    Spill(a, file.dump(2));

    const ToolRun before = RunConfig("read --rate 57600 --port " + second.DevicePath());
    ASSERT_EQ(before.Status, 0) << before.All();
    const std::string b = second.Directory() + "/b.json";
    Spill(b, before.Out);
    EXPECT_EQ(RunConfig("diff " + a + " " + b).Status, 3);

    const ToolRun write = RunConfig("write --rate 57600 --port " + second.DevicePath() + " " + a);
    EXPECT_EQ(write.Status, 0) << write.All();
    for (const char* tab : {"ship", "voyage", "cpa", "transceiver", "longRange", "destinations",
                            "mob", "encryption", "baud"})
        EXPECT_TRUE(Has(write.Out, second.DevicePath() + ": " + tab + ": written and read back\n"))
            << tab << "\n"
            << write.All();

    // The second one now runs at the first one's rate.
    const ToolRun after = RunConfig("--json read --port " + second.DevicePath() + " -o " + b);
    ASSERT_EQ(after.Status, 0) << after.All();
    const nlohmann::json report = nlohmann::json::parse(after.Out)["ports"][0];
    EXPECT_EQ(report["missing"], nlohmann::json::array());
    EXPECT_EQ(report["config"], nlohmann::json::parse(Slurp(b)));
    const ToolRun diff = RunConfig("diff " + a + " " + b);
    EXPECT_EQ(diff.Status, 0) << diff.All();
}

// A transponder as it leaves the factory reports much as not available (ship
// type 0, draught 0, ETA 0/0 24:60, no CPA and TCPA): read, written back and
// read again, the file is the same and nothing on the device has changed.
TEST(NavoroConfig, AFactoryStateWritesBackUnchanged) {
    sim::DeviceState factory;
    factory.Mmsi = 0;
    factory.Imo = 0;
    factory.Name.clear();
    factory.CallSign.clear();
    factory.Internal = {};
    factory.External = {};
    factory.ShipType = 0;
    factory.DraughtTenths = 0;
    factory.PersonsOnBoard = 0;
    factory.Destination.clear();
    factory.VoyageEta = {0, 0, 24, 60};
    factory.NavStatus = 15;
    factory.CpaTenths = sim::kBlank;
    factory.Tcpa = sim::kBlank;
    factory.Destinations = {};
    factory.MobList.clear();
    const std::string state = testing::TempDir() + "factory-state.json";
    Spill(state, sim::StateToJson(factory));
    SimulatorOptions options;
    options.NoStream = true;
    options.StatePath = state;
    SimulatorFixture device(options);
    ASSERT_TRUE(device.Started()) << device.Error();

    const std::string a = device.Directory() + "/a.json";
    const ToolRun read = RunConfig("read --port " + device.DevicePath() + " -o " + a);
    ASSERT_EQ(read.Status, 0) << read.All();
    const nlohmann::json file = nlohmann::json::parse(Slurp(a));
    for (const char* key : {"shipType", "draught"})
        EXPECT_FALSE(file["voyage"].contains(key)) << key << " in " << file["voyage"];
    EXPECT_EQ(file["voyage"]["eta"], nlohmann::json::object());
    for (const char* key : {"cpa", "tcpa"})
        EXPECT_FALSE(file["cpa"].contains(key)) << key << " in " << file["cpa"];

    const ToolRun write = RunConfig("write --port " + device.DevicePath() + " " + a);
    EXPECT_EQ(write.Status, 0) << write.All();
    const std::string b = device.Directory() + "/b.json";
    const ToolRun again = RunConfig("read --port " + device.DevicePath() + " -o " + b);
    ASSERT_EQ(again.Status, 0) << again.All();
    const ToolRun diff = RunConfig("diff " + a + " " + b);
    EXPECT_EQ(diff.Status, 0) << diff.All();

    sim::DeviceState after;
    bool missing = false;
    ASSERT_EQ(sim::LoadStateFile(state, after, missing), "");
    EXPECT_EQ(sim::StateToJson(after), sim::StateToJson(factory));
}

// A value the device would refuse, an unreadable file: the program stops
// before it opens the port, so the transponder receives nothing at all.
TEST(NavoroConfig, AFileThatBreaksARuleSendsNothing) {
    SimulatorFixture sim;
    ASSERT_TRUE(sim.Started()) << sim.Error();
    const std::string data = std::string(NAVORO_TEST_DATA) + "/";
    const ToolRun broken =
        RunConfig("write --port " + sim.DevicePath() + " " + data + "ship-config-broken.json");
    EXPECT_EQ(broken.Status, 2);
    EXPECT_TRUE(Has(broken.Err, "mob[0].mmsi: Please key in correctly AIS MOB MMSI"))
        << broken.All();
    const ToolRun missing = RunConfig("write --port " + sim.DevicePath() + " /nonexistent.json");
    EXPECT_EQ(missing.Status, 1);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(sim.RecordedLines().empty());
}

// A port that never answers is given up within the time-out, with the port
// named and exit status 1, for a read and for a write.
TEST(NavoroConfig, ASilentPortIsGivenUpInBoundedTime) {
    SimulatorOptions silent;
    silent.Silent = true;
    SimulatorFixture sim(silent);
    ASSERT_TRUE(sim.Started()) << sim.Error();
    const std::string file = std::string(NAVORO_TEST_DATA) + "/ship-config.json";
    for (const std::string command : {"read", "write", "--json write"}) {
        const ToolRun run = RunConfig(command + " --timeout 2 --port " + sim.DevicePath() +
                                      (command == "read" ? "" : " " + file));
        EXPECT_EQ(run.Status, 1) << command << "\n" << run.All();
        EXPECT_TRUE(Has(run.All(), "no answer from " + sim.DevicePath())) << run.All();
        EXPECT_LT(run.Took, 8s) << command;
    }
}

// A transponder that hangs up in the middle of a long MOB list: the tabs
// written before are named, the one under way says how far it got, the rest
// are not written, and the exit status is 1.
TEST(NavoroConfig, AHangUpMidWriteReportsTheTabsWritten) {
    SimulatorFixture source;
    ASSERT_TRUE(source.Started()) << source.Error();
    const ToolRun read = RunConfig("read --port " + source.DevicePath());
    ASSERT_EQ(read.Status, 0) << read.All();
    nlohmann::json file = nlohmann::json::parse(read.Out);
    file["mob"] = nlohmann::json::array();
    for (int row = 0; row < 50; ++row)
        file["mob"].push_back({{"mmsi", "9720010" + std::to_string(10 + row)}, {"name", "B"}});
    const std::string path = source.Directory() + "/long.json";
    Spill(path, file.dump(2));

    // Fifty MOB rows take five seconds to write; the device goes in between.
    SimulatorOptions hangup;
    hangup.HangupAfter = 3.0;
    hangup.NoStream = true;
    SimulatorFixture sim(hangup);
    ASSERT_TRUE(sim.Started()) << sim.Error();
    const ToolRun run = RunConfig("write --port " + sim.DevicePath() + " " + path);
    EXPECT_EQ(run.Status, 1) << run.All();
    const std::string port = sim.DevicePath() + ": ";
    EXPECT_TRUE(Has(run.Out, port + "ship: written\n")) << run.All();
    EXPECT_TRUE(Has(run.Out, port + "mob: stopped after ")) << run.All();
    EXPECT_TRUE(Has(run.Out, port + "baud: not written\n")) << run.All();
    EXPECT_TRUE(Has(run.Out, "unplugged or closed")) << run.All();
    EXPECT_FALSE(Has(run.Out, "read back")) << run.All();
}

// Several ports at once, each reported on its own: a silent one fails (exit
// status 1) without holding up the one that answers.
TEST(NavoroConfig, SeveralPortsAreWorkedOnInParallel) {
    SimulatorFixture one, two;
    SimulatorOptions silent;
    silent.Silent = true;
    SimulatorFixture mute(silent);
    ASSERT_TRUE(one.Started() && two.Started() && mute.Started());
    const std::string ports = " --port " + one.DevicePath() + " --port " + two.DevicePath();

    const ToolRun read = RunConfig("--json read" + ports);
    ASSERT_EQ(read.Status, 0) << read.All();
    const nlohmann::json reads = nlohmann::json::parse(read.Out)["ports"];
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0]["port"], one.DevicePath());
    EXPECT_EQ(reads[1]["port"], two.DevicePath());
    EXPECT_EQ(reads[0]["config"], reads[1]["config"]);
    const std::string file = one.Directory() + "/read.json";
    Spill(file, reads[0]["config"].dump());

    const ToolRun write =
        RunConfig("--json write --timeout 3" + ports + " --port " + mute.DevicePath() + " " + file);
    EXPECT_EQ(write.Status, 1) << write.All();
    const nlohmann::json writes = nlohmann::json::parse(write.Out)["ports"];
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0]["equal"], true) << writes[0];
    EXPECT_EQ(writes[1]["equal"], true) << writes[1];
    EXPECT_EQ(writes[2]["equal"], false);
    EXPECT_EQ(writes[2]["error"], "no answer from " + mute.DevicePath());
}

}  // namespace
}  // namespace navoro::test
