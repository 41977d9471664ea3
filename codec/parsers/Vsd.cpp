// VSD - voyage static data.
//
//   $AIVSD,30,5.2,12,HAMBURG,120000.00,05,06,0,0*hh
//          |  |   |  |       |         |  |  | +- 9 regional application flags
//          |  |   |  |       |         |  |  +--- 8 navigational status
//          |  |   |  |       |         |  +------ 7 ETA month
//          |  |   |  |       |         +--------- 6 ETA day
//          |  |   |  |       +------------------- 5 ETA time, hhmmss.ss UTC
//          |  |   |  +--------------------------- 4 destination
//          |  |   +------------------------------ 3 persons on board
//          |  +---------------------------------- 2 draught, m
//          +------------------------------------- 1 type of ship and cargo
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseVsd(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 9);
    if (!f.Ok()) return false;
    VsdRecord& r = record.Vsd;
    {
        const char* type = f.Next();
        r.ShipType = !Converts(type) ? 256 : static_cast<std::uint16_t>(Atol(type) & 0xFF);
    }
    r.Draught = static_cast<float>(f.Real(-100000.0));
    r.PersonsOnBoard = static_cast<std::uint16_t>(f.Int(8192));
    f.Text(r.Destination);
    f.Time(r.EtaTime);
    r.EtaDay = static_cast<std::uint8_t>(f.Int(32));
    r.EtaMonth = static_cast<std::uint8_t>(f.Int(13));
    r.NavStatus = static_cast<std::uint8_t>(f.Int(0x80));
    r.RegionalFlags = static_cast<std::uint8_t>(f.Int());
    return f.Ok();
}

}  // namespace navoro
