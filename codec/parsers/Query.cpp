// Query: talker, listener and 'Q', then the formatter asked for.
//
//   $AIAIQ,SSD*hh
//          +- 1 the formatter queried
#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

bool ParseQuery(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 1);
    if (!f.Ok()) return false;
    f.RawText(record.Query.Queried);
    return f.Ok();
}

}  // namespace navoro
