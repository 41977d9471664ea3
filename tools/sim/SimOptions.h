#pragma once

#include <cstdint>
#include <string>

namespace navoro::sim {

// The kind of GNSS receiver whose sentences the stream carries.
enum class GnssForm {
    kClassic,  // a GPS receiver: GP talker, today's forms
    kModern,   // a multi-constellation receiver in NMEA 4.11 form
    kLegacy,   // an NMEA 2.x GPS receiver: no mode fields
};

// The most stations --targets takes.
inline constexpr int kMaxTargets = 2000;

// What navoro-sim was told on its command line.
struct SimOptions {
    std::string Device;                  // --device PATH; empty: a new pseudo-terminal
    std::string StatePath;               // --state FILE
    std::string RecordPath;              // --record FILE
    int Rate = 0;                        // --rate BAUD; 0: the configured rate of the USB port
    bool Inland = false;                 // --inland
    bool NoStream = false;               // --no-stream
    bool Silent = false;                 // --silent
    bool NoDumpEnd = false;              // --no-dump-end
    double Garbage = 0;                  // --garbage RATE (0-1)
    double BadChecksum = 0;              // --bad-checksum RATE (0-1)
    double HangupAfter = 0;              // --hangup-after SECONDS; 0: never
    int ReplyDelayMs = 0;                // --reply-delay MS
    std::uint32_t Seed = 1;              // --seed N
    bool ExitOnClose = false;            // --exit-on-close
    bool ExitWithParent = false;         // --exit-with-parent
    GnssForm Gnss = GnssForm::kClassic;  // --gnss classic|modern|legacy
    int Targets = -1;                    // --targets N (0-2000); below 0: the five fixed stations
    bool Verbose = false;                // -v, --verbose
    bool Help = false;                   // -h, --help
};

// Reads the arguments (without the program name). Returns an empty text on
// success, else the usage error.
std::string ParseOptions(int argc, const char* const* argv, SimOptions& options);

// The --help text.
const char* Usage();

}  // namespace navoro::sim
