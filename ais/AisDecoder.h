#pragma once

#include <cstdint>

#include "ais/AisBitBuffer.h"

namespace navoro {

// Decodes the message in `bits` into `record` (which the caller has zeroed).
// True when the message type is supported and every field kind is known.
bool DecodeMessage(const AisBitBuffer& bits, DecodedRecord& record);

}  // namespace navoro
