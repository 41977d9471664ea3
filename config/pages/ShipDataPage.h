#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <array>

#include "config/SpinEdit.h"
#include "config/pages/PageKit.h"
#include "config/tabs/ShipDataTab.h"

namespace navoro {

// SHIP DATA (TabSheetStatic): MMSI, IMO, name, call sign, the two antennas'
// A-D and, in inland mode, decimal fields in their place with the ship's
// length and beam (A and D computed from them).
class ShipDataPage : public TabView<ShipDataSettings> {
  public:
    explicit ShipDataPage(TabViewHost& host);

    void Show(const ShipDataSettings& record, FieldSet fields) override;
    void Load(const ShipDataSettings& record) override;
    std::variant<ShipDataSettings, RuleProblem> Read() override;
    void Reset() override { SetInlandMode(false); }

    // Inland mode shows the decimal fields in the spin boxes' places.
    void SetInlandMode(bool on);
    bool InlandMode() const { return inland_; }
    // A and D from length, beam, B and C.
    void RecalcInlandDimensions() { RecalcInland(nullptr); }

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
    SpinEdit* CSpinEditA;
    SpinEdit* CSpinEditB;
    SpinEdit* CSpinEditC;
    SpinEdit* CSpinEditD;
    SpinEdit* CSpinEditExtA;
    SpinEdit* CSpinEditExtB;
    SpinEdit* CSpinEditExtC;
    SpinEdit* CSpinEditExtD;
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
    // The six that are entered, in the order of the record's inland values.
    std::array<QLineEdit*, 6> InlandEntered() const {
        return {EditInlandShipLength, EditInlandShipBeam,  CSpin_InlandEditB,
                CSpin_InlandEditC,    CSpinEditInlandExtB, CSpinEditInlandExtC};
    }

  private:
    void RecalcInland(const QLineEdit* editing);
    // A key in one of the ten decimal fields: filter, at most 800.0, derive.
    void InlandKeyTyped(QLineEdit* field);

    bool inland_ = false;
    std::optional<int> dte_;  // as the device last said; not shown
};

}  // namespace navoro
