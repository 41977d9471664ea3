#include "config/pages/EncryptionPage.h"

#include <QRegularExpressionValidator>

namespace navoro {

std::unique_ptr<TabView<EncryptionSettings>> EncryptionTab::MakeView(TabViewHost& host) {
    return std::make_unique<EncryptionPage>(host);
}

EncryptionPage::EncryptionPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    CheckBoxEnableEncryption = MakeControl<QCheckBox>(page, "CheckBoxEnableEncryption");
    CheckBoxEnableEncryption->setText(QStringLiteral("Enable encryption"));
    const int max = static_cast<int>(EncryptionTab::kCodeMax);
    LabeledEditEncryptionKey = MakeEdit(page, "LabeledEditEncryptionKey", max);
    LabeledEditEncryptionKey->setMinimumWidth(220);
    // Letters and digits only.
    LabeledEditEncryptionKey->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,%1}").arg(max)),
        LabeledEditEncryptionKey));
    grid->addWidget(CheckBoxEnableEncryption, 0, 0, 1, 2);
    grid->addWidget(AttachLabel(page, LabeledEditEncryptionKey, "Encryption code:"), 1, 0);
    grid->addWidget(LabeledEditEncryptionKey, 1, 1);
    grid->addWidget(
        MakeLabel(page, "LabelEncryptionKeyHint",
                  QStringLiteral("(up to %1 letters and digits)").arg(max).toLatin1().constData()),
        2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    SpeedButtonEncryption = MakeWriteButton(page, "SpeedButtonEncryption", host);
    QObject::connect(CheckBoxEnableEncryption, &QCheckBox::toggled, CheckBoxEnableEncryption,
                     [this] { EnableCode(); });
}

void EncryptionPage::EnableCode() {
    LabeledEditEncryptionKey->setEnabled(CheckBoxEnableEncryption->isChecked());
}

void EncryptionPage::Show(const EncryptionSettings& r, FieldSet fields) {
    if (fields & EncryptionTab::kEnabled) CheckBoxEnableEncryption->setChecked(r.Enabled);
    if (fields & EncryptionTab::kCode)
        LabeledEditEncryptionKey->setText(QString::fromStdString(r.Code));
    EnableCode();
}

std::variant<EncryptionSettings, RuleProblem> EncryptionPage::Read() {
    EncryptionSettings r;
    r.Enabled = CheckBoxEnableEncryption->isChecked();
    r.Code = TextOf(LabeledEditEncryptionKey);
    return r;
}

}  // namespace navoro
