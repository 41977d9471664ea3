#include "tools/sim/Transponder.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "codec/Router.h"

namespace navoro::sim {

namespace {

using Outcome = Transponder::Outcome;
using Result = Transponder::Result;

// A MOB list write is a run of MBL commands; one that comes after any other
// line, or this long after the previous MBL command, starts a new list.
constexpr double kMobListGap = 6.0;

// The longest line the device reads, CR LF included.
constexpr std::size_t kMaxLine = 82;

// The DBG parameter codes and the command values of code 701.
constexpr long kCodeAisTx = 30;
constexpr long kCodeDscRx = 101;
constexpr long kCodeGpsVoltage = 102;
constexpr long kCodeDeviceInstance = 122;
constexpr long kCodeCpa = 45;
constexpr long kCodeTcpa = 46;
constexpr long kCodeCpaAlarm = 47;
constexpr long kCodeCommand = 701;
constexpr long kCommandFactoryRestore = 5;
constexpr long kCommandRestart = 1000;
constexpr long kCommandEncryptionOn = 3015;
constexpr long kCommandEncryptionOff = 3016;

Result Refused(std::string note) {
    return Result{Outcome::kRefused, std::move(note), {}, false};
}
Result Applied(std::string note) {
    return Result{Outcome::kApplied, std::move(note), {}, false};
}
Result Ignored(std::string note) {
    return Result{Outcome::kIgnored, std::move(note), {}, false};
}

// A field that must be empty or a whole number within [low, high].
struct Checked {
    bool Ok;
    bool Empty;
    long Value;
};

Checked Whole(const std::string& field, long low, long high) {
    const Number n = WholeNumber(field);
    if (n.Empty) return {true, true, 0};
    if (!n.Ok || n.Value < low || n.Value > high) return {false, false, 0};
    return {true, false, n.Value};
}

Checked Decimal(const std::string& field, long low_tenths, long high_tenths) {
    const Number n = Tenths(field);
    if (n.Empty) return {true, true, 0};
    if (!n.Ok || n.Value < low_tenths || n.Value > high_tenths) return {false, false, 0};
    return {true, false, n.Value};
}

// A setting as a reply field: empty when the device holds none.
std::string ValueOrBlank(int value) {
    return value == kBlank ? std::string() : std::to_string(value);
}

}  // namespace

Transponder::Transponder(Codec& codec, DeviceState state)
    : codec_(codec),
      state_(std::move(state)),
      activeRate_(state_.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))]) {}

bool Transponder::CodecParse(const std::string& line) {
    if (line.size() > kMaxLine) return false;
    char buffer[kExpandBufferSize];
    CopyText(buffer, line.c_str());
    return ParseSentence(codec_.Tok, buffer, codec_.Received);
}

