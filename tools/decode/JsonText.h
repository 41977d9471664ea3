#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace navoro {

// Minimal JSON output helpers that append to a string. Every byte of a text is
// written so that the result is valid JSON: '"', '\' and control characters are
// escaped, and bytes of 0x80 and above are written as \u00XX.
inline void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    // Runs of bytes that need no escape are appended whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool plain = c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
        if (plain) continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else {
            out.append("\\u00");
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        }
    }
    out.append(text.data() + run, text.size() - run);
    out.push_back('"');
}

template <class T>
void AppendJsonNumber(std::string& out, T value) {
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) {
            out.append("null");
            return;
        }
    }
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

inline void AppendJsonKey(std::string& out, std::string_view key) {
    AppendJsonString(out, key);
    out.push_back(':');
}

}  // namespace navoro
