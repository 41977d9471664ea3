#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ais/AisBitBuffer.h"

namespace navoro {

// The AIS message tables: one list of fields per message type, each field with
// its width in bits, its kind (how it is converted and stored in the decoded
// record) and its scale (for the float kinds). The decoder walks them from the
// first bit; the decoded record holds the fields in table order, packed.

// Field kinds. The number is what a table names; the comment says how the
// field is stored in the decoded record. kKindWordId and kKindLongId are stored
// and decoded exactly like kKindWord and kKindLong; the tables give them to
// fields that hold an identifier (MMSI, IMO number, application identifier)
// and to a few spare fields, and keep their own numbers as table data.
enum : std::uint8_t {
    kKindByte = 0,         // 1 byte, unsigned (fields of 8 bits or fewer)
    kKindWord = 1,         // 2 bytes, unsigned
    kKindWordId = 2,       // 2 bytes, unsigned
    kKindLong = 3,         // 4 bytes, unsigned (no table uses it)
    kKindLongId = 4,       // 4 bytes, unsigned
    kKindSigned = 5,       // float: signed value times scale (no table uses it)
    kKindScaled = 6,       // float: unsigned value times scale
    kKindText = 7,         // width / 6 six-bit characters, then NUL
    kKindTextToEnd = 8,    // six-bit characters to the end of the message, then NUL
    kKindRateOfTurn = 9,   // float: (v / 4.733)^2 with the sign of v
    kKindLongitude = 11,   // float: signed value times scale, divided by 60
    kKindLatitude = 12,    // float: signed value times scale, divided by 60
    kKindCourse = 13,      // float: unsigned value times scale
    kKindHeading = 14,     // 2 bytes: 360 and above stored as 511
    kKindTimeStamp = 15,   // 1 byte
    kKindCommState = 16,   // 4 bytes, unsigned
    kKindDimensions = 17,  // 4 bytes: A (9 bits), B (9), C (6), D (6), A highest
    kKindEta = 18,         // 4 bytes: month (4), day (5), hour (5), minute (6), month highest
    // The two fields a message 26 ends with, read from the message's last 20
    // bits wherever the binary data before them ends (the binary data, the
    // table's to-the-end text, then stops 20 bits before the end).
    kKindEndFlag = 19,       // 1 byte: the bit 20 bits before the end
    kKindEndCommState = 20,  // 4 bytes: the last 19 bits
};

struct TableField {
    const char* Name;  // as the message's documentation names it
    std::int16_t Width;
    std::uint8_t Kind;
    float Scale;
};

// Position of the field with this name in a table, for reading a decoded
// record by field name. A name the table lacks, or holds twice, does not
// compile.
template <std::size_t N>
consteval int FieldIndex(const TableField (&fields)[N], std::string_view name) {
    int found = -1;
    for (std::size_t i = 0; i < N; ++i) {
        if (std::string_view(fields[i].Name) != name) continue;
        if (found >= 0) throw "field name is not unique in the table";
        found = static_cast<int>(i);
    }
    if (found < 0) throw "no field of this name in the table";
    return found;
}

struct AisMessageTable {
    const TableField* Fields;
    int Count;
};

// Bytes a field of this kind takes in the decoded record; 0 for the text kinds
// (whose size depends on the field) and for unknown kinds.
constexpr int StoredSize(std::uint8_t kind) {
    switch (kind) {
        case kKindByte:
        case kKindTimeStamp:
        case kKindEndFlag:
            return 1;
        case kKindWord:
        case kKindWordId:
        case kKindHeading:
            return 2;
        case kKindLong:
        case kKindLongId:
        case kKindSigned:
        case kKindScaled:
        case kKindRateOfTurn:
        case kKindLongitude:
        case kKindLatitude:
        case kKindCourse:
        case kKindCommState:
        case kKindDimensions:
        case kKindEta:
        case kKindEndCommState:
            return 4;
        default:
            return 0;
    }
}

constexpr bool IsFloatKind(std::uint8_t kind) {
    return kind == kKindSigned || kind == kKindScaled || kind == kKindRateOfTurn ||
           kind == kKindLongitude || kind == kKindLatitude || kind == kKindCourse;
}

constexpr bool IsTextKind(std::uint8_t kind) {
    return kind == kKindText || kind == kKindTextToEnd;
}

namespace tables {

inline constexpr float k01 = 0.1f;
inline constexpr float k00001 = 0.0001f;

// Message 1, 2, 3: Position report (Class A).
inline constexpr TableField kPositionReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Navigational status", 4, kKindByte, 1.0f},
    {"Rate of turn", 8, kKindRateOfTurn, 1.0f},
    {"SOG", 10, kKindScaled, k01},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001},
    {"Latitude", 27, kKindLatitude, k00001},
    {"COG", 12, kKindCourse, k01},
    {"True heading", 9, kKindHeading, 1.0f},
    {"Time stamp", 6, kKindTimeStamp, 1.0f},
    {"Reserved for regional applications", 4, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"Communication state", 19, kKindCommState, 1.0f},
};

