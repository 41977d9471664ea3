#pragma once

#include <cstddef>

#include "codec/SentenceHeader.h"

namespace navoro {

// Sentence framing: line end, checksum and address field.
//
//   $GPZDA,201530.00,04,07,2002,00,00*60\r\n
//   ^ start  ^ fields                ^ checksum (XOR of everything between '$' and '*')

// True when the text ends in CR LF and its checksum is right.
bool CheckFraming(const char* text);
bool CheckFraming(const char* text, std::size_t length);

// True when the two hex digits after '*' equal the XOR of the characters between
// the start character and '*'. Upper-case digits only.
bool VerifyChecksum(const char* text, std::size_t length);

// Fills the header from the address field and returns where the formatter's
// parser is to start. A $PLMO,<mode>,<sub>, sentence is rewritten in place to
// $P<sub>, and the returned pointer is the start of that rewritten tail.
char* DecodeAddress(char* text, SentenceHeader& header);

// Appends "*hh\r\n" in place; the buffer needs room for five more bytes.
// False, text unchanged, for a text of 65535 characters or more.
bool AppendChecksum(char* text);

// The checksum byte of the characters in [begin, end).
unsigned char ChecksumOf(const char* begin, const char* end);

}  // namespace navoro
