#pragma once

namespace navoro {

// The address field of a sentence, as DecodeAddress fills it.
struct SentenceHeader {
    char Start;         // '$' or '!'
    char Talker[3];     // two letters; "P" for every proprietary sentence
    char Formatter[4];  // three letters; the sub-command of a $PLMO sentence; "Q" for a query
    char Mode;          // mode letter of a $PLMO sentence, 0 otherwise
};

}  // namespace navoro
