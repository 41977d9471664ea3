// Port discovery on this machine, which may have no serial port at all.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "link/PortLists.h"
#include "link/SerialPort.h"
#include "link/UdevPortSource.h"

namespace navoro {
namespace {

TEST(UdevPortSource, EnumeratesRealSerialPortsOnly) {
    UdevPortSource source;
    std::vector<PortInfo> ports;
    ASSERT_TRUE(source.EnumeratePorts(ports));
    for (const PortInfo& port : ports) {
        EXPECT_EQ(port.path.rfind("/dev/", 0), 0u) << port.path;
        // Virtual terminals, the console device and ptmx are no serial ports.
        for (const char* virtualTty :
             {"/dev/tty0", "/dev/tty1", "/dev/console", "/dev/ptmx", "/dev/tty"}) {
            EXPECT_NE(port.path, virtualTty);
        }
        if (!port.byId.empty()) {
            EXPECT_EQ(port.byId.rfind("/dev/serial/by-id/", 0), 0u);
        }
    }
    // The lists take whatever was found (no free-port scan: that would open the ports).
    PortLists lists(source);
    lists.ScanPresentPorts();
    EXPECT_EQ(lists.PresentPorts().size(), ports.size());
    for (std::size_t i = 1; i < lists.PresentPorts().size(); ++i) {
        EXPECT_FALSE(NaturalLess(lists.PresentPorts()[i].path, lists.PresentPorts()[i - 1].path));
    }
    std::printf("serial ports here: %zu\n", ports.size());
    for (const PortInfo& port : ports) {
        std::printf("  %s %s %s\n", port.path.c_str(), port.byId.c_str(), port.description.c_str());
    }
}

TEST(UdevPortSource, APortIsFreeUntilSomebodyHoldsIt) {
    // A pty whose slave nobody has opened yet.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave = ptsname(master);
    UdevPortSource source;
    EXPECT_TRUE(source.IsPortFree(slave));
    QueueExecutor executor;
    SerialPort port(executor);
    port.SetDevicePath(slave);
    ASSERT_TRUE(port.Open().Ok());
    EXPECT_FALSE(source.IsPortFree(slave));  // held, here by this very program
    port.Close();
    EXPECT_TRUE(source.IsPortFree(slave));
    EXPECT_FALSE(source.IsPortFree("/dev/null"));
    EXPECT_FALSE(source.IsPortFree("/dev/navoro-no-such-port"));
    close(master);
}

TEST(UdevPortSource, MonitorReadsNothingWhenNothingChanged) {
    UdevPortSource source;
    PortChange change;
    (void)source.MonitorFd();  // may be -1 where udev has no netlink access
    EXPECT_FALSE(source.ReadChange(change));
}

}  // namespace
}  // namespace navoro
