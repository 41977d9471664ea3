#pragma once

#include <cmath>
#include <cstdio>
#include <string>

#include "ais/DecodedFields.h"
#include "tools/decode/JsonText.h"

namespace navoro {

// Appends the AIS members of a line that completed a message that decoded:
//   ,"channel":"A","ais":{"type":1,"fields":[{"name":"Message ID","value":1},...]}
// Every field of the message's table in table order (message 22 in addressed
// form adds its two destination IDs), fields past the end of a short message as
// 0 or "". Integers are printed as stored, floats so that they read back as the
// same 32-bit float, texts as they are. An empty channel field gives "".
inline void AppendAisJson(std::string& out, char channel, const DecodedRecord& record) {
    out.append(",\"channel\":");
    const bool letter = channel > ' ' && channel < 0x7F;
    AppendJsonString(out, letter ? std::string_view(&channel, 1) : std::string_view());
    out.append(",\"ais\":{\"type\":");
    AppendJsonNumber(out, static_cast<int>(record.Bytes[0]));
    out.append(",\"fields\":[");
    bool first = true;
    ForEachDecodedField(record, [&](const DecodedField& f) {
        out.append(first ? "{\"name\":" : ",{\"name\":");
        first = false;
        AppendJsonString(out, f.Name);
        out.append(",\"value\":");
        if (f.IsText()) {
            AppendJsonString(out, f.Text);
        } else if (f.IsFloat()) {
            if (std::isfinite(f.Float)) {
                char text[32];
                const int n =
                    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(f.Float));
                out.append(text, static_cast<std::size_t>(n));
            } else {
                out.append("null");
            }
        } else {
            AppendJsonNumber(out, f.Integer);
        }
        out.push_back('}');
    });
    out.append("]}");
}

}  // namespace navoro
