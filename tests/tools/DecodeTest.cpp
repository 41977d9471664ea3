#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

struct ProgramRun {
    int status;
    std::string out;
};

ProgramRun RunDecode(const std::string& args) {
    const std::string command = std::string(NAVORO_DECODE) + " " + args + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ProgramRun run{-1, {}};
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(NavoroDecode, AnUnreadableFileIsReportedAndTheOthersAreStillDecoded) {
    const std::string sample = std::string(NAVORO_TEST_DATA) + "/sample.nmea";
    const ProgramRun run = RunDecode("/nonexistent/capture.nmea " + sample);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("navoro-decode: cannot read '/nonexistent/capture.nmea'"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"formatter\":\"SSD\""), std::string::npos);
}

TEST(NavoroDecode, HelpAndUsageErrors) {
    const ProgramRun help = RunDecode("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: navoro-decode"), std::string::npos);
    EXPECT_EQ(RunDecode("--no-such-option").status, 2);
}

}  // namespace
}  // namespace navoro
