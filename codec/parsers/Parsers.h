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
bool ParseTrl(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAbk(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAbm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseBbm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVdm(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseQuery(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVer(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseNak(Tokenizer& tok, char* text, SentenceRecord& record);

// GNSS and navigation sentences, and the GNSS sentences filed nowhere.
bool ParseGga(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGns(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGll(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseRmc(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseRma(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseWpl(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGsa(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGsv(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGbs(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGst(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseGrs(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVtg(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseHdt(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseRot(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseVbw(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseOsd(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseZda(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseDtm(Tokenizer& tok, char* text, SentenceRecord& record);

// The maker's proprietary sentences.
bool ParseDbg(Tokenizer& tok, char* text, SentenceRecord& record);  // DBG, CPA, TSV
bool ParseBau(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseDes(Tokenizer& tok, char* text, SentenceRecord& record);  // DES, MBL
bool ParseClr(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseMid(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseBdy(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseTps(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseTst(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseFrq(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseBth(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseMob(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseAiq(Tokenizer& tok, char* text, SentenceRecord& record);
bool ParseSmg(Tokenizer& tok, char* text, SentenceRecord& record);

}  // namespace navoro
