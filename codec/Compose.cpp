#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "codec/Composer.h"
#include "codec/FormatterTable.h"
#include "codec/Framing.h"
#include "codec/SentenceWriter.h"
#include "codec/StoreUpdates.h"

namespace navoro {

namespace {

// Copies a text member into another, reading at most the source's size even
// when it lacks its NUL.
template <std::size_t D, std::size_t S>
void CopyMember(char (&dst)[D], const char (&src)[S]) {
    const std::size_t n = strnlen(src, S) < D - 1 ? strnlen(src, S) : D - 1;
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}

bool IsTalker(const char* talker) {
    const std::size_t n = strnlen(talker, 3);
    if (n < 1 || n > 2) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = talker[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

void LoadAis(const AisStore& s, SentenceRecord& record) {
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("SSD"): {
            SsdRecord& r = record.Ssd;
            CopyMember(r.CallSign, s.CallSign);
            CopyMember(r.Name, s.Name);
            r.DimA = s.DimA;
            r.DimB = s.DimB;
            r.DimC = s.DimC;
            r.DimD = s.DimD;
            r.Dte = s.Dte;
            CopyMember(r.Source, s.Source);
            break;
        }
        case FormatterKey("VSD"): {
            VsdRecord& r = record.Vsd;
            r.ShipType = s.ShipType;
            r.Draught = s.Draught;
            r.PersonsOnBoard = s.PersonsOnBoard;
            CopyMember(r.Destination, s.Destination);
            r.EtaTime = TimeOfDay{s.TimeDate[0], s.TimeDate[1], s.TimeDate[2], s.TimeDate[3]};
            r.EtaDay = s.TimeDate[4];
            r.EtaMonth = s.TimeDate[5];
            r.NavStatus = s.NavStatus;
            r.RegionalFlags = s.RegionalFlags;
            break;
        }
        case FormatterKey("ALR"):
            record.Alr = s.LastAlarm;
            break;
        case FormatterKey("ACK"):
            record.Ack.AlarmId = static_cast<std::int16_t>(s.AckAlarmId);
            break;
        default:
            break;
    }
}

void LoadGnss(const GnssStore& s, SentenceRecord& record) {
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("GBS"): {
            GbsRecord& r = record.Gbs;
            r.Time = s.Time;
            r.ErrLat = s.GbsErrLat;
            r.ErrLon = s.GbsErrLon;
            r.ErrAlt = s.GbsErrAlt;
            r.FailedSatellite = s.GbsFailedSatellite;
            r.Probability = s.GbsProbability;
            r.Bias = s.GbsBias;
            r.BiasStdDev = s.GbsStdDev;
            // The composer writes the 8-field form: no system or signal ID.
            r.SystemId = kBlankByte;
            r.SignalId = kBlankByte;
            break;
        }
        case FormatterKey("GSA"): {
            GsaRecord& r = record.Gsa;
            r.SelectionMode = s.SelectionMode;
            r.FixMode = s.FixMode;
            std::memcpy(r.SatelliteIds, s.SatelliteIds, sizeof r.SatelliteIds);
            r.SatelliteFields = 12;
            r.SystemId = kBlankByte;
            r.Pdop = s.Pdop;
            r.Hdop = s.Hdop;
            r.Vdop = s.Vdop;
            break;
        }
        case FormatterKey("RMC"): {
            RmcRecord& r = record.Rmc;
            r.Time = s.Time;
            r.Status = s.Status;
            r.Lat = s.Lat;
            r.Lon = s.Lon;
            r.Sog = s.SogKnots;
            r.Cog = s.CogTrue;
            r.Date = DateOfYear{static_cast<std::uint16_t>(s.Year), s.Month, s.Day};
            // The store keeps no magnetic variation: it goes out not available.
            r.MagVar = kBlankReal;
            r.MagVarDir = static_cast<char>(kBlankByte);
            r.ModeIndicator = s.ModeIndicator;
            r.NavStatus = '\0';
            break;
        }
        default:
            break;
    }
}

void LoadProprietary(const ProprietaryStore& s, SentenceRecord& record) {
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("MID"):
            record.Mid.Mmsi = s.Mmsi;
            record.Mid.Imo = s.Imo;
            break;
        case FormatterKey("TST"): {
            TstRecord& r = record.Tst;
            r.Value = s.TstValue;
            r.Number = s.TstNumber;
            r.LowerLetter = s.TstLowerLetter;
            r.UpperLetter = s.TstUpperLetter;
            r.Code = s.TstCode;
            break;
        }
        case FormatterKey("DBG"):
            std::memcpy(record.Dbg.ParamId, s.DbgParamId, sizeof record.Dbg.ParamId);
            std::memcpy(record.Dbg.ParamValue, s.DbgParamValue, sizeof record.Dbg.ParamValue);
            record.Header.Mode = s.DbgMode;
            break;
        case FormatterKey("BDY"): {
            BdyRecord& r = record.Bdy;
            r.Value = s.BdyValue;
            CopyMember(r.Text1, s.BdyText1);
            CopyMember(r.Text2, s.BdyText2);
            r.Flag1 = s.BdyFlag1;
            r.Flag2 = s.BdyFlag2;
            break;
        }
        case FormatterKey("FRQ"): {
            FrqRecord& r = record.Frq;
            r.Value1 = s.FrqValue[0];
            r.Value2 = s.FrqValue[1];
            r.Code1 = s.FrqCode[0];
            r.Code2 = s.FrqCode[1];
            break;
        }
        case FormatterKey("BTH"):
            std::memcpy(record.Bth.Values, s.BthValues, sizeof record.Bth.Values);
            CopyMember(record.Bth.Text, s.BthText);
            break;
        case FormatterKey("TPS"):
            record.Tps.Value = s.TpsValue;
            CopyMember(record.Tps.Text, s.TpsText);
            break;
        case FormatterKey("MOB"): {
            MobRecord& r = record.Mob;
            r = MobRecord{};
            std::memcpy(r.Id, s.MobId, sizeof r.Id);
            r.Value = s.MobValue;
            r.Code = s.MobCode;
            r.OptionalPresent = s.MobOptionalPresent;
            r.OptionalCode = s.MobOptionalPresent ? s.MobOptionalCode : 0;
            // A stored length beyond the record makes the composer refuse.
            r.DataLength = s.MobDataLength;
            const std::size_t n = s.MobDataLength < sizeof r.Data ? s.MobDataLength : sizeof r.Data;
            std::memcpy(r.Data, s.MobData, n);
            r.Present = kMobCodeGiven | kMobOptionalGiven;
            break;
        }
        default:
            break;
    }
}

}  // namespace

