#pragma once

#include <cstring>
#include <span>
#include <string>
#include <type_traits>

#include "codec/Fields.h"
#include "codec/RecordFields.h"
#include "tools/decode/JsonText.h"

namespace navoro {

// Writes the members of a parsed record as the members of a JSON object:
// numbers as numbers, texts and single characters as strings, times, dates and
// positions as small objects, arrays of numbers as arrays.
class RecordJson {
  public:
    explicit RecordJson(std::string& out) : out_(out) {}

    template <class T>
    void operator()(const char* name, const T& value) {
        Separator();
        AppendJsonKey(out_, name);
        Value(value);
    }

  private:
    void Separator() {
        if (!first_) out_.push_back(',');
        first_ = false;
    }

    template <std::size_t N>
    void Value(const char (&text)[N]) {
        AppendJsonString(out_, std::string_view(text, strnlen(text, N)));
    }
    void Value(char c) {
        AppendJsonString(out_, c == '\0' ? std::string_view() : std::string_view(&c, 1));
    }
    template <class T, std::size_t N>
    void Value(const T (&values)[N]) {
        out_.push_back('[');
        for (std::size_t i = 0; i < N; ++i) {
            if (i != 0) out_.push_back(',');
            Value(values[i]);
        }
        out_.push_back(']');
    }
    template <class T>
    void Value(std::span<const T> values) {
        out_.push_back('[');
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i != 0) out_.push_back(',');
            Value(values[i]);
        }
        out_.push_back(']');
    }
    template <class T>
    requires std::is_arithmetic_v<T>
    void Value(T value) {
        if constexpr (std::is_integral_v<T> && sizeof(T) == 1) {
            AppendJsonNumber(out_, static_cast<int>(value));
        } else {
            AppendJsonNumber(out_, value);
        }
    }
    void Value(const TimeOfDay& t) {
        RecordJson inner = Nested();
        inner("Hour", t.Hour);
        inner("Minute", t.Minute);
        inner("Second", t.Second);
        inner("Hundredths", t.Hundredths);
        out_.push_back('}');
    }
    void Value(const DateOfYear& d) {
        RecordJson inner = Nested();
        inner("Year", d.Year);
        inner("Month", d.Month);
        inner("Day", d.Day);
        out_.push_back('}');
    }
    void Value(const LatLon& p) {
        RecordJson inner = Nested();
        inner("Lat", p.Lat);
        inner("Lon", p.Lon);
        out_.push_back('}');
    }
    RecordJson Nested() {
        out_.push_back('{');
        return RecordJson(out_);
    }

    std::string& out_;
    bool first_ = true;
};

}  // namespace navoro
