#include "codec/FormatterTable.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codec/composers/Composers.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// Sorted by name (byte order) for the binary search below.
// Name, group, parser, composer.
constexpr std::array kFormatters = std::to_array<FormatterInfo>({
    {"ABK", kGroupAis, ParseAbk, ComposeAbk},
    {"ABM", kGroupAis, ParseAbm, ComposeAbm},
    {"ACA", kGroupAis, ParseAca, nullptr},
    {"ACK", kGroupAis, ParseAck, ComposeAck},
    {"ACS", kGroupAis, ParseAcs, nullptr},
    {"AIQ", kGroupNone, ParseAiq, nullptr},
    {"ALR", kGroupAis, ParseAlr, ComposeAlr},
    {"BAU", kGroupProprietary, ParseBau, nullptr},
    {"BBM", kGroupAis, ParseBbm, ComposeBbm},
    {"BDY", kGroupProprietary, ParseBdy, ComposeBdy},
    {"BTH", kGroupProprietary, ParseBth, ComposeBth},
    {"CLR", kGroupProprietary, ParseClr, nullptr},
    {"CPA", kGroupProprietary, ParseDbg, nullptr},
    {"DBG", kGroupProprietary, ParseDbg, ComposeDbg},
    {"DES", kGroupProprietary, ParseDes, nullptr},
    {"DSC", kGroupDsc, nullptr, nullptr},
    {"DSE", kGroupDsc, nullptr, nullptr},
    {"DSI", kGroupDsc, nullptr, nullptr},
    {"DSR", kGroupDsc, nullptr, nullptr},
    {"DTM", kGroupNone, ParseDtm, nullptr},
    {"FRQ", kGroupProprietary, ParseFrq, ComposeFrq},
    {"GBS", kGroupGnss, ParseGbs, ComposeGbs},
    {"GGA", kGroupGnss, ParseGga, nullptr},
    {"GLL", kGroupGnss, ParseGll, nullptr},
    {"GNS", kGroupNavigation, ParseGns, nullptr},
    {"GRS", kGroupNone, ParseGrs, nullptr},
    {"GSA", kGroupGnss, ParseGsa, ComposeGsa},
    {"GST", kGroupNone, ParseGst, nullptr},
    {"GSV", kGroupGnss, ParseGsv, nullptr},
    {"HDT", kGroupNavigation, ParseHdt, ComposeHdt},
    {"LR1", kGroupLongRange, nullptr, nullptr},
    {"LR2", kGroupLongRange, nullptr, nullptr},
    {"LR3", kGroupLongRange, nullptr, nullptr},
    {"LRF", kGroupLongRange, nullptr, nullptr},
    {"LRI", kGroupLongRange, nullptr, nullptr},
    {"MBL", kGroupProprietary, ParseDes, nullptr},
    {"MID", kGroupProprietary, ParseMid, ComposeMid},
    {"MOB", kGroupProprietary, ParseMob, ComposeMob},
    {"NAK", kGroupAis, ParseNak, ComposeNak},
    {"OSD", kGroupNone, ParseOsd, nullptr},
    {"Q", kGroupNone, ParseQuery, nullptr},
    {"RMA", kGroupNone, ParseRma, nullptr},
    {"RMC", kGroupGnss, ParseRmc, ComposeRmc},
    {"ROT", kGroupNavigation, ParseRot, nullptr},
    {"SSD", kGroupAis, ParseSsd, ComposeSsd},
    {"Smg", kGroupNone, ParseSmg, nullptr},
    {"TPS", kGroupProprietary, ParseTps, ComposeTps},
    {"TRL", kGroupAis, ParseTrl, nullptr},
    {"TST", kGroupProprietary, ParseTst, ComposeTst},
    {"TSV", kGroupProprietary, ParseDbg, nullptr},
    {"TXT", kGroupAis, ParseTxt, nullptr},
    {"VBW", kGroupNavigation, ParseVbw, nullptr},
    {"VDM", kGroupAis, ParseVdm, ComposeVdm},
    {"VDO", kGroupAis, ParseVdm, ComposeVdm},
    {"VER", kGroupAis, ParseVer, ComposeVer},
    {"VSD", kGroupAis, ParseVsd, ComposeVsd},
    {"VTG", kGroupGnss, ParseVtg, nullptr},
    {"WPL", kGroupNone, ParseWpl, nullptr},
    {"ZDA", kGroupGnss, ParseZda, nullptr},
});

constexpr bool NameLess(const char* a, const char* b) {
    for (int i = 0; i < 4; ++i) {
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
        if (a[i] == '\0') return false;
    }
    return false;
}

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < kFormatters.size(); ++i) {
        if (!NameLess(kFormatters[i - 1].Name, kFormatters[i].Name)) return false;
    }
    return true;
}
static_assert(IsSorted(), "the formatter table must stay sorted by name");

// A name of up to three characters as one number that sorts like the name;
// 0 for a longer one, which no formatter has.
constexpr std::uint32_t NameKey(const char* name) {
    std::uint32_t key = 0;
    int i = 0;
    for (; i < 3 && name[i] != '\0'; ++i)
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(name[i])) << (16 - 8 * i);
    return (i == 3 && name[3] != '\0') ? 0 : key;
}

constexpr auto MakeKeys() {
    std::array<std::uint32_t, kFormatters.size()> keys{};
    for (std::size_t i = 0; i < kFormatters.size(); ++i)
        keys[i] = NameKey(kFormatters[i].Name);
    return keys;
}
constexpr auto kKeys = MakeKeys();

}  // namespace

const FormatterInfo* FindFormatter(const char* formatter) {
    const std::uint32_t key = NameKey(formatter);
    if (key == 0) return nullptr;
    const auto it = std::lower_bound(kKeys.begin(), kKeys.end(), key);
    if (it == kKeys.end() || *it != key) return nullptr;
    return &kFormatters[static_cast<std::size_t>(it - kKeys.begin())];
}

int FormatterGroup(const SentenceHeader& header) {
    const FormatterInfo* info = FindFormatter(header.Formatter);
    return info != nullptr ? static_cast<int>(info->Group) : static_cast<int>(kGroupNone);
}

}  // namespace navoro
