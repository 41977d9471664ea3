// navoro-config: configuration files on the command line, and the
// transponder itself: reads its configuration into a file, writes a file to it
// tab by tab and reads it back, on one port or on several at once.
//
// Exit status: 0 ok, 1 a file could not be read or the device could not be
// reached, 2 usage or a file that breaks a rule, 3 the files differ or a value
// read back differs from the one written.

#include <getopt.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "config/ConfigFile.h"
#include "link/ConnectionManager.h"
#include "tools/config/Transponder.h"

namespace {

constexpr int kOk = 0, kDeviceError = 1, kUsage = 2, kDiffers = 3;

constexpr const char* kHelp =
    "Usage: navoro-config [--json] read --port PATH [--rate N|--auto] [-o FILE]\n"
    "       navoro-config [--json] write --port PATH [--rate N|--auto] [--tabs LIST] FILE\n"
    "       navoro-config [--json] write [--tabs LIST] --dry-run FILE\n"
    "       navoro-config [--json] diff FILE1 FILE2\n"
    "Configuration files of the transponder (JSON, format navoro-config/1).\n"
    "\n"
    "  read               connect as the window does, read every tab and print the\n"
    "                     configuration file (or write it to -o FILE)\n"
    "  write              check every value of FILE, write it tab by tab (the rate last,\n"
    "                     then connect again at the new rate), read it back and report\n"
    "                     each tab: \"written and read back\" or \"differs: ...\"\n"
    "  write --dry-run    only check every value of FILE by the write rules; nothing is sent\n"
    "  diff FILE1 FILE2   print each setting that differs (exit 3 when any does)\n"
    "\n"
    "  --port PATH        the transponder's serial port; repeat it to work on several\n"
    "                     transponders at once, one thread per port, reported per port\n"
    "  --rate N           connect at N bit/s: 4800, 9600, 19200, 38400, 57600 or 115200\n"
    "                     (default 115200)\n"
    "  --auto             try each rate until the transponder answers\n"
    "  --timeout SECONDS  the longest a connection attempt may take (default 25)\n"
    "  -o, --output FILE  read: write the configuration file to FILE (one port only)\n"
    "  --tabs LIST        only these tabs (comma-separated: ship,voyage,cpa,transceiver,\n"
    "                     longRange,destinations,mob,encryption,baud)\n"
    "  --json             print the result as one JSON object\n"
    "  -h, --help         print this help\n"
    "\n"
    "Progress goes to standard error when it is a terminal.\n"
    "Exit status: 0 ok, 1 file or device error (no answer, hang-up), 2 usage or a broken\n"
    "value (nothing is sent), 3 the files differ or a value read back differs.\n";

struct Options {
    bool Json = false, DryRun = false, Auto = false;
    int Rate = 0;
    int TimeoutSeconds = 25;
    std::string Tabs, Output;
    std::vector<std::string> Ports;
    std::vector<std::string> Args;
};

// Prints a JSON report on one line. Paths and texts that are not UTF-8 (a
// file name is any bytes) come out with U+FFFD in place of the broken bytes.
template <typename Json>
void PrintJson(const Json& j) {
    std::printf("%s\n", j.dump(-1, ' ', false, Json::error_handler_t::replace).c_str());
}

int Usage(const char* message) {
    std::fprintf(stderr, "navoro-config: %s\nTry 'navoro-config --help'.\n", message);
    return kUsage;
}

// Reads at most one byte more than a configuration file may hold (the
// reader refuses a larger one).
bool Slurp(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(navoro::kConfigFileSizeMax + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

// The tab of each name in a comma-separated list; false for a name that is no tab.
bool TabsNamed(const std::string& list, std::vector<bool>& keep) {
    keep.assign(navoro::kTabCount, list.empty());
    if (list.empty()) return true;
    std::stringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        const std::size_t tab = navoro::FindTab(name);
        if (tab >= navoro::kTabCount) return false;
        keep[tab] = true;
    }
    return true;
}

// Keeps only the tabs named in the list; false for a name that is no tab.
bool KeepTabs(const std::string& list, navoro::ConfigFile& f) {
    std::vector<bool> keep;
    if (!TabsNamed(list, keep)) return false;
    for (std::size_t tab = 0; tab < navoro::kTabCount; ++tab) {
        if (!keep[tab]) f.Tabs.Drop(tab);
    }
    return true;
}

// Reads a file; prints its problems and gives the exit status when it cannot
// be used.
int Load(const Options& o, const std::string& path, navoro::ConfigFileRead& read) {
    std::string text;
    if (!Slurp(path, text)) {
        std::fprintf(stderr, "navoro-config: %s: %s\n", path.c_str(), std::strerror(errno));
        return kDeviceError;
    }
    read = navoro::ReadConfigFile(text);
    std::vector<bool> keep;
    if (!TabsNamed(o.Tabs, keep)) return Usage("--tabs names a tab that does not exist");
    KeepTabs(o.Tabs, read.File);
    // The problems of the tabs left out do not matter.
    std::erase_if(read.Problems, [&keep](const navoro::ConfigFileProblem& p) {
        return p.Tab < navoro::kTabCount && !keep[p.Tab];
    });
    if (read.Problems.empty()) return kOk;
    if (o.Json) {
        nlohmann::ordered_json j;
        j["file"] = path;
        for (const auto& p : read.Problems)
            j["problems"].push_back({{"name", p.Name}, {"message", p.Message}});
        PrintJson(j);
    } else {
        for (const auto& p : read.Problems)
            std::fprintf(stderr, "%s: %s%s%s\n", path.c_str(), p.Name.c_str(),
                         p.Name.empty() ? "" : ": ", p.Message.c_str());
    }
    return kUsage;
}

int Diff(const Options& o) {
    if (o.Args.size() != 3) return Usage("diff takes two files");
    navoro::ConfigFileRead a, b;
    if (const int status = Load(o, o.Args[1], a)) return status;
    if (const int status = Load(o, o.Args[2], b)) return status;
    const auto lines = navoro::DiffConfigFiles(a.File, b.File);
    if (o.Json) {
        nlohmann::ordered_json j;
        j["equal"] = lines.empty();
        j["differences"] = lines;
        PrintJson(j);
    } else {
        for (const auto& line : lines)
            std::printf("%s\n", line.c_str());
    }
    return lines.empty() ? kOk : kDiffers;
}

// ---- the device -------------------------------------------------------------

std::mutex progressMutex;

navoro::SessionOptions SessionFor(const Options& o, const std::string& port) {
    navoro::SessionOptions s;
    s.Port = port;
    s.Rate = o.Auto ? 0 : (o.Rate == 0 ? 115200 : o.Rate);
    s.ConnectTimeout = std::chrono::seconds(o.TimeoutSeconds);
    if (isatty(STDERR_FILENO)) {
        s.Progress = [port](const std::string& text) {
            std::lock_guard lock(progressMutex);
            std::fprintf(stderr, "%s: %s\n", port.c_str(), text.c_str());
        };
    }
    return s;
}

// Runs `work` for each port, each on its own thread.
template <typename Result>
std::vector<Result> ForEachPort(const Options& o,
                                const std::function<Result(const std::string&)>& work) {
    std::vector<Result> results(o.Ports.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < o.Ports.size(); ++i)
        threads.emplace_back([&, i] { results[i] = work(o.Ports[i]); });
    for (auto& thread : threads)
        thread.join();
    return results;
}

struct PortRead {
    bool Got = false;  // the device answered the read (some tabs may be missing)
    std::string Error;
    std::vector<std::string> Missing;
    navoro::ConfigFile File;
};

int Read(const Options& o) {
    if (o.Args.size() != 1) return Usage("read takes no file (use -o FILE)");
    if (o.Ports.empty()) return Usage("read needs --port PATH");
    if (!o.Output.empty() && o.Ports.size() > 1) return Usage("-o takes one port");
    navoro::ConfigFile none;
    if (!KeepTabs(o.Tabs, none)) return Usage("--tabs names a tab that does not exist");

    const auto reads = ForEachPort<PortRead>(o, [&](const std::string& port) {
        PortRead r;
        navoro::Transponder session(SessionFor(o, port));
        if (session.Connect() && session.Read(r.File, r.Missing)) {
            r.Got = true;
            KeepTabs(o.Tabs, r.File);
            std::erase_if(r.Missing, [&](const std::string& tab) {
                return !o.Tabs.empty() &&
                       ("," + o.Tabs + ",").find("," + tab + ",") == std::string::npos;
            });
            if (!r.Missing.empty()) {
                r.Error = port + ": no answer for";
                for (const auto& tab : r.Missing)
                    r.Error += " " + tab;
            }
        } else {
            r.Error = session.Error();
        }
        session.Disconnect();
        return r;
    });

    int status = kOk;
    for (const auto& r : reads)
        if (!r.Error.empty()) status = kDeviceError;
    // -o: the one port's file (when the device answered at all).
    if (!o.Output.empty() && reads.front().Got) {
        std::ofstream out(o.Output, std::ios::binary | std::ios::trunc);
        out << navoro::WriteConfigFile(reads.front().File);
        out.close();
        if (!out) {
            std::fprintf(stderr, "navoro-config: %s: %s\n", o.Output.c_str(), std::strerror(errno));
            return kDeviceError;
        }
    }
    if (!o.Json && o.Ports.size() == 1) {
        const PortRead& r = reads.front();
        if (!r.Error.empty()) std::fprintf(stderr, "navoro-config: %s\n", r.Error.c_str());
        if (r.Got && o.Output.empty()) std::fputs(navoro::WriteConfigFile(r.File).c_str(), stdout);
        return status;
    }
    // --json, or several ports: one object with each port's file.
    nlohmann::ordered_json j;
    j["ports"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < reads.size(); ++i) {
        const PortRead& r = reads[i];
        nlohmann::ordered_json port;
        port["port"] = o.Ports[i];
        if (!r.Error.empty()) port["error"] = r.Error;
        port["missing"] = r.Missing;
        if (r.Got) port["config"] = nlohmann::ordered_json::parse(navoro::WriteConfigFile(r.File));
        j["ports"].push_back(port);
    }
    PrintJson(j);
    return status;
}

int Write(const Options& o) {
    if (o.Args.size() != 2) return Usage("write takes one file");
    if (!o.DryRun && o.Ports.empty()) return Usage("write needs --port PATH (or --dry-run)");
    navoro::ConfigFileRead read;
    if (const int status = Load(o, o.Args[1], read)) return status;
    if (o.DryRun) {
        if (o.Json)
            PrintJson(
                nlohmann::ordered_json{{"file", o.Args[1]}, {"problems", nlohmann::json::array()}});
        else
            std::printf("%s: every value can be written\n", o.Args[1].c_str());
        return kOk;
    }

    const auto reports = ForEachPort<navoro::WriteReport>(o, [&](const std::string& port) {
        navoro::Transponder session(SessionFor(o, port));
        navoro::WriteReport report;
        if (!session.Connect()) {
            report.Error = session.Error();
            return report;
        }
        report = session.Write(read.File);
        session.Disconnect();
        return report;
    });

    int status = kOk;
    for (const auto& r : reports) {
        if (!r.Error.empty())
            status = kDeviceError;
        else if (!r.AllEqual() && status == kOk)
            status = kDiffers;
    }
    using State = navoro::TabOutcome::State;
    if (o.Json) {
        nlohmann::ordered_json j;
        j["file"] = o.Args[1];
        j["ports"] = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const auto& r = reports[i];
            nlohmann::ordered_json port;
            port["port"] = o.Ports[i];
            port["equal"] = r.AllEqual();
            if (!r.Error.empty()) port["error"] = r.Error;
            port["tabs"] = nlohmann::ordered_json::array();
            for (const auto& t : r.Tabs) {
                nlohmann::ordered_json tab;
                tab["tab"] = t.Tab;
                tab["result"] = navoro::StateText(t.What);
                if (t.What == State::Stopped) {
                    tab["sent"] = t.Sent;
                    tab["total"] = t.Total;
                }
                if (!t.Differences.empty()) tab["differences"] = t.Differences;
                port["tabs"].push_back(tab);
            }
            j["ports"].push_back(port);
        }
        PrintJson(j);
        return status;
    }
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const auto& r = reports[i];
        const char* port = o.Ports[i].c_str();
        for (const auto& t : r.Tabs) {
            std::string line = std::string(port) + ": " + t.Tab + ": " + navoro::StateText(t.What);
            if (t.What == State::Stopped)
                line += " after " + std::to_string(t.Sent) + " of " + std::to_string(t.Total) +
                        " sentences";
            for (std::size_t d = 0; d < t.Differences.size(); ++d)
                line += (d == 0 ? ": " : "; ") + t.Differences[d];
            std::printf("%s\n", line.c_str());
        }
        if (!r.Error.empty()) std::printf("%s: error: %s\n", port, r.Error.c_str());
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    static const option kOptions[] = {
        {"help", no_argument, nullptr, 'h'},         {"json", no_argument, nullptr, 'j'},
        {"dry-run", no_argument, nullptr, 'n'},      {"tabs", required_argument, nullptr, 't'},
        {"port", required_argument, nullptr, 'p'},   {"rate", required_argument, nullptr, 'r'},
        {"auto", no_argument, nullptr, 'a'},         {"timeout", required_argument, nullptr, 'T'},
        {"output", required_argument, nullptr, 'o'}, {nullptr, 0, nullptr, 0},
    };
    Options o;
    opterr = 0;
    for (;;) {
        const int code = getopt_long(argc, argv, "-:ho:", kOptions, nullptr);
        if (code == -1) break;
        switch (code) {
            case 'h':
                std::fputs(kHelp, stdout);
                return kOk;
            case 'j':
                o.Json = true;
                break;
            case 'n':
                o.DryRun = true;
                break;
            case 't':
                o.Tabs = optarg;
                break;
            case 'p':
                o.Ports.emplace_back(optarg);
                break;
            case 'r': {
                char* end = nullptr;
                const long rate = std::strtol(optarg, &end, 10);
                bool listed = false;
                for (const auto& probe : navoro::kProbeRates)
                    listed = listed || probe.Rate == rate;
                if (*optarg == '\0' || *end != '\0' || !listed)
                    return Usage("--rate takes 4800, 9600, 19200, 38400, 57600 or 115200");
                o.Rate = static_cast<int>(rate);
                break;
            }
            case 'a':
                o.Auto = true;
                break;
            case 'T': {
                char* end = nullptr;
                const long seconds = std::strtol(optarg, &end, 10);
                if (*optarg == '\0' || *end != '\0' || seconds < 1 || seconds > 3600)
                    return Usage("--timeout takes 1 to 3600 seconds");
                o.TimeoutSeconds = static_cast<int>(seconds);
                break;
            }
            case 'o':
                o.Output = optarg;
                break;
            case 1:
                o.Args.emplace_back(optarg);
                break;
            case ':':
                return Usage((std::string(argv[optind - 1]) + " needs a value").c_str());
            default:
                return Usage((std::string("unknown option ") + argv[optind - 1]).c_str());
        }
    }
    if (o.Auto && o.Rate != 0) return Usage("--rate and --auto exclude each other");
    if (o.Args.empty()) return Usage("no command (read, write or diff)");
    if (o.Args[0] == "read") return Read(o);
    if (o.Args[0] == "diff") return Diff(o);
    if (o.Args[0] == "write") return Write(o);
    return Usage(("unknown command " + o.Args[0]).c_str());
}