// Message 4, 11: Base station report / UTC and date response.
inline constexpr TableField kBaseStationReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},        {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f}, {"UTC year", 14, kKindWord, 1.0f},
    {"UTC month", 4, kKindByte, 1.0f},         {"UTC day", 5, kKindByte, 1.0f},
    {"UTC hour", 5, kKindByte, 1.0f},          {"UTC minute", 6, kKindByte, 1.0f},
    {"UTC second", 6, kKindByte, 1.0f},        {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001}, {"Latitude", 27, kKindLatitude, k00001},
    {"Type of EPFD", 4, kKindByte, 1.0f},      {"Spare", 10, kKindWord, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},         {"Communication state", 19, kKindCommState, 1.0f},
};

// Message 5: Static and voyage related data.
inline constexpr TableField kStaticVoyageData[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"AIS version indicator", 2, kKindByte, 1.0f},
    {"IMO number", 30, kKindLongId, 1.0f},
    {"Call sign", 42, kKindText, 1.0f},
    {"Name", 120, kKindText, 1.0f},
    {"Type of ship and cargo", 8, kKindByte, 1.0f},
    {"Dimensions (A, B, C, D)", 30, kKindDimensions, 1.0f},
    {"Type of EPFD", 4, kKindByte, 1.0f},
    {"ETA (month, day, hour, minute)", 20, kKindEta, 1.0f},
    {"Maximum present static draught", 8, kKindScaled, k01},
    {"Destination", 120, kKindText, 1.0f},
    {"DTE", 1, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
};

// Message 6: Addressed binary message.
inline constexpr TableField kAddressedBinary[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Sequence number", 2, kKindByte, 1.0f},
    {"Destination ID", 30, kKindLongId, 1.0f},
    {"Retransmit flag", 1, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
    {"Application identifier, first 6 bits", 6, kKindByte, 1.0f},
    {"Application identifier, last 10 bits", 10, kKindWordId, 1.0f},
    {"Binary data, as six-bit text to the end", 6, kKindTextToEnd, 1.0f},
};

// Message 7, 13: Binary / safety related acknowledgement.
inline constexpr TableField kAcknowledge[] = {
    {"Message ID", 6, kKindByte, 1.0f},          {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},   {"Spare", 2, kKindByte, 1.0f},
    {"Destination ID 1", 30, kKindLongId, 1.0f}, {"Sequence number 1", 2, kKindByte, 1.0f},
    {"Destination ID 2", 30, kKindLongId, 1.0f}, {"Sequence number 2", 2, kKindByte, 1.0f},
    {"Destination ID 3", 30, kKindLongId, 1.0f}, {"Sequence number 3", 2, kKindByte, 1.0f},
    {"Destination ID 4", 30, kKindLongId, 1.0f}, {"Sequence number 4", 2, kKindByte, 1.0f},
};

// Message 8: Binary broadcast message.
inline constexpr TableField kBinaryBroadcast[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Application identifier, first 6 bits", 6, kKindByte, 1.0f},
    {"Application identifier, last 10 bits", 10, kKindWordId, 1.0f},
    {"Binary data, as six-bit text to the end", 6, kKindTextToEnd, 1.0f},
};

// Message 9: Standard SAR aircraft position report.
inline constexpr TableField kSarAircraftReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Altitude", 12, kKindWord, 1.0f},
    {"SOG", 10, kKindScaled, 1.0f},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001},
    {"Latitude", 27, kKindLatitude, k00001},
    {"COG", 12, kKindCourse, k01},
    {"Time stamp", 6, kKindTimeStamp, 1.0f},
    {"Reserved for regional applications", 8, kKindByte, 1.0f},
    {"DTE", 1, kKindByte, 1.0f},
    {"Spare", 3, kKindByte, 1.0f},
    {"Assigned mode flag", 1, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"Communication state selector flag", 1, kKindByte, 1.0f},
    {"Communication state", 19, kKindCommState, 1.0f},
};

