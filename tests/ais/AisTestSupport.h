#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "ais/AisBitBuffer.h"
#include "ais/AisDecoder.h"
#include "ais/DecodedFields.h"
#include "codec/Fields.h"
#include "codec/Router.h"

namespace navoro::test {

// Builds a bit buffer field by field, most significant bit first.
class BitWriter {
  public:
    // `width` bits of `value`; bits above the 64 of the value are 0, and bits
    // beyond the buffer's 1016 are dropped.
    BitWriter& U(int width, std::uint64_t value) {
        for (int i = width - 1; i >= 0; --i) {
            if (i < 64 && (value >> i) & 1u && pos_ < AisBitBuffer::kCapacityBytes * 8)
                buffer_.Bits[pos_ / 8] |= static_cast<std::uint8_t>(0x80u >> (pos_ % 8));
            ++pos_;
        }
        return *this;
    }
    BitWriter& S(int width, std::int64_t value) {
        return U(width, static_cast<std::uint64_t>(value));
    }
    // Six-bit text of `chars` characters, padded with '@' (value 0).
    BitWriter& Text(int chars, const char* text) {
        const std::size_t n = std::strlen(text);
        for (int i = 0; i < chars; ++i) {
            const unsigned char c =
                i < static_cast<int>(n) ? static_cast<unsigned char>(text[i]) : '@';
            U(6, c >= 64 ? c - 64u : c);
        }
        return *this;
    }
    int Bits() const { return pos_; }
    // The buffer with its bit count: the bits written, or `bitCount` when given.
    AisBitBuffer Done(int bitCount = -1) const {
        AisBitBuffer b = buffer_;
        b.BitCount = static_cast<std::uint16_t>(bitCount < 0 ? pos_ : bitCount);
        return b;
    }

  private:
    AisBitBuffer buffer_{};
    int pos_ = 0;
};

// One field of a hand-built message: `Width` bits of `Value` (negative values in
// two's complement), or, with Txt, six-bit text.
struct Field {
    int Width;
    std::int64_t Value = 0;
    const char* Text = nullptr;
};
inline Field Txt(int chars, const char* text) {
    return Field{chars * 6, 0, text};
}

// A bit buffer of the fields in order; its bit count is what they take, or
// `bitCount` when given.
inline AisBitBuffer Bits(std::initializer_list<Field> fields, int bitCount = -1) {
    BitWriter w;
    for (const Field& f : fields) {
        if (f.Text != nullptr) {
            w.Text(f.Width / 6, f.Text);
        } else {
            w.S(f.Width, f.Value);
        }
    }
    return w.Done(bitCount);
}

// De-armours a payload the way the router does.
inline bool BitsFromPayload(const char* payload, int fillBits, AisBitBuffer& bits) {
    VdmAssembly assembly{};
    CopyText(assembly.Payload, payload);
    assembly.FillBits = static_cast<std::int8_t>(fillBits);
    return DearmourPayload(assembly, bits);
}

// A field's value as navoro-decode prints it: integers as stored, floats with
// nine significant digits, texts as they are.
inline std::string Format(const DecodedField& f) {
    char text[64];
    if (f.IsText()) return std::string(f.Text);
    if (f.IsFloat()) {
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(f.Float));
    } else {
        std::snprintf(text, sizeof text, "%u", f.Integer);
    }
    return text;
}

struct NamedValue {
    std::string Name;
    std::string Value;
};

inline std::vector<NamedValue> Fields(const DecodedRecord& record) {
    std::vector<NamedValue> out;
    ForEachDecodedField(record, [&](const DecodedField& f) {
        out.push_back({std::string(f.Name), Format(f)});
    });
    return out;
}

// The value of the first field of that name, or "<missing>".
inline std::string ValueOf(const std::vector<NamedValue>& fields, const std::string& name) {
    for (const NamedValue& f : fields) {
        if (f.Name == name) return f.Value;
    }
    return "<missing>";
}

inline DecodedRecord Decode(const AisBitBuffer& bits, bool* ok = nullptr) {
    DecodedRecord record{};
    const bool decoded = DecodeMessage(bits, record);
    if (ok != nullptr) *ok = decoded;
    return record;
}

// A Class A position report (message 1 to 3).
inline AisBitBuffer PositionReport(std::uint32_t mmsi, int lonRaw = 2700000, int latRaw = 31350000,
                                   int timeStamp = 33, int id = 1) {
    return BitWriter{}
        .U(6, id)
        .U(2, 0)
        .U(30, mmsi)
        .U(4, 0)
        .S(8, -32)
        .U(10, 123)
        .U(1, 1)
        .S(28, lonRaw)
        .S(27, latRaw)
        .U(12, 1234)
        .U(9, 125)
        .U(6, timeStamp)
        .U(4, 0)
        .U(1, 0)
        .U(1, 1)
        .U(19, 2341)
        .Done();
}

}  // namespace navoro::test
