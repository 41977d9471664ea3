#pragma once

#include "codec/AisStore.h"
#include "codec/SentenceRecord.h"

namespace navoro {

// Talker code that each store update sets: GP 1, GL 2, GN 3, LC 4, IN 6, else 0.
std::uint8_t TalkerCode(const char* talker);

// Files a parsed group-4 sentence in the AIS store.
void StoreAisSentence(AisStore& store, const SentenceRecord& record);

}  // namespace navoro