Result Transponder::HandleLine(std::string_view received, double now) {
    std::string line(received);
    if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) line += "\r\n";
    const bool was_mbl = lastWasMbl_;
    lastWasMbl_ = false;
    if (line.size() > kMaxLine) return Ignored("longer than 82 characters");

    // The fields as sent, for the checks the codec's conversions do not make
    // (digits only, text lengths), and the codec's parse for the values.
    SplitSentence s;
    if (!Split(line, s)) return Ignored("not a framed sentence (line end or checksum)");
    if (s.Start != '$') return Ignored("not a command");
    const bool parsed = CodecParse(line);
    const SentenceHeader& header = codec_.Received.Header;

    // Query: talker, listener, 'Q' ($AIAIQ,SSD).
    if (parsed && std::strcmp(header.Formatter, "Q") == 0) {
        return Query(codec_.Received.Query.Queried);
    }
    if (s.Address == "PIWWSSD") return WriteInlandSsd(s.Fields);

    // The command and its fields: $PLMO,<mode>,<command>,..., $P<command>,...
    // or $<talker><command>,...
    std::string command;
    char mode = 0;
    std::vector<std::string> args;
    if (s.Address == "PLMO") {
        if (s.Fields.size() < 2 || s.Fields[0].size() != 1) return Ignored("malformed $PLMO");
        mode = s.Fields[0][0];
        command = s.Fields[1];
        args.assign(s.Fields.begin() + 2, s.Fields.end());
    } else if (s.Address.size() == 4 && s.Address[0] == 'P') {
        command = s.Address.substr(1);
        args = s.Fields;
    } else if (s.Address.size() == 5) {
        command = s.Address.substr(2);
        args = s.Fields;
    } else {
        return Ignored("unknown sentence");
    }
    if (mode == 'Q') {
        if (command != "BAU") return Query(command);
        const Checked port = Whole(args.empty() ? "" : args[0], kFirstPort, kLastPort);
        if (!parsed || !port.Ok || port.Empty) return Ignored("query for a port the device lacks");
        const int p = codec_.Received.Bau.Port;
        Result r{Outcome::kAnswered, "port rate", {}, false};
        r.Replies.push_back(Finish(Format(
            "$PLMO,R,BAU,%d,%d", p, state_.PortRates[static_cast<std::size_t>(PortIndex(p))])));
        return r;
    }
    if (mode != 0 && mode != 'C') return Ignored("mode letter other than C or Q");

    if (command == "MBL") {
        lastWasMbl_ = was_mbl;
        return WriteMbl(args, parsed, now);
    }
    if (command == "DES") return WriteDes(args, parsed);
    if (command == "CEK") return WriteCek(args);
    if (command != "SSD" && command != "VSD" && command != "TST" && command != "DBG" &&
        command != "MID" && command != "BAU" && command != "CLR" && command != "TPS") {
        return Ignored("unknown command");
    }
    if (!parsed) return Refused(command + " with the wrong number of fields");
    if (command == "SSD") return WriteSsd(args);
    if (command == "VSD") return WriteVsd(args);
    if (command == "TST") return StatusRequest();
    if (command == "DBG") return WriteDbg(args);
    if (command == "MID") return WriteMid(args);
    if (command == "BAU") return WriteBau(args);
    if (command == "CLR") return WriteClr(args);
    return WriteTps(args);
}

// ---- Replies ---------------------------------------------------------------

Result Transponder::Query(std::string_view formatter) {
    Result r{Outcome::kAnswered, std::string("query ") + std::string(formatter), {}, false};
    const DeviceState& s = state_;
    if (formatter == "SSD") {
        r.Replies.push_back(ComposeSsd(s.Internal, "AI"));
        r.Replies.push_back(ComposeSsd(s.External, "GP"));
    } else if (formatter == "VSD") {
        r.Replies.push_back(ComposeVsd());
    } else if (formatter == "CPA") {
        r.Replies.push_back(Finish(Format(
            "$PLMO,R,CPA,%ld,%s,%ld,%s,%ld,%d,,", kCodeCpa, ValueOrBlank(s.CpaTenths).c_str(),
            kCodeTcpa, ValueOrBlank(s.Tcpa).c_str(), kCodeCpaAlarm, s.CpaAlarm)));
    } else if (formatter == "TSV") {
        r.Replies.push_back(Finish(Format("$PLMO,R,TSV,%ld,%d,%ld,%d,%ld,%d,,", kCodeAisTx, s.AisTx,
                                          kCodeDscRx, s.DscRx, kCodeGpsVoltage, s.GpsVoltage)));
    } else if (formatter == "CLR") {
        std::string flags;
        for (const int flag : s.LrFunctionReply)
            flags += flag != 0 ? '1' : '0';
        r.Replies.push_back(Finish(Format("$PLMO,R,CLR,%d,%s,%d,%d,%d", s.LrResponse, flags.c_str(),
                                          s.LrMessage27, s.LrChannelA, s.LrChannelB)));
    } else if (formatter == "DES") {
        // Rows without a destination are not sent.
        for (int row = 0; row < kDestinationCount; ++row) {
            const std::string& text = s.Destinations[static_cast<std::size_t>(row)];
            if (!text.empty())
                r.Replies.push_back(Finish(Format("$PLMO,R,DES,%d,%s", row + 1, text.c_str())));
        }
    } else if (formatter == "MBL") {
        for (const MobEntry& entry : s.MobList)
            r.Replies.push_back(
                Finish(Format("$PLMO,R,MBL,%09u,%s", entry.Mmsi, entry.Name.c_str())));
        // An empty list answers with the empty-entry marker.
        if (s.MobList.empty()) r.Replies.push_back(Finish("$PLMO,R,MBL,999,NONE"));
    } else {
        return Ignored(std::string("query for ") + std::string(formatter) +
                       ", which the device does not answer");
    }
    return r;
}

