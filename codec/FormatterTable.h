#pragma once

#include <cstdint>

#include "codec/Fields.h"
#include "codec/SentenceHeader.h"
#include "codec/SentenceRecord.h"

namespace navoro {

// The formatter groups: which store a sentence is filed in.
enum FormatterGroupId : int {
    kGroupNone = 0,
    kGroupGnss = 1,
    kGroupNavigation = 2,
    kGroupLongRange = 3,
    kGroupAis = 4,
    kGroupDsc = 5,
    kGroupProprietary = 6,
};

// A sentence parser: reads `text` (expanded, address field first) into `record`.
using SentenceParser = bool (*)(Tokenizer& tok, char* text, SentenceRecord& record);

class SentenceWriter;
// A sentence composer: prints `record` up to, not including, the '*'.
using SentenceComposer = void (*)(SentenceWriter& out, const SentenceRecord& record);

struct FormatterInfo {
    char Name[4];
    std::uint8_t Group;
    SentenceParser Parser;      // nullptr: the formatter is known but not parsed
    SentenceComposer Composer;  // nullptr: the codec does not compose it
};

// The entry of a formatter, or nullptr when it is unknown.
const FormatterInfo* FindFormatter(const char* formatter);

// The group of the header's formatter, 0 for every formatter not listed.
int FormatterGroup(const SentenceHeader& header);

}  // namespace navoro
