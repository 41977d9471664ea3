#pragma once

// SHIP DATA: the ship's identity and the positions of its two GNSS antennas,
// and in inland mode its length and beam.
//
//   read:  the information dump (MMSI, IMO, inland mode and dimensions) and
//          "$AIAIQ,SSD": one SSD per antenna ("AI" internal, "GP" external)
//   write: $PMID,<MMSI>,<IMO>; $ECSSD,<call sign>,<name>,A,B,C,D,<DTE>,AI and
//          the same with GP; in inland mode, 600 ms apart, the inland line
//          $PIWWSSD,,,<length>,<beam>,,,,<int B>,<int C>,<ext B>,<ext C>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "codec/StaticDataLimits.h"
#include "config/tabs/TabUnit.h"
#include "config/tabs/TabView.h"

namespace navoro {

struct ShipDataSettings {
    std::optional<std::uint32_t> Mmsi;  // nine digits; empty: none given
    std::optional<std::uint32_t> Imo;
    std::string Name;      // up to 20 characters
    std::string CallSign;  // up to 7
    // A, B, C, D of the internal and the external antenna, in metres.
    std::array<std::optional<int>, 4> Internal, External;
    // The data terminal flag the device last reported (not shown; written back as read).
    std::optional<int> Dte;
    // Inland mode (the device says so in its information dump) and the inland
    // dimensions in tenths of a metre: length, beam, internal B and C,
    // external B and C. A and D follow from them.
    bool Inland = false;
    std::array<std::optional<int>, 6> InlandTenths;

    bool operator==(const ShipDataSettings&) const = default;
};

struct ShipDataTab {
    static constexpr TabInfo kInfo{
        "ship", "TabSheetStatic", kQueryStatus | kQuerySsd, 10, false, false, true};
    using Record = ShipDataSettings;

    enum Field : FieldSet {
        kMmsi = 1 << 0,
        kImo = 1 << 1,
        kName = 1 << 2,
        kCallSign = 1 << 3,
        kInternal = 1 << 4,
        kExternal = 1 << 5,
        kInlandMode = 1 << 6,
        kInland = 1 << 7,
        kDte = 1 << 8,
    };
    static constexpr FieldSet kAll = (1 << 9) - 1;
    // A read is complete with the MMSI and both antennas (and the dump's end).
    static constexpr FieldSet kRequired = kMmsi | kInternal | kExternal;
    // What the information dump would have said, once it has ended.
    static constexpr FieldSet kFromDump = kImo | kInlandMode | kInland;

    // The limits.
    static constexpr WholeRange kAb{0, kDimensionAbMax};
    static constexpr WholeRange kCd{0, kDimensionCdMax};
    static constexpr std::size_t kNameMax = 20;
    static constexpr std::size_t kCallSignMax = 7;
    static constexpr int kInlandTenthsMax = 8000;  // 800.0 m

    static FieldSet TakeSentence(const SentenceRecord& sentence, Record& r);
    static FieldSet TakeDeviceInfo(const DeviceDataLine& line, Record& r);
    static RuleProblems Check(const Record& r);
    static WriteCheck Plan(const Record& r, const WriteContext& context);
    static void Write(const Record& r, Json& file);
    static Record Read(JsonIn& file);
    // The window's page (config/pages/).
    static std::unique_ptr<TabView<Record>> MakeView(TabViewHost& host);
};

// The antenna keys and the inland keys of the file, and the controls that
// show them, in the order of the record's arrays.
inline constexpr std::array<const char*, 4> kAntennaKeys = {"a", "b", "c", "d"};
inline constexpr std::array<const char*, 4> kInternalControls = {"CSpinEditA", "CSpinEditB",
                                                                 "CSpinEditC", "CSpinEditD"};
inline constexpr std::array<const char*, 4> kExternalControls = {"CSpinEditExtA", "CSpinEditExtB",
                                                                 "CSpinEditExtC", "CSpinEditExtD"};
inline constexpr std::array<const char*, 6> kInlandKeys = {"length",    "beam",      "internalB",
                                                           "internalC", "externalB", "externalC"};
inline constexpr std::array<const char*, 6> kInlandControls = {
    "EditInlandShipLength", "EditInlandShipBeam",  "CSpin_InlandEditB",
    "CSpin_InlandEditC",    "CSpinEditInlandExtB", "CSpinEditInlandExtC"};

}  // namespace navoro
