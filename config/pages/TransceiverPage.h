#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "config/pages/PageKit.h"
#include "config/tabs/TransceiverTab.h"

namespace navoro {

// TRANSCEIVER (TabSheetTransceiver).
class TransceiverPage : public TabView<TransceiverSettings> {
  public:
    explicit TransceiverPage(TabViewHost& host);

    void Show(const TransceiverSettings& record, FieldSet fields) override;
    void Load(const TransceiverSettings& record) override { Show(record, TransceiverTab::kAll); }
    std::variant<TransceiverSettings, RuleProblem> Read() override;
    void ApplyTexts(const MessageTable& messages) override;

    QLabel* LabelAISTx;
    QComboBox* ComboBox_Tran_AisTx;  // ON, OFF
    QLabel* LabelDSCRx;
    QComboBox* ComboBox_Tran_DscRx;  // ON, OFF
    QLabel* LabelTran_GPSVol;
    QComboBox* ComboBoxGpsVoltage;       // 3.3V, 5V
    QLineEdit* Edit_N2K_DeviceInstance;  // digits; empty: not available
    QToolButton* spbTransponder;

  private:
    // A key in the device instance: digits only, at most the largest instance.
    void DeviceInstanceTyped();
};

}  // namespace navoro