std::string Transponder::Compose(const char* formatter) {
    char buffer[kComposeBufferSize];
    if (!ComposeSentence(codec_, buffer, sizeof buffer, formatter, "AI")) return {};
    return buffer;
}

std::string Transponder::ComposeSsd(const Antenna& antenna, const char* source) {
    AisStore& store = codec_.Ais;
    CopyText(store.CallSign, state_.CallSign.c_str());
    CopyText(store.Name, state_.Name.c_str());
    store.DimA = static_cast<std::uint16_t>(antenna.A);
    store.DimB = static_cast<std::uint16_t>(antenna.B);
    store.DimC = static_cast<std::uint8_t>(antenna.C);
    store.DimD = static_cast<std::uint8_t>(antenna.D);
    store.Dte = static_cast<std::uint8_t>(state_.Dte);
    CopyText(store.Source, source);
    return Compose("SSD");
}

std::string Transponder::ComposeVsd() {
    AisStore& store = codec_.Ais;
    const Eta& eta = state_.VoyageEta;
    store.ShipType = static_cast<std::uint16_t>(state_.ShipType);
    store.Draught = static_cast<float>(state_.DraughtTenths) / 10.0f;
    store.PersonsOnBoard = static_cast<std::uint16_t>(state_.PersonsOnBoard);
    CopyText(store.Destination, state_.Destination.c_str());
    const std::uint8_t time_date[] = {
        static_cast<std::uint8_t>(eta.Hour), static_cast<std::uint8_t>(eta.Minute), 0, 0,
        static_cast<std::uint8_t>(eta.Day),  static_cast<std::uint8_t>(eta.Month)};
    std::memcpy(store.TimeDate, time_date, sizeof time_date);
    store.NavStatus = static_cast<std::uint8_t>(state_.NavStatus);
    store.RegionalFlags = static_cast<std::uint8_t>(state_.RegionalFlags);
    return Compose("VSD");
}

std::vector<std::string> Transponder::InformationDump() const {
    const DeviceState& s = state_;
    std::vector<std::string> lines = {
        "[DEVICE DATA BEGIN]",
        "Model:Class A AIS transponder",
        "Firmware:" + s.Firmware,
        "S/N:(" + s.SerialNumber + ")",
        Format("MMSI:(%09u)", s.Mmsi),
        Format("IMO:(%u)", s.Imo),
        s.Inland ? "[AIS MODE]= INLAND" : "[AIS MODE]= SOLAS",
        Format("[DeviceInstance]=%d", s.DeviceInstance),
        Format("[AIS TX]=%s [DSC RX]=%s", s.AisTx == 0 ? "ON" : "OFF", s.DscRx == 1 ? "ON" : "OFF"),
        Format("[CH A]=%d [CH B]=%d", s.LrChannelA, s.LrChannelB),
        Format("[O] Encryption Mode=%d", s.EncryptionOn ? 1 : 0),
        "[O] EncryptionKey=" + s.EncryptionKey,
    };
    for (std::string& line : lines)
        line += "\r\n";
    if (s.Inland) {
        lines.push_back(Finish(Format("$PIWWSSD,,,%04.1f,%04.1f,,,,%04.1f,%04.1f,%04.1f,%04.1f",
                                      s.InlandLength / 10.0, s.InlandBeam / 10.0,
                                      s.InlandInternalB / 10.0, s.InlandInternalC / 10.0,
                                      s.InlandExternalB / 10.0, s.InlandExternalC / 10.0)));
    }
    if (dumpEnd_) lines.push_back("[DEVICE DATA END]\r\n");
    return lines;
}

Result Transponder::StatusRequest() {
    // $PTST,,,,,00016 (the probe) and $PTST,,,,,00017 (the status request).
    const std::uint16_t code = codec_.Received.Tst.Code;
    if (code != 16 && code != 17) return Ignored("TST code not handled");
    Result r{Outcome::kAnswered, code == 16 ? "probe" : "status request", {}, false};
    r.Replies = InformationDump();
    return r;
}

