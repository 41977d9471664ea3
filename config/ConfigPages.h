#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <array>

#include "config/ConfigTables.h"
#include "config/SpinEdit.h"

namespace navoro {

// The controls of the nine configuration tabs. They are the configuration
// model: replies from the transponder set them and the write workflows read
// them. Every control carries its name as objectName (the language files and
// the option lists find them by it); a labelled edit's caption is a QLabel
// whose buddy is the edit. Each tab also holds its hidden "Config" button,
// whose click is the tab's write.

// SHIP DATA (TabSheetStatic).
struct ShipDataPage {
    QLabel* LabelMMSI;
    QLineEdit* MaskEditMMSI;  // up to nine digits, "000000000"
    QLabel* LabelIMO;
    QLineEdit* MaskEditIMO;
    QLineEdit* lblEdtName;      // upper case, 20 characters
    QLineEdit* lblEdtCallSign;  // upper case, 7 characters
    QGroupBox* GroupBoxDimension;
    QLabel* LabelDimensions;
    QLabel* LabelInt;
    QLabel* LabelExt;
    QLabel* Label13;  // column "A"
    QLabel* Label14;  // column "B"
    QLabel* Label15;  // column "C"
    QLabel* Label16;  // column "D"
    // Internal antenna A-D (0-511, 0-511, 0-63, 0-63), then the external one.
    SpinEdit* CSpinEditA;
    SpinEdit* CSpinEditB;
    SpinEdit* CSpinEditC;
    SpinEdit* CSpinEditD;
    SpinEdit* CSpinEditExtA;
    SpinEdit* CSpinEditExtB;
    SpinEdit* CSpinEditExtC;
    SpinEdit* CSpinEditExtD;
    // Inland mode: decimal metres, at most five characters; A and D computed.
    QLabel* LabelShipLength;
    QLineEdit* EditInlandShipLength;
    QLabel* LabelShipBeam;
    QLineEdit* EditInlandShipBeam;
    QLineEdit* CSpin_InlandEditA;
    QLineEdit* CSpin_InlandEditB;
    QLineEdit* CSpin_InlandEditC;
    QLineEdit* CSpin_InlandEditD;
    QLineEdit* CSpinEditInlandExtA;
    QLineEdit* CSpinEditInlandExtB;
    QLineEdit* CSpinEditInlandExtC;
    QLineEdit* CSpinEditInlandExtD;
    QLabel* lblFirmVer;
    QPlainTextEdit* MemoRecord;  // the report's lines; never shown
    QToolButton* SpeedButtonSHIPData_Config;

