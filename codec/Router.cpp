#include "codec/Router.h"

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

int SixBitValue(char c) {
    if (c >= 0x30 && c <= 0x57) return c - 0x30;
    if (c >= 0x60 && c <= 0x77) return c - 0x60 + 40;
    return -1;
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
    bits = AisBitBuffer{};
    const char* payload = assembly.Payload;
    const int n = static_cast<int>(std::strlen(payload));
    int byte = 0;
    int start = 0;
    auto fits = [&](int more) { return byte + more <= AisBitBuffer::kCapacityBytes; };
    for (; start <= n - 4; start += 4) {
        int v[4];
        for (int k = 0; k < 4; ++k) {
            v[k] = SixBitValue(payload[start + k]);
            if (v[k] < 0) return false;
        }
        if (!fits(3)) return false;
        const unsigned word = (static_cast<unsigned>(v[0]) << 18) |
                              (static_cast<unsigned>(v[1]) << 12) |
                              (static_cast<unsigned>(v[2]) << 6) | static_cast<unsigned>(v[3]);
        bits.Bits[byte++] = static_cast<std::uint8_t>(word >> 16);
        bits.Bits[byte++] = static_cast<std::uint8_t>(word >> 8);
        bits.Bits[byte++] = static_cast<std::uint8_t>(word);
        bits.BitCount = static_cast<std::uint16_t>(bits.BitCount + 24);
    }
    // Characters left after the last whole group: read at most what the text holds,
    // so the terminating NUL counts as an invalid character.
    auto value_at = [&](int index) { return index < n ? SixBitValue(payload[index]) : -1; };
    switch (assembly.FillBits) {
        case 0:
            return true;
        case 2: {
            int v[3];
            for (int k = 0; k < 3; ++k) {
                v[k] = value_at(start + k);
                if (v[k] < 0) return false;
            }
            if (!fits(2)) return false;
            const unsigned word = (static_cast<unsigned>(v[0]) << 12) |
                                  (static_cast<unsigned>(v[1]) << 6) | static_cast<unsigned>(v[2]);
            bits.Bits[byte++] = static_cast<std::uint8_t>(word >> 10);
            bits.Bits[byte++] = static_cast<std::uint8_t>(word >> 2);
            bits.BitCount = static_cast<std::uint16_t>(bits.BitCount + 16);
            return true;
        }
        case 4: {
            const int a = value_at(start);
            const int b = value_at(start + 1);
            if (a < 0 || b < 0) return false;
            if (!fits(1)) return false;
            bits.Bits[byte++] = static_cast<std::uint8_t>((a << 2) | (b >> 4));
            bits.BitCount = static_cast<std::uint16_t>(bits.BitCount + 8);
            return true;
        }
        default:
            return false;
    }
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
