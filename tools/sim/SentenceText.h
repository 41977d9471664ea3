#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codec/TextFormat.h"

namespace navoro::sim {

// Small text helpers for the sentences the simulator reads and writes.

// printf into a string of any length.
using navoro::Format;

// "$GPZDA,..." -> "$GPZDA,...*hh\r\n" (the codec's AppendChecksum).
std::string Finish(std::string_view body);

// A framed sentence cut into its address field and its fields.
struct SplitSentence {
    char Start = 0;                   // '$' or '!'
    std::string Address;              // "PLMO", "AIAIQ", "ECSSD", ...
    std::vector<std::string> Fields;  // the fields after the address, in order
};

// True when `line` (with its CR LF) passes the codec's framing check (line
// end and checksum) and begins with '$' or '!'.
bool Split(std::string_view line, SplitSentence& out);

// A strictly read number field: Empty for an empty field, Ok when the whole
// field is a number of the expected form.
struct Number {
    bool Empty = false;
    bool Ok = false;
    long Value = 0;
};

// An optional '-' and 1 to 10 digits.
Number WholeNumber(std::string_view field);

// Digits with an optional point and decimals ("7.2", "110.0", "12"), as tenths
// rounded half up; at most 6 digits before the point.
Number Tenths(std::string_view field);

// Characters as pairs of upper-case hexadecimal digits ("AB" -> "4142"), and
// back; false for an odd length or a character that is not a hex digit.
std::string HexEncode(std::string_view text);
bool HexDecode(std::string_view hex, std::string& text);

}  // namespace navoro::sim
