// Composers of the GNSS and navigation sentences.
//
//   $GPGBS,015509.00,-0.03,-0.19,0.22,19,0.00,-0.35,6.97
//   $GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38
//   $GPRMC,092750.25,A,5330.00000,N,00615.00000,W,0.500,31.75,280511,,,A
//   $HEHDT,274.1,T      (heading 274.07)
#include <cmath>

#include "codec/composers/Composers.h"

namespace navoro {

namespace {

// Reals at or above -99999 are printed; -100000 means not available.
bool Available(float value) {
    return value >= -99999.0f;
}

// ddmm.mmmmm,N/S,dddmm.mmmmm,E/W, or four empty fields when either coordinate
// is not available (beyond 90.1 or 180.1 degrees, whatever its sign).
void PositionFields(SentenceWriter& out, float lat, float lon) {
    const float abs_lat = std::fabs(lat);
    const float abs_lon = std::fabs(lon);
    if (!(abs_lat <= 90.1f && abs_lon <= 180.1f)) {
        out.Raw(",,,,");
        return;
    }
    const NmeaAngle a = DegreesToNmea(abs_lat);
    out.Raw(',');
    out.Int(a.Degrees, 2);
    out.Int(a.Minutes, 2);
    out.Raw('.');
    out.Int(a.Fraction, 5);
    out.Raw(lat > 0 ? ",N," : ",S,");
    const NmeaAngle o = DegreesToNmea(abs_lon);
    out.Int(o.Degrees, 3);
    out.Int(o.Minutes, 2);
    out.Raw('.');
    out.Int(o.Fraction, 5);
    out.Raw(lon > 0 ? ",E" : ",W");
}

}  // namespace

void ComposeGbs(SentenceWriter& out, const SentenceRecord& record) {
    const GbsRecord& r = record.Gbs;
    out.Address('$', record.Header);
    out.TimeField(r.Time.Hour != 24, r.Time);
    out.FixedField(Available(r.ErrLat), r.ErrLat, 4, 2);
    out.FixedField(Available(r.ErrLon), r.ErrLon, 4, 2);
    out.FixedField(Available(r.ErrAlt), r.ErrAlt, 4, 2);
    out.IntField(r.FailedSatellite <= 99, r.FailedSatellite);
    out.FixedField(Available(r.Probability), r.Probability, 4, 2);
    out.FixedField(Available(r.Bias), r.Bias, 4, 2);
    out.FixedField(Available(r.BiasStdDev), r.BiasStdDev, 4, 2);
}

void ComposeGsa(SentenceWriter& out, const SentenceRecord& record) {
    const GsaRecord& r = record.Gsa;
    out.Address('$', record.Header);
    out.CharField(r.SelectionMode);
    out.IntField(true, r.FixMode);
    // The twelve satellite fields of the classic form.
    for (int i = 0; i < 12; ++i)
        out.IntField(r.SatelliteIds[i] > 0, r.SatelliteIds[i], 2);
    out.FixedField(Available(r.Pdop), r.Pdop, 4, 2);
    out.FixedField(Available(r.Hdop), r.Hdop, 4, 2);
    out.FixedField(Available(r.Vdop), r.Vdop, 4, 2);
}

void ComposeRmc(SentenceWriter& out, const SentenceRecord& record) {
    const RmcRecord& r = record.Rmc;
    out.Address('$', record.Header);
    out.TimeField(r.Time.Hour != 24, r.Time);
    out.CharField(r.Status);
    PositionFields(out, r.Lat, r.Lon);
    out.FixedField(Available(r.Sog), r.Sog, 5, 3);
    out.FixedField(Available(r.Cog), r.Cog, 4, 2);
    // ddmmyy: only a year the two digits can carry.
    out.Empty();
    if (r.Date.Year >= 2000 && r.Date.Year <= 2099 && r.Date.Day <= 99 && r.Date.Month <= 99) {
        out.Int(r.Date.Day, 2);
        out.Int(r.Date.Month, 2);
        out.Int(r.Date.Year - 2000, 2);
    }
    out.FixedField(Available(r.MagVar), r.MagVar, 4, 2);
    if (static_cast<unsigned char>(r.MagVarDir) != 0x80) {
        out.CharField(r.MagVarDir);
    } else {
        out.Empty();
    }
    out.CharField(r.ModeIndicator);
}

void ComposeHdt(SentenceWriter& out, const SentenceRecord& record) {
    const float heading = record.Hdt.Heading;
    out.Address('$', record.Header);
    out.FixedField(heading >= 0.0f && heading <= 360.0f, heading, 3, 1);
    out.Raw(",T");
}

}  // namespace navoro
