// MID, BDY and TPS - identities of the ship and of the transponder.
//
//   $PMID,211000000,009876543*10
//    1  MMSI (blank 999999999)
//    2  IMO number (blank 999999999)
//
//   $PBDY,123456789,TEXT ONE,TEXT TWO,0,1*1B
//    1     a number (blank 999999999)
//    2, 3  two texts of up to 20 characters (blank: empty)
//    4, 5  two flags (blank 9)
//
//   $PTPS,1,SN12345678*23
//    1  a number (blank 999)
//    2  a text, the product serial number (blank: empty; cut to 24 characters)
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseMid(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    record.Mid.Mmsi = static_cast<std::uint32_t>(f.Int(999999999));
    record.Mid.Imo = static_cast<std::uint32_t>(f.Int(999999999));
    return f.Ok();
}

bool ParseBdy(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    BdyRecord& r = record.Bdy;
    r.Value = static_cast<std::uint32_t>(f.Int(999999999));
    f.Text(r.Text1);
    f.Text(r.Text2);
    r.Flag1 = static_cast<std::uint8_t>(f.Int(9));
    r.Flag2 = static_cast<std::uint8_t>(f.Int(9));
    return f.Ok();
}

bool ParseTps(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    TpsRecord& r = record.Tps;
    r.Value = static_cast<std::int16_t>(f.Int(999));
    f.BlankTestedText(r.Text);
    return f.Ok();
}

}  // namespace navoro
