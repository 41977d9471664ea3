#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <array>

#include "config/pages/PageKit.h"
#include "config/tabs/LongRangeTab.h"

namespace navoro {

// LR (TabSheetLR), the long-range reply settings.
class LongRangePage : public TabView<LongRangeSettings> {
  public:
    explicit LongRangePage(TabViewHost& host);

    void Show(const LongRangeSettings& record, FieldSet fields) override;
    void Load(const LongRangeSettings& record) override { Show(record, LongRangeTab::kAll); }
    std::variant<LongRangeSettings, RuleProblem> Read() override;
    void ApplyTexts(const MessageTable& messages) override;

    QLabel* LabelLR_Response;
    QComboBox* ComboBox_LR_Response;  // Automatic, Manual
    QGroupBox* GroupBoxLR_FuReply;
    // CheckBox_LR_A ... CheckBox_LR_W: items A, B, C, E, F, I, O, P, U, W.
    std::array<QCheckBox*, 10> FunctionReply;
    QCheckBox* CheckBox_LR_Msg27;
    QLineEdit* LabeledEdit_LR_ChA;  // four digits
    QLineEdit* LabeledEdit_LR_ChB;
    QToolButton* SpeedButton_LR_Config;
};

}  // namespace navoro
