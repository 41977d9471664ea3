#pragma once

namespace navoro::sim {

// The output rate in bit/s of the terminal behind `fd`. On a pseudo-terminal's
// master side this is the rate the program on the slave side has set. -1 when
// `fd` is not a terminal.
int ReadLineRate(int fd);

// Puts the terminal behind `fd` into raw mode, 8 data bits, no parity, one stop
// bit, at `rate` bit/s (a standard rate constant where one exists, else an
// arbitrary rate). On a pseudo-terminal's master side this sets the slave's
// settings. False when `fd` is not a terminal or the rate is refused.
bool SetRawLine(int fd, int rate);

}  // namespace navoro::sim
