// ZDA - time and date, and DTM - datum reference.
//
//   $GPZDA,201530.00,04,07,2002,00,00*60
//    1    time, UTC
//    2    day, 1-31
//    3    month, 1-12
//    4    year (blank: -1)
//    5    local zone hours, -13..13
//    6    local zone minutes, 0-59
//
//   $GPDTM,W84,,0.0,N,0.0,E,0.0,W84*6F
//    1    local datum code (up to 3 characters)
//    2    datum subdivision code
//    3-6  latitude offset, N/S, longitude offset, E/W (converted like a position)
//    7    altitude offset, m
//    8    reference datum code
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseZda(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 6);
    if (!f.Ok()) return false;
    ZdaRecord& r = record.Zda;
    f.Time(r.Time);
    r.Day = static_cast<std::int8_t>(f.IntIn(1, 31, kBlankByte));
    r.Month = static_cast<std::int8_t>(f.IntIn(1, 12, kBlankByte));
    r.Year = static_cast<std::int16_t>(f.Int(-1));
    r.ZoneHours = static_cast<std::int8_t>(f.IntIn(-13, 13, kBlankByte));
    r.ZoneMinutes = static_cast<std::int8_t>(f.IntIn(0, 59, kBlankByte));
    return f.Ok();
}

bool ParseDtm(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    DtmRecord& r = record.Dtm;
    f.Text(r.Datum);
    r.Subdivision = f.Char();
    f.LatLon(r.Offset);
    r.AltitudeOffset = static_cast<float>(f.Real());
    f.Text(r.ReferenceDatum);
    return f.Ok();
}

}  // namespace navoro
