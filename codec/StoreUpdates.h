#pragma once

#include "codec/AisStore.h"
#include "codec/GnssStore.h"
#include "codec/ProprietaryStore.h"
#include "codec/SentenceRecord.h"

namespace navoro {

// A formatter's three characters as one number, for switching on formatters.
constexpr std::uint32_t FormatterKey(const char* f) {
    if (f[0] == '\0') return 0;
    if (f[1] == '\0') return static_cast<std::uint8_t>(f[0]);
    if (f[2] == '\0')
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(f[0])) << 8 |
               static_cast<std::uint8_t>(f[1]);
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(f[0])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(f[1])) << 8 |
           static_cast<std::uint8_t>(f[2]);
}

// Talker code that each store update sets: GP 1, GL 2, GN 3, LC 4, IN 6, else 0.
std::uint8_t TalkerCode(const char* talker);

// Files a parsed group-4 sentence in the AIS store.
void StoreAisSentence(AisStore& store, const SentenceRecord& record);

// Files a parsed group-1 sentence in the GNSS store.
void StoreGnssSentence(GnssStore& store, const SentenceRecord& record);

// Files a parsed group-2 sentence in the navigation store.
void StoreNavSentence(NavStore& store, const SentenceRecord& record);

// Files a parsed group-6 sentence in the proprietary store.
void StoreProprietarySentence(ProprietaryStore& store, const SentenceRecord& record);

}  // namespace navoro
