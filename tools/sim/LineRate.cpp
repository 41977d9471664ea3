// termios2 (arbitrary rates) comes from the kernel's headers, which clash with
// the C library's <termios.h>; this file therefore includes only the former.
#include "tools/sim/LineRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace navoro::sim {

namespace {

struct RateCode {
    int Rate;
    unsigned Code;
};

constexpr RateCode kRates[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

}  // namespace

int ReadLineRate(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return -1;
    if ((t.c_cflag & CBAUD) != BOTHER) {
        for (const RateCode& r : kRates)
            if ((t.c_cflag & CBAUD) == r.Code) return r.Rate;
    }
    return static_cast<int>(t.c_ospeed);
}

bool SetRawLine(int fd, int rate) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    unsigned code = BOTHER;
    for (const RateCode& r : kRates)
        if (r.Rate == rate) code = r.Code;
    t.c_cflag |= code;
    t.c_ispeed = static_cast<speed_t>(rate);
    t.c_ospeed = static_cast<speed_t>(rate);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace navoro::sim
