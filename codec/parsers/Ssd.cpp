// SSD - static ship data.
//
//   $AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI*hh
//          |       |         |   |  | | | +- 8 Source: talker of the antenna's equipment
//          |       |         |   |  | | +--- 7 DTE indicator (0 available, 1 not)
//          |       |         |   |  | +----- 6 D: to starboard, m
//          |       |         |   |  +------- 5 C: to port, m
//          |       |         |   +---------- 4 B: to stern, m
//          |       |         +-------------- 3 A: to bow, m
//          |       +------------------------ 2 ship's name
//          +-------------------------------- 1 call sign
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseSsd(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    SsdRecord& r = record.Ssd;
    f.Text(r.CallSign);
    f.Text(r.Name);
    r.DimA = static_cast<std::uint16_t>(f.Int(512));
    r.DimB = static_cast<std::uint16_t>(f.Int(512));
    r.DimC = static_cast<std::uint8_t>(f.Int(64));
    r.DimD = static_cast<std::uint8_t>(f.Int(64));
    r.Dte = static_cast<std::uint8_t>(f.Int(2));
    f.RawText(r.Source);
    return f.Ok();
}

}  // namespace navoro