void LoadSentence(const Codec& codec, SentenceRecord& record) {
    switch (FormatterGroup(record.Header)) {
        case kGroupAis:
            LoadAis(codec.Ais, record);
            break;
        case kGroupGnss:
            LoadGnss(codec.Gnss, record);
            break;
        case kGroupNavigation:
            if (std::strcmp(record.Header.Formatter, "HDT") == 0) {
                record.Hdt.Heading = codec.Nav.Heading;
                record.Hdt.Reference = 'T';
            }
            break;
        case kGroupProprietary:
            LoadProprietary(codec.Proprietary, record);
            break;
        default:
            break;
    }
}

bool ComposeRecord(SentenceRecord& record, char* buffer, std::size_t size, const char* formatter,
                   const char* talker) {
    if (size > 0) buffer[0] = '\0';
    const FormatterInfo* info = FindFormatter(formatter);
    if (info == nullptr || info->Composer == nullptr || !IsTalker(talker)) return false;
    CopyText(record.Header.Talker, talker);
    CopyText(record.Header.Formatter, info->Name);
    SentenceWriter out(buffer, size);
    info->Composer(out, record);
    if (!out.Ok()) {
        if (size > 0) buffer[0] = '\0';
        return false;
    }
    return AppendChecksum(buffer);
}

bool ComposeSentence(Codec& codec, char* buffer, std::size_t size, const char* formatter,
                     const char* talker) {
    if (size > 0) buffer[0] = '\0';
    const FormatterInfo* info = FindFormatter(formatter);
    if (info == nullptr || info->Composer == nullptr || !IsTalker(talker)) return false;
    SentenceRecord& record = codec.Composed;
    CopyText(record.Header.Formatter, info->Name);
    LoadSentence(codec, record);
    return ComposeRecord(record, buffer, size, formatter, talker);
}

bool ComposeQuery(char* buffer, std::size_t size, const char* formatter, const char* requester,
                  const char* target) {
    if (size > 0) buffer[0] = '\0';
    const std::size_t length = strnlen(formatter, 4);
    if (length < 1 || length > 3) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = formatter[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    if (!IsTalker(requester) || strnlen(requester, 3) != 2 || !IsTalker(target) ||
        strnlen(target, 3) != 2) {
        return false;
    }
    SentenceWriter out(buffer, size);
    out.Raw('$');
    out.Raw(requester);
    out.Raw(target);
    out.Raw('Q');
    out.Raw(',');
    out.Raw(formatter);
    if (!out.Ok()) {
        if (size > 0) buffer[0] = '\0';
        return false;
    }
    return AppendChecksum(buffer);
}

bool FormatSentence(char* buffer, std::size_t size, const char* format, ...) {
    if (size == 0) return false;
    buffer[0] = '\0';
    if (size < SentenceWriter::kTailSize) return false;
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, size - SentenceWriter::kTailSize + 1, format, args);
    va_end(args);
    if (n < 0 || static_cast<std::size_t>(n) > size - SentenceWriter::kTailSize) {
        buffer[0] = '\0';
        return false;
    }
    // Fields may hold neither a checksum delimiter, a start character nor a
    // control character: any of them would break the sentence apart.
    for (int i = 1; i < n; ++i) {
        const char c = buffer[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '*' || c == '$' || c == '!') {
            buffer[0] = '\0';
            return false;
        }
    }
    return AppendChecksum(buffer);
}

}  // namespace navoro
