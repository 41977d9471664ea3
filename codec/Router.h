#pragma once

#include <cstddef>

#include "codec/Codec.h"

namespace navoro {

// The incoming sentence router.
//
// RouteSentence checks the framing of a received line (with its CR LF), parses
// it into codec.Received, files it in its group's store and, for '!' sentences,
// assembles and de-armours the AIS message and hands it to the decoder and the
// target table. True when the sentence was accepted (for a multi-sentence AIS
// message: when its last part completed a message that decoded).
// The line is copied first, so the caller's text is never changed; a line too
// long for the working copy is rejected.
bool RouteSentence(Codec& codec, const char* line, std::size_t length);
bool RouteSentence(Codec& codec, const char* line);

// Parses a framed line in place (no stores, no AIS). The buffer must hold
// kExpandBufferSize bytes.
bool ParseSentence(Tokenizer& tok, char* line, SentenceRecord& record);

// Copies the parsed record into the store of its group.
void StoreSentence(Codec& codec, const SentenceRecord& record);

// Adds the encapsulation sentence in `record` to the assembly; true when a
// message is complete. A part that would overflow the assembly clears it.
bool AssembleVdm(const SentenceRecord& record, VdmAssembly& assembly);

// De-armours a complete payload into the bit buffer: 6 bits a character less
// the 0 to 5 fill bits, which are cleared. False for an invalid character,
// fill bits outside 0-5 (or more than the payload holds) and a payload whose
// characters do not fit the buffer.
bool DearmourPayload(const VdmAssembly& assembly, AisBitBuffer& bits);

// The six-bit value of an armoured payload character, or -1.
int SixBitValue(char c);

}  // namespace navoro
