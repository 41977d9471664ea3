#include "ais/AisDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "ais/MessageTables.h"

namespace navoro {

namespace {

// Multiplier of the rate-of-turn kind: 1 / 4.733.
constexpr double kRateOfTurnFactor = 0.2112824846820198761;

inline void Put16(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

inline void PutFloat(std::uint8_t* out, float value) {
    Put32(out, std::bit_cast<std::uint32_t>(value));
}

// The value as a signed number of `width` bits.
inline std::int32_t SignExtend(std::uint32_t value, int width) {
    if (width >= 32) return static_cast<std::int32_t>(value);
    const std::uint32_t sign = std::uint32_t{1} << (width - 1);
    return static_cast<std::int32_t>((value ^ sign) - sign);
}

// The message bits followed by zero padding, so any field of up to 32 bits that
// starts inside the buffer is one unaligned 64-bit load.
class PaddedBits {
  public:
    explicit PaddedBits(const AisBitBuffer& bits) {
        std::memcpy(bytes_, bits.Bits, sizeof bits.Bits);
        std::memset(bytes_ + sizeof bits.Bits, 0, sizeof bytes_ - sizeof bits.Bits);
    }

    // ExtractBits for a field that starts inside the buffer (start < 1016).
    std::uint32_t Read(int start, int width) const {
        std::uint64_t word;
        std::memcpy(&word, bytes_ + (start >> 3), sizeof word);
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        return static_cast<std::uint32_t>((word << (start & 7)) >> (64 - width));
    }

  private:
    std::uint8_t bytes_[AisBitBuffer::kCapacityBytes + 9];
};

// Six-bit text: values below 32 are '@', 'A' to 'Z' and five signs (code v + 64),
// the others space to '?' (code v).
inline char SixBitChar(std::uint32_t v) {
    return static_cast<char>(v < 32 ? v + 64 : v);
}

// Reads `count` six-bit characters from bit `start` into `out`, then a NUL.
inline void ReadText(const PaddedBits& bits, int start, int count, std::uint8_t* out) {
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<std::uint8_t>(SixBitChar(bits.Read(start + 6 * i, 6)));
    }
    out[count] = 0;
}

}  // namespace

bool DecodeMessage(const AisBitBuffer& buffer, DecodedRecord& record) {
    constexpr int kBufferBits = AisBitBuffer::kCapacityBytes * 8;
    const int bitCount = std::min<int>(buffer.BitCount, kBufferBits);
    std::uint8_t* const bytes = record.Bytes;
    // Every read below starts inside the buffer: the fixed positions do, and a
    // field is read only when it ends within the bit count.
    const PaddedBits bits(buffer);

    const std::uint32_t id = bits.Read(0, 6);
    bytes[0] = static_cast<std::uint8_t>(id);
    const std::uint32_t flags = bits.Read(kDestinationIndicatorBit, 2);  // = part number of 24
    const int tableIndex =
        MessageTableIndex(static_cast<int>(id), static_cast<int>(flags),
                          static_cast<int>(flags >> 1), static_cast<int>(flags & 1));
    if (tableIndex == 0) return false;
    const AisMessageTable& table = kMessageTables[tableIndex];
    // Message 26 ends with its communication state; the fields before it, and
    // the binary data, end 20 bits earlier.
    const int dataEnd = id == 26 ? bitCount - kEndCommStateBits : bitCount;

    if (id == 22 && bits.Read(kAddressedFlagBit, 1) == 1) {
        // Addressed form: the two destination IDs overlay the first corner and
        // follow the table's last field in the record.
        std::uint8_t* out = bytes + kRecordLayout.Size[22];
        Put32(out, bits.Read(kDestinationId1Bit, 30) & 0x3FFFFFFFu);
        Put32(out + 4, bits.Read(kDestinationId2Bit, 30) & 0x3FFFFFFFu);
    }

    int position = 6;
    int offset = 1;
    for (int f = 1; f < table.Count; ++f) {
        const TableField& def = table.Fields[f];
        const int width = def.Width;
        std::uint8_t* const out = bytes + offset;
        if (def.Kind == kKindEndFlag || def.Kind == kKindEndCommState) {
            if (dataEnd < position) return true;  // too short for its head
            if (def.Kind == kKindEndFlag) {
                *out = static_cast<std::uint8_t>(bits.Read(dataEnd, 1));
                offset += 1;
            } else {
                Put32(out, bits.Read(dataEnd + 1, kEndCommStateBits - 1));
                offset += 4;
            }
            continue;
        }
        if (position + width > dataEnd) return true;  // the message ends here
        switch (def.Kind) {
            case kKindByte:
            case kKindTimeStamp:
                *out = static_cast<std::uint8_t>(bits.Read(position, width));
                offset += 1;
                break;
            case kKindWord:
            case kKindWordId:
                Put16(out, bits.Read(position, width));
                offset += 2;
                break;
            case kKindHeading: {
                const std::uint32_t heading = bits.Read(position, width);
                Put16(out, heading >= 360 ? 511u : heading);
                offset += 2;
                break;
            }
            case kKindLong:
            case kKindLongId:
            case kKindCommState:
            case kKindDimensions:
            case kKindEta:
                Put32(out, bits.Read(position, width));
                offset += 4;
                break;
            case kKindSigned: {
                const float v = static_cast<float>(SignExtend(bits.Read(position, width), width));
                PutFloat(out, v * def.Scale);
                offset += 4;
                break;
            }
            case kKindScaled:
            case kKindCourse: {
                const float v = static_cast<float>(bits.Read(position, width));
                PutFloat(out, v * def.Scale);
                offset += 4;
                break;
            }
            case kKindLongitude:
            case kKindLatitude: {
                const float v = static_cast<float>(SignExtend(bits.Read(position, width), width));
                const float scaled = v * def.Scale;
                PutFloat(out, scaled / 60.0f);
                offset += 4;
                break;
            }
            case kKindRateOfTurn: {
                const double v = SignExtend(bits.Read(position, width), width);
                const double root = v * kRateOfTurnFactor;
                const double rate = root * root;
                PutFloat(out, static_cast<float>(v < 0 ? -rate : rate));
                offset += 4;
                break;
            }
            case kKindText: {
                const int count = width / 6;
                ReadText(bits, position, count, out);
                offset += count + 1;
                break;
            }
            case kKindTextToEnd: {
                // As many whole characters as the remaining bits hold, cut so the
                // text and its NUL stay inside the record.
                const int room = DecodedRecord::kSize - offset - 1;
                const int count = std::min((dataEnd - position) / 6, room);
                ReadText(bits, position, count, out);
                offset += count + 1;
                position += 6 * count;
                continue;
            }
            default:
                return false;
        }
        position += width;
    }
    return true;
}

}  // namespace navoro
