#pragma once

#include <string>
#include <string_view>

namespace navoro {

// The two degree marks a position text may carry: the one-byte sign B0 and the
// two-byte Big5 sign A2 58.
inline constexpr std::string_view kDegreeSign = "\xB0";
inline constexpr std::string_view kBig5DegreeSign = "\xA2\x58";

// Latitude/longitude texts. lon and lat are degrees, east and north positive;
// lonText gets the longitude, latText the latitude. The degrees are printed
// right-aligned in three characters, followed by the mark (Big5 when mark is 1,
// and always in style 3, otherwise B0):
//   style 1: " 25°30'N"              degrees, whole minutes
//   style 2: " 25°30'00\"N"          degrees, minutes, seconds
//   style 3: " 25°30.0000'N"         degrees, minutes with four decimals
//   other:   " 25°N"                 degrees
// Every part is truncated toward zero, not rounded. The texts are bytes (the
// marks above); DegreeSignsToUtf8 turns them into display text.
void FormatPosition(std::string& lonText, std::string& latText, double lon, double lat, int style,
                    int mark);

// A byte text of this program (ASCII with the degree marks above, other bytes
// as Latin-1) as UTF-8, with both degree marks shown as U+00B0.
std::string DegreeSignsToUtf8(std::string_view bytes);

}  // namespace navoro
