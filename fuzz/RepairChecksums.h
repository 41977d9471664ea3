#pragma once

// Mutated sentences nearly always fail their checksum and stop at the framing
// check. For inputs of odd length the fuzzers first rewrite the two digits
// after each line's first '*' to the checksum that the line will have once
// the line assembly has dropped its NUL and CR bytes, so the parsers, the
// stores and the AIS decoder behind the check are fuzzed too. Inputs of even
// length go through as they are.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace navoro::fuzz {

inline bool WantsRepairedChecksums(std::size_t size) {
    return size % 2 == 1;
}

inline std::string RepairChecksums(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out(bytes);
    std::vector<std::size_t> kept;  // positions in `out` of the line's assembled characters
    auto repair = [&] {
        // As the framing check: the '*' at assembled index 2 or later, two
        // characters after it; the sum runs from index 1 to the '*'.
        for (std::size_t star = 2; star + 2 < kept.size(); ++star) {
            if (out[kept[star]] != '*') continue;
            unsigned sum = 0;
            for (std::size_t k = 1; k < star; ++k)
                sum ^= static_cast<unsigned char>(out[kept[k]]);
            out[kept[star + 1]] = kHex[sum >> 4];
            out[kept[star + 2]] = kHex[sum & 0x0F];
            break;
        }
        kept.clear();
    };
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(out[i]);
        if (c == 0x00 || c == 0x0D) continue;
        if (c == 0x0A) {
            repair();
            continue;
        }
        kept.push_back(i);
    }
    repair();
    return out;
}

}  // namespace navoro::fuzz
