#include "codec/Fields.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace navoro {

bool ExpandEmptyFields(char* text) {
    // The result is the text plus one blank per empty field; it fails as soon
    // as it would reach 99 characters. The text between two empty fields is
    // copied as a whole.
    char work[kExpandBufferSize];
    std::size_t count = 0;
    const char* from = text;
    for (const char* p = std::strchr(text, ','); p != nullptr; p = std::strchr(p + 1, ',')) {
        if (p[1] != ',' && p[1] != '*') continue;
        const std::size_t n = static_cast<std::size_t>(p + 1 - from);
        if (count + n + 1 > kExpandedTextMax) return false;
        std::memcpy(work + count, from, n);
        count += n;
        work[count++] = ' ';
        from = p + 1;
    }
    const std::size_t rest = std::strlen(from);
    if (count + rest > kExpandedTextMax) return false;
    if (count == 0) return true;
    std::memcpy(work + count, from, rest + 1);
    std::memcpy(text, work, count + rest + 1);
    return true;
}

bool CountFields(const char* text, int n) {
    int commas = 0;
    for (const char* p = std::strchr(text, ','); p != nullptr; p = std::strchr(p + 1, ','))
        ++commas;
    return commas > 0 && commas == n;
}

char* Tokenizer::NextField(char* text, char delimiter) {
    char* start = text != nullptr ? text : position_;
    if (start == nullptr) return nullptr;
    char* end = std::strchr(start, delimiter);
    if (end == nullptr) {
        position_ = nullptr;
        return nullptr;
    }
    *end = '\0';
    position_ = end + 1;
    char* field = start;
    while (*field == ' ')
        ++field;
    return *field == '\0' ? start : field;
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

long Atol(const char* text) {
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    unsigned long value = 0;
    const unsigned long limit = negative ? static_cast<unsigned long>(LONG_MAX) + 1UL
                                         : static_cast<unsigned long>(LONG_MAX);
    bool saturated = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        if (value > (limit - digit) / 10) saturated = true;
        if (!saturated) value = value * 10 + digit;
    }
    if (saturated) return negative ? LONG_MIN : LONG_MAX;
    return negative ? static_cast<long>(0UL - value) : static_cast<long>(value);
}

double Atof(const char* text) {
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    const char* number = p;
    if (*number == '+') ++number;
    // from_chars does not read hexadecimal floats; leave those to strtod.
    const char* digits = (*number == '-') ? number + 1 : number;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return std::strtod(p, nullptr);
    double value = 0.0;
    const char* end = number + std::strlen(number);
    const auto result = std::from_chars(number, end, value);
    if (result.ec == std::errc::result_out_of_range) return std::strtod(p, nullptr);
    if (result.ec != std::errc{}) return 0.0;
    // from_chars accepts "-" before an unsigned part only; a "+-" prefix reads nothing.
    if (number != p && *number == '-') return 0.0;
    return value;
}

std::int64_t TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2233720368547758e18) return INT64_MAX;
    if (value <= -9.2233720368547758e18) return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

void CopyText(char* dst, std::size_t size, const char* src) {
    if (size == 0) return;
    std::size_t i = 0;
    for (; i + 1 < size && src[i] != '\0'; ++i)
        dst[i] = src[i];
    dst[i] = '\0';
}

void ConvertTime(const char* field, TimeOfDay& time) {
    if (IsBlank(field)) {
        time.Hour = 24;
        time.Minute = 60;
        time.Second = 60;
        return;
    }
    const double x = Atof(field);
    const double hour = std::trunc(x * 0.0001);
    const double minute = std::trunc((x - hour * 10000) * 0.01);
    const float s = static_cast<float>(x - hour * 10000 - minute * 100);
    const float second = std::trunc(s);
    const float hundredths = std::trunc(std::ceil((s - second) * 100));
    time.Hour = static_cast<std::uint8_t>(TruncToInt(hour));
    time.Minute = static_cast<std::uint8_t>(TruncToInt(minute));
    time.Second = static_cast<std::uint8_t>(TruncToInt(second));
    time.Hundredths = static_cast<std::uint8_t>(TruncToInt(hundredths));
}

char* ParseTime(Tokenizer& tok, const char* field, TimeOfDay& time) {
    ConvertTime(field, time);
    return tok.NextField(nullptr, ',');
}

float NmeaToDegrees(double value, float limit) {
    const double v = value * 0.01;
    const double d = std::trunc(v);
    const float r = static_cast<float>(d + (v - d) * 1.6666666666666667);
    return r > limit ? limit + 1 : r;
}

void ConvertLatLon(const char* latitude, const char* north_south, const char* longitude,
                   const char* east_west, LatLon& position) {
    position.Lat = IsBlank(latitude) ? 91.0f : NmeaToDegrees(Atof(latitude), 90.0f);
    if (north_south != nullptr && std::strcmp(north_south, "S") == 0) position.Lat = -position.Lat;
    if (longitude != nullptr && !IsBlank(longitude)) {
        position.Lon = NmeaToDegrees(Atof(longitude), 180.0f);
    } else {
        position.Lon = 181.0f;
    }
    if (east_west != nullptr && std::strcmp(east_west, "W") == 0) position.Lon = -position.Lon;
}

char* ParseLatLon(Tokenizer& tok, const char* latitude, LatLon& position) {
    const char* north_south = tok.NextField(nullptr, ',');
    const char* longitude = tok.NextField(nullptr, ',');
    const char* east_west = tok.NextField(nullptr, ',');
    ConvertLatLon(latitude, north_south, longitude, east_west, position);
    return tok.NextField(nullptr, ',');
}

void ConvertDate(const char* field, DateOfYear& date) {
    if (IsBlank(field)) {
        date = DateOfYear{0, 0, 0};
        return;
    }
    const long n = Atol(field);
    date.Year = static_cast<std::uint16_t>(n % 100 + 2000);
    date.Month = static_cast<std::uint8_t>((n / 100) % 100);
    date.Day = static_cast<std::uint8_t>(n / 10000);
}

char* ParseDate(Tokenizer& tok, const char* field, DateOfYear& date) {
    ConvertDate(field, date);
    return tok.NextField(nullptr, ',');
}

bool Converts(const char* field) {
    const char* p = field;
    while (IsSpace(*p))
        ++p;
    if (*p == '+' || *p == '-') ++p;
    if (*p == '.') ++p;
    return *p >= '0' && *p <= '9';
}

bool ParseHexByte(const char* text, std::uint8_t& byte) {
    std::uint8_t value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9') {
            digit = *p - '0';
        } else if (*p >= 'A' && *p <= 'F') {
            digit = *p - 'A' + 10;
        } else {
            return false;
        }
        value = static_cast<std::uint8_t>(value * 16 + digit);
    }
    byte = value;
    return true;
}

NmeaAngle DegreesToNmea(float degrees) {
    NmeaAngle a{};
    a.Degrees = static_cast<int>(TruncToInt(degrees));
    const float m = (degrees - static_cast<float>(a.Degrees)) * 60.0f;
    a.Minutes = static_cast<int>(TruncToInt(m));
    a.Fraction = static_cast<int>(TruncToInt((m - static_cast<float>(a.Minutes)) * 100000.0f));
    return a;
}

}  // namespace navoro
