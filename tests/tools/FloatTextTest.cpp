#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <random>
#include <string>

#include "tools/decode/FloatText.h"

namespace navoro {
namespace {

std::string Fast(float value) {
    char text[32];
    return std::string(text, FormatFloatG9(text, value));
}

std::string Printf(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

// The AIS floats are printed as "%.9g" would print them, without printf's cost.
TEST(FloatText, MatchesPrintfNineSignificantDigits) {
    const float edges[] = {0.0f,   -0.0f,          1.0f,          -1.0f,         0.1f,
                           102.3f, 181.0f,         91.0f,         360.0f,        511.0f,
                           -45.0f, 12.2f,          720.003235f,   0.0446402878f, 1.66666666e-06f,
                           1e-5f,  9.99999975e-5f, 1e-4f,         99999999.5f,   999999999.0f,
                           1e9f,   123456789.0f,   1234567890.0f, 1e15f,         1e16f,
                           1e-20f, 3.4e38f,        1.4e-45f};
    for (const float f : edges)
        EXPECT_EQ(Fast(f), Printf(f)) << Printf(f);
    // Every value the position kinds can produce near the not-available codes,
    // and random bit patterns.
    for (int raw = 108500000; raw <= 108700000; raw += 7) {
        const float lon = static_cast<float>(raw) * 0.0001f / 60.0f;
        ASSERT_EQ(Fast(lon), Printf(lon)) << raw;
        ASSERT_EQ(Fast(-lon), Printf(-lon)) << raw;
    }
    std::mt19937 rng(11);
    for (int i = 0; i < 200000; ++i) {
        const float f = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        if (f != f || f - f != 0.0f) continue;  // NaN, infinities
        ASSERT_EQ(Fast(f), Printf(f)) << Printf(f);
    }
}

}  // namespace
}  // namespace navoro
