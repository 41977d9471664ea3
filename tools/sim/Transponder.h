#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/DeviceState.h"
#include "tools/sim/SentenceText.h"

namespace navoro {
struct Codec;
}

namespace navoro::sim {

// The configuration side of the simulated transponder: answers the status
// request and the queries, applies the configuration writes and the
// maintenance commands to its state. Pure logic: no I/O, no clock (the caller
// passes the time), so tests drive it line by line.
class Transponder {
  public:
    enum class Outcome {
        kIgnored,   // not a sentence, not framed, or not one the device knows
        kAnswered,  // a query or status request; the replies are in Result
        kApplied,   // a write that changed (or confirmed) the state
        kRefused,   // a write with a malformed or out-of-range value: state unchanged
    };

    struct Result {
        Outcome What = Outcome::kIgnored;
        std::string Note;                  // what was done, or why not
        std::vector<std::string> Replies;  // complete lines with CR LF
        bool RateChanged = false;          // the configuration port's rate changed
    };

    // `codec` parses what the device receives and composes its SSD and VSD
    // replies; it must outlive the transponder.
    Transponder(Codec& codec, DeviceState state);
    Transponder(const Transponder&) = delete;
    Transponder& operator=(const Transponder&) = delete;

    // Handles one received line (with or without its CR LF). `now` is a
    // monotonic time in seconds; it separates one MOB list write from the next.
    Result HandleLine(std::string_view line, double now);

    // The information dump: text lines with CR LF, ending with the
    // "[DEVICE DATA END]" line unless that is switched off.
    std::vector<std::string> InformationDump() const;

    const DeviceState& State() const { return state_; }

    // The rate the configuration port runs at now. It follows the configured
    // rate of port -1 at start, at the restart command (DBG 701 with 1000)
    // and at a factory restore.
    int ConfigPortRate() const { return activeRate_; }

    // Leaves the "[DEVICE DATA END]" line out of the dump (a fault for tests).
    void SetDumpEnd(bool on) { dumpEnd_ = on; }

  private:
    Result Query(std::string_view formatter);
    std::string Compose(const char* formatter);
    std::string ComposeSsd(const Antenna& antenna, const char* source);
    std::string ComposeVsd();
    Result WriteSsd(const std::vector<std::string>& args);
    Result WriteVsd(const std::vector<std::string>& args);
    Result WriteMid(const std::vector<std::string>& args);
    Result WriteDbg(const std::vector<std::string>& args);
    Result WriteBau(const std::vector<std::string>& args);
    Result WriteClr(const std::vector<std::string>& args);
    Result WriteDes(const std::vector<std::string>& args, bool parsed);
    Result WriteMbl(const std::vector<std::string>& args, bool parsed, double now);
    Result WriteCek(const std::vector<std::string>& args);
    Result WriteTps(const std::vector<std::string>& args);
    Result WriteInlandSsd(const std::vector<std::string>& args);
    Result StatusRequest();
    bool CodecParse(const std::string& line);

    Codec& codec_;
    DeviceState state_;
    int activeRate_;
    bool dumpEnd_ = true;
    bool lastWasMbl_ = false;
    double lastMblTime_ = 0;
    bool newMobList_ = true;
};

}  // namespace navoro::sim
