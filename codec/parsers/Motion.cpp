// VTG, HDT, ROT, VBW and OSD - course, heading, rate of turn and speeds.
//
//   $GPVTG,31.66,T,,M,0.02,N,0.04,K,A*09
//    1, 2  course over ground, degrees true, and "T"
//    3, 4  course over ground, degrees magnetic, and "M"
//    5, 6  speed over ground, knots, and "N"
//    7, 8  speed over ground, km/h, and "K"
//    9     mode indicator (absent in the 8-field form of older receivers: NUL)
//
//   $HEHDT,274.07,T*19     heading (blank: 511), "T"
//   $HEROT,-0.3,A*05       rate of turn, degrees per minute, status
//
//   $VWVBW,12.3,0.07,A,11.78,0.12,A*79
//    1-3   longitudinal and transverse speed through the water, status
//    4-6   longitudinal and transverse speed over ground, status
//
//   $RAOSD,35.1,A,36.0,P,10.2,P,15.3,0.1,N*41
//    1, 2  heading and its status
//    3, 4  course and its reference
//    5, 6  speed and its reference
//    7, 8  set and drift
//    9     speed units
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// A unit field is exactly one character (the blank marker counts); a blank
// unit is stored as 0x80.
char Unit(FieldReader& f) {
    const char* field = f.Next();
    if (std::strlen(field) != 1) f.Fail();
    return IsBlank(field) ? static_cast<char>(kBlankByte) : field[0];
}

float Real(FieldReader& f) {
    return static_cast<float>(f.Real(kBlankReal));
}

}  // namespace

bool ParseVtg(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count != 8 && count != 9) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    VtgRecord& r = record.Vtg;
    r.CogTrue = Real(f);
    r.CogTrueUnit = Unit(f);
    r.CogMagnetic = Real(f);
    r.CogMagneticUnit = Unit(f);
    r.SogKnots = Real(f);
    r.SogKnotsUnit = Unit(f);
    r.SogKmh = Real(f);
    r.SogKmhUnit = Unit(f);
    r.ModeIndicator = count == 9 ? f.Char() : '\0';
    return f.Ok();
}

bool ParseHdt(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    record.Hdt.Heading = static_cast<float>(f.Real(511.0));
    record.Hdt.Reference = f.Char();
    return f.Ok();
}

bool ParseRot(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    record.Rot.Rate = Real(f);
    record.Rot.Status = f.Char();
    return f.Ok();
}

bool ParseVbw(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 6);
    if (!f.Ok()) return false;
    VbwRecord& r = record.Vbw;
    r.WaterSpeedLong = static_cast<float>(f.Real());
    r.WaterSpeedTrans = static_cast<float>(f.Real());
    r.WaterStatus = f.Char();
    r.GroundSpeedLong = static_cast<float>(f.Real());
    r.GroundSpeedTrans = static_cast<float>(f.Real());
    r.GroundStatus = f.Char();
    return f.Ok();
}

bool ParseOsd(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 9);
    if (!f.Ok()) return false;
    OsdRecord& r = record.Osd;
    r.Heading = static_cast<float>(f.Real());
    r.HeadingStatus = f.Char();
    r.Course = static_cast<float>(f.Real());
    r.CourseReference = f.Char();
    r.Speed = static_cast<float>(f.Real());
    r.SpeedReference = f.Char();
    r.Set = static_cast<float>(f.Real());
    r.Drift = static_cast<float>(f.Real());
    r.SpeedUnits = f.Char();
    return f.Ok();
}

}  // namespace navoro
