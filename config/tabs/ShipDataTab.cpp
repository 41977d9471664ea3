#include "config/tabs/ShipDataTab.h"

#include <cstring>

#include "codec/Composer.h"
#include "config/WriteRules.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

namespace {

// SSD's dimensions as the record keeps them: beyond its range a value is not
// available.
std::array<std::optional<int>, 4> Dimensions(const SsdRecord& ssd) {
    return {Within(ssd.DimA, kDimensionAbMax), Within(ssd.DimB, kDimensionAbMax),
            Within(ssd.DimC, kDimensionCdMax), Within(ssd.DimD, kDimensionCdMax)};
}

std::optional<std::uint32_t> NineDigits(std::int32_t value) {
    if (value < 0) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::string> ComposeSsd(const ShipDataSettings& r,
                                      const std::array<std::optional<int>, 4>& dims,
                                      const char* source) {
    SentenceRecord record{};
    CopyText(record.Ssd.CallSign, r.CallSign.c_str());
    CopyText(record.Ssd.Name, r.Name.c_str());
    // A dimension that is not available goes out empty: the device keeps its own.
    record.Ssd.DimA = static_cast<std::uint16_t>(dims[0].value_or(kDimensionAbMax + 1));
    record.Ssd.DimB = static_cast<std::uint16_t>(dims[1].value_or(kDimensionAbMax + 1));
    record.Ssd.DimC = static_cast<std::uint8_t>(dims[2].value_or(kDimensionCdMax + 1));
    record.Ssd.DimD = static_cast<std::uint8_t>(dims[3].value_or(kDimensionCdMax + 1));
    record.Ssd.Dte = static_cast<std::uint8_t>(r.Dte.value_or(2));
    CopyText(record.Ssd.Source, source);
    char buffer[kComposeBufferSize];
    if (!ComposeRecord(record, buffer, sizeof buffer, "SSD", "EC")) return std::nullopt;
    return std::string(buffer);
}

void WriteAntenna(const std::array<std::optional<int>, 4>& dims, Json& out) {
    out = Json::object();
    for (std::size_t i = 0; i < dims.size(); ++i) {
        if (dims[i]) out[kAntennaKeys[i]] = *dims[i];
    }
}

// -1 in a file is how earlier versions wrote a dimension that was not available.
std::array<std::optional<int>, 4> ReadAntenna(JsonIn in) {
    std::array<std::optional<int>, 4> dims;
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const std::optional<long long> value = in.Whole(kAntennaKeys[i], false);
        if (value && *value != -1) dims[i] = static_cast<int>(*value);
    }
    in.Finish();
    return dims;
}

}  // namespace

FieldSet ShipDataTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "SSD")) return 0;
    const SsdRecord& ssd = sentence.Ssd;
    r.Name = RecordText(ssd.Name);
    r.CallSign = RecordText(ssd.CallSign);
    r.Dte = Within(ssd.Dte, 1);
    FieldSet set = kName | kCallSign | kDte;
    if (std::strcmp(ssd.Source, "AI") == 0) {
        r.Internal = Dimensions(ssd);
        set |= kInternal;
    } else if (std::strcmp(ssd.Source, "GP") == 0) {
        r.External = Dimensions(ssd);
        set |= kExternal;
    }
    return set;
}

FieldSet ShipDataTab::TakeDeviceInfo(const DeviceDataLine& line, Record& r) {
    FieldSet set = 0;
    if (line.HasMmsi) {
        r.Mmsi = NineDigits(line.Mmsi);
        set |= kMmsi;
    }
    if (line.HasImo) {
        r.Imo = NineDigits(line.Imo);
        set |= kImo;
    }
    if (line.InlandMode) {
        r.Inland = true;
        set |= kInlandMode;
    }
    if (line.HasInlandSsd) {
        const InlandSsd& d = line.InlandDimensions;
        const int tenths[6] = {d.Length,    d.Beam,      d.InternalB,
                               d.InternalC, d.ExternalB, d.ExternalC};
        for (std::size_t i = 0; i < r.InlandTenths.size(); ++i)
            r.InlandTenths[i] = Within(tenths[i], kInlandTenthsMax);
        set |= kInland;
    }
    return set;
}