// ---- Writes ----------------------------------------------------------------

Result Transponder::WriteSsd(const std::vector<std::string>& f) {
    // $ECSSD,CALLSGN,NAME,A,B,C,D,DTE,SOURCE; an empty field keeps its value.
    const SsdRecord& rec = codec_.Received.Ssd;
    if (!IsAisText(f[0], kCallSignMax)) return Refused("call sign is not 0-7 six-bit characters");
    if (!IsAisText(f[1], kNameMax)) return Refused("name is not 0-20 six-bit characters");
    const Checked a = Whole(f[2], 0, kDimABMax);
    const Checked b = Whole(f[3], 0, kDimABMax);
    const Checked c = Whole(f[4], 0, kDimCDMax);
    const Checked d = Whole(f[5], 0, kDimCDMax);
    const Checked dte = Whole(f[6], 0, 1);
    if (!a.Ok || !b.Ok) return Refused("dimension A or B is not 0-511");
    if (!c.Ok || !d.Ok) return Refused("dimension C or D is not 0-63");
    if (!dte.Ok) return Refused("DTE is not 0 or 1");
    Antenna* antenna = nullptr;
    if (std::strcmp(rec.Source, "AI") == 0) {
        antenna = &state_.Internal;
    } else if (std::strcmp(rec.Source, "GP") == 0) {
        antenna = &state_.External;
    } else {
        return Refused("source is neither AI nor GP");
    }
    if (!f[0].empty()) state_.CallSign = rec.CallSign;
    if (!f[1].empty()) state_.Name = rec.Name;
    if (!a.Empty) antenna->A = rec.DimA;
    if (!b.Empty) antenna->B = rec.DimB;
    if (!c.Empty) antenna->C = rec.DimC;
    if (!d.Empty) antenna->D = rec.DimD;
    if (!dte.Empty) state_.Dte = rec.Dte;
    return Applied(std::string("static data, antenna ") + rec.Source);
}

Result Transponder::WriteVsd(const std::vector<std::string>& f) {
    // $ECVSD,TYPE,DRAUGHT,POB,DESTINATION,hhmmss.ss,DAY,MONTH,STATUS,FLAGS
    const VsdRecord& rec = codec_.Received.Vsd;
    const Checked type = Whole(f[0], 0, 255);
    const Checked draught = Decimal(f[1], 0, kDraughtTenthsMax);
    const Checked persons = Whole(f[2], 0, kPersonsMax);
    const Checked day = Whole(f[5], 0, 31);
    const Checked month = Whole(f[6], 0, 12);
    const Checked status = Whole(f[7], 0, kNavStatusMax);
    const Checked flags = Whole(f[8], 0, 15);
    if (!type.Ok) return Refused("ship type is not 0-255");
    if (!draught.Ok) return Refused("draught is not 0.0-25.5");
    if (!persons.Ok) return Refused("persons on board is not 0-8191");
    if (!IsAisText(f[3], kDestinationMax))
        return Refused("destination is not 0-20 six-bit characters");
    const Number eta_time = Tenths(f[4]);  // hhmmss.ss reads as a plain decimal number
    const bool time_given = !f[4].empty();
    if (time_given &&
        (!eta_time.Ok || f[4].size() < 4 || rec.EtaTime.Hour > 24 || rec.EtaTime.Minute > 60)) {
        return Refused("ETA time is not hhmmss with hour 0-24 and minute 0-60");
    }
    if (!day.Ok || !month.Ok) return Refused("ETA day or month is out of range");
    if (!status.Ok) return Refused("navigation status is not 0-15");
    if (!flags.Ok) return Refused("regional flags are not 0-15");
    if (!type.Empty) state_.ShipType = rec.ShipType;
    if (!draught.Empty) state_.DraughtTenths = static_cast<int>(std::lround(rec.Draught * 10));
    if (!persons.Empty) state_.PersonsOnBoard = rec.PersonsOnBoard;
    if (!f[3].empty()) state_.Destination = rec.Destination;
    if (time_given) {
        state_.VoyageEta.Hour = rec.EtaTime.Hour;
        state_.VoyageEta.Minute = rec.EtaTime.Minute;
    }
    if (!day.Empty) state_.VoyageEta.Day = rec.EtaDay;
    if (!month.Empty) state_.VoyageEta.Month = rec.EtaMonth;
    if (!status.Empty) state_.NavStatus = rec.NavStatus;
    if (!flags.Empty) state_.RegionalFlags = rec.RegionalFlags;
    return Applied("voyage data");
}

