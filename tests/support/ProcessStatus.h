#pragma once

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace navoro::test {

// A size line of /proc/self/status ("VmRSS", "VmHWM", ...) in kB, or -1.
inline long ProcessStatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t keyLength = std::strlen(key);
    while (std::getline(status, line)) {
        if (line.compare(0, keyLength, key) == 0 && line.size() > keyLength &&
            line[keyLength] == ':')
            return std::strtol(line.c_str() + keyLength + 1, nullptr, 10);
    }
    return -1;
}

}  // namespace navoro::test
