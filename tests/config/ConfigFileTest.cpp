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

TEST(ConfigFile, EveryTabRoundTripsThroughTheFileText) {
    const ConfigFileRead first = ReadConfigFile(kFullFile);
    ASSERT_TRUE(first.Problems.empty())
        << first.Problems[0].Name << " " << first.Problems[0].Message;
    ASSERT_TRUE(first.File.Ship && first.File.Baud && first.File.Mob);
    EXPECT_EQ(first.File.Ship->Mmsi, "211234560");
    EXPECT_TRUE(first.File.Ship->Inland);
    EXPECT_EQ(first.File.Voyage->ShipTypeRow, FindShipTypeRow(70));
    EXPECT_EQ(first.File.Baud->Selected[2], 2);  // LONG RANGE at 9600
    EXPECT_EQ(first.File.Encryption->SnapshotMmsi, 211234560);

    const std::string text = WriteConfigFile(first.File);
    const ConfigFileRead second = ReadConfigFile(text);
    ASSERT_TRUE(second.Problems.empty()) << second.Problems[0].Name;
    EXPECT_EQ(WriteConfigFile(second.File), text);
    EXPECT_TRUE(DiffConfigFiles(first.File, second.File).empty());
    EXPECT_NE(text.find("\"-1\": 115200"), std::string::npos);
}

TEST(ConfigFile, DiffNamesEachChangedValue) {
    ConfigFile a = ReadConfigFile(kFullFile).File;
    ConfigFile b = a;
    b.Voyage->Draught = "3.0";
    b.Destinations->Rows[1] = "ANTWERP";
    b.LongRange.reset();
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
        {"{not json", "", "not a JSON object"},
        {with("navoro-config/1", "navoro-config/2"), "format", "navoro-config/2"},
        {with("\"format\": \"navoro-config/1\",", ""), "format", "missing"},
        {with("\"cpa\": 2.5,", "\"cpa\": 2.5, \"colour\": \"red\","), "cpa.colour",
         "not a known key"},
        {with("\"message27\": true", "\"message27\": 1"), "longRange.message27", "true or false"},
        {with("\"shipType\": 70", "\"shipType\": 71"), "voyage.shipType", "ship type"},
        {with("\"5\": 9600", "\"5\": 115200"), "baud.ports[\"5\"]", "rate"},
        {with("\"NORTH STAR\"", "\"NORTH STAR IS A VERY LONG NAME\""), "ship.name", "too long"},
        {with("\"mmsi\": \"972000001\"", "\"mmsi\": \"123\""), "mob", "972xxxxxx"},
        {with("\"HAMBURG\", \"ROTTERDAM\"", "\"HAMBURG\", 7"), "destinations[1]", "text"},
    };
    for (const auto& c : cases) {
        const ConfigFileRead read = ReadConfigFile(c.Text);
        ASSERT_FALSE(read.Problems.empty()) << c.Name;
        EXPECT_EQ(read.Problems[0].Name, c.Name);
        EXPECT_NE(read.Problems[0].Message.find(c.MessagePart), std::string::npos)
            << c.Name << ": " << read.Problems[0].Message;
    }
}

// A blank draught, a blank CPA, a rate box without a rate and inland fields
// showing no number ("xxx.x", empty) are values the window could not show:
// they are left out of the file, not written as 0.0, and loading the file
// leaves them blank again.
TEST(ConfigFile, ValuesTheWindowCouldNotShowAreLeftOut) {
    ConfigFile file = ReadConfigFile(kFullFile).File;
    file.Voyage->Draught = "";
    file.Cpa->Cpa = "  . ";
    file.Baud->Selected[0] = -1;  // a rate the list lacks
    file.Ship->InlandTexts = {"85.5", "xxx.x", "", "3.2", "xxx.x", "5.0"};
    const std::string text = WriteConfigFile(file);
    EXPECT_EQ(text.find("draught"), std::string::npos);
    const std::size_t cpaTab = text.find("\"cpa\": {");
    ASSERT_NE(cpaTab, std::string::npos);
    EXPECT_EQ(text.find("\"cpa\"", cpaTab + 1), std::string::npos);  // the tab, not the value
    EXPECT_EQ(text.find("\"beam\""), std::string::npos);
    EXPECT_EQ(text.find("internalB"), std::string::npos);
    EXPECT_EQ(text.find("externalB"), std::string::npos);

    const ConfigFileRead read = ReadConfigFile(text);
    ASSERT_TRUE(read.Problems.empty()) << read.Problems[0].Name << " " << read.Problems[0].Message;
    EXPECT_EQ(read.File.Voyage->Draught, "");
    EXPECT_EQ(read.File.Cpa->Cpa, "");
    EXPECT_EQ(read.File.Baud->Selected[0], -1);
    EXPECT_EQ(read.File.Baud->Selected[1], file.Baud->Selected[1]);
    EXPECT_TRUE(read.File.Ship->Inland);
    const std::array<std::string, 6> blanked = {"85.5", "", "", "3.2", "", "5.0"};
    EXPECT_EQ(read.File.Ship->InlandTexts, blanked);

    // Inland mode with no dimension at all is still inland mode.
    file.Ship->InlandTexts = {"xxx.x", "xxx.x", "xxx.x", "xxx.x", "xxx.x", "xxx.x"};
    const ConfigFileRead empty = ReadConfigFile(WriteConfigFile(file));
    ASSERT_TRUE(empty.Problems.empty()) << empty.Problems[0].Name;
    EXPECT_TRUE(empty.File.Ship->Inland);
}

// What WriteConfigFile produces is valid by the published schema.
TEST(ConfigFile, WrittenFilesFollowTheSchema) {
#ifndef NAVORO_SCHEMA_VALIDATOR
    GTEST_SKIP() << "no JSON Schema validator (python3 with jsonschema)";
#else
    const std::string folder = ::testing::TempDir();
    ConfigFile full = ReadConfigFile(kFullFile).File;
    ConfigFile blanks = full;
    blanks.Voyage->Draught = "";
    blanks.Cpa->Cpa = "";
    blanks.Baud->Selected[2] = -1;
    blanks.Ship->InlandTexts = {"xxx.x", "9.5", "", "", "", ""};
    blanks.Mob->Rows = {};
    ConfigFile shipOnly;
    shipOnly.Ship = full.Ship;
    shipOnly.Ship->Inland = false;
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
