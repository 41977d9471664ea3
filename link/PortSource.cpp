#include "link/PortSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace navoro {

bool PortSource::PortExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool PortSource::SameDevice(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           S_ISCHR(first.st_mode) && S_ISCHR(second.st_mode) && first.st_rdev == second.st_rdev;
}

ScriptedPortSource::ScriptedPortSource() {
    if (pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) pipe_[0] = pipe_[1] = -1;
}

ScriptedPortSource::~ScriptedPortSource() {
    for (int fd : pipe_) {
        if (fd >= 0) close(fd);
    }
}

void ScriptedPortSource::SetBusy(const std::string& path, bool busy) {
    if (busy) {
        busy_.insert(path);
    } else {
        busy_.erase(path);
    }
}

void ScriptedPortSource::SetExistingPath(const std::string& path, bool exists) {
    if (exists) {
        existing_.insert(path);
    } else {
        existing_.erase(path);
    }
}

void ScriptedPortSource::Plug(const PortInfo& port) {
    ports_.push_back(port);
    Announce({PortChange::Arrival, port.path, true});
}

void ScriptedPortSource::Unplug(const std::string& path) {
    std::erase_if(ports_, [&](const PortInfo& p) { return p.path == path; });
    Announce({PortChange::Removal, path, true});
}

void ScriptedPortSource::Announce(const PortChange& change) {
    changes_.push_back(change);
    const char byte = 1;
    if (pipe_[1] >= 0) [[maybe_unused]]
        ssize_t n = write(pipe_[1], &byte, 1);
}

bool ScriptedPortSource::EnumeratePorts(std::vector<PortInfo>& ports) {
    ++enumerations;
    if (failing_) return false;
    ports = ports_;
    return true;
}

bool ScriptedPortSource::IsPortFree(const std::string& path) {
    return !busy_.contains(path);
}

bool ScriptedPortSource::PortExists(const std::string& path) {
    return existing_.contains(path);
}

bool ScriptedPortSource::ReadChange(PortChange& change) {
    if (changes_.empty()) return false;
    char byte;
    if (pipe_[0] >= 0) [[maybe_unused]]
        ssize_t n = read(pipe_[0], &byte, 1);
    change = changes_.front();
    changes_.pop_front();
    return true;
}

}  // namespace navoro
