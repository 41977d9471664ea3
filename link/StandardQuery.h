#pragma once

// A standard query as this program sends it to a transponder of any maker:
//
//   StandardQuery("VER")  -> "$ECAIQ,VER*hh\r\n"
//
// (talker EC, the query's listener AI). The line is ready to be written.

#include <string>
#include <string_view>

#include "codec/Framing.h"

namespace navoro {

inline std::string StandardQuery(std::string_view formatter) {
    std::string line = "$ECAIQ,";
    line += formatter;
    const std::size_t text = line.size();
    line.resize(text + 6, '\0');  // "*hh\r\n" and the NUL
    AppendChecksum(line.data());
    line.resize(text + 5);
    return line;
}

}  // namespace navoro