// Message 10: UTC and date inquiry.
inline constexpr TableField kUtcInquiry[] = {
    {"Message ID", 6, kKindByte, 1.0f},        {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f}, {"Spare", 2, kKindByte, 1.0f},
    {"Destination ID", 30, kKindLongId, 1.0f}, {"Spare", 2, kKindByte, 1.0f},
};

// Message 12: Addressed safety related message.
inline constexpr TableField kAddressedSafety[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Sequence number", 2, kKindByte, 1.0f},
    {"Destination ID", 30, kKindLongId, 1.0f},
    {"Retransmit flag", 1, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
    {"Safety related text, to the end", 6, kKindTextToEnd, 1.0f},
};

// Message 14: Safety related broadcast message.
inline constexpr TableField kSafetyBroadcast[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Safety related text, to the end", 6, kKindTextToEnd, 1.0f},
};

// Message 15: Interrogation.
inline constexpr TableField kInterrogation[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Destination ID 1", 30, kKindLongId, 1.0f},
    {"Message ID 1.1", 6, kKindByte, 1.0f},
    {"Slot offset 1.1", 12, kKindWord, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Message ID 1.2", 6, kKindByte, 1.0f},
    {"Slot offset 1.2", 12, kKindWord, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Destination ID 2", 30, kKindLongId, 1.0f},
    {"Message ID 2.1", 6, kKindByte, 1.0f},
    {"Slot offset 2.1", 12, kKindWord, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
};

// Message 16: Assigned mode command.
inline constexpr TableField kAssignedMode[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Destination ID A", 30, kKindLongId, 1.0f},
    {"Offset A", 12, kKindWord, 1.0f},
    {"Increment A", 10, kKindWord, 1.0f},
    {"Destination ID B", 30, kKindLongId, 1.0f},
    {"Offset B", 12, kKindWord, 1.0f},
    {"Increment B", 10, kKindWord, 1.0f},
    {"Spare", 4, kKindByte, 1.0f},
};

// Message 17: GNSS broadcast binary message (header only).
inline constexpr TableField kGnssBroadcast[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Longitude", 18, kKindLongitude, k01},
    {"Latitude", 17, kKindLatitude, k01},
    {"Spare", 5, kKindByte, 1.0f},
    {"Message type", 6, kKindByte, 1.0f},
    {"Station ID", 10, kKindWord, 1.0f},
    {"Z count", 13, kKindWord, 1.0f},
    {"Sequence number", 3, kKindByte, 1.0f},
    {"Number of data words", 5, kKindByte, 1.0f},
    {"Health", 3, kKindByte, 1.0f},
};

// Message 18: Standard Class B position report.
inline constexpr TableField kClassBReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Reserved for regional applications", 8, kKindByte, 1.0f},
    {"SOG", 10, kKindScaled, k01},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001},
    {"Latitude", 27, kKindLatitude, k00001},
    {"COG", 12, kKindCourse, k01},
    {"True heading", 9, kKindHeading, 1.0f},
    {"Time stamp", 6, kKindTimeStamp, 1.0f},
    {"Reserved for regional applications", 2, kKindByte, 1.0f},
    {"Class B unit flag", 1, kKindByte, 1.0f},
    {"Class B display flag", 1, kKindByte, 1.0f},
    {"Class B DSC flag", 1, kKindByte, 1.0f},
    {"Class B band flag", 1, kKindByte, 1.0f},
    {"Class B message 22 flag", 1, kKindByte, 1.0f},
    {"Mode flag", 1, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"Communication state selector flag", 1, kKindByte, 1.0f},
    {"Communication state", 19, kKindCommState, 1.0f},
};

// Message 19: Extended Class B position report.
inline constexpr TableField kExtendedClassBReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Reserved for regional applications", 8, kKindByte, 1.0f},
    {"SOG", 10, kKindScaled, k01},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001},
    {"Latitude", 27, kKindLatitude, k00001},
    {"COG", 12, kKindCourse, k01},
    {"True heading", 9, kKindHeading, 1.0f},
    {"Time stamp", 6, kKindTimeStamp, 1.0f},
    {"Reserved for regional applications", 4, kKindByte, 1.0f},
    {"Name", 120, kKindText, 1.0f},
    {"Type of ship and cargo", 8, kKindByte, 1.0f},
    {"Dimensions (A, B, C, D)", 30, kKindDimensions, 1.0f},
    {"Type of EPFD", 4, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"DTE", 1, kKindByte, 1.0f},
    {"Assigned mode flag", 1, kKindByte, 1.0f},
    {"Spare", 4, kKindByte, 1.0f},
};

