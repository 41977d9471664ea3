#include "tools/sim/SimOptions.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tools/sim/DeviceState.h"

namespace navoro::sim {

namespace {

bool ReadDouble(const char* text, double low, double high, double& out) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !std::isfinite(value)) return false;
    if (value < low || value > high) return false;
    out = value;
    return true;
}

bool ReadLong(const char* text, long low, long high, long& out) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

// "20", "20s" or "20.5s": seconds from 0 to ten million.
bool ReadSeconds(const std::string& text, double& out) {
    std::string digits = text;
    if (!digits.empty() && digits.back() == 's') digits.pop_back();
    if (digits.empty() || digits[0] == '-' || digits[0] == '+') return false;
    return ReadDouble(digits.c_str(), 0, 1e7, out);
}

// "002@20s-60s", "25@0", "6@10s-": the alarm's number (1-999), the second it
// is raised and, when given, the second it clears (after the first).
bool ReadAlarm(const std::string& text, AlarmPlan& plan) {
    const std::size_t at = text.find('@');
    if (at == std::string::npos || at == 0 || at > 3) return false;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    plan.Id = std::atoi(text.substr(0, at).c_str());
    if (plan.Id < 1 || plan.Id > 999) return false;
    const std::string times = text.substr(at + 1);
    const std::size_t dash = times.find('-');
    if (!ReadSeconds(times.substr(0, dash), plan.Start)) return false;
    plan.End = -1;
    if (dash != std::string::npos && dash + 1 < times.size()) {
        if (!ReadSeconds(times.substr(dash + 1), plan.End) || plan.End <= plan.Start) return false;
    }
    return true;
}

}  // namespace

const char* Usage() {
    return "Usage: navoro-sim [OPTION]...\n"
           "Simulate an AIS Class A transponder on a pseudo-terminal: print the\n"
           "terminal's path on the first line of standard output, then answer the\n"
           "status request, the configuration queries and writes on it, and stream\n"
           "GNSS sentences and AIS messages (!AIVDO, !AIVDM) once a second.\n"
           "\n"
           "The configuration port (port -1, USB) runs at 115200 bit/s unless the\n"
           "state file or --rate says otherwise. The simulator answers only while the\n"
           "program on the other side has set that rate, and stays silent otherwise.\n"
           "A port-rate write takes effect with the restart command $PLMO,C,DBG,701,1000.\n"
           "\n"
           "Options:\n"
           "  --device PATH          use PATH (a serial port) instead of a pseudo-terminal\n"
           "  --state FILE           load the device state from FILE (JSON) and save it\n"
           "                         there after every change and on exit; a missing FILE\n"
           "                         starts from the defaults\n"
           "  --record FILE          write every received line to FILE\n"
           "  --rate BAUD            configuration port rate: 115200, 57600, 38400, 19200,\n"
           "                         9600 or 4800\n"
           "  --inland               report inland mode (with the inland static data line)\n"
           "  --no-stream            send replies only, no GNSS or AIS stream\n"
           "  --exit-on-close        exit when the program on the other side closes the\n"
           "                         pseudo-terminal\n"
           "  --exit-with-parent     exit when the process that started navoro-sim ends\n"
           "  --gnss FORM            the GNSS receiver's sentences: classic (a GPS\n"
           "                         receiver, the default), modern (GPS, GLONASS,\n"
           "                         Galileo and BeiDou in NMEA 4.11 form: GN talker,\n"
           "                         a GSA per system, GSV with signal IDs) or legacy\n"
           "                         (NMEA 2.x: RMC, VTG and GLL without mode fields)\n"
           "  --targets N            simulate N stations (0-2000) around the own ship\n"
           "                         within 20 NM: Class A and B vessels, a base station,\n"
           "                         aids to navigation (message 21), a SAR aircraft and a\n"
           "                         long-range broadcast (message 27); two vessels come\n"
           "                         within 0.5 NM of the own ship within 10 minutes,\n"
           "                         and again every 15 minutes.\n"
           "                         Without it: five fixed stations, and with modern or\n"
           "                         legacy also an aid to navigation and a message 27.\n"
           "                         When the stations' reports would exceed 80 % of the\n"
           "                         configuration port's rate, every station reports less\n"
           "                         often; what a second still cannot carry is dropped.\n"
           "  --maker NAME           whose transponder to be: lmo (the default) answers\n"
           "                         the maker's proprietary sentences and sends the\n"
           "                         information dump; standard answers only the\n"
           "                         standard sentences: the queries for VER, SSD, VSD,\n"
           "                         ALR, TRL and ACA, SSD and VSD writes and ACK, with\n"
           "                         NAK for the rest, and streams ALR and TXT besides\n"
           "                         the GNSS sentences and AIS messages\n"
           "  --alarm ID@START[-END] (standard) raise alarm ID (1-999) START seconds\n"
           "                         after the start and clear it at END, e.g.\n"
           "                         --alarm 002@20s-60s; without END it stays raised;\n"
           "                         may be repeated\n"
           "  --trl N                (standard) answer the TRL query with N (0-10)\n"
           "                         log entries\n"
           "  --aca                  (standard) answer the ACA query with one region\n"
           "  --seed N               seed of the random faults, the signal strengths and\n"
           "                         the stations of --targets (default 1)\n"
           "  -v, --verbose          report every received line and its outcome on stderr\n"
           "  -h, --help             show this help and exit\n"
           "\n"
           "Faults, for tests:\n"
           "  --silent               send nothing at all (a device that does not answer)\n"
           "  --no-dump-end          leave the [DEVICE DATA END] line out of the dump\n"
           "  --garbage RATE         with probability RATE (0-1) before each line, send a\n"
           "                         line of 1-16 random bytes\n"
           "  --bad-checksum RATE    with probability RATE (0-1), send a sentence with a\n"
           "                         wrong checksum\n"
           "  --hangup-after SECONDS close the port after SECONDS, as an unplugged adapter\n"
           "                         would, and exit\n"
           "  --reply-delay MS       answer MS milliseconds (0-60000) after each request\n"
           "\n"
           "navoro-sim exits on SIGINT, SIGTERM or SIGHUP, when a device given with\n"
           "--device hangs up, and after --hangup-after; it saves --state first.\n"
           "Exit status: 0 on a clean exit, 1 when the port or a file cannot be used,\n"
           "2 on a usage error.\n";
}

