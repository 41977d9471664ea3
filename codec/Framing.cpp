#include "codec/Framing.h"

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
    unsigned char sum = 0;
    for (const char* p = begin; p < end; ++p)
        sum ^= static_cast<unsigned char>(*p);
    return sum;
}

bool VerifyChecksum(const char* text, std::size_t length) {
    if (length < 3) return false;
    unsigned char sum = static_cast<unsigned char>(text[1]);
    std::size_t i = 2;
    for (;; ++i) {
        if (i > length - 3) return false;
        if (text[i] == '*') break;
        sum ^= static_cast<unsigned char>(text[i]);
    }
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return false;
    return static_cast<unsigned char>(high * 16 + low) == sum;
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
