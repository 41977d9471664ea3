// The transponder's parameter sentences: DBG (parameters), CPA (CPA/TCPA
// alarm settings) and TSV (transceiver settings) carry four parameter pairs;
// BAU carries a port and its rate.
//
//   $PLMO,R,TSV,30,0,101,1,102,0,122,0*2D
//    1, 2  first pair: parameter number (blank 999), value (blank -2147483648)
//    3-8   the second, third and fourth pairs
//
//   $PLMO,R,BAU,3,38400*16
//    1     port number (blank 127; -1 is the USB port)
//    2     rate, bit/s (blank 0)
#include <cstdint>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseDbg(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    DbgRecord& r = record.Dbg;
    for (int i = 0; i < 4; ++i) {
        r.ParamId[i] = static_cast<std::int16_t>(f.Int(999));
        r.ParamValue[i] = static_cast<std::int32_t>(f.Int(INT32_MIN));
    }
    return f.Ok();
}

bool ParseBau(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    record.Bau.Port = static_cast<std::int8_t>(f.Int(127));
    record.Bau.Baud = static_cast<std::uint32_t>(f.Int(0));
    return f.Ok();
}

}  // namespace navoro