    std::array<SpinEdit*, 4> Internal() const {
        return {CSpinEditA, CSpinEditB, CSpinEditC, CSpinEditD};
    }
    std::array<SpinEdit*, 4> External() const {
        return {CSpinEditExtA, CSpinEditExtB, CSpinEditExtC, CSpinEditExtD};
    }
    std::array<QLineEdit*, 4> InlandInternal() const {
        return {CSpin_InlandEditA, CSpin_InlandEditB, CSpin_InlandEditC, CSpin_InlandEditD};
    }
    std::array<QLineEdit*, 4> InlandExternal() const {
        return {CSpinEditInlandExtA, CSpinEditInlandExtB, CSpinEditInlandExtC, CSpinEditInlandExtD};
    }
    // The ten decimal fields (length, beam and the eight dimensions).
    std::array<QLineEdit*, 10> InlandFields() const {
        return {EditInlandShipLength, EditInlandShipBeam, CSpin_InlandEditA,   CSpin_InlandEditB,
                CSpin_InlandEditC,    CSpin_InlandEditD,  CSpinEditInlandExtA, CSpinEditInlandExtB,
                CSpinEditInlandExtC,  CSpinEditInlandExtD};
    }
};

// VOYAGE (TabSheetVoyage).
struct VoyagePage {
    QLabel* LabelShipType;
    QComboBox* cbxShipType;   // the 22 rows of the ship-type table
    QLabel* stShipCargoType;  // the selected row's code
    QLabel* LabelVoyDraught;
    QLineEdit* edtDraught;  // metres, four characters
    QLabel* LabelDraughtText;
    QLabel* LabelVoyPOB;
    SpinEdit* CSpinEditPOB;  // 0-8191
    QLabel* LabelPOBText;
    QLineEdit* lblEdtDestination;  // upper case, 20 characters
    QLabel* LabelVoyETA;
    SpinEdit* CSpinEditMonth;   // 0-12
    SpinEdit* CSpinEditDay;     // 0-31
    SpinEdit* CSpinEditHour;    // 0-24
    SpinEdit* CSpinEditMinute;  // 0-60
    QLabel* LabelNavStatus;
    QComboBox* ComboBoxNavStatus;  // index = navigational status; none selected at first
    QToolButton* SpeedButtonVoyage_Config;
};

// CPA (TabSheetCPA).
struct CpaPage {
    QLabel* lblCPA;
    QLineEdit* MaskEditCPA;  // "09.9": nautical miles
    QLabel* lblTCPA;
    SpinEdit* CSpinEditTCPA;  // 0-99 minutes
    QLabel* lblCpaAlarmType;
    QComboBox* ComboBoxCpaAlarmType;  // ON, OFF
    QToolButton* spbCPA;
};

// TRANSCEIVER (TabSheetTransceiver).
struct TransceiverPage {
    QLabel* LabelAISTx;
    QComboBox* ComboBox_Tran_AisTx;  // ON, OFF
    QLabel* LabelDSCRx;
    QComboBox* ComboBox_Tran_DscRx;  // ON, OFF
    QLabel* LabelTran_GPSVol;
    QComboBox* ComboBoxGpsVoltage;       // 3.3V, 5V
    QLineEdit* Edit_N2K_DeviceInstance;  // 0-252
    QToolButton* spbTransponder;
};

// BAUD RATE (TabSheetBaudRate): one box per port, in the order of kBaudBoxes.
struct BaudRatePage {
    std::array<QLabel*, 8> Labels;
    std::array<QComboBox*, 8> Boxes;
    QComboBox* cbxBaud_Pilot;
    QComboBox* cbxBaud_Disp;
    QComboBox* cbxBaud_LR;
    QComboBox* cbxBaud_DGPS;
    QComboBox* cbxBaud_Sen1;
    QComboBox* cbxBaud_Sen2;
    QComboBox* cbxBaud_Sen3;
    QComboBox* cbxBaud_USB;
    QToolButton* spbBaudRate;
};

// LR (TabSheetLR), the long-range reply settings.
struct LongRangePage {
    QLabel* LabelLR_Response;
    QComboBox* ComboBox_LR_Response;  // Automatic, Manual
    QGroupBox* GroupBoxLR_FuReply;
    // CheckBox_LR_A ... CheckBox_LR_W: items A, B, C, E, F, I, O, P, U, W.
    std::array<QCheckBox*, 10> FunctionReply;
    QCheckBox* CheckBox_LR_Msg27;
    QLineEdit* LabeledEdit_LR_ChA;  // four characters, upper case
    QLineEdit* LabeledEdit_LR_ChB;
    QToolButton* SpeedButton_LR_Config;
};

// DESTINATION (TabSheetDestination): row 0 the heading, rows 1-10 the
// destinations, column 0 the row number.
struct DestinationPage {
    QTableWidget* StringGrid_Destination;
    QToolButton* SpeedButton_Destination;
};

// AIS MOB (TabSheetMOB): row 0 the heading, rows 1-50 an MMSI (column 1) and
// a name (column 2), column 0 the row number.
struct MobPage {
    QTableWidget* StringGrid_MOBList;
    QToolButton* SpeedButton_MOB;
};

// ENCRYPTION (TabSheetEncryption).
struct EncryptionPage {
    QCheckBox* CheckBoxEnableEncryption;
    QLineEdit* LabeledEditEncryptionKey;  // at most 16 letters and digits
    QToolButton* SpeedButtonEncryption;
};

struct ConfigPages {
    ShipDataPage ShipData;
    VoyagePage Voyage;
    CpaPage Cpa;
    TransceiverPage Transceiver;
    BaudRatePage BaudRate;
    LongRangePage LongRange;
    DestinationPage Destination;
    MobPage Mob;
    EncryptionPage Encryption;
};

// Creates every control in its page of `PageControlConf` (the pages are found
// by their objectNames TabSheetStatic ... TabSheetEncryption), with the
// initial values the transponder has not yet replaced. The option lists that
// the message table fills (ON/OFF, 3.3V/5V, Automatic/Manual) and the
// ship-type list are left empty here. Pages that are missing get a page of
// their own, parented to the tab widget, so nothing is ever null.
ConfigPages BuildConfigPages(QTabWidget* PageControlConf);

}  // namespace navoro
