// TST, FRQ and BTH - the transponder's status request and settings.
//
//   $PTST,,,,,00016*18   (the connection probe; 00017 is the status request)
//    1  a number (blank 99999)
//    2  a number (blank 99)
//    3  a lower-case letter, a-m (first character; a blank field gives a blank)
//    4  an upper-case letter, A-Z (the same)
//    5  the request code (blank 65535)
//
//   $PFRQ,161975000,1,162025000,2*19
//    1, 2  first value (blank 999999999) and its code (blank 0x80)
//    3, 4  second value and its code
//
//   $PBTH,1,2,3,4,5,6,LUMO-AIS*48
//    1-6  six values (blank 256)
//    7    a text (blank: empty; cut to 24 characters)
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseTst(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    TstRecord& r = record.Tst;
    r.Value = static_cast<std::uint32_t>(f.Int(99999));
    r.Number = static_cast<std::uint8_t>(f.Int(99));
    r.LowerLetter = f.Char();
    r.UpperLetter = f.Char();
    r.Code = static_cast<std::uint16_t>(f.Int(65535));
    return f.Ok();
}

bool ParseFrq(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 4);
    if (!f.Ok()) return false;
    FrqRecord& r = record.Frq;
    r.Value1 = static_cast<std::uint32_t>(f.Int(999999999));
    r.Code1 = static_cast<std::uint8_t>(f.Int(0x80));
    r.Value2 = static_cast<std::uint32_t>(f.Int(999999999));
    r.Code2 = static_cast<std::uint8_t>(f.Int(0x80));
    return f.Ok();
}

bool ParseBth(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 7);
    if (!f.Ok()) return false;
    BthRecord& r = record.Bth;
    for (std::int16_t& value : r.Values)
        value = static_cast<std::int16_t>(f.Int(256));
    f.BlankTestedText(r.Text);
    return f.Ok();
}

}  // namespace navoro
