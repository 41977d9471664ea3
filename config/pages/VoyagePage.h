#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "config/SpinEdit.h"
#include "config/pages/PageKit.h"
#include "config/tabs/VoyageTab.h"

namespace navoro {

// VOYAGE (TabSheetVoyage). The ETA boxes show AIS's not-available codes
// (month and day 0, hour 24, minute 60) as they are, and read them as not
// available.
class VoyagePage : public TabView<VoyageSettings> {
  public:
    explicit VoyagePage(TabViewHost& host);

    void Show(const VoyageSettings& record, FieldSet fields) override;
    void Load(const VoyageSettings& record) override { Show(record, VoyageTab::kAll); }
    std::variant<VoyageSettings, RuleProblem> Read() override;

    QLabel* LabelShipType;
    QComboBox* cbxShipType;   // the rows of the ship-type list
    QLabel* stShipCargoType;  // the selected row's code ("0": none selected)
    QLabel* LabelVoyDraught;
    QLineEdit* edtDraught;  // metres, one decimal; empty: not available
    QLabel* LabelDraughtText;
    QLabel* LabelVoyPOB;
    SpinEdit* CSpinEditPOB;
    QLabel* LabelPOBText;
    QLineEdit* lblEdtDestination;  // upper case, 20 characters
    QLabel* LabelVoyETA;
    SpinEdit* CSpinEditMonth;
    SpinEdit* CSpinEditDay;
    SpinEdit* CSpinEditHour;
    SpinEdit* CSpinEditMinute;
    QLabel* LabelNavStatus;
    QComboBox* ComboBoxNavStatus;  // index = navigational status; none selected at first
    QToolButton* SpeedButtonVoyage_Config;

  private:
    // stShipCargoType shows the selected row's code.
    void ShowShipTypeCode();
};

}  // namespace navoro
