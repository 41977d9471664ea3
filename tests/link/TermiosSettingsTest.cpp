// The line-settings record on the termios flags.

#include "link/TermiosSettings.h"

#include <gtest/gtest.h>

namespace navoro {
namespace {

TEST(TermiosSettings, FrameFlagsFollowTheRecord) {
    struct Case {
        std::uint8_t bytes;
        LineParity parity;
        LineStopBits stop;
        tcflag_t flags;  // among CSIZE, PARENB, PARODD, CMSPAR, CSTOPB
    } cases[] = {
        {8, LineParity::None, LineStopBits::One, CS8},
        {7, LineParity::Odd, LineStopBits::One, CS7 | PARENB | PARODD},
        {7, LineParity::Even, LineStopBits::Two, CS7 | PARENB | CSTOPB},
        {6, LineParity::Mark, LineStopBits::One, CS6 | PARENB | PARODD | CMSPAR},
        {5, LineParity::Space, LineStopBits::OneAndHalf, CS5 | PARENB | CMSPAR | CSTOPB},
    };
    constexpr tcflag_t kFrame = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    for (const Case& c : cases) {
        termios tio{};
        tio.c_cflag = CS8 | PARENB | PARODD | CMSPAR | CSTOPB | CREAD | CLOCAL;
        LineSettings settings;
        settings.dataBits = c.bytes;
        settings.parity = c.parity;
        settings.stopBits = c.stop;
        ASSERT_TRUE(ApplyLineSettings(settings, tio));
        EXPECT_EQ(tio.c_cflag & kFrame, c.flags) << int(c.bytes);
        EXPECT_EQ(tio.c_cflag & (CREAD | CLOCAL), static_cast<tcflag_t>(CREAD | CLOCAL));

        LineSettings back;
        back.stopBits = c.stop;  // 1.5 is only told apart from 2 by what was asked
        ReadLineSettings(tio, back);
        EXPECT_EQ(back.dataBits, c.bytes);
        EXPECT_EQ(back.parity, c.parity);
        EXPECT_EQ(back.stopBits, c.stop);
    }
}

TEST(TermiosSettings, FourDataBitsAreRefusedAndChangeNothing) {
    termios tio{};
    tio.c_cflag = CS8;
    LineSettings settings;
    settings.dataBits = 4;
    settings.parity = LineParity::Even;
    EXPECT_FALSE(ApplyLineSettings(settings, tio));
    EXPECT_EQ(tio.c_cflag, static_cast<tcflag_t>(CS8));
}

TEST(TermiosSettings, ParityCheckAndFlowControl) {
    termios tio{};
    LineSettings settings;
    settings.checkParity = true;
    settings.xonXoffOutput = true;
    settings.xonChar = 0x11;
    settings.xoffChar = 0x13;
    ASSERT_TRUE(ApplyLineSettings(settings, tio));
    EXPECT_NE(tio.c_iflag & INPCK, 0u);
    EXPECT_NE(tio.c_iflag & IXON, 0u);
    EXPECT_EQ(tio.c_iflag & IXOFF, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
}

}  // namespace
}  // namespace navoro
