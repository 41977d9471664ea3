#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/DeviceState.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/Transponder.h"

namespace navoro {
struct Codec;
}

namespace navoro::sim {

// Any maker's Class A transponder as seen through the standard sentences of
// its presentation interface only: it answers the queries for VER, SSD, VSD,
// ALR, TRL and ACA, takes SSD and VSD writes (with the limits of the maker's
// own unit) and ACK, and refuses every other query or sentence with a NAK.
// Proprietary sentences, the maker's probe among them, go unanswered.
//
// Besides the replies it keeps an alarm timeline and a status text: Tick,
// called once a second, gives the ALR of each alarm at every change and every
// 30 seconds, and the TXT status every minute. Pure logic: no I/O, no clock.
class StandardTransponder {
  public:
    using Outcome = Transponder::Outcome;
    using Result = Transponder::Result;

    // What the unit answers besides its state.
    struct Setup {
        std::vector<AlarmPlan> Alarms;
        int TrlEntries = 0;  // entries of the transmitter non-functioning log
        bool Aca = false;    // holds one region of channel management
    };

    // An alarm of the timeline and where it stands.
    struct Alarm {
        AlarmPlan Plan;
        bool Started = false;  // raised at least once
        bool Raised = false;
        bool Acknowledged = false;
        std::int64_t Changed = -1;  // UTC second of the last change
        double LastSent = 0;        // time of its last ALR
    };

    // The unit's vendor ID in VER, and the seconds between the periodic lines.
    static constexpr const char* kVendorId = "SIM";
    static constexpr const char* kModelCode = "SIM-A";
    static constexpr const char* kHardwareRevision = "1.0";
    static constexpr double kAlarmPeriod = 30;
    static constexpr double kStatusPeriod = 60;

    // `codec` parses what the unit receives and composes its replies; it must
    // outlive the unit.
    StandardTransponder(Codec& codec, DeviceState state, Setup setup);
    StandardTransponder(const StandardTransponder&) = delete;
    StandardTransponder& operator=(const StandardTransponder&) = delete;

    // Handles one received line (with or without its CR LF). `now` is the
    // time in seconds since the start, as Tick gets it.
    Result HandleLine(std::string_view line, double now);

    // Moves the alarm timeline to `now` (seconds since the start) in the UTC
    // second `utc` and returns the ALR and TXT lines due, with CR LF.
    std::vector<std::string> Tick(double now, std::int64_t utc);

    const DeviceState& State() const { return device_.State(); }
    const std::vector<Alarm>& Alarms() const { return alarms_; }

  private:
    Result Query(const std::string& talker, const std::string& formatter, double now);
    std::vector<std::string> VersionLines();
    std::string AlarmLine(const Alarm& alarm) const;
    std::vector<std::string> TrlLines();
    std::string AcaLine() const;
    std::string StatusLine() const;
    std::string Nak(const std::string& talker, const std::string& formatter, int reason,
                    std::string_view text) const;
    Result Refuse(const std::string& talker, const std::string& formatter, int reason,
                  std::string_view text, std::string note) const;
    int NextSequence();

    Codec& codec_;
    // The writes and the SSD and VSD replies: the maker's unit, whose limits
    // the standard writes share.
    Transponder device_;
    Setup setup_;
    std::vector<Alarm> alarms_;
    double lastStatus_ = -1;
    int sequence_ = 0;
};

// The standard text of an alarm ("AIS: TX MALFUNCTION" for 1), or a generic one.
std::string AlarmText(int id);

}  // namespace navoro::sim
