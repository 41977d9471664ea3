#include <cstring>

#include "codec/StaticDataLimits.h"
#include "codec/StoreUpdates.h"

namespace navoro {

std::uint8_t TalkerCode(const char* talker) {
    if (talker[0] == 'G' && talker[1] == 'P') return 1;
    if (talker[0] == 'G' && talker[1] == 'L') return 2;
    if (talker[0] == 'G' && talker[1] == 'N') return 3;
    if (talker[0] == 'L' && talker[1] == 'C') return 4;
    if (talker[0] == 'I' && talker[1] == 'N') return 6;
    return 0;
}

namespace {

void StoreSsd(AisStore& s, const SsdRecord& r) {
    CopyText(s.CallSign, r.CallSign);
    if (s.CallSign[0] != '\0') s.CallSignValid = 1;
    CopyText(s.Name, r.Name);
    if (s.Name[0] != '\0') s.NameValid = 1;
    s.DimA = r.DimA;
    s.DimB = r.DimB;
    s.DimC = r.DimC;
    s.DimD = r.DimD;
    if (r.DimA <= kDimensionAbMax && r.DimB <= kDimensionAbMax && r.DimC <= kDimensionCdMax &&
        r.DimD <= kDimensionCdMax)
        s.DimsValid = 1;
    s.Dte = r.Dte;
    if (r.Dte <= 1) s.DteValid = 1;
    CopyText(s.Source, r.Source);
    s.SsdReceived = 1;
}

void StoreVsd(AisStore& s, const VsdRecord& r) {
    s.ShipType = r.ShipType;
    if (r.ShipType <= kShipTypeCodeMax) s.ShipTypeValid = 1;
    s.Draught = r.Draught;
    if (!(r.Draught > kDraughtMetresMax)) s.DraughtValid = 1;
    s.PersonsOnBoard = r.PersonsOnBoard;
    if (r.PersonsOnBoard <= kPersonsOnBoardMax) s.PersonsValid = 1;
    CopyText(s.Destination, r.Destination);
    if (s.Destination[0] != '\0') s.DestinationValid = 1;
    s.TimeDate[0] = r.EtaTime.Hour;
    s.TimeDate[1] = r.EtaTime.Minute;
    s.TimeDate[2] = r.EtaTime.Second;
    s.TimeDate[3] = r.EtaTime.Hundredths;
    s.TimeDate[4] = r.EtaDay;
    s.TimeDate[5] = r.EtaMonth;
    if (r.EtaTime.Hour < 24 && r.EtaDay <= 31 && r.EtaMonth <= 12) s.EtaValid = 1;
    s.NavStatus = r.NavStatus;
    if (r.NavStatus <= kNavStatusMax) s.NavStatusValid = 1;
    s.RegionalFlags = r.RegionalFlags;
    s.VsdReceived = 1;
}

void StoreMessageSentence(AisStore& s, const EncapsulationRecord& r) {
    s.MsgTotal = r.Total;
    s.MsgNumber = r.Number;
    s.MsgSequenceId = r.SequenceId;
    s.MsgFillBits = r.FillBits;
    CopyText(s.MsgPayload, r.Payload);
    s.MsgChannel = r.Channel;
}

}  // namespace

void StoreAisSentence(AisStore& s, const SentenceRecord& record) {
    s.TalkerCode = TalkerCode(record.Header.Talker);
    const char* f = record.Header.Formatter;
    auto is = [f](const char* name) { return std::strcmp(f, name) == 0; };
    if (is("SSD")) {
        StoreSsd(s, record.Ssd);
    } else if (is("VSD")) {
        StoreVsd(s, record.Vsd);
    } else if (is("VDM") || is("VDO") || is("BBM")) {
        StoreMessageSentence(s, record.Vdm);
        if (is("VDO") && static_cast<unsigned char>(record.Vdm.Channel) == 0x80) s.MsgChannel = 'x';
        if (is("BBM")) s.MsgId = record.Bbm.MessageId;
    } else if (is("ABM")) {
        StoreMessageSentence(s, record.Abm);
        s.Mmsi = record.Abm.Mmsi;
        s.MsgId = record.Abm.MessageId;
    } else if (is("TXT")) {
        s.TxtTotal = record.Txt.Total;
        s.TxtNumber = record.Txt.Number;
        s.TxtId = record.Txt.TextId;
        CopyText(s.TxtText, record.Txt.Text);
    } else if (is("ABK")) {
        s.Mmsi = record.Abk.Mmsi;
        s.AbkMessageId = static_cast<float>(record.Abk.MessageId);
        s.AbkSequence = record.Abk.MessageSequence;
        s.AbkAckType = record.Abk.AckType;
        s.MsgChannel = static_cast<char>(record.Abk.ChannelCode);
    } else if (is("ACA")) {
        const AcaRecord& r = record.Aca;
        s.AcaSequence = r.Sequence;
        s.NorthEastLat = r.NorthEast.Lat;
        s.NorthEastLon = r.NorthEast.Lon;
        s.SouthWestLat = r.SouthWest.Lat;
        s.SouthWestLon = r.SouthWest.Lon;
        s.ZoneSize = r.ZoneSize;
        s.ChannelA = r.ChannelA;
        s.BandwidthA = r.BandwidthA;
        s.ChannelB = r.ChannelB;
        s.BandwidthB = r.BandwidthB;
        s.TxRxMode = r.TxRxMode;
        s.PowerLevel = r.PowerLevel;
        s.InfoSource = r.InfoSource;
        s.InUse = r.InUse;
        s.TimeDate[0] = r.InUseTime.Hour;
        s.TimeDate[1] = r.InUseTime.Minute;
        s.TimeDate[2] = r.InUseTime.Second;
    } else if (is("ACS")) {
        const AcsRecord& r = record.Acs;
        s.AcaSequence = r.Sequence;
        s.Mmsi = r.Mmsi;
        s.TimeDate[0] = r.Time.Hour;
        s.TimeDate[1] = r.Time.Minute;
        s.TimeDate[2] = r.Time.Second;
        s.TimeDate[3] = r.Time.Hundredths;
        s.TimeDate[4] = r.Day;
        s.TimeDate[5] = r.Month;
        s.TimeDate[6] = static_cast<std::uint8_t>(r.Year);
    } else if (is("ACK")) {
        s.AckAlarmId = static_cast<std::uint16_t>(record.Ack.AlarmId);
        if (s.AckAlarmId < 1000) s.AckValid = 1;
    } else if (is("ALR")) {
        s.LastAlarm = record.Alr;
    }
}

}  // namespace navoro
