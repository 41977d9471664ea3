#pragma once

#include <cstdint>

namespace navoro {

// The satellite systems a GNSS receiver reports, and how a satellite is named
// across them. A satellite is its constellation and its number: GPS 5 and
// Galileo 5 are two satellites.
enum class Constellation : std::uint8_t {
    Unknown = 0,
    Gps,
    Glonass,
    Galileo,
    BeiDou,
    Qzss,
    NavIc,
    Sbas,
};
inline constexpr int kConstellationCount = 8;

// The constellation a talker reports: GP GPS, GL GLONASS, GA Galileo, GB and BD
// BeiDou, GQ QZSS, GI NavIC; Unknown for GN (several systems) and any other.
constexpr Constellation ConstellationOfTalker(const char* talker) {
    if (talker[0] == 'B' && talker[1] == 'D') return Constellation::BeiDou;
    if (talker[0] != 'G') return Constellation::Unknown;
    switch (talker[1]) {
        case 'P':
            return Constellation::Gps;
        case 'L':
            return Constellation::Glonass;
        case 'A':
            return Constellation::Galileo;
        case 'B':
            return Constellation::BeiDou;
        case 'Q':
            return Constellation::Qzss;
        case 'I':
            return Constellation::NavIc;
        default:
            return Constellation::Unknown;
    }
}

// The constellation of a system ID (the last field of GSA, GBS): 1 GPS,
// 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC; Unknown otherwise.
constexpr Constellation ConstellationOfSystemId(int systemId) {
    return systemId >= 1 && systemId <= 6 ? static_cast<Constellation>(systemId)
                                          : Constellation::Unknown;
}

struct SatelliteName {
    Constellation System = Constellation::Unknown;
    std::int16_t Number = 0;
};

// The satellite a number names under a talker's (or system ID's)
// constellation. Under GPS and under no known system the older single
// numbering applies: 1-32 GPS, 33-64 SBAS, 65-96 GLONASS, 193-200 QZSS (as
// 1-8), 201-263 and 401-437 BeiDou (as 1-63 and 1-37), 301-336 Galileo (as
// 1-36). GLONASS keeps its numbers 65-96 (and 1-32 as sent); every other
// system keeps the number as sent.
constexpr SatelliteName NameSatellite(Constellation talker, int number) {
    const auto name = [](Constellation c, int n) {
        return SatelliteName{c, static_cast<std::int16_t>(n)};
    };
    if (talker != Constellation::Gps && talker != Constellation::Unknown)
        return name(talker, number);
    if (number >= 1 && number <= 32) return name(Constellation::Gps, number);
    if (number >= 33 && number <= 64) return name(Constellation::Sbas, number);
    if (number >= 65 && number <= 96) return name(Constellation::Glonass, number);
    if (number >= 193 && number <= 200) return name(Constellation::Qzss, number - 192);
    if (number >= 201 && number <= 263) return name(Constellation::BeiDou, number - 200);
    if (number >= 301 && number <= 336) return name(Constellation::Galileo, number - 300);
    if (number >= 401 && number <= 437) return name(Constellation::BeiDou, number - 400);
    return name(talker == Constellation::Gps ? Constellation::Gps : Constellation::Unknown, number);
}

// The letter a satellite's label starts with: G GPS, R GLONASS, E Galileo,
// C BeiDou, J QZSS, I NavIC, S SBAS, ? unknown.
constexpr char ConstellationLetter(Constellation c) {
    constexpr char kLetters[kConstellationCount + 1] = "?GRECJIS";
    const int i = static_cast<int>(c);
    return i < kConstellationCount ? kLetters[i] : '?';
}

// The short label of a satellite, for example "G05", "R65", "C08": the letter
// and at least two digits, NUL-terminated (at most 5 characters and the NUL).
inline void SatelliteLabel(const SatelliteName& s, char (&out)[6]) {
    int n = s.Number < 0 ? 0 : (s.Number > 999 ? 999 : s.Number);
    out[0] = ConstellationLetter(s.System);
    int i = 1;
    if (n >= 100) out[i++] = static_cast<char>('0' + n / 100);
    out[i++] = static_cast<char>('0' + n / 10 % 10);
    out[i++] = static_cast<char>('0' + n % 10);
    out[i] = '\0';
}

}  // namespace navoro
