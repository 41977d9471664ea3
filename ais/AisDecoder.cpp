#include "ais/AisDecoder.h"

namespace navoro {

bool DecodeMessage(const AisBitBuffer& /*bits*/, DecodedRecord& /*record*/) {
    // The message tables arrive with the AIS decoder; until then nothing decodes.
    return false;
}

}  // namespace navoro
