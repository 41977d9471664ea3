#include "diagnosis/PositionFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace navoro {

namespace {

// Far beyond any coordinate; keeps the integer conversions below defined for
// whatever a store holds (infinities and NaN included).
constexpr double kLimit = 1.0e6;

double Bounded(double value) {
    if (std::isnan(value)) return 0.0;
    if (value > kLimit) return kLimit;
    if (value < -kLimit) return -kLimit;
    return value;
}

std::string FormatOne(double value, int style, std::string_view mark, char letter) {
    value = Bounded(value);
    const int degrees = static_cast<int>(value);  // toward zero
    const double minutesExact = std::fabs(value - degrees) * 60.0;
    const auto minutes = static_cast<unsigned>(minutesExact);
    const double rest = minutesExact - minutes;
    const std::string markText(mark);
    char buffer[64];
    switch (style) {
        case 1:
            std::snprintf(buffer, sizeof buffer, "%3d%s%02u'%c", std::abs(degrees),
                          markText.c_str(), minutes, letter);
            break;
        case 2:
            std::snprintf(buffer, sizeof buffer, "%3d%s%02u'%02u\"%c", std::abs(degrees),
                          markText.c_str(), minutes, static_cast<unsigned>(rest * 60.0), letter);
            break;
        case 3:
            std::snprintf(buffer, sizeof buffer, "%3d%s%02d.%04d'%c", std::abs(degrees),
                          markText.c_str(), static_cast<int>(minutes),
                          static_cast<int>(rest * 10000.0), letter);
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "%3d%s%c", std::abs(degrees), markText.c_str(),
                          letter);
            break;
    }
    return buffer;
}

}  // namespace

void FormatPosition(std::string& lonText, std::string& latText, double lon, double lat, int style,
                    int mark) {
    const std::string_view degreeMark = (mark == 1 || style == 3) ? kBig5DegreeSign : kDegreeSign;
    lonText = FormatOne(lon, style, degreeMark, lon >= 0 ? 'E' : 'W');
    latText = FormatOne(lat, style, degreeMark, lat >= 0 ? 'N' : 'S');
}

std::string DegreeSignsToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0xA2 && i + 1 < bytes.size() && bytes[i + 1] == '\x58') {
            out += "\xC2\xB0";
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace navoro
