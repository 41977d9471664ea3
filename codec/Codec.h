#pragma once

#include <cstddef>

#include "ais/AisBitBuffer.h"
#include "ais/StationMessages.h"
#include "ais/TargetTable.h"
#include "codec/AisStore.h"
#include "codec/Fields.h"
#include "codec/GnssStore.h"
#include "codec/ProprietaryStore.h"
#include "codec/SentenceRecord.h"
#include "codec/VdmAssembly.h"

namespace navoro {

// Everything the codec keeps between sentences: the received and composed
// records, the group stores, the tokenizer, the AIS message assembly, its bit
// buffer and decoded record, the target table and the last message of each
// kind from each of its stations. A program creates one; each
// test creates its own. It is large (the target table), so keep it on the heap.
struct Codec {
    SentenceRecord Received{};
    SentenceRecord Composed{};
    AisStore Ais{};
    GnssStore Gnss{};
    NavStore Nav{};
    ProprietaryStore Proprietary{};
    Tokenizer Tok;
    VdmAssembly Assembly{};
    AisBitBuffer Bits{};
    DecodedRecord Decoded{};
    TargetTable Targets;
    StationMessages Messages;
    // The working copy of the line being routed (room for the expanded text).
    char Line[kExpandBufferSize + 4]{};
};

}  // namespace navoro
