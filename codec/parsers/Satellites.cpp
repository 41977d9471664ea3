// GSA - satellites in use and DOP, and GSV - satellites in view.
//
//   $GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38*0A
//   $GNGSA,A,3,65,66,81,,,,,,,,,,1.6,0.9,1.3,2*34
//    1      selection mode: M manual, A automatic
//    2      fix mode: 1 no fix, 2 2D, 3 3D
//    3-14   numbers of the satellites used (some receivers list up to 32)
//    15-17  PDOP, HDOP, VDOP
//    18     system ID, a hex digit (receivers of the multi-constellation form)
//
//   $GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30*70
//   $GAGSV,1,1,03,04,37,345,39,11,09,227,,19,62,101,42,7*4C
//   $GPGSV,1,1,00*79
//    1      number of sentences of the cycle, 0-9
//    2      number of this sentence, 0-9
//    3      satellites in view
//    4-7    first block: satellite number, elevation 0-90, azimuth 0-359, SNR 0-99
//    8-19   up to three more blocks (3, 7, 11, 15 or 19 fields in all)
//    last   signal ID, a hex digit (one field more: 4, 8, 12, 16 or 20)
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// A satellite number: 0x80 when blank or beyond -999..999.
std::int16_t SatelliteNumber(FieldReader& f) {
    long id;
    if (!f.TryInt(id) || id < -999 || id > 999) return kBlankByte;
    return static_cast<std::int16_t>(id);
}

// True when the last field of a text (after its last comma, up to '*') is one
// hex digit: a system ID.
bool EndsWithHexDigitField(const char* text) {
    const char* last = text;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == ',') last = p + 1;
    }
    return HexDigitValue(last[0]) >= 0 && (last[1] == '\0' || last[1] == '*');
}

}  // namespace

bool ParseGsa(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count < 17 || count > 2 + kGsaMaxSatellites + 4) return false;
    // A system ID ends the sentence when it has one more field than its
    // satellites and DOPs need and that field is one hex digit.
    const bool systemId = count >= 18 && EndsWithHexDigitField(text);
    const int satellites = count - 5 - (systemId ? 1 : 0);
    if (satellites < 12 || satellites > kGsaMaxSatellites) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GsaRecord& r = record.Gsa;
    r.SelectionMode = f.Char();
    r.FixMode = static_cast<std::uint8_t>(f.Int());
    r.SatelliteFields = static_cast<std::uint8_t>(satellites);
    for (int i = 0; i < kGsaMaxSatellites; ++i)
        r.SatelliteIds[i] = i < satellites ? SatelliteNumber(f) : kBlankByte;
    r.Pdop = static_cast<float>(f.Real(kBlankReal));
    r.Hdop = static_cast<float>(f.Real(kBlankReal));
    r.Vdop = static_cast<float>(f.Real(kBlankReal));
    r.SystemId = systemId ? f.HexId() : kBlankByte;
    return f.Ok();
}

bool ParseGsv(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count < 3 || count > 20 || (count - 3) % 4 > 1) return false;
    const bool signalId = (count - 3) % 4 == 1;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GsvRecord& r = record.Gsv;
    r.TotalMessages = kBlankByte;
    r.MessageNumber = kBlankByte;
    r.SatellitesInView = static_cast<std::uint8_t>(kBlankByte);
    r.BlockCount = static_cast<std::uint8_t>(kBlankByte);
    r.SignalId = kBlankByte;
    for (int i = 0; i < 4; ++i) {
        r.SatId[i] = kBlankByte;
        r.Elevation[i] = kBlankByte;
        r.Azimuth[i] = -1;
        r.Snr[i] = kBlankByte;
    }
    const long total = f.Int();
    const long number = f.Int();
    if (total < 0 || total > 9 || number < 0 || number > 9) return false;
    r.TotalMessages = static_cast<std::int8_t>(total);
    r.MessageNumber = static_cast<std::int8_t>(number);
    r.SatellitesInView = static_cast<std::uint8_t>(f.Int());
    const int blocks = (count - 3) / 4;
    r.BlockCount = static_cast<std::uint8_t>(blocks);
    for (int i = 0; i < blocks; ++i) {
        r.SatId[i] = SatelliteNumber(f);
        r.Elevation[i] = static_cast<std::int8_t>(f.IntIn(0, 90, kBlankByte));
        r.Azimuth[i] = static_cast<std::int16_t>(f.IntIn(0, 359, -1));
        r.Snr[i] = static_cast<std::int8_t>(f.IntIn(0, 99, kBlankByte));
    }
    if (signalId) r.SignalId = f.HexId();
    return f.Ok();
}

}  // namespace navoro
