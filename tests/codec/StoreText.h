#pragma once

#include <string>
#include <vector>

#include "codec/AisStore.h"
#include "codec/ProprietaryStore.h"
#include "codec/RecordFields.h"
#include "tests/support/RecordText.h"

namespace navoro::test {

// Walks the members of a group store under their own names, as VisitFields
// walks a record's; records held in a store are shown as Store.Member.

template <class V>
struct PrefixedNames {
    const char* prefix;
    V& v;
    template <class T>
    void operator()(const char* name, const T& value) {
        v((std::string(prefix) + name).c_str(), value);
    }
};

template <class V>
void VisitStore(const AisStore& s, V& v) {
    v("TalkerCode", s.TalkerCode);
    v("TxtTotal", s.TxtTotal);
    v("TxtNumber", s.TxtNumber);
    v("TxtId", s.TxtId);
    v("TxtText", s.TxtText);
    v("Mmsi", s.Mmsi);
    v("AbkMessageId", s.AbkMessageId);
    v("AbkSequence", s.AbkSequence);
    v("AbkAckType", s.AbkAckType);
    v("AcaSequence", s.AcaSequence);
    v("NorthEastLat", s.NorthEastLat);
    v("NorthEastLon", s.NorthEastLon);
    v("SouthWestLat", s.SouthWestLat);
    v("SouthWestLon", s.SouthWestLon);
    v("ZoneSize", s.ZoneSize);
    v("ChannelA", s.ChannelA);
    v("BandwidthA", s.BandwidthA);
    v("ChannelB", s.ChannelB);
    v("BandwidthB", s.BandwidthB);
    v("TxRxMode", s.TxRxMode);
    v("PowerLevel", s.PowerLevel);
    v("InfoSource", s.InfoSource);
    v("InUse", s.InUse);
    v("TimeDate", s.TimeDate);
    v("CallSign", s.CallSign);
    v("CallSignValid", s.CallSignValid);
    v("Name", s.Name);
    v("NameValid", s.NameValid);
    v("DimA", s.DimA);
    v("DimB", s.DimB);
    v("DimC", s.DimC);
    v("DimD", s.DimD);
    v("DimsValid", s.DimsValid);
    v("Dte", s.Dte);
    v("DteValid", s.DteValid);
    v("Source", s.Source);
    v("ShipType", s.ShipType);
    v("ShipTypeValid", s.ShipTypeValid);
    v("Draught", s.Draught);
    v("DraughtValid", s.DraughtValid);
    v("PersonsOnBoard", s.PersonsOnBoard);
    v("PersonsValid", s.PersonsValid);
    v("Destination", s.Destination);
    v("DestinationValid", s.DestinationValid);
    v("EtaValid", s.EtaValid);
    v("NavStatus", s.NavStatus);
    v("NavStatusValid", s.NavStatusValid);
    v("RegionalFlags", s.RegionalFlags);
    v("MsgTotal", s.MsgTotal);
    v("MsgNumber", s.MsgNumber);
    v("MsgSequenceId", s.MsgSequenceId);
    v("MsgFillBits", s.MsgFillBits);
    v("MsgPayload", s.MsgPayload);
    v("MsgChannel", s.MsgChannel);
    v("MsgId", s.MsgId);
    v("AckAlarmId", s.AckAlarmId);
    v("AckValid", s.AckValid);
    PrefixedNames<V> alarm{"LastAlarm.", v};
    VisitFields(s.LastAlarm, alarm);
    v("SsdReceived", s.SsdReceived);
    v("VsdReceived", s.VsdReceived);
}

template <class V>
void VisitStore(const ProprietaryStore& s, V& v) {
    v("Mmsi", s.Mmsi);
    v("MmsiValid", s.MmsiValid);
    v("Imo", s.Imo);
    v("ImoValid", s.ImoValid);
    v("BdyValue", s.BdyValue);
    v("BdyText1", s.BdyText1);
    v("BdyText2", s.BdyText2);
    v("BdyFlag1", s.BdyFlag1);
    v("BdyFlag2", s.BdyFlag2);
    v("BdyValid", s.BdyValid);
    v("TstValue", s.TstValue);
    v("TstNumber", s.TstNumber);
    v("TstLowerLetter", s.TstLowerLetter);
    v("TstValueValid", s.TstValueValid);
    v("TstUpperLetter", s.TstUpperLetter);
    v("TstUpperLetterValid", s.TstUpperLetterValid);
    v("TstCode", s.TstCode);
    v("TstCodeValid", s.TstCodeValid);
    v("FrqValue", s.FrqValue);
    v("FrqCode", s.FrqCode);
    v("FrqValid", s.FrqValid);
    v("BthValues", s.BthValues);
    v("BthValuesValid", s.BthValuesValid);
    v("BthText", s.BthText);
    v("BthTextValid", s.BthTextValid);
    v("DbgParamId", s.DbgParamId);
    v("DbgParamValue", s.DbgParamValue);
    v("DbgValid", s.DbgValid);
    v("DbgMode", s.DbgMode);
    v("TpsValue", s.TpsValue);
    v("TpsText", s.TpsText);
    v("TpsValid", s.TpsValid);
    v("MobId", s.MobId);
    v("MobValue", s.MobValue);
    v("MobCode", s.MobCode);
    v("MobOptionalCode", s.MobOptionalCode);
    v("MobOptionalPresent", s.MobOptionalPresent);
    v("MobData", s.MobData);
    v("MobDataLength", s.MobDataLength);
    v("ClrResponse", s.ClrResponse);
    v("ClrFunctionReply", s.ClrFunctionReply);
    v("ClrMessage27", s.ClrMessage27);
    v("ClrChannelA", s.ClrChannelA);
    v("ClrChannelB", s.ClrChannelB);
    v("ClrReceived", s.ClrReceived);
    PrefixedNames<V> des{"LastDes.", v};
    VisitFields(s.LastDes, des);
    v("DesReceived", s.DesReceived);
    PrefixedNames<V> mbl{"LastMbl.", v};
    VisitFields(s.LastMbl, mbl);
    v("MblReceived", s.MblReceived);
}

// Each member as its own "Name=value" text.
struct MemberTexts {
    std::vector<std::string> items;
    template <class T>
    void operator()(const char* name, const T& value) {
        RecordText one;
        one(name, value);
        items.push_back(one.text);
    }
};

// The members of a store that differ from a new, zeroed store, as RecordText
// shows them (arrays whole): what one sentence left in a fresh codec. A member
// left out still has its new store's value.
template <class Store>
std::string StoreChanges(const Store& store) {
    const Store fresh{};
    MemberTexts before;
    MemberTexts after;
    VisitStore(fresh, before);
    VisitStore(store, after);
    std::string text;
    for (std::size_t i = 0; i < after.items.size(); ++i) {
        if (after.items[i] == before.items[i]) continue;
        if (!text.empty()) text += ' ';
        text += after.items[i];
    }
    return text;
}

}  // namespace navoro::test
