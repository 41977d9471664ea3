#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace navoro::sim {

// The kind of GNSS receiver whose sentences the stream carries.
enum class GnssForm {
    kClassic,  // a GPS receiver: GP talker, today's forms
    kModern,   // a multi-constellation receiver in NMEA 4.11 form
    kLegacy,   // an NMEA 2.x GPS receiver: no mode fields
};

// Whose transponder the simulator is: the maker's own (answers the maker's
// proprietary sentences and sends the information dump) or any maker's unit
// as seen through the standard sentences only.
enum class Maker {
    kLmo,
    kStandard,
};

// One alarm of the standard unit's timeline: raised `Start` seconds after the
// simulator started, cleared at `End` (below 0: stays raised).
struct AlarmPlan {
    int Id = 0;  // 1-999
    double Start = 0;
    double End = -1;
    bool operator==(const AlarmPlan&) const = default;
};

// The most log entries --trl takes (the TRL log holds ten).
inline constexpr int kMaxTrlEntries = 10;

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
    Maker Personality = Maker::kLmo;     // --maker lmo|standard
    std::vector<AlarmPlan> Alarms;       // --alarm ID@START[-END] (standard only)
    int TrlEntries = 0;                  // --trl N (standard only)
    bool Aca = false;                    // --aca (standard only)
    bool Verbose = false;                // -v, --verbose
    bool Help = false;                   // -h, --help
};

// Reads the arguments (without the program name). Returns an empty text on
// success, else the usage error.
std::string ParseOptions(int argc, const char* const* argv, SimOptions& options);

// The --help text.
const char* Usage();

}  // namespace navoro::sim