// Message 20: Data link management.
inline constexpr TableField kDataLinkManagement[] = {
    {"Message ID", 6, kKindByte, 1.0f},        {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f}, {"Spare", 2, kKindByte, 1.0f},
    {"Offset number 1", 12, kKindWord, 1.0f},  {"Number of slots 1", 4, kKindByte, 1.0f},
    {"Time-out 1", 3, kKindByte, 1.0f},        {"Increment 1", 11, kKindWord, 1.0f},
    {"Offset number 2", 12, kKindWord, 1.0f},  {"Number of slots 2", 4, kKindByte, 1.0f},
    {"Time-out 2", 3, kKindByte, 1.0f},        {"Increment 2", 11, kKindWord, 1.0f},
    {"Offset number 3", 12, kKindWord, 1.0f},  {"Number of slots 3", 4, kKindByte, 1.0f},
    {"Time-out 3", 3, kKindByte, 1.0f},        {"Increment 3", 11, kKindWord, 1.0f},
    {"Offset number 4", 12, kKindWord, 1.0f},  {"Number of slots 4", 4, kKindByte, 1.0f},
    {"Time-out 4", 3, kKindByte, 1.0f},        {"Increment 4", 11, kKindWord, 1.0f},
};

// Message 21: Aids-to-navigation report.
inline constexpr TableField kAidToNavigationReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Type of aid to navigation", 5, kKindByte, 1.0f},
    {"Name", 120, kKindText, 1.0f},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"Longitude", 28, kKindLongitude, k00001},
    {"Latitude", 27, kKindLatitude, k00001},
    {"Dimensions (A, B, C, D)", 30, kKindDimensions, 1.0f},
    {"Type of EPFD", 4, kKindByte, 1.0f},
    {"Time stamp", 6, kKindTimeStamp, 1.0f},
    {"Off-position indicator", 1, kKindByte, 1.0f},
    {"Reserved for regional applications", 8, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"Virtual aid flag", 1, kKindByte, 1.0f},
    {"Assigned mode flag", 1, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
    {"Name extension", 6, kKindTextToEnd, 1.0f},
};

