#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <string>

namespace navoro {
namespace {

// A file with every tab filled, inland dimensions included.
constexpr const char* kFullFile = R"({
  "format": "navoro-config/1",
  "device": {"firmware": "V1.02", "serialNumber": "SN123"},
  "ship": {"mmsi": 211234560, "imo": 9123456, "name": "NORTH STAR", "callSign": "DABC",
           "antenna": {"internal": {"a": 10, "b": 20, "c": 3, "d": 4},
                       "external": {"a": 11, "b": 19, "c": 5, "d": 2}},
           "inland": {"length": 85.5, "beam": 9.5, "internalB": 20.1, "internalC": 3.2,
                      "externalB": 19.0, "externalC": 5.0}},
  "voyage": {"shipType": 70, "draught": 2.5, "personsOnBoard": 12, "destination": "HAMBURG",
             "eta": {"month": 3, "day": 14, "hour": 8, "minute": 30}, "navStatus": 0},
  "cpa": {"cpa": 2.5, "tcpa": 12, "alarm": "off"},
  "transceiver": {"aisTx": true, "dscRx": false, "gpsVoltage": "5V", "deviceInstance": "3"},
  "longRange": {"response": "manual",
                "replies": {"A": true, "B": false, "C": true, "E": false, "F": false, "I": true,
                            "O": false, "P": false, "U": true, "W": false},
                "message27": true, "channelA": "2087", "channelB": "2088"},
  "destinations": ["HAMBURG", "ROTTERDAM", "", "", "", "", "", "", "", ""],
  "mob": [{"mmsi": "972000001", "name": "CREW ONE"}],
  "encryption": {"enabled": false, "code": ""},
  "baud": {"ports": {"3": 38400, "4": 38400, "5": 9600, "6": 4800, "7": 4800, "8": 4800,
                     "9": 4800, "-1": 115200}}
})";

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST(ConfigFile, EveryTabRoundTripsThroughTheFileText) {
    const ConfigFileRead first = ReadConfigFile(kFullFile);
    ASSERT_TRUE(first.Problems.empty())
        << first.Problems[0].Name << " " << first.Problems[0].Message;
    const TabSettings& tabs = first.File.Tabs;
    ASSERT_TRUE(tabs.Get<ShipDataTab>() && tabs.Get<BaudRateTab>() && tabs.Get<MobTab>());
    EXPECT_EQ(tabs.Get<ShipDataTab>()->Mmsi, 211234560u);
    EXPECT_TRUE(tabs.Get<ShipDataTab>()->Inland);
    EXPECT_EQ(tabs.Get<VoyageTab>()->ShipType, 70);
    EXPECT_EQ(tabs.Get<VoyageTab>()->DraughtTenths, 25);
    EXPECT_EQ(tabs.Get<BaudRateTab>()->Rates[2], 9600);  // LONG RANGE
    EXPECT_EQ(tabs.Get<LongRangeTab>()->ChannelA, 2087);

    const std::string text = WriteConfigFile(first.File);
    const ConfigFileRead second = ReadConfigFile(text);
    ASSERT_TRUE(second.Problems.empty()) << second.Problems[0].Name;
    EXPECT_EQ(WriteConfigFile(second.File), text);
    EXPECT_TRUE(DiffConfigFiles(first.File, second.File).empty());
    EXPECT_NE(text.find("\"-1\": 115200"), std::string::npos);
    // The tabs stand in the order they are written, the rate last.
    EXPECT_LT(text.find("\"encryption\""), text.find("\"baud\""));
}

TEST(ConfigFile, DiffNamesEachChangedValue) {
    ConfigFile a = ReadConfigFile(kFullFile).File;
    ConfigFile b = a;
    b.Tabs.Get<VoyageTab>()->DraughtTenths = 30;
    b.Tabs.Get<DestinationsTab>()->Rows[1] = "ANTWERP";
    b.Tabs.Get<LongRangeTab>().reset();
    const auto lines = DiffConfigFiles(a, b);
    ASSERT_EQ(lines.size(), 3u + 11u + 2u);  // draught, the row, every longRange value
    EXPECT_EQ(lines[0], "destinations[1]: \"ROTTERDAM\" -> \"ANTWERP\"");
    EXPECT_EQ(lines.back(), "voyage.draught: 2.5 -> 3.0");
}

