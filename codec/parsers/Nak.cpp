// NAK - negative acknowledgement: a unit's answer to a query or a sentence it
// cannot process.
//
//   $AINAK,EC,TRL,SIM0001,1,SENTENCE FORMATTER NOT SUPPORTED*hh
//          |  |   |       | +- 5 descriptive text
//          |  |   |       +--- 4 reason code
//          |  |   +----------- 3 unique identifier of the refusing unit
//          |  +--------------- 2 affected sentence formatter (the one queried)
//          +------------------ 1 talker identifier (of the refused sentence or query)
//
// Layout as in the interface appendices of public installation manuals of
// Class A transponders and satellite terminals ("$--NAK,cc,ccc,c--c,x.x,c--c").
// The reason codes of the interface standard's public summaries:
//    0 query functionality not supported
//    1 sentence formatter not supported
//    2 sentence formatter supported, but not enabled
//    3 sentence formatter supported and enabled, but temporarily unavailable
//    4 sentence formatter supported, but querying it is not supported
//    5 access denied for the sentence formatter requested
//    6 sentence not accepted because of a bad checksum
//    7 sentence not accepted because of a listener processing issue
//   10 cannot perform the requested operation
//   11 cannot fulfil the request because of a problem with a data field
//   49 other reason
// Every field may be blank; the texts are cut to their members.
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseNak(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    NakRecord& r = record.Nak;
    r = NakRecord{};
    f.Text(r.Talker);
    f.Text(r.Formatter);
    f.Text(r.UniqueId);
    r.Reason = static_cast<std::int16_t>(f.IntIn(0, 99, -1));
    f.Text(r.Text);
    return f.Ok();
}

}  // namespace navoro
