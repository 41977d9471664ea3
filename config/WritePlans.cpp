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
    WriteProblem problem;
    problem.Message = std::move(message);
    problem.Control = control;
    problem.Row = row;
    problem.Column = column;
    return problem;
}

// A problem whose message is a message-table text, followed by `detail`.
WriteProblem Problem(MessageId text, const char* control, int row = -1, int column = -1,
                     std::string detail = {}) {
    WriteProblem problem = Problem(kMessageEntries[static_cast<std::size_t>(text)].BuiltIn + detail,
                                   control, row, column);
    problem.Text = text;
    problem.Detail = std::move(detail);
    return problem;
}

// "<what> may hold up to <max> capital letters, ..." (the rule's text) for a
// text that IsDeviceText refuses or that is longer than `max`.
std::optional<WriteProblem> CheckDeviceText(const std::string& text, std::size_t max,
                                            MessageId rule, const char* control, int row = -1,
                                            int column = -1) {
    if (text.size() <= max && IsDeviceText(text)) return std::nullopt;
    return Problem(rule, control, row, column, std::string("\n") + kDeviceTextPunctuation);
}

// A nine-digit MMSI or IMO number; nothing when it has no digits or is the
// "not available" value, which the MID sentence cannot carry.
std::optional<std::uint32_t> NineDigits(const std::string& text) {
    const std::optional<std::int64_t> value = DigitsValue(text);
    if (!value || *value >= kNineDigitsNotAvailable) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// Outside 0-255: the VSD's ship-type field goes out empty.
constexpr int kShipTypeEmpty = 0xFFFF;
// Outside 0-25.5: the VSD's draught field goes out empty.
constexpr double kDraughtEmpty = -1.0;

// A field that holds nothing but spaces (and the mask's `literals`).
bool IsBlank(const std::string& text, std::string_view literals = {}) {
    return std::all_of(text.begin(), text.end(), [&](char c) {
        return c == ' ' || literals.find(c) != std::string_view::npos;
    });
}

// The device-instance field's leading integer; a field without one goes out
// empty.
std::int32_t DeviceInstanceValue(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos || text[start] < '0' || text[start] > '9') return kDbgValueEmpty;
    return static_cast<std::int32_t>(Atol(text.c_str()));
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
        return Problem(MessageId::KeyInMmsi, "MaskEditMMSI");
    }
    const std::optional<std::uint32_t> imo = NineDigits(in.Imo);
    if (!imo) {
        return Problem(MessageId::KeyInImo, "MaskEditIMO");
    }
    if (auto p = CheckDeviceText(in.Name, kNameMax, MessageId::ShipNameRule, "lblEdtName"))
        return *p;
    if (auto p =
            CheckDeviceText(in.CallSign, kCallSignMax, MessageId::CallSignRule, "lblEdtCallSign"))
        return *p;

    WritePlan plan;
    plan.Steps.push_back(Composed("P", "MID", MidValues{*mmsi, *imo}));
    plan.Steps.push_back(Composed("EC", "SSD", SsdValues{in.CallSign, in.Name, in.Internal, "AI"}));
    plan.Steps.push_back(Composed("EC", "SSD", SsdValues{in.CallSign, in.Name, in.External, "GP"}));
    if (in.Inland) {
        // A field that shows no number ("xxx.x", empty) goes out empty.
        std::array<std::optional<double>, 6> m{};
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = DecimalValue(in.InlandTexts[i]);
        plan.Steps.push_back(Wait(600));
        plan.Steps.push_back(Text(InlandSsdCommand({m[0], m[1], m[2], m[3], m[4], m[5]})));
        plan.Steps.push_back(Wait(600));
    }
    return plan;
}