// Each broken file reports the name of what is wrong and yields nothing to
// write; a newer format and unknown keys are reported, not dropped.
TEST(ConfigFile, BrokenFilesNameTheirProblem) {
    const auto with = [](const std::string& from, const std::string& to) {
        std::string text = kFullFile;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const struct {
        std::string Text;
        std::string Name;
        std::string MessagePart;
    } cases[] = {
        {"{not json", "", "not a JSON object: parse error at line 1, column"},
        {"", "", "not a JSON object"},
        {"[1, 2]", "", "not a JSON object"},
        {"{\"format\": 1e400}", "", "not a JSON object"},
        {kFullFile + std::string(" trailing"), "", "not a JSON object"},
        {with("navoro-config/1", "navoro-config/2"), "format", "navoro-config/2"},
        {with("\"format\": \"navoro-config/1\",", ""), "format", "missing"},
        {with("\"cpa\": 2.5,", "\"cpa\": 2.5, \"colour\": \"red\","), "cpa.colour",
         "not a known key"},
        {with("\"message27\": true", "\"message27\": 1"), "longRange.message27", "true or false"},
        {with("\"shipType\": 70", "\"shipType\": 71"), "voyage.shipType", "ship type"},
        {with("\"5\": 9600", "\"5\": 115200"), "baud.ports[\"5\"]", "115200"},
        {with("\"NORTH STAR\"", "\"NORTH STAR IS A VERY LONG NAME\""), "ship.name", "20"},
        {with("\"mmsi\": \"972000001\"", "\"mmsi\": \"123\""), "mob[0].mmsi", "972xxxxxx"},
        {with("\"HAMBURG\", \"ROTTERDAM\"", "\"HAMBURG\", 7"), "destinations[1]", "text"},
        {with("\"minute\": 30", "\"minute\": 61"), "voyage.eta.minute", "0 to 59"},
        {with("\"tcpa\": 12", "\"tcpa\": 100"), "cpa.tcpa", "0 to 99"},
        {with("\"cpa\": 2.5", "\"cpa\": 3.75"), "cpa.cpa", "one decimal"},
        {with("\"draught\": 2.5", "\"draught\": 9.15"), "voyage.draught", "one decimal"},
        {with("\"deviceInstance\": \"3\"", "\"deviceInstance\": \"253\""),
         "transceiver.deviceInstance", "0 to 252"},
        {with("\"a\": 10", "\"a\": 512"), "ship.antenna.internal.a", "0 to 511"},
        {with("\"baud\": {", "\"baud\": 1.5, \"x\": {"), "baud", "must be an object"},
        {with("\"cpa\": 2.5,", "\"cpa\": 2.5, \"cpa\": 3.5,"), "cpa.cpa", "more than once"},
    };
    for (const auto& c : cases) {
        const ConfigFileRead read = ReadConfigFile(c.Text);
        ASSERT_FALSE(read.Problems.empty()) << c.Name;
        EXPECT_EQ(read.Problems[0].Name, c.Name) << read.Problems[0].Message;
        EXPECT_NE(read.Problems[0].Message.find(c.MessagePart), std::string::npos)
            << c.Name << ": " << read.Problems[0].Message;
    }
}

// Every problem of a file in one pass: a value of the wrong kind does not hide
// a broken rule elsewhere, and is not reported twice.
TEST(ConfigFile, EveryProblemIsReportedAtOnce) {
    std::string text = kFullFile;
    Replace(text, "\"mmsi\": 211234560", "\"mmsi\": \"x\"");
    Replace(text, "\"tcpa\": 12", "\"tcpa\": 100");
    const ConfigFileRead read = ReadConfigFile(text);
    ASSERT_EQ(read.Problems.size(), 2u);
    EXPECT_EQ(read.Problems[0].Name, "ship.mmsi");
    EXPECT_FALSE(read.Problems[0].BrokenRule);
    EXPECT_EQ(read.Problems[1].Name, "cpa.tcpa");
    EXPECT_TRUE(read.Problems[1].BrokenRule);
}

// Values that are not available (a blank draught or CPA, a rate the port's
// list lacks, an ETA without its time, inland fields without a number) are
// left out of the file, not written as 0, and come back not available. Files
// of earlier versions that wrote -1 (and AIS's own not-available codes) read
// the same.
TEST(ConfigFile, ValuesNotAvailableAreLeftOut) {
    ConfigFile file = ReadConfigFile(kFullFile).File;
    file.Tabs.Get<VoyageTab>()->DraughtTenths.reset();
    file.Tabs.Get<VoyageTab>()->EtaHour.reset();
    file.Tabs.Get<VoyageTab>()->ShipType.reset();
    file.Tabs.Get<CpaTab>()->CpaTenths.reset();
    file.Tabs.Get<BaudRateTab>()->Rates[0].reset();
    file.Tabs.Get<ShipDataTab>()->InlandTenths = {855, std::nullopt, std::nullopt,
                                                  32,  std::nullopt, 50};
    const std::string text = WriteConfigFile(file);
    for (const char* absent :
         {"draught", "\"hour\"", "shipType", "\"beam\"", "internalB", "externalB", "\"3\":"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    const std::size_t cpaTab = text.find("\"cpa\": {");
    ASSERT_NE(cpaTab, std::string::npos);
    EXPECT_EQ(text.find("\"cpa\"", cpaTab + 1), std::string::npos);  // the tab, not the value

    const ConfigFileRead read = ReadConfigFile(text);
    ASSERT_TRUE(read.Problems.empty()) << read.Problems[0].Name << " " << read.Problems[0].Message;
    EXPECT_TRUE(read.File.Tabs == file.Tabs);

    // Inland mode with no dimension at all is still inland mode.
    file.Tabs.Get<ShipDataTab>()->InlandTenths = {};
    const ConfigFileRead empty = ReadConfigFile(WriteConfigFile(file));
    ASSERT_TRUE(empty.Problems.empty()) << empty.Problems[0].Name;
    EXPECT_TRUE(empty.File.Tabs.Get<ShipDataTab>()->Inland);

    // Earlier versions' -1 and AIS's codes.
    std::string old = kFullFile;
    Replace(old, "\"shipType\": 70", "\"shipType\": -1");
    Replace(old, "\"month\": 3, \"day\": 14, \"hour\": 8, \"minute\": 30",
            "\"month\": 0, \"day\": 0, \"hour\": 24, \"minute\": 60");
    Replace(old, "\"a\": 10", "\"a\": -1");
    const ConfigFileRead earlier = ReadConfigFile(old);
    ASSERT_TRUE(earlier.Problems.empty()) << earlier.Problems[0].Name;
    const VoyageSettings& v = *earlier.File.Tabs.Get<VoyageTab>();
    EXPECT_EQ(v.ShipType, std::nullopt);
    EXPECT_EQ(v.EtaMonth, std::nullopt);
    EXPECT_EQ(v.EtaMinute, std::nullopt);
    EXPECT_EQ(earlier.File.Tabs.Get<ShipDataTab>()->Internal[0], std::nullopt);
}

// What WriteConfigFile produces is valid by the published schema.
TEST(ConfigFile, WrittenFilesFollowTheSchema) {
#ifndef NAVORO_SCHEMA_VALIDATOR
    GTEST_SKIP() << "no JSON Schema validator (python3 with jsonschema)";
#else
    const std::string folder = ::testing::TempDir();
    ConfigFile full = ReadConfigFile(kFullFile).File;
    ConfigFile blanks = full;
    blanks.Tabs.Get<VoyageTab>() = VoyageSettings{};
    blanks.Tabs.Get<CpaTab>()->CpaTenths.reset();
    blanks.Tabs.Get<CpaTab>()->TcpaMinutes.reset();
    blanks.Tabs.Get<BaudRateTab>()->Rates[2].reset();
    blanks.Tabs.Get<ShipDataTab>()->InlandTenths = {std::nullopt, 95};
    blanks.Tabs.Get<ShipDataTab>()->Internal = {};
    blanks.Tabs.Get<MobTab>() = MobSettings{};
    ConfigFile shipOnly;
    shipOnly.Tabs.Get<ShipDataTab>() = full.Tabs.Get<ShipDataTab>();
    shipOnly.Tabs.Get<ShipDataTab>()->Inland = false;
    std::string command = NAVORO_SCHEMA_VALIDATOR " " NAVORO_CONFIG_SCHEMA;
    int n = 0;
    for (const ConfigFile* file : {&full, &blanks, &shipOnly}) {
        const std::string path = folder + "navoro-schema-" + std::to_string(n++) + ".json";
        std::ofstream(path) << WriteConfigFile(*file);
        command += " " + path;
    }
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
#endif
}

}  // namespace
}  // namespace navoro
