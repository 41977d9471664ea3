#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ToolRun.h"
#include "tools/decode/DecodeSession.h"

namespace navoro {
namespace {

// Decodes `bytes` with a fresh session and returns the output lines.
std::vector<std::string> DecodeBytes(const std::string& bytes) {
    std::FILE* out = std::tmpfile();
    {
        DecodeSession session(out);
        session.Feed(bytes);
        session.EndOfInput();
    }
    std::rewind(out);
    std::vector<std::string> lines;
    char buffer[8192];
    std::string current;
    while (std::fgets(buffer, sizeof buffer, out) != nullptr) {
        current += buffer;
        if (!current.empty() && current.back() == '\n') {
            current.pop_back();
            lines.push_back(current);
            current.clear();
        }
    }
    std::fclose(out);
    return lines;
}

TEST(NavoroDecode, OutputIsValidJsonForAnyBytes) {
    std::mt19937 random(12345);
    std::string bytes;
    const std::string pieces[] = {"$AISSD,", "!AIVDM,1,1,,A,", ",", "*", "\r\n", "\n", "$PLMO,R,"};
    for (int i = 0; i < 200000; ++i) {
        if (random() % 8 == 0) {
            bytes += pieces[random() % std::size(pieces)];
        } else {
            bytes.push_back(static_cast<char>(random() & 0xFF));
        }
    }
    const std::vector<std::string> lines = DecodeBytes(bytes);
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        nlohmann::json object;
        ASSERT_NO_THROW(object = nlohmann::json::parse(line)) << line;
        ASSERT_TRUE(object.contains("line"));
        ASSERT_TRUE(object["accepted"].is_boolean());
    }
}

TEST(NavoroDecode, AcceptedSentencesCarryTheirParsedRecord) {
    const std::vector<std::string> lines = DecodeBytes(
        "$AISSD,DHAB7,NORDIC STAR,100,20,5,6,0,AI*55\r\n"
        "!AIVDM,2,1,3,B,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1D\r\n"
        "$AISSD,DHAB7,NORDIC STAR,100,20,5,6,0,AI*00\r\n"
        "$AIAIQ,SSD*39");
    ASSERT_EQ(lines.size(), 4u);
    const auto ssd = nlohmann::json::parse(lines[0]);
    EXPECT_EQ(ssd["accepted"], true);
    EXPECT_EQ(ssd["talker"], "AI");
    EXPECT_EQ(ssd["formatter"], "SSD");
    EXPECT_EQ(ssd["group"], 4);
    EXPECT_EQ(ssd["record"]["Name"], "NORDIC STAR");
    EXPECT_EQ(ssd["record"]["DimA"], 100);
    EXPECT_EQ(nlohmann::json::parse(lines[1])["accepted"], false);           // first of two parts
    EXPECT_EQ(nlohmann::json::parse(lines[2])["accepted"], false);           // bad checksum
    EXPECT_EQ(nlohmann::json::parse(lines[3])["record"]["Queried"], "SSD");  // no final line end
}

TEST(NavoroDecode, CompletedAisMessagesCarryChannelAndFields) {
    const std::vector<std::string> lines = DecodeBytes(
        "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n"
        "!AIVDM,2,2,1,A,88888888880,2*25\r\n"
        "!AIVDM,1,1,,B,F02E3422N2P1lJ3`03aDPt@F0000,0*4F\r\n"
        "!AIVDM,1,1,,A,K3`l7@00:S0HOV6@,0*5B\r\n"
        "!AIVDM,1,1,,A,L3`l7@00:S0HOV6@,0*5C\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_FALSE(nlohmann::json::parse(lines[0]).contains("ais"));  // first of two parts
    const auto five = nlohmann::json::parse(lines[1]);
    EXPECT_EQ(five["channel"], "A");
    EXPECT_EQ(five["ais"]["type"], 5);
    const auto& fields = five["ais"]["fields"];
    ASSERT_EQ(fields.size(), 15u);
    EXPECT_EQ(fields[2]["name"], "User ID (MMSI)");
    EXPECT_EQ(fields[2]["value"], 351759000);
    EXPECT_EQ(fields[6]["name"], "Name");
    EXPECT_EQ(fields[6]["value"], "EVER DIADEM         ");  // nothing trimmed
    // Floats read back as the same 32-bit float.
    EXPECT_EQ(static_cast<float>(fields[11]["value"].get<double>()), 12.2f);
    // Message 22 in addressed form ends with its two destination IDs.
    const auto channel = nlohmann::json::parse(lines[2]);
    EXPECT_EQ(channel["channel"], "B");
    ASSERT_EQ(channel["ais"]["fields"].size(), 19u);
    EXPECT_EQ(channel["ais"]["fields"][17]["name"], "Destination ID 1");
    EXPECT_EQ(channel["ais"]["fields"][18]["value"], 244654321);
    // Message 27, the long-range broadcast, has its own table.
    const auto longRange = nlohmann::json::parse(lines[3]);
    EXPECT_EQ(longRange["ais"]["type"], 27);
    ASSERT_EQ(longRange["ais"]["fields"].size(), 12u);
    EXPECT_EQ(longRange["ais"]["fields"][6]["name"], "Longitude");
    // Message 28 does not exist: no "ais".
    const auto unknown = nlohmann::json::parse(lines[4]);
    EXPECT_EQ(unknown["accepted"], false);
    EXPECT_FALSE(unknown.contains("ais"));
}

test::ToolRun RunDecode(const std::string& args) {
    return test::RunTool(NAVORO_DECODE, args);
}

TEST(NavoroDecode, AnUnreadableFileIsReportedAndTheOthersAreStillDecoded) {
    const std::string sample = std::string(NAVORO_TEST_DATA) + "/sample.nmea";
    const test::ToolRun run = RunDecode("/nonexistent/capture.nmea " + sample);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("navoro-decode: cannot read '/nonexistent/capture.nmea'"),
              std::string::npos);
    EXPECT_NE(run.Out.find("\"formatter\":\"SSD\""), std::string::npos);
}

TEST(NavoroDecode, SummaryCountsLinesAisTypesAndTargets) {
    const test::ToolRun run =
        RunDecode("--summary " + std::string(NAVORO_TEST_DATA) + "/sample.nmea");
    ASSERT_EQ(run.Status, 0);
    const std::size_t last = run.Out.rfind('\n', run.Out.size() - 2);
    const auto summary = nlohmann::json::parse(run.Out.substr(last + 1))["summary"];
    EXPECT_EQ(summary["lines"], summary["accepted"].get<int>() + summary["rejected"].get<int>());
    for (int type = 1; type <= 24; ++type)
        EXPECT_GE(summary["ais"][std::to_string(type)], 1) << type;
    EXPECT_EQ(summary["ais"]["22"], 2);
    EXPECT_GT(summary["targets"], 1);
}

TEST(NavoroDecode, HelpAndUsageErrors) {
    const std::string empty = " /dev/null ";
    struct Case {
        std::string args;
        int status;
        const char* output;  // a part of standard output and error
    };
    const Case cases[] = {
        {"--help", 0, "Usage: navoro-decode"},
        {"-h" + empty, 0, "Usage: navoro-decode"},
        {empty + "--summary", 0, "{\"summary\":{\"lines\":0,"},  // options after a file
        {"-s" + empty, 0, "{\"summary\":{\"lines\":0,"},
        {"--no-such-option", 2,
         "navoro-decode: unknown option '--no-such-option'\nTry 'navoro-decode --help'.\n"},
        {"--summary=yes" + empty, 2, "unknown option '--summary=yes'"},
        {"-x" + empty, 2, "unknown option '-x'"},
        {"-- --summary", 1, "cannot read '--summary'"},  // a file name after --
    };
    for (const Case& c : cases) {
        const test::ToolRun run = RunDecode(c.args);
        EXPECT_EQ(run.Status, c.status) << c.args;
        EXPECT_NE(run.All().find(c.output), std::string::npos) << c.args << ":\n" << run.All();
    }
}

}  // namespace
}  // namespace navoro
