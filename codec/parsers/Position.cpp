// GLL, RMC, RMA and WPL - positions.
//
//   $GPGLL,4916.45,N,12311.12,W,225444,A,A*5C
//    1-4  latitude, N/S, longitude, E/W
//    5    time, UTC
//    6    status: A valid, V not valid
//    7    mode indicator (absent in the 6-field form of older receivers: NUL)
//
//   $GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*43
//    1      time, UTC
//    2      status: A valid, V warning
//    3-6    latitude, N/S, longitude, E/W
//    7      speed over ground, knots
//    8      course over ground, degrees true
//    9      date, ddmmyy
//    10, 11 magnetic variation and its direction, E/W
//    12     mode indicator (absent in the 11-field form: 'A')
//    13     navigational status (13-field form only)
//
//   $GPRMA,A,4916.45,N,12311.12,W,,,12.3,44.0,3.2,E*6F
//    1    status; 2-5 latitude, N/S, longitude, E/W; the rest is not read
//
//   $GPWPL,4917.16,N,12310.64,W,003*65
//    1-4  latitude, N/S, longitude, E/W
//    5    waypoint identifier
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseGll(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count != 6 && count != 7) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GllRecord& r = record.Gll;
    f.LatLon(r.Lat, r.Lon);
    f.Time(r.Time);
    r.Status = f.Char();
    r.ModeIndicator = count == 7 ? f.Char() : '\0';
    return f.Ok();
}

bool ParseRmc(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count < 11 || count > 13) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    RmcRecord& r = record.Rmc;
    f.Time(r.Time);
    r.Status = f.Char();
    f.LatLon(r.Lat, r.Lon);
    r.Sog = static_cast<float>(f.Real(kBlankReal));
    r.Cog = static_cast<float>(f.Real(kBlankReal));
    f.Date(r.Date);
    r.MagVar = static_cast<float>(f.Real(kBlankReal));
    r.MagVarDir = f.Char(static_cast<char>(kBlankByte));
    r.ModeIndicator = count >= 12 ? f.Char() : 'A';
    r.NavStatus = count == 13 ? f.Char() : '\0';
    return f.Ok();
}

bool ParseRma(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count < 5) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    RmaRecord& r = record.Rma;
    r.Status = f.Char();
    f.LatLon(r.Lat, r.Lon);
    return f.Ok();
}

bool ParseWpl(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    WplRecord& r = record.Wpl;
    f.LatLon(r.Lat, r.Lon);
    f.Text(r.WaypointId);
    return f.Ok();
}

}  // namespace navoro
