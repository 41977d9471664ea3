#include "config/tabs/TabUnit.h"

#include <cstring>

#include "config/tabs/DbgPairs.h"

namespace navoro {

bool IsFormatter(const SentenceRecord& sentence, const char* formatter) {
    return std::strncmp(sentence.Header.Formatter, formatter, sizeof sentence.Header.Formatter) ==
           0;
}

SentenceRecord DbgSentence(char mode, std::initializer_list<DbgPair> pairs) {
    SentenceRecord record{};
    record.Header.Mode = mode;
    for (int i = 0; i < 4; ++i) {
        record.Dbg.ParamId[i] = 999;
        record.Dbg.ParamValue[i] = kDbgValueEmpty;
    }
    int i = 0;
    for (const DbgPair& pair : pairs) {
        if (i == 4) break;
        record.Dbg.ParamId[i] = pair.Id;
        record.Dbg.ParamValue[i] = pair.Value;
        ++i;
    }
    return record;
}

}  // namespace navoro
