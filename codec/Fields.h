#pragma once

#include <cstddef>
#include <cstdint>

namespace navoro {

// Field tokenizer and field conversions shared by every sentence parser.
//
// After ExpandEmptyFields an empty field is the one-blank text " "; parsers
// test for it with IsBlank (numeric and one-character fields) or IsBlankText
// (text fields, which then become the empty text).

// Not-available values shared by many fields: 0x80 for byte-sized codes,
// -100000 for reals.
inline constexpr std::int8_t kBlankByte = -128;
inline constexpr float kBlankReal = -100000.0f;

// The longest text ExpandEmptyFields produces, and the buffer it needs.
inline constexpr std::size_t kExpandedTextMax = 98;
inline constexpr std::size_t kExpandBufferSize = 100;

// '0' to '9', whatever the locale.
inline constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Inserts a blank after every ',' that is followed by ',' or '*'. False, text
// unchanged, when the result would reach 99 characters. `text` must have room
// for kExpandBufferSize bytes.
bool ExpandEmptyFields(char* text);

// True when the text holds exactly n commas (false for every n when it holds none).
bool CountFields(const char* text, int n);

// The tokenizer: remembers its position between calls.
class Tokenizer {
  public:
    // Starts at `text` (when non-null) or continues at the remembered position.
    // Cuts the next field at `delimiter` and returns it with leading blanks
    // skipped (a field of blanks only is returned as it is); nullptr when no
    // delimiter follows, which also forgets the position.
    char* NextField(char* text, char delimiter);

  private:
    char* position_ = nullptr;
};

inline bool IsBlank(const char* field) {
    return field[0] == ' ';
}
inline bool IsBlankText(const char* field) {
    return field[0] == ' ' && field[1] == '\0';
}

// atol: optional white space and sign, digits up to the first other character;
// 0 when there are none. Saturates like strtol; callers truncate to their width.
long Atol(const char* text);

// atof: optional white space, a decimal number with sign, fraction and exponent;
// 0 when there is none.
double Atof(const char* text);

// trunc(value) as an integer, defined for every input: NaN gives 0 and values
// beyond the 64-bit range saturate. Callers truncate further to their width.
std::int64_t TruncToInt(double value);

// Copies at most size-1 characters of `src` into `dst` and terminates it.
void CopyText(char* dst, std::size_t size, const char* src);
template <std::size_t N>
void CopyText(char (&dst)[N], const char* src) {
    CopyText(dst, N, src);
}

struct TimeOfDay {
    std::uint8_t Hour;
    std::uint8_t Minute;
    std::uint8_t Second;
    std::uint8_t Hundredths;
};

struct DateOfYear {
    std::uint16_t Year;
    std::uint8_t Month;
    std::uint8_t Day;
};

struct LatLon {
    float Lat;
    float Lon;
};

// hhmmss.ss -> hour, minute, second, hundredths; a blank gives 24, 60, 60 and
// keeps the hundredths. Returns the next field.
char* ParseTime(Tokenizer& tok, const char* field, TimeOfDay& time);
void ConvertTime(const char* field, TimeOfDay& time);

// Latitude, N/S, longitude, E/W -> degrees (91.0 / 181.0 when blank or beyond
// the limit, negated for S / W). Returns the field after E/W.
char* ParseLatLon(Tokenizer& tok, const char* latitude, LatLon& position);
// The same conversion from the four fields; a null hemisphere negates nothing
// and a null longitude reads as blank.
void ConvertLatLon(const char* latitude, const char* north_south, const char* longitude,
                   const char* east_west, LatLon& position);

// ddmmyy -> year 20yy, month, day; a blank gives 0, 0, 0. Returns the next field.
char* ParseDate(Tokenizer& tok, const char* field, DateOfYear& date);
void ConvertDate(const char* field, DateOfYear& date);

// True when a numeric field holds a number at all: after optional white space
// and sign, a digit (or a point followed by a digit). A field of letters does
// not convert; the parsers then store the field's not-available value.
bool Converts(const char* field);

// Upper-case hex digits -> byte (the running value kept in 8 bits); false on
// any other character. An empty text gives 0.
bool ParseHexByte(const char* text, std::uint8_t& byte);

// dddmm.mmmm -> degrees; above `limit` gives limit + 1.
float NmeaToDegrees(double value, float limit);

struct NmeaAngle {
    int Degrees;
    int Minutes;
    int Fraction;  // the minutes' five decimals as an integer
};
NmeaAngle DegreesToNmea(float degrees);

}  // namespace navoro
