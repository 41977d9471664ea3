#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace navoro {

// The texts that belong to no single control: message-box texts and titles, the
// Connect/Disconnect captions, the connection-status texts, the option-list
// entries and the grid headings. Each is named by its language-file section and
// key; the language loader can replace any of them.
enum class MessageId : std::size_t {
    Connect,                       // SYS_BUTTON/Connect
    Disconnect,                    // SYS_BUTTON/Disconnect
    ExitCaption,                   // EXIT_QUERY/Exit_Caption
    QueryExit,                     // EXIT_QUERY/QueryExit
    StatusConnecting,              // CONFIG_SERIAL_PORT/Connecting
    StatusConnected,               // CONFIG_SERIAL_PORT/Connected
    StatusDisconnect,              // CONFIG_SERIAL_PORT/Disconnect
    Warning,                       // OTHER_MSG/Warning: title of every warning box
    Error,                         // OTHER_MSG/Error: title of every error box
    PortOpenError,                 // OTHER_MSG/PortOpenError
    NoSerialPortExist,             // OTHER_MSG/NoSerialPortExist
    AutoDetectTimeOut,             // OTHER_MSG/AutoDetectTimeOut
    ManualConnectTimeOut,          // OTHER_MSG/ManualConnectTimeOut
    CheckPortError,                // OTHER_MSG/CheckPortError
    On,                            // OTHER_MSG/On
    Off,                           // OTHER_MSG/Off
    Gps3,                          // OTHER_MSG/GPS3
    Gps5,                          // OTHER_MSG/GPS5
    LrAuto,                        // OTHER_MSG/LRAuto
    LrManual,                      // OTHER_MSG/LRManual
    Mmsi,                          // OTHER_MSG/MMSI
    Name,                          // OTHER_MSG/NAME
    Destination,                   // OTHER_MSG/Destination
    DeviceBaudRateHasBeenChanged,  // TAB_BAUD/DeviceBaudRateHasBeenChanged
    // Texts of this program's own, in a section of their own.
    SystemCheckDisconnected,  // NAVORO/SystemCheckDisconnected: the system check while unlinked
    RateMayBeWrong,           // NAVORO/RateMayBeWrong: the manual time-out after unreadable bytes
    ConnectedStandard,        // NAVORO/ConnectedStandard: linked in standard mode
    ConnectedStandardDevice,  // NAVORO/ConnectedStandardDevice: %1 its maker and model
    NotATransponder,          // NAVORO/NotATransponder: only another instrument's sentences
    NotOfferedStandard,       // NAVORO/NotOfferedStandard: a tab standard mode lacks
    DataLogShowing,           // NAVORO/DataLogShowing: %1 lines shown of %2 logged
    DataLogSaveFailed,        // NAVORO/DataLogSaveFailed: %1 the file
    DataLogFileFailed,        // NAVORO/DataLogFileFailed: %1 the reason
    QueryClearLog,            // NAVORO/QueryClearLog
    RecoverDataLog,           // NAVORO/RecoverDataLog: %1 the date, %2 the lines
    // The configuration writes and the report (%1, %2: the values put in).
    WrittenToDevice,     // NAVORO/WrittenToDevice
    KeyInMmsi,           // NAVORO/KeyInMmsi
    KeyInImo,            // NAVORO/KeyInImo
    ShipNameRule,        // NAVORO/ShipNameRule
    CallSignRule,        // NAVORO/CallSignRule
    DestinationRule,     // NAVORO/DestinationRule
    MobNameRule,         // NAVORO/MobNameRule
    SelectShipType,      // NAVORO/SelectShipType
    KeyInDraught,        // NAVORO/KeyInDraught
    KeyInCpa,            // NAVORO/KeyInCpa
    KeyInChannel,        // NAVORO/KeyInChannel
    KeyInMobName,        // NAVORO/KeyInMobName
    ValueRange,          // NAVORO/ValueRange: %1 the value, %2 and %3 the limits
    PortRate,            // NAVORO/PortRate: %1 the rate, %2 the port's rates
    OneDecimal,          // NAVORO/OneDecimal: %1 the value
    EncryptionCodeRule,  // NAVORO/EncryptionCodeRule
    WriteUnsendable,     // NAVORO/WriteUnsendable
    NothingWritten,      // NAVORO/NothingWritten
    WriteStopped,        // NAVORO/WriteStopped
    ReportNoEditor,      // NAVORO/ReportNoEditor
    FileExists,          // NAVORO/FileExists: the overwrite question of Save
    QuerySaveReport,     // NAVORO/QuerySaveReport: the offer after Read Device
    // The AIS TARGETS table's columns, in column order.
    TargetsColMmsi,       // NAVORO/TargetsColMmsi
    TargetsColName,       // NAVORO/TargetsColName
    TargetsColCallSign,   // NAVORO/TargetsColCallSign
    TargetsColStation,    // NAVORO/TargetsColStation
    TargetsColShipType,   // NAVORO/TargetsColShipType
    TargetsColStatus,     // NAVORO/TargetsColStatus
    TargetsColSog,        // NAVORO/TargetsColSog
    TargetsColCog,        // NAVORO/TargetsColCog
    TargetsColHeading,    // NAVORO/TargetsColHeading
    TargetsColLatitude,   // NAVORO/TargetsColLatitude
    TargetsColLongitude,  // NAVORO/TargetsColLongitude
    TargetsColRange,      // NAVORO/TargetsColRange
    TargetsColBearing,    // NAVORO/TargetsColBearing
    TargetsColCpa,        // NAVORO/TargetsColCpa
    TargetsColTcpa,       // NAVORO/TargetsColTcpa
    TargetsColAge,        // NAVORO/TargetsColAge
    TargetsColMessages,   // NAVORO/TargetsColMessages
    ConfigFileNotLoaded,  // NAVORO/ConfigFileNotLoaded
    ConfigFileNotSaved,   // NAVORO/ConfigFileNotSaved
    ConfigFileLoaded,     // NAVORO/ConfigFileLoaded
    PortNotPresent,       // NAVORO/PortNotPresent
    // Replaying a capture.
    ReplayStatus,      // NAVORO/ReplayStatus: replay status: %1 the file, %2 the percentage
    ReplayEnded,       // NAVORO/ReplayEnded: %1-%3 the counts
    ReplayOpenFailed,  // NAVORO/ReplayOpenFailed: %1 the file, %2 the reason
    ReplayEmpty,       // NAVORO/ReplayEmpty: %1 the file
    ReplayBinary,      // NAVORO/ReplayBinary: %1 the file
    ReplayReadFailed,  // NAVORO/ReplayReadFailed: %1 the file, %2 the lines, %3 the reason
    ReplayBlocked,     // NAVORO/ReplayBlocked: the write controls' tool tip
    ReplayPause,       // NAVORO/ReplayPause
    ReplayResume,      // NAVORO/ReplayResume
    ReplayFastest,     // NAVORO/ReplayFastest: the fastest replay speed
    OpenCaptureTitle,  // NAVORO/OpenCaptureTitle: the file dialog's title
    // The AIS TARGETS page's station kinds and its filter box's hint.
    StationBase,             // NAVORO/StationBase
    StationSarAircraft,      // NAVORO/StationSarAircraft
    StationAidToNavigation,  // NAVORO/StationAidToNavigation
    StationClassA,           // NAVORO/StationClassA
    StationClassB,           // NAVORO/StationClassB
    StationUnknown,          // NAVORO/StationUnknown
    TargetsFilterHint,       // NAVORO/TargetsFilterHint
    // The AIS TARGETS page's details pane.
    TargetDetailsField,      // NAVORO/TargetDetailsField
    TargetDetailsValue,      // NAVORO/TargetDetailsValue
    TargetDetailsMessage,    // NAVORO/TargetDetailsMessage
    TargetDetailsTruncated,  // NAVORO/TargetDetailsTruncated
    TargetDetailsRecycled,   // NAVORO/TargetDetailsRecycled
    TargetDetailsNone,       // NAVORO/TargetDetailsNone
    StationLongRange,        // NAVORO/StationLongRange: heard only through long-range broadcasts
    // The ALARMS page: its columns and states, the standard alarm, status and
    // transmitter-off texts, and the system check's alarm row.
    AlarmsColId,            // NAVORO/AlarmsColId
    AlarmsColAlarm,         // NAVORO/AlarmsColAlarm
    AlarmsColCondition,     // NAVORO/AlarmsColCondition
    AlarmsColAcknowledged,  // NAVORO/AlarmsColAcknowledged
    AlarmsColRaised,        // NAVORO/AlarmsColRaised
    AlarmsColCleared,       // NAVORO/AlarmsColCleared
    AlarmActive,            // NAVORO/AlarmActive
    AlarmCleared,           // NAVORO/AlarmCleared
    AlarmYes,               // NAVORO/AlarmYes
    AlarmNo,                // NAVORO/AlarmNo
    StatusColText,          // NAVORO/StatusColText
    StatusColReceived,      // NAVORO/StatusColReceived
    TxLogColEntry,          // NAVORO/TxLogColEntry
    TxLogColOff,            // NAVORO/TxLogColOff
    TxLogColOn,             // NAVORO/TxLogColOn
    TxLogColReason,         // NAVORO/TxLogColReason
    RegionColNumber,        // NAVORO/RegionColNumber
    RegionColNorthEast,     // NAVORO/RegionColNorthEast
    RegionColSouthWest,     // NAVORO/RegionColSouthWest
    RegionColChannels,      // NAVORO/RegionColChannels
    RegionColSource,        // NAVORO/RegionColSource
    RegionColInUse,         // NAVORO/RegionColInUse
    CheckNoAlarm,           // NAVORO/CheckNoAlarm
    CheckAlarmCount,        // NAVORO/CheckAlarmCount
    Alarm001,               // NAVORO/Alarm001
    Alarm002,               // NAVORO/Alarm002
    Alarm003,               // NAVORO/Alarm003
    Alarm004,               // NAVORO/Alarm004
    Alarm005,               // NAVORO/Alarm005
    Alarm006,               // NAVORO/Alarm006
    Alarm007,               // NAVORO/Alarm007
    Alarm008,               // NAVORO/Alarm008
    Alarm009,               // NAVORO/Alarm009
    Alarm010,               // NAVORO/Alarm010
    Alarm011,               // NAVORO/Alarm011
    Alarm014,               // NAVORO/Alarm014
    Alarm025,               // NAVORO/Alarm025
    Alarm026,               // NAVORO/Alarm026
    Alarm029,               // NAVORO/Alarm029
    Alarm030,               // NAVORO/Alarm030
    Alarm032,               // NAVORO/Alarm032
    Alarm035,               // NAVORO/Alarm035
    Status021,              // NAVORO/Status021
    Status022,              // NAVORO/Status022
    Status023,              // NAVORO/Status023
    Status024,              // NAVORO/Status024
    Status025,              // NAVORO/Status025
    Status027,              // NAVORO/Status027
    Status028,              // NAVORO/Status028
    Status031,              // NAVORO/Status031
    Status033,              // NAVORO/Status033
    Status034,              // NAVORO/Status034
    Status036,              // NAVORO/Status036
    TxOffReason1,           // NAVORO/TxOffReason1
    TxOffReason2,           // NAVORO/TxOffReason2
    TxOffReason3,           // NAVORO/TxOffReason3
    TxOffReason4,           // NAVORO/TxOffReason4
    TxOffReason5,           // NAVORO/TxOffReason5
    Count
};

