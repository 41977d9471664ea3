// CLR - the long-range settings (also in the standard form $AICLR).
//
//   $PLMO,R,CLR,1,1010101010,1,2087,2088*33
//    1  reply mode: 0 automatic, anything else manual (stored as 0 or 1)
//    2  function reply items A, B, C, E, F, I, O, P, U, W: '0' or '1' each;
//       any other character, and characters after the tenth, change nothing
//    3  message 27: 0 off, anything else on (stored as 0 or 1)
//    4  long-range channel A
//    5  long-range channel B
// A blank field changes nothing; Present tells the store which members to take.
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseClr(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    ClrRecord& r = record.Clr;
    r = ClrRecord{};
    long value;
    if (f.TryInt(value)) {
        r.Response = value != 0 ? 1 : 0;
        r.Present |= kClrResponseGiven;
    }
    const char* items = f.Next();
    for (int i = 0; i < 10 && items[i] != '\0'; ++i) {
        if (items[i] == '0' || items[i] == '1') {
            r.FunctionReply[i] = static_cast<std::uint8_t>(items[i] - '0');
            r.Present |= static_cast<std::uint16_t>(kClrFunctionReplyGiven << i);
        }
    }
    if (f.TryInt(value)) {
        r.Message27 = value != 0 ? 1 : 0;
        r.Present |= kClrMessage27Given;
    }
    if (f.TryInt(value)) {
        r.ChannelA = static_cast<std::int16_t>(value);
        r.Present |= kClrChannelAGiven;
    }
    if (f.TryInt(value)) {
        r.ChannelB = static_cast<std::int16_t>(value);
        r.Present |= kClrChannelBGiven;
    }
    return f.Ok();
}

}  // namespace navoro
