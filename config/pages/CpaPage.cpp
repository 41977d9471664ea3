#include "config/pages/CpaPage.h"

#include <algorithm>
#include <cstdio>

#include "config/WriteRules.h"

namespace navoro {

std::unique_ptr<TabView<CpaSettings>> CpaTab::MakeView(TabViewHost& host) {
    return std::make_unique<CpaPage>(host);
}

CpaPage::CpaPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    lblCPA = MakeLabel(page, "lblCPA", "CPA (nm)");
    MaskEditCPA = MakeControl<QLineEdit>(page, "MaskEditCPA");
    // A required digit, an optional digit, the point, an optional digit.
    MaskEditCPA->setInputMask(QStringLiteral("90.0; "));
    MaskEditCPA->setMaximumWidth(90);
    lblTCPA = MakeLabel(page, "lblTCPA", "TCPA (min) ");
    CSpinEditTCPA = MakeSpin(page, "CSpinEditTCPA", CpaTab::kTcpaRange);
    CSpinEditTCPA->setMaximumWidth(90);
    lblCpaAlarmType = MakeLabel(page, "lblCpaAlarmType", "Alarm");
    ComboBoxCpaAlarmType = MakeList(page, "ComboBoxCpaAlarmType", 90);
    ComboBoxCpaAlarmType->setMaximumWidth(90);
    grid->addWidget(lblCPA, 0, 0);
    grid->addWidget(MaskEditCPA, 0, 1);
    grid->addWidget(lblTCPA, 1, 0);
    grid->addWidget(CSpinEditTCPA, 1, 1);
    grid->addWidget(lblCpaAlarmType, 2, 0);
    grid->addWidget(ComboBoxCpaAlarmType, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    spbCPA = MakeWriteButton(page, "spbCPA", host);
}

void CpaPage::ApplyTexts(const MessageTable& messages) {
    FillOptions(ComboBoxCpaAlarmType, messages, MessageId::On, MessageId::Off);
}

void CpaPage::Show(const CpaSettings& r, FieldSet fields) {
    if (fields & CpaTab::kCpa) {
        if (r.CpaTenths) {
            char text[16];
            std::snprintf(text, sizeof text, "%04.1f", *r.CpaTenths / 10.0);
            MaskEditCPA->setText(QString::fromLatin1(text));
        } else {
            MaskEditCPA->clear();
        }
    }
    if (fields & CpaTab::kTcpa) ShowSpin(CSpinEditTCPA, r.TcpaMinutes);
    if (fields & CpaTab::kAlarm) ComboBoxCpaAlarmType->setCurrentIndex(r.AlarmOn ? 0 : 1);
}

std::variant<CpaSettings, RuleProblem> CpaPage::Read() {
    CpaSettings r;
    const std::string cpa = TextOf(MaskEditCPA);
    const bool blank =
        std::all_of(cpa.begin(), cpa.end(), [](char c) { return c == ' ' || c == '.'; });
    if (!blank) {
        r.CpaTenths = MaskedTenths(cpa);
        if (!r.CpaTenths) return ControlProblem("cpa.cpa", "MaskEditCPA", MessageId::KeyInCpa);
    }
    r.TcpaMinutes = SpinOf(CSpinEditTCPA);
    // An alarm list without a selection reads as ON.
    r.AlarmOn = ComboBoxCpaAlarmType->currentIndex() != 1;
    return r;
}

}  // namespace navoro
