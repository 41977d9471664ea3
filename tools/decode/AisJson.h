#pragma once

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "ais/DecodedFields.h"
#include "tools/decode/FloatText.h"

namespace navoro {

// True when every field name of the message tables can be written into JSON
// between quotes as it is.
constexpr bool PlainFieldNames() {
    for (const AisMessageTable& table : kMessageTables) {
        for (int f = 0; f < table.Count; ++f) {
            for (const char* p = table.Fields[f].Name; *p != '\0'; ++p) {
                if (*p < 0x20 || *p >= 0x7F || *p == '"' || *p == '\\') return false;
            }
        }
    }
    return true;
}
static_assert(PlainFieldNames());

// Appends the AIS members of a line that completed a message that decoded:
//   ,"channel":"A","ais":{"type":1,"fields":[{"name":"Message ID","value":1},...]}
// Every field of the message's table in table order (message 22 in addressed
// form adds its two destination IDs), fields past the end of a short message as
// 0 or "". Integers are printed as stored, floats as printf's "%.9g" (they read
// back as the same 32-bit float), texts as they are. An empty channel field
// gives "".
inline void AppendAisJson(std::string& out, char channel, const DecodedRecord& record) {
    // The longest object: 23 fields of at most 80 characters around a value of
    // at most 16, and texts of at most 171 characters, each escaped to at most 6.
    char text[23 * 96 + 6 * DecodedRecord::kSize + 64];
    char* p = text;
    auto raw = [&p](std::string_view s) {
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    };
    raw(",\"channel\":\"");
    if (channel > ' ' && channel < 0x7F && channel != '"' && channel != '\\') *p++ = channel;
    raw("\",\"ais\":{\"type\":");
    p = std::to_chars(p, p + 3, static_cast<unsigned>(record.Bytes[0])).ptr;
    raw(",\"fields\":[");
    bool first = true;
    ForEachDecodedField(record, [&](const DecodedField& f) {
        raw(first ? "{\"name\":\"" : ",{\"name\":\"");
        first = false;
        raw(f.Name);  // plain, see PlainFieldNames
        raw("\",\"value\":");
        if (f.IsText()) {
            static constexpr char kHex[] = "0123456789abcdef";
            *p++ = '"';
            for (const char ch : f.Text) {
                const auto c = static_cast<unsigned char>(ch);
                if (c == '"' || c == '\\') {
                    *p++ = '\\';
                    *p++ = static_cast<char>(c);
                } else if (c < 0x20 || c >= 0x7F) {
                    raw("\\u00");
                    *p++ = kHex[c >> 4];
                    *p++ = kHex[c & 0x0F];
                } else {
                    *p++ = static_cast<char>(c);
                }
            }
            *p++ = '"';
        } else if (f.IsFloat()) {
            if (std::isfinite(f.Float)) {
                p = FormatFloatG9(p, f.Float);
            } else {
                raw("null");  // never from the decoder's tables
            }
        } else {
            p = std::to_chars(p, p + 10, f.Integer).ptr;
        }
        *p++ = '}';
    });
    raw("]}");
    out.append(text, static_cast<std::size_t>(p - text));
}

}  // namespace navoro