RuleProblems ShipDataTab::Check(const Record& r) {
    RuleProblems problems;
    if (!r.Mmsi || *r.Mmsi >= kNineDigitsNotAvailable)
        problems.push_back(Broken("ship.mmsi", "MaskEditMMSI", MessageId::KeyInMmsi));
    // A ship may have no IMO number: one that is not available goes out empty.
    if (r.Imo && *r.Imo >= kNineDigitsNotAvailable)
        problems.push_back(Broken("ship.imo", "MaskEditIMO", MessageId::KeyInImo));
    CheckDeviceText(problems, r.Name, kNameMax, MessageId::ShipNameRule, "ship.name", "lblEdtName");
    CheckDeviceText(problems, r.CallSign, kCallSignMax, MessageId::CallSignRule, "ship.callSign",
                    "lblEdtCallSign");
    for (std::size_t i = 0; i < 4; ++i) {
        const WholeRange range = i < 2 ? kAb : kCd;
        CheckRange(problems, r.Internal[i], range,
                   std::string("ship.antenna.internal.") + kAntennaKeys[i], kInternalControls[i]);
        CheckRange(problems, r.External[i], range,
                   std::string("ship.antenna.external.") + kAntennaKeys[i], kExternalControls[i]);
    }
    if (r.Inland) {
        for (std::size_t i = 0; i < r.InlandTenths.size(); ++i)
            CheckTenths(problems, r.InlandTenths[i], kInlandTenthsMax,
                        std::string("ship.inland.") + kInlandKeys[i], kInlandControls[i]);
    }
    return problems;
}

WriteCheck ShipDataTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    WritePlan plan;
    SentenceRecord mid{};
    mid.Mid.Mmsi = *r.Mmsi;
    mid.Mid.Imo = r.Imo.value_or(kNineDigitsNotAvailable);
    char buffer[kComposeBufferSize];
    const std::optional<std::string> internal = ComposeSsd(r, r.Internal, "AI");
    const std::optional<std::string> external = ComposeSsd(r, r.External, "GP");
    if (!ComposeRecord(mid, buffer, sizeof buffer, "MID", "P") || !internal || !external)
        return Broken("ship", "", MessageId::WriteUnsendable);
    plan.AddComposed(buffer);
    plan.AddComposed(*internal);
    plan.AddComposed(*external);
    if (r.Inland) {
        const auto metres = [&](std::size_t i) -> std::optional<double> {
            if (!r.InlandTenths[i]) return std::nullopt;
            return *r.InlandTenths[i] / 10.0;
        };
        plan.Wait(600);
        if (!plan.Send(InlandSsdCommand(
                {metres(0), metres(1), metres(2), metres(3), metres(4), metres(5)})))
            return Broken("ship", "", MessageId::WriteUnsendable);
        plan.Wait(600);
    }
    return plan;
}

void ShipDataTab::Write(const Record& r, Json& file) {
    Json& ship = file[kInfo.Key];
    if (r.Mmsi) ship["mmsi"] = *r.Mmsi;
    if (r.Imo) ship["imo"] = *r.Imo;
    ship["name"] = r.Name;
    ship["callSign"] = r.CallSign;
    WriteAntenna(r.Internal, ship["antenna"]["internal"]);
    WriteAntenna(r.External, ship["antenna"]["external"]);
    if (r.Inland) {
        Json inland = Json::object();
        for (std::size_t i = 0; i < kInlandKeys.size(); ++i) {
            if (r.InlandTenths[i]) inland[kInlandKeys[i]] = *r.InlandTenths[i] / 10.0;
        }
        ship["inland"] = inland;
    }
}

ShipDataTab::Record ShipDataTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    Record r;
    const auto nineDigits = [&](const char* key) -> std::optional<std::uint32_t> {
        const std::optional<long long> value = in.Whole(key, false);
        if (!value) return std::nullopt;
        if (*value < 0 || *value > kNineDigitsNotAvailable) {
            in.Problem(key, "must be a number of up to nine digits");
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*value);
    };
    r.Mmsi = nineDigits("mmsi");
    r.Imo = nineDigits("imo");
    r.Name = in.Text("name", false).value_or("");
    r.CallSign = in.Text("callSign", false).value_or("");
    JsonIn antenna = in.Object("antenna", false);
    r.Internal = ReadAntenna(antenna.Object("internal", false));
    r.External = ReadAntenna(antenna.Object("external", false));
    antenna.Finish();
    if (in.Has("inland")) {
        r.Inland = true;
        JsonIn inland = in.Object("inland");
        for (std::size_t i = 0; i < kInlandKeys.size(); ++i)
            r.InlandTenths[i] = inland.Tenths(kInlandKeys[i], false);
        inland.Finish();
    }
    in.Finish();
    return r;
}

}  // namespace navoro
