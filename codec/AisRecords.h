#pragma once

#include <cstdint>

#include "codec/Fields.h"

namespace navoro {

// Field layouts of the AIS-related sentences (the group-4 formatters and the
// query). Each is an overlay of the field area of SentenceRecord.

// $AISSD,ABC1234,SHIP NAME,100,20,5,6,0,AI*hh
//        1       2         3   4  5 6 7 8
struct SsdRecord {
    char CallSign[8];    // blank: empty text
    char Name[21];       // blank: empty text
    std::uint16_t DimA;  // blank: 512
    std::uint16_t DimB;  // blank: 512
    std::uint8_t DimC;   // blank: 64
    std::uint8_t DimD;   // blank: 64
    std::uint8_t Dte;    // blank: 2
    char Source[100];    // as received; a blank field stays " "
};

// $AIVSD,30,5.2,12,HAMBURG,120000.00,05,06,0,0*hh
//        1  2   3  4       5         6  7  8 9
struct VsdRecord {
    std::uint16_t ShipType;        // low 8 bits kept; blank: 256
    float Draught;                 // blank: -100000.0
    std::uint16_t PersonsOnBoard;  // blank: 8192
    char Destination[21];          // blank: empty text
    TimeOfDay EtaTime;             // blank: 24, 60, 60
    std::uint8_t EtaDay;           // blank: 32
    std::uint8_t EtaMonth;         // blank: 13
    std::uint8_t NavStatus;        // blank: 0x80
    std::uint8_t RegionalFlags;    // blank: 0
};

// $AITXT,01,01,21,TEXT*hh
struct TxtRecord {
    std::int8_t Total;   // 1-99; blank 0x80
    std::int8_t Number;  // 1-99; blank 0x80
    std::int8_t TextId;  // 1-99; blank 0x80
    char Text[62];       // cut to 61 characters
};

// $AIALR,120000.00,001,A,V,TEXT*hh
struct AlrRecord {
    TimeOfDay Time;
    std::int16_t AlarmId;  // 0-999; blank, letters or beyond: -1
    char Condition;        // 'A' threshold exceeded, 'V' not exceeded
    char AckState;         // 'A' acknowledged, 'V' not
    char Text[60];
};

// $AIACK,001*hh
struct AckRecord {
    std::int16_t AlarmId;  // blank: 1000
};

// $AIACA,1,5000.00,N,00500.00,E,4900.00,N,00400.00,W,5,2087,0,2088,0,0,0,C,0,120000.00*hh
struct AcaRecord {
    char Sequence;
    LatLon NorthEast;
    LatLon SouthWest;
    char ZoneSize;
    std::int16_t ChannelA;
    char BandwidthA;
    std::int16_t ChannelB;
    char BandwidthB;
    char TxRxMode;
    char PowerLevel;
    char InfoSource;
    char InUse;
    TimeOfDay InUseTime;
};

// $AIACS,1,211000000,120000.00,10,12,2026*hh
struct AcsRecord {
    char Sequence;
    std::uint32_t Mmsi;
    TimeOfDay Time;
    std::uint8_t Day;
    std::uint8_t Month;
    std::uint16_t Year;  // atol of the field modulo 256
};

// $AITRL,3,1,,01122026,081500.00,01122026,093000.00,1*hh
struct TrlRecord {
    std::int8_t Total;       // 0-99; blank 0x80
    std::int8_t Entry;       // 1-99; blank 0x80
    std::int8_t SequenceId;  // 0-9; blank 0x80
    DateOfYear OffDate;      // blank: 0, 0, 0
    TimeOfDay OffTime;       // blank: 24, 60, 60
    DateOfYear OnDate;       // blank: 0, 0, 0
    TimeOfDay OnTime;        // blank: 24, 60, 60
    std::int8_t Reason;      // 0-99; blank 0x80
};

// $AIABK,211000000,A,6,1,0*hh
struct AbkRecord {
    std::uint32_t Mmsi;
    std::uint8_t ChannelCode;
    std::uint8_t MessageId;
    std::uint8_t MessageSequence;
    std::uint8_t AckType;
};

// The encapsulation sentences ABM, BBM, VDM and VDO keep their common members in
// the same places, so the message assembly reads them without the formatter.
//   !AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*26
//          1 2 3 4 5                           6
struct EncapsulationRecord {
    std::int8_t Total;       // 0-9
    std::int8_t Number;      // 0-9
    std::int8_t SequenceId;  // 0-9; blank 0x80
    char Channel;            // VDM/VDO/ABM: first character, blank 0x80; BBM: atol
    char Payload[64];        // at most 62 characters (63 with a sequence identifier 1-9)
    std::int8_t FillBits;    // 0-5
    std::uint32_t Mmsi;      // ABM
    std::uint8_t MessageId;  // ABM, BBM
};
using AbmRecord = EncapsulationRecord;
using BbmRecord = EncapsulationRecord;
using VdmRecord = EncapsulationRecord;

// $AIVER,1,1,AI,LMO,UID123,SN0042,MODEL-A,2.4.17,1.0,0*hh
//        1 2 3  4   5      6      7       8      9   10
// Each text is cut to its member; a blank text field gives the empty text.
struct VerRecord {
    std::int8_t Total;          // 1-9; blank 0x80
    std::int8_t Number;         // 1-9; blank 0x80
    char DeviceType[3];         // a talker identifier, "AI" for an AIS unit
    char VendorId[4];           // the maker's three-letter mnemonic
    char UniqueId[33];          // the unit's unique identifier
    char SerialNumber[33];      // the maker's serial number
    char ModelCode[33];         // the maker's model (product) code
    char SoftwareRevision[33];  // software revision
    char HardwareRevision[33];  // hardware revision
    std::int8_t SequenceId;     // sequential message identifier 0-9; blank 0x80
};

// $AINAK,EC,TRL,SIM0001,1,QUERY NOT SUPPORTED*hh
//        1  2   3       4 5
struct NakRecord {
    char Talker[3];       // the talker whose sentence or query is refused
    char Formatter[8];    // the refused sentence's formatter, or the one queried
    char UniqueId[33];    // the refusing unit's unique identifier
    std::int16_t Reason;  // reason code 0-99; blank -1
    char Text[62];        // descriptive text
};

// $AIAIQ,SSD*hh  (talker, listener, 'Q')
struct QueryRecord {
    char Queried[100];
};

}  // namespace navoro
