#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace navoro {

// Inland mode describes the ship's size and antenna positions in tenths of a
// metre. The user enters length, beam and the B and C distances of both
// antennas; A and D follow from them so that A + B is the length and C + D the
// beam for both antennas.

// The longest text of a decimal field and the text shown before the
// transponder has said anything. The largest value is the SHIP DATA tab's.
inline constexpr int kInlandFieldLength = 5;
inline constexpr const char* kInlandInitialText = "xxx.x";

// A decimal field's text in tenths: the text as a number (0 when it is not a
// number) x 10 + 0.5, fraction discarded. Values beyond the field's range do
// not occur in a field of five characters; the result is kept within int.
int ReadTenths(std::string_view text);

// Tenths as metres with one decimal, "%04.1f": 52 -> "05.2", 1100 -> "110.0".
std::string FormatTenths(int tenths);

// Nothing where the field shows no value ("xxx.x", empty).
struct InlandInputs {
    std::optional<int> Length, Beam;          // L, W
    std::optional<int> InternalB, InternalC;  // Bi, Ci
    std::optional<int> ExternalB, ExternalC;  // Be, Ce
};

struct InlandDerived {
    std::optional<std::string> Length;  // set when the length had to grow
    std::optional<std::string> Beam;    // set when the beam had to grow
    std::string InternalA, ExternalA;
    std::string InternalD, ExternalD;
};

// A = L - B and D = W - C for both antennas. A B (or C) beyond the length (or
// beam) raises the length (beam) to the larger of the two antennas' B (C);
// the antenna with that larger value then shows "000.0". Only values that are
// shown take part: without a length (beam) nothing is raised and both A (D)
// show "xxx.x", and an antenna without its B (C) shows "xxx.x" as its A (D).
InlandDerived RecalcInlandDimensions(const InlandInputs& in);

struct FilteredText {
    std::string Text;
    int Caret;
};

// Keeps digits and the first point of `text`, with at most `decimals` digits
// after the point (the rest of the text is dropped from the first digit too
// many). Every other character is dropped; the caret moves left by one for
// each character dropped in front of it and stays within the new text.
//   ("12.34", 1) -> "12.3"    ("1a2.5", 1) -> "12.5"    ("5.1", 0) -> "5."
FilteredText FilterNumericText(std::string_view text, int caret, int decimals);

// What a decimal field holds after a key: nothing when it is empty; otherwise
// the filtered text, or the largest inland value (800.0) when it reads above it.
std::optional<FilteredText> InlandFieldAfterKey(std::string_view text, int caret);

// What Edit_N2K_DeviceInstance holds after a key: the filtered text (no
// decimals), or "0" when it reads above the largest device instance; an empty text or a lone point
// is left as it is.
FilteredText DeviceInstanceAfterKey(std::string_view text, int caret);

}  // namespace navoro
