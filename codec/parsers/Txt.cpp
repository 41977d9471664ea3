// TXT - text transmission.
//
//   $AITXT,01,01,21,EXTERNAL GPS LOST*hh
//          |  |  |  +- 4 text (cut to 61 characters)
//          |  |  +---- 3 text identifier, 1-99
//          |  +------- 2 sentence number, 1-99
//          +---------- 1 total number of sentences, 1-99
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// A TXT counter: 1-99 or blank (0x80, also for a field without a number);
// anything else rejects the sentence.
std::int8_t Counter(FieldReader& f) {
    return static_cast<std::int8_t>(f.IntIn(1, 99, kBlankByte));
}

}  // namespace

bool ParseTxt(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 4);
    if (!f.Ok()) return false;
    TxtRecord& r = record.Txt;
    std::memset(r.Text, 0, sizeof r.Text);
    r.Total = Counter(f);
    r.Number = Counter(f);
    r.TextId = Counter(f);
    f.RawText(r.Text);
    return f.Ok();
}

}  // namespace navoro
