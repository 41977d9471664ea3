#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/Fields.h"

namespace navoro {

// The value of a hex digit, or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads the fields of one sentence in order with the shared tokenizer: checks
// the exact field count, skips the address field, takes every field but the
// last up to ',' and the last one up to '*'.
//
// A field that is missing (possible only in a malformed line, for example one
// with a '*' before its last comma) reads as a blank and marks the reader
// failed, so a parser never follows a null field and rejects such a line.
//
// A numeric field with a not-available value gives that value when it is
// blank and also when it holds no number at all (letters where digits belong).
class FieldReader {
  public:
    FieldReader(Tokenizer& tok, char* text, int count) : tok_(tok), left_(count) {
        ok_ = CountFields(text, count) && tok_.NextField(text, ',') != nullptr;
    }

    // The number of commas in a text (for sentences that come in several lengths).
    static int CommaCount(const char* text) {
        int commas = 0;
        for (const char* p = text; *p != '\0'; ++p)
            commas += (*p == ',');
        return commas;
    }

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }

    // The next field.
    char* Next() {
        if (!ok_ || left_ <= 0) return Missing();
        char* field = tok_.NextField(nullptr, left_ == 1 ? '*' : ',');
        --left_;
        return field != nullptr ? field : Missing();
    }

    // Integer field: atol, or `blank` for an empty field or one without a number.
    long Int(long blank) {
        const char* f = Next();
        return Converts(f) ? Atol(f) : blank;
    }
    // Integer field with no blank value (a blank reads as 0).
    long Int() { return Atol(Next()); }
    // Integer field: true and its value when it holds a number, else false.
    bool TryInt(long& value) {
        const char* f = Next();
        if (!Converts(f)) return false;
        value = Atol(f);
        return true;
    }
    // Integer field that must lie in [low, high]: `blank` for an empty field
    // or one without a number; any other value outside the range fails the
    // reader (the sentence is rejected).
    long IntIn(long low, long high, long blank) {
        long value;
        if (!TryInt(value)) return blank;
        if (value < low || value > high) Fail();
        return value;
    }
    // Real field: atof, or `blank` for an empty field or one without a number.
    double Real(double blank) {
        const char* f = Next();
        return Converts(f) ? Atof(f) : blank;
    }
    // Real field with no blank value (a blank reads as 0).
    double Real() { return Atof(Next()); }
    // Real field: true and its value when it holds a number, else false.
    bool TryReal(double& value) {
        const char* f = Next();
        if (!Converts(f)) return false;
        value = Atof(f);
        return true;
    }
    // First character of the field (a blank field gives a blank).
    char Char() { return Next()[0]; }
    // First character, or `blank` for an empty field.
    char Char(char blank) {
        const char* f = Next();
        return IsBlank(f) ? blank : f[0];
    }
    // Text field: the empty text for a lone blank, else cut to the member.
    template <std::size_t N>
    void Text(char (&dst)[N]) {
        const char* f = Next();
        if (IsBlankText(f)) {
            dst[0] = '\0';
        } else {
            CopyText(dst, f);
        }
    }
    // Text field whose blank test looks at the first character only: the
    // empty text for a field of blanks, else cut to the member.
    template <std::size_t N>
    void BlankTestedText(char (&dst)[N]) {
        const char* f = Next();
        if (IsBlank(f)) {
            dst[0] = '\0';
        } else {
            CopyText(dst, f);
        }
    }
    // Text field kept as received (a blank stays " "), cut to the member.
    template <std::size_t N>
    void RawText(char (&dst)[N]) {
        CopyText(dst, Next());
    }

    // A one-hex-digit ID field (system or signal ID): its value, or 0x80 for a
    // blank field; anything else fails the reader.
    std::int8_t HexId() {
        const char* f = Next();
        if (IsBlank(f)) return kBlankByte;
        const int value = HexDigitValue(f[0]);
        if (value < 0 || f[1] != '\0') {
            Fail();
            return kBlankByte;
        }
        return static_cast<std::int8_t>(value);
    }

    void Time(TimeOfDay& time) { ConvertTime(Next(), time); }
    // Latitude, N/S, longitude and E/W: four fields.
    void LatLon(navoro::LatLon& position) {
        const char* lat = Next();
        const char* north_south = Next();
        const char* lon = Next();
        const char* east_west = Next();
        ConvertLatLon(lat, north_south, lon, east_west, position);
    }
    void LatLon(float& lat, float& lon) {
        navoro::LatLon position{};
        LatLon(position);
        lat = position.Lat;
        lon = position.Lon;
    }
    void Date(DateOfYear& date) { ConvertDate(Next(), date); }

  private:
    char* Missing() {
        ok_ = false;
        return blank_;
    }

    Tokenizer& tok_;
    int left_;
    bool ok_ = true;
    char blank_[2] = {' ', '\0'};
};

}  // namespace navoro
