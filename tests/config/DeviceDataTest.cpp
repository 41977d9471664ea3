// The information dump: every key text, lines with several keys, and broken
// lines that must neither overflow a field nor change what they do not name.
#include <gtest/gtest.h>

#include <string>

#include "config/DeviceData.h"
#include "config/tabs/DeviceReadout.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

// The lines through a readout, as the report's snapshot shows them.
ConfigSnapshot Collect(std::initializer_list<std::string> lines, DeviceDataFlags& flags) {
    DeviceReadout readout;
    for (const std::string& line : lines)
        readout.TakeDeviceInfo(line + "\r\n");
    flags = readout.Identity().Flags;
    return readout.Snapshot();
}

TEST(DeviceData, EveryKeyFillsItsSnapshotField) {
    DeviceDataFlags flags;
    const ConfigSnapshot s =
        Collect({"Firmware:2.4.17 (2024-03-08)", "S/N:(LMO2403A00417)", "MMSI:(211457320)",
                 "IMO:(9412853)", "[AIS MODE]= INLAND", "[DeviceInstance]=17"},
                flags);
    EXPECT_STREQ(s.FirmwareVersion, "2.4.17 (2024-03-08)");
    EXPECT_STREQ(s.SerialNumber, "LMO2403A00417");
    EXPECT_EQ(s.Mmsi, 211457320);
    EXPECT_EQ(s.Imo, 9412853);
    EXPECT_EQ(s.InlandMode, 1);
    EXPECT_EQ(s.DeviceInstance, 17);
    EXPECT_TRUE(flags.FirmwareReceived);
    EXPECT_TRUE(flags.SerialNumberReceived);
    EXPECT_TRUE(flags.MmsiNonZero);
}

TEST(DeviceData, KeysAreFoundAnywhereAndTogether) {
    const DeviceDataLine d = ParseDeviceDataLine("xx MMSI:(5) yy IMO:(7)\r\n");
    EXPECT_TRUE(d.HasMmsi);
    EXPECT_EQ(d.Mmsi, 5);
    EXPECT_TRUE(d.HasImo);
    EXPECT_EQ(d.Imo, 7);
    EXPECT_FALSE(d.HasFirmware);
    // Case matters; a line without keys says nothing.
    const DeviceDataLine none = ParseDeviceDataLine("mmsi:(5) firmware:1 [ais mode]= inland\r\n");
    EXPECT_FALSE(none.HasMmsi || none.HasFirmware || none.InlandMode || none.HasSerialKey);
}

TEST(DeviceData, EncryptionLines) {
    EXPECT_TRUE(ParseDeviceDataLine("[O] Encryption Mode=1\r\n").EncryptionOn);
    for (const char* line : {"[O] Encryption Mode=0\r\n", "[O] Encryption Mode=2\r\n",
                             "[O] Encryption Mode=\r\n", "[O] Encryption Mode=on\r\n"}) {
        const DeviceDataLine d = ParseDeviceDataLine(line);
        EXPECT_TRUE(d.HasEncryptionMode) << line;
        EXPECT_FALSE(d.EncryptionOn) << line;
    }
    const DeviceDataLine key = ParseDeviceDataLine("[O] EncryptionKey=0123456789ABCDEFGHIJ\r\n");
    EXPECT_EQ(key.EncryptionKey, "0123456789ABCDEF");  // the first 16
    EXPECT_EQ(ParseDeviceDataLine("[O] EncryptionKey=\r\n").EncryptionKey, "");
}

TEST(DeviceData, TextValuesEndAtTheFirstLineEndAndAreCut) {
    DeviceDataFlags flags;
    const ConfigSnapshot s = Collect({"Firmware: 1.0 with a very long build description\r\nnext",
                                      "S/N:(ABCDEFGHIJKLMNOPQRSTUVWXYZ)"},
                                     flags);
    EXPECT_STREQ(s.FirmwareVersion, " 1.0 with a very long bu");  // 24, blank kept
    EXPECT_STREQ(s.SerialNumber, "ABCDEFGHIJKLMNO");              // 15
}

TEST(DeviceData, SerialNumberNeedsItsClosingParenthesisAtTheLineEnd) {
    DeviceReadout readout;
    readout.TakeDeviceInfo("S/N:(OLD1)\r\n");
    for (const char* line : {"S/N:(NEW1\r\n", "S/N:(NEW2) trailing\r\n"}) {
        readout.ForgetIdentityFlags();
        readout.TakeDeviceInfo(line);
        EXPECT_EQ(readout.Identity().SerialNumber, "OLD1") << line;
        EXPECT_TRUE(readout.Identity().Flags.SerialNumberReceived) << line;
    }
}

