#include "config/WritePlans.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "codec/Composer.h"
#include "codec/Fields.h"
#include "codec/ParameterCodes.h"
#include "config/DeviceData.h"

namespace navoro {

namespace {

// The longest line the transponder reads, CR LF included.
constexpr std::size_t kLineMax = 82;
// The AIS MOB devices' MMSIs: 972xxxxxx.
constexpr std::int64_t kMobMmsiPrefix = 972;
// MMSI and IMO fields of nine digits; 999999999 means "not available".
constexpr std::int64_t kNineDigitsNotAvailable = 999999999;
constexpr double kDraughtMax = 25.5;
constexpr int kTcpaMax = 99;
constexpr std::size_t kNameMax = 20;
constexpr std::size_t kCallSignMax = 7;
constexpr std::size_t kDestinationMax = 20;
constexpr std::size_t kChannelDigitsMax = 4;
// The regional flags the VSD carries: 16 is outside 0-15, so the field goes
// out empty.
constexpr int kRegionalFlagsUnused = 16;

WriteStep Composed(const char* talker, const char* formatter, StoreValues values) {
    WriteStep step;
    step.Values = std::move(values);
    step.Talker = talker;
    step.Formatter = formatter;
    return step;
}

WriteStep Text(std::string text, std::optional<StoreValues> values = std::nullopt) {
    WriteStep step;
    step.Text = std::move(text);
    step.Values = std::move(values);
    return step;
}

WriteStep Wait(int milliseconds) {
    WriteStep step;
    step.What = WriteStep::Kind::Wait;
    step.Milliseconds = milliseconds;
    return step;
}

WriteStep Advance() {
    WriteStep step;
    step.What = WriteStep::Kind::Advance;
    return step;
}

WriteProblem Problem(std::string message, const char* control, int row = -1, int column = -1) {
    return WriteProblem{std::move(message), control, row, column};
}

// "<what> may hold only capital letters, ..." for a text that IsDeviceText
// refuses or that is longer than `max`.
std::optional<WriteProblem> CheckDeviceText(const std::string& text, std::size_t max,
                                            const char* what, const char* control, int row = -1,
                                            int column = -1) {
    if (text.size() <= max && IsDeviceText(text)) return std::nullopt;
    return Problem(std::string(what) + " may hold up to " + std::to_string(max) +
                       " capital letters, digits, spaces and these characters:\n" +
                       kDeviceTextPunctuation,
                   control, row, column);
}

// A nine-digit MMSI or IMO number; nothing when it has no digits or is the
// "not available" value, which the MID sentence cannot carry.
std::optional<std::uint32_t> NineDigits(const std::string& text) {
    const std::optional<std::int64_t> value = DigitsValue(text);
    if (!value || *value >= kNineDigitsNotAvailable) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// Either index of a two-entry option list: index 0 is the first entry,
// anything else the second.
bool First(int index) {
    return index == 0;
}

}  // namespace

DbgValues DbgPairs(std::initializer_list<DbgPair> pairs) {
    DbgValues values{{kEmptyDbgPair, kEmptyDbgPair, kEmptyDbgPair, kEmptyDbgPair}, 0};
    std::size_t i = 0;
    for (const DbgPair& pair : pairs) {
        if (i < values.Pairs.size()) values.Pairs[i++] = pair;
    }
    return values;
}

void PutIntoStores(Codec& codec, const StoreValues& values) {
    AisStore& ais = codec.Ais;
    ProprietaryStore& p = codec.Proprietary;
    if (const auto* mid = std::get_if<MidValues>(&values)) {
        p.Mmsi = mid->Mmsi;
        p.Imo = mid->Imo;
    } else if (const auto* ssd = std::get_if<SsdValues>(&values)) {
        CopyText(ais.CallSign, ssd->CallSign.c_str());
        CopyText(ais.Name, ssd->Name.c_str());
        ais.DimA = static_cast<std::uint16_t>(ssd->Dims[0]);
        ais.DimB = static_cast<std::uint16_t>(ssd->Dims[1]);
        ais.DimC = static_cast<std::uint8_t>(ssd->Dims[2]);
        ais.DimD = static_cast<std::uint8_t>(ssd->Dims[3]);
        CopyText(ais.Source, ssd->Source.c_str());
    } else if (const auto* vsd = std::get_if<VsdValues>(&values)) {
        ais.ShipType = static_cast<std::uint16_t>(vsd->ShipType);
        ais.Draught = vsd->Draught;
        ais.PersonsOnBoard = static_cast<std::uint16_t>(vsd->PersonsOnBoard);
        CopyText(ais.Destination, vsd->Destination.c_str());
        ais.TimeDate[0] = static_cast<std::uint8_t>(vsd->EtaHour);
        ais.TimeDate[1] = static_cast<std::uint8_t>(vsd->EtaMinute);
        ais.TimeDate[2] = 0;  // second
        ais.TimeDate[3] = 0;  // hundredths
        ais.TimeDate[4] = static_cast<std::uint8_t>(vsd->EtaDay);
        ais.TimeDate[5] = static_cast<std::uint8_t>(vsd->EtaMonth);
        // No status selected: outside 0-15, so the field goes out empty.
        ais.NavStatus = static_cast<std::uint8_t>(vsd->NavStatus < 0 ? 0xFF : vsd->NavStatus);
        ais.RegionalFlags = kRegionalFlagsUnused;
    } else if (const auto* dbg = std::get_if<DbgValues>(&values)) {
        for (std::size_t i = 0; i < dbg->Pairs.size(); ++i) {
            p.DbgParamId[i] = dbg->Pairs[i].Id;
            p.DbgParamValue[i] = dbg->Pairs[i].Value;
        }
        p.DbgMode = dbg->Mode;
    }
}

int WritePlan::Sentences() const {
    int n = 0;
    for (const WriteStep& step : Steps)
        n += step.What == WriteStep::Kind::Send ? 1 : 0;
    return n;
}

// ---- the tabs ---------------------------------------------------------------

WriteCheck PlanShipDataWrite(const ShipDataInput& in) {
    const std::optional<std::uint32_t> mmsi = NineDigits(in.Mmsi);
    if (!mmsi) {
        return Problem("Please key in the MMSI: up to nine digits (999999999 is not an MMSI).",
                       "MaskEditMMSI");
    }
    const std::optional<std::uint32_t> imo = NineDigits(in.Imo);
    if (!imo) {
        return Problem("Please key in the IMO number: up to nine digits (999999999 is not one).",
                       "MaskEditIMO");
    }
    if (auto p = CheckDeviceText(in.Name, kNameMax, "The ship's name", "lblEdtName")) return *p;
    if (auto p = CheckDeviceText(in.CallSign, kCallSignMax, "The call sign", "lblEdtCallSign"))
        return *p;

    WritePlan plan;
    plan.Steps.push_back(Composed("P", "MID", MidValues{*mmsi, *imo}));
    plan.Steps.push_back(Composed("EC", "SSD", SsdValues{in.CallSign, in.Name, in.Internal, "AI"}));
    plan.Steps.push_back(Composed("EC", "SSD", SsdValues{in.CallSign, in.Name, in.External, "GP"}));
    if (in.Inland) {
        // A text that is not a number counts as 0.0.
        std::array<double, 6> m{};
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = DecimalValue(in.InlandTexts[i]).value_or(0.0);
        plan.Steps.push_back(Wait(600));
        plan.Steps.push_back(Text(InlandSsdCommand({m[0], m[1], m[2], m[3], m[4], m[5]})));
        plan.Steps.push_back(Wait(600));
    }
    return plan;
}

WriteCheck PlanVoyageWrite(const VoyageInput& in) {
    if (in.ShipTypeRow < 0 || in.ShipTypeRow >= static_cast<int>(kShipTypes.size()))
        return Problem("Please select a ship type.", "cbxShipType");
    const std::optional<double> draught = DecimalValue(in.Draught);
    if (!draught || *draught < 0.0 || *draught > kDraughtMax)
        return Problem("Please key in the draught in metres, from 0 to 25.5 (0 = not available).",
                       "edtDraught");
    if (auto p = CheckDeviceText(in.Destination, kDestinationMax, "The destination",
                                 "lblEdtDestination"))
        return *p;
    // An ETA time whose hour or minute is not available goes out empty.
    const bool noTime = in.Hour < 0 || in.Minute < 0;
    WritePlan plan;
    const VsdValues values{kShipTypes[static_cast<std::size_t>(in.ShipTypeRow)].Code,
                           static_cast<float>(*draught),
                           in.PersonsOnBoard,
                           in.Destination,
                           noTime ? 24 : in.Hour,
                           noTime ? 0 : in.Minute,
                           in.Day,
                           in.Month,
                           in.NavStatus};
    plan.Steps.push_back(Composed("EC", "VSD", values));
    return plan;
}

WriteCheck PlanCpaWrite(const CpaInput& in) {
    if (in.Tcpa < 0 || in.Tcpa > kTcpaMax) return WritePlan{};
    const std::optional<int> cpa = MaskedTenths(in.Cpa);
    if (!cpa) {
        return Problem("Please key in the CPA in nautical miles, for example 02.5.", "MaskEditCPA");
    }
    WritePlan plan;
    plan.Steps.push_back(Composed("P", "DBG",
                                  DbgPairs({{kParamCpaDistance, *cpa},
                                            {kParamTcpa, in.Tcpa},
                                            {kParamCpaAlarm, First(in.AlarmIndex) ? 1 : 0}})));
    return plan;
}

WriteCheck PlanTransceiverWrite(const TransceiverInput& in) {
    const DbgValues values = DbgPairs(
        {{kParamAisTx, First(in.AisTxIndex) ? 0 : 1},
         {kParamDscRx, First(in.DscRxIndex) ? 1 : 0},
         {kParamGpsAntennaVoltage, First(in.GpsVoltageIndex) ? 0 : 1},
         {kParamDeviceInstance, static_cast<std::int32_t>(Atol(in.DeviceInstance.c_str()))}});
    WritePlan plan;
    plan.Steps.push_back(Text(DbgCommand(values.Pairs), values));
    return plan;
}

WriteCheck PlanBaudRateWrite(const BaudRateInput& in) {
    WritePlan plan;
    plan.ProgressMax = 12;
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        const int port = kBaudBoxes[box].Port;
        const auto pick = [&](const auto& rates) {
            const int item = in.Selected[box];
            return item >= 0 && item < static_cast<int>(rates.size())
                       ? rates[static_cast<std::size_t>(item)]
                       : rates[0];
        };
        const int rate = port == kUsbPort ? pick(kUsbPortRates) : pick(kSerialPortRates);
        plan.Steps.push_back(Text(BauCommand(port, rate)));
        plan.Steps.push_back(Wait(100));
        plan.Steps.push_back(Advance());
    }
    // The transponder takes the new rates into use.
    plan.Steps.push_back(Composed("P", "DBG", DbgPairs({{kParamCommand, kCommandRateChanged}})));
    for (const int wait : {300, 300, 300, 600}) {
        plan.Steps.push_back(Wait(wait));
        plan.Steps.push_back(Advance());
    }
    return plan;
}

WriteCheck PlanLongRangeWrite(const LongRangeSettings& in) {
    const std::pair<const std::string*, const char*> channels[] = {
        {&in.ChannelA, "LabeledEdit_LR_ChA"}, {&in.ChannelB, "LabeledEdit_LR_ChB"}};
    for (const auto& [text, control] : channels) {
        if (!DigitsValue(*text) || text->size() > kChannelDigitsMax)
            return Problem("Please key in the channel number: up to four digits.", control);
    }
    WritePlan plan;
    plan.Steps.push_back(Text(ClrCommand(in)));
    return plan;
}

WriteCheck PlanDestinationWrite(const DestinationInput& in) {
    for (int row = 1; row <= kDestinationRows; ++row) {
        if (auto p = CheckDeviceText(in.Rows[static_cast<std::size_t>(row - 1)], kGridTextMax,
                                     "A destination", "StringGrid_Destination", row, 1))
            return *p;
    }
    WritePlan plan;
    plan.ProgressMax = kDestinationRows;
    for (int row = 1; row <= kDestinationRows; ++row) {
        plan.Steps.push_back(Wait(100));
        plan.Steps.push_back(Text(DesCommand(row, in.Rows[static_cast<std::size_t>(row - 1)])));
        plan.Steps.push_back(Advance());
    }
    return plan;
}

WriteCheck PlanMobWrite(const MobInput& in) {
    constexpr const char* kGrid = "StringGrid_MOBList";
    std::array<std::uint32_t, kMobRows> mmsi{};
    for (int row = 1; row <= kMobRows; ++row) {
        const MobRow& r = in.Rows[static_cast<std::size_t>(row - 1)];
        if (r.Mmsi.empty()) continue;
        const std::optional<std::int64_t> value = DigitsValue(r.Mmsi);
        if (!value || *value / 1000000 != kMobMmsiPrefix)
            return Problem(kMobMmsiMessage, kGrid, row, 1);
        for (int earlier = 1; earlier < row; ++earlier) {
            if (in.Rows[static_cast<std::size_t>(earlier - 1)].Mmsi == r.Mmsi)
                return Problem(kMobDuplicateMessage, kGrid, row, 1);
        }
        // The transponder lists an entry with its name; one without a name
        // could not be read back.
        if (r.Name.empty())
            return Problem("Please key in the name of this AIS MOB device.", kGrid, row, 2);
        if (auto p = CheckDeviceText(r.Name, kGridTextMax, "An AIS MOB name", kGrid, row, 2))
            return *p;
        mmsi[static_cast<std::size_t>(row - 1)] = static_cast<std::uint32_t>(*value);
    }
    WritePlan plan;
    plan.ProgressMax = kMobRows;
    for (int row = 1; row <= kMobRows; ++row) {
        const MobRow& r = in.Rows[static_cast<std::size_t>(row - 1)];
        plan.Steps.push_back(Wait(100));
        // Empty rows send nothing; the list is not compacted.
        if (!r.Mmsi.empty())
            plan.Steps.push_back(Text(MblCommand(mmsi[static_cast<std::size_t>(row - 1)], r.Name)));
        plan.Steps.push_back(Advance());
    }
    return plan;
}

WriteCheck PlanEncryptionWrite(const EncryptionInput& in) {
    WritePlan plan;
    if (!in.Enabled) {
        plan.Steps.push_back(Text(EncryptionCommand(false)));
        return plan;
    }
    if (in.Code.size() > kEncryptionKeyMax ||
        !std::all_of(in.Code.begin(), in.Code.end(), [](char c) {
            return IsEncryptionKeyCharacter(static_cast<unsigned char>(c));
        })) {
        return Problem("The encryption code may hold up to 16 letters and digits.",
                       "LabeledEditEncryptionKey");
    }
    plan.Steps.push_back(Text(EncryptionCommand(true)));
    if (!in.Code.empty()) plan.Steps.push_back(Text(CekCommand(in.SnapshotMmsi, in.Code)));
    return plan;
}

// ---- sending ------------------------------------------------------------------

namespace {

// Whether a step's sentence can be built: composed from its values (the
// stores are put back as they were) or formatted from its text.
bool Buildable(Codec& codec, const WriteStep& step) {
    char buffer[kComposeBufferSize];
    if (step.Formatter.empty()) {
        return FormatSentence(buffer, sizeof buffer, "%s", step.Text.c_str()) &&
               std::strlen(buffer) <= kLineMax;
    }
    const AisStore ais = codec.Ais;
    const ProprietaryStore proprietary = codec.Proprietary;
    const SentenceRecord composed = codec.Composed;
    if (step.Values) PutIntoStores(codec, *step.Values);
    const bool built = ComposeSentence(codec, buffer, sizeof buffer, step.Formatter.c_str(),
                                       step.Talker.c_str()) &&
                       std::strlen(buffer) <= kLineMax;
    codec.Ais = ais;
    codec.Proprietary = proprietary;
    codec.Composed = composed;
    return built;
}

}  // namespace

WriteResult RunWritePlan(Codec& codec, const WritePlan& plan, const WriteLink& link) {
    WriteResult result;
    result.Total = plan.Sentences();
    for (const WriteStep& step : plan.Steps) {
        if (step.What == WriteStep::Kind::Send && !Buildable(codec, step)) {
            result.Unsendable = true;
            return result;
        }
    }
    for (const WriteStep& step : plan.Steps) {
        switch (step.What) {
            case WriteStep::Kind::Wait:
                if (link.Sleep) link.Sleep(step.Milliseconds);
                break;
            case WriteStep::Kind::Advance:
                if (link.Advance) link.Advance();
                break;
            case WriteStep::Kind::Send: {
                if (step.Values) PutIntoStores(codec, *step.Values);
                if (!step.Formatter.empty()) {
                    const SendResult sent =
                        link.SendSentence
                            ? link.SendSentence(step.Talker.c_str(), step.Formatter.c_str())
                            : SendResult::Failed;
                    if (sent != SendResult::Sent) {
                        result.Reported = sent == SendResult::FailedReported;
                        return result;
                    }
                } else if (!link.SendSentenceText || !link.SendSentenceText(step.Text.c_str())) {
                    return result;
                }
                ++result.Sent;
                break;
            }
        }
    }
    result.Completed = true;
    return result;
}

}  // namespace navoro