Result Transponder::WriteMid(const std::vector<std::string>& args) {
    // $PMID,MMSI,IMO, each nine digits; an empty field keeps its value.
    const Checked mmsi = Whole(args[0], 0, kMmsiMax);
    const Checked imo = Whole(args[1], 0, kImoMax);
    if (!mmsi.Ok) return Refused("MMSI is not 0-999999998");
    if (!imo.Ok) return Refused("IMO number is not 0-999999998");
    const MidRecord& rec = codec_.Received.Mid;
    if (!mmsi.Empty) state_.Mmsi = rec.Mmsi;
    if (!imo.Empty) state_.Imo = rec.Imo;
    return Applied("MMSI and IMO number");
}

Result Transponder::WriteDbg(const std::vector<std::string>& args) {
    // Four (code, value) pairs; an empty pair is skipped.
    const DbgRecord& rec = codec_.Received.Dbg;
    struct Pair {
        long Code;
        long Value;
    };
    std::vector<Pair> pairs;
    std::string ignored;
    for (std::size_t i = 0; i < 4; ++i) {
        const Checked code = Whole(args[2 * i], 0, 998);
        const Checked value = Whole(args[2 * i + 1], INT32_MIN + 1L, INT32_MAX);
        // An empty pair, or a code with an empty value, keeps the setting.
        if (value.Empty && (code.Empty || code.Ok)) continue;
        if (!code.Ok || !value.Ok || code.Empty || value.Empty) {
            return Refused("DBG pair is not two whole numbers");
        }
        const long id = rec.ParamId[i];
        const long v = rec.ParamValue[i];
        long low = 0;
        long high = 0;
        switch (id) {
            case kCodeCpa:
                high = kCpaTenthsMax;
                break;
            case kCodeTcpa:
                high = kTcpaMax;
                break;
            case kCodeCpaAlarm:
            case kCodeAisTx:
            case kCodeDscRx:
            case kCodeGpsVoltage:
                high = 1;
                break;
            case kCodeDeviceInstance:
                high = kDeviceInstanceMax;
                break;
            case kCodeCommand:
                if (v != kCommandFactoryRestore && v != kCommandRestart &&
                    v != kCommandEncryptionOn && v != kCommandEncryptionOff) {
                    return Refused(Format("unknown command 701,%ld", v));
                }
                low = high = v;
                break;
            default:
                ignored += Format(" %ld", id);
                continue;
        }
        if (v < low || v > high) {
            return Refused(Format("parameter %ld value %ld is not %ld-%ld", id, v, low, high));
        }
        pairs.push_back({id, v});
    }
    Result r = Applied("parameters");
    if (!ignored.empty()) r.Note += ", unknown codes ignored:" + ignored;
    for (const Pair& p : pairs) {
        const int v = static_cast<int>(p.Value);
        switch (p.Code) {
            case kCodeCpa:
                state_.CpaTenths = v;
                break;
            case kCodeTcpa:
                state_.Tcpa = v;
                break;
            case kCodeCpaAlarm:
                state_.CpaAlarm = v;
                break;
            case kCodeAisTx:
                state_.AisTx = v;
                break;
            case kCodeDscRx:
                state_.DscRx = v;
                break;
            case kCodeGpsVoltage:
                state_.GpsVoltage = v;
                break;
            case kCodeDeviceInstance:
                state_.DeviceInstance = v;
                break;
            case kCodeCommand: {
                const int before = activeRate_;
                if (p.Value == kCommandEncryptionOn) {
                    state_.EncryptionOn = true;
                    r.Note += ", encryption on";
                } else if (p.Value == kCommandEncryptionOff) {
                    state_.EncryptionOn = false;
                    r.Note += ", encryption off";
                } else if (p.Value == kCommandRestart) {
                    r.Note += ", port rates now in use";
                } else if (p.Value == kCommandFactoryRestore) {
                    state_ = FactoryState(state_);
                    r.Note += ", factory settings restored";
                }
                if (p.Value == kCommandRestart || p.Value == kCommandFactoryRestore) {
                    activeRate_ =
                        state_.PortRates[static_cast<std::size_t>(PortIndex(kConfigPort))];
                    r.RateChanged = r.RateChanged || activeRate_ != before;
                }
                break;
            }
            default:
                break;
        }
    }
    return r;
}

