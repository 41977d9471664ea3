#pragma once

#include <cstdint>

#include "ais/AisBitBuffer.h"

namespace navoro {

// The `width` bits (1 to 32) of `bits` starting at bit `start`, right-aligned.
// Bits past the end of the 127-byte buffer read as 0; a width outside 1 to 32
// or a negative start gives 0.
inline std::uint32_t ExtractBits(const AisBitBuffer& bits, int start, int width) {
    if (width < 1 || width > 32 || start < 0) return 0;
    const int first = start >> 3;
    const int last = (start + width - 1) >> 3;  // at most five bytes after first
    std::uint64_t acc = 0;
    for (int i = first; i <= last; ++i) {
        acc = (acc << 8) | (i < AisBitBuffer::kCapacityBytes ? bits.Bits[i] : 0u);
    }
    acc >>= (last + 1) * 8 - (start + width);
    return static_cast<std::uint32_t>(acc & ((std::uint64_t{1} << width) - 1));
}

// Decodes the message in `bits` into `record`, which the caller has zeroed.
// True when the message type is 1 to 27 and every field kind is known. A
// message shorter than its table is decoded up to its last complete field; the
// rest of the record stays zero. A bit count beyond the buffer is taken as the
// buffer's 1016 bits, and a text never runs past the record's 171 bytes.
bool DecodeMessage(const AisBitBuffer& bits, DecodedRecord& record);

}  // namespace navoro
