#include "config/ConfigFile.h"

#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "config/ConfigTables.h"

namespace navoro {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<const char*, 4> kAntennaKeys = {"a", "b", "c", "d"};
constexpr std::array<const char*, 6> kInlandKeys = {"length",    "beam",      "internalB",
                                                    "internalC", "externalB", "externalC"};
constexpr std::array<const char*, 10> kReplyKeys = {"A", "B", "C", "E", "F",
                                                    "I", "O", "P", "U", "W"};

std::string Tenths(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A decimal field's value; a field that shows no number ("xxx.x", empty) has
// none and is left out of the file, so loading the file leaves it blank.
void PutDecimal(Json& object, const char* key, const std::string& text) {
    if (const std::optional<double> value = DecimalValue(text)) object[key] = *value;
}

Json ToJson(const ConfigFile& f) {
    Json j;
    j["format"] = kConfigFileFormat;
    j["device"] = {{"firmware", f.Firmware}, {"serialNumber", f.SerialNumber}};
    if (f.Ship) {
        const auto& s = *f.Ship;
        Json ship;
        ship["mmsi"] = DigitsValue(s.Mmsi).value_or(0);
        ship["imo"] = DigitsValue(s.Imo).value_or(0);
        ship["name"] = s.Name;
        ship["callSign"] = s.CallSign;
        for (std::size_t i = 0; i < 4; ++i) {
            ship["antenna"]["internal"][kAntennaKeys[i]] = s.Internal[i];
            ship["antenna"]["external"][kAntennaKeys[i]] = s.External[i];
        }
        if (s.Inland) {
            Json inland = Json::object();
            for (std::size_t i = 0; i < kInlandKeys.size(); ++i)
                PutDecimal(inland, kInlandKeys[i], s.InlandTexts[i]);
            ship["inland"] = inland;
        }
        j["ship"] = ship;
    }
    if (f.Voyage) {
        const auto& v = *f.Voyage;
        Json voyage;
        voyage["shipType"] =
            v.ShipTypeRow >= 0 && v.ShipTypeRow < static_cast<int>(kShipTypes.size())
                ? kShipTypes[static_cast<std::size_t>(v.ShipTypeRow)].Code
                : -1;
        PutDecimal(voyage, "draught", v.Draught);
        voyage["personsOnBoard"] = v.PersonsOnBoard;
        voyage["destination"] = v.Destination;
        voyage["eta"] = {
            {"month", v.Month}, {"day", v.Day}, {"hour", v.Hour}, {"minute", v.Minute}};
        voyage["navStatus"] = v.NavStatus;
        j["voyage"] = voyage;
    }
    if (f.Cpa) {
        // A blank CPA is left out, as the write leaves it empty.
        Json cpa = Json::object();
        if (const std::optional<int> tenths = MaskedTenths(f.Cpa->Cpa)) cpa["cpa"] = *tenths / 10.0;
        cpa["tcpa"] = f.Cpa->Tcpa;
        cpa["alarm"] = f.Cpa->AlarmIndex == 0 ? "on" : "off";
        j["cpa"] = cpa;
    }
    if (f.Transceiver) {
        const auto& t = *f.Transceiver;
        j["transceiver"] = {{"aisTx", t.AisTxIndex == 0},
                            {"dscRx", t.DscRxIndex == 0},
                            {"gpsVoltage", t.GpsVoltageIndex == 0 ? "3.3V" : "5V"},
                            {"deviceInstance", t.DeviceInstance}};
    }
    if (f.LongRange) {
        const auto& l = *f.LongRange;
        Json lr;
        lr["response"] = l.Manual ? "manual" : "automatic";
        for (std::size_t i = 0; i < kReplyKeys.size(); ++i)
            lr["replies"][kReplyKeys[i]] = l.FunctionReply[i];
        lr["message27"] = l.Message27;
        lr["channelA"] = l.ChannelA;
        lr["channelB"] = l.ChannelB;
        j["longRange"] = lr;
    }
    if (f.Destinations) j["destinations"] = f.Destinations->Rows;
    if (f.Mob) {
        Json rows = Json::array();
        for (const auto& row : f.Mob->Rows) {
            if (row.Mmsi.empty() && row.Name.empty()) continue;
            rows.push_back({{"mmsi", row.Mmsi}, {"name", row.Name}});
        }
        j["mob"] = rows;
    }
    if (f.Encryption)
        j["encryption"] = {{"enabled", f.Encryption->Enabled}, {"code", f.Encryption->Code}};
    if (f.Baud) {
        Json ports = Json::object();
        for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
            const int item = f.Baud->Selected[box];
            const bool usb = kBaudBoxes[box].Port == kUsbPort;
            const std::size_t count = usb ? kUsbPortRates.size() : kSerialPortRates.size();
            // A box without a rate (the device reported one not listed) is
            // left out, as the write leaves that port's field empty.
            if (item < 0 || static_cast<std::size_t>(item) >= count) continue;
            ports[std::to_string(kBaudBoxes[box].Port)] =
                usb ? kUsbPortRates[static_cast<std::size_t>(item)]
                    : kSerialPortRates[static_cast<std::size_t>(item)];
        }
        j["baud"]["ports"] = ports;
    }
    return j;
}

// Every leaf of a JSON tree by its readable name ("ship.antenna.internal.a",
// "destinations[3]", "baud.ports[\"-1\"]").
void Flatten(const Json& j, const std::string& name, std::map<std::string, std::string>& out) {
    if (j.is_object() && !j.empty()) {
        for (const auto& [key, value] : j.items()) {
            const bool plain =
                !key.empty() &&
                key.find_first_not_of(
                    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") ==
                    std::string::npos &&
                !(key[0] >= '0' && key[0] <= '9');
            Flatten(value,
                    plain ? (name.empty() ? key : name + "." + key) : name + "[\"" + key + "\"]",
                    out);
        }
    } else if (j.is_array() && !j.empty()) {
        for (std::size_t i = 0; i < j.size(); ++i)
            Flatten(j[i], name + "[" + std::to_string(i) + "]", out);
    } else {
        out[name] = j.dump();
    }
}

// Reads values out of one object, naming what it cannot take.
class Reader {
  public:
    Reader(const Json& j, std::string name, std::vector<ConfigFileProblem>& problems)
        : j_(j), name_(std::move(name)), problems_(problems) {}

    const Json* Get(const char* key) const {
        if (!j_.is_object() || !j_.contains(key)) {
            problems_.push_back({Name(key), "missing"});
            return nullptr;
        }
        return &j_[key];
    }
    std::string Name(const std::string& key) const {
        if (!key.empty() && (key[0] == '-' || (key[0] >= '0' && key[0] <= '9')))
            return name_ + "[\"" + key + "\"]";
        return name_.empty() ? key : name_ + "." + key;
    }
    void Bad(const std::string& key, const char* what) const {
        problems_.push_back({Name(key), what});
    }

    template <typename T>
    void Int(const char* key, T& out) const {
        if (const Json* v = Get(key)) {
            if (v->is_number_integer() && *v >= INT32_MIN && *v <= INT32_MAX)
                out = static_cast<T>(v->get<std::int64_t>());
            else
                Bad(key, "must be a whole number");
        }
    }
    void Num(const char* key, double& out) const {
        if (const Json* v = Get(key)) {
            if (v->is_number())
                out = v->get<double>();
            else
                Bad(key, "must be a number");
        }
    }
    // A decimal field that may be left out (then it stays empty).
    void OptionalTenths(const char* key, std::string& out) const {
        out.clear();
        if (!j_.is_object() || !j_.contains(key)) return;
        double value = 0;
        Num(key, value);
        out = Tenths(value, "%.1f");
    }
    void Text(const char* key, std::string& out, std::size_t max = 64) const {
        if (const Json* v = Get(key)) {
            if (v->is_string() && v->get_ref<const std::string&>().size() <= max)
                out = v->get<std::string>();
            else
                Bad(key, v->is_string() ? "is too long" : "must be a text");
        }
    }
    void Bool(const char* key, bool& out) const {
        if (const Json* v = Get(key)) {
            if (v->is_boolean())
                out = v->get<bool>();
            else
                Bad(key, "must be true or false");
        }
    }
    // One of two texts: index 0 or 1.
    void Choice(const char* key, const char* first, const char* second, int& out) const {
        if (const Json* v = Get(key)) {
            if (*v == first)
                out = 0;
            else if (*v == second)
                out = 1;
            else
                Bad(key, (std::string("must be \"") + first + "\" or \"" + second + "\"").c_str());
        }
    }
    Reader Sub(const char* key) const {
        const Json* v = Get(key);
        static const Json kEmpty = Json::object();
        if (v && !v->is_object()) Bad(key, "must be an object");
        return Reader(v && v->is_object() ? *v : kEmpty, Name(key), problems_);
    }

  private:
    const Json& j_;
    std::string name_;
    std::vector<ConfigFileProblem>& problems_;
};

std::string NineDigits(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%09lld", static_cast<long long>(value));
    return text;
}

void ReadTabs(const Json& j, ConfigFile& f, std::vector<ConfigFileProblem>& problems) {
    const Reader root(j, "", problems);
    if (j.contains("device")) {
        const Reader d = root.Sub("device");
        d.Text("firmware", f.Firmware, 24);
        d.Text("serialNumber", f.SerialNumber, 15);
    }
    if (j.contains("ship")) {
        const Reader s = root.Sub("ship");
        ShipDataInput in;
        std::int64_t mmsi = 0, imo = 0;
        s.Int("mmsi", mmsi);
        s.Int("imo", imo);
        in.Mmsi = NineDigits(mmsi);
        in.Imo = NineDigits(imo);
        s.Text("name", in.Name, 20);
        s.Text("callSign", in.CallSign, 7);
        const Reader antenna = s.Sub("antenna");
        const Reader internal = antenna.Sub("internal"), external = antenna.Sub("external");
        for (std::size_t i = 0; i < 4; ++i) {
            internal.Int(kAntennaKeys[i], in.Internal[i]);
            external.Int(kAntennaKeys[i], in.External[i]);
        }
        if (j["ship"].contains("inland")) {
            in.Inland = true;
            const Reader inland = s.Sub("inland");
            for (std::size_t i = 0; i < kInlandKeys.size(); ++i)
                inland.OptionalTenths(kInlandKeys[i], in.InlandTexts[i]);
        }
        f.Ship = in;
    }
    if (j.contains("voyage")) {
        const Reader v = root.Sub("voyage");
        VoyageInput in;
        int type = 0;
        v.Int("shipType", type);
        in.ShipTypeRow = FindShipTypeRow(type);
        if (in.ShipTypeRow < 0 && j["voyage"].contains("shipType"))
            v.Bad("shipType", "is not a listed ship type");
        v.OptionalTenths("draught", in.Draught);
        v.Int("personsOnBoard", in.PersonsOnBoard);
        v.Text("destination", in.Destination, 20);
        const Reader eta = v.Sub("eta");
        eta.Int("month", in.Month);
        eta.Int("day", in.Day);
        eta.Int("hour", in.Hour);
        eta.Int("minute", in.Minute);
        v.Int("navStatus", in.NavStatus);
        if (in.NavStatus < -1 || in.NavStatus >= static_cast<int>(kNavStatusTexts.size()))
            v.Bad("navStatus", "must be -1 (none) or 0-15");
        f.Voyage = in;
    }
    if (j.contains("cpa")) {
        const Reader c = root.Sub("cpa");
        CpaInput in;
        if (j["cpa"].is_object() && j["cpa"].contains("cpa")) {
            double cpa = 0;
            c.Num("cpa", cpa);
            in.Cpa = Tenths(cpa, "%04.1f");
        }
        c.Int("tcpa", in.Tcpa);
        c.Choice("alarm", "on", "off", in.AlarmIndex);
        f.Cpa = in;
    }
    if (j.contains("transceiver")) {
        const Reader t = root.Sub("transceiver");
        TransceiverInput in;
        bool tx = true, dsc = true;
        t.Bool("aisTx", tx);
        t.Bool("dscRx", dsc);
        in.AisTxIndex = tx ? 0 : 1;
        in.DscRxIndex = dsc ? 0 : 1;
        t.Choice("gpsVoltage", "3.3V", "5V", in.GpsVoltageIndex);
        t.Text("deviceInstance", in.DeviceInstance, 16);
        f.Transceiver = in;
    }
    if (j.contains("longRange")) {
        const Reader l = root.Sub("longRange");
        LongRangeSettings in;
        int manual = 0;
        l.Choice("response", "automatic", "manual", manual);
        in.Manual = manual == 1;
        const Reader replies = l.Sub("replies");
        for (std::size_t i = 0; i < kReplyKeys.size(); ++i)
            replies.Bool(kReplyKeys[i], in.FunctionReply[i]);
        l.Bool("message27", in.Message27);
        l.Text("channelA", in.ChannelA, 8);
        l.Text("channelB", in.ChannelB, 8);
        f.LongRange = in;
    }
    if (j.contains("destinations")) {
        DestinationInput in;
        const Json& rows = j["destinations"];
        if (!rows.is_array() || rows.size() > in.Rows.size()) {
            root.Bad("destinations", "must be a list of at most 10 texts");
        } else {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].is_string() &&
                    rows[i].get_ref<const std::string&>().size() <= kGridTextMax)
                    in.Rows[i] = rows[i].get<std::string>();
                else
                    root.Bad("destinations[" + std::to_string(i) + "]",
                             "must be a text of at most 20 characters");
            }
        }
        f.Destinations = in;
    }
    if (j.contains("mob")) {
        MobInput in;
        const Json& rows = j["mob"];
        if (!rows.is_array() || rows.size() > in.Rows.size()) {
            root.Bad("mob", "must be a list of at most 50 rows");
        } else {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const Reader row(rows[i], "mob[" + std::to_string(i) + "]", problems);
                if (!rows[i].is_object())
                    root.Bad("mob[" + std::to_string(i) + "]", "must be an object");
                row.Text("mmsi", in.Rows[i].Mmsi, 9);
                row.Text("name", in.Rows[i].Name, kGridTextMax);
            }
        }
        f.Mob = in;
    }
    if (j.contains("encryption")) {
        const Reader e = root.Sub("encryption");
        EncryptionInput in;
        e.Bool("enabled", in.Enabled);
        e.Text("code", in.Code, 32);
        f.Encryption = in;
    }
    if (j.contains("baud")) {
        BaudRateInput in;
        const Reader ports = root.Sub("baud").Sub("ports");
        for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
            const std::string port = std::to_string(kBaudBoxes[box].Port);
            // A port left out has no rate chosen: its field is written empty.
            in.Selected[box] = -1;
            const Json listed = j["baud"].value("ports", Json::object());
            if (!listed.is_object() || !listed.contains(port)) continue;
            int rate = 0;
            ports.Int(port.c_str(), rate);
            in.Selected[box] = BaudReplySelection(kBaudBoxes[box].Port, rate).Item;
            if (in.Selected[box] < 0) ports.Bad(port, "is not a rate this port runs at");
        }
        f.Baud = in;
    }
    if (f.Encryption && f.Ship)
        f.Encryption->SnapshotMmsi =
            static_cast<std::int32_t>(DigitsValue(f.Ship->Mmsi).value_or(0));
}

}  // namespace