Result Transponder::WriteBau(const std::vector<std::string>& args) {
    // $PLMO,C,BAU,PORT,RATE: the new rate is used from the restart command on.
    const Checked port = Whole(args[0], kFirstPort, kLastPort);
    const Checked rate = Whole(args[1], 1, 10000000);
    if (!port.Ok || port.Empty) return Refused("port is not -1-9");
    const int p = codec_.Received.Bau.Port;
    const int baud = static_cast<int>(codec_.Received.Bau.Baud);
    if (!rate.Ok || rate.Empty || !IsPortRate(p, baud)) {
        return Refused(Format("port %d does not run at %s", p, args[1].c_str()));
    }
    state_.PortRates[static_cast<std::size_t>(PortIndex(p))] = baud;
    return Applied(Format("port %d rate %d from the next restart", p, baud));
}

Result Transponder::WriteClr(const std::vector<std::string>& args) {
    // RESPONSE,FLAGS(ten 0/1),MSG27,CHANNEL A,CHANNEL B; an empty field keeps its value.
    const Checked response = Whole(args[0], 0, 1);
    const Checked message27 = Whole(args[2], 0, 1);
    const Checked a = Whole(args[3], 0, kChannelMax);
    const Checked b = Whole(args[4], 0, kChannelMax);
    const std::string& flags = args[1];
    if (!response.Ok) return Refused("response mode is not 0 or 1");
    if (!flags.empty() && (flags.size() != kFunctionReplyCount ||
                           flags.find_first_not_of("01") != std::string::npos)) {
        return Refused("function reply is not ten characters 0 or 1");
    }
    if (!message27.Ok) return Refused("message 27 switch is not 0 or 1");
    if (!a.Ok || !b.Ok || args[3].size() > 4 || args[4].size() > 4) {
        return Refused("channel is not a number of up to 4 digits");
    }
    const ClrRecord& rec = codec_.Received.Clr;
    if (rec.Present & kClrResponseGiven) state_.LrResponse = rec.Response;
    for (std::size_t i = 0; i < kFunctionReplyCount; ++i)
        if (rec.Present & (kClrFunctionReplyGiven << i))
            state_.LrFunctionReply[i] = rec.FunctionReply[i];
    if (rec.Present & kClrMessage27Given) state_.LrMessage27 = rec.Message27;
    if (rec.Present & kClrChannelAGiven) state_.LrChannelA = rec.ChannelA;
    if (rec.Present & kClrChannelBGiven) state_.LrChannelB = rec.ChannelB;
    return Applied("long-range settings");
}

Result Transponder::WriteDes(const std::vector<std::string>& args, bool parsed) {
    // ROW,TEXT: an empty text clears the row. The codec's parser takes the
    // sentence when the text is not empty; an empty one it rejects, as a reply
    // would be, so that case is read here.
    if (args.size() != 2) return Refused("DES needs 2 fields");
    const Checked row = Whole(args[0], 1, kDestinationCount);
    if (!row.Ok || row.Empty) return Refused("destination row is not 1-10");
    if (!IsAisText(args[1], kDestinationMax)) {
        return Refused("destination is not 0-20 six-bit characters");
    }
    const DesRecord& rec = codec_.Received.Des;
    if (parsed != !args[1].empty()) return Refused("malformed DES");
    const std::size_t index = parsed ? rec.Value - 1 : static_cast<std::size_t>(row.Value - 1);
    state_.Destinations[index] = parsed ? rec.Text : "";
    return Applied(Format("destination row %zu", index + 1));
}

