#include "tools/sim/DeviceState.h"

#include <algorithm>
#include <cstdio>

namespace navoro::sim {

int PortIndex(int port) {
    if (port < kFirstPort || port > kLastPort) return -1;
    return port - kFirstPort;
}

bool IsPortRate(int port, int rate) {
    if (PortIndex(port) < 0) return false;
    if (port == kConfigPort) {
        return std::find(kUsbRates.begin(), kUsbRates.end(), rate) != kUsbRates.end();
    }
    return std::find(kSerialRates.begin(), kSerialRates.end(), rate) != kSerialRates.end();
}

bool IsAisText(std::string_view text, std::size_t max) {
    if (text.size() > max) return false;
    for (const char c : text) {
        if (c < 0x20 || c > 0x5F) return false;
        // Reserved in IEC 61162-1 sentences.
        if (c == '$' || c == '*' || c == ',' || c == '!' || c == '\\' || c == '^') return false;
    }
    return true;
}

bool IsAlphanumeric(std::string_view text, std::size_t max) {
    if (text.empty() || text.size() > max) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

namespace {

// Collects the first failed check.
class Checker {
  public:
    void Range(const char* what, long value, long low, long high) {
        if (!error_.empty() || (value >= low && value <= high)) return;
        char text[160];
        std::snprintf(text, sizeof text, "%s %ld is not %ld-%ld", what, value, low, high);
        error_ = text;
    }
    void OneOf(const char* what, bool ok, long value, const char* allowed) {
        if (!error_.empty() || ok) return;
        char text[160];
        std::snprintf(text, sizeof text, "%s %ld is not one of %s", what, value, allowed);
        error_ = text;
    }
    void Text(const char* what, bool ok, const std::string& value, const char* rule) {
        if (!error_.empty() || ok) return;
        error_ = std::string(what) + " \"" + value + "\" is not " + rule;
    }
    std::string Error() const { return error_; }

  private:
    std::string error_;
};

void CheckAntenna(Checker& check, const char* prefix, const Antenna& a) {
    const std::string p = prefix;
    check.Range((p + ".A").c_str(), a.A, 0, kDimABMax);
    check.Range((p + ".B").c_str(), a.B, 0, kDimABMax);
    check.Range((p + ".C").c_str(), a.C, 0, kDimCDMax);
    check.Range((p + ".D").c_str(), a.D, 0, kDimCDMax);
}

}  // namespace

std::string CheckState(const DeviceState& s) {
    Checker check;
    check.Text("Firmware", IsAisText(s.Firmware, kFirmwareMax) && !s.Firmware.empty(), s.Firmware,
               "1-24 characters of the six-bit set");
    check.Text("SerialNumber", IsAlphanumeric(s.SerialNumber, kSerialNumberMax), s.SerialNumber,
               "1-15 letters and digits");
    check.Range("Mmsi", s.Mmsi, 0, kMmsiMax);
    check.Range("Imo", s.Imo, 0, kImoMax);
    check.Text("Name", IsAisText(s.Name, kNameMax), s.Name, "at most 20 six-bit characters");
    check.Text("CallSign", IsAisText(s.CallSign, kCallSignMax), s.CallSign,
               "at most 7 six-bit characters");
    CheckAntenna(check, "Internal", s.Internal);
    CheckAntenna(check, "External", s.External);
    check.Range("Dte", s.Dte, 0, 1);
    check.Range("ShipType", s.ShipType, 0, 255);
    check.Range("DraughtTenths", s.DraughtTenths, 0, kDraughtTenthsMax);
    check.Range("PersonsOnBoard", s.PersonsOnBoard, 0, kPersonsMax);
    check.Text("Destination", IsAisText(s.Destination, kDestinationMax), s.Destination,
               "at most 20 six-bit characters");
    check.Range("Eta.Month", s.VoyageEta.Month, 0, 12);
    check.Range("Eta.Day", s.VoyageEta.Day, 0, 31);
    check.Range("Eta.Hour", s.VoyageEta.Hour, 0, 24);
    check.Range("Eta.Minute", s.VoyageEta.Minute, 0, 60);
    check.Range("NavStatus", s.NavStatus, 0, kNavStatusMax);
    check.Range("RegionalFlags", s.RegionalFlags, 0, 15);
    check.Range("CpaTenths", s.CpaTenths, kBlank, kCpaTenthsMax);
    check.Range("Tcpa", s.Tcpa, kBlank, kTcpaMax);
    check.Range("CpaAlarm", s.CpaAlarm, 0, 1);
    check.Range("AisTx", s.AisTx, 0, 1);
    check.Range("DscRx", s.DscRx, 0, 1);
    check.Range("GpsVoltage", s.GpsVoltage, 0, 1);
    check.Range("DeviceInstance", s.DeviceInstance, 0, kDeviceInstanceMax);
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const int rate = s.PortRates[static_cast<std::size_t>(PortIndex(port))];
        char what[32];
        std::snprintf(what, sizeof what, "PortRates[port %d]", port);
        check.OneOf(
            what, IsPortRate(port, rate), rate,
            port == kConfigPort ? "115200 57600 38400 19200 9600 4800" : "38400 19200 9600 4800");
    }
    check.Range("LrResponse", s.LrResponse, 0, 1);
    for (const int flag : s.LrFunctionReply)
        check.Range("LrFunctionReply", flag, 0, 1);
    check.Range("LrMessage27", s.LrMessage27, 0, 1);
    check.Range("LrChannelA", s.LrChannelA, 0, kChannelMax);
    check.Range("LrChannelB", s.LrChannelB, 0, kChannelMax);
    for (const std::string& destination : s.Destinations)
        check.Text("Destinations", IsAisText(destination, kDestinationMax), destination,
                   "at most 20 six-bit characters");
    check.Range("MobList size", static_cast<long>(s.MobList.size()), 0, kMobListMax);
    for (const MobEntry& entry : s.MobList) {
        check.Range("MobList.Mmsi", entry.Mmsi, kMobMmsiFirst, kMobMmsiLast);
        check.Text("MobList.Name", IsAisText(entry.Name, kNameMax), entry.Name,
                   "at most 20 six-bit characters");
    }
    check.Range("InlandLength", s.InlandLength, 0, kInlandTenthsMax);
    check.Range("InlandBeam", s.InlandBeam, 0, kInlandTenthsMax);
    check.Range("InlandInternalB", s.InlandInternalB, 0, kInlandTenthsMax);
    check.Range("InlandInternalC", s.InlandInternalC, 0, kInlandTenthsMax);
    check.Range("InlandExternalB", s.InlandExternalB, 0, kInlandTenthsMax);
    check.Range("InlandExternalC", s.InlandExternalC, 0, kInlandTenthsMax);
    check.Text("EncryptionKey",
               s.EncryptionKey.empty() || IsAlphanumeric(s.EncryptionKey, kEncryptionKeyMax),
               s.EncryptionKey, "at most 16 letters and digits");
    return check.Error();
}

DeviceState FactoryState(const DeviceState& current) {
    DeviceState factory;
    factory.Firmware = current.Firmware;
    factory.SerialNumber = current.SerialNumber;
    factory.Inland = current.Inland;
    return factory;
}

}  // namespace navoro::sim
