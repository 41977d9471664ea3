#include "codec/FormatterTable.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// Sorted by name (byte order) for the binary search below.
constexpr std::array kFormatters = std::to_array<FormatterInfo>({
    {"ABK", kGroupAis, ParseAbk},        {"ABM", kGroupAis, ParseAbm},
    {"ACA", kGroupAis, ParseAca},        {"ACK", kGroupAis, ParseAck},
    {"ACS", kGroupAis, ParseAcs},        {"ALR", kGroupAis, ParseAlr},
    {"BAU", kGroupProprietary, nullptr}, {"BBM", kGroupAis, ParseBbm},
    {"BDY", kGroupProprietary, nullptr}, {"BTH", kGroupProprietary, nullptr},
    {"CLR", kGroupProprietary, nullptr}, {"CPA", kGroupProprietary, nullptr},
    {"DBG", kGroupProprietary, nullptr}, {"DES", kGroupProprietary, nullptr},
    {"DSC", kGroupDsc, nullptr},         {"DSE", kGroupDsc, nullptr},
    {"DSI", kGroupDsc, nullptr},         {"DSR", kGroupDsc, nullptr},
    {"FRQ", kGroupProprietary, nullptr}, {"GBS", kGroupGnss, nullptr},
    {"GGA", kGroupGnss, nullptr},        {"GLL", kGroupGnss, nullptr},
    {"GNS", kGroupNavigation, nullptr},  {"GSA", kGroupGnss, nullptr},
    {"GSV", kGroupGnss, nullptr},        {"HDT", kGroupNavigation, nullptr},
    {"LR1", kGroupLongRange, nullptr},   {"LR2", kGroupLongRange, nullptr},
    {"LR3", kGroupLongRange, nullptr},   {"LRF", kGroupLongRange, nullptr},
    {"LRI", kGroupLongRange, nullptr},   {"MBL", kGroupProprietary, nullptr},
    {"MID", kGroupProprietary, nullptr}, {"MOB", kGroupProprietary, nullptr},
    {"Q", kGroupNone, ParseQuery},       {"RMC", kGroupGnss, nullptr},
    {"ROT", kGroupNavigation, nullptr},  {"SSD", kGroupAis, ParseSsd},
    {"TPS", kGroupProprietary, nullptr}, {"TST", kGroupProprietary, nullptr},
    {"TSV", kGroupProprietary, nullptr}, {"TXT", kGroupAis, ParseTxt},
    {"VBW", kGroupNavigation, nullptr},  {"VDM", kGroupAis, ParseVdm},
    {"VDO", kGroupAis, ParseVdm},        {"VSD", kGroupAis, ParseVsd},
    {"VTG", kGroupGnss, nullptr},        {"ZDA", kGroupGnss, nullptr},
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

}  // namespace

const FormatterInfo* FindFormatter(const char* formatter) {
    const auto it = std::lower_bound(
        kFormatters.begin(), kFormatters.end(), formatter,
        [](const FormatterInfo& info, const char* name) { return NameLess(info.Name, name); });
    if (it == kFormatters.end() || NameLess(formatter, it->Name)) return nullptr;
    return &*it;
}

int FormatterGroup(const SentenceHeader& header) {
    const FormatterInfo* info = FindFormatter(header.Formatter);
    return info != nullptr ? static_cast<int>(info->Group) : static_cast<int>(kGroupNone);
}

}  // namespace navoro