WriteCheck PlanVoyageWrite(const VoyageInput& in) {
    if (in.ShipTypeRow >= static_cast<int>(kShipTypes.size()))
        return Problem(MessageId::SelectShipType, "cbxShipType");
    // No row selected (the device's code is not in the table) and an empty
    // draught go out as empty fields: the device keeps its values.
    const int shipType = in.ShipTypeRow < 0
                             ? kShipTypeEmpty
                             : kShipTypes[static_cast<std::size_t>(in.ShipTypeRow)].Code;
    const bool noDraught = IsBlank(in.Draught);
    const std::optional<double> draught = noDraught ? kDraughtEmpty : DecimalValue(in.Draught);
    if (!draught || (!noDraught && (*draught < 0.0 || *draught > kDraughtMax)))
        return Problem(MessageId::KeyInDraught, "edtDraught");
    if (auto p = CheckDeviceText(in.Destination, kDestinationMax, MessageId::DestinationRule,
                                 "lblEdtDestination"))
        return *p;
    // An ETA time whose hour or minute is not available goes out empty.
    const bool noTime = in.Hour < 0 || in.Minute < 0;
    WritePlan plan;
    const VsdValues values{shipType,
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
    if (in.Tcpa > kTcpaMax) return WritePlan{};
    // A blank CPA field and a TCPA showing N/A go out empty.
    const std::optional<int> cpa =
        IsBlank(in.Cpa, ".") ? std::optional<int>(kDbgValueEmpty) : MaskedTenths(in.Cpa);
    if (!cpa) {
        return Problem(MessageId::KeyInCpa, "MaskEditCPA");
    }
    WritePlan plan;
    plan.Steps.push_back(Composed("P", "DBG",
                                  DbgPairs({{kParamCpaDistance, *cpa},
                                            {kParamTcpa, in.Tcpa < 0 ? kDbgValueEmpty : in.Tcpa},
                                            {kParamCpaAlarm, First(in.AlarmIndex) ? 1 : 0}})));
    return plan;
}

WriteCheck PlanTransceiverWrite(const TransceiverInput& in) {
    const DbgValues values =
        DbgPairs({{kParamAisTx, First(in.AisTxIndex) ? 0 : 1},
                  {kParamDscRx, First(in.DscRxIndex) ? 1 : 0},
                  {kParamGpsAntennaVoltage, First(in.GpsVoltageIndex) ? 0 : 1},
                  {kParamDeviceInstance, DeviceInstanceValue(in.DeviceInstance)}});
    WritePlan plan;
    plan.Steps.push_back(Text(DbgCommand(values.Pairs), values));
    return plan;
}

WriteCheck PlanBaudRateWrite(const BaudRateInput& in) {
    WritePlan plan;
    plan.ProgressMax = 12;
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        const int port = kBaudBoxes[box].Port;
        const auto pick = [&](const auto& rates) -> std::optional<int> {
            const int item = in.Selected[box];
            if (item < 0 || item >= static_cast<int>(rates.size())) return std::nullopt;
            return rates[static_cast<std::size_t>(item)];
        };
        // A box without a selection (the device's rate is not in its list)
        // sends nothing: the port keeps its rate.
        const std::optional<int> rate =
            port == kUsbPort ? pick(kUsbPortRates) : pick(kSerialPortRates);
        if (rate) plan.Steps.push_back(Text(BauCommand(port, *rate)));
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
            return Problem(MessageId::KeyInChannel, control);
    }
    WritePlan plan;
    plan.Steps.push_back(Text(ClrCommand(in)));
    return plan;
}

WriteCheck PlanDestinationWrite(const DestinationInput& in) {
    for (int row = 1; row <= kDestinationRows; ++row) {
        if (auto p = CheckDeviceText(in.Rows[static_cast<std::size_t>(row - 1)], kGridTextMax,
                                     MessageId::DestinationRule, "StringGrid_Destination", row, 1))
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
        if (r.Name.empty()) return Problem(MessageId::KeyInMobName, kGrid, row, 2);
        if (auto p = CheckDeviceText(r.Name, kGridTextMax, MessageId::MobNameRule, kGrid, row, 2))
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
        return Problem(MessageId::EncryptionCodeRule, "LabeledEditEncryptionKey");
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
