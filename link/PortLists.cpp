#include "link/PortLists.h"

#include <algorithm>

#include "codec/Fields.h"

namespace navoro {

namespace {

bool Names(const PortInfo& port, const std::string& path) {
    return !path.empty() && (port.path == path || port.byId == path);
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the digit runs by value: skip leading zeros, then the
            // longer run is larger, then the first differing digit decides.
            std::size_t si = i, sj = j;
            while (si < a.size() && a[si] == '0')
                ++si;
            while (sj < b.size() && b[sj] == '0')
                ++sj;
            std::size_t ei = si, ej = sj;
            while (ei < a.size() && IsDigit(a[ei]))
                ++ei;
            while (ej < b.size() && IsDigit(b[ej]))
                ++ej;
            if (ei - si != ej - sj) return ei - si < ej - sj;
            const int order = a.substr(si, ei - si).compare(b.substr(sj, ej - sj));
            if (order != 0) return order < 0;
            // Equal values: fewer leading zeros first.
            if (ei - i != ej - j) return ei - i < ej - j;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::vector<std::string> CollectPortArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--port" && i + 1 < arguments.size()) {
            paths.push_back(arguments[++i]);
        } else if (argument.rfind("--port=", 0) == 0 && argument.size() > 7) {
            paths.push_back(argument.substr(7));
        }
    }
    return paths;
}

void PortLists::AddManualPort(const std::string& path) {
    if (path.empty() || path == kNoPortText) return;
    if (std::find(manualPorts_.begin(), manualPorts_.end(), path) != manualPorts_.end()) return;
    manualPorts_.push_back(path);
}

void PortLists::ScanPresentPorts() {
    std::vector<PortInfo> found;
    if (!source_.EnumeratePorts(found)) return;
    for (const std::string& path : manualPorts_) {
        const bool listed = std::any_of(found.begin(), found.end(),
                                        [&](const PortInfo& p) { return Names(p, path); });
        if (!listed && source_.PortExists(path)) found.push_back({path, {}, "given by path"});
    }
    // The first ones found are kept, then put in natural order.
    if (found.size() > kMaxPresentPorts) found.resize(kMaxPresentPorts);
    std::sort(found.begin(), found.end(),
              [](const PortInfo& a, const PortInfo& b) { return NaturalLess(a.path, b.path); });
    presentPorts_ = std::move(found);
}

void PortLists::ScanFreePorts() {
    // With no present port there is no free one either (not the last scan's).
    freePorts_.clear();
    for (const PortInfo& port : presentPorts_) {
        if (freePorts_.size() == kMaxFreePorts) break;
        if (source_.IsPortFree(port.path)) freePorts_.push_back(port);
    }
}

void PortLists::RescanPorts() {
    ScanPresentPorts();
    ScanFreePorts();
    if (FillPortChoice) FillPortChoice();
}

bool PortLists::IsPresentPort(const std::string& path) const {
    if (path.empty()) return false;
    if (std::any_of(presentPorts_.begin(), presentPorts_.end(),
                    [&](const PortInfo& p) { return Names(p, path); }))
        return true;
    return std::any_of(presentPorts_.begin(), presentPorts_.end(),
                       [&](const PortInfo& p) { return source_.SameDevice(p.path, path); });
}

bool PortLists::IsFreePort(const std::string& path) const {
    return std::any_of(freePorts_.begin(), freePorts_.end(),
                       [&](const PortInfo& p) { return Names(p, path); });
}

std::vector<PortChoiceItem> PortLists::PortChoiceItems() const {
    std::vector<PortChoiceItem> items;
    for (const PortInfo& port : presentPorts_) {
        std::string tip = port.byId;
        if (!port.description.empty()) tip += (tip.empty() ? "" : "\n") + port.description;
        items.push_back({port.path, tip});
    }
    for (const std::string& path : manualPorts_) {
        if (!IsPresentPort(path)) items.push_back({path, kNotPresentText});
    }
    if (items.empty()) items.push_back({kNoPortText, {}});
    return items;
}

void PortLists::PortChangeNotice(const PortChange& change) {
    if (!change.serialPort) return;
    RescanPorts();
    if (change.kind == PortChange::Removal) DropIfPortGone(IsConnected && IsConnected());
}

bool PortLists::DropIfPortGone(bool connected) {
    if (!connected) return false;
    const std::string port = ConnectedPort ? ConnectedPort() : std::string();
    if (IsPresentPort(port)) return false;
    if (OnConnectedPortGone) OnConnectedPortGone();
    return true;
}

}  // namespace navoro
