// GGA - fix data, and GNS - fix data of a multi-constellation receiver.
//
//   $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//    1      time of the fix, UTC
//    2-5    latitude, N/S, longitude, E/W
//    6      quality: 0 no fix, 1 GPS, 2 DGPS, 3 PPS, ...
//    7      satellites in use, 0-99 (other values stored as 0)
//    8      HDOP (below 0 or above 99.9 stored as 99.9)
//    9, 10  antenna altitude and its unit
//    11, 12 geoid separation and its unit
//    13     age of the DGPS data, s
//    14     DGPS station, 0-1023 (other values stored as 1023)
//
//   $GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,*4D
//    1      time, UTC
//    2-5    latitude, N/S, longitude, E/W
//    6      mode indicator, one letter per constellation (the first two kept)
//    7      satellites in use (the first two characters kept)
//    8      HDOP (below 0 or above 99.9 rejects the sentence)
//    9      altitude, m
//    10     geoid separation, m
//    11     age of the DGPS data, s
//    12     DGPS station
//    13     navigational status (newer receivers only): S, C, U or V
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// HDOP is kept between 0 and 99.9; -100000 means not available.
bool HdopInRange(float hdop) {
    return hdop == kBlankReal || (hdop >= 0.0f && hdop <= 99.9f);
}

// The first two characters of a field (the second is NUL for a one-character field).
void FirstTwo(const char* field, char (&dst)[2]) {
    dst[0] = field[0];
    dst[1] = field[0] != '\0' ? field[1] : '\0';
}

}  // namespace

bool ParseGga(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 14);
    if (!f.Ok()) return false;
    GgaRecord& r = record.Gga;
    f.Time(r.Time);
    f.LatLon(r.Lat, r.Lon);
    r.Quality = static_cast<std::int8_t>(f.Int(kBlankByte));
    long used;
    if (!f.TryInt(used)) {
        r.SatellitesUsed = kBlankByte;
    } else {
        r.SatellitesUsed = static_cast<std::int8_t>(used >= 0 && used <= 99 ? used : 0);
    }
    r.Hdop = static_cast<float>(f.Real(kBlankReal));
    if (!HdopInRange(r.Hdop)) r.Hdop = 99.9f;
    r.Altitude = static_cast<float>(f.Real(kBlankReal));
    r.AltitudeUnit = f.Char();
    r.GeoidSeparation = static_cast<float>(f.Real(kBlankReal));
    r.GeoidUnit = f.Char();
    r.DgpsAge = static_cast<float>(f.Real(kBlankReal));
    const long station = f.Int(-1);
    r.DgpsStation = static_cast<std::int16_t>(
        station == -1 || (station >= 0 && station <= 1023) ? station : 1023);
    return f.Ok();
}

bool ParseGns(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count != 12 && count != 13) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GnsRecord& r = record.Gns;
    f.Time(r.Time);
    f.LatLon(r.Lat, r.Lon);
    FirstTwo(f.Next(), r.ModeChars);
    FirstTwo(f.Next(), r.SatelliteChars);
    r.Hdop = static_cast<float>(f.Real(kBlankReal));
    if (!HdopInRange(r.Hdop)) return false;
    r.Altitude = static_cast<float>(f.Real(kBlankReal));
    r.GeoidSeparation = static_cast<float>(f.Real(kBlankReal));
    r.DgpsAge = static_cast<float>(f.Real(kBlankReal));
    r.DgpsStation = static_cast<float>(f.Real(kBlankReal));
    r.NavStatus = count == 13 ? f.Char() : '\0';
    return f.Ok();
}

}  // namespace navoro
