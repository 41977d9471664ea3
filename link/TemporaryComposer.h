#pragma once

// Stands in for the codec's composer until it is merged: composes only the
// connection probe. Removed with the merge.

#include <cstddef>
#include <cstring>

#include "codec/Codec.h"
#include "codec/Framing.h"

namespace navoro {

inline bool ComposeSentence(Codec&, char* buffer, std::size_t size, const char* formatter,
                            const char* talker) {
    if (size < 32 || std::strcmp(formatter, "TST") != 0 || std::strcmp(talker, "P") != 0) {
        return false;
    }
    std::strcpy(buffer, "$PTST,,,,,00016");
    return AppendChecksum(buffer);
}

}  // namespace navoro
