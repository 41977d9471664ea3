#pragma once

#include <cstdint>

namespace navoro {

// The armoured payload being collected from a multi-sentence encapsulation message.
struct VdmAssembly {
    static constexpr int kPayloadMax = 172;
    std::int8_t Total;
    std::int8_t Number;
    std::int8_t SequenceId;  // 0x80 when the field was empty
    char Channel;            // of the first sentence
    char Payload[kPayloadMax + 1];
    std::int8_t FillBits;  // of the final sentence
    char Formatter[4];
};

}  // namespace navoro
