// The configuration report's text against golden files (tests/config/data).
// After an intended change to the report, rewrite them with
//   NAVORO_UPDATE_GOLDEN=1 build/bin/navoro_config_core_tests --gtest_filter='ConfigReport.*'
// and explain the difference in the commit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "codec/Fields.h"
#include "config/ConfigReport.h"

namespace navoro {
namespace {

std::string Golden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(NAVORO_CONFIG_TEST_DATA) + "/" + name;
    if (const char* update = std::getenv("NAVORO_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(path, std::ios::binary) << actual;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ReportInputs Inputs() {
    ReportInputs in{};
    in.VersionText = "Ver 1.2 Build20200221";
    in.Time = {2026, 3, 7, 9, 5, 2};
    return in;
}

ConfigSnapshot FullSnapshot() {
    ConfigSnapshot s{};
    s.Mmsi = 211457320;
    s.Imo = 9412853;
    CopyText(s.ShipName, "NORDIC TRADER");
    CopyText(s.CallSign, "DCTR7");
    CopyText(s.Destination, "HAMBURG");
    s.ShipType = 70;
    const std::int32_t internal[4] = {62, 38, 9, 11};
    const std::int32_t external[4] = {70, 30, 12, 8};
    for (int i = 0; i < 4; ++i) {
        s.Internal[i] = internal[i];
        s.External[i] = external[i];
    }
    CopyText(s.GpsVoltage, "5V");
    const std::int32_t rates[8] = {38400, 19200, 9600, 4800, 38400, 38400, 38400, 57600};
    for (int i = 0; i < 8; ++i)
        s.BaudRates[i] = rates[i];
    s.Draught = 7.2f;
    s.PersonsOnBoard = 18;
    s.EtaMonth = 6;
    s.EtaDay = 14;
    s.EtaHour = 16;
    s.EtaMinute = 30;
    s.NavStatus = 0;
    s.Cpa = 2.5f;
    s.Tcpa = 10;
    s.CpaAlarm = 1;
    s.LrResponse = 1;
    s.Message27 = 1;
    s.ChannelA = 2087;
    s.ChannelB = 2088;
    const std::uint8_t flags[10] = {1, 0, 1, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 10; ++i)
        s.FunctionReply[i] = flags[i];
    CopyText(s.SerialNumber, "LMO2403A00417");
    CopyText(s.FirmwareVersion, "2.4.17 (2024-03-08)");
    return s;
}

TEST(ConfigReport, FullSnapshotMatchesItsGoldenFile) {
    ReportInputs in = Inputs();
    in.ShipTypeText = "70 = Cargo ships or integrated tug barge (ITB) vessels";
    in.NavStatusText = "0:under way using engine";
    in.EncryptionEnabled = true;
    in.EncryptionCode = "ABCDEF0123456789";
    const std::string text = ReportFileText(BuildConfigurationReport(FullSnapshot(), in));
    EXPECT_EQ(text, Golden("report-full.txt", text));
}

TEST(ConfigReport, EmptySnapshotMatchesItsGoldenFile) {
    ReportInputs in = Inputs();
    in.ShipTypeText = "20 = WIG (Wing-In-Ground) craft";
    const std::string text = ReportFileText(BuildConfigurationReport(ConfigSnapshot{}, in));
    EXPECT_EQ(text, Golden("report-empty.txt", text));
}

TEST(ConfigReport, LinesAndTheirShape) {
    ConfigSnapshot s{};
    s.FunctionReply[0] = 1;
    s.FunctionReply[9] = 7;
    const std::vector<std::string> lines = BuildConfigurationReport(s, Inputs());
    // 54 entries: six begin with a line end (an empty line first) and one is
    // only a line end (two empty lines).
    ASSERT_EQ(lines.size(), 54u + 6u + 1u);
    EXPECT_EQ(lines.front(), std::string(42, '='));
    EXPECT_EQ(lines.back(), std::string(36, '='));
    EXPECT_EQ(lines[3], "       2026/03/07 09:05:02");
    const auto at = [&lines](const std::string& text) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == text) return static_cast<int>(i);
        }
        return -1;
    };
    const std::string flags = "  On  Off Off Off Off Off Off Off Off On ";
    ASSERT_GE(at(flags), 0);
    EXPECT_EQ(flags.size(), 41u);
    EXPECT_EQ(lines[static_cast<std::size_t>(at("[SHIP DATA]")) - 1], "");
    EXPECT_EQ(at("Ship MMSI = 000000000") - at("[SHIP DATA]"), 1);
    EXPECT_GE(at("Draught = 00.0"), 0);
    EXPECT_GE(at("POB = 0"), 0);
    EXPECT_GE(at("ALARM = ON"), 0);
    EXPECT_GE(at("[ENCRYPTION DATA]"), 0);
    EXPECT_GE(at("Encryption enable = OFF"), 0);
    // The credit lines are centred in 36 characters; two empty lines before.
    const int rule = at(std::string(36, '='));
    EXPECT_EQ(lines[static_cast<std::size_t>(rule) - 1], "");
    EXPECT_EQ(lines[static_cast<std::size_t>(rule) - 2], "");
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(rule + i)].size(), 36u);
}

TEST(ConfigReport, FileNameAndLineEnds) {
    ConfigSnapshot s{};
    EXPECT_EQ(ReportFileName(s), "000000000.TXT");
    s.Mmsi = 123456789;
    EXPECT_EQ(ReportFileName(s), "123456789.TXT");
    EXPECT_EQ(ReportFileText({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

}  // namespace
}  // namespace navoro
