#include "codec/SentenceWriter.h"

#include <charconv>
#include <cstdio>

namespace navoro {

void SentenceWriter::Put(const char* text, std::size_t length) {
    if (!ok_) return;
    if (length > limit_ - length_) {
        ok_ = false;
        buffer_[0] = '\0';
        return;
    }
    std::memcpy(buffer_ + length_, text, length);
    length_ += length;
    buffer_[length_] = '\0';
}

void SentenceWriter::Text(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || IsDelimiter(c)) {
            Fail();
            return;
        }
    }
    Put(text, length);
}

void SentenceWriter::Int(long value, int width) {
    char digits[24];
    const unsigned long magnitude =
        value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
    const int count = static_cast<int>(result.ptr - digits);
    char text[48];
    int n = 0;
    if (value < 0) text[n++] = '-';
    for (int pad = width - count - n; pad > 0 && n < 24; --pad)
        text[n++] = '0';
    std::memcpy(text + n, digits, static_cast<std::size_t>(count));
    Put(text, static_cast<std::size_t>(n + count));
}

void SentenceWriter::Fixed(double value, int width, int precision, bool zero_pad) {
    char text[64];
    const int n =
        std::snprintf(text, sizeof text, zero_pad ? "%0*.*f" : "%*.*f", width, precision, value);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof text) {
        Fail();
        return;
    }
    Put(text, static_cast<std::size_t>(n));
}

void SentenceWriter::Hex(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const char text[2] = {kDigits[byte >> 4], kDigits[byte & 0x0F]};
    Put(text, 2);
}

void SentenceWriter::Time(const TimeOfDay& time) {
    Int(time.Hour, 2);
    Int(time.Minute, 2);
    Int(time.Second, 2);
    Raw('.');
    Int(time.Hundredths, 2);
}

}  // namespace navoro
