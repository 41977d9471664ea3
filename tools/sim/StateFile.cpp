#include "tools/sim/StateFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace navoro::sim {

using nlohmann::json;

namespace {

[[noreturn]] void Fail(const std::string& key, const std::string& what) {
    throw std::runtime_error("\"" + key + "\": " + what);
}

long long Whole(const json& value, const std::string& key, long long low, long long high) {
    if (!value.is_number_integer()) Fail(key, "expected a whole number");
    const long long n = value.get<long long>();
    if (n < low || n > high) Fail(key, "out of range");
    return n;
}

int Int(const json& value, const std::string& key) {
    return static_cast<int>(
        Whole(value, key, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::uint32_t Unsigned(const json& value, const std::string& key) {
    return static_cast<std::uint32_t>(
        Whole(value, key, 0, std::numeric_limits<std::uint32_t>::max()));
}

std::string Text(const json& value, const std::string& key) {
    if (!value.is_string()) Fail(key, "expected a text");
    return value.get<std::string>();
}

bool Flag(const json& value, const std::string& key) {
    if (!value.is_boolean()) Fail(key, "expected true or false");
    return value.get<bool>();
}

const json& Object(const json& value, const std::string& key) {
    if (!value.is_object()) Fail(key, "expected an object");
    return value;
}

json AntennaJson(const Antenna& a) {
    return json{{"A", a.A}, {"B", a.B}, {"C", a.C}, {"D", a.D}};
}

Antenna AntennaFrom(const json& value, const std::string& key, Antenna a) {
    for (const auto& [name, v] : Object(value, key).items()) {
        const std::string k = key + "." + name;
        if (name == "A") {
            a.A = Int(v, k);
        } else if (name == "B") {
            a.B = Int(v, k);
        } else if (name == "C") {
            a.C = Int(v, k);
        } else if (name == "D") {
            a.D = Int(v, k);
        } else {
            Fail(k, "unknown key");
        }
    }
    return a;
}

using Reader = std::function<void(const json&, DeviceState&)>;

const std::map<std::string, Reader>& Readers() {
    static const std::map<std::string, Reader> readers = {
        {"Firmware", [](const json& v, DeviceState& s) { s.Firmware = Text(v, "Firmware"); }},
        {"SerialNumber",
         [](const json& v, DeviceState& s) { s.SerialNumber = Text(v, "SerialNumber"); }},
        {"Mmsi", [](const json& v, DeviceState& s) { s.Mmsi = Unsigned(v, "Mmsi"); }},
        {"Imo", [](const json& v, DeviceState& s) { s.Imo = Unsigned(v, "Imo"); }},
        {"Name", [](const json& v, DeviceState& s) { s.Name = Text(v, "Name"); }},
        {"CallSign", [](const json& v, DeviceState& s) { s.CallSign = Text(v, "CallSign"); }},
        {"Internal", [](const json& v,
                        DeviceState& s) { s.Internal = AntennaFrom(v, "Internal", s.Internal); }},
        {"External", [](const json& v,
                        DeviceState& s) { s.External = AntennaFrom(v, "External", s.External); }},
        {"Dte", [](const json& v, DeviceState& s) { s.Dte = Int(v, "Dte"); }},
        {"ShipType", [](const json& v, DeviceState& s) { s.ShipType = Int(v, "ShipType"); }},
        {"DraughtTenths",
         [](const json& v, DeviceState& s) { s.DraughtTenths = Int(v, "DraughtTenths"); }},
        {"PersonsOnBoard",
         [](const json& v, DeviceState& s) { s.PersonsOnBoard = Int(v, "PersonsOnBoard"); }},
        {"Destination",
         [](const json& v, DeviceState& s) { s.Destination = Text(v, "Destination"); }},
        {"VoyageEta",
         [](const json& v, DeviceState& s) {
             for (const auto& [name, field] : Object(v, "VoyageEta").items()) {
                 const std::string k = "VoyageEta." + name;
                 if (name == "Month") {
                     s.VoyageEta.Month = Int(field, k);
                 } else if (name == "Day") {
                     s.VoyageEta.Day = Int(field, k);
                 } else if (name == "Hour") {
                     s.VoyageEta.Hour = Int(field, k);
                 } else if (name == "Minute") {
                     s.VoyageEta.Minute = Int(field, k);
                 } else {
                     Fail(k, "unknown key");
                 }
             }
         }},
        {"NavStatus", [](const json& v, DeviceState& s) { s.NavStatus = Int(v, "NavStatus"); }},
        {"RegionalFlags",
         [](const json& v, DeviceState& s) { s.RegionalFlags = Int(v, "RegionalFlags"); }},
        {"CpaTenths", [](const json& v, DeviceState& s) { s.CpaTenths = Int(v, "CpaTenths"); }},
        {"Tcpa", [](const json& v, DeviceState& s) { s.Tcpa = Int(v, "Tcpa"); }},
        {"CpaAlarm", [](const json& v, DeviceState& s) { s.CpaAlarm = Int(v, "CpaAlarm"); }},
        {"AisTx", [](const json& v, DeviceState& s) { s.AisTx = Int(v, "AisTx"); }},
        {"DscRx", [](const json& v, DeviceState& s) { s.DscRx = Int(v, "DscRx"); }},
        {"GpsVoltage", [](const json& v, DeviceState& s) { s.GpsVoltage = Int(v, "GpsVoltage"); }},
        {"DeviceInstance",
         [](const json& v, DeviceState& s) { s.DeviceInstance = Int(v, "DeviceInstance"); }},
        {"PortRates",
         [](const json& v, DeviceState& s) {
             for (const auto& [name, field] : Object(v, "PortRates").items()) {
                 const std::string k = "PortRates." + name;
                 int port = 0;
                 if (std::sscanf(name.c_str(), "%d", &port) != 1 || std::to_string(port) != name ||
                     PortIndex(port) < 0) {
                     Fail(k, "not a port (-1 to 9)");
                 }
                 s.PortRates[static_cast<std::size_t>(PortIndex(port))] = Int(field, k);
             }
         }},
        {"LrResponse", [](const json& v, DeviceState& s) { s.LrResponse = Int(v, "LrResponse"); }},
        {"LrFunctionReply",
         [](const json& v, DeviceState& s) {
             const std::string flags = Text(v, "LrFunctionReply");
             if (flags.size() != kFunctionReplyCount ||
                 flags.find_first_not_of("01") != std::string::npos) {
                 Fail("LrFunctionReply", "expected ten characters 0 or 1");
             }
             for (std::size_t i = 0; i < flags.size(); ++i)
                 s.LrFunctionReply[i] = flags[i] - '0';
         }},
        {"LrMessage27",
         [](const json& v, DeviceState& s) { s.LrMessage27 = Int(v, "LrMessage27"); }},
        {"LrChannelA", [](const json& v, DeviceState& s) { s.LrChannelA = Int(v, "LrChannelA"); }},
        {"LrChannelB", [](const json& v, DeviceState& s) { s.LrChannelB = Int(v, "LrChannelB"); }},
        {"Destinations",
         [](const json& v, DeviceState& s) {
             if (!v.is_array() || v.size() != kDestinationCount) {
                 Fail("Destinations", "expected a list of 10 texts");
             }
             for (std::size_t i = 0; i < kDestinationCount; ++i)
                 s.Destinations[i] = Text(v[i], "Destinations[" + std::to_string(i) + "]");
         }},
        {"MobList",
         [](const json& v, DeviceState& s) {
             if (!v.is_array()) Fail("MobList", "expected a list");
             std::vector<MobEntry> list;
             for (std::size_t i = 0; i < v.size(); ++i) {
                 const std::string k = "MobList[" + std::to_string(i) + "]";
                 MobEntry entry;
                 for (const auto& [name, field] : Object(v[i], k).items()) {
                     if (name == "Mmsi") {
                         entry.Mmsi = Unsigned(field, k + ".Mmsi");
                     } else if (name == "Name") {
                         entry.Name = Text(field, k + ".Name");
                     } else {
                         Fail(k + "." + name, "unknown key");
                     }
                 }
                 list.push_back(entry);
             }
             s.MobList = std::move(list);
         }},
        {"Inland", [](const json& v, DeviceState& s) { s.Inland = Flag(v, "Inland"); }},
        {"InlandLength",
         [](const json& v, DeviceState& s) { s.InlandLength = Int(v, "InlandLength"); }},
        {"InlandBeam", [](const json& v, DeviceState& s) { s.InlandBeam = Int(v, "InlandBeam"); }},
        {"InlandInternalB",
         [](const json& v, DeviceState& s) { s.InlandInternalB = Int(v, "InlandInternalB"); }},
        {"InlandInternalC",
         [](const json& v, DeviceState& s) { s.InlandInternalC = Int(v, "InlandInternalC"); }},
        {"InlandExternalB",
         [](const json& v, DeviceState& s) { s.InlandExternalB = Int(v, "InlandExternalB"); }},
        {"InlandExternalC",
         [](const json& v, DeviceState& s) { s.InlandExternalC = Int(v, "InlandExternalC"); }},
        {"EncryptionOn",
         [](const json& v, DeviceState& s) { s.EncryptionOn = Flag(v, "EncryptionOn"); }},
        {"EncryptionKey",
         [](const json& v, DeviceState& s) { s.EncryptionKey = Text(v, "EncryptionKey"); }},
    };
    return readers;
}

}  // namespace

std::string StateToJson(const DeviceState& s) {
    json ports = json::object();
    for (int port = kFirstPort; port <= kLastPort; ++port)
        ports[std::to_string(port)] = s.PortRates[static_cast<std::size_t>(PortIndex(port))];
    std::string flags;
    for (const int flag : s.LrFunctionReply)
        flags += flag != 0 ? '1' : '0';
    json mob = json::array();
    for (const MobEntry& entry : s.MobList)
        mob.push_back(json{{"Mmsi", entry.Mmsi}, {"Name", entry.Name}});
    const json j = {
        {"Firmware", s.Firmware},
        {"SerialNumber", s.SerialNumber},
        {"Mmsi", s.Mmsi},
        {"Imo", s.Imo},
        {"Name", s.Name},
        {"CallSign", s.CallSign},
        {"Internal", AntennaJson(s.Internal)},
        {"External", AntennaJson(s.External)},
        {"Dte", s.Dte},
        {"ShipType", s.ShipType},
        {"DraughtTenths", s.DraughtTenths},
        {"PersonsOnBoard", s.PersonsOnBoard},
        {"Destination", s.Destination},
        {"VoyageEta",
         {{"Month", s.VoyageEta.Month},
          {"Day", s.VoyageEta.Day},
          {"Hour", s.VoyageEta.Hour},
          {"Minute", s.VoyageEta.Minute}}},
        {"NavStatus", s.NavStatus},
        {"RegionalFlags", s.RegionalFlags},
        {"CpaTenths", s.CpaTenths},
        {"Tcpa", s.Tcpa},
        {"CpaAlarm", s.CpaAlarm},
        {"AisTx", s.AisTx},
        {"DscRx", s.DscRx},
        {"GpsVoltage", s.GpsVoltage},
        {"DeviceInstance", s.DeviceInstance},
        {"PortRates", ports},
        {"LrResponse", s.LrResponse},
        {"LrFunctionReply", flags},
        {"LrMessage27", s.LrMessage27},
        {"LrChannelA", s.LrChannelA},
        {"LrChannelB", s.LrChannelB},
        {"Destinations", s.Destinations},
        {"MobList", mob},
        {"Inland", s.Inland},
        {"InlandLength", s.InlandLength},
        {"InlandBeam", s.InlandBeam},
        {"InlandInternalB", s.InlandInternalB},
        {"InlandInternalC", s.InlandInternalC},
        {"InlandExternalB", s.InlandExternalB},
        {"InlandExternalC", s.InlandExternalC},
        {"EncryptionOn", s.EncryptionOn},
        {"EncryptionKey", s.EncryptionKey},
    };
    return j.dump(2) + "\n";
}

std::string StateFromJson(std::string_view text, DeviceState& state) {
    const json j = json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded()) return "not valid JSON";
    if (!j.is_object()) return "expected a JSON object";
    DeviceState next = state;
    try {
        for (const auto& [key, value] : j.items()) {
            const auto reader = Readers().find(key);
            if (reader == Readers().end()) Fail(key, "unknown key");
            reader->second(value, next);
        }
    } catch (const std::exception& error) {
        return error.what();
    }
    std::string error = CheckState(next);
    if (!error.empty()) return error;
    state = std::move(next);
    return {};
}

std::string LoadStateFile(const std::string& path, DeviceState& state, bool& missing) {
    missing = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) {
            missing = true;
            return {};
        }
        return std::string("cannot read: ") + std::strerror(errno);
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return "cannot read the file";
    return StateFromJson(text.str(), state);
}

std::string SaveStateFile(const std::string& path, const DeviceState& state) {
    const std::string temporary = path + ".tmp";
    const std::string text = StateToJson(state);
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) return std::string("cannot write: ") + std::strerror(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        return "cannot write the file";
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string error = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot replace the file: " + error;
    }
    return {};
}

}  // namespace navoro::sim
