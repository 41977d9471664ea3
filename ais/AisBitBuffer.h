#pragma once

#include <cstdint>

namespace navoro {

// The de-armoured bits of one AIS message: most significant bit of each byte
// first, the first payload character in the top six bits of Bits[0].
struct AisBitBuffer {
    static constexpr int kCapacityBytes = 127;  // 1016 bits
    std::uint8_t Bits[kCapacityBytes];
    std::uint16_t BitCount;
};

// One decoded AIS message: the fields of its message table packed one after
// another, little-endian, without padding.
struct DecodedRecord {
    static constexpr int kSize = 171;
    std::uint8_t Bytes[kSize];
};

}  // namespace navoro
