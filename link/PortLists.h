#pragma once

// The two port lists of the main window and what happens when ports come and go.
//
//   PortLists lists(source);                 // source: UdevPortSource, ScriptedPortSource
//   lists.AddManualPort("/dev/pts/3");        // --port PATH, or a path typed into cbxComPort
//   lists.FillPortChoice = [&] {              // refill cbxComPort from PortChoiceItems()
//       ... };
//   lists.IsConnected = [&] { return manager.Linked(); };
//   lists.ConnectedPort = [&] { return port.DevicePath(); };
//   lists.OnConnectedPortGone = [&] { manager.ConnectedPortGone(); };
//   lists.RescanPorts();                      // at start, on a mode change, at auto-connect
//   lists.PortChangeNotice(change);           // on every arrival/removal notice (PortMonitor)
//
// A port is identified by its device path; another path to the same device (a
// udev link, a symbolic link) counts as that port (PortSource::SameDevice).
// Present ports are every serial port the source reports plus the manual ports
// that exist, naturally sorted ("/dev/ttyS2" before "/dev/ttyS10"), at most
// kMaxPresentPorts. Free ports are the present ports the source finds free, at
// most kMaxFreePorts, in the same order: the candidates of automatic
// detection. Manual ports stay in the port choice until the program exits;
// one that is gone is listed after the present ports, marked as not present.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/PortSource.h"

namespace navoro {

// Natural order: runs of digits compare by value, everything else by character.
bool NaturalLess(std::string_view a, std::string_view b);

// The paths given as "--port PATH" or "--port=PATH" (repeatable) among the
// program's arguments, in order.
std::vector<std::string> CollectPortArguments(const std::vector<std::string>& arguments);

// One entry of the port choice: the text shown and the tooltip beside it.
struct PortChoiceItem {
    std::string text;
    std::string toolTip;
};

inline constexpr char kNoPortText[] = "N/A";
inline constexpr char kNotPresentText[] = "not present";

class PortLists {
  public:
    static constexpr std::size_t kMaxPresentPorts = 256;
    static constexpr std::size_t kMaxFreePorts = 64;

    explicit PortLists(PortSource& source) : source_(source) {}

    // A port given by path (command line, typed); listed until the program exits.
    void AddManualPort(const std::string& path);
    const std::vector<std::string>& ManualPorts() const { return manualPorts_; }

    // Rebuilds the present-port list; keeps it when the source fails.
    void ScanPresentPorts();
    // Rebuilds the free-port list from the present ports.
    void ScanFreePorts();
    // The two scans, then FillPortChoice. Every rebuild is this sequence.
    void RescanPorts();

    const std::vector<PortInfo>& PresentPorts() const { return presentPorts_; }
    const std::vector<PortInfo>& FreePorts() const { return freePorts_; }
    // Whether `path` (a device path, a by-id name or another path to the same
    // device) names a present port; a free port (by name).
    bool IsPresentPort(const std::string& path) const;
    bool IsFreePort(const std::string& path) const;

    // What cbxComPort holds: one item per present port (text the device path,
    // tooltip the by-id name and description), then the manual ports that are
    // gone (tooltip kNotPresentText), or the single item "N/A".
    std::vector<PortChoiceItem> PortChoiceItems() const;

    // An arrival or removal notice: a serial-port notice rescans; a removal
    // then runs DropIfPortGone. Other notices change nothing.
    void PortChangeNotice(const PortChange& change);
    // When connected and the connected port is no longer present, runs
    // OnConnectedPortGone. Returns whether it did.
    bool DropIfPortGone(bool connected);

    std::function<void()> FillPortChoice;
    std::function<bool()> IsConnected;
    std::function<std::string()> ConnectedPort;
    std::function<void()> OnConnectedPortGone;

  private:
    PortSource& source_;
    std::vector<std::string> manualPorts_;
    std::vector<PortInfo> presentPorts_;
    std::vector<PortInfo> freePorts_;
};

}  // namespace navoro
