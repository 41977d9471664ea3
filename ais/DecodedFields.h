#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ais/AisBitBuffer.h"
#include "ais/MessageTables.h"

namespace navoro {

// Reading a decoded record back, field by field, in the packing the decoder
// wrote it (little-endian, no padding).

inline std::uint32_t RecordU8(const DecodedRecord& r, int offset) {
    return r.Bytes[offset];
}
inline std::uint32_t RecordU16(const DecodedRecord& r, int offset) {
    return static_cast<std::uint32_t>(r.Bytes[offset]) |
           static_cast<std::uint32_t>(r.Bytes[offset + 1]) << 8;
}
inline std::uint32_t RecordU32(const DecodedRecord& r, int offset) {
    return static_cast<std::uint32_t>(r.Bytes[offset]) |
           static_cast<std::uint32_t>(r.Bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(r.Bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(r.Bytes[offset + 3]) << 24;
}
inline float RecordFloat(const DecodedRecord& r, int offset) {
    return std::bit_cast<float>(RecordU32(r, offset));
}
// The text at `offset`, up to its NUL or the end of the record.
inline std::string_view RecordText(const DecodedRecord& r, int offset) {
    const char* text = reinterpret_cast<const char*>(r.Bytes + offset);
    const std::size_t room = static_cast<std::size_t>(DecodedRecord::kSize - offset);
    const void* nul = std::memchr(text, 0, room);
    return std::string_view(text, nul ? static_cast<const char*>(nul) - text : room);
}

// The table a decoded record was decoded with (kPartBTable for message 24 part
// B, the form's table for messages 25 and 26), or 0 when its message ID is not
// one the decoder accepts.
inline int RecordTableIndex(const DecodedRecord& r) {
    const int id = r.Bytes[0];
    const auto& offsets = kRecordLayout.Offset[id == 25 || id == 26 ? 26 : 24];
    return MessageTableIndex(id, static_cast<int>(RecordU8(r, offsets[kPartNumberField])),
                             static_cast<int>(RecordU8(r, offsets[kDestinationIndicatorField])),
                             static_cast<int>(RecordU8(r, offsets[kBinaryDataFlagField])));
}

// True for a message 22 in addressed form (its record then ends with the two
// destination IDs).
inline bool RecordIsAddressed22(const DecodedRecord& r) {
    return r.Bytes[0] == 22 && RecordU8(r, kRecordLayout.Offset[22][kAddressedFlagField]) == 1;
}

// One field of a decoded record.
struct DecodedField {
    std::string_view Name;  // as the message table names it
    std::uint8_t Kind = 0;  // a kind of MessageTables.h
    // Exactly one of these carries the value, by kind:
    std::uint32_t Integer = 0;  // integer kinds, as stored
    float Float = 0.0f;         // float kinds
    std::string_view Text;      // text kinds, nothing trimmed

    bool IsFloat() const { return IsFloatKind(Kind); }
    bool IsText() const { return IsTextKind(Kind); }
};

// Reads field `f` of table `t` from the record.
inline DecodedField ReadDecodedField(const DecodedRecord& r, int t, int f) {
    const TableField& def = kMessageTables[t].Fields[f];
    const int offset = kRecordLayout.Offset[t][f];
    DecodedField field;
    field.Name = def.Name;
    field.Kind = def.Kind;
    if (IsTextKind(def.Kind)) {
        field.Text = RecordText(r, offset);
    } else if (IsFloatKind(def.Kind)) {
        field.Float = RecordFloat(r, offset);
    } else {
        switch (StoredSize(def.Kind)) {
            case 1:
                field.Integer = RecordU8(r, offset);
                break;
            case 2:
                field.Integer = RecordU16(r, offset);
                break;
            default:
                field.Integer = RecordU32(r, offset);
                break;
        }
    }
    return field;
}

// Calls visit(const DecodedField&) for every field of the record's table in
// table order (the part B table for message 24 part B), then, for a message 22
// in addressed form, for "Destination ID 1" and "Destination ID 2". Fields past
// the end of a short message come out as 0 or "". A record whose message ID is
// not 1 to 27 visits nothing.
template <class Visitor>
void ForEachDecodedField(const DecodedRecord& r, Visitor&& visit) {
    const int t = RecordTableIndex(r);
    if (t == 0) return;
    const AisMessageTable& table = kMessageTables[t];
    for (int f = 0; f < table.Count; ++f)
        visit(ReadDecodedField(r, t, f));
    if (RecordIsAddressed22(r)) {
        const int offset = kRecordLayout.Size[22];
        DecodedField id;
        id.Kind = kKindLongId;
        id.Name = "Destination ID 1";
        id.Integer = RecordU32(r, offset);
        visit(static_cast<const DecodedField&>(id));
        id.Name = "Destination ID 2";
        id.Integer = RecordU32(r, offset + 4);
        visit(static_cast<const DecodedField&>(id));
    }
}

}  // namespace navoro
