#pragma once

#include <cstring>
#include <span>

#include "codec/Constellations.h"

#include "codec/SentenceRecord.h"

namespace navoro {

// Walks the members of a parsed record under their own names, for printing and
// inspection. The visitor is called as v(name, member) with the member's own
// type (integers, float, char, char arrays, TimeOfDay, LatLon, DateOfYear,
// arrays of numbers, and spans of numbers or of labels); it decides how to
// show each type.

// The labels of a sentence's satellites ("G05", "R65", ...), as the talker or
// system ID and the number ranges name them.
struct SatelliteLabels {
    char Text[kGsaMaxSatellites][6];
    int Count = 0;

    void Add(Constellation system, int number) {
        if (number <= 0 || Count >= kGsaMaxSatellites) return;
        SatelliteLabel(NameSatellite(system, number), Text[Count++]);
    }
    std::span<const char[6]> View() const { return {Text, static_cast<std::size_t>(Count)}; }
};

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
void VisitFields(const TrlRecord& r, V& v) {
    v("Total", r.Total);
    v("Entry", r.Entry);
    v("SequenceId", r.SequenceId);
    v("OffDate", r.OffDate);
    v("OffTime", r.OffTime);
    v("OnDate", r.OnDate);
    v("OnTime", r.OnTime);
    v("Reason", r.Reason);
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

template <class V>
void VisitFields(const VerRecord& r, V& v) {
    v("Total", r.Total);
    v("Number", r.Number);
    v("DeviceType", r.DeviceType);
    v("VendorId", r.VendorId);
    v("UniqueId", r.UniqueId);
    v("SerialNumber", r.SerialNumber);
    v("ModelCode", r.ModelCode);
    v("SoftwareRevision", r.SoftwareRevision);
    v("HardwareRevision", r.HardwareRevision);
    v("SequenceId", r.SequenceId);
}

template <class V>
void VisitFields(const NakRecord& r, V& v) {
    v("Talker", r.Talker);
    v("Formatter", r.Formatter);
    v("UniqueId", r.UniqueId);
    v("Reason", r.Reason);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const GgaRecord& r, V& v) {
    v("Time", r.Time);
    v("Lat", r.Lat);
    v("Lon", r.Lon);
    v("Quality", r.Quality);
    v("SatellitesUsed", r.SatellitesUsed);
    v("Hdop", r.Hdop);
    v("Altitude", r.Altitude);
    v("AltitudeUnit", r.AltitudeUnit);
    v("GeoidSeparation", r.GeoidSeparation);
    v("GeoidUnit", r.GeoidUnit);
    v("DgpsAge", r.DgpsAge);
    v("DgpsStation", r.DgpsStation);
}

template <class V>
void VisitFields(const GllRecord& r, V& v) {
    v("Lat", r.Lat);
    v("Lon", r.Lon);
    v("Time", r.Time);
    v("Status", r.Status);
    v("ModeIndicator", r.ModeIndicator);
}

template <class V>
void VisitFields(const GbsRecord& r, V& v) {
    v("Time", r.Time);
    v("ErrLat", r.ErrLat);
    v("ErrLon", r.ErrLon);
    v("ErrAlt", r.ErrAlt);
    v("FailedSatellite", r.FailedSatellite);
    v("Probability", r.Probability);
    v("Bias", r.Bias);
    v("BiasStdDev", r.BiasStdDev);
    v("SystemId", r.SystemId);
    v("SignalId", r.SignalId);
}

template <class V>
void VisitFields(const GsaRecord& r, V& v) {
    v("SelectionMode", r.SelectionMode);
    v("FixMode", r.FixMode);
    const int listed =
        r.SatelliteFields < kGsaMaxSatellites ? r.SatelliteFields : kGsaMaxSatellites;
    v("SatelliteFields", r.SatelliteFields);
    v("SatelliteIds",
      std::span<const std::int16_t>(r.SatelliteIds, static_cast<std::size_t>(listed)));
    v("Pdop", r.Pdop);
    v("Hdop", r.Hdop);
    v("Vdop", r.Vdop);
    v("SystemId", r.SystemId);
}

template <class V>
void VisitFields(const GsvRecord& r, V& v) {
    v("TotalMessages", r.TotalMessages);
    v("MessageNumber", r.MessageNumber);
    v("SatellitesInView", r.SatellitesInView);
    v("BlockCount", r.BlockCount);
    v("SatId", r.SatId);
    v("Elevation", r.Elevation);
    v("Azimuth", r.Azimuth);
    v("Snr", r.Snr);
    v("SignalId", r.SignalId);
}

// The satellites of a GSA (under its system ID, else its talker) or a GSV
// (under its talker) as labels.
inline SatelliteLabels GsaLabels(const char* talker, const GsaRecord& r) {
    Constellation system = ConstellationOfSystemId(r.SystemId);
    if (system == Constellation::Unknown) system = ConstellationOfTalker(talker);
    SatelliteLabels labels;
    for (int i = 0; i < r.SatelliteFields && i < kGsaMaxSatellites; ++i)
        labels.Add(system, r.SatelliteIds[i]);
    return labels;
}
inline SatelliteLabels GsvLabels(const char* talker, const GsvRecord& r) {
    SatelliteLabels labels;
    for (int i = 0; i < r.BlockCount && i < 4; ++i)
        labels.Add(ConstellationOfTalker(talker), r.SatId[i]);
    return labels;
}

template <class V>
void VisitFields(const RmcRecord& r, V& v) {
    v("Time", r.Time);
    v("Status", r.Status);
    v("Lat", r.Lat);
    v("Lon", r.Lon);
    v("Sog", r.Sog);
    v("Cog", r.Cog);
    v("Date", r.Date);
    v("MagVar", r.MagVar);
    v("MagVarDir", r.MagVarDir);
    v("ModeIndicator", r.ModeIndicator);
    v("NavStatus", r.NavStatus);
}

template <class V>
void VisitFields(const VtgRecord& r, V& v) {
    v("CogTrue", r.CogTrue);
    v("CogTrueUnit", r.CogTrueUnit);
    v("CogMagnetic", r.CogMagnetic);
    v("CogMagneticUnit", r.CogMagneticUnit);
    v("SogKnots", r.SogKnots);
    v("SogKnotsUnit", r.SogKnotsUnit);
    v("SogKmh", r.SogKmh);
    v("SogKmhUnit", r.SogKmhUnit);
    v("ModeIndicator", r.ModeIndicator);
}

template <class V>
void VisitFields(const ZdaRecord& r, V& v) {
    v("Time", r.Time);
    v("Year", r.Year);
    v("Month", r.Month);
    v("Day", r.Day);
    v("ZoneHours", r.ZoneHours);
    v("ZoneMinutes", r.ZoneMinutes);
}

template <class V>
void VisitFields(const HdtRecord& r, V& v) {
    v("Heading", r.Heading);
    v("Reference", r.Reference);
}

template <class V>
void VisitFields(const RotRecord& r, V& v) {
    v("Rate", r.Rate);
    v("Status", r.Status);
}

template <class V>
void VisitFields(const VbwRecord& r, V& v) {
    v("WaterSpeedLong", r.WaterSpeedLong);
    v("WaterSpeedTrans", r.WaterSpeedTrans);
    v("WaterStatus", r.WaterStatus);
    v("GroundSpeedLong", r.GroundSpeedLong);
    v("GroundSpeedTrans", r.GroundSpeedTrans);
    v("GroundStatus", r.GroundStatus);
}

template <class V>
void VisitFields(const GnsRecord& r, V& v) {
    v("Time", r.Time);
    v("Lat", r.Lat);
    v("Lon", r.Lon);
    v("ModeChars", r.ModeChars);
    v("SatelliteChars", r.SatelliteChars);
    v("Hdop", r.Hdop);
    v("Altitude", r.Altitude);
    v("GeoidSeparation", r.GeoidSeparation);
    v("DgpsAge", r.DgpsAge);
    v("DgpsStation", r.DgpsStation);
    v("NavStatus", r.NavStatus);
}

template <class V>
void VisitFields(const GrsRecord& r, V& v) {
    v("Time", r.Time);
    v("ModeChar", r.ModeChar);
    v("Residuals", r.Residuals);
}

template <class V>
void VisitFields(const GstRecord& r, V& v) {
    v("Time", r.Time);
    v("Rms", r.Rms);
    v("MajorAxis", r.MajorAxis);
    v("MinorAxis", r.MinorAxis);
    v("Orientation", r.Orientation);
    v("LatError", r.LatError);
    v("LonError", r.LonError);
    v("AltError", r.AltError);
}

template <class V>
void VisitFields(const DtmRecord& r, V& v) {
    v("Datum", r.Datum);
    v("Subdivision", r.Subdivision);
    v("Offset", r.Offset);
    v("AltitudeOffset", r.AltitudeOffset);
    v("ReferenceDatum", r.ReferenceDatum);
}

template <class V>
void VisitFields(const RmaRecord& r, V& v) {
    v("Status", r.Status);
    v("Lat", r.Lat);
    v("Lon", r.Lon);
}

template <class V>
void VisitFields(const WplRecord& r, V& v) {
    v("Lat", r.Lat);
    v("Lon", r.Lon);
    v("WaypointId", r.WaypointId);
}

template <class V>
void VisitFields(const OsdRecord& r, V& v) {
    v("Heading", r.Heading);
    v("HeadingStatus", r.HeadingStatus);
    v("Course", r.Course);
    v("CourseReference", r.CourseReference);
    v("Speed", r.Speed);
    v("SpeedReference", r.SpeedReference);
    v("Set", r.Set);
    v("Drift", r.Drift);
    v("SpeedUnits", r.SpeedUnits);
}

template <class V>
void VisitFields(const DbgRecord& r, V& v) {
    v("ParamId", r.ParamId);
    v("ParamValue", r.ParamValue);
}

template <class V>
void VisitFields(const BauRecord& r, V& v) {
    v("Port", r.Port);
    v("Baud", r.Baud);
}

template <class V>
void VisitFields(const DesRecord& r, V& v) {
    v("Value", r.Value);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const ClrRecord& r, V& v) {
    v("Response", r.Response);
    v("FunctionReply", r.FunctionReply);
    v("Message27", r.Message27);
    v("ChannelA", r.ChannelA);
    v("ChannelB", r.ChannelB);
    v("Present", r.Present);
}

template <class V>
void VisitFields(const MidRecord& r, V& v) {
    v("Mmsi", r.Mmsi);
    v("Imo", r.Imo);
}

template <class V>
void VisitFields(const BdyRecord& r, V& v) {
    v("Value", r.Value);
    v("Text1", r.Text1);
    v("Text2", r.Text2);
    v("Flag1", r.Flag1);
    v("Flag2", r.Flag2);
}

template <class V>
void VisitFields(const TstRecord& r, V& v) {
    v("Value", r.Value);
    v("Number", r.Number);
    v("LowerLetter", r.LowerLetter);
    v("UpperLetter", r.UpperLetter);
    v("Code", r.Code);
}

template <class V>
void VisitFields(const FrqRecord& r, V& v) {
    v("Value1", r.Value1);
    v("Code1", r.Code1);
    v("Value2", r.Value2);
    v("Code2", r.Code2);
}

template <class V>
void VisitFields(const BthRecord& r, V& v) {
    v("Values", r.Values);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const TpsRecord& r, V& v) {
    v("Value", r.Value);
    v("Text", r.Text);
}

template <class V>
void VisitFields(const MobRecord& r, V& v) {
    v("Id", r.Id);
    v("Value", r.Value);
    v("Code", r.Code);
    v("OptionalCode", r.OptionalCode);
    v("OptionalPresent", r.OptionalPresent);
    v("Data", r.Data);
    v("DataLength", r.DataLength);
    v("Present", r.Present);
}

template <class V>
void VisitFields(const AiqRecord& r, V& v) {
    v("Value", r.Value);
}

template <class V>
void VisitFields(const SmgRecord& r, V& v) {
    v("Text", r.Text);
    v("Value", r.Value);
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
    } else if (is("TRL")) {
        VisitFields(record.Trl, v);
    } else if (is("ABK")) {
        VisitFields(record.Abk, v);
    } else if (is("ABM") || is("BBM") || is("VDM") || is("VDO")) {
        VisitEncapsulationFields(record.Vdm, f, v);
    } else if (is("Q")) {
        VisitFields(record.Query, v);
    } else if (is("VER")) {
        VisitFields(record.Ver, v);
    } else if (is("NAK")) {
        VisitFields(record.Nak, v);
    } else if (is("GGA")) {
        VisitFields(record.Gga, v);
    } else if (is("GLL")) {
        VisitFields(record.Gll, v);
    } else if (is("GBS")) {
        VisitFields(record.Gbs, v);
    } else if (is("GSA")) {
        VisitFields(record.Gsa, v);
        const SatelliteLabels labels = GsaLabels(record.Header.Talker, record.Gsa);
        v("Satellites", labels.View());
    } else if (is("GSV")) {
        VisitFields(record.Gsv, v);
        const SatelliteLabels labels = GsvLabels(record.Header.Talker, record.Gsv);
        v("Satellites", labels.View());
    } else if (is("RMC")) {
        VisitFields(record.Rmc, v);
    } else if (is("VTG")) {
        VisitFields(record.Vtg, v);
    } else if (is("ZDA")) {
        VisitFields(record.Zda, v);
    } else if (is("HDT")) {
        VisitFields(record.Hdt, v);
    } else if (is("ROT")) {
        VisitFields(record.Rot, v);
    } else if (is("VBW")) {
        VisitFields(record.Vbw, v);
    } else if (is("GNS")) {
        VisitFields(record.Gns, v);
    } else if (is("GRS")) {
        VisitFields(record.Grs, v);
    } else if (is("GST")) {
        VisitFields(record.Gst, v);
    } else if (is("DTM")) {
        VisitFields(record.Dtm, v);
    } else if (is("RMA")) {
        VisitFields(record.Rma, v);
    } else if (is("WPL")) {
        VisitFields(record.Wpl, v);
    } else if (is("OSD")) {
        VisitFields(record.Osd, v);
    } else if (is("DBG") || is("CPA") || is("TSV")) {
        VisitFields(record.Dbg, v);
    } else if (is("BAU")) {
        VisitFields(record.Bau, v);
    } else if (is("DES") || is("MBL")) {
        VisitFields(record.Des, v);
    } else if (is("CLR")) {
        VisitFields(record.Clr, v);
    } else if (is("MID")) {
        VisitFields(record.Mid, v);
    } else if (is("BDY")) {
        VisitFields(record.Bdy, v);
    } else if (is("TST")) {
        VisitFields(record.Tst, v);
    } else if (is("FRQ")) {
        VisitFields(record.Frq, v);
    } else if (is("BTH")) {
        VisitFields(record.Bth, v);
    } else if (is("TPS")) {
        VisitFields(record.Tps, v);
    } else if (is("MOB")) {
        VisitFields(record.Mob, v);
    } else if (is("AIQ")) {
        VisitFields(record.Aiq, v);
    } else if (is("Smg")) {
        VisitFields(record.Smg, v);
    } else {
        return false;
    }
    return true;
}

}  // namespace navoro
