#include "link/PortHolders.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace navoro {

namespace {

bool AllDigits(const char* text) {
    if (*text == '\0') return false;
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') return false;
    }
    return true;
}

std::string ReadCommandName(const std::string& pidDir) {
    std::ifstream comm(pidDir + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

bool HoldsTarget(const std::string& fdDir, const std::string& target) {
    DIR* fds = opendir(fdDir.c_str());
    if (fds == nullptr) return false;
    bool found = false;
    char link[PATH_MAX];
    while (const dirent* entry = readdir(fds)) {
        if (!AllDigits(entry->d_name)) continue;
        const std::string fdPath = fdDir + "/" + entry->d_name;
        const ssize_t n = readlink(fdPath.c_str(), link, sizeof link - 1);
        if (n <= 0) continue;
        link[n] = '\0';
        if (target == link) {
            found = true;
            break;
        }
    }
    closedir(fds);
    return found;
}

}  // namespace

std::vector<PortHolder> FindPortHolders(const std::string& path) {
    std::vector<PortHolder> holders;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return holders;
    const std::string target = resolved;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return holders;
    while (const dirent* entry = readdir(proc)) {
        if (!AllDigits(entry->d_name)) continue;
        const std::string pidDir = std::string("/proc/") + entry->d_name;
        if (!HoldsTarget(pidDir + "/fd", target)) continue;
        holders.push_back({static_cast<pid_t>(std::atol(entry->d_name)), ReadCommandName(pidDir)});
    }
    closedir(proc);
    return holders;
}

std::string DescribeOpenError(const std::string& path, int code,
                              const std::vector<PortHolder>& holders) {
    switch (code) {
        case EBUSY:
        case EWOULDBLOCK: {
            std::string text = path + " is busy: ";
            if (holders.empty()) return text + "another program holds it open.";
            text += "it is held by ";
            for (std::size_t i = 0; i < holders.size(); ++i) {
                if (i > 0) text += ", ";
                if (holders[i].pid == getpid()) {
                    text += "this program";
                } else {
                    text += holders[i].name + " (pid " + std::to_string(holders[i].pid) + ")";
                }
            }
            return text + ".";
        }
        case EACCES:
        case EPERM:
            return "Permission denied for " + path +
                   ": add your user to the 'dialout' group (sudo usermod -aG dialout $USER), "
                   "then log out and in again.";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return path + ": no such device (is it plugged in?).";
        case ENOTTY:
            return path + " is not a serial port.";
        default:
            return path + ": " + std::strerror(code) + ".";
    }
}

}  // namespace navoro
