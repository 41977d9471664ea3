// ACA - AIS channel assignment, and ACS - its information source.
//
//   $AIACA,1,5000,N,00500,E,4900,N,00400,W,5,2087,0,2088,0,0,0,C,0,120000*hh
//    1      sequence number
//    2-5    north-east corner: latitude, N/S, longitude, E/W
//    6-9    south-west corner: latitude, N/S, longitude, E/W
//    10     transition zone size
//    11, 12 channel A and its bandwidth
//    13, 14 channel B and its bandwidth
//    15     Tx/Rx mode
//    16     power level
//    17     information source
//    18     in use
//    19     time of the in-use change, UTC
//
//   $AIACS,1,211000000,120000.00,10,12,2026*hh
//          | |         |         |  |  +- 6 year
//          | |         |         |  +---- 5 month
//          | |         |         +------- 4 day
//          | |         +----------------- 3 time, UTC
//          | +--------------------------- 2 MMSI of the source
//          +----------------------------- 1 sequence number
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseAca(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 19);
    if (!f.Ok()) return false;
    AcaRecord& r = record.Aca;
    r.Sequence = f.Char();
    f.LatLon(r.NorthEast);
    f.LatLon(r.SouthWest);
    r.ZoneSize = f.Char();
    r.ChannelA = static_cast<std::int16_t>(f.Int());
    r.BandwidthA = f.Char();
    r.ChannelB = static_cast<std::int16_t>(f.Int());
    r.BandwidthB = f.Char();
    r.TxRxMode = f.Char();
    r.PowerLevel = f.Char();
    r.InfoSource = f.Char();
    r.InUse = f.Char();
    f.Time(r.InUseTime);
    return f.Ok();
}

bool ParseAcs(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 6);
    if (!f.Ok()) return false;
    AcsRecord& r = record.Acs;
    r.Sequence = f.Char();
    r.Mmsi = static_cast<std::uint32_t>(f.Int());
    f.Time(r.Time);
    r.Day = static_cast<std::uint8_t>(f.Int());
    r.Month = static_cast<std::uint8_t>(f.Int());
    r.Year = static_cast<std::uint16_t>(f.Int() % 256);
    return f.Ok();
}

}  // namespace navoro
