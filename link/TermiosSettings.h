#pragma once

// The line-settings record on a termios record (everything but the rate, which
// goes through termios2: link/KernelBaudRate.h).

#include <termios.h>

#include "link/SerialDevice.h"

namespace navoro {

// Sets data bits, parity, stop bits, XON/XOFF characters, parity checking and
// flow control; leaves every other flag. False, `tio` unchanged, for a data
// bit count outside 5 to 8.
bool ApplyLineSettings(const LineSettings& settings, termios& tio);
// The reverse, into `settings` (whose other fields are kept; 1.5 stop bits
// stay 1.5 when CSTOPB is set).
void ReadLineSettings(const termios& tio, LineSettings& settings);

}  // namespace navoro
