#include "codec/Framing.h"

#include <cstdint>
#include <cstring>

namespace navoro {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Value of an upper-case hex digit, or -1.
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

unsigned char ChecksumOf(const char* begin, const char* end) {
    // Eight characters at a time, then folded to one byte: the XOR of all
    // bytes does not depend on how they are grouped.
    std::uint64_t wide = 0;
    const char* p = begin;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        wide ^= word;
    }
    wide ^= wide >> 32;
    wide ^= wide >> 16;
    wide ^= wide >> 8;
    auto sum = static_cast<unsigned char>(wide);
    for (; p < end; ++p)
        sum ^= static_cast<unsigned char>(*p);
    return sum;
}

bool VerifyChecksum(const char* text, std::size_t length) {
    // The '*' must come at index 2 or later and leave two characters before
    // the line end (index at most length - 3); the character at index 1 is
    // always data.
    if (length < 5) return false;
    const auto* star = static_cast<const char*>(std::memchr(text + 2, '*', length - 4));
    if (star == nullptr) return false;
    const int high = HexValue(star[1]);
    const int low = HexValue(star[2]);
    if (high < 0 || low < 0) return false;
    return static_cast<unsigned char>(high * 16 + low) == ChecksumOf(text + 1, star);
}

bool CheckFraming(const char* text, std::size_t length) {
    if (length < 2 || text[length - 1] != '\n' || text[length - 2] != '\r') return false;
    return VerifyChecksum(text, length);
}

bool CheckFraming(const char* text) {
    return CheckFraming(text, std::strlen(text));
}

char* DecodeAddress(char* text, SentenceHeader& header) {
    header = SentenceHeader{};
    header.Start = text[0];
    // Every index read below lies within the text: a framed sentence has at least
    // "$" + address + "*hh\r\n", and each read stops at the terminating NUL.
    const std::size_t length = std::strlen(text);
    auto copy = [&](char* dst, std::size_t from, std::size_t count) {
        for (std::size_t k = 0; k < count && from + k < length; ++k)
            dst[k] = text[from + k];
    };
    if (length > 1 && text[1] == 'P') {
        header.Talker[0] = 'P';
        copy(header.Formatter, 2, 3);
        if (std::strcmp(header.Formatter, "LMO") == 0 && length > 10) {
            header.Mode = text[6];
            text[6] = '$';
            text[7] = 'P';
            std::memset(header.Formatter, 0, sizeof header.Formatter);
            copy(header.Formatter, 8, 3);
            return text + 6;
        }
        return text;
    }
    if (length > 5 && text[5] == 'Q') {
        copy(header.Talker, 1, 2);
        header.Formatter[0] = 'Q';
        return text;
    }
    copy(header.Talker, 1, 2);
    copy(header.Formatter, 3, 3);
    return text;
}

bool AppendChecksum(char* text) {
    const std::size_t length = std::strlen(text);
    if (length >= 65535) return false;
    const unsigned char sum = length > 1 ? ChecksumOf(text + 1, text + length) : 0;
    char* end = text + length;
    end[0] = '*';
    end[1] = kHexDigits[sum >> 4];
    end[2] = kHexDigits[sum & 0x0F];
    end[3] = '\r';
    end[4] = '\n';
    end[5] = '\0';
    return true;
}

}  // namespace navoro