// Message 22: Channel management.
inline constexpr TableField kChannelManagement[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Channel A", 12, kKindWord, 1.0f},
    {"Channel B", 12, kKindWord, 1.0f},
    {"Tx/Rx mode", 4, kKindByte, 1.0f},
    {"Power", 1, kKindByte, 1.0f},
    {"Longitude 1", 18, kKindLongitude, k01},
    {"Latitude 1", 17, kKindLatitude, k01},
    {"Longitude 2", 18, kKindLongitude, k01},
    {"Latitude 2", 17, kKindLatitude, k01},
    {"Addressed or broadcast flag", 1, kKindByte, 1.0f},
    {"Channel A bandwidth", 1, kKindByte, 1.0f},
    {"Channel B bandwidth", 1, kKindByte, 1.0f},
    {"Transitional zone size", 3, kKindByte, 1.0f},
    {"Spare", 23, kKindLongId, 1.0f},
};

// Message 23: Group assignment command.
inline constexpr TableField kGroupAssignment[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Spare", 2, kKindByte, 1.0f},
    {"Longitude 1", 18, kKindLongitude, k01},
    {"Latitude 1", 17, kKindLatitude, k01},
    {"Longitude 2", 18, kKindLongitude, k01},
    {"Latitude 2", 17, kKindLatitude, k01},
    {"Station type", 4, kKindByte, 1.0f},
    {"Type of ship and cargo", 8, kKindByte, 1.0f},
    {"Spare", 22, kKindLongId, 1.0f},
    {"Tx/Rx mode", 2, kKindByte, 1.0f},
    {"Reporting interval", 4, kKindByte, 1.0f},
    {"Quiet time", 4, kKindByte, 1.0f},
    {"Spare", 6, kKindByte, 1.0f},
};

// Message 24 part A (and part numbers 2, 3): Static data report, part A.
inline constexpr TableField kStaticDataPartA[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Part number", 2, kKindByte, 1.0f},
    {"Name", 120, kKindText, 1.0f},
};

// Message 24 part B: Static data report, part B.
inline constexpr TableField kStaticDataPartB[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Part number", 2, kKindByte, 1.0f},
    {"Type of ship and cargo", 8, kKindByte, 1.0f},
    {"Vendor ID", 42, kKindText, 1.0f},
    {"Call sign", 42, kKindText, 1.0f},
    {"Dimensions (A, B, C, D)", 30, kKindDimensions, 1.0f},
    {"Spare", 6, kKindByte, 1.0f},
};

// Message 25: Single slot binary message, in its four forms: broadcast or
// addressed (destination indicator), unstructured or with an application
// identifier (binary data flag).
#define NAVORO_BINARY_HEAD                                                                     \
    {"Message ID", 6, kKindByte, 1.0f}, {"Repeat indicator", 2, kKindByte, 1.0f},              \
        {"Source ID", 30, kKindLongId, 1.0f}, {"Destination indicator", 1, kKindByte, 1.0f}, { \
        "Binary data flag", 1, kKindByte, 1.0f                                                 \
    }
#define NAVORO_DESTINATION                       \
    {"Destination ID", 30, kKindLongId, 1.0f}, { \
        "Spare", 2, kKindByte, 1.0f              \
    }
#define NAVORO_APPLICATION_ID \
    { "Application identifier", 16, kKindWordId, 1.0f }
#define NAVORO_BINARY_DATA \
    { "Binary data, as six-bit text to the end", 6, kKindTextToEnd, 1.0f }
#define NAVORO_END_COMM_STATE                                       \
    {"Communication state selector flag", 1, kKindEndFlag, 1.0f}, { \
        "Communication state", 19, kKindEndCommState, 1.0f          \
    }

inline constexpr TableField kSingleSlotBinary[] = {NAVORO_BINARY_HEAD, NAVORO_BINARY_DATA};
inline constexpr TableField kSingleSlotBinaryStructured[] = {
    NAVORO_BINARY_HEAD, NAVORO_APPLICATION_ID, NAVORO_BINARY_DATA};
inline constexpr TableField kSingleSlotBinaryAddressed[] = {NAVORO_BINARY_HEAD, NAVORO_DESTINATION,
                                                            NAVORO_BINARY_DATA};
