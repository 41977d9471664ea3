#pragma once

// Any bit rate on a tty, standard or not, through the kernel's termios2 record
// (BOTHER). Kept apart from <termios.h>, whose struct termios clashes with the
// kernel's headers.

namespace navoro {

// Sets input and output rate of the tty `fd` to `rate` bit/s. False with errno set.
bool SetKernelBaudRate(int fd, unsigned rate);
// The output rate of the tty `fd` in bit/s. False with errno set.
bool GetKernelBaudRate(int fd, unsigned* rate);

}  // namespace navoro
