#include "link/UdevPortSource.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

#include "link/PortHolders.h"

namespace navoro {

namespace {

std::string Text(const char* value) {
    return value != nullptr ? value : "";
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The UART type of an 8250 port: the sysfs attribute, else TIOCGSERIAL. -1 when
// neither says.
int UartType(udev_device* device) {
    if (const char* type = udev_device_get_sysattr_value(device, "type")) return std::atoi(type);
    const char* node = udev_device_get_devnode(device);
    if (node == nullptr) return -1;
    const int fd = open(node, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    serial_struct info{};
    const int result = ioctl(fd, TIOCGSERIAL, &info) == 0 ? info.type : -1;
    close(fd);
    return result;
}

// A port the kernel writes its console to is never a detection candidate.
bool IsKernelConsole(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return false;
    const char* name = std::strrchr(resolved, '/');
    std::ifstream console(std::string("/sys/class/tty/") + (name ? name + 1 : resolved) +
                          "/console");
    std::string flag;
    return std::getline(console, flag) && flag == "Y";
}

}  // namespace

UdevPortSource::UdevPortSource() : udev_(udev_new()) {}

UdevPortSource::~UdevPortSource() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
}

bool UdevPortSource::IsSerialPort(udev_device* device) {
    if (udev_device_get_devnode(device) == nullptr) return false;
    const std::string syspath = Text(udev_device_get_syspath(device));
    if (syspath.find("/virtual/") != std::string::npos) return false;
    udev_device* parent = udev_device_get_parent(device);
    if (parent == nullptr) return false;
    const std::string name = Text(udev_device_get_sysname(device));
    if (StartsWith(name, "ttyS")) {
        const int type = UartType(device);
        if (type == PORT_UNKNOWN) return false;
    }
    return true;
}

PortInfo UdevPortSource::Describe(udev_device* device) {
    PortInfo port;
    port.path = Text(udev_device_get_devnode(device));
    udev_list_entry* link = udev_device_get_devlinks_list_entry(device);
    for (; link != nullptr; link = udev_list_entry_get_next(link)) {
        const std::string name = Text(udev_list_entry_get_name(link));
        if (StartsWith(name, "/dev/serial/by-id/")) {
            port.byId = name;
            break;
        }
    }
    for (const char* key : {"ID_MODEL_FROM_DATABASE", "ID_MODEL", "ID_SERIAL"}) {
        const char* value = udev_device_get_property_value(device, key);
        if (value != nullptr && *value != '\0') {
            port.description = value;
            break;
        }
    }
    if (port.description.empty()) {
        if (udev_device* parent = udev_device_get_parent(device)) {
            port.description = Text(udev_device_get_driver(parent));
        }
    }
    return port;
}

bool UdevPortSource::EnumeratePorts(std::vector<PortInfo>& ports) {
    if (udev_ == nullptr) return false;
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (enumerate == nullptr) return false;
    udev_enumerate_add_match_subsystem(enumerate, "tty");
    if (udev_enumerate_scan_devices(enumerate) < 0) {
        udev_enumerate_unref(enumerate);
        return false;
    }
    ports.clear();
    udev_list_entry* entry = udev_enumerate_get_list_entry(enumerate);
    for (; entry != nullptr; entry = udev_list_entry_get_next(entry)) {
        udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
        if (device == nullptr) continue;
        if (IsSerialPort(device)) ports.push_back(Describe(device));
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    return true;
}

bool UdevPortSource::IsPortFree(const std::string& path) {
    if (IsKernelConsole(path) || !FindPortHolders(path).empty()) return false;
    // The open test leaves the line settings alone.
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = isatty(fd) && flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
}

int UdevPortSource::MonitorFd() {
    if (monitor_ == nullptr && udev_ != nullptr) {
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (monitor_ != nullptr &&
            (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
             udev_monitor_enable_receiving(monitor_) < 0)) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
    }
    return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

bool UdevPortSource::ReadChange(PortChange& change) {
    if (monitor_ == nullptr) return false;
    for (;;) {
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) return false;
        const std::string action = Text(udev_device_get_action(device));
        if (action != "add" && action != "remove") {
            udev_device_unref(device);
            continue;
        }
        change.kind = action == "add" ? PortChange::Arrival : PortChange::Removal;
        change.path = Text(udev_device_get_devnode(device));
        if (change.kind == PortChange::Arrival) {
            change.serialPort = IsSerialPort(device);
        } else {
            // The device is gone and cannot be examined: anything that is not a
            // virtual terminal counts.
            const std::string devpath = Text(udev_device_get_devpath(device));
            change.serialPort = devpath.find("/virtual/") == std::string::npos;
        }
        udev_device_unref(device);
        return true;
    }
}

}  // namespace navoro
