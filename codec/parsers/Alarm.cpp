// ALR - alarm state, and ACK - acknowledge alarm.
//
//   $AIALR,120000.00,001,A,V,AIS: TX MALFUNCTION*hh
//          |         |   | | +- 5 alarm text
//          |         |   | +--- 4 acknowledged: A yes, V no
//          |         |   +----- 3 condition: A threshold exceeded, V not
//          |         +--------- 2 alarm identifier, 000-999
//          +------------------- 1 time of the alarm condition change, UTC
//
//   $AIACK,001*hh
//          +- 1 alarm identifier
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseAlr(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    AlrRecord& r = record.Alr;
    f.Time(r.Time);
    // Three digits name an alarm; a blank field, letters or a number beyond
    // them name none (a wrapped 65538 must not read as alarm 002).
    long id = -1;
    r.AlarmId = static_cast<std::int16_t>(f.TryInt(id) && id >= 0 && id <= 999 ? id : -1);
    r.Condition = f.Char();
    r.AckState = f.Char();
    f.RawText(r.Text);
    return f.Ok();
}

bool ParseAck(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 1);
    if (!f.Ok()) return false;
    record.Ack.AlarmId = static_cast<std::int16_t>(f.Int(1000));
    return f.Ok();
}

}  // namespace navoro
