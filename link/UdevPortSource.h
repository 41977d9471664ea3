#pragma once

// The system's serial ports through udev.
//
// Enumeration: devices of subsystem "tty" with a device node and a parent
// device (USB CDC/ACM, USB serial converters, PCI and platform UARTs); virtual
// terminals, ptmx and the console have none and are left out, and so are the
// 8250 ports whose UART type is unknown (the phantom ttyS ports that every PC
// kernel creates): the sysfs "type" attribute, or TIOCGSERIAL where it is
// missing. Each port carries its /dev/serial/by-id name when udev made one.
//
// Free test: not the kernel console, no process holds the device (/proc), and
// an exclusive open (flock) succeeds; the line settings are left alone.
//
// Monitor: a udev monitor on the "tty" subsystem; its descriptor becomes
// readable on every add/remove (link/PortMonitor.h watches it from Qt).

#include <string>
#include <vector>

#include "link/PortSource.h"

struct udev;
struct udev_device;
struct udev_monitor;

namespace navoro {

class UdevPortSource : public PortSource {
  public:
    UdevPortSource();
    ~UdevPortSource() override;
    UdevPortSource(const UdevPortSource&) = delete;
    UdevPortSource& operator=(const UdevPortSource&) = delete;

    bool EnumeratePorts(std::vector<PortInfo>& ports) override;
    bool IsPortFree(const std::string& path) override;
    // Starts the monitor on first use; -1 when udev cannot provide one.
    int MonitorFd() override;
    bool ReadChange(PortChange& change) override;

  private:
    static bool IsSerialPort(udev_device* device);
    static PortInfo Describe(udev_device* device);

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

}  // namespace navoro
