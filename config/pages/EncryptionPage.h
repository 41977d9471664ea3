#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

#include "config/pages/PageKit.h"
#include "config/tabs/EncryptionTab.h"

namespace navoro {

// ENCRYPTION (TabSheetEncryption). The code can be edited only while
// encryption is checked.
class EncryptionPage : public TabView<EncryptionSettings> {
  public:
    explicit EncryptionPage(TabViewHost& host);

    void Show(const EncryptionSettings& record, FieldSet fields) override;
    void Load(const EncryptionSettings& record) override { Show(record, EncryptionTab::kAll); }
    std::variant<EncryptionSettings, RuleProblem> Read() override;

    QCheckBox* CheckBoxEnableEncryption;
    QLineEdit* LabeledEditEncryptionKey;  // letters and digits
    QToolButton* SpeedButtonEncryption;

  private:
    void EnableCode();
};

}  // namespace navoro
