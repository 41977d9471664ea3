#include "tools/sim/SentenceText.h"

#include <cstdarg>
#include <cstdio>

#include "codec/Framing.h"

namespace navoro::sim {

std::string Finish(std::string_view body) {
    std::string text(body);
    text.resize(body.size() + 6);  // "*hh\r\n" and the NUL
    text[body.size()] = '\0';
    AppendChecksum(text.data());
    text.resize(body.size() + 5);
    return text;
}

bool Split(std::string_view line, SplitSentence& out) {
    if (line.size() < 6 || (line[0] != '$' && line[0] != '!')) return false;
    if (line.find('\0') != std::string_view::npos) return false;
    const std::string text(line);
    if (!CheckFraming(text.c_str(), text.size())) return false;
    const std::size_t star = text.find('*');
    const std::string body = text.substr(1, star - 1);
    out = SplitSentence{};
    out.Start = line[0];
    std::size_t begin = 0;
    bool first = true;
    for (;;) {
        const std::size_t comma = body.find(',', begin);
        std::string field =
            body.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
        if (first) {
            out.Address = std::move(field);
            first = false;
        } else {
            out.Fields.push_back(std::move(field));
        }
        if (comma == std::string::npos) break;
        begin = comma + 1;
    }
    return !out.Address.empty();
}

Number WholeNumber(std::string_view field) {
    Number n;
    if (field.empty()) {
        n.Empty = true;
        return n;
    }
    bool negative = false;
    if (field[0] == '-') {
        negative = true;
        field.remove_prefix(1);
    }
    if (field.empty() || field.size() > 10) return n;
    long long value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') return n;
        value = value * 10 + (c - '0');
    }
    n.Ok = true;
    n.Value = static_cast<long>(negative ? -value : value);
    return n;
}

Number Tenths(std::string_view field) {
    Number n;
    if (field.empty()) {
        n.Empty = true;
        return n;
    }
    const std::size_t point = field.find('.');
    const std::string_view whole = field.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : field.substr(point + 1);
    if (whole.empty() || whole.size() > 6 || fraction.size() > 6) return n;
    long value = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9') return n;
        value = value * 10 + (c - '0');
    }
    int tenth = 0;
    int hundredth = 0;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (c < '0' || c > '9') return n;
        if (i == 0) tenth = c - '0';
        if (i == 1) hundredth = c - '0';
    }
    n.Ok = true;
    n.Value = value * 10 + tenth + (hundredth >= 5 ? 1 : 0);
    return n;
}

std::string HexEncode(std::string_view text) {
    std::string hex;
    char pair[3];
    for (const char c : text) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        hex += pair;
    }
    return hex;
}

bool HexDecode(std::string_view hex, std::string& text) {
    if (hex.size() % 2 != 0) return false;
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
    }
    text = std::move(out);
    return true;
}

}  // namespace navoro::sim
