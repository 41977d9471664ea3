#pragma once

// What a port delivered while the connection waited for the transponder's
// information dump, and what that says about the device at the far end.
//
//   TrafficTally tally;
//   every received line ("...\r\n")  -> tally.Take(line);
//   the probe's time is over         -> tally.Verdict();
//
// Only well-formed sentences (start character, a five-character address, the
// right checksum at the end) say anything about the device: a line at the
// wrong rate practically never is one. Our own probe and any query coming back
// (an echoing cable) say nothing.

#include <cstddef>
#include <string_view>

namespace navoro {

// One received line, as evidence.
enum class LineEvidence {
    Nothing,      // an empty line, other plain text, our probe or a query echoed back
    Unframed,     // not a well-formed sentence: broken checksum, no checksum, bytes at a wrong rate
    DumpEnd,      // the last line of our maker's information dump
    DumpText,     // another line of that dump ("[DEVICE DATA BEGIN]", "MMSI:(...)", ...)
    Transponder,  // a transponder's sentence: AIS encapsulation (VDO, VDM) or any of talker AI
    ProbeRefused,   // the transponder's NAK of our probe: it will never send the dump
    Gnss,           // a GNSS receiver's sentence (talkers GP, GN, GL, GA, GB, BD, GQ, GI)
    OtherSentence,  // a well-formed sentence of another instrument
};

// What the whole attempt (or one rate of automatic detection) says.
enum class PortTraffic {
    Silence,                 // no line at all
    Unreadable,              // lines, but no well-formed sentence (a wrong rate, noise, text)
    ProprietaryTransponder,  // the information dump ended: our maker's transponder
    DumpUnfinished,          // our maker's dump began but did not end (it is no other's)
    StandardTransponder,     // a transponder's well-formed sentences, but no dump
    NotATransponder,         // well-formed sentences, none a transponder's (a GNSS receiver ...)
};

// The end of the information dump: "[DEVICE DATA END]" in a line that is not
// a sentence carrying it as a field (a line "line\r\n" or without line end).
bool IsDumpEnd(std::string_view line);

LineEvidence ClassifyLine(std::string_view line);

class TrafficTally {
  public:
    void Take(std::string_view line);
    void Clear() { *this = TrafficTally{}; }

    PortTraffic Verdict() const;
    // The transponder said it does not take our probe: no dump will come.
    bool ProbeRefused() const { return refusals_ > 0; }

    std::size_t Lines() const { return lines_; }
    std::size_t TransponderSentences() const { return transponder_; }
    std::size_t GnssSentences() const { return gnss_; }

  private:
    std::size_t lines_ = 0;
    std::size_t dumpEnds_ = 0;
    std::size_t dumpText_ = 0;
    std::size_t transponder_ = 0;
    std::size_t refusals_ = 0;
    std::size_t gnss_ = 0;
    std::size_t other_ = 0;
};

}  // namespace navoro