inline constexpr TableField kSingleSlotBinaryAddressedStructured[] = {
    NAVORO_BINARY_HEAD, NAVORO_DESTINATION, NAVORO_APPLICATION_ID, NAVORO_BINARY_DATA};

// Message 26: Multiple slot binary message with communications state, in the
// same four forms; the communication state is the message's last 20 bits.
inline constexpr TableField kMultipleSlotBinary[] = {NAVORO_BINARY_HEAD, NAVORO_END_COMM_STATE,
                                                     NAVORO_BINARY_DATA};
inline constexpr TableField kMultipleSlotBinaryStructured[] = {
    NAVORO_BINARY_HEAD, NAVORO_APPLICATION_ID, NAVORO_END_COMM_STATE, NAVORO_BINARY_DATA};
inline constexpr TableField kMultipleSlotBinaryAddressed[] = {
    NAVORO_BINARY_HEAD, NAVORO_DESTINATION, NAVORO_END_COMM_STATE, NAVORO_BINARY_DATA};
inline constexpr TableField kMultipleSlotBinaryAddressedStructured[] = {
    NAVORO_BINARY_HEAD, NAVORO_DESTINATION, NAVORO_APPLICATION_ID, NAVORO_END_COMM_STATE,
    NAVORO_BINARY_DATA};

#undef NAVORO_BINARY_HEAD
#undef NAVORO_DESTINATION
#undef NAVORO_APPLICATION_ID
#undef NAVORO_BINARY_DATA
#undef NAVORO_END_COMM_STATE

// Message 27: Position report for long-range applications.
inline constexpr TableField kLongRangeReport[] = {
    {"Message ID", 6, kKindByte, 1.0f},
    {"Repeat indicator", 2, kKindByte, 1.0f},
    {"User ID (MMSI)", 30, kKindLongId, 1.0f},
    {"Position accuracy", 1, kKindByte, 1.0f},
    {"RAIM flag", 1, kKindByte, 1.0f},
    {"Navigational status", 4, kKindByte, 1.0f},
    {"Longitude", 18, kKindLongitude, k01},
    {"Latitude", 17, kKindLatitude, k01},
    {"SOG", 6, kKindByte, 1.0f},
    {"COG", 9, kKindWord, 1.0f},
    {"Position latency", 1, kKindByte, 1.0f},
    {"Spare", 1, kKindByte, 1.0f},
};

template <std::size_t N>
constexpr AisMessageTable Table(const TableField (&fields)[N]) {
    return AisMessageTable{fields, static_cast<int>(N)};
}

}  // namespace tables

// Index of the part B table of message 24 in kMessageTables.
inline constexpr int kPartBTable = 25;

// The tables of the forms of messages 25 and 26, by destination indicator
// (addressed) and binary data flag (structured): [id - 25][2 * addressed + structured].
inline constexpr int kBinaryTables[2][4] = {{28, 29, 30, 31}, {26, 32, 33, 34}};

