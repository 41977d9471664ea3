// GBS, GST and GRS - error estimates and range residuals of the fix.
//
//   $GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972*4D
//    1      time, UTC
//    2-4    expected errors of latitude, longitude and altitude, m
//    5      number of the satellite most likely failed (blank: 255)
//    6      probability of missed detection
//    7, 8   bias estimate and its standard deviation
//    9, 10  system ID and signal ID, hex digits (the multi-constellation form)
//
//   $GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031*6A
//    1      time, UTC
//    2-8    RMS, error ellipse major and minor axis and orientation,
//           latitude, longitude and altitude errors
//
//   $GPGRS,220320.0,0,-0.8,-0.2,-0.1,-0.2,0.8,0.6,,,,,,*79
//    1      time, UTC
//    2      mode: 0 residuals used in the fix, 1 computed after it
//    3-14   range residuals of the satellites, m
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

float Real(FieldReader& f) {
    return static_cast<float>(f.Real(kBlankReal));
}

}  // namespace

bool ParseGbs(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count != 8 && count != 10) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GbsRecord& r = record.Gbs;
    f.Time(r.Time);
    r.ErrLat = Real(f);
    r.ErrLon = Real(f);
    r.ErrAlt = Real(f);
    r.FailedSatellite = static_cast<std::uint8_t>(f.Int(255));
    r.Probability = Real(f);
    r.Bias = Real(f);
    r.BiasStdDev = Real(f);
    r.SystemId = count == 10 ? f.HexId() : kBlankByte;
    r.SignalId = count == 10 ? f.HexId() : kBlankByte;
    return f.Ok();
}

bool ParseGst(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    GstRecord& r = record.Gst;
    f.Time(r.Time);
    r.Rms = Real(f);
    r.MajorAxis = Real(f);
    r.MinorAxis = Real(f);
    r.Orientation = Real(f);
    r.LatError = Real(f);
    r.LonError = Real(f);
    r.AltError = Real(f);
    return f.Ok();
}

bool ParseGrs(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 14);
    if (!f.Ok()) return false;
    GrsRecord& r = record.Grs;
    f.Time(r.Time);
    r.ModeChar = f.Char();
    for (float& residual : r.Residuals)
        residual = Real(f);
    return f.Ok();
}

}  // namespace navoro