std::vector<ConfigFileProblem> CheckConfigFile(const ConfigFile& f) {
    std::vector<ConfigFileProblem> problems;
    const auto check = [&](const char* tab, const auto& input, auto plan) {
        if (!input) return;
        const WriteCheck result = plan(*input);
        if (const auto* p = std::get_if<WriteProblem>(&result))
            problems.push_back({tab, p->Message, true});
    };
    check("ship", f.Ship, PlanShipDataWrite);
    check("voyage", f.Voyage, PlanVoyageWrite);
    check("cpa", f.Cpa, PlanCpaWrite);
    check("transceiver", f.Transceiver, PlanTransceiverWrite);
    check("longRange", f.LongRange, PlanLongRangeWrite);
    check("destinations", f.Destinations, PlanDestinationWrite);
    check("mob", f.Mob, PlanMobWrite);
    check("encryption", f.Encryption, PlanEncryptionWrite);
    check("baud", f.Baud, PlanBaudRateWrite);
    return problems;
}

ConfigFileRead ReadConfigFile(const std::string& text) {
    ConfigFileRead read;
    const Json j = Json::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
        read.Problems.push_back({"", "is not a JSON object"});
        return read;
    }
    if (!j.contains("format") || !j["format"].is_string()) {
        read.Problems.push_back(
            {"format", "missing: expected \"" + std::string(kConfigFileFormat) + "\""});
        return read;
    }
    if (j["format"] != kConfigFileFormat) {
        read.Problems.push_back({"format", "\"" + j["format"].get<std::string>() +
                                               "\" is not one this program reads (it reads \"" +
                                               kConfigFileFormat + "\")"});
        return read;
    }
    ReadTabs(j, read.File, read.Problems);
    if (!read.Problems.empty()) return read;
    // Whatever the file holds that the model did not take is an unknown key.
    std::map<std::string, std::string> given, taken;
    Flatten(j, "", given);
    Flatten(ToJson(read.File), "", taken);
    for (const auto& [name, value] : given) {
        if (!taken.count(name)) read.Problems.push_back({name, "is not a known key"});
    }
    if (!read.Problems.empty()) return read;
    for (auto& problem : CheckConfigFile(read.File))
        read.Problems.push_back(std::move(problem));
    return read;
}

std::string WriteConfigFile(const ConfigFile& file) {
    return ToJson(file).dump(2) + "\n";
}

std::vector<std::string> DiffConfigFiles(const ConfigFile& a, const ConfigFile& b) {
    std::map<std::string, std::string> left, right;
    Flatten(ToJson(a), "", left);
    Flatten(ToJson(b), "", right);
    std::set<std::string> names;
    for (const auto& [name, value] : left)
        names.insert(name);
    for (const auto& [name, value] : right)
        names.insert(name);
    std::vector<std::string> lines;
    for (const auto& name : names) {
        if (name.rfind("device", 0) == 0) continue;
        const auto l = left.find(name), r = right.find(name);
        const std::string lv = l == left.end() ? "(absent)" : l->second;
        const std::string rv = r == right.end() ? "(absent)" : r->second;
        if (lv != rv) lines.push_back(name + ": " + lv + " -> " + rv);
    }
    return lines;
}

}  // namespace navoro
