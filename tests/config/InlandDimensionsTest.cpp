// Inland dimensions: the derivation of A and D and the numeric filter of the
// decimal fields and the NMEA 2000 device instance.
#include <gtest/gtest.h>

#include "config/InlandDimensions.h"

namespace navoro {
namespace {

TEST(InlandDimensions, ReadAndFormatTenths) {
    EXPECT_EQ(ReadTenths("110.0"), 1100);
    EXPECT_EQ(ReadTenths("5.25"), 53);
    EXPECT_EQ(ReadTenths("xxx.x"), 0);
    EXPECT_EQ(ReadTenths(""), 0);
    EXPECT_EQ(ReadTenths("nan"), 0);
    EXPECT_EQ(FormatTenths(52), "05.2");
    EXPECT_EQ(FormatTenths(1100), "110.0");
    EXPECT_EQ(FormatTenths(0), "00.0");
}

TEST(InlandDimensions, AAndDMakeUpLengthAndBeam) {
    // Length 20.0, internal B 5.0, external B 12.0.
    InlandDerived d = RecalcInlandDimensions({200, 30, 50, 10, 120, 20});
    EXPECT_FALSE(d.Length);
    EXPECT_FALSE(d.Beam);
    EXPECT_EQ(d.InternalA, "15.0");
    EXPECT_EQ(d.ExternalA, "08.0");
    EXPECT_EQ(d.InternalD, "02.0");
    EXPECT_EQ(d.ExternalD, "01.0");
}

TEST(InlandDimensions, AnAntennaBeyondTheShipRaisesLengthOrBeam) {
    // Length 10.0, internal B 12.0, external B 4.0; beam 3.0, internal C 4.0,
    // external C 1.0.
    InlandDerived d = RecalcInlandDimensions({100, 30, 120, 40, 40, 10});
    EXPECT_EQ(d.Length, "12.0");
    EXPECT_EQ(d.InternalA, "000.0");
    EXPECT_EQ(d.ExternalA, "08.0");
    EXPECT_EQ(d.Beam, "04.0");
    EXPECT_EQ(d.InternalD, "000.0");
    EXPECT_EQ(d.ExternalD, "03.0");
    // The external antenna the larger one; equal B values go the same way.
    d = RecalcInlandDimensions({100, 100, 40, 0, 120, 0});
    EXPECT_EQ(d.Length, "12.0");
    EXPECT_EQ(d.ExternalA, "000.0");
    EXPECT_EQ(d.InternalA, "08.0");
    d = RecalcInlandDimensions({100, 100, 120, 0, 120, 0});
    EXPECT_EQ(d.ExternalA, "000.0");
    EXPECT_EQ(d.InternalA, "00.0");
}

// A field that shows no value ("xxx.x") neither is made up nor makes up another.
TEST(InlandDimensions, OnlyShownValuesTakePart) {
    constexpr std::nullopt_t none = std::nullopt;
    // Without a length nothing is raised and neither A can be known.
    InlandDerived d = RecalcInlandDimensions({none, 30, 905, 10, 200, 20});
    EXPECT_FALSE(d.Length);
    EXPECT_EQ(d.InternalA, "xxx.x");
    EXPECT_EQ(d.ExternalA, "xxx.x");
    EXPECT_EQ(d.InternalD, "02.0");
    // An antenna without its B (C) shows no A (D); the other is still derived.
    d = RecalcInlandDimensions({1100, 114, none, 52, 200, none});
    EXPECT_FALSE(d.Length);
    EXPECT_EQ(d.InternalA, "xxx.x");
    EXPECT_EQ(d.ExternalA, "90.0");
    EXPECT_EQ(d.InternalD, "06.2");
    EXPECT_EQ(d.ExternalD, "xxx.x");
    // A shown B beyond the length raises it; the antenna without B stays unknown.
    d = RecalcInlandDimensions({100, none, none, 10, 120, 10});
    EXPECT_EQ(d.Length, "12.0");
    EXPECT_EQ(d.ExternalA, "000.0");
    EXPECT_EQ(d.InternalA, "xxx.x");
    EXPECT_FALSE(d.Beam);
    EXPECT_EQ(d.InternalD, "xxx.x");
}

TEST(InlandDimensions, TheExampleOfTheDump) {
    // 110.0, 11.4, 90.5, 5.2, 20.0, 3.0
    const InlandDerived d = RecalcInlandDimensions({1100, 114, 905, 52, 200, 30});
    EXPECT_EQ(d.InternalA, "19.5");
    EXPECT_EQ(d.ExternalA, "90.0");
    EXPECT_EQ(d.InternalD, "06.2");
    EXPECT_EQ(d.ExternalD, "08.4");
}

struct FilterCase {
    const char* Text;
    int Caret;
    int Decimals;
    const char* Expected;
    int ExpectedCaret;
};

TEST(InlandDimensions, FilterNumericText) {
    const FilterCase cases[] = {
        {"12.34", 5, 1, "12.3", 4},
        {"1a2.5", 2, 1, "12.5", 1},  // a letter typed in the middle: caret where it was
        {"5.1", 3, 0, "5.", 2},      // no decimals: the point stays
        {"1.2.3", 5, 2, "1.23", 4},  // a second point is dropped
        {"-3", 2, 1, "3", 1},        // signs are not digits
        {"abc", 3, 1, "", 0},
        {"800.0", 5, 1, "800.0", 5},
        {"12x", 1, 1, "12", 1},  // a letter after the caret leaves it alone
        {"", 0, 1, "", 0},
    };
    for (const FilterCase& c : cases) {
        const FilteredText out = FilterNumericText(c.Text, c.Caret, c.Decimals);
        EXPECT_EQ(out.Text, c.Expected) << c.Text;
        EXPECT_EQ(out.Caret, c.ExpectedCaret) << c.Text;
    }
}

TEST(InlandDimensions, KeysInADecimalField) {
    EXPECT_FALSE(InlandFieldAfterKey("", 0));
    EXPECT_EQ(InlandFieldAfterKey("900", 3)->Text, "800.0");
    EXPECT_EQ(InlandFieldAfterKey("800.0", 5)->Text, "800.0");
    EXPECT_EQ(InlandFieldAfterKey("800.05", 6)->Text, "800.0");
    EXPECT_EQ(InlandFieldAfterKey("12.a", 4)->Text, "12.");
}

TEST(InlandDimensions, KeysInTheDeviceInstance) {
    struct Case {
        const char* Text;
        const char* Expected;
    };
    const Case cases[] = {
        {"300", "0"}, {"252", "252"}, {"253", "0"},  {"", ""},
        {".", "."},   {"2a5", "25"},  {"9.9", "9."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviceInstanceAfterKey(c.Text, 3).Text, c.Expected) << c.Text;
}

}  // namespace
}  // namespace navoro
