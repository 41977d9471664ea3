#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "config/SpinEdit.h"
#include "config/pages/PageKit.h"
#include "config/tabs/CpaTab.h"

namespace navoro {

// CPA (TabSheetCPA).
class CpaPage : public TabView<CpaSettings> {
  public:
    explicit CpaPage(TabViewHost& host);

    void Show(const CpaSettings& record, FieldSet fields) override;
    void Load(const CpaSettings& record) override { Show(record, CpaTab::kAll); }
    std::variant<CpaSettings, RuleProblem> Read() override;
    void ApplyTexts(const MessageTable& messages) override;

    QLabel* lblCPA;
    QLineEdit* MaskEditCPA;  // "09.9": nautical miles; blank: not available
    QLabel* lblTCPA;
    SpinEdit* CSpinEditTCPA;  // minutes
    QLabel* lblCpaAlarmType;
    QComboBox* ComboBoxCpaAlarmType;  // ON, OFF
    QToolButton* spbCPA;
};

}  // namespace navoro
