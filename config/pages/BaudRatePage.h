#pragma once

#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <array>

#include "config/pages/PageKit.h"
#include "config/tabs/BaudRateTab.h"

namespace navoro {

// BAUD RATE (TabSheetBaudRate): one list per port, in the order of kBaudBoxes;
// a list without a selection shows a rate the list lacks (not available).
class BaudRatePage : public TabView<BaudRateSettings> {
  public:
    explicit BaudRatePage(TabViewHost& host);

    void Show(const BaudRateSettings& record, FieldSet fields) override;
    void Load(const BaudRateSettings& record) override { Show(record, BaudRateTab::kAll); }
    std::variant<BaudRateSettings, RuleProblem> Read() override;

    std::array<QLabel*, kBaudBoxes.size()> Labels;
    std::array<QComboBox*, kBaudBoxes.size()> Boxes;
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

}  // namespace navoro
