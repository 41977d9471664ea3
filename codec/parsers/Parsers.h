#pragma once

#include "codec/FormatterTable.h"

namespace navoro {

// AIS-related sentences and the query.
bool ParseSsd(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVsd(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseTxt(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAlr(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAck(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAca(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAcs(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAbk(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAbm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseBbm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVdm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseQuery(Tokenizer& tok, char* text, SentenceRecord& record);

}  // namespace navoro
