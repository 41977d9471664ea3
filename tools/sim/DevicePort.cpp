#include "tools/sim/DevicePort.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/KernelBaudRate.h"

namespace navoro::sim {

namespace {

// Raw, 8 data bits, no parity, one stop bit, at `rate`. On a pseudo-terminal's
// master side this sets the slave's settings.
bool SetRawLine(int fd, int rate) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0 && SetKernelBaudRate(fd, static_cast<unsigned>(rate));
}

}  // namespace

DevicePort::~DevicePort() {
    Close();
}

bool DevicePort::OpenPty(int rate, std::string& error) {
    Close();
    int master = -1;
    int slave = -1;
    char name[256] = "";
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // The slave's settings live as long as the master: set them once, then let
    // go of the slave so that the other program's close is seen as a hang-up.
    const bool raw = SetRawLine(master, rate);
    close(slave);
    if (!raw) {
        close(master);
        error = "cannot set the pseudo-terminal's line settings";
        return false;
    }
    const int flags = fcntl(master, F_GETFL);
    if (flags < 0 || fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(master, F_SETFD, FD_CLOEXEC) != 0) {
        error = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        close(master);
        return false;
    }
    fd_ = master;
    pty_ = true;
    path_ = name;
    return true;
}

bool DevicePort::OpenDevice(const std::string& path, int rate, std::string& error) {
    Close();
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    if (isatty(fd) && !SetRawLine(fd, rate)) {
        error = "cannot set the line settings of " + path;
        close(fd);
        return false;
    }
    fd_ = fd;
    pty_ = false;
    path_ = path;
    return true;
}

void DevicePort::SetDeviceRate(int rate) {
    if (fd_ >= 0 && !pty_ && isatty(fd_)) SetRawLine(fd_, rate);
}

void DevicePort::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

int DevicePort::PeerRate() const {
    // On the master side the kernel reports the slave's settings.
    unsigned rate = 0;
    if (!pty_ || fd_ < 0 || !GetKernelBaudRate(fd_, &rate)) return -1;
    return static_cast<int>(rate);
}

bool DevicePort::PeerPresent() const {
    if (fd_ < 0) return false;
    if (!pty_) return true;
    // The master reports a hang-up while no program has the slave side open.
    pollfd p{fd_, 0, 0};
    if (poll(&p, 1, 0) < 0) return false;
    return (p.revents & POLLHUP) == 0;
}

}  // namespace navoro::sim
