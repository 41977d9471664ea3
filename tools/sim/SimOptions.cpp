#include "tools/sim/SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

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
           "  --seed N               seed of the random faults (default 1)\n"
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
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        auto missing = [&] { return "option '" + std::string(arg) + "' needs a value"; };
        auto bad = [&](const char* v, const char* what) {
            return "option '" + std::string(arg) + "': '" + v + "' is not " + what;
        };
        if (arg == "-h" || arg == "--help") {
            o.Help = true;
        } else if (arg == "-v" || arg == "--verbose") {
            o.Verbose = true;
        } else if (arg == "--inland") {
            o.Inland = true;
        } else if (arg == "--no-stream") {
            o.NoStream = true;
        } else if (arg == "--silent") {
            o.Silent = true;
        } else if (arg == "--no-dump-end") {
            o.NoDumpEnd = true;
        } else if (arg == "--exit-on-close") {
            o.ExitOnClose = true;
        } else if (arg == "--exit-with-parent") {
            o.ExitWithParent = true;
        } else if (arg == "--device" || arg == "--state" || arg == "--record") {
            const char* v = value();
            if (v == nullptr || *v == '\0') return missing();
            (arg == "--device" ? o.Device : arg == "--state" ? o.StatePath : o.RecordPath) = v;
        } else if (arg == "--rate") {
            const char* v = value();
            if (v == nullptr) return missing();
            long rate = 0;
            if (!ReadLong(v, 1, 10000000, rate) ||
                !IsPortRate(kConfigPort, static_cast<int>(rate))) {
                return bad(v, "one of 115200, 57600, 38400, 19200, 9600, 4800");
            }
            o.Rate = static_cast<int>(rate);
        } else if (arg == "--garbage" || arg == "--bad-checksum") {
            const char* v = value();
            if (v == nullptr) return missing();
            double rate = 0;
            if (!ReadDouble(v, 0, 1, rate)) return bad(v, "a probability from 0 to 1");
            (arg == "--garbage" ? o.Garbage : o.BadChecksum) = rate;
        } else if (arg == "--hangup-after") {
            const char* v = value();
            if (v == nullptr) return missing();
            if (!ReadDouble(v, 0.001, 1e7, o.HangupAfter))
                return bad(v, "a number of seconds above 0");
        } else if (arg == "--reply-delay") {
            const char* v = value();
            if (v == nullptr) return missing();
            long ms = 0;
            if (!ReadLong(v, 0, 60000, ms)) return bad(v, "0-60000 milliseconds");
            o.ReplyDelayMs = static_cast<int>(ms);
        } else if (arg == "--seed") {
            const char* v = value();
            if (v == nullptr) return missing();
            long seed = 0;
            if (!ReadLong(v, 0, 4294967295L, seed)) return bad(v, "a whole number 0-4294967295");
            o.Seed = static_cast<std::uint32_t>(seed);
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
    }
    return {};
}

}  // namespace navoro::sim