Result Transponder::WriteMbl(const std::vector<std::string>& args, bool parsed, double now) {
    // MMSI,NAME: one entry of a MOB list write, which replaces the list.
    if (!lastWasMbl_ || now - lastMblTime_ > kMobListGap) newMobList_ = true;
    lastWasMbl_ = true;
    lastMblTime_ = now;
    if (args.size() != 2) return Refused("MBL needs 2 fields");
    const Checked mmsi = Whole(args[0], kMobMmsiFirst, kMobMmsiLast);
    if (!mmsi.Ok || mmsi.Empty) return Refused("MOB MMSI is not 972000000-972999999");
    if (!IsAisText(args[1], kNameMax)) return Refused("MOB name is not 0-20 six-bit characters");
    // As with DES, the codec takes the entries with a name.
    if (parsed != !args[1].empty()) return Refused("malformed MBL");
    const MobEntry written{
        parsed ? codec_.Received.Des.Value : static_cast<std::uint32_t>(mmsi.Value),
        parsed ? codec_.Received.Des.Text : ""};
    // The first accepted entry of a run replaces the list.
    const bool first = newMobList_;
    if (newMobList_) {
        state_.MobList.clear();
        newMobList_ = false;
    }
    for (MobEntry& entry : state_.MobList) {
        if (entry.Mmsi == written.Mmsi) {
            entry.Name = written.Name;
            return Applied("MOB entry renamed");
        }
    }
    if (state_.MobList.size() >= static_cast<std::size_t>(kMobListMax)) {
        return Refused("MOB list is full (50 entries)");
    }
    state_.MobList.push_back(written);
    return Applied(first ? "MOB list started" : "MOB entry added");
}

Result Transponder::WriteCek(const std::vector<std::string>& args) {
    // $AICEK,1,1,,MMSI,KEY AS HEX PAIRS,C
    if (args.size() != 6) return Refused("CEK needs 6 fields");
    const Checked mmsi = Whole(args[3], 0, kMmsiMax);
    if (!mmsi.Ok || mmsi.Empty || static_cast<std::uint32_t>(mmsi.Value) != state_.Mmsi) {
        return Refused("CEK is not addressed to this device's MMSI");
    }
    std::string key;
    if (!HexDecode(args[4], key) || !IsAlphanumeric(key, kEncryptionKeyMax)) {
        return Refused("encryption key is not 1-16 letters and digits");
    }
    state_.EncryptionKey = key;
    return Applied("encryption key");
}

Result Transponder::WriteTps(const std::vector<std::string>& args) {
    // $PTPS,1,SERIAL: writes the product serial number.
    const Checked which = Whole(args[0], 1, 1);
    if (!which.Ok || which.Empty) return Ignored("TPS value other than 1");
    if (!IsAlphanumeric(args[1], kSerialNumberMax)) {
        return Refused("serial number is not 1-15 letters and digits");
    }
    state_.SerialNumber = codec_.Received.Tps.Text;
    return Applied("serial number");
}

Result Transponder::WriteInlandSsd(const std::vector<std::string>& args) {
    // $PIWWSSD,,,LENGTH,BEAM,,,,INT B,INT C,EXT B,EXT C (metres with one decimal)
    if (args.size() != 11) return Refused("inland SSD needs 11 fields");
    const int index[] = {2, 3, 7, 8, 9, 10};
    int* target[] = {&state_.InlandLength,    &state_.InlandBeam,      &state_.InlandInternalB,
                     &state_.InlandInternalC, &state_.InlandExternalB, &state_.InlandExternalC};
    Checked value[6];
    for (int i = 0; i < 6; ++i) {
        value[i] = Decimal(args[static_cast<std::size_t>(index[i])], 0, kInlandTenthsMax);
        if (!value[i].Ok) return Refused("inland dimension is not 0.0-800.0");
    }
    for (int i = 0; i < 6; ++i)
        if (!value[i].Empty) *target[i] = static_cast<int>(value[i].Value);
    return Applied("inland dimensions");
}

}  // namespace navoro::sim