// Indexed by message type 1 to 27 (26: its broadcast unstructured form);
// entry 25 is message 24 part B, entries 28 to 34 the other forms of messages
// 25 and 26 (see kBinaryTables); entry 0 is empty.
inline constexpr std::array<AisMessageTable, 35> kMessageTables = {
    AisMessageTable{nullptr, 0},
    tables::Table(tables::kPositionReport),         // 1
    tables::Table(tables::kPositionReport),         // 2
    tables::Table(tables::kPositionReport),         // 3
    tables::Table(tables::kBaseStationReport),      // 4
    tables::Table(tables::kStaticVoyageData),       // 5
    tables::Table(tables::kAddressedBinary),        // 6
    tables::Table(tables::kAcknowledge),            // 7
    tables::Table(tables::kBinaryBroadcast),        // 8
    tables::Table(tables::kSarAircraftReport),      // 9
    tables::Table(tables::kUtcInquiry),             // 10
    tables::Table(tables::kBaseStationReport),      // 11
    tables::Table(tables::kAddressedSafety),        // 12
    tables::Table(tables::kAcknowledge),            // 13
    tables::Table(tables::kSafetyBroadcast),        // 14
    tables::Table(tables::kInterrogation),          // 15
    tables::Table(tables::kAssignedMode),           // 16
    tables::Table(tables::kGnssBroadcast),          // 17
    tables::Table(tables::kClassBReport),           // 18
    tables::Table(tables::kExtendedClassBReport),   // 19
    tables::Table(tables::kDataLinkManagement),     // 20
    tables::Table(tables::kAidToNavigationReport),  // 21
    tables::Table(tables::kChannelManagement),      // 22
    tables::Table(tables::kGroupAssignment),        // 23
    tables::Table(tables::kStaticDataPartA),        // 24
    tables::Table(tables::kStaticDataPartB),        // 24 part B
    tables::Table(tables::kMultipleSlotBinary),     // 26
    tables::Table(tables::kLongRangeReport),        // 27
    tables::Table(tables::kSingleSlotBinary),
    tables::Table(tables::kSingleSlotBinaryStructured),
    tables::Table(tables::kSingleSlotBinaryAddressed),
    tables::Table(tables::kSingleSlotBinaryAddressedStructured),
    tables::Table(tables::kMultipleSlotBinaryStructured),
    tables::Table(tables::kMultipleSlotBinaryAddressed),
    tables::Table(tables::kMultipleSlotBinaryAddressedStructured),
};

// Messages 25 and 26: where the destination indicator and the binary data flag sit.
inline constexpr int kDestinationIndicatorBit = 38;
inline constexpr int kDestinationIndicatorField = 3;
inline constexpr int kBinaryDataFlagField = 4;
// Message 26: the bits of the communication state at its end.
inline constexpr int kEndCommStateBits = 20;

// The table a message is decoded with: its ID's, message 24 part B's for part
// number 1, and the form of message 25 or 26 its two flags name; 0 for an ID
// outside 1 to 27.
constexpr int MessageTableIndex(int id, int partNumber, int addressed, int structured) {
    if (id < 1 || id > 27) return 0;
    if (id == 24 && partNumber == 1) return kPartBTable;
    if (id == 25 || id == 26) return kBinaryTables[id - 25][2 * (addressed & 1) + (structured & 1)];
    return id;
}

// The most fields any table has.
inline constexpr int kMaxTableFields = 21;

// Message 22: where the addressed flag and the two destination IDs sit.
inline constexpr int kAddressedFlagBit = 139;
inline constexpr int kDestinationId1Bit = 69;
inline constexpr int kDestinationId2Bit = 104;
inline constexpr int kAddressedFlagField = 12;

// Message 24: where the part number sits.
inline constexpr int kPartNumberBit = 38;
inline constexpr int kPartNumberField = 3;

constexpr int TableBits(const AisMessageTable& table) {
    int bits = 0;
    for (int i = 0; i < table.Count; ++i)
        bits += table.Fields[i].Width;
    return bits;
}

// The byte offset of every field of every table in the decoded record, and the
// size of the record up to the end of the table. A text field takes its
// characters and a NUL; the to-the-end text is always the last field of its
// table, so no later field depends on its length.
struct RecordLayout {
    std::array<std::array<std::uint8_t, kMaxTableFields + 1>, kMessageTables.size()> Offset{};
    std::array<std::uint8_t, kMessageTables.size()> Size{};
};

constexpr RecordLayout ComputeRecordLayout() {
    RecordLayout layout{};
    for (std::size_t t = 0; t < kMessageTables.size(); ++t) {
        const AisMessageTable& table = kMessageTables[t];
        int offset = 0;
        for (int f = 0; f < table.Count; ++f) {
            layout.Offset[t][f] = static_cast<std::uint8_t>(offset);
            const TableField& def = table.Fields[f];
            if (def.Kind == kKindText) {
                offset += def.Width / 6 + 1;
            } else if (def.Kind == kKindTextToEnd) {
                offset += 1;  // at least the NUL
            } else {
                offset += StoredSize(def.Kind);
            }
        }
        layout.Offset[t][table.Count] = static_cast<std::uint8_t>(offset);
        layout.Size[t] = static_cast<std::uint8_t>(offset);
    }
    return layout;
}

