#include "tools/sim/StandardTransponder.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "codec/Router.h"
#include "tools/sim/SentenceText.h"

namespace navoro::sim {

namespace {

using UnitOutcome = StandardTransponder::Outcome;
using UnitResult = StandardTransponder::Result;

// The longest line the unit reads or sends, CR LF included.
constexpr std::size_t kLineMax = 82;

// A half second of slack for the periodic lines, whose ticks come a few
// milliseconds early or late.
constexpr double kSlack = 0.5;

// The NAK reason codes the unit gives.
constexpr int kFormatterNotSupported = 1;
constexpr int kTemporarilyUnavailable = 3;
constexpr int kQueryNotSupported = 4;
constexpr int kDataFieldProblem = 11;

// Formatters of the presentation interface that the unit takes or sends but
// does not answer a query for.
constexpr const char* kKnownNotQueried[] = {"ABK", "ABM", "ACK", "ACS", "AIR", "BBM", "LRF", "LRI",
                                            "LR1", "LR2", "LR3", "NAK", "TXT", "VDM", "VDO"};

// Sensor sentences the unit takes silently (its position, heading and
// rate-of-turn inputs).
constexpr const char* kSensorInputs[] = {"DTM", "GBS", "GGA", "GLL", "GNS", "GSA",
                                         "GST", "GSV", "HDG", "HDT", "OSD", "RMC",
                                         "ROT", "THS", "VBW", "VTG", "ZDA"};

template <std::size_t N>
bool Listed(const char* const (&list)[N], const std::string& formatter) {
    return std::any_of(std::begin(list), std::end(list),
                       [&](const char* name) { return formatter == name; });
}

// The standard alarm texts of Class A transponders.
struct AlarmName {
    int Id;
    const char* Text;
};
constexpr AlarmName kAlarmNames[] = {
    {1, "AIS: TX MALFUNCTION"},
    {2, "AIS: ANTENNA VSWR EXCEEDS LIMIT"},
    {3, "AIS: RX CHANNEL 1 MALFUNCTION"},
    {4, "AIS: RX CHANNEL 2 MALFUNCTION"},
    {5, "AIS: RX CHANNEL 70 MALFUNCTION"},
    {6, "AIS: GENERAL FAILURE"},
    {8, "AIS: MKD CONNECTION LOST"},
    {25, "AIS: EXTERNAL EPFS LOST"},
    {26, "AIS: NO SENSOR POSITION IN USE"},
    {29, "AIS: NO VALID SOG INFORMATION"},
    {30, "AIS: NO VALID COG INFORMATION"},
    {32, "AIS: HEADING LOST/INVALID"},
    {35, "AIS: NO VALID ROT INFORMATION"},
};

// hhmmss.00 of a UTC second.
std::string UtcTime(std::int64_t utc) {
    const std::int64_t day = ((utc % 86400) + 86400) % 86400;
    return Format("%02d%02d%02d.00", static_cast<int>(day / 3600), static_cast<int>(day / 60 % 60),
                  static_cast<int>(day % 60));
}

// A note as a NAK text: upper case, no character that would break the
// sentence, at most 40 characters.
std::string NakText(std::string_view note) {
    std::string text;
    for (const char c : note) {
        if (text.size() >= 40) break;
        if (c == ',' || c == '*' || c == '$' || c == '!' || c < ' ' || c > '~') {
            text += ' ';
        } else {
            text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return text;
}

UnitResult MakeResult(UnitOutcome what, std::string note) {
    UnitResult r;
    r.What = what;
    r.Note = std::move(note);
    return r;
}

}  // namespace

std::string AlarmText(int id) {
    for (const AlarmName& name : kAlarmNames)
        if (name.Id == id) return name.Text;
    return Format("AIS: ALARM %03d", id);
}

StandardTransponder::StandardTransponder(Codec& codec, DeviceState state, Setup setup)
    : codec_(codec), device_(codec, std::move(state)), setup_(std::move(setup)) {
    for (const AlarmPlan& plan : setup_.Alarms) {
        Alarm alarm;
        alarm.Plan = plan;
        alarms_.push_back(alarm);
    }
}

int StandardTransponder::NextSequence() {
    const int id = sequence_;
    sequence_ = (sequence_ + 1) % 10;
    return id;
}

UnitResult StandardTransponder::HandleLine(std::string_view received, double now) {
    std::string line(received);
    if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) line += "\r\n";
    if (line.size() > kLineMax)
        return MakeResult(UnitOutcome::kIgnored, "longer than 82 characters");
    SplitSentence s;
    if (!Split(line, s)) {
        return MakeResult(UnitOutcome::kIgnored, "not a framed sentence (line end or checksum)");
    }
    if (s.Start != '$') return MakeResult(UnitOutcome::kIgnored, "not a command");
    if (s.Address[0] == 'P') return MakeResult(UnitOutcome::kIgnored, "proprietary sentence");
    if (s.Address.size() != 5) return MakeResult(UnitOutcome::kIgnored, "not a standard address");
    const std::string talker = s.Address.substr(0, 2);

    char buffer[kExpandBufferSize];
    CopyText(buffer, line.c_str());
    const bool parsed = ParseSentence(codec_.Tok, buffer, codec_.Received);

    // Query: requester, target and 'Q' ($ECAIQ,SSD).
    if (s.Address[4] == 'Q') {
        if (s.Address.compare(2, 2, "AI") != 0) {
            return MakeResult(UnitOutcome::kIgnored, "query for another unit");
        }
        if (!parsed) {
            return Refuse(talker, "", kDataFieldProblem, "MALFORMED QUERY", "malformed query");
        }
        return Query(talker, codec_.Received.Query.Queried, now);
    }

    const std::string formatter = s.Address.substr(2);
    if (formatter == "SSD" || formatter == "VSD") {
        UnitResult r = device_.HandleLine(line, now);
        if (r.What == UnitOutcome::kRefused) {
            return Refuse(talker, formatter, kDataFieldProblem, NakText(r.Note), r.Note);
        }
        return r;
    }
    if (formatter == "ACK") {
        if (!parsed || codec_.Received.Ack.AlarmId < 0 || codec_.Received.Ack.AlarmId >= 1000) {
            return Refuse(talker, formatter, kDataFieldProblem, "ALARM ID IS NOT 0-999",
                          "ACK without an alarm identifier");
        }
        const int id = codec_.Received.Ack.AlarmId;
        for (Alarm& alarm : alarms_) {
            if (alarm.Plan.Id != id || !alarm.Started) continue;
            alarm.Acknowledged = true;
            UnitResult r =
                MakeResult(UnitOutcome::kAnswered, Format("alarm %03d acknowledged", id));
            r.Replies.push_back(AlarmLine(alarm));
            return r;
        }
        return MakeResult(UnitOutcome::kIgnored,
                          Format("ACK for alarm %03d, which is not raised", id));
    }
    if (Listed(kSensorInputs, formatter)) return MakeResult(UnitOutcome::kIgnored, "sensor input");
    return Refuse(talker, formatter, kFormatterNotSupported, "SENTENCE FORMATTER NOT SUPPORTED",
                  formatter + " is not supported");
}

UnitResult StandardTransponder::Query(const std::string& talker, const std::string& formatter,
                                      double now) {
    UnitResult r = MakeResult(UnitOutcome::kAnswered, "query " + formatter);
    if (formatter == "VER") {
        r.Replies = VersionLines();
    } else if (formatter == "SSD" || formatter == "VSD") {
        // The maker's unit answers SSD with both antennas; this unit reports
        // the one of its internal position source.
        const UnitResult answer =
            device_.HandleLine(Finish("$" + talker + "AIQ," + formatter), now);
        if (!answer.Replies.empty()) r.Replies.push_back(answer.Replies.front());
    } else if (formatter == "ALR") {
        for (const Alarm& alarm : alarms_)
            if (alarm.Started) r.Replies.push_back(AlarmLine(alarm));
        // No alarm yet: one ALR without an alarm.
        if (r.Replies.empty()) r.Replies.push_back(Finish("$AIALR,,,,,"));
    } else if (formatter == "TRL") {
        r.Replies = TrlLines();
    } else if (formatter == "ACA") {
        if (!setup_.Aca) {
            return Refuse(talker, formatter, kTemporarilyUnavailable,
                          "NO REGIONAL CHANNEL SETTINGS STORED", "no ACA region");
        }
        r.Replies.push_back(AcaLine());
    } else if (Listed(kKnownNotQueried, formatter)) {
        return Refuse(talker, formatter, kQueryNotSupported, "QUERY NOT SUPPORTED",
                      "query for " + formatter + " is not supported");
    } else {
        return Refuse(talker, formatter, kFormatterNotSupported, "SENTENCE FORMATTER NOT SUPPORTED",
                      formatter + " is not supported");
    }
    return r;
}

std::vector<std::string> StandardTransponder::VersionLines() {
    const DeviceState& s = State();
    SentenceRecord record{};
    VerRecord& v = record.Ver;
    v.Total = 1;
    v.Number = 1;
    CopyText(v.DeviceType, "AI");
    CopyText(v.VendorId, kVendorId);
    CopyText(v.UniqueId, s.SerialNumber.c_str());
    CopyText(v.SerialNumber, s.SerialNumber.c_str());
    CopyText(v.ModelCode, kModelCode);
    CopyText(v.SoftwareRevision, s.Firmware.c_str());
    CopyText(v.HardwareRevision, kHardwareRevision);
    v.SequenceId = static_cast<std::int8_t>(NextSequence());
    char buffer[kComposeBufferSize];
    if (ComposeRecord(record, buffer, sizeof buffer, "VER", "AI") &&
        std::strlen(buffer) <= kLineMax) {
        return {buffer};
    }
    // Too long for one sentence: the identity in the first, the revisions in
    // the second.
    std::vector<std::string> lines;
    const VerRecord whole = v;
    v.Total = 2;
    v.SoftwareRevision[0] = '\0';
    v.HardwareRevision[0] = '\0';
    if (ComposeRecord(record, buffer, sizeof buffer, "VER", "AI")) lines.push_back(buffer);
    v = VerRecord{};
    v.Total = 2;
    v.Number = 2;
    CopyText(v.DeviceType, "AI");
    std::memcpy(v.SoftwareRevision, whole.SoftwareRevision, sizeof v.SoftwareRevision);
    std::memcpy(v.HardwareRevision, whole.HardwareRevision, sizeof v.HardwareRevision);
    v.SequenceId = whole.SequenceId;
    if (ComposeRecord(record, buffer, sizeof buffer, "VER", "AI")) lines.push_back(buffer);
    return lines;
}

std::string StandardTransponder::AlarmLine(const Alarm& alarm) const {
    return Finish(Format("$AIALR,%s,%03d,%c,%c,%s", UtcTime(alarm.Changed).c_str(), alarm.Plan.Id,
                         alarm.Raised ? 'A' : 'V', alarm.Acknowledged ? 'A' : 'V',
                         AlarmText(alarm.Plan.Id).c_str()));
}

std::vector<std::string> StandardTransponder::TrlLines() {
    // Total entries, entry number, sequential identifier, switch-off date
    // (ddmmyyyy) and time, switch-on date and time, reason code 1-5.
    const int total = setup_.TrlEntries;
    if (total == 0) return {Finish("$AITRL,0,,,,,,,")};
    const int sequence = NextSequence();
    std::vector<std::string> lines;
    for (int i = 1; i <= total; ++i) {
        lines.push_back(
            Finish(Format("$AITRL,%d,%d,%d,%02d032026,%02d0000.00,%02d032026,"
                          "%02d3000.00,%d",
                          total, i, sequence, i, 7 + i, i, 7 + i, (i - 1) % 5 + 1)));
    }
    return lines;
}

std::string StandardTransponder::AcaLine() const {
    // One region around the German Bight, channels 2087 and 2088 at full
    // bandwidth, transmitting and receiving on both, high power, set by an
    // ACA sentence (C) and in use; the time of its change is not kept (the
    // whole line would not fit in 82 characters).
    return Finish("$AIACA,0,5500.00,N,00900.00,E,5300.00,N,00600.00,E,5,2087,0,2088,0,0,0,C,1,");
}

std::string StandardTransponder::StatusLine() const {
    return Finish("$AITXT,01,01,025,INTERNAL GNSS IN USE");
}

std::string StandardTransponder::Nak(const std::string& talker, const std::string& formatter,
                                     int reason, std::string_view text) const {
    SentenceRecord record{};
    NakRecord& n = record.Nak;
    CopyText(n.Talker, talker.c_str());
    CopyText(n.Formatter, formatter.c_str());
    CopyText(n.UniqueId, State().SerialNumber.c_str());
    n.Reason = static_cast<std::int16_t>(reason);
    CopyText(n.Text, std::string(text).c_str());
    char buffer[kComposeBufferSize];
    if (ComposeRecord(record, buffer, sizeof buffer, "NAK", "AI")) return buffer;
    // A formatter or talker that cannot stand in a field: refused without it.
    n.Talker[0] = '\0';
    n.Formatter[0] = '\0';
    if (ComposeRecord(record, buffer, sizeof buffer, "NAK", "AI")) return buffer;
    return {};
}

UnitResult StandardTransponder::Refuse(const std::string& talker, const std::string& formatter,
                                       int reason, std::string_view text, std::string note) const {
    UnitResult r = MakeResult(UnitOutcome::kRefused, std::move(note));
    std::string nak = Nak(talker, formatter, reason, text);
    if (!nak.empty()) r.Replies.push_back(std::move(nak));
    return r;
}

std::vector<std::string> StandardTransponder::Tick(double now, std::int64_t utc) {
    std::vector<std::string> lines;
    for (Alarm& alarm : alarms_) {
        const bool raise = now >= alarm.Plan.Start && (alarm.Plan.End < 0 || now < alarm.Plan.End);
        if (raise != alarm.Raised) {
            alarm.Raised = raise;
            alarm.Started = true;
            if (raise) alarm.Acknowledged = false;
            alarm.Changed = utc;
        } else if (!alarm.Started || now < alarm.LastSent + kAlarmPeriod - kSlack) {
            continue;
        }
        alarm.LastSent = now;
        lines.push_back(AlarmLine(alarm));
    }
    if (lastStatus_ < 0 || now >= lastStatus_ + kStatusPeriod - kSlack) {
        lastStatus_ = now;
        lines.push_back(StatusLine());
    }
    return lines;
}

}  // namespace navoro::sim