TEST(DeviceData, NumbersFollowTheAtolRulesAndNineDigitsAtMost) {
    struct Case {
        const char* Line;
        std::int32_t Mmsi;
        bool NonZero;
    };
    const Case cases[] = {
        {"MMSI:(0)", 0, false},
        {"MMSI:(000000042)", 42, true},
        {"MMSI:(999999999)", 999999999, true},
        {"MMSI:(abc)", 0, false},
        {"MMSI:()", 0, false},
        {"MMSI:(12345x678)", 12345, true},
        // Beyond nine digits or negative: not available, never a wrapped number.
        {"MMSI:(1234567890)", 0, false},
        {"MMSI:(99999999999999999999999)", 0, false},
        {"MMSI:(-5)", 0, false},
    };
    for (const Case& c : cases) {
        DeviceDataFlags flags;
        flags.MmsiNonZero = true;
        const ConfigSnapshot s = Collect({c.Line}, flags);
        EXPECT_EQ(s.Mmsi, c.Mmsi) << c.Line;
        EXPECT_EQ(flags.MmsiNonZero, c.NonZero) << c.Line;
    }
    DeviceDataFlags flags;
    EXPECT_EQ(Collect({"IMO:(4294967296)"}, flags).Imo, 0);
    EXPECT_EQ(Collect({"[DeviceInstance]=300"}, flags).DeviceInstance, -1);
    EXPECT_EQ(Collect({"[DeviceInstance]=252"}, flags).DeviceInstance, 252);
    EXPECT_EQ(Collect({"[DeviceInstance]=-1"}, flags).DeviceInstance, -1);
}

TEST(DeviceData, InlandStaticDataLine) {
    const std::string line = test::Sentence("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0");
    InlandSsd v;
    ASSERT_TRUE(ParseInlandSsd(line, v));
    EXPECT_EQ(v.Length, 1100);
    EXPECT_EQ(v.Beam, 114);
    EXPECT_EQ(v.InternalB, 905);
    EXPECT_EQ(v.InternalC, 52);
    EXPECT_EQ(v.ExternalB, 200);
    EXPECT_EQ(v.ExternalC, 30);
    // Found anywhere in a line, checksum not checked, empty fields not available.
    const DeviceDataLine d = ParseDeviceDataLine("> $PIWWSSD,A,1,,0.04,,,,0.05,,,800.0*00\r\n");
    ASSERT_TRUE(d.HasInlandSsd);
    EXPECT_EQ(d.InlandDimensions.Length, kInlandNotAvailable);
    EXPECT_EQ(d.InlandDimensions.InternalC, kInlandNotAvailable);
    EXPECT_EQ(d.InlandDimensions.Beam, 0);       // 0.4 + 0.5 -> 0
    EXPECT_EQ(d.InlandDimensions.InternalB, 1);  // 0.5 + 0.5 -> 1
    EXPECT_EQ(d.InlandDimensions.ExternalC, 8000);
}

TEST(DeviceData, BrokenInlandLinesAreIgnoredOrNotAvailable) {
    InlandSsd v;
    EXPECT_FALSE(ParseInlandSsd("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0*00\r\n", v));  // 10 commas
    EXPECT_FALSE(ParseInlandSsd("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0,1*00\r\n", v));
    EXPECT_FALSE(ParseInlandSsd("$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0\r\n", v));  // no '*'
    EXPECT_FALSE(ParseInlandSsd("$PIWWSSD", v));
    // Values outside 0.0-800.0 m (or not finite) are not available on the tab.
    ASSERT_TRUE(ParseInlandSsd("$PIWWSSD,,,900.0,-1.0,,,,1e999,nan,inf,800.04*00", v));
    EXPECT_EQ(v.Beam, kInlandNotAvailable);
    EXPECT_EQ(v.InternalB, kInlandNotAvailable);
    EXPECT_EQ(v.InternalC, kInlandNotAvailable);
    EXPECT_EQ(v.ExternalB, kInlandNotAvailable);
    DeviceReadout readout;
    readout.TakeDeviceInfo("$PIWWSSD,,,900.0,-1.0,,,,1e999,nan,inf,800.04*00");
    const ShipDataSettings& ship = readout.Get<ShipDataTab>();
    EXPECT_EQ(ship.InlandTenths,
              (std::array<std::optional<int>, 6>{std::nullopt, std::nullopt, std::nullopt,
                                                 std::nullopt, std::nullopt, 8000}));
    // A very long line is handled as any other.
    const std::string huge = "$PIWWSSD," + std::string(5000, '9') + ",,,,,,,,,,*00";
    EXPECT_TRUE(ParseInlandSsd(huge, v));
    EXPECT_EQ(v.Length, kInlandNotAvailable);
}

TEST(DeviceData, GarbageLinesChangeNothing) {
    DeviceReadout readout;
    readout.TakeDeviceInfo("MMSI:(5)");
    readout.ForgetIdentityFlags();
    for (const std::string& line :
         {std::string("\r\n"), std::string(""), std::string(4000, 'x'),
          std::string("$GPGGA,1,2,3*00\r\n"), std::string("[DEVICE DATA END]\r\n"),
          std::string("\x01\x02\xff\r\n")}) {
        readout.TakeDeviceInfo(line);
    }
    EXPECT_EQ(readout.Snapshot().Mmsi, 5);
    const DeviceDataFlags& flags = readout.Identity().Flags;
    EXPECT_FALSE(flags.FirmwareReceived || flags.SerialNumberReceived || flags.MmsiNonZero);
}

}  // namespace
}  // namespace navoro
