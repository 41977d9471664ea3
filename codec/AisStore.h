#pragma once

#include <cstdint>

#include "codec/AisRecords.h"

namespace navoro {

// The latest values of the AIS-related sentences (group 4). Validity flags are
// only ever set by the codec; SsdReceived and VsdReceived are cleared by their
// readers.
struct AisStore {
    std::uint8_t TalkerCode;
    std::int8_t TxtTotal, TxtNumber, TxtId;
    char TxtText[62];
    std::uint32_t Mmsi;
    float AbkMessageId;
    std::uint8_t AbkSequence, AbkAckType;
    char AcaSequence;
    float NorthEastLat, NorthEastLon, SouthWestLat, SouthWestLon;
    char ZoneSize;
    std::int16_t ChannelA;
    char BandwidthA;
    std::int16_t ChannelB;
    char BandwidthB, TxRxMode, PowerLevel, InfoSource, InUse;
    // hour, minute, second, hundredths, day, month, year: shared by ACA, ACS and
    // the VSD's ETA; the latest of them wins.
    std::uint8_t TimeDate[7];
    char CallSign[8];
    std::uint8_t CallSignValid;
    char Name[21];
    std::uint8_t NameValid;
    std::uint16_t DimA, DimB;
    std::uint8_t DimC, DimD;
    std::uint8_t DimsValid;
    std::uint8_t Dte;
    std::uint8_t DteValid;
    char Source[3];
    std::uint16_t ShipType;
    std::uint8_t ShipTypeValid;
    float Draught;
    std::uint8_t DraughtValid;
    std::uint16_t PersonsOnBoard;
    std::uint8_t PersonsValid;
    char Destination[21];
    std::uint8_t DestinationValid;
    std::uint8_t EtaValid;
    std::uint8_t NavStatus;
    std::uint8_t NavStatusValid;
    std::uint8_t RegionalFlags;
    std::int8_t MsgTotal, MsgNumber, MsgSequenceId, MsgFillBits;
    char MsgPayload[64];
    char MsgChannel;
    std::uint8_t MsgId;
    std::uint16_t AckAlarmId;
    std::uint8_t AckValid;
    AlrRecord LastAlarm;
    std::uint8_t SsdReceived;
    std::uint8_t VsdReceived;
};

}  // namespace navoro
