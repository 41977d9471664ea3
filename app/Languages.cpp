#include "app/Languages.h"

namespace navoro {

namespace {

using enum KeyTarget;
using enum KeyWindow;

constexpr LanguageKey kKeys[] = {
    // MENU
    {"MENU", "File", Caption, Main, "mnuFile", "File(&F)"},
    {"MENU", "File_Exit", Caption, Main, "mnuExit", "Exit(&X)"},
    {"MENU", "Option", Caption, Main, "mnuOption", "Option(&O)"},
    {"MENU", "Option_Language", Caption, Main, "mnuLanguage", "Language(&L)"},
    {"MENU", "Option_Language_English", Caption, Main, "mnuLangEnglish", "English(&E)"},
    {"MENU", "Option_Language_TraChinese", Caption, Main, "mnuLangTraChinese",
     "Traditional Chinese(&T)"},
    {"MENU", "Option_Language_SimpChinese", Caption, Main, "mnuLangSimpChinese",
     "Simplified Chinese(&S)"},
    {"MENU", "Option_Language_Russian", Caption, Main, "mnuLangRussian", "Russian(&R)"},
    {"MENU", "Help", Caption, Main, "mnuHelp", "Help(&H)"},
    {"MENU", "Help_About", Caption, Main, "mnuAbout", "About(&A)"},
    // SYS_BUTTON
    {"SYS_BUTTON", "Connect", Message, Main, "", "Connect"},
    {"SYS_BUTTON", "Disconnect", Message, Main, "", "Disconnect"},
    {"", "", FoldOpenPort, Main, "OpenPort", ""},
    {"SYS_BUTTON", "EXIT", Caption, Main, "btnExit", "EXIT"},
    {"SYS_BUTTON", "Read_Device", Caption, Main, "SpeedButtonReload", "Read Device"},
    {"SYS_BUTTON", "Config_Device", Caption, Main, "SpeedButtonSetting", "Config Device"},
    // TAB_SYSTEM
    {"TAB_SYSTEM", "Configuration", Caption, Main, "TabSheetConfig", "Configuration"},
    {"TAB_SYSTEM", "Diagnosis", Caption, Main, "TabSheetDiagnosis", "Diagnosis"},
    // TAB_STATIC
    {"TAB_STATIC", "STATIC", Caption, Main, "TabSheetStatic", "SHIP DATA"},
    {"TAB_STATIC", "MMSI", Caption, Main, "LabelMMSI", "MMSI"},
    {"TAB_STATIC", "IMO", Caption, Main, "LabelIMO", "IMO"},
    {"TAB_STATIC", "CALLSIGN", EditLabel, Main, "lblEdtCallSign", "CALL SIGN "},
    {"TAB_STATIC", "NAME", EditLabel, Main, "lblEdtName", "NAME "},
    {"TAB_STATIC", "Dimension", Caption, Main, "GroupBoxDimension",
     "Dimension / Ref. for Position (m)"},
    {"TAB_STATIC", "Dimension", Caption, Main, "LabelDimensions", "DIMENSION:"},
    {"TAB_STATIC", "IntGPSPosition", Caption, Main, "LabelInt", "Internal"},
    {"TAB_STATIC", "ExtGPSPosition", Caption, Main, "LabelExt", "External"},
    // TAB_VOYAGE
    {"TAB_VOYAGE", "VOYAGE", Caption, Main, "TabSheetVoyage", "VOYAGE"},
    {"TAB_VOYAGE", "ShipType", Caption, Main, "LabelShipType", "SHIP TYPE"},
    {"TAB_VOYAGE", "Draught", Caption, Main, "LabelVoyDraught", "DRAUGHT"},
    {"TAB_VOYAGE", "POB", Caption, Main, "LabelVoyPOB", "POB"},
    {"TAB_VOYAGE", "Destination", EditLabel, Main, "lblEdtDestination", "DESTINATION"},
    {"TAB_VOYAGE", "ETA", Caption, Main, "LabelVoyETA", "ETA"},
    {"TAB_VOYAGE", "NAVSTATUS", Caption, Main, "LabelNavStatus", "NAV. STATUS"},
    {"TAB_VOYAGE", "DraughtText", Caption, Main, "LabelDraughtText",
     "(0 = not avaliable ~ 25.5 m) "},
    {"TAB_VOYAGE", "POBText", Caption, Main, "LabelPOBText", "(0 = not avaliable ~ 8191) "},
    // TAB_CPA
    {"TAB_CPA", "CPA_TCPA", Caption, Main, "TabSheetCPA", "CPA"},
    {"TAB_CPA", "CPA", Caption, Main, "lblCPA", "CPA (nm)"},
    {"TAB_CPA", "TCPA", Caption, Main, "lblTCPA", "TCPA (min) "},
    {"TAB_CPA", "Alarm_Type", Caption, Main, "lblCpaAlarmType", "Alarm"},
    // TAB_TRANSCEIVER
    {"TAB_TRANSCEIVER", "TRANSCEIVER", Caption, Main, "TabSheetTransceiver", "TRANSCEIVER"},
    {"TAB_TRANSCEIVER", "AISTx", Caption, Main, "LabelAISTx", "AIS TX"},
    {"TAB_TRANSCEIVER", "DSCRx", Caption, Main, "LabelDSCRx", "DSC RX"},
    {"TAB_TRANSCEIVER", "GPSAntVol", Caption, Main, "LabelTran_GPSVol", "GPS ANTENNA VOLTAGE"},
    // TAB_BAUD
    {"TAB_BAUD", "BAUD_RATE", Caption, Main, "TabSheetBaudRate", "BAUD RATE"},
    {"TAB_BAUD", "PILOT", Caption, Main, "LabelBaudRatePilot", "PILOT"},
    {"TAB_BAUD", "DISP", Caption, Main, "LabelBaudRateDisp", "DISP"},
    {"TAB_BAUD", "LONGRANGE", Caption, Main, "LabelBaudRateLR", "LONG RANGE"},
    {"TAB_BAUD", "DGPS", Caption, Main, "LabelBaudRateDGPS", "DGPS"},
    {"TAB_BAUD", "SEN1", Caption, Main, "LabelBaudRateSen1", "SENSOR 1"},
    {"TAB_BAUD", "SEN2", Caption, Main, "LabelBaudRateSen2", "SENSOR 2"},
    {"TAB_BAUD", "SEN3", Caption, Main, "LabelBaudRateSen3", "SENSOR 3"},
    {"TAB_BAUD", "USB", Caption, Main, "LabelBaudRateUSB", "USB"},
    {"TAB_BAUD", "DeviceBaudRateHasBeenChanged", Message, Main, "", ""},
    // TAB_LR
    {"TAB_LR", "LR", Caption, Main, "TabSheetLR", "LR"},
    {"TAB_LR", "Response", Caption, Main, "LabelLR_Response", "RESPONSE"},
    {"TAB_LR", "Enable27", Caption, Main, "CheckBox_LR_Msg27", "ENABLE MSG 27"},
    {"TAB_LR", "ChANo", EditLabel, Main, "LabeledEdit_LR_ChA", "CH A CHANNEL"},
    {"TAB_LR", "ChBNo", EditLabel, Main, "LabeledEdit_LR_ChB", "CH B CHANNEL"},
    {"TAB_LR", "FunReply", Caption, Main, "GroupBoxLR_FuReply", "Function Reply"},
    {"TAB_LR", "ItemA", Caption, Main, "CheckBox_LR_A",
     "A = Ship's: name, calll sign, and IMO number"},
    {"TAB_LR", "ItemB", Caption, Main, "CheckBox_LR_B", "B = Date and time of message composition"},
    {"TAB_LR", "ItemC", Caption, Main, "CheckBox_LR_C", "C = Position"},
    {"TAB_LR", "ItemE", Caption, Main, "CheckBox_LR_E", "E = Course over ground"},
    {"TAB_LR", "ItemF", Caption, Main, "CheckBox_LR_F", "F = Speed over ground"},
    {"TAB_LR", "ItemI", Caption, Main, "CheckBox_LR_I",
     "I = Destination and Estimated Time of Arrival (ETA)"},
    {"TAB_LR", "ItemO", Caption, Main, "CheckBox_LR_O", "O = Draught"},
    {"TAB_LR", "ItemP", Caption, Main, "CheckBox_LR_P", "P = Ship/cargo"},
    {"TAB_LR", "ItemU", Caption, Main, "CheckBox_LR_U", "U = Ship's: length, breadth, type"},
    {"TAB_LR", "ItemW", Caption, Main, "CheckBox_LR_W", "W = Persons on board"},
    // TAB_DESTINATION, TAB_AIS_MOB
    {"TAB_DESTINATION", "DESTINATION", Caption, Main, "TabSheetDestination", "DESTINATION"},
    {"TAB_AIS_MOB", "AISMOB", Caption, Main, "TabSheetMOB", "AIS MOB"},
    // TAB_SYS_CHECK
    {"TAB_SYS_CHECK", "SYSCHK", Caption, Main, "TabSheetSystemCheck", "SYSTEM CHECK"},
    {"TAB_SYS_CHECK", "FirmVer", Caption, Main, "lblChkFwVer", "Firmware Version"},
    {"TAB_SYS_CHECK", "ProductSN", Caption, Main, "lblChkProdSN", "Product Serial No."},
    {"TAB_SYS_CHECK", "MMSI", Caption, Main, "lblChkMMSI", "MMSI "},
    {"TAB_SYS_CHECK", "GPS", Caption, Main, "lblChkGPS", "GPS"},
    {"TAB_SYS_CHECK", "TxReports", Caption, Main, "lblChkTx", "TX position reports"},
    {"TAB_SYS_CHECK", "RxReports", Caption, Main, "lblChkRx", "RX position reports"},
    {"TAB_SYS_CHECK", "ChA", Caption, Main, "lblChkTxCntChA", "Channel A: "},
    {"TAB_SYS_CHECK", "ChB", Caption, Main, "lblChkTxCntChB", "Channel B: "},
    {"TAB_SYS_CHECK", "ChA", Caption, Main, "lblChkRxCntChA", "Channel A: "},
    {"TAB_SYS_CHECK", "ChB", Caption, Main, "lblChkRxCntChB", "Channel B: "},
    {"TAB_SYS_CHECK", "ResetCheck", Caption, Main, "SpeedButtonClearCheck", "Reset checks"},
    // TAB_GPS_STATUS
    {"TAB_GPS_STATUS", "GPSSTATUS", Caption, Main, "TabSheetGpsStatus", "GPS STATUS"},
    {"TAB_GPS_STATUS", "UTCDate", EditLabel, Main, "lblEdtGpsUtcDate", "UTC Date"},
    {"TAB_GPS_STATUS", "UTCTime", EditLabel, Main, "lblEdtGpsUtcTime", "UTC Time"},
    {"TAB_GPS_STATUS", "FixMode", EditLabel, Main, "lblEdtGpsFixMode", "Fix Mode"},
    {"TAB_GPS_STATUS", "HDOP", EditLabel, Main, "lblEdtHdop", "HDOP"},
    {"TAB_GPS_STATUS", "Lat", EditLabel, Main, "lblEdtGpsLat", "Latitude"},
    {"TAB_GPS_STATUS", "Lon", EditLabel, Main, "lblEdtGpsLon", "Longitude"},
    {"TAB_GPS_STATUS", "SOG", EditLabel, Main, "lblEdtGpsSOG", "SOG"},
    {"TAB_GPS_STATUS", "COG", EditLabel, Main, "lblEdtGpsCOG", "COG"},
    {"TAB_GPS_STATUS", "SatView", EditLabel, Main, "lblEdtGpsNoSV_InView", "Satellites in view"},
    {"TAB_GPS_STATUS", "SatUse", EditLabel, Main, "lblEdtGpsNoSV_InUse", "Satellites in use"},
    {"TAB_GPS_STATUS", "SatID", Caption, Main, "lblSatelliteID", "Satellite ID"},
    {"TAB_GPS_STATUS", "SNR", Caption, Main, "Label10", "SNR (dB-Hz)"},
    // TAB_DATA_LOG
    {"TAB_DATA_LOG", "DATALOG", Caption, Main, "TabSheetDataLog", "DATA LOG"},
    {"TAB_DATA_LOG", "HINTTEXT", Caption, Main, "Label11", "Enter command below"},
    {"TAB_DATA_LOG", "Save", Caption, Main, "btnSaveLog", "Save"},
    {"TAB_DATA_LOG", "Clear", Caption, Main, "btnClearLog", "Clear"},
    {"TAB_DATA_LOG", "SendCMD", Caption, Main, "ButtonCustomSendCommand", "Send Command"},
    {"TAB_DATA_LOG", "EnLog", Caption, Main, "cbxEnableLog", "Enable Log"},
    // CONFIG_SERIAL_PORT
    {"CONFIG_SERIAL_PORT", "Serial_Port", Caption, Main, "LabelAutoComPort", "Serial Port"},
    {"CONFIG_SERIAL_PORT", "Baud_Rate", Caption, Main, "LabelAutoBaudRate", "Baud Rate"},
    {"CONFIG_SERIAL_PORT", "Serial_Port", Caption, Main, "lblSerialPort", "Serial Port"},
    {"CONFIG_SERIAL_PORT", "Baud_Rate", Caption, Main, "lblBaudRate", "Baud Rate"},
    {"CONFIG_SERIAL_PORT", "Setting", Caption, Main, "GroupBoxConnectionMode",
     "Serial Port and Baud Rate Setting"},
    {"CONFIG_SERIAL_PORT", "Auto", Caption, Main, "RadioButtonConnectionModeAuto", "Auto"},
    {"CONFIG_SERIAL_PORT", "Manual", Caption, Main, "RadioButtonConnectionModeManual", "Manual"},
    {"CONFIG_SERIAL_PORT", "Connecting", Message, Main, "", "Connecting..."},
    {"CONFIG_SERIAL_PORT", "Connected", Message, Main, "", "Connected..."},
    {"CONFIG_SERIAL_PORT", "Disconnect", Message, Main, "", "Disconnect..."},
    {"", "", FoldLinkState, Main, "LabelConnectionStatus", ""},
    // EXIT_QUERY
    {"EXIT_QUERY", "Exit_Caption", Message, Main, "", "Exit!"},
    {"EXIT_QUERY", "QueryExit", Message, Main, "", "Are you sure to exit?"},
    // AGREEMENT, ABOUT
    {"AGREEMENT", "Agree", Caption, Agreement, "ButtonAgree", "Agree"},
    {"AGREEMENT", "Cancel", Caption, Agreement, "ButtonCancel", "Cancel"},
    {"ABOUT", "Product", Caption, About, "StaticTextProduct", "Navoro"},
    {"ABOUT", "OK", Caption, About, "btnOK", "OK"},
    // OTHER_MSG
    {"OTHER_MSG", "Warning", Message, Main, "", "Warning"},
    {"OTHER_MSG", "Error", Message, Main, "", "Error"},
    {"OTHER_MSG", "PortOpenError", Message, Main, "", "Serial port open error! Please check!"},
    {"OTHER_MSG", "NoSerialPortExist", Message, Main, "",
     "All serial ports are occupied or no existing!"},
    {"OTHER_MSG", "AutoDetectTimeOut", Message, Main, "", "Serial port detecting failed!"},
    {"OTHER_MSG", "ManualConnectTimeOut", Message, Main, "", "Serial port connection time out!"},
    {"OTHER_MSG", "CheckPortError", Message, Main, "",
     "Note! Any force connect this serial port may cause unpredictable mistakes. Continue?"},
    {"OTHER_MSG", "On", Message, Main, "", "ON"},
    {"OTHER_MSG", "Off", Message, Main, "", "OFF"},
    {"OTHER_MSG", "GPS3", Message, Main, "", "3.3V"},
    {"OTHER_MSG", "GPS5", Message, Main, "", "5V"},
    {"OTHER_MSG", "LRAuto", Message, Main, "", "Automatic"},
    {"OTHER_MSG", "LRManual", Message, Main, "", "Manual"},
    {"OTHER_MSG", "MMSI", Message, Main, "", "MMSI"},
    {"OTHER_MSG", "NAME", Message, Main, "", "NAME"},
    {"OTHER_MSG", "Destination", Message, Main, "", "DESTINATION"},
    // NAVORO: this program's own texts
    {"NAVORO", "SystemCheckDisconnected", Message, Main, "",
     "Disconnected \u2014 results of the last connection"},
    {"NAVORO", "RateMayBeWrong", Message, Main, "",
     "received data but no readable lines: the rate may be wrong \u2014 try Auto."},
};

}  // namespace

const LanguageInfo* FindLanguage(int index) {
    for (const LanguageInfo& info : kLanguages) {
        if (info.Index == index) return &info;
    }
    return nullptr;
}

std::span<const LanguageKey> LanguageKeys() {
    return kKeys;
}

}  // namespace navoro
