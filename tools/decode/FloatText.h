#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace navoro {

// Writes `value` exactly as printf's "%.9g" does (nine significant digits,
// which read back as the same 32-bit float) and returns the end. `out` must
// have room for 16 characters; nothing is terminated. Values of magnitude
// between 1e-15 and 1e15 are converted with exact integer arithmetic (the AIS
// decoder never produces others); the rest, infinities and NaN go to snprintf.
inline char* FormatFloatG9(char* out, float value) {
    __extension__ typedef unsigned __int128 Wide;
    constexpr int kDigits = 9;
    constexpr std::uint64_t kLow = 100000000;    // 10^8
    constexpr std::uint64_t kHigh = 1000000000;  // 10^9
    static constexpr std::uint64_t kPow10[] = {1,
                                               10,
                                               100,
                                               1000,
                                               10000,
                                               100000,
                                               1000000,
                                               10000000,
                                               100000000,
                                               1000000000,
                                               10000000000,
                                               100000000000,
                                               1000000000000,
                                               10000000000000,
                                               100000000000000,
                                               1000000000000000,
                                               10000000000000000,
                                               100000000000000000,
                                               1000000000000000000};

    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t exponent = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    auto fallback = [&] {
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        std::memcpy(out, text, static_cast<std::size_t>(n));
        return out + n;
    };
    if (exponent == 0xFF) return fallback();
    if (exponent == 0 && fraction == 0) {
        if (negative) *out++ = '-';
        *out++ = '0';
        return out;
    }
    // |value| = m * 2^k exactly.
    const std::uint64_t m = exponent == 0 ? fraction : (fraction | 0x800000u);
    const int k = exponent == 0 ? -149 : static_cast<int>(exponent) - 150;
    // floor(log10(2^e)) for the value's binary exponent e, which is within one
    // of the decimal exponent; the loop below corrects it.
    const int e2 = (63 - std::countl_zero(m)) + k;
    int e10 = (e2 * 78913) >> 18;
    if (e10 < -15 || e10 > 15) return fallback();

    // n = |value| * 10^(8 - e10) rounded half to even; the estimate of e10 is
    // corrected until the unrounded value has exactly nine integer digits.
    std::uint64_t n = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int p = kDigits - 1 - e10;
        Wide quotient;
        Wide remainder = 0;
        Wide divisor = 1;
        if (p >= 0) {
            const Wide power = p <= 18 ? Wide{kPow10[p]} : Wide{kPow10[18]} * kPow10[p - 18];
            const Wide scaled = static_cast<Wide>(m) * power;
            if (k >= 0) {
                quotient = scaled << k;
            } else {
                divisor = static_cast<Wide>(1) << -k;
                quotient = scaled >> -k;
                remainder = scaled & (divisor - 1);
            }
        } else {
            // |value| >= 10^9 implies k > 0.
            const Wide whole = static_cast<Wide>(m) << k;
            divisor = kPow10[-p];
            quotient = whole / divisor;
            remainder = whole % divisor;
        }
        if (quotient >= kHigh) {
            ++e10;
            continue;
        }
        if (quotient < kLow) {
            --e10;
            continue;
        }
        n = static_cast<std::uint64_t>(quotient);
        const Wide twice = remainder * 2;
        if (twice > divisor || (twice == divisor && (n & 1) != 0)) ++n;
        if (n == kHigh) {  // rounded up to ten digits
            n = kLow;
            ++e10;
        }
        break;
    }
    if (n == 0) return fallback();

    char digits[kDigits];
    for (int i = kDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    int used = kDigits;  // significant digits left after dropping trailing zeros
    while (used > 1 && digits[used - 1] == '0')
        --used;

    if (negative) *out++ = '-';
    if (e10 < -4 || e10 >= kDigits) {
        *out++ = digits[0];
        if (used > 1) {
            *out++ = '.';
            for (int i = 1; i < used; ++i)
                *out++ = digits[i];
        }
        *out++ = 'e';
        *out++ = e10 < 0 ? '-' : '+';
        const int magnitude = e10 < 0 ? -e10 : e10;
        *out++ = static_cast<char>('0' + magnitude / 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (e10 >= 0) {
        for (int i = 0; i <= e10; ++i)
            *out++ = digits[i];
        if (used > e10 + 1) {
            *out++ = '.';
            for (int i = e10 + 1; i < used; ++i)
                *out++ = digits[i];
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -e10 - 1; ++i)
            *out++ = '0';
        for (int i = 0; i < used; ++i)
            *out++ = digits[i];
    }
    return out;
}

}  // namespace navoro