inline constexpr RecordLayout kRecordLayout = ComputeRecordLayout();

// Checks on the transcription: the bit lengths the tables document, every kind
// known, kind-0 fields no wider than a byte, the to-the-end text last, and
// every fixed part of a record inside the 171 bytes.
namespace tables {
constexpr bool TablesWellFormed() {
    for (std::size_t t = 1; t < kMessageTables.size(); ++t) {
        const AisMessageTable& table = kMessageTables[t];
        if (table.Count > kMaxTableFields) return false;
        if (table.Fields[0].Width != 6) return false;
        for (int f = 0; f < table.Count; ++f) {
            const TableField& def = table.Fields[f];
            if (!IsTextKind(def.Kind) && StoredSize(def.Kind) == 0) return false;
            if ((def.Kind == kKindByte || def.Kind == kKindTimeStamp) && def.Width > 8)
                return false;
            if (StoredSize(def.Kind) == 2 && def.Width > 16) return false;
            if (def.Width < 1 || (!IsTextKind(def.Kind) && def.Width > 32)) return false;
            if (def.Kind == kKindTextToEnd && f != table.Count - 1) return false;
        }
        if (kRecordLayout.Size[t] > DecodedRecord::kSize) return false;
    }
    return true;
}
static_assert(TablesWellFormed());
static_assert(TableBits(kMessageTables[1]) == 168);
static_assert(TableBits(kMessageTables[4]) == 168);
static_assert(TableBits(kMessageTables[5]) == 424);
static_assert(TableBits(kMessageTables[6]) == 94);
static_assert(TableBits(kMessageTables[7]) == 168);
static_assert(TableBits(kMessageTables[8]) == 62);
static_assert(TableBits(kMessageTables[9]) == 168);
static_assert(TableBits(kMessageTables[10]) == 72);
static_assert(TableBits(kMessageTables[12]) == 78);
static_assert(TableBits(kMessageTables[14]) == 46);
static_assert(TableBits(kMessageTables[15]) == 160);
static_assert(TableBits(kMessageTables[16]) == 148);
static_assert(TableBits(kMessageTables[17]) == 120);
static_assert(TableBits(kMessageTables[18]) == 168);
static_assert(TableBits(kMessageTables[19]) == 312);
static_assert(TableBits(kMessageTables[20]) == 160);
static_assert(TableBits(kMessageTables[21]) == 278);  // and a name extension of 0 to 14 characters
static_assert(TableBits(kMessageTables[22]) == 168);
static_assert(TableBits(kMessageTables[23]) == 160);
static_assert(TableBits(kMessageTables[24]) == 160);
static_assert(TableBits(kMessageTables[kPartBTable]) == 168);
static_assert(TableBits(kMessageTables[27]) == 96);
static_assert(TableBits(kMessageTables[kBinaryTables[0][3]]) == 40 + 32 + 16 + 6);
static_assert(TableBits(kMessageTables[kBinaryTables[1][3]]) == 40 + 32 + 16 + 20 + 6);
static_assert(TableBits(AisMessageTable{kSingleSlotBinary, kDestinationIndicatorField}) ==
              kDestinationIndicatorBit);
// The message 22 flag is the field after the four corners, which start at bit 69.
static_assert(TableBits(AisMessageTable{kChannelManagement, kAddressedFlagField}) ==
              kAddressedFlagBit);
static_assert(TableBits(AisMessageTable{kChannelManagement, 8}) == kDestinationId1Bit);
static_assert(TableBits(AisMessageTable{kStaticDataPartA, kPartNumberField}) == kPartNumberBit);
// Message 22's two destination IDs follow the table's last field.
static_assert(kRecordLayout.Size[22] + 8 <= DecodedRecord::kSize);
}  // namespace tables

}  // namespace navoro
