#include "link/KernelBaudRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace navoro {

bool SetKernelBaudRate(int fd, unsigned rate) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = rate;
    tio.c_ospeed = rate;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

bool GetKernelBaudRate(int fd, unsigned* rate) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    *rate = tio.c_ospeed;
    return true;
}

}  // namespace navoro
