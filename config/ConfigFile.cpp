#include "config/ConfigFile.h"

#include <map>
#include <set>

#include "config/tabs/JsonSection.h"

namespace navoro {

namespace {

// Nesting deeper than this is not a configuration file.
constexpr int kDepthMax = 32;

// Watches the parser for keys that come twice in one object and for nesting
// too deep, naming where they are.
class ParseWatch {
  public:
    bool Event(int depth, Json::parse_event_t event, const Json& value) {
        using Event = Json::parse_event_t;
        switch (event) {
            case Event::object_start:
            case Event::array_start:
                if (depth > kDepthMax) tooDeep_ = true;
                frames_.push_back({event == Event::array_start, 0, {}, {}});
                break;
            case Event::object_end:
            case Event::array_end:
                if (!frames_.empty()) frames_.pop_back();
                NextElement();
                break;
            case Event::key: {
                if (frames_.empty() || !value.is_string()) break;
                Frame& frame = frames_.back();
                frame.Key = value.get<std::string>();
                if (!frame.Keys.insert(frame.Key).second) duplicates_.push_back(Path());
                break;
            }
            case Event::value:
                NextElement();
                break;
        }
        return true;
    }

    const std::vector<std::string>& Duplicates() const { return duplicates_; }
    bool TooDeep() const { return tooDeep_; }

  private:
    struct Frame {
        bool Array;
        std::size_t Index;
        std::string Key;
        std::set<std::string> Keys;
    };

    void NextElement() {
        if (!frames_.empty() && frames_.back().Array) ++frames_.back().Index;
    }

    std::string Path() const {
        std::string path;
        for (const Frame& frame : frames_) {
            if (frame.Array)
                path += "[" + std::to_string(frame.Index) + "]";
            else
                path = KeyPath(path, frame.Key);
        }
        return path;
    }

    std::vector<Frame> frames_;
    std::vector<std::string> duplicates_;
    bool tooDeep_ = false;
};

Json ToJson(const ConfigFile& f) {
    Json j;
    j["format"] = kConfigFileFormat;
    j["device"] = {{"firmware", f.Firmware}, {"serialNumber", f.SerialNumber}};
    for (const std::size_t tab : WriteOrder()) {
        ForEachTab([&]<typename Unit>(std::size_t index) {
            if (index == tab && f.Tabs.Get<Unit>()) Unit::Write(*f.Tabs.Get<Unit>(), j);
        });
    }
    return j;
}

// Every leaf of a JSON tree by its readable name ("ship.antenna.internal.a",
// "destinations[3]", "baud.ports[\"-1\"]").
void Flatten(const Json& j, const std::string& name, std::map<std::string, std::string>& out) {
    if (j.is_object() && !j.empty()) {
        for (const auto& [key, value] : j.items())
            Flatten(value, KeyPath(name, key), out);
    } else if (j.is_array() && !j.empty()) {
        for (std::size_t i = 0; i < j.size(); ++i)
            Flatten(j[i], name + "[" + std::to_string(i) + "]", out);
    } else {
        out[name] = j.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

std::size_t TabOfName(const std::string& name) {
    const std::size_t end = name.find_first_of(".[");
    return FindTab(std::string_view(name).substr(0, end));
}

void ReadIdentity(JsonIn& root, ConfigFile& f) {
    if (!root.Has("device")) return;
    JsonIn device = root.Object("device");
    const auto text = [&](const char* key, std::size_t max, std::string& out) {
        const std::optional<std::string> value = device.Text(key, false);
        if (!value) return;
        if (value->size() > max)
            device.Problem(key, "is too long (at most " + std::to_string(max) + " characters)");
        else
            out = *value;
    };
    text("firmware", kFirmwareVersionMax, f.Firmware);
    text("serialNumber", kSerialNumberMax, f.SerialNumber);
    device.Finish();
}

}  // namespace

std::vector<ConfigFileProblem> CheckConfigFile(const ConfigFile& f) {
    std::vector<ConfigFileProblem> problems;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (!f.Tabs.Get<Unit>()) return;
        for (const RuleProblem& p : Unit::Check(*f.Tabs.Get<Unit>()))
            problems.push_back({p.Key, p.English(), true, index});
    });
    return problems;
}

ConfigFileRead ReadConfigFile(std::string_view text) {
    ConfigFileRead read;
    const auto fail = [&](std::string message) {
        read.Problems.push_back({"", std::move(message)});
        return read;
    };
    if (text.size() > kConfigFileSizeMax) return fail("is too large to be a configuration file");
    ParseWatch watch;
    Json j;
    try {
        j = Json::parse(text.begin(), text.end(),
                        [&](int depth, Json::parse_event_t event, Json& value) {
                            return watch.Event(depth, event, value);
                        });
    } catch (const Json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
        std::string what = error.what();
        const std::size_t at = what.find("] ");
        if (at != std::string::npos) what.erase(0, at + 2);
        return fail("is not a JSON object: " + what);
    } catch (const std::exception& error) {
        return fail(std::string("is not a JSON object: ") + error.what());
    }
    if (watch.TooDeep()) return fail("is not a configuration file: nested too deeply");
    if (!j.is_object()) return fail("is not a JSON object");
    for (const std::string& key : watch.Duplicates())
        read.Problems.push_back({key, "is given more than once", false, TabOfName(key)});

    const auto format = j.find("format");
    if (format == j.end()) {
        read.Problems.push_back(
            {"format", "missing: expected \"" + std::string(kConfigFileFormat) + "\""});
        return read;
    }
    if (*format != kConfigFileFormat) {
        read.Problems.push_back(
            {"format", format->dump(-1, ' ', false, Json::error_handler_t::replace) +
                           " is not one this program reads (it reads \"" + kConfigFileFormat +
                           "\")"});
        return read;
    }

    FormProblems form;
    JsonIn root(&j, "", form);
    root.Get("format");
    ReadIdentity(root, read.File);
    ForEachTab([&]<typename Unit>(std::size_t) {
        if (root.Has(Unit::kInfo.Key)) read.File.Tabs.Get<Unit>() = Unit::Read(root);
    });
    root.Finish();
    std::set<std::string> named;
    for (FormProblem& p : form) {
        named.insert(p.Key);
        const std::size_t tab = TabOfName(p.Key);
        read.Problems.push_back({std::move(p.Key), std::move(p.Message), false, tab});
    }
    // A value that could not be read has been named already.
    for (ConfigFileProblem& p : CheckConfigFile(read.File)) {
        if (!named.contains(p.Name)) read.Problems.push_back(std::move(p));
    }
    return read;
}

std::string WriteConfigFile(const ConfigFile& file) {
    return ToJson(file).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
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

ConfigFile OnlyTab(const ConfigFile& file, std::size_t tab) {
    ConfigFile only;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index == tab) only.Tabs.Get<Unit>() = file.Tabs.Get<Unit>();
    });
    return only;
}

}  // namespace navoro
