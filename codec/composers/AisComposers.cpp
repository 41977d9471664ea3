// Composers of the AIS-related sentences.
//
//   $ECSSD,ABC1234,SHIP,100,20,5,6,0,AI
//   $ECVSD,30,05.2,12,HAMBURG,120000.00,05,06,0,0
//   $AIALR,101500.00,6,A,V,AIS: TX MALFUNCTION
//   $AIACK,006
//   $AIABK,211000000,B,6,1,0
//   !AIABM,1,1,0,211000000,1,6,<payload>,0
//   !AIBBM,1,1,0,2,8,<payload>,0
//   !AIVDM,1,1,,A,<payload>,0
//   $AIVER,1,1,AI,LMO,UID123,SN0042,MODEL-A,2.4.17,1.0,0
//   $AINAK,EC,TRL,UID123,1,SENTENCE FORMATTER NOT SUPPORTED
#include "codec/StaticDataLimits.h"
#include "codec/composers/Composers.h"

namespace navoro {

namespace {

// A sequential message identifier: a digit, or empty when not 0-9 (0x80 is blank).
void SequenceField(SentenceWriter& out, std::int8_t id) {
    out.IntField(id >= 0 && id <= 9, id);
}

// A channel kept as the parser keeps it (a character such as 'A' or '1'), or
// as a small number printed from `base` ('A' + n for VDM/VDO, '0' + n for ABM).
void ChannelField(SentenceWriter& out, char channel, char base, int count) {
    const int value = static_cast<unsigned char>(channel);
    if (value < count) {
        out.CharField(static_cast<char>(base + value));
    } else {
        out.CharField(channel);
    }
}

}  // namespace

void ComposeSsd(SentenceWriter& out, const SentenceRecord& record) {
    const SsdRecord& r = record.Ssd;
    out.Address('$', record.Header);
    out.TextField(r.CallSign);
    out.TextField(r.Name);
    out.IntField(r.DimA <= kDimensionAbMax, r.DimA);
    out.IntField(r.DimB <= kDimensionAbMax, r.DimB);
    out.IntField(r.DimC <= kDimensionCdMax, r.DimC);
    out.IntField(r.DimD <= kDimensionCdMax, r.DimD);
    out.IntField(r.Dte <= 1, r.Dte);
    out.TextField(r.Source);
}

void ComposeVsd(SentenceWriter& out, const SentenceRecord& record) {
    const VsdRecord& r = record.Vsd;
    out.Address('$', record.Header);
    out.IntField(r.ShipType <= kShipTypeCodeMax, r.ShipType);
    out.FixedField(r.Draught >= 0.0f && r.Draught <= kDraughtMetresMax, r.Draught, 4, 1, true);
    out.IntField(r.PersonsOnBoard <= kPersonsOnBoardMax, r.PersonsOnBoard);
    out.TextField(r.Destination);
    out.TimeField(r.EtaTime.Hour < 24, r.EtaTime);
    out.IntField(r.EtaDay < 32, r.EtaDay, 2);
    out.IntField(r.EtaMonth <= 12, r.EtaMonth, 2);
    out.IntField(r.NavStatus <= kNavStatusMax, r.NavStatus);
    out.IntField(r.RegionalFlags <= 15, r.RegionalFlags);
}

void ComposeAlr(SentenceWriter& out, const SentenceRecord& record) {
    const AlrRecord& r = record.Alr;
    out.Address('$', record.Header);
    out.TimeField(r.Time.Hour < 24, r.Time);
    out.IntField(true, r.AlarmId);
    out.CharField(r.Condition);
    out.CharField(r.AckState);
    out.TextField(r.Text);
}

void ComposeAck(SentenceWriter& out, const SentenceRecord& record) {
    out.Address('$', record.Header);
    out.IntField(record.Ack.AlarmId < 1000, record.Ack.AlarmId, 3);
}

void ComposeAbk(SentenceWriter& out, const SentenceRecord& record) {
    const AbkRecord& r = record.Abk;
    out.Address('$', record.Header);
    out.IntField(r.Mmsi != 0, static_cast<long>(r.Mmsi));
    if (r.ChannelCode < 26) {
        out.CharField(static_cast<char>('A' + r.ChannelCode));
    } else {
        out.Empty();
    }
    out.IntField(true, r.MessageId);
    out.IntField(true, r.MessageSequence);
    out.IntField(true, r.AckType);
}

void ComposeAbm(SentenceWriter& out, const SentenceRecord& record) {
    const EncapsulationRecord& r = record.Abm;
    out.Address('!', record.Header);
    out.IntField(true, r.Total);
    out.IntField(true, r.Number);
    SequenceField(out, r.SequenceId);
    out.IntField(true, static_cast<long>(r.Mmsi));
    ChannelField(out, r.Channel, '0', 10);
    out.IntField(true, r.MessageId);
    out.TextField(r.Payload);
    out.IntField(true, r.FillBits);
}

void ComposeBbm(SentenceWriter& out, const SentenceRecord& record) {
    const EncapsulationRecord& r = record.Bbm;
    out.Address('!', record.Header);
    out.IntField(true, r.Total);
    out.IntField(true, r.Number);
    SequenceField(out, r.SequenceId);
    out.IntField(true, static_cast<unsigned char>(r.Channel));
    out.IntField(true, r.MessageId);
    out.TextField(r.Payload);
    out.IntField(true, r.FillBits);
}

void ComposeVdm(SentenceWriter& out, const SentenceRecord& record) {
    const EncapsulationRecord& r = record.Vdm;
    out.Address('!', record.Header);
    out.IntField(true, r.Total);
    out.IntField(true, r.Number);
    SequenceField(out, r.SequenceId);
    ChannelField(out, r.Channel, 'A', 26);
    out.TextField(r.Payload);
    out.IntField(true, r.FillBits);
}

void ComposeVer(SentenceWriter& out, const SentenceRecord& record) {
    const VerRecord& r = record.Ver;
    out.Address('$', record.Header);
    out.IntField(r.Total >= 1 && r.Total <= 9, r.Total);
    out.IntField(r.Number >= 1 && r.Number <= 9, r.Number);
    out.TextField(r.DeviceType);
    out.TextField(r.VendorId);
    out.TextField(r.UniqueId);
    out.TextField(r.SerialNumber);
    out.TextField(r.ModelCode);
    out.TextField(r.SoftwareRevision);
    out.TextField(r.HardwareRevision);
    SequenceField(out, r.SequenceId);
}

void ComposeNak(SentenceWriter& out, const SentenceRecord& record) {
    const NakRecord& r = record.Nak;
    out.Address('$', record.Header);
    out.TextField(r.Talker);
    out.TextField(r.Formatter);
    out.TextField(r.UniqueId);
    out.IntField(r.Reason >= 0 && r.Reason <= 99, r.Reason);
    out.TextField(r.Text);
}

}  // namespace navoro
