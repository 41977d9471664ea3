#pragma once

#include <cstring>

#include "codec/SentenceRecord.h"

namespace navoro {

// Walks the members of a parsed record under their own names, for printing and
// inspection. The visitor is called as v(name, member) with the member's own
// type (integers, float, char, char arrays, TimeOfDay, LatLon, DateOfYear and
// arrays of numbers); it decides how to show each type.

template <class V>
void VisitFields(const SsdRecord& r, V& v) {
    v("CallSign", r.CallSign);
    v("Name", r.Name);
    v("DimA", r.DimA);
    v("DimB", r.DimB);
    v("DimC", r.DimC);
    v("DimD", r.DimD);
    v("Dte", r.Dte);
    v("Source", r.Source);
}

template <class V>
void VisitFields(const VsdRecord& r, V& v) {
    v("ShipType", r.ShipType);
    v("Draught", r.Draught);
    v("PersonsOnBoard", r.PersonsOnBoard);
    v("Destination", r.Destination);
    v("EtaTime", r.EtaTime);
    v("EtaDay", r.EtaDay);
    v("EtaMonth", r.EtaMonth);
    v("NavStatus", r.NavStatus);
    v("RegionalFlags", r.RegionalFlags);
}

template <class V>
void VisitFields(const TxtRecord& r, V& v) {
    v("Total", r.Total);
    v("Number", r.Number);
    v("TextId", r.TextId);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const AlrRecord& r, V& v) {
    v("Time", r.Time);
    v("AlarmId", r.AlarmId);
    v("Condition", r.Condition);
    v("AckState", r.AckState);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const AckRecord& r, V& v) {
    v("AlarmId", r.AlarmId);
}

template <class V>
void VisitFields(const AcaRecord& r, V& v) {
    v("Sequence", r.Sequence);
    v("NorthEast", r.NorthEast);
    v("SouthWest", r.SouthWest);
    v("ZoneSize", r.ZoneSize);
    v("ChannelA", r.ChannelA);
    v("BandwidthA", r.BandwidthA);
    v("ChannelB", r.ChannelB);
    v("BandwidthB", r.BandwidthB);
    v("TxRxMode", r.TxRxMode);
    v("PowerLevel", r.PowerLevel);
    v("InfoSource", r.InfoSource);
    v("InUse", r.InUse);
    v("InUseTime", r.InUseTime);
}

template <class V>
void VisitFields(const AcsRecord& r, V& v) {
    v("Sequence", r.Sequence);
    v("Mmsi", r.Mmsi);
    v("Time", r.Time);
    v("Day", r.Day);
    v("Month", r.Month);
    v("Year", r.Year);
}

template <class V>
void VisitFields(const AbkRecord& r, V& v) {
    v("Mmsi", r.Mmsi);
    v("ChannelCode", r.ChannelCode);
    v("MessageId", r.MessageId);
    v("MessageSequence", r.MessageSequence);
    v("AckType", r.AckType);
}

// ABM, BBM, VDM and VDO share one layout; each shows the members it reads.
template <class V>
void VisitEncapsulationFields(const EncapsulationRecord& r, const char* formatter, V& v) {
    const bool abm = std::strcmp(formatter, "ABM") == 0;
    const bool bbm = std::strcmp(formatter, "BBM") == 0;
    v("Total", r.Total);
    v("Number", r.Number);
    v("SequenceId", r.SequenceId);
    if (abm) v("Mmsi", r.Mmsi);
    if (bbm) {
        v("Channel", static_cast<unsigned char>(r.Channel));
    } else {
        v("Channel", r.Channel);
    }
    if (abm || bbm) v("MessageId", r.MessageId);
    v("Payload", r.Payload);
    v("FillBits", r.FillBits);
}

template <class V>
void VisitFields(const QueryRecord& r, V& v) {
    v("Queried", r.Queried);
}

// Visits the members of the record that the header's formatter lays out.
// False when the formatter has no record layout.
template <class V>
bool VisitRecordFields(const SentenceRecord& record, V& v) {
    const char* f = record.Header.Formatter;
    auto is = [f](const char* name) { return std::strcmp(f, name) == 0; };
    if (is("SSD")) {
        VisitFields(record.Ssd, v);
    } else if (is("VSD")) {
        VisitFields(record.Vsd, v);
    } else if (is("TXT")) {
        VisitFields(record.Txt, v);
    } else if (is("ALR")) {
        VisitFields(record.Alr, v);
    } else if (is("ACK")) {
        VisitFields(record.Ack, v);
    } else if (is("ACA")) {
        VisitFields(record.Aca, v);
    } else if (is("ACS")) {
        VisitFields(record.Acs, v);
    } else if (is("ABK")) {
        VisitFields(record.Abk, v);
    } else if (is("ABM") || is("BBM") || is("VDM") || is("VDO")) {
        VisitEncapsulationFields(record.Vdm, f, v);
    } else if (is("Q")) {
        VisitFields(record.Query, v);
    } else {
        return false;
    }
    return true;
}

}  // namespace navoro
