// GSA - satellites in use and DOP, and GSV - satellites in view.
//
//   $GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38*0A
//    1      selection mode: M manual, A automatic
//    2      fix mode: 1 no fix, 2 2D, 3 3D
//    3-14   numbers of the satellites used
//    15-17  PDOP, HDOP, VDOP
//
//   $GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30*70
//    1      number of sentences of the cycle, 0-9
//    2      number of this sentence, 0-9
//    3      satellites in view
//    4-7    first block: satellite number, elevation 0-90, azimuth 0-359, SNR 0-99
//    8-19   up to three more blocks (7, 11, 15 or 19 fields in all)
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// A satellite number: 0x80 when blank or beyond what the member holds.
std::int8_t SatelliteNumber(FieldReader& f) {
    long id;
    if (!f.TryInt(id) || id < -128 || id > 127) return kBlankByte;
    return static_cast<std::int8_t>(id);
}

}  // namespace

bool ParseGsa(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 17);
    if (!f.Ok()) return false;
    GsaRecord& r = record.Gsa;
    r.SelectionMode = f.Char();
    r.FixMode = static_cast<std::uint8_t>(f.Int());
    for (std::int8_t& id : r.SatelliteIds)
        id = SatelliteNumber(f);
    r.Pdop = static_cast<float>(f.Real(kBlankReal));
    r.Hdop = static_cast<float>(f.Real(kBlankReal));
    r.Vdop = static_cast<float>(f.Real(kBlankReal));
    return f.Ok();
}

bool ParseGsv(Tokenizer& tok, char* text, SentenceRecord& record) {
    const int count = FieldReader::CommaCount(text);
    if (count != 7 && count != 11 && count != 15 && count != 19) return false;
    FieldReader f(tok, text, count);
    if (!f.Ok()) return false;
    GsvRecord& r = record.Gsv;
    r.TotalMessages = kBlankByte;
    r.MessageNumber = kBlankByte;
    r.SatellitesInView = static_cast<std::uint8_t>(kBlankByte);
    r.BlockCount = static_cast<std::uint8_t>(kBlankByte);
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
    return f.Ok();
}

}  // namespace navoro
