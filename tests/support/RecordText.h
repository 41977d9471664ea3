#pragma once

#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>

#include "codec/RecordFields.h"

namespace navoro::test {

// Renders every member of a parsed record as "Name=value" separated by
// blanks, so a test can compare a whole record with one expected text:
// numbers as numbers (reals with %g), characters as themselves (\xNN when not
// printable), texts in quotes (blanks as they are), arrays in brackets, times as hh:mm:ss.hh,
// positions as (lat,lon) and dates as y-m-d.
class RecordText {
  public:
    template <class T>
    void operator()(const char* name, const T& value) {
        if (!text.empty()) text += ' ';
        text += name;
        text += '=';
        Value(value);
    }

    std::string text;

  private:
    template <std::size_t N>
    void Value(const char (&chars)[N]) {
        text += '"';
        for (std::size_t i = 0; i < N && chars[i] != '\0'; ++i) {
            if (chars[i] == ' ') {
                text += ' ';
            } else {
                Char(chars[i]);
            }
        }
        text += '"';
    }
    void Value(char c) { Char(c); }
    template <class T, std::size_t N>
    void Value(const T (&values)[N]) {
        text += '[';
        for (std::size_t i = 0; i < N; ++i) {
            if (i != 0) text += ',';
            Value(values[i]);
        }
        text += ']';
    }
    template <class T>
    void Value(std::span<const T> values) {
        text += '[';
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i != 0) text += ',';
            Value(values[i]);
        }
        text += ']';
    }
    template <class T>
    requires std::is_arithmetic_v<T>
    void Value(T value) {
        if constexpr (std::is_floating_point_v<T>) {
            Print("%g", static_cast<double>(value));
        } else {
            text += std::to_string(static_cast<long long>(value));
        }
    }
    void Value(const TimeOfDay& t) {
        Print("%02d:%02d:%02d.%02d", t.Hour, t.Minute, t.Second, t.Hundredths);
    }
    void Value(const DateOfYear& d) { Print("%d-%d-%d", d.Year, d.Month, d.Day); }
    void Value(const LatLon& p) {
        Print("(%g,%g)", static_cast<double>(p.Lat), static_cast<double>(p.Lon));
    }

    void Char(char c) {
        if (c > ' ' && c < 0x7F) {
            text += c;
        } else {
            Print("\\x%02X", static_cast<unsigned char>(c));
        }
    }
    template <class... A>
    void Print(const char* format, A... args) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, format, args...);
        text += buffer;
    }
};

// The members of the record the header's formatter lays out.
inline std::string Render(const SentenceRecord& record) {
    RecordText out;
    VisitRecordFields(record, out);
    return out.text;
}

}  // namespace navoro::test
