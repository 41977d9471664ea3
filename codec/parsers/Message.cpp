// AIQ and "Smg" - proprietary text messages, checked but filed nowhere.
//
//   $PAIQ,Smg,3*63
//    1  must be "Smg"
//    2  a value
//
//   $PSmg,TEXT MESSAGE,3*4C
//    1  a text (cut to 79 characters)
//    2  a value
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseAiq(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    if (std::strcmp(f.Next(), "Smg") != 0) return false;
    record.Aiq.Value = static_cast<std::uint8_t>(f.Int());
    return f.Ok();
}

bool ParseSmg(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 2);
    if (!f.Ok()) return false;
    f.Text(record.Smg.Text);
    record.Smg.Value = static_cast<std::uint8_t>(f.Int());
    return f.Ok();
}

}  // namespace navoro