std::string ParseOptions(int argc, const char* const* argv, SimOptions& o) {
    enum : int {
        kInland = 256,
        kNoStream,
        kSilent,
        kNoDumpEnd,
        kExitOnClose,
        kExitWithParent,
        kDevice,
        kState,
        kRecord,
        kRate,
        kGarbage,
        kBadChecksum,
        kHangupAfter,
        kReplyDelay,
        kSeed,
        kGnss,
        kTargets,
        kMaker,
        kAlarm,
        kTrl,
        kAca,
    };
    static constexpr option kOptions[] = {
        {"help", no_argument, nullptr, 'h'},
        {"verbose", no_argument, nullptr, 'v'},
        {"inland", no_argument, nullptr, kInland},
        {"no-stream", no_argument, nullptr, kNoStream},
        {"silent", no_argument, nullptr, kSilent},
        {"no-dump-end", no_argument, nullptr, kNoDumpEnd},
        {"exit-on-close", no_argument, nullptr, kExitOnClose},
        {"exit-with-parent", no_argument, nullptr, kExitWithParent},
        {"device", required_argument, nullptr, kDevice},
        {"state", required_argument, nullptr, kState},
        {"record", required_argument, nullptr, kRecord},
        {"rate", required_argument, nullptr, kRate},
        {"garbage", required_argument, nullptr, kGarbage},
        {"bad-checksum", required_argument, nullptr, kBadChecksum},
        {"hangup-after", required_argument, nullptr, kHangupAfter},
        {"reply-delay", required_argument, nullptr, kReplyDelay},
        {"seed", required_argument, nullptr, kSeed},
        {"gnss", required_argument, nullptr, kGnss},
        {"targets", required_argument, nullptr, kTargets},
        {"maker", required_argument, nullptr, kMaker},
        {"alarm", required_argument, nullptr, kAlarm},
        {"trl", required_argument, nullptr, kTrl},
        {"aca", no_argument, nullptr, kAca},
        {nullptr, 0, nullptr, 0},
    };

    // getopt_long wants the program's name first and may reorder the array.
    std::vector<char*> args;
    args.reserve(static_cast<std::size_t>(argc) + 2);
    args.push_back(const_cast<char*>("navoro-sim"));
    for (int i = 0; i < argc; ++i)
        args.push_back(const_cast<char*>(argv[i]));
    args.push_back(nullptr);
    const int count = argc + 1;

    // "-": arguments that are not options come back in order (as code 1);
    // ":": a missing value comes back as ':' instead of a printed message.
    opterr = 0;
    optind = 0;
    for (;;) {
        const int at = optind < 1 ? 1 : optind;  // the argument being read
        const int code = getopt_long(count, args.data(), "-:hv", kOptions, nullptr);
        if (code == -1) break;
        // The option's own name, for the messages.
        std::string name = "--";
        for (const option* p = kOptions; p->name != nullptr; ++p) {
            if (p->val == (code == ':' ? optopt : code)) name += p->name;
        }
        const char* v = optarg;
        auto missing = [&] { return "option '" + name + "' needs a value"; };
        auto bad = [&](const char* what) {
            return "option '" + name + "': '" + v + "' is not " + what;
        };
        switch (code) {
            case 'h':
                o.Help = true;
                break;
            case 'v':
                o.Verbose = true;
                break;
            case kInland:
                o.Inland = true;
                break;
            case kNoStream:
                o.NoStream = true;
                break;
            case kSilent:
                o.Silent = true;
                break;
            case kNoDumpEnd:
                o.NoDumpEnd = true;
                break;
            case kExitOnClose:
                o.ExitOnClose = true;
                break;
            case kExitWithParent:
                o.ExitWithParent = true;
                break;
            case kDevice:
            case kState:
            case kRecord:
                if (*v == '\0') return missing();
                (code == kDevice ? o.Device : code == kState ? o.StatePath : o.RecordPath) = v;
                break;
            case kRate: {
                long rate = 0;
                if (!ReadLong(v, 1, 10000000, rate) ||
                    !IsPortRate(kConfigPort, static_cast<int>(rate))) {
                    return bad("one of 115200, 57600, 38400, 19200, 9600, 4800");
                }
                o.Rate = static_cast<int>(rate);
                break;
            }
            case kGarbage:
            case kBadChecksum: {
                double rate = 0;
                if (!ReadDouble(v, 0, 1, rate)) return bad("a probability from 0 to 1");
                (code == kGarbage ? o.Garbage : o.BadChecksum) = rate;
                break;
            }
            case kHangupAfter:
                if (!ReadDouble(v, 0.001, 1e7, o.HangupAfter))
                    return bad("a number of seconds above 0");
                break;
            case kReplyDelay: {
                long ms = 0;
                if (!ReadLong(v, 0, 60000, ms)) return bad("0-60000 milliseconds");
                o.ReplyDelayMs = static_cast<int>(ms);
                break;
            }
            case kSeed: {
                long seed = 0;
                if (!ReadLong(v, 0, 4294967295L, seed)) return bad("a whole number 0-4294967295");
                o.Seed = static_cast<std::uint32_t>(seed);
                break;
            }
            case kGnss: {
                const std::string form = v;
                if (form == "classic") {
                    o.Gnss = GnssForm::kClassic;
                } else if (form == "modern") {
                    o.Gnss = GnssForm::kModern;
                } else if (form == "legacy") {
                    o.Gnss = GnssForm::kLegacy;
                } else {
                    return bad("one of classic, modern, legacy");
                }
                break;
            }
            case kTargets: {
                long targets = 0;
                if (!ReadLong(v, 0, kMaxTargets, targets))
                    return bad("a number of stations 0-2000");
                o.Targets = static_cast<int>(targets);
                break;
            }
            case kMaker: {
                const std::string maker = v;
                if (maker == "lmo") {
                    o.Personality = Maker::kLmo;
                } else if (maker == "standard") {
                    o.Personality = Maker::kStandard;
                } else {
                    return bad("one of lmo, standard");
                }
                break;
            }
            case kAlarm: {
                AlarmPlan plan;
                if (!ReadAlarm(v, plan)) return bad("ID@START[-END], e.g. 002@20s-60s");
                o.Alarms.push_back(plan);
                break;
            }
            case kTrl: {
                long entries = 0;
                if (!ReadLong(v, 0, kMaxTrlEntries, entries))
                    return bad("a number of entries 0-10");
                o.TrlEntries = static_cast<int>(entries);
                break;
            }
            case kAca:
                o.Aca = true;
                break;
            case ':':
                return missing();
            default:  // '?' (not an option of ours) and 1 (not an option at all)
                return "unknown option '" + std::string(args[static_cast<std::size_t>(at)]) + "'";
        }
    }
    if (optind < count) {  // after "--"
        return "unknown option '" + std::string(args[static_cast<std::size_t>(optind)]) + "'";
    }
    if (o.Personality != Maker::kStandard && (!o.Alarms.empty() || o.TrlEntries > 0 || o.Aca)) {
        return "options '--alarm', '--trl' and '--aca' need '--maker standard'";
    }
    return {};
}

}  // namespace navoro::sim
