#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "codec/Fields.h"
#include "codec/SentenceHeader.h"

namespace navoro {

// Prints a sentence text into a caller's buffer, field by field, and never
// past its end: the buffer keeps room for the "*hh\r\n" that AppendChecksum
// adds and the terminating NUL. Anything that does not fit, or a text field
// holding a character that would break the sentence apart (',', '*', '$', '!',
// control characters), fails the writer; the caller then discards the text.
class SentenceWriter {
  public:
    // The checksum tail "*hh\r\n" and the terminating NUL.
    static constexpr std::size_t kTailSize = 6;

    SentenceWriter(char* buffer, std::size_t size)
        : buffer_(buffer), limit_(size >= kTailSize ? size - kTailSize : 0) {
        if (size > 0) buffer_[0] = '\0';
        if (size < kTailSize) ok_ = false;
    }

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    std::size_t Length() const { return length_; }

    // Literal text.
    void Raw(const char* text) { Put(text, std::strlen(text)); }
    void Raw(char c) { Put(&c, 1); }
    // A text member without a comma (a talker, a formatter), checked like a
    // text field.
    template <std::size_t N>
    void Name(const char (&text)[N]) {
        Text(text, strnlen(text, N));
    }
    // The start character, the talker and the formatter.
    void Address(char start, const SentenceHeader& header) {
        Raw(start);
        Name(header.Talker);
        Name(header.Formatter);
    }

    // The parts of a field.
    // "%d", or "%0<width>d" (the sign counts towards the width, as printf does).
    void Int(long value, int width = 0);
    // "%<width>.<precision>f", or "%0<width>.<precision>f" with zero_pad.
    void Fixed(double value, int width, int precision, bool zero_pad = false);
    // "%02X".
    void Hex(std::uint8_t byte);
    // hhmmss.ss
    void Time(const TimeOfDay& time);

    // Whole fields, each preceded by its comma; `present` false prints the
    // field empty.
    void Empty() { Raw(','); }
    void IntField(bool present, long value, int width = 0) {
        Raw(',');
        if (present) Int(value, width);
    }
    // A real that is not finite (infinity, NaN) is printed empty as well.
    void FixedField(bool present, double value, int width, int precision, bool zero_pad = false) {
        Raw(',');
        if (present && std::isfinite(value)) Fixed(value, width, precision, zero_pad);
    }
    void TimeField(bool present, const TimeOfDay& time) {
        Raw(',');
        if (present) Time(time);
    }
    // A one-character field: empty unless the character can stand in a field.
    void CharField(char c) {
        Raw(',');
        if (IsFieldChar(c)) Raw(c);
    }
    // A text field (at most N characters of the member); fails for a
    // character that cannot stand in a field.
    template <std::size_t N>
    void TextField(const char (&text)[N]) {
        Raw(',');
        Text(text, strnlen(text, N));
    }
    void TextField(const char* text) {
        Raw(',');
        Text(text, std::strlen(text));
    }

    // True for a printable character other than the blank and the delimiters.
    static bool IsFieldChar(char c) { return c > ' ' && c < 0x7F && !IsDelimiter(c); }

  private:
    static bool IsDelimiter(char c) { return c == ',' || c == '*' || c == '$' || c == '!'; }
    void Text(const char* text, std::size_t length);
    void Put(const char* text, std::size_t length);

    char* buffer_;
    std::size_t limit_;
    std::size_t length_ = 0;
    bool ok_ = true;
};

}  // namespace navoro
