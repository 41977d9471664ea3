#include "link/PortTraffic.h"

#include <algorithm>

#include "codec/Framing.h"

namespace navoro {

namespace {

// Longest sentence: 82 characters with CR LF.
constexpr std::size_t kLongestSentenceBody = 80;

bool IsAddressLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

int ChecksumDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "$" or "!", the address, the fields, "*hh" last; the checksum
// right (upper-case digits, as the codec takes them).
bool IsWellFormedSentence(std::string_view body) {
    if (body.size() < 9 || body.size() > kLongestSentenceBody) return false;
    if (body[0] != '$' && body[0] != '!') return false;
    // The address: five characters; a proprietary one ("$PSRF150") may be longer.
    std::size_t address = 1;
    while (address < body.size() && IsAddressLetter(body[address]))
        ++address;
    if (body[1] == 'P' ? address < 5 : address != 6) return false;
    if (body[address] != ',' && body[address] != '*') return false;
    // One '*', three characters from the end (the codec reads the checksum
    // after the first).
    const std::size_t star = body.size() - 3;
    if (body.find('*') != star) return false;
    const int high = ChecksumDigit(body[star + 1]);
    const int low = ChecksumDigit(body[star + 2]);
    if (high < 0 || low < 0) return false;
    return static_cast<unsigned char>(high * 16 + low) ==
           ChecksumOf(body.data() + 1, body.data() + star);
}

// The n-th field (1 = the first after the address) of a well-formed sentence.
std::string_view SentenceFieldAt(std::string_view body, int n) {
    const std::size_t end = body.size() - 3;  // the '*'
    if (body[6] != ',') return {};
    std::size_t start = 6;  // the comma before field 1
    for (int i = 1; i < n; ++i) {
        start = body.find(',', start + 1);
        if (start == std::string_view::npos || start >= end) return {};
    }
    const std::size_t next = body.find_first_of(",*", start + 1);
    return body.substr(start + 1, std::min(next, end) - start - 1);
}

// The key texts of the information dump's lines, which no sentence carries.
bool IsDumpText(std::string_view line) {
    for (std::string_view key : {"[DEVICE DATA BEGIN]", "Firmware:", "S/N:(", "MMSI:(", "IMO:("}) {
        if (line.find(key) != std::string_view::npos) return true;
    }
    return false;
}

bool IsGnssTalker(std::string_view talker) {
    for (std::string_view gnss : {"GP", "GN", "GL", "GA", "GB", "BD", "GQ", "GI"}) {
        if (talker == gnss) return true;
    }
    return false;
}

}  // namespace

bool IsDumpEnd(std::string_view line) {
    return line.find("[DEVICE DATA END]") != std::string_view::npos &&
           line.find("!AI") == std::string_view::npos && line.find("$GP") == std::string_view::npos;
}

LineEvidence ClassifyLine(std::string_view line) {
    // The text stops at a NUL, as the line's C string does.
    line = line.substr(0, line.find('\0'));
    if (IsDumpEnd(line)) return LineEvidence::DumpEnd;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (line.empty()) return LineEvidence::Nothing;
    if (line[0] != '$' && line[0] != '!') {
        // Plain text (the dump's lines) is readable, bytes at a wrong rate are not.
        for (const char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 || u > 0x7E) && c != '\t') return LineEvidence::Unframed;
        }
        return IsDumpText(line) ? LineEvidence::DumpText : LineEvidence::Nothing;
    }
    if (!IsWellFormedSentence(line)) return LineEvidence::Unframed;

    const std::string_view talker = line.substr(1, 2);
    const std::string_view formatter = line.substr(3, 3);
    if (line[1] == 'P') {
        // Our probe ($PTST) echoed back says nothing; any other maker's
        // proprietary sentence is some instrument's.
        return line.substr(2, 3) == "TST" ? LineEvidence::Nothing : LineEvidence::OtherSentence;
    }
    // A query ("$ECAIQ,VER", "$AIAIQ,SSD") comes from a controller, or is ours
    // echoed back.
    if (line[5] == 'Q') return LineEvidence::Nothing;
    if (line[0] == '!' && (formatter == "VDM" || formatter == "VDO"))
        return LineEvidence::Transponder;
    if (talker == "AI") {
        // $AINAK,<talker>,<formatter>,...: the sentence it refuses.
        if (formatter == "NAK") {
            const std::string_view refused = SentenceFieldAt(line, 2);
            if (refused == "TST" || refused == "PTST") return LineEvidence::ProbeRefused;
        }
        return LineEvidence::Transponder;
    }
    if (IsGnssTalker(talker)) return LineEvidence::Gnss;
    return LineEvidence::OtherSentence;
}

void TrafficTally::Take(std::string_view line) {
    ++lines_;
    switch (ClassifyLine(line)) {
        case LineEvidence::Nothing:
        case LineEvidence::Unframed:
            break;
        case LineEvidence::DumpEnd:
            ++dumpEnds_;
            break;
        case LineEvidence::DumpText:
            ++dumpText_;
            break;
        case LineEvidence::Transponder:
            ++transponder_;
            break;
        case LineEvidence::ProbeRefused:
            ++refusals_;
            ++transponder_;
            break;
        case LineEvidence::Gnss:
            ++gnss_;
            break;
        case LineEvidence::OtherSentence:
            ++other_;
            break;
    }
}

PortTraffic TrafficTally::Verdict() const {
    if (dumpEnds_ > 0) return PortTraffic::ProprietaryTransponder;
    // A transponder that began our maker's dump is ours, whatever else it sends.
    if (dumpText_ > 0) return PortTraffic::DumpUnfinished;
    if (transponder_ > 0) return PortTraffic::StandardTransponder;
    if (gnss_ + other_ > 0) return PortTraffic::NotATransponder;
    if (lines_ > 0) return PortTraffic::Unreadable;
    return PortTraffic::Silence;
}

}  // namespace navoro
