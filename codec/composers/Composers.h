#pragma once

#include "codec/FormatterTable.h"
#include "codec/SentenceWriter.h"

namespace navoro {

// One composer per formatter the codec sends or echoes: each prints the record
// up to, not including, the '*'. A field whose value is outside the range the
// composer accepts is printed empty, which is how the not-available values
// turn back into empty fields.

// AIS-related sentences.
void ComposeSsd(SentenceWriter& out, const SentenceRecord& record);
void ComposeVsd(SentenceWriter& out, const SentenceRecord& record);
void ComposeAlr(SentenceWriter& out, const SentenceRecord& record);
void ComposeAck(SentenceWriter& out, const SentenceRecord& record);
void ComposeAbk(SentenceWriter& out, const SentenceRecord& record);
void ComposeAbm(SentenceWriter& out, const SentenceRecord& record);
void ComposeBbm(SentenceWriter& out, const SentenceRecord& record);
void ComposeVdm(SentenceWriter& out, const SentenceRecord& record);  // VDM, VDO
void ComposeVer(SentenceWriter& out, const SentenceRecord& record);
void ComposeNak(SentenceWriter& out, const SentenceRecord& record);

// GNSS and navigation sentences.
void ComposeGbs(SentenceWriter& out, const SentenceRecord& record);
void ComposeGsa(SentenceWriter& out, const SentenceRecord& record);
void ComposeRmc(SentenceWriter& out, const SentenceRecord& record);
void ComposeHdt(SentenceWriter& out, const SentenceRecord& record);

// The maker's proprietary sentences.
void ComposeMid(SentenceWriter& out, const SentenceRecord& record);
void ComposeTst(SentenceWriter& out, const SentenceRecord& record);
void ComposeDbg(SentenceWriter& out, const SentenceRecord& record);
void ComposeBdy(SentenceWriter& out, const SentenceRecord& record);
void ComposeFrq(SentenceWriter& out, const SentenceRecord& record);
void ComposeBth(SentenceWriter& out, const SentenceRecord& record);
void ComposeTps(SentenceWriter& out, const SentenceRecord& record);
void ComposeMob(SentenceWriter& out, const SentenceRecord& record);

}  // namespace navoro
