#pragma once

// The (code, value) pairs of the DBG, CPA and TSV sentences.

#include <climits>
#include <cstdint>
#include <initializer_list>

#include "codec/SentenceRecord.h"

namespace navoro {

// A value that goes out as an empty field: the device keeps its setting.
inline constexpr std::int32_t kDbgValueEmpty = INT32_MIN;

struct DbgPair {
    std::int16_t Id;
    std::int32_t Value;
};

// Calls `take(id, value)` for each pair of a parsed reply whose code is a code
// (0-999).
template <typename Take>
void ForEachPair(const DbgRecord& record, Take take) {
    for (int i = 0; i < 4; ++i) {
        if (record.ParamId[i] >= 0 && record.ParamId[i] <= 999)
            take(record.ParamId[i], record.ParamValue[i]);
    }
}

// A DBG record with `mode` ('C' prints "$PLMO,C,DBG", 0 "$PDBG") and the
// pairs, the rest empty (code 999, value empty).
SentenceRecord DbgSentence(char mode, std::initializer_list<DbgPair> pairs);

}  // namespace navoro
