#pragma once

#include <string>
#include <vector>

#include "codec/Framing.h"

namespace navoro::test {

// "$AISSD,..." -> "$AISSD,...*hh\r\n" with the right checksum.
inline std::string Sentence(const std::string& body) {
    std::vector<char> buffer(body.size() + 8);
    body.copy(buffer.data(), body.size());
    buffer[body.size()] = '\0';
    AppendChecksum(buffer.data());
    return buffer.data();
}

}  // namespace navoro::test
