#pragma once

// Where the serial ports come from: the system's present ports, whether a port
// is free, and notices of ports appearing and disappearing.
//
// UdevPortSource (link/UdevPortSource.h) asks udev; ScriptedPortSource below is
// set up by tests (and demos) and announces its changes the same way, through a
// descriptor that becomes readable when a change is waiting.

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace navoro {

struct PortInfo {
    std::string path;         // the port's identity: the device path that is opened
    std::string byId;         // the stable /dev/serial/by-id/... name, when udev made one
    std::string description;  // model or driver, for the user ("FT232R USB UART")
};

struct PortChange {
    enum Kind { Arrival, Removal };
    Kind kind = Arrival;
    std::string path;
    // The notice concerns a serial port (and not, say, a virtual console).
    bool serialPort = true;
};

class PortSource {
  public:
    virtual ~PortSource() = default;
    // Fills `ports` with the serial ports present now, in any order. False when
    // the system could not be asked (the caller keeps what it had).
    virtual bool EnumeratePorts(std::vector<PortInfo>& ports) = 0;
    // True when the port can be opened exclusively now and no other program
    // holds it.
    virtual bool IsPortFree(const std::string& path) = 0;
    // Whether a path given by the user (on the command line, typed) exists.
    virtual bool PortExists(const std::string& path);
    // Whether two paths lead to the same character device (a udev link such
    // as /dev/serial/by-path/..., a symbolic link of the user's own, the
    // device node itself): both exist and have the same device number.
    virtual bool SameDevice(const std::string& a, const std::string& b);
    // A descriptor that is readable while a change notice is waiting; -1 when
    // this source gives none.
    virtual int MonitorFd() { return -1; }
    // Takes one waiting change notice; false when there is none.
    virtual bool ReadChange(PortChange& change) {
        (void)change;
        return false;
    }
};

// A source whose ports and changes a test sets.
class ScriptedPortSource : public PortSource {
  public:
    ScriptedPortSource();
    ~ScriptedPortSource() override;
    ScriptedPortSource(const ScriptedPortSource&) = delete;
    ScriptedPortSource& operator=(const ScriptedPortSource&) = delete;

    // Ports in enumeration order.
    void SetPorts(std::vector<PortInfo> ports) { ports_ = std::move(ports); }
    void SetBusy(const std::string& path, bool busy);
    // Enumeration fails while set.
    void SetFailing(bool failing) { failing_ = failing; }
    void SetExistingPath(const std::string& path, bool exists);
    // Adds or removes the port and queues the matching notice.
    void Plug(const PortInfo& port);
    void Unplug(const std::string& path);
    // Queues a notice without changing the ports.
    void Announce(const PortChange& change);

    bool EnumeratePorts(std::vector<PortInfo>& ports) override;
    bool IsPortFree(const std::string& path) override;
    bool PortExists(const std::string& path) override;
    int MonitorFd() override { return pipe_[0]; }
    bool ReadChange(PortChange& change) override;

    int enumerations = 0;  // how often EnumeratePorts ran

  private:
    std::vector<PortInfo> ports_;
    std::set<std::string> busy_;
    std::set<std::string> existing_;
    std::deque<PortChange> changes_;
    bool failing_ = false;
    int pipe_[2] = {-1, -1};
};

}  // namespace navoro
