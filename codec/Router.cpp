#include "codec/Router.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "ais/AisDecoder.h"
#include "codec/FormatterTable.h"
#include "codec/Framing.h"
#include "codec/StoreUpdates.h"

namespace navoro {

bool ParseSentence(Tokenizer& tok, char* line, SentenceRecord& record) {
    if (!CheckFraming(line)) return false;
    if (!ExpandEmptyFields(line)) return false;
    char* text = DecodeAddress(line, record.Header);
    const FormatterInfo* info = FindFormatter(record.Header.Formatter);
    if (info == nullptr || info->Parser == nullptr) return false;
    return info->Parser(tok, text, record);
}

void StoreSentence(Codec& codec, const SentenceRecord& record) {
    switch (FormatterGroup(record.Header)) {
        case kGroupGnss:
            StoreGnssSentence(codec.Gnss, record);
            break;
        case kGroupNavigation:
            StoreNavSentence(codec.Nav, record);
            break;
        case kGroupAis:
            StoreAisSentence(codec.Ais, record);
            break;
        case kGroupProprietary:
            StoreProprietarySentence(codec.Proprietary, record);
            break;
        default:
            break;
    }
}

namespace {

// The six-bit value of every byte, -1 for the bytes that are no payload character.
constexpr std::array<std::int8_t, 256> MakeSixBitTable() {
    std::array<std::int8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x30 && c <= 0x57) {
            table[c] = static_cast<std::int8_t>(c - 0x30);
        } else if (c >= 0x60 && c <= 0x77) {
            table[c] = static_cast<std::int8_t>(c - 0x60 + 40);
        } else {
            table[c] = -1;
        }
    }
    return table;
}
constexpr std::array<std::int8_t, 256> kSixBitValue = MakeSixBitTable();

}  // namespace

int SixBitValue(char c) {
    return kSixBitValue[static_cast<unsigned char>(c)];
}

bool AssembleVdm(const SentenceRecord& record, VdmAssembly& assembly) {
    const EncapsulationRecord& part = record.Vdm;
    const bool continues = std::strcmp(record.Header.Formatter, assembly.Formatter) == 0 &&
                           part.Total == assembly.Total && part.SequenceId == assembly.SequenceId &&
                           part.Number == assembly.Number + 1;
    if (continues) {
        const std::size_t have = std::strlen(assembly.Payload);
        const std::size_t add = std::strlen(part.Payload);
        if (have + add > VdmAssembly::kPayloadMax) {
            assembly = VdmAssembly{};
            return false;
        }
        std::memcpy(assembly.Payload + have, part.Payload, add + 1);
        assembly.Number = part.Number;
        if (assembly.Number != assembly.Total) return false;
        assembly.FillBits = part.FillBits;
        return true;
    }
    assembly.Total = part.Total;
    assembly.Number = part.Number;
    assembly.SequenceId = part.SequenceId;
    assembly.Channel = part.Channel;
    assembly.FillBits = part.FillBits;
    CopyText(assembly.Payload, part.Payload);
    CopyText(assembly.Formatter, record.Header.Formatter);
    return part.Total == 1 && part.Number == 1;
}

bool DearmourPayload(const VdmAssembly& assembly, AisBitBuffer& bits) {
    bits.BitCount = 0;
    const auto* payload = reinterpret_cast<const unsigned char*>(assembly.Payload);
    const int n = static_cast<int>(strnlen(assembly.Payload, sizeof assembly.Payload));
    const int fill = assembly.FillBits;
    const int bitCount = 6 * n - fill;
    constexpr int kCapacityBits = AisBitBuffer::kCapacityBytes * 8;
    if (fill < 0 || fill > 5 || bitCount < 0 || 6 * n > kCapacityBits) return false;
    // Six bits at a time into an accumulator; every whole byte goes out.
    std::uint64_t acc = 0;
    int held = 0;
    int byte = 0;
    std::int8_t invalid = 0;
    for (int i = 0; i < n; ++i) {
        const std::int8_t v = kSixBitValue[payload[i]];
        invalid |= v;
        acc = (acc << 6) | static_cast<std::uint64_t>(v & 0x3F);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bits.Bits[byte++] = static_cast<std::uint8_t>(acc >> held);
        }
    }
    if (invalid < 0) return false;
    // The bits of a last partial byte, then zeros to the end of the buffer; the
    // fill bits themselves are cleared.
    if (held > 0) bits.Bits[byte++] = static_cast<std::uint8_t>(acc << (8 - held));
    std::memset(bits.Bits + byte, 0, static_cast<std::size_t>(AisBitBuffer::kCapacityBytes - byte));
    if (fill > 0 && bitCount > 0) {
        const int last = (bitCount - 1) >> 3;
        const int keep = bitCount - 8 * last;  // 1 to 8 bits of the last byte
        bits.Bits[last] = static_cast<std::uint8_t>(bits.Bits[last] & (0xFF00u >> keep));
        std::memset(bits.Bits + last + 1, 0,
                    static_cast<std::size_t>(AisBitBuffer::kCapacityBytes - last - 1));
    }
    bits.BitCount = static_cast<std::uint16_t>(bitCount);
    return true;
}

bool RouteSentence(Codec& codec, const char* line, std::size_t length) {
    if (length >= sizeof codec.Line - 4 || length > kExpandedTextMax) return false;
    std::memcpy(codec.Line, line, length);
    codec.Line[length] = '\0';
    // A NUL inside the line would hide its end from the framing check.
    if (std::strlen(codec.Line) != length) return false;

    SentenceRecord& record = codec.Received;
    if (!ParseSentence(codec.Tok, codec.Line, record)) return false;
    StoreSentence(codec, record);
    if (record.Header.Start != '!') {
        codec.Decoded = DecodedRecord{};
        codec.Assembly = VdmAssembly{};
        return true;
    }
    if (!AssembleVdm(record, codec.Assembly)) return false;
    if (!DearmourPayload(codec.Assembly, codec.Bits)) return false;
    codec.Decoded = DecodedRecord{};
    if (!DecodeMessage(codec.Bits, codec.Decoded)) return false;
    const bool own_ship = std::strcmp(record.Header.Formatter, "VDO") == 0;
    const int channel_code = record.Vdm.Channel - '0';
    const int index = codec.Targets.StoreMessage(codec.Decoded, channel_code, 0, own_ship);
    if (index >= 0) {
        TargetEntry& entry = codec.Targets.Entry(index);
        codec.Messages.Store(index, entry.Mmsi, codec.Bits);
        if (own_ship) {
            ++entry.VdoCount;
        } else {
            ++entry.VdmCount;
        }
    }
    return true;
}

bool RouteSentence(Codec& codec, const char* line) {
    return RouteSentence(codec, line, std::strlen(line));
}

}  // namespace navoro
