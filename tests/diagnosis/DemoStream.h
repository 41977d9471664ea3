#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "DiagnosisTestSupport.h"

namespace navoro::test {

// Second `t` of a transponder's output, each line with its checksum and CR
// LF: RMC, GGA, GSA, three GSV of 11 slowly turning satellites, VTG, ZDA, the
// own ship's position report (!AIVDO, channels A and B in turn) and another
// station's (!AIVDM).
inline std::vector<std::string> DemoSecond(int t) {
    std::vector<std::string> lines;
    char body[160];
    const int hh = 9, mm = 27 + t / 60, ss = t % 60;
    const double lat = 53.36 + t * 0.0001, lon = -6.505 + t * 0.00015;
    const auto latText = [](double v, char* out, std::size_t size) {
        const double a = std::fabs(v);
        std::snprintf(out, size, "%02d%07.4f,%c", static_cast<int>(a),
                      (a - static_cast<int>(a)) * 60, v >= 0 ? 'N' : 'S');
    };
    const auto lonText = [](double v, char* out, std::size_t size) {
        const double a = std::fabs(v);
        std::snprintf(out, size, "%03d%07.4f,%c", static_cast<int>(a),
                      (a - static_cast<int>(a)) * 60, v >= 0 ? 'E' : 'W');
    };
    char la[32], lo[32];
    latText(lat, la, sizeof la);
    lonText(lon, lo, sizeof lo);
    std::snprintf(body, sizeof body, "$GPRMC,%02d%02d%02d.00,A,%s,%s,11.8,72.5,280524,,,A", hh, mm,
                  ss, la, lo);
    lines.push_back(Sentence(body));
    std::snprintf(body, sizeof body, "$GPGGA,%02d%02d%02d.00,%s,%s,1,09,0.9,12.0,M,55.2,M,,", hh,
                  mm, ss, la, lo);
    lines.push_back(Sentence(body));
    lines.push_back(Sentence("$GPGSA,A,3,02,05,07,10,13,15,18,23,29,,,,1.6,0.9,1.3"));
    struct Sat {
        int Prn, El, Az, Snr;
    };
    const Sat sats[] = {{2, 67, 40, 46},  {5, 52, 128, 44},  {7, 23, 300, 38},  {10, 41, 210, 42},
                        {13, 12, 75, 31}, {15, 78, 330, 48}, {18, 35, 168, 40}, {20, 6, 252, 22},
                        {23, 29, 17, 39}, {26, 9, 110, 0},   {29, 58, 260, 45}};
    const int count = static_cast<int>(std::size(sats));
    const int total = (count + 3) / 4;
    for (int n = 1; n <= total; ++n) {
        std::string gsv = "$GPGSV," + std::to_string(total) + "," + std::to_string(n) + "," +
                          std::to_string(count);
        for (int i = (n - 1) * 4; i < std::min(count, n * 4); ++i) {
            const int az = (sats[i].Az + t / 4) % 360;
            const int snr = sats[i].Snr == 0 ? 0 : sats[i].Snr + (t + i) % 5 - 2;
            char block[64];
            std::snprintf(block, sizeof block, ",%02d,%02d,%03d,%02d", sats[i].Prn, sats[i].El, az,
                          snr);
            gsv += block;
        }
        lines.push_back(Sentence(gsv));
    }
    lines.push_back(Sentence("$GPVTG,72.5,T,,M,11.8,N,21.9,K,A"));
    std::snprintf(body, sizeof body, "$GPZDA,%02d%02d%02d.00,28,05,2024,00,00", hh, mm, ss);
    lines.push_back(Sentence(body));
    OwnReport own;
    own.Mmsi = 244123456;
    own.Lon = lon;
    own.Lat = lat;
    own.Sog = 11.8;
    own.Cog = 72.5;
    own.TimeStamp = ss;
    lines.push_back(PositionReportSentence("VDO", t % 2 ? "B" : "A", own));
    OwnReport other;
    other.Mmsi = 211000000 + static_cast<std::uint32_t>(t % 7);
    lines.push_back(PositionReportSentence("VDM", t % 3 ? "A" : "B", other));
    return lines;
}

}  // namespace navoro::test
