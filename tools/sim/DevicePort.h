#pragma once

#include <string>

namespace navoro::sim {

// The simulator's end of the serial link: the master side of a new
// pseudo-terminal (whose slave path the other program opens), or a device path
// such as a serial port.
class DevicePort {
  public:
    DevicePort() = default;
    ~DevicePort();
    DevicePort(const DevicePort&) = delete;
    DevicePort& operator=(const DevicePort&) = delete;

    // Opens a new pseudo-terminal, non-blocking, with the slave side raw at
    // `rate`, so that a program that sets nothing (cat) reads the output.
    bool OpenPty(int rate, std::string& error);

    // Opens `path` non-blocking and, when it is a terminal, sets it raw at `rate`.
    bool OpenDevice(const std::string& path, int rate, std::string& error);

    // Sets the line rate of a device (not of a pseudo-terminal, whose rate the
    // other side sets).
    void SetDeviceRate(int rate);

    void Close();

    int Fd() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    bool IsPty() const { return pty_; }
    // The slave path of the pseudo-terminal, or the device path.
    const std::string& Path() const { return path_; }

    // The rate the other side has set on the pseudo-terminal; -1 for a device.
    int PeerRate() const;

    // True while a program has the pseudo-terminal's slave side open (always
    // true for a device).
    bool PeerPresent() const;

  private:
    int fd_ = -1;
    bool pty_ = false;
    std::string path_;
};

}  // namespace navoro::sim
