// navoro-config: configuration files on the command line.
//
//   navoro-config diff FILE1 FILE2
//   navoro-config write [--tabs LIST] --dry-run FILE
//
// Exit status: 0 ok, 1 a file could not be read or the device could not be
// reached, 2 usage or a file that breaks a rule, 3 the files differ.

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "config/ConfigFile.h"

namespace {

constexpr int kOk = 0, kDeviceError = 1, kUsage = 2, kDiffers = 3;

constexpr const char* kHelp =
    "Usage: navoro-config [--json] diff FILE1 FILE2\n"
    "       navoro-config [--json] write [--tabs LIST] --dry-run FILE\n"
    "Configuration files of the transponder (JSON, format navoro-config/1).\n"
    "\n"
    "  diff FILE1 FILE2   print each setting that differs (exit 3 when any does)\n"
    "  write --dry-run    check every value of FILE by the write rules; nothing is sent\n"
    "  --tabs LIST        only these tabs (comma-separated: ship,voyage,cpa,transceiver,\n"
    "                     longRange,destinations,mob,encryption,baud)\n"
    "  --json             print the result as one JSON object\n"
    "  -h, --help         print this help\n"
    "\n"
    "Exit status: 0 ok, 1 file or device error, 2 usage or a broken value, 3 differs.\n";

struct Options {
    bool Json = false, DryRun = false;
    std::string Tabs;
    std::vector<std::string> Ports;
    std::vector<std::string> Args;
};

int Usage(const char* message) {
    std::fprintf(stderr, "navoro-config: %s\nTry 'navoro-config --help'.\n", message);
    return kUsage;
}

bool Slurp(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream out;
    out << in.rdbuf();
    text = out.str();
    return !in.bad();
}

// Keeps only the tabs named in the list; false for a name that is no tab.
bool KeepTabs(const std::string& list, navoro::ConfigFile& f) {
    if (list.empty()) return true;
    bool keep[navoro::kConfigTabs.size()] = {};
    std::stringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        bool found = false;
        for (std::size_t i = 0; i < navoro::kConfigTabs.size(); ++i) {
            if (name == navoro::kConfigTabs[i]) keep[i] = found = true;
        }
        if (!found) return false;
    }
    if (!keep[0]) f.Ship.reset();
    if (!keep[1]) f.Voyage.reset();
    if (!keep[2]) f.Cpa.reset();
    if (!keep[3]) f.Transceiver.reset();
    if (!keep[4]) f.LongRange.reset();
    if (!keep[5]) f.Destinations.reset();
    if (!keep[6]) f.Mob.reset();
    if (!keep[7]) f.Encryption.reset();
    if (!keep[8]) f.Baud.reset();
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
    if (!KeepTabs(o.Tabs, read.File)) return Usage("--tabs names a tab that does not exist");
    // The write rules of the tabs left out do not matter.
    std::erase_if(read.Problems, [](const navoro::ConfigFileProblem& p) { return p.BrokenRule; });
    if (read.Problems.empty()) read.Problems = navoro::CheckConfigFile(read.File);
    if (read.Problems.empty()) return kOk;
    if (o.Json) {
        nlohmann::ordered_json j;
        j["file"] = path;
        for (const auto& p : read.Problems)
            j["problems"].push_back({{"name", p.Name}, {"message", p.Message}});
        std::printf("%s\n", j.dump().c_str());
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
        std::printf("%s\n", j.dump().c_str());
    } else {
        for (const auto& line : lines)
            std::printf("%s\n", line.c_str());
    }
    return lines.empty() ? kOk : kDiffers;
}

int Write(Options& o) {
    if (o.Args.size() != 2) return Usage("write takes one file");
    navoro::ConfigFileRead read;
    if (const int status = Load(o, o.Args[1], read)) return status;
    if (!o.DryRun) {
        std::fprintf(stderr,
                     "navoro-config: writing to a device is not available yet; use --dry-run\n");
        return kDeviceError;
    }
    if (o.Json)
        std::printf("{\"file\":%s,\"problems\":[]}\n", nlohmann::json(o.Args[1]).dump().c_str());
    else
        std::printf("%s: every value can be written\n", o.Args[1].c_str());
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    static const option kOptions[] = {
        {"help", no_argument, nullptr, 'h'},       {"json", no_argument, nullptr, 'j'},
        {"dry-run", no_argument, nullptr, 'n'},    {"tabs", required_argument, nullptr, 't'},
        {"port", required_argument, nullptr, 'p'}, {nullptr, 0, nullptr, 0},
    };
    Options o;
    opterr = 0;
    for (;;) {
        const int code = getopt_long(argc, argv, "-:h", kOptions, nullptr);
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
            case 1:
                o.Args.emplace_back(optarg);
                break;
            case ':':
                return Usage((std::string(argv[optind - 1]) + " needs a value").c_str());
            default:
                return Usage((std::string("unknown option ") + argv[optind - 1]).c_str());
        }
    }
    if (o.Args.empty()) return Usage("no command (diff or write)");
    if (o.Args[0] == "diff") return Diff(o);
    if (o.Args[0] == "write") return Write(o);
    return Usage(("unknown command " + o.Args[0]).c_str());
}
