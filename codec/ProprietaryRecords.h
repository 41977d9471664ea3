#pragma once

#include <cstdint>

namespace navoro {

// Field layouts of the transponder maker's proprietary sentences (group 6) and
// of the two proprietary messages that are checked but filed nowhere (AIQ and
// "Smg"). Each is an overlay of the field area of SentenceRecord. The parser is
// chosen by the sub-command alone, so $PLMO,R,BAU,..., $PBAU,... and $AIBAU,...
// all fill the same record; the header's Mode holds the $PLMO mode letter.

// $PLMO,R,TSV,30,0,101,1,102,0,122,0*hh  (also DBG and CPA)
// Four parameter pairs; a pair that is not used is sent empty.
struct DbgRecord {
    std::int16_t ParamId[4];     // blank 999
    std::int32_t ParamValue[4];  // blank -2147483648
};

// $PLMO,R,BAU,3,38400*16
struct BauRecord {
    std::int8_t Port;    // blank 127
    std::uint32_t Baud;  // blank 0
};

// $PLMO,R,DES,2,HAMBURG*6A  (also MBL: an MMSI and a name)
struct DesRecord {
    std::uint32_t Value;  // blank 0
    char Text[21];        // cut to 20 characters; a blank text rejects
};

// Members of ClrRecord::Present and MobRecord::Present.
inline constexpr std::uint16_t kClrResponseGiven = 1u << 0;
inline constexpr std::uint16_t kClrFunctionReplyGiven = 1u << 1;  // bits 1-10, one per item
inline constexpr std::uint16_t kClrMessage27Given = 1u << 11;
inline constexpr std::uint16_t kClrChannelAGiven = 1u << 12;
inline constexpr std::uint16_t kClrChannelBGiven = 1u << 13;
inline constexpr std::uint8_t kMobCodeGiven = 1u << 0;
inline constexpr std::uint8_t kMobOptionalGiven = 1u << 1;

// $PLMO,R,CLR,1,1010101010,1,2087,2088*hh
// Long-range settings: reply mode (0 automatic, 1 manual), the ten function
// reply items A, B, C, E, F, I, O, P, U, W, the message-27 switch and the two
// long-range channels. A blank field (or an item character other than 0 or 1)
// changes nothing: the record is cleared first and Present says which members
// the sentence set, so the store keeps its value for the others.
struct ClrRecord {
    std::uint8_t Response;  // 1 when atol is non-zero
    std::uint8_t FunctionReply[10];
    std::uint8_t Message27;  // 1 when atol is non-zero
    std::int16_t ChannelA;
    std::int16_t ChannelB;
    std::uint16_t Present;  // kClr...Given bits
};

// $PMID,211000000,009876543*hh
struct MidRecord {
    std::uint32_t Mmsi;  // blank 999999999
    std::uint32_t Imo;   // blank 999999999
};

// $PBDY,123456789,TEXT ONE,TEXT TWO,0,1*hh
struct BdyRecord {
    std::uint32_t Value;  // blank 999999999
    char Text1[21];       // blank: empty text
    char Text2[21];
    std::uint8_t Flag1;  // blank 9
    std::uint8_t Flag2;  // blank 9
};

// $PTST,,,,,00016*18
struct TstRecord {
    std::uint32_t Value;  // blank 99999
    std::uint8_t Number;  // blank 99
    char LowerLetter;     // first character (a blank field gives a blank)
    char UpperLetter;
    std::uint16_t Code;  // blank 65535
};

// $PFRQ,161975000,1,162025000,2*hh
// The record keeps the two values first, then the two codes.
struct FrqRecord {
    std::uint32_t Value1;  // blank 999999999
    std::uint32_t Value2;
    std::uint8_t Code1;  // blank 0x80
    std::uint8_t Code2;
};

// $PBTH,1,2,3,4,5,6,TEXT*hh
struct BthRecord {
    std::int16_t Values[6];  // blank 256
    char Text[25];           // blank: empty text; cut to 24 characters
};

// $PTPS,1,SN12345678*hh
struct TpsRecord {
    std::int16_t Value;  // blank 999
    char Text[25];       // blank: empty text; cut to 24 characters
};

// $PMOB,A1B2C3,5,0F,,0102*hh
// Id and codes in hexadecimal, the data as hexadecimal pairs. The record is
// cleared first; Present says whether Code and the optional code were given
// (a field too long to be a code changes nothing).
struct MobRecord {
    std::uint8_t Id[3];
    std::uint8_t Value;  // blank 255
    std::uint8_t Code;   // blank 255
    std::uint8_t OptionalCode;
    std::uint8_t OptionalPresent;
    std::uint8_t Data[9];
    std::uint8_t DataLength;  // 1-9, 0 when the data field was not usable
    std::uint8_t Present;     // kMob...Given bits
};

// $PAIQ,Smg,3*hh  (the first field must be "Smg")
struct AiqRecord {
    std::uint8_t Value;
};

// $PSmg,TEXT,3*hh
struct SmgRecord {
    char Text[80];  // cut to 79 characters
    std::uint8_t Value;
};

}  // namespace navoro