struct MessageEntry {
    const char* Section;
    const char* Key;
    const char* BuiltIn;  // the built-in English text
};

inline constexpr std::size_t kMessageCount = static_cast<std::size_t>(MessageId::Count);

// In MessageId order.
inline constexpr std::array<MessageEntry, kMessageCount> kMessageEntries = {{
    {"SYS_BUTTON", "Connect", "Connect"},
    {"SYS_BUTTON", "Disconnect", "Disconnect"},
    {"EXIT_QUERY", "Exit_Caption", "Exit!"},
    {"EXIT_QUERY", "QueryExit", "Are you sure to exit?"},
    {"CONFIG_SERIAL_PORT", "Connecting", "Connecting..."},
    {"CONFIG_SERIAL_PORT", "Connected", "Connected..."},
    {"CONFIG_SERIAL_PORT", "Disconnect", "Disconnect..."},
    {"OTHER_MSG", "Warning", "Warning"},
    {"OTHER_MSG", "Error", "Error"},
    {"OTHER_MSG", "PortOpenError", "Serial port open error! Please check!"},
    {"OTHER_MSG", "NoSerialPortExist", "All serial ports are occupied or no existing!"},
    {"OTHER_MSG", "AutoDetectTimeOut", "Serial port detecting failed!"},
    {"OTHER_MSG", "ManualConnectTimeOut", "Serial port connection time out!"},
    {"OTHER_MSG", "CheckPortError",
     "Note! Any force connect this serial port may cause unpredictable mistakes. Continue?"},
    {"OTHER_MSG", "On", "ON"},
    {"OTHER_MSG", "Off", "OFF"},
    {"OTHER_MSG", "GPS3", "3.3V"},
    {"OTHER_MSG", "GPS5", "5V"},
    {"OTHER_MSG", "LRAuto", "Automatic"},
    {"OTHER_MSG", "LRManual", "Manual"},
    {"OTHER_MSG", "MMSI", "MMSI"},
    {"OTHER_MSG", "NAME", "NAME"},
    {"OTHER_MSG", "Destination", "DESTINATION"},
    {"TAB_BAUD", "DeviceBaudRateHasBeenChanged", ""},
    {"NAVORO", "SystemCheckDisconnected", "Disconnected \u2014 results of the last connection"},
    {"NAVORO", "RateMayBeWrong",
     "received data but no readable lines: the rate may be wrong \u2014 try Auto."},
    {"NAVORO", "ConnectedStandard", "Connected \u2014 standard sentences"},
    {"NAVORO", "ConnectedStandardDevice", "%1 \u2014 standard sentences"},
    {"NAVORO", "NotATransponder",
     "Not a transponder: the port carries NMEA sentences, but none from an AIS transponder "
     "(a GNSS receiver or another instrument is connected)."},
    {"NAVORO", "NotOfferedStandard",
     "This transponder does not offer these settings over the standard interface."},
    {"NAVORO", "DataLogShowing", "Showing the newest %1 of %2 lines"},
    {"NAVORO", "DataLogSaveFailed", "The data log could not be written to \"%1\"."},
    {"NAVORO", "DataLogFileFailed",
     "The data log cannot be kept on disk: %1. Logging has been switched off."},
    {"NAVORO", "QueryClearLog", "Are you sure to clear log?"},
    {"NAVORO", "RecoverDataLog", "Recover the data log of %1, %2 lines?"},
    {"NAVORO", "WrittenToDevice", "Written to the device: %1"},
    {"NAVORO", "KeyInMmsi",
     "Please key in the MMSI: up to nine digits (999999999 is not an MMSI)."},
    {"NAVORO", "KeyInImo",
     "Please key in the IMO number: up to nine digits (999999999 is not one)."},
    {"NAVORO", "ShipNameRule",
     "The ship's name may hold up to 20 capital letters, digits, spaces and these characters:"},
    {"NAVORO", "CallSignRule",
     "The call sign may hold up to 7 capital letters, digits, spaces and these characters:"},
    {"NAVORO", "DestinationRule",
     "The destination may hold up to 20 capital letters, digits, spaces and these characters:"},
    {"NAVORO", "MobNameRule",
     "An AIS MOB name may hold up to 20 capital letters, digits, spaces and these characters:"},
    {"NAVORO", "SelectShipType", "Please select a ship type."},
    {"NAVORO", "KeyInDraught",
     "Please key in the draught in metres, from 0 to 25.5 (0 = not available)."},
    {"NAVORO", "KeyInCpa", "Please key in the CPA in nautical miles, for example 02.5."},
    {"NAVORO", "KeyInChannel", "Please key in the channel number: up to four digits."},
    {"NAVORO", "KeyInMobName", "Please key in the name of this AIS MOB device."},
    {"NAVORO", "ValueRange", "%1 is out of range: please key in a value from %2 to %3."},
    {"NAVORO", "PortRate", "This port does not run at %1 bit/s: it runs at %2."},
    {"NAVORO", "OneDecimal", "%1 has too many decimals: please key in a value with one decimal."},
    {"NAVORO", "EncryptionCodeRule", "The encryption code may hold up to 16 letters and digits."},
    {"NAVORO", "WriteUnsendable",
     "These settings cannot be put into a sentence for the device. Nothing was written."},
    {"NAVORO", "NothingWritten", "Nothing was written to the device."},
    {"NAVORO", "WriteStopped",
     "The write stopped after %1 of %2 sentences: the device may hold only part of the new "
     "settings."},
    {"NAVORO", "ReportNoEditor",
     "The report was saved to \"%1\", but no text editor could be started to show it."},
    {"NAVORO", "FileExists", "File already exists. Do you want to overwrite?"},
    {"NAVORO", "QuerySaveReport", "Do you want to save report?"},
    {"NAVORO", "TargetsColMmsi", "MMSI"},
    {"NAVORO", "TargetsColName", "Name"},
    {"NAVORO", "TargetsColCallSign", "Call sign"},
    {"NAVORO", "TargetsColStation", "Station"},
    {"NAVORO", "TargetsColShipType", "Ship type"},
    {"NAVORO", "TargetsColStatus", "Status"},
    {"NAVORO", "TargetsColSog", "SOG (kn)"},
    {"NAVORO", "TargetsColCog", "COG (\u00b0)"},
    {"NAVORO", "TargetsColHeading", "Heading"},
    {"NAVORO", "TargetsColLatitude", "Latitude"},
    {"NAVORO", "TargetsColLongitude", "Longitude"},
    {"NAVORO", "TargetsColRange", "Range (NM)"},
    {"NAVORO", "TargetsColBearing", "Bearing"},
    {"NAVORO", "TargetsColCpa", "CPA (NM)"},
    {"NAVORO", "TargetsColTcpa", "TCPA (min)"},
    {"NAVORO", "TargetsColAge", "Age"},
    {"NAVORO", "TargetsColMessages", "Messages"},
    {"NAVORO", "ConfigFileNotLoaded",
     "The configuration file \"%1\" was not loaded; nothing was filled:"},
    {"NAVORO", "ConfigFileNotSaved", "The configuration could not be written to \"%1\"."},
    {"NAVORO", "ConfigFileLoaded",
     "The tabs were filled from \"%1\". Write each tab to the device to apply it."},
    {"NAVORO", "PortNotPresent", "%1 (not present)"},
    {"NAVORO", "ReplayStatus", "Replaying %1 \u2014 %2 %"},
    {"NAVORO", "ReplayEnded", "Replay ended: %1 lines read, %2 accepted, %3 rejected"},
    {"NAVORO", "ReplayOpenFailed", "%1 could not be opened: %2"},
    {"NAVORO", "ReplayEmpty", "%1 holds no lines: there is nothing to replay."},
    {"NAVORO", "ReplayBinary", "%1 is not a text capture: it holds binary data."},
    {"NAVORO", "ReplayReadFailed", "Reading %1 failed after %2 lines: %3"},
    {"NAVORO", "ReplayBlocked",
     "Nothing is sent to a device while a capture is replayed: stop the replay first."},
    {"NAVORO", "ReplayPause", "Pause"},
    {"NAVORO", "ReplayResume", "Resume"},
    {"NAVORO", "ReplayFastest", "As fast as possible"},
    {"NAVORO", "OpenCaptureTitle", "Open capture"},
    {"NAVORO", "StationBase", "Base station"},
    {"NAVORO", "StationSarAircraft", "SAR aircraft"},
    {"NAVORO", "StationAidToNavigation", "Aid to navigation"},
    {"NAVORO", "StationClassA", "Class A"},
    {"NAVORO", "StationClassB", "Class B"},
    {"NAVORO", "StationUnknown", "Unknown"},
    {"NAVORO", "TargetsFilterHint", "MMSI, name or call sign"},
    {"NAVORO", "TargetDetailsField", "Field"},
    {"NAVORO", "TargetDetailsValue", "Value"},
    {"NAVORO", "TargetDetailsMessage", "Message"},
    {"NAVORO", "TargetDetailsTruncated", "first %1 of %2 bits"},
    {"NAVORO", "TargetDetailsRecycled",
     "MMSI %1 is no longer in the target table: its entry now holds another station."},
    {"NAVORO", "TargetDetailsNone", "No message of MMSI %1 is held."},
    {"NAVORO", "StationLongRange", "Long-range"},
    {"NAVORO", "AlarmsColId", "ID"},
    {"NAVORO", "AlarmsColAlarm", "Alarm"},
    {"NAVORO", "AlarmsColCondition", "Condition"},
    {"NAVORO", "AlarmsColAcknowledged", "Acknowledged"},
    {"NAVORO", "AlarmsColRaised", "Raised"},
    {"NAVORO", "AlarmsColCleared", "Cleared"},
    {"NAVORO", "AlarmActive", "Active"},
    {"NAVORO", "AlarmCleared", "Cleared"},
    {"NAVORO", "AlarmYes", "Yes"},
    {"NAVORO", "AlarmNo", "No"},
    {"NAVORO", "StatusColText", "Status"},
    {"NAVORO", "StatusColReceived", "Received"},
    {"NAVORO", "TxLogColEntry", "Entry"},
    {"NAVORO", "TxLogColOff", "Switched off"},
    {"NAVORO", "TxLogColOn", "Switched on"},
    {"NAVORO", "TxLogColReason", "Reason"},
    {"NAVORO", "RegionColNumber", "No."},
    {"NAVORO", "RegionColNorthEast", "North-east corner"},
    {"NAVORO", "RegionColSouthWest", "South-west corner"},
    {"NAVORO", "RegionColChannels", "Channels A / B"},
    {"NAVORO", "RegionColSource", "Source"},
    {"NAVORO", "RegionColInUse", "In use"},
    {"NAVORO", "CheckNoAlarm", "No active alarm"},
    {"NAVORO", "CheckAlarmCount", "%1 active, %2 unacknowledged"},
    {"NAVORO", "Alarm001", "Tx malfunction"},
    {"NAVORO", "Alarm002", "Antenna VSWR exceeds limit"},
    {"NAVORO", "Alarm003", "Rx channel 1 malfunction"},
    {"NAVORO", "Alarm004", "Rx channel 2 malfunction"},
    {"NAVORO", "Alarm005", "Rx channel 70 malfunction"},
    {"NAVORO", "Alarm006", "General failure"},
    {"NAVORO", "Alarm007", "UTC sync invalid"},
    {"NAVORO", "Alarm008", "MKD connection lost"},
    {"NAVORO", "Alarm009", "Internal/external GNSS position mismatch"},
    {"NAVORO", "Alarm010", "NavStatus incorrect"},
    {"NAVORO", "Alarm011", "Heading sensor offset"},
    {"NAVORO", "Alarm014", "Active AIS-SART"},
    {"NAVORO", "Alarm025", "External EPFS lost"},
    {"NAVORO", "Alarm026", "No sensor position in use"},
    {"NAVORO", "Alarm029", "No valid SOG information"},
    {"NAVORO", "Alarm030", "No valid COG information"},
    {"NAVORO", "Alarm032", "Heading lost/invalid"},
    {"NAVORO", "Alarm035", "No valid ROT information"},
    {"NAVORO", "Status021", "External DGNSS in use"},
    {"NAVORO", "Status022", "External GNSS in use"},
    {"NAVORO", "Status023", "Internal DGNSS in use (beacon)"},
    {"NAVORO", "Status024", "Internal DGNSS in use (message 17)"},
    {"NAVORO", "Status025", "Internal GNSS in use"},
    {"NAVORO", "Status027", "External SOG/COG in use"},
    {"NAVORO", "Status028", "Internal SOG/COG in use"},
    {"NAVORO", "Status031", "Heading valid"},
    {"NAVORO", "Status033", "Rate of turn indicator in use"},
    {"NAVORO", "Status034", "Other ROT source in use"},
    {"NAVORO", "Status036", "Channel management parameters changed"},
    {"NAVORO", "TxOffReason1", "Power off"},
    {"NAVORO", "TxOffReason2", "Silent mode"},
    {"NAVORO", "TxOffReason3", "Switched off by channel management"},
    {"NAVORO", "TxOffReason4", "Equipment malfunction"},
    {"NAVORO", "TxOffReason5", "Invalid configuration"},
}};

// UTF-8 texts. Empty until LoadBuiltInTexts.
class MessageTable {
  public:
    // Puts the built-in English text into every entry.
    void LoadBuiltInTexts();

    const std::string& Text(MessageId id) const { return texts_[static_cast<std::size_t>(id)]; }
    // The entry named by section and key (compared without regard to case).
    const std::string* Find(std::string_view section, std::string_view key) const;
    // Replaces an entry's text; false (nothing stored) for an unknown name.
    bool Store(std::string_view section, std::string_view key, std::string text);

  private:
    std::array<std::string, kMessageCount> texts_{};
};

}  // namespace navoro
